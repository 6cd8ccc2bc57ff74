// "-": standard input converted to standard output, by the same reading rule and conversion as a file.
#pragma once

#include "engine/AnsiCodePage.h"
#include "engine/LineBreak.h"
#include "platform/Failure.h"
#include "platform/StandardStreams.h"

#include <memory>

namespace quillora {

// How the one text ended.
enum class StreamOutcome
{
    Converted,
    // Not text: nothing written.
    Skipped,
    Failed,
    // A stop signal came: what was written stays written, the rest is not.
    Stopped
};

// All of standard input in a spool file, or nothing with the failure's description in failure. Throws
// StopSignalCaught when a stop signal comes while it is read.
std::unique_ptr<StandardInputSpool> spooledStandardInput(QString& failure);

// Reads all of standard input into a spool file (a pipe cannot be read twice), then writes its converted text to
// standard output. A failure's description goes to failure. Stop signals are polled between pieces.
StreamOutcome convertStandardInput(AnsiCodePage page, LineBreak lineBreak, QString& failure);

} // namespace quillora
