// Each input is counted on its own and added to the list only when it was read whole, so an input that fails
// adds nothing; converted texts go out as they are made.
#include "app/StandardOutputRun.h"

#include "app/CommandLineWords.h"
#include "app/TerminalText.h"
#include "engine/CaseFolding.h"
#include "engine/CountListReader.h"
#include "engine/FileBytes.h"
#include "engine/ReadingRule.h"
#include "platform/NativeFileFacts.h"
#include "platform/StandardStreams.h"
#include "platform/StopSignals.h"

namespace quillora {

namespace {
constexpr ReadingRuleLines noLines{0, 0, 0, 0, 0};

class OutputRun
{
public:
    OutputRun(const OutputRequest& request, FILE* errors)
        : request_(request)
        , errors_(errors)
    { }

    int run(const QList<OutputInput>& inputs);

private:
    // Each returns false when the input is left out, having said why.
    bool convert(const OutputInput& input);
    bool countWordsOf(const OutputInput& input, WordCounts& counts);
    bool readCounts(const OutputInput& input, WordCounts& counts);
    std::optional<RuleReading> read(const OutputInput& input, ReadingMode mode);
    bool leftOut(const OutputInput& input, const QString& reason);
    void tell(const QString& line);

    const OutputRequest& request_;
    FILE* errors_;
    NativeFileFacts facts_;
    bool wroteAny_ = false;
};

void write(QByteArrayView bytes)
{
    stopIfSignalled();
    writeStandardOutput(bytes);
}

int OutputRun::run(const QList<OutputInput>& inputs)
{
    int lost = 0;
    if (!request_.wordList) {
        for (const OutputInput& input : inputs)
            lost += convert(input) ? 0 : 1;
        return lost;
    }
    WordCounts total;
    for (const OutputInput& input : inputs) {
        stopIfSignalled();
        WordCounts counts;
        const bool read = request_.countLists ? readCounts(input, counts) : countWordsOf(input, counts);
        if (!read)
            ++lost;
        else if (total.isEmpty())
            total = std::move(counts);
        else if (!total.addAll(counts))
            lost += leftOut(input, QStringLiteral("its counts would pass 2^64 - 1")) ? 0 : 1;
    }
    writeWordList(total, *request_.wordList, write);
    return lost;
}

std::optional<RuleReading> OutputRun::read(const OutputInput& input, ReadingMode mode)
{
    OrFailure<RuleReading> reading = readByRule(input.path, noLines, mode, request_.page, facts_);
    if (!reading) {
        leftOut(input, terminalReason(reading.failure().description, input.path));
        return std::nullopt;
    }
    return std::move(*reading);
}

bool OutputRun::convert(const OutputInput& input)
{
    // Settled before a byte goes out: what is written cannot be taken back.
    std::optional<RuleReading> reading = read(input, ReadingMode::InFile);
    if (!reading)
        return false;
    if (reading->readFindsBinary())
        return leftOut(input, notTextReason() + QStringLiteral(", left out"));
    // The texts are joined as lines are.
    bool started = false;
    const QByteArrayView lineBreak = request_.lineBreak == LineBreak::CrLf ? "\r\n" : "\n";
    std::optional<StepFailure> failure = tryStep(0, [&] {
        reading->text.wordsToLinesUtf8(
            [&](QByteArrayView bytes) {
                if (!started && wroteAny_)
                    write(lineBreak);
                started = wroteAny_ = true;
                write(bytes);
            },
            request_.lineBreak);
    });
    return !failure || leftOut(input, terminalReason(failure->description, input.path));
}

bool OutputRun::countWordsOf(const OutputInput& input, WordCounts& counts)
{
    std::optional<RuleReading> reading = read(input, ReadingMode::WhileConverting);
    if (!reading)
        return false;
    ConversionOutcome outcome = ConversionOutcome::Converted;
    if (std::optional<StepFailure> failure = tryStep(
            0, [&] { outcome = countWords(reading->text, request_.wordList->foldCase, counts, stopIfSignalled); }))
        return leftOut(input, terminalReason(failure->description, input.path));
    if (outcome == ConversionOutcome::NotText)
        return leftOut(input, notTextReason() + QStringLiteral(", left out"));
    return true;
}

bool OutputRun::readCounts(const OutputInput& input, WordCounts& counts)
{
    const bool foldCase = request_.wordList->foldCase;
    bool overflowed = false;
    QByteArray folded;
    CountListReader reader([&](QByteArrayView word, quint64 count) {
        if (foldCase) {
            caseFoldUtf8(word, folded);
            word = folded;
        }
        overflowed = !counts.add(word, count) || overflowed;
    });
    std::optional<StepFailure> failure = tryStep(0, [&] {
        forEachFilePiece(input.path, 0, [&](QByteArrayView piece) {
            stopIfSignalled();
            reader.feed(piece);
            return true;
        });
        reader.finish();
    });
    if (failure)
        return leftOut(input, terminalReason(failure->description, input.path));
    for (const CountListReader::BadLine& bad : reader.badLines())
        tell(input.name + u':' + QString::number(bad.line) + QStringLiteral(": not a count line (COUNT<TAB>WORD): ")
             + bad.reason);
    if (reader.badLineCount() > qint64(reader.badLines().size()))
        leftOut(input,
                QStringLiteral("%1 more lines that are not count lines")
                    .arg(reader.badLineCount() - qint64(reader.badLines().size())));
    if (reader.badLineCount() > 0)
        return leftOut(input, QStringLiteral("not a count list, left out"));
    if (overflowed)
        return leftOut(input, QStringLiteral("a count would pass 2^64 - 1, left out"));
    return true;
}

bool OutputRun::leftOut(const OutputInput& input, const QString& reason)
{
    tell(input.name + QStringLiteral(": ") + reason);
    return false;
}

void OutputRun::tell(const QString& line)
{
    std::fputs((terminalSafe(line) + u'\n').toLocal8Bit().constData(), errors_);
}
} // namespace

int writeToStandardOutput(const OutputRequest& request, const QList<OutputInput>& inputs, FILE* errors)
{
    OutputRun run(request, errors);
    return run.run(inputs);
}

} // namespace quillora
