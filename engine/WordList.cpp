// Orders the counted words and writes them out a buffer at a time.
#include "engine/WordList.h"

#include "engine/ConvertedWords.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <charconv>
#include <numeric>

namespace quillora {

namespace {
using Entry = WordCounts::Entry;

constexpr qsizetype bufferBytes = qsizetype(1) << 20;

// Gathers lines and hands them on a buffer at a time.
class ListOutput
{
public:
    ListOutput(LineBreak lineBreak, const Utf8Sink& sink)
        : lineBreak_(lineBreak == LineBreak::CrLf ? QByteArrayView("\r\n") : QByteArrayView("\n"))
        , sink_(sink)
    {
        buffer_.reserve(bufferBytes + 64);
    }

    void line(QByteArrayView word)
    {
        buffer_.append(word).append(lineBreak_);
        flushIfFull();
    }

    void countedLine(std::uint64_t count, QByteArrayView word)
    {
        char digits[24];
        const auto written = std::to_chars(std::begin(digits), std::end(digits), count);
        buffer_.append(digits, written.ptr - digits).append('\t');
        line(word);
    }

    void flush()
    {
        if (!buffer_.isEmpty())
            sink_(buffer_);
        buffer_.clear();
    }

private:
    void flushIfFull()
    {
        if (buffer_.size() >= bufferBytes)
            flush();
    }

    QByteArrayView lineBreak_;
    const Utf8Sink& sink_;
    QByteArray buffer_;
};

std::vector<const Entry*> entriesOf(const WordCounts& counts)
{
    std::vector<const Entry*> entries;
    entries.reserve(counts.size());
    for (const Entry& entry : counts.entries())
        entries.push_back(&entry);
    return entries;
}

// The entries by code point: UTF-8 bytes compared as unsigned numbers sort as their code points do.
std::vector<const Entry*> byCodePoint(const WordCounts& counts)
{
    std::vector<const Entry*> entries = entriesOf(counts);
    std::sort(entries.begin(), entries.end(),
              [&](const Entry* left, const Entry* right) { return counts.word(*left) < counts.word(*right); });
    return entries;
}

std::vector<const Entry*> byCount(const WordCounts& counts)
{
    std::vector<const Entry*> entries = entriesOf(counts);
    std::sort(entries.begin(), entries.end(), [&](const Entry* left, const Entry* right) {
        if (left->count != right->count)
            return left->count > right->count;
        return counts.word(*left) < counts.word(*right);
    });
    return entries;
}

std::vector<const Entry*> byLocale(const WordCounts& counts)
{
    const QCollator collator(QLocale::system().collation());
    std::vector<QCollatorSortKey> keys;
    keys.reserve(counts.size());
    for (const Entry& entry : counts.entries())
        keys.push_back(collator.sortKey(QString::fromUtf8(counts.word(entry))));
    std::vector<std::size_t> order(counts.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    const std::vector<Entry>& all = counts.entries();
    std::sort(order.begin(), order.end(), [&](std::size_t left, std::size_t right) {
        if (const int compared = keys[left].compare(keys[right]); compared != 0)
            return compared < 0;
        return counts.word(all[left]) < counts.word(all[right]);
    });
    std::vector<const Entry*> entries;
    entries.reserve(order.size());
    for (const std::size_t index : order)
        entries.push_back(&all[index]);
    return entries;
}
} // namespace

void writeWordList(const WordCounts& counts, const WordListOptions& shape, const Utf8Sink& sink)
{
    ListOutput output(shape.lineBreak, sink);
    switch (shape.order) {
    case WordListOrder::FirstAppearance:
        for (const Entry& entry : counts.entries())
            output.line(counts.word(entry));
        break;
    case WordListOrder::Count:
        for (const Entry* entry : byCount(counts))
            output.countedLine(entry->count, counts.word(*entry));
        break;
    case WordListOrder::CodePoint:
    case WordListOrder::Locale:
        for (const Entry* entry : shape.order == WordListOrder::Locale ? byLocale(counts) : byCodePoint(counts))
            for (std::uint64_t left = shape.eachOnce ? 1 : entry->count; left > 0; --left)
                output.line(counts.word(*entry));
        break;
    }
    output.flush();
}

ConversionOutcome countWords(const FileText& text, bool foldCase, WordCounts& counts)
{
    counts.clear();
    ConvertedWords words(counts, foldCase);
    const ConversionOutcome outcome = text.wordsToLinesUtf8UnlessNotText(
        [&words](QByteArrayView piece) { words.feed(piece); }, [&words] { words.restart(); }, LineBreak::Lf);
    words.finish();
    return outcome;
}

} // namespace quillora
