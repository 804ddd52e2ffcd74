// An on/off switch drawn as a pill with a round knob that slides between the
// ends. A press toggles it and reports through statusChanged; setChecked
// changes the state silently.
#pragma once

#include <QColor>
#include <QWidget>

class QPainter;
class QPropertyAnimation;

class switchbutton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool checked READ getChecked WRITE setChecked NOTIFY statusChanged)
    Q_PROPERTY(QColor bgColorOn READ getBgColorOn WRITE setBgColorOn)
    Q_PROPERTY(QColor bgColorOff READ getBgColorOff WRITE setBgColorOff)
    Q_PROPERTY(QColor sliderColorOn READ getSliderColorOn WRITE setSliderColorOn)
    Q_PROPERTY(int sliderPosition READ getSliderPosition WRITE setSliderPosition)

public:
    // Duration of the knob's slide, ms.
    static constexpr int kSlideMs = 200;

    explicit switchbutton(QWidget *parent = nullptr);

    void setChecked(bool checked, bool animate = true);
    void setSliderPosition(int position);

    bool getChecked() const { return m_checked; }
    int getSliderPosition() const { return m_sliderPosition; }
    QColor getBgColorOn() const { return m_bgColorOn; }
    QColor getBgColorOff() const { return m_bgColorOff; }
    QColor getSliderColorOn() const { return m_sliderColorOn; }
    int getSpace() const { return m_space; }
    int getRadius() const { return m_radius; }
    bool getShowText() const { return m_showText; }
    bool getShowCircle() const { return m_showCircle; }
    bool getAnimation() const { return m_animation; }
    QColor getSliderColorOff() const { return m_sliderColorOff; }
    QColor getTextColor() const { return m_textColor; }
    QString getTextOn() const { return m_textOn; }
    QString getTextOff() const { return m_textOff; }
    int getStartX() const { return m_startX; }
    int getEndX() const { return m_endX; }

signals:
    void statusChanged(bool checked);

public slots:
    void setSpace(int space);
    void setRadius(int radius);
    void setShowText(bool show);
    void setShowCircle(bool show);
    void setAnimation(bool ok);
    void setBgColorOn(QColor color);
    void setBgColorOff(QColor color);
    void setSliderColorOn(QColor color);
    void setSliderColorOff(QColor color);
    void setTextColor(QColor color);
    void setTextOn(QString text);
    void setTextOff(QString text);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int updateSliderRange();
    void moveKnob(bool animate);
    void drawBackground(QPainter *painter);
    void drawSlider(QPainter *painter);

    int m_space = 2;
    int m_radius = 5;
    bool m_checked = false;
    bool m_showText = true;
    bool m_showCircle = false;
    bool m_animation = true;
    QColor m_bgColorOn = QColor(50, 255, 50);
    QColor m_bgColorOff = QColor(190, 190, 190);
    QColor m_sliderColorOn = QColor(255, 255, 255);
    QColor m_sliderColorOff = QColor(255, 255, 255);
    QColor m_textColor = QColor(255, 255, 255);
    QString m_textOn;
    QString m_textOff;
    int m_startX = 0;
    int m_endX = 0;
    QPropertyAnimation *m_knobAnimation = nullptr;
    int m_sliderPosition = 0;
};
