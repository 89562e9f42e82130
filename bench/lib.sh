# Sourced by the benchmarks: time commands, run them in turn, take medians.
# shellcheck shell=bash

# Prints the wall-clock milliseconds of one command.
elapsed_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

# Prints the wall-clock microseconds of one command. The clock is bash's own (no process is started to
# read it), so nothing but the command lies between the two readings.
elapsed_us() {
  local start end
  start=${EPOCHREALTIME//[!0-9]/}
  "$@" >/dev/null 2>&1
  end=${EPOCHREALTIME//[!0-9]/}
  echo $((10#$end - 10#$start))
}

# Prints the wall-clock microseconds of one process run in the project's Wine environment.
run_once() { elapsed_us tovrik_wine_env "$TOVRIK_WINELOADER" "$@"; }

# Microseconds as milliseconds with one decimal.
in_ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }

# Median of the numbers on standard input, one per line.
median() { LC_ALL=C sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# alternate_medians RUNS WARMUPS NAME...: runs the shell functions measure_NAME (each prints one time)
# in turn, WARMUPS rounds unrecorded and then RUNS rounds, so that drift of the machine touches all alike;
# sets MEDIAN[NAME], and TIMES[NAME] to the times in the order of the rounds.
declare -A MEDIAN TIMES
alternate_medians() {
  local runs=$1 warmups=$2 name
  shift 2
  for name in "$@"; do TIMES[$name]=""; done
  for _ in $(seq "$warmups"); do for name in "$@"; do "measure_$name" >/dev/null; done; done
  for _ in $(seq "$runs"); do for name in "$@"; do TIMES[$name]+="$("measure_$name") "; done; done
  for name in "$@"; do MEDIAN[$name]=$(printf '%s\n' ${TIMES[$name]} | median); done
}

# paired_ratio_median A B: the median of A's time over B's, round by round (after alternate_medians), so
# that a slow moment of the machine touches both sides of each ratio.
paired_ratio_median() {
  paste -d ' ' <(printf '%s\n' ${TIMES[$1]}) <(printf '%s\n' ${TIMES[$2]}) |
    awk '$2 > 0 { print $1 / $2 }' | median
}

# The builds a benchmark compares, as wine-env.sh chooses how each runs: the 32-bit product (natively or
# under emulation) and the x86-64 twin; one that nothing here runs is left out. Sets builds and B_*.
declare -A B_PREFIX B_EXE_DIR B_LOADER B_SERVER B_RUNNER
builds=()
bench_find_builds() {
  local arch values
  for arch in win32 win64; do
    (
      unset TOVRIK_PREFIX TOVRIK_WINELOADER TOVRIK_WINE_CHOSEN
      TOVRIK_WINE_ARCH=$arch
      source scripts/lib/wine-env.sh
      [ "$TOVRIK_WINE_RUNNER" != none ] || exit 1
      printf '%s\n' "$TOVRIK_PREFIX" "$TOVRIK_EXE_DIR" "$TOVRIK_WINELOADER" "$TOVRIK_WINESERVER" "$TOVRIK_WINE_RUNNER"
    ) >"$TOVRIK_BUILD/bench-$arch.env" || { echo "$arch: nothing on this machine runs it, left out"; continue; }
    mapfile -t values <"$TOVRIK_BUILD/bench-$arch.env"
    rm -f "$TOVRIK_BUILD/bench-$arch.env"
    B_PREFIX[$arch]=${values[0]} B_EXE_DIR[$arch]=${values[1]} B_LOADER[$arch]=${values[2]}
    B_SERVER[$arch]=${values[3]} B_RUNNER[$arch]=${values[4]}
    builds+=("$arch")
  done
}

# Points the Wine environment at one of the builds.
use_build() {
  TOVRIK_WINE_ARCH=$1 TOVRIK_PREFIX=${B_PREFIX[$1]} TOVRIK_EXE_DIR=${B_EXE_DIR[$1]}
  TOVRIK_WINELOADER=${B_LOADER[$1]} TOVRIK_WINESERVER=${B_SERVER[$1]}
}

# One display for all; each build's prefix has its own persistent wineserver.
bench_start_builds() {
  local arch
  for arch in "${builds[@]}"; do
    use_build "$arch"
    tovrik_make_prefix >&2
  done
  use_build "${builds[0]}"
  tovrik_session_start || return 1
  for arch in "${builds[@]:1}"; do
    use_build "$arch"
    tovrik_wine_env "$TOVRIK_WINESERVER" -p
  done
}

bench_stop_builds() {
  local arch
  for arch in "${builds[@]}"; do
    use_build "$arch"
    tovrik_wine_env "$TOVRIK_WINESERVER" -k 2>/dev/null
  done
  use_build "${builds[0]}"
  tovrik_session_stop
}
