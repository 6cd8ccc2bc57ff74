// Clicks "Add All Text File(s) In Folder" of the batch window, answering "txt", on a generated tree of 10,000
// folders and 100,000 files (walk, listing, open test, attribute value, appending to the list) and compares it with
// `find DIR -type f -iname '*.txt'` on the same tree in the same run. Usage: bench_walk [top-folders]
// [sub-folders-each] [files-per-folder]
#include "bench/BenchSupport.h"
#include "bench_batch_services.h"
#include "platform/FileSettingsStore.h"
#include "platform/NativeFileFacts.h"
#include "platform/QtEventPump.h"
#include "platform/testing/FindControl.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/FileListModel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

using quillora::testing::find;

using quillora::bench::median;

using namespace quillora;

// Answers "txt" to the extension prompt and counts any other box.
class TxtAnswer : public MessageBoxes
{
public:
    MessageAnswer show(const MessageBoxRequest& request) override
    {
        std::fprintf(stderr, "unexpected box: %s\n", qPrintable(request.text));
        ++shown;
        return MessageAnswer::Ok;
    }
    QString input(const InputBoxRequest&) override { return QStringLiteral("txt"); }
    int shown = 0;
};

// Picks the generated tree's root.
class RootPicker : public bench::OneSelection
{
public:
    QString browseForFolder(const FolderPickerRequest&) override { return root; }
    QString root;
};

class IdlePump : public EventPump
{
public:
    void letEventsThrough() override { ++yields; }
    qsizetype yields = 0;
};

// The batch window on quiet stand-ins, whose "Add All Text File(s) In Folder" is clicked for each measurement.
struct Window
{
    Window(const QString& root, EventPump& events)
        : settings(settingsFolder.path())
    {
        picker.root = root;
        form = std::make_unique<BatchWindow>(
            Services{boxes, picker, shell, events, settings, random, facts, settingsFolder.path(), {}});
    }

    qsizetype addAll()
    {
        form->fileList()->clear();
        form->addAllTextFilesInFolder();
        return form->fileList()->count();
    }

    QTemporaryDir settingsFolder;
    FileSettingsStore settings;
    TxtAnswer boxes;
    RootPicker picker;
    bench::NoShell shell;
    bench::FixedRandom random;
    NativeFileFacts facts;
    std::unique_ptr<BatchWindow> form;
};

void touch(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        (void)!::write(fd, "one two three\n", 14);
        ::close(fd);
    }
}

// Every folder gets the same mix: mostly text files, a few in capitals, a few other kinds.
void fill(const QByteArray& folder, int files)
{
    static const char* const kinds[] = {".txt", ".TXT", ".txt", ".Txt", ".txt", ".txt", ".txt", ".md", ".dat", ""};
    for (int i = 0; i < files; ++i)
        touch(folder + "/file" + QByteArray::number(i) + kinds[i % 10]);
}

qsizetype generate(const QString& root, int top, int sub, int files)
{
    qsizetype folders = 0;
    const QByteArray base = QFile::encodeName(root);
    for (int t = 0; t < top; ++t) {
        const QByteArray upper = base + "/top" + QByteArray::number(t);
        QDir().mkpath(QFile::decodeName(upper));
        fill(upper, files);
        ++folders;
        for (int s = 0; s < sub; ++s) {
            const QByteArray lower = upper + "/sub" + QByteArray::number(s);
            QDir().mkpath(QFile::decodeName(lower));
            fill(lower, files);
            ++folders;
        }
    }
    return folders;
}

qsizetype runFind(const QString& root)
{
    const QByteArray command = "find '" + QFile::encodeName(root) + "' -type f -iname '*.txt'";
    FILE* pipe = ::popen(command.constData(), "r");
    if (!pipe)
        return -1;
    qsizetype lines = 0;
    char buffer[1 << 16];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        lines += std::count(buffer, buffer + read, '\n');
    ::pclose(pipe);
    return lines;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int top = argc > 1 ? std::atoi(argv[1]) : 100;
    const int sub = argc > 2 ? std::atoi(argv[2]) : 99;
    const int files = argc > 3 ? std::atoi(argv[3]) : 10;

    QTemporaryDir tree(QStringLiteral("/tmp/quillora-bench-walk-XXXXXX"));
    const QString root = tree.path();
    QElapsedTimer clock;
    clock.start();
    const qsizetype folders = generate(root, top, sub, files);
    std::printf("tree: %lld folders, %lld files under %s (made in %.1f s)\n", static_cast<long long>(folders + 1),
                static_cast<long long>(folders * files), qPrintable(root), clock.elapsed() / 1000.0);

    QtEventPump events;
    IdlePump idle;
    Window window(root, events);
    Window idleWindow(root, idle);
    qsizetype ours = 0;
    qsizetype found = 0;
    std::vector<double> oursTimes;
    std::vector<double> findTimes;
    std::vector<double> idleTimes;
    std::vector<double> ratios;
    // One round to warm the caches, then seven measured rounds, each tool in turn. The machine is shared, so each
    // round's two times are compared with each other and the middle ratio is taken.
    constexpr int rounds = 8;
    for (int round = 0; round < rounds; ++round) {
        clock.restart();
        found = runFind(root);
        const double findTime = clock.nsecsElapsed() / 1e9;
        clock.restart();
        ours = window.addAll();
        const double oursTime = clock.nsecsElapsed() / 1e9;
        clock.restart();
        idleWindow.addAll();
        const double idleTime = clock.nsecsElapsed() / 1e9;
        if (round > 0) {
            findTimes.push_back(findTime);
            oursTimes.push_back(oursTime);
            idleTimes.push_back(idleTime);
            ratios.push_back(oursTime / findTime);
        }
    }
    const double ratio = median(ratios);
    std::printf("find -type f -iname '*.txt': %.3f s (median of %zu), %lld files\n", median(findTimes),
                findTimes.size(), static_cast<long long>(found));
    std::printf("Add All Text File(s) In Folder: %.3f s (median of %zu), %lld files\n", median(oursTimes),
                oursTimes.size(), static_cast<long long>(ours));
    std::printf("  of which letting events through %lld times: about %.3f s\n",
                static_cast<long long>(idle.yields / rounds), median(oursTimes) - median(idleTimes));
    std::printf(
        "ratio: %.2f times find, the middle of the rounds' ratios (lowest %.2f, highest %.2f; bar: at most 3)\n", ratio,
        *std::min_element(ratios.begin(), ratios.end()), *std::max_element(ratios.begin(), ratios.end()));
    const bool same = ours == found && window.boxes.shown == 0 && idleWindow.boxes.shown == 0;
    if (!same)
        std::printf("MISMATCH: the two counts differ or an error box was shown\n");
    std::printf("%s\n", same && ratio <= 3.0 ? "PASS" : "FAIL");
    return same && ratio <= 3.0 ? 0 : 1;
}
