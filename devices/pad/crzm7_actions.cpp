// The pad page's actions around the view: preset switch, set-all colours,
// closing, and the toolbar entries that open other windows or files.
#include "crzm7.h"
#include "ui_crzm7.h"

#include <QCloseEvent>

#include "dialogs.h"
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
    m_setAllColours = 1;
    m_dialogIndex = 0;
    SRZ7ConfigData &cfg = m_model.config();
    const uint bank = m_model.padBank();
    for (uint pad = 0; pad < kPadsPerBank; ++pad)
        cfg.PadRGB[bank][pad] = cfg.PadModeRGB[bank];
    refresh_pad_buttons(cfg.PadRGB[bank]);
    m_dialogKind = 1;
    slots_change_rgb();
}

void CRZM7::toggle_preset_question(int nIndex)
{
    if (m_updatingUi || nIndex < 0 || nIndex >= int(kPresets))
        return;
    m_model.setBusy(true);
    if (!m_model.hasUnsavedChanges()) {
        send_read_preset(uchar(nIndex));
        m_model.system().preset = uchar(nIndex);
        send_system_if_idle();
        m_model.setBusy(false);
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
            m_model.setBusy(false);
        }
    });
}

// ---- closing ------------------------------------------------------------------------

bool CRZM7::confirm_close()
{
    // The save question before closing comes with the preset-file and toolbar
    // work; until then the page closes without asking (the edits stay in the
    // device's working memory).
    return true;
}

void CRZM7::closeEvent(QCloseEvent *event)
{
    if (m_model.hasUnsavedChanges() && !confirm_close()) {
        event->ignore();
        return;
    }
    event->accept();
    uchar frame[kEmptyFrameSize];
    send_frame(frame, m_model.pageCloseFrame(frame));
    Slots_back_to_connect();
}

void CRZM7::reject()
{
    close();
}

// ---- toolbar: windows and files of the next steps -----------------------------------------

void CRZM7::click_reset() {}

void CRZM7::click_preset_list() {}

void CRZM7::click_upgrade() {}

void CRZM7::click_preset_file() {}

void CRZM7::save_config_data_to_bin() {}

void CRZM7::open_pad_level() {}
