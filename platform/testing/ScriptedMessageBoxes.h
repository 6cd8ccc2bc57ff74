// Test double for message boxes: answers from a script and records every box asked for.
#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace quillora::testing {

class ScriptedMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(const MessageBoxRequest& request) override;
    QString input(const InputBoxRequest& request) override;

    // Answers for the next Yes/No boxes, in order; without one a Yes/No box is answered Yes.
    void answerNext(MessageAnswer answer) { answers_.push_back(answer); }
    // Answers for the next input boxes, in order; without one the input box is cancelled (empty text).
    void typeNext(const QString& answer) { typed_.push_back(answer); }
    // Runs while a box is "open", e.g. to check what the window shows meanwhile.
    void onShow(std::function<void(const MessageBoxRequest&)> hook) { hook_ = std::move(hook); }

    const QList<MessageBoxRequest>& shown() const { return shown_; }
    const QList<InputBoxRequest>& inputs() const { return inputs_; }
    QStringList texts() const;
    // Error boxes only ("Application Error").
    QList<MessageBoxRequest> errors() const;
    void clear();

private:
    QList<MessageBoxRequest> shown_;
    QList<InputBoxRequest> inputs_;
    std::deque<MessageAnswer> answers_;
    std::deque<QString> typed_;
    std::function<void(const MessageBoxRequest&)> hook_;
};

} // namespace quillora::testing
