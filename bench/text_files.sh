#!/usr/bin/env bash
# Text-file commands on a large file: readlineoftextfile with a small index on a 200 MB file against a 1 KB
# file (target: at most twice the cost), and countlinesoftextfile on the 200 MB file against `wc -l` on the
# same file, run alternately (target: at least half its speed) with the peak memory of the Wine process
# (target: under 64 MB). Also checks that the results equal those of reading the whole file.
#   bench/text_files.sh [runs]     (default 9 runs of each)
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/wine-env.sh
source scripts/lib/session.sh
runs=${1:-9}
work=$(mktemp -d "$TOVRIK_BUILD/bench-text.XXXXXX")
cleanup() {
  tovrik_session_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The same kind of lines in both files: words of various lengths, CR LF line ends.
/usr/bin/python3 - "$work" <<'EOF'
import random, sys
random.seed(1)
words = [b"alpha", b"beta", b"gamma", b"delta", b"epsilon", b"zeta", b"eta", b"theta", b"iota", b"kappa"]
def text(size):
    out = bytearray()
    while len(out) < size:
        out += b" ".join(random.choice(words) for _ in range(random.randint(1, 15))) + b"\r\n"
    return bytes(out)
open(sys.argv[1] + "/big.txt", "wb").write(text(200 * 1000 * 1000))
open(sys.argv[1] + "/small.txt", "wb").write(text(1000))
EOF
big="$work/big.txt"
small="$work/small.txt"
# Wine's Z: drive is the host's root.
win() { echo "Z:${1//\//\\}"; }
return_file="$TOVRIK_PREFIX/drive_c/Tovrik.bat"

tovrik_session_start || exit 1

tovrik() { tovrik_wine_env "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/tovrik.exe" "$@"; }
source bench/lib.sh
set_value() { tr -d '\r' <"$return_file" | sed -n "s/^SET $1=//p"; }

# Warm the session and the page cache.
cat "$big" >/dev/null
for _ in 1 2 3; do tovrik strlength abc; done >/dev/null 2>&1

# Results against the whole file read at once.
expected_count=$(($(wc -l <"$big") - 1))
expected_line=$(sed -n '4p' "$big" | tr -d '\r')
tovrik countlinesoftextfile "$(win "$big")" >/dev/null 2>&1
got_count=$(set_value COUNT)
tovrik readlineoftextfile "$(win "$big")" 3 >/dev/null 2>&1
got_line=$(set_value LINE)
if [ "$got_count" = "$expected_count" ] && [ "$got_line" = "$expected_line" ]; then
  echo "results: COUNT=$got_count and line 3 match the whole file"
else
  echo "results DIFFER: COUNT=$got_count (expected $expected_count), LINE=$got_line (expected $expected_line)"
fi

measure_read_small() { elapsed_ms tovrik readlineoftextfile "$(win "$small")" 3; }
measure_read_big() { elapsed_ms tovrik readlineoftextfile "$(win "$big")" 3; }
measure_read_far() { elapsed_ms tovrik readlineoftextfile "$(win "$big")" "$((expected_count - 1))"; }
measure_count_small() { elapsed_ms tovrik countlinesoftextfile "$(win "$small")"; }
measure_count_big() { elapsed_ms tovrik countlinesoftextfile "$(win "$big")"; }
measure_wc() { elapsed_ms wc -l "$big"; }
alternate_medians "$runs" 0 read_small read_big read_far count_small count_big wc
m_read_small=${MEDIAN[read_small]}
m_read_big=${MEDIAN[read_big]}
m_read_far=${MEDIAN[read_far]}
m_count_small=${MEDIAN[count_small]}
m_count_big=${MEDIAN[count_big]}
m_wc=${MEDIAN[wc]}

# Peak resident memory of the Wine process that counts the big file (GNU time reads it from wait4).
peak_kb=$(/usr/bin/time -f %M "$TOVRIK_ROOT/scripts/lib/wine-run" "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/tovrik.exe" \
  countlinesoftextfile "$(win "$big")" 2>&1 >/dev/null | tail -n1)
peak_small_kb=$(/usr/bin/time -f %M "$TOVRIK_ROOT/scripts/lib/wine-run" "$TOVRIK_WINELOADER" "$TOVRIK_EXE_DIR/tovrik.exe" \
  countlinesoftextfile "$(win "$small")" 2>&1 >/dev/null | tail -n1)

size_mb=$(awk -v b="$(stat -c %s "$big")" 'BEGIN { printf "%.0f", b / 1e6 }')
echo "wine: $TOVRIK_WINE_ARCH, $runs runs each, medians; big file ${size_mb} MB, small file $(stat -c %s "$small") bytes"
echo "readlineoftextfile index 3: 1 KB ${m_read_small} ms, 200 MB ${m_read_big} ms"
awk -v a="$m_read_big" -v b="$m_read_small" 'BEGIN { printf "  ratio: %.2f (target <= 2)\n", a / b }'
echo "readlineoftextfile of the next-to-last line of the 200 MB file (what a loop pays at its end): ${m_read_far} ms"
echo "countlinesoftextfile: 1 KB ${m_count_small} ms (start-up), 200 MB ${m_count_big} ms; wc -l 200 MB ${m_wc} ms"
awk -v t="$m_count_big" -v s="$m_count_small" -v w="$m_wc" -v mb="$size_mb" 'BEGIN {
  net = t - s; if (net < 1) net = 1
  printf "  whole process against wc -l: %.2f times its time\n", t / w
  printf "  scan alone (200 MB run minus the 1 KB run): %d ms, %.0f MB/s; wc -l %.0f MB/s; %.2f times its time (target <= 2)\n",
         net, mb * 1000 / net, mb * 1000 / w, net / w }'
echo "countlinesoftextfile peak memory (VmHWM): 200 MB file $((peak_kb / 1024)) MB, 1 KB file $((peak_small_kb / 1024)) MB (target < 64 MB)"
