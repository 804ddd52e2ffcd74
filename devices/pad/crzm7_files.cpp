// The pad page's files: ".rzp" preset files saved and loaded through the
// file dialogs, presets handed over by the online preset list, and the raw
// ".bin" dump of the block on Ctrl+S.
#include "crzm7.h"
#include "ui_crzm7.h"

#include <QDebug>
#include <QPushButton>

#include "autodisappermsgbox.h"
#include "cdlgpreset.h"
#include "devices/pad/rz7presetfile.h"
#include "devices/shared/colourchooser.h"
#include "devices/shared/pagetoolbar.h"
#include "filechooser.h"

using namespace rz7;

namespace {
const char *const kPresetFilter = "Zol Pad Preset (*.rzp)";
} // namespace

void CRZM7::save_config_data_to_XML(const SRZ7ConfigData &block, const QString &strPath)
{
    const QString path = preset_file_path(strPath, true, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return;
    switch (writePresetFile(path, block)) {
    case PresetSaveResult::Saved:
        AutoDisapperMsgBox::showMessage(this, tr("Preset save successful"), 1000);
        break;
    case PresetSaveResult::WriteFailed:
    case PresetSaveResult::CannotOpen: // a folder that is missing or not writable
        AutoDisapperMsgBox::showMessage(this, tr("Preset save defeated"), 1000);
        break;
    }
}

bool CRZM7::load_config_data_from_XML(SRZ7ConfigData &block, const QString &strPath)
{
    return load_preset_file(block, strPath, this);
}

bool CRZM7::load_preset_file(SRZ7ConfigData &block, const QString &strPath, QWidget *pToastParent)
{
    const QString path = preset_file_path(strPath, false, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return false;
    const PresetLoadResult result = readPresetFile(path, block);
    // A broken text is said as the other pages say it; the other refusals
    // keep their codes.
    const QString message =
        result == PresetLoadResult::XmlError ? tr("Configuration file error!") : presetLoadMessage(result);
    if (!message.isEmpty())
        AutoDisapperMsgBox::showMessage(pToastParent, message, 1500);
    return result == PresetLoadResult::Ok;
}

void CRZM7::apply_loaded_block()
{
    // The block is replaced whole: a dialog on the old one, and a block the
    // device sent meanwhile, are out of date. So is a group colour chooser (the
    // online preset list is not held back by it): its colour to put back on
    // cancel is the old block's.
    close_control_dialog();
    m_model.forgetDroppedBlock();
    m_model.setBlockStored();
    m_chooser->abandon();
    m_model.extractSysexData();
    recover_data_ui();
    show_block_held();
    send_config_data();
}

void CRZM7::click_preset_file()
{
    QObject *from = sender();
    if (from == m_ui->pushButton_Out) {
        if (pagekit::mayWriteBlockFile(this, m_model.blockHeld(), tr("Preset save defeated")))
            save_config_data_to_XML(m_model.config(), QString());
        return;
    }
    if (from != m_ui->pushButton_In)
        return;
    // Blocks arriving while the dialog is open are dropped. A system record
    // arriving meanwhile is the device's own: when it names another preset,
    // the file goes to that preset, the one the device plays and the page
    // shows, and the page's record keeps it.
    m_model.setBusy(true);
    if (load_config_data_from_XML(m_model.config(), QString())) {
        apply_loaded_block();
        qDebug() << "load_config_data_from_XML succ";
    } else {
        qDebug() << "load_config_data_from_XML err";
    }
    release_busy();
}

void CRZM7::slots_apply_preset(QString strPresetPath)
{
    // The preset list stays open over the page when the file is refused: its
    // code is shown on the list, where the user is looking.
    QWidget *toastParent = m_presetDlg && m_presetDlg->isVisible() ? m_presetDlg.data() : this;
    if (!load_preset_file(m_model.config(), strPresetPath, toastParent))
        return;
    apply_loaded_block();
    if (m_presetDlg)
        m_presetDlg->close();
}

void CRZM7::save_config_data_to_bin()
{
    if (pagekit::mayWriteBlockFile(this, m_model.blockHeld(), tr("Preset save defeated")))
        pagekit::saveConfigBin(this, &m_model.config(), sizeof m_model.config(), tr("Preset save defeated"));
}
