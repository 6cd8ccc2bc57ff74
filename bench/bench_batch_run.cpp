// The batch run through the window: 10,000 files of 2 KB beside a shell loop of tr over the same files, and one
// 100 MB file beside a plain copy, with the peak memory of a process that does only that run.
#include "bench_batch_services.h"
#include "platform/FileSettingsStore.h"
#include "platform/NativeFileFacts.h"
#include "platform/testing/FindControl.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/FileListModel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <sys/resource.h>

namespace {

using quillora::testing::find;

using namespace quillora;
using namespace quillora::bench;

constexpr int smallFiles = 10000;
constexpr qint64 smallSize = 2048;
constexpr qint64 largeSize = qint64(100) << 20;

// Words of plain text with now and then two spaces and a line break; ansi adds Windows-1252 letters.
QByteArray sampleText(qint64 size, unsigned seed, bool ansi)
{
    static const char* const plainWords[] = {"the",   "quick", "brown",   "fox",   "jumps", "over",   "lazy", "dog",
                                             "river", "stone", "morning", "light", "paper", "window", "a",    "of"};
    static const char* const ansiWords[] = {"caf\xE9", "na\xEFve",
                                            "Stra\xDF"
                                            "e",
                                            "\x80"
                                            "12",
                                            "fa\xE7"
                                            "ade"};
    std::mt19937 random(seed);
    QByteArray text;
    text.reserve(size + 32);
    int sinceBreak = 0;
    while (text.size() < size) {
        const unsigned pick = random();
        text.append(ansi && pick % 5 == 0 ? ansiWords[(pick >> 8) % 5] : plainWords[(pick >> 8) % 16]);
        if (++sinceBreak == 12) {
            text.append("\r\n");
            sinceBreak = 0;
        } else {
            text.append(pick % 9 == 0 ? "  " : " ");
        }
    }
    text.truncate(size);
    return text;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(2);
    }
}

double seconds(qint64 ns)
{
    return double(ns) / 1e9;
}

// Times a shell command; exits when it fails.
qint64 timeShell(const QString& command)
{
    QElapsedTimer timer;
    timer.start();
    QProcess shell;
    shell.start(QStringLiteral("bash"), {QStringLiteral("-c"), command});
    if (!shell.waitForFinished(-1) || shell.exitCode() != 0) {
        std::fprintf(stderr, "failed: %s\n%s", qPrintable(command), shell.readAllStandardError().constData());
        std::exit(2);
    }
    return timer.nsecsElapsed();
}

struct RunFigures
{
    qint64 elapsedNs = 0;
    qint64 longestGapNs = 0;
    int yields = 0;
    int boxes = 0;
    QString lastBox;
};

// "Start Converting" in a shown window over sources, with the results to folder.
RunFigures runWindow(const QStringList& sources, const QString& folder)
{
    QTemporaryDir settingsFolder;
    FileSettingsStore settings(settingsFolder.path());
    SilentBoxes boxes;
    OneSelection dialogs;
    NoShell shell;
    TimedEventPump events;
    FixedRandom random;
    NativeFileFacts facts;
    Services services{boxes, dialogs, shell, events, settings, random, facts, settingsFolder.path(), [] {}};
    BatchWindow window(services);
    window.load();
    window.show();
    window.fileList()->append(sources);
    find<QRadioButton>(window, "resultsToFolder")->click();
    find<QLineEdit>(window, "destinationFolder")->setText(folder);
    QApplication::processEvents();
    boxes.clear();

    QElapsedTimer timer;
    timer.start();
    window.startConverting();
    RunFigures figures;
    figures.elapsedNs = timer.nsecsElapsed();
    figures.longestGapNs = events.longestGapNs;
    figures.yields = events.yields;
    figures.boxes = int(boxes.shown().size());
    figures.lastBox = boxes.shown().isEmpty() ? QString() : boxes.shown().last().text;
    return figures;
}
// The high-water mark of this process's resident memory in KB (VmHWM, which starts afresh at exec).
long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// In a process of its own, so the peak memory is the run's: prints elapsed ns, peak KB before and after. The
// source may be a folder, whose files are then all converted.
int childRun(const QString& source, const QString& folder)
{
    QStringList sources{source};
    if (QFileInfo(source).isDir()) {
        sources.clear();
        for (const QString& name : QDir(source).entryList(QDir::Files, QDir::Name))
            sources << source + QStringLiteral("/") + name;
    }
    const long before = peakKilobytes();
    const RunFigures figures = runWindow(sources, folder);
    std::printf("%lld %ld %ld\n", static_cast<long long>(figures.elapsedNs), before, peakKilobytes());
    return figures.lastBox == QStringLiteral("Done.") && figures.boxes == 1 ? 0 : 1;
}

// The plain copy the run is measured against: the whole file read, then written, as the program would without
// converting anything.
int childCopy(const QString& source, const QString& target)
{
    const long before = peakKilobytes();
    QElapsedTimer timer;
    timer.start();
    QFile in(source);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    const QByteArray bytes = in.readAll();
    if (out.write(bytes) != bytes.size() || !out.flush())
        return 1;
    out.close();
    std::printf("%lld %ld %ld\n", static_cast<long long>(timer.nsecsElapsed()), before, peakKilobytes());
    return 0;
}

struct ChildFigures
{
    qint64 elapsedNs = 0;
    double peakBeforeBytes = 0;
    double peakBytes = 0;
};

// Runs this program again in the given mode, three times; the figures of the median time.
ChildFigures timeChild(const char* program, const QString& mode, const QString& source, const QString& target)
{
    QList<ChildFigures> runs;
    for (int i = 0; i < 3; ++i) {
        QProcess child;
        child.start(QString::fromLocal8Bit(program), {mode, source, target});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            std::fprintf(stderr, "%s failed: %s%s", qPrintable(mode), child.readAllStandardOutput().constData(),
                         child.readAllStandardError().constData());
            std::exit(2);
        }
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        runs << ChildFigures{figures.value(0).toLongLong(), figures.value(1).toDouble() * 1024,
                             figures.value(2).toDouble() * 1024};
    }
    std::sort(runs.begin(), runs.end(),
              [](const ChildFigures& a, const ChildFigures& b) { return a.elapsedNs < b.elapsedNs; });
    return runs[1];
}

void smallFilesBenchmark(const QString& root)
{
    const QString in = root + QStringLiteral("/small-in");
    QDir().mkpath(in);
    QDir().mkpath(root + QStringLiteral("/small-out"));
    QDir().mkpath(root + QStringLiteral("/small-tr"));
    QStringList sources;
    for (int i = 0; i < smallFiles; ++i) {
        sources << in + QStringLiteral("/text%1.txt").arg(i, 5, 10, QChar(u'0'));
        writeBytes(sources.last(), sampleText(smallSize, unsigned(i), false));
    }
    const qint64 loop = timeShell(QStringLiteral("cd '%1/small-in' && for f in *; do tr -s ' ' '\\n' < \"$f\" > "
                                                 "\"../small-tr/$f\"; done")
                                      .arg(root));
    const RunFigures run = runWindow(sources, root + QStringLiteral("/small-out"));
    const qsizetype written = QDir(root + QStringLiteral("/small-out")).entryList(QDir::Files).size();

    std::printf("%d files of %lld bytes to a chosen folder (%lld results, %d yields, last box \"%s\")\n", smallFiles,
                static_cast<long long>(smallSize), static_cast<long long>(written), run.yields,
                qPrintable(run.lastBox));
    std::printf("  baseline, shell loop of tr -s ' ' '\\n': %.2f s\n", seconds(loop));
    std::printf("  the window's run:                     %.2f s  ratio %.2f (bar: below 1)\n", seconds(run.elapsedNs),
                double(run.elapsedNs) / double(loop));
    std::printf("  longest time between two yields: %.2f ms\n", seconds(run.longestGapNs) * 1000);
}

void largeFileBenchmark(const QString& root, const char* program, bool ansi)
{
    const QString name = ansi ? QStringLiteral("large-ansi.txt") : QStringLiteral("large.txt");
    const QString source = root + QStringLiteral("/") + name;
    writeBytes(source, sampleText(largeSize, 7, ansi));
    const QString out = root + QStringLiteral("/large-out");
    QDir().mkpath(out);
    // Warm the page cache the same way for every contender.
    timeShell(QStringLiteral("cat '%1' > /dev/null").arg(source));
    const ChildFigures copy = timeChild(program, QStringLiteral("--child-copy"), source, root + "/copy.txt");
    const qint64 cp = timeShell(QStringLiteral("cp '%1' '%2/cp.txt'").arg(source, root));
    const ChildFigures run = timeChild(program, QStringLiteral("--child-run"), source, out);
    const double file = double(largeSize);

    std::printf("one file of %lld MB of %s (result %lld bytes; median of 3 runs)\n",
                static_cast<long long>(largeSize >> 20), ansi ? "Windows-1252 text" : "plain text",
                static_cast<long long>(QFileInfo(out + QStringLiteral("/") + name).size()));
    std::printf("  baseline, plain copy (read whole, write whole): %.3f s, peak %.0f MB\n", seconds(copy.elapsedNs),
                copy.peakBytes / 1048576);
    std::printf("  for comparison, cp (copies inside the kernel):  %.3f s\n", seconds(cp));
    std::printf("  the window's run:  %.3f s  ratio to the plain copy %.2f (bar: at most 2)\n", seconds(run.elapsedNs),
                double(run.elapsedNs) / double(copy.elapsedNs));
    std::printf("  peak memory of the run's process: %.0f MB = %.2f x the file (bar: at most 4); %.0f MB before the "
                "run\n",
                run.peakBytes / 1048576, run.peakBytes / file, run.peakBeforeBytes / 1048576);
}

} // namespace

int main(int argc, char* argv[])
{
    // Without a display the window is drawn offscreen, which paints more slowly than a real display does.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QStringLiteral("--child-run"))
        return childRun(arguments[2], arguments[3]);
    if (arguments.size() == 4 && arguments[1] == QStringLiteral("--child-copy"))
        return childCopy(arguments[2], arguments[3]);

    const bool onlyLarge = arguments.contains(QStringLiteral("--large"));
    const bool onlySmall = arguments.contains(QStringLiteral("--small"));
    QTemporaryDir work;
    if (!onlyLarge)
        smallFilesBenchmark(work.path());
    if (!onlySmall) {
        largeFileBenchmark(work.path(), argv[0], false);
        largeFileBenchmark(work.path(), argv[0], true);
    }
    return 0;
}
