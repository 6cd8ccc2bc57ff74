// The main menu: two full-width buttons on a white window.
#include "shell/Form1.h"

#include "platform/ErrorReport.h"
#include "shell/Controls.h"
#include "shell/Styling.h"
#include "shell/WindowPointer.h"

#include <QCloseEvent>
#include <QPushButton>

namespace quillora {

Form1::Form1(Services services, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    makeFixedWindow(this, 8040, 1155);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    PushButton1 = makePushButton(this, QStringLiteral("Convert Single Text File"), twips(120, 120, 7800, 405));
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton2 = makePushButton(this, QStringLiteral("Convert Multiple Text Files"), twips(120, 630, 7800, 405));
    PushButton2->setObjectName(QStringLiteral("PushButton2"));

    pointer = new WindowPointer(this);
    pointer->handOver(PushButton1);
    pointer->handOver(PushButton2);
}

void Form1::Form_Load()
{
    ErrorReport report(services_.messages, ErrorReport::programOrigin(QStringLiteral("Form1.Form_Load")));
    report.step(100, [&] { ApplySkin(this, services_.programFolder); });
    report.step(102, [&] { setCaptionIconAndTitle(this); });
    report.step(104, [&] { loadHandCursor(*pointer, services_.programFolder); });
    centreOnScreen(this);
    show();
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (services_.endProgram)
        services_.endProgram();
}

} // namespace quillora
