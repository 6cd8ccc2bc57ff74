// The batch list with 100,000 entries: appending, adding through "Add Text File(s)", and scrolling.
#include "bench_batch_services.h"
#include "platform/FileFacts.h"
#include "platform/FileSettingsStore.h"
#include "platform/NativeFileFacts.h"
#include "platform/QtEventPump.h"
#include "platform/testing/FindControl.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/FileListModel.h"
#include "windows/batch/PacedListModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdio>

namespace {

using quillora::testing::find;

using namespace quillora;
using namespace quillora::bench;

// Every made-up path reads as an ordinary file, so the figures are the list's and not the disk's.
class EveryPathAFile : public NativeFileFacts
{
public:
    std::optional<quint32> attributes(const QString&) override { return attribute::archive; }
};

constexpr int entries = 100000;

QStringList paths()
{
    QStringList result;
    result.reserve(entries);
    for (int i = 0; i < entries; ++i)
        result << QStringLiteral("/home/user/Documents/texts/folder%1/file%2.txt").arg(i / 100).arg(i);
    return result;
}

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    // Without a display the window is drawn offscreen, which paints more slowly than a real display does.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir settingsFolder;
    FileSettingsStore settings(settingsFolder.path());
    SilentBoxes boxes;
    OneSelection dialogs;
    NoShell shell;
    QtEventPump events;
    FixedRandom random;
    EveryPathAFile facts;
    Services services{boxes, dialogs, shell, events, settings, random, facts, settingsFolder.path(), [] {}};
    const QStringList all = paths();

    // Baseline: the same paths appended to a plain string list.
    QElapsedTimer timer;
    timer.start();
    QStringList plain;
    for (const QString& path : all)
        plain.append(path);
    const double baseline = seconds(timer);

    BatchWindow window(services);
    window.load();
    window.show();
    QApplication::processEvents();

    timer.restart();
    for (const QString& path : all)
        window.fileList()->append(path);
    QApplication::processEvents();
    window.shownList()->revealNow();
    find<QTreeView>(window, "fileListView")->scrollToBottom();
    find<QTreeView>(window, "fileListView")->viewport()->repaint();
    const double appended = seconds(timer);

    window.fileList()->clear();
    QApplication::processEvents();
    dialogs.selection = QStringLiteral("/home/user/Documents/texts");
    for (int i = 0; i < entries; ++i)
        dialogs.selection += QChar(u'\0') + QStringLiteral("file%1.txt").arg(i);
    timer.restart();
    window.addTextFiles();
    QApplication::processEvents();
    window.shownList()->revealNow();
    find<QTreeView>(window, "fileListView")->scrollToBottom();
    find<QTreeView>(window, "fileListView")->viewport()->repaint();
    const double added = seconds(timer);

    // Scrolling: one page at a time through the whole list, each page painted.
    QScrollBar* bar = find<QTreeView>(window, "fileListView")->verticalScrollBar();
    const int pages = 200;
    timer.restart();
    for (int page = 0; page < pages; ++page) {
        bar->setValue(bar->maximum() / pages * page);
        find<QTreeView>(window, "fileListView")->viewport()->repaint();
    }
    const double perPage = seconds(timer) / pages;

    std::printf("entries: %d (list holds %lld, view shows %d)\n", entries,
                static_cast<long long>(window.fileList()->count()),
                find<QTreeView>(window, "fileListView")->model()->rowCount());
    std::printf("baseline, plain string list append: %.4f s\n", baseline);
    std::printf("append to the shown list, then lay out and paint: %.4f s  (%.1fx baseline, %.2f of the 1 s bar)\n",
                appended, appended / baseline, appended / 1.0);
    std::printf("\"Add Text File(s)\" with one event yield per file: %.4f s  (%.1fx baseline, %.2f of the 1 s bar)\n",
                added, added / baseline, added / 1.0);
    std::printf("scrolling: %.2f ms per painted page (a frame at 60 Hz is 16.7 ms: %.2f of a frame)\n", perPage * 1000,
                perPage / (1.0 / 60));
    return 0;
}
