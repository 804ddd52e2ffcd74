// The small pad page's construction, wiring, the system record, the page
// timer, the device's frames and the commands of the tool bar.
#include "cdlgrznano.h"
#include "ui_cdlgrznano.h"

#include <QDebug>
#include <QCloseEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "autodisappermsgbox.h"
#include "cdlgpadlevel.h"
#include "cdlgpreset.h"
#include "cupgrade.h"
#include "devices/smallpad/cdlgrzchild.h"
#include "devices/shared/closeroad.h"
#include "devices/shared/listrows.h"
#include "devices/shared/pagetoolbar.h"
#include "devices/shared/pageframes.h"
#include "dialogs.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "touchcombobox.h"
#include "utils.h"

using namespace rznano;

namespace {

// The combo box of each list of the global tab, in the order of GlobalList.
TouchComboBox *Ui_cDlgRznano::*const kListBoxes[kGlobalLists] = {
    &Ui_cDlgRznano::comboBox_tempo,    &Ui_cDlgRznano::comboBox_Preset,    &Ui_cDlgRznano::comboBox_Curve,
    &Ui_cDlgRznano::comboBox_rate,     &Ui_cDlgRznano::comboBox_gate,      &Ui_cDlgRznano::comboBox_swing,
    &Ui_cDlgRznano::comboBox_AFT_mode, &Ui_cDlgRznano::comboBox_delay,     &Ui_cDlgRznano::comboBox_NoteMode,
    &Ui_cDlgRznano::comboBox_full_vel, &Ui_cDlgRznano::comboBox_setColor2, &Ui_cDlgRznano::comboBox_erp,
};

const uchar *recordBytes(const SSystemConfigData &sys)
{
    return reinterpret_cast<const uchar *>(&sys);
}

} // namespace

cDlgRznano::cDlgRznano(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent), ui(new Ui_cDlgRznano), poll(pagekit::PagePoll::SOptions{})
{
    std::memset(txFrame, 0, sizeof txFrame);
    std::memset(&configData, 0, sizeof configData);
    std::memset(&sysex, 0, sizeof sysex);
    std::memset(&systemConfig, 0, sizeof systemConfig);
    std::fill(std::begin(listShowsValue), std::end(listShowsValue), true);
    ui->setupUi(this);
    monitor = new MidiMonitorList(ui->listWidget_show, MidiMonitorList::SOptions{500, true, true, true}, this);
    colourChooser = new pagekit::ColourChooserRoad(this);
    init_ui();
    init_connect();
    pollTimerId = startTimer(200, Qt::CoarseTimer);
}

cDlgRznano::~cDlgRznano()
{
    killTimer(pollTimerId);
    // Every one of these points into this page (its block, its record) or
    // sends through it: none may outlive it.
    close_child_dialog();
    pagekit::closeOwnedDialogs({&padLevelDlg, &presetDlg, &upgradeDlg});
    delete ui;
}

// ---- set-up ------------------------------------------------------------------

void cDlgRznano::init_ui()
{
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    ui->pushButton_ConfigData->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    // Until a block is held; the page itself stays enabled, so Escape and the
    // close box close it meanwhile.
    pagekit::setPageContentEnabled(this, false);
    AutoDisapperMsgBox::showMessage(this, tr("Receive data..."), 1000);
    for (QPushButton *b : {ui->pushButton_setting, ui->pushButton_pad, ui->pushButton_DAW, ui->pushButton_ECO,
                           ui->pushButton_full, ui->pushButton_night, ui->pushButton_AFT_SW, ui->pushButton_BT,
                           ui->pushButton_battery, ui->pushButton_LowBattery})
        b->setCheckable(true);
    ui->pushButton_setting->setChecked(true);

    for (int i = 1; i <= 99; ++i)
        ui->comboBox_gate->addItem(QString::number(i) + QLatin1Char('%'));
    for (int i = 30; i <= 300; ++i)
        ui->comboBox_tempo->addItem(QString::number(i));
    for (int i = 10; i <= 300; i += 2)
        ui->comboBox_delay->addItem(QString::number(i));
    for (int i = 1; i <= 127; ++i)
        ui->comboBox_full_vel->addItem(QString::number(i));
    ui->pushButton_update->show();
    clearDefaultButtons(this);
}

void cDlgRznano::init_connect()
{
    for (int i = 1; i <= int(kPadsPerBank); ++i) {
        if (auto *b = findChild<QPushButton *>(QStringLiteral("pad%1").arg(i))) {
            connect(b, &QPushButton::clicked, this, [this, i] { click_pad(i - 1); });
            b->setCursor(Qt::PointingHandCursor);
        }
    }
    for (int i = 1; i <= int(kKeys); ++i) {
        if (auto *b = findChild<QPushButton *>(QStringLiteral("key_%1").arg(i))) {
            connect(b, &QPushButton::clicked, this, [this, i] { click_key(i - 1); });
            b->setCursor(Qt::PointingHandCursor);
        }
    }

    Ui_cDlgRznano *u = ui;
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);
    connect(u->pushButton_PadGroup, &QPushButton::clicked, this, &cDlgRznano::click_pad_bank);
    connect(u->pushButton_DelText, &QPushButton::clicked, this, &cDlgRznano::click_clear_monitor);
    connect(u->pushButton_ConfigData, &QPushButton::clicked, this, &cDlgRznano::click_save_config_bin);
    connect(u->pushButton_threshold, &QPushButton::clicked, this, &cDlgRznano::click_pad_calibration);
    connect(u->pushButton_Reset, &QPushButton::clicked, this, &cDlgRznano::click_reset);
    connect(u->comboBox_Preset, indexChanged, this, &cDlgRznano::toggle_preset_question);
    for (TouchComboBox *box : {u->comboBox_setColor2, u->comboBox_erp, u->comboBox_tempo, u->comboBox_NoteMode,
                               u->comboBox_rate, u->comboBox_delay, u->comboBox_swing, u->comboBox_Curve})
        connect(box, indexChanged, this, &cDlgRznano::system_setting_changed);
    connect(u->pushButton_night, &QPushButton::toggled, this, &cDlgRznano::toggle_dark_mode);
    connect(u->pushButton_DAW, &QPushButton::toggled, this, &cDlgRznano::toggle_daw_sync);
    connect(u->pushButton_AFT_SW, &QPushButton::toggled, this, &cDlgRznano::toggle_after_touch);
    connect(u->pushButton_battery, &QPushButton::toggled, this, &cDlgRznano::toggle_battery_indicator);
    connect(u->pushButton_LowBattery, &QPushButton::toggled, this, &cDlgRznano::toggle_battery_indicator);
    // So a toggle of either battery switch sends the record twice.
    connect(u->pushButton_battery, &QPushButton::toggled, this, &cDlgRznano::system_setting_changed);
    connect(u->pushButton_LowBattery, &QPushButton::toggled, this, &cDlgRznano::system_setting_changed);
    connect(u->pushButton_LoadPreset, &QPushButton::clicked, this, &cDlgRznano::click_preset_list);
    for (TouchComboBox *box : {u->comboBox_AFT_mode, u->comboBox_full_vel, u->comboBox_gate})
        connect(box, indexChanged, this, &cDlgRznano::system_setting_changed);
    connect(u->pushButton_Out, &QPushButton::clicked, this, &cDlgRznano::click_preset_file);
    connect(u->pushButton_In, &QPushButton::clicked, this, &cDlgRznano::click_preset_file);
    connect(u->pushButton_BtColor, &QPushButton::clicked, this, &cDlgRznano::click_bank_colour);
    connect(u->pushButton_setPadColor, &QPushButton::clicked, this, &cDlgRznano::click_set_all_rgb_by_pad_bank);
    connect(u->pushButton_ECO, &QPushButton::clicked, this, &cDlgRznano::click_eco_mode);
    connect(u->pushButton_full, &QPushButton::clicked, this, &cDlgRznano::click_full_level);
    connect(u->pushButton_BT, &QPushButton::toggled, this, &cDlgRznano::toggle_ble_midi);
    connect(u->pushButton_save, &QPushButton::clicked, this, &cDlgRznano::save_to_device);
    connect(u->pushButton_update, &QPushButton::clicked, this, &cDlgRznano::click_firmware_upgrade);
    connect(u->pushButton_pad, &QPushButton::clicked, this, &cDlgRznano::click_page_switch);
    connect(u->pushButton_setting, &QPushButton::clicked, this, &cDlgRznano::click_page_switch);
}

// ---- sending -----------------------------------------------------------------

bool cDlgRznano::send_frame(const uchar *frame, uint len)
{
    if (len == 0)
        return false;
    return Slots_send_data(frame, int(len));
}

void cDlgRznano::send_system_config()
{
    busy = 1;
    // Before the device's own record has been taken, the page's would put
    // settings it never read over the device's.
    if (recordAccepted) {
        int rows[kGlobalLists];
        for (int list = 0; list < kGlobalLists; ++list)
            rows[list] = listShowsValue[list] ? (ui->*kListBoxes[list])->currentIndex() : -1;
        encodeSystemRecord(systemConfig, rows);
        recordEcho.arm();
        send_frame(txFrame, pagekit::buildSystemRecordFrame(txFrame, &systemConfig, kSystemSize));
    }
    clear_busy();
}

void cDlgRznano::system_setting_changed()
{
    if (uiUpdating)
        return;
    for (int list = 0; list < kGlobalLists; ++list) {
        if (sender() == ui->*kListBoxes[list])
            listShowsValue[list] = true; // the user picked a row
    }
    send_system_config();
}

void cDlgRznano::save_to_device()
{
    pendingSave.sent(unsavedChanges != 0);
    unsavedChanges = 0;
    uchar frame[SDeviceFrame::kOverhead];
    send_frame(frame, pagekit::buildSaveFrame(frame));
}

void cDlgRznano::send_request_preset(uchar preset)
{
    uchar frame[SDeviceFrame::kOverhead + 1];
    send_frame(frame, pagekit::buildReadPresetFrame(frame, preset));
}

// ---- receiving ---------------------------------------------------------------

void cDlgRznano::Slots_recv_frame(const uchar *frame, uint len)
{
    switch (pagekit::frameCommand(frame, len)) {
    case CMD_SYSTEM_CONFIG: {
        // Composed before the device took the page's own record: taken, it
        // would move the list back to the preset or bank just left.
        if (!recordEcho.takes())
            return;
        SSystemConfigData candidate = systemConfig;
        // Fewer than 31 record bytes fail like a record that fails the check.
        const bool valid =
            pagekit::parseSystemRecord(frame, len, &candidate, kSystemTaken) && check_system_config_data(candidate);
        const bool otherPreset = valid && recordAccepted && candidate.preset != systemConfig.preset;
        // The device went to another preset while the bank colour chooser
        // was open: its colours belong to the old preset, so it goes without
        // restoring or sending anything more, and the record is taken.
        if (otherPreset && colourChooser->isOpen()) {
            blockDropped = 0; // the new preset's block is read below
            colourChooser->abandon();
        }
        if (busy)
            return;
        bool readBlock = !firstSystemRecordSeen;
        if (valid) {
            // The pads, the frames and the record sent back agree on a bank.
            if (candidate.padBank >= kPadBanks)
                candidate.padBank = 0;
            systemConfig = candidate;
            recordAccepted = 1;
            refresh_global_page();
            close_stale_child_dialog();
            // The device plays another preset (switched on the unit): its
            // block, not the one held, is what the next edits change.
            readBlock = readBlock || otherPreset;
        }
        firstSystemRecordSeen = 1;
        if (readBlock)
            send_request_preset(systemConfig.preset);
        show_block_held();
        break;
    }
    case CMD_READ_PRESET: {
        if (busy) {
            // A reply with block bytes is asked for again when busy clears.
            if (len >= SDeviceFrame::kOffsetPayload + 2 && framePayloadLength(frame) >= 2)
                blockDropped = 1;
            return;
        }
        // Only the block of the preset shown is taken.
        switch (presetBlock.judge(frame, len, systemConfig.preset)) {
        case pagekit::PresetBlock::Reply::Take:
            break;
        case pagekit::PresetBlock::Reply::AskAgain:
            send_request_preset(systemConfig.preset);
            return;
        case pagekit::PresetBlock::Reply::Drop:
            return;
        }
        const uint taken = pagekit::parseConfigReply(frame, len, &configData, kBlockSize, nullptr);
        if (taken == 0)
            return; // a reply without block bytes
        presetBlock.stored(taken == kBlockSize, systemConfig.preset);
        block_replaced();
        break;
    }
    case CMD_SAVE: {
        const bool saved = pagekit::parseResultReply(frame, len);
        // Edits the device did not store are still unsaved: closing asks again.
        if (pendingSave.refused(saved))
            unsavedChanges = 1;
        AutoDisapperMsgBox::showMessage(this, saved ? tr("Save successful") : tr("Fail to save!"), 600);
        break;
    }
    case CMD_FACTORY_RESET:
        send_request_preset(systemConfig.preset);
        AutoDisapperMsgBox::showMessage(this,
                                        pagekit::parseResultReply(frame, len)
                                            ? tr("Restore factory data successful")
                                            : tr("Restore to factory defaults failed"),
                                        600);
        break;
    default:
        break;
    }
}

void cDlgRznano::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != pollTimerId)
        return;
    monitor->flush();
    // A short reply fills only the head of the block: until a whole one is
    // stored the page keeps asking, and stays disabled.
    const pagekit::PagePoll::STick t =
        poll.tick(!presetBlock.held(systemConfig.preset) || isConfigEmpty(configData));
    if (!t.sendPoll)
        return;
    presetBlock.polled();
    send_frame(g_fixedFramePoll.bytes, g_fixedFramePoll.length);
    if (t.requestBlock) {
        send_request_preset(systemConfig.preset);
        return;
    }
    pagekit::setPageContentEnabled(this, true);
}

// ---- tool bar commands ------------------------------------------------------------

void cDlgRznano::click_reset()
{
    showStyledQuestion(this, tr("Tips"), tr("Factory data reset"), [this](int answer) {
        if (answer != ANSWER_YES)
            return;
        send_frame(g_fixedFrameFactoryReset.bytes, g_fixedFrameFactoryReset.length);
        // The block held is the one before the reset: the poll asks for the
        // shown preset until its factory block has come.
        presetBlock.forget();
        show_block_held();
        QTimer::singleShot(250, this, [this] { send_request_preset(0); });
    });
}

void cDlgRznano::toggle_preset_question(int index)
{
    if (uiUpdating || index < 0 || index >= int(kPresets))
        return;
    busy = 1;
    if (!unsavedChanges) {
        pendingSave.forget(); // edits of the preset being left stay with it
        send_request_preset(uchar(index));
        blockDropped = 0; // the block of the new preset is on its way
        systemConfig.preset = uchar(index);
        send_system_config();
        show_block_held(); // nothing is edited until the new preset's block is held
        return;
    }
    showStyledQuestion(this, QString(), tr("Save the data to the device?"), [this, index](int answer) {
        if (answer == ANSWER_YES) {
            save_to_device();
            unsavedChanges = 0;
            toggle_preset_question(index);
        } else if (answer == ANSWER_NO) {
            unsavedChanges = 0;
            toggle_preset_question(index);
        } else {
            // Left without an answer: no switch; the list shows the device's
            // preset again and the device's frames are taken again.
            uiUpdating = 1;
            ui->comboBox_Preset->setCurrentIndex(systemConfig.preset);
            uiUpdating = 0;
            clear_busy();
        }
    });
}

void cDlgRznano::clear_busy()
{
    busy = 0;
    if (blockDropped) {
        blockDropped = 0;
        send_request_preset(systemConfig.preset);
    }
}

void cDlgRznano::block_replaced()
{
    // A dialog on the old block, and a block the device sent meanwhile, are
    // out of date. So is a bank colour chooser (the online preset list is not
    // held back by it): the colour it puts back on Cancel is the old block's.
    close_child_dialog();
    blockDropped = 0;
    colourChooser->abandon();
    expand_sysex_pool();
    refresh_pad_page();
    show_block_held();
}

bool cDlgRznano::blockHeld() const
{
    return presetBlock.held(systemConfig.preset);
}

void cDlgRznano::show_block_held()
{
    // Nothing of a block that is not the shown preset's whole block may be
    // edited: its dialogs would show, and their OK would write, bytes of
    // another preset.
    const bool held = blockHeld();
    if (!held)
        close_child_dialog();
    ui->page_2->setEnabled(held);
}

void cDlgRznano::update_title()
{
    setWindowTitle(g_downloadLink + tr(" Connected") + QStringLiteral(" V") + QString::number(g_firmwareVersion));
}

// ---- the global tab ---------------------------------------------------------------

void cDlgRznano::refresh_global_page()
{
    uiUpdating = 1;
    const uchar flags = systemConfig.switchFlags;
    auto bit = [](uchar value, uint n) { return (value >> n) & 1; };
    ui->pushButton_DAW->setChecked(bit(flags, kDawBit));
    ui->pushButton_ECO->setChecked(bit(flags, kEcoBit));
    ui->pushButton_full->setChecked(bit(flags, kFullBit));
    ui->pushButton_night->setChecked(bit(flags, kDarkBit));
    ui->pushButton_AFT_SW->setChecked(bit(flags, kAftertouchBit));
    ui->pushButton_BT->setChecked(bit(flags, kBluetoothBit));
    show_pad_bank(1, quint8(padBank()));

    const uchar *record = recordBytes(systemConfig);
    for (int list = 0; list < kGlobalLists; ++list) {
        TouchComboBox *box = ui->*kListBoxes[list];
        const int row = pagekit::listRow(record, globalListField(list));
        listShowsValue[list] = row >= 0 && row < box->count();
        pagekit::showListRow(box, record, globalListField(list));
    }
    ui->pushButton_battery->setChecked(bit(systemConfig.displayFlags, kBatterySplashBit));
    ui->pushButton_LowBattery->setChecked(bit(systemConfig.displayFlags, kLowBatteryBit));
    update_title();
    uiUpdating = 0;
}

void cDlgRznano::set_switch_bit(uint bit, bool on)
{
    systemConfig.switchFlags = setBit(systemConfig.switchFlags, uchar(bit), on);
    if (!uiUpdating)
        send_system_config();
}

void cDlgRznano::click_eco_mode()
{
    set_switch_bit(kEcoBit, ui->pushButton_ECO->isChecked());
}

void cDlgRznano::toggle_dark_mode(bool on)
{
    // Showing a record changes nothing in it: a device that reports Dark
    // beside ECO keeps both, and the next edit sends both back.
    if (uiUpdating)
        return;
    if (on) {
        ui->pushButton_ECO->setChecked(false);
        systemConfig.switchFlags = setBit(systemConfig.switchFlags, kEcoBit, false);
    }
    set_switch_bit(kDarkBit, on);
}

void cDlgRznano::toggle_daw_sync(bool on)
{
    set_switch_bit(kDawBit, on);
}

void cDlgRznano::click_full_level()
{
    set_switch_bit(kFullBit, ui->pushButton_full->isChecked());
}

void cDlgRznano::toggle_after_touch(bool on)
{
    set_switch_bit(kAftertouchBit, on);
}

void cDlgRznano::toggle_ble_midi(bool on)
{
    set_switch_bit(kBluetoothBit, on);
}

void cDlgRznano::toggle_battery_indicator(bool on)
{
    if (uiUpdating)
        return;
    const uint bit = sender() == ui->pushButton_LowBattery ? kLowBatteryBit : kBatterySplashBit;
    systemConfig.displayFlags = setBit(systemConfig.displayFlags, uchar(bit), on);
    send_system_config();
}

void cDlgRznano::click_page_switch()
{
    const bool pads = sender() == ui->pushButton_pad;
    if (!pads && sender() != ui->pushButton_setting)
        return;
    ui->stackedWidget_main->setCurrentIndex(pads ? 1 : 0);
    ui->pushButton_setting->setChecked(!pads);
    ui->pushButton_pad->setChecked(pads);
}

// ---- monitor, language and closing ------------------------------------------------

void cDlgRznano::Slots_recv_sysex(const uchar *msg, uint len)
{
    monitor->addSysex(msg, len);
}

void cDlgRznano::Slots_recv_midi(uint message)
{
    monitor->addMessage(message);
}

void cDlgRznano::click_clear_monitor()
{
    monitor->clear();
}

void cDlgRznano::change_language()
{
    firstSystemRecordSeen = 0;
    loadInterfaceCatalogue();
    ui->retranslateUi(this);
}

void cDlgRznano::closeEvent(QCloseEvent *event)
{
    const pagekit::SCloseQuestion question{tr("Save to device"), tr("Save the data to the device?"), tr("Yes"),
                                           tr("No"), QString(), tr("Close")};
    pagekit::closeEditorPage(
        *this, event, unsavedChanges != 0, question, [this] { save_to_device(); },
        [this] {
            uchar frame[SDeviceFrame::kOverhead];
            send_frame(frame, pagekit::buildPageCloseFrame(frame));
        },
        &pendingSave);
}

CDlgRzChild *cDlgRznano::childDialog() const
{
    return childDlg;
}

cDlgPadLevel *cDlgRznano::padLevelDialog() const
{
    return qobject_cast<cDlgPadLevel *>(padLevelDlg.data());
}

CDlgPreset *cDlgRznano::presetDialog() const
{
    return qobject_cast<CDlgPreset *>(presetDlg.data());
}

cUpgrade *cDlgRznano::upgradeDialog() const
{
    return qobject_cast<cUpgrade *>(upgradeDlg.data());
}
