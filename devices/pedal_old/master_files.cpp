// The older pedal page's toolbar: ".z3" preset files, the online preset list,
// the firmware upgrade and the factory reset, and the sending of a whole
// configuration that a preset file brought.
#include "master.h"
#include "ui_master.h"

#include <QDebug>
#include <QPointer>
#include <QThread>

#include "autodisappermsgbox.h"
#include "cdlgpreset.h"
#include "cupgrade.h"
#include "devices/pedal/pedalpoll.h"
#include "devices/pedal/pedalpresetfile.h"
#include "devices/shared/pagetoolbar.h"
#include "dialogs.h"
#include "filechooser.h"
#include "touchcombobox.h"

using namespace pedalold;

namespace {

// The older firmware needs these pauses between the frames of a whole
// configuration.
constexpr unsigned long kAfterSwitchRecordMs = 50;
constexpr unsigned long kAfterGroupMs = 30;

constexpr int kPedalModel = 1;
// The pedal's folder on the download server, whatever the device reports.
const QString kFolder = QStringLiteral("Z3/");
const char *const kPresetFilter = "Zol Z3 Preset (*.z3)";

} // namespace

// ---- preset files --------------------------------------------------------------------

void master::click_preset_file()
{
    if (sender() == ui->pushButton_Out) {
        save_preset_file(m_config, QString());
    } else if (sender() == ui->pushButton_In) {
        if (load_preset_file(m_config, QString()))
            send_loaded_image();
    }
}

void master::save_preset_file(const SMIDIConfigData &image, const QString &strPath)
{
    const QString path = preset_file_path(strPath, true, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return;
    // Saved, or not, with the old file kept whole.
    const QByteArray bytes = fileImage(image).toByteArray();
    AutoDisapperMsgBox::showMessage(this, tr(PedalPresetFile::saveMessage(PedalPresetFile::write(path, bytes))), 1000);
}

bool master::load_preset_file(SMIDIConfigData &image, const QString &strPath)
{
    const QString path = preset_file_path(strPath, false, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return false;
    QByteArray body;
    switch (PedalPresetFile::read(path, kImageSize, &body)) {
    case PedalPresetFile::Load::Ok:
        if (!imageFromFileBody(body, &image))
            break;
        return true;
    case PedalPresetFile::Load::CannotOpen:
        // Not readable, or gone since it was chosen: said as a file that
        // cannot be read, never as nothing at all.
        qWarning() << "Cannot open file" << path;
        break;
    case PedalPresetFile::Load::WrongHeader:
    case PedalPresetFile::Load::NoBody:
    case PedalPresetFile::Load::Damaged:
    case PedalPresetFile::Load::WrongSize:
        break;
    }
    // Another model's file, or no image of this page in it (the newer page's
    // file among them): the user is told why nothing changed.
    askQuestion(tr("File Error!"), tr("Configuration file error!"));
    return false;
}

void master::slots_Z3_apply_preset(QString strPath)
{
    if (load_preset_file(m_config, strPath))
        send_loaded_image();
}

// ---- online presets and firmware ----------------------------------------------------------

void master::click_preset_list()
{
    CDlgPreset *list = pagekit::openPresetList(m_presetDialog, kPedalModel, kFolder,
                                               pagekit::IndexDownload::EveryOpen);
    connect(list, &CDlgPreset::signals_download_preset, this, &master::slots_Z3_apply_preset);
}

void master::click_upgrade()
{
    pagekit::startUpgrade(m_upgrade, this, kFolder);
}

CDlgPreset *master::presetDialog() const
{
    return static_cast<CDlgPreset *>(m_presetDialog.data());
}

cUpgrade *master::upgradeDialog() const
{
    return static_cast<cUpgrade *>(m_upgrade.data());
}

void master::click_reset_button()
{
    QPointer<master> self(this);
    showStyledQuestion(this, tr("warning"), tr("reset"), [self](int answer) {
        if (self && answer == ANSWER_YES)
            self->slots_click_reset();
    });
}

void master::slots_click_reset()
{
    // While invalid images are answered, the next of them brings the reset one.
    pedal::sendFactoryReset(
        this, [this](const quint8 *frame, uint len) { send(frame, len); }, [this] { return repolling(); });
}

void master::send_loaded_image()
{
    update_ui();
    update_switch_view();
    click_checkbox_switch();
    for (int k = 0; k < kSwitchCount; ++k) {
        send_switch_data(k);
        QThread::msleep(kAfterSwitchRecordMs);
    }
    send_switch_setting();
    QThread::msleep(kAfterGroupMs);
    click_switch_display();
    QThread::msleep(kAfterGroupMs);
    click_preset_display();
    QThread::msleep(kAfterGroupMs);
    send_pedal_data();
    QThread::msleep(kAfterGroupMs);
    ui->comboBox_preset->setCurrentIndex(0);
    send_preset_select(1);
    ui->stackedWidget->setCurrentIndex(0);
    show_preset_display(1);
}
