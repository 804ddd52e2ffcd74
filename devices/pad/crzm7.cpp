// The pad page's construction, wiring, frames to the device, the handler of
// the device's frames, the page timer and the per-control dialog.
#include "crzm7.h"
#include "ui_crzm7.h"

#include <QApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimerEvent>
#include <QTranslator>

#include <cstring>

#include "autodisappermsgbox.h"
#include "crzm7dlg.h"
#include "devices/shared/colourchooser.h"
#include "devices/shared/padview.h"
#include "devices/shared/pagetoolbar.h"
#include "dialogs.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "touchcombobox.h"
#include "utils.h"

using namespace rz7;

const QString &CRZM7::groupButtonStyle = pagekit::g_padGroupStyle;
const QString &CRZM7::groupButtonRadius = pagekit::g_padGroupRadius;

CRZM7::CRZM7(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent), m_ui(new Ui_CRZM7)
{
    std::memset(m_txFrame, 0, sizeof m_txFrame);
    m_ui->setupUi(this);
    m_monitor = new MidiMonitorList(m_ui->listWidget_show, MidiMonitorList::SOptions{500, true, true, true}, this);
    m_chooser = new pagekit::ColourChooserRoad(this);
    init();
    init_connect();
    m_ui->pushButton_setting->click();
    m_timerId = startTimer(200, Qt::CoarseTimer);
    // Until the first whole block arrives; the page itself stays enabled, so
    // Escape and the close box close it meanwhile.
    pagekit::setPageContentEnabled(this, false);
    AutoDisapperMsgBox::showMessage(this, tr("Receive data..."), 600);
}

CRZM7::~CRZM7()
{
    killTimer(m_timerId);
    // The dialogs point into this page's block and system record, and the
    // upgrade dialog sends through it: none may outlive it.
    pagekit::closeOwnedDialogs({&m_controlDlg, &m_padLevelDlg, &m_presetDlg, &m_upgrade});
    delete m_ui;
}

// ---- set-up ------------------------------------------------------------------

void CRZM7::init()
{
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    for (QPushButton *b : {m_ui->pushButton_DAW, m_ui->pushButton_ECO, m_ui->pushButton_full,
                           m_ui->pushButton_night, m_ui->pushButton_AFT_SW, m_ui->pushButton_battery,
                           m_ui->pushButton_LowBattery, m_ui->pushButton_BT, m_ui->pushButton_setting,
                           m_ui->pushButton_pad, m_ui->pushButton_knob_button})
        b->setCheckable(true);
    // Return on a focused list must not click "Save" and write the flash.
    clearDefaultButtons(this);
    m_ui->pushButton_ConfigData->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));

    for (int i = 1; i <= 99; ++i)
        m_ui->comboBox_gate->addItem(QString::number(i) + QLatin1Char('%'));
    for (int i = 30; i <= 300; ++i)
        m_ui->comboBox_tempo->addItem(QString::number(i));
    for (int i = 10; i <= 300; i += 2)
        m_ui->comboBox_delay->addItem(QString::number(i));
    for (int i = 1; i <= 127; ++i)
        m_ui->comboBox_full_vel->addItem(QString::number(i));

    m_ui->pushButton_update->setVisible(true);

    // The pads share the grid's height: at the form's size a fixed 70 px cut
    // the fifth line of the momentary and program captions.
    for (int i = 1; i <= 16; ++i) {
        if (auto *b = findChild<QPushButton *>(QStringLiteral("pad%1").arg(i)))
            b->setSizePolicy(b->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    }
}

void CRZM7::init_connect()
{
    for (int i = 1; i <= 8; ++i) {
        auto *b = findChild<QPushButton *>(QStringLiteral("knob_%1").arg(i));
        if (!b)
            continue;
        connect(b, &QPushButton::clicked, this, [this, i] {
            open_control_dialog(i - 1, 0, &m_setAllColours, int(m_model.knobGroup()), nullptr);
        });
        b->setCursor(Qt::PointingHandCursor);
    }
    for (int i = 1; i <= 16; ++i) {
        auto *b = findChild<QPushButton *>(QStringLiteral("pad%1").arg(i));
        if (!b)
            continue;
        connect(b, &QPushButton::clicked, this, [this, i] {
            open_control_dialog(i - 1, 1, &m_setAllColours, int(m_model.padBank()),
                                m_model.padColour(uint(i - 1)));
        });
        b->setCursor(Qt::PointingHandCursor);
    }
    for (int i = 1; i <= 6; ++i) {
        auto *b = findChild<QPushButton *>(QStringLiteral("key_%1").arg(i));
        if (!b)
            continue;
        connect(b, &QPushButton::clicked, this,
                [this, i] { open_control_dialog(i - 1, 2, &m_setAllColours, 0, nullptr); });
        b->setCursor(Qt::PointingHandCursor);
    }

    Ui_CRZM7 *ui = m_ui;
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);
    connect(ui->pushButton_KnobGroup, &QPushButton::clicked, this, &CRZM7::next_knob_group);
    connect(ui->pushButton_PadGroup, &QPushButton::clicked, this, &CRZM7::next_pad_bank);
    connect(ui->pushButton_threshold, &QPushButton::clicked, this, &CRZM7::open_pad_level);
    connect(ui->pushButton_Reset, &QPushButton::clicked, this, &CRZM7::click_reset);
    connect(ui->pushButton_ConfigData, &QPushButton::clicked, this, &CRZM7::save_config_data_to_bin);
    connect(ui->comboBox_Preset, indexChanged, this, &CRZM7::toggle_preset_question);
    for (GlobalList list : kSettingLists)
        connect(listCombo(list), indexChanged, this, [this, list](int row) { change_list(list, row); });
    connect(ui->pushButton_night, &QPushButton::toggled, this, [this](bool on) { set_switch(Switch::Dark, on); });
    connect(ui->pushButton_DAW, &QPushButton::toggled, this, [this](bool on) { set_switch(Switch::DawSync, on); });
    connect(ui->pushButton_AFT_SW, &QPushButton::toggled, this,
            [this](bool on) { set_switch(Switch::Aftertouch, on); });
    connect(ui->pushButton_DelText, &QPushButton::clicked, this, [this] { m_monitor->clear(); });
    connect(ui->pushButton_battery, &QPushButton::toggled, this, &CRZM7::on_battery_toggled);
    connect(ui->pushButton_LowBattery, &QPushButton::toggled, this, &CRZM7::on_battery_toggled);
    // Each toggle of these two switches sends the record a second time.
    connect(ui->pushButton_battery, &QPushButton::toggled, this, &CRZM7::send_system_if_idle);
    connect(ui->pushButton_LowBattery, &QPushButton::toggled, this, &CRZM7::send_system_if_idle);
    connect(ui->pushButton_update, &QPushButton::clicked, this, &CRZM7::click_upgrade);
    connect(ui->pushButton_LoadPreset, &QPushButton::clicked, this, &CRZM7::click_preset_list);
    connect(ui->pushButton_KnobColor, &QPushButton::clicked, this, &CRZM7::open_colour_picker);
    connect(ui->pushButton_BtColor, &QPushButton::clicked, this, &CRZM7::open_colour_picker);
    connect(ui->pushButton_setPadColor, &QPushButton::clicked, this, &CRZM7::click_set_all_rgb_by_pad_bank);
    connect(ui->pushButton_ECO, &QPushButton::clicked, this,
            [this] { set_switch(Switch::Eco, m_ui->pushButton_ECO->isChecked()); });
    connect(ui->pushButton_BT, &QPushButton::toggled, ui->pushButton_BT,
            [this](bool on) { set_switch(Switch::Bluetooth, on); }, Qt::DirectConnection);
    connect(ui->pushButton_full, &QPushButton::clicked, this,
            [this] { set_switch(Switch::FullLevel, m_ui->pushButton_full->isChecked()); });
    connect(ui->pushButton_save, &QPushButton::clicked, this, &CRZM7::send_save_cmd);
    for (QPushButton *b : {ui->pushButton_knob_button, ui->pushButton_pad, ui->pushButton_setting})
        connect(b, &QPushButton::clicked, this, &CRZM7::set_global_page);
    connect(ui->pushButton_Out, &QPushButton::clicked, this, &CRZM7::click_preset_file);
    connect(ui->pushButton_In, &QPushButton::clicked, this, &CRZM7::click_preset_file);
}

// ---- sending -----------------------------------------------------------------

bool CRZM7::send_frame(const uchar *frame, uint len)
{
    if (len == 0)
        return false;
    return Slots_send_data(frame, int(len));
}

void CRZM7::send_system_config_data()
{
    m_model.setBusy(true);
    // Clamps the thresholds, arms the echo drop and clears busy.
    send_frame(m_txFrame, m_model.systemConfigFrame(m_txFrame));
    release_busy();
}

void CRZM7::release_busy()
{
    m_model.setBusy(false);
    uchar preset = 0;
    if (m_model.takeDroppedBlock(&preset))
        send_read_preset(preset);
}

void CRZM7::send_system_if_idle()
{
    if (!m_updatingUi)
        send_system_config_data();
}

// Only the field of the list the user moved is written: a value that no row
// shows goes back to the device as it came until the user picks a row.
void CRZM7::change_list(GlobalList list, int nRow)
{
    if (m_updatingUi)
        return;
    setListIndex(m_model.system(), list, nRow);
    send_system_config_data();
}

void CRZM7::send_read_preset(uchar byPreset)
{
    uchar frame[rz7::kReadPresetFrameSize];
    send_frame(frame, m_model.readPresetFrame(frame, byPreset));
}

void CRZM7::send_save_cmd()
{
    uchar frame[rz7::kEmptyFrameSize];
    send_frame(frame, m_model.saveFrame(frame));
}

void CRZM7::send_mode_rgb()
{
    send_frame(m_txFrame, m_model.modeColoursFrame(m_txFrame));
}

void CRZM7::send_config_data()
{
    send_frame(m_txFrame, m_model.configFrame(m_txFrame));
}

void CRZM7::send_key_data()
{
    send_frame(m_txFrame, m_model.keysFrame(m_txFrame));
}

void CRZM7::send_pad_data()
{
    send_frame(m_txFrame, m_model.padsFrame(m_txFrame));
}

void CRZM7::send_knob_data()
{
    send_frame(m_txFrame, m_model.knobsFrame(m_txFrame));
}

void CRZM7::send_sysex_pool()
{
    send_frame(m_txFrame, m_model.sysexPoolFrame(m_txFrame));
}

void CRZM7::send_moved_pad_banks()
{
    for (uint bank : m_model.movedPadBanks())
        send_frame(m_txFrame, m_model.padsFrameOfBank(m_txFrame, bank));
}

void CRZM7::slots_click_ok_send(uchar byFlag)
{
    auto rebuildCaptions = [this] {
        for (uchar pad = 0; pad < kPadsPerBank; ++pad)
            update_pad_caption(pad);
    };
    switch (byFlag) {
    case 1:
        send_knob_data();
        break;
    case 2:
        send_key_data();
        break;
    case 3:
        send_pad_data();
        rebuildCaptions();
        break;
    // The repack may move the messages of Customize pads in other banks: their
    // banks are written too, or the device plays them from the old offsets.
    case 4:
        send_sysex_pool();
        send_pad_data();
        send_key_data();
        send_moved_pad_banks();
        break;
    case 5:
        send_sysex_pool();
        send_key_data();
        send_pad_data();
        send_moved_pad_banks();
        rebuildCaptions();
        break;
    default:
        break;
    }
}

void CRZM7::slots_change_rgb()
{
    if (m_dialogIndex < 0 || m_dialogIndex >= int(kPadsPerBank))
        return;
    const SColourGRB c = *m_model.padColour(uint(m_dialogIndex));
    uchar padIndex;
    if (m_setAllColours) {
        m_setAllColours = 0;
        padIndex = kAllPads;
        for (int i = 1; i <= int(kPadsPerBank); ++i) {
            if (auto *b = findChild<QPushButton *>(QStringLiteral("pad%1").arg(i)))
                set_pad_style(c.r, c.g, c.b, b);
        }
    } else {
        padIndex = uchar(m_dialogIndex);
        if (auto *b = findChild<QPushButton *>(QStringLiteral("pad%1").arg(m_dialogIndex + 1)))
            set_pad_style(c.r, c.g, c.b, b);
    }
    send_frame(m_txFrame, m_model.padColoursFrame(m_txFrame, padIndex));
    update_pad_caption(uchar(m_dialogIndex));
}

void CRZM7::slots_send_pad_level()
{
    if (!m_updatingUi)
        send_system_config_data();
}

// ---- receiving ---------------------------------------------------------------

void CRZM7::Slots_recv_frame(const uchar *frame, uint len)
{
    const uchar presetBefore = m_model.system().preset;
    const CRZ7Model::SReceived r = m_model.receiveFrame(frame, len);
    switch (r.kind) {
    case CRZ7Model::SReceived::SystemApplied:
        // The device went to another preset under the group colour chooser:
        // its colours belong to the old preset, so it closes without sending.
        if (m_model.system().preset != presetBefore)
            m_chooser->abandon();
        apply_system_config_data();
        close_stale_control_dialog();
        if (r.requestPreset)
            send_read_preset(r.preset);
        break;
    case CRZ7Model::SReceived::SystemRejected:
        if (r.requestPreset)
            send_read_preset(r.preset);
        break;
    case CRZ7Model::SReceived::Configuration:
        close_control_dialog();
        recover_data_ui();
        // The first whole block ends the wait.
        if (m_model.blockHeld())
            pagekit::setPageContentEnabled(this, true);
        break;
    case CRZ7Model::SReceived::SaveResult:
        AutoDisapperMsgBox::showMessage(this, r.ok ? tr("Save successful") : tr("Fail to save!"), 1000);
        break;
    case CRZ7Model::SReceived::FactoryResetResult:
        send_read_preset(r.preset);
        AutoDisapperMsgBox::showMessage(
            this, r.ok ? tr("Restore factory data successful") : tr("Restore to factory defaults failed"), 1000);
        break;
    case CRZ7Model::SReceived::Ignored:
        if (r.requestPreset) // a block of another preset: the shown one is asked for
            send_read_preset(r.preset);
        break;
    case CRZ7Model::SReceived::SystemEcho:
        break;
    }
    show_block_held();
}

void CRZM7::show_block_held()
{
    // Nothing of a block that is not the shown preset's whole block may be
    // edited: its dialogs would show, and their OK would write, bytes of
    // another preset.
    const bool held = m_model.blockHeld();
    if (!held)
        close_control_dialog();
    m_ui->page->setEnabled(held);
    m_ui->page_3->setEnabled(held);
}

void CRZM7::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId)
        return;
    // The lines of the last 200 ms go in, and the list scrolls to its end.
    m_monitor->flush();
    const CRZ7Model::STick t = m_model.tick();
    if (t.sendPoll)
        send_frame(g_fixedFramePoll.bytes, g_fixedFramePoll.length);
    if (t.requestPreset)
        send_read_preset(t.preset);
    // A box or file dialog of the page waited on in a nested event loop:
    // handing back now would let the window delete the page under it. The
    // loss is acted on at the first tick after it closes. A question that
    // runs no loop of its own goes with the page.
    if (t.connectionLost && pagekit::mayHandBack()) {
        Slots_back_to_connect();
        qDebug() << QString(47, QLatin1Char('-'));
    }
}

// ---- dialogs the page owns ---------------------------------------------------

void CRZM7::open_control_dialog(int nIndex, int nKind, uchar *pbySetAll, int nBankOrGroup, SColourGRB *pColour)
{
    if (m_controlDlg) {
        delete m_controlDlg;
        m_controlDlg = nullptr;
    }
    if (!m_model.blockHeld())
        return;
    m_dialogIndex = nIndex;
    m_dialogKind = nKind;
    m_dialogBank = nBankOrGroup;
    auto *dlg = new CRZM7DLG(&m_model.config(), nKind, nIndex, nBankOrGroup, &m_model.sysex(), pbySetAll, nullptr);
    m_controlDlg = dlg;
    if (nKind == 1 || nKind == 2)
        connect(dlg, &CRZM7DLG::signals_change_rgb, this, &CRZM7::slots_change_rgb);
    connect(dlg, &CRZM7DLG::signals_colour_confirmed, this, [this] { m_model.colourConfirmed(); });
    if (nKind == 1 && pColour)
        dlg->show_colour(pColour);
    dlg->load_control();
    connect(dlg, &CRZM7DLG::signals_click_ok_send, this, &CRZM7::slots_click_ok_send);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r = dlg->frameGeometry();
        r.moveCenter(screen->geometry().center());
        dlg->move(r.topLeft());
    }
    dlg->show();
}

// ---- language ------------------------------------------------------------------

void CRZM7::change_language()
{
    m_model.clearPresetRequested();
    loadInterfaceCatalogue();
    m_ui->retranslateUi(this);
}
