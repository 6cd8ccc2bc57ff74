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
// Arial 11.25 pt bold on a white face, at a position in twips.
QPushButton* makePushButton(QWidget* parent, const QString& caption, const QRect& geometry);
// Fixed size, centred on the screen the first time it shows, no maximise button.
void makeFixedWindow(QWidget* window, int clientWidthTwips, int clientHeightTwips);
void centreOnScreen(QWidget* window);

// A progress bar that shows a text of its own ("Progress Bar", "Processing: a.txt") instead of a percentage.
class ProgressBarControl : public QProgressBar
{
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
