#!/usr/bin/env bash
# Shell baselines for the file benchmarks, sourced by them: the plain and the durable copy, tr, and cp -r, each the
# median of five runs. `sync -d` calls fdatasync on each file it is given, in one process per batch of names.
# shellcheck disable=SC2034 # the results are read by the scripts that source this

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# Prints the median wall time in seconds of five runs of a shell command, run in this shell so that only the
# command's own processes are timed; the setup command runs before each, untimed.
time_median() { # setup command
    local setup=$1 command=$2 times=() start end
    for _ in 1 2 3 4 5; do
        eval "$setup"
        start=$EPOCHREALTIME
        eval "$command"
        end=$EPOCHREALTIME
        times+=("$(echo "$end - $start" | bc -l)")
    done
    printf '%s\n' "${times[@]}" | median | awk '{ printf "%.3f\n", $1 }'
}

# Sets cat_s, durable_s and tr_s for one file, writing beside it in scratch.
file_baselines() { # source scratch
    local in=$1 out=$2/baseline.out
    cat "$in" > /dev/null # the page cache is warm for every contender
    cat_s=$(time_median "rm -f '$out'" "cat '$in' > '$out'")
    durable_s=$(time_median "rm -f '$out'" "cat '$in' > '$out' && sync -d '$out'")
    tr_s=$(time_median "rm -f '$out'" "tr -s ' ' '\\n' < '$in' > '$out'")
    rm -f "$out"
}

# Sets cp_s, synced_cp_s (cp -r, then one `sync -f` of the file system, as a user makes a copy durable) and
# durable_cp_s (fdatasync of each file) for a folder of files, copying it into scratch.
folder_baselines() { # folder scratch
    local in=$1 out=$2/baseline-copy
    cat "$in"/* > /dev/null
    cp_s=$(time_median "rm -rf '$out'" "cp -r '$in' '$out'")
    synced_cp_s=$(time_median "rm -rf '$out'; sync -f '$2'" "cp -r '$in' '$out' && sync -f '$out'")
    durable_cp_s=$(time_median "rm -rf '$out'" "cp -r '$in' '$out' && find '$out' -type f -print0 | xargs -0 sync -d")
    rm -rf "$out"
}

# Prints "  NAME / BASELINE  RATIO" for two times in seconds.
ratio() { # label seconds baseline_seconds [bar]
    printf '  %-34s %7.2f   %s\n' "$1" "$(echo "$2 / $3" | bc -l)" "${4:-}"
}
