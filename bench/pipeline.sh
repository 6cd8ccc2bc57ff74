#!/usr/bin/env bash
# Times the batch pipeline on a 100 MB text of words beside cat, cat with fdatasync of the copy (the durable copy),
# and `tr -s ' ' '\n'`, all in one run, and prints the ratios. Usage: bench/pipeline.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
build=${1:-build}
megabytes=${2:-100}
tool="$build/bin/bench_pipeline"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=bench/baselines.sh
source "$(dirname "$0")/baselines.sh"

run_stage() { # stage input output -> "seconds peak_kb" (median of 5 seconds, largest peak)
    local stage=$1 in=$2 out=$3 times=() peaks=()
    for _ in 1 2 3 4 5; do
        read -r seconds peak < <("$tool" "$stage" "$in" "$out")
        times+=("$seconds"); peaks+=("$peak")
    done
    echo "$(printf '%s\n' "${times[@]}" | median) $(printf '%s\n' "${peaks[@]}" | sort -n | tail -1)"
}

echo "(each figure the median of 5 runs)"
for kind in utf8 ansi; do
    input="$work/input-$kind.txt"
    "$tool" generate "$input" "$megabytes" "$([ "$kind" = ansi ] && echo ansi || echo utf8)"
    size_kb=$(( $(stat -c %s "$input") / 1024 ))
    file_baselines "$input" "$work"
    read -r whole_s whole_kb < <(run_stage copy "$input" "$work/copy.out")
    read -r pipe_s pipe_kb < <(run_stage pipeline "$input" "$work/result.txt")
    echo "== $megabytes MB of words, $kind without a mark"
    printf '  cat SRC > DST                     %7.3f s\n' "$cat_s"
    printf '  cat + fdatasync of DST            %7.3f s\n' "$durable_s"
    printf '  tr -s " " "\\n"                    %7.3f s\n' "$tr_s"
    printf '  read whole, then write whole      %7.3f s   peak %7d KB\n' "$whole_s" "$whole_kb"
    printf '  pipeline                          %7.3f s   peak %7d KB\n' "$pipe_s" "$pipe_kb"
    ratio "pipeline / cat" "$pipe_s" "$cat_s"
    ratio "pipeline / (cat + fdatasync)" "$pipe_s" "$durable_s" "(bar: at most 2)"
    ratio "pipeline / tr" "$pipe_s" "$tr_s" "(bar: at most 0.5)"
    ratio "pipeline / read-then-write copy" "$pipe_s" "$whole_s"
    ratio "peak / file" "$pipe_kb" "$size_kb" "(bar: at most 0.2)"
done
