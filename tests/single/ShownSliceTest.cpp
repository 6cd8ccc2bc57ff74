// The part of a text box's text that is shown: positions mapped both ways across every kind of line break and
// across surrogate pairs, the edges of the part of a long text, and edits before, inside and after the part.
#include "windows/single/ShownSlice.h"

#include "support/TestSupport.h"
#include "windows/single/DisplayText.h"

#include <utility>
#include <vector>

namespace quillora {
namespace {

// An edit made in the display at unit: the characters of the text from start to end become inserted, and the
// display is displayLength long after it.
struct ShownEdit
{
    qsizetype unit;
    qsizetype start;
    qsizetype end;
    QString inserted;
    qsizetype displayLength;
};

TEST(ShownSliceTest, PositionsMapBothWaysBeforeAndAfterEdits)
{
    const struct
    {
        const char* name;
        QString text;
        std::vector<ShownEdit> edits;
        // Pairs of (index in the text, display position) after the edits.
        std::vector<std::pair<qsizetype, qsizetype>> positions;
        // The CR LF pairs shown split, as indices of their CR.
        std::vector<qsizetype> splitPairs;
    } cases[] = {
        {"CR LF, lone CR and lone LF are one position each",
         QStringLiteral("ab\r\ncd\re\nf"),
         {},
         {{0, 0}, {2, 2}, {4, 3}, {6, 5}, {7, 6}, {8, 7}, {9, 8}, {10, 9}},
         {}},
        {"a surrogate pair is two positions, as the display holds it",
         QString::fromUtf16(u"x\U0001F600\r\ny"),
         {},
         {{1, 1}, {3, 3}, {5, 4}, {6, 5}},
         {}},
        {"removing what stood between a lone CR and a lone LF leaves them shown split",
         QStringLiteral("a\rX\nb"),
         {{2, 2, 3, QString(), 4}},
         {{1, 1}, {2, 2}, {3, 3}, {4, 4}},
         {1}},
        {"a lone CR pasted before a lone LF is shown split",
         QStringLiteral("a\nb\r\nc"),
         {{1, 1, 1, QStringLiteral("\r"), 6}},
         {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {6, 5}, {7, 6}},
         {1}},
        {"a pair shown split that an edit reaches into is no longer one",
         QStringLiteral("a\rX\nb"),
         {{2, 2, 3, QString(), 4}, {2, 2, 3, QString(), 3}},
         {{1, 1}, {2, 2}, {3, 3}},
         {}},
        {"a pair shown split moves with an edit before it",
         QStringLiteral("za\rX\nb"),
         {{3, 3, 4, QString(), 5}, {0, 0, 1, QStringLiteral("yy"), 6}},
         {{3, 3}, {4, 4}, {5, 5}, {6, 6}},
         {3}},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        QString text = one.text;
        ShownSlice slice(text);
        EXPECT_EQ(slice.showAround(0), displayText(text));
        for (const ShownEdit& edit : one.edits) {
            text.replace(edit.start, edit.end - edit.start, edit.inserted);
            slice.followEdit(edit.unit, edit.start, edit.end, edit.inserted.size(), edit.displayLength);
        }
        EXPECT_EQ(slice.start(), 0);
        EXPECT_EQ(slice.end(), text.size());
        EXPECT_EQ(slice.hasSplitPairs(), !one.splitPairs.empty());
        EXPECT_EQ(slice.splitPairsWithin(0, text.size()), one.splitPairs);
        for (const auto& [index, unit] : one.positions) {
            if (one.splitPairs.empty()) {
                EXPECT_EQ(slice.unitAt(index), unit) << index;
            }
            EXPECT_EQ(slice.indexAt(unit), index) << unit;
        }
    }
}

TEST(ShownSliceTest, LongTextIsShownInPartWithEdgesOnWholeCharacters)
{
    const auto repeated = [](const QString& piece) {
        QString text;
        while (text.size() < 1024 * 1024)
            text += piece;
        return text;
    };
    const QString texts[] = {
        repeated(QStringLiteral("words on a line\r\n")),
        repeated(QStringLiteral("lone\rbreaks\n")),
        repeated(QString::fromUtf16(u"\U0001F600")),
        repeated(QString::fromUtf16(u"\U0001F600 ")),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.left(8).toStdString());
        for (const qsizetype around : {qsizetype(0), text.size() / 2 + 1, text.size()}) {
            ShownSlice slice(text);
            const QString display = slice.showAround(around);
            EXPECT_TRUE(slice.isCut());
            EXPECT_LT(slice.end() - slice.start(), text.size() / 4);
            EXPECT_LE(slice.start(), around);
            EXPECT_GE(slice.end(), around);
            EXPECT_FALSE(slice.nearCutEdge(around));
            EXPECT_EQ(display, displayText(slice.text()));
            EXPECT_EQ(slice.length(), display.size());
            for (const qsizetype edge : {slice.start(), slice.end()}) {
                if (edge > 0 && edge < text.size()) {
                    EXPECT_FALSE(text[edge - 1] == u'\r' && text[edge] == u'\n');
                    EXPECT_FALSE(text[edge].isLowSurrogate());
                }
            }
            EXPECT_EQ(slice.indexAt(0), slice.start());
            EXPECT_EQ(slice.indexAt(slice.length()), slice.end());
            EXPECT_EQ(slice.unitAt(slice.end()), slice.length());
        }
    }
}

TEST(ShownSliceTest, PartFollowsEditsBeforeInsideAndAfterIt)
{
    QString line = QStringLiteral("a line\r\n");
    QString whole;
    while (whole.size() < 1024 * 1024)
        whole += line;
    const qsizetype middle = whole.size() / 2;
    const struct
    {
        const char* name;
        // The edit as indices from the start of the part shown; the display position is that of the start, or 0
        // for a start before the part.
        qsizetype start;
        qsizetype end;
        QString inserted;
    } cases[] = {
        {"typed inside", 16, 16, QStringLiteral("xyz")},
        {"removed inside across a line break", 5, 9, QString()},
        {"removed from before the part into it", -1000, 20, QStringLiteral("q")},
        {"removed from inside the part to the end of the text", 40, -1, QString()},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        QString text = whole;
        ShownSlice slice(text);
        slice.showAround(middle);
        const qsizetype shownStart = slice.start();
        const qsizetype shownEnd = slice.end();
        const qsizetype start = shownStart + one.start;
        const qsizetype end = one.end < 0 ? text.size() : shownStart + one.end;
        const qsizetype unit = start < shownStart ? 0 : slice.unitAt(start);
        text.replace(start, end - start, one.inserted);
        const qsizetype partStart = qMin(shownStart, start);
        const qsizetype partEnd = qMax(shownEnd, end) + one.inserted.size() - (end - start);
        slice.followEdit(unit, start, end, one.inserted.size(),
                         displayLength(QStringView(text).sliced(partStart, partEnd - partStart)));
        EXPECT_EQ(slice.start(), partStart);
        EXPECT_EQ(slice.end(), partEnd);
        EXPECT_EQ(slice.indexAt(unit + one.inserted.size()), start + one.inserted.size());
        EXPECT_EQ(slice.indexAt(slice.length()), slice.end());
        EXPECT_EQ(slice.unitAt(slice.end()), slice.length());
    }
}

} // namespace
} // namespace quillora
