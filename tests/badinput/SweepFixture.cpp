// The sweep's tree, snapshots and the three ways in.
#include "SweepFixture.h"

#include "folders/FileListing.h"
#include "folders/FolderWalk.h"
#include "windows/batch/BatchWindow.h"
#include "windows/batch/FileListModel.h"
#include "windows/single/SingleTextWindow.h"
#include "windows/single/TextBoxControl.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace quillora::testing {

SweepTest::SweepTest()
{
    QDir(tree.path()).mkpath(QStringLiteral("in"));
    QDir(tree.path()).mkpath(QStringLiteral("out"));
}

TreeSnapshot SweepTest::snapshotOutsideDestination() const
{
    constexpr qint64 compared = qint64(16) << 20;
    TreeSnapshot snapshot;
    const QString destination = tree.path() + QStringLiteral("/out/");
    QDirIterator it(tree.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.startsWith(destination))
            continue;
        const QFileInfo info(path);
        FileState state;
        state.linkTarget = info.isSymLink() ? info.symLinkTarget() : QString();
        if (info.isFile() && !info.isSymLink()) {
            state.size = info.size();
            state.modified = info.lastModified().toMSecsSinceEpoch();
            if (state.size <= compared && info.isReadable())
                state.bytes = readFile(path);
        }
        snapshot.insert(path, state);
    }
    return snapshot;
}

SweepTest::Loaded SweepTest::loadInSingleWindow(const QString& path)
{
    TestServices doubles;
    SingleTextWindow form(doubles.services());
    form.load();
    find<TextBoxControl>(form, "inputText")->setText(QStringLiteral("before"));
    doubles.messages.clear();
    doubles.dialogs.openNext(path);
    find<QPushButton>(form, "loadText")->click();
    return {find<TextBoxControl>(form, "inputText")->text(), doubles.messages.texts()};
}

QStringList SweepTest::runBatch(const QString& path, const QString& destination)
{
    TestServices doubles;
    BatchWindow form(doubles.services());
    form.load();
    form.fileList()->append({path});
    find<QRadioButton>(form, "resultsToFolder")->click();
    find<QLineEdit>(form, "destinationFolder")->setText(destination);
    doubles.messages.clear();
    find<QPushButton>(form, "startConverting")->click();
    return doubles.messages.texts();
}

QStringList SweepTest::walkAndList(QStringList* walkMessages)
{
    TestServices doubles;
    QStringList folders{in() + QDir::separator()};
    collectSubFolders(folders, true, {doubles.events, ErrorReport::boxTeller(doubles.messages), {}});
    QStringList found;
    for (const QString& folder : folders) {
        for (const QString& name : ListFilesInFolder(folder, QStringLiteral("*")))
            found.append(folder + name);
    }
    if (walkMessages)
        *walkMessages = doubles.messages.texts();
    return found;
}

void SweepTest::expectRefusedWith(const QString& path, const QString& description)
{
    const TreeSnapshot before = snapshotOutsideDestination();
    const Loaded loaded = loadInSingleWindow(path);
    EXPECT_EQ(loaded.messages, QStringList{loadError(description, 112)});
    EXPECT_EQ(loaded.input, QStringLiteral("before"));
    EXPECT_EQ(runBatch(path, out()), QStringList({runError(description, 126), QStringLiteral("Done.")}));
    EXPECT_TRUE(QDir(out()).isEmpty());
    EXPECT_EQ(snapshotOutsideDestination(), before);
}

QString SweepTest::runError(const QString& description, int line)
{
    return ErrorReport::boxText(description, ErrorReport::programOrigin(QStringLiteral("Form3.PushButton13_Click")),
                                line);
}

QString SweepTest::loadError(const QString& description, int line)
{
    return ErrorReport::boxText(description, ErrorReport::programOrigin(QStringLiteral("Form2.PushButton1_Click")),
                                line);
}

QString SweepTest::notText(const QString& path)
{
    return path + QStringLiteral("\r\rwas not converted because it is not a text file.");
}

} // namespace quillora::testing
