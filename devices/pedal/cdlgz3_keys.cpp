// The foot pedal page's key event lists: the current key, the lists shown,
// the trigger types, the entries from the event entry dialog and the eight
// key-bank frames with the pool frame that carry every change to the pedal.
#include "cdlgz3.h"
#include "ui_cdlgz3.h"

#include <QListWidget>

#include "autodisappermsgbox.h"
#include "devices/pedal/pedaltext.h"
#include "devices/pedal/z3edit.h"
#include "dialogs.h"
#include "touchcombobox.h"

TouchComboBox *cDlgZ3::triggerCombo(int key) const
{
    TouchComboBox *const combos[z3::kKeysPerGroup] = {ui->comboBox_A, ui->comboBox_B, ui->comboBox_C,
                                                      ui->comboBox_D};
    return combos[key & 3];
}

QListWidget *cDlgZ3::keyListWidget(int list) const
{
    return list == 1 ? ui->listWidget_A1 : ui->listWidget_A2;
}

void cDlgZ3::show_key_list(int list)
{
    QListWidget *w = keyListWidget(list);
    w->clear();
    w->addItems(z3::keyListRows(m_image, m_image.currentGroup(), m_curKey, list));
}

void cDlgZ3::show_key_lists()
{
    if (m_curKey > 3)
        m_curKey = 0;
    const uchar type = currentRecord().triggerType();
    ui->stackedWidget_2->setVisible(pedal::namesAction(type));
    show_key_list(1);
    const bool oneList = !pedal::hasTwoLists(type);
    ui->pushButton_Group1->setVisible(!oneList);
    ui->pushButton_Group2->setVisible(!oneList);
    if (!oneList)
        show_key_list(2);
    else if (ui->stackedWidget_2->currentIndex() != 0)
        // Without its tab buttons list 2 could not be left (a library command
        // of one list put on the key while list 2 showed): the key's list shows.
        emit ui->pushButton_Group1->clicked(true);
}

void cDlgZ3::show_group_labels(uchar triggerType)
{
    switch (triggerType) {
    case 2:
        ui->pushButton_Group1->setText(tr("Group1"));
        ui->pushButton_Group2->setText(tr("Group2"));
        break;
    case 3:
        ui->pushButton_Group1->setText(tr("label_down"));
        ui->pushButton_Group2->setText(tr("label_up"));
        break;
    case 5:
        ui->pushButton_Group1->setText(tr("label_up"));
        ui->pushButton_Group2->setText(tr("label_long"));
        break;
    default:
        break;
    }
}

void cDlgZ3::slots_key_changed()
{
    for (QPushButton *b : {ui->pushButton_moreA, ui->pushButton_moreB, ui->pushButton_moreC, ui->pushButton_moreD})
        b->hide();
    QCheckBox *const boxes[z3::kKeysPerGroup] = {ui->checkBox_A, ui->checkBox_B, ui->checkBox_C, ui->checkBox_D};
    QPushButton *const more[z3::kKeysPerGroup] = {ui->pushButton_moreA, ui->pushButton_moreB, ui->pushButton_moreC,
                                                  ui->pushButton_moreD};
    for (int k = 0; k < z3::kKeysPerGroup; ++k) {
        if (boxes[k]->isChecked()) {
            m_curKey = uchar(k);
            more[k]->show();
            break;
        }
    }
    show_key_lists();
    show_group_labels(currentRecord().triggerType());
    if (!m_groupLock)
        emit ui->pushButton_Group1->clicked(true);
}

void cDlgZ3::slots_trigger_changed(int index)
{
    if (m_uiUpdating || index < 0)
        return;
    int key = -1;
    for (int k = 0; k < z3::kKeysPerGroup; ++k) {
        if (sender() == triggerCombo(k))
            key = k;
    }
    if (key < 0)
        return;
    m_groupLock = true;
    QCheckBox *const boxes[z3::kKeysPerGroup] = {ui->checkBox_A, ui->checkBox_B, ui->checkBox_C, ui->checkBox_D};
    boxes[key]->setChecked(true);
    m_curKey = uchar(key);
    currentRecord().setTriggerType(uchar(index + 1));
    show_group_labels(uchar(index + 1));
    show_key_lists();
    if (!m_uiUpdating)
        send_key_banks();
    m_groupLock = false;
    emit ui->pushButton_Group1->clicked(true);
}

cValueKey *cDlgZ3::value_key_dialog()
{
    if (!m_valueKey) {
        m_valueKey = new cValueKey(this);
        connect(m_valueKey, &cValueKey::signal_key_midi_event, this, &cDlgZ3::slots_key_midi_event);
        connect(m_valueKey, &cValueKey::signal_key_midi_sysex, this, &cDlgZ3::slots_key_midi_sysex);
    }
    return m_valueKey;
}

void cDlgZ3::click_button_add()
{
    QObject *from = sender();
    m_entryMode = 1;
    if (from == ui->pushButton_AddA1) {
        m_curList = 1;
        ui->listWidget_A1->clearSelection();
    } else if (from == ui->pushButton_AddA2) {
        m_curList = 2;
        ui->listWidget_A2->clearSelection();
    }
    cValueKey *dlg = value_key_dialog();
    dlg->set_values(QStringLiteral("Add Data"));
    dlg->retranslateUi();
    dlg->show();
}

void cDlgZ3::click_list_item()
{
    QObject *from = sender();
    if (from == ui->listWidget_pedal) {
        open_pedal_entry();
        return;
    }
    if (from != ui->listWidget_A1 && from != ui->listWidget_A2)
        return;
    m_curList = from == ui->listWidget_A1 ? 1 : 2;
    m_entryMode = 2;
    cValueKey *dlg = value_key_dialog();
    if (QListWidgetItem *item = keyListWidget(m_curList)->currentItem())
        dlg->set_values(item->text());
    dlg->retranslateUi();
    dlg->show();
}

void cDlgZ3::slots_key_midi_event(QList<int> nData)
{
    if (nData.size() < 4)
        return;
    if (m_entryMode == 2) {
        modify_key_event(nData);
        return;
    }
    const int list = m_curList;
    if (m_entryMode != 1 || (list != 1 && list != 2))
        return;
    const z3::SEvent event{uchar(nData[0]), uchar(nData[1]), uchar(nData[2]), uchar(nData[3])};
    if (!z3::addKeyEvent(m_image, m_image.currentGroup(), m_curKey, list, event)) {
        AutoDisapperMsgBox::showMessage(this, tr("Up to 16 MIDI codes can be stored."), 1500);
        return;
    }
    show_key_list(list);
    keyListWidget(list)->scrollToBottom();
    if (!m_uiUpdating)
        send_key_banks();
}

void cDlgZ3::modify_key_event(QList<int> nData)
{
    const int list = m_curList;
    if (list != 1 && list != 2)
        return;
    const z3::SEvent event{uchar(nData[0]), uchar(nData[1]), uchar(nData[2]), uchar(nData[3])};
    if (z3::modifyKeyEvent(m_image, m_image.currentGroup(), m_curKey, list, keyListWidget(list)->currentRow(), event))
        show_key_list(list);
    if (!m_uiUpdating)
        send_key_banks();
}

void cDlgZ3::slots_key_midi_sysex(QString &strSysEx)
{
    set_key_sysex(strSysEx);
    show_key_lists();
    if (!m_uiUpdating)
        send_key_banks();
}

void cDlgZ3::set_key_sysex(const QString &text)
{
    if (m_curList != 1 && m_curList != 2)
        return;
    Z3KeyRecord r = currentRecord();
    if (store_sysex(r.entry(m_curList, 0), text, r.isSysex(m_curList))) {
        r.setCount(m_curList, 0);
        r.setSysex(m_curList, true);
    }
}

bool cDlgZ3::store_sysex(uchar *ref, const QString &text, bool replace)
{
    const z3::PoolResult result = z3::storeSysex(m_image, ref, pedal::parseHexPairs(text, z3::kPoolSize), replace);
    if (result == z3::PoolResult::Full)
        AutoDisapperMsgBox::showMessage(
            this, tr("The memory pool has reached its limit. Delete some of the SysEx message and then re-add it."), 1500);
    return result == z3::PoolResult::Stored;
}

void cDlgZ3::remove_sysex(uchar *ref)
{
    z3::removeSysex(m_image, ref);
}

void cDlgZ3::click_delete_item()
{
    QObject *from = sender();
    QListWidget *list = nullptr;
    if (from == ui->pushButton_DelItem1)
        list = ui->listWidget_A1;
    else if (from == ui->pushButton_DelItem2)
        list = ui->listWidget_A2;
    else if (from == ui->pushButton_pedalDelItem)
        list = ui->listWidget_pedal;
    if (!list)
        return;
    const QList<QListWidgetItem *> selected = list->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = list->row(selected.first());
    if (row >= z3::kMaxEntries)
        return;
    if (list == ui->listWidget_pedal) {
        // The key dialog's list stays as a key list's own handler chose it.
        delete_pedal_row(row);
        return;
    }
    m_curList = list == ui->listWidget_A1 ? 1 : 2;
    delete_list_row(row);
}

void cDlgZ3::delete_list_row(int row)
{
    if (m_curList != 1 && m_curList != 2)
        return;
    if (!z3::deleteKeyRow(m_image, m_image.currentGroup(), m_curKey, m_curList, row))
        return;
    show_key_list(m_curList);
    if (!m_uiUpdating)
        send_key_banks();
}

void cDlgZ3::click_button_remove()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    if (!button || (ui->listWidget_A1->count() == 0 && ui->listWidget_A2->count() == 0))
        return;
    showStyledQuestion(this, tr("warning"), tr("remove_all"), [this, button](int answer) {
        if (answer != ANSWER_YES)
            return;
        const int list = button == ui->pushButton_Remove1 ? 1 : button == ui->pushButton_Remove2 ? 2 : 0;
        if (list == 0)
            return;
        keyListWidget(list)->clear();
        z3::clearKeyList(m_image, m_image.currentGroup(), m_curKey, list);
        if (!m_uiUpdating)
            send_key_banks();
    });
}

void cDlgZ3::send_key_banks()
{
    for (int g = 0; g < z3::kGroups; ++g)
        send_frame(z3::keyBankFrame(m_image, g, m_txBuf));
    send_sysex_pool();
}

void cDlgZ3::send_sysex_pool()
{
    send_frame(z3::sysexPoolFrame(m_image, m_txBuf));
}
