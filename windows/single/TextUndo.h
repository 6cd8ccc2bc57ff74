// The undo and redo history of a text box, kept as exact edits of its whole text.
#pragma once

#include <QString>
#include <deque>
#include <optional>

namespace quillora {

// At start, removed was replaced by inserted.
struct TextEdit
{
    qsizetype start = 0;
    QString removed;
    QString inserted;
};

class TextUndo
{
public:
    // A new edit; characters typed or removed one after another join into one step, and nothing is left to redo.
    void record(qsizetype start, const QString& removed, const QString& inserted);
    // The step to take back (put removed in the place of inserted), which then can be redone; none when the
    // history is empty.
    std::optional<TextEdit> undo();
    // The step to make again.
    std::optional<TextEdit> redo();
    void clear();
    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }

private:
    bool joins(qsizetype start, const QString& removed, const QString& inserted) const;

    std::deque<TextEdit> done_;
    std::deque<TextEdit> undone_;
    // Whether the last step may take in the next edit: not once it was undone or redone.
    bool open_ = false;
};

} // namespace quillora
