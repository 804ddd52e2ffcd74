// The factory self-test of the two pad controllers (model 7 and model 8): a
// thin view over CPadTestModel. It shows the model's prompt, lamps and error
// banner, lists every short message in its hidden monitor (F11), and hands
// the unit's messages and frames, the operator's buttons and its 200 ms timer
// to the model.
#pragma once

#include "selftest/padtestmodel.h"
#include "selftest/selftestpage.h"

#include <QVector>

class QPushButton;
class QTimerEvent;
class Ui_cTestDlg;

class cTestDlg : public SelfTestPage
{
    Q_OBJECT
public:
    cTestDlg(CBaseDlg *owner, uchar deviceId, QWidget *parent = nullptr);
    ~cTestDlg() override;

    // ---- from the connection window ----
    void Slots_recv_frame(const uchar *frame, uint len) override;
    void Slots_recv_sysex(const uchar *, uint) override {}
    void Slots_recv_midi(uint message) override;
    void Slots_device_removed() override;
    void unit_relinked() override;

    // ---- the test's operations ----
    void init_dialog();
    void restart_test();
    void restart_module();
    void start_colour_test();
    void light_step(uchar step);
    void relight_step(uchar step);
    void step_passed();
    void show_error(uchar code);
    void send_pad_colours(uchar index, uchar c1, uchar c2, uchar c3);
    void read_limits();
    void load_sounds();
    void set_monitor_visible(bool visible);
    // The 200 ms timer's work: the monitor's scroll, then the model's tick.
    void tick();

    // ---- state, for tests ----
    CPadTestModel &model() { return m_model; }
    Ui_cTestDlg *form() const { return ui; }
    uchar deviceId() const { return m_model.deviceId(); }

protected:
    void timerEvent(QTimerEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Brings the widgets in line with the model.
    void show_state();
    struct SLampButton
    {
        QPushButton *button;
        padtest::Lamp lamp;
    };
    QVector<SLampButton> lamp_buttons() const;

    CPadTestModel m_model;
    Ui_cTestDlg *ui;
    int m_timerId = 0;
};
