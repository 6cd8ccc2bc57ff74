// Recording the sample files, adding them to the batch list, and the scrambling of the record.
#include "windows/batch/Samples.h"

#include "engine/TextReaders.h"
#include "engine/Windows1252.h"
#include "platform/ApplicationTitle.h"
#include "platform/NativeFileFacts.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace quillora {
namespace {

using testing::native;
using testing::writeFile;

const QString question = QStringLiteral("Would you like this software to open the folder where these sample files are "
                                        "stored (so that you can view them before working with them)?");

QString codes(std::initializer_list<int> values)
{
    QString text;
    for (const int code : values)
        text.append(QChar(windows1252Character(static_cast<unsigned char>(code))));
    return text;
}

QString allCodes()
{
    QString text;
    for (int code = 1; code <= 255; ++code)
        text.append(QChar(windows1252Character(static_cast<unsigned char>(code))));
    return text;
}

TEST(Scrambling, EveryCodeComesBackWithEveryKeyLetter)
{
    testing::CountingEventPump events;
    const QString text = allCodes();
    for (const QString& key : {sampleListKey(), QStringLiteral("aaaaaaaa"), QStringLiteral("zzzzzzzz")}) {
        // Rotating the text puts every code under every key position.
        for (int shift = 0; shift < 8; ++shift) {
            const QString rotated = text.mid(shift) + text.left(shift);
            const QString scrambled = ScrambleText(rotated, key, events);
            EXPECT_NE(scrambled, rotated);
            EXPECT_EQ(scrambled.size(), rotated.size());
            EXPECT_EQ(UnscrambleText(scrambled, key, events), rotated) << key.toStdString() << " " << shift;
        }
    }
}

TEST(Scrambling, SumsWrapPast255ToOne)
{
    testing::CountingEventPump events;
    const QString key = QStringLiteral("aaaaaaaa"); // code 97 everywhere
    const QString text = codes({158, 159, 160, 65});
    const QString expected = codes({255, 1, 2, 65 + 97});

    EXPECT_EQ(ScrambleText(text, key, events), expected);
    EXPECT_EQ(UnscrambleText(expected, key, events), text);
    EXPECT_EQ(events.count, 8) << "events are let through once per character";
    EXPECT_EQ(ScrambleText(QString(), key, events), QString());
}

TEST(Scrambling, TheKeyIsEightLowercaseLettersUsedInTurn)
{
    testing::CountingEventPump events;
    const QString key = sampleListKey();
    ASSERT_EQ(key.size(), 8);
    for (const QChar letter : key)
        EXPECT_TRUE(letter >= u'a' && letter <= u'z');
    const QString scrambled = ScrambleText(QString(9, QChar(u'\u0001')), key, events);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(windows1252Code(scrambled.at(i).unicode()), key.at(i % 8).unicode() + 1);
}

TEST(Scrambling, CharactersBeyondTheCodePageComeBackWhole)
{
    testing::CountingEventPump events;
    const QString path = QStringLiteral("/home/\u0418\u0432\u0430\u043D/\u03A3\u03B7\u03BC/\u6587/\U0001F600/a.txt");

    const QString scrambled = ScrambleText(path, sampleListKey(), events);

    EXPECT_EQ(UnscrambleText(scrambled, sampleListKey(), events), path);
    EXPECT_FALSE(scrambled.contains(QStringLiteral("/home/")));
}

class SampleFiles : public ::testing::Test
{
protected:
    QString samplePath(const QString& name)
    {
        return samplesFolder(services.services().programFolder) + QDir::separator() + name;
    }
    void sample(const QString& name) { writeFile(samplePath(name), QByteArrayLiteral("one two")); }
    void record()
    {
        RecordSampleFiles(services.settings, services.services().programFolder, services.events, *services.fileFacts);
    }
    QString recorded()
    {
        return UnscrambleText(services.setting(QStringLiteral("Snapshot")), sampleListKey(), services.events);
    }
    void add()
    {
        Services bundle = services.services();
        AddSampleFiles(list, bundle);
    }

    testing::TestServices services;
    FileListModel list;
};

TEST_F(SampleFiles, RecordsTheFullPathsJoinedWithBars)
{
    sample(QStringLiteral("a.txt"));
    sample(QStringLiteral("b.txt"));
    QDir().mkpath(samplePath(QStringLiteral("folder")));

    record();

    QStringList paths = recorded().split(QChar(u'|'));
    paths.sort();
    EXPECT_EQ(paths, QStringList({samplePath(QStringLiteral("a.txt")), samplePath(QStringLiteral("b.txt"))}));
    EXPECT_NE(services.setting(QStringLiteral("Snapshot")), recorded()) << "the record is kept scrambled";
}

TEST_F(SampleFiles, MissingOrEmptyFolderRecordsTheEmptyText)
{
    services.setSetting(QStringLiteral("Snapshot"), QStringLiteral("old"));
    record();
    EXPECT_EQ(services.setting(QStringLiteral("Snapshot"), QStringLiteral("absent")), QString());

    QDir().mkpath(samplesFolder(services.services().programFolder));
    record();
    EXPECT_EQ(services.setting(QStringLiteral("Snapshot"), QStringLiteral("absent")), QString());
}

TEST_F(SampleFiles, AddsTheRecordedFilesOnceAndAsksEveryTime)
{
    sample(QStringLiteral("a.txt"));
    sample(QStringLiteral("b.txt"));
    record();
    services.messages.answerNext(MessageAnswer::No);
    services.messages.answerNext(MessageAnswer::No);

    add();
    QStringList added = list.entries();
    add();

    added.sort();
    EXPECT_EQ(added, QStringList({samplePath(QStringLiteral("a.txt")), samplePath(QStringLiteral("b.txt"))}));
    EXPECT_EQ(list.count(), 2);
    const MessageBoxRequest asked{applicationTitle(), question, MessageIcon::None, MessageButtons::YesNo};
    EXPECT_EQ(services.messages.shown(), QList<MessageBoxRequest>({asked, asked}));
    EXPECT_TRUE(services.shell.opened.isEmpty());
}

TEST_F(SampleFiles, AsksEvenWhenNothingIsRecordedAndOpensTheFolderOnYes)
{
    services.messages.answerNext(MessageAnswer::Yes);

    add();

    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(services.messages.texts(), QStringList{question});
#ifdef Q_OS_WIN
    const QString expected = QChar(u'"') + samplesFolder(services.services().programFolder) + QStringLiteral("\\\"");
#else
    const QString expected = samplesFolder(services.services().programFolder) + QChar(u'/');
#endif
    EXPECT_EQ(services.shell.opened, QStringList{expected});
}

TEST_F(SampleFiles, SkipsDeletedSamplesAndComparesPathsExactly)
{
    sample(QStringLiteral("a.txt"));
    sample(QStringLiteral("b.txt"));
    sample(QStringLiteral("c.txt"));
    record();
    ASSERT_TRUE(QFile::remove(samplePath(QStringLiteral("b.txt"))));
    list.append(samplePath(QStringLiteral("A.txt")));
    list.append(samplePath(QStringLiteral("c.txt")));
    services.messages.answerNext(MessageAnswer::No);

    add();

    EXPECT_EQ(list.entries(),
              QStringList({samplePath(QStringLiteral("A.txt")), samplePath(QStringLiteral("c.txt")),
                           samplePath(QStringLiteral("a.txt"))}));
}

TEST_F(SampleFiles, ProgramFolderWithNamesBeyondTheCodePageStillWorks)
{
    const QString folder = native(services.programFolder.path()
                                  + QStringLiteral("/\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0430"));
    writeFile(samplesFolder(folder) + QDir::separator() + QStringLiteral("\u6587.txt"), QByteArrayLiteral("x"));
    RecordSampleFiles(services.settings, folder, services.events, *services.fileFacts);
    Services bundle = services.services();
    bundle.programFolder = folder;
    services.messages.answerNext(MessageAnswer::No);

    AddSampleFiles(list, bundle);

    EXPECT_EQ(list.entries(), QStringList{samplesFolder(folder) + QDir::separator() + QStringLiteral("\u6587.txt")});
}

TEST(ShippedSamples, OneForEachReaderAndAllOfOurOwnShortTexts)
{
    testing::TestServices services;
    const QString programFolder = native(QCoreApplication::applicationDirPath());
    RecordSampleFiles(services.settings, programFolder, services.events, *services.fileFacts);
    const QStringList paths
        = UnscrambleText(services.setting(QStringLiteral("Snapshot")), sampleListKey(), services.events)
              .split(QChar(u'|'));
    ASSERT_EQ(paths.size(), 3) << "the build copies the samples beside the programs";

    QStringList marks;
    NativeFileFacts facts;
    for (const QString& path : paths) {
        const QByteArray bytes = testing::readFile(path);
        EXPECT_LE(bytes.size(), 4096) << path.toStdString();
        if (bytes.startsWith("\xEF\xBB\xBF"))
            marks << QStringLiteral("UTF-8");
        else if (bytes.startsWith("\xFF\xFE"))
            marks << QStringLiteral("UTF-16LE");
        else
            marks << QStringLiteral("none");
        const ByteOrderMark mark = FileHasBOM(path);
        const OrFailure<FileText> text = mark == ByteOrderMark::None
            ? ReadFileToString(path, ReadingMode::Whole, localeAnsiCodePage(), facts)
            : mark == ByteOrderMark::Utf8 ? ReadFileToStringUTF(path, mark)
                                          : ReadFileToStringUnicode(path);
        ASSERT_TRUE(text);
        EXPECT_GT(text->toString().count(QChar(u' ')), 50) << path.toStdString();
        EXPECT_FALSE(text->toString().contains(QChar(0xFFFD))) << path.toStdString();
    }
    marks.sort();
    EXPECT_EQ(marks, QStringList({QStringLiteral("UTF-16LE"), QStringLiteral("UTF-8"), QStringLiteral("none")}));
    EXPECT_TRUE(services.messages.shown().isEmpty());
}

} // namespace
} // namespace quillora
