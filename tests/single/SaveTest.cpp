// The two save commands: dialog, overwrite question, exact bytes, and a failed write that keeps the old file.
#include "SingleTextFixture.h"
#include "support/SmallMount.h"

#include <QDir>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#endif

namespace quillora::testing {
namespace {

const FileDialogRequest saveDialog{QStringLiteral("Save"),
                                   QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"), false};

class SaveTest : public SingleTextTest
{
protected:
    void SetUp() override { open(); }

    void saveResult(const QString& path)
    {
        services.dialogs.saveNext(path);
        find<QPushButton>(form, "saveResult")->click();
    }
    void saveText(const QString& path)
    {
        services.dialogs.saveNext(path);
        find<QPushButton>(form, "saveText")->click();
    }
    QString overwriteQuestion(const QString& path) const
    {
        return QStringLiteral("Are you sure you wish to overwrite ") + path + QStringLiteral(" ?");
    }
    QStringList filesThere() const { return QDir(files.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(SaveTest, TheResultIsWrittenAsUtf8WithoutMarkOrFinalLineBreak)
{
    find<TextBoxControl>(form, "inputText")->setText(QString::fromUtf16(u"caf\u00E9 costs 5\u20AC \U0001F600"));
    find<QPushButton>(form, "startConverting")->click();
    services.messages.clear();
    saveResult(file(QStringLiteral("result.txt")));
    EXPECT_EQ(readFile(file(QStringLiteral("result.txt"))),
              QByteArray("caf\xC3\xA9\r\ncosts\r\n5\xE2\x82\xAC\r\n\xF0\x9F\x98\x80"));
    EXPECT_EQ(services.dialogs.saveRequests(), QList<FileDialogRequest>{saveDialog});
    EXPECT_EQ(services.messages.shown(), QList<MessageBoxRequest>{notice(QStringLiteral("Done."))});
    EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
}

TEST_F(SaveTest, BeforeAnyConversionTheResultFileIsEmpty)
{
    saveResult(file(QStringLiteral("nothing")));
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("nothing"))));
    EXPECT_EQ(readFile(file(QStringLiteral("nothing"))), QByteArray());
    // A name without an extension is used as typed.
    EXPECT_EQ(filesThere(), QStringList{QStringLiteral("nothing")});
}

TEST_F(SaveTest, SaveTextWritesTheTextAsLoadedNotAsTyped)
{
    writeFile(file(QStringLiteral("source.txt")), QByteArray("loaded line\nsecond"));
    load(file(QStringLiteral("source.txt")));
    typeIntoInput(QStringLiteral(" typed"));
    find<QPushButton>(form, "clearInput")->click();
    saveText(file(QStringLiteral("copy.txt")));
    EXPECT_EQ(readFile(file(QStringLiteral("copy.txt"))), QByteArray("loaded line\nsecond"));

    // After the output's "Clear Text" the last result is still written.
    find<QPushButton>(form, "loadSample")->click();
    find<QPushButton>(form, "startConverting")->click();
    find<QPushButton>(form, "clearResult")->click();
    saveResult(file(QStringLiteral("result.txt")));
    EXPECT_EQ(readFile(file(QStringLiteral("result.txt"))),
              QByteArray("This\r\nis\r\ntest\r\ntext\r\nthat\r\nneeds\r\nto\r\nbe\r\nconverted."));
}

TEST_F(SaveTest, CancellingWritesAndShowsNothing)
{
    find<QPushButton>(form, "saveResult")->click();
    find<QPushButton>(form, "saveText")->click();
    EXPECT_EQ(services.dialogs.saveRequests().size(), 2);
    EXPECT_TRUE(services.messages.shown().isEmpty());
    EXPECT_TRUE(filesThere().isEmpty());
}

TEST_F(SaveTest, AnExistingFileIsReplacedWholeOnlyWhenTheAnswerIsYes)
{
    const QString path = file(QStringLiteral("existing.txt"));
    writeFile(path, QByteArray("an older and much longer content"));
    find<TextBoxControl>(form, "inputText")->setText(QStringLiteral("new text"));
    find<QPushButton>(form, "startConverting")->click();
    services.messages.clear();

    services.messages.answerNext(MessageAnswer::No);
    saveResult(path);
    EXPECT_EQ(services.messages.shown(),
              (QList<MessageBoxRequest>{
                  {QStringLiteral("Quillora"), overwriteQuestion(path), MessageIcon::None, MessageButtons::YesNo}}));
    EXPECT_EQ(readFile(path), QByteArray("an older and much longer content"));

    services.messages.clear();
    services.messages.answerNext(MessageAnswer::Yes);
    saveResult(path);
    EXPECT_EQ(services.messages.texts(), (QStringList{overwriteQuestion(path), QStringLiteral("Done.")}));
    EXPECT_EQ(readFile(path), QByteArray("new\r\ntext"));
    EXPECT_EQ(filesThere(), QStringList{QStringLiteral("existing.txt")});
}

TEST_F(SaveTest, AFileThatCannotBeOpenedGivesOneErrorAndNoDone)
{
    int pointerDuringError = -1;
    services.messages.onShow([&](const MessageBoxRequest& request) {
        if (request.title == QStringLiteral("Application Error")) {
            pointerDuringError = form->pointer()->state();
            // The hourglass stays while the mouse moves over a button.
            moveOver(find<QPushButton>(form, "saveResult"));
        }
    });
    find<QPushButton>(form, "loadSample")->click();
    find<QPushButton>(form, "startConverting")->click();
    services.messages.clear();

    saveResult(file(QStringLiteral("no such folder/result.txt")));
    EXPECT_EQ(services.messages.shown(),
              QList<MessageBoxRequest>{error("Form2.PushButton4_Click", 130, QStringLiteral("Path not found"))});
    EXPECT_EQ(pointerDuringError, pointer::hourglass);
    EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
    EXPECT_TRUE(filesThere().isEmpty());

    // A folder of that name: the question comes first, then the error.
    QDir().mkpath(file(QStringLiteral("folder.txt")));
    services.messages.clear();
    saveText(file(QStringLiteral("folder.txt")));
    EXPECT_EQ(
        services.messages.shown(),
        (QList<MessageBoxRequest>{{QStringLiteral("Quillora"), overwriteQuestion(file(QStringLiteral("folder.txt"))),
                                   MessageIcon::None, MessageButtons::YesNo},
                                  error("Form2.PushButton5_Click", 130, QStringLiteral("Permission denied"))}));
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("folder.txt"))).isDir());
}

TEST_F(SaveTest, AReadOnlyFileIsNotReplaced)
{
    QUILLORA_SKIP_AS_ROOT();
    const QString path = file(QStringLiteral("read-only.txt"));
    writeFile(path, QByteArray("protected"));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    saveResult(path);
    EXPECT_EQ(services.messages.errors(),
              QList<MessageBoxRequest>{error("Form2.PushButton4_Click", 130, QStringLiteral("Permission denied"))});
    EXPECT_FALSE(services.messages.texts().contains(QStringLiteral("Done.")));
    EXPECT_EQ(readFile(path), QByteArray("protected"));
}

#ifndef Q_OS_WIN
// Files may grow only to a few kilobytes while it lives, so a longer write fails half-way as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(SaveTest, AWriteThatFailsHalfWayGivesOneErrorAndKeepsTheOldFileWhole)
{
    const QString path = file(QStringLiteral("kept.txt"));
    writeFile(path, QByteArray("the old content"));
    find<TextBoxControl>(form, "inputText")->setText(QStringLiteral("word ").repeated(40000));
    find<QPushButton>(form, "startConverting")->click();
    services.messages.clear();
    {
        FileSizeLimit limit(4096);
        saveResult(path);
    }
    EXPECT_EQ(services.messages.texts().first(), overwriteQuestion(path));
    EXPECT_EQ(services.messages.errors(),
              QList<MessageBoxRequest>{error("Form2.PushButton4_Click", 134, QStringLiteral("Permission denied"))});
    EXPECT_FALSE(services.messages.texts().contains(QStringLiteral("Done.")));
    EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
    EXPECT_EQ(readFile(path), QByteArray("the old content"));
    EXPECT_EQ(filesThere(), QStringList{QStringLiteral("kept.txt")});
}
#endif

TEST_F(SaveTest, AFullDiskSaysDiskFullAndKeepsTheOldFileWhole)
{
    const QString words = QStringLiteral("word ").repeated(40000);
    const struct
    {
        const char* name;
        const char* mountOptions;
        bool fill;
        QString input;
        const char* button;
        int line;
    } cases[] = {
        {"a result larger than the disk", "size=64k", false, words, "saveResult", 134},
        {"a text larger than the disk", "size=64k", false, words, "saveText", 134},
        {"a short result on a disk already full", "size=64k", true, QStringLiteral("a b"), "saveResult", 134},
        {"no room left for another file", "size=1m,nr_inodes=2", false, QStringLiteral("a b"), "saveText", 130},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        const QString folder = file(QString::fromLatin1(one.name));
        QDir().mkpath(folder);
        SmallMount mount(folder, QString::fromLatin1(one.mountOptions));
        QUILLORA_REQUIRE_MOUNTED(mount);
        const QString path = folder + QStringLiteral("/kept.txt");
        writeFile(path, QByteArray("the old content"));
        if (one.fill) {
            QFile filler(folder + QStringLiteral("/filler"));
            ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
            filler.write(QByteArray(1 << 20, 'x'));
        }
        services.setSetting(QStringLiteral("Text1"), one.input);
        open();
        find<QPushButton>(form, "startConverting")->click();
        services.messages.clear();
        services.dialogs.saveNext(path);
        find<QPushButton>(form, one.button)->click();
        const char* label
            = one.button == std::string_view("saveText") ? "Form2.PushButton5_Click" : "Form2.PushButton4_Click";
        EXPECT_EQ(services.messages.errors(),
                  QList<MessageBoxRequest>{error(label, one.line, QStringLiteral("Disk full"))});
        EXPECT_FALSE(services.messages.texts().contains(QStringLiteral("Done.")));
        EXPECT_EQ(readFile(path), QByteArray("the old content"));
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), one.fill ? 2 : 1);
    }
}

} // namespace
} // namespace quillora::testing
