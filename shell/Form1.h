// The main menu window: start-up, and the two buttons that lead to the conversion windows.
#pragma once

#include "platform/Services.h"

#include <QWidget>

class QPushButton;

namespace quillora {

class WindowPointer;

class Form1 : public QWidget
{
public:
    explicit Form1(Services services, QWidget* parent = nullptr);

    // The program's start-up.
    void Form_Load();

    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    WindowPointer* pointer = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Services services_;
};

} // namespace quillora
