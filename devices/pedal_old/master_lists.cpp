// Editing the older pedal page's lists: the events or SysEx message of a foot
// switch's two lists through the event entry dialog, and the expression-pedal
// entries through the pedal setting dialog. Every change sends the switch's
// record or the expression list at once.
#include "master.h"
#include "ui_master.h"

#include <QPointer>

#include <cstring>

#include "devices/pedal/cpedal.h"
#include "devices/pedal/cvaluekey.h"
#include "devices/pedal/pedaltext.h"
#include "dialogs.h"

using namespace pedalold;

namespace {

enum DialogMode : quint32 {
    kAddEvent = 1,
    kReplaceEvent = 2,
    kAddPedal = 3,
    kReplacePedal = 4,
};

} // namespace

// ---- the dialogs ----------------------------------------------------------------------

void master::ensureKeyDialog()
{
    if (m_keyDialog)
        return;
    m_keyDialog = new cValueKey(this);
    connect(m_keyDialog, &cValueKey::signal_key_midi_event, this, &master::slots_key_midi_event);
    connect(m_keyDialog, &cValueKey::signal_key_midi_sysex, this, &master::slots_key_midi_sysex);
}

cPedal *master::makePedalDialog()
{
    auto *dialog = new cPedal(nullptr);
    connect(dialog, &cPedal::signal_pedal_add, this, &master::slots_pedal_list);
    m_pedalDialog = dialog;
    return dialog;
}

void master::click_button_add()
{
    m_keyDialogMode = kAddEvent;
    const int list = sender() == ui->pushButton_AddA2 ? 2 : 1;
    m_keyDialogList = list;
    listWidget(list)->clearSelection();
    ensureKeyDialog();
    m_keyDialog->set_values(QStringLiteral("Add Data"));
    m_keyDialog->retranslateUi();
    m_keyDialog->show();
}

void master::double_click_list_item()
{
    if (sender() == ui->listWidget_pedal) {
        m_pedalDialogMode = kReplacePedal;
        // A dialog opened this way is kept when it closes, for the next edit.
        cPedal *dialog = m_pedalDialog ? m_pedalDialog.data() : makePedalDialog();
        const int row = ui->listWidget_pedal->currentRow();
        if (row >= 0 && row < m_config.usedPedalCount()) {
            const SPedalCCEntry &e = m_config.PedalData[row];
            dialog->set_values(pedal::expressionRowText(row, e.Channel, e.CC, e.Min, e.Max));
        }
        dialog->show();
        return;
    }
    const int list = sender() == ui->listWidget_A2 ? 2 : 1;
    m_keyDialogList = list;
    m_keyDialogMode = kReplaceEvent;
    ensureKeyDialog();
    if (QListWidgetItem *item = listWidget(list)->currentItem())
        m_keyDialog->set_values(item->text());
    m_keyDialog->retranslateUi();
    m_keyDialog->show();
}

// ---- answers ------------------------------------------------------------------------------

void master::slots_key_midi_event(QList<int> nData)
{
    if (nData.size() < 4 || (m_keyDialogMode != kAddEvent && m_keyDialogMode != kReplaceEvent))
        return;
    const int list = m_keyDialogList;
    SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    const SMidiEvent event{quint8(nData[1]), quint8(nData[0]), quint8(nData[2]), quint8(nData[3])};
    QListWidget *widget = listWidget(list);
    if (m_keyDialogMode == kAddEvent) {
        if (widget->count() > 0 && !widget->item(0)->text().isEmpty()
            && !widget->item(0)->text().startsWith(QLatin1Char('[')))
            widget->clear();
        // A list in SysEx form becomes an event list holding only the new
        // event, whatever count the image left beside the message.
        if (sw.isSysex(list))
            sw.setCount(list, 0);
        if (sw.rawCount(list) >= kMaxEvents)
            return;
        sw.events(list)[sw.rawCount(list)] = event;
        sw.setSysex(list, false);
        sw.setCount(list, sw.rawCount(list) + 1);
        refresh_events(list);
        widget->scrollToBottom();
    } else {
        if (sw.isSysex(list)) {
            sw.setSysex(list, false);
            std::memset(sw.sysex(list), 0, kSysexField);
            sw.setSysexLen(list, 0);
            sw.setCount(list, 1);
            sw.events(list)[0] = event;
        } else {
            // The row may have gone while the dialog stayed open.
            const int row = widget->currentRow();
            if (row < 0 || row >= sw.usedCount(list))
                return;
            sw.events(list)[row] = event;
        }
        refresh_events(list);
    }
    send_switch_data(int(m_currentSwitch));
}

void master::slots_key_midi_sysex(QString &strSysEx)
{
    const int list = m_keyDialogList;
    SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    QListWidget *widget = listWidget(list);
    widget->clear();
    std::memset(sw.events(list), 0, sizeof(SMidiEvent) * kMaxEvents);
    sw.setCount(list, 0);
    widget->addItem(strSysEx);
    sw.setSysex(list, true);
    parse_key_sysex(strSysEx);
    send_switch_data(int(m_currentSwitch));
}

void master::parse_key_sysex(const QString &text)
{
    const int list = m_keyDialogList;
    SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    const QByteArray bytes = pedal::parseHexPairs(text, kMaxSysex);
    std::memcpy(sw.sysex(list), bytes.constData(), size_t(bytes.size()));
    sw.sysex(list)[bytes.size()] = 0;
    sw.setSysexLen(list, quint16(bytes.size()));
}

// ---- deleting ----------------------------------------------------------------------------

void master::click_button_del()
{
    if (sender() == ui->pushButton_pedalDelItem) {
        const QList<QListWidgetItem *> selected = ui->listWidget_pedal->selectedItems();
        if (selected.isEmpty())
            return;
        const int row = ui->listWidget_pedal->row(selected.first());
        if (row < kMaxPedalEntries)
            delete_list_item(row);
        return;
    }
    const int list = sender() == ui->pushButton_DelItem2 ? 2 : 1;
    QListWidget *widget = listWidget(list);
    const QList<QListWidgetItem *> selected = widget->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = widget->row(selected.first());
    if (row >= kMaxEvents)
        return;
    SSwitchRecord &sw = m_config.SwitchData[m_currentSwitch];
    if (sw.isSysex(list)) {
        sw.setSysexLen(list, 0);
        std::memset(sw.sysex(list), 0, kSysexField);
        std::memset(sw.events(list), 0, sizeof(SMidiEvent) * kMaxEvents);
        sw.setCount(list, 0);
        refresh_sysex(list);
    } else {
        const int count = sw.usedCount(list);
        if (row >= count)
            return;
        SMidiEvent *events = sw.events(list);
        for (int i = row; i + 1 < count; ++i)
            events[i] = events[i + 1];
        sw.setCount(list, count - 1);
        refresh_events(list);
    }
    send_switch_data(int(m_currentSwitch));
}

void master::clearList(int switchIndex, int list)
{
    SSwitchRecord &sw = m_config.SwitchData[switchIndex];
    sw.setCount(list, 0);
    sw.setSysexLen(list, 0);
    std::memset(sw.sysex(list), 0, kSysexField);
    std::memset(sw.events(list), 0, sizeof(SMidiEvent) * kMaxEvents);
}

void master::click_button_remove()
{
    if (ui->listWidget_A1->count() == 0 && ui->listWidget_A2->count() == 0)
        return;
    // The answer comes later: it empties the list of the switch that was
    // shown when the user was asked, whatever has been selected since.
    const int list = sender() == ui->pushButton_Remove2 ? 2 : 1;
    const int switchIndex = int(m_currentSwitch);
    QPointer<master> self(this);
    showStyledQuestion(this, tr("warning"), tr("remove_all"), [self, list, switchIndex](int answer) {
        if (!self || answer != ANSWER_YES)
            return;
        self->clearList(switchIndex, list);
        if (int(self->m_currentSwitch) == switchIndex)
            self->listWidget(list)->clear();
        self->send_switch_data(switchIndex);
    });
}

void master::delete_list_item(int row)
{
    const int count = m_config.usedPedalCount();
    if (row < 0 || row >= count)
        return;
    for (int i = row; i + 1 < count; ++i)
        m_config.PedalData[i] = m_config.PedalData[i + 1];
    m_config.PedalCount = quint8(count - 1);
    update_pedal_list();
    send_pedal_data();
}

// ---- expression-pedal entries -------------------------------------------------------------

void master::click_pedal_add()
{
    if (!m_pedalDialog) {
        // A dialog opened by the add button goes when it closes.
        makePedalDialog()->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_pedalDialogMode = kAddPedal;
    m_pedalDialog->show();
}

void master::slots_pedal_list(QList<int> nData)
{
    if (nData.size() < 4)
        return;
    const SPedalCCEntry entry{quint8(nData[0]), quint8(nData[1]), quint8(nData[2]), quint8(nData[3])};
    if (m_pedalDialogMode == kAddPedal) {
        const int index = ui->listWidget_pedal->count();
        if (m_config.PedalCount >= kMaxPedalEntries || index >= kMaxPedalEntries)
            return;
        m_config.PedalCount = quint8(index + 1);
        m_config.PedalData[index] = entry;
    } else if (m_pedalDialogMode == kReplacePedal) {
        // The row may have gone while the dialog stayed open.
        const int row = ui->listWidget_pedal->currentRow();
        if (row < 0 || row >= m_config.usedPedalCount())
            return;
        m_config.PedalData[row] = entry;
    } else {
        return;
    }
    update_pedal_list();
    send_pedal_data();
}

void master::click_pedal_del()
{
    QPointer<master> self(this);
    showStyledQuestion(this, tr("warning"), tr("remove_all"), [self](int answer) {
        if (!self || answer != ANSWER_YES)
            return;
        self->ui->listWidget_pedal->clear();
        std::memset(self->m_config.PedalData, 0, sizeof self->m_config.PedalData);
        self->m_config.PedalCount = 0;
        self->send_pedal_data();
    });
}

cPedal *master::pedalDialog() const
{
    return m_pedalDialog.data();
}
