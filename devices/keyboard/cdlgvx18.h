// The editor page of the 25-key keyboard controller. A thin view over
// CVX18Model: it shows the block and the system record, turns the user's edits
// into frames, and hands every frame from the device to the model.
#pragma once

#include <QPointer>
#include <QString>

#include "cbasedlg.h"
#include "devices/keyboard/vx18model.h"

class QCloseEvent;
class QPushButton;
class QTimerEvent;
class TouchComboBox;
class CVX18Child;
class CDlgPreset;
class cDlgPadLevel;
class cUpgrade;
class Ui_CDlgVX18;
class MidiMonitorList;

class CDlgVX18 : public CBaseDlg
{
    Q_OBJECT
public:
    CDlgVX18(CBaseDlg *owner, QWidget *parent = nullptr);
    ~CDlgVX18() override;

    // ---- from the connection window ----------------------------------------
    void Slots_recv_frame(const uchar *frame, uint len) override;
    void Slots_recv_sysex(const uchar *msg, uint len) override;
    void Slots_recv_midi(uint message) override;
    void Slots_change_language() override;

    // ---- state, for the dialogs the page opens and for tests ----------------
    CVX18Model &model() { return m_model; }
    Ui_CDlgVX18 *form() const { return m_ui; }
    MidiMonitorList *monitor() const { return m_monitor; }
    bool isRefreshing() const { return m_refreshing; }
    CVX18Child *childDialog() const;

    // ---- senders: each builds one frame and sends it -----------------------
    void send_frame(const uchar *frame, uint len);
    void send_request_preset(uchar byPreset);
    void send_system_config();
    void send_wheel_pedal();
    void send_keybed();
    void send_key_data();
    void send_pad_data();
    void send_knob_data();
    void send_sysex_pool();
    void send_config_data();

    // ---- view -----------------------------------------------------------------
    void update_system_ui();
    void update_ui();
    void update_pad_text(int nIndex);
    void set_pad_style(uchar r, uchar g, uchar b, QWidget *pButton);
    void update_window_title();

    // ---- slots -------------------------------------------------------------------
    void click_page_switch();
    // The per-control dialog: kind 0 knob, 1 pad, 2 button, 3 slide and pedal,
    // 4 keybed.
    void open_child_dialog(int kind, int index);
    void click_keybed();
    void click_pitch() { open_child_dialog(3, 0); }
    // The preset switch of comboBox_Preset, with its save question when edits
    // are unsaved.
    void toggle_preset_question(int nPreset);

    // ---- toolbar ---------------------------------------------------------------
    void click_save();
    void click_reset();
    void click_preset_list();
    void click_pad_level();
    void slots_send_pad_level();
    void click_update();
    CDlgPreset *presetDialog() const;
    cDlgPadLevel *padLevelDialog() const;
    cUpgrade *upgradeDialog() const;

    // ---- files -------------------------------------------------------------------
    // Save (pushButton_Out) or load (pushButton_In) a ".vx18" preset file.
    void click_preset_file();
    // A preset file chosen in the online list: loaded, shown and written whole.
    void slots_VX18_apply_preset(QString strPath);
    // Ctrl+S: the 755 block bytes to a ".bin" file.
    void click_save_config_bin();
    // An empty path asks for one.
    void save_config_data_to_XML(const SVX18ConfigData &config, const QString &strPath);
    bool load_config_data_from_XML(SVX18ConfigData &config, const QString &strPath);
    void slots_click_ok_send(quint8 byFlag);
    void slots_change_rgb(quint8 byPadIndex);

protected:
    void timerEvent(QTimerEvent *event) override;
    // With unsaved edits: "Save the data to the device?" with Yes, No and
    // Cancel; then the close frame and back to the connection window. Escape
    // comes here too.
    void closeEvent(QCloseEvent *event) override;

private:
    void init_ui();
    void init_connect();
    void change_bank(bool bPad, int nIndex);
    void change_list(vx18::List list, int nIndex);
    void change_switch(vx18::Switch sw, bool bOn);
    TouchComboBox *listCombo(vx18::List list) const;
    QPushButton *switchButton(vx18::Switch sw) const;
    QPushButton *padButton(int nIndex) const;
    // The open dialog edits one bank of the block: it goes when that bank stops
    // being current or the block is replaced.
    void close_child_dialog();
    void close_stale_child_dialog();
    // A block from a file replaces the page's: texts, pads, the device.
    void apply_loaded_block();
    // Loading (a preset switch, a preset file) is over: a block the device
    // sent meanwhile was dropped, so it is asked for again.
    void release_loading();

    Ui_CDlgVX18 *m_ui = nullptr;
    MidiMonitorList *m_monitor = nullptr; // over listWidget_show, 500 lines
    CVX18Model m_model;
    uchar m_txFrame[vx18::kTxBufferSize];
    int m_timerId = 0;
    bool m_refreshing = false;
    QPointer<CVX18Child> m_childDialog;
    QPointer<QDialog> m_presetDialog;
    QPointer<QDialog> m_padLevelDialog;
    QPointer<QDialog> m_upgradeDialog;
    // The preset the combo showed before a switch that is being asked about.
    int m_shownPreset = 0;
};
