// FileHasBOM, then the reader it selects; stops at the first failure so one unreadable file gives one box.
#include "engine/ReadingRule.h"

#include "engine/TextReaders.h"

namespace quillora {

std::optional<RuleReading> readByRule(ErrorReport& report, MessageBoxes& boxes, const QString& path,
                                      const ReadingRuleLines& lines, ReadingMode mode)
{
    bool hasMark = false;
    if (!report.step(lines.fileHasBom, [&] { hasMark = FileHasBOM(path); }))
        return std::nullopt;
    std::optional<FileText> text;
    if (hasMark) {
        if (report.choice(lines.testBomIsUtf8, [] { return BOMIsUTF8; }))
            report.step(lines.readUtf8, [&] { text = ReadFileToStringUTF(path, boxes, mode); });
        else
            report.step(lines.readUnicode, [&] { text = ReadFileToStringUnicode(path, boxes); });
    } else {
        report.step(lines.readAnsi, [&] { text = ReadFileToString(path, mode); });
    }
    if (!text)
        return std::nullopt;
    return RuleReading{std::move(*text), hasMark};
}

} // namespace quillora
