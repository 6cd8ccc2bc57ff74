// A multi-line text box that keeps its text exactly as set or typed, CR LF, lone CR, lone LF and no-break spaces
// included, and stays quick with texts of many megabytes.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace quillora {

class TextBoxControl : public QPlainTextEdit
{
public:
    explicit TextBoxControl(QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    // Replaces the whole text; this is one change.
    void setText(const QString& text);
    // Called after every change of the text, by setText, typing, pasting, cutting, undoing...
    void onChange(std::function<void()> handler) { changed_ = std::move(handler); }

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void documentChanged(int position, int removed, int added);
    int documentLength() const;
    qsizetype indexAt(qsizetype unit, qsizetype fromIndex, qsizetype fromUnit) const;
    std::vector<qsizetype> splitPairsWithin(qsizetype start, qsizetype end) const;
    void followSplitPairs(qsizetype start, qsizetype end, qsizetype insertedLength);
    QString displayedText(int position, int length) const;
    QString insertedText(const QString& shown) const;
    void showText(int cursorPosition);
    void showTextLater();
    void remember(const QString& removed);
    void announce();

    // The text; the document shows it as displayText() makes it.
    QString text_;
    // The number of characters the document shows for text_.
    qsizetype length_ = 0;
    // The CR LF pairs of text_ (index of the CR, ascending) that the document shows as two breaks: an edit
    // brought a lone CR and a lone LF together, and the document is made again only once the edit is over.
    std::vector<qsizetype> splitPairs_;
    bool showingLater_ = false;
    // A display position whose index in text_ is known, so nearby positions are found without counting from 0.
    qsizetype anchorUnit_ = 0;
    qsizetype anchorIndex_ = 0;
    bool replacing_ = false;
    // The text being pasted, which the document shows with break characters only.
    std::optional<QString> pasting_;
    // The latest removed pieces: undoing a removal puts back one of them, with its own line breaks.
    std::deque<QString> removed_;
    std::function<void()> changed_;
};

} // namespace quillora
