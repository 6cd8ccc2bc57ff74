// Full case folding of UTF-8 words: hand-checked words, then every character against Unicode's own table.
#include "engine/CaseFolding.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace quillora {
namespace {

QByteArray utf8(const char16_t* text)
{
    return QString::fromUtf16(text).toUtf8();
}

TEST(CaseFolding, FoldsHandCheckedWordsInOneReusedBuffer)
{
    struct Case
    {
        QByteArray word;
        QByteArray folded;
    };
    // Each character's folding grows from two bytes to six: the buffer has to grow while folding.
    const Case cases[] = {
        {utf8(u"\u0390").repeated(40), utf8(u"\u03B9\u0308\u0301").repeated(40)},
        {"", ""},
        {"Hello, WORLD-42\tZ@[`{~", "hello, world-42\tz@[`{~"},
        {utf8(u"\u00DF"), "ss"},
        {utf8(u"\u1E9E"), "ss"},
        {"SS", "ss"},
        {utf8(u"\u03A3"), utf8(u"\u03C3")},
        {utf8(u"\u03C3"), utf8(u"\u03C3")},
        {utf8(u"\u03C2"), utf8(u"\u03C3")},
        // Not the Turkic foldings: I to i, İ to i and a combining dot above.
        {"I", "i"},
        {utf8(u"\u0130"), utf8(u"i\u0307")},
        {utf8(u"\u0149"), utf8(u"\u02BCn")},
        {utf8(u"\uFB03"), "ffi"},
        // Cherokee folds its lower letters to the upper ones.
        {utf8(u"\uAB70\u13F8\u13A0"), utf8(u"\u13A0\u13F0\u13A0")},
        // Alpha with ypogegrammeni and with prosgegrammeni, not the simple folding of the capital to the small.
        {utf8(u"\u1FB3\u1FBC"), utf8(u"\u03B1\u03B9\u03B1\u03B9")},
        // Foldings that change a character's length in bytes, and one outside the Basic Multilingual Plane.
        {utf8(u"\u212A\u023A\U00010400"), utf8(u"k\u2C65\U00010428")},
        {utf8(u"STRA\u1E9Ee\u03A3\u0130\uFB03\uAB70\U00010400\u00C9A\u00A0B"),
         utf8(u"strasse\u03C3i\u0307ffi\u13A0\U00010428\u00E9a\u00A0b")},
    };
    QByteArray folded;
    for (const Case& c : cases) {
        caseFoldUtf8(c.word, folded);
        EXPECT_EQ(folded, c.folded) << c.word.left(40).toHex(' ').constData();
    }
    // An ASCII word fits in what the earlier words left: no new allocation.
    const char* const buffer = folded.constData();
    caseFoldUtf8("ASCII", folded);
    EXPECT_EQ(folded, "ascii");
    EXPECT_EQ(folded.constData(), buffer);
}

// Every character folds as CaseFolding.txt's C and F lines say, and a character without one stays as it is.
TEST(CaseFolding, FoldsEveryCharacterAsUnicodesTableSays)
{
    QFile table("/usr/share/unicode/CaseFolding.txt");
    if (!table.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no " << table.fileName().toStdString() << " (Debian package unicode-data)";
    QHash<char32_t, QByteArray> foldings;
    while (!table.atEnd()) {
        const QList<QByteArray> fields = table.readLine().split('#').first().split(';');
        if (fields.size() < 3 || (fields[1].trimmed() != "C" && fields[1].trimmed() != "F"))
            continue;
        std::u32string folding;
        for (const QByteArray& code : fields[2].simplified().split(' '))
            folding += char32_t(code.toUInt(nullptr, 16));
        foldings.insert(char32_t(fields[0].trimmed().toUInt(nullptr, 16)),
                        QString::fromUcs4(folding.data(), qsizetype(folding.size())).toUtf8());
    }
    ASSERT_GT(foldings.size(), 1400);

    QStringList wrong;
    QByteArray folded;
    for (char32_t character = 0; character <= 0x10FFFF; ++character) {
        if (character >= 0xD800 && character <= 0xDFFF)
            continue;
        const QByteArray word = QString::fromUcs4(&character, 1).toUtf8();
        caseFoldUtf8(word, folded);
        if (folded != foldings.value(character, word))
            wrong << QString::number(character, 16).toUpper();
    }
    EXPECT_TRUE(wrong.isEmpty()) << wrong.size()
                                 << " characters fold wrongly, the first: " << wrong.mid(0, 20).join(' ').toStdString();
}

} // namespace
} // namespace quillora
