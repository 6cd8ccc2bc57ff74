// The batch run through the window: 10,000 files of 2 KB beside a shell loop of tr over the same files, and one
// 100 MB file beside a plain copy, with the peak memory of a process that does only that run.
#include "bench_batch_services.h"
#include "platform/FileSettingsStore.h"
#include "shell/FileListModel.h"
#include "windows/batch/Form3.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>
#include <random>
#include <sys/resource.h>

namespace {

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
    Services services{boxes, dialogs, shell, events, settings, random, settingsFolder.path(), [] {}};
    Form3 window(services, [] {});
    window.Form_Load();
    window.show();
    window.fileList->append(sources);
    window.Option1->click();
    window.Text5->setText(folder);
    QApplication::processEvents();
    boxes.shown = 0;

    QElapsedTimer timer;
    timer.start();
    window.PushButton13_Click();
    RunFigures figures;
    figures.elapsedNs = timer.nsecsElapsed();
    figures.longestGapNs = events.longestGapNs;
    figures.yields = events.yields;
    figures.boxes = boxes.shown;
    figures.lastBox = boxes.last;
    return figures;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// In a process of its own, so its peak memory is the run's: prints elapsed ns, peak KB before and after.
int childRun(const QString& source, const QString& folder)
{
    const long before = peakKilobytes();
    const RunFigures figures = runWindow({source}, folder);
    std::printf("%lld %ld %ld %d\n", static_cast<long long>(figures.elapsedNs), before, peakKilobytes(), figures.boxes);
    return figures.lastBox == QStringLiteral("Done.") && figures.boxes == 1 ? 0 : 1;
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
    const QString source = root + (ansi ? QStringLiteral("/large-ansi.txt") : QStringLiteral("/large.txt"));
    writeBytes(source, sampleText(largeSize, 7, ansi));
    const QString out = root + QStringLiteral("/large-out");
    QDir().mkpath(out);
    // Warm the page cache the same way for every contender.
    timeShell(QStringLiteral("cat '%1' > /dev/null").arg(source));
    const qint64 copy = timeShell(QStringLiteral("cp '%1' '%2/copy.txt'").arg(source, root));

    QProcess child;
    child.start(QString::fromLocal8Bit(program), {QStringLiteral("--child"), source, out});
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        std::fprintf(stderr, "the run in the child process failed: %s%s", child.readAllStandardOutput().constData(),
                     child.readAllStandardError().constData());
        std::exit(2);
    }
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    const qint64 elapsed = figures.value(0).toLongLong();
    const double peakBefore = figures.value(1).toDouble() * 1024;
    const double peak = figures.value(2).toDouble() * 1024;
    const double file = double(largeSize);

    std::printf("one file of %lld MB%s (result %lld bytes)\n", static_cast<long long>(largeSize >> 20),
                ansi ? " of Windows-1252 text" : " of plain text",
                static_cast<long long>(
                    QFileInfo(out + (ansi ? QStringLiteral("/large-ansi.txt") : QStringLiteral("/large.txt"))).size()));
    std::printf("  baseline, cp of the file:  %.3f s\n", seconds(copy));
    std::printf("  the window's run:          %.3f s  ratio %.2f (bar: at most 2)\n", seconds(elapsed),
                double(elapsed) / double(copy));
    std::printf("  peak memory of the process: %.0f MB = %.2f x the file (bar: at most 4); %.0f MB before the run\n",
                peak / 1048576, peak / file, peakBefore / 1048576);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QStringLiteral("--child"))
        return childRun(arguments[2], arguments[3]);

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
