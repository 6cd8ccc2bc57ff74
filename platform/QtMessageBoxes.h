// Message boxes and the input box shown with Qt's dialogs.
#pragma once

#include "platform/MessageBoxes.h"

namespace quillora {

class QtMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(const MessageBoxRequest& request) override;
    QString input(const InputBoxRequest& request) override;
};

} // namespace quillora
