// Parses the command line, gathers the files (walking folders as "Add All Text File(s) In Folder" does) and runs
// the batch run over them, or converts standard input to standard output.
#include "app/CommandLine.h"

#include "app/CommandLineFiles.h"
#include "app/CommandLineWords.h"
#include "app/StandardInput.h"
#include "app/StandardOutputRun.h"
#include "app/TerminalText.h"
#include "app/TerminalView.h"
#include "app/Usage.h"
#include "batchrun/BatchResultPath.h"
#include "batchrun/BatchRun.h"
#include "batchrun/PlannedEntries.h"
#include "folders/Paths.h"
#include "platform/FileSettingsStore.h"
#include "platform/NameBytes.h"
#include "platform/NativeFileFacts.h"
#include "platform/PathProblem.h"
#include "platform/StopSignals.h"
#include "platform/Terminal.h"
#include "ui/Settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <optional>
#include <variant>

namespace quillora {

namespace {
constexpr int usageStatus = 2;

// What the command line asks for.
struct Request
{
    QStringList paths;
    BatchDestination destination;
    QString extension;
    AnsiCodePage page = AnsiCodePage::Western;
    LineBreak lineBreak = LineBreak::CrLf;
    bool quiet = false;
    bool standardInput = false;
    // Walks take names that start with ".".
    bool hidden = false;
    // Each file a result replaces is kept under its name followed by this, where not empty.
    QString backupSuffix;
    // Where given, each result, or the one on standard output, is a list of words.
    std::optional<WordListOptions> wordList;
    // The inputs are count lists to add up.
    bool countLists = false;
    // --to -: everything goes to standard output.
    bool toStandardOutput = false;
};

// What a bare --sort stands for.
const QString codePointSort = QStringLiteral("code-point");

// The options the command line takes, besides --help and --version. Their help is written out in Usage.cpp.
struct Options
{
    QCommandLineOption to{
        QStringLiteral("to"),
        QStringLiteral("Write every result into <FOLDER>, those of a folder's files at their paths below it."),
        QStringLiteral("FOLDER")};
    QCommandLineOption inPlace{QStringLiteral("in-place"), QStringLiteral("Replace each file by its result.")};
    QCommandLineOption ext{QStringLiteral("ext"),
                           QStringLiteral("In folders, take files ending in .<EXT> (default txt, * for all)."),
                           QStringLiteral("EXT"), QStringLiteral("txt")};
    QCommandLineOption ansi{QStringLiteral("ansi"),
                            QStringLiteral("Read files without a mark that are not UTF-8 in <CODEPAGE>."),
                            QStringLiteral("CODEPAGE")};
    QCommandLineOption quiet{QStringLiteral("quiet"), QStringLiteral("No progress line and no summary.")};
    QCommandLineOption hidden{QStringLiteral("hidden"),
                              QStringLiteral("In folders, take files and folders whose names start with . too.")};
    QCommandLineOption backup{QStringLiteral("backup"),
                              QStringLiteral("Keep each file a result replaces as its name followed by <SUFFIX> "
                                             "(--backup alone: ~)."),
                              QStringLiteral("SUFFIX")};
    QCommandLineOption lf{QStringLiteral("lf"), QStringLiteral("Join the words with LF instead of CR LF.")};
    QCommandLineOption unique{QStringLiteral("unique"), QStringLiteral("List each word once.")};
    QCommandLineOption sort{QStringLiteral("sort"), QStringLiteral("List the words in code-point or locale order."),
                            QStringLiteral("ORDER")};
    QCommandLineOption count{QStringLiteral("count"), QStringLiteral("List each word once with its count.")};
    QCommandLineOption foldCase{QStringLiteral("fold-case"), QStringLiteral("Compare words by case folding.")};
    QCommandLineOption merge{QStringLiteral("merge"), QStringLiteral("Add up count lists.")};

    QList<QCommandLineOption> all() const
    {
        return {to, inPlace, ext, ansi, quiet, hidden, backup, lf, unique, sort, count, foldCase, merge};
    }
};

class NoEvents : public EventPump
{
public:
    void letEventsThrough() override { }
};

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// One message line, with the control characters of the names in it escaped.
void printLine(FILE* stream, const QString& text)
{
    print(stream, terminalSafe(text) + u'\n');
}

// What the command line says of a name that is not valid UTF-8.
QString undecodableLine(const QString& path)
{
    return path + QStringLiteral(": name is not valid UTF-8, left as it is");
}

int usageError(const QString& message)
{
    printLine(stderr, QStringLiteral("quillora: ") + message);
    print(stderr, usageLine() + u'\n' + tryHelpLine() + u'\n');
    return usageStatus;
}

// The code page asked for with --ansi, else the stored choice, else the locale's.
std::optional<AnsiCodePage> chosenCodePage(const QString& option)
{
    if (!option.isNull())
        return parseAnsiCodePage(option);
    FileSettingsStore settings(FileSettingsStore::userRoot());
    return storedAnsiCodePage(settings);
}

// Reads the word-list options into request; the message of a usage error, else an empty text.
QString readWordList(const QCommandLineParser& parser, const Options& options, Request& request)
{
    const bool unique = parser.isSet(options.unique);
    const bool sort = parser.isSet(options.sort);
    const bool count = parser.isSet(options.count);
    request.countLists = parser.isSet(options.merge);
    const QString order = parser.value(options.sort);
    if (sort && order != codePointSort && order != QStringLiteral("locale"))
        return QStringLiteral("--sort=%1: give --sort alone for code-point order, or --sort=locale").arg(order);
    if (count && sort)
        return QStringLiteral("--count lists the most frequent words first; --sort does not apply");
    if (request.countLists && (unique || sort))
        return QStringLiteral("--merge writes a count list; --unique and --sort do not apply");
    if (!(unique || sort || count || request.countLists)) {
        if (parser.isSet(options.foldCase))
            return QStringLiteral("--fold-case applies to word lists: give --unique, --sort, --count or --merge");
        return {};
    }
    WordListOptions list;
    list.order = count || request.countLists ? WordListOrder::Count
        : !sort                              ? WordListOrder::FirstAppearance
        : order == codePointSort             ? WordListOrder::CodePoint
                                             : WordListOrder::Locale;
    list.eachOnce = unique;
    list.foldCase = parser.isSet(options.foldCase);
    list.lineBreak = request.lineBreak;
    request.wordList = list;
    return {};
}

// The request, or the message of a usage error.
std::variant<Request, QString> readRequest(const QCommandLineParser& parser, const Options& options)
{
    const auto& [to, inPlace, ext, ansi, quiet, hidden, backup, lf, unique, sort, count, foldCase, merge] = options;
    Request request;
    request.paths = parser.positionalArguments();
    request.quiet = parser.isSet(quiet);
    request.hidden = parser.isSet(hidden);
    request.lineBreak = parser.isSet(lf) ? LineBreak::Lf : LineBreak::CrLf;
    // ".log" as well as "log": the dot is the one the pattern puts before it.
    request.extension = parser.value(ext);
    if (request.extension.startsWith(u'.'))
        request.extension.remove(0, 1);
    if (request.paths.isEmpty())
        return QStringLiteral("no PATH given");
    if (request.extension.isEmpty())
        return QStringLiteral("--ext needs an extension, such as txt, or * for every file");
    const std::optional<AnsiCodePage> page = chosenCodePage(parser.isSet(ansi) ? parser.value(ansi) : QString());
    if (!page)
        return QStringLiteral("--ansi %1: not a code page (874, 932, 936, 949, 950 or 1250 to 1258)")
            .arg(parser.value(ansi));
    request.page = *page;
    if (const QString problem = readWordList(parser, options, request); !problem.isEmpty())
        return problem;
    request.toStandardOutput = parser.isSet(to) && parser.value(to) == QStringLiteral("-");
    if (request.paths.contains(QStringLiteral("-"))) {
        if (request.paths.size() > 1)
            return QStringLiteral("- (standard input) must be the only PATH");
        if ((parser.isSet(to) && !request.toStandardOutput) || parser.isSet(inPlace))
            return QStringLiteral("- writes to standard output; --to FOLDER and --in-place do not apply");
        request.standardInput = true;
        return request;
    }
    if (parser.isSet(to) == parser.isSet(inPlace))
        return QStringLiteral("give either --to FOLDER or --in-place");
    if (request.countLists && !request.toStandardOutput)
        return QStringLiteral("--merge adds count lists into one list: give --to - or - as the PATH");
    if (request.toStandardOutput)
        return request;
    request.destination.besideSource = parser.isSet(inPlace);
    if (parser.isSet(backup)) {
        request.backupSuffix = parser.value(backup);
        if (request.backupSuffix.isEmpty() || request.backupSuffix.contains(u'/'))
            return QStringLiteral("--backup=%1: a suffix must be a part of a file name, such as ~ or .orig")
                .arg(request.backupSuffix);
    }
    if (parser.isSet(to)) {
        request.destination.folder = parser.value(to);
        const QString quoted = u'\'' + request.destination.folder + u'\'';
        if (isUndecodableName(request.destination.folder))
            return quoted + QStringLiteral(": name is not valid UTF-8");
        if (const QString problem = folderProblem(request.destination.folder); !problem.isEmpty())
            return quoted + QStringLiteral(": ") + problem;
    }
    return request;
}

// The exit status, after the line that says a stop signal ended the run, if one did; notStarted counts the files
// the run never began, when there is a list of them.
int exitStatus(bool anyLost, std::optional<qsizetype> notStarted)
{
    if (const int signal = caughtStopSignal()) {
        print(stderr, stopLine(signal, notStarted) + u'\n');
        return 128 + signal;
    }
    return anyLost ? 1 : 0;
}

// unmatched: the folders named in which no file was found.
int finish(const Request& request, int converted, int skipped, int failed, std::optional<qsizetype> notStarted,
           int unmatched = 0)
{
    if (!request.quiet)
        print(stderr, summaryLine(converted, skipped, failed) + u'\n');
    return exitStatus(skipped + failed + unmatched > 0, notStarted);
}

OutputRequest outputRequest(const Request& request)
{
    return {request.page, request.lineBreak, request.wordList, request.countLists};
}

// Everything to standard output, quiet on success as a filter is; each input left out has said why.
int writeOutput(const Request& request, const QList<OutputInput>& inputs, int alreadyLost)
{
    int lost = alreadyLost;
    try {
        lost += writeToStandardOutput(outputRequest(request), inputs, stderr);
    } catch (const StopSignalCaught&) {
    } catch (const Failure& failure) {
        printLine(stderr, QStringLiteral("quillora: standard output: ") + terminalReason(failure.description()));
        ++lost;
    }
    return exitStatus(lost > 0, std::nullopt);
}

// Standard input's words as one list.
int listInput(const Request& request)
{
    QString failure;
    std::unique_ptr<StandardInputSpool> spooled;
    try {
        spooled = spooledStandardInput(failure);
    } catch (const StopSignalCaught&) {
        return exitStatus(false, std::nullopt);
    }
    if (!spooled) {
        printLine(stderr, QStringLiteral("-: ") + terminalReason(failure));
        return exitStatus(true, std::nullopt);
    }
    return writeOutput(request, {{spooled->path(), QStringLiteral("-")}}, 0);
}

// Quiet on success, as a filter is: one text needs no summary.
int convertInput(const Request& request)
{
    catchStopSignals();
    if (request.wordList)
        return listInput(request);
    QString failure;
    switch (convertStandardInput(request.page, request.lineBreak, failure)) {
    case StreamOutcome::Converted:
    case StreamOutcome::Stopped:
        return exitStatus(false, std::nullopt);
    case StreamOutcome::Skipped:
        print(stderr, QStringLiteral("-: ") + notTextReason() + QStringLiteral(", nothing written\n"));
        return exitStatus(true, std::nullopt);
    case StreamOutcome::Failed:
        break;
    }
    printLine(stderr, QStringLiteral("-: ") + terminalReason(failure));
    return exitStatus(true, std::nullopt);
}

// The files of the paths in order, each with its result path: a file as given, its result under its own name; a
// folder's matching files as the window's folder walk lists them (but for names starting with "." without --hidden),
// each result at the file's path below that folder. A folder that cannot be listed is told and counted in unlisted,
// one with no matching file in unmatched, a name that is not valid UTF-8 (given or found) in undecodable. Nothing
// when a stop signal came during a walk.
std::optional<QList<PlannedEntry>> gatherFiles(const Request& request, FileFacts& facts, int& unlisted, int& unmatched,
                                               int& undecodable)
{
    NoEvents events;
    const ErrorReport::Teller tell = [](const QString&, int, const QString& description) {
        printLine(stderr, QStringLiteral("quillora: ") + terminalReason(description));
    };
    ErrorReport report(tell, QString());
    const auto passOver = [&undecodable](const QString& path) {
        printLine(stderr, undecodableLine(path));
        ++undecodable;
    };
    const FolderWalkHooks hooks{events, facts, tell, [] { return caughtStopSignal() != 0; }, passOver};
    const BatchDestination& destination = request.destination;
    const TreeChoices choices = commandLineWalk(request.hidden, destination);
    QList<PlannedEntry> files;
    for (const QString& path : request.paths) {
        // Its text would open another file, or none.
        if (isUndecodableName(path)) {
            passOver(path);
            continue;
        }
        const QFileInfo info(path);
        if (!info.isDir()) {
            files.append({path, batchResultPath(destination.besideSource, destination.folder, path)});
            continue;
        }
        // The walk passes over folders it cannot list without a word; one named by the user is not passed over.
        if (!info.isReadable() || !info.isExecutable()) {
            printLine(stderr, path + QStringLiteral(": ") + Failure::permissionDenied().description());
            ++unlisted;
            continue;
        }
        const QString root = QDir::cleanPath(path);
        const qsizetype before = files.size();
        const auto add = [&](const QStringList& found) {
            for (const QString& file : found)
                files.append({file, destination.besideSource ? file : resultBelow(destination.folder, root, file)});
        };
        if (!gatherTreeFiles(root, request.extension, hooks, report, add, choices))
            return std::nullopt;
        if (files.size() == before) {
            printLine(stderr, nothingFoundLine(path, request.extension));
            ++unmatched;
        }
    }
    return files;
}

int convertFiles(const Request& request)
{
    catchStopSignals();
    NativeFileFacts facts;
    int unlisted = 0;
    int unmatched = 0;
    int undecodable = 0;
    const std::optional<QList<PlannedEntry>> gathered = gatherFiles(request, facts, unlisted, unmatched, undecodable);
    if (!gathered)
        return finish(request, 0, undecodable, unlisted, std::nullopt, unmatched);
    if (request.toStandardOutput) {
        QList<OutputInput> inputs;
        for (const PlannedEntry& entry : *gathered)
            inputs.append({entry.source, entry.source});
        return writeOutput(request, inputs, undecodable + unlisted + unmatched);
    }
    // A result that would replace an earlier result of the same run is not written.
    const QList<PlannedEntry> entries
        = withoutSharedResults(*gathered, [&](const PlannedEntry& left, const PlannedEntry& earlier) {
              printLine(stderr,
                        left.source + QStringLiteral(": would overwrite the result of ") + earlier.source
                            + QStringLiteral(", left out"));
              ++unlisted;
          });
    QStringList files;
    QStringList results;
    for (const PlannedEntry& entry : entries) {
        files.append(entry.source);
        results.append(entry.result);
    }
    const bool progress = !request.quiet && isTerminal(stderr);
    TerminalView view(
        files, request.destination, request.page, progress, stderr, [] { return caughtStopSignal() != 0; },
        request.lineBreak);
    view.useResultPaths(results);
    view.keepBackups(request.backupSuffix);
    view.makeWordLists(request.wordList);
    BatchRun run(view, facts);
    const BatchRunSummary summary = run.run();
    view.clearProgress();
    if (view.destinationMissing())
        return finish(request, 0, undecodable, unlisted + int(files.size()), files.size(), unmatched);
    return finish(request, summary.converted, undecodable + summary.skipped, unlisted + summary.failed,
                  view.notStartedCount(), unmatched);
}
} // namespace

int runCommandLine(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLORA_VERSION));

    QCommandLineParser parser;
    const Options options;
    const QList<QCommandLineOption> taken = options.all();
    parser.addOptions(taken);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOptions({help, version});

    // The arguments as given: Qt would read bytes that are not UTF-8 as replacement characters, and so as the name
    // of another file.
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(nameFromBytes(argv[index]));
    if (!parser.parse(withBareValues(
            arguments, taken,
            {{QStringLiteral("--backup"), QStringLiteral("~")}, {QStringLiteral("--sort"), codePointSort}})))
        return usageError(parseErrorWords(parser));
    if (parser.isSet(help)) {
        print(stdout, helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("quillora ") + QCoreApplication::applicationVersion() + u'\n');
        return 0;
    }
    const std::variant<Request, QString> request = readRequest(parser, options);
    if (const QString* message = std::get_if<QString>(&request))
        return usageError(*message);
    const Request& asked = std::get<Request>(request);
    return asked.standardInput ? convertInput(asked) : convertFiles(asked);
}

} // namespace quillora
