// The foot pedal page's expression-pedal list: its rows, the entry dialog
// for adding and changing an entry, removal, and the CMD_PEDAL_EXPRESSION
// frame that carries the whole list after every change.
#include "cdlgz3.h"
#include "ui_cdlgz3.h"

#include "autodisappermsgbox.h"
#include "devices/pedal/z3edit.h"
#include "dialogs.h"

void cDlgZ3::show_pedal_list()
{
    ui->listWidget_pedal->clear();
    for (const QString &row : z3::pedalListRows(m_image)) {
        ui->listWidget_pedal->addItem(row);
        ui->listWidget_pedal->scrollToBottom();
    }
}

void cDlgZ3::send_pedal_list()
{
    uchar frame[7 + 4 * z3::kMaxPedalEntries];
    send_data(frame, z3::expressionFrame(m_image, frame));
}

cPedal *cDlgZ3::pedal_dialog(bool deleteOnClose)
{
    if (!m_pedalDlg) {
        m_pedalDlg = new cPedal(nullptr);
        m_pedalDlg->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
        connect(m_pedalDlg, &cPedal::signal_pedal_add, this, &cDlgZ3::slots_pedal_list);
    }
    return m_pedalDlg;
}

void cDlgZ3::click_pedal_add()
{
    cPedal *dlg = pedal_dialog(true);
    m_pedalPurpose = PedalAdd;
    dlg->show();
}

void cDlgZ3::open_pedal_entry()
{
    cPedal *dlg = pedal_dialog(false);
    m_pedalPurpose = PedalModify;
    if (QListWidgetItem *item = ui->listWidget_pedal->currentItem())
        dlg->set_values(item->text());
    dlg->show();
}

void cDlgZ3::slots_pedal_list(QList<int> nData)
{
    if (nData.size() < 4)
        return;
    const int values[4] = {nData[0], nData[1], nData[2], nData[3]};
    if (m_pedalPurpose == PedalAdd) {
        if (!z3::addPedalEntry(m_image, values)) {
            AutoDisapperMsgBox::showMessage(this, tr("Up to 16 MIDI codes can be stored."), 1500);
            return;
        }
    } else if (!z3::modifyPedalEntry(m_image, ui->listWidget_pedal->currentRow(), values)) {
        // The row went away while the dialog was open.
        return;
    }
    show_pedal_list();
    send_pedal_list();
}

void cDlgZ3::delete_pedal_row(int row)
{
    if (!z3::deletePedalEntry(m_image, row))
        return;
    show_pedal_list();
    send_pedal_list();
}

void cDlgZ3::click_pedal_del()
{
    showStyledQuestion(this, tr("warning"), tr("remove_all"), [this](int answer) {
        if (answer != ANSWER_YES)
            return;
        ui->listWidget_pedal->clear();
        z3::clearPedalList(m_image);
        send_pedal_list();
    });
}
