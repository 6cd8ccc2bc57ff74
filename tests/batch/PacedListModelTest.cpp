// The view's side of the file list: appends shown together, clears shown at once, entries passed on whole.
#include "windows/batch/PacedListModel.h"

#include "support/TestSupport.h"
#include "windows/batch/FileListModel.h"

#include <QEventLoop>
#include <QTimer>

namespace quillora {
namespace {

TEST(PacedListModel, ABurstOfAppendsReachesTheViewAsOneInsertionInOrder)
{
    FileListModel source;
    PacedListModel shown(source);
    QList<std::pair<int, int>> insertions;
    QObject::connect(&shown, &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int first, int last) {
        insertions.append({first, last});
    });
    for (int i = 0; i < 1000; ++i)
        source.append(QStringLiteral("/in/%1.txt").arg(i));
    EXPECT_EQ(shown.rowCount(), 0);

    shown.revealNow();
    ASSERT_EQ(shown.rowCount(), 1000);
    EXPECT_EQ(insertions, (QList<std::pair<int, int>>{{0, 999}}));
    EXPECT_EQ(shown.data(shown.index(0), Qt::DisplayRole).toString(), QStringLiteral("/in/0.txt"));
    EXPECT_EQ(shown.data(shown.index(999), Qt::ToolTipRole).toString(), QStringLiteral("/in/999.txt"));
    EXPECT_EQ(shown.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Text File(s)"));

    source.append(QStringLiteral("/in/late.txt"));
    shown.revealNow();
    shown.revealNow();
    EXPECT_EQ(insertions, (QList<std::pair<int, int>>{{0, 999}, {1000, 1000}}));
    EXPECT_EQ(shown.data(shown.index(1000), Qt::DisplayRole).toString(), QStringLiteral("/in/late.txt"));
}

TEST(PacedListModel, ClearingIsShownAtOnceAndDropsWhatWasWaiting)
{
    FileListModel source;
    PacedListModel shown(source);
    source.append(QStringList({QStringLiteral("/a"), QStringLiteral("/b")}));
    shown.revealNow();
    source.append(QStringLiteral("/c"));
    source.clear();
    EXPECT_EQ(shown.rowCount(), 0);
    shown.revealNow();
    EXPECT_EQ(shown.rowCount(), 0);
    EXPECT_FALSE(shown.data(shown.index(0), Qt::DisplayRole).isValid());

    source.append(QStringLiteral("/d"));
    shown.revealNow();
    EXPECT_EQ(shown.data(shown.index(0), Qt::DisplayRole).toString(), QStringLiteral("/d"));
}

TEST(PacedListModel, AppendedEntriesAreShownWithoutAnyFurtherCallOnceEventsRun)
{
    FileListModel source;
    PacedListModel shown(source);
    QEventLoop loop;
    QObject::connect(&shown, &QAbstractItemModel::rowsInserted, &loop, &QEventLoop::quit);
    // A safety net against a hang, not a measured time.
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    source.append(QStringLiteral("/a"));
    loop.exec();
    EXPECT_EQ(shown.rowCount(), 1);
}

} // namespace
} // namespace quillora
