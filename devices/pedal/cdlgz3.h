// The editor page of the foot pedal with firmware above 4. A thin view over
// its one copy of the configuration image: it shows the image the pedal sends,
// writes every edit into the image first and then sends the section concerned
// at once. Nothing is acknowledged and nothing is left unsaved: closing asks
// nothing and sends nothing.
#pragma once

#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>

#include "cbasedlg.h"
#include "devices/pedal/cdlgloadini.h"
#include "devices/pedal/cpedal.h"
#include "devices/pedal/cvaluekey.h"
#include "devices/pedal/z3config.h"
#include "devices/pedal/z3frames.h"

class QAbstractButton;
class QButtonGroup;
class QCloseEvent;
class MidiMonitorList;
class QListWidget;
class QPushButton;
class TouchComboBox;
class Ui_cDlgZ3;
class CDlgPreset;
class cUpgrade;

class cDlgZ3 : public CBaseDlg
{
    Q_OBJECT
public:
    cDlgZ3(CBaseDlg *owner, QWidget *parent = nullptr);
    ~cDlgZ3() override;

    // ---- from the connection window --------------------------------------
    void Slots_recv_frame(const uchar *frame, uint len) override;
    void Slots_recv_sysex(const uchar *msg, uint len) override;
    void Slots_recv_midi(uint message) override;
    void Slots_change_language() override { change_language(); }

    // The test a received image must pass (see z3config.h).
    static bool check_config_data(const SZ3ProConfigData &image) { return ::check_config_data(image); }

    // ---- state, for the dialogs and for tests ------------------------------
    Ui_cDlgZ3 *form() const { return ui; }
    const SZ3ProConfigData &image() const { return m_image; }
    int currentKey() const { return m_curKey; }
    int currentList() const { return m_curList; }
    cValueKey *valueKeyDialog() const { return m_valueKey; }
    cPedal *pedalDialog() const { return m_pedalDlg; }
    cUpgrade *upgradeDialog() const;
    MidiMonitorList *monitor() const { return m_monitor; }

    // ---- frames and the view of the image ----------------------------------
    // Every frame of the page leaves here. While a received image is being
    // applied, CMD_PEDAL_SETTING, CMD_PEDAL_KEY_BANK and CMD_PEDAL_SWITCHES
    // are dropped (false).
    bool send_data(const uchar *frame, uint len);
    void update_ui();
    void show_display_chars(int mode);

    // ---- mode, settings, groups, switches, display (page 1..4 widgets) -----
    void slots_mode_changed(int row);
    void slots_setting_changed(int row);
    void slots_group_changed(int row);
    void select_group(int group);
    void show_groups();
    void show_switches();
    void send_setting(int mode);
    void try_send_setting(int mode);
    void slots_switch_changed();
    void send_switches();
    void slots_display_changed();
    void send_display_chars();
    // Asks, then resets the pedal to its factory settings and reads it again.
    void click_reset_button();
    // The reset without a question (connected to nothing).
    void slots_click_reset();

    // ---- Bluetooth host -------------------------------------------------------
    void click_combobox_BtModel(int row);
    void send_bluetooth();
    void click_scan();
    void slots_pass_through(bool on);

    // ---- key event lists ------------------------------------------------------
    void show_key_lists();
    void show_group_labels(uchar triggerType);
    void slots_key_changed();
    void slots_trigger_changed(int index);
    void click_button_add();
    void click_list_item();
    void slots_key_midi_event(QList<int> nData);
    void modify_key_event(QList<int> nData);
    void slots_key_midi_sysex(QString &strSysEx);
    void set_key_sysex(const QString &text);
    void click_delete_item();
    void delete_list_row(int row);
    void click_button_remove();
    void send_key_banks();
    // The SysEx pool: true when the message was stored (a full pool shows its
    // message and changes nothing).
    bool store_sysex(uchar *ref, const QString &text, bool replace);
    void remove_sysex(uchar *ref);
    void send_sysex_pool();

    // ---- command library ------------------------------------------------------
    void slots_send_tree_content(quint8 byBtn, quint8 *pbyBuf);
    cDlgLoadINI *libraryDialog() const { return m_loadIni; }

    // ---- preset files, online presets, upgrade ---------------------------------
    // Writes the image as a ".z3" file; an empty path asks the user for one.
    void save_preset_file(const uchar *image, const QString &strPath);
    // Reads a ".z3" file over the image (an empty path asks the user); the
    // image changes only when the file is good and its image passes the check.
    bool load_preset_file(uchar *image, const QString &strPath);
    void click_preset_file();
    void slots_Z3_apply_preset(QString strPath);
    // Shows a loaded image and writes it to the pedal, section by section.
    void apply_preset_image();
    void click_preset_list();
    void click_update();
    CDlgPreset *presetDialog() const;

    // ---- expression-pedal list ------------------------------------------------
    void show_pedal_list();
    void send_pedal_list();
    void click_pedal_add();
    void slots_pedal_list(QList<int> nData);
    void click_pedal_del();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void init_ui();
    void init_connect();
    void set_title();
    void change_language();
    void save_config_bin();
    // False, with the fading "Load data...", while no image has been accepted.
    bool may_save();
    void click_nav_button(QAbstractButton *button);
    void click_group_tab();
    void handle_image_frame(const uchar *payload, uint len);
    void handle_mode_frame(const uchar *payload, uint len);
    void handle_bluetooth_frame(const uchar *payload, uint len);
    void handle_group_frame(const uchar *payload, uint len);
    void send_frame(uint len) { send_data(m_txBuf, len); }
    cValueKey *value_key_dialog();
    cPedal *pedal_dialog(bool deleteOnClose);
    void open_pedal_entry();
    void delete_pedal_row(int row);
    void click_more_button();

    // The record of the current group and key.
    Z3KeyRecord currentRecord() { return m_image.key(m_image.currentGroup(), m_curKey); }
    int shownMode() const;
    TouchComboBox *triggerCombo(int key) const;
    struct SSwitchWidgets
    {
        QPushButton *mode;
        TouchComboBox *channel;
        TouchComboBox *data;
    };
    SSwitchWidgets switch_widgets(int s) const;
    QListWidget *keyListWidget(int list) const;
    void show_key_list(int list);

    Ui_cDlgZ3 *ui;
    SZ3ProConfigData m_image;
    uchar m_txBuf[z3::kTxBufferSize];

    // What the event dialog was last opened for: 1 add, 2 change. The
    // expression dialog keeps its own purpose, so that opening one dialog
    // never changes what the other's answer does.
    uchar m_entryMode = 0;
    enum PedalPurpose { PedalAdd, PedalModify };
    PedalPurpose m_pedalPurpose = PedalAdd;
    uchar m_curKey = 0;
    uchar m_curList = 1;
    bool m_uiUpdating = false;
    bool m_groupLock = false;
    bool m_applyingImage = false;
    bool m_groupFromDevice = false;
    // Set by the first image accepted from the pedal: until then the image
    // is empty and nothing may be saved from it.
    bool m_imageAccepted = false;
    bool m_titleSet = false;

    QPointer<cValueKey> m_valueKey;
    QPointer<cPedal> m_pedalDlg;
    QPointer<cDlgLoadINI> m_loadIni;
    QPointer<QDialog> m_presetDlg;
    QPointer<QDialog> m_upgrade;
    MidiMonitorList *m_monitor = nullptr;
    QButtonGroup *m_navGroup = nullptr;
    QButtonGroup *m_moreGroup = nullptr;
    QButtonGroup *m_keyGroup = nullptr;
    QSet<QString> m_btNames;
};
