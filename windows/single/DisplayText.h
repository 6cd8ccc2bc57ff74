// How a text box shows its exact text: each line break as one character, the text cut into blocks of bounded size.
#pragma once

#include <QString>
#include <QStringView>
#include <span>

namespace quillora {

// Characters of the display that stand for a line break of the text: one ends a block of the display, the other
// breaks the line inside a block.
constexpr char16_t blockBreak = 0x2029;
constexpr char16_t lineBreak = 0x2028;

// The display of a text. CR LF, a lone CR and a lone LF each become one break character; a block ends at a break
// once it holds enough lines or characters, and a long line without breaks is cut into blocks at a space or tab.
// Every other character stays as it is, so each display position stands for one position of the text, with
// CR LF counted as one.
QString displayText(QStringView text);
// The number of display characters of a text.
qsizetype displayLength(QStringView text);
// The index in text of display position unit, counting on from a known pair (fromIndex, fromUnit).
qsizetype textIndex(QStringView text, qsizetype unit, qsizetype fromIndex = 0, qsizetype fromUnit = 0);
// The index in text of display position unit while the CR LF pairs that start at the indices splitPairs
// (ascending) are shown as two breaks, as they are from an edit that brings a lone CR and a lone LF together
// until the display is made again.
qsizetype textIndexWithSplitPairs(QStringView text, qsizetype unit, std::span<const qsizetype> splitPairs);
// Where a part of a long text shown on its own may begin or end near index: after the nearest line break before
// it (for a start) or after it (for an end), else after a nearby space or tab, and never inside a CR LF pair or a
// surrogate pair.
qsizetype partStartBefore(QStringView text, qsizetype index);
qsizetype partEndAfter(QStringView text, qsizetype index);
// The text of characters typed into the display: every break character is CR LF.
QString textFromDisplay(QStringView display);
// True when display is what the text box shows for text, position by position, with the CR LF pairs that start
// at the indices splitPairs (ascending) shown as two breaks.
bool showsText(QStringView display, QStringView text, std::span<const qsizetype> splitPairs = {});

} // namespace quillora
