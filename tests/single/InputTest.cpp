// Start-up, the stored input, loading a file, the sample text, the clear buttons, "< Back" and closing.
#include "SingleTextFixture.h"
#include "support/Drops.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace quillora::testing {
namespace {

TEST_F(SingleTextTest, AFirstStartShowsEverythingEmpty)
{
    SingleTextWindow& window = open();
    EXPECT_EQ(find<TextBoxControl>(window, "inputText")->text(), QString());
    EXPECT_EQ(find<TextBoxControl>(window, "resultText")->text(), QString());
    EXPECT_EQ(find<UnicodeStrip>(window, "inputStrip")->text(), QString());
    EXPECT_EQ(find<UnicodeStrip>(window, "resultStrip")->text(), QString());
    EXPECT_EQ(window.loadedText(), QString());
    EXPECT_EQ(window.convertedText(), QString());
    EXPECT_FALSE(window.isConverting());
    EXPECT_EQ(window.pointer()->state(), pointer::defaultArrow);
    // Putting the stored input into the box counts as a change and stores it again.
    EXPECT_EQ(services.setting(QStringLiteral("Text1"), QStringLiteral("<absent>")), QString());
    EXPECT_TRUE(services.messages.shown().isEmpty());
}

TEST_F(SingleTextTest, TheInputTypedBeforeClosingIsThereAtTheNextStartAndTheOutputIsNot)
{
    open();
    find<QPushButton>(form, "loadSample")->click();
    find<QPushButton>(form, "startConverting")->click();
    typeIntoInput(QStringLiteral(" Again"));
    EXPECT_EQ(services.setting(QStringLiteral("Text1")),
              QStringLiteral("This is test text that needs to be converted. Again"));
    form->close();
    EXPECT_EQ(services.setting(QStringLiteral("FormStart")), QStringLiteral("2"));
    EXPECT_EQ(services.endProgramCalls, 1);

    SingleTextWindow& next = open();
    EXPECT_EQ(find<TextBoxControl>(next, "inputText")->text(),
              QStringLiteral("This is test text that needs to be converted. Again"));
    EXPECT_EQ(next.loadedText(), find<TextBoxControl>(next, "inputText")->text());
    EXPECT_EQ(find<UnicodeStrip>(next, "inputStrip")->text(), find<TextBoxControl>(next, "inputText")->text());
    EXPECT_EQ(find<TextBoxControl>(next, "resultText")->text(), QString());
    EXPECT_EQ(next.convertedText(), QString());
}

TEST_F(SingleTextTest, EveryChangeOfTheInputIsStoredWholeAtOnce)
{
    const QString stored = QStringLiteral("line one\r\nline\ttwo\u00A0end");
    services.setSetting(QStringLiteral("Text1"), stored);
    open();
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), stored);
    typeIntoInput(QStringLiteral("X"));
    EXPECT_EQ(services.setting(QStringLiteral("Text1")), stored + QStringLiteral("X"));
    typeIntoInput(QStringLiteral("Y"));
    EXPECT_EQ(services.setting(QStringLiteral("Text1")), stored + QStringLiteral("XY"));
    // Typing leaves the loaded text and its strip alone.
    EXPECT_EQ(form->loadedText(), stored);
    EXPECT_EQ(find<UnicodeStrip>(form, "inputStrip")->text(), stored);
}

#ifndef Q_OS_WIN
TEST_F(SingleTextTest, TheStoredInputIsWrittenBackOnlyWhereThatChangesItAndNeverWhenItCannotBeRead)
{
    struct Case
    {
        const char* name;
        std::function<void(const QString&)> make;
        QString shown;
        // What the file holds once the window has loaded, or nothing when it is to be the very file it was.
        std::optional<QByteArray> rewritten;
        bool told = false;
        bool needsPermissions = false;
    };
    const Case cases[] = {
        {"UTF-8", [](const QString& at) { writeFile(at, "na\xc3\xafve"); }, QString::fromUtf16(u"na\u00EFve"), {}},
        {"code page", [](const QString& at) { writeFile(at, "caf\xe9 na\xefve"); },
         QString::fromUtf16(u"caf\u00E9 na\u00EFve"), QByteArray("caf\xc3\xa9 na\xc3\xafve")},
        {"folder", [](const QString& at) { QDir().mkpath(at); }, QString(), {}, true},
        {"no permission",
         [](const QString& at) {
             writeFile(at, "secret");
             QFile::setPermissions(at, {});
         },
         QString(),
         {},
         true,
         true},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        if (one.needsPermissions && runningAsRoot())
            continue;
        // A store of its own for each start, as it remembers what it has told.
        TestServices start;
        const QString stored
            = start.settings.valuePath(QStringLiteral("Corvanta"), QStringLiteral("Quillora"), QStringLiteral("Text1"));
        const auto statusOf = [&] {
            struct stat status = {};
            ::lstat(QFile::encodeName(stored).constData(), &status);
            return std::pair{status.st_ino, status.st_mode};
        };
        QDir().mkpath(QFileInfo(stored).absolutePath());
        one.make(stored);
        const auto before = statusOf();
        SingleTextWindow window(start.services());
        window.load();
        start.settings.flush();
        auto* input = find<TextBoxControl>(window, "inputText");
        EXPECT_EQ(input->text(), one.shown);
        if (one.rewritten) {
            EXPECT_EQ(readFile(stored), *one.rewritten);
        } else {
            EXPECT_EQ(statusOf(), before);
        }
        ASSERT_EQ(start.messages.shown().size(), one.told ? 1 : 0);
        if (one.told) {
            EXPECT_TRUE(start.messages.shown().first().text.contains(QDir::toNativeSeparators(stored)));
        }
        // What the user types is stored, in place of a file that could not be read too.
        input->placeCursor(input->text().size());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("!"));
        QApplication::sendEvent(input, &press);
        start.settings.flush();
        if (!QFileInfo(stored).isDir()) {
            EXPECT_EQ(readFile(stored), (one.shown + QStringLiteral("!")).toUtf8());
        }
    }
}
#endif

TEST_F(SingleTextTest, LoadingReadsTheFileByItsMarkAndShowsAndStoresIt)
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
        EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), text);
        EXPECT_EQ(form->loadedText(), text);
        EXPECT_EQ(find<UnicodeStrip>(form, "inputStrip")->text(), text);
        EXPECT_EQ(services.setting(QStringLiteral("Text1")), text);
        EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
    }
    writeFile(file(QStringLiteral("ansi.txt")), QByteArray("na\xEFve \x80 5"));
    load(file(QStringLiteral("ansi.txt")));
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), QString::fromUtf16(u"na\u00EFve \u20AC 5"));

    EXPECT_EQ(services.dialogs.openRequests().first(),
              (FileDialogRequest{QStringLiteral("Select single file"),
                                 QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"), false}));
    EXPECT_TRUE(services.messages.shown().isEmpty());
}

TEST_F(SingleTextTest, AnEmptyFileLoadsAsAnEmptyText)
{
    open();
    find<QPushButton>(form, "loadSample")->click();
    writeFile(file(QStringLiteral("empty.txt")), QByteArray());
    load(file(QStringLiteral("empty.txt")));
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), QString());
    EXPECT_EQ(form->loadedText(), QString());
    EXPECT_EQ(services.setting(QStringLiteral("Text1"), QStringLiteral("<absent>")), QString());
}

TEST_F(SingleTextTest, CancellingTheOpenDialogChangesNothing)
{
    services.setSetting(QStringLiteral("Text1"), QStringLiteral("kept"));
    open();
    find<QPushButton>(form, "loadText")->click();
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), QStringLiteral("kept"));
    EXPECT_EQ(find<UnicodeStrip>(form, "inputStrip")->text(), QStringLiteral("kept"));
    EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
    EXPECT_TRUE(services.messages.shown().isEmpty());
}

// A file that cannot be read leaves the input, its strip, the loaded text and the stored input as they were.
class UnreadableLoadTest : public SingleTextTest
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
        EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), QStringLiteral("loaded at start and typed"));
        EXPECT_EQ(services.setting(QStringLiteral("Text1")), QStringLiteral("loaded at start and typed"));
        EXPECT_EQ(form->loadedText(), QStringLiteral("loaded at start"));
        EXPECT_EQ(find<UnicodeStrip>(form, "inputStrip")->text(), QStringLiteral("loaded at start"));
        EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
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

TEST_F(UnreadableLoadTest, ADroppedFileWithoutReadPermission)
{
    QUILLORA_SKIP_AS_ROOT();
    writeFile(file(QStringLiteral("locked.txt")), QByteArray("\xEF\xBB\xBFsecret"));
    QFile::setPermissions(file(QStringLiteral("locked.txt")), QFileDevice::WriteOwner);
    EXPECT_TRUE(
        dropOn(find<TextBoxControl>(form, "inputText")->viewport(), *fileUrls({file(QStringLiteral("locked.txt"))})));
    expectNothingChanged(QStringLiteral("Permission denied"));
}

TEST_F(SingleTextTest, TheSampleTextReplacesTheInputAndLeavesTheLoadedTextAlone)
{
    services.setSetting(QStringLiteral("Text1"), QStringLiteral("earlier"));
    open();
    find<QPushButton>(form, "loadSample")->click();
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(),
              QStringLiteral("This is test text that needs to be converted."));
    EXPECT_EQ(services.setting(QStringLiteral("Text1")),
              QStringLiteral("This is test text that needs to be converted."));
    EXPECT_EQ(form->loadedText(), QStringLiteral("earlier"));
    EXPECT_EQ(find<UnicodeStrip>(form, "inputStrip")->text(), QStringLiteral("earlier"));
}

TEST_F(SingleTextTest, TheClearButtonsEmptyTheBoxesAndStripsButNotTheSharedTexts)
{
    services.setSetting(QStringLiteral("Text1"), QStringLiteral("two words"));
    open();
    find<QPushButton>(form, "startConverting")->click();
    find<QPushButton>(form, "clearInput")->click();
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), QString());
    EXPECT_EQ(find<UnicodeStrip>(form, "inputStrip")->text(), QString());
    EXPECT_EQ(services.setting(QStringLiteral("Text1"), QStringLiteral("<absent>")), QString());
    EXPECT_EQ(form->loadedText(), QStringLiteral("two words"));

    find<QPushButton>(form, "clearResult")->click();
    EXPECT_EQ(find<TextBoxControl>(form, "resultText")->text(), QString());
    EXPECT_EQ(find<UnicodeStrip>(form, "resultStrip")->text(), QString());
    EXPECT_EQ(form->convertedText(), QStringLiteral("two\r\nwords"));
}

TEST_F(SingleTextTest, BackShowsTheMenuAndKeepsTheWindowAsItIs)
{
    open();
    form->show();
    find<QPushButton>(form, "loadSample")->click();
    find<QPushButton>(form, "startConverting")->click();
    find<QPushButton>(form, "back")->click();
    EXPECT_EQ(menuShown, 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(services.endProgramCalls, 0);
    form->show();
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(),
              QStringLiteral("This is test text that needs to be converted."));
    EXPECT_EQ(form->convertedText().count(QStringLiteral("\r\n")), 8);
    EXPECT_EQ(find<TextBoxControl>(form, "resultText")->text(), form->convertedText());
}

} // namespace
} // namespace quillora::testing
