#!/usr/bin/env bash
# The batch window's benchmarks: the list with 100,000 entries, then the runs over 10,000 small files and one
# 100 MB file, each beside its baseline measured in the same run. Under a virtual display when there is none,
# since the window repaints once per file. Usage: bench/batch_run.sh [BUILD_DIR] [--small|--large]
set -euo pipefail
build=${1:-build}
shift || true
display=()
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run > /dev/null; then
    display=(xvfb-run -a env QT_QPA_PLATFORM=xcb)
fi
"${display[@]}" "$build/bin/bench_batch_list" 2> /dev/null
"${display[@]}" "$build/bin/bench_batch_run" "$@" 2> /dev/null
