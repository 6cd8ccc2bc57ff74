// The keys of a message box: Escape answers as the close box does, Enter takes the default answer.
#include "platform/QtMessageBoxes.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace quillora {
namespace {

enum class Closing
{
    EscapeKey,
    CloseBox,
    EnterKey
};

MessageAnswer answerAfter(const MessageBoxRequest& request, Closing closing)
{
    QMessageBox box;
    prepareMessageBox(box, request);
    box.show();
    if (closing == Closing::CloseBox) {
        box.close();
    } else {
        QKeyEvent press(QEvent::KeyPress, closing == Closing::EscapeKey ? Qt::Key_Escape : Qt::Key_Return,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &press);
    }
    EXPECT_FALSE(box.isVisible()) << "the box stays open";
    return messageAnswer(box, request);
}

TEST(MessageBoxKeys, EscapeAnswersLikeTheCloseBox)
{
    const MessageBoxRequest question{QStringLiteral("Quillora"), QStringLiteral("Overwrite?"), MessageIcon::None,
                                     MessageButtons::YesNo};
    const MessageBoxRequest notice{QStringLiteral("Quillora"), QStringLiteral("Done."), MessageIcon::None,
                                   MessageButtons::Ok};
    const MessageBoxRequest error{QStringLiteral("Application Error"), QStringLiteral("Failed"),
                                  MessageIcon::Exclamation, MessageButtons::Ok};
    struct Case
    {
        const MessageBoxRequest& request;
        Closing closing;
        MessageAnswer answer;
    };
    const Case cases[] = {
        {question, Closing::EscapeKey, MessageAnswer::No}, {question, Closing::CloseBox, MessageAnswer::No},
        {question, Closing::EnterKey, MessageAnswer::Yes}, {notice, Closing::EscapeKey, MessageAnswer::Ok},
        {notice, Closing::CloseBox, MessageAnswer::Ok},    {error, Closing::EscapeKey, MessageAnswer::Ok},
    };
    for (const Case& c : cases)
        EXPECT_EQ(answerAfter(c.request, c.closing), c.answer)
            << c.request.text.toStdString() << " closed by " << int(c.closing);
}

} // namespace
} // namespace quillora
