// The destination options: restored at opening, stored on every change, and the "..." folder picker.
#include "BatchWindowFixture.h"
#include "folders/Paths.h"

#include <QApplication>
#include <QKeyEvent>

namespace quillora::testing {
namespace {

TEST_F(BatchWindowTest, FirstOpeningProposesTheDesktopWithTheChosenFolderOption)
{
    openWindow();
    EXPECT_EQ(find<QLineEdit>(form, "destinationFolder")->text(), GetDesktopFolder());
    EXPECT_TRUE(find<QLineEdit>(form, "destinationFolder")->text().endsWith(nativeSeparator()));
    EXPECT_EQ(doubles.setting(QStringLiteral("Text5")), GetDesktopFolder());
    EXPECT_TRUE(find<QRadioButton>(form, "resultsToFolder")->isChecked());
    EXPECT_FALSE(find<QRadioButton>(form, "resultsInPlace")->isChecked());
    EXPECT_TRUE(find<QGroupBox>(form, "destinationFrame")->isEnabled());
    EXPECT_TRUE(find<QPushButton>(form, "browseForDestination")->isEnabled());
    // Opening stores no option; only a click does.
    EXPECT_EQ(doubles.setting(QStringLiteral("Option1"), QStringLiteral("absent")), QStringLiteral("absent"));
}

struct StoredOptions
{
    const char* option1;
    const char* option2;
    bool folderChosen;
};

TEST_F(BatchWindowTest, StoredOptionsAreRestoredAndNeverLeaveBothUnselected)
{
    const QList<StoredOptions> cases{
        {"True", "False", true},
        {"False", "True", false},
        {"0", "-1", false},
        {"1", "0", true},
        {"True", "True", false},
        // Neither selected would send results to the process's current folder: the chosen folder is used.
        {"False", "False", true},
        {"0", "0", true},
        {"rubbish", "", true},
    };
    for (const StoredOptions& stored : cases) {
        SCOPED_TRACE(std::string(stored.option1) + "/" + stored.option2);
        doubles.setSetting(QStringLiteral("Option1"), QLatin1String(stored.option1));
        doubles.setSetting(QStringLiteral("Option2"), QLatin1String(stored.option2));
        openWindow();
        EXPECT_EQ(find<QRadioButton>(form, "resultsToFolder")->isChecked(), stored.folderChosen);
        EXPECT_EQ(find<QRadioButton>(form, "resultsInPlace")->isChecked(), !stored.folderChosen);
        EXPECT_EQ(find<QGroupBox>(form, "destinationFrame")->isEnabled(), stored.folderChosen);
    }
}

TEST_F(BatchWindowTest, ClickingAnOptionStoresBothAndEnablesTheFolderBoxOnlyForTheChosenFolder)
{
    openWindow();
    find<QRadioButton>(form, "resultsInPlace")->click();
    EXPECT_EQ(doubles.setting(QStringLiteral("Option1")), QStringLiteral("False"));
    EXPECT_EQ(doubles.setting(QStringLiteral("Option2")), QStringLiteral("True"));
    EXPECT_FALSE(find<QGroupBox>(form, "destinationFrame")->isEnabled());
    EXPECT_FALSE(find<QPushButton>(form, "browseForDestination")->isEnabled());
    EXPECT_FALSE(find<QLineEdit>(form, "destinationFolder")->isEnabled());

    openWindow();
    EXPECT_TRUE(find<QRadioButton>(form, "resultsInPlace")->isChecked());

    find<QRadioButton>(form, "resultsToFolder")->click();
    EXPECT_EQ(doubles.setting(QStringLiteral("Option1")), QStringLiteral("True"));
    EXPECT_EQ(doubles.setting(QStringLiteral("Option2")), QStringLiteral("False"));
    EXPECT_TRUE(find<QGroupBox>(form, "destinationFrame")->isEnabled());
}

TEST_F(BatchWindowTest, TheFolderBoxIsStoredAfterEveryKeystrokeAndRestoredAsTyped)
{
    openWindow();
    form->show();
    find<QLineEdit>(form, "destinationFolder")->clear();
    EXPECT_EQ(doubles.setting(QStringLiteral("Text5"), QStringLiteral("absent")), QString());
    QStringList stored;
    for (QChar c : QStringLiteral("/no such")) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(find<QLineEdit>(form, "destinationFolder"), &key);
        stored << doubles.setting(QStringLiteral("Text5"));
    }
    EXPECT_EQ(stored,
              QStringList({QStringLiteral("/"), QStringLiteral("/n"), QStringLiteral("/no"), QStringLiteral("/no "),
                           QStringLiteral("/no s"), QStringLiteral("/no su"), QStringLiteral("/no suc"),
                           QStringLiteral("/no such")}));
    openWindow();
    EXPECT_EQ(find<QLineEdit>(form, "destinationFolder")->text(), QStringLiteral("/no such"));
}

TEST_F(BatchWindowTest, TheFolderPickerOpensOnTheLastPickedFolderAndFillsTheBoxWithAFinalSeparator)
{
    doubles.setSetting(QStringLiteral("LastFolderDot"), QStringLiteral("/earlier"));
    openWindow();
    const QString chosen = at(QStringLiteral("out"));
    doubles.dialogs.pickNext(chosen);
    find<QPushButton>(form, "browseForDestination")->click();

    ASSERT_EQ(doubles.dialogs.pickRequests().size(), 1);
    const FolderPickerRequest& request = doubles.dialogs.pickRequests().first();
    EXPECT_EQ(request.owner, form.get());
    EXPECT_EQ(request.title, QStringLiteral("Please select folder:"));
    EXPECT_EQ(request.startFolder, QStringLiteral("/earlier"));
    EXPECT_EQ(find<QLineEdit>(form, "destinationFolder")->text(), chosen + nativeSeparator());
    EXPECT_EQ(doubles.setting(QStringLiteral("Text5")), chosen + nativeSeparator());
    EXPECT_EQ(doubles.setting(QStringLiteral("LastFolderDot")), chosen);

    // A root already ends with its separator.
    const QString root(nativeSeparator());
    doubles.dialogs.pickNext(root);
    find<QPushButton>(form, "browseForDestination")->click();
    EXPECT_EQ(doubles.dialogs.pickRequests().last().startFolder, chosen);
    EXPECT_EQ(find<QLineEdit>(form, "destinationFolder")->text(), root);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
}

TEST_F(BatchWindowTest, CancellingTheFolderPickerChangesNothing)
{
    doubles.setSetting(QStringLiteral("LastFolderDot"), QStringLiteral("/earlier"));
    doubles.setSetting(QStringLiteral("Text5"), QStringLiteral("/kept/"));
    openWindow();
    find<QPushButton>(form, "browseForDestination")->click();
    EXPECT_EQ(doubles.dialogs.pickRequests().size(), 1);
    EXPECT_EQ(find<QLineEdit>(form, "destinationFolder")->text(), QStringLiteral("/kept/"));
    EXPECT_EQ(doubles.setting(QStringLiteral("Text5")), QStringLiteral("/kept/"));
    EXPECT_EQ(doubles.setting(QStringLiteral("LastFolderDot")), QStringLiteral("/earlier"));
}

} // namespace
} // namespace quillora::testing
