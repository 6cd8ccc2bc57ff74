// A window's mouse pointer: default arrow (0), hourglass (11) or the custom hand (99), with hover feedback.
#pragma once

#include <QCursor>
#include <QObject>
#include <optional>

class QWidget;

namespace quillora {

namespace pointer {
constexpr int defaultArrow = 0;
constexpr int hourglass = 11;
constexpr int custom = 99;
} // namespace pointer

class WindowPointer : public QObject
{
    Q_OBJECT

public:
    explicit WindowPointer(QWidget* window);

    int state() const { return state_; }
    void setState(int state);
    // The custom image; without one the custom state looks like the arrow.
    void setCustomImage(const QCursor& cursor);
    bool hasCustomImage() const { return custom_.has_value(); }

    // Moving over these controls sets the arrow, or the hand, unless the hourglass shows. Moving over a child of
    // a watched control that is not watched itself changes nothing. Moving over a child of
    // a watched control that is not watched itself changes nothing.
    void arrowOver(QWidget* control);
    void handOver(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* control, int state);

    QWidget* window_;
    int state_ = pointer::defaultArrow;
    std::optional<QCursor> custom_;
};

// Loads a cursor file (.cur) with its hot spot; nothing when the file cannot be read as a cursor.
std::optional<QCursor> loadCursorFile(const QString& path);

} // namespace quillora
