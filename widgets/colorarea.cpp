#include "colorarea.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace {

const int kMarkerArm = 10;

} // namespace

ColorArea::ColorArea(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(200, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QPoint ColorArea::positionForColor(const QColor &color, int width, int height)
{
    if (width <= 0 || height <= 0)
        return QPoint(0, 0);
    const double hue = qMax(color.hsvHueF(), 0.0); // greys report -1
    const double saturation = qMax(color.hsvSaturationF(), 0.0);
    const int x = qBound(0, int(hue * (width - 1)), width - 1);
    const int y = qBound(0, int((1.0 - saturation) * (height - 1)), height - 1);
    return QPoint(x, y);
}

QColor ColorArea::colorAt(int x, int y, int width, int height)
{
    const double fx = double(x) / width;
    const double fy = double(y) / height;
    int hue = 0;
    if (fx > 1.0)
        hue = 359;
    else if (fx > 0.0)
        hue = int(fx * 359);
    int saturation = 255;
    if (fy > 1.0)
        saturation = 0;
    else if (fy > 0.0)
        saturation = int((1.0 - fy) * 255);
    return QColor::fromHsv(hue, saturation, 255, 255);
}

void ColorArea::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    const QPoint marker = positionForColor(m_color, width(), height());
    m_markerX = marker.x();
    m_markerY = marker.y();
    update();
    emit colorChanged(m_color);
}

void ColorArea::setCurrentColor(const QColor &color)
{
    if (color.isValid())
        setColor(color);
}

void ColorArea::pickAt(const QPointF &pos)
{
    const int w = width();
    const int h = height();
    if (w == 0 || h == 0)
        return;
    const QPoint p = pos.toPoint();
    m_markerX = qBound(0, p.x(), w);
    m_markerY = qBound(0, p.y(), h);
    m_color = colorAt(m_markerX, m_markerY, w, h);
    update();
    emit colorChanged(m_color);
}

void ColorArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        pickAt(event->localPos());
}

void ColorArea::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        pickAt(event->localPos());
}

void ColorArea::renderGradient()
{
    const int w = width();
    const int h = height();
    m_gradient = QPixmap(size());
    QImage image(size(), QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int saturation = int((1.0 - double(y) / h) * 255);
        for (int x = 0; x < w; ++x) {
            const int hue = int(double(x) / w * 359);
            line[x] = QColor::fromHsv(hue, saturation, 255, 255).rgb();
        }
    }
    QPainter painter(&m_gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(0, 0, image);
    m_gradientDirty = false;
}

void ColorArea::paintEvent(QPaintEvent *)
{
    if (m_gradientDirty)
        renderGradient();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(0, 0, m_gradient);

    const QLineF across(m_markerX - kMarkerArm, m_markerY, m_markerX + kMarkerArm, m_markerY);
    const QLineF down(m_markerX, m_markerY - kMarkerArm, m_markerX, m_markerY + kMarkerArm);
    painter.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(across);
    painter.drawLine(down);
    painter.setPen(QPen(Qt::white, 1.0));
    painter.drawLine(across);
    painter.drawLine(down);
}

void ColorArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_gradientDirty = true;
    if (m_color.isValid() && m_color.rgba() != qRgb(255, 0, 0)) {
        const QPoint marker = positionForColor(m_color, width(), height());
        m_markerX = marker.x();
        m_markerY = marker.y();
    } else {
        m_markerX = (width() - 1) / 2;
        m_markerY = (height() - 1) / 2;
    }
    update();
}
