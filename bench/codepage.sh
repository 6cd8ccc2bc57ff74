#!/usr/bin/env bash
# Times converting a 100 MB text of Russian words in Windows-1251 beside the Windows-1252 text of the pipeline
# benchmark, both read from the file piece by piece, in one run, and prints the ratio.
# Usage: bench/codepage.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
build=${1:-build}
megabytes=${2:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

time_convert() { # input codepage -> median seconds of 5
    for _ in 1 2 3 4 5; do
        "$build/bin/bench_codepage" convert "$1" "$work/result.txt" "$2"
    done | median
}

"$build/bin/bench_pipeline" generate "$work/western.txt" "$megabytes" ansi
"$build/bin/bench_codepage" generate "$work/cyrillic.txt" "$megabytes"
western=$(time_convert "$work/western.txt" 1252)
cyrillic=$(time_convert "$work/cyrillic.txt" 1251)
echo "== $megabytes MB of words without a mark, converted from the file"
printf '  Windows-1252      %7.3f s\n' "$western"
printf '  Windows-1251      %7.3f s\n' "$cyrillic"
printf '  1251 / 1252       %7.2f   (bar: at most 1.5)\n' "$(echo "$cyrillic / $western" | bc -l)"
