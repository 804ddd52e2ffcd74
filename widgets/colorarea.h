// The hue and saturation field of the colour chooser: hue runs from 0 at the
// left edge to 359 at the right edge, saturation from 255 at the top to 0 at
// the bottom; the value is always full. A cross marks the chosen colour.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

class ColorArea : public QWidget
{
    Q_OBJECT
public:
    explicit ColorArea(QWidget *parent = nullptr);

    void setColor(const QColor &color);
    void setCurrentColor(const QColor &color);
    QColor color() const { return m_color; }
    QPoint markerPosition() const { return QPoint(m_markerX, m_markerY); }

    // Where a colour sits in an area of the given size.
    static QPoint positionForColor(const QColor &color, int width, int height);
    // The colour picked at (x, y) in an area of the given size (both non-zero).
    static QColor colorAt(int x, int y, int width, int height);

signals:
    void colorChanged(QColor color);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void pickAt(const QPointF &pos);
    void renderGradient();

    QColor m_color = QColor(Qt::red);
    QPixmap m_gradient;
    bool m_gradientDirty = true;
    int m_markerX = 0;
    int m_markerY = 0;
};
