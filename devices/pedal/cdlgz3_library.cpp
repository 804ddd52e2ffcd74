// The foot pedal page's command library: the "···" button of the current key
// opens the library popup, and a command chosen there is put on that key.
#include "cdlgz3.h"
#include "ui_cdlgz3.h"

#include "autodisappermsgbox.h"
#include "devices/pedal/cdlgloadini.h"
#include "devices/pedal/inicommand.h"
#include "devices/pedal/z3edit.h"
#include "touchcombobox.h"

void cDlgZ3::click_more_button()
{
    if (m_loadIni) {
        disconnect(m_loadIni, &cDlgLoadINI::signal_send_tree_content, this, &cDlgZ3::slots_send_tree_content);
        m_loadIni->close();
        delete m_loadIni.data();
    }
    m_loadIni = new cDlgLoadINI(m_curKey, nullptr);
    connect(m_loadIni, &cDlgLoadINI::signal_send_tree_content, this, &cDlgZ3::slots_send_tree_content);
    m_loadIni->show();
}

void cDlgZ3::slots_send_tree_content(quint8 byBtn, quint8 *pbyBuf)
{
    if (!pbyBuf || byBtn >= z3::kKeysPerGroup)
        return;
    z3::SIniApply command;
    if (!z3::decodeIniCommand(pbyBuf, &command)) {
        AutoDisapperMsgBox::showMessage(this, tr("INI Data Err!"), 1200);
        return;
    }
    switch (z3::applyLibraryCommand(m_image, m_image.currentGroup(), byBtn, command)) {
    case z3::LibraryResult::PoolFull:
        AutoDisapperMsgBox::showMessage(
            this, tr("The memory pool has reached its limit. Delete some of the SysEx message and then re-add it."), 1500);
        return;
    case z3::LibraryResult::Applied:
        break;
    }
    const uchar type = m_image.key(m_image.currentGroup(), byBtn).triggerType();
    TouchComboBox *combo = triggerCombo(byBtn);
    const bool blocked = combo->blockSignals(true);
    combo->setCurrentIndex(type - 1);
    combo->blockSignals(blocked);
    if (!m_uiUpdating)
        send_key_banks();
    show_key_lists();
    show_group_labels(type);
}
