#include "padtestmodel.h"

#include <QFileInfo>
#include <QSettings>

#include "devices/shared/pageframes.h"

namespace padtest {

namespace {

constexpr uchar kKeyTableSize = 28;

// Both directions of the key table: from a step to the index of the LED that
// lights its control, and from a data1 to a control number.
constexpr uchar kKeyTablePad[kKeyTableSize] = {
    3, 4, 5, 0, 1, 2, 17, 16, 6, 7, 8, 9, 12, 13, 14, 15, 8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3};
constexpr uchar kKeyTableSmallPad[kKeyTableSize] = {
    0, 1, 2, 3, 4, 5, 17, 16, 6, 7, 8, 9, 12, 13, 14, 15, 8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3};

constexpr uchar kLedBit = 0x80;
constexpr uchar kStatusByteSmallPad = 28;
constexpr uchar kStatusBytePad = 29;
constexpr uchar kBitMidiCable = 0x40;
constexpr uchar kBitBluetooth = 0x80;
constexpr int kNoControl = -1;

// A limit as the file holds it: an integer within [lo, hi], or nothing.
bool readLimit(const QSettings &settings, const char *key, int lo, int hi, uchar *out)
{
    bool ok = false;
    const int value = settings.value(QLatin1String(key)).toString().trimmed().toInt(&ok);
    if (!ok || value < lo || value > hi)
        return false;
    *out = uchar(value);
    return true;
}

} // namespace

uchar keyTable(uchar deviceId, uchar k)
{
    if (k >= kKeyTableSize)
        return 0;
    return deviceId == 8 ? kKeyTableSmallPad[k] : kKeyTablePad[k];
}

uchar ledIndex(uchar deviceId, uchar step)
{
    if (step < kFirstButtonStep || step > kLastStep)
        return kLedNone;
    uchar index = keyTable(deviceId, uchar(step - kFirstButtonStep));
    if (step == 14 || step == 15 || step >= kFirstPadStep)
        index |= kLedBit;
    return index;
}

int controlNumber(uchar deviceId, uchar data1)
{
    if (data1 > kLastStep)
        return kNoControl;
    if (data1 >= 8 && data1 <= 13)
        return 8 + keyTable(deviceId, uchar(data1 - 8));
    if (data1 >= kFirstPadStep)
        return kFirstPadStep + keyTable(deviceId, uchar(data1 - 8));
    return data1;
}

Group groupOf(uchar step)
{
    if (step < kFirstButtonStep)
        return GroupKnobs;
    return step < kFirstPadStep ? GroupButtons : GroupPads;
}

uint lightStepFrame(uchar *out, uchar deviceId, uchar step)
{
    return selftest::testLedFrame(out, ledIndex(deviceId, step), 0x00, 0xFF, 0x00);
}

uint padColoursFrame(uchar *out, uchar index, uchar c1, uchar c2, uchar c3)
{
    uchar *p = out + SDeviceFrame::kOffsetPayload;
    p[0] = index;
    for (uint i = 1; i < kPadColoursPayload; i += 3) {
        p[i] = c1;
        p[i + 1] = c2;
        p[i + 2] = c3;
    }
    return buildFrame(out, CMD_PAD_COLOURS, kPadColoursPayload);
}

uint testFlashFrame(uchar *out)
{
    return buildFrame(out, CMD_TEST_FLASH, 0);
}

bool readLimits(const QString &path, SLimits *out)
{
    *out = kShippedLimits;
    if (!QFileInfo(path).isFile())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("RZ-7"));
    SLimits read = kShippedLimits;
    const bool ok = readLimit(settings, "KnobMin", 0, 127, &read.knobMin)
                    && readLimit(settings, "KnobMax", 1, 127, &read.knobMax)
                    && readLimit(settings, "PadMax", 1, 127, &read.padMax);
    readLimit(settings, "PadMin", 0, 255, &read.padMin);
    settings.endGroup();
    // A knob whose return lies at or above its top would pass at any value.
    if (!ok || read.knobMin >= read.knobMax)
        return false;
    *out = read;
    return true;
}

QString errorText(uchar code)
{
    switch (code) {
    case 0:
        return QStringLiteral(".ini 文件错误！请尝试重启软件！");
    case 1:
        return QStringLiteral("Flash 存储错误！请重新测试！");
    case 2:
        return QStringLiteral("旋钮检测失败！请标记错误！");
    case 3:
        return QStringLiteral("按键检测失败！请标记错误！");
    case 5:
        return QStringLiteral("USB线未连接！连接后点重新测试！");
    case 6:
        return QStringLiteral("MIDI线未连接！连接后点重新测试！");
    case 7:
        return QStringLiteral("蓝牙未连接，请连接校准仪！");
    case 8:
        return QStringLiteral("自检失败，请重新自检！");
    case 9:
        return QStringLiteral("WAV文件缺失！");
    default:
        return QStringLiteral("自检出错，请重新自检！");
    }
}

QString knobPrompt(bool turnBack, uint number)
{
    return (turnBack ? QStringLiteral("左旋第%1个旋钮") : QStringLiteral("右旋第%1个旋钮")).arg(number);
}

QString windowTitle(uchar deviceId)
{
    return deviceId == 8 ? QStringLiteral("RZ-Nano 自检模式") : QStringLiteral("RZ-7 自检模式");
}

} // namespace padtest

using namespace padtest;

CPadTestModel::CPadTestModel(uchar deviceId, SelfTestOutput &out)
    : m_out(out), m_deviceId(deviceId), m_knobText(knobPrompt(false, 1))
{
}

void CPadTestModel::initDialog()
{
    m_errorShown = false;
    m_lampsCheckable = true;
    m_lamps[LampUsb] = true;
    if (isSmallPad())
        lightStep(kFirstButtonStep);
    m_out.sendPoll();
}

void CPadTestModel::restartTest()
{
    // A restart forgets the flash test that the last unit still owed.
    m_flashWait = 0;
    m_flashFailed = false;
    m_errorShown = false;
    m_stepTouched = false;
    m_wrapped = false;
    m_out.sendTestStart();
    lightStep(kLedNone);
    m_title = windowTitle(m_deviceId);
    if (isSmallPad()) {
        m_step = kFirstButtonStep;
        lightStep(m_step);
    } else {
        m_step = 0;
        m_waitKnobMax = true;
        m_knobText = knobPrompt(false, 1);
    }
    // The group that restart_module restarts is always the current step's.
    m_module = groupOf(m_step);
}

void CPadTestModel::restartModule()
{
    m_flashWait = 0;
    m_flashFailed = false;
    m_errorShown = false;
    m_stepTouched = false;
    m_wrapped = false;
    m_out.sendTestStart();
    lightStep(kLedNone);
    switch (m_module) {
    case GroupKnobs:
        m_step = 0;
        m_knobText = knobPrompt(false, 1);
        break;
    case GroupButtons:
        m_step = kFirstButtonStep;
        lightStep(m_step);
        break;
    case GroupPads:
        m_step = kFirstPadStep;
        lightStep(m_step);
        break;
    default:
        break;
    }
    m_waitKnobMax = true;
}

void CPadTestModel::startColourTest()
{
    m_ledTest = true;
    m_tick = 0;
}

void CPadTestModel::lightStep(uchar step)
{
    uchar frame[selftest::kTestLedFrameSize];
    m_out.sendFrame(frame, lightStepFrame(frame, m_deviceId, step));
}

void CPadTestModel::relightStep(uchar step)
{
    if (step >= kFirstButtonStep)
        lightStep(step);
}

void CPadTestModel::sendPadColours(uchar index, uchar c1, uchar c2, uchar c3)
{
    uchar frame[kPadColoursFrameSize];
    m_out.sendFrame(frame, padColoursFrame(frame, index, c1, c2, c3));
}

void CPadTestModel::receiveMessage(uint message)
{
    if ((message & 0xFFFFFF) == 0x7F4490)
        return;
    if (!selftest::isJudged(message))
        return;
    const int control = controlNumber(m_deviceId, uchar((message >> 8) & 0xFF));
    if (control == kNoControl)
        return;
    judge(control, uchar((message >> 16) & 0xFF));
}

int CPadTestModel::previousControl() const
{
    if (m_wrapped)
        return kLastStep;
    if (m_step == 0)
        return kNoControl;
    if (isSmallPad() && m_step == kFirstPadStep)
        return kLastSmallPadButton;
    return uchar(m_step - 1);
}

void CPadTestModel::judge(int control, uchar value)
{
    if (control == m_step) {
        m_stepTouched = true;
        if (control < kFirstButtonStep) {
            if (m_waitKnobMax) {
                if (value >= m_limits.knobMax) {
                    m_waitKnobMax = false;
                    m_out.playTone(false);
                    m_knobText = knobPrompt(true, m_step + 1u);
                }
            } else if (value <= m_limits.knobMin) {
                m_waitKnobMax = true;
                stepPassed();
            }
        } else if (control < kFirstPadStep) {
            stepPassed();
        } else if (value >= m_limits.padMax) {
            stepPassed();
        }
        return;
    }
    if (m_stepTouched && control < kFirstPadStep) {
        showError(8);
        return;
    }
    m_module = groupOf(m_step);
    if (control == previousControl())
        return;
    showError(m_module);
}

void CPadTestModel::stepPassed()
{
    if (m_errorShown)
        return;
    m_stepTouched = false;
    if (!isSmallPad() && !m_lamps[LampMidi]) {
        showError(6);
        return;
    }
    if (!m_lamps[LampUsb]) {
        showError(5);
        return;
    }
    if (m_step > 27 && !m_lamps[LampBluetooth]) {
        showError(7);
        return;
    }
    m_out.playTone(true);
    m_wrapped = false;
    ++m_step;
    if (isSmallPad() && m_step == kLastSmallPadButton + 1)
        m_step = kFirstPadStep;
    if (m_step > kLastStep) {
        startColourTest();
        m_step = firstStep();
        m_wrapped = true;
        uchar frame[SDeviceFrame::kOverhead];
        m_out.sendFrame(frame, testFlashFrame(frame));
        // A unit that never answers has not shown its flash to be good.
        m_flashWait = kFlashWaitTicks;
    }
    m_module = groupOf(m_step);
    if (m_step < kFirstButtonStep) {
        m_knobText = knobPrompt(false, m_step + 1u);
    } else {
        lightStep(m_step);
        if (isSmallPad() && m_step == 11)
            sendPadColours(kSmallPadStepColourIndex, 0x00, 0xFF, 0x00);
    }
}

void CPadTestModel::showError(uchar code)
{
    m_errorShown = true;
    m_lastError = code;
}

void CPadTestModel::receiveFrame(const uchar *frame, uint len)
{
    if (len < SDeviceFrame::kHeaderSize)
        return;
    const uint payloadLength = framePayloadLength(frame);
    if (len - SDeviceFrame::kHeaderSize < payloadLength)
        return;
    switch (frame[SDeviceFrame::kOffsetCommand]) {
    case CMD_SYSTEM_CONFIG: {
        m_answers.answered();
        uchar record[kStatusRecordSize];
        if (!pagekit::parseSystemRecord(frame, len, record, kStatusRecordSize))
            return;
        if (isSmallPad()) {
            m_lamps[LampBluetooth] = record[kStatusByteSmallPad] & kBitBluetooth;
        } else {
            m_lamps[LampMidi] = record[kStatusBytePad] & kBitMidiCable;
            m_lamps[LampBluetooth] = record[kStatusBytePad] & kBitBluetooth;
        }
        return;
    }
    case CMD_TEST_FLASH:
        // Only the answer awaited counts: a late one, or one after a
        // restart, belongs to no test of this unit. An answer without its
        // result byte is no answer.
        if (m_flashWait == 0 || payloadLength < 1)
            return;
        m_flashWait = 0;
        if (frame[SDeviceFrame::kOffsetPayload] == 0)
            failFlash();
        return;
    default:
        return;
    }
}

void CPadTestModel::deviceRemoved()
{
    // No lamp stays green for a unit that has gone; the next status record
    // and poll light them again.
    m_lamps[LampUsb] = false;
    m_lamps[LampMidi] = false;
    m_lamps[LampBluetooth] = false;
    const bool flashFailed = m_flashFailed || m_flashWait > 0;
    restartTest();
    if (flashFailed)
        failFlash();
}

void CPadTestModel::failFlash()
{
    m_flashWait = 0;
    m_flashFailed = true;
    showError(1);
}

void CPadTestModel::relinked()
{
    m_answers.restart();
    relightStep(m_step);
}

void CPadTestModel::tick()
{
    if (m_tick % 5 == 0) {
        if (m_out.sendPoll()) {
            m_lamps[LampUsb] = true;
            if (!m_ledTest && isSmallPad() && m_step >= kFirstButtonStep && m_step != 11)
                lightStep(m_step);
        } else {
            deviceRemoved();
        }
    }
    if (m_answers.tick()) {
        deviceRemoved();
        m_out.unitSilent();
    }
    if (m_flashWait > 0 && --m_flashWait == 0)
        failFlash();
    if (m_ledTest)
        colourTestTick();
    ++m_tick;
}

void CPadTestModel::colourTestTick()
{
    switch (m_tick) {
    case 4:
        sendPadColours(kAllPads, 0x00, 0xFF, 0x00);
        return;
    case 8:
        sendPadColours(kAllPads, 0xFF, 0x00, 0x00);
        return;
    case 12:
        sendPadColours(kAllPads, 0x00, 0x00, 0xFF);
        return;
    case 16:
        sendPadColours(kAllPads, 0xFF, 0xFF, 0xFF);
        return;
    default:
        break;
    }
    if (m_tick >= kColourTestTicks) {
        m_tick = 0;
        m_ledTest = false;
        lightStep(kLedNone);
    }
}
