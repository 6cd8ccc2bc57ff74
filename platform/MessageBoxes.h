// Message boxes and the input box: the one way the program asks or tells the user something.
#pragma once

#include <QString>

namespace quillora {

enum class MessageIcon
{
    None,
    Exclamation
};
enum class MessageButtons
{
    Ok,
    YesNo
};
enum class MessageAnswer
{
    Ok,
    Yes,
    No
};

struct MessageBoxRequest
{
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;

    friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

struct InputBoxRequest
{
    QString prompt;
    QString title;
    QString proposed;

    friend bool operator==(const InputBoxRequest&, const InputBoxRequest&) = default;
};

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal message box and returns the button pressed.
    virtual MessageAnswer show(const MessageBoxRequest& request) = 0;
    // Shows a modal input box; cancelling gives the empty text.
    virtual QString input(const InputBoxRequest& request) = 0;

    // A notice with the application title as caption, no icon and only OK.
    void notice(const QString& text);
    // A Yes/No question with the application title as caption and no icon.
    bool askYesNo(const QString& text);
};

} // namespace quillora
