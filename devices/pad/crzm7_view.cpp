// What the pad page shows: tabs, pad captions and colours, the group buttons,
// the global settings, the group colour chooser, the title and the monitor.
#include "crzm7.h"
#include "ui_crzm7.h"

#include <QDebug>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>

#include "devices/shared/colourchooser.h"
#include "devices/shared/padview.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "touchcombobox.h"
#include "utils.h"

using namespace rz7;

void CRZM7::set_global_page()
{
    QPushButton *const tabs[] = {m_ui->pushButton_setting, m_ui->pushButton_pad, m_ui->pushButton_knob_button};
    QObject *from = sender();
    for (int i = 0; i < 3; ++i) {
        if (tabs[i] == from) {
            m_ui->stackedWidget->setCurrentIndex(i);
            for (int k = 0; k < 3; ++k)
                tabs[k]->setChecked(k == i);
            return;
        }
    }
}

// ---- pads ----------------------------------------------------------------------

void CRZM7::update_pad_caption(uchar byPad)
{
    if (byPad >= kPadsPerBank)
        return;
    auto *b = findChild<QPushButton *>(QStringLiteral("pad%1").arg(int(byPad) + 1));
    if (!b)
        return;
    b->setText(padCaption(*m_model.padRecord(byPad)));
}

void CRZM7::set_pad_style(uchar r, uchar g, uchar b, QWidget *pButton)
{
    pagekit::setPadStyle(pButton, SColourGRB::fromRgb(r, g, b));
}

void CRZM7::refresh_pad_buttons(const SColourGRB *pBankColours)
{
    for (uchar pad = 0; pad < kPadsPerBank; ++pad) {
        if (auto *b = findChild<QPushButton *>(QStringLiteral("pad%1").arg(int(pad) + 1))) {
            const SColourGRB &c = pBankColours[pad];
            set_pad_style(c.r, c.g, c.b, b);
        }
        update_pad_caption(pad);
    }
}

// ---- group buttons -----------------------------------------------------------------

QString CRZM7::colour_css(const SColourGRB &colour)
{
    return pagekit::colourCss(colour);
}

void CRZM7::set_group_button_style(bool bPad, const QString &strCss)
{
    QPushButton *b = bPad ? m_ui->pushButton_PadGroup : m_ui->pushButton_KnobGroup;
    b->setStyleSheet(groupButtonStyle.arg(strCss) + groupButtonRadius);
}

void CRZM7::show_group_colour(bool bPad, uchar byIndex)
{
    if (byIndex >= (bPad ? kPadBanks : kKnobGroups))
        return;
    SRZ7ConfigData &cfg = m_model.config();
    const SColourGRB &colour = bPad ? cfg.PadModeRGB[byIndex] : cfg.KnobModeRGB[byIndex];
    if (bPad)
        refresh_pad_buttons(cfg.PadRGB[byIndex]);
    QPushButton *b = bPad ? m_ui->pushButton_PadGroup : m_ui->pushButton_KnobGroup;
    b->setText(QString::number(int(byIndex) + 1, 16));
    set_group_button_style(bPad, colour_css(colour));
}

void CRZM7::next_pad_bank()
{
    m_model.nextPadBank();
    show_group_colour(true, uchar(m_model.padBank()));
    send_system_if_idle();
    close_stale_control_dialog();
}

void CRZM7::next_knob_group()
{
    m_model.nextKnobGroup();
    show_group_colour(false, uchar(m_model.knobGroup()));
    send_system_if_idle();
    close_stale_control_dialog();
}

// The per-control dialog edits the records of the bank or group it was
// opened on, while the page sends the current one: once the page has moved
// to another bank, the dialog's edits could no longer reach the device.
void CRZM7::close_stale_control_dialog()
{
    if (!m_controlDlg)
        return;
    const bool stale = (m_dialogKind == 0 && int(m_model.knobGroup()) != m_dialogBank)
                       || (m_dialogKind == 1 && int(m_model.padBank()) != m_dialogBank);
    if (stale)
        close_control_dialog();
}

void CRZM7::close_control_dialog()
{
    if (!m_controlDlg)
        return;
    m_controlDlg->close();
    delete m_controlDlg;
    m_controlDlg = nullptr;
}

void CRZM7::recover_data_ui()
{
    qDebug() << "recover data ui ------";
    m_updatingUi = 1;
    const SRZ7ConfigData &cfg = m_model.config();
    refresh_pad_buttons(cfg.PadRGB[m_model.padBank()]);
    set_group_button_style(true, colour_css(cfg.PadModeRGB[m_model.padBank()]));
    set_group_button_style(false, colour_css(cfg.KnobModeRGB[m_model.knobGroup()]));
    m_updatingUi = 0;
}

// ---- global settings -----------------------------------------------------------------

TouchComboBox *CRZM7::listCombo(GlobalList list) const
{
    switch (list) {
    case GlobalList::Preset: return m_ui->comboBox_Preset;
    case GlobalList::AutoStandby: return m_ui->comboBox_erp;
    case GlobalList::PadDownColour: return m_ui->comboBox_setColor2;
    case GlobalList::NoteRepeatMode: return m_ui->comboBox_NoteMode;
    case GlobalList::AftertouchMode: return m_ui->comboBox_AFT_mode;
    case GlobalList::VelocityCurve: return m_ui->comboBox_Curve;
    case GlobalList::Division: return m_ui->comboBox_rate;
    case GlobalList::Swing: return m_ui->comboBox_swing;
    case GlobalList::Tempo: return m_ui->comboBox_tempo;
    case GlobalList::AftertouchDelay: return m_ui->comboBox_delay;
    case GlobalList::Gate: return m_ui->comboBox_gate;
    case GlobalList::FullLevelVelocity: return m_ui->comboBox_full_vel;
    }
    return nullptr;
}

// A field without an entry in its list leaves the list as it is.
void CRZM7::showListIndex(GlobalList list)
{
    pagekit::showListRow(listCombo(list), reinterpret_cast<const uchar *>(&m_model.system()), listField(list));
}

// Writes a switch's bit and sends. Showing a record changes nothing in it: a
// device that reports Dark beside ECO keeps both, and the next edit sends both
// back.
void CRZM7::set_switch(Switch sw, bool bOn)
{
    if (m_updatingUi)
        return;
    if (sw == Switch::Dark && bOn)
        m_ui->pushButton_ECO->setChecked(false);
    setSwitch(m_model.system(), sw, bOn);
    send_system_if_idle();
}

void CRZM7::on_battery_toggled(bool bOn)
{
    if (m_updatingUi)
        return;
    const Switch sw = sender() == m_ui->pushButton_LowBattery ? Switch::LowBattery : Switch::BatterySplash;
    setSwitch(m_model.system(), sw, bOn);
    send_system_config_data();
}

void CRZM7::apply_system_config_data()
{
    m_updatingUi = 1;
    const SSystemConfigData &sys = m_model.system();
    m_ui->pushButton_DAW->setChecked(switchState(sys, Switch::DawSync));
    m_ui->pushButton_ECO->setChecked(switchState(sys, Switch::Eco));
    m_ui->pushButton_full->setChecked(switchState(sys, Switch::FullLevel));
    m_ui->pushButton_night->setChecked(switchState(sys, Switch::Dark));
    m_ui->pushButton_AFT_SW->setChecked(switchState(sys, Switch::Aftertouch));
    m_ui->pushButton_BT->setChecked(switchState(sys, Switch::Bluetooth));

    show_group_colour(true, uchar(m_model.padBank()));
    show_group_colour(false, uchar(m_model.knobGroup()));

    showListIndex(GlobalList::Tempo);
    if (m_ui->comboBox_Preset->currentIndex() != int(sys.preset)) {
        showListIndex(GlobalList::Preset);
        send_read_preset(m_model.preset());
    }
    showListIndex(GlobalList::VelocityCurve);
    showListIndex(GlobalList::Division);
    showListIndex(GlobalList::PadDownColour);
    showListIndex(GlobalList::AutoStandby);
    m_ui->pushButton_battery->setChecked(switchState(sys, Switch::BatterySplash));
    m_ui->pushButton_LowBattery->setChecked(switchState(sys, Switch::LowBattery));

    showListIndex(GlobalList::Swing);
    showListIndex(GlobalList::AftertouchMode);
    showListIndex(GlobalList::NoteRepeatMode);
    showListIndex(GlobalList::AftertouchDelay);
    showListIndex(GlobalList::Gate);
    showListIndex(GlobalList::FullLevelVelocity);

    update_title();
    m_updatingUi = 0;
}

void CRZM7::update_title()
{
    setWindowTitle(g_downloadLink + tr(" Connected") + QStringLiteral(" V") + QString::number(g_firmwareVersion));
}

// ---- group colour chooser ---------------------------------------------------------------

void CRZM7::open_colour_picker()
{
    const bool pad = sender() != m_ui->pushButton_KnobColor;
    SColourGRB *target = pad ? &m_model.padBankColour() : &m_model.knobGroupColour();
    pagekit::ColourChooserRoad::SRoad road;
    road.target = [target] { return target; };
    road.changed = [this, pad, target](bool) {
        send_mode_rgb();
        set_group_button_style(pad, colour_css(*target));
    };
    road.busy = [this](bool on) {
        if (on)
            m_model.setBusy(true);
        else
            release_busy();
    };
    m_chooser->open(road);
}

// ---- MIDI monitor -----------------------------------------------------------------------

void CRZM7::Slots_recv_sysex(const uchar *msg, uint len)
{
    m_monitor->addSysex(msg, len);
}

void CRZM7::Slots_recv_midi(uint message)
{
    m_monitor->addMessage(message);
}
