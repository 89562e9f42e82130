# Sourced by the benchmarks: time one Wine process from start to exit, and take a median.
# shellcheck shell=bash

# Prints the wall-clock milliseconds of one process run in the project's Wine environment.
run_once() {
  local start end
  start=$(date +%s%N)
  tovrik_wine_env "$TOVRIK_WINELOADER" "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

# Median of the numbers on standard input, one per line.
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
