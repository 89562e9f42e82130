"""scripts/setup.sh against a package mirror in the middle of a sync: stand-ins for apt-get and dpkg-query
(first on PATH) fail the way such a mirror makes them fail, and the set-up must ride it out or say in one
line what failed."""
import os
import shutil
import subprocess
import tempfile
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
CODENAME = next(line.split("=", 1)[1].strip().strip('"') for line in Path("/etc/os-release").read_text().splitlines()
                if line.startswith("VERSION_CODENAME="))

# apt-get update always fails for one index; an install fails with held packages unless it asks for the
# release suite's own versions and FAKE_RELEASE_WORKS is set. Every call is logged.
FAKE_APT_GET = r"""#!/bin/bash
echo "apt-get $*" >>"$FAKE_STATE/calls"
case "$1" in
  update)
    echo "Err:6 http://deb.debian.org/debian-security bookworm-security/main i386 Packages"
    echo "  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100 ;;
  install)
    if [[ " $* " == *" -t $CODENAME "* && -n "$FAKE_RELEASE_WORKS" ]]; then touch "$FAKE_STATE/installed"; exit 0; fi
    echo "E: Unable to correct problems, you have held broken packages." >&2
    exit 100 ;;
esac
exit 100
"""

# Every package is installed except python3-pefile, until an install has succeeded.
FAKE_DPKG_QUERY = r"""#!/bin/bash
package="${!#}"
if [ "$package" = python3-pefile ] && [ ! -e "$FAKE_STATE/installed" ]; then
  echo "dpkg-query: no packages found matching $package" >&2
  exit 1
fi
exec /usr/bin/dpkg-query "$@"
"""


@pytest.fixture
def work():
    """A folder under build/ for the stand-ins and their log, removed afterwards."""
    path = Path(tempfile.mkdtemp(prefix="setup-test.", dir=ROOT / "build"))
    yield path
    shutil.rmtree(path)


def run_setup(tmp_path, release_works):
    bin_dir = tmp_path / "bin"
    bin_dir.mkdir()
    for name, text in (("apt-get", FAKE_APT_GET), ("dpkg-query", FAKE_DPKG_QUERY)):
        (bin_dir / name).write_text(text.replace("$CODENAME", CODENAME))
        (bin_dir / name).chmod(0o755)
    env = {**os.environ, "PATH": f"{bin_dir}:{os.environ['PATH']}", "FAKE_STATE": str(tmp_path),
           "TOVRIK_APT_ATTEMPTS": "3", "TOVRIK_APT_RETRY_SECONDS": "0"}
    if release_works:
        env["FAKE_RELEASE_WORKS"] = "1"
    done = subprocess.run([str(ROOT / "scripts" / "setup.sh")], env=env, cwd=ROOT, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, timeout=1800)
    calls = (tmp_path / "calls").read_text().splitlines() if (tmp_path / "calls").exists() else []
    return done.returncode, done.stdout.decode(errors="replace"), calls


def test_a_mirror_mid_sync_is_ridden_out_with_the_release_suites_versions(work):
    code, printed, calls = run_setup(work, release_works=True)
    assert code == 0, printed[-3000:]
    assert [call for call in calls if call.startswith("apt-get update")] == ["apt-get update -q"] * 3
    installs = [call for call in calls if call.startswith("apt-get install")]
    assert len(installs) == 2 and f"-t {CODENAME}" not in installs[0] and f"-t {CODENAME}" in installs[1], installs
    assert "python3-pefile" in installs[1]
    assert printed.count("setup: apt-get update still reports failed indexes after 3 attempts") == 1, printed
    assert f"setup: installed with the release suite's own versions (-t {CODENAME})" in printed
    assert "setup: ready (win32" in printed, printed[-2000:]  # and the rest of the set-up ran


def test_an_install_that_cannot_succeed_ends_non_zero_with_one_line(work):
    code, printed, calls = run_setup(work, release_works=False)
    assert code != 0
    failures = [line for line in printed.splitlines() if line.startswith("setup: failed:")]
    assert len(failures) == 1 and "python3-pefile" in failures[0] and "a later run may succeed" in failures[0], printed
    assert printed.rstrip().splitlines()[-1] == failures[0]
    assert len([call for call in calls if call.startswith("apt-get install")]) == 2
