// Follows every change of the document and makes the same change to the exact text; moves the part shown with
// the cursor.
#include "windows/single/TextBoxControl.h"

#include "windows/single/DisplayText.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>

namespace quillora {

namespace {
// A text up to this long is shown whole; a longer one this much before and after the cursor, so that laying it
// out stays quick. The part moves once the cursor comes this near an edge that is not an end of the text.
constexpr qsizetype wholeText = 256 * 1024;
constexpr qsizetype partAround = 64 * 1024;
constexpr qsizetype partMargin = 16 * 1024;
} // namespace

TextBoxControl::TextBoxControl(QWidget* parent)
    : QPlainTextEdit(parent)
    , buffer_(new TextBuffer(this))
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The Tab key moves on to the next control, as in the program's other boxes.
    setTabChangesFocus(true);
    // The history is kept for the whole text, not for the part the document holds.
    document()->setUndoRedoEnabled(false);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) { documentChanged(position, removed, added); });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!placing_ && !keptOutsideAnchor())
            outsideAnchor_.reset();
    });
    connect(buffer_, &TextBuffer::reset, this, [this] { showAround(0, 0); });
    // The piece undone or redone is shown selected.
    connect(buffer_, &TextBuffer::restored, this, [this](qsizetype start, qsizetype end) { showAround(end, start); });
}

void TextBoxControl::placeCursor(qsizetype index)
{
    index = qBound<qsizetype>(0, index, text().size());
    showAround(index, index);
}

QStringView TextBoxControl::shownText() const
{
    return QStringView(text()).sliced(sliceStart_, sliceEnd_ - sliceStart_);
}

qsizetype TextBoxControl::cursorIndex() const
{
    return indexAt(textCursor().position(), anchorIndex_, anchorUnit_);
}

qsizetype TextBoxControl::selectionAnchorIndex() const
{
    return outsideAnchor_ ? *outsideAnchor_ : indexAt(textCursor().anchor(), anchorIndex_, anchorUnit_);
}

bool TextBoxControl::keptOutsideAnchor() const
{
    // The outside end holds while the document's selection still starts at the edge on its side.
    if (!outsideAnchor_)
        return false;
    const QTextCursor cursor = textCursor();
    const int edge = *outsideAnchor_ < sliceStart_ ? 0 : documentLength();
    return cursor.hasSelection() && cursor.anchor() == edge;
}

int TextBoxControl::documentLength() const
{
    return document()->characterCount() - 1;
}

void TextBoxControl::showAround(qsizetype cursor, qsizetype anchor)
{
    if (text().size() <= wholeText) {
        sliceStart_ = 0;
        sliceEnd_ = text().size();
    } else {
        sliceStart_ = partStartBefore(text(), cursor - partAround);
        sliceEnd_ = partEndAfter(text(), cursor + partAround);
    }
    const QStringView shown = shownText();
    length_ = displayLength(shown);
    splitPairs_.clear();
    replacing_ = true;
    setPlainText(displayText(shown));
    replacing_ = false;
    anchorUnit_ = 0;
    anchorIndex_ = sliceStart_;
    const auto unitOf = [&](qsizetype index) { return displayLength(shown.first(index - sliceStart_)); };
    int anchorUnit = 0;
    outsideAnchor_.reset();
    if (anchor < sliceStart_ || anchor > sliceEnd_) {
        outsideAnchor_ = anchor;
        anchorUnit = anchor < sliceStart_ ? 0 : int(length_);
    } else {
        anchorUnit = int(unitOf(anchor));
    }
    QTextCursor textCursor(document());
    textCursor.setPosition(anchorUnit);
    textCursor.setPosition(int(unitOf(qBound(sliceStart_, cursor, sliceEnd_))), QTextCursor::KeepAnchor);
    placing_ = true;
    setTextCursor(textCursor);
    placing_ = false;
    ensureCursorVisible();
}

void TextBoxControl::followCursor()
{
    if (!isCut() || !splitPairs_.empty())
        return;
    const qsizetype cursor = cursorIndex();
    if ((sliceStart_ > 0 && cursor - sliceStart_ < partMargin)
        || (sliceEnd_ < text().size() && sliceEnd_ - cursor < partMargin))
        showAround(cursor, selectionAnchorIndex());
}

void TextBoxControl::keyPressEvent(QKeyEvent* event)
{
    // The ends of the text and the whole text lie beyond the part shown.
    if (isCut() || outsideAnchor_) {
        const qsizetype anchor = selectionAnchorIndex();
        if (event == QKeySequence::MoveToStartOfDocument)
            return showAround(0, 0);
        if (event == QKeySequence::MoveToEndOfDocument)
            return showAround(text().size(), text().size());
        if (event == QKeySequence::SelectStartOfDocument)
            return showAround(0, anchor);
        if (event == QKeySequence::SelectEndOfDocument)
            return showAround(text().size(), anchor);
        if (event == QKeySequence::SelectAll)
            return selectWholeText();
    }
    if (event == QKeySequence::Undo)
        return buffer_->undo();
    if (event == QKeySequence::Redo)
        return buffer_->redo();
    QPlainTextEdit::keyPressEvent(event);
    followCursor();
}

void TextBoxControl::selectWholeText()
{
    showAround(text().size(), 0);
}

void TextBoxControl::dropEvent(QDropEvent* event)
{
    dropping_ = true;
    QPlainTextEdit::dropEvent(event);
    dropping_ = false;
    followCursor();
}

void TextBoxControl::mouseReleaseEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    followCursor();
}

void TextBoxControl::wheelEvent(QWheelEvent* event)
{
    QPlainTextEdit::wheelEvent(event);
    // Scrolled to an edge of the part shown: the part moves there, and the cursor with it.
    const QScrollBar* bar = verticalScrollBar();
    if ((bar->value() == bar->maximum() && sliceEnd_ < text().size())
        || (bar->value() == bar->minimum() && sliceStart_ > 0)) {
        const qsizetype top = indexAt(cursorForPosition(QPoint(1, 1)).position(), anchorIndex_, anchorUnit_);
        showAround(top, top);
        // The line that was at the top stays there: scrolled from the end back to the cursor, it stops with the
        // cursor's line on top.
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        ensureCursorVisible();
    }
}

void TextBoxControl::showTextLater()
{
    // The document cannot be changed while it reports a change.
    if (showingLater_)
        return;
    showingLater_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            showingLater_ = false;
            if (!splitPairs_.empty() || length_ != documentLength()) {
                const qsizetype cursor = qMin(cursorIndex(), text().size());
                showAround(cursor, cursor);
            }
        },
        Qt::QueuedConnection);
}

QString TextBoxControl::displayedText(int position, int length) const
{
    QTextCursor cursor(document());
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

QString TextBoxControl::insertedText(const QString& shown) const
{
    if (pasting_ && showsText(shown, *pasting_))
        return *pasting_;
    // Typed: Return gives CR LF.
    return textFromDisplay(shown);
}

qsizetype TextBoxControl::indexAt(qsizetype unit, qsizetype fromIndex, qsizetype fromUnit) const
{
    if (splitPairs_.empty())
        return sliceStart_ + textIndex(shownText(), unit, fromIndex - sliceStart_, fromUnit);
    std::vector<qsizetype> pairs;
    for (const qsizetype pair : splitPairs_)
        pairs.push_back(pair - sliceStart_);
    return sliceStart_ + textIndexWithSplitPairs(shownText(), unit, pairs);
}

std::vector<qsizetype> TextBoxControl::splitPairsWithin(qsizetype start, qsizetype end) const
{
    std::vector<qsizetype> within;
    for (const qsizetype pair : splitPairs_) {
        if (pair >= start && pair + 1 < end)
            within.push_back(pair - start);
    }
    return within;
}

void TextBoxControl::followSplitPairs(qsizetype start, qsizetype end, qsizetype insertedLength)
{
    const auto joined = [this](qsizetype cr) {
        return cr >= 0 && cr + 1 < text().size() && text()[cr] == u'\r' && text()[cr + 1] == u'\n';
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

void TextBoxControl::documentChanged(int position, int removed, int added)
{
    if (replacing_)
        return;
    if (length_ - removed + added != documentLength()) {
        // A change that does not fit the text (none is known to come): the text stays as it is, and the document
        // shows it again once the change is over.
        showTextLater();
        return;
    }
    qsizetype start = indexAt(position, anchorIndex_, anchorUnit_);
    qsizetype end = indexAt(position + removed, start, position);
    // A removed selection that reached the edge of the part shown reaches on to its end outside it.
    if (outsideAnchor_ && removed > 0) {
        if (*outsideAnchor_ < sliceStart_ && position == 0)
            start = *outsideAnchor_;
        if (*outsideAnchor_ > sliceEnd_ && position + removed == length_)
            end = *outsideAnchor_;
        outsideAnchor_.reset();
    }
    const QString shown = added > 0 ? displayedText(position, added) : QString();
    const QStringView before = QStringView(text()).sliced(start, end - start);
    // A change of formats only reports the characters as removed and added again.
    if (removed == added && showsText(shown, before, splitPairsWithin(start, end)))
        return;
    const QString inserted = insertedText(shown);
    buffer_->edit(start, end, inserted);
    sliceEnd_ = qMax(sliceEnd_, end) + inserted.size() - (end - start);
    sliceStart_ = qMin(sliceStart_, start);
    // A lone CR and a lone LF that the change brought together are one line break now, which the document
    // shows as two until it is made again.
    followSplitPairs(start, end, inserted.size());
    length_ = documentLength();
    anchorUnit_ = position;
    anchorIndex_ = start;
    if (!splitPairs_.empty())
        showTextLater();
}

QMimeData* TextBoxControl::createMimeDataFromSelection() const
{
    const qsizetype cursor = cursorIndex();
    const qsizetype anchor = selectionAnchorIndex();
    const qsizetype start = qMin(cursor, anchor);
    const qsizetype end = qMax(cursor, anchor);
    auto* data = new QMimeData;
    data->setText(text().mid(start, end - start));
    return data;
}

void TextBoxControl::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const QString pasted = source->text();
    if (!dropping_ && (pasted.size() > partAround || outsideAnchor_)) {
        // A long text is not laid out whole, and a selection reaching outside the part shown is not the document's
        // to replace: the text takes the piece, and the part around its end is shown.
        const qsizetype start = qMin(cursorIndex(), selectionAnchorIndex());
        const qsizetype end = qMax(cursorIndex(), selectionAnchorIndex());
        buffer_->edit(start, end, pasted);
        showAround(start + pasted.size(), start + pasted.size());
        return;
    }
    pasting_ = pasted;
    QTextCursor cursor = textCursor();
    cursor.insertText(displayText(*pasting_));
    pasting_.reset();
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace quillora
