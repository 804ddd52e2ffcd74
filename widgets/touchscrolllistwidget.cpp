#include "touchscrolllistwidget.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QScrollBar>

#include <cstdlib>

namespace touchscroll {

int smoothedVelocity(int previous, int dy, qint64 dtMs)
{
    if (dtMs <= 0)
        return previous;
    const qint64 v = qint64(dy) * 1000 / dtMs;
    qint64 result = previous == 0 ? v : qint64(0.7 * previous + 0.3 * double(v));
    if (result > kMaxVelocity)
        result = kMaxVelocity;
    if (result < -kMaxVelocity)
        result = -kMaxVelocity;
    return int(result);
}

int glideStep(int velocity, int distanceFromPress)
{
    if (std::abs(distanceFromPress) > 2 && std::abs(velocity) > kMinGlideVelocity)
        return velocity / 40;
    return 0;
}

GlideTick glideTick(int value, int step, int minimum, int maximum)
{
    int target = value - step;
    if (target <= minimum) {
        target = minimum;
        step = 0;
    } else if (target >= maximum) {
        target = maximum;
        step = 0;
    }
    step = int(step * 0.95);
    if (step == 0 || target == value)
        step = 0;
    return {target, step};
}

} // namespace touchscroll

namespace {

QPoint roundedPos(const QMouseEvent *event)
{
    return event->localPos().toPoint(); // rounds each coordinate to the nearest integer
}

} // namespace

TouchScrollListWidget::TouchScrollListWidget(QWidget *parent)
    : QListWidget(parent)
{
    m_inertiaTimer.setParent(this);
    m_inertiaTimer.setInterval(touchscroll::kInertiaIntervalMs);
    connect(&m_inertiaTimer, &QTimer::timeout, this, &TouchScrollListWidget::onInertiaScroll);
    applyTouchSettings();
}

void TouchScrollListWidget::applyTouchSettings()
{
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TouchScrollListWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QPoint pos = roundedPos(event);
    m_dragging = true;
    m_lastX = m_pressX = pos.x();
    m_lastY = m_pressY = pos.y();
    m_lastMoveTime = QDateTime::currentMSecsSinceEpoch();
    m_velocity = 0;
    m_inertiaTimer.stop();
    QAbstractItemView::mousePressEvent(event);
}

void TouchScrollListWidget::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_dragging)
        return;
    const QPoint pos = roundedPos(event);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const int dy = pos.y() - m_lastY;
    const qint64 dt = now - m_lastMoveTime;
    if (dt > 0)
        m_velocity = touchscroll::smoothedVelocity(m_velocity, dy, dt);
    QScrollBar *bar = verticalScrollBar();
    bar->setValue(bar->value() - dy);
    m_lastX = pos.x();
    m_lastY = pos.y();
    m_lastMoveTime = now;
}

void TouchScrollListWidget::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    const QPoint pos = roundedPos(event);
    const int distanceY = pos.y() - m_pressY;
    m_inertiaStep = touchscroll::glideStep(m_velocity, distanceY);
    if (m_inertiaStep != 0) {
        m_inertiaTimer.start();
    } else {
        m_velocity = 0;
    }
    if (std::abs(pos.x() - m_pressX) <= touchscroll::kClickSlop
        && std::abs(distanceY) <= touchscroll::kClickSlop)
        QListView::mouseReleaseEvent(event);
}

void TouchScrollListWidget::wheelEvent(QWheelEvent *event)
{
    QListView::wheelEvent(event);
}

void TouchScrollListWidget::onInertiaScroll()
{
    if (m_dragging || m_inertiaStep == 0)
        return;
    QScrollBar *bar = verticalScrollBar();
    const touchscroll::GlideTick tick =
        touchscroll::glideTick(bar->value(), m_inertiaStep, bar->minimum(), bar->maximum());
    bar->setValue(tick.value);
    m_inertiaStep = tick.step;
    if (m_inertiaStep == 0)
        m_inertiaTimer.stop();
}
