// A list that scrolls by dragging with the finger or the mouse and keeps
// gliding for a moment after release. Used inside the popup of TouchComboBox.
#pragma once

#include <QListWidget>
#include <QTimer>

namespace touchscroll {

// Largest drag speed that counts, in px per second (either direction).
constexpr int kMaxVelocity = 5000;
// Slower releases than this (px/s) do not glide.
constexpr int kMinGlideVelocity = 150;
// A release further than this from the press (px, on either axis) is a drag,
// not a click on the pressed row.
constexpr int kClickSlop = 7;
// Interval of the glide timer, ms.
constexpr int kInertiaIntervalMs = 16;

// The smoothed drag speed after a move of dy px in dtMs ms (dtMs > 0).
int smoothedVelocity(int previous, int dy, qint64 dtMs);

// First glide step (px per tick) for a release at the given speed; 0 when the
// release does not glide.
int glideStep(int velocity, int distanceFromPress);

struct GlideTick
{
    int value;  // new scroll value
    int step;   // step for the next tick; 0 ends the glide
};

// One glide tick from the scroll value and step, within min..max.
GlideTick glideTick(int value, int step, int minimum, int maximum);

} // namespace touchscroll

class TouchScrollListWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit TouchScrollListWidget(QWidget *parent = nullptr);

    // Applies the scrolling and selection settings the list works with.
    void applyTouchSettings();

    bool isGliding() const { return m_inertiaTimer.isActive(); }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private slots:
    void onInertiaScroll();

private:
    int m_lastX = 0;
    int m_lastY = 0;
    int m_pressX = 0;
    int m_pressY = 0;
    qint64 m_lastMoveTime = 0;
    bool m_dragging = false;
    int m_velocity = 0;
    QTimer m_inertiaTimer;
    int m_inertiaStep = 0;
};
