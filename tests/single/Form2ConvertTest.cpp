// "Start Converting": the result in the output box, the shared text and the strip, the guard and the reset.
#include "Form2Fixture.h"

namespace quillora::testing {
namespace {

class ConvertTest : public Form2Test
{
protected:
    void SetUp() override { open(); }

    QString convert(const QString& input)
    {
        form->Text1->setText(input);
        services.messages.clear();
        form->PushButton17->click();
        return form->Text2->text();
    }
};

TEST_F(ConvertTest, TheSampleSentenceGivesNineLinesAndDone)
{
    int pointerDuringDone = -1;
    bool convertingDuringDone = false;
    services.messages.onShow([&](const MessageBoxRequest&) {
        pointerDuringDone = form->pointer->state();
        convertingDuringDone = form->IsConverting;
    });
    form->PushButton8->click();
    form->ProgressBar1->setPercent(40);
    form->ProgressBar1->setCaption(QStringLiteral("Processing: x"));
    form->PushButton17->click();

    const QString expected = QStringLiteral("This\r\nis\r\ntest\r\ntext\r\nthat\r\nneeds\r\nto\r\nbe\r\nconverted.");
    EXPECT_EQ(form->Text2->text(), expected);
    EXPECT_EQ(form->ConvertedText, expected);
    EXPECT_EQ(form->Picture2->text(), expected);
    EXPECT_EQ(form->Picture1->text(), QString());
    EXPECT_EQ(services.messages.shown(), QList<MessageBoxRequest>{notice(QStringLiteral("Done."))});
    EXPECT_EQ(pointerDuringDone, pointer::defaultArrow);
    EXPECT_TRUE(convertingDuringDone);
    EXPECT_FALSE(form->IsConverting);
    EXPECT_EQ(form->ProgressBar1->percent(), 0);
    EXPECT_EQ(form->ProgressBar1->text(), QStringLiteral("Progress Bar"));
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
        EXPECT_EQ(form->Text2->text(), QStringLiteral("kept\r\nresult"));
        EXPECT_EQ(form->ConvertedText, QStringLiteral("kept\r\nresult"));
        EXPECT_EQ(form->Picture2->text(), QStringLiteral("kept\r\nresult"));
        EXPECT_EQ(services.messages.texts(), QStringList{QStringLiteral("Done.")});
        EXPECT_EQ(form->ProgressBar1->text(), QStringLiteral("Progress Bar"));
        EXPECT_EQ(form->pointer->state(), pointer::defaultArrow);
    }
}

TEST_F(ConvertTest, AClickWhileConvertingDoesNothing)
{
    form->Text1->setText(QStringLiteral("a b"));
    form->IsConverting = true;
    form->PushButton17->click();
    EXPECT_EQ(form->Text2->text(), QString());
    EXPECT_TRUE(services.messages.shown().isEmpty());

    // A second click while "Done." is still open does not start again.
    form->IsConverting = false;
    int dones = 0;
    services.messages.onShow([&](const MessageBoxRequest&) {
        if (++dones == 1)
            form->PushButton17->click();
    });
    form->PushButton17->click();
    EXPECT_EQ(dones, 1);
    EXPECT_FALSE(form->IsConverting);
}

TEST_F(ConvertTest, ThereIsNoLimitOnTheNumberOfPieces)
{
    for (const int pieces : {32768, 32769, 100000}) {
        // "w " repeated gives one empty piece at the end, as counted by the split.
        const QString result = convert(QStringLiteral("w ").repeated(pieces - 1));
        EXPECT_TRUE(services.messages.errors().isEmpty()) << pieces;
        EXPECT_EQ(result.count(QStringLiteral("\r\n")), pieces - 2) << pieces;
        EXPECT_EQ(form->ConvertedText, result);
        EXPECT_EQ(services.messages.texts(), QStringList{QStringLiteral("Done.")});
    }
}

} // namespace
} // namespace quillora::testing
