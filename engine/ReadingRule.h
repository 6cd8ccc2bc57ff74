// The reading rule each caller applies with its own error report and line numbers.
#pragma once

#include "engine/FileText.h"
#include "engine/TextReaders.h"
#include "platform/ErrorReport.h"

#include <optional>

namespace quillora {

struct ReadingRuleLines
{
    int fileHasBom;
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

// Reads path by its byte-order mark. A file that cannot be read gives one error box and nothing.
std::optional<RuleReading> readByRule(ErrorReport& report, MessageBoxes& boxes, const QString& path,
                                      const ReadingRuleLines& lines, ReadingMode mode = ReadingMode::Whole);

} // namespace quillora
