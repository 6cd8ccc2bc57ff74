// Start-up, the stored input, loading a file, the sample text, the clear buttons, "< Back" and closing.
#include "Form2Fixture.h"

#include <QFile>

namespace quillora::testing {
namespace {

TEST_F(Form2Test, AFirstStartShowsEverythingEmpty)
{
    Form2& window = open();
    EXPECT_EQ(window.Text1->text(), QString());
    EXPECT_EQ(window.Text2->text(), QString());
    EXPECT_EQ(window.Picture1->text(), QString());
    EXPECT_EQ(window.Picture2->text(), QString());
    EXPECT_EQ(window.LoadedText, QString());
    EXPECT_EQ(window.ConvertedText, QString());
    EXPECT_FALSE(window.IsConverting);
    EXPECT_EQ(window.pointer->state(), pointer::defaultArrow);
    // Putting the stored input into the box counts as a change and stores it again.
    EXPECT_EQ(services.setting(QStringLiteral("Text1"), QStringLiteral("<absent>")), QString());
    EXPECT_TRUE(services.messages.shown().isEmpty());
}

TEST_F(Form2Test, TheInputTypedBeforeClosingIsThereAtTheNextStartAndTheOutputIsNot)
{
    open();
    form->PushButton8->click();
    form->PushButton17->click();
    typeIntoInput(QStringLiteral(" Again"));
    EXPECT_EQ(services.setting(QStringLiteral("Text1")),
              QStringLiteral("This is test text that needs to be converted. Again"));
    form->close();
    EXPECT_EQ(services.setting(QStringLiteral("FormStart")), QStringLiteral("2"));
    EXPECT_EQ(services.endProgramCalls, 1);

    Form2& next = open();
    EXPECT_EQ(next.Text1->text(), QStringLiteral("This is test text that needs to be converted. Again"));
    EXPECT_EQ(next.LoadedText, next.Text1->text());
    EXPECT_EQ(next.Picture1->text(), next.Text1->text());
    EXPECT_EQ(next.Text2->text(), QString());
    EXPECT_EQ(next.ConvertedText, QString());
}

TEST_F(Form2Test, EveryChangeOfTheInputIsStoredWholeAtOnce)
{
    const QString stored = QStringLiteral("line one\r\nline\ttwo\u00A0end");
    services.setSetting(QStringLiteral("Text1"), stored);
    open();
    EXPECT_EQ(form->Text1->text(), stored);
    typeIntoInput(QStringLiteral("X"));
    EXPECT_EQ(services.setting(QStringLiteral("Text1")), stored + QStringLiteral("X"));
    typeIntoInput(QStringLiteral("Y"));
    EXPECT_EQ(services.setting(QStringLiteral("Text1")), stored + QStringLiteral("XY"));
    // Typing leaves the loaded text and its strip alone.
    EXPECT_EQ(form->LoadedText, stored);
    EXPECT_EQ(form->Picture1->text(), stored);
}

TEST_F(Form2Test, LoadingReadsTheFileByItsMarkAndShowsAndStoresIt)
{
    open();
    const QString text = QString::fromUtf16(u"caf\u00E9 \u20AC\r\nline two");
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    QByteArray utf16("\xFF\xFE", 2);
    for (const QChar character : text)
        utf16.append(char(character.unicode() & 0xFF)).append(char(character.unicode() >> 8));
    const Case cases[] = {
        {"utf8-mark.txt", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
        {"utf16.txt", utf16},
        {"no-mark-utf8.txt", text.toUtf8()},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        writeFile(file(QString::fromLatin1(one.name)), one.bytes);
        load(file(QString::fromLatin1(one.name)));
        EXPECT_EQ(form->Text1->text(), text);
        EXPECT_EQ(form->LoadedText, text);
        EXPECT_EQ(form->Picture1->text(), text);
        EXPECT_EQ(services.setting(QStringLiteral("Text1")), text);
        EXPECT_EQ(form->pointer->state(), pointer::defaultArrow);
    }
    writeFile(file(QStringLiteral("ansi.txt")), QByteArray("na\xEFve \x80 5"));
    load(file(QStringLiteral("ansi.txt")));
    EXPECT_EQ(form->Text1->text(), QString::fromUtf16(u"na\u00EFve \u20AC 5"));

    EXPECT_EQ(services.dialogs.openRequests().first(),
              (FileDialogRequest{QStringLiteral("Select single file"),
                                 QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"), false}));
    EXPECT_TRUE(services.messages.shown().isEmpty());
}

TEST_F(Form2Test, AnEmptyFileLoadsAsAnEmptyText)
{
    open();
    form->PushButton8->click();
    writeFile(file(QStringLiteral("empty.txt")), QByteArray());
    load(file(QStringLiteral("empty.txt")));
    EXPECT_EQ(form->Text1->text(), QString());
    EXPECT_EQ(form->LoadedText, QString());
    EXPECT_EQ(services.setting(QStringLiteral("Text1"), QStringLiteral("<absent>")), QString());
}

TEST_F(Form2Test, CancellingTheOpenDialogChangesNothing)
{
    services.setSetting(QStringLiteral("Text1"), QStringLiteral("kept"));
    open();
    form->PushButton1->click();
    EXPECT_EQ(form->Text1->text(), QStringLiteral("kept"));
    EXPECT_EQ(form->Picture1->text(), QStringLiteral("kept"));
    EXPECT_EQ(form->pointer->state(), pointer::defaultArrow);
    EXPECT_TRUE(services.messages.shown().isEmpty());
}

// A file that cannot be read leaves the input, its strip, the loaded text and the stored input as they were.
class UnreadableLoadTest : public Form2Test
{
protected:
    void SetUp() override
    {
        services.setSetting(QStringLiteral("Text1"), QStringLiteral("loaded at start"));
        open();
        typeIntoInput(QStringLiteral(" and typed"));
    }

    void expectNothingChanged(const QString& description)
    {
        EXPECT_EQ(services.messages.shown(),
                  QList<MessageBoxRequest>{error("Form2.PushButton1_Click", 112, description)});
        EXPECT_EQ(form->Text1->text(), QStringLiteral("loaded at start and typed"));
        EXPECT_EQ(services.setting(QStringLiteral("Text1")), QStringLiteral("loaded at start and typed"));
        EXPECT_EQ(form->LoadedText, QStringLiteral("loaded at start"));
        EXPECT_EQ(form->Picture1->text(), QStringLiteral("loaded at start"));
        EXPECT_EQ(form->pointer->state(), pointer::defaultArrow);
    }
};

TEST_F(UnreadableLoadTest, AVanishedFile)
{
    load(file(QStringLiteral("gone.txt")));
    expectNothingChanged(QStringLiteral("File not found"));
}

TEST_F(UnreadableLoadTest, AFolder)
{
    QDir().mkpath(file(QStringLiteral("folder.txt")));
    load(file(QStringLiteral("folder.txt")));
    expectNothingChanged(QStringLiteral("Permission denied"));
}

TEST_F(UnreadableLoadTest, AFileWithoutReadPermission)
{
    QUILLORA_SKIP_AS_ROOT();
    writeFile(file(QStringLiteral("locked.txt")), QByteArray("\xEF\xBB\xBFsecret"));
    QFile::setPermissions(file(QStringLiteral("locked.txt")), QFileDevice::WriteOwner);
    load(file(QStringLiteral("locked.txt")));
    expectNothingChanged(QStringLiteral("Permission denied"));
}

TEST_F(Form2Test, TheSampleTextReplacesTheInputAndLeavesTheLoadedTextAlone)
{
    services.setSetting(QStringLiteral("Text1"), QStringLiteral("earlier"));
    open();
    form->PushButton8->click();
    EXPECT_EQ(form->Text1->text(), QStringLiteral("This is test text that needs to be converted."));
    EXPECT_EQ(services.setting(QStringLiteral("Text1")),
              QStringLiteral("This is test text that needs to be converted."));
    EXPECT_EQ(form->LoadedText, QStringLiteral("earlier"));
    EXPECT_EQ(form->Picture1->text(), QStringLiteral("earlier"));
}

TEST_F(Form2Test, TheClearButtonsEmptyTheBoxesAndStripsButNotTheSharedTexts)
{
    services.setSetting(QStringLiteral("Text1"), QStringLiteral("two words"));
    open();
    form->PushButton17->click();
    form->PushButton7->click();
    EXPECT_EQ(form->Text1->text(), QString());
    EXPECT_EQ(form->Picture1->text(), QString());
    EXPECT_EQ(services.setting(QStringLiteral("Text1"), QStringLiteral("<absent>")), QString());
    EXPECT_EQ(form->LoadedText, QStringLiteral("two words"));

    form->PushButton2->click();
    EXPECT_EQ(form->Text2->text(), QString());
    EXPECT_EQ(form->Picture2->text(), QString());
    EXPECT_EQ(form->ConvertedText, QStringLiteral("two\r\nwords"));
}

TEST_F(Form2Test, BackShowsTheMenuAndKeepsTheWindowAsItIs)
{
    open();
    form->show();
    form->PushButton8->click();
    form->PushButton17->click();
    form->PushButton13->click();
    EXPECT_EQ(menuShown, 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(services.endProgramCalls, 0);
    form->show();
    EXPECT_EQ(form->Text1->text(), QStringLiteral("This is test text that needs to be converted."));
    EXPECT_EQ(form->ConvertedText.count(QStringLiteral("\r\n")), 8);
    EXPECT_EQ(form->Text2->text(), form->ConvertedText);
}

} // namespace
} // namespace quillora::testing
