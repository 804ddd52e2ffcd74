// The keyboard controller's factory self-test: the window over SelfCheckModel.
// It leads the operator through every control of one unit after another,
// shows the prompt, the error lines, the two status lamps, the keybed and
// the MIDI monitor, and sends the model's frames through its owner.
#pragma once

#include "selftest/selfcheckmodel.h"
#include "selftest/selftestpage.h"

class QButtonGroup;
class Ui_SelfCheck;

class SelfCheck : public SelfTestPage, private SelfCheckView
{
    Q_OBJECT
public:
    SelfCheck(quint8 deviceType, CBaseDlg *owner, QWidget *parent = nullptr);
    ~SelfCheck() override;

    void Slots_recv_frame(const uchar *frame, uint len) override;
    void Slots_recv_sysex(const uchar *, uint) override {}
    void Slots_recv_midi(uint msg) override;
    void Slots_device_removed() override;
    void unit_relinked() override { m_model.relinked(); }

    // ---- the test's operations ----
    void restart_test() { m_model.restart_test(); }
    void start_module(quint8 kind) { m_model.start_module(kind); }
    void show_error(quint8 code, quint8 control) { m_model.show_error(code, control); }
    void load_sounds();

    // ---- state, for tests ----
    Ui_SelfCheck *form() const { return ui; }
    SelfCheckModel &model() { return m_model; }
    int timerId() const { return m_timerId; }

protected:
    void timerEvent(QTimerEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // SelfCheckView
    void setPrompt(const QString &text) override;
    void showPrompt() override;
    void setErrorLine(const QString &text) override;
    void paintKey(quint8 button, quint8 r, quint8 g, quint8 b) override;
    void addMonitorLine(uint message) override;
    void clearMonitor() override;
    void scrollMonitor() override;
    bool bluetoothLamp() const override;
    void setBluetoothLamp(bool on) override;
    void setUsbLamp(bool on) override;
    void showKeybed(bool on) override;
    void showModuleRow(bool on) override;
    void clearModuleSelection() override;

    void connectActions();

    Ui_SelfCheck *ui;
    SelfCheckModel m_model;
    int m_timerId = 0;
    QButtonGroup *m_moduleGroup = nullptr;
};
