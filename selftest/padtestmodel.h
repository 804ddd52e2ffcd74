// The pad self-test of the two pad controllers (model 7 with knobs, buttons
// and pads; model 8 with buttons and pads) without its widgets: the step
// machine, the matching of the unit's short messages, the status lamps, the
// error state, the LED colour test and the 200 ms tick. The dialog feeds it
// what the unit and the operator do and shows its state; frames and tones go
// out through a SelfTestOutput.
#pragma once

#include <QString>

#include "selftestoutput.h"

namespace padtest {

// Steps: 0..7 the knobs (model 7 only), 8..19 the buttons (model 8 uses 8..13
// and goes from 13 straight to 20), 20..35 the pads.
constexpr uchar kFirstButtonStep = 8;
constexpr uchar kFirstPadStep = 20;
constexpr uchar kLastStep = 35;
constexpr uchar kLastSmallPadButton = 13;
// The test-LED index that names no control.
constexpr uchar kLedNone = 100;
// CMD_PAD_COLOURS as the self-test sends it: an index and 18 triplets.
constexpr uint kPadColoursPayload = 55;
constexpr uint kPadColoursFrameSize = kPadColoursPayload + SDeviceFrame::kOverhead;
constexpr uchar kAllPads = 0xFF;
constexpr uchar kSmallPadStepColourIndex = 16;
// The status record of both pad models.
constexpr uint kStatusRecordSize = 32;
// The dialog's tick; the LED colour test's ticks, and the flash test's
// answer awaited no longer than the colour test runs.
constexpr int kTickMs = 200;
constexpr int kColourTestTicks = 20;
constexpr int kFlashWaitTicks = kColourTestTicks;

// Groups of controls; the value is also the error code of a wrong control.
enum Group : uchar { GroupKnobs = 2, GroupButtons = 3, GroupPads = 4 };
enum Lamp : uchar { LampBluetooth, LampMidi, LampUsb, LampCount };

// Index k (0..27) of the model's key table, which stands for the number
// k + 8: maps a step to its test LED and a data1 to a control number.
uchar keyTable(uchar deviceId, uchar k);
// The test-LED index of a step from 8 to 35 (bit 7 set for steps 14, 15 and
// the pads); kLedNone for kLedNone and for any number outside 8..35.
uchar ledIndex(uchar deviceId, uchar step);
// The control number that a data1 stands for; -1 above 35 (no control).
int controlNumber(uchar deviceId, uchar data1);
// The group of a step.
Group groupOf(uchar step);

// Frames, built into out; each returns the frame's length.
uint lightStepFrame(uchar *out, uchar deviceId, uchar step); // 11 bytes
uint padColoursFrame(uchar *out, uchar index, uchar c1, uchar c2, uchar c3); // 62 bytes
uint testFlashFrame(uchar *out); // 7 bytes

// The limits of "SelfCheck.ini" (group "RZ-7").
struct SLimits
{
    uchar knobMin = 5;
    uchar knobMax = 120;
    uchar padMin = 10;
    uchar padMax = 40;
};
// The values the file ships with.
constexpr SLimits kShippedLimits{};
// Reads the file. False when it is missing or when "KnobMin", "KnobMax" or
// "PadMax" is missing, not an integer or out of range (KnobMin 0..127,
// KnobMax and PadMax 1..127), or when KnobMin is not below KnobMax: out then
// holds the shipped values for all three.
// "PadMin" is read as it stands and used by no check.
bool readLimits(const QString &path, SLimits *out);

// The banner text of an error code; code 4 and unknown codes give the
// general "self-test failed" text.
QString errorText(uchar code);
// "右旋第%1个旋钮" (turn up) or "左旋第%1个旋钮" (turn back down).
QString knobPrompt(bool turnBack, uint number);
// "RZ-7 自检模式" or "RZ-Nano 自检模式".
QString windowTitle(uchar deviceId);

} // namespace padtest

class CPadTestModel
{
public:
    // deviceId 7 or 8; out receives every frame and tone.
    CPadTestModel(uchar deviceId, SelfTestOutput &out);

    // ---- construction, restarts and operator actions ----
    // Lamps made ready (USB on), model 8 lights its first button, the first poll.
    void initDialog();
    // The whole test from its first step; the LED colour test and the tick run on.
    void restartTest();
    // The current group from its first step.
    void restartModule();
    // Starts (or starts anew) the LED colour test.
    void startColourTest();
    void setLimits(const padtest::SLimits &limits) { m_limits = limits; }
    // A click on a lamp toggles it; the dialog reports it here.
    void setLamp(padtest::Lamp lamp, bool on) { m_lamps[lamp] = on; }

    // ---- from the unit ----
    // One short message (status | data1 << 8 | data2 << 16).
    void receiveMessage(uint message);
    // One unpacked device frame of len bytes.
    void receiveFrame(const uchar *frame, uint len);
    // The unit has gone, fallen silent, or a poll could not be sent: lamps
    // off, restart. A flash test it leaves unanswered has failed, and its
    // error stays through this restart.
    void deviceRemoved();
    // The window opened the unit's ports again and started its test mode:
    // the current step is lit again.
    void relinked();
    // The 200 ms tick: the poll every fifth tick and the LED colour test.
    void tick();

    // ---- the step machine's own operations ----
    void lightStep(uchar step);
    // Lights a button or pad step again; knob steps have no LED.
    void relightStep(uchar step);
    void stepPassed();
    void showError(uchar code);

    // ---- state ----
    uchar deviceId() const { return m_deviceId; }
    uchar step() const { return m_step; }
    bool waitKnobMax() const { return m_waitKnobMax; }
    bool stepTouched() const { return m_stepTouched; }
    uchar module() const { return m_module; }
    uchar tickCount() const { return m_tick; }
    bool ledTest() const { return m_ledTest; }
    bool errorShown() const { return m_errorShown; }
    // The code of the last error (the banner's text); -1 before any.
    int lastError() const { return m_lastError; }
    bool lamp(padtest::Lamp lamp) const { return m_lamps[lamp]; }
    bool lampsCheckable() const { return m_lampsCheckable; }
    const padtest::SLimits &limits() const { return m_limits; }
    // The knob prompt: its text, and whether the knob labels or the press
    // label shows (the knob label exactly on knob steps).
    const QString &knobText() const { return m_knobText; }
    bool knobStep() const { return m_step < padtest::kFirstButtonStep; }
    const QString &title() const { return m_title; }

private:
    bool isSmallPad() const { return m_deviceId == 8; }
    uchar firstStep() const { return isSmallPad() ? padtest::kFirstButtonStep : 0; }
    int previousControl() const;
    void judge(int control, uchar value);
    void colourTestTick();
    // The flash test failed: error 1, held until the operator restarts.
    void failFlash();
    void sendPadColours(uchar index, uchar c1, uchar c2, uchar c3);

    SelfTestOutput &m_out;
    const uchar m_deviceId;
    bool m_waitKnobMax = true;
    uchar m_step = 0;
    bool m_ledTest = false;
    bool m_errorShown = false;
    uchar m_tick = 0;
    bool m_stepTouched = false;
    // The last step passed and the test began again: the last pad, still
    // being released, is the first step's previous control.
    bool m_wrapped = false;
    uchar m_module = padtest::GroupKnobs;
    int m_lastError = -1;
    bool m_lamps[padtest::LampCount] = {false, false, false};
    bool m_lampsCheckable = false;
    padtest::SLimits m_limits;
    // Ticks left for the flash test's answer; 0 while none is awaited.
    int m_flashWait = 0;
    // The flash test failed since the operator last restarted the test or
    // the group: the restarts a lost unit causes show its error again.
    bool m_flashFailed = false;
    selftest::AnswerWatch m_answers{padtest::kTickMs};
    QString m_knobText;
    QString m_title;
};
