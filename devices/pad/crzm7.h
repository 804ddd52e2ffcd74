// The editor page of the controller with 16 pads, 8 knobs and 6 buttons. A thin
// view over CRZ7Model: it shows the block and the system record, turns the
// user's edits into frames, and hands every frame from the device to the model.
#pragma once

#include <QPointer>
#include <QString>

#include <functional>

#include "cbasedlg.h"
#include "devices/pad/rz7model.h"
#include "devices/shared/closeroad.h"

class CDlgPreset;
class QCloseEvent;
class QTimerEvent;
class QWidget;
class TouchComboBox;
class Ui_CRZM7;
class cDlgPadLevel;
class cUpgrade;
class MidiMonitorList;
namespace pagekit {
class ColourChooserRoad;
}

class CRZM7 : public CBaseDlg
{
    Q_OBJECT
public:
    // Style sheet of the two group buttons (the shared pagekit::g_padGroupStyle
    // and g_padGroupRadius): %1 is the colour_css of the group.
    static const QString &groupButtonStyle;
    static const QString &groupButtonRadius;

    CRZM7(CBaseDlg *owner, QWidget *parent = nullptr);
    ~CRZM7() override;

    // ---- from the connection window --------------------------------------
    void Slots_recv_frame(const uchar *frame, uint len) override;
    void Slots_recv_sysex(const uchar *msg, uint len) override;
    void Slots_recv_midi(uint message) override;
    void Slots_change_language() override { change_language(); }

    // ---- state, for the dialogs the page opens and for tests --------------
    CRZ7Model &model() { return m_model; }
    Ui_CRZM7 *form() const { return m_ui; }
    MidiMonitorList *monitor() const { return m_monitor; }
    bool isUpdatingUi() const { return m_updatingUi != 0; }
    int dialogKind() const { return m_dialogKind; }
    int dialogIndex() const { return m_dialogIndex; }
    uchar *setAllColoursFlag() { return &m_setAllColours; }

    // ---- senders: each builds one frame and sends it ---------------------
    bool send_frame(const uchar *frame, uint len);
    void send_system_config_data();
    void send_read_preset(uchar byPreset);
    void send_save_cmd();
    void send_mode_rgb();
    void send_config_data();
    void send_key_data();
    void send_pad_data();
    void send_knob_data();
    void send_sysex_pool();
    // CMD_WRITE_PADS for every other bank whose Customize references the last
    // repack moved, in bank order.
    void send_moved_pad_banks();

    // ---- view -----------------------------------------------------------
    void recover_data_ui();
    void apply_system_config_data();
    void refresh_pad_buttons(const SColourGRB *pBankColours);
    void update_pad_caption(uchar byPad);
    void set_pad_style(uchar r, uchar g, uchar b, QWidget *pButton);
    void show_group_colour(bool bPad, uchar byIndex);
    void set_group_button_style(bool bPad, const QString &strCss);
    static QString colour_css(const SColourGRB &colour);
    void update_title();
    void change_language();

    // ---- slots --------------------------------------------------------------
    void set_global_page();
    void next_pad_bank();
    void next_knob_group();
    void close_stale_control_dialog();
    // Closes the per-control dialog whatever it edits (its block was replaced).
    void close_control_dialog();
    // Pads, knobs and buttons take clicks only while the shown preset's whole
    // block is held; an open dialog goes when it is not.
    void show_block_held();
    // Clears busy; a block dropped meanwhile is asked for again.
    void release_busy();
    void send_system_if_idle();
    // A global list moved by the user: its field is written, the record sent.
    void change_list(rz7::GlobalList list, int nRow);
    void open_colour_picker();
    // Answer to "Set all pads to this color?".
    void apply_bank_colour_to_pads(int nAnswer);
    // The per-control dialog: kind 0 knob, 1 pad, 2 button.
    void open_control_dialog(int nIndex, int nKind, uchar *pbySetAll, int nBankOrGroup, SColourGRB *pColour);
    void slots_click_ok_send(uchar byFlag);
    void slots_change_rgb();
    void slots_send_pad_level();
    void toggle_preset_question(int nIndex);

    // ---- toolbar and files: the actions that open other windows -----------
    void click_set_all_rgb_by_pad_bank();
    void click_reset();
    void click_preset_list();
    void click_upgrade();
    void click_preset_file();
    void save_config_data_to_bin();
    void open_pad_level();
    // Answer to "Factory data reset": Yes sends the factory reset frame.
    void answer_factory_reset(int nAnswer);
    // The question asked before the page closes with unsaved changes.
    pagekit::SCloseQuestion closeQuestion() const;

    // ---- preset files ------------------------------------------------------
    // Writes the block as a ".rzp" file; an empty path asks the user for one.
    void save_config_data_to_XML(const SRZ7ConfigData &block, const QString &strPath);
    // Reads a ".rzp" file into the block (an empty path asks the user). The
    // block changes only when the whole file is good; a refused file shows its
    // code and leaves the block as it was.
    bool load_config_data_from_XML(SRZ7ConfigData &block, const QString &strPath);
    // A preset file on disk (from the online preset list): loaded, shown and
    // written whole to the device.
    void slots_apply_preset(QString strPresetPath);

    // Local copy of the online preset index, inside the application-data folder.
    static QString presetIndexPath();
    static QString presetIndexUrl();
    static QString firmwareIndexUrl();

    // Windows the toolbar opened (null when none).
    CDlgPreset *presetDialog() const;
    cDlgPadLevel *padLevelDialog() const;
    cUpgrade *upgradeDialog() const;

protected:
    void timerEvent(QTimerEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void init();
    void init_connect();
    void set_switch(rz7::Switch sw, bool bOn);
    void on_battery_toggled(bool bOn);
    TouchComboBox *listCombo(rz7::GlobalList list) const;
    void showListIndex(rz7::GlobalList list);

    Ui_CRZM7 *m_ui = nullptr;
    MidiMonitorList *m_monitor = nullptr; // over listWidget_show, 500 lines
    CRZ7Model m_model;
    uchar m_txFrame[rz7::kTxBufferSize];
    int m_timerId = 0;
    uchar m_updatingUi = 0;
    uchar m_setAllColours = 0;
    int m_dialogKind = 0;
    int m_dialogIndex = 0;
    int m_dialogBank = 0;

    // The group colour chooser.
    pagekit::ColourChooserRoad *m_chooser = nullptr;

    void apply_loaded_block();
    // load_config_data_from_XML with the refusal code shown on pToastParent.
    bool load_preset_file(SRZ7ConfigData &block, const QString &strPath, QWidget *pToastParent);

    QPointer<QDialog> m_controlDlg;
    QPointer<QDialog> m_padLevelDlg;
    QPointer<QDialog> m_presetDlg;
    QPointer<QDialog> m_upgrade;
};
