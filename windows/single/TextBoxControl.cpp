// Follows every change of the document and makes the same change to the exact text.
#include "windows/single/TextBoxControl.h"

#include "windows/single/DisplayText.h"

#include <QMimeData>
#include <QTextCursor>

namespace quillora {

namespace {
constexpr std::size_t rememberedRemovals = 16;
}

TextBoxControl::TextBoxControl(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The Tab key moves on to the next control, as in the program's other boxes.
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) { documentChanged(position, removed, added); });
}

void TextBoxControl::setText(const QString& text)
{
    text_ = text;
    removed_.clear();
    showText(0);
    announce();
}

int TextBoxControl::documentLength() const
{
    return document()->characterCount() - 1;
}

void TextBoxControl::showText(int cursorPosition)
{
    length_ = displayLength(text_);
    splitPairs_.clear();
    replacing_ = true;
    setPlainText(displayText(text_));
    replacing_ = false;
    anchorUnit_ = 0;
    anchorIndex_ = 0;
    QTextCursor cursor = textCursor();
    cursor.setPosition(qBound(0, cursorPosition, documentLength()));
    setTextCursor(cursor);
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
            if (!splitPairs_.empty() || length_ != documentLength())
                showText(textCursor().position());
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
    for (auto removed = removed_.rbegin(); removed != removed_.rend(); ++removed) {
        if (showsText(shown, *removed))
            return *removed;
    }
    // Typed: Return gives CR LF.
    return textFromDisplay(shown);
}

qsizetype TextBoxControl::indexAt(qsizetype unit, qsizetype fromIndex, qsizetype fromUnit) const
{
    if (splitPairs_.empty())
        return textIndex(text_, unit, fromIndex, fromUnit);
    return textIndexWithSplitPairs(text_, unit, splitPairs_);
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
    const qsizetype start = indexAt(position, anchorIndex_, anchorUnit_);
    const qsizetype end = indexAt(position + removed, start, position);
    const QString shown = added > 0 ? displayedText(position, added) : QString();
    const QStringView before = QStringView(text_).sliced(start, end - start);
    // A change of formats only reports the characters as removed and added again.
    if (removed == added && showsText(shown, before, splitPairsWithin(start, end)))
        return;
    const QString inserted = insertedText(shown);
    remember(before.toString());
    text_.replace(start, end - start, inserted);
    // A lone CR and a lone LF that the change brought together are one line break now, which the document
    // shows as two until it is made again.
    followSplitPairs(start, end, inserted.size());
    length_ = documentLength();
    anchorUnit_ = position;
    anchorIndex_ = start;
    if (!splitPairs_.empty())
        showTextLater();
    announce();
}

void TextBoxControl::remember(const QString& removed)
{
    if (removed.isEmpty())
        return;
    removed_.push_back(removed);
    if (removed_.size() > rememberedRemovals)
        removed_.pop_front();
}

void TextBoxControl::announce()
{
    if (changed_)
        changed_();
}

QMimeData* TextBoxControl::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    const qsizetype start = indexAt(cursor.selectionStart(), 0, 0);
    const qsizetype end = indexAt(cursor.selectionEnd(), start, cursor.selectionStart());
    auto* data = new QMimeData;
    data->setText(text_.mid(start, end - start));
    return data;
}

void TextBoxControl::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    pasting_ = source->text();
    QTextCursor cursor = textCursor();
    cursor.insertText(displayText(*pasting_));
    pasting_.reset();
    setTextCursor(cursor);
    ensureCursorVisible();
}

} // namespace quillora
