// Keeps the part of a long text that the display shows, and the CR LF pairs an edit left shown split, in step with
// the text.
#include "windows/single/ShownSlice.h"

#include "windows/single/DisplayText.h"

namespace quillora {

namespace {
// A text up to this long is shown whole; a longer one this much before and after the cursor, so that laying it
// out stays quick. The part moves once the cursor comes this near an edge that is not an end of the text.
constexpr qsizetype wholeText = 256 * 1024;
constexpr qsizetype partAround = 64 * 1024;
constexpr qsizetype partMargin = 16 * 1024;
} // namespace

bool ShownSlice::longerThanPart(qsizetype length)
{
    return length > partAround;
}

QString ShownSlice::showAround(qsizetype index)
{
    if (text_.size() <= wholeText) {
        start_ = 0;
        end_ = text_.size();
    } else {
        start_ = partStartBefore(text_, index - partAround);
        end_ = partEndAfter(text_, index + partAround);
    }
    const QStringView shown = text();
    length_ = displayLength(shown);
    splitPairs_.clear();
    anchorUnit_ = 0;
    anchorIndex_ = start_;
    return displayText(shown);
}

bool ShownSlice::nearCutEdge(qsizetype index) const
{
    return (start_ > 0 && index - start_ < partMargin) || (end_ < text_.size() && end_ - index < partMargin);
}

qsizetype ShownSlice::indexAt(qsizetype unit, qsizetype fromIndex, qsizetype fromUnit) const
{
    if (splitPairs_.empty())
        return start_ + textIndex(text(), unit, fromIndex - start_, fromUnit);
    std::vector<qsizetype> pairs;
    for (const qsizetype pair : splitPairs_)
        pairs.push_back(pair - start_);
    return start_ + textIndexWithSplitPairs(text(), unit, pairs);
}

qsizetype ShownSlice::unitAt(qsizetype index) const
{
    return displayLength(text().first(index - start_));
}

std::vector<qsizetype> ShownSlice::splitPairsWithin(qsizetype start, qsizetype end) const
{
    std::vector<qsizetype> within;
    for (const qsizetype pair : splitPairs_) {
        if (pair >= start && pair + 1 < end)
            within.push_back(pair - start);
    }
    return within;
}

void ShownSlice::followEdit(qsizetype unit, qsizetype start, qsizetype end, qsizetype insertedLength,
                            qsizetype displayLength)
{
    end_ = qMax(end_, end) + insertedLength - (end - start);
    start_ = qMin(start_, start);
    // A lone CR and a lone LF that the edit brought together are one line break now, which the display shows as
    // two until it is made again.
    followSplitPairs(start, end, insertedLength);
    length_ = displayLength;
    anchorUnit_ = unit;
    anchorIndex_ = start;
}

void ShownSlice::followSplitPairs(qsizetype start, qsizetype end, qsizetype insertedLength)
{
    const auto joined = [this](qsizetype cr) {
        return cr >= 0 && cr + 1 < text_.size() && text_[cr] == u'\r' && text_[cr + 1] == u'\n';
    };
    std::vector<qsizetype> pairs;
    // A pair the edit reached into is two lone breaks now, or gone.
    for (const qsizetype pair : splitPairs_) {
        if (pair + 1 < start)
            pairs.push_back(pair);
    }
    if (joined(start - 1))
        pairs.push_back(start - 1);
    if (insertedLength > 0 && joined(start + insertedLength - 1))
        pairs.push_back(start + insertedLength - 1);
    for (const qsizetype pair : splitPairs_) {
        if (pair >= end)
            pairs.push_back(pair + insertedLength - (end - start));
    }
    splitPairs_ = std::move(pairs);
}

} // namespace quillora
