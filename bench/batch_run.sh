#!/usr/bin/env bash
# The batch window's benchmarks: the list with 100,000 entries, then the runs over 10,000 small files and one
# 100 MB file, with the shell baselines (cp -r and the durable cp -r for the small files; cat, the durable copy
# and tr for the large one) measured in the same run on texts of the same sizes, and the ratios. Under a virtual
# display when there is none, since the window repaints once per file.
# Usage: bench/batch_run.sh [BUILD_DIR] [--small|--large]
set -euo pipefail
build=${1:-build}
shift || true
display=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run > /dev/null; then
    display=(xvfb-run -a env QT_QPA_PLATFORM=xcb)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=bench/baselines.sh
source "$(dirname "$0")/baselines.sh"
# Its sizes are in millions of bytes: 21 gives the 10,000 files of 2048 bytes, 105 about the 100 MiB of the run.
generate="$build/bin/bench_pipeline"

"${display[@]}" "$build/bin/bench_batch_list" 2> /dev/null
"${display[@]}" "$build/bin/bench_batch_run" "$@" 2> /dev/null | tee "$work/run.txt"
# The window's times, in the order printed: the small files first, then the plain and the Windows-1252 file.
mapfile -t runs < <(sed -n "s/.*the window's run: *\([0-9.]*\) s.*/\1/p" "$work/run.txt")
next=0

if [ "${1:-}" != --large ]; then
    "$generate" generate "$work/words.txt" 21 utf8
    mkdir "$work/small"
    head -c $((10000 * 2048)) "$work/words.txt" | (cd "$work/small" && split -b 2048 -a 5 -d - text)
    folder_baselines "$work/small" "$work"
    echo "== shell baselines on $(find "$work/small" -type f | wc -l) files of 2048 bytes (median of 5 runs)"
    printf '  cp -r                              %7.3f s\n' "$cp_s"
    printf '  cp -r + fdatasync of each file     %7.3f s\n' "$durable_cp_s"
    ratio "window's run / cp -r" "${runs[next]}" "$cp_s"
    ratio "window's run / durable cp -r" "${runs[next]}" "$durable_cp_s" "(bar: at most 1.3)"
    next=$((next + 1))
    rm -rf "$work/small" "$work/words.txt"
fi

if [ "${1:-}" != --small ]; then
    for kind in utf8 ansi; do
        "$generate" generate "$work/large.txt" 105 "$kind"
        file_baselines "$work/large.txt" "$work"
        echo "== shell baselines on $(($(stat -c %s "$work/large.txt") >> 20)) MB of words, $kind (median of 5 runs)"
        printf '  cat SRC > DST                      %7.3f s\n' "$cat_s"
        printf '  cat + fdatasync of DST             %7.3f s\n' "$durable_s"
        printf "  tr -s ' ' '\\\\n'                     %7.3f s\n" "$tr_s"
        ratio "window's run / cat" "${runs[next]}" "$cat_s"
        ratio "window's run / (cat + fdatasync)" "${runs[next]}" "$durable_s" "(bar: at most 2)"
        ratio "window's run / tr" "${runs[next]}" "$tr_s" "(bar: at most 0.5)"
        next=$((next + 1))
        rm -f "$work/large.txt"
    done
fi
