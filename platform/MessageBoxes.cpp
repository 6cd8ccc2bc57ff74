// Shared forms of message boxes: the notice and the Yes/No question.
#include "platform/MessageBoxes.h"

#include "platform/ApplicationTitle.h"

namespace quillora {

void MessageBoxes::notice(const QString& text)
{
    show({applicationTitle(), text, MessageIcon::None, MessageButtons::Ok});
}

bool MessageBoxes::askYesNo(const QString& text)
{
    return show({applicationTitle(), text, MessageIcon::None, MessageButtons::YesNo}) == MessageAnswer::Yes;
}

} // namespace quillora
