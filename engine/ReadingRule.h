// The reading rule each caller applies with its own error label and line numbers.
#pragma once

#include "engine/FileText.h"
#include "engine/TextReaders.h"
#include "platform/Failure.h"

namespace quillora {

// The caller's line numbers for the steps of the rule.
struct ReadingRuleLines
{
    int fileHasBom;
    // The test of which mark was found; a comparison that cannot fail, so no failure carries this line.
    int testBomIsUtf8;
    int readUtf8;
    int readUnicode;
    int readAnsi;
};

struct RuleReading
{
    FileText text;
    bool hadMark = false;

    // Text without a mark never holds a NUL byte; such a file is binary and must not be replaced. A text in an open
    // file is read for the answer.
    bool readFindsBinary() const { return !hadMark && text.readFindsNul(); }
};

// Reads path by its byte-order mark, stopping at the first failure so one unreadable file gives one failure: either
// one of the caller's steps at its line in lines, or one of a reader's own steps under the reader's label. A file
// without a mark that is not UTF-8 is read in page.
OrFailure<RuleReading> readByRule(const QString& path, const ReadingRuleLines& lines, ReadingMode mode,
                                  AnsiCodePage page);

} // namespace quillora
