// The pad controller's per-control dialog: edits one knob, pad or button record
// of the page's configuration block in place and tells the page which section
// to send. Not modal; the page owns the block, the SysEx store and the
// set-all-colours flag, which outlive the dialog.
#pragma once

#include "rz7config.h"

#include <QDialog>
#include <QStringList>

namespace Ui {
class CRZM7DLG;
}
namespace pagekit {
class ColourChooserRoad;
}

class CRZM7DLG : public QDialog
{
    Q_OBJECT
public:
    // kind: 0 knob, 1 pad, 2 button; index: knob 0..7, pad 0..15, button 0..5;
    // bank: knob group or pad bank 0..2 (0 for buttons). The pointers are the
    // page's and must outlive the dialog.
    CRZM7DLG(SRZ7ConfigData *pConfig, int iKind, int iIndex, int iBank, SRZ7SysexStore *pSysex,
             uchar *pSetAllColours, QWidget *parent = nullptr);
    ~CRZM7DLG() override;

    // Sets the title and loads the record into the fields.
    void load_control();
    // Paints the colour button in the given colour.
    void show_colour(const SColourGRB *pColour);
    // Byte 3 of a record when its mode is the Customize mode of the kind, else 0.
    static uchar sysex_length(const SControlRecord *pRecord, uchar byKind);

signals:
    // The pad colour (or all colours of the bank) changed in the block.
    void signals_change_rgb();
    // The chooser's OK left the pad another colour: an edit the device holds
    // only until it is saved.
    void signals_colour_confirmed();
    // A section of the block changed: 1 knobs, 2 buttons, 3 pads, 4 SysEx pool
    // then pads then buttons, 5 SysEx pool then buttons then pads.
    void signals_click_ok_send(uchar byFlag);

private:
    void on_type_changed(int iMode);
    void on_channel_changed(int iChannel);
    void fill_data1_list(uchar byList);
    void on_press_toggled(bool bLong);
    void store_press(SControlRecord *pCopy);
    void open_colour_picker();
    void on_ok();
    bool check_sysex_text(uchar byOldLength);
    void click_set_all_color();
    void click_set_all_channel();
    void click_set_all_data1();

    void show_customize_page();
    bool isFifthButton() const;
    bool typeListWithoutMmc() const;
    // The mode the type list's row stands for, or the stored mode that has no
    // row while the user has picked no type.
    uint shownMode() const;
    // Selects the row of a stored mode: the first one when the list has none,
    // and the mode is then kept until the user picks a type.
    void show_type(uint mode, bool withoutMmc);
    SControlRecord *editedRecord() const;
    uchar *sysexBuffer() const;
    SColourGRB *padColour() const;

    QStringList m_knobTypes;
    QStringList m_padTypes;
    QStringList m_keyTypes;
    QStringList m_keyTypesNoMmc;
    Ui::CRZM7DLG *m_ui = nullptr;
    SRZ7ConfigData *m_config = nullptr;
    int m_kind = 0;
    int m_index = 0;
    int m_bank = 0;
    SControlRecord m_downCopy{};
    SControlRecord m_longCopy{};
    bool m_longSelected = false;
    bool m_nameListShown = false;
    uchar *m_setAllColours = nullptr;
    bool m_typeIsComboIndex = true;
    // The stored mode of the shown record when its type list has no row for
    // it (mode 7; mode 4 on a list without "MMC"); -1 otherwise.
    int m_keptMode = -1;
    uchar m_data1List = 4;
    SRZ7SysexStore *m_sysex = nullptr;
    pagekit::ColourChooserRoad *m_chooser = nullptr;
};
