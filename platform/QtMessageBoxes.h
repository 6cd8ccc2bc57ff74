// Message boxes and the input box shown with Qt's dialogs.
#pragma once

#include "platform/MessageBoxes.h"

class QMessageBox;

namespace quillora {

// Sets up a box for the request. Escape answers as the close box does: No in a question, OK in a notice.
void prepareMessageBox(QMessageBox& box, const MessageBoxRequest& request);
// The answer of a box prepared for request once it has closed.
MessageAnswer messageAnswer(const QMessageBox& box, const MessageBoxRequest& request);

class QtMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(const MessageBoxRequest& request) override;
    QString input(const InputBoxRequest& request) override;
};

} // namespace quillora
