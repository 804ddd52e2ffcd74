// The foot pedal page's files and toolbar: ".z3" preset files saved and
// loaded through the file dialogs, presets from the online list, the firmware
// upgrade and the raw ".bin" dump of the image (Ctrl+S).
#include "cdlgz3.h"
#include "ui_cdlgz3.h"

#include <QDebug>
#include <QThread>

#include <algorithm>

#include "autodisappermsgbox.h"
#include "cupgrade.h"
#include "cdlgpreset.h"
#include "devices/pedal/pedalpresetfile.h"
#include "devices/shared/pagetoolbar.h"
#include "dialogs.h"
#include "filechooser.h"
#include "touchcombobox.h"

namespace {

const char *const kPresetFilter = "Zol Z3 Preset (*.z3)";
const char *const kFolder = "Z3/";
constexpr int kPedalModel = 1;
// The pedal takes the sections of an applied preset with pauses between them.
constexpr int kApplyPauseMs = 30;

} // namespace

void cDlgZ3::save_preset_file(const uchar *image, const QString &strPath)
{
    const QString path = preset_file_path(strPath, true, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return;
    const QByteArray bytes(reinterpret_cast<const char *>(image), SZ3ProConfigData::kSize);
    AutoDisapperMsgBox::showMessage(this, tr(PedalPresetFile::saveMessage(PedalPresetFile::write(path, bytes))), 1000);
}

bool cDlgZ3::load_preset_file(uchar *image, const QString &strPath)
{
    const QString path = preset_file_path(strPath, false, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return false;
    SZ3ProConfigData loaded;
    switch (readZ3Preset(path, &loaded)) {
    case Z3PresetLoad::Ok:
        // A preset leaves the Bluetooth page as it is and sends it nothing:
        // the image keeps the pedal's own Bluetooth settings, so that Scan,
        // Connect and a declined mode question go on with the mode shown.
        loaded.setByte(z3::kBtMode, image[z3::kBtMode]);
        loaded.setByte(z3::kPassThrough, image[z3::kPassThrough]);
        std::copy(loaded.data(), loaded.data() + SZ3ProConfigData::kSize, image);
        return true;
    case Z3PresetLoad::CannotOpen:
        // Not readable, or gone since it was chosen: said as a file that
        // cannot be read, never as nothing at all.
        qWarning() << "Cannot open file" << path;
        break;
    case Z3PresetLoad::WrongHeader:
    case Z3PresetLoad::Refused:
        break;
    }
    // Another model's file, or no good image in it: the user is told why
    // nothing changed.
    askQuestion(tr("File Error!"), tr("Configuration file error!"));
    return false;
}

void cDlgZ3::click_preset_file()
{
    QObject *from = sender();
    if (from == ui->pushButton_Out) {
        if (may_save())
            save_preset_file(m_image.data(), QString());
    } else if (from == ui->pushButton_In && load_preset_file(m_image.data(), QString()))
        apply_preset_image();
}

void cDlgZ3::slots_Z3_apply_preset(QString strPath)
{
    if (load_preset_file(m_image.data(), strPath))
        apply_preset_image();
}

void cDlgZ3::apply_preset_image()
{
    update_ui();
    show_key_lists();
    slots_key_changed();
    if (!m_uiUpdating)
        send_key_banks();
    send_switches();
    QThread::msleep(kApplyPauseMs);
    if (!m_uiUpdating)
        send_display_chars();
    QThread::msleep(kApplyPauseMs);
    send_pedal_list();
    QThread::msleep(kApplyPauseMs);
    ui->comboBox_preset->setCurrentIndex(0);
    try_send_setting(1);
    ui->stackedWidget->setCurrentIndex(0);
    show_display_chars(1);
}

CDlgPreset *cDlgZ3::presetDialog() const
{
    return qobject_cast<CDlgPreset *>(m_presetDlg.data());
}

cUpgrade *cDlgZ3::upgradeDialog() const
{
    return qobject_cast<cUpgrade *>(m_upgrade.data());
}

void cDlgZ3::click_preset_list()
{
    CDlgPreset *dlg = pagekit::openPresetList(m_presetDlg, kPedalModel, QString::fromLatin1(kFolder));
    connect(dlg, &CDlgPreset::signals_download_preset, this, &cDlgZ3::slots_Z3_apply_preset);
}

void cDlgZ3::click_update()
{
    pagekit::startUpgrade(m_upgrade, this, QString::fromLatin1(kFolder));
}

bool cDlgZ3::may_save()
{
    if (!m_imageAccepted)
        AutoDisapperMsgBox::showMessage(this, tr("Receive data..."), 600);
    return m_imageAccepted;
}

void cDlgZ3::save_config_bin()
{
    if (may_save())
        pagekit::saveConfigBin(this, m_image.data(), SZ3ProConfigData::kSize, tr("Preset save defeated"));
}
