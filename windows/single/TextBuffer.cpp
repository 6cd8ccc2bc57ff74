// Keeps the text and its history in step: every edit is one entry of the history or joins the last one.
#include "windows/single/TextBuffer.h"

#include "windows/single/TextEditStep.h"

namespace quillora {

namespace {
// The oldest steps are forgotten beyond this many; one step may hold a whole text of many megabytes.
constexpr int keptSteps = 200;
} // namespace

TextBuffer::TextBuffer(QObject* parent)
    : QObject(parent)
{
    history_.setUndoLimit(keptSteps);
}

void TextBuffer::setText(const QString& text)
{
    text_ = text;
    history_.clear();
    joining_ = false;
    emit reset();
    emit changed();
}

void TextBuffer::edit(qsizetype start, qsizetype end, const QString& inserted)
{
    QString removed = text_.mid(start, end - start);
    text_.replace(start, end - start, inserted);
    history_.push(new TextEditStep(*this, start, std::move(removed), inserted, joining_));
    joining_ = true;
    emit changed();
}

void TextBuffer::undo()
{
    history_.undo();
}

void TextBuffer::redo()
{
    history_.redo();
}

void TextBuffer::restore(qsizetype start, qsizetype length, const QString& text)
{
    joining_ = false;
    text_.replace(start, length, text);
    emit restored(start, start + text.size());
    emit changed();
}

} // namespace quillora
