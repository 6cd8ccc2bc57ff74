// A single-text window on the platform doubles, with helpers to read what it shows, stores and reports.
#pragma once

#include "platform/ErrorReport.h"
#include "platform/testing/TestServices.h"
#include "support/TestSupport.h"
#include "ui/Controls.h"
#include "ui/WindowPointer.h"
#include "windows/single/SingleTextWindow.h"
#include "windows/single/TextBoxControl.h"
#include "windows/single/UnicodeStrip.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

namespace quillora::testing {

class SingleTextTest : public ::testing::Test
{
protected:
    // Creates the window and runs its start-up, as the main menu does before showing it.
    SingleTextWindow& open()
    {
        form = std::make_unique<SingleTextWindow>(services.services());
        QObject::connect(form.get(), &SingleTextWindow::mainMenuWanted, [this] { ++menuShown; });
        form->load();
        return *form;
    }

    QString file(const QString& name) const { return QDir::toNativeSeparators(files.path() + QChar(u'/') + name); }

    static QString errorText(const char* label, int line, const QString& description)
    {
        return ErrorReport::boxText(description, ErrorReport::programOrigin(QString::fromLatin1(label)), line);
    }

    static MessageBoxRequest notice(const QString& text)
    {
        return {QStringLiteral("Quillora"), text, MessageIcon::None, MessageButtons::Ok};
    }

    static MessageBoxRequest error(const char* label, int line, const QString& description)
    {
        return {QStringLiteral("Application Error"), errorText(label, line, description), MessageIcon::Exclamation,
                MessageButtons::Ok};
    }

    // Loads a file through "Load Text From Text File".
    void load(const QString& path)
    {
        services.dialogs.openNext(path);
        find<QPushButton>(form, "loadText")->click();
    }

    // Ctrl+End into the input box: the cursor goes to the end of the whole text, however little of it is shown.
    void moveToInputEnd()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(find<TextBoxControl>(form, "inputText"), &press);
    }

    // Types text at the end of the input box, one key at a time.
    void typeIntoInput(const QString& text)
    {
        moveToInputEnd();
        for (const QChar character : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(find<TextBoxControl>(form, "inputText"), &press);
        }
    }

    static void moveOver(QWidget* control, QPointF at = QPointF(3, 3))
    {
        QMouseEvent move(QEvent::MouseMove, at, control->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control, &move);
    }

    TestServices services;
    QTemporaryDir files;
    std::unique_ptr<SingleTextWindow> form;
    int menuShown = 0;
};

} // namespace quillora::testing
