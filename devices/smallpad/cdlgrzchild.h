// The small pad page's per-control dialog: edits one pad of a bank or one of
// the three buttons (short and long press) in the page's block, and tells the
// page which section to send. Not modal; the page owns the block, the SysEx
// working copies and the set-all-colours flag, which outlive the dialog.
#pragma once

#include <QDialog>
#include <QStringList>

#include "devices/shared/controlrules.h"
#include "devices/smallpad/rznanoconfig.h"

class Ui_CDlgRzChild;
namespace pagekit {
class ColourChooserRoad;
}

class CDlgRzChild : public QDialog
{
    Q_OBJECT
public:
    // kind 1 pad, 2 button; index pad 0..15 or button 0..2; bank 0..2 (0 for a
    // button).
    CDlgRzChild(SRznanoConfigData *config, quint32 kind, quint32 index, quint32 bank, SRznanoSysexWork *sysexWork,
                quint8 *setAllFlag, QWidget *parent = nullptr);
    ~CDlgRzChild() override;

    Ui_CDlgRzChild *form() const { return ui; }
    quint32 bankOfDialog() const { return bank; }
    quint32 kindOfDialog() const { return kind; }

    void load_control();
    void set_color_button(const SColourGRB *colour);

    // Stores the typed message of the Customize mode in the shown record's
    // working copy and its length in byte 3; false (with a message shown) when
    // it is too long, would overfill the pool, or is not well-built MIDI.
    bool save_sysex_text(quint8 oldLength);

signals:
    void signals_change_rgb();
    // The chooser's OK left the pad another colour: an edit the device holds
    // only until it is saved.
    void signals_colour_confirmed();
    // 2 button records, 3 the bank's pad records, 4 a button in the Customize
    // mode, 5 a pad in the Customize mode.
    void signals_click_ok_send(quint8 byFlag);

private:
    void init_ui();
    void init_connect();
    void type_changed(int item);
    void show_layout(uint mode);
    void channel_changed(int channel);
    void fill_data1_list(int listKind);
    void click_down_long();
    // The shown press's fields over the record they were loaded from.
    SControlRecord capture_key_record(const SControlRecord &left) const;
    pagekit::SFields shown_fields() const;
    void show_record(const SControlRecord &rec);
    void click_ok();
    void click_color();
    void click_set_all_color();
    void click_set_all_channel();
    void click_set_all_data1();
    void fill_text_field(const SControlRecord &stored, uint customMode, const uchar *buffer);

    bool isPad() const { return kind == 1; }
    // The record the dialog shows: the pad's, or the button's shown press.
    SControlRecord &storedRecord() const;
    uchar *workingCopy() const;
    // The mode the type list's current row stands for, or the stored mode
    // that has no row while the user has picked no type.
    uint shownMode() const;
    // A value list shows no row for a byte above 127; such a list keeps the
    // stored byte on OK unless the user picks a row.
    static int valueRow(uchar value) { return value > 127 ? -1 : int(value); }

    Ui_CDlgRzChild *ui = nullptr;
    pagekit::ColourChooserRoad *colourChooser = nullptr;
    SRznanoConfigData *config = nullptr;
    quint32 kind = 0;
    quint32 index = 0;
    quint32 bank = 0;
    SRznanoSysexWork *sysexWork = nullptr;
    quint8 *setAllFlag = nullptr;
    QStringList padModeList;
    QStringList keyModeList;
    QStringList keyLongModeList;
    bool longPage = false;
    SControlRecord savedKeyRecord{};
    SControlRecord savedKeyLongRecord{};
    int data1ListKind = -1; // the form's numbers, none of the kinds below
    bool namedListShown = false;
    // The stored mode of the shown record when the type list has no row for
    // it (it then shows the first type), until the user picks a type; -1
    // otherwise.
    int keptMode = -1;
};
