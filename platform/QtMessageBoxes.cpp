// Shows message boxes and the input box with QMessageBox and QInputDialog, owned by the active window.
#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace quillora {

namespace {
// Qt lays out "\n" only; a lone CR of the classic box text starts a new line too.
QString displayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    return text;
}
} // namespace

void prepareMessageBox(QMessageBox& box, const MessageBoxRequest& request)
{
    box.setWindowTitle(request.title);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(request.text));
    box.setIcon(request.icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
}

MessageAnswer messageAnswer(const QMessageBox& box, const MessageBoxRequest& request)
{
    if (request.buttons != MessageButtons::YesNo)
        return MessageAnswer::Ok;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer QtMessageBoxes::show(const MessageBoxRequest& request)
{
    QMessageBox box(QApplication::activeWindow());
    prepareMessageBox(box, request);
    box.exec();
    return messageAnswer(box, request);
}

QString QtMessageBoxes::input(const InputBoxRequest& request)
{
    bool accepted = false;
    const QString answer
        = QInputDialog::getText(QApplication::activeWindow(), request.title, displayText(request.prompt),
                                QLineEdit::Normal, request.proposed, &accepted);
    return accepted ? answer : QString();
}

} // namespace quillora
