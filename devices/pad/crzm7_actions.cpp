// The pad page's actions around the view: preset switch, set-all colours,
// closing, and the toolbar entries that open other windows or files.
#include "crzm7.h"
#include "ui_crzm7.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>

#include "cdlgpadlevel.h"
#include "cdlgpreset.h"
#include "cupgrade.h"
#include "devices/shared/colourchooser.h"
#include "dialogs.h"
#include "devices/shared/pagetoolbar.h"
#include "touchcombobox.h"

using namespace rz7;

void CRZM7::click_set_all_rgb_by_pad_bank()
{
    showStyledQuestion(this, QString(), tr("Set all pads to this color?"),
                       [this](int answer) { apply_bank_colour_to_pads(answer); });
}

void CRZM7::apply_bank_colour_to_pads(int nAnswer)
{
    if (nAnswer != ANSWER_YES)
        return;
    // The preview names pad 0 of the bank; the control an open per-control
    // dialog edits stays its own, for its previews and its stale check.
    const int kind = m_dialogKind;
    const int index = m_dialogIndex;
    m_setAllColours = 1;
    m_dialogIndex = 0;
    SRZ7ConfigData &cfg = m_model.config();
    const uint bank = m_model.padBank();
    pagekit::applyColourToPads(cfg.PadRGB[bank], kPadsPerBank, cfg.PadModeRGB[bank], [this, &cfg, bank] {
        refresh_pad_buttons(cfg.PadRGB[bank]);
        m_dialogKind = 1;
        slots_change_rgb();
    });
    m_dialogKind = kind;
    m_dialogIndex = index;
}

void CRZM7::toggle_preset_question(int nIndex)
{
    if (m_updatingUi || nIndex < 0 || nIndex >= int(kPresets))
        return;
    m_model.setBusy(true);
    if (!m_model.hasUnsavedChanges()) {
        m_model.forgetPendingSave(); // edits of the preset being left stay with it
        // The list shows the preset chosen, also when a record reset it while
        // the question was open.
        m_updatingUi = 1;
        m_ui->comboBox_Preset->setCurrentIndex(nIndex);
        m_updatingUi = 0;
        send_read_preset(uchar(nIndex));
        m_model.system().preset = uchar(nIndex);
        send_system_if_idle();
        release_busy();
        show_block_held(); // nothing is edited until the new preset's block is held
        return;
    }
    showStyledQuestion(this, QString(), tr("Save the data to the device?"), [this, nIndex](int answer) {
        if (answer == ANSWER_YES) {
            send_save_cmd();
            m_model.setUnsavedChanges(false);
            toggle_preset_question(nIndex);
        } else if (answer == ANSWER_NO) {
            m_model.setUnsavedChanges(false);
            toggle_preset_question(nIndex);
        } else {
            // Left without an answer: the list goes back to the device's preset.
            m_updatingUi = 1;
            m_ui->comboBox_Preset->setCurrentIndex(m_model.preset());
            m_updatingUi = 0;
            release_busy();
        }
    });
}

// ---- closing ------------------------------------------------------------------------

pagekit::SCloseQuestion CRZM7::closeQuestion() const
{
    return pagekit::SCloseQuestion{tr("Save to device"), tr("Save the data to the device?"), tr("Yes"), tr("No"),
                                   QString(), tr("Close")};
}

void CRZM7::closeEvent(QCloseEvent *event)
{
    pagekit::closeEditorPage(
        *this, event, m_model.hasUnsavedChanges(), closeQuestion(), [this] { send_save_cmd(); },
        [this] {
            uchar frame[kEmptyFrameSize];
            send_frame(frame, m_model.pageCloseFrame(frame));
        },
        &m_model.pendingSave());
}

// ---- toolbar ---------------------------------------------------------------------------

void CRZM7::click_reset()
{
    showStyledQuestion(this, tr("Tips"), tr("Factory data reset"),
                       [this](int answer) { answer_factory_reset(answer); });
}

void CRZM7::answer_factory_reset(int nAnswer)
{
    if (nAnswer != ANSWER_YES)
        return;
    send_frame(g_fixedFrameFactoryReset.bytes, g_fixedFrameFactoryReset.length);
    // The block held is the one before the reset: the poll asks for the
    // shown preset until its factory block has come.
    m_model.forgetBlock();
    show_block_held();
}

namespace {
// The pad controller's folder on the download server.
const QString kFolder = QStringLiteral("rz7/");
} // namespace

QString CRZM7::presetIndexUrl()
{
    return pagekit::presetIndexUrl(kFolder);
}

QString CRZM7::presetIndexPath()
{
    return pagekit::presetIndexPath(kFolder);
}

QString CRZM7::firmwareIndexUrl()
{
    return pagekit::firmwareIndexUrl(kFolder);
}

void CRZM7::click_preset_list()
{
    CDlgPreset *dlg = pagekit::openPresetList(m_presetDlg, 7, kFolder);
    connect(dlg, &CDlgPreset::signals_download_preset, this, &CRZM7::slots_apply_preset);
}

void CRZM7::click_upgrade()
{
    pagekit::startUpgrade(m_upgrade, this, kFolder);
}

void CRZM7::open_pad_level()
{
    cDlgPadLevel *dlg = pagekit::openPadLevel(m_padLevelDlg, 7, m_model.system().thresholds);
    connect(dlg, &cDlgPadLevel::signals_send_pad_level, this, &CRZM7::slots_send_pad_level);
}

CDlgPreset *CRZM7::presetDialog() const
{
    return static_cast<CDlgPreset *>(m_presetDlg.data());
}

cDlgPadLevel *CRZM7::padLevelDialog() const
{
    return static_cast<cDlgPadLevel *>(m_padLevelDlg.data());
}

cUpgrade *CRZM7::upgradeDialog() const
{
    return static_cast<cUpgrade *>(m_upgrade.data());
}
