// The small pad page's Pad tab: pad captions and colours, the bank button and
// its colour chooser, the per-control dialog, and the section frames by which
// the edits reach the device.
#include "cdlgrznano.h"
#include "ui_cdlgrznano.h"

#include <QDebug>
#include <QPushButton>

#include "devices/shared/pageframes.h"
#include "devices/shared/padview.h"
#include "devices/shared/sysexpool.h"
#include "devices/smallpad/cdlgrzchild.h"
#include "dialogs.h"

using namespace rznano;


// ---- pads ----------------------------------------------------------------------

QPushButton *cDlgRznano::padButton(int index) const
{
    return findChild<QPushButton *>(QStringLiteral("pad%1").arg(index + 1));
}

void cDlgRznano::update_pad_caption(quint8 index)
{
    if (index >= kPadsPerBank)
        return;
    if (QPushButton *b = padButton(index))
        b->setText(pagekit::padCaption(configData.PadData[padBank()][index], "cDlgRznano"));
}

void cDlgRznano::set_pad_button_style(quint8 r, quint8 g, quint8 b, QWidget *button)
{
    if (button)
        button->setStyleSheet(pagekit::padButtonStyle(r, g, b));
}

void cDlgRznano::refresh_pad_buttons(const SColourGRB *colours)
{
    for (int i = 0; i < int(kPadsPerBank); ++i) {
        if (QPushButton *b = padButton(i))
            set_pad_button_style(colours[i].r, colours[i].g, colours[i].b, b);
        update_pad_caption(quint8(i));
    }
}

QString cDlgRznano::colour_style_text(const SColourGRB &grb)
{
    return pagekit::colourCss(grb);
}

void cDlgRznano::set_bank_button_style(const QString &colourText)
{
    ui->pushButton_PadGroup->setStyleSheet(pagekit::g_padGroupStyle.arg(colourText) + pagekit::g_padGroupRadius);
}

void cDlgRznano::show_pad_bank(int, quint8 bank)
{
    if (bank >= kPadBanks)
        bank = 0;
    refresh_pad_buttons(configData.PadRGB[bank]);
    ui->pushButton_PadGroup->setText(QString::number(bank + 1, 16));
    set_bank_button_style(colour_style_text(configData.PadModeRGB[bank]));
}

void cDlgRznano::click_pad_bank()
{
    systemConfig.padBank = systemConfig.padBank < 2 ? uchar(systemConfig.padBank + 1) : uchar(0);
    show_pad_bank(1, systemConfig.padBank);
    if (!uiUpdating)
        send_system_config();
    close_stale_child_dialog();
}

void cDlgRznano::refresh_pad_page()
{
    qDebug() << "recover data ui ------" << int(systemConfig.preset);
    uiUpdating = 1;
    refresh_pad_buttons(configData.PadRGB[padBank()]);
    set_bank_button_style(colour_style_text(configData.PadModeRGB[padBank()]));
    uiUpdating = 0;
}

void cDlgRznano::click_set_all_rgb_by_pad_bank()
{
    showStyledQuestion(this, QString(), tr("Set all pads to this color?"), [this](int answer) {
        if (answer != ANSWER_YES)
            return;
        const uint bank = padBank();
        // The preview names pad 0 of the bank; the control an open
        // per-control dialog edits stays its own, for its previews.
        const uint kind = editedControlKind;
        const int index = editedControlIndex;
        pagekit::applyColourToPads(configData.PadRGB[bank], kPadsPerBank, configData.PadModeRGB[bank], [this, bank] {
            setAllColoursPending = 1;
            editedControlIndex = 0;
            refresh_pad_buttons(configData.PadRGB[bank]);
            editedControlKind = 1;
            slots_change_rgb();
        });
        editedControlKind = kind;
        editedControlIndex = index;
    });
}

void cDlgRznano::click_bank_colour()
{
    pagekit::ColourChooserRoad::SRoad road;
    const uint bank = padBank();
    road.target = [this, bank] { return &configData.PadModeRGB[bank]; };
    road.changed = [this, bank](bool) {
        send_mode_colours();
        set_bank_button_style(colour_style_text(configData.PadModeRGB[bank]));
    };
    road.busy = [this](bool on) {
        if (on)
            busy = 1;
        else
            clear_busy();
    };
    colourChooser->open(road);
}

// ---- the per-control dialog and the calibration ------------------------------------

void cDlgRznano::click_pad(int index)
{
    const uint bank = padBank();
    open_child_dialog(index, 1, &setAllColoursPending, quint8(bank), &configData.PadRGB[bank][index]);
}

void cDlgRznano::click_key(int index)
{
    open_child_dialog(index, 2, &setAllColoursPending, 0, nullptr);
}

void cDlgRznano::open_child_dialog(int index, int kind, quint8 *setAllFlag, quint8 bank, SColourGRB *colour)
{
    close_child_dialog();
    if (!blockHeld())
        return;
    editedControlKind = uint(kind);
    editedControlIndex = index;
    auto *dlg = new CDlgRzChild(&configData, quint32(kind), quint32(index), bank, &sysex, setAllFlag, nullptr);
    childDlg = dlg;
    if (kind == 1 || kind == 2)
        connect(dlg, &CDlgRzChild::signals_change_rgb, this, &cDlgRznano::slots_change_rgb);
    // The previews are no edit until the colour is confirmed.
    connect(dlg, &CDlgRzChild::signals_colour_confirmed, this, [this] { unsavedChanges = 1; });
    if (kind == 1 && colour)
        dlg->set_color_button(colour);
    dlg->load_control();
    connect(dlg, &CDlgRzChild::signals_click_ok_send, this, &cDlgRznano::slots_click_ok_send);
    dlg->show();
}

// A pad dialog edits the bank it was opened on while the page sends the
// current one: once the page shows another bank it goes.
void cDlgRznano::close_stale_child_dialog()
{
    if (childDlg && childDlg->kindOfDialog() == 1 && childDlg->bankOfDialog() != padBank())
        close_child_dialog();
}

void cDlgRznano::close_child_dialog()
{
    if (!childDlg)
        return;
    childDlg->close();
    delete childDlg.data();
    childDlg = nullptr;
}

// ---- section frames ------------------------------------------------------------------

void cDlgRznano::expand_sysex_pool()
{
    sysex.sysexPoolUsed =
        std::uint16_t(pagekit::expandSysexPool(configData.SysexPool, kPoolSize, poolList(configData, sysex)));
}

bool cDlgRznano::may_write_section()
{
    if (!blockHeld())
        return false;
    unsavedChanges = 1;
    return true;
}

std::set<int> cDlgRznano::send_sysex_pool()
{
    if (!may_write_section())
        return {};
    const pagekit::SPackResult packed = pagekit::packSysexPool(configData.SysexPool, kPoolSize, poolList(configData, sysex));
    sysex.sysexPoolUsed = std::uint16_t(packed.used);
    send_frame(txFrame, pagekit::buildSysexPoolFrame(txFrame, configData.SysexPool, kPoolSize, packed.used));
    return packed.movedTags;
}

void cDlgRznano::send_pad_records()
{
    send_pad_records_of(padBank());
}

void cDlgRznano::send_pad_records_of(uint bank)
{
    if (may_write_section())
        send_frame(txFrame, buildWritePadsFrame(txFrame, configData, bank));
}

void cDlgRznano::send_key_records()
{
    if (may_write_section())
        send_frame(txFrame, buildWriteKeysFrame(txFrame, configData));
}

void cDlgRznano::send_mode_colours()
{
    if (may_write_section())
        send_frame(txFrame, buildModeColoursFrame(txFrame, configData));
}

void cDlgRznano::send_config_block()
{
    send_frame(txFrame, buildWriteConfigFrame(txFrame, configData));
}

void cDlgRznano::slots_change_rgb()
{
    // A Yes to a set-all question goes with this change, sent or not: left
    // raised, it would send the next pad's colour to every pad.
    const bool toAll = setAllColoursPending != 0;
    setAllColoursPending = 0;
    if (editedControlIndex < 0 || editedControlIndex >= int(kPadsPerBank) || !blockHeld())
        return;
    const uint bank = padBank();
    const SColourGRB c = configData.PadRGB[bank][editedControlIndex];
    uchar padIndex = uchar(editedControlIndex);
    if (toAll) {
        // The colours are an edit.
        unsavedChanges = 1;
        padIndex = kAllPads;
        for (int i = 0; i < int(kPadsPerBank); ++i)
            set_pad_button_style(c.r, c.g, c.b, padButton(i));
    } else {
        set_pad_button_style(c.r, c.g, c.b, padButton(editedControlIndex));
    }
    send_frame(txFrame, buildPadColoursFrame(txFrame, configData, padIndex, bank));
    update_pad_caption(quint8(editedControlIndex));
}

void cDlgRznano::slots_click_ok_send(quint8 byFlag)
{
    auto redrawCaptions = [this] {
        for (quint8 pad = 0; pad < kPadsPerBank; ++pad)
            update_pad_caption(pad);
    };
    // Repacking can move the Customize pads of every bank: the other banks'
    // records go too, or the device plays their old offsets.
    auto sendMovedBanks = [this](const std::set<int> &moved) {
        for (int bank : moved) {
            if (bank >= 0 && uint(bank) != padBank())
                send_pad_records_of(uint(bank));
        }
    };
    switch (byFlag) {
    case 2:
        send_key_records();
        break;
    case 3:
        send_pad_records();
        redrawCaptions();
        break;
    case 4: {
        const std::set<int> moved = send_sysex_pool();
        send_pad_records();
        send_key_records();
        sendMovedBanks(moved);
        break;
    }
    case 5: {
        const std::set<int> moved = send_sysex_pool();
        send_key_records();
        send_pad_records();
        sendMovedBanks(moved);
        redrawCaptions();
        break;
    }
    default:
        break;
    }
}

void cDlgRznano::slots_send_pad_level()
{
    if (!uiUpdating)
        send_system_config();
}
