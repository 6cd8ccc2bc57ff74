// Which stretch of a text box's text the display shows, and how display positions and text positions map both ways.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace quillora {

class ShownSlice
{
public:
    // text is the exact text of the box, which outlives the slice and changes only through the edits it is told of.
    explicit ShownSlice(const QString& text)
        : text_(text)
    { }

    // The part of the text that the display holds: [start, end).
    qsizetype start() const { return start_; }
    qsizetype end() const { return end_; }
    QStringView text() const { return QStringView(text_).sliced(start_, end_ - start_); }
    // The number of characters the display shows for the part.
    qsizetype length() const { return length_; }
    // Whether the part leaves out some of the text at either end.
    bool isCut() const { return start_ > 0 || end_ < text_.size(); }
    // Whether a pasted text of length is too long to be laid out whole.
    static bool longerThanPart(qsizetype length);
    // Whether the display shows CR LF pairs of the text as two breaks until it is made again.
    bool hasSplitPairs() const { return !splitPairs_.empty(); }

    // Chooses the part around index: the whole text when it is short. Returns the display of the part.
    QString showAround(qsizetype index);
    // Whether index has come near an edge of the part that is not an end of the text.
    bool nearCutEdge(qsizetype index) const;
    // The index in the text of display position unit, and the display position of index within the part.
    qsizetype indexAt(qsizetype unit) const { return indexAt(unit, anchorIndex_, anchorUnit_); }
    qsizetype indexAt(qsizetype unit, qsizetype fromIndex, qsizetype fromUnit) const;
    qsizetype unitAt(qsizetype index) const;
    // The CR LF pairs shown split that lie wholly within [start, end) of the text, as indices from start.
    std::vector<qsizetype> splitPairsWithin(qsizetype start, qsizetype end) const;
    // Follows an edit of the display at unit that made the characters of the text from start to end into
    // insertedLength others; displayLength is the display's length after it.
    void followEdit(qsizetype unit, qsizetype start, qsizetype end, qsizetype insertedLength, qsizetype displayLength);

private:
    void followSplitPairs(qsizetype start, qsizetype end, qsizetype insertedLength);

    const QString& text_;
    qsizetype start_ = 0;
    qsizetype end_ = 0;
    qsizetype length_ = 0;
    // The CR LF pairs of the text (index of the CR, ascending) that the display shows as two breaks: an edit
    // brought a lone CR and a lone LF together, and the display is made again only once the edit is over.
    std::vector<qsizetype> splitPairs_;
    // A display position whose index in the text is known, so nearby positions are found without counting from 0.
    qsizetype anchorUnit_ = 0;
    qsizetype anchorIndex_ = 0;
};

} // namespace quillora
