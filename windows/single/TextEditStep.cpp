// Joins runs of typing and of deleting as the user thinks of them: one word typed is one step.
#include "windows/single/TextEditStep.h"

#include "windows/single/TextBuffer.h"

namespace quillora {

namespace {
constexpr int textEditId = 1;

bool isOneCharacter(const QString& text)
{
    return text.size() == 1 || (text.size() == 2 && text[0].isHighSurrogate());
}

bool isBreak(const QString& text)
{
    return text.contains(QChar(u'\r')) || text.contains(QChar(u'\n'));
}
} // namespace

TextEditStep::TextEditStep(TextBuffer& buffer, qsizetype start, QString removed, QString inserted, bool joinsLast)
    : buffer_(buffer)
    , start_(start)
    , removed_(std::move(removed))
    , inserted_(std::move(inserted))
    , joinsLast_(joinsLast)
{ }

int TextEditStep::id() const
{
    return textEditId;
}

bool TextEditStep::mergeWith(const QUndoCommand* other)
{
    const auto& next = static_cast<const TextEditStep&>(*other);
    if (!next.joinsLast_)
        return false;
    // Typing on after the last character typed.
    if (next.removed_.isEmpty() && isOneCharacter(next.inserted_) && !isBreak(next.inserted_) && !inserted_.isEmpty()
        && !isBreak(inserted_) && next.start_ == start_ + inserted_.size()) {
        inserted_ += next.inserted_;
        return true;
    }
    // Deleting on from where the last deletion stopped, forwards (Delete) or backwards (Backspace).
    if (!next.inserted_.isEmpty() || !inserted_.isEmpty() || !isOneCharacter(next.removed_))
        return false;
    if (next.start_ == start_) {
        removed_ += next.removed_;
        return true;
    }
    if (next.start_ + next.removed_.size() == start_) {
        removed_.prepend(next.removed_);
        start_ = next.start_;
        return true;
    }
    return false;
}

void TextEditStep::undo()
{
    buffer_.restore(start_, inserted_.size(), removed_);
}

void TextEditStep::redo()
{
    if (made_) {
        made_ = false;
        return;
    }
    buffer_.restore(start_, removed_.size(), inserted_);
}

} // namespace quillora
