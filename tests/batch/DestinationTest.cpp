// The destination options: restored at opening, stored on every change, and the "..." folder picker.
#include "BatchWindowFixture.h"
#include "shell/Paths.h"

#include <QApplication>
#include <QKeyEvent>

namespace quillora::testing {
namespace {

TEST_F(BatchWindowTest, FirstOpeningProposesTheDesktopWithTheChosenFolderOption)
{
    openWindow();
    EXPECT_EQ(form->Text5->text(), GetDesktopFolder());
    EXPECT_TRUE(form->Text5->text().endsWith(nativeSeparator()));
    EXPECT_EQ(doubles.setting(QStringLiteral("Text5")), GetDesktopFolder());
    EXPECT_TRUE(form->Option1->isChecked());
    EXPECT_FALSE(form->Option2->isChecked());
    EXPECT_TRUE(form->Frame4->isEnabled());
    EXPECT_TRUE(form->PushButton15->isEnabled());
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
        EXPECT_EQ(form->Option1->isChecked(), stored.folderChosen);
        EXPECT_EQ(form->Option2->isChecked(), !stored.folderChosen);
        EXPECT_EQ(form->Frame4->isEnabled(), stored.folderChosen);
    }
}

TEST_F(BatchWindowTest, ClickingAnOptionStoresBothAndEnablesTheFolderBoxOnlyForTheChosenFolder)
{
    openWindow();
    form->Option2->click();
    EXPECT_EQ(doubles.setting(QStringLiteral("Option1")), QStringLiteral("False"));
    EXPECT_EQ(doubles.setting(QStringLiteral("Option2")), QStringLiteral("True"));
    EXPECT_FALSE(form->Frame4->isEnabled());
    EXPECT_FALSE(form->PushButton15->isEnabled());
    EXPECT_FALSE(form->Text5->isEnabled());

    openWindow();
    EXPECT_TRUE(form->Option2->isChecked());

    form->Option1->click();
    EXPECT_EQ(doubles.setting(QStringLiteral("Option1")), QStringLiteral("True"));
    EXPECT_EQ(doubles.setting(QStringLiteral("Option2")), QStringLiteral("False"));
    EXPECT_TRUE(form->Frame4->isEnabled());
}

TEST_F(BatchWindowTest, TheFolderBoxIsStoredAfterEveryKeystrokeAndRestoredAsTyped)
{
    openWindow();
    form->show();
    form->Text5->clear();
    EXPECT_EQ(doubles.setting(QStringLiteral("Text5"), QStringLiteral("absent")), QString());
    QStringList stored;
    for (QChar c : QStringLiteral("/no such")) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(form->Text5, &key);
        stored << doubles.setting(QStringLiteral("Text5"));
    }
    EXPECT_EQ(stored,
              QStringList({QStringLiteral("/"), QStringLiteral("/n"), QStringLiteral("/no"), QStringLiteral("/no "),
                           QStringLiteral("/no s"), QStringLiteral("/no su"), QStringLiteral("/no suc"),
                           QStringLiteral("/no such")}));
    openWindow();
    EXPECT_EQ(form->Text5->text(), QStringLiteral("/no such"));
}

TEST_F(BatchWindowTest, TheFolderPickerOpensOnTheLastPickedFolderAndFillsTheBoxWithAFinalSeparator)
{
    doubles.setSetting(QStringLiteral("LastFolderDot"), QStringLiteral("/earlier"));
    openWindow();
    const QString chosen = at(QStringLiteral("out"));
    doubles.dialogs.pickNext(chosen);
    form->PushButton15->click();

    ASSERT_EQ(doubles.dialogs.pickRequests().size(), 1);
    const FolderPickerRequest& request = doubles.dialogs.pickRequests().first();
    EXPECT_EQ(request.owner, form.get());
    EXPECT_EQ(request.title, QStringLiteral("Please select folder:"));
    EXPECT_EQ(request.startFolder, QStringLiteral("/earlier"));
    EXPECT_EQ(form->Text5->text(), chosen + nativeSeparator());
    EXPECT_EQ(doubles.setting(QStringLiteral("Text5")), chosen + nativeSeparator());
    EXPECT_EQ(doubles.setting(QStringLiteral("LastFolderDot")), chosen);

    // A root already ends with its separator.
    const QString root(nativeSeparator());
    doubles.dialogs.pickNext(root);
    form->PushButton15->click();
    EXPECT_EQ(doubles.dialogs.pickRequests().last().startFolder, chosen);
    EXPECT_EQ(form->Text5->text(), root);
    EXPECT_TRUE(doubles.messages.shown().isEmpty());
}

TEST_F(BatchWindowTest, CancellingTheFolderPickerChangesNothing)
{
    doubles.setSetting(QStringLiteral("LastFolderDot"), QStringLiteral("/earlier"));
    doubles.setSetting(QStringLiteral("Text5"), QStringLiteral("/kept/"));
    openWindow();
    form->PushButton15->click();
    EXPECT_EQ(doubles.dialogs.pickRequests().size(), 1);
    EXPECT_EQ(form->Text5->text(), QStringLiteral("/kept/"));
    EXPECT_EQ(doubles.setting(QStringLiteral("Text5")), QStringLiteral("/kept/"));
    EXPECT_EQ(doubles.setting(QStringLiteral("LastFolderDot")), QStringLiteral("/earlier"));
}

} // namespace
} // namespace quillora::testing
