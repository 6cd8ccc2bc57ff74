// The single-text window's controls, their places, fonts and colours, start-up, showing and closing.
#include "windows/single/Form2.h"

#include "engine/DrawUnicodeText.h"
#include "platform/ErrorReport.h"
#include "shell/Controls.h"
#include "shell/Paths.h"
#include "shell/Settings.h"
#include "shell/Styling.h"
#include "shell/WindowPointer.h"
#include "windows/single/TextBoxControl.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

namespace quillora {

namespace {
template <typename Control> Control* named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QGroupBox* makeFrame(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setGeometry(geometry);
    frame->setFont(arialBold(9));
    return frame;
}

TextBoxControl* makeTextBox(QWidget* parent, const QRect& geometry)
{
    auto* box = new TextBoxControl(parent);
    box->setGeometry(geometry);
    box->setFont(arialBold(9));
    return box;
}

UnicodeStrip* makeStrip(QWidget* parent, const QRect& geometry)
{
    auto* strip = new UnicodeStrip(parent);
    strip->setGeometry(geometry);
    strip->setFont(arialBold(9));
    return strip;
}
} // namespace

Form2::Form2(Services services, std::function<void()> showMainMenu, QWidget* parent)
    : QWidget(parent)
    , services_(std::move(services))
    , showMainMenu_(std::move(showMainMenu))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));
    makeFixedWindow(this, 8040, 8565);
    buildControls();
    connectControls();
}

void Form2::buildControls()
{
    PushButton13 = named(makePushButton(this, QStringLiteral("< Back"), twips(120, 90, 7800, 405)), "PushButton13");
    Frame2 = named(makeFrame(this, QStringLiteral("Text To Convert"), twips(120, 600, 7800, 2100)), "Frame2");
    Text1 = named(makeTextBox(Frame2, twips(240, 300, 7335, 1005)), "Text1");
    Picture1 = named(makeStrip(Frame2, twips(240, 1290, 7335, 645)), "Picture1");
    PushButton1 = named(makePushButton(this, QStringLiteral("Load Text From Text File"), twips(120, 2790, 3860, 405)),
                        "PushButton1");
    PushButton5 = named(makePushButton(this, QStringLiteral("Save Text To Text File"), twips(4080, 2790, 3860, 405)),
                        "PushButton5");
    PushButton7 = named(makePushButton(this, QStringLiteral("Clear Text"), twips(120, 3285, 3860, 405)), "PushButton7");
    PushButton8 = named(makePushButton(this, QStringLiteral("Load Sample/Example Text"), twips(4080, 3285, 3860, 405)),
                        "PushButton8");
    PushButton17
        = named(makePushButton(this, QStringLiteral("Start Converting"), twips(120, 3765, 7800, 405)), "PushButton17");
    Frame3 = named(makeFrame(this, QStringLiteral("Converted Text"), twips(120, 4290, 7800, 3210)), "Frame3");
    Text2 = named(makeTextBox(Frame3, twips(240, 240, 7335, 1905)), "Text2");
    Picture2 = named(makeStrip(Frame3, twips(240, 2220, 7335, 885)), "Picture2");
    PushButton4 = named(makePushButton(this, QStringLiteral("Save Result As Text File"), twips(120, 7560, 3860, 405)),
                        "PushButton4");
    PushButton2
        = named(makePushButton(this, QStringLiteral("Clear Text"), twips(4080, 7560, 3860, 405)), "PushButton2");
    ProgressBar1 = named(new ProgressBarControl(this), "ProgressBar1");
    ProgressBar1->setGeometry(twips(120, 8070, 7800, 405));

    // Keyboard order: input box, input buttons, output box, output buttons, "< Back". The frames, strips and the
    // progress bar take no focus.
    Picture1->setFocusPolicy(Qt::NoFocus);
    Picture2->setFocusPolicy(Qt::NoFocus);
    ProgressBar1->setFocusPolicy(Qt::NoFocus);
    const QList<QWidget*> order{Text1,       PushButton1, PushButton7, PushButton17, PushButton5,
                                PushButton8, Text2,       PushButton4, PushButton2,  PushButton13};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    pointer = new WindowPointer(this);
    for (QWidget* button :
         {PushButton1, PushButton2, PushButton4, PushButton5, PushButton7, PushButton8, PushButton13, PushButton17})
        pointer->handOver(button);
    pointer->arrowOver(Frame2);
    pointer->arrowOver(Frame3);
    pointer->arrowOver(Text1);
}

void Form2::connectControls()
{
    connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Click(); });
    connect(PushButton2, &QPushButton::clicked, this, [this] { PushButton2_Click(); });
    connect(PushButton4, &QPushButton::clicked, this, [this] { PushButton4_Click(); });
    connect(PushButton5, &QPushButton::clicked, this, [this] { PushButton5_Click(); });
    connect(PushButton7, &QPushButton::clicked, this, [this] { PushButton7_Click(); });
    connect(PushButton8, &QPushButton::clicked, this, [this] { PushButton8_Click(); });
    connect(PushButton13, &QPushButton::clicked, this, [this] { PushButton13_Click(); });
    connect(PushButton17, &QPushButton::clicked, this, [this] { PushButton17_Click(); });
    Text1->onChange([this] { Text1_Change(); });
}

void Form2::Form_Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    ErrorReport report(services_.messages, ErrorReport::programOrigin(QStringLiteral("Form2.Form_Load")));
    report.step(100, [&] { SetSystemColors(this); });
    report.step(102, [&] { setCaptionIconAndTitle(this); });
    const QString cursorPath = handCursorPath(services_.programFolder);
    if (report.choice(104, [&] { return FileExists(cursorPath); }))
        report.step(106, [&] { loadCustomPointerImage(*pointer, cursorPath); });
    report.step(108, [&] { Text1->setText(GetSetting(services_.settings, QStringLiteral("Text1"), QString())); });
    report.step(110, [&] { LoadedText = Text1->text(); });
    const auto giveWindowBackground = [this](UnicodeStrip* strip) {
        QPalette palette = strip->palette();
        palette.setColor(QPalette::Window, this->palette().color(QPalette::Window));
        strip->setPalette(palette);
    };
    report.step(112, [&] { giveWindowBackground(Picture1); });
    report.step(114, [&] { giveWindowBackground(Picture2); });
    report.step(116, [&] { DrawUnicodeText(LoadedText, *Picture1); });
    report.step(118, [&] { Text2->setText(QString()); });
}

void Form2::showEvent(QShowEvent* event)
{
    Form_Load();
    if (!shown_) {
        shown_ = true;
        centreOnScreen(this);
    }
    QWidget::showEvent(event);
}

void Form2::Text1_Change()
{
    SaveSettingQuietly(services_.settings, QStringLiteral("Text1"), Text1->text());
}

void Form2::closeEvent(QCloseEvent* event)
{
    SaveSettingQuietly(services_.settings, QStringLiteral("FormStart"), QStringLiteral("2"));
    event->accept();
    if (services_.endProgram)
        services_.endProgram();
}

} // namespace quillora
