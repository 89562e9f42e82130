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

# Prints the wall-clock milliseconds of one process run in the project's Wine environment.
run_once() { elapsed_ms tovrik_wine_env "$TOVRIK_WINELOADER" "$@"; }

# Median of the numbers on standard input, one per line.
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# alternate_medians RUNS WARMUPS NAME...: runs the shell functions measure_NAME (each prints milliseconds)
# in turn, WARMUPS rounds unrecorded and then RUNS rounds, so that drift of the machine touches all alike;
# sets MEDIAN[NAME].
declare -A MEDIAN
alternate_medians() {
  local runs=$1 warmups=$2 name
  shift 2
  local -A times
  for _ in $(seq "$warmups"); do for name in "$@"; do "measure_$name" >/dev/null; done; done
  for _ in $(seq "$runs"); do for name in "$@"; do times[$name]+="$("measure_$name") "; done; done
  for name in "$@"; do MEDIAN[$name]=$(printf '%s\n' ${times[$name]} | median); done
}
