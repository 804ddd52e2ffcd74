// The foot pedal page's Bluetooth host panel: the host mode (asked before it
// changes), the scan, the connect command and the pass-through switch. The
// pedal's reports are handled with the other frames (cdlgz3.cpp).
#include "cdlgz3.h"
#include "ui_cdlgz3.h"

#include "autodisappermsgbox.h"
#include "dialogs.h"
#include "touchcombobox.h"

void cDlgZ3::click_combobox_BtModel(int row)
{
    showStyledQuestion(this, QString(),
                       tr("Switching modes will disconnect the current Bluetooth connection. Do you want to switch?"),
                       [this, row](int answer) {
                           if (answer != ANSWER_YES) {
                               ui->comboBox_BtModel->setCurrentIndex(m_image.btMode());
                               return;
                           }
                           ui->stackedWidget_BtModel->setCurrentIndex(row);
                           ui->label_CurBt->clear();
                           m_image.setByte(z3::kBtMode, uchar(row));
                           if (row == 1) {
                               ui->listWidget_BtName->clear();
                               m_btNames.clear();
                           }
                           send_bluetooth();
                       });
}

void cDlgZ3::send_bluetooth()
{
    QByteArray name;
    if (QListWidgetItem *item = ui->listWidget_BtName->currentItem()) {
        name = item->text().toLatin1();
        if (name.size() > z3::kMaxBtName) {
            AutoDisapperMsgBox::showMessage(this, tr("The Bluetooth name is too long. Please switch to the Host mode."),
                                            1200);
            name.truncate(z3::kMaxBtName);
        }
    }
    send_frame(z3::bluetoothFrame(m_image.btMode(), name, m_txBuf));
}

void cDlgZ3::click_scan()
{
    ui->listWidget_BtName->clear();
    m_btNames.clear();
    send_bluetooth();
}

void cDlgZ3::slots_pass_through(bool on)
{
    if (m_uiUpdating)
        return;
    m_image.setByte(z3::kPassThrough, on ? 1 : 0);
    send_frame(z3::passThroughFrame(on, m_txBuf));
}
