// The text box keeps its text exactly through showing, typing, pasting and undoing, and stays cut into small blocks.
#include "support/TestSupport.h"
#include "windows/single/DisplayText.h"
#include "windows/single/TextBoxControl.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <string>

using quillora::blockBreak;
using quillora::displayLength;
using quillora::displayText;
using quillora::lineBreak;
using quillora::TextBoxControl;

namespace {

QString repeated(const QString& piece, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(DisplayText, EveryKindOfLineBreakIsOneCharacterAndAllElseStays)
{
    const QString text = QString::fromUtf16(u"a\r\nb\nc\rd\u00A0e\tf\u2028g");
    const QString display = displayText(text);
    EXPECT_EQ(display, QString::fromUtf16(u"a\u2028b\u2028c\u2028d\u00A0e\tf\u2028g"));
    EXPECT_EQ(displayLength(text), display.size());
    EXPECT_TRUE(quillora::showsText(display, text));
    EXPECT_EQ(quillora::textFromDisplay(display), QString::fromUtf16(u"a\r\nb\r\nc\r\nd\u00A0e\tf\r\ng"));
    EXPECT_EQ(displayText(QStringLiteral("\r\n\r\n")), QString(2, QChar(lineBreak)));
    EXPECT_EQ(displayText(QStringLiteral("\n\r")), QString(2, QChar(lineBreak)));
}

TEST(DisplayText, BlocksEndAfterManyLinesOrCharactersAndLongLinesAreCutAtBlanks)
{
    // Sixty-four short lines make a block.
    const QString display = displayText(repeated(QStringLiteral("word\r\n"), 200));
    EXPECT_EQ(display.count(QChar(blockBreak)), 3);
    EXPECT_EQ(display.indexOf(QChar(blockBreak)), 64 * 5 - 1);

    // A block ends at the first break after 1024 characters.
    const QString longLines = displayText(repeated(QString(600, QChar(u'x')) + QStringLiteral("\r\n"), 4));
    EXPECT_EQ(longLines.indexOf(QChar(blockBreak)), 1201);

    // A line of 30,000 characters is cut at spaces into blocks of at most 8192 characters.
    const QString line = repeated(QStringLiteral("abcdefghi "), 3000);
    const QString cut = displayText(line);
    ASSERT_EQ(cut.size(), line.size());
    qsizetype blockStart = 0;
    for (qsizetype i = 0; i < cut.size(); ++i) {
        if (cut[i] == QChar(blockBreak)) {
            EXPECT_EQ(line[i], QChar(u' '));
            EXPECT_LE(i - blockStart, 8192);
            blockStart = i + 1;
        } else {
            EXPECT_EQ(cut[i], line[i]);
        }
    }
    EXPECT_GE(cut.count(QChar(blockBreak)), 3);
    EXPECT_TRUE(quillora::showsText(cut, line));

    // Without a blank there is nowhere to cut.
    EXPECT_EQ(displayText(QString(20000, QChar(u'z'))), QString(20000, QChar(u'z')));
}

TEST(DisplayText, APartShownAloneStartsAndEndsAfterABreakOrBlankAndSplitsNoPair)
{
    const struct
    {
        const char16_t* text;
        qsizetype index;
        qsizetype start;
        qsizetype end;
    } cases[] = {
        {u"ab\ncd\nef", 4, 3, 6},
        // Never between the CR and the LF of a pair.
        {u"ab\r\ncd", 3, 4, 4},
        {u"ab\r\ncd", 1, 1, 4},
        // Without a break, after a space or tab.
        {u"aaa bbb\tccc", 5, 4, 8},
        // Without either, where asked, but never inside a surrogate pair.
        {u"x\U0001F600y", 2, 3, 3},
        {u"xyz", 1, 1, 1},
        {u"xyz", 3, 3, 3},
    };
    for (const auto& one : cases) {
        const QString text = QString::fromUtf16(one.text);
        SCOPED_TRACE(text.toStdString() + " at " + std::to_string(one.index));
        EXPECT_EQ(quillora::partStartBefore(text, one.index), one.start);
        EXPECT_EQ(quillora::partEndAfter(text, one.index), one.end);
    }
}

TEST(DisplayText, PositionsCountCrLfAsOneInBothDirections)
{
    const QString text = QStringLiteral("ab\r\ncd\ne\r\r\n");
    // Display positions: a0 b1 CRLF2 c3 d4 LF5 e6 CR7 CRLF8, end 9.
    EXPECT_EQ(quillora::textIndex(text, 3), 4);
    EXPECT_EQ(quillora::textIndex(text, 6), 7);
    EXPECT_EQ(quillora::textIndex(text, 8), 9);
    EXPECT_EQ(quillora::textIndex(text, 9), 11);
    EXPECT_EQ(quillora::textIndex(text, 12), 11);
    EXPECT_EQ(quillora::textIndex(text, 2, 11, 9), 2);
    EXPECT_EQ(quillora::textIndex(text, 3, 9, 8), 4);
    EXPECT_EQ(quillora::textIndex(text, 7, 4, 3), 8);
}

class TextBoxTest : public ::testing::Test
{
protected:
    TextBoxTest()
    {
        box.resize(400, 100);
        QObject::connect(box.buffer(), &quillora::TextBuffer::changed, [this] { ++changes; });
    }

    void type(Qt::Key key, const QString& text = QString())
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&box, &press);
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            QKeyEvent event(QEvent::KeyPress, key, modifiers);
            QApplication::sendEvent(&box, &event);
        }
    }

    void placeCursor(int position, int selectTo = -1)
    {
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(position);
        if (selectTo >= 0)
            cursor.setPosition(selectTo, QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
    }

    int shownLength() const { return box.document()->characterCount() - 1; }

    TextBoxControl box;
    int changes = 0;
};

TEST_F(TextBoxTest, SettingATextKeepsItExactlyAndIsOneChange)
{
    const QString text = QString::fromUtf16(u"one\r\ntwo\nthree\rfour\u00A0five\ttab\r\n");
    box.setText(text);
    EXPECT_EQ(box.text(), text);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(shownLength(), displayLength(text));
    box.setText(QString());
    EXPECT_EQ(box.text(), QString());
    EXPECT_EQ(changes, 2);
}

TEST_F(TextBoxTest, TypingChangesTheTextWhereTheCursorStands)
{
    box.setText(QString::fromUtf16(u"ab\r\ncd\nef\u00A0gh"));
    changes = 0;
    placeCursor(4); // after "c"
    type(Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(box.text(), QString::fromUtf16(u"ab\r\ncxd\nef\u00A0gh"));
    EXPECT_EQ(changes, 1);

    type(Qt::Key_Return);
    EXPECT_EQ(box.text(), QString::fromUtf16(u"ab\r\ncx\r\nd\nef\u00A0gh"));

    // Backspace over the line break just typed, then over the CR LF of the first line.
    type(Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QString::fromUtf16(u"ab\r\ncxd\nef\u00A0gh"));
    placeCursor(3);
    type(Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QString::fromUtf16(u"abcxd\nef\u00A0gh"));

    // Typing next to the no-break space keeps it.
    placeCursor(box.document()->characterCount() - 1);
    type(Qt::Key_Y, QStringLiteral("y"));
    EXPECT_EQ(box.text(), QString::fromUtf16(u"abcxd\nef\u00A0ghy"));
    EXPECT_EQ(shownLength(), displayLength(box.text()));
}

TEST_F(TextBoxTest, ReplacingASelectionAndUndoingPutBackTheExactText)
{
    box.setText(QStringLiteral("first\nsecond\rthird"));
    placeCursor(3, 9); // "st\nsec"
    type(Qt::Key_Z, QStringLiteral("Z"));
    EXPECT_EQ(box.text(), QStringLiteral("firZond\rthird"));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("first\nsecond\rthird"));
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box.text(), QStringLiteral("firZond\rthird"));

    // A word typed and a run of Backspaces are one step each; a pasted lone CR comes back exactly.
    placeCursor(3);
    for (const QChar letter : QStringLiteral("abc"))
        type(Qt::Key_unknown, QString(letter));
    press(Qt::Key_Backspace, Qt::NoModifier, 4);
    EXPECT_EQ(box.text(), QStringLiteral("fiZond\rthird"));
    QGuiApplication::clipboard()->setText(QStringLiteral("\r"));
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("fi\rZond\rthird"));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("fiZond\rthird"));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("firabcZond\rthird"));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("firZond\rthird"));
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box.text(), QStringLiteral("firabcZond\rthird"));
}

TEST_F(TextBoxTest, TheMenuHasAPlainTextBoxsEntriesAndItsUndoAndRedoActOnTheHistory)
{
    const auto entries = [](const QWidget& menu) {
        QStringList texts;
        for (const QAction* action : menu.actions())
            texts << (action->isSeparator() ? QStringLiteral("-")
                                            : action->text() + (action->isEnabled() ? "" : " (off)"));
        return texts;
    };
    // Opens the box's menu, notes its entries and triggers the one at index, if any.
    const auto useMenu = [&](qsizetype index = -1) {
        QStringList seen;
        QTimer::singleShot(0, [&] {
            QWidget* menu = QApplication::activePopupWidget();
            ASSERT_NE(menu, nullptr);
            seen = entries(*menu);
            if (index >= 0)
                menu->actions().at(index)->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&box, &event);
        return seen;
    };
    // A plain text box with its own history, in the same state: "c" typed after "ab", then "a" selected.
    QPlainTextEdit plain;
    plain.setPlainText(QStringLiteral("ab"));
    plain.moveCursor(QTextCursor::End);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
    QApplication::sendEvent(&plain, &typed);
    QTextCursor selection = plain.textCursor();
    selection.setPosition(0);
    selection.setPosition(1, QTextCursor::KeepAnchor);
    plain.setTextCursor(selection);
    box.setText(QStringLiteral("ab"));
    placeCursor(2);
    type(Qt::Key_C, QStringLiteral("c"));
    placeCursor(0, 1);
    for (const bool readOnly : {true, false}) {
        plain.setReadOnly(readOnly);
        box.setReadOnly(readOnly);
        const std::unique_ptr<QMenu> expected(plain.createStandardContextMenu());
        EXPECT_EQ(useMenu(), entries(*expected));
    }
    useMenu(0);
    EXPECT_EQ(box.text(), QStringLiteral("ab"));
    useMenu(1);
    EXPECT_EQ(box.text(), QStringLiteral("abc"));
}

TEST_F(TextBoxTest, CopyAndPasteCarryTheExactText)
{
    const QString text = QString::fromUtf16(u"alpha\nbeta\r\ngamma\u00A0delta");
    box.setText(text);
    placeCursor(0, shownLength());
    box.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);

    QGuiApplication::clipboard()->setText(QStringLiteral("one\ntwo\r\n"));
    placeCursor(5, 6); // the LF after "alpha"
    box.paste();
    EXPECT_EQ(box.text(), QString::fromUtf16(u"alphaone\ntwo\r\nbeta\r\ngamma\u00A0delta"));
    placeCursor(0, 8);
    box.cut();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("alphaone"));
    EXPECT_EQ(box.text(), QString::fromUtf16(u"\ntwo\r\nbeta\r\ngamma\u00A0delta"));
}

TEST_F(TextBoxTest, ALoneCrAndALoneLfBroughtTogetherBecomeOneLineBreak)
{
    box.setText(QStringLiteral("a\rX\nb"));
    placeCursor(2);
    type(Qt::Key_Delete);
    EXPECT_EQ(box.text(), QStringLiteral("a\r\nb"));
    QCoreApplication::processEvents();
    EXPECT_EQ(shownLength(), 3);
    placeCursor(2);
    type(Qt::Key_Q, QStringLiteral("q"));
    EXPECT_EQ(box.text(), QStringLiteral("a\r\nqb"));
}

TEST_F(TextBoxTest, EditsBeforeAJoinedLineBreakIsShownAgainLandInTheirPlace)
{
    // "a\rX\nb" less its X shows a, CR, LF, b until the events are through; each edit comes before that.
    const struct
    {
        const char* name;
        std::function<void()> edit;
        QString expected;
    } cases[] = {
        {"typing between the CR and the LF",
         [this] {
             placeCursor(2);
             type(Qt::Key_Q, QStringLiteral("q"));
         },
         QStringLiteral("a\rq\nb")},
        {"typing after them",
         [this] {
             placeCursor(3);
             type(Qt::Key_Q, QStringLiteral("q"));
         },
         QStringLiteral("a\r\nqb")},
        {"removing the LF",
         [this] {
             placeCursor(3);
             type(Qt::Key_Backspace);
         },
         QStringLiteral("a\rb")},
        {"removing both",
         [this] {
             placeCursor(1, 3);
             type(Qt::Key_Delete);
         },
         QStringLiteral("ab")},
        {"pasting a piece that joins at both ends",
         [this] {
             QGuiApplication::clipboard()->setText(QStringLiteral("\n-\r"));
             placeCursor(2);
             box.paste();
             placeCursor(7);
             type(Qt::Key_Q, QStringLiteral("q"));
         },
         QStringLiteral("a\r\n-\r\nbq")},
        {"copying and pasting it",
         [this] {
             placeCursor(0, 4);
             box.copy();
             placeCursor(4);
             box.paste();
         },
         QStringLiteral("a\r\nba\r\nb")},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        box.setText(QStringLiteral("a\rX\nb"));
        placeCursor(2);
        type(Qt::Key_Delete);
        one.edit();
        EXPECT_EQ(box.text(), one.expected);
        QCoreApplication::processEvents();
        EXPECT_EQ(box.text(), one.expected);
        EXPECT_EQ(shownLength(), displayLength(one.expected));
    }
}

TEST_F(TextBoxTest, ALongTextIsShownInSmallBlocksAndOnlyInPart)
{
    const QString words = repeated(QStringLiteral("lorem ipsum dolor sit amet "), 40000);
    const QString text = words + QStringLiteral("\r\n") + repeated(QStringLiteral("x\r\n"), 5000);
    box.setText(text);
    EXPECT_EQ(box.text(), text);
    int longest = 0;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        longest = qMax(longest, block.length());
    EXPECT_LE(longest, 8193 + 64);
    EXPECT_GT(box.document()->blockCount(), 8);
    EXPECT_EQ(box.shownStart(), 0);
    EXPECT_LT(box.shownEnd(), text.size() / 4);

    // An edit in the middle of the long line still lands in its place.
    placeCursor(6);
    type(Qt::Key_Backspace);
    EXPECT_EQ(box.text(), text.left(5) + text.mid(6));
}

TEST_F(TextBoxTest, KeysSelectionAndClipboardReachBeyondThePartShown)
{
    const QString text = repeated(QStringLiteral("lorem ipsum\tdolor\u00A0sit amet\r\n"), 30000)
        + repeated(QStringLiteral("one two\rthree\n"), 30000);
    const qsizetype middle = text.size() / 2;
    const QString longPaste = repeated(QStringLiteral("pasted\rlone\nbreaks\r\n"), 20000);
    const struct
    {
        const char* name;
        std::function<void()> edit;
        // The text afterwards, found once the edit is done.
        std::function<QString()> expected;
        // The clipboard afterwards, when the case copies or cuts.
        QString clipboard;
    } cases[] = {
        {"Ctrl+End, then typing",
         [&] {
             press(Qt::Key_End, Qt::ControlModifier);
             type(Qt::Key_Q, QStringLiteral("q"));
         },
         [&] { return text + QStringLiteral("q"); }, QString()},
        {"Ctrl+End, Ctrl+Home, then typing",
         [&] {
             press(Qt::Key_End, Qt::ControlModifier);
             press(Qt::Key_Home, Qt::ControlModifier);
             type(Qt::Key_Q, QStringLiteral("q"));
         },
         [&] { return QStringLiteral("q") + text; }, QString()},
        {"Ctrl+A and copy",
         [&] {
             press(Qt::Key_A, Qt::ControlModifier);
             box.copy();
         },
         [&] { return text; }, text},
        {"the menu's Select All and copy",
         [&] {
             QTimer::singleShot(0, [] {
                 QWidget* menu = QApplication::activePopupWidget();
                 ASSERT_NE(menu, nullptr);
                 menu->findChild<QAction*>(QStringLiteral("select-all"))->trigger();
                 menu->close();
             });
             QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
             QApplication::sendEvent(&box, &event);
             box.copy();
         },
         [&] { return text; }, text},
        {"Ctrl+A and cut",
         [&] {
             press(Qt::Key_A, Qt::ControlModifier);
             box.cut();
         },
         [] { return QString(); }, text},
        {"Ctrl+A and Delete",
         [&] {
             press(Qt::Key_A, Qt::ControlModifier);
             press(Qt::Key_Delete);
         },
         [] { return QString(); }, QString()},
        {"Ctrl+A, Delete and Ctrl+Z",
         [&] {
             press(Qt::Key_A, Qt::ControlModifier);
             press(Qt::Key_Delete);
             press(Qt::Key_Z, Qt::ControlModifier);
         },
         [&] { return text; }, QString()},
        {"typing at the end, Ctrl+Home and Ctrl+Z",
         [&] {
             press(Qt::Key_End, Qt::ControlModifier);
             type(Qt::Key_Q, QStringLiteral("q"));
             press(Qt::Key_Home, Qt::ControlModifier);
             press(Qt::Key_Z, Qt::ControlModifier);
         },
         [&] { return text; }, QString()},
        {"Ctrl+A and pasting a long text, then Ctrl+Z",
         [&] {
             QGuiApplication::clipboard()->setText(longPaste);
             press(Qt::Key_A, Qt::ControlModifier);
             box.paste();
             EXPECT_TRUE(box.text() == longPaste);
             EXPECT_EQ(box.cursorIndex(), longPaste.size());
             // The document holds only a part of the pasted text.
             EXPECT_LE(box.shownEnd() - box.shownStart(), 3 * 64 * 1024);
             press(Qt::Key_Z, Qt::ControlModifier);
         },
         [&] { return text; }, longPaste},
        {"Ctrl+A and typing",
         [&] {
             press(Qt::Key_A, Qt::ControlModifier);
             type(Qt::Key_Q, QStringLiteral("q"));
         },
         [] { return QStringLiteral("q"); }, QString()},
        {"Ctrl+Shift+End from the middle and cut",
         [&] {
             box.placeCursor(middle);
             press(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
             box.cut();
         },
         [&] { return text.left(middle); }, text.mid(middle)},
        {"Ctrl+Shift+Home from the middle, Shift+Right and copy",
         [&] {
             box.placeCursor(middle);
             press(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
             press(Qt::Key_Right, Qt::ShiftModifier);
             box.copy();
         },
         [&] { return text; }, text.left(middle).mid(1)},
        {"the wheel far past the part first shown, then typing",
         [&] {
             for (int turn = 0; turn < 2000; ++turn) {
                 QWheelEvent wheel(QPointF(5, 5), box.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                 QApplication::sendEvent(box.viewport(), &wheel);
             }
             EXPECT_GT(box.cursorIndex(), 2 * 64 * 1024);
             type(Qt::Key_Q, QStringLiteral("q"));
         },
         [&] { return text.left(box.cursorIndex() - 1) + QStringLiteral("q") + text.mid(box.cursorIndex() - 1); },
         QString()},
        {"Page Down far past the part first shown, then typing",
         [&] {
             press(Qt::Key_PageDown, Qt::NoModifier, 3000);
             EXPECT_GT(box.cursorIndex(), 4 * 64 * 1024);
             type(Qt::Key_Q, QStringLiteral("q"));
         },
         // The letter lands where the cursor stood, the rest stays as it was.
         [&] { return text.left(box.cursorIndex() - 1) + QStringLiteral("q") + text.mid(box.cursorIndex() - 1); },
         QString()},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        box.setText(text);
        QGuiApplication::clipboard()->clear();
        one.edit();
        EXPECT_TRUE(box.text() == one.expected());
        EXPECT_TRUE(QGuiApplication::clipboard()->text() == one.clipboard);
        EXPECT_LE(box.shownEnd() - box.shownStart(), 3 * 64 * 1024);
    }
}

} // namespace
