// One step of a text buffer's history: at start, removed was replaced by inserted.
#pragma once

#include <QString>
#include <QUndoCommand>

namespace quillora {

class TextBuffer;

class TextEditStep : public QUndoCommand
{
public:
    // The edit is made already; joinsLast tells whether it may join the step before it.
    TextEditStep(TextBuffer& buffer, qsizetype start, QString removed, QString inserted, bool joinsLast);

    int id() const override;
    // Takes in a character typed after the last one typed, or one removed next to the last one removed.
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

private:
    TextBuffer& buffer_;
    qsizetype start_;
    QString removed_;
    QString inserted_;
    bool joinsLast_;
    // The history makes a step as it takes it in, but the buffer made the edit already.
    bool made_ = true;
};

} // namespace quillora
