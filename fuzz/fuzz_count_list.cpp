// The count-list reader on arbitrary bytes: cut into pieces where the input itself says, it reads what it reads fed
// whole; every line is handed on or told bad, handed words are words of a converted text, bad lines come in order.
#include "FuzzSupport.h"
#include "engine/CountListReader.h"
#include "engine/Utf8Check.h"

#include <QByteArray>
#include <utility>
#include <vector>

using namespace quillora;

namespace {

struct Reading
{
    std::vector<std::pair<QByteArray, quint64>> words;
    std::vector<CountListReader::BadLine> badLines;
    qint64 badLineCount = 0;

    bool operator==(const Reading& other) const
    {
        if (words != other.words || badLineCount != other.badLineCount || badLines.size() != other.badLines.size())
            return false;
        for (std::size_t i = 0; i < badLines.size(); ++i) {
            if (badLines[i].line != other.badLines[i].line || badLines[i].reason != other.badLines[i].reason)
                return false;
        }
        return true;
    }
};

template <typename FeedPieces> Reading read(FeedPieces feedPieces)
{
    Reading reading;
    CountListReader reader(
        [&reading](QByteArrayView word, quint64 count) { reading.words.emplace_back(word.toByteArray(), count); });
    feedPieces(reader);
    reader.finish();
    reading.badLines = reader.badLines();
    reading.badLineCount = reader.badLineCount();
    return reading;
}

// The lines of bytes, counted plainly: CR LF, a lone CR and a lone LF each end one.
qint64 lineCount(QByteArrayView bytes)
{
    qint64 lines = 0;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            ++lines;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            lineStart = i + 1;
        }
    }
    const bool byteOrderMarkAlone = bytes == QByteArrayView("\xEF\xBB\xBF");
    if (lineStart < bytes.size() && !byteOrderMarkAlone)
        ++lines;
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Reading whole = read([bytes](CountListReader& reader) { reader.feed(bytes); });

    // Pieces of 1 to 15 bytes, their lengths taken from the input's own bytes in turn, a 0 giving an empty piece
    // before one of a single byte.
    const Reading cut = read([bytes](CountListReader& reader) {
        qsizetype at = 0;
        for (qsizetype i = 0; at < bytes.size(); ++i) {
            const qsizetype wanted = uchar(bytes[i % bytes.size()]) % 16;
            if (wanted == 0)
                reader.feed(QByteArrayView());
            const qsizetype length = qMin(bytes.size() - at, qMax<qsizetype>(wanted, 1));
            reader.feed(bytes.sliced(at, length));
            at += length;
        }
    });
    fuzzing::require(cut == whole, "pieces read as the whole");

    fuzzing::require(qint64(whole.words.size()) + whole.badLineCount == lineCount(bytes),
                     "every line handed on or told bad");
    for (const auto& [word, count] : whole.words) {
        fuzzing::require(count >= 1, "a count of at least one");
        fuzzing::require(!word.isEmpty() && checkUtf8(word).valid, "a word is well-formed UTF-8");
        fuzzing::require(!word.contains(' ') && !word.contains('\r') && !word.contains('\n'),
                         "a word holds no space or line break");
    }
    fuzzing::require(whole.badLines.size()
                         == std::size_t(qMin<qint64>(whole.badLineCount, CountListReader::keptBadLines)),
                     "the first bad lines kept");
    qint64 previousLine = 0;
    for (const CountListReader::BadLine& bad : whole.badLines) {
        fuzzing::require(bad.line > previousLine && !bad.reason.isEmpty(), "bad lines in order, each with a reason");
        previousLine = bad.line;
    }

    // Written back as --count writes them, the handed words read back as they are.
    QByteArray written;
    for (const auto& [word, count] : whole.words)
        written += QByteArray::number(count) + '\t' + word + "\r\n";
    const Reading again = read([&written](CountListReader& reader) { reader.feed(written); });
    fuzzing::require(again.words == whole.words && again.badLineCount == 0, "written words read back");
    return 0;
}
