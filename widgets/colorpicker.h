// The LED colour chooser: a hue and saturation area, a brightness slider, one
// combo box per channel, a preview and the confirm and cancel buttons. While
// the user edits, colorChanged reports the colour at most once per 150 ms.
#pragma once

#include <QColor>
#include <QDialog>
#include <QTimer>

namespace Ui {
class ColorPicker;
}
class ColorArea;

class ColorPicker : public QDialog
{
    Q_OBJECT
public:
    // Shortest time between two colorChanged reports, ms.
    static constexpr int kThrottleMs = 150;

    explicit ColorPicker(QWidget *parent = nullptr);
    ~ColorPicker() override;

    void setCurrentColor(const QColor &color);
    void setColor(const QColor &color);
    QColor currentColor() const { return m_currentColor; }

signals:
    void colorChanged(QColor color);
    void confirmed(QColor color);
    void cancelled();

private slots:
    void onColorAreaColorChanged(QColor color);
    void onRgbValueChanged();
    void onBrightnessValueChanged(int value);
    void onOkClicked();
    void onCancelClicked();
    void onThrottleTimeout();

private:
    void setupColorArea();
    void initRgbCombos();
    void connectSignals();
    void updatePreview();
    void updateRgbCombos();
    void scheduleColorChanged();

    Ui::ColorPicker *ui;
    QWidget *m_areaContainer = nullptr;
    ColorArea *m_colorArea = nullptr;
    QColor m_currentColor;
    QColor m_baseColor;
    bool m_updatingFromArea = false;
    bool m_updatingFromValues = false;
    QTimer m_throttleTimer;
    bool m_changePending = false;
};
