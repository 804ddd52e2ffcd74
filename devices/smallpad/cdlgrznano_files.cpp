// The small pad page's files and the windows of its tool bar: ".rznano"
// preset files saved and loaded through the file dialogs, presets handed
// over by the online preset list, the raw ".bin" dump on Ctrl+S, the preset
// list, the firmware upgrade and the pad calibration.
#include "cdlgrznano.h"
#include "ui_cdlgrznano.h"

#include <QDebug>

#include "autodisappermsgbox.h"
#include "cdlgpadlevel.h"
#include "cdlgpreset.h"
#include "devices/shared/pagetoolbar.h"
#include "devices/smallpad/rznanopresetfile.h"
#include "filechooser.h"

using namespace rznano;

namespace {

const QString kServerFolder = QStringLiteral("rznano/");
const char *const kPresetFilter = "Zol Mini Pad Preset (*.rznano)";

} // namespace

void cDlgRznano::save_config_data_to_XML(const SRznanoConfigData *block, const QString &strPath)
{
    const QString path = preset_file_path(strPath, true, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return;
    switch (writePresetFile(path, *block)) {
    case presetfile::Save::Saved:
        AutoDisapperMsgBox::showMessage(this, tr("Preset save successful"), 1000);
        break;
    case presetfile::Save::CannotOpen: // a folder that is missing or not writable
    case presetfile::Save::HeaderFailed:
    case presetfile::Save::BodyFailed:
        AutoDisapperMsgBox::showMessage(this, tr("Preset save defeated"), 1000);
        break;
    }
}

bool cDlgRznano::load_config_data_from_XML(SRznanoConfigData *block, const QString &strPath)
{
    const QString path = preset_file_path(strPath, false, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return false;
    if (readPresetFile(path, *block))
        return true;
    // A refused file is said so where the user is looking: on the online
    // preset list while it is open over the page, else on the page.
    QWidget *shownOn = presetDlg && presetDlg->isVisible() ? presetDlg.data() : static_cast<QWidget *>(this);
    AutoDisapperMsgBox::showMessage(shownOn, tr("Configuration file error!"), 1500);
    return false;
}

void cDlgRznano::click_preset_file()
{
    QObject *from = sender();
    if (from == ui->pushButton_Out) {
        if (pagekit::mayWriteBlockFile(this, blockHeld(), tr("Preset save defeated")))
            save_config_data_to_XML(&configData, QString());
        return;
    }
    if (from != ui->pushButton_In)
        return;
    // Nothing the device sends while the dialog is open changes the block or
    // the record.
    busy = 1;
    if (load_config_data_from_XML(&configData, QString())) {
        presetBlock.stored(true, systemConfig.preset);
        block_replaced();
        send_config_block();
        qDebug() << "load_config_data_from_XML succ";
    } else {
        qDebug() << "load_config_data_from_XML err";
    }
    clear_busy();
}

void cDlgRznano::slots_RZNANO_apply_preset(QString strPresetPath)
{
    if (!load_config_data_from_XML(&configData, strPresetPath))
        return; // the list stays open over the page
    presetBlock.stored(true, systemConfig.preset);
    block_replaced();
    send_config_block();
    if (presetDlg)
        presetDlg->close();
}

void cDlgRznano::click_save_config_bin()
{
    if (pagekit::mayWriteBlockFile(this, blockHeld(), tr("Preset save defeated")))
        pagekit::saveConfigBin(this, &configData, sizeof configData, tr("Preset save defeated"));
}

void cDlgRznano::click_preset_list()
{
    CDlgPreset *list = pagekit::openPresetList(presetDlg, 8, kServerFolder);
    connect(list, &CDlgPreset::signals_download_preset, this, &cDlgRznano::slots_RZNANO_apply_preset);
}

void cDlgRznano::click_firmware_upgrade()
{
    pagekit::startUpgrade(upgradeDlg, this, kServerFolder);
}

void cDlgRznano::click_pad_calibration()
{
    cDlgPadLevel *dlg = pagekit::openPadLevel(padLevelDlg, 8, systemConfig.padThreshold);
    connect(dlg, &cDlgPadLevel::signals_send_pad_level, this, &cDlgRznano::slots_send_pad_level);
}
