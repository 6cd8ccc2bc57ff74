#!/usr/bin/env bash
# The command line against the shell tools it replaces, in one run on this machine: 100 MB of words (--to against
# cat, the durable copy and tr; "-" in a pipe against tr in the same pipe), 10,000 files of 2 KB in one folder (--to
# against cp -r, the durable cp -r and a shell loop of tr per file), and 100 MB in Windows-1251 read with --ansi 1251
# against the same size in Windows-1252. Times are medians; the ratios are printed with their bars.
# Usage: bench/cli.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
quillora="$build/bin/quillora"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=bench/baselines.sh
source "$(dirname "$0")/baselines.sh"
# Sizes in millions of bytes: 105 gives about 100 MiB, 21 the 10,000 files of 2048 bytes.
generate="$build/bin/bench_pipeline"
mkdir "$work/out"

"$generate" generate "$work/large.txt" 105 utf8
file_baselines "$work/large.txt" "$work"
to_s=$(time_median "rm -f '$work/out/large.txt'" "'$quillora' --quiet --to '$work/out' '$work/large.txt'")
pipe_s=$(time_median "" "cat '$work/large.txt' | '$quillora' --quiet - > '$work/out/piped.txt'")
tr_pipe_s=$(time_median "" "cat '$work/large.txt' | tr -s ' ' '\\n' > '$work/out/piped.txt'")
echo "== $(($(stat -c %s "$work/large.txt") >> 20)) MB of words (median of 5 runs)"
printf '  quillora --to                      %7.3f s\n' "$to_s"
printf '  cat SRC > DST                      %7.3f s\n' "$cat_s"
printf '  cat + fdatasync of DST             %7.3f s\n' "$durable_s"
printf "  tr -s ' ' '\\\\n'                     %7.3f s\n" "$tr_s"
printf '  cat SRC | quillora - > DST         %7.3f s\n' "$pipe_s"
printf "  cat SRC | tr -s ' ' '\\\\n' > DST       %7.3f s\n" "$tr_pipe_s"
ratio "--to / cat" "$to_s" "$cat_s"
ratio "--to / (cat + fdatasync)" "$to_s" "$durable_s" "(bar: at most 2)"
ratio "--to / tr" "$to_s" "$tr_s" "(bar: at most 0.5)"
ratio "quillora - / tr, in a pipe" "$pipe_s" "$tr_pipe_s" "(bar: at most 0.5)"
rm -f "$work/large.txt" "$work/out/"*

"$generate" generate "$work/words.txt" 21 utf8
mkdir "$work/small"
head -c $((10000 * 2048)) "$work/words.txt" | (cd "$work/small" && split -b 2048 -a 5 -d --additional-suffix=.txt - text)
rm -f "$work/words.txt"
folder_baselines "$work/small" "$work"
small_s=$(time_median "rm -rf '$work/out'; mkdir '$work/out'" "'$quillora' --quiet --to '$work/out' '$work/small'")
loop_s=$(time_median "rm -rf '$work/out'; mkdir '$work/out'" \
    "for f in '$work/small'/*; do tr -s ' ' '\\n' < \"\$f\" > '$work/out/'\"\${f##*/}\"; done")
echo "== $(find "$work/small" -type f | wc -l) files of 2048 bytes in one folder (median of 5 runs)"
printf '  quillora --to                      %7.3f s\n' "$small_s"
printf '  cp -r                              %7.3f s\n' "$cp_s"
printf '  cp -r + sync -f                     %7.3f s\n' "$synced_cp_s"
printf '  cp -r + fdatasync of each file     %7.3f s\n' "$durable_cp_s"
printf '  shell loop of tr per file          %7.3f s\n' "$loop_s"
ratio "--to / cp -r" "$small_s" "$cp_s"
ratio "--to / (cp -r + sync -f)" "$small_s" "$synced_cp_s"
ratio "--to / durable cp -r" "$small_s" "$durable_cp_s" "(bar: at most 1.3)"
ratio "tr loop / --to" "$loop_s" "$small_s" "(bar: at least 10)"
rm -rf "$work/small" "$work/out"
mkdir "$work/out"

"$generate" generate "$work/western.txt" 105 ansi
"$build/bin/bench_codepage" generate "$work/cyrillic.txt" 105
western_s=$(time_median "rm -f '$work/out/western.txt'" \
    "'$quillora' --quiet --ansi 1252 --to '$work/out' '$work/western.txt'")
cyrillic_s=$(time_median "rm -f '$work/out/cyrillic.txt'" \
    "'$quillora' --quiet --ansi 1251 --to '$work/out' '$work/cyrillic.txt'")
echo "== about 100 MB without a mark, in its code page (median of 5 runs)"
printf '  --ansi 1252, Windows-1252 text     %7.3f s\n' "$western_s"
printf '  --ansi 1251, Windows-1251 text     %7.3f s\n' "$cyrillic_s"
ratio "1251 / 1252" "$cyrillic_s" "$western_s" "(bar: at most 1.5)"
