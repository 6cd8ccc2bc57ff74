// Drops on the input box: one text file is loaded as "Load Text From Text File" loads it, text is inserted, and
// other file drops are refused.
#include "SingleTextFixture.h"
#include "support/Drops.h"

namespace quillora::testing {
namespace {

class DropTest : public SingleTextTest
{
protected:
    QWidget* inputArea() { return find<TextBoxControl>(form, "inputText")->viewport(); }
};

TEST_F(DropTest, OneFileLoadsAndOtherFileDropsAreRefused)
{
    writeFile(file(QStringLiteral("utf8.txt")), QByteArray("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9 words"));
    writeFile(file(QStringLiteral("other.txt")), QByteArray("other"));
    QDir().mkpath(file(QStringLiteral("folder")));
    struct Case
    {
        const char* what;
        QStringList dropped;
        bool accepted;
        QString input;
    };
    const QString before = QStringLiteral("typed before");
    const Case cases[] = {
        {"one file", {file(QStringLiteral("utf8.txt"))}, true, QStringLiteral("\u00E9t\u00E9 words")},
        {"two files", {file(QStringLiteral("utf8.txt")), file(QStringLiteral("other.txt"))}, false, before},
        {"a folder", {file(QStringLiteral("folder"))}, false, before},
        {"a path that is gone", {file(QStringLiteral("gone.txt"))}, false, before},
    };
    for (const Case& c : cases) {
        open();
        const QString loadedBefore = form->loadedText();
        find<TextBoxControl>(form, "inputText")->setText(before);
        EXPECT_EQ(dropOn(inputArea(), *fileUrls(c.dropped)), c.accepted) << c.what;
        EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), c.input) << c.what;
        EXPECT_EQ(services.setting(QStringLiteral("Text1")), c.input) << c.what;
        EXPECT_EQ(form->loadedText(), c.accepted ? c.input : loadedBefore) << c.what;
        EXPECT_EQ(find<UnicodeStrip>(form, "inputStrip")->text(), form->loadedText()) << c.what;
        EXPECT_TRUE(services.messages.shown().isEmpty()) << c.what;
        EXPECT_TRUE(services.dialogs.openRequests().isEmpty()) << c.what;
    }
}

TEST_F(DropTest, DroppedTextIsInsertedAndLoadsNothing)
{
    open();
    QMimeData text;
    text.setText(QStringLiteral("dropped"));
    EXPECT_TRUE(dropOn(inputArea(), text));
    EXPECT_EQ(find<TextBoxControl>(form, "inputText")->text(), QStringLiteral("dropped"));
    EXPECT_EQ(services.setting(QStringLiteral("Text1")), QStringLiteral("dropped"));
    EXPECT_EQ(form->loadedText(), QString());
}

} // namespace
} // namespace quillora::testing
