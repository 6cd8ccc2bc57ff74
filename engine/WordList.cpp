// Orders the counted words and writes them out a buffer at a time.
#include "engine/WordList.h"

#include "engine/ConvertedWords.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <charconv>

namespace quillora {

namespace {
using Counted = WordCounts::Counted;

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

// UTF-8 bytes compared as unsigned numbers sort as their code points do.
bool byCodePoint(const Counted& left, const Counted& right)
{
    return left.word < right.word;
}

// The first eight bytes of a word as a number that sorts as they do, shorter words padded with zeros.
std::uint64_t leadingBytes(QByteArrayView word)
{
    std::uint64_t lead = 0;
    const qsizetype size = std::min<qsizetype>(word.size(), 8);
    for (qsizetype index = 0; index < size; ++index)
        lead |= std::uint64_t(std::uint8_t(word[index])) << (56 - 8 * index);
    return lead;
}

// Sorts words by primary, then by code point; a word's leading bytes settle most comparisons without reading it.
template <typename Primary> void sortBy(std::vector<Counted>& words, Primary&& primary)
{
    struct Keyed
    {
        std::uint64_t primary;
        std::uint64_t lead;
        Counted counted;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(words.size());
    for (const Counted& counted : words)
        keyed.push_back({primary(counted), leadingBytes(counted.word), counted});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& left, const Keyed& right) {
        if (left.primary != right.primary)
            return left.primary < right.primary;
        if (left.lead != right.lead)
            return left.lead < right.lead;
        return byCodePoint(left.counted, right.counted);
    });
    for (std::size_t index = 0; index < words.size(); ++index)
        words[index] = keyed[index].counted;
}

void sortByLocale(std::vector<Counted>& words)
{
    const QCollator collator(QLocale::system().collation());
    std::vector<std::pair<QCollatorSortKey, Counted>> keyed;
    keyed.reserve(words.size());
    for (const Counted& counted : words)
        keyed.emplace_back(collator.sortKey(QString::fromUtf8(counted.word)), counted);
    std::sort(keyed.begin(), keyed.end(), [](const auto& left, const auto& right) {
        if (const int compared = left.first.compare(right.first); compared != 0)
            return compared < 0;
        return byCodePoint(left.second, right.second);
    });
    for (std::size_t index = 0; index < words.size(); ++index)
        words[index] = keyed[index].second;
}
} // namespace

void writeWordList(const WordCounts& counts, const WordListOptions& options, const Utf8Sink& sink)
{
    std::vector<Counted> words = counts.inFirstAppearanceOrder();
    // Most frequent first.
    if (options.order == WordListOrder::Count)
        sortBy(words, [](const Counted& counted) { return ~counted.count; });
    else if (options.order == WordListOrder::CodePoint)
        sortBy(words, [](const Counted&) { return std::uint64_t(0); });
    else if (options.order == WordListOrder::Locale)
        sortByLocale(words);
    ListOutput output(options.lineBreak, sink);
    for (const Counted& counted : words) {
        if (options.order == WordListOrder::Count)
            output.countedLine(counted.count, counted.word);
        else
            for (std::uint64_t left
                 = options.eachOnce || options.order == WordListOrder::FirstAppearance ? 1 : counted.count;
                 left > 0; --left)
                output.line(counted.word);
    }
    output.flush();
}

ConversionOutcome countWords(const FileText& text, bool foldCase, WordCounts& counts,
                             const std::function<void()>& eachPiece)
{
    counts.clear();
    ConvertedWords words(counts, foldCase);
    const ConversionOutcome outcome = text.wordsToLinesUtf8UnlessNotText(
        [&](QByteArrayView piece) {
            eachPiece();
            words.feed(piece);
        },
        [&words] { words.restart(); }, LineBreak::CrLf);
    words.finish();
    return outcome;
}

} // namespace quillora
