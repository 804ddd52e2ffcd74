#include "toastwidget.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>

namespace {

const int kMinWidth = 200;
const int kPadding = 30;
const int kBottomGap = 100;
const int kCornerRadius = 10;

} // namespace

ToastWidget::ToastWidget(QWidget *parent)
    // A tool window even with a parent: a child widget has no window opacity
    // to fade and no global position.
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    hide();

    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setStyleSheet(QStringLiteral("color: white; font-size: 18px;"));

    m_animation = new QPropertyAnimation(this, "windowOpacity", this);
    connect(m_animation, &QPropertyAnimation::finished, this, &ToastWidget::animationFinished);

    m_displayTimer.setParent(this);
    m_displayTimer.setSingleShot(true);
    connect(&m_displayTimer, &QTimer::timeout, this, &ToastWidget::startFadeOut);
}

QPoint ToastWidget::placeOverParent(const QPoint &parentGlobal, const QSize &parentSize, const QSize &toast)
{
    return parentGlobal + QPoint((parentSize.width() - toast.width()) / 2,
                                 (parentSize.height() - toast.height()) / 2);
}

QPoint ToastWidget::placeOnScreen(const QRect &available, const QSize &toast)
{
    const int x = available.left() + (available.width() - toast.width()) / 2;
    const int bottom = available.top() + available.height() - 1;
    const int y = qMax(available.top() + available.height() / 2, bottom - toast.height() - kBottomGap);
    return QPoint(x, y);
}

void ToastWidget::showToast(const QString &text, int ms)
{
    m_animation->stop();
    m_displayTimer.stop();
    m_label->setText(text);
    m_label->adjustSize();

    const QSize toast(qMax(m_label->width() + kPadding, kMinWidth), m_label->height() + kPadding);
    QPoint pos;
    if (QWidget *parent = parentWidget()) {
        pos = placeOverParent(parent->mapToGlobal(QPoint(0, 0)), parent->size(), toast);
    } else if (QScreen *screen = QGuiApplication::primaryScreen()) {
        pos = placeOnScreen(screen->availableGeometry(), toast);
    }
    move(pos);
    resize(toast);
    m_label->setGeometry(rect());

    setWindowOpacity(0.0);
    show();
    m_animation->setDuration(kFadeInMs);
    m_animation->setStartValue(0.0);
    m_animation->setEndValue(1.0);
    m_animation->start();

    m_displayTimer.start(qMax(ms, 0));
}

void ToastWidget::startFadeOut()
{
    if (!isVisible())
        return;
    if (m_animation->state() == QAbstractAnimation::Running) {
        // Still fading in: fade out as soon as the toast is fully shown, so a
        // display time shorter than the fade-in never leaves it on screen.
        m_displayTimer.start(m_animation->duration() - m_animation->currentTime());
        return;
    }
    if (windowOpacity() < 1.0)
        return;
    m_animation->setDuration(kFadeOutMs);
    m_animation->setStartValue(1.0);
    m_animation->setEndValue(0.0);
    m_animation->start();
}

void ToastWidget::animationFinished()
{
    if (windowOpacity() == 0.0)
        hide();
}

void ToastWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 200));
    painter.drawRoundedRect(QRect(0, 0, width(), height()), kCornerRadius, kCornerRadius);
}

void ToastWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_label->setGeometry(rect());
}
