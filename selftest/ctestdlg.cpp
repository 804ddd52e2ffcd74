#include "ctestdlg.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTimerEvent>

#include "dialogs.h"
#include "ui_ctestdlg.h"

using namespace padtest;

cTestDlg::cTestDlg(CBaseDlg *owner, uchar deviceId, QWidget *parent)
    : SelfTestPage(owner, parent), m_model(deviceId, *this), ui(new Ui_cTestDlg)
{
    ui->setupUi(this);
    // Return and Enter press no button of the test.
    clearDefaultButtons(this);
    m_timerId = startTimer(kTickMs, Qt::CoarseTimer);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    init_dialog();
    restart_test();
    read_limits();
    load_sounds();
}

cTestDlg::~cTestDlg()
{
    delete ui;
}

void cTestDlg::init_dialog()
{
    prepare_lamps({ui->pushButton_MIDI, ui->pushButton_USB, ui->pushButton_BLE});
    setup_monitor(ui->listWidget_show);
    if (m_model.deviceId() == 8) {
        ui->label_MIDI->hide();
        ui->pushButton_MIDI->hide();
    }
    set_monitor_visible(false);

    connect(ui->pushButton_DelText, &QPushButton::clicked, this, &cTestDlg::clear_monitor);
    connect(ui->pushButton_reset, &QPushButton::clicked, this, &cTestDlg::restart_module);
    connect(ui->pushButton_reset2, &QPushButton::clicked, this, &cTestDlg::restart_test);
    connect(ui->pushButton_TestRGB, &QPushButton::clicked, this, &cTestDlg::start_colour_test);
    for (const SLampButton &lamp : lamp_buttons()) {
        const Lamp which = lamp.lamp;
        connect(lamp.button, &QPushButton::clicked, this, [this, which](bool on) { m_model.setLamp(which, on); });
    }

    m_model.initDialog();
    show_state();
}

void cTestDlg::restart_test()
{
    m_model.restartTest();
    show_state();
}

void cTestDlg::restart_module()
{
    m_model.restartModule();
    show_state();
}

void cTestDlg::start_colour_test()
{
    m_model.startColourTest();
}

void cTestDlg::light_step(uchar step)
{
    m_model.lightStep(step);
}

void cTestDlg::relight_step(uchar step)
{
    m_model.relightStep(step);
}

void cTestDlg::step_passed()
{
    m_model.stepPassed();
    show_state();
}

void cTestDlg::show_error(uchar code)
{
    m_model.showError(code);
    show_state();
}

void cTestDlg::send_pad_colours(uchar index, uchar c1, uchar c2, uchar c3)
{
    uchar frame[kPadColoursFrameSize];
    sendFrame(frame, padColoursFrame(frame, index, c1, c2, c3));
}

void cTestDlg::read_limits()
{
    SLimits limits;
    const bool ok = readLimits(configFolder() + QStringLiteral("/SelfCheck.ini"), &limits);
    m_model.setLimits(limits);
    if (!ok)
        show_error(0);
}

void cTestDlg::load_sounds()
{
    if (!create_tones())
        show_error(9);
}

void cTestDlg::set_monitor_visible(bool visible)
{
    ui->listWidget_show->setVisible(visible);
    ui->pushButton_DelText->setVisible(visible);
}

void cTestDlg::Slots_recv_midi(uint message)
{
    add_monitor_line(message);
    m_model.receiveMessage(message);
    show_state();
}

void cTestDlg::Slots_recv_frame(const uchar *frame, uint len)
{
    m_model.receiveFrame(frame, len);
    show_state();
}

void cTestDlg::Slots_device_removed()
{
    m_model.deviceRemoved();
    show_state();
}

void cTestDlg::unit_relinked()
{
    m_model.relinked();
}

void cTestDlg::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_timerId)
        tick();
}

void cTestDlg::tick()
{
    scroll_monitor_if_pending();
    m_model.tick();
    show_state();
}

void cTestDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F11) {
        set_monitor_visible(ui->listWidget_show->isHidden());
        event->accept();
        return;
    }
    SelfTestPage::keyPressEvent(event);
}

QVector<cTestDlg::SLampButton> cTestDlg::lamp_buttons() const
{
    return {{ui->pushButton_BLE, LampBluetooth}, {ui->pushButton_MIDI, LampMidi}, {ui->pushButton_USB, LampUsb}};
}

void cTestDlg::show_state()
{
    if (!m_model.title().isEmpty())
        setWindowTitle(m_model.title());
    for (const SLampButton &lamp : lamp_buttons())
        lamp.button->setChecked(m_model.lamp(lamp.lamp));
    ui->label_knob->setText(m_model.knobText());
    ui->label_knob->setVisible(m_model.knobStep());
    ui->label_press->setVisible(!m_model.knobStep());
    ui->label_Err->setText(errorText(uchar(m_model.lastError() < 0 ? 4 : m_model.lastError())));
    ui->label_Err->setVisible(m_model.errorShown());
}
