// Lines are found eight bytes at a time; the same pass tells whether a line holds a space or a byte of 0x80 or
// more, so that only lines with such bytes are looked at closer. A line cut by a piece waits in a carry buffer.
#include "engine/CountListReader.h"

#include "engine/Utf8Check.h"

#include <QtEndian>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace quillora {

namespace {

constexpr std::uint64_t everyByte(unsigned char byte)
{
    return 0x0101010101010101ULL * byte;
}

// 0x80 in each byte of block that is zero, 0 in the others.
constexpr std::uint64_t zeroBytes(std::uint64_t block)
{
    constexpr std::uint64_t lowBits = everyByte(0x7F);
    return ~(((block & lowBits) + lowBits) | block | lowBits);
}

struct LineScan
{
    const char* lineBreak;
    bool hasHigh = false;
    bool hasSpace = false;
};

// Finds the first CR or LF in [at, end), or end when there is none, and what the bytes before it hold.
LineScan scanLine(const char* at, const char* const end)
{
    std::uint64_t high = 0;
    std::uint64_t spaces = 0;
    for (; end - at >= 8; at += 8) {
        const auto block = qFromLittleEndian<std::uint64_t>(at);
        const std::uint64_t breaks = zeroBytes(block ^ everyByte('\n')) | zeroBytes(block ^ everyByte('\r'));
        const std::uint64_t space = zeroBytes(block ^ everyByte(' '));
        if (breaks != 0) {
            // The bits of the bytes before the first break; each flag is the top bit of its byte.
            const int breakBit = std::countr_zero(breaks);
            const std::uint64_t before = (std::uint64_t(1) << breakBit) - 1;
            high |= block & everyByte(0x80) & before;
            spaces |= space & before;
            return {at + breakBit / 8, high != 0, spaces != 0};
        }
        high |= block & everyByte(0x80);
        spaces |= space;
    }
    LineScan scan{end, high != 0, spaces != 0};
    for (; at < end; ++at) {
        if (*at == '\n' || *at == '\r') {
            scan.lineBreak = at;
            break;
        }
        scan.hasHigh |= (*at & 0x80) != 0;
        scan.hasSpace |= *at == ' ';
    }
    return scan;
}

constexpr bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

// How far a piece is well-formed UTF-8, checked on from a line's start only when a line with bytes beyond ASCII
// runs past what is known: a piece of well-formed lines is checked in one pass. A line inside a well-formed stretch
// is well-formed itself, since it starts and ends beside an ASCII byte, which no sequence holds.
class WellFormedReach
{
public:
    WellFormedReach(const char* begin, const char* end)
        : reach_(begin)
        , end_(end)
    { }

    bool holds(const char* lineStart, const char* lineEnd)
    {
        if (lineEnd > reach_) {
            Utf8Check check;
            reach_ = lineStart + checkUtf8Prefix(QByteArrayView(lineStart, end_), check);
        }
        return lineEnd <= reach_;
    }

private:
    const char* reach_;
    const char* const end_;
};

constexpr char byteOrderMark[] = "\xEF\xBB\xBF";
constexpr qsizetype byteOrderMarkSize = 3;

} // namespace

CountListReader::CountListReader(CountedWord counted)
    : counted_(std::move(counted))
{ }

void CountListReader::feed(QByteArrayView bytes)
{
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    if (at < end && std::exchange(afterCr_, false) && *at == '\n')
        ++at;
    WellFormedReach wellFormed(at, end);
    while (at < end) {
        const LineScan scan = scanLine(at, end);
        if (scan.lineBreak == end) {
            carry_.append(at, end);
            return;
        }
        if (carry_.empty()) {
            takeLine(at, scan.lineBreak, !scan.hasHigh || wellFormed.holds(at, scan.lineBreak), scan.hasSpace);
        } else {
            carry_.append(at, scan.lineBreak);
            takeCarriedLine();
        }
        at = passBreak(scan.lineBreak, end);
    }
}

void CountListReader::finish()
{
    // A text of a byte-order mark alone holds no line.
    if (!carry_.empty() && !(line_ == 1 && carry_ == byteOrderMark))
        takeCarriedLine();
    carry_.clear();
    afterCr_ = false;
}

void CountListReader::takeCarriedLine()
{
    const char* const begin = carry_.data();
    const char* const end = begin + carry_.size();
    const LineScan scan = scanLine(begin, end);
    takeLine(begin, end, !scan.hasHigh || checkUtf8(QByteArrayView(begin, end)).valid, scan.hasSpace);
    carry_.clear();
}

const char* CountListReader::passBreak(const char* lineBreak, const char* end)
{
    ++line_;
    if (*lineBreak == '\r') {
        if (lineBreak + 1 == end) {
            afterCr_ = true;
            return end;
        }
        if (lineBreak[1] == '\n')
            return lineBreak + 2;
    }
    return lineBreak + 1;
}

void CountListReader::takeLine(const char* at, const char* const end, bool wellFormed, bool hasSpace)
{
    if (line_ == 1 && end - at >= byteOrderMarkSize && std::memcmp(at, byteOrderMark, byteOrderMarkSize) == 0)
        at += byteOrderMarkSize;
    if (at == end)
        return tellBadLine("empty line");

    const char* const countBegin = at;
    quint64 count = 0;
    // Nineteen digits always fit in 64 bits; only the digits after them may carry the count past the largest.
    const char* const safeEnd = at + qMin<qsizetype>(end - at, 19);
    for (; at < safeEnd && isDigit(*at); ++at)
        count = count * 10 + unsigned(*at - '0');
    bool tooLarge = false;
    for (; at < end && isDigit(*at); ++at) {
        const unsigned digit = unsigned(*at - '0');
        if (count > (std::numeric_limits<quint64>::max() - digit) / 10)
            tooLarge = true;
        else
            count = count * 10 + digit;
    }
    if (at == countBegin)
        return tellBadLine("no count");
    if (tooLarge)
        return tellBadLine("count too large");
    if (count == 0)
        return tellBadLine("count of zero");
    if (at == end || *at != '\t')
        return tellBadLine("no tab after the count");
    ++at;

    // The count and its tab are plain ASCII: a space or ill-formed UTF-8 on the line is in the word.
    if (at == end)
        return tellBadLine("empty word");
    if (hasSpace)
        return tellBadLine("space in the word");
    if (!wellFormed)
        return tellBadLine("not UTF-8");
    counted_(QByteArrayView(at, end), count);
}

void CountListReader::tellBadLine(const char* reason)
{
    if (badLineCount_++ < keptBadLines)
        badLines_.push_back({line_, QString::fromLatin1(reason)});
}

} // namespace quillora
