// Whatever the input box shows, the text it stores, converts and saves is the text loaded, pasted and typed.
#include "SingleTextFixture.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

namespace quillora::testing {
namespace {

// A line of words parted by spaces, tabs and no-break spaces, without a line break.
QString longLine(qsizetype length)
{
    const QString words = QString::fromUtf16(u"quick\tbrown fox\u00A0jumps  over ");
    QString line;
    while (line.size() < length)
        line += words;
    line.truncate(length);
    return line;
}

class ExactTextTest : public SingleTextTest
{
protected:
    void SetUp() override { open(); }

    void pasteAtEnd(const QString& text)
    {
        moveToInputEnd();
        QGuiApplication::clipboard()->setText(text);
        find<TextBoxControl>(form, "inputText")->paste();
    }

    QByteArray saved(const char* button)
    {
        const QString path = file(QString::fromLatin1(button));
        services.dialogs.saveNext(path);
        find<QPushButton>(form, button)->click();
        const QByteArray bytes = readFile(path);
        QFile::remove(path);
        return bytes;
    }
};

TEST_F(ExactTextTest, LongLinesLoneBreaksTabsAndNoBreakSpacesAreStoredConvertedAndSavedAsTheyAre)
{
    const struct
    {
        const char* name;
        QString text;
    } cases[] = {
        {"a line of 10,000 characters", longLine(10000)},
        {"a line of 1,000,000 characters", longLine(1000000)},
        {"lone CR and lone LF", QStringLiteral("one\rtwo\nthree\r\nfour\n\rfive\r")},
        {"tabs and no-break spaces", QString::fromUtf16(u"a\tb\u00A0c \t d\u00A0\u00A0e\t")},
        {"long lines between lone breaks",
         QStringLiteral("\n") + longLine(10000) + QStringLiteral("\r") + longLine(20000) + QStringLiteral("\n\r")},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        writeFile(file(QStringLiteral("in.txt")), one.text.toUtf8());
        load(file(QStringLiteral("in.txt")));
        // A pasted lone CR and a pasted lone LF become one line break, which the box shows again only once the
        // events are through; the typing comes before that.
        pasteAtEnd(QStringLiteral("\r"));
        pasteAtEnd(QStringLiteral("\nend"));
        typeIntoInput(QStringLiteral(" typed"));
        const QString edited = one.text + QStringLiteral("\r\nend typed");
        EXPECT_TRUE(services.setting(QStringLiteral("Text1")) == edited);

        find<QPushButton>(form, "startConverting")->click();
        const QString converted = edited.split(u' ', Qt::SkipEmptyParts).join(QStringLiteral("\r\n"));
        EXPECT_TRUE(find<TextBoxControl>(form, "resultText")->text() == converted);
        EXPECT_TRUE(saved("saveResult") == converted.toUtf8());
        EXPECT_TRUE(saved("saveText") == one.text.toUtf8());

        QCoreApplication::processEvents();
        typeIntoInput(QStringLiteral("!"));
        EXPECT_TRUE(services.setting(QStringLiteral("Text1")) == edited + QStringLiteral("!"));
    }
}

} // namespace
} // namespace quillora::testing
