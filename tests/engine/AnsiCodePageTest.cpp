// Files without a mark read in the code page of the user's language: whole, and from the file piece by piece with a
// character cut between pieces; the locale variables decide in their order, and a stored choice overrides them.
#include "engine/AnsiCodePage.h"

#include "engine/AnsiDecoder.h"
#include "engine/AnsiWordsToLines.h"
#include "engine/FileBytes.h"
#include "engine/FileText.h"
#include "engine/Windows1252.h"
#include "support/CodePageSamples.h"
#include "support/TestSupport.h"

#include <QStringDecoder>
#include <QTemporaryDir>
#include <functional>

namespace quillora {
namespace {

TEST(AnsiCodePage, AFileInTheCodePageOfTheLocaleReadsAsItsText)
{
    QTemporaryDir folder;
    // Spaces up to the last byte of the first piece, so the first character is cut between two pieces.
    const QByteArray padding(filePieceBytes - 1, ' ');
    const QString path = folder.filePath(QStringLiteral("legacy.txt"));
    for (const testing::CodePageSample& c : testing::codePageSamples()) {
        const AnsiCodePage page = ansiCodePageForLocale(QString::fromLatin1(c.locale));
        const QString text = QString::fromUtf16(c.text);
        const QByteArray converted = WordsToLinesUtf8(text);
        const FileText whole = FileText::fromAnsi(c.bytes, page);
        EXPECT_EQ(whole.toString(), text) << c.locale;
        EXPECT_EQ(whole.wordsToLinesUtf8(), converted) << c.locale;

        testing::writeFile(path, padding + c.bytes);
        const FileText inFile = FileText::inFile(path, 0, scanFileBytes(path, 0, true), page);
        const auto* bytesInFile = std::get_if<BytesInFile>(&inFile.held());
        ASSERT_NE(bytesInFile, nullptr) << c.locale;
        EXPECT_FALSE(bytesInFile->encoding.isUtf8()) << c.locale;
        EXPECT_EQ(inFile.wordsToLinesUtf8(), converted) << c.locale;
        const QString read = inFile.toString();
        ASSERT_GE(read.size(), padding.size()) << c.locale;
        EXPECT_EQ(read.sliced(padding.size()), text) << c.locale;
    }
}

TEST(AnsiCodePage, TextThatIsNotACharacterOfTheCodePageIsKept)
{
    struct Case
    {
        AnsiCodePage page;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        // A lead byte at the very end: the converter's substitute, not nothing.
        {AnsiCodePage::Japanese, "a\x82", QStringLiteral("a\x1A")},
        {AnsiCodePage::SimplifiedChinese, "\x81", QStringLiteral("\uFFFD")},
        // A lead byte before a space does not take the space with it.
        {AnsiCodePage::Japanese, "\x82 b", QStringLiteral("\x1A b")},
        // A byte the code page leaves undefined.
        {AnsiCodePage::Greek, "\xFF", QStringLiteral("\uFFFD")},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("odd.txt"));
    for (const Case& c : cases) {
        EXPECT_EQ(decodeAnsi(c.bytes, c.page), c.text) << c.bytes.toHex().constData();
        testing::writeFile(path, c.bytes);
        const FileText inFile = FileText::inFile(path, 0, scanFileBytes(path, 0, true), c.page);
        EXPECT_EQ(inFile.wordsToLinesUtf8(), WordsToLinesUtf8(c.text)) << c.bytes.toHex().constData();
        EXPECT_FALSE(inFile.readFindsOnlySpaces());
    }
}

// Every byte value of every code page, as Qt's converter decodes it (Windows-1252 as our own table, which keeps its
// undefined bytes): decoded, converted whole, and converted from pieces cut at every length from one to nine bytes.
TEST(AnsiCodePage, EveryByteOfEveryCodePageConvertsAsItDecodes)
{
    QByteArray bytes;
    for (int round = 0; round < 9; ++round) {
        for (int byte = 0; byte < 256; ++byte) {
            bytes.append(char(byte));
            if ((byte + round) % 7 == 0)
                bytes.append(' ');
        }
        // Moves the next round to another place in the decoder's blocks.
        bytes.append(QByteArray(round, 'a'));
    }
    bytes.append(" end");
    const auto collect = [](const std::function<void(const Utf8Sink&)>& convert) {
        QByteArray converted;
        convert([&converted](QByteArrayView piece) { converted.append(piece); });
        return converted;
    };
    int pages = 0;
    for (int number = 0; number < 2000; ++number) {
        const std::optional<AnsiCodePage> page = parseAnsiCodePage(QString::number(number));
        if (!page)
            continue;
        SCOPED_TRACE(number);
        ++pages;
        const QString text = *page == AnsiCodePage::Western
            ? decodeWindows1252(bytes)
            : QString(QStringDecoder(qtConverterName(*page)).decode(bytes));
        EXPECT_EQ(decodeAnsi(bytes, *page), text);
        const QByteArray converted = WordsToLinesUtf8(text);
        EXPECT_EQ(collect([&](const Utf8Sink& sink) { WordsToLinesUtf8FromAnsi(bytes, *page, sink); }), converted);
        for (qsizetype cut = 1; cut <= 9; ++cut) {
            const QByteArray streamed = collect([&](const Utf8Sink& sink) {
                AnsiWordsToLinesStream stream(*page);
                for (qsizetype at = 0; at < bytes.size(); at += cut)
                    stream.feed(QByteArrayView(bytes).sliced(at, qMin(cut, bytes.size() - at)), sink);
                stream.finish(sink);
            });
            EXPECT_EQ(streamed, converted) << "pieces of " << cut;
        }
    }
    EXPECT_EQ(pages, 14);
}

TEST(AnsiCodePage, UTF8WithoutAMarkStaysUTF8WhateverTheCodePage)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("utf8.txt"));
    testing::writeFile(path, "\xD0\x9F\xD1\x80\xD0\xB8 \xD0\xB2\xD0\xB5\xD1\x82");
    const FileText text = FileText::inFile(path, 0, scanFileBytes(path, 0, true), AnsiCodePage::Cyrillic);
    EXPECT_EQ(text.toString(), QStringLiteral("При вет"));
}

TEST(AnsiCodePage, TheLocaleVariablesDecideInTheirOrder)
{
    struct Case
    {
        const char* lcAll;
        const char* lcCtype;
        const char* lang;
        AnsiCodePage page;
    };
    const Case cases[] = {
        {"", "", "", AnsiCodePage::Western},
        {"C", "ru_RU.UTF-8", "el_GR.UTF-8", AnsiCodePage::Western},
        {"", "ru_RU.UTF-8", "el_GR.UTF-8", AnsiCodePage::Cyrillic},
        {"", "", "el_GR.UTF-8", AnsiCodePage::Greek},
        {"POSIX", "", "ja_JP.UTF-8", AnsiCodePage::Western},
        {"cs_CZ", "C.UTF-8", "", AnsiCodePage::CentralEuropean},
        // Territories and scripts that differ from their language, case as written, and three-letter languages.
        {"", "", "zh_SG.GB2312", AnsiCodePage::SimplifiedChinese},
        {"", "", "zh_MO", AnsiCodePage::TraditionalChinese},
        {"", "", "uz_UZ.UTF-8@cyrillic", AnsiCodePage::Cyrillic},
        {"", "", "uz_UZ.UTF-8", AnsiCodePage::Turkish},
        {"", "", "az_IR", AnsiCodePage::Arabic},
        {"", "", "KO_kr", AnsiCodePage::Korean},
        {"", "", "ltg_LV.UTF-8", AnsiCodePage::Baltic},
        {"", "", "sa_IN", AnsiCodePage::Western},
    };
    for (const Case& c : cases) {
        const QString locale
            = ctypeLocale(QString::fromLatin1(c.lcAll), QString::fromLatin1(c.lcCtype), QString::fromLatin1(c.lang));
        EXPECT_EQ(ansiCodePageForLocale(locale), c.page) << c.lcAll << " " << c.lcCtype << " " << c.lang;
    }
}

TEST(AnsiCodePage, AStoredChoiceOverridesTheLocale)
{
    struct Case
    {
        const char* stored;
        AnsiCodePage page;
    };
    const Case cases[] = {
        {"", AnsiCodePage::Cyrillic},      {"1253", AnsiCodePage::Greek},      {" 932 ", AnsiCodePage::Japanese},
        {"65001", AnsiCodePage::Cyrillic}, {"cp1253", AnsiCodePage::Cyrillic},
    };
    const QByteArray saved = qgetenv("LC_ALL");
    qputenv("LC_ALL", "ru_RU.UTF-8");
    for (const Case& c : cases)
        EXPECT_EQ(ansiCodePageFromSetting(QString::fromLatin1(c.stored)), c.page) << c.stored;
    qputenv("LC_ALL", saved);
}

} // namespace
} // namespace quillora
