// Follows every change of the document and makes the same change to the exact text; moves the part shown with
// the cursor.
#include "windows/single/TextBoxControl.h"

#include "windows/single/DisplayText.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <utility>

namespace quillora {

TextBoxControl::TextBoxControl(QWidget* parent)
    : QPlainTextEdit(parent)
    , buffer_(new TextBuffer(this))
    , slice_(buffer_->text())
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
    connect(buffer_, &TextBuffer::edited, this, &TextBoxControl::followEdit);
    connect(buffer_, &TextBuffer::reset, this, [this] { showAround(0, 0); });
    // The piece undone or redone is shown selected.
    connect(buffer_, &TextBuffer::restored, this, [this](qsizetype start, qsizetype end) { showAround(end, start); });
}

void TextBoxControl::placeCursor(qsizetype index)
{
    index = qBound<qsizetype>(0, index, text().size());
    showAround(index, index);
}

qsizetype TextBoxControl::cursorIndex() const
{
    return slice_.indexAt(textCursor().position());
}

qsizetype TextBoxControl::selectionAnchorIndex() const
{
    return outsideAnchor_ ? *outsideAnchor_ : slice_.indexAt(textCursor().anchor());
}

bool TextBoxControl::keptOutsideAnchor() const
{
    // The outside end holds while the document's selection still starts at the edge on its side.
    if (!outsideAnchor_)
        return false;
    const QTextCursor cursor = textCursor();
    const int edge = *outsideAnchor_ < slice_.start() ? 0 : documentLength();
    return cursor.hasSelection() && cursor.anchor() == edge;
}

int TextBoxControl::documentLength() const
{
    return document()->characterCount() - 1;
}

void TextBoxControl::showAround(qsizetype cursor, qsizetype anchor)
{
    const QString display = slice_.showAround(cursor);
    replacing_ = true;
    setPlainText(display);
    replacing_ = false;
    int anchorUnit = 0;
    outsideAnchor_.reset();
    if (anchor < slice_.start() || anchor > slice_.end()) {
        outsideAnchor_ = anchor;
        anchorUnit = anchor < slice_.start() ? 0 : int(slice_.length());
    } else {
        anchorUnit = int(slice_.unitAt(anchor));
    }
    QTextCursor textCursor(document());
    textCursor.setPosition(anchorUnit);
    textCursor.setPosition(int(slice_.unitAt(qBound(slice_.start(), cursor, slice_.end()))), QTextCursor::KeepAnchor);
    placing_ = true;
    setTextCursor(textCursor);
    placing_ = false;
    ensureCursorVisible();
}

void TextBoxControl::followCursor()
{
    if (!slice_.isCut() || slice_.hasSplitPairs())
        return;
    const qsizetype cursor = cursorIndex();
    if (slice_.nearCutEdge(cursor))
        showAround(cursor, selectionAnchorIndex());
}

void TextBoxControl::keyPressEvent(QKeyEvent* event)
{
    // The ends of the text and the whole text lie beyond the part shown.
    if (slice_.isCut() || outsideAnchor_) {
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
    if ((bar->value() == bar->maximum() && slice_.end() < text().size())
        || (bar->value() == bar->minimum() && slice_.start() > 0)) {
        const qsizetype top = slice_.indexAt(cursorForPosition(QPoint(1, 1)).position());
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
            if (slice_.hasSplitPairs() || slice_.length() != documentLength()) {
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

void TextBoxControl::documentChanged(int position, int removed, int added)
{
    if (replacing_)
        return;
    if (slice_.length() - removed + added != documentLength()) {
        // A change that does not fit the text (none is known to come): the text stays as it is, and the document
        // shows it again once the change is over.
        showTextLater();
        return;
    }
    qsizetype start = slice_.indexAt(position);
    qsizetype end = slice_.indexAt(position + removed, start, position);
    // A removed selection that reached the edge of the part shown reaches on to its end outside it.
    if (outsideAnchor_ && removed > 0) {
        if (*outsideAnchor_ < slice_.start() && position == 0)
            start = *outsideAnchor_;
        if (*outsideAnchor_ > slice_.end() && position + removed == slice_.length())
            end = *outsideAnchor_;
        outsideAnchor_.reset();
    }
    const QString shown = added > 0 ? displayedText(position, added) : QString();
    const QStringView before = QStringView(text()).sliced(start, end - start);
    // A change of formats only reports the characters as removed and added again.
    if (removed == added && showsText(shown, before, slice_.splitPairsWithin(start, end)))
        return;
    const QString inserted = insertedText(shown);
    editUnit_ = position;
    buffer_->edit(start, end, inserted);
    if (slice_.hasSplitPairs())
        showTextLater();
}

void TextBoxControl::followEdit(qsizetype start, qsizetype end, qsizetype insertedLength)
{
    if (!editUnit_) {
        // An edit made past the document: the part around its end is shown.
        showAround(start + insertedLength, start + insertedLength);
        return;
    }
    slice_.followEdit(*std::exchange(editUnit_, std::nullopt), start, end, insertedLength, documentLength());
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
    if (!dropping_ && (ShownSlice::longerThanPart(pasted.size()) || outsideAnchor_)) {
        // A long text is not laid out whole, and a selection reaching outside the part shown is not the document's
        // to replace: the text takes the piece, and the part around its end is shown.
        const qsizetype start = qMin(cursorIndex(), selectionAnchorIndex());
        const qsizetype end = qMax(cursorIndex(), selectionAnchorIndex());
        buffer_->edit(start, end, pasted);
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
