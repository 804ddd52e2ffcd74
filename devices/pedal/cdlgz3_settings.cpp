// The foot pedal page's mode, tone counts, groups and switches: their view
// from the image and their edits, each sent at once as CMD_PEDAL_SETTING.
#include "cdlgz3.h"
#include "ui_cdlgz3.h"

#include "devices/pedal/pedalpoll.h"
#include "devices/pedal/pedaltext.h"
#include "dialogs.h"
#include "touchcombobox.h"

void cDlgZ3::send_setting(int mode)
{
    send_frame(z3::settingFrame(m_image, mode, m_txBuf));
}

void cDlgZ3::try_send_setting(int mode)
{
    if (!m_uiUpdating)
        send_setting(mode);
}

void cDlgZ3::slots_mode_changed(int row)
{
    if (m_uiUpdating || row < 0 || row > 3)
        return;
    ui->widget_display->show();
    ui->stackedWidget->setCurrentIndex(row);
    show_display_chars(row + 1);
    m_image.setMode(uchar(row + 1));
    if (row == 3) {
        ui->checkBox_A->setChecked(true);
        m_curKey = 0;
        show_key_lists();
    }
    send_setting(row + 1);
}

void cDlgZ3::slots_setting_changed(int row)
{
    if (m_uiUpdating || row < 0)
        return;
    QObject *from = sender();
    if (from == ui->comboBox_P1Max || from == ui->comboBox_P2Max) {
        const bool first = from == ui->comboBox_P1Max;
        m_image.setByte(first ? z3::kMode1Max : z3::kMode2Max, uchar(4 * row + 4));
        send_setting(first ? 1 : 2);
        return;
    }
    if (from != ui->comboBox_MaxGroup)
        return;

    // The group count: the group list follows it, and a current group beyond
    // the new count moves to the last group that remains.
    const int last = row;
    const bool blocked = ui->comboBox_Group->blockSignals(true);
    ui->comboBox_Group->clear();
    for (int i = 1; i <= last + 1; ++i)
        ui->comboBox_Group->addItem(QString::number(i));
    ui->comboBox_Group->blockSignals(blocked);
    const int group = m_image.currentGroup();
    const int previous = m_image.lastGroup();
    if (previous <= last) {
        ui->comboBox_Group->setCurrentIndex(group);
    } else {
        if (group > last)
            select_group(last);
        const bool b = ui->comboBox_Group->blockSignals(true);
        ui->comboBox_Group->setCurrentIndex(m_image.currentGroup());
        ui->comboBox_Group->blockSignals(b);
    }
    m_image.setGroupSelect(uchar((qMax(0, ui->comboBox_Group->currentIndex()) << 4) + last));
    send_setting(4);
}

void cDlgZ3::slots_group_changed(int row)
{
    if (m_uiUpdating || row < 0)
        return;
    select_group(row);
}

void cDlgZ3::select_group(int group)
{
    if (group < 0 || group >= z3::kGroups)
        return;
    m_uiUpdating = true;
    m_image.setGroupSelect(uchar((group << 4) | m_image.lastGroup()));
    for (int k = 0; k < z3::kKeysPerGroup; ++k)
        triggerCombo(k)->setCurrentIndex(m_image.key(group, k).triggerType() - 1);
    emit ui->pushButton_Group1->clicked(true);
    m_uiUpdating = false;
    show_key_lists();
    if (m_groupFromDevice) {
        m_groupFromDevice = false;
        return;
    }
    send_setting(4);
}

void cDlgZ3::show_groups()
{
    const int group = m_image.currentGroup();
    for (int k = 0; k < z3::kKeysPerGroup; ++k)
        triggerCombo(k)->setCurrentIndex(m_image.key(group, k).triggerType() - 1);
    show_display_chars(4);
    const bool blocked = ui->comboBox_Group->blockSignals(true);
    ui->comboBox_Group->clear();
    for (int i = 1; i <= m_image.lastGroup() + 1; ++i)
        ui->comboBox_Group->addItem(QString::number(i));
    ui->comboBox_Group->setCurrentIndex(group);
    ui->comboBox_Group->blockSignals(blocked);
    ui->comboBox_MaxGroup->setCurrentIndex(m_image.lastGroup());
}

cDlgZ3::SSwitchWidgets cDlgZ3::switch_widgets(int s) const
{
    switch (s) {
    case 0:
        return {ui->pushButton_FSA_mode, ui->comboBox2_channelA, ui->comboBox2_dataA};
    case 1:
        return {ui->pushButton_FSB_mode, ui->comboBox2_channelB, ui->comboBox2_dataB};
    case 2:
        return {ui->pushButton_FSC_mode, ui->comboBox2_channelC, ui->comboBox2_dataC};
    default:
        return {ui->pushButton_FSD_mode, ui->comboBox2_channelD, ui->comboBox2_dataD};
    }
}

void cDlgZ3::show_switches()
{
    for (int s = 0; s < z3::kSwitchCount; ++s) {
        const uchar *rec = m_image.switchRecord(s);
        const SSwitchWidgets w = switch_widgets(s);
        w.mode->setText((rec[0] & 0x0F) ? tr("Momentary") : tr("Latch"));
        w.channel->setCurrentIndex(rec[1] & 0x0F);
        w.data->setCurrentIndex(rec[2] < 128 ? rec[2] : -1);
    }
}

void cDlgZ3::slots_switch_changed()
{
    if (m_uiUpdating)
        return;
    QObject *from = sender();
    for (int s = 0; s < z3::kSwitchCount; ++s) {
        uchar *rec = m_image.switchRecord(s);
        const SSwitchWidgets w = switch_widgets(s);
        if (from == w.mode) {
            // The stored behaviour decides, not the button's text.
            const bool momentary = (rec[0] & 0x0F) == 0;
            rec[0] = uchar(((s + 1) << 4) | (momentary ? 1 : 0));
            w.mode->setText(momentary ? tr("Momentary") : tr("Latch"));
        } else if (from == w.channel || from == w.data) {
            // A chooser without a row keeps the stored byte.
            if (w.channel->currentIndex() >= 0)
                rec[1] = uchar(w.channel->currentIndex());
            if (w.data->currentIndex() >= 0)
                rec[2] = uchar(w.data->currentIndex());
        } else {
            continue;
        }
        send_switches();
        return;
    }
}

void cDlgZ3::send_switches()
{
    send_frame(z3::switchesFrame(m_image, m_txBuf));
}

void cDlgZ3::slots_display_changed()
{
    if (!m_uiUpdating)
        send_display_chars();
}

void cDlgZ3::send_display_chars()
{
    const int mode = ui->comboBox_preset->currentIndex() + 1;
    if (mode >= 1 && mode <= 4) {
        const int at = 2 * (mode - 1);
        m_image.setDisplayChar(at, pedal::displayFirstByte(m_image.displayChar(at), ui->comboBox_ModeDis1->currentIndex(),
                                                           ui->pushButton_Dot->isChecked()));
        m_image.setDisplayChar(at + 1,
                               pedal::displaySecondByte(m_image.displayChar(at + 1), ui->comboBox_ModeDis2->currentIndex()));
    }
    send_frame(z3::displayCharsFrame(m_image, m_txBuf));
}

void cDlgZ3::click_reset_button()
{
    showStyledQuestion(this, tr("warning"), tr("reset"), [this](int answer) {
        if (answer == ANSWER_YES)
            slots_click_reset();
    });
}

void cDlgZ3::slots_click_reset()
{
    pedal::sendFactoryReset(this, [this](const quint8 *frame, uint len) { send_data(frame, len); });
}
