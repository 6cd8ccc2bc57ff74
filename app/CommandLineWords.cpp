// One table from the windows' descriptions of failures to the words a terminal user reads from other tools.
#include "app/CommandLineWords.h"

#include "platform/Failure.h"
#include "platform/PathProblem.h"
#include "platform/SignalName.h"

#include <array>
#include <utility>

namespace quillora {

namespace {
// Failures whose description is not already the system's or plain words, and the words the terminal shows.
const std::array<std::pair<Failure, QStringView>, 10>& wordsForFailures()
{
    static const std::array<std::pair<Failure, QStringView>, 10> table = {{
        {Failure::fileNotFound(), u"No such file or directory"},
        {Failure::pathNotFound(), u"No such file or directory"},
        {Failure::diskFull(), u"No space left on device"},
        {Failure::outOfMemory(), u"Cannot allocate memory"},
        {Failure::deviceIo(), u"Input/output error"},
        {Failure::tooManyFiles(), u"Too many open files"},
        {Failure::crossDevice(), u"Invalid cross-device link"},
        {Failure::notAFile(), u"not a regular file (a pipe, socket or device), left as it is"},
        {Failure::invalidArgument(), u"Invalid argument"},
        {Failure::overflow(), u"File name too long"},
    }};
    return table;
}

bool isNotFound(const QString& description)
{
    return description == Failure::fileNotFound().description() || description == Failure::pathNotFound().description();
}
} // namespace

QString terminalReason(const QString& description, const QString& path)
{
    if (!path.isEmpty() && isNotFound(description)) {
        if (QString problem = lookupProblem(path); !problem.isEmpty())
            return problem;
    }
    for (const auto& [failure, words] : wordsForFailures()) {
        if (failure.description() == description)
            return words.toString();
    }
    return description;
}

QString stopLine(int signal, std::optional<qsizetype> notStarted)
{
    QString line = QStringLiteral("quillora: stopped by ") + signalName(signal);
    if (notStarted)
        line += *notStarted == 1 ? QStringLiteral("; 1 file not started")
                                 : QStringLiteral("; %1 files not started").arg(*notStarted);
    return line;
}

} // namespace quillora
