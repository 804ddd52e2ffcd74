// The keyboard page's construction, wiring, frames to the device, the handler
// of the device's frames, the page timer, the global settings and the pads.
#include "cdlgvx18.h"
#include "ui_cdlgvx18.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QCoreApplication>
#include <QTimer>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QTimerEvent>
#include <QTranslator>

#include <cstring>

#include "autodisappermsgbox.h"
#include "cdlgpadlevel.h"
#include "cupgrade.h"
#include "dialogs.h"
#include "cdlgpreset.h"
#include "devices/keyboard/vx18presetfile.h"
#include "devices/shared/closeroad.h"
#include "devices/shared/pagetoolbar.h"
#include "filechooser.h"
#include "nestedloop.h"
#include "devices/shared/padview.h"
#include "cvx18child.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "touchcombobox.h"
#include "utils.h"

using namespace vx18;

namespace {

const QString kPadStyle = QStringLiteral(
    "QPushButton{border: none;background: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.65,fx: 0.5, fy: 0.5,"
    "stop: 0 rgb(%1, %2, %3),stop: 1 rgba(%1, %2, %3, 30));color: #%4;border: 2px solid rgba(255,255,255,0.6);"
    "border-radius: 10px;padding: 4px 2px;font-family:'Arial';}");


} // namespace

CDlgVX18::CDlgVX18(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent), m_ui(new Ui_CDlgVX18)
{
    std::memset(m_txFrame, 0, sizeof m_txFrame);
    m_ui->setupUi(this);
    m_monitor = new MidiMonitorList(m_ui->listWidget_show, MidiMonitorList::SOptions{500, true, true, true}, this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    init_ui();
    init_connect();
    m_timerId = startTimer(200, Qt::CoarseTimer);
}

CDlgVX18::~CDlgVX18()
{
    killTimer(m_timerId);
    close_child_dialog();
    // The dialogs point into this page's block and record, and the upgrade
    // sends through the page: none may outlive it.
    pagekit::closeOwnedDialogs({&m_padLevelDialog, &m_presetDialog, &m_upgradeDialog});
    delete m_ui;
}

// ---- set-up ----------------------------------------------------------------------

void CDlgVX18::init_ui()
{
    Ui_CDlgVX18 *ui = m_ui;
    for (QPushButton *b : {ui->pushButton_global, ui->pushButton_data, ui->pushButton_DAW, ui->pushButton_ECO,
                           ui->pushButton_full, ui->pushButton_night, ui->pushButton_AFT_SW, ui->pushButton_BT,
                           ui->pushButton_battery, ui->pushButton_LowBattery, ui->pushButton_ARPSwitch})
        b->setCheckable(true);
    ui->pushButton_global->setChecked(true);
    ui->stackedWidget->setCurrentIndex(0);
    ui->page_3->setEnabled(false); // until the preset's block is held
    ui->pushButton_ConfigData->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    ui->key_4->hide();
    for (int i = 1; i <= 99; ++i)
        ui->comboBox_gate->addItem(QString::number(i) + QLatin1Char('%'));
    for (int i = 30; i <= 300; ++i)
        ui->comboBox_tempo->addItem(QString::number(i));
    for (int i = 10; i <= 300; i += 2)
        ui->comboBox_delay->addItem(QString::number(i));
    for (int i = 1; i <= 127; ++i)
        ui->comboBox_full_vel->addItem(QString::number(i));
    // Return on a focused list must not click "Save" and write the flash.
    clearDefaultButtons(this);
}

void CDlgVX18::init_connect()
{
    Ui_CDlgVX18 *ui = m_ui;
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);

    connect(ui->pushButton_keybed, &QPushButton::clicked, this, &CDlgVX18::click_keybed);
    struct SControls
    {
        const char *name;
        int count;
        int kind;
    };
    for (const SControls &c : {SControls{"knob_%1", 8, 0}, SControls{"pad%1", 8, 1}, SControls{"key_%1", 3, 2}}) {
        for (int n = 1; n <= c.count; ++n) {
            auto *b = findChild<QPushButton *>(QString::fromLatin1(c.name).arg(n));
            if (!b)
                continue;
            const int kind = c.kind;
            connect(b, &QPushButton::clicked, this, [this, kind, n] { open_child_dialog(kind, n - 1); });
            b->setCursor(Qt::PointingHandCursor);
        }
    }
    connect(ui->pushButton_pitch, &QPushButton::clicked, this, &CDlgVX18::click_pitch);

    connect(ui->pushButton_global, &QPushButton::clicked, this, &CDlgVX18::click_page_switch);
    connect(ui->pushButton_data, &QPushButton::clicked, this, &CDlgVX18::click_page_switch);
    connect(ui->pushButton_DelText, &QPushButton::clicked, this, [this] { m_monitor->clear(); });
    connect(ui->pushButton_save, &QPushButton::clicked, this, &CDlgVX18::click_save);
    connect(ui->pushButton_threshold, &QPushButton::clicked, this, &CDlgVX18::click_pad_level);
    connect(ui->pushButton_Reset, &QPushButton::clicked, this, &CDlgVX18::click_reset);
    connect(ui->pushButton_update, &QPushButton::clicked, this, &CDlgVX18::click_update);
    connect(ui->pushButton_LoadPreset, &QPushButton::clicked, this, &CDlgVX18::click_preset_list);
    connect(ui->pushButton_Out, &QPushButton::clicked, this, &CDlgVX18::click_preset_file);
    connect(ui->pushButton_In, &QPushButton::clicked, this, &CDlgVX18::click_preset_file);
    connect(ui->pushButton_ConfigData, &QPushButton::clicked, this, &CDlgVX18::click_save_config_bin);
    connect(ui->comboBox_Preset, indexChanged, this, &CDlgVX18::toggle_preset_question);

    connect(ui->comboBox_KnobBank, indexChanged, this, [this](int i) { change_bank(false, i); });
    connect(ui->comboBox_PadBank, indexChanged, this, [this](int i) { change_bank(true, i); });

    for (int l = 0; l < kListCount; ++l) {
        const List list = List(l);
        if (list == List::PadBank || list == List::KnobBank || list == List::Preset)
            continue;
        connect(listCombo(list), indexChanged, this, [this, list](int i) { change_list(list, i); });
    }

    for (Switch sw : {Switch::Dark, Switch::DawSync, Switch::Aftertouch, Switch::BatterySplash,
                      Switch::LowBattery, Switch::ArpLatch, Switch::Bluetooth})
        connect(switchButton(sw), &QPushButton::toggled, this, [this, sw](bool on) { change_switch(sw, on); });
    for (Switch sw : {Switch::Eco, Switch::FullLevel}) {
        QPushButton *b = switchButton(sw);
        connect(b, &QPushButton::clicked, this, [this, sw, b] { change_switch(sw, b->isChecked()); });
    }
}

TouchComboBox *CDlgVX18::listCombo(List list) const
{
    Ui_CDlgVX18 *ui = m_ui;
    switch (list) {
    case List::Tempo: return ui->comboBox_tempo;
    case List::PadBank: return ui->comboBox_PadBank;
    case List::KnobBank: return ui->comboBox_KnobBank;
    case List::Preset: return ui->comboBox_Preset;
    case List::PadCurve: return ui->comboBox_PadCurve;
    case List::KeyCurve: return ui->comboBox_KeyCurve;
    case List::Division: return ui->comboBox_rate;
    case List::Gate: return ui->comboBox_gate;
    case List::Swing: return ui->comboBox_swing;
    case List::AftertouchMode: return ui->comboBox_AFT_mode;
    case List::AftertouchDelay: return ui->comboBox_delay;
    case List::FullLevelVelocity: return ui->comboBox_full_vel;
    case List::ArpMode: return ui->comboBox_ArpMode;
    case List::ArpOctave: return ui->comboBox_Octive;
    case List::ScaleType: return ui->comboBox_ScaleType;
    case List::ScaleRoot: return ui->comboBox_ScaleRoot;
    case List::Chord: return ui->comboBox_Chord;
    case List::PadDownColour: return ui->comboBox_DownColor;
    case List::AutoStandby: return ui->comboBox_erp;
    }
    return nullptr;
}

QPushButton *CDlgVX18::switchButton(Switch sw) const
{
    Ui_CDlgVX18 *ui = m_ui;
    switch (sw) {
    case Switch::Eco: return ui->pushButton_ECO;
    case Switch::Dark: return ui->pushButton_night;
    case Switch::DawSync: return ui->pushButton_DAW;
    case Switch::FullLevel: return ui->pushButton_full;
    case Switch::Aftertouch: return ui->pushButton_AFT_SW;
    case Switch::Bluetooth: return ui->pushButton_BT;
    case Switch::BatterySplash: return ui->pushButton_battery;
    case Switch::LowBattery: return ui->pushButton_LowBattery;
    case Switch::ArpLatch: return ui->pushButton_ARPSwitch;
    }
    return nullptr;
}

QPushButton *CDlgVX18::padButton(int nIndex) const
{
    return findChild<QPushButton *>(QStringLiteral("pad%1").arg(nIndex + 1));
}

// ---- frames to the device ------------------------------------------------------------

void CDlgVX18::send_frame(const uchar *frame, uint len)
{
    if (len)
        Slots_send_data(frame, int(len));
}

void CDlgVX18::send_request_preset(uchar byPreset)
{
    send_frame(m_txFrame, m_model.readPresetFrame(m_txFrame, byPreset));
}

void CDlgVX18::send_system_config()
{
    send_frame(m_txFrame, m_model.systemConfigFrame(m_txFrame));
}

void CDlgVX18::send_wheel_pedal()
{
    send_frame(m_txFrame, m_model.wheelPedalFrame(m_txFrame));
}

void CDlgVX18::send_keybed()
{
    send_frame(m_txFrame, m_model.keybedFrame(m_txFrame));
}

void CDlgVX18::send_key_data()
{
    send_frame(m_txFrame, m_model.keysFrame(m_txFrame));
}

void CDlgVX18::send_pad_data()
{
    send_frame(m_txFrame, m_model.padsFrame(m_txFrame, m_model.padBank()));
}

void CDlgVX18::send_knob_data()
{
    send_frame(m_txFrame, m_model.knobsFrame(m_txFrame));
}

void CDlgVX18::send_sysex_pool()
{
    send_frame(m_txFrame, m_model.sysexPoolFrame(m_txFrame));
}

void CDlgVX18::send_config_data()
{
    send_frame(m_txFrame, m_model.configFrame(m_txFrame));
}

// ---- frames from the device -------------------------------------------------------------

void CDlgVX18::Slots_recv_frame(const uchar *frame, uint len)
{
    const CVX18Model::SReceived r = m_model.receiveFrame(frame, len);
    switch (r.kind) {
    case CVX18Model::SReceived::Ignored:
        if (r.requestPreset) // a block of another preset: the shown one is asked for
            send_request_preset(r.preset);
        return;
    case CVX18Model::SReceived::Configuration:
        close_child_dialog();
        update_ui();
        return;
    case CVX18Model::SReceived::SystemApplied:
        update_system_ui();
        // A bank byte that no list row shows moves no list, yet bank 0 is
        // now the one edited: draw it, and close a dialog of another bank.
        close_stale_child_dialog();
        update_ui();
        if (r.requestPreset)
            send_request_preset(r.preset);
        return;
    case CVX18Model::SReceived::Keybed:
        if (m_childDialog)
            m_childDialog->load_slide_keybed();
        return;
    case CVX18Model::SReceived::SaveResult:
        AutoDisapperMsgBox::showMessage(this, r.ok ? tr("Save successful") : tr("Fail to save!"), 1000);
        return;
    case CVX18Model::SReceived::FactoryResetResult:
        send_request_preset(r.preset);
        AutoDisapperMsgBox::showMessage(
            this, r.ok ? tr("Restore factory data successful") : tr("Restore to factory defaults failed"), 1000);
        return;
    }
}

void CDlgVX18::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId)
        return;
    // The lines of the last 200 ms go in, and the list scrolls to its end.
    m_monitor->flush();
    const CVX18Model::STick t = m_model.tick();
    if (t.sendPoll)
        send_frame(g_fixedFramePoll.bytes, g_fixedFramePoll.length);
    if (t.requestPreset)
        send_request_preset(t.preset);
}

// ---- global settings ------------------------------------------------------------------------

void CDlgVX18::update_system_ui()
{
    m_refreshing = true;
    const SSystemConfigData &sys = m_model.system();
    auto showSwitch = [&](Switch sw) { switchButton(sw)->setChecked(switchState(sys, sw)); };
    auto showList = [&](List list) {
        int i = listIndex(sys, list);
        // A bank byte no row shows draws and edits bank 0: the list shows
        // that bank, and the record keeps its byte (see change_bank).
        if (list == List::PadBank)
            i = int(m_model.padBank());
        else if (list == List::KnobBank)
            i = int(m_model.knobBank());
        if (i >= 0)
            listCombo(list)->setCurrentIndex(i);
    };
    for (Switch sw : {Switch::DawSync, Switch::Eco, Switch::FullLevel, Switch::Dark, Switch::Aftertouch,
                      Switch::Bluetooth, Switch::ArpLatch})
        showSwitch(sw);
    for (List list : {List::KnobBank, List::PadBank, List::Tempo, List::Preset, List::PadCurve, List::KeyCurve,
                      List::Division, List::PadDownColour, List::AutoStandby})
        showList(list);
    m_shownPreset = m_ui->comboBox_Preset->currentIndex();
    showSwitch(Switch::BatterySplash);
    showSwitch(Switch::LowBattery);
    for (List list : {List::Swing, List::AftertouchMode, List::AftertouchDelay, List::Gate,
                      List::FullLevelVelocity, List::ArpMode, List::ScaleRoot, List::Chord, List::ScaleType,
                      List::ArpOctave})
        showList(list);
    m_refreshing = false;
}

void CDlgVX18::change_list(List list, int nIndex)
{
    if (m_refreshing)
        return;
    // Only the field of the list the user moved is written: a field another
    // list cannot show goes back to the device as it came.
    setListIndex(m_model.system(), list, nIndex);
    send_system_config();
}

void CDlgVX18::change_switch(Switch sw, bool bOn)
{
    // Showing a record changes nothing in it: a device that reports Dark
    // beside ECO keeps both, and the next edit sends both back.
    if (m_refreshing)
        return;
    if (sw == Switch::Dark && bOn)
        m_ui->pushButton_ECO->setChecked(false);
    setSwitch(m_model.system(), sw, bOn);
    send_system_config();
}

void CDlgVX18::change_bank(bool bPad, int nIndex)
{
    // While the record is shown the list follows it: the record's byte stays.
    if (!m_refreshing)
        setListIndex(m_model.system(), bPad ? List::PadBank : List::KnobBank, nIndex);
    close_stale_child_dialog();
    update_ui();
    if (!m_refreshing)
        send_system_config();
}

// ---- controls page ----------------------------------------------------------------------------

void CDlgVX18::update_ui()
{
    // Nothing of a block that is not the shown preset's whole block may be
    // edited: its dialogs would show, and their OK would write, bytes the
    // device does not hold.
    const bool held = m_model.blockHeld();
    if (!held)
        close_child_dialog();
    m_ui->page_3->setEnabled(held);
    for (int i = 0; i < int(kPadsPerBank); ++i) {
        const SColourGRB &c = m_model.padColour(uint(i));
        if (QPushButton *b = padButton(i))
            set_pad_style(c.r, c.g, c.b, b);
        update_pad_text(i);
    }
    update_window_title();
}

void CDlgVX18::update_pad_text(int nIndex)
{
    QPushButton *b = padButton(nIndex);
    if (!b)
        return;
    const QString text = pagekit::padCaption(m_model.padRecord(uint(nIndex)), "CDlgVX18");
    b->setText(text);
}

void CDlgVX18::set_pad_style(uchar r, uchar g, uchar b, QWidget *pButton)
{
    pButton->setStyleSheet(kPadStyle.arg(int(r)).arg(int(g)).arg(int(b)).arg(inverseColorHex(r, g, b)));
}

void CDlgVX18::update_window_title()
{
    setWindowTitle(g_downloadLink + tr(" Connected") + QStringLiteral(" V") + QString::number(g_firmwareVersion));
}

void CDlgVX18::click_page_switch()
{
    const bool global = sender() == m_ui->pushButton_global;
    m_ui->stackedWidget->setCurrentIndex(global ? 0 : 1);
    m_ui->pushButton_global->setChecked(global);
    m_ui->pushButton_data->setChecked(!global);
}

void CDlgVX18::Slots_change_language()
{
    loadInterfaceCatalogue();
    m_ui->retranslateUi(this);
}

// ---- what the per-control dialog reports --------------------------------------------------------

void CDlgVX18::slots_click_ok_send(quint8 byFlag)
{
    switch (byFlag) {
    case 1:
        send_knob_data();
        break;
    case 2:
        send_key_data();
        break;
    case 3:
        send_pad_data();
        for (int i = 0; i < int(kPadsPerBank); ++i)
            update_pad_text(i);
        break;
    case 4:
    case 5: {
        send_sysex_pool();
        if (byFlag == 4) {
            send_pad_data();
            send_key_data();
        } else {
            send_key_data();
            send_pad_data();
            for (int i = 0; i < int(kPadsPerBank); ++i)
                update_pad_text(i);
        }
        // Pads of other banks whose messages moved in the pool: their new
        // offsets would otherwise reach the device only with a later write.
        for (int bank : m_model.movedBanks()) {
            if (bank >= 0 && uint(bank) != m_model.padBank())
                send_frame(m_txFrame, m_model.padsFrame(m_txFrame, uint(bank)));
        }
        break;
    }
    case 6:
        send_wheel_pedal();
        break;
    case 7:
        send_keybed();
        break;
    default:
        break;
    }
}

void CDlgVX18::slots_change_rgb(quint8 byPadIndex)
{
    const int pad = byPadIndex & 0x7F;
    if (pad >= int(kPadsPerBank))
        return;
    const SColourGRB c = m_model.padColour(uint(pad));
    if (byPadIndex & 0x80) {
        for (int i = 0; i < int(kPadsPerBank); ++i) {
            if (QPushButton *b = padButton(i))
                set_pad_style(c.r, c.g, c.b, b);
        }
        send_frame(m_txFrame, m_model.padColoursFrame(m_txFrame, kAllPads));
    } else {
        if (QPushButton *b = padButton(pad))
            set_pad_style(c.r, c.g, c.b, b);
        send_frame(m_txFrame, m_model.padColoursFrame(m_txFrame, uchar(pad)));
    }
    update_pad_text(pad);
}

// ---- monitor --------------------------------------------------------------------------------------

void CDlgVX18::Slots_recv_sysex(const uchar *msg, uint len)
{
    m_monitor->addSysex(msg, len);
}

void CDlgVX18::Slots_recv_midi(uint message)
{
    m_monitor->addMessage(message);
}

// ---- the per-control dialog ------------------------------------------------------------------------

CVX18Child *CDlgVX18::childDialog() const
{
    return m_childDialog.data();
}

void CDlgVX18::close_child_dialog()
{
    if (!m_childDialog)
        return;
    CVX18Child *dlg = m_childDialog.data();
    m_childDialog = nullptr;
    dlg->disconnect(this);
    dlg->close();
    delete dlg;
}

void CDlgVX18::close_stale_child_dialog()
{
    if (!m_childDialog)
        return;
    // Knobs and pads are banked; buttons, the slide and the keybed are not, so
    // their dialogs (and the edits in them) stay whatever bank is current.
    const int kind = m_childDialog->kind();
    const uint bank = (kind == 1) ? m_model.padBank() : m_model.knobBank();
    if (kind <= 1 && uint(m_childDialog->bank()) != bank)
        close_child_dialog();
}

void CDlgVX18::open_child_dialog(int kind, int index)
{
    close_child_dialog();
    if (!m_model.blockHeld())
        return;
    const uint bank = kind == 1 ? m_model.padBank() : m_model.knobBank();
    auto *dlg = new CVX18Child(bytes(m_model.config()), reinterpret_cast<uchar *>(&m_model.sysex()), int(bank),
                               kind, index, m_model.longFlags(), nullptr);
    m_childDialog = dlg;
    dlg->load_setting();
    connect(dlg, &CVX18Child::signals_click_ok_send, this, &CDlgVX18::slots_click_ok_send);
    connect(dlg, &CVX18Child::signals_change_rgb, this, &CDlgVX18::slots_change_rgb);
    connect(dlg, &CVX18Child::signals_colour_confirmed, this, [this] { m_model.colourConfirmed(); });
    dlg->show();
}

void CDlgVX18::click_keybed()
{
    if (!m_model.blockHeld())
        return;
    send_frame(m_txFrame, m_model.readKeybedFrame(m_txFrame));
    open_child_dialog(4, 0);
}

// ---- preset switch and toolbar ------------------------------------------------------------------------

void CDlgVX18::toggle_preset_question(int nPreset)
{
    if (m_refreshing || nPreset < 0)
        return;
    m_model.setLoadingPreset(true);
    if (!m_model.hasUnsavedChanges()) {
        close_child_dialog();
        send_request_preset(uchar(nPreset));
        setListIndex(m_model.system(), List::Preset, nPreset);
        send_system_config();
        m_shownPreset = nPreset;
        m_model.forgetDroppedBlock(); // the new preset's block is on its way
        m_model.forgetPendingSave(); // edits of the preset being left stay with it
        m_model.setLoadingPreset(false);
        update_ui(); // nothing is edited until the new preset's block is held
        return;
    }
    QPointer<CDlgVX18> self(this);
    showStyledQuestion(this, QString(), tr("Save the data to the device?"), [self, nPreset](int answer) {
        if (!self)
            return;
        if (answer == ANSWER_YES || answer == ANSWER_NO) {
            if (answer == ANSWER_YES)
                self->click_save();
            self->m_model.setUnsavedChanges(false);
            self->toggle_preset_question(nPreset);
            return;
        }
        // Neither answer: the switch is off. The combo shows the preset the
        // device still plays, and records and blocks are taken again.
        self->m_refreshing = true;
        self->m_ui->comboBox_Preset->setCurrentIndex(self->m_shownPreset);
        self->m_refreshing = false;
        self->release_loading();
    });
}

void CDlgVX18::click_save()
{
    send_frame(m_txFrame, m_model.saveFrame(m_txFrame));
}

void CDlgVX18::click_reset()
{
    QPointer<CDlgVX18> self(this);
    showStyledQuestion(this, tr("Tips"), tr("Factory data reset"), [self](int answer) {
        if (!self || answer != ANSWER_YES)
            return;
        self->send_frame(g_fixedFrameFactoryReset.bytes, g_fixedFrameFactoryReset.length);
        // The block held is the one before the reset: the poll asks for the
        // shown preset until its factory block has come.
        self->m_model.forgetBlock();
        self->update_ui();
        // Bound to the page: a page closed within the delay sends nothing.
        QTimer::singleShot(250, Qt::PreciseTimer, self.data(), [self] {
            if (self)
                self->send_request_preset(0);
        });
    });
}

void CDlgVX18::click_preset_list()
{
    CDlgPreset *list = pagekit::openPresetList(m_presetDialog, 9, QStringLiteral("vx18/"));
    connect(list, &CDlgPreset::signals_download_preset, this, &CDlgVX18::slots_VX18_apply_preset);
}

void CDlgVX18::click_pad_level()
{
    // One dialog for the page's life, run modally each time: it shows its own
    // last values.
    if (!m_padLevelDialog) {
        auto *dlg = new cDlgPadLevel(9, m_model.system().thresholds, nullptr);
        m_padLevelDialog = dlg;
        connect(dlg, &cDlgPadLevel::signals_send_pad_level, this, &CDlgVX18::slots_send_pad_level);
    }
    const NestedLoopScope loop;
    m_padLevelDialog->exec();
}

void CDlgVX18::slots_send_pad_level()
{
    if (!m_refreshing)
        send_system_config();
}

void CDlgVX18::click_update()
{
    pagekit::startUpgrade(m_upgradeDialog, this, QStringLiteral("vx18/"));
}

CDlgPreset *CDlgVX18::presetDialog() const
{
    return qobject_cast<CDlgPreset *>(m_presetDialog.data());
}

cDlgPadLevel *CDlgVX18::padLevelDialog() const
{
    return qobject_cast<cDlgPadLevel *>(m_padLevelDialog.data());
}

cUpgrade *CDlgVX18::upgradeDialog() const
{
    return qobject_cast<cUpgrade *>(m_upgradeDialog.data());
}

// ---- closing --------------------------------------------------------------------------------------------

void CDlgVX18::closeEvent(QCloseEvent *event)
{
    const pagekit::SCloseQuestion question{tr("Save to device"), tr("Save the data to the device?"), tr("Yes"),
                                           tr("No"), tr("Cancel"), tr("Close")};
    pagekit::closeEditorPage(
        *this, event, m_model.hasUnsavedChanges(), question, [this] { click_save(); },
        [this] { send_frame(m_txFrame, m_model.pageCloseFrame(m_txFrame)); }, &m_model.pendingSave());
}

// ---- files ----------------------------------------------------------------------------------------------

namespace {
const char *const kPresetFilter = "Zol VX18 Preset (*.vx18)";
} // namespace

void CDlgVX18::save_config_data_to_XML(const SVX18ConfigData &config, const QString &strPath)
{
    const QString path = preset_file_path(strPath, true, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return;
    // A file that cannot be opened (a folder missing or not writable) is a
    // failed save too: the user is told, not left believing it saved.
    const bool saved = writePresetFile(path, config) == PresetSaveResult::Saved;
    AutoDisapperMsgBox::showMessage(this, saved ? tr("Preset save successful") : tr("Preset save defeated"), 1000);
}

bool CDlgVX18::load_config_data_from_XML(SVX18ConfigData &config, const QString &strPath)
{
    const QString path = preset_file_path(strPath, false, QString::fromLatin1(kPresetFilter));
    if (path.isEmpty())
        return false;
    // Any file refused says so, as one of another model does (a silent
    // refusal of the online list looks as if the click was lost).
    if (readPresetFile(path, config) == PresetLoadResult::Ok)
        return true;
    const NestedLoopScope loop;
    askQuestion(tr("File Error!"), tr("Configuration file error!"));
    return false;
}

void CDlgVX18::release_loading()
{
    m_model.setLoadingPreset(false);
    uchar preset = 0;
    if (m_model.takeDroppedBlock(&preset))
        send_request_preset(preset);
}

void CDlgVX18::apply_loaded_block()
{
    // The file's block goes to the device whole: one dropped meanwhile is out of date.
    m_model.forgetDroppedBlock();
    m_model.setBlockStored();
    close_child_dialog();
    m_model.unpackSysexPool();
    update_ui();
    send_config_data();
}

void CDlgVX18::click_preset_file()
{
    QObject *from = sender();
    if (from == m_ui->pushButton_Out) {
        if (pagekit::mayWriteBlockFile(this, m_model.blockHeld(), tr("Preset save defeated")))
            save_config_data_to_XML(m_model.config(), QString());
        return;
    }
    if (from != m_ui->pushButton_In)
        return;
    // Records and blocks that arrive while the user picks a file are dropped.
    m_model.setLoadingPreset(true);
    if (load_config_data_from_XML(m_model.config(), QString())) {
        apply_loaded_block();
        qDebug() << "load_config_data_from_XML succ";
    } else {
        qDebug() << "load_config_data_from_XML err";
    }
    release_loading();
}

void CDlgVX18::slots_VX18_apply_preset(QString strPath)
{
    if (!load_config_data_from_XML(m_model.config(), strPath))
        return;
    apply_loaded_block();
    if (m_presetDialog)
        m_presetDialog->close();
}

void CDlgVX18::click_save_config_bin()
{
    if (pagekit::mayWriteBlockFile(this, m_model.blockHeld(), tr("Preset save defeated")))
        pagekit::saveConfigBin(this, &m_model.config(), sizeof m_model.config(), tr("Preset save defeated"));
}
