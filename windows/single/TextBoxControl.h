// A multi-line text box that shows and edits the exact text of its buffer, CR LF, lone CR, lone LF and no-break
// spaces included, and stays quick with texts of many megabytes by showing only a part of them around the cursor.
#pragma once

#include "windows/single/TextBuffer.h"

#include <QPlainTextEdit>
#include <QString>
#include <optional>
#include <vector>

class QMenu;

namespace quillora {

class TextBoxControl : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextBoxControl(QWidget* parent = nullptr);

    // The text and its history (Ctrl+Z, Ctrl+Y and the context menu act on it); it tells of every change, by
    // setText, typing, pasting, cutting, undoing...
    TextBuffer* buffer() const { return buffer_; }
    const QString& text() const { return buffer_->text(); }
    // Replaces the whole text; this is one change.
    void setText(const QString& text) { buffer_->setText(text); }
    // Puts the cursor before text()[index], without a selection.
    void placeCursor(qsizetype index);
    // The index in text() of the cursor and of the other end of the selection.
    qsizetype cursorIndex() const;
    qsizetype selectionAnchorIndex() const;
    // The part of text() that the document holds: [start, end).
    qsizetype shownStart() const { return sliceStart_; }
    qsizetype shownEnd() const { return sliceEnd_; }

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void documentChanged(int position, int removed, int added);
    int documentLength() const;
    QStringView shownText() const;
    qsizetype indexAt(qsizetype unit, qsizetype fromIndex, qsizetype fromUnit) const;
    std::vector<qsizetype> splitPairsWithin(qsizetype start, qsizetype end) const;
    void followSplitPairs(qsizetype start, qsizetype end, qsizetype insertedLength);
    QString displayedText(int position, int length) const;
    QString insertedText(const QString& shown) const;
    bool isCut() const { return sliceStart_ > 0 || sliceEnd_ < text().size(); }
    // Shows the part of the text around cursor, with the cursor there and the selection reaching to anchor.
    void showAround(qsizetype cursor, qsizetype anchor);
    // Shows another part once the cursor comes near an edge of the part shown that is not an end of the text.
    void followCursor();
    bool keptOutsideAnchor() const;
    void selectWholeText();
    // Removes the selection, as the menu's Delete does.
    void deleteSelection();
    QMenu* makeContextMenu();
    void showTextLater();

    // The text; the document shows it as displayText() makes it.
    TextBuffer* buffer_;
    // The document shows the text from sliceStart_ to sliceEnd_, a text of many megabytes only in part.
    qsizetype sliceStart_ = 0;
    qsizetype sliceEnd_ = 0;
    // The end of a selection that lies outside the part shown (as after Ctrl+A); the document's selection then
    // reaches to the edge of its text on that side.
    std::optional<qsizetype> outsideAnchor_;
    bool placing_ = false;
    // A drop inserts within the document's own edit, which must not be made again under it.
    bool dropping_ = false;
    // The number of characters the document shows for the part shown.
    qsizetype length_ = 0;
    // The CR LF pairs of the text (index of the CR, ascending) that the document shows as two breaks: an edit
    // brought a lone CR and a lone LF together, and the document is made again only once the edit is over.
    std::vector<qsizetype> splitPairs_;
    bool showingLater_ = false;
    // A display position whose index in the text is known, so nearby positions are found without counting from 0.
    qsizetype anchorUnit_ = 0;
    qsizetype anchorIndex_ = 0;
    bool replacing_ = false;
    // The text being pasted, which the document shows with break characters only.
    std::optional<QString> pasting_;
};

} // namespace quillora
