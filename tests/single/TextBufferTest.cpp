// The text buffer's history: which edits join into one step, and undo and redo giving back the exact texts.
#include "windows/single/TextBuffer.h"

#include "support/TestSupport.h"

#include <vector>

namespace quillora {
namespace {

// At start, the characters up to end become inserted, as a view reports an edit.
struct Edit
{
    qsizetype start;
    qsizetype end;
    QString inserted;
};

TEST(TextBufferTest, EditsJoinIntoStepsThatUndoAndRedoExactly)
{
    const QString mixed = QStringLiteral("one\r\ntwo\rthree\nfour\u00A0five\t");
    QString large;
    for (int i = 0; i < 100000; ++i)
        large += mixed;
    const struct
    {
        const char* name;
        QString start;
        std::vector<Edit> edits;
        // The text after each undo, until none is left to undo; redoing comes back the same way.
        std::vector<QString> undone;
    } cases[] = {
        {"a word typed is one step", QString(), {{0, 0, "w"}, {1, 1, "o"}, {2, 2, "r"}, {3, 3, "d"}}, {QString()}},
        {"a line break ends the word, and typing after it is a step of its own",
         QStringLiteral("x"),
         {{1, 1, "a"}, {2, 2, "\r\n"}, {4, 4, "b"}, {5, 5, "c"}},
         {QStringLiteral("xa\r\n"), QStringLiteral("xa"), QStringLiteral("x")}},
        {"a character of two UTF-16 units typed on joins the word",
         QString(),
         {{0, 0, "a"}, {1, 1, QString::fromUtf16(u"\U0001F600")}, {3, 3, "b"}},
         {QString()}},
        {"typing elsewhere starts another step",
         QStringLiteral("ab"),
         {{2, 2, "x"}, {0, 0, "y"}},
         {QStringLiteral("abx"), QStringLiteral("ab")}},
        {"Backspaces one after another are one step",
         QStringLiteral("abc\nd"),
         {{4, 5, ""}, {3, 4, ""}, {2, 3, ""}},
         {QStringLiteral("abc\nd")}},
        {"Deletes one after another are one step",
         QStringLiteral("a\rb\nc"),
         {{1, 2, ""}, {1, 2, ""}, {1, 2, ""}},
         {QStringLiteral("a\rb\nc")}},
        {"a paste is one step, after typing and before it",
         QStringLiteral("ab"),
         {{2, 2, "x"}, {3, 3, "\rpasted\n"}, {0, 0, "y"}},
         {QStringLiteral("abx\rpasted\n"), QStringLiteral("abx"), QStringLiteral("ab")}},
        {"a selection replaced is one step",
         QStringLiteral("first\nsecond\rthird"),
         {{3, 9, "Z"}},
         {QStringLiteral("first\nsecond\rthird")}},
        {"clearing is one step", QStringLiteral("all\r\nof it"), {{0, 9, ""}}, {QStringLiteral("all\r\nof it")}},
        {"a large text replaced whole, then typed into",
         large,
         {{0, large.size(), mixed}, {mixed.size(), mixed.size(), "q"}},
         {mixed, large}},
        {"a large text cut in the middle, across its line breaks",
         large,
         {{large.size() / 3, 2 * large.size() / 3, "\r"}},
         {large}},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        TextBuffer buffer;
        buffer.setText(one.start);
        int changes = 0;
        QObject::connect(&buffer, &TextBuffer::changed, [&] { ++changes; });
        QString text = one.start;
        for (const Edit& edit : one.edits) {
            buffer.edit(edit.start, edit.end, edit.inserted);
            text.replace(edit.start, edit.end - edit.start, edit.inserted);
        }
        ASSERT_TRUE(buffer.text() == text);
        EXPECT_EQ(changes, int(one.edits.size()));
        for (const QString& expected : one.undone) {
            ASSERT_TRUE(buffer.canUndo());
            buffer.undo();
            EXPECT_TRUE(buffer.text() == expected);
        }
        EXPECT_FALSE(buffer.canUndo());
        for (auto back = one.undone.rbegin() + 1; back < one.undone.rend(); ++back) {
            buffer.redo();
            EXPECT_TRUE(buffer.text() == *back);
        }
        buffer.redo();
        EXPECT_TRUE(buffer.text() == text);
        EXPECT_FALSE(buffer.canRedo());
        EXPECT_EQ(changes, int(one.edits.size() + 2 * one.undone.size()));
    }
}

TEST(TextBufferTest, AStepUndoneOrRedoneTakesInNoMoreTypingAndSettingTheTextForgetsAll)
{
    TextBuffer buffer;
    buffer.setText(QStringLiteral("ab"));
    buffer.edit(2, 2, QStringLiteral("c"));
    buffer.edit(3, 3, QStringLiteral("XY"));
    buffer.undo();
    // "c" was the last step before the one undone; "d" typed after it is a step of its own.
    buffer.edit(3, 3, QStringLiteral("d"));
    buffer.undo();
    EXPECT_EQ(buffer.text(), QStringLiteral("abc"));
    buffer.undo();
    buffer.redo();
    buffer.edit(3, 3, QStringLiteral("e"));
    buffer.undo();
    EXPECT_EQ(buffer.text(), QStringLiteral("abc"));

    buffer.setText(QStringLiteral("new"));
    EXPECT_FALSE(buffer.canUndo());
    EXPECT_FALSE(buffer.canRedo());
}

} // namespace
} // namespace quillora
