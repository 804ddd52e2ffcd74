#include "switchbutton.h"

#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QTimer>

switchbutton::switchbutton(QWidget *parent)
    : QWidget(parent)
    , m_textOn(tr("ON"))
    , m_textOff(tr("OFF"))
{
    m_startX = m_space;
    m_knobAnimation = new QPropertyAnimation(this, "sliderPosition", this);
    m_knobAnimation->setDuration(kSlideMs);
    m_knobAnimation->setEasingCurve(QEasingCurve::InOutQuad);
    updateSliderRange();
    QTimer::singleShot(0, this, [this] {
        m_sliderPosition = m_checked ? m_endX : m_startX;
        update();
    });
}

int switchbutton::updateSliderRange()
{
    m_startX = m_space;
    m_endX = width() - qMin(width(), height()) + m_space;
    return m_endX;
}

void switchbutton::moveKnob(bool animate)
{
    const int target = m_checked ? m_endX : m_startX;
    if (animate) {
        m_knobAnimation->stop();
        m_knobAnimation->setStartValue(m_sliderPosition);
        m_knobAnimation->setEndValue(target);
        m_knobAnimation->start();
    } else {
        m_knobAnimation->stop();
        m_sliderPosition = target;
        update();
    }
}

void switchbutton::setChecked(bool checked, bool animate)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    updateSliderRange();
    moveKnob(m_animation && animate);
}

void switchbutton::setSliderPosition(int position)
{
    if (position == m_sliderPosition)
        return;
    m_sliderPosition = position;
    update();
}

void switchbutton::mousePressEvent(QMouseEvent *)
{
    m_checked = !m_checked;
    emit statusChanged(m_checked);
    updateSliderRange();
    moveKnob(m_animation);
}

void switchbutton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateSliderRange();
    moveKnob(false);
}

void switchbutton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    drawBackground(&painter);
    drawSlider(&painter);
}

void switchbutton::drawBackground(QPainter *painter)
{
    painter->save();
    painter->setPen(Qt::NoPen);
    QColor color = m_checked ? m_bgColorOn : m_bgColorOff;
    if (!isEnabled())
        color.setAlpha(150);

    const int w = width();
    const int h = height();
    const int s = qMin(w, h);
    QPainterPath pill;
    pill.setFillRule(Qt::WindingFill);
    pill.addEllipse(QRectF(0, 0, s, s));
    pill.addEllipse(QRectF(w - s, 0, s, s));
    pill.addRect(QRectF(s / 2, 0, w - s, h));
    painter->fillPath(pill.simplified(), color);

    if (m_showText) {
        QFont font;
        font.setFamily(QStringLiteral("Arial"));
        painter->setFont(font);
        painter->setPen(m_textColor);
        const int half = w / 2;
        if (m_checked)
            painter->drawText(QRect(5, 0, half - 5, h), Qt::AlignCenter, m_textOn);
        else
            painter->drawText(QRect(half, 0, half - 5, h), Qt::AlignCenter, m_textOff);
    }
    painter->restore();
}

void switchbutton::drawSlider(QPainter *painter)
{
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(m_checked ? m_sliderColorOn : m_sliderColorOff);
    const int w = width();
    const int d = qMin(height(), w) - 2 * m_space;
    int x = m_sliderPosition;
    if (x > w - d - m_space)
        x = w - d - m_space;
    if (x < m_space)
        x = m_space;
    painter->drawEllipse(QRect(x, m_space, d, d));
    painter->restore();
}

void switchbutton::setSpace(int space)
{
    if (space == m_space)
        return;
    m_space = space;
    updateSliderRange();
    update();
}

void switchbutton::setRadius(int radius)
{
    if (radius == m_radius)
        return;
    m_radius = radius;
    update();
}

void switchbutton::setShowText(bool show)
{
    if (show == m_showText)
        return;
    m_showText = show;
    update();
}

void switchbutton::setShowCircle(bool show)
{
    if (show == m_showCircle)
        return;
    m_showCircle = show;
    update();
}

void switchbutton::setAnimation(bool ok)
{
    if (ok == m_animation)
        return;
    m_animation = ok;
    update();
}

void switchbutton::setBgColorOn(QColor color)
{
    if (color == m_bgColorOn)
        return;
    m_bgColorOn = color;
    update();
}

void switchbutton::setBgColorOff(QColor color)
{
    if (color == m_bgColorOff)
        return;
    m_bgColorOff = color;
    update();
}

void switchbutton::setSliderColorOn(QColor color)
{
    if (color == m_sliderColorOn)
        return;
    m_sliderColorOn = color;
    update();
}

void switchbutton::setSliderColorOff(QColor color)
{
    if (color == m_sliderColorOff)
        return;
    m_sliderColorOff = color;
    update();
}

void switchbutton::setTextColor(QColor color)
{
    if (color == m_textColor)
        return;
    m_textColor = color;
    update();
}

void switchbutton::setTextOn(QString text)
{
    if (text == m_textOn)
        return;
    m_textOn = text;
    update();
}

void switchbutton::setTextOff(QString text)
{
    if (text == m_textOff)
        return;
    m_textOff = text;
    update();
}
