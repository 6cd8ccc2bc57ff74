// The command line run as a user runs it: its results byte for byte against the batch run, its exit statuses and
// messages, the code page of the user's language, stop signals, closed standard descriptors and pipes, and names
// that are not UTF-8 or hold control characters.
#include "batchrun/BatchRun.h"
#include "cli/ProgramRun.h"
#include "engine/WordsToLines.h"
#include "platform/NativeFileFacts.h"
#include "support/CodePageSamples.h"
#include "support/SmallMount.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora {
namespace {

using testing::runProgram;

// The batch run as the window drives it, over a given list into one folder.
class ListView : public BatchRunView
{
public:
    ListView(QStringList entries, QString folder)
        : entries_(std::move(entries))
        , folder_(std::move(folder))
    { }
    qsizetype entryCount() const override { return entries_.size(); }
    QString entryAt(qsizetype position) const override { return entries_.at(position - 1); }
    BatchDestination destination() const override { return {false, folder_}; }
    AnsiCodePage ansiCodePage() const override { return localeAnsiCodePage(); }
    void showPercent(double) override { }
    void showCaption(const QString&) override { }
    void letEventsThrough() override { }
    void showBusy(bool) override { }
    void stepFailed(const StepFailure&, const QString&) override { }
    void notTextFile(const QString&) override { }
    void folderMissing() override { }
    void done() override { }

private:
    QStringList entries_;
    QString folder_;
};

// What the process has read so far through read calls.
qint64 bytesRead(qint64 pid)
{
    QFile io(QStringLiteral("/proc/%1/io").arg(pid));
    if (!io.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray counts = io.readAll();
    const qsizetype at = counts.indexOf("rchar: ");
    return at < 0 ? 0 : counts.mid(at + 7, counts.indexOf('\n', at) - at - 7).toLongLong();
}

// True when the process holds a file of folder open; an unnamed temporary file shows there too.
bool holdsFileIn(qint64 pid, const QString& folder)
{
    std::error_code error;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error))
        if (QString::fromStdString(std::filesystem::read_symlink(fd.path(), error).string())
                .startsWith(folder + QLatin1Char('/')))
            return true;
    return false;
}

// Asks every millisecond, for up to a minute, whether condition holds; says whether it came to hold.
bool pollUntil(const std::function<bool()>& condition)
{
    for (int polls = 0; polls < 60000; ++polls) {
        if (condition())
            return true;
        QThread::msleep(1);
    }
    return condition();
}

// True when a thread of the process waits inside a write to a pipe: in pipe_write, anon_pipe_write or, on older
// kernels, pipe_wait.
bool waitsOnAPipeWrite(qint64 pid)
{
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        const QByteArray where = testing::readFile(QString::fromStdString((task.path() / "wchan").string()));
        if (where.contains("pipe_w"))
            return true;
    }
    return false;
}

// The first line of --help and of every usage error.
const QString usageLine = QStringLiteral("Usage: quillora (--to FOLDER | --in-place) [OPTION]... PATH...");

class CommandLineTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return work.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes)
    {
        testing::writeFile(path(name), bytes);
        return path(name);
    }

    QTemporaryDir work;
};

TEST_F(CommandLineTest, WritesTheBytesTheBatchRunWrites)
{
    // Distinct names: the batch run puts the results of one folder tree into one folder.
    const QList<std::pair<QString, QByteArray>> sources = {
        {"in/plain.txt", "one two  three\r\nfour"},
        {"in/utf8mark.txt",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9 au lait"},
        {"in/utf16.txt",
         QByteArray("\xFF\xFE"
                    "a\0 \0b\0",
                    8)},
        {"in/ansi.txt", "na\xEFve r\xE9sum\xE9"},
        {"in/empty.txt", ""},
        {"in/spaces.txt", "     "},
        {"in/sub/deeper.txt", "down  below "},
        {"in/sub/~skipped.txt", "tilde names are left out"},
        {"in/other.doc", "not of the extension"},
    };
    for (const auto& [name, bytes] : sources)
        write(name, bytes);
    const QString binary = write("loose/binary.txt", QByteArray("bin\0ary", 7));
    QDir(work.path()).mkpath(QStringLiteral("byRun"));
    QDir(work.path()).mkpath(QStringLiteral("byProgram"));

    const QStringList listed
        = {path("in/plain.txt"), path("in/utf8mark.txt"), path("in/utf16.txt"),      path("in/ansi.txt"),
           path("in/empty.txt"), path("in/spaces.txt"),   path("in/sub/deeper.txt"), binary};
    ListView view(listed, path("byRun"));
    NativeFileFacts facts;
    const BatchRunSummary summary = BatchRun(view, facts).run();
    ASSERT_EQ(summary.converted, 7);
    ASSERT_EQ(summary.skipped, 1);
    const QMap<QString, QByteArray> expected = testing::filesBelow(path("byRun"));

    const testing::ProgramRun files = runProgram({"--to", path("byProgram"), path("in"), binary});
    EXPECT_EQ(files.exitCode, 1) << files.err.constData();
    // A file found below a folder named keeps its path below it.
    QMap<QString, QByteArray> expectedTree = expected;
    expectedTree.insert(QStringLiteral("sub/deeper.txt"), expectedTree.take(QStringLiteral("deeper.txt")));
    EXPECT_EQ(testing::filesBelow(path("byProgram")), expectedTree);

    // In place: each source becomes the result the run wrote for it; the binary file stays as it was.
    const testing::ProgramRun inPlace = runProgram({"--in-place", path("in"), binary});
    EXPECT_EQ(inPlace.exitCode, 1) << inPlace.err.constData();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QString source = it.key() == "binary.txt" ? binary : path("in/" + it.key());
        const QString placed = QFile::exists(source) ? source : path("in/sub/" + it.key());
        EXPECT_EQ(testing::readFile(placed), it.key() == "binary.txt" ? QByteArray("bin\0ary", 7) : it.value())
            << it.key().toStdString();
    }

    // Standard input to standard output, the same bytes as each file through the run.
    for (const auto& [name, bytes] : sources) {
        const QString base = QFileInfo(name).fileName();
        if (!expected.contains(base))
            continue;
        const testing::ProgramRun piped = runProgram({"-"}, bytes);
        EXPECT_EQ(piped.exitCode, 0) << name.toStdString();
        EXPECT_EQ(piped.out, expected.value(base)) << name.toStdString();
    }
}

TEST_F(CommandLineTest, ExitStatusesAndMessages)
{
    const QString good = write("good.txt", "a b");
    const QString counts = write("counts.txt", "3\tb\n");
    const QString badCounts = write("bad-counts.txt", "2\ta\r\nx y\r\n");
    const QString binary = write("binary.txt", QByteArray("\0\1", 2));
    const QString missing = path("missing.txt");
    const QString unreadable = write("unreadable.txt", "locked");
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);
    const QString out = path("out");
    QDir(work.path()).mkpath(QStringLiteral("out"));
    const QString noFolder = path("no-such-folder");
    struct Case
    {
        QStringList arguments;
        QByteArray input;
        int exitCode;
        // Every line the program writes to standard error, in order.
        QStringList errLines;
        const char* outStart;
    };
    // A usage error's message is followed by these.
    const QStringList usage = {usageLine, "Try 'quillora --help' for more information."};
    const auto refused = [&usage](const QString& message) { return QStringList{"quillora: " + message} + usage; };
    const QList<Case> cases = {
        {{"--to", out, good}, {}, 0, {"1 converted, 0 skipped, 0 failed"}, ""},
        {{"--quiet", "--to", out, good}, {}, 0, {}, ""},
        {{"--to", out, good, binary},
         {},
         1,
         {binary + ": not a text file (it holds a NUL byte), left as it is", "1 converted, 1 skipped, 0 failed"},
         ""},
        {{"--to", out, good, missing},
         {},
         1,
         {missing + ": No such file or directory", "1 converted, 0 skipped, 1 failed"},
         ""},
        {{"--quiet", "--to", out, missing}, {}, 1, {missing + ": No such file or directory"}, ""},
        {{"-"}, "x  y", 0, {}, "x\r\ny"},
        {{"--quiet", "-"}, QByteArray("\0", 1), 1, {"-: not a text file (it holds a NUL byte), nothing written"}, ""},
        {{"-"}, QByteArray("\0", 1), 1, {"-: not a text file (it holds a NUL byte), nothing written"}, ""},
        {{"--help"}, {}, 0, {}, "Usage: quillora (--to FOLDER | --in-place) [OPTION]... PATH...\n"},
        {{"-h"}, {}, 0, {}, "Usage: quillora (--to FOLDER | --in-place) [OPTION]... PATH...\n"},
        {{"--version"}, {}, 0, {}, "quillora 1.0"},
        {{"--to", out}, {}, 2, refused("no PATH given"), ""},
        {{good}, {}, 2, refused("give either --to FOLDER or --in-place"), ""},
        {{"--to", out, "--in-place", good}, {}, 2, refused("give either --to FOLDER or --in-place"), ""},
        {{"--to", noFolder, good}, {}, 2, refused("'" + noFolder + "': No such file or directory"), ""},
        {{"--to", good, good}, {}, 2, refused("'" + good + "': Not a directory"), ""},
        {{"--frobnicate", good}, {}, 2, refused("unrecognized option '--frobnicate'"), ""},
        {{"--help-all"}, {}, 2, refused("unrecognized option '--help-all'"), ""},
        {{"-x", good}, {}, 2, refused("invalid option -- 'x'"), ""},
        {{"--to"}, {}, 2, refused("option '--to' requires an argument"), ""},
        {{"--quiet=yes", "-"}, {}, 2, refused("option '--quiet' doesn't allow an argument"), ""},
        {{"--ansi", "65001", "--to", out, good},
         {},
         2,
         refused("--ansi 65001: not a code page (874, 932, 936, 949, 950 or 1250 to 1258)"),
         ""},
        {{"--ext", "", "--to", out, good},
         {},
         2,
         refused("--ext needs an extension, such as txt, or * for every file"),
         ""},
        {{"-", good}, {}, 2, refused("- (standard input) must be the only PATH"), ""},
        {{"--to", out, "-"},
         {},
         2,
         refused("- writes to standard output; --to FOLDER and --in-place do not apply"),
         ""},
        {{"--count", "--sort", "-"},
         {},
         2,
         refused("--count lists the most frequent words first; --sort does not apply"),
         ""},
        {{"--merge", "--unique", "-"},
         {},
         2,
         refused("--merge writes a count list; --unique and --sort do not apply"),
         ""},
        {{"--sort=size", "-"},
         {},
         2,
         refused("--sort=size: give --sort alone for code-point order, or --sort=locale"),
         ""},
        {{"--fold-case", "-"},
         {},
         2,
         refused("--fold-case applies to word lists: give --unique, --sort, --count or --merge"),
         ""},
        {{"--merge", "--to", out, good},
         {},
         2,
         refused("--merge adds count lists into one list: give --to - or - as the PATH"),
         ""},
        // With --to -, every input's words go into one list; an input left out adds nothing.
        {{"--count", "--to", "-", good, missing, binary},
         {},
         1,
         {missing + ": No such file or directory", binary + ": not a text file (it holds a NUL byte), left out"},
         "1\ta\r\n1\tb\r\n"},
        // A count list with a bad line adds nothing.
        {{"--merge", "--to", "-", badCounts, counts},
         {},
         1,
         {badCounts + ":2: not a count line (COUNT<TAB>WORD): no count", badCounts + ": not a count list, left out"},
         "3\tb\r\n"},
        // A bare --sort takes no value: the next word is a path.
        {{"--sort", "-", "--to", "-"}, "b a", 0, {}, "a\r\nb\r\n"},
        {{"--to", "-", good, good}, {}, 0, {}, "a\r\nb\r\na\r\nb"},
    };
    const bool permissionsHold = !testing::runningAsRoot();
    for (const Case& c : cases) {
        const testing::ProgramRun run = runProgram(c.arguments, c.input);
        const std::string label = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << label;
        EXPECT_EQ(QString::fromUtf8(run.err).split(u'\n', Qt::SkipEmptyParts), c.errLines) << label;
        EXPECT_TRUE(run.out.startsWith(c.outStart)) << label << ": " << run.out.constData();
    }
    if (!permissionsHold)
        return;
    // A file or a folder named by the user that cannot be read is told, not passed over.
    const QString lockedFolder = path("locked");
    write("locked/inside.txt", "a b");
    QFile::setPermissions(lockedFolder, QFileDevice::WriteOwner);
    for (const QString& locked : {unreadable, lockedFolder}) {
        const testing::ProgramRun run = runProgram({"--to", out, locked});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(QString::fromUtf8(run.err), locked + ": Permission denied\n0 converted, 0 skipped, 1 failed\n");
    }
    QFile::setPermissions(lockedFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(CommandLineTest, ReasonsAreInTheWordsOfTheSystem)
{
    const QString good = write("good.txt", "a b");
    const QString out = path("out");
    QDir(work.path()).mkpath(QStringLiteral("out"));
    const QString loop = path("loop.txt");
    QFile::link(loop, loop);
    const QString fifo = path("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray words;
    for (int i = 0; i < 40000; ++i)
        words += "word " + QByteArray::number(i % 10);
    const QString large = write("large.txt", words);
    QDir(work.path()).mkpath(QStringLiteral("taken/good.txt"));
    const QString full = path("full");
    QDir(work.path()).mkpath(QStringLiteral("full"));
    testing::SmallMount mount(full, QStringLiteral("size=64k"));
    struct Case
    {
        QString destination;
        QString source;
        QString reason;
    };
    QList<Case> cases = {
        {out, path("missing.txt"), "No such file or directory"},
        {out, good + "/inside.txt", "Not a directory"},
        {out, loop, "Too many levels of symbolic links"},
        {out, fifo, "not a regular file (a pipe, socket or device), left as it is"},
        {path("taken"), good, "Is a directory"},
    };
    if (mount.mounted())
        cases.append({full, large, "No space left on device"});
    for (const Case& c : cases) {
        const testing::ProgramRun run = runProgram({"--quiet", "--to", c.destination, c.source});
        EXPECT_EQ(run.exitCode, 1) << c.source.toStdString();
        EXPECT_EQ(QString::fromUtf8(run.err), c.source + ": " + c.reason + "\n");
    }
    // The full disk last: where nothing can be mounted, the other reasons are still tried.
    QUILLORA_REQUIRE_MOUNTED(mount);
}

TEST_F(CommandLineTest, HelpStartsWithTheUsageAndEndsWithTheExitStatus)
{
    const testing::ProgramRun run = runProgram({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    const QStringList lines = QString::fromUtf8(run.out).split(u'\n');
    ASSERT_GT(lines.size(), 2);
    EXPECT_EQ(lines.first(), usageLine);
    // A terminal of 80 columns shows every line unbroken.
    for (const QString& line : lines)
        EXPECT_LE(line.size(), 79) << line.toStdString();
    const QString text = QString::fromUtf8(run.out).simplified();
    EXPECT_TRUE(text.contains("One of --to and --in-place is required")) << run.out.constData();
    EXPECT_TRUE(text.contains("With no arguments at all, Quillora opens its windows")) << run.out.constData();
    // Every option it takes has a line of its own.
    for (const char* option : {"--to FOLDER", "--to -", "--in-place", "--ext EXT", "--hidden", "--backup[=SUFFIX]",
                               "--ansi CODEPAGE", "--lf", "--quiet", "-h, --help", "-v, --version", "--unique",
                               "--sort[=locale]", "--count", "--fold-case", "--merge"})
        EXPECT_GE(
            lines.indexOf(QRegularExpression(QStringLiteral("  %1  +\\S.*").arg(QRegularExpression::escape(option)))),
            0)
            << option;
    // The last section gives each exit status, 128+N last.
    const qsizetype section = lines.indexOf("Exit status:");
    ASSERT_GE(section, 0);
    QStringList statuses;
    for (const QString& line : lines.mid(section + 1)) {
        if (line.startsWith("  ") && !line.startsWith("   "))
            statuses.append(line.simplified().section(u' ', 0, 0));
    }
    EXPECT_EQ(statuses, (QStringList{"0", "1", "2", "128+N"}));
}

TEST_F(CommandLineTest, WithoutADisplayTheWindowsSayWhatToDoInstead)
{
    // The test's environment has no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM.
    const QString noDisplay = "quillora: no display to open the windows on; start it on a desktop, or give files to "
                              "convert (see 'quillora --help')\n";
    struct Case
    {
        QStringList arguments;
        int exitCode;
        // What standard error holds, or a part of it when partly is set.
        QString err;
        bool partly;
    };
    const Case cases[] = {
        {{}, 1, noDisplay, false},
        // Qt's own options are Qt's: they do not make a command line.
        {{"-style", "Fusion"}, 1, noDisplay, false},
        {{"--reverse"}, 1, noDisplay, false},
        // A platform named is left to Qt, which reads the option.
        {{"-style", "Fusion", "-platform", "nosuchplatform"}, 128 + SIGABRT, "\"nosuchplatform\"", true},
        {{"-style"}, 2, "quillora: invalid option -- 's'\n", true},
    };
    for (const Case& c : cases) {
        // No core file: the plugin Qt cannot find ends it by abort().
        const testing::ProgramRun run = testing::runShell("ulimit -c 0; \"$0\" \"$@\"; exit $?", c.arguments);
        const std::string label = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << label;
        if (c.partly)
            EXPECT_TRUE(QString::fromUtf8(run.err).contains(c.err)) << label << ": " << run.err.constData();
        else
            EXPECT_EQ(QString::fromUtf8(run.err), c.err) << label;
        EXPECT_EQ(run.out, "") << label;
    }
}

TEST_F(CommandLineTest, LfJoinsTheWordsWithLineFeedsOnly)
{
    // The rule written plainly: cut at every space, drop the empty pieces, join with the line break.
    const auto reference = [](const QString& text, const QString& lineBreak) {
        return text.split(u' ', Qt::SkipEmptyParts).join(lineBreak).toUtf8();
    };
    const auto utf16 = [](const QString& text, bool bigEndian) {
        QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
        for (const QChar unit : text) {
            const char high = char(unit.unicode() >> 8);
            const char low = char(unit.unicode() & 0xFF);
            bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
        }
        return bytes;
    };
    // Longer than the converters' pieces of about a megabyte, with words across every block boundary.
    QString large;
    for (int i = 0; i < 200000; ++i)
        large += i % 7 == 0 ? QStringLiteral("  caf\u00e9\r\nx\t") : QString(i % 13 + 1, u'w') + u' ';
    // A space before every boundary of pieces a power of two long: the line break is due across each.
    const QString spaced = QStringLiteral("a ").repeated(1 << 20);
    const testing::CodePageSample& cyrillic = *std::find_if(
        testing::codePageSamples().begin(), testing::codePageSamples().end(),
        [](const testing::CodePageSample& sample) { return QByteArray(sample.locale).startsWith("ru"); });
    struct Case
    {
        const char* what;
        QStringList options;
        QByteArray input;
        QString text;
    };
    const QString mixed = QStringLiteral("  one two   three\tfour\r\nfive \r\n six\n ");
    const Case cases[] = {
        {"spaces, runs of spaces, tabs and line breaks", {}, mixed.toUtf8(), mixed},
        {"only spaces", {}, "    ", "    "},
        {"UTF-8 with a mark", {}, "\xEF\xBB\xBF" + mixed.toUtf8(), mixed},
        {"UTF-16, little-endian", {}, utf16(mixed, false), mixed},
        {"UTF-16, big-endian", {}, utf16(mixed, true), mixed},
        {"Windows-1251", {"--ansi", "1251"}, cyrillic.bytes, QString::fromUtf16(cyrillic.text)},
        {"Windows-1252", {"--ansi", "1252"}, "caf\xe9  na\xefve", QStringLiteral("caf\u00e9  na\u00efve")},
        {"large UTF-8", {}, large.toUtf8(), large},
        {"large UTF-16", {}, utf16(large, false), large},
        {"large Windows-1252", {"--ansi", "1252"}, large.toLatin1(), large},
        {"spaced UTF-8", {}, spaced.toUtf8(), spaced},
        {"spaced UTF-16", {}, utf16(spaced, true), spaced},
    };
    const QString out = path("out");
    QDir(work.path()).mkpath(QStringLiteral("out"));
    for (const Case& c : cases) {
        const QString source = write("source.txt", c.input);
        for (const QString& lineBreak : {QStringLiteral("\n"), QStringLiteral("\r\n")}) {
            const QStringList options = c.options + (lineBreak == "\n" ? QStringList{"--lf"} : QStringList{});
            const std::string label = c.what + (" with " + options.join(u' ')).toStdString();
            const QByteArray expected = reference(c.text, lineBreak);
            const testing::ProgramRun piped = runProgram(options + QStringList{"-"}, c.input);
            EXPECT_EQ(piped.exitCode, 0) << label << piped.err.constData();
            EXPECT_TRUE(piped.out == expected) << label << " through standard input";
            const testing::ProgramRun run = runProgram(options + QStringList{"--quiet", "--to", out, source});
            EXPECT_EQ(run.exitCode, 0) << label << run.err.constData();
            EXPECT_TRUE(testing::readFile(out + "/source.txt") == expected) << label << " through a file";
        }
    }
}

TEST_F(CommandLineTest, FilesWithoutAMarkAreReadInTheCodePageOfTheLocale)
{
    const QString out = path("out");
    QDir(work.path()).mkpath(QStringLiteral("out"));
    for (const testing::CodePageSample& sample : testing::codePageSamples()) {
        const QString source = write(QStringLiteral("legacy.txt"), sample.bytes);
        const QString locale = QString::fromLatin1(sample.locale);
        const testing::ProgramRun run
            = runProgram({"--quiet", "--to", out, source}, {}, testing::environmentWithLocale(locale));
        EXPECT_EQ(run.exitCode, 0) << sample.locale << run.err.constData();
        EXPECT_EQ(testing::readFile(path("out/legacy.txt")), WordsToLinesUtf8(QString::fromUtf16(sample.text)))
            << sample.locale;
    }

    // --ansi, then the stored choice, then the locale.
    const QString source = write(QStringLiteral("cyrillic.txt"), "\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0");
    const QByteArray cyrillic = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\r\n\xD0\xBC\xD0\xB8\xD1\x80";
    const QByteArray western = "\xC3\x8F\xC3\xB0\xC3\xA8\xC3\xA2\xC3\xA5\xC3\xB2\r\n\xC3\xAC\xC3\xA8\xC3\xB0";
    QProcessEnvironment stored = testing::environmentWithLocale(QStringLiteral("de_DE.UTF-8"));
    stored.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
    testing::writeFile(path("config/Corvanta/Quillora/AnsiCodePage"), "1251");
    struct Case
    {
        QStringList arguments;
        QProcessEnvironment environment;
        QByteArray result;
    };
    const Case cases[] = {
        {{"-"}, testing::environmentWithLocale(QStringLiteral("ru_RU.UTF-8")), cyrillic},
        {{"-"}, testing::environmentWithLocale(QStringLiteral("C")), western},
        {{"--ansi", "1251", "-"}, testing::environmentWithLocale(QStringLiteral("C")), cyrillic},
        {{"-"}, stored, cyrillic},
        {{"--ansi", "1252", "-"}, stored, western},
    };
    for (const Case& c : cases) {
        const testing::ProgramRun run = runProgram(c.arguments, testing::readFile(source), c.environment);
        EXPECT_EQ(run.out, c.result) << c.arguments.join(u' ').toStdString();
    }
}

TEST_F(CommandLineTest, AStopSignalEndsTheRunAfterTheFileBeingWritten)
{
    // A first file large enough that the signal comes while it is converted, and small ones after it.
    QByteArray words;
    for (int i = 0; i < (32 << 20) / 8; ++i)
        words.append("word ab ");
    const QStringList sources = {write("big.txt", words), write("small1.txt", "a b"), write("small2.txt", "c d")};
    const QByteArray bigResult = WordsToLinesUtf8(QString::fromLatin1(words));
    struct Case
    {
        int signal;
        int exitCode;
    };
    for (const Case c : {Case{SIGINT, 130}, Case{SIGTERM, 143}}) {
        const QString out = path(QStringLiteral("out%1").arg(c.signal));
        QDir(work.path()).mkpath(QFileInfo(out).fileName());
        QProcess process;
        process.setProcessEnvironment(testing::environmentWithLocale(QStringLiteral("C.UTF-8")));
        process.start(QStringLiteral(QUILLORA_PROGRAM), QStringList{"--to", out} + sources);
        ASSERT_TRUE(process.waitForStarted(60000));
        // The first source is being read once the program has read a good part of its size (its result goes to an
        // unnamed file until it is complete, so the folder shows nothing before).
        ASSERT_TRUE(pollUntil([&] { return bytesRead(process.processId()) >= words.size() / 4; }))
            << "the program never read a quarter of the first file";
        ::kill(pid_t(process.processId()), c.signal);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), c.exitCode);
        EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{"big.txt"});
        EXPECT_EQ(testing::readFile(out + "/big.txt"), bigResult);
        EXPECT_EQ(process.readAllStandardError(),
                  "1 converted, 0 skipped, 0 failed\nquillora: stopped by "
                      + QByteArray(c.signal == SIGINT ? "SIGINT" : "SIGTERM") + "; 2 files not started\n");
    }

    // Standard input still open: the signal ends the wait, and the spooled input is removed.
    const QString spool = path("spool");
    QDir(work.path()).mkpath(QStringLiteral("spool"));
    QProcessEnvironment environment = testing::environmentWithLocale(QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("TMPDIR"), spool);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUILLORA_PROGRAM), {"-"});
    ASSERT_TRUE(process.waitForStarted(60000));
    process.write("some words");
    // The spool file is opened once the signals are caught; it may have no name in the folder.
    ASSERT_TRUE(pollUntil([&] { return holdsFileIn(process.processId(), spool); }))
        << "the program never opened its spool file";
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_EQ(process.readAllStandardOutput(), "");
    EXPECT_EQ(process.readAllStandardError(), "quillora: stopped by SIGINT\n");
    EXPECT_TRUE(QDir(spool).isEmpty(QDir::Files | QDir::Hidden));
}

TEST_F(CommandLineTest, ClosedStandardDescriptorsTakeNoMessages)
{
    // Text files and files holding a NUL, alternating, so that a message about a skipped file comes while results
    // are open: one opened on a free standard descriptor would receive it.
    QMap<QString, QByteArray> texts;
    QMap<QString, QByteArray> binaries;
    for (int i = 0; i < 12; ++i) {
        texts.insert(QStringLiteral("t%1.txt").arg(i), QByteArray("words of ") + QByteArray::number(i));
        binaries.insert(QStringLiteral("b%1.txt").arg(i), QByteArray("bin\0ary", 7) + QByteArray::number(i));
    }
    const QList<const char*> closings = {">&-", "2>&-", ">&- 2>&-", "<&- >&- 2>&-"};
    for (qsizetype at = 0; at < closings.size(); ++at) {
        const char* closing = closings.at(at);
        const QString folder = path(QStringLiteral("closed%1").arg(at));
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            testing::writeFile(folder + u'/' + it.key(), it.value());
        for (auto it = binaries.cbegin(); it != binaries.cend(); ++it)
            testing::writeFile(folder + u'/' + it.key(), it.value());
        const testing::ProgramRun run
            = testing::runShell(QStringLiteral("exec \"$0\" --in-place --ext '*' \"$1\" ") + closing, {folder});
        EXPECT_EQ(run.exitCode, 1) << closing;
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            EXPECT_EQ(testing::readFile(folder + u'/' + it.key()), WordsToLinesUtf8(QString::fromLatin1(it.value())))
                << closing << " " << it.key().toStdString();
        for (auto it = binaries.cbegin(); it != binaries.cend(); ++it)
            EXPECT_EQ(testing::readFile(folder + u'/' + it.key()), it.value()) << closing;
    }
}

TEST_F(CommandLineTest, StandardInputLeavesNoSpoolWhenTheReaderGoesAway)
{
    QByteArray words;
    for (int i = 0; i < (4 << 20) / 8; ++i)
        words.append("word ab ");
    const QString input = write("input.txt", words);
    const QString spool = path("spool");
    QDir(work.path()).mkpath(QStringLiteral("spool"));
    QProcessEnvironment environment = testing::environmentWithLocale(QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("TMPDIR"), spool);
    struct Case
    {
        // Set up before the pipeline, as a parent process may have set it up.
        const char* before;
        int exitCode;
        QByteArray err;
    };
    const Case cases[] = {
        {"", 128 + SIGPIPE, ""},
        {"trap '' PIPE;", 1, "-: Broken pipe\n"},
    };
    for (const Case& c : cases) {
        const testing::ProgramRun run = testing::runShell(
            QString::fromLatin1(c.before)
                + QStringLiteral(" \"$0\" - < \"$1\" 2> \"$2\" | head -c 10 > /dev/null; exit ${PIPESTATUS[0]}"),
            {input, path("err")}, environment);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.before;
        EXPECT_EQ(testing::readFile(path("err")), c.err) << c.before;
        EXPECT_EQ(QDir(spool).entryList(QDir::Files | QDir::Hidden), QStringList()) << c.before;
    }
}

TEST_F(CommandLineTest, AStopSignalEndsAWriteWaitingOnAFullPipe)
{
    QByteArray words;
    for (int i = 0; i < (4 << 20) / 8; ++i)
        words.append("word ab ");
    const QString input = write("input.txt", words);
    const QByteArray fifo = QFile::encodeName(path("out.fifo"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    struct Case
    {
        int signal;
        int exitCode;
    };
    for (const Case c : {Case{SIGINT, 130}, Case{SIGTERM, 143}}) {
        // Held open and never read: the program's writes wait once the pipe is full.
        const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        QProcess process;
        process.setProcessEnvironment(testing::environmentWithLocale(QStringLiteral("C.UTF-8")));
        process.setStandardInputFile(input);
        process.setStandardOutputFile(path("out.fifo"));
        process.start(QStringLiteral(QUILLORA_PROGRAM), {"-"});
        ASSERT_TRUE(process.waitForStarted(60000));
        ASSERT_TRUE(pollUntil([&] {
            int queued = 0;
            return ::ioctl(reader, FIONREAD, &queued) == 0 && queued >= 65536;
        })) << "the pipe never filled";
        ASSERT_TRUE(pollUntil([&] { return waitsOnAPipeWrite(process.processId()); }))
            << "the program never came to wait on its write";
        QElapsedTimer ended;
        ended.start();
        ::kill(pid_t(process.processId()), c.signal);
        const bool finished = process.waitForFinished(5000);
        EXPECT_TRUE(finished) << c.signal;
        EXPECT_LT(ended.elapsed(), 1000) << c.signal;
        EXPECT_EQ(process.exitCode(), c.exitCode) << c.signal;
        if (!finished) {
            process.kill();
            process.waitForFinished(60000);
        }
        ::close(reader);
    }
}

// Writes a file whose path may hold bytes that are not UTF-8, which QFile cannot name.
void writeRawFile(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0) << path.constData();
    ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(fd);
}

QByteArray readRawFile(const QByteArray& path)
{
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return "missing";
    return file.readAll();
}

TEST_F(CommandLineTest, NamesThatAreNotUtf8AreLeftAsTheyAre)
{
    const QString folder = path("names");
    const QByteArray raw = QFile::encodeName(folder);
    QDir(work.path()).mkpath(QStringLiteral("names"));
    // Qt cannot name what it has to remove here.
    const auto removeNames = qScopeGuard([&raw] { std::filesystem::remove_all(raw.toStdString()); });
    ASSERT_EQ(::mkdir(raw + "/sub\xe9", 0700), 0);
    const QMap<QByteArray, QByteArray> untouched
        = {{"/caf\xe9.txt", "named by its bytes"}, {"/sub\xe9/in.txt", "below a folder named by its bytes"}};
    for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
        writeRawFile(raw + it.key(), it.value());
    // The name a decoder with replacement characters would make of the first.
    const QString lookAlike = write("names/caf\xef\xbf\xbd.txt", "the look alike");
    const QByteArray lookAlikeResult = WordsToLinesUtf8(QStringLiteral("the look alike"));
    struct Case
    {
        // printf '%b' turns \xNN into the byte.
        QStringList arguments;
        int exitCode;
        QStringList errLines;
        QByteArray lookAlike;
    };
    const Case cases[] = {
        {{"--in-place", folder + "/caf\\xe9.txt"},
         1,
         {folder + "/caf\\xe9.txt: name is not valid UTF-8, left as it is", "0 converted, 1 skipped, 0 failed"},
         "the look alike"},
        {{"--to", folder + "/out\\xe9", lookAlike},
         2,
         {"quillora: '" + folder + "/out\\xe9': name is not valid UTF-8", usageLine},
         "the look alike"},
        {{"--in-place", folder},
         1,
         {folder + "/sub\\xe9/: name is not valid UTF-8, left as it is",
          folder + "/caf\\xe9.txt: name is not valid UTF-8, left as it is", "1 converted, 2 skipped, 0 failed"},
         lookAlikeResult},
    };
    for (const Case& c : cases) {
        const testing::ProgramRun run = testing::runShell(
            "names=(); for name in \"$@\"; do names+=(\"$(printf '%b' \"$name\")\"); done; exec \"$0\" \"${names[@]}\"",
            c.arguments);
        const std::string label = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << label;
        EXPECT_EQ(QString::fromUtf8(run.err).split(u'\n', Qt::SkipEmptyParts).mid(0, c.errLines.size()), c.errLines)
            << label;
        EXPECT_EQ(testing::readFile(lookAlike), c.lookAlike) << label;
        for (auto it = untouched.cbegin(); it != untouched.cend(); ++it)
            EXPECT_EQ(readRawFile(raw + it.key()), it.value()) << label;
    }
}

TEST_F(CommandLineTest, ControlCharactersInNamesArePrintedEscaped)
{
    const QString out = path("out");
    QDir(work.path()).mkpath(QStringLiteral("out"));
    // Each name as given, and as printed; none exists.
    const QList<std::pair<QString, QString>> names = {
        {"x\x1b]0;owned\x07\x1b[2J.txt", "x\\e]0;owned\\a\\e[2J.txt"},
        {"tab\tand\nline.txt", "tab\\tand\\nline.txt"},
        {QString::fromUtf8("c1\xc2\x9b.txt"), "c1\\xc2\\x9b.txt"},
        {"del\x7f.txt", "del\\x7f.txt"},
        {"back\\slash.txt", "back\\slash.txt"},
        {"back\\x1b.txt", "back\\\\x1b.txt"},
        {"back\\\x1b.txt", "back\\\\\\e.txt"},
    };
    QStringList arguments = {"--to", out};
    QString expected;
    for (const auto& [name, printed] : names) {
        arguments.append(path(name));
        expected += path(printed) + ": No such file or directory\n";
    }
    const testing::ProgramRun run = runProgram(arguments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(run.err), expected + "0 converted, 0 skipped, 7 failed\n");
}

} // namespace
} // namespace quillora
