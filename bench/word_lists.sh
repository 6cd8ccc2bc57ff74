#!/usr/bin/env bash
# The word lists against the shell pipelines people build them with, on 100 MB of words drawn by Zipf's law:
# --count from a file and from standard input against tr | sort | uniq -c | sort -rn and against awk, with peak
# memory; --unique, --sort and --sort --unique against awk and sort; --merge of the count lists of four quarters
# against one --count; and whether the lists agree with the pipelines'. Times are medians of 5 runs.
# Usage: bench/word_lists.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
build=${1:-build}
work=$(mktemp -d "${TMPDIR:-/var/tmp}/word-lists.XXXXXX")
trap 'rm -rf "$work"' EXIT
# shellcheck source=bench/baselines.sh
source "$(dirname "$0")/baselines.sh"
corpus="$work/corpus.txt"
out="$work/out.txt"
quillora="'$build/bin/quillora' --quiet"

# The baselines take the same words: the text cut at spaces and line ends, the empty pieces dropped. Each is the
# fast usual form: the C locale, and the system's awk as it is (mawk where that is the one installed).
# shellcheck disable=SC2020 # tr maps characters one to one
words() { LC_ALL=C tr -s ' \r\n' '\n\n\n' < "$corpus"; }
# shellcheck disable=SC2016 # the $0 is awk's
awk_count='{ n[$0]++ } END { for (w in n) print n[w] "\t" w }'
sort_count() { words | LC_ALL=C sort | LC_ALL=C uniq -c | LC_ALL=C sort -rn; }
peak_mb() { # command... -> the command's peak resident memory in MB, its output dropped
    /usr/bin/time -f %M -o "$work/peak" "$@" > /dev/null
    echo $(($(cat "$work/peak") / 1024))
}
verdict() { if cmp -s "$1" "$2"; then echo agree; else echo DIFFER; fi; }
row() { printf '  %-34s %7.3f s\n' "$1" "$2"; }

echo "corpus: $("$build/bin/bench_zipf_corpus" "$corpus" "${2:-100}")"
cat "$corpus" > /dev/null # the page cache is warm for every contender

count_s=$(time_median "" "$quillora --count --to - '$corpus' > '$out'")
piped_s=$(time_median "" "$quillora --count --lf - < '$corpus' > '$out'")
sort_count_s=$(time_median "" "sort_count > '$out'")
awk_count_s=$(time_median "" "words | LC_ALL=C awk '$awk_count' | LC_ALL=C sort -rn > '$out'")
count_mb=$(eval "peak_mb $quillora --count --to - '$corpus'")
piped_mb=$(eval "peak_mb $quillora --count --lf - < '$corpus'")
awk_mb=$(words | LC_ALL=C peak_mb awk "$awk_count")
echo "== --count of $(($(stat -c %s "$corpus") >> 20)) MB (median of 5 runs; peak memory of one)"
row "quillora --count --to - FILE" "$count_s"
row "quillora --count --lf - < FILE" "$piped_s"
row "tr | sort | uniq -c | sort -rn" "$sort_count_s"
row "tr | awk (n[\$0]++) | sort -rn" "$awk_count_s"
ratio "--count / sort | uniq -c" "$count_s" "$sort_count_s" "(bar: at most 0.1)"
ratio "--count / awk" "$count_s" "$awk_count_s" "(bar: at most 0.2)"
ratio "--count - / sort | uniq -c" "$piped_s" "$sort_count_s"
printf '  %-34s %7d MB   (bar: at most 80 MB)\n' "peak of --count FILE" "$count_mb" \
    "peak of --count - < FILE" "$piped_mb"
printf '  %-34s %7d MB\n' "peak of awk" "$awk_mb"

unique_s=$(time_median "" "$quillora --unique --to - '$corpus' > '$out'")
awk_unique_s=$(time_median "" "words | LC_ALL=C awk '!seen[\$0]++' > '$out'")
sort_s=$(time_median "" "$quillora --sort --to - '$corpus' > '$out'")
sorted_s=$(time_median "" "words | LC_ALL=C sort > '$out'")
sort_unique_s=$(time_median "" "$quillora --sort --unique --to - '$corpus' > '$out'")
sorted_unique_s=$(time_median "" "words | LC_ALL=C sort -u > '$out'")
echo "== --unique and --sort (median of 5 runs)"
row "quillora --unique" "$unique_s"
row "tr | awk '!seen[\$0]++'" "$awk_unique_s"
row "quillora --sort" "$sort_s"
row "tr | sort" "$sorted_s"
row "quillora --sort --unique" "$sort_unique_s"
row "tr | sort -u" "$sorted_unique_s"
ratio "--unique / awk" "$unique_s" "$awk_unique_s"
ratio "--sort / sort" "$sort_s" "$sorted_s"
ratio "--sort --unique / sort -u" "$sort_unique_s" "$sorted_unique_s"

(cd "$work" && split -n l/4 corpus.txt quarter.)
for quarter in "$work"/quarter.*; do
    eval "$quillora --count --lf --to - '$quarter'" > "$work/counts.${quarter##*.}"
done
merge_s=$(time_median "" "$quillora --merge --lf --to - '$work'/counts.* > '$out'")
echo "== --merge of the count lists of 4 quarters (median of 5 runs)"
row "quillora --merge of 4 lists" "$merge_s"
row "quillora --count --to - FILE" "$count_s"
ratio "--merge / --count" "$merge_s" "$count_s"

eval "$quillora --count --lf --to - '$corpus'" > "$work/ours"
echo "== the lists beside the pipelines'"
echo "  --merge of quarters, --count of the whole: $(verdict "$out" "$work/ours")"
sort_count | sed -E 's/^ *([0-9]+) /\1\t/' > "$work/theirs"
echo "  --count, sort | uniq -c as (count, word) pairs: $(verdict <(LC_ALL=C sort "$work/ours") \
    <(LC_ALL=C sort "$work/theirs"))"
echo "  --count, most frequent first, then code-point order: $(verdict "$work/ours" \
    <(LC_ALL=C sort -t $'\t' -k1,1nr -k2 "$work/theirs"))"
