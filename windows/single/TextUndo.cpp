// Joins runs of typing and of deleting as the user thinks of them: one word typed is one step.
#include "windows/single/TextUndo.h"

namespace quillora {

namespace {
// The oldest steps are forgotten beyond this many; one step may hold a whole text of many megabytes.
constexpr std::size_t keptSteps = 200;

bool isOneCharacter(const QString& text)
{
    return text.size() == 1 || (text.size() == 2 && text[0].isHighSurrogate());
}

bool isBreak(const QString& text)
{
    return text.contains(QChar(u'\r')) || text.contains(QChar(u'\n'));
}
} // namespace

bool TextUndo::joins(qsizetype start, const QString& removed, const QString& inserted) const
{
    if (!open_ || done_.empty())
        return false;
    const TextEdit& last = done_.back();
    // Typing on after the last character typed.
    if (removed.isEmpty() && isOneCharacter(inserted) && !isBreak(inserted) && !last.inserted.isEmpty()
        && !isBreak(last.inserted) && start == last.start + last.inserted.size())
        return true;
    // Deleting on from where the last deletion stopped, forwards (Delete) or backwards (Backspace).
    return inserted.isEmpty() && last.inserted.isEmpty() && isOneCharacter(removed)
        && (start == last.start || start + removed.size() == last.start);
}

void TextUndo::record(qsizetype start, const QString& removed, const QString& inserted)
{
    undone_.clear();
    if (joins(start, removed, inserted)) {
        TextEdit& last = done_.back();
        if (!inserted.isEmpty())
            last.inserted += inserted;
        else if (start == last.start)
            last.removed += removed;
        else {
            last.removed.prepend(removed);
            last.start = start;
        }
        return;
    }
    done_.push_back({start, removed, inserted});
    if (done_.size() > keptSteps)
        done_.pop_front();
    open_ = true;
}

std::optional<TextEdit> TextUndo::undo()
{
    if (done_.empty())
        return std::nullopt;
    TextEdit edit = done_.back();
    done_.pop_back();
    undone_.push_back(edit);
    open_ = false;
    return edit;
}

std::optional<TextEdit> TextUndo::redo()
{
    if (undone_.empty())
        return std::nullopt;
    TextEdit edit = undone_.back();
    undone_.pop_back();
    done_.push_back(edit);
    open_ = false;
    return edit;
}

void TextUndo::clear()
{
    done_.clear();
    undone_.clear();
    open_ = false;
}

} // namespace quillora
