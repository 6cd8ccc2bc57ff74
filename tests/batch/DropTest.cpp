// Files and folders dropped on the list: files as "Add Text File(s)" adds them, folders as "Add All Text File(s)
// In Folder" adds them without the folder picker, and the rest named in one notice.
#include "BatchWindowFixture.h"
#include "platform/ApplicationTitle.h"
#include "support/Drops.h"

#include <QFile>
#include <QTreeView>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace quillora::testing {
namespace {

class DropTest : public BatchWindowTest
{
protected:
    QWidget* listArea() { return find<QTreeView>(form, "fileListView")->viewport(); }
};

TEST_F(DropTest, FilesAndFoldersJoinInDropOrderAndTheRestIsNamedOnce)
{
    openWindow();
    const QString a = write(QStringLiteral("a.txt"), "a");
    const QString b = write(QStringLiteral("b.doc"), "b");
    const QString x = write(QStringLiteral("dir/x.txt"), "x");
    const QString y = write(QStringLiteral("dir/sub/y.txt"), "y");
    write(QStringLiteral("dir/z.doc"), "z");
    const QString gone = at(QStringLiteral("gone.txt"));
    QStringList dropped{a, at(QStringLiteral("dir")) + QStringLiteral("/"), b, gone};
    QStringList leftOut{gone};
#ifndef Q_OS_WIN
    const QString pipe = at(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    dropped.insert(1, pipe);
    leftOut.prepend(pipe);
#endif
    doubles.messages.typeNext(QStringLiteral("txt"));

    EXPECT_TRUE(dropOn(listArea(), *fileUrls(dropped)));

    EXPECT_EQ(form->fileList()->entries(), QStringList({a, x, y, b}));
    EXPECT_TRUE(doubles.dialogs.pickRequests().isEmpty());
    ASSERT_EQ(doubles.messages.inputs().size(), 1);
    EXPECT_EQ(doubles.messages.inputs().first().proposed, QStringLiteral("txt"));
    EXPECT_EQ(doubles.setting(QStringLiteral("LastFolder")), at(QStringLiteral("dir")));
    const MessageBoxRequest notice{applicationTitle(),
                                   QStringLiteral("Only files and folders can be added to the list. Not added:\r\r")
                                       + leftOut.join(u'\r')};
    EXPECT_EQ(doubles.messages.shown(), QList<MessageBoxRequest>{notice});
}

TEST_F(DropTest, TheListTakesLocalFilesOnly)
{
    openWindow();
    const QString a = write(QStringLiteral("a.txt"), "a");
    QMimeData text;
    text.setText(a);
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/a.txt"))});
    QMimeData mixed;
    mixed.setUrls({QUrl::fromLocalFile(a), QUrl(QStringLiteral("https://example.org/a.txt"))});
    for (const QMimeData* data : {&text, &web, &mixed})
        EXPECT_FALSE(dropOn(listArea(), *data)) << data->formats().join(u' ').toStdString();
    EXPECT_EQ(form->fileList()->count(), 0);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
}

} // namespace
} // namespace quillora::testing
