// The keyboard self-test without its window: the step tables, the state of a
// run, the operator's actions, the 150 ms tick, and the frames that light the
// unit's LEDs. Frames and tones go through SelfTestOutput, what the window
// shows through SelfCheckView; the dialog implements both, the tests record.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "deviceframe.h"
#include "selftest/selftestoutput.h"

// Error texts of the keyboard self-test by code; there is no code 4.
extern const QHash<quint8, QString> g_selfCheckErrors;

// ---- pure builders ---------------------------------------------------------

// The keyboard's 55-byte CMD_PAD_COLOURS frame (62 bytes) into frame: index
// 0xFF puts the colour into all 18 triplets, an index below 18 into its own
// triplet only, the others stay 0. Returns 62, or 0 (nothing written) for any
// other index.
uint selfCheckPadColoursFrame(uchar *frame, quint8 index, quint8 c1, quint8 c2, quint8 c3);

// The style sheet of an on-screen key filled with r, g, b; its text takes the
// complementary colour.
QString selfCheckKeySheet(quint8 r, quint8 g, quint8 b);

// What the window shows for the model. The dialog implements it.
class SelfCheckView
{
public:
    virtual ~SelfCheckView() = default;

    // The prompt line (label_Message) and whether it is shown.
    virtual void setPrompt(const QString &text) = 0;
    virtual void showPrompt() = 0;
    // The error lines (label_ERR); an empty text clears them.
    virtual void setErrorLine(const QString &text) = 0;
    // On-screen key button 0..24 (white keys 0..14, black keys 15..24).
    virtual void paintKey(quint8 button, quint8 r, quint8 g, quint8 b) = 0;
    // The MIDI monitor: a line for a short message; the waiting lines go in,
    // and the list scrolls, at the next tick.
    virtual void addMonitorLine(uint message) = 0;
    virtual void clearMonitor() = 0;
    virtual void scrollMonitor() = 0;
    // The two lamps. The operator can click the Bluetooth lamp, so its state
    // is read back from the view.
    virtual bool bluetoothLamp() const = 0;
    virtual void setBluetoothLamp(bool on) = 0;
    virtual void setUsbLamp(bool on) = 0;
    // The keybed picture, the module row, and the module group's selection
    // moved onto the hidden buttons module so that no visible one shows chosen.
    virtual void showKeybed(bool on) = 0;
    virtual void showModuleRow(bool on) = 0;
    virtual void clearModuleSelection() = 0;
};

class SelfCheckModel
{
public:
    // Kinds of control; a module runs the steps of one kind (and the knobs'
    // module goes on through buttons, display test and pedal).
    enum Kind : quint8 { KindKnob = 0, KindPad = 1, KindButton = 2, KindKey = 3, KindStrip = 4, KindPedal = 5 };

    static constexpr int kSteps = 54;
    static constexpr int kKeys = 25;
    // The dialog's tick.
    static constexpr int kTickMs = 150;

    // ---- tables ----
    // Kind of each step: strips 0..1, knobs 2..9, buttons 10..19, pads
    // 20..27, keys 28..52, pedal 53.
    static const quint8 m_stepKind[kSteps];
    // Test LED of the button steps 10..19, then the lamp lit after them.
    static const quint8 m_buttonLed[11];
    // Colour index of the pad steps 20..27.
    static const quint8 m_padLed[8];
    // Control number expected at steps 12..19.
    static const quint8 m_buttonControl[8];
    // On-screen key button of the key steps 28..52, lowest key first.
    static const quint8 m_keyButton[kKeys];
    // Thresholds.
    static constexpr quint8 kStripBottom = 0, kStripTop = 127, kPedalDown = 127;
    static constexpr quint8 kKnobBottom = 0, kKnobTop = 10, kPadVelocity = 10;

    // Names of the kinds in error lines.
    static const QStringList m_kindNames;

    SelfCheckModel(quint8 deviceType, SelfTestOutput &out, SelfCheckView &view);

    // ---- the run ----
    // The whole test, or the selected module in single-module mode, from its
    // first step: clears errors, keybed, monitor and Bluetooth lamp, sends
    // CMD_TEST_START and the LED reset.
    void restart_test();
    // The first step of a kind's module becomes current.
    void start_module(quint8 kind);
    // Weighs the last short message against the current step.
    void check_step();
    // Raises an error: checks stop until the next restart or module start.
    void show_error(quint8 code, quint8 control);
    // The error line for a code and the control that caused it (0: none):
    // the control's place among the controls of its kind, counted in step
    // order, then the code's text.
    static QString errorLine(quint8 code, quint8 control);

    // ---- input ----
    // One short message from the unit, status | data1 << 8 | data2 << 16.
    void receive_midi(uint msg);
    // One device frame as received (len = bytes in the buffer).
    void receive_frame(const uchar *frame, uint len);
    // The unit has gone, or a poll could not be sent.
    void device_removed();
    // The window opened the unit's ports again and started its test mode:
    // the LED of the step it waits for (a button or a pad) is lit again.
    void relinked();
    // One tick of the 150 ms timer.
    void tick();

    // ---- the operator ----
    void reset_mode() { start_module(m_stepKind[m_step]); }   // F2
    void start_rgb_test();                                   // F3
    void start_display_test();                               // F4
    // pushButton_VX18 clicked with its new checked state.
    void set_whole_unit(bool checked);
    // A module button: the touch strips restart the test in the current
    // mode; the others start their module in single-module mode.
    void select_module(quint8 kind);

    // ---- output helpers ----
    void send_test_led(quint8 index, quint8 c1, quint8 c2, quint8 c3);
    void send_pad_colours(quint8 index, quint8 c1, quint8 c2, quint8 c3);
    void set_key_colour(quint8 button, quint8 r, quint8 g, quint8 b) { m_view.paintKey(button, r, g, b); }
    void reset_key_colours();
    void play_beep(bool high) { m_out.playTone(high); }

    // ---- state, read by the dialog and the tests ----
    quint8 deviceType() const { return m_deviceType; }
    quint8 step() const { return m_step; }
    quint8 tickCount() const { return m_tick; }
    quint8 phase() const { return m_phase; }
    quint8 keyPhase() const { return m_keyPhase; }
    quint8 displayIndex() const { return m_displayIndex; }
    quint8 selectedModule() const { return m_selectedModule; }
    bool singleModule() const { return m_singleModule != 0; }
    bool wholeUnit() const { return m_wholeUnit != 0; }
    bool errorShown() const { return m_errorShown != 0; }
    bool pedalAwaited() const { return m_pedalAwaited != 0; }
    bool stripsDone() const { return m_stripsDone != 0; }
    bool displayTest() const { return m_displayTest != 0; }
    bool displayTestOnDemand() const { return m_displayTestOnDemand != 0; }
    bool ledTest() const { return m_ledTest != 0; }

private:
    static quint8 expectedControl(quint8 step);
    void on_strip();
    void on_knob();
    void on_button();
    void on_pad();
    void on_key();
    void on_pedal();
    void led_reset();
    void add_monitor_line(uint msg);
    void lightPad(quint8 padStep);
    // Single-module mode: the module ended by control starts again.
    void restartModuleAfter(quint8 control);

    SelfTestOutput &m_out;
    SelfCheckView &m_view;
    quint8 m_status = 0, m_data1 = 0, m_data2 = 0;
    quint8 m_displayIndex = 0;
    quint8 m_keyPhase = 0;
    quint8 m_phase = 1;
    const quint8 m_deviceType;
    quint8 m_step = 0;
    quint8 m_tick = 0;
    quint8 m_selectedModule = 0;
    quint8 m_singleModule = 0;
    quint8 m_errorShown = 0;
    quint8 m_pedalAwaited = 0;
    quint8 m_stripsDone = 0;
    quint8 m_displayTest = 0;
    quint8 m_ledTest = 0;
    quint8 m_wholeUnit = 0;
    uchar m_txFrame[100] = {};
    quint8 m_displayTestOnDemand = 0;
    // The error on screen, for what must show it again.
    quint8 m_errorCode = 0, m_errorControl = 0;
    // A module of single-module mode that has just started again: its first
    // step ignores the control that ended it, as a step ignores the one before.
    quint8 m_wrapStep = 0xFF, m_wrapControl = 0xFF;
    // This run's Bluetooth check failed; the run cannot complete until the
    // lamp is on.
    bool m_bluetoothFailed = false;
    selftest::AnswerWatch m_answers{kTickMs};
};
