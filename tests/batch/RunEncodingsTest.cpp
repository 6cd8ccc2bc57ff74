// The run over sources in every encoding the readers know, to a chosen folder and in place, byte for byte.
#include "BatchWindowFixture.h"

#include <QDir>
#include <QStringEncoder>

namespace quillora::testing {
namespace {

// Two spaces, a tab, a line break and characters beyond ASCII that Windows-1252 also has.
const QString sourceText = QStringLiteral("Grüße  aus\tKöln \u20AC5\r\nok ");
const QByteArray expectedResult = QStringLiteral("Grüße\r\naus\tKöln\r\n\u20AC5\r\nok").toUtf8();

QByteArray encoded(QStringConverter::Encoding encoding, const QByteArray& mark)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    return mark + QByteArray(encoder(sourceText));
}

struct Source
{
    QString name;
    QByteArray bytes;
};

QList<Source> everyEncoding()
{
    return {
        {QStringLiteral("ansi.txt"),
         QByteArray("Gr\xFC\xDF"
                    "e  aus\tK\xF6ln \x80"
                    "5\r\nok ")},
        {QStringLiteral("utf8-mark.txt"), encoded(QStringConverter::Utf8, "\xEF\xBB\xBF")},
        {QStringLiteral("utf8.txt"), encoded(QStringConverter::Utf8, "")},
        {QStringLiteral("utf16le.txt"), encoded(QStringConverter::Utf16LE, "\xFF\xFE")},
        {QStringLiteral("utf16be.txt"), encoded(QStringConverter::Utf16BE, "\xFE\xFF")},
        {QStringLiteral("utf32le.txt"), encoded(QStringConverter::Utf32LE, QByteArray("\xFF\xFE\0\0", 4))},
        {QStringLiteral("utf32be.txt"), encoded(QStringConverter::Utf32BE, QByteArray("\0\0\xFE\xFF", 4))},
    };
}

TEST_F(BatchWindowTest, EveryEncodingGivesTheSameUtf8ResultInTheChosenFolder)
{
    openWindow();
    QStringList sources;
    for (const Source& source : everyEncoding())
        sources << write(QStringLiteral("in/") + source.name, source.bytes);
    QDir().mkpath(at(QStringLiteral("out")));
    list(sources);
    chooseFolder(at(QStringLiteral("out")));
    find<QPushButton>(form, "startConverting")->click();

    EXPECT_EQ(doubles.messages.texts(), QStringList{QStringLiteral("Done.")});
    for (const Source& source : everyEncoding()) {
        SCOPED_TRACE(source.name.toStdString());
        EXPECT_EQ(readFile(at(QStringLiteral("out/") + source.name)), expectedResult);
        EXPECT_EQ(readFile(at(QStringLiteral("in/") + source.name)), source.bytes);
    }
    EXPECT_EQ(QDir(at(QStringLiteral("out"))).entryList(QDir::Files).size(), everyEncoding().size());
}

TEST_F(BatchWindowTest, EveryEncodingIsReplacedInPlaceByItsUtf8ResultBesideTheSource)
{
    openWindow();
    QStringList sources;
    for (const Source& source : everyEncoding())
        sources << write(QStringLiteral("in/") + source.name, source.bytes);
    list(sources);
    find<QRadioButton>(form, "resultsInPlace")->click();
    // The folder box is not used and need not exist.
    find<QLineEdit>(form, "destinationFolder")->clear();
    find<QPushButton>(form, "startConverting")->click();

    EXPECT_EQ(doubles.messages.texts(), QStringList{QStringLiteral("Done.")});
    for (const Source& source : everyEncoding()) {
        SCOPED_TRACE(source.name.toStdString());
        EXPECT_EQ(readFile(at(QStringLiteral("in/") + source.name)), expectedResult);
    }
    EXPECT_EQ(QDir(at(QStringLiteral("in"))).entryList(QDir::Files).size(), everyEncoding().size());
}

TEST_F(BatchWindowTest, ResultsReplaceOlderFilesWholeAndTheLaterOfTwoSameNamesWins)
{
    openWindow();
    const QString spaces = write(QStringLiteral("in/spaces.txt"), "    ");
    const QString empty = write(QStringLiteral("in/empty.txt"), "");
    const QString first = write(QStringLiteral("in/one/same.txt"), "first text");
    const QString second = write(QStringLiteral("in/two/same.txt"), "second");
    write(QStringLiteral("out/spaces.txt"), "an older and much longer result");
    write(QStringLiteral("out/empty.txt"), "older");
    list({spaces, empty, first, second});
    chooseFolder(at(QStringLiteral("out")) + nativeSeparator());
    find<QPushButton>(form, "startConverting")->click();

    EXPECT_EQ(readFile(at(QStringLiteral("out/spaces.txt"))), QByteArray());
    EXPECT_EQ(readFile(at(QStringLiteral("out/empty.txt"))), QByteArray());
    EXPECT_EQ(readFile(at(QStringLiteral("out/same.txt"))), QByteArray("second"));
    EXPECT_EQ(doubles.messages.texts(), QStringList{QStringLiteral("Done.")});
}

TEST_F(BatchWindowTest, AStoredCodePageDecidesHowFilesWithoutAMarkAreRead)
{
    struct Case
    {
        const char* stored;
        QString text;
    };
    // The tests run under the C.UTF-8 locale: nothing stored reads Windows-1252.
    const Case cases[] = {
        {"", QStringLiteral("Ðóñ")},
        {"1251", QStringLiteral("Рус")},
        {"1253", QStringLiteral("Πσρ")},
    };
    openWindow();
    QDir().mkpath(at(QStringLiteral("out")));
    chooseFolder(at(QStringLiteral("out")));
    const QString source = write(QStringLiteral("legacy.txt"), "\xD0\xF3\xF1");
    for (const Case& c : cases) {
        doubles.setSetting(QStringLiteral("AnsiCodePage"), QString::fromLatin1(c.stored));
        list({source});
        find<QPushButton>(form, "startConverting")->click();
        EXPECT_EQ(QString::fromUtf8(readFile(at(QStringLiteral("out/legacy.txt")))), c.text) << c.stored;
        form->fileList()->clear();
    }
}

} // namespace
} // namespace quillora::testing
