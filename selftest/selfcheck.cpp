#include "selfcheck.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QTimerEvent>

#include "dialogs.h"
#include "ui_selfcheck.h"

namespace {
constexpr quint8 kKeyboardModel = 9;
} // namespace

SelfCheck::SelfCheck(quint8 deviceType, CBaseDlg *owner, QWidget *parent)
    : SelfTestPage(owner, parent)
    , ui(new Ui_SelfCheck)
    , m_model(deviceType, *this, *this)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Return and Enter press no button of the test.
    clearDefaultButtons(this);
    setup_monitor(ui->listWidget_show);

    ui->widget_show->hide();
    prepare_lamps({ui->pushButton_BLE, ui->pushButton_USB});
    ui->pushButton_VX18->setCheckable(true);
    ui->pushButton_BLE->setChecked(false);
    if (deviceType == kKeyboardModel)
        setWindowTitle(QStringLiteral("VX-18自检模式"));
    m_moduleGroup = new QButtonGroup(this);
    for (QPushButton *b : {ui->pushButton_Touch, ui->pushButton_Knob, ui->pushButton_Key, ui->pushButton_Pad,
                           ui->pushButton_Pedal, ui->pushButton_Keyboard}) {
        b->setCheckable(true);
        m_moduleGroup->addButton(b);
    }
    m_moduleGroup->setExclusive(true);
    ui->pushButton_Key->hide();
    ui->pushButton_Pedal->hide();

    connectActions();

    restart_test();
    setPrompt(QStringLiteral("上滑第1个触摸条"));
    ui->pushButton_VX18->click();

    m_timerId = startTimer(SelfCheckModel::kTickMs, Qt::CoarseTimer);

    load_sounds();
}

SelfCheck::~SelfCheck()
{
    delete ui;
}

void SelfCheck::load_sounds()
{
    if (!create_tones())
        show_error(10, 0);
}

void SelfCheck::connectActions()
{
    connect(ui->pushButton_Reset, &QPushButton::clicked, this, [this] { m_model.restart_test(); });
    connect(ui->pushButton_ResetMode, &QPushButton::clicked, this, [this] { m_model.reset_mode(); });
    connect(ui->pushButton_RGBTest, &QPushButton::clicked, this, [this] { m_model.start_rgb_test(); });
    connect(ui->pushButton_OLEDTest, &QPushButton::clicked, this, [this] { m_model.start_display_test(); });
    connect(ui->pushButton_DelText, &QPushButton::clicked, this, &SelfCheck::clear_monitor);
    connect(ui->pushButton_VX18, &QPushButton::clicked, this, [this](bool checked) { m_model.set_whole_unit(checked); });
    const struct { QPushButton *button; quint8 kind; } modules[] = {
        {ui->pushButton_Touch, SelfCheckModel::KindStrip},   {ui->pushButton_Knob, SelfCheckModel::KindKnob},
        {ui->pushButton_Pad, SelfCheckModel::KindPad},       {ui->pushButton_Keyboard, SelfCheckModel::KindKey},
        {ui->pushButton_Key, SelfCheckModel::KindButton},    {ui->pushButton_Pedal, SelfCheckModel::KindPedal},
    };
    for (const auto &m : modules) {
        const quint8 kind = m.kind;
        connect(m.button, &QPushButton::clicked, this, [this, kind] { m_model.select_module(kind); });
    }
}

// ---- input -----------------------------------------------------------------

void SelfCheck::Slots_recv_frame(const uchar *frame, uint len)
{
    m_model.receive_frame(frame, len);
}

void SelfCheck::Slots_recv_midi(uint msg)
{
    m_model.receive_midi(msg);
}

void SelfCheck::Slots_device_removed()
{
    m_model.device_removed();
}

void SelfCheck::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId) {
        SelfTestPage::timerEvent(event);
        return;
    }
    m_model.tick();
}

void SelfCheck::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F1:
        m_model.restart_test();
        break;
    case Qt::Key_F2:
        m_model.reset_mode();
        break;
    case Qt::Key_F3:
        m_model.start_rgb_test();
        break;
    case Qt::Key_F4:
        m_model.start_display_test();
        break;
    case Qt::Key_F11:
        ui->widget_show->setVisible(ui->widget_show->isHidden());
        break;
    default:
        SelfTestPage::keyPressEvent(event);
        return;
    }
    event->accept();
}

// ---- SelfCheckView ---------------------------------------------------------

void SelfCheck::setPrompt(const QString &text)
{
    ui->label_Message->setText(text);
}

void SelfCheck::showPrompt()
{
    ui->label_Message->setVisible(true);
}

void SelfCheck::setErrorLine(const QString &text)
{
    ui->label_ERR->setText(text);
}

void SelfCheck::paintKey(quint8 button, quint8 r, quint8 g, quint8 b)
{
    if (auto *key = findChild<QPushButton *>(QStringLiteral("pushButton_%1").arg(button + 1)))
        key->setStyleSheet(selfCheckKeySheet(r, g, b));
}

void SelfCheck::addMonitorLine(uint message)
{
    add_monitor_line(message);
}

void SelfCheck::clearMonitor()
{
    clear_monitor();
}

void SelfCheck::scrollMonitor()
{
    scroll_monitor_if_pending();
}

bool SelfCheck::bluetoothLamp() const
{
    return ui->pushButton_BLE->isChecked();
}

void SelfCheck::setBluetoothLamp(bool on)
{
    ui->pushButton_BLE->setChecked(on);
}

void SelfCheck::setUsbLamp(bool on)
{
    ui->pushButton_USB->setChecked(on);
}

void SelfCheck::showKeybed(bool on)
{
    ui->widget->setVisible(on);
}

void SelfCheck::showModuleRow(bool on)
{
    ui->widget_step->setVisible(on);
}

void SelfCheck::clearModuleSelection()
{
    ui->pushButton_Key->setChecked(true);
}
