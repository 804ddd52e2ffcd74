// The older pedal page's views of its image: the foot-switch selection and
// action with the two lists, the Customize1 switch settings, the
// expression-pedal list, the display characters and the preset choice. Each
// edit stores into m_config and sends the frame that carries it.
#include "master.h"
#include "ui_master.h"

#include <QDebug>

#include "devices/pedal/pedaltext.h"
#include "touchcombobox.h"
#include "utils.h"

using namespace pedalold;

namespace {

const QString kDotOn = QStringLiteral(":/new/prefix1/res/dot_click.png");
const QString kDotOff = QStringLiteral(":/new/prefix1/res/dot_noclick.png");

} // namespace

void master::showDot(QRadioButton *button, bool on)
{
    button->setChecked(on);
    button->setIcon(QIcon(on ? kDotOn : kDotOff));
}

QListWidget *master::listWidget(int list) const
{
    return list == 1 ? ui->listWidget_A1 : ui->listWidget_A2;
}

// ---- foot-switch selection and action ------------------------------------------

void master::click_checkbox_switch()
{
    if (ui->checkBox_A->isChecked())
        m_currentSwitch = 0;
    else if (ui->checkBox_B->isChecked())
        m_currentSwitch = 1;
    else if (ui->checkBox_C->isChecked())
        m_currentSwitch = 2;
    else if (ui->checkBox_D->isChecked())
        m_currentSwitch = 3;
    const SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    set_list_labels(sw.Type);

    m_updating = true;
    ui->comboBox_list1->setCurrentIndex(pedal::displayCode(sw.Display[0]));
    ui->comboBox_list1_2->setCurrentIndex(sw.Display[1]);
    ui->comboBox_list2->setCurrentIndex(pedal::displayCode(sw.Display[2]));
    ui->comboBox_list2_2->setCurrentIndex(sw.Display[3]);
    m_updating = false;

    if (m_typeChanging)
        return;
    show_list2_widgets(sw.Type);
    update_switch_view();
    emit ui->pushButton_Group1->clicked(true);
}

void master::click_combobox_type(int index)
{
    if (m_updating)
        return;
    m_typeChanging = true;
    const QObject *from = sender();
    QCheckBox *const boxes[kSwitchCount] = {ui->checkBox_A, ui->checkBox_B, ui->checkBox_C, ui->checkBox_D};
    const QObject *const actions[kSwitchCount] = {ui->comboBox_A, ui->comboBox_B, ui->comboBox_C, ui->comboBox_D};
    for (int k = 0; k < kSwitchCount; ++k) {
        if (from == actions[k]) {
            boxes[k]->setChecked(true);
            m_currentSwitch = quint32(k);
        }
    }
    SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    sw.Type = quint8(index + 1);
    set_list_labels(sw.Type);
    show_list2_widgets(sw.Type);
    update_switch_view();
    send_switch_data(int(m_currentSwitch));
    m_typeChanging = false;
    emit ui->pushButton_Group1->clicked(true);
}

void master::set_list_labels(uchar type)
{
    switch (type) {
    case 1:
        ui->label_list1->setText(tr("label_down"));
        break;
    case 2:
        ui->label_list1->setText(tr("label_toggle1"));
        ui->label_list2->setText(tr("label_toggle2"));
        break;
    case 3:
        ui->label_list1->setText(tr("label_down"));
        ui->label_list2->setText(tr("label_up"));
        break;
    case 4:
        ui->label_list1->setText(tr("label_long"));
        break;
    case 5:
        ui->label_list1->setText(tr("label_up"));
        ui->label_list2->setText(tr("label_long"));
        break;
    default:
        break;
    }
}

void master::show_list2_widgets(uchar type)
{
    // The list selector goes with list 2: "Down" and "Long" have none.
    const bool shown = pedal::hasTwoLists(type);
    ui->stackedWidget_Group->setCurrentIndex(shown ? 0 : 1);
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->listWidget_A2, ui->pushButton_AddA2, ui->pushButton_DelItem2, ui->pushButton_Remove2,
             ui->label_list2, ui->comboBox_list2, ui->comboBox_list2_2, ui->label_display2, ui->radioButton_2})
        w->setVisible(shown);
}

void master::refresh_events(int list)
{
    QListWidget *widget = listWidget(list);
    widget->clear();
    const SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    const SMidiEvent *events = sw.events(list);
    for (int i = 0; i < sw.usedCount(list); ++i) {
        const SMidiEvent &e = events[i];
        widget->addItem(pedal::eventRowText(i, e.Channel, e.Status, e.Data1, e.Data2));
    }
}

void master::refresh_sysex(int list)
{
    QListWidget *widget = listWidget(list);
    widget->clear();
    const SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    widget->addItem(pedal::sysexRowText(sw.sysex(list), sw.usedSysexLen(list)));
}

void master::update_switch_view()
{
    if (m_updating)
        return;
    const SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    for (int list = 1; list <= 2; ++list) {
        if (list == 2 && !pedal::hasTwoLists(sw.Type))
            break;
        if (sw.isSysex(list))
            refresh_sysex(list);
        else
            refresh_events(list);
    }
    // Both dots follow the switch whatever its action, so that the next edit
    // of its characters never stores the dot of the switch shown before.
    showDot(ui->radioButton_1, pedal::displayDot(sw.Display[0]));
    showDot(ui->radioButton_2, pedal::displayDot(sw.Display[2]));
}

void master::send_switch_data(int switchIndex)
{
    send(m_switchFrame, switchRecordFrame(m_config, switchIndex, m_switchFrame));
}

// ---- expression-pedal list ----------------------------------------------------------

void master::update_pedal_list()
{
    ui->listWidget_pedal->clear();
    for (int i = 0; i < m_config.usedPedalCount(); ++i) {
        const SPedalCCEntry &e = m_config.PedalData[i];
        ui->listWidget_pedal->addItem(QStringLiteral("[%1]  %2  %3  %4~%5")
                                          .arg(i + 1, 2, 10, QLatin1Char('0'))
                                          .arg(byteToHex(quint8(0xB0 | e.Channel)))
                                          .arg(e.CC)
                                          .arg(e.Min)
                                          .arg(e.Max));
        ui->listWidget_pedal->scrollToBottom();
    }
}

void master::send_pedal_data()
{
    send(m_tx, pedalExpressionFrame(m_config, m_tx));
}

// ---- Customize1 switch settings --------------------------------------------------------

void master::click_switch_setting(int)
{
    if (m_updating)
        return;
    const QObject *from = sender();
    QPushButton *const modes[kSwitchCount] = {ui->pushButton_FSA_mode, ui->pushButton_FSB_mode,
                                              ui->pushButton_FSC_mode, ui->pushButton_FSD_mode};
    TouchComboBox *const channels[kSwitchCount] = {ui->comboBox2_channelA, ui->comboBox2_channelB,
                                                   ui->comboBox2_channelC, ui->comboBox2_channelD};
    TouchComboBox *const datas[kSwitchCount] = {ui->comboBox2_dataA, ui->comboBox2_dataB, ui->comboBox2_dataC,
                                                ui->comboBox2_dataD};
    for (int k = 0; k < kSwitchCount; ++k) {
        SSwitchRecord &sw = m_config.SwitchData[k];
        const quint8 n = quint8(k + 1);
        if (from == modes[k]) {
            if (modes[k]->text() == tr("Momentary")) {
                modes[k]->setText(tr("Latch"));
                sw.Latch = quint8(n << 4);
            } else {
                modes[k]->setText(tr("Momentary"));
                sw.Latch = quint8(n << 4 | 1);
            }
        } else if (from == channels[k] || from == datas[k]) {
            // A chooser without a row keeps the stored byte.
            if (channels[k]->currentIndex() >= 0)
                sw.Channel = quint8(channels[k]->currentIndex());
            if (datas[k]->currentIndex() >= 0)
                sw.Data1 = quint8(datas[k]->currentIndex());
        }
    }
    send_switch_setting();
}

void master::update_switch_setting()
{
    QPushButton *const modes[kSwitchCount] = {ui->pushButton_FSA_mode, ui->pushButton_FSB_mode,
                                              ui->pushButton_FSC_mode, ui->pushButton_FSD_mode};
    TouchComboBox *const channels[kSwitchCount] = {ui->comboBox2_channelA, ui->comboBox2_channelB,
                                                   ui->comboBox2_channelC, ui->comboBox2_channelD};
    TouchComboBox *const datas[kSwitchCount] = {ui->comboBox2_dataA, ui->comboBox2_dataB, ui->comboBox2_dataC,
                                                ui->comboBox2_dataD};
    for (int k = 0; k < kSwitchCount; ++k)
        modes[k]->setText((m_config.SwitchData[k].Latch & 0x0F) ? tr("Momentary") : tr("Latch"));
    for (int k = 0; k < kSwitchCount; ++k)
        channels[k]->setCurrentIndex(m_config.SwitchData[k].Channel & 0x0F);
    for (int k = 0; k < kSwitchCount; ++k)
        datas[k]->setCurrentIndex(int(qint8(m_config.SwitchData[k].Data1)));
}

void master::send_switch_setting()
{
    send(m_tx, pedalSwitchesFrame(m_config, m_tx));
}

// ---- preset choice and display characters --------------------------------------------

void master::click_combobox_preset(int row)
{
    if (m_updating)
        return;
    QWidget *const pair[] = {ui->comboBox_ModeDis1, ui->comboBox_ModeDis2, ui->radioButton_ModeDis,
                             ui->label_Display_screen};
    for (QWidget *w : pair)
        w->show();
    ui->stackedWidget->setCurrentIndex(row);
    show_preset_display(row + 1);
    if (row >= 0 && row <= 2) {
        send_preset_select(row + 1);
    } else if (row == 3) {
        send_switch_setting();
    } else if (row == 4) {
        ui->checkBox_A->setChecked(true);
        m_currentSwitch = 0;
        show_list2_widgets(m_config.SwitchData[0].Type);
        update_switch_view();
        send_switch_data(int(m_currentSwitch));
    } else {
        for (QWidget *w : pair)
            w->hide();
    }
}

void master::send_preset_select(int preset)
{
    send(m_tx, presetSelectFrame(preset, m_tx));
}

void master::show_preset_display(int preset)
{
    if (preset < 1 || preset > kPresetCount)
        return;
    const quint8 first = m_config.PresetDisplay[2 * (preset - 1)];
    const quint8 second = m_config.PresetDisplay[2 * (preset - 1) + 1];
    const bool wasUpdating = m_updating;
    m_updating = true;
    ui->comboBox_ModeDis1->setCurrentIndex(pedal::displayCode(first));
    ui->comboBox_ModeDis2->setCurrentIndex(second);
    showDot(ui->radioButton_ModeDis, pedal::displayDot(first));
    m_updating = wasUpdating;
}

void master::click_preset_display()
{
    if (m_updating)
        return;
    const int r = ui->comboBox_preset->currentIndex();
    // The "Pedal" row has no pair to store into.
    if (r < 0 || r >= kPresetCount)
        return;
    quint8 &first = m_config.PresetDisplay[2 * r];
    quint8 &second = m_config.PresetDisplay[2 * r + 1];
    const bool dot = ui->radioButton_ModeDis->isChecked();
    first = pedal::displayFirstByte(first, ui->comboBox_ModeDis1->currentIndex(), dot);
    second = pedal::displaySecondByte(second, ui->comboBox_ModeDis2->currentIndex());
    showDot(ui->radioButton_ModeDis, dot);
    const uint len = displayCharsFrame(m_config, m_tx);
    for (quint8 b : m_config.PresetDisplay)
        qDebug().noquote() << byteToHex(b);
    send(m_tx, len);
}

void master::click_switch_display()
{
    if (m_updating)
        return;
    SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    const bool dot1 = ui->radioButton_1->isChecked();
    const bool dot2 = ui->radioButton_2->isChecked();
    sw.Display[0] = pedal::displayFirstByte(sw.Display[0], ui->comboBox_list1->currentIndex(), dot1);
    sw.Display[1] = pedal::displaySecondByte(sw.Display[1], ui->comboBox_list1_2->currentIndex());
    sw.Display[2] = pedal::displayFirstByte(sw.Display[2], ui->comboBox_list2->currentIndex(), dot2);
    sw.Display[3] = pedal::displaySecondByte(sw.Display[3], ui->comboBox_list2_2->currentIndex());
    showDot(ui->radioButton_1, dot1);
    showDot(ui->radioButton_2, dot2);
    send(m_tx, switchDisplayFrame(m_config, m_tx));
}
