// The editor page of the foot pedal with firmware 4 and below. The pedal
// answers the connection window's poll with its whole 1,184-byte image; the
// page checks it, shows it and keeps it in m_config. Every edit changes
// m_config and sends the frame that carries the changed group at once; the
// pedal reports preset changes with CMD_PEDAL_MODE. There is no save command
// and no close frame.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QString>

#include "cbasedlg.h"
#include "devices/pedal_old/midiconfig.h"
#include "devices/pedal_old/masterframes.h"

class CDlgPreset;
class cPedal;
class cUpgrade;
class cValueKey;
class QCloseEvent;
class QEvent;
class MidiMonitorList;
class QListWidget;
class QRadioButton;
class Ui_master;

class master : public CBaseDlg
{
    Q_OBJECT
public:
    master(CBaseDlg *owner, QWidget *parent = nullptr);
    ~master() override;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void Slots_recv_frame(const uchar *frame, uint len) override;
    void Slots_recv_sysex(const uchar *data, uint len) override;
    void Slots_recv_midi(uint msg) override;
    void Slots_change_language() override { change_language(); }

public slots:
    // Answers of the entry dialogs: an event {status, channel, data1, data2},
    // a SysEx text of hexadecimal pairs, an expression entry {channel,
    // controller, minimum, maximum}.
    void slots_key_midi_event(QList<int> nData);
    void slots_key_midi_sysex(QString &strSysEx);
    void slots_pedal_list(QList<int> nData);
    // Sends the factory reset without asking.
    void slots_click_reset();
    // A preset file on disk (from the online preset list; an empty path asks
    // for one): loaded, shown and sent whole to the pedal.
    void slots_Z3_apply_preset(QString strPath);

public:
    // ---- state, for tests -----------------------------------------------------
    const SMIDIConfigData &config() const { return m_config; }
    Ui_master *form() const { return ui; }
    int currentSwitch() const { return int(m_currentSwitch); }
    bool isUpdating() const { return m_updating; }
    MidiMonitorList *monitor() const { return m_monitor; }

    // ---- the spine ----------------------------------------------------------------
    // Writes m_config into every widget and sends the preset selection.
    void update_ui();
    // Part of update_ui: the action rows and the selection frame; returns the
    // preset 1..5 the page shows.
    int send_current_preset();
    void change_language();
    void click_group_button();

    // ---- foot switches: selection, action, lists ---------------------------------
    void click_checkbox_switch();
    void click_combobox_type(int index);
    void refresh_list1() { refresh_events(1); }
    void refresh_list2() { refresh_events(2); }
    void refresh_sysex1() { refresh_sysex(1); }
    void refresh_sysex2() { refresh_sysex(2); }
    void set_list_labels(uchar type);
    void show_list2_widgets(uchar type);
    void send_switch_data(int switchIndex);

    // ---- editing the lists ----------------------------------------------------------
    void click_button_add();
    void double_click_list_item();
    void click_button_del();
    void click_button_remove();
    // Stores the hexadecimal pairs of text (at most 64 bytes and a zero after
    // them) as the SysEx message of the event dialog's list.
    void parse_key_sysex(const QString &text);
    void click_pedal_add();
    void delete_list_item(int row);
    void click_pedal_del();
    cValueKey *keyDialog() const { return m_keyDialog; }
    cPedal *pedalDialog() const;

    // ---- expression list and Customize1 switches -----------------------------------
    void update_pedal_list();
    void send_pedal_data();
    void click_switch_setting(int);
    void update_switch_setting();
    void send_switch_setting();

    // ---- display characters and preset choice --------------------------------------
    void click_combobox_preset(int row);
    void send_preset_select(int preset);
    void show_preset_display(int preset);
    void click_preset_display();
    void click_switch_display();
    void update_switch_view();

    // ---- toolbar -----------------------------------------------------------------------
    // Save or load, by the button that was pressed.
    void click_preset_file();
    // Writes image as a ".z3" file; an empty path asks the user for one.
    void save_preset_file(const SMIDIConfigData &image, const QString &strPath);
    // Reads a ".z3" file into image (an empty path asks the user for one).
    // image changes only when the whole file is good and its image passes the
    // pedal's own check; true then.
    bool load_preset_file(SMIDIConfigData &image, const QString &strPath);
    void click_preset_list();
    void click_upgrade();
    CDlgPreset *presetDialog() const;
    cUpgrade *upgradeDialog() const;
    // Asks "restore factory setting"; Yes sends the factory reset.
    void click_reset_button();
    // After a preset file has replaced m_config: shows it and sends the whole
    // configuration, paced for the pedal, then selects Preset1.
    void send_loaded_image();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void init_ui();
    void init_connect();
    void set_title();
    void send(const quint8 *frame, uint len);
    // True while the page's polls for invalid images are being answered: the
    // next answer comes without another poll.
    bool repolling() const;
    void refresh_events(int list);
    void refresh_sysex(int list);
    QListWidget *listWidget(int list) const;
    void ensureKeyDialog();
    cPedal *makePedalDialog();
    void clearList(int switchIndex, int list);
    static void showDot(QRadioButton *button, bool on);

    Ui_master *ui;
    MidiMonitorList *m_monitor = nullptr;
    SMIDIConfigData m_config;
    quint32 m_currentSwitch = 0;
    bool m_updating = false;
    bool m_typeChanging = false;
    bool m_titleSet = false;
    // Set once the pedal's first valid image has been applied: until then
    // m_config means nothing, and nothing may be built from it or sent.
    bool m_imageApplied = false;
    // Set by the pedal's first answer to a poll, valid or not: from then on
    // each invalid image brings its own poll, and no other is sent.
    bool m_pollAnswered = false;
    // When the last poll for an invalid image went out; invalid once a valid
    // image has come.
    QElapsedTimer m_lastRepoll;
    // What each entry dialog was last opened for, so that opening one never
    // changes what the other's answer does: the event dialog adds (1) or
    // replaces (2) an event of its list (1 or 2); the expression dialog adds
    // (3) or replaces (4) an entry.
    quint32 m_keyDialogMode = 0;
    int m_keyDialogList = 1;
    quint32 m_pedalDialogMode = 0;
    cValueKey *m_keyDialog = nullptr;    // made on first use, kept for the page's life
    QPointer<cPedal> m_pedalDialog;      // null again once the dialog is gone
    // The online preset list and the upgrade dialog: closed and deleted with
    // the page (the upgrade dialog sends through it).
    QPointer<QDialog> m_presetDialog;
    QPointer<QDialog> m_upgrade;
    quint8 m_tx[pedalold::kTxBufferSize];
    // The switch-record frame has a buffer of its own, shared by every switch.
    quint8 m_switchFrame[pedalold::kTxBufferSize];
};
