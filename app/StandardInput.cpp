// Standard input is spooled to a temporary file without a name, so memory stays bounded whatever its size and
// nothing is left behind however the program ends, and read back by the reading rule like any file; the result
// goes to standard output piece by piece.
#include "app/StandardInput.h"

#include "engine/ReadingRule.h"
#include "platform/NativeFileFacts.h"
#include "platform/StandardStreams.h"
#include "platform/StopSignals.h"

namespace quillora {

namespace {
StreamOutcome convertSpooled(AnsiCodePage page, LineBreak lineBreak, QString& failure)
{
    const std::unique_ptr<StandardInputSpool> spooled = spooledStandardInput(failure);
    if (!spooled)
        return StreamOutcome::Failed;
    NativeFileFacts facts;
    OrFailure<RuleReading> reading = readByRule(spooled->path(), {0, 0, 0, 0, 0}, ReadingMode::InFile, page, facts);
    if (!reading) {
        failure = reading.failure().description;
        return StreamOutcome::Failed;
    }
    if (reading->readFindsBinary())
        return StreamOutcome::Skipped;
    if (std::optional<StepFailure> failed = tryStep(0, [&] {
            reading->text.wordsToLinesUtf8(
                [](QByteArrayView bytes) {
                    stopIfSignalled();
                    writeStandardOutput(bytes);
                },
                lineBreak);
        })) {
        failure = failed->description;
        return StreamOutcome::Failed;
    }
    return StreamOutcome::Converted;
}
} // namespace

std::unique_ptr<StandardInputSpool> spooledStandardInput(QString& failure)
{
    std::unique_ptr<StandardInputSpool> spooled;
    if (std::optional<StepFailure> failed = tryStep(0, [&] {
            spooled = std::make_unique<StandardInputSpool>();
            spooled->fill();
        })) {
        failure = failed->description;
        return nullptr;
    }
    return spooled;
}

StreamOutcome convertStandardInput(AnsiCodePage page, LineBreak lineBreak, QString& failure)
{
    try {
        return convertSpooled(page, lineBreak, failure);
    } catch (const StopSignalCaught&) {
        return StreamOutcome::Stopped;
    }
}

} // namespace quillora
