#!/usr/bin/env bash
# Times the batch pipeline on a 100 MB text of words beside a plain copy and `tr -s ' ' '\n'`, in one run,
# and prints the ratios. Usage: bench/pipeline.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
build=${1:-build}
megabytes=${2:-100}
tool="$build/bin/bench_pipeline"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

run_stage() { # stage input output -> "seconds peak_kb" (median of 5 seconds, largest peak)
    local stage=$1 in=$2 out=$3 times=() peaks=()
    for _ in 1 2 3 4 5; do
        read -r seconds peak < <("$tool" "$stage" "$in" "$out")
        times+=("$seconds"); peaks+=("$peak")
    done
    echo "$(printf '%s\n' "${times[@]}" | median) $(printf '%s\n' "${peaks[@]}" | sort -n | tail -1)"
}

time_tr() {
    local in=$1 times=()
    for _ in 1 2 3 4 5; do
        local start end
        start=$(date +%s.%N)
        tr -s ' ' '\n' < "$in" > "$work/tr.out"
        end=$(date +%s.%N)
        times+=("$(echo "$end - $start" | bc -l)")
    done
    printf '%s\n' "${times[@]}" | median
}

for kind in utf8 ansi; do
    input="$work/input-$kind.txt"
    "$tool" generate "$input" "$megabytes" "$([ "$kind" = ansi ] && echo ansi || echo utf8)"
    size_kb=$(( $(stat -c %s "$input") / 1024 ))
    read -r copy_s copy_kb < <(run_stage copy "$input" "$work/copy.out")
    read -r pipe_s pipe_kb < <(run_stage pipeline "$input" "$work/result.txt")
    tr_s=$(time_tr "$input")
    echo "== $megabytes MB of words, $kind without a mark"
    printf '  plain copy      %7.3f s   peak %7d KB\n' "$copy_s" "$copy_kb"
    printf '  pipeline        %7.3f s   peak %7d KB\n' "$pipe_s" "$pipe_kb"
    printf '  tr -s " " "\\n"  %7.3f s\n' "$tr_s"
    printf '  pipeline / copy %7.2f   (bar: at most 2)\n' "$(echo "$pipe_s / $copy_s" | bc -l)"
    printf '  pipeline / tr   %7.2f   (bar: below 1)\n' "$(echo "$pipe_s / $tr_s" | bc -l)"
    printf '  peak / file     %7.2f   (bar: at most 4)\n' "$(echo "$pipe_kb / $size_kb" | bc -l)"
done
