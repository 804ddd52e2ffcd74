#include "autodisappermsgbox.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTimer>

namespace {

const int kMinWidth = 300;
const int kMaxWidth = 400;
const int kMinHeight = 40;
const int kTextMargin = 40;     // horizontal room around the wrapped text
const int kHeightPadding = 30;  // vertical room around the text

} // namespace

AutoDisapperMsgBox::AutoDisapperMsgBox(QWidget *parent, const QString &text, int displayMs,
                                       int fadeOutMs, int fadeInMs)
    : QLabel(parent)
    , m_text(text)
{
    initAnimations();
    initStyle();
    setDisplayTime(displayMs);
    setFadeOutTime(fadeOutMs);
    setFadeInTime(fadeInMs);
    setAttribute(Qt::WA_DeleteOnClose);
}

AutoDisapperMsgBox::~AutoDisapperMsgBox()
{
    m_fadeInAnimation->disconnect();
    m_fadeOutAnimation->disconnect();
}

void AutoDisapperMsgBox::showMessage(QWidget *parent, const QString &text, int displayMs)
{
    if (!parent)
        return;
    auto *box = new AutoDisapperMsgBox(parent, text, displayMs, 150, 150);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setCenterInParent();
    box->popup();
}

int AutoDisapperMsgBox::widthForParent(int parentWidth)
{
    const double w = 0.8 * parentWidth;
    if (w >= kMaxWidth)
        return kMaxWidth;
    return qMax(int(w), kMinWidth);
}

void AutoDisapperMsgBox::initAnimations()
{
    m_opacityEffect = new QGraphicsOpacityEffect(this);
    setGraphicsEffect(m_opacityEffect);

    m_fadeInAnimation = new QPropertyAnimation(m_opacityEffect, "opacity", this);
    m_fadeInAnimation->setStartValue(0.0);
    m_fadeInAnimation->setEndValue(1.0);
    m_fadeOutAnimation = new QPropertyAnimation(m_opacityEffect, "opacity", this);
    m_fadeOutAnimation->setStartValue(1.0);
    m_fadeOutAnimation->setEndValue(0.0);
    connect(m_fadeOutAnimation, &QPropertyAnimation::finished, this,
            &AutoDisapperMsgBox::onFadeOutFinished);
    // Once fully shown, stay for the display time, then fade out.
    connect(m_fadeInAnimation, &QPropertyAnimation::finished, this,
            [this] { QTimer::singleShot(m_displayTime, this, &AutoDisapperMsgBox::startFadeOut); });
    m_fadeInAnimation->setDuration(m_fadeInTime);
    m_fadeOutAnimation->setDuration(m_fadeOutTime);
}

void AutoDisapperMsgBox::initStyle()
{
    setMinimumSize(kMinWidth, kMinHeight);
    setAlignment(Qt::AlignCenter);
    setBackgroundColor(QColor(0, 0, 0, 200));
    setBorderRadius(15);
}

void AutoDisapperMsgBox::popup()
{
    setText(m_text);
    setWordWrap(true);

    QWidget *parent = parentWidget();
    const int w = widthForParent(parent ? parent->width() : 0);
    setMaximumWidth(w);
    setMinimumWidth(250);

    const QFontMetrics metrics(font());
    const int textHeight =
        metrics.boundingRect(QRect(0, 0, w - kTextMargin, 0), Qt::TextWordWrap | Qt::AlignCenter, m_text)
            .height();
    const int h = qMax(textHeight + kHeightPadding, kMinHeight);
    resize(w, h);
    setAlignment(Qt::AlignCenter);

    setStyleSheet(QStringLiteral("QLabel{color:white;background-color:%1; border-radius:%2;"
                                 "font-family: Arial, PingFang SC, Helvetica Neue;padding: 10px;}")
                      .arg(m_backgroundColor)
                      .arg(m_borderRadius));

    if (m_centerInParent && parent) {
        const int pw = parent->width();
        const int ph = parent->height();
        int x = (pw - w) / 2;
        if (x < 0)
            x = 0;
        if (x + w > pw)
            x = pw - w;
        int y = (ph - h) / 3;
        if (y < 0)
            y = 0;
        if (y + h > ph)
            y = ph - h;
        move(x, y);
    }

    startFadeIn();
    show();
    raise(); // over anything the parent made after it
}

void AutoDisapperMsgBox::startFadeIn()
{
    if (m_fadeInAnimation->state() != QAbstractAnimation::Running)
        m_fadeInAnimation->start();
}

void AutoDisapperMsgBox::startFadeOut()
{
    if (m_fadeOutAnimation->state() != QAbstractAnimation::Running)
        m_fadeOutAnimation->start();
}

void AutoDisapperMsgBox::onFadeOutFinished()
{
    close();
}

void AutoDisapperMsgBox::setDisplayTime(int ms)
{
    if (ms > 0)
        m_displayTime = ms;
}

void AutoDisapperMsgBox::setFadeInTime(int ms)
{
    if (ms <= 0)
        return;
    m_fadeInTime = ms;
    m_fadeInAnimation->setDuration(ms);
}

void AutoDisapperMsgBox::setFadeOutTime(int ms)
{
    if (ms <= 0)
        return;
    m_fadeOutTime = ms;
    m_fadeOutAnimation->setDuration(ms);
}

void AutoDisapperMsgBox::setBackgroundColor(const QColor &color)
{
    m_backgroundColor = QStringLiteral("rgba(%1, %2, %3, %4)")
                            .arg(color.red())
                            .arg(color.green())
                            .arg(color.blue())
                            .arg(color.alpha());
}

void AutoDisapperMsgBox::setBorderRadius(int radius)
{
    m_borderRadius = radius;
}

void AutoDisapperMsgBox::setCenterInParent()
{
    if (parentWidget())
        m_centerInParent = true;
}
