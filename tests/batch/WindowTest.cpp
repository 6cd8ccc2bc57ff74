// The batch window's controls, opening, closing, going back, clearing the list, the samples hook and hover.
#include "BatchWindowFixture.h"
#include "platform/ApplicationTitle.h"
#include "ui/Controls.h"
#include "ui/WindowPointer.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

namespace quillora::testing {
namespace {

struct Placement
{
    const char* name;
    const char* parent;
    QString caption;
    QRect twipsRect;
    double points;
};

QString captionOf(QWidget* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title();
    return QString();
}

TEST_F(BatchWindowTest, EveryControlStandsWhereTheLayoutPutsItWithItsCaptionAndFont)
{
    openWindow();
    const QList<Placement> table{
        {"back", "batchWindow", "< Back", {120, 120, 7800, 405}, 11.25},
        {"fileListView", "batchWindow", "", {120, 630, 7800, 3885}, 9},
        {"addTextFiles", "batchWindow", "Add Text File(s)", {120, 4620, 3860, 405}, 11.25},
        {"addAllTextFilesInFolder", "batchWindow", "Add All Text File(s) In Folder", {4080, 4620, 3855, 405}, 11.25},
        {"clearList", "batchWindow", "Clear List", {120, 5130, 3860, 405}, 11.25},
        {"addSampleFiles", "batchWindow", "Load Sample/Example Files", {4080, 5130, 3855, 405}, 11.25},
        {"saveOption", "batchWindow", "Save Option", {120, 5590, 7800, 1815}, 9},
        {"resultsToFolder", "saveOption", "Save results to this folder:", {240, 300, 3615, 255}, 9},
        {"destinationFrame", "saveOption", "", {480, 510, 6840, 810}, 9},
        {"destinationFolder", "destinationFrame", "", {240, 300, 5550, 375}, 9},
        {"browseForDestination", "destinationFrame", "...", {6000, 300, 600, 345}, 11.25},
        {"resultsInPlace", "saveOption", "Save results in folder of original file", {240, 1410, 3615, 255}, 9},
        {"startConverting", "batchWindow", "Start Converting", {120, 7530, 7800, 405}, 11.25},
        {"progressBar", "batchWindow", "", {120, 8050, 7800, 405}, 9},
    };
    for (const Placement& row : table) {
        SCOPED_TRACE(row.name);
        auto* control = form->findChild<QWidget*>(QLatin1String(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QLatin1String(row.parent));
        const QRect& t = row.twipsRect;
        EXPECT_EQ(control->geometry(), twips(t.x(), t.y(), t.width(), t.height()));
        EXPECT_EQ(captionOf(control), row.caption);
        EXPECT_DOUBLE_EQ(control->font().pointSizeF(), row.points);
        EXPECT_TRUE(control->font().bold());
        EXPECT_EQ(control->font().family(), QStringLiteral("Arial"));
    }
    EXPECT_EQ(form->size(), QSize(twipsToPixels(8040), twipsToPixels(8565)));
    EXPECT_EQ(form->font().family(), QStringLiteral("Arial Black"));
    EXPECT_EQ(find<ProgressBarControl>(form, "progressBar")->text(), QStringLiteral("Progress Bar"));
}

TEST_F(BatchWindowTest, OpeningSetsCaptionTitleAndOneFileColumnWithoutReportingAnything)
{
    form = std::make_unique<BatchWindow>(doubles.services());
    form->load();
    EXPECT_TRUE(doubles.messages.shown().isEmpty()) << doubles.messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quillora"));
    EXPECT_EQ(applicationTitle(), QStringLiteral("Quillora"));
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_FALSE(form->pointer()->hasCustomImage());
    EXPECT_EQ(find<QTreeView>(form, "fileListView")->model()->columnCount(), 1);
    EXPECT_EQ(find<QTreeView>(form, "fileListView")->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Text File(s)"));
    EXPECT_EQ(find<QTreeView>(form, "fileListView")->columnWidth(0), twipsToPixels(7000));
}

TEST_F(BatchWindowTest, TheListOnlyShowsPathsInTheOrderAddedAndTakesNoDropsEditsOrKeys)
{
    openWindow();
    list({QStringLiteral("/b/one.txt"), QStringLiteral("/a/two.txt"), QStringLiteral("/b/one.txt")});
    EXPECT_EQ(form->fileList()->entries(),
              QStringList({QStringLiteral("/b/one.txt"), QStringLiteral("/a/two.txt"), QStringLiteral("/b/one.txt")}));
    QTreeView* view = find<QTreeView>(form, "fileListView");
    EXPECT_FALSE(view->acceptDrops());

    form->show();
    form->shownList()->revealNow();
    view->setCurrentIndex(view->model()->index(1, 0));
    for (int key : {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Return}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(view, &press);
    }
    const QRect row = view->visualRect(view->model()->index(1, 0));
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, row.center(), view->viewport()->mapToGlobal(row.center()),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &doubleClick);
    EXPECT_EQ(form->fileList()->count(), 3);
}

TEST_F(BatchWindowTest, ClosingStoresThreeAndEndsTheProgram)
{
    openWindow();
    form->show();
    form->close();
    EXPECT_EQ(doubles.setting(QStringLiteral("FormStart")), QStringLiteral("3"));
    EXPECT_EQ(doubles.endProgramCalls, 1);
}

TEST_F(BatchWindowTest, BackShowsTheMenuAndTheWindowKeepsItsContentForTheNextShow)
{
    form = std::make_unique<BatchWindow>(doubles.services());
    QObject::connect(form.get(), &BatchWindow::mainMenuWanted, [this] { ++menuShown; });
    form->open();
    EXPECT_TRUE(form->isVisible());
    list({QStringLiteral("/in/a.txt")});
    find<QLineEdit>(form, "destinationFolder")->setText(QStringLiteral("/typed/"));

    find<QPushButton>(form, "back")->click();
    EXPECT_EQ(menuShown, 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(doubles.endProgramCalls, 0);

    // Showing again does not run the opening steps a second time.
    doubles.setSetting(QStringLiteral("Text5"), QStringLiteral("/elsewhere/"));
    form->open();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->fileList()->entries(), QStringList{QStringLiteral("/in/a.txt")});
    EXPECT_EQ(find<QLineEdit>(form, "destinationFolder")->text(), QStringLiteral("/typed/"));
}

TEST_F(BatchWindowTest, ClearListEmptiesTheListExceptUnderTheHourglass)
{
    openWindow();
    list({QStringLiteral("/a.txt"), QStringLiteral("/b.txt")});
    form->pointer()->setState(pointer::hourglass);
    find<QPushButton>(form, "clearList")->click();
    EXPECT_EQ(form->fileList()->count(), 2);

    form->pointer()->setState(pointer::custom);
    find<QPushButton>(form, "clearList")->click();
    EXPECT_EQ(form->fileList()->count(), 0);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
}

TEST_F(BatchWindowTest, SampleFilesButtonHandsTheListToTheHookAndDoesNothingWithoutOne)
{
    openWindow();
    find<QPushButton>(form, "addSampleFiles")->click();
    EXPECT_EQ(form->fileList()->count(), 0);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());

    FileListModel* handed = nullptr;
    QObject::connect(form.get(), &BatchWindow::sampleFilesWanted, [&](FileListModel& model) {
        handed = &model;
        model.append(QStringLiteral("/samples/one.txt"));
    });
    find<QPushButton>(form, "addSampleFiles")->click();
    EXPECT_EQ(handed, form->fileList());
    EXPECT_EQ(form->fileList()->entries(), QStringList{QStringLiteral("/samples/one.txt")});
}

void moveOver(QWidget* control)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), control->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(control, &move);
}

TEST_F(BatchWindowTest, ButtonsShowTheHandOtherAreasTheArrowAndTheHourglassStays)
{
    openWindow();
    for (QWidget* button : {find<QPushButton>(form, "back"), find<QPushButton>(form, "addTextFiles"),
                            find<QPushButton>(form, "addAllTextFilesInFolder"), find<QPushButton>(form, "clearList"),
                            find<QPushButton>(form, "startConverting"), find<QPushButton>(form, "addSampleFiles"),
                            find<QPushButton>(form, "browseForDestination")}) {
        SCOPED_TRACE(button->objectName().toStdString());
        form->pointer()->setState(pointer::defaultArrow);
        moveOver(button);
        EXPECT_EQ(form->pointer()->state(), pointer::custom);
    }
    for (QWidget* area :
         {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(find<QGroupBox>(form, "destinationFrame")),
          static_cast<QWidget*>(find<QGroupBox>(form, "saveOption")), find<QTreeView>(form, "fileListView")->viewport(),
          static_cast<QWidget*>(find<QLineEdit>(form, "destinationFolder"))}) {
        SCOPED_TRACE(area->objectName().toStdString());
        form->pointer()->setState(pointer::custom);
        moveOver(area);
        EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
    }
    form->pointer()->setState(pointer::custom);
    moveOver(find<QRadioButton>(form, "resultsToFolder"));
    moveOver(find<ProgressBarControl>(form, "progressBar"));
    EXPECT_EQ(form->pointer()->state(), pointer::custom);

    form->pointer()->setState(pointer::hourglass);
    moveOver(find<QPushButton>(form, "startConverting"));
    moveOver(find<QTreeView>(form, "fileListView")->viewport());
    EXPECT_EQ(form->pointer()->state(), pointer::hourglass);
}

} // namespace
} // namespace quillora::testing
