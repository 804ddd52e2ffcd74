#include "selfcheckmodel.h"

#include <QCoreApplication>

#include <cstring>

const QHash<quint8, QString> g_selfCheckErrors = {
    {0, QStringLiteral(".ini 文件错误！请尝试重启软件！")},
    {1, QStringLiteral("Flash 存储错误！请重新测试！")},
    {2, QStringLiteral("旋钮检测失败！请标记错误！")},
    {3, QStringLiteral("按键检测失败！请标记错误！")},
    {5, QStringLiteral("USB线未连接！连接后点重新测试！")},
    {6, QStringLiteral("MIDI线未连接！连接后点重新测试！")},
    {7, QStringLiteral("踏板线未连接！")},
    {8, QStringLiteral("蓝牙未连接，请连接校准仪！")},
    {9, QStringLiteral("自检失败，请重新自检！")},
    {10, QStringLiteral("wav文件缺失！")},
    {11, QStringLiteral("琴键自检失败，请重新自检！")},
    {12, QStringLiteral("触摸条自检失败，请重新自检！")},
};

namespace {

// Payload bytes of the keyboard's system record, and the Bluetooth bit in it.
constexpr uint kSystemRecordSize = 30;
constexpr uint kBluetoothByte = 26;
constexpr quint8 kBluetoothBit = 0x80;

// The note that the unit sends on its own in test mode; neither listed nor judged.
constexpr uint kIgnoredNote = 0x7F4490;

constexpr quint8 kPadColourTriplets = 18;
constexpr quint8 kAllPads = 0xFF;
constexpr quint8 kLampAfterButtons = 0x25;
constexpr quint8 kDisplayLeds = 24;

} // namespace

uint selfCheckPadColoursFrame(uchar *frame, quint8 index, quint8 c1, quint8 c2, quint8 c3)
{
    if (index != kAllPads && index >= kPadColourTriplets)
        return 0;
    std::memset(frame, 0, 62);
    frameInitHeader(frame, CMD_PAD_COLOURS, 55);
    frame[6] = index;
    for (quint8 i = 0; i < kPadColourTriplets; ++i) {
        if (index != kAllPads && i != index)
            continue;
        uchar *triplet = frame + 7 + 3 * i;
        triplet[0] = c1;
        triplet[1] = c2;
        triplet[2] = c3;
    }
    frameSetChecksum(frame);
    return 62;
}

QString selfCheckKeySheet(quint8 r, quint8 g, quint8 b)
{
    return QStringLiteral("background-color: rgb(%1, %2, %3);color:rgb(%4, %5, %6);"
                          "border-radius:3px;border: 2px solid black;")
        .arg(r)
        .arg(g)
        .arg(b)
        .arg(255 - r)
        .arg(255 - g)
        .arg(255 - b);
}

// ---- tables ----------------------------------------------------------------

const quint8 SelfCheckModel::m_stepKind[kSteps] = {
    4, 4,                                           // touch strips
    0, 0, 0, 0, 0, 0, 0, 0,                         // knobs
    2, 2, 2, 2, 2, 2, 2, 2, 2, 2,                   // buttons
    1, 1, 1, 1, 1, 1, 1, 1,                         // pads
    3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,          // keys
    3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3,
    5,                                              // pedal
};
const quint8 SelfCheckModel::m_buttonLed[11] = {0x80, 0x81, 0x19, 0x1B, 0x1D, 0x1F,
                                                0x18, 0x1A, 0x1C, 0x1E, 0x25};
const quint8 SelfCheckModel::m_padLed[8] = {4, 5, 6, 7, 0, 1, 2, 3};
const quint8 SelfCheckModel::m_buttonControl[8] = {13, 15, 17, 19, 12, 14, 16, 18};
const quint8 SelfCheckModel::m_keyButton[kKeys] = {0, 15, 1, 16, 2, 3, 17, 4, 18, 5, 19, 6, 7,
                                                   20, 8, 21, 9, 10, 22, 11, 23, 12, 24, 13, 14};

const QStringList SelfCheckModel::m_kindNames = {
    QStringLiteral("旋钮"), QStringLiteral("Pad"), QStringLiteral("按钮"),
    QStringLiteral("琴键"), QStringLiteral("触摸条"), QStringLiteral("踏板")};

SelfCheckModel::SelfCheckModel(quint8 deviceType, SelfTestOutput &out, SelfCheckView &view)
    : m_out(out)
    , m_view(view)
    , m_deviceType(deviceType)
{
}

// ---- output helpers --------------------------------------------------------

void SelfCheckModel::send_test_led(quint8 index, quint8 c1, quint8 c2, quint8 c3)
{
    m_out.sendFrame(m_txFrame, selftest::testLedFrame(m_txFrame, index, c1, c2, c3));
}

void SelfCheckModel::send_pad_colours(quint8 index, quint8 c1, quint8 c2, quint8 c3)
{
    std::memset(m_txFrame, 0, sizeof m_txFrame);
    const uint len = selfCheckPadColoursFrame(m_txFrame, index, c1, c2, c3);
    if (len > 0)
        m_out.sendFrame(m_txFrame, len);
}

void SelfCheckModel::reset_key_colours()
{
    for (quint8 button = 0; button < kKeys; ++button) {
        const quint8 c = button < 15 ? 255 : 0;
        set_key_colour(button, c, c, c);
    }
}

void SelfCheckModel::led_reset()
{
    send_test_led(0x00, 0xFE, 0xFF, 0x00);
    send_pad_colours(kAllPads, 0, 0, 0);
    send_test_led(0x80, 0, 0, 0);
    send_test_led(0x81, 0, 0, 0);
}

void SelfCheckModel::lightPad(quint8 padStep)
{
    if (padStep >= 20 && padStep < 28)
        send_pad_colours(m_padLed[padStep - 20], 0x00, 0xFF, 0x00);
}

void SelfCheckModel::add_monitor_line(uint msg)
{
    if (m_deviceType == 9 && (m_status & 0xF0) == 0xE0)
        return;
    m_view.addMonitorLine(msg);
}

QString SelfCheckModel::errorLine(quint8 code, quint8 control)
{
    QString prefix;
    if (control != 0 && control < kSteps) {
        const quint8 kind = m_stepKind[control];
        if (kind == KindPedal) {
            prefix = QStringLiteral("错误：踏板\n");
        } else {
            int place = 0;
            for (int s = 0; s <= control; ++s)
                place += m_stepKind[s] == kind ? 1 : 0;
            prefix = QStringLiteral("错误：第%1个%2\n").arg(QString::number(place), m_kindNames[kind]);
        }
    }
    return prefix + g_selfCheckErrors.value(code, QStringLiteral("自检失败，请重新自检！"));
}

void SelfCheckModel::show_error(quint8 code, quint8 control)
{
    m_errorShown = 1;
    m_errorCode = code;
    m_errorControl = control;
    m_view.showPrompt();
    m_view.setErrorLine(errorLine(code, control));
}

// ---- the run ---------------------------------------------------------------

void SelfCheckModel::restart_test()
{
    m_errorShown = 0;
    m_bluetoothFailed = false;
    // A display test that the restart stops leaves no on-demand mark for the
    // next one, which would then neither light pad 1 nor go on to the pedal.
    m_displayTest = 0;
    m_displayTestOnDemand = 0;
    m_stripsDone = 0;
    m_pedalAwaited = 0;
    reset_key_colours();
    m_view.setErrorLine(QString());
    m_view.clearMonitor();
    m_view.setBluetoothLamp(false);
    m_out.sendTestStart();
    led_reset();
    m_keyPhase = 0;
    m_status = m_data1 = m_data2 = 0;
    m_displayIndex = 0;
    m_step = 0;
    m_phase = 1;
    start_module(m_singleModule ? m_selectedModule : quint8(KindStrip));
}

void SelfCheckModel::start_module(quint8 kind)
{
    m_wrapStep = m_wrapControl = 0xFF;
    if (m_singleModule) {
        if (kind != KindPedal)
            led_reset();
        m_view.showKeybed(kind == KindKey);
    }
    m_view.setErrorLine(QString());
    m_errorShown = 0;
    m_pedalAwaited = 0;
    m_keyPhase = 0;
    m_phase = 1;
    switch (kind) {
    case KindKnob:
        m_step = 2;
        m_view.setPrompt(QStringLiteral("右旋第1个旋钮"));
        break;
    case KindPad:
        m_step = 20;
        m_view.setPrompt(QStringLiteral("按下亮灯的Pad"));
        send_pad_colours(kAllPads, 0, 0, 0);
        send_pad_colours(m_padLed[0], 0x00, 0xFF, 0x00);
        break;
    case KindButton:
        send_test_led(0x00, 0xFE, 0xFF, 0x00);
        send_test_led(0x81, 0, 0, 0);
        m_step = 10;
        m_view.setPrompt(QStringLiteral("按下亮灯的按钮"));
        send_test_led(m_buttonLed[0], 0x01, 0xFF, 0x00);
        break;
    case KindKey:
        m_step = 28;
        m_view.setPrompt(QStringLiteral("琴键自检中"));
        reset_key_colours();
        break;
    case KindStrip:
        m_step = 0;
        m_view.setPrompt(QStringLiteral("上滑第1个触摸条"));
        break;
    case KindPedal:
        m_pedalAwaited = 1;
        m_step = 53;
        m_view.setPrompt(QStringLiteral("请按下踏板↓"));
        break;
    default:
        break;
    }
}

// ---- the steps -------------------------------------------------------------

quint8 SelfCheckModel::expectedControl(quint8 step)
{
    return step >= 12 && step <= 19 ? m_buttonControl[step - 12] : step;
}

void SelfCheckModel::check_step()
{
    const quint8 s = m_step;
    const quint8 d1 = m_data1;
    const quint8 d2 = m_data2;
    if (d1 >= kSteps || m_displayTest || m_errorShown || (m_status & 0xF0) == 0xE0)
        return;
    if (m_pedalAwaited) {
        if (d1 == 0 || d1 == 28)
            return;
        if (d1 == 53 || d1 == 52)
            on_pedal();
        else
            show_error(9, d1);
        return;
    }
    if (m_stripsDone && (d1 == 0 || d1 == 1))
        return;
    if (d1 == 53 || (d2 == 0 && s >= 28))
        return;
    if (d1 == expectedControl(s)) {
        switch (m_stepKind[s]) {
        case KindStrip: on_strip(); break;
        case KindKnob: on_knob(); break;
        case KindButton: on_button(); break;
        case KindPad: on_pad(); break;
        case KindKey: on_key(); break;
        case KindPedal: on_pedal(); break;
        default: break;
        }
        return;
    }
    // The control of the step before may still be moving.
    if (d1 + 1 == s || (s >= 13 && s <= 19 && d1 == expectedControl(s - 1)))
        return;
    if (s == m_wrapStep && d1 == m_wrapControl)
        return;
    show_error(9, d1);
}

void SelfCheckModel::on_strip()
{
    const quint8 s = m_step;
    if (m_phase == 1) {
        if (m_data2 >= kStripTop) {
            m_view.setPrompt(QStringLiteral("下滑第%1个触摸条").arg(s + 1));
            m_phase = 0;
            play_beep(false);
        }
        return;
    }
    if (m_data2 > kStripBottom)
        return;
    m_view.setPrompt(QStringLiteral("上滑第2个触摸条"));
    m_phase = 1;
    play_beep(true);
    m_step = s + 1;
    if (m_stepKind[m_step] != KindKnob)
        return;
    if (m_singleModule) {
        restartModuleAfter(s);
    } else {
        m_view.setPrompt(QStringLiteral("右旋第1个旋钮"));
        m_phase = 1;
        m_stripsDone = 1;
    }
}

void SelfCheckModel::restartModuleAfter(quint8 control)
{
    start_module(m_selectedModule);
    m_wrapStep = m_step;
    m_wrapControl = control;
}

void SelfCheckModel::on_knob()
{
    const quint8 s = m_step;
    if (m_phase == 1) {
        m_view.setPrompt(QStringLiteral("右旋第%1个旋钮").arg(s - 1));
        if (m_data2 >= kKnobTop) {
            play_beep(true);
            m_phase = 0;
            m_view.setPrompt(QStringLiteral("左旋第%1个旋钮").arg(s - 1));
        }
        return;
    }
    if (m_data2 > kKnobBottom)
        return;
    play_beep(false);
    m_step = s + 1;
    m_phase = 1;
    m_view.setPrompt(QStringLiteral("右旋第%1个旋钮").arg(m_step - 1));
    if (m_stepKind[m_step] == KindButton) {
        m_view.setPrompt(QStringLiteral("按下亮灯的按钮"));
        send_test_led(m_buttonLed[0], 0x01, 0xFF, 0x00);
    }
}

void SelfCheckModel::on_button()
{
    const quint8 s = m_step;
    play_beep(m_phase == 1);
    if (s == 10 || s == 11) {
        send_test_led(0x80, 0, 0, 0);
        send_test_led(0x81, 0, 0, 0);
    }
    m_step = s + 1;
    send_test_led(0x00, 0xFE, 0xFF, 0x00);
    send_test_led(m_buttonLed[s + 1 - 10], 0x01, 0xFF, 0x00);
    if (m_stepKind[m_step] != KindPad)
        return;
    // The last button: the Bluetooth check, then the display test.
    if (!m_view.bluetoothLamp()) {
        m_bluetoothFailed = true;
        show_error(8, 0);
    }
    m_view.setPrompt(QCoreApplication::translate("SelfCheck", "检查显示屏显示是否有缺漏！\n蓝牙灯是否亮起！"));
    send_test_led(0x00, 0xFE, 0xFF, 0x00);
    m_displayTest = 1;
    m_displayIndex = 0;
}

void SelfCheckModel::on_pad()
{
    const quint8 s = m_step;
    if (m_data2 < kPadVelocity)
        return;
    play_beep(m_phase == 1);
    m_step = s + 1;
    send_pad_colours(m_padLed[s - 20], 0, 0, 0);
    if (m_stepKind[m_step] == KindPad)
        lightPad(m_step);
    else if (m_singleModule)
        restartModuleAfter(s);
    else
        m_view.setPrompt(QStringLiteral("琴键自检中"));
}

void SelfCheckModel::on_key()
{
    const quint8 s = m_step;
    const quint8 d2 = m_data2;
    switch (m_keyPhase) {
    case 0:
        if (d2 == 1) {
            play_beep(true);
            m_keyPhase = 1;
        }
        break;
    case 1:
        if (d2 == 3) {
            play_beep(false);
            m_keyPhase = 3;
        } else if (d2 == 1) {
            play_beep(true);
        }
        break;
    case 3:
        if (d2 != 1)
            break;
        m_keyPhase = 0;
        set_key_colour(m_keyButton[s - 28], 0, 255, 0);
        m_step = s + 1;
        if (m_stepKind[m_step] != KindPedal)
            break;
        if (m_singleModule) {
            restartModuleAfter(s);
            reset_key_colours();
        } else {
            m_view.setPrompt(QStringLiteral("请按下踏板↓"));
            m_phase = 1;
            m_pedalAwaited = 1;
        }
        break;
    default:
        break;
    }
}

void SelfCheckModel::on_pedal()
{
    if (m_phase == 1) {
        if (m_data2 >= kPedalDown) {
            play_beep(true);
            m_view.setPrompt(QStringLiteral("请抬起踏板↑"));
            m_phase = 0;
        }
        return;
    }
    if (m_data2 != 0)
        return;
    // A run whose Bluetooth check failed is not complete while the lamp is off.
    if (!m_singleModule && m_bluetoothFailed && !m_view.bluetoothLamp()) {
        show_error(8, 0);
        return;
    }
    play_beep(false);
    if (m_singleModule) {
        start_module(KindKnob);
    } else {
        m_view.setPrompt(QStringLiteral("自检完成！"));
        m_ledTest = 1;
        m_tick = 0;
        m_pedalAwaited = 0;
        m_stripsDone = 0;
    }
}

// ---- the operator ----------------------------------------------------------

void SelfCheckModel::start_rgb_test()
{
    m_ledTest = 1;
    m_tick = 0;
}

void SelfCheckModel::start_display_test()
{
    send_test_led(0x00, 0xFE, 0xFF, 0x00);
    m_displayTest = 1;
    m_displayTestOnDemand = 1;
}

void SelfCheckModel::set_whole_unit(bool checked)
{
    m_wholeUnit = checked ? 1 : 0;
    m_view.showKeybed(checked);
    m_singleModule = checked ? 0 : 1;
    if (checked) {
        restart_test();
        m_view.clearModuleSelection();
    }
    m_view.showModuleRow(!checked);
}

void SelfCheckModel::select_module(quint8 kind)
{
    m_selectedModule = kind;
    if (kind == KindStrip) {
        restart_test();
        return;
    }
    m_singleModule = 1;
    start_module(kind);
}

// ---- input -----------------------------------------------------------------

void SelfCheckModel::receive_midi(uint msg)
{
    if (msg == kIgnoredNote)
        return;
    m_status = quint8(msg);
    m_data1 = quint8(msg >> 8);
    m_data2 = quint8(msg >> 16);
    add_monitor_line(msg);
    // Messages without data bytes (clock, active sensing...) name no control.
    if (m_deviceType == 9 && selftest::isJudged(msg))
        check_step();
}

void SelfCheckModel::receive_frame(const uchar *frame, uint len)
{
    if (m_deviceType != 9 || len < SDeviceFrame::kHeaderSize)
        return;
    // Only what the frame really holds is read: a record cut short, or a
    // flash answer without its byte, is ignored.
    const uint payloadLength = framePayloadLength(frame);
    const uint received = len - SDeviceFrame::kHeaderSize;
    const uchar *payload = frame + SDeviceFrame::kOffsetPayload;
    switch (frame[SDeviceFrame::kOffsetCommand]) {
    case CMD_SYSTEM_CONFIG:
        m_answers.answered();
        if (payloadLength >= kSystemRecordSize && received >= kSystemRecordSize)
            m_view.setBluetoothLamp((payload[kBluetoothByte] & kBluetoothBit) != 0);
        break;
    case CMD_TEST_FLASH:
        if (payloadLength >= 1 && received >= 1 && payload[0] == 0)
            show_error(1, 0);
        break;
    default:
        break;
    }
}

void SelfCheckModel::device_removed()
{
    m_view.setBluetoothLamp(false);
    // The USB lamp goes out too, so that it does not show a link to a unit
    // that has gone; the next poll that goes out lights it again.
    m_view.setUsbLamp(false);
    restart_test();
}

void SelfCheckModel::relinked()
{
    m_answers.restart();
    // The unit forgot its LEDs with its test mode.
    switch (m_stepKind[m_step]) {
    case KindButton:
        send_test_led(m_buttonLed[m_step - 10], 0x01, 0xFF, 0x00);
        break;
    case KindPad:
        lightPad(m_step);
        break;
    default:
        break;
    }
}

void SelfCheckModel::tick()
{
    m_view.scrollMonitor();
    if (m_tick % 5 == 0) {
        if (m_out.sendPoll())
            m_view.setUsbLamp(true);
        else
            device_removed();
    }
    if (m_answers.tick()) {
        device_removed();
        m_out.unitSilent();
    }
    if (m_ledTest) {
        // Red, green, blue and white; the test LEDs take red as 01 FF 00,
        // the pads as 00 FF 00.
        struct Phase { quint8 tick; quint8 led[3]; quint8 pad[3]; };
        static const Phase phases[] = {
            {4, {0x01, 0xFF, 0x00}, {0x00, 0xFF, 0x00}},
            {8, {0xFF, 0x00, 0x00}, {0xFF, 0x00, 0x00}},
            {12, {0x00, 0x00, 0xFF}, {0x00, 0x00, 0xFF}},
            {16, {0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}},
        };
        for (const Phase &p : phases) {
            if (p.tick != m_tick)
                continue;
            send_test_led(0x80, p.led[0], p.led[1], p.led[2]);
            send_test_led(0x81, p.led[0], p.led[1], p.led[2]);
            send_pad_colours(kAllPads, p.pad[0], p.pad[1], p.pad[2]);
        }
        if (m_tick > 19) {
            m_tick = 0;
            m_ledTest = 0;
            restart_test();
        }
    }
    if (m_displayTest) {
        send_test_led(m_displayIndex, 0x01, 0xFF, 0x00);
        if (++m_displayIndex == kDisplayLeds) {
            m_displayTest = 0;
            m_displayIndex = 0;
            send_test_led(kLampAfterButtons, 0x01, 0xFF, 0x00);
            play_beep(m_phase == 1);
            if (m_displayTestOnDemand) {
                m_displayTestOnDemand = 0;
            } else if (m_singleModule) {
                // An error raised before (the Bluetooth check) stays up, as
                // in the whole-unit test: the module waits for the operator.
                const bool failed = m_errorShown;
                start_module(KindPedal);
                if (failed)
                    show_error(m_errorCode, m_errorControl);
                return; // this tick does not count
            } else {
                m_view.setPrompt(QStringLiteral("按下亮灯的Pad"));
                lightPad(m_step);
            }
        }
    }
    ++m_tick;
}
