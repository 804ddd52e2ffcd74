#include "colorpicker.h"
#include "colorarea.h"
#include "ui_colorpicker.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// A channel scaled by a brightness of 0..255.
int scaled(int channel, double factor)
{
    return qRound(channel * factor);
}

QColor scaledColor(const QColor &base, double factor)
{
    return QColor(scaled(base.red(), factor), scaled(base.green(), factor),
                  scaled(base.blue(), factor), 255);
}

} // namespace

ColorPicker::ColorPicker(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ColorPicker)
{
    ui->setupUi(this);
    setFixedSize(450, 450);

    m_throttleTimer.setParent(this);
    m_throttleTimer.setSingleShot(true);
    m_throttleTimer.setInterval(kThrottleMs);
    connect(&m_throttleTimer, &QTimer::timeout, this, &ColorPicker::onThrottleTimeout);

    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setModal(true);

    setupColorArea();
    initRgbCombos();
    ui->slider_Brightness->setRange(0, 255);
    ui->slider_Brightness->setValue(255);
    ui->label_colorPreview->setFrameShape(QFrame::Box);
    ui->label_colorPreview->setAutoFillBackground(true);
    connectSignals();
    setCurrentColor(QColor(Qt::red));

    if (QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
}

ColorPicker::~ColorPicker()
{
    delete ui;
}

void ColorPicker::setupColorArea()
{
    m_areaContainer = ui->widget_colorArea;
    if (!m_areaContainer)
        return;
    QLayout *layout = m_areaContainer->layout();
    if (!layout) {
        layout = new QVBoxLayout(m_areaContainer);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    m_colorArea = new ColorArea(m_areaContainer);
    layout->addWidget(m_colorArea);
}

void ColorPicker::initRgbCombos()
{
    for (TouchComboBox *combo : {ui->comboBox_R, ui->comboBox_G, ui->comboBox_B}) {
        for (int v = 0; v <= 255; ++v)
            combo->addItem(QString::number(v), v);
        combo->setCurrentIndex(0);
    }
}

void ColorPicker::connectSignals()
{
    if (m_colorArea)
        connect(m_colorArea, &ColorArea::colorChanged, this, &ColorPicker::onColorAreaColorChanged);
    for (TouchComboBox *combo : {ui->comboBox_R, ui->comboBox_G, ui->comboBox_B})
        connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &ColorPicker::onRgbValueChanged);
    connect(ui->slider_Brightness, &QSlider::valueChanged, this,
            &ColorPicker::onBrightnessValueChanged);
    connect(ui->btn_Confirm, &QPushButton::clicked, this, &ColorPicker::onOkClicked);
    connect(ui->btn_Cancel, &QPushButton::clicked, this, &ColorPicker::onCancelClicked);
}

void ColorPicker::setCurrentColor(const QColor &color)
{
    if (color.isValid())
        setColor(color);
}

void ColorPicker::setColor(const QColor &color)
{
    m_baseColor = color;
    m_currentColor = color;
    {
        const QSignalBlocker blocker(ui->slider_Brightness);
        ui->slider_Brightness->setValue(255);
    }
    updatePreview();
    updateRgbCombos();
    if (m_colorArea && color.isValid()) {
        const QSignalBlocker blocker(m_colorArea);
        m_colorArea->setColor(color);
    }
}

void ColorPicker::onRgbValueChanged()
{
    if (m_updatingFromArea)
        return;
    m_updatingFromValues = true;
    const QColor color(ui->comboBox_R->currentIndex(), ui->comboBox_G->currentIndex(),
                       ui->comboBox_B->currentIndex(), 255);
    m_currentColor = color;
    m_baseColor = color;
    {
        const QSignalBlocker blocker(ui->slider_Brightness);
        ui->slider_Brightness->setValue(255);
    }
    updatePreview();
    if (m_colorArea) {
        const QSignalBlocker blocker(m_colorArea);
        m_colorArea->setColor(color);
    }
    scheduleColorChanged();
    m_updatingFromValues = false;
}

void ColorPicker::onColorAreaColorChanged(QColor color)
{
    if (m_updatingFromValues)
        return;
    m_updatingFromArea = true;
    m_baseColor = color;
    m_currentColor = scaledColor(m_baseColor, ui->slider_Brightness->value() / 255.0);
    updatePreview();
    updateRgbCombos();
    scheduleColorChanged();
    m_updatingFromArea = false;
}

void ColorPicker::onBrightnessValueChanged(int value)
{
    if (m_updatingFromArea)
        return;
    m_updatingFromValues = true;
    m_currentColor = scaledColor(m_baseColor, value / 255.0);
    updatePreview();
    updateRgbCombos();
    scheduleColorChanged();
    m_updatingFromValues = false;
}

void ColorPicker::onOkClicked()
{
    emit confirmed(m_currentColor);
    accept();
    close();
}

void ColorPicker::onCancelClicked()
{
    emit cancelled();
    reject();
    close();
}

void ColorPicker::scheduleColorChanged()
{
    m_changePending = true;
    if (!m_throttleTimer.isActive())
        m_throttleTimer.start();
}

void ColorPicker::onThrottleTimeout()
{
    if (!m_changePending)
        return;
    m_changePending = false;
    emit colorChanged(m_currentColor);
}

void ColorPicker::updatePreview()
{
    ui->label_colorPreview->setStyleSheet(
        QStringLiteral("QLabel {    background-color: %1;    border: 2px solid rgba(255,255,255,0.6);"
                       "    border-radius: 8px;}")
            .arg(m_currentColor.name()));
}

void ColorPicker::updateRgbCombos()
{
    const QSignalBlocker blockR(ui->comboBox_R);
    const QSignalBlocker blockG(ui->comboBox_G);
    const QSignalBlocker blockB(ui->comboBox_B);
    ui->comboBox_R->setCurrentIndex(m_currentColor.red());
    ui->comboBox_G->setCurrentIndex(m_currentColor.green());
    ui->comboBox_B->setCurrentIndex(m_currentColor.blue());
}
