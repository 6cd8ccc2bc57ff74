#!/usr/bin/env bash
# The batch window's benchmarks, through the program as it ships (bench/window_run.sh): the list with 100,000
# entries, then runs over 10,000 files of 2 KB and over one 100 MB file in UTF-8, Windows-1252 and UTF-16, each
# beside the shell baselines measured in the same run on the same files (cp -r and the durable cp -r for the small
# files; cat, the durable copy and tr for the large ones), with the ratios.
# Usage: bench/batch_run.sh [BUILD_DIR] [--small|--large]
set -euo pipefail
build=${1:-build}
shift || true
work=$(mktemp -d "${TMPDIR:-/var/tmp}/batch-run.XXXXXX")
here=$(dirname "$0")
# shellcheck source=bench/baselines.sh
source "$here/baselines.sh"
# shellcheck source=bench/window_run.sh
source "$here/window_run.sh"
start_display
trap 'stop_display; rm -rf "$work"' EXIT
# Its sizes are in millions of bytes: 21 gives the 10,000 files of 2048 bytes, 105 about the 100 MiB of the run.
generate="$build/bin/bench_pipeline"

DISPLAY=$window_display QT_QPA_PLATFORM=xcb "$build/bin/bench_batch_list" 2> /dev/null
echo "(results and baselines on $(df --output=fstype "$work" | tail -1) under $work)"

if [ "${1:-}" != --large ]; then
    "$generate" generate "$work/words.txt" 21 utf8
    mkdir "$work/small"
    head -c $((10000 * 2048)) "$work/words.txt" | (cd "$work/small" && split -b 2048 -a 5 -d --additional-suffix=.txt - text)
    rm "$work/words.txt"
    folder_baselines "$work/small" "$work"
    window_median "$build" "$work/small" "$work/small-out"
    echo "== $(find "$work/small" -type f | wc -l) files of 2048 bytes ($window_results results)"
    printf '  cp -r                              %7.3f s   (median of 5 runs)\n' "$cp_s"
    printf '  cp -r + sync -f                    %7.3f s   (median of 5 runs)\n' "$synced_cp_s"
    printf '  cp -r + fdatasync of each file     %7.3f s   (median of 5 runs)\n' "$durable_cp_s"
    printf "  the window's run                   %7.3f s   (median of 3 runs)\n" "$window_s"
    ratio "window's run / cp -r" "$window_s" "$cp_s"
    ratio "window's run / (cp -r + sync -f)" "$window_s" "$synced_cp_s"
    ratio "window's run / durable cp -r" "$window_s" "$durable_cp_s" "(bar: at most 1.3)"
    rm -rf "$work/small" "$work/small-out"
fi

if [ "${1:-}" != --small ]; then
    for kind in utf8 ansi utf16; do
        mkdir "$work/large"
        if [ "$kind" = utf16 ]; then
            "$generate" generate "$work/words.txt" 52 utf8
            { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$work/words.txt"; } > "$work/large/large.txt"
            rm "$work/words.txt"
        else
            "$generate" generate "$work/large/large.txt" 105 "$kind"
        fi
        file_baselines "$work/large/large.txt" "$work"
        window_median "$build" "$work/large" "$work/large-out"
        echo "== $(($(stat -c %s "$work/large/large.txt") >> 20)) MB of words, $kind"
        printf '  cat SRC > DST                      %7.3f s   (median of 5 runs)\n' "$cat_s"
        printf '  cat + fdatasync of DST             %7.3f s   (median of 5 runs)\n' "$durable_s"
        printf "  tr -s ' ' '\\\\n'                     %7.3f s   (median of 5 runs)\n" "$tr_s"
        printf "  the window's run                   %7.3f s   (median of 3 runs), peak memory grew %d KB\n" \
            "$window_s" "$window_grown_kb"
        ratio "window's run / cat" "$window_s" "$cat_s"
        if [ "$kind" = utf16 ]; then
            ratio "window's run / (cat + fdatasync)" "$window_s" "$durable_s" "(bar: at most 3)"
        else
            ratio "window's run / (cat + fdatasync)" "$window_s" "$durable_s" "(bar: at most 2)"
            ratio "window's run / tr" "$window_s" "$tr_s" "(bar: at most 0.5)"
            ratio "peak growth / file" "$window_grown_kb" "$(($(stat -c %s "$work/large/large.txt") / 1024))" \
                "(bar: at most 0.2)"
        fi
        rm -rf "$work/large" "$work/large-out"
    done
fi
