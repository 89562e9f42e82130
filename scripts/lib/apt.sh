# Sourced by the set-up: apt-get that rides out a package mirror in the middle of a sync.
# shellcheck shell=bash
#
# A mirror mid-sync serves a Release file whose sizes or hashes do not yet match one of its indexes
# ("File has unexpected size ... Mirror sync in progress?"); apt-get update then fails for that index,
# often for an hour. Retrying a few times rides out the short cases. After that, the release suite's own
# indexes are usually whole, so the set-up goes on, and an install that the missing index breaks (the
# amd64 side wants the security suite's version, which the i386 side no longer offers, and multiarch
# needs both the same) is tried again with the release suite's own versions.
#
# TOVRIK_APT_ATTEMPTS (default 4) and TOVRIK_APT_RETRY_SECONDS (default 15) set the retries.

tovrik_apt_codename() {
  (. /etc/os-release && echo "$VERSION_CODENAME")
}

# apt-get update, tried again while it fails; goes on with one line when some indexes still fail.
tovrik_apt_update() {
  local attempts=${TOVRIK_APT_ATTEMPTS:-4} delay=${TOVRIK_APT_RETRY_SECONDS:-15} attempt log
  log=$(mktemp)
  for ((attempt = 1; ; attempt++)); do
    if apt-get update -q >"$log" 2>&1; then
      cat "$log"
      rm -f "$log"
      return 0
    fi
    if ((attempt >= attempts)); then
      cat "$log"
      rm -f "$log"
      echo "setup: apt-get update still reports failed indexes after $attempts attempts (a mirror mid-sync?); going on with the indexes it has"
      return 0
    fi
    grep -E '^(E|Err):' "$log" | head -n 3 >&2
    echo "setup: apt-get update failed (attempt $attempt of $attempts); trying again in ${delay} s"
    sleep "$delay"
  done
}

# apt-get install of the packages named. Where that fails (held or broken packages, as when one
# architecture's index of the security suite is missing), tried once more with the release suite's own
# versions. Ends the set-up with one line when neither works.
tovrik_apt_install() {
  local codename
  codename=$(tovrik_apt_codename)
  export DEBIAN_FRONTEND=noninteractive
  if apt-get install -y -q --no-install-recommends "$@"; then
    echo "setup: installed with the newest versions the indexes offer"
    return 0
  fi
  echo "setup: that install failed; trying again with the release suite's own versions (-t $codename)"
  if apt-get install -y -q --no-install-recommends -t "$codename" "$@"; then
    echo "setup: installed with the release suite's own versions (-t $codename)"
    return 0
  fi
  echo "setup: failed: apt-get install of $* failed with the newest versions and with -t $codename; the package mirror may be mid-sync, so a later run may succeed" >&2
  exit 1
}

# apt-get install from one suite (backports): no other suite has what is wanted there, so there is
# nothing to fall back on.
tovrik_apt_install_from() {
  local suite=$1
  shift
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q --no-install-recommends -t "$suite" "$@" && return 0
  echo "setup: failed: apt-get install of $* from $suite failed; the package mirror may be mid-sync, so a later run may succeed" >&2
  exit 1
}
