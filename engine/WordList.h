// A list of the words counted in texts, written out in the order asked for.
#pragma once

#include "engine/FileText.h"
#include "engine/LineBreak.h"
#include "engine/LinesOutput.h"
#include "engine/WordCounts.h"

namespace quillora {

enum class WordListOrder
{
    // Each word once, where it first appeared.
    FirstAppearance,
    // By Unicode code point, which is the order of the UTF-8 bytes.
    CodePoint,
    // By the collation of the user's locale, equal words by code point.
    Locale,
    // "COUNT<TAB>WORD", most frequent first, equal counts by code point.
    Count
};

struct WordListOptions
{
    WordListOrder order = WordListOrder::Count;
    // In the sorted orders: each word once rather than as often as it occurs.
    bool eachOnce = false;
    // Words are compared, and written, by their full Unicode case folding.
    bool foldCase = false;
    LineBreak lineBreak = LineBreak::CrLf;
};

// Every line, the last included, ends with the line break, so the list is a line list for other tools.
void writeWordList(const WordCounts& counts, const WordListOptions& options, const Utf8Sink& sink);

// Counts the words of text, converted as its result would be, into counts, which it empties first. NotText when the
// text turns out not to be text on the way. Throws Failure as FileText::wordsToLinesUtf8UnlessNotText does, and what
// eachPiece, called before each piece of the text is counted, throws.
ConversionOutcome countWords(
    const FileText& text, bool foldCase, WordCounts& counts, const std::function<void()>& eachPiece = [] {});

} // namespace quillora
