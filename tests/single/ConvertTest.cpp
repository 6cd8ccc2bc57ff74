// "Start Converting": the result in the output box, the shared text and the strip, the guard and the reset.
#include "SingleTextFixture.h"

namespace quillora::testing {
namespace {

class ConvertTest : public SingleTextTest
{
protected:
    void SetUp() override { open(); }

    QString convert(const QString& input)
    {
        find<TextBoxControl>(form, "inputText")->setText(input);
        services.messages.clear();
        find<QPushButton>(form, "startConverting")->click();
        return find<TextBoxControl>(form, "resultText")->text();
    }
};

TEST_F(ConvertTest, TheSampleSentenceGivesNineLinesAndDone)
{
    int pointerDuringDone = -1;
    bool convertingDuringDone = false;
    services.messages.onShow([&](const MessageBoxRequest&) {
        pointerDuringDone = form->pointer()->state();
        convertingDuringDone = form->isConverting();
    });
    find<QPushButton>(form, "loadSample")->click();
    find<ProgressBarControl>(form, "progressBar")->setPercent(40);
    find<ProgressBarControl>(form, "progressBar")->setCaption(QStringLiteral("Processing: x"));
    find<QPushButton>(form, "startConverting")->click();

    const QString expected = QStringLiteral("This\r\nis\r\ntest\r\ntext\r\nthat\r\nneeds\r\nto\r\nbe\r\nconverted.");
    EXPECT_EQ(find<TextBoxControl>(form, "resultText")->text(), expected);
    EXPECT_EQ(form->convertedText(), expected);
    EXPECT_EQ(find<UnicodeStrip>(form, "resultStrip")->text(), expected);
    EXPECT_EQ(find<UnicodeStrip>(form, "inputStrip")->text(), QString());
    EXPECT_EQ(services.messages.shown(), QList<MessageBoxRequest>{notice(QStringLiteral("Done."))});
    EXPECT_EQ(pointerDuringDone, pointer::defaultArrow);
    EXPECT_TRUE(convertingDuringDone);
    EXPECT_FALSE(form->isConverting());
    EXPECT_EQ(find<ProgressBarControl>(form, "progressBar")->percent(), 0);
    EXPECT_EQ(find<ProgressBarControl>(form, "progressBar")->text(), QStringLiteral("Progress Bar"));
}

TEST_F(ConvertTest, OnlySpacesSeparateWordsAndLineBreaksStayInsideTheirPiece)
{
    EXPECT_EQ(convert(QStringLiteral("one two  three four")), QStringLiteral("one\r\ntwo\r\nthree\r\nfour"));
    EXPECT_EQ(convert(QStringLiteral(" lead and trail ")), QStringLiteral("lead\r\nand\r\ntrail"));
    EXPECT_EQ(convert(QStringLiteral("alone")), QStringLiteral("alone"));
    EXPECT_EQ(convert(QStringLiteral("a b\r\nc d")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    EXPECT_EQ(convert(QStringLiteral("first \r\nsecond")), QStringLiteral("first\r\n\r\nsecond"));
    EXPECT_EQ(convert(QStringLiteral("tab\tbed word")), QStringLiteral("tab\tbed\r\nword"));
    EXPECT_EQ(convert(QString::fromUtf16(u"no\u00A0break\u3000wide")), QString::fromUtf16(u"no\u00A0break\u3000wide"));
    // A lone LF from a file keeps its form.
    EXPECT_EQ(convert(QStringLiteral("unix line\nend")), QStringLiteral("unix\r\nline\nend"));
}

TEST_F(ConvertTest, AnEmptyResultKeepsWhatTheOutputShowedAndStillSaysDone)
{
    convert(QStringLiteral("kept result"));
    for (const QString& input : {QString(), QStringLiteral("    ")}) {
        convert(input);
        EXPECT_EQ(find<TextBoxControl>(form, "resultText")->text(), QStringLiteral("kept\r\nresult"));
        EXPECT_EQ(form->convertedText(), QStringLiteral("kept\r\nresult"));
        EXPECT_EQ(find<UnicodeStrip>(form, "resultStrip")->text(), QStringLiteral("kept\r\nresult"));
        EXPECT_EQ(services.messages.texts(), QStringList{QStringLiteral("Done.")});
        EXPECT_EQ(find<ProgressBarControl>(form, "progressBar")->text(), QStringLiteral("Progress Bar"));
        EXPECT_EQ(form->pointer()->state(), pointer::defaultArrow);
    }
}

TEST_F(ConvertTest, AClickWhileConvertingDoesNothing)
{
    // A second click while "Done." is still open does not start again.
    find<TextBoxControl>(form, "inputText")->setText(QStringLiteral("a b"));
    int dones = 0;
    services.messages.onShow([&](const MessageBoxRequest&) {
        if (++dones == 1)
            find<QPushButton>(form, "startConverting")->click();
    });
    find<QPushButton>(form, "startConverting")->click();
    EXPECT_EQ(dones, 1);
    EXPECT_FALSE(form->isConverting());
}

TEST_F(ConvertTest, ThereIsNoLimitOnTheNumberOfPieces)
{
    for (const int pieces : {32768, 32769, 100000}) {
        // "w " repeated gives one empty piece at the end, as counted by the split.
        const QString result = convert(QStringLiteral("w ").repeated(pieces - 1));
        EXPECT_TRUE(services.messages.errors().isEmpty()) << pieces;
        EXPECT_EQ(result.count(QStringLiteral("\r\n")), pieces - 2) << pieces;
        EXPECT_EQ(form->convertedText(), result);
        EXPECT_EQ(services.messages.texts(), QStringList{QStringLiteral("Done.")});
    }
}

} // namespace
} // namespace quillora::testing
