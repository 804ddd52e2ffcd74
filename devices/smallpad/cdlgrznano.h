// The editor page of the small pad controller (16 pads in three banks, three
// buttons). It mirrors the device's configuration block and system record,
// writes every edit back at once as the frame of the section that changed,
// and lists the MIDI messages the device sends.
#pragma once

#include <QPointer>
#include <QString>

#include <set>

#include "cbasedlg.h"
#include "devices/shared/colourchooser.h"
#include "devices/shared/echoguard.h"
#include "devices/shared/pagepoll.h"
#include "devices/shared/pendingsave.h"
#include "devices/shared/presetblock.h"
#include "devices/smallpad/rznanoconfig.h"

class CDlgPreset;
class CDlgRzChild;
class MidiMonitorList;
class QCloseEvent;
class QPushButton;
class QTimerEvent;
class QWidget;
class Ui_cDlgRznano;
class cDlgPadLevel;
class cUpgrade;

class cDlgRznano : public CBaseDlg
{
    Q_OBJECT
public:
    cDlgRznano(CBaseDlg *owner, QWidget *parent = nullptr);
    ~cDlgRznano() override;

    // ---- from the connection window ----------------------------------------
    void Slots_recv_frame(const uchar *frame, uint len) override;
    void Slots_recv_sysex(const uchar *msg, uint len) override;
    void Slots_recv_midi(uint message) override;
    void Slots_change_language() override { change_language(); }

    // ---- state, for the dialogs the page opens and for tests ----------------
    Ui_cDlgRznano *form() const { return ui; }
    SRznanoConfigData &config() { return configData; }
    rznano::SSystemConfigData &system() { return systemConfig; }
    SRznanoSysexWork &sysexWork() { return sysex; }
    // The bank the pads show and the edits go to (0..2).
    uint padBank() const { return rznano::bankOf(systemConfig); }
    bool isBusy() const { return busy != 0; }
    bool hasUnsavedChanges() const { return unsavedChanges != 0; }
    bool isUpdatingUi() const { return uiUpdating != 0; }
    // The whole block of the shown preset is held (from the device or a
    // file): until it is, no per-control dialog opens, no section of the
    // block is sent and no file is written from it.
    bool blockHeld() const;
    CDlgRzChild *childDialog() const;
    cDlgPadLevel *padLevelDialog() const;
    CDlgPreset *presetDialog() const;
    cUpgrade *upgradeDialog() const;

    // ---- system record --------------------------------------------------------
    void send_system_config();
    void system_setting_changed();

    // ---- device dialogue ------------------------------------------------------
    void save_to_device();
    void send_request_preset(uchar preset);
    void click_reset();
    void toggle_preset_question(int index);
    void update_title();
    void click_pad(int index);
    void click_key(int index);
    bool send_frame(const uchar *frame, uint len);

    // ---- global tab and pad grid ----------------------------------------------
    void click_page_switch();
    void refresh_global_page();
    void refresh_pad_page();
    void update_pad_caption(quint8 index);
    static void set_pad_button_style(quint8 r, quint8 g, quint8 b, QWidget *button);
    void refresh_pad_buttons(const SColourGRB *colours);
    void show_pad_bank(int, quint8 bank);
    void click_pad_bank();
    static QString colour_style_text(const SColourGRB &grb);
    void set_bank_button_style(const QString &colourText);
    void click_bank_colour();
    void click_set_all_rgb_by_pad_bank();
    void click_pad_calibration();
    void click_clear_monitor();
    void open_child_dialog(int index, int kind, quint8 *setAllFlag, quint8 bank, SColourGRB *colour);

    // ---- switches of the global tab --------------------------------------------
    void click_eco_mode();
    void toggle_dark_mode(bool on);
    void toggle_daw_sync(bool on);
    void click_full_level();
    void toggle_after_touch(bool on);
    void toggle_ble_midi(bool on);
    void toggle_battery_indicator(bool on);

    // ---- section senders ------------------------------------------------------
    void expand_sysex_pool();
    // Repacks the pool and sends it; returns the banks whose Customize pads
    // moved in the pool.
    std::set<int> send_sysex_pool();
    void send_pad_records();
    void send_pad_records_of(uint bank);
    void send_key_records();
    void send_mode_colours();
    void send_config_block();

    // ---- slots ------------------------------------------------------------------
    void slots_change_rgb();
    void slots_click_ok_send(quint8 byFlag);
    void slots_send_pad_level();
    void slots_RZNANO_apply_preset(QString strPresetPath);

    // ---- files and the windows of the tool bar --------------------------------
    void save_config_data_to_XML(const SRznanoConfigData *block, const QString &strPath);
    bool load_config_data_from_XML(SRznanoConfigData *block, const QString &strPath);
    void click_preset_file();
    void click_save_config_bin();
    void click_preset_list();
    void click_firmware_upgrade();

    void change_language();

protected:
    void timerEvent(QTimerEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void init_ui();
    void init_connect();
    void set_switch_bit(uint bit, bool on);
    QPushButton *padButton(int index) const;
    void close_child_dialog();
    void close_stale_child_dialog();
    // Clears busy; a block the device sent meanwhile is asked for again.
    void clear_busy();
    // A new block replaced configData: what was drawn or edited from the old one goes.
    void block_replaced();
    // The Pad tab takes clicks only while blockHeld(); an open dialog goes
    // when it is not.
    void show_block_held();
    // A section of the block may be sent (blockHeld()): it is then marked
    // as an unsaved edit.
    bool may_write_section();

    Ui_cDlgRznano *ui = nullptr;
    uchar txFrame[rznano::kTxBufferSize];
    SRznanoConfigData configData;
    SRznanoSysexWork sysex;
    rznano::SSystemConfigData systemConfig;
    QPointer<CDlgRzChild> childDlg;
    QPointer<QDialog> padLevelDlg;
    QPointer<QDialog> presetDlg;
    QPointer<QDialog> upgradeDlg;
    pagekit::ColourChooserRoad *colourChooser = nullptr;
    MidiMonitorList *monitor = nullptr;
    uint editedControlKind = 0;
    int editedControlIndex = 0;
    // Per list of the global tab: whether it shows the record's value (a
    // received value without a row leaves the list as it was, and the send
    // keeps the byte as received until the user picks a row).
    bool listShowsValue[rznano::kGlobalLists];
    int pollTimerId = 0;
    pagekit::PagePoll poll;
    quint8 setAllColoursPending = 0;
    quint8 uiUpdating = 0;
    quint8 firstSystemRecordSeen = 0;
    quint8 busy = 0;
    quint8 unsavedChanges = 0;
    // A system record of the device's has been taken: until then the page
    // sends none of its own (it would send settings it never read).
    quint8 recordAccepted = 0;
    // A block arrived while busy and was dropped.
    quint8 blockDropped = 0;
    // The device's record after each one the page sent is stale: dropped.
    pagekit::EchoGuard recordEcho;
    // The shown preset's block, and the replies that may replace it.
    pagekit::PresetBlock presetBlock;
    // The edits a save was sent for, until the device answers it.
    pagekit::PendingSave pendingSave;
};
