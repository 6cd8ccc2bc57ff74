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

bool byCount(const Counted& left, const Counted& right)
{
    if (left.count != right.count)
        return left.count > right.count;
    return left.word < right.word;
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
    if (options.order == WordListOrder::Count)
        std::sort(words.begin(), words.end(), byCount);
    else if (options.order == WordListOrder::CodePoint)
        std::sort(words.begin(), words.end(), byCodePoint);
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

ConversionOutcome countWords(const FileText& text, bool foldCase, WordCounts& counts)
{
    counts.clear();
    ConvertedWords words(counts, foldCase);
    const ConversionOutcome outcome = text.wordsToLinesUtf8UnlessNotText(
        [&words](QByteArrayView piece) { words.feed(piece); }, [&words] { words.restart(); }, LineBreak::CrLf);
    words.finish();
    return outcome;
}

} // namespace quillora
