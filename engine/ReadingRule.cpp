// FileHasBOM, then the reader it selects, which is handed the mark so that it does not read it again.
#include "engine/ReadingRule.h"

namespace quillora {

namespace {
// Runs the caller's step at line that calls a reader; the reader's failure, or the step's own, comes back.
template <typename Read> OrFailure<FileText> readerStep(int line, Read&& read)
{
    std::optional<OrFailure<FileText>> text;
    if (std::optional<StepFailure> failure = tryStep(line, [&] { text.emplace(read()); }))
        return std::move(*failure);
    if (!*text && text->failure().procedure.isEmpty()) {
        StepFailure failure = text->failure();
        failure.line = line;
        return failure;
    }
    return std::move(*text);
}
} // namespace

OrFailure<RuleReading> readByRule(const QString& path, const ReadingRuleLines& lines, ReadingMode mode,
                                  AnsiCodePage page, FileFacts& facts)
{
    ByteOrderMark mark = ByteOrderMark::None;
    if (std::optional<StepFailure> failure = tryStep(lines.fileHasBom, [&] { mark = FileHasBOM(path); }))
        return std::move(*failure);
    OrFailure<FileText> text = mark == ByteOrderMark::Utf8
        ? readerStep(lines.readUtf8, [&] { return ReadFileToStringUTF(path, mark, mode); })
        : mark == ByteOrderMark::Unicode
        ? readerStep(lines.readUnicode, [&] { return ReadFileToStringUnicode(path, mode); })
        : readerStep(lines.readAnsi, [&] { return ReadFileToString(path, mode, page, facts); });
    if (!text)
        return text.failure();
    return RuleReading{std::move(*text), mark != ByteOrderMark::None};
}

} // namespace quillora
