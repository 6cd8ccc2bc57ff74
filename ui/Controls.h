// Building blocks of the windows: twips to pixels, the fonts, push buttons and the progress bar with its text.
#pragma once

#include <QFont>
#include <QProgressBar>
#include <QPushButton>
#include <QRect>

namespace quillora {

// Fifteen twips to a pixel.
QRect twips(int left, int top, int width, int height);
int twipsToPixels(int value);

QFont arialBold(double points);
// A push button that Enter and Return press as well as Space, as buttons on Windows do.
class PushButtonControl : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Arial 11.25 pt bold on a white face, at a position in twips.
QPushButton* makePushButton(QWidget* parent, const QString& caption, const QRect& geometry);
// What a screen reader says of a control: what it is for, and its name when its caption does not give one.
void setSpokenText(QWidget* control, const QString& description, const QString& name = QString());
// Fixed size, centred on the screen the first time it shows, no maximise button.
void makeFixedWindow(QWidget* window, int clientWidthTwips, int clientHeightTwips);
void centreOnScreen(QWidget* window);

// A progress bar that shows a text of its own ("Progress Bar", "Processing: a.txt") instead of a percentage.
class ProgressBarControl : public QProgressBar
{
    Q_OBJECT

public:
    explicit ProgressBarControl(QWidget* parent = nullptr);

    // The percentage as a double; the bar shows it as a whole number.
    void setPercent(double percent);
    double percent() const { return percent_; }
    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }
    QString text() const override { return caption_; }

private:
    QString caption_ = QStringLiteral("Progress Bar");
    double percent_ = 0;
};

} // namespace quillora
