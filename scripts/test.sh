#!/usr/bin/env bash
# Runs the tests: the host unit tests (ASan + UBSan), the fuzz loops, the include layers, the program
# files, the model of Windows' cmd.exe and the set-up ("unit"), and the end-to-end tests that run the
# program under Wine as scripts do ("e2e"). Starts its own display and wineserver and stops both at the
# end, also on failure or interruption. Ends with the line "N passed, N failed" over the parts it ran;
# exits non-zero when anything failed.
#   scripts/test.sh                      everything
#   scripts/test.sh unit                 builds, then the unit part alone
#   scripts/test.sh e2e [pytest args]    builds, then the end-to-end tests alone (args narrow them down)
#   scripts/test.sh [pytest args]        everything, the end-to-end tests narrowed down by the args
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/wine-env.sh
source scripts/lib/session.sh
export PYTHONDONTWRITEBYTECODE=1

run_unit=yes
run_e2e=yes
case "${1:-}" in
  unit) run_e2e=no; shift ;;
  e2e) run_unit=no; shift ;;
esac
reports=()

results="$TOVRIK_BUILD/test-results"
rm -rf "$results"
mkdir -p "$results"

echo "== build"
for dir in build/host build/win32 build/win64; do
  cmake --build "$dir" >"$results/build-$(basename "$dir").log" 2>&1 || {
    cat "$results/build-$(basename "$dir").log"
    echo "0 passed, 1 failed"
    exit 1
  }
done

if [ "$run_unit" = yes ]; then
  echo "== host unit tests"
  build/host/unit_tests --gtest_brief=1 --gtest_output="xml:$results/unit.xml"

  echo "== fuzz loops"
  fuzz_report="$results/fuzz.xml"
  {
    echo '<testsuite name="fuzz">'
    for target in build/host/*_fuzz; do
      [ -x "$target" ] || continue
      name=$(basename "$target")
      if timeout 300 "$target" "${TOVRIK_FUZZ_ITERATIONS:-20000}" >"$results/$name.log" 2>&1; then
        echo "  <testcase name=\"$name\"/>"
      else
        echo "  <testcase name=\"$name\"><failure>see $name.log</failure></testcase>"
        tail -n 30 "$results/$name.log" >&2
      fi
    done
    echo '</testsuite>'
  } >"$fuzz_report"

  echo "== include layers"
  if /usr/bin/python3 scripts/lib/check_layers.py >"$results/layers.log" 2>&1; then
    echo '<testsuite name="layers"><testcase name="includes follow the layer order"/></testsuite>' >"$results/layers.xml"
  else
    cat "$results/layers.log"
    echo '<testsuite name="layers"><testcase name="includes follow the layer order"><failure>see layers.log</failure></testcase></testsuite>' >"$results/layers.xml"
  fi
  tail -n 1 "$results/layers.log"

  echo "== program files, the model of Windows' cmd.exe, the set-up against a mirror mid-sync"
  /usr/bin/python3 -m pytest tests/binary tests/cmdexe tests/setup -q -p no:cacheprovider -o console_output_style=classic \
    --junitxml="$results/binary.xml"
  reports+=(unit.xml fuzz.xml layers.xml binary.xml)
fi

note=()
if [ "$run_e2e" = yes ]; then
  # Which build the end-to-end tests ran, said next to the totals: a green twin is not a green product.
  if [ "$TOVRIK_WINE_ARCH" = win32 ]; then
    e2e_build="end-to-end build: win32 ($TOVRIK_WINE_RUNNER)"
  else
    e2e_build="end-to-end build: win64 (the x86-64 twin under $TOVRIK_WINE_RUNNER, not the 32-bit product)"
  fi
  echo "== end-to-end tests under Wine ($TOVRIK_WINE_ARCH, $TOVRIK_WINE_RUNNER)"
  trap tovrik_session_stop EXIT
  trap 'exit 130' INT TERM
  if [ "$TOVRIK_WINE_RUNNER" = none ]; then
    # No report: the summary counts the missing suite as failed.
    echo "nothing on this machine runs the 32-bit product: run scripts/setup.sh (it installs the emulation)"
  elif tovrik_session_start; then
    # Test files or folders among the arguments name what runs; otherwise the whole end-to-end folder.
    targets=(tests/e2e)
    for argument in "$@"; do
      case $argument in tests/*) targets=(); break ;; esac
    done
    /usr/bin/python3 -m pytest "${targets[@]}" -q -p no:cacheprovider -o console_output_style=classic \
      --junitxml="$results/e2e.xml" "$@"
    tovrik_session_stop
  fi
  reports+=(e2e.xml)
  note=(--note "$e2e_build")
fi

if [ -s "$results/wine-start-retries.log" ]; then
  echo "== Wine starts that never reached the program (each was tried once more)"
  cat "$results/wine-start-retries.log"
fi

echo "== summary"
/usr/bin/python3 scripts/lib/summarize.py "$results" "${note[@]}" "${reports[@]}"
