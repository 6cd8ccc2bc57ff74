// Builds the display in one pass, writing straight into a string of the final length.
#include "windows/single/DisplayText.h"

namespace quillora {

namespace {
// A block ends at the next line break once it holds this many lines or characters, so that editing a block,
// which lays it out again whole, stays quick.
constexpr int blockLines = 64;
constexpr qsizetype blockCharacters = 1024;
// A line longer than this is cut into blocks at a space or tab.
constexpr qsizetype longestBlock = 8192;

bool isBreak(char16_t character)
{
    return character == u'\r' || character == u'\n';
}

bool isBlank(char16_t character)
{
    return character == u' ' || character == u'\t';
}

// How far a part's edge may move from where it was asked for to find a line break or a blank.
constexpr qsizetype edgeSearch = 4096;

// An edge that splits neither a CR LF pair nor a surrogate pair.
qsizetype wholeCharacterEdge(QStringView text, qsizetype index)
{
    if (index <= 0 || index >= text.size())
        return qBound<qsizetype>(0, index, text.size());
    if ((text[index - 1] == u'\r' && text[index] == u'\n')
        || (text[index - 1].isHighSurrogate() && text[index].isLowSurrogate()))
        return index + 1;
    return index;
}

// Walks a text break by break, knowing which CR LF pairs are shown as two breaks.
class BreakWalk
{
public:
    BreakWalk(QStringView text, std::span<const qsizetype> splitPairs)
        : text_(text)
        , splitPairs_(splitPairs)
    { }

    // The number of text characters that the display character at index stands for.
    qsizetype length(qsizetype index)
    {
        if (text_[index] != u'\r' || index + 1 >= text_.size() || text_[index + 1] != u'\n')
            return 1;
        while (!splitPairs_.empty() && splitPairs_.front() < index)
            splitPairs_ = splitPairs_.subspan(1);
        return !splitPairs_.empty() && splitPairs_.front() == index ? 1 : 2;
    }

private:
    QStringView text_;
    std::span<const qsizetype> splitPairs_;
};
} // namespace

qsizetype displayLength(QStringView text)
{
    qsizetype pairs = 0;
    for (qsizetype i = text.indexOf(u'\r'); i >= 0 && i + 1 < text.size(); i = text.indexOf(u'\r', i + 1)) {
        if (text[i + 1] == u'\n')
            ++pairs;
    }
    return text.size() - pairs;
}

QString displayText(QStringView text)
{
    QString display(displayLength(text), Qt::Uninitialized);
    char16_t* const out = reinterpret_cast<char16_t*>(display.data());
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    qsizetype written = 0;
    qsizetype blockStart = 0;
    qsizetype lastBlank = -1;
    int lines = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t character = in[i];
        if (isBreak(character)) {
            if (character == u'\r' && i + 1 < size && in[i + 1] == u'\n')
                ++i;
            ++lines;
            if (lines >= blockLines || written - blockStart >= blockCharacters) {
                out[written++] = blockBreak;
                blockStart = written;
                lines = 0;
            } else {
                out[written++] = lineBreak;
            }
            lastBlank = -1;
            continue;
        }
        if (isBlank(character))
            lastBlank = written;
        out[written++] = character;
        if (character == blockBreak) {
            blockStart = written;
            lines = 0;
            lastBlank = -1;
        } else if (written - blockStart >= longestBlock && lastBlank > blockStart) {
            out[lastBlank] = blockBreak;
            blockStart = lastBlank + 1;
            lines = 0;
            lastBlank = -1;
        }
    }
    return display;
}

qsizetype textIndex(QStringView text, qsizetype unit, qsizetype fromIndex, qsizetype fromUnit)
{
    qsizetype index = fromIndex;
    for (qsizetype at = fromUnit; at < unit && index < text.size(); ++at)
        index += (text[index] == u'\r' && index + 1 < text.size() && text[index + 1] == u'\n') ? 2 : 1;
    for (qsizetype at = fromUnit; at > unit && index > 0; --at)
        index -= (index >= 2 && text[index - 1] == u'\n' && text[index - 2] == u'\r') ? 2 : 1;
    return index;
}

qsizetype textIndexWithSplitPairs(QStringView text, qsizetype unit, std::span<const qsizetype> splitPairs)
{
    BreakWalk walk(text, splitPairs);
    qsizetype index = 0;
    for (qsizetype at = 0; at < unit && index < text.size(); ++at)
        index += walk.length(index);
    return index;
}

qsizetype partStartBefore(QStringView text, qsizetype index)
{
    if (index <= 0)
        return 0;
    index = qMin(index, text.size());
    const qsizetype from = qMax<qsizetype>(0, index - edgeSearch);
    qsizetype blank = -1;
    for (qsizetype i = index - 1; i >= from; --i) {
        if (isBreak(text[i].unicode()))
            return wholeCharacterEdge(text, i + 1);
        if (blank < 0 && isBlank(text[i].unicode()))
            blank = i + 1;
    }
    return wholeCharacterEdge(text, blank >= 0 ? blank : index);
}

qsizetype partEndAfter(QStringView text, qsizetype index)
{
    if (index >= text.size())
        return text.size();
    index = qMax<qsizetype>(index, 0);
    const qsizetype to = qMin(text.size(), index + edgeSearch);
    qsizetype blank = -1;
    for (qsizetype i = index; i < to; ++i) {
        if (isBreak(text[i].unicode()))
            return wholeCharacterEdge(text, i + 1);
        if (blank < 0 && isBlank(text[i].unicode()))
            blank = i + 1;
    }
    return wholeCharacterEdge(text, blank >= 0 ? blank : index);
}

QString textFromDisplay(QStringView display)
{
    QString text;
    text.reserve(display.size());
    for (const QChar character : display) {
        if (character == QChar(blockBreak) || character == QChar(lineBreak))
            text.append(QStringLiteral("\r\n"));
        else
            text.append(character);
    }
    return text;
}

bool showsText(QStringView display, QStringView text, std::span<const qsizetype> splitPairs)
{
    BreakWalk walk(text, splitPairs);
    qsizetype index = 0;
    for (const QChar shown : display) {
        if (index >= text.size())
            return false;
        const char16_t character = text[index].unicode();
        const bool shownAsBreak = shown == QChar(blockBreak) || shown == QChar(lineBreak);
        if (isBreak(character)) {
            if (!shownAsBreak)
                return false;
            index += walk.length(index);
            continue;
        }
        if (shown != text[index] && !(isBlank(character) && shown == QChar(blockBreak)))
            return false;
        ++index;
    }
    return index == text.size();
}

} // namespace quillora
