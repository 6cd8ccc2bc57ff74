// The settings store on disk: defaults, exact values, independent keys, whole replacement and broken stores.
#include "platform/FileSettingsStore.h"

#include "platform/Failure.h"
#include "platform/testing/ScriptedMessageBoxes.h"
#include "support/TestSupport.h"
#include "ui/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using quillora::Failure;
using quillora::FileSettingsStore;
using quillora::testing::readFile;
using quillora::testing::runningAsRoot;
using quillora::testing::writeFile;

namespace {

const QString app = QStringLiteral("Corvanta");
const QString section = QStringLiteral("Quillora");

class FileSettingsStoreTest : public ::testing::Test
{
protected:
    FileSettingsStoreTest() { store.tellUnreadableTo(boxes); }

    QString get(const QString& key, const QString& defaultValue = QStringLiteral("<default>"))
    {
        return store.get(app, section, key, defaultValue);
    }
    void save(const QString& key, const QString& value) { store.save(app, section, key, value); }
    QString path(const QString& key) const { return store.valuePath(app, section, key); }

    QTemporaryDir root;
    quillora::testing::ScriptedMessageBoxes boxes;
    FileSettingsStore store{root.path()};
};

TEST_F(FileSettingsStoreTest, MissingKeysGiveTheDefaultAndAnEmptyValueIsNotMissing)
{
    EXPECT_EQ(get(QStringLiteral("FormStart"), QStringLiteral("0")), QStringLiteral("0"));
    EXPECT_EQ(get(QStringLiteral("Text1"), QString()), QString());
    EXPECT_EQ(
        store.get(QStringLiteral("Nobody"), QStringLiteral("Nothing"), QStringLiteral("Key"), QStringLiteral("d")),
        QStringLiteral("d"));

    save(QStringLiteral("Text1"), QString());
    EXPECT_EQ(get(QStringLiteral("Text1")), QString());
}

TEST_F(FileSettingsStoreTest, ValuesComeBackExactlyAlsoFromANewStoreOnTheSameFolder)
{
    const QString text = QString::fromUtf16(u"  two  spaces\r\nCR LF\tTab \u00A0nbsp \u20AC \U0001F600 \u4E2D\r\n");
    QString withNul = QStringLiteral("before");
    withNul.append(QChar(u'\0'));
    withNul.append(QStringLiteral("after"));
    save(QStringLiteral("Text1"), text);
    save(QStringLiteral("Text5"), withNul);

    FileSettingsStore nextStart(root.path());
    EXPECT_EQ(nextStart.get(app, section, QStringLiteral("Text1"), QString()), text);
    EXPECT_EQ(nextStart.get(app, section, QStringLiteral("Text5"), QString()), withNul);
    // Stored as UTF-8 without a mark, so the file can be read and edited by hand.
    EXPECT_EQ(readFile(path(QStringLiteral("Text1"))), text.toUtf8());
}

TEST_F(FileSettingsStoreTest, ValuesSavedLaterAreReadAsTheLatestAndAreOnDiskWhenTheStoreEnds)
{
    const QString large(3'000'000, QChar(u'w'));
    {
        FileSettingsStore later(root.path());
        for (int i = 0; i < 20; ++i)
            later.saveLater(app, section, QStringLiteral("Text1"), large + QString::number(i));
        EXPECT_EQ(later.get(app, section, QStringLiteral("Text1"), QString()), large + QStringLiteral("19"));

        // A value saved at once is newer than one still waiting, and one saved later after it newer still.
        later.saveLater(app, section, QStringLiteral("Text1"), large);
        later.save(app, section, QStringLiteral("Text1"), QStringLiteral("now"));
        EXPECT_EQ(later.get(app, section, QStringLiteral("Text1"), QString()), QStringLiteral("now"));
        later.saveLater(app, section, QStringLiteral("Text1"), QStringLiteral("first"));
        later.saveLater(app, section, QStringLiteral("Text1"), large + QStringLiteral("last"));
    }
    EXPECT_EQ(readFile(path(QStringLiteral("Text1"))), (large + QStringLiteral("last")).toUtf8());
    EXPECT_EQ(QDir(QFileInfo(path(QStringLiteral("Text1"))).absolutePath()).entryList(QDir::Files).size(), 1);
}

TEST_F(FileSettingsStoreTest, AValueWaitingForTheWriterLeavesTheTextItCameFromToBeChangedInPlace)
{
    // Shared with a waiting value, the text would be copied whole by its next edit: a keystroke's cost would grow
    // with the text.
    store.saveLater(app, section, QStringLiteral("Busy"), QString(8'000'000, QChar(u'b')));
    QString typed(1'000'000, QChar(u't'));
    store.saveLater(app, section, QStringLiteral("Text1"), typed);
    EXPECT_TRUE(typed.isDetached());
    typed.append(QChar(u'!'));
    store.flush();
    EXPECT_EQ(get(QStringLiteral("Text1")).size(), typed.size() - 1);
}

TEST_F(FileSettingsStoreTest, AShorterValueReplacesALongerOneWhole)
{
    save(QStringLiteral("Text1"), QString(100000, QChar(u'x')));
    save(QStringLiteral("Text1"), QStringLiteral("short"));
    EXPECT_EQ(get(QStringLiteral("Text1")), QStringLiteral("short"));
    EXPECT_EQ(readFile(path(QStringLiteral("Text1"))), QByteArray("short"));
}

TEST_F(FileSettingsStoreTest, KeysSectionsAndApplicationsAreIndependent)
{
    save(QStringLiteral("FormStart"), QStringLiteral("2"));
    save(QStringLiteral("Text1"), QStringLiteral("input"));
    store.save(app, QStringLiteral("Other"), QStringLiteral("Text1"), QStringLiteral("other section"));
    store.save(QStringLiteral("Else"), section, QStringLiteral("Text1"), QStringLiteral("other application"));
    save(QStringLiteral("Text1"), QStringLiteral("changed"));

    EXPECT_EQ(get(QStringLiteral("FormStart")), QStringLiteral("2"));
    EXPECT_EQ(get(QStringLiteral("Text1")), QStringLiteral("changed"));
    EXPECT_EQ(store.get(app, QStringLiteral("Other"), QStringLiteral("Text1"), QString()),
              QStringLiteral("other section"));
    EXPECT_EQ(store.get(QStringLiteral("Else"), section, QStringLiteral("Text1"), QString()),
              QStringLiteral("other application"));
}

TEST_F(FileSettingsStoreTest, NamesNeverLeaveTheStoreFolder)
{
    const QStringList names{QStringLiteral(".."), QStringLiteral("../../escape"), QStringLiteral("a/b"),
                            QStringLiteral("a\\b"), QStringLiteral(".")};
    for (const QString& name : names) {
        const QString where = QFileInfo(store.valuePath(name, name, name)).absoluteFilePath();
        EXPECT_TRUE(where.startsWith(QFileInfo(root.path()).absoluteFilePath() + QChar(u'/'))) << where.toStdString();
        store.save(name, name, name, QStringLiteral("v:") + name);
    }
    for (const QString& name : names)
        EXPECT_EQ(store.get(name, name, name, QString()), QStringLiteral("v:") + name);
}

TEST_F(FileSettingsStoreTest, AnEmptyNameAddressesNothing)
{
    EXPECT_THROW(save(QString(), QStringLiteral("x")), Failure);
    EXPECT_THROW(store.save(QString(), section, QStringLiteral("Text1"), QStringLiteral("x")), Failure);
    EXPECT_EQ(get(QString()), QStringLiteral("<default>"));
    EXPECT_TRUE(QDir(root.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(FileSettingsStoreTest, WritingLeavesNoTemporaryFilesBehind)
{
    for (int i = 0; i < 20; ++i)
        save(QStringLiteral("Text1"), QString::number(i));
    const QStringList files = QDir(QFileInfo(path(QStringLiteral("Text1"))).absolutePath()).entryList(QDir::Files);
    EXPECT_EQ(files, QStringList{QStringLiteral("Text1")});
}

#ifndef Q_OS_WIN
TEST_F(FileSettingsStoreTest, ANewValueReplacesTheFileInsteadOfWritingIntoIt)
{
    // A second name for the old file shows whether its bytes were touched: an interrupted write must not be able
    // to leave a half-written value under the key.
    save(QStringLiteral("Text1"), QStringLiteral("old value"));
    const QString second = root.path() + QStringLiteral("/second-name");
    ASSERT_EQ(
        ::link(QFile::encodeName(path(QStringLiteral("Text1"))).constData(), QFile::encodeName(second).constData()), 0);
    save(QStringLiteral("Text1"), QStringLiteral("new value"));
    EXPECT_EQ(readFile(second), QByteArray("old value"));
    EXPECT_EQ(get(QStringLiteral("Text1")), QStringLiteral("new value"));
}
#endif

TEST_F(FileSettingsStoreTest, BrokenValuesEditedByHandReadAsTextWithoutFailing)
{
    // Not UTF-8: read in the user's code page, as a text file without a mark is.
    const QByteArray latin("caf\xe9 na\xefve");
    writeFile(path(QStringLiteral("Text1")), latin);
    EXPECT_EQ(quillora::GetSetting(store, quillora::settingkeys::typedText),
              QString::fromUtf16(u"caf\u00E9 na\u00EFve"));
    save(QStringLiteral("AnsiCodePage"), QStringLiteral("1251"));
    EXPECT_EQ(quillora::GetSetting(store, quillora::settingkeys::typedText),
              QString::fromUtf16(u"caf\u0439 na\u043Fve"));
    // The store itself hands over the bytes as they are.
    EXPECT_EQ(store.read(app, section, QStringLiteral("Text1"), QString()).bytes, latin);
    // A value saved by an editor with a final line break is used as it stands.
    writeFile(path(QStringLiteral("FormStart")), QByteArray("two\n"));
    EXPECT_EQ(get(QStringLiteral("FormStart")), QStringLiteral("two\n"));
}

TEST_F(FileSettingsStoreTest, AFolderInPlaceOfAValueReadsAsTheDefaultAndCannotBeOverwritten)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("Text1"))));
    EXPECT_EQ(get(QStringLiteral("Text1")), QStringLiteral("<default>"));
    try {
        save(QStringLiteral("Text1"), QStringLiteral("x"));
        ADD_FAILURE() << "a folder was overwritten";
    } catch (const Failure& failure) {
        // Said as it is, not as a missing permission.
        EXPECT_EQ(failure.description(), Failure::notAFile().description());
    }
    EXPECT_NO_THROW(quillora::SaveSettingQuietly(store, quillora::settingkeys::typedText, QStringLiteral("x")));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("Text1"))).isDir());
}

#ifndef Q_OS_WIN
// Reads key on a thread of its own: a read that does not return within seconds fails, and ends the test program,
// which could not go on past it.
QString readWithin(FileSettingsStore& store, const QString& key, int seconds)
{
    auto reading
        = std::async(std::launch::async, [&] { return store.get(app, section, key, QStringLiteral("<default>")); });
    if (reading.wait_for(std::chrono::seconds(seconds)) == std::future_status::ready)
        return reading.get();
    std::fprintf(stderr, "reading %s did not return within %d s\n", qPrintable(key), seconds);
    std::_Exit(EXIT_FAILURE);
}

struct stat statusOf(const QString& path)
{
    struct stat status = {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

TEST_F(FileSettingsStoreTest, AValueThatIsNoReadableFileIsToldOnceReadsAsTheDefaultAndIsKeptUntilChanged)
{
    const QString pipe = root.path() + QStringLiteral("/pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const auto linkTo = [](const QString& target) { return [target](const QString& at) { QFile::link(target, at); }; };
    struct Case
    {
        const char* key;
        std::function<void(const QString&)> make;
        QString reason;
        bool needsPermissions = false;
    };
    const QString special = Failure::notAFile().description();
    const Case cases[] = {
        {"FormStart", [](const QString& at) { ::mkfifo(QFile::encodeName(at).constData(), 0600); }, special},
        {"AnsiCodePage", linkTo(pipe), special},
        {"Text1", linkTo(QStringLiteral("/dev/zero")), special},
        {"Text5", [](const QString& at) { QDir().mkpath(at); }, special},
        {"Option1",
         [](const QString& at) {
             writeFile(at, "True");
             QFile::setPermissions(at, {});
         },
         Failure::permissionDenied().description(), true},
    };
    for (const Case& one : cases) {
        const QString key = QString::fromLatin1(one.key);
        SCOPED_TRACE(one.key);
        if (one.needsPermissions && runningAsRoot())
            continue;
        QDir().mkpath(QFileInfo(path(key)).absolutePath());
        one.make(path(key));
        const struct stat before = statusOf(path(key));
        boxes.clear();
        EXPECT_EQ(readWithin(store, key, 10), QStringLiteral("<default>"));
        EXPECT_EQ(readWithin(store, key, 10), QStringLiteral("<default>"));
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_TRUE(boxes.shown().first().text.contains(QDir::toNativeSeparators(path(key))));
        EXPECT_TRUE(boxes.shown().first().text.contains(one.reason));

        // The default used in its place is not written over it...
        save(key, QStringLiteral("<default>"));
        store.saveLater(app, section, key, QStringLiteral("<default>"));
        store.flush();
        const struct stat after = statusOf(path(key));
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        // ... a value the user chose is.
        if (QFileInfo(path(key)).isDir())
            continue;
        save(key, QStringLiteral("chosen"));
        EXPECT_EQ(readWithin(store, key, 10), QStringLiteral("chosen"));
    }
}
#endif

TEST_F(FileSettingsStoreTest, AStoreThatCannotBeWrittenFailsAndKeepsItsValues)
{
    QUILLORA_SKIP_AS_ROOT();
    save(QStringLiteral("Text1"), QStringLiteral("kept"));
    const QString folder = QFileInfo(path(QStringLiteral("Text1"))).absolutePath();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_THROW(save(QStringLiteral("Text1"), QStringLiteral("lost")), Failure);
    EXPECT_THROW(save(QStringLiteral("New"), QStringLiteral("lost")), Failure);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(get(QStringLiteral("Text1")), QStringLiteral("kept"));
}

TEST_F(FileSettingsStoreTest, AValueThatCannotBeReadGivesTheDefault)
{
    QUILLORA_SKIP_AS_ROOT();
    save(QStringLiteral("Text1"), QStringLiteral("secret"));
    QFile::setPermissions(path(QStringLiteral("Text1")), QFileDevice::WriteOwner);
    EXPECT_EQ(get(QStringLiteral("Text1")), QStringLiteral("<default>"));
}

#ifndef Q_OS_WIN
TEST(SettingsLocation, TheProgramsSettingsLiveInTheUsersConfigFolderUnderItsMakerAndName)
{
    QTemporaryDir home;
    const quillora::testing::EnvironmentOverride environment{{"HOME", QFile::encodeName(home.path())},
                                                             {"XDG_CONFIG_HOME", QByteArray()}};
    FileSettingsStore store(FileSettingsStore::userRoot());
    quillora::SaveSetting(store, QStringLiteral("Text5"), QStringLiteral("/kept/"));
    EXPECT_EQ(readFile(home.path() + QStringLiteral("/.config/Corvanta/Quillora/Text5")), QByteArray("/kept/"));
}
#endif

TEST(StoredBooleans, TrueFalseAndNumbersAsTheDestinationOptionsStoreThem)
{
    using quillora::settingAsBoolean;
    EXPECT_TRUE(settingAsBoolean(QStringLiteral("True")));
    EXPECT_FALSE(settingAsBoolean(QStringLiteral("False")));
    EXPECT_TRUE(settingAsBoolean(QStringLiteral("1")));
    EXPECT_TRUE(settingAsBoolean(QStringLiteral("-1")));
    EXPECT_FALSE(settingAsBoolean(QStringLiteral("0")));
    EXPECT_FALSE(settingAsBoolean(QStringLiteral("not a flag")));
    EXPECT_FALSE(settingAsBoolean(QString()));
    EXPECT_EQ(quillora::booleanSetting(true), QStringLiteral("True"));
    EXPECT_EQ(quillora::booleanSetting(false), QStringLiteral("False"));
}

} // namespace
