// Records message boxes and answers them from the test's script.
#include "platform/testing/ScriptedMessageBoxes.h"

namespace quillora::testing {

MessageAnswer ScriptedMessageBoxes::show(const MessageBoxRequest& request)
{
    shown_ << request;
    if (hook_)
        hook_(request);
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers_.empty())
        return MessageAnswer::Yes;
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

QString ScriptedMessageBoxes::input(const InputBoxRequest& request)
{
    inputs_ << request;
    if (typed_.empty())
        return QString();
    const QString answer = typed_.front();
    typed_.pop_front();
    return answer;
}

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList result;
    for (const MessageBoxRequest& request : shown_)
        result << request.text;
    return result;
}

QList<MessageBoxRequest> ScriptedMessageBoxes::errors() const
{
    QList<MessageBoxRequest> result;
    for (const MessageBoxRequest& request : shown_) {
        if (request.title == QStringLiteral("Application Error"))
            result << request;
    }
    return result;
}

void ScriptedMessageBoxes::clear()
{
    shown_.clear();
    inputs_.clear();
}

} // namespace quillora::testing
