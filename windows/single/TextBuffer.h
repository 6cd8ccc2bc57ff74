// The exact text of a text box and its edit history; views show it and make their edits through it.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

namespace quillora {

class TextBuffer : public QObject
{
    Q_OBJECT

public:
    explicit TextBuffer(QObject* parent = nullptr);

    const QString& text() const { return text_; }
    // Replaces the whole text and forgets the history; this is one change.
    void setText(const QString& text);
    // An edit made in a view: the characters from start to end become inserted. Characters typed or removed one
    // after another join into one step of the history.
    void edit(qsizetype start, qsizetype end, const QString& inserted);
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }

public slots:
    // Takes back the last step of editing, or makes the last step taken back again.
    void undo();
    void redo();

signals:
    // The whole text was set.
    void reset();
    // Undoing or redoing put the text from start to end in its place.
    void restored(qsizetype start, qsizetype end);
    // After every change of the text.
    void changed();

private:
    friend class TextEditStep;
    // Puts text in the place of the length characters at start, as a step of the history is undone or redone; that
    // step is closed to the edits that follow.
    void restore(qsizetype start, qsizetype length, const QString& text);

    QString text_;
    QUndoStack history_;
    // Whether the next edit may join the last step: not once a step was undone or redone.
    bool joining_ = false;
};

} // namespace quillora
