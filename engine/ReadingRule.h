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
};

// Reads path by its byte-order mark, stopping at the first failure so one unreadable file gives one failure: either
// one of the caller's steps at its line in lines, or one of a reader's own steps under the reader's label.
OrFailure<RuleReading> readByRule(const QString& path, const ReadingRuleLines& lines,
                                  ReadingMode mode = ReadingMode::Whole);

} // namespace quillora
