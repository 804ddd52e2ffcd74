// The older pedal page's construction, wiring, the device frame handler, the
// application of an image to the widgets, the language change, the MIDI
// monitor and closing.
#include "master.h"
#include "ui_master.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QThread>
#include <QTimer>

#include <cstring>

#include "autodisappermsgbox.h"
#include "devices/pedal/cpedal.h"
#include "devices/pedal/cvaluekey.h"
#include "devices/pedal/pedalpoll.h"
#include "devices/shared/closeroad.h"
#include "devices/shared/pagetoolbar.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "touchcombobox.h"
#include "utils.h"

using namespace pedalold;

namespace {

// An invalid image is answered by a new poll after this pause.
constexpr unsigned long kRepollDelayMs = 20;
// The pedal answers a poll within tens of milliseconds: polls for invalid
// images that brought no answer for this long have stopped.
constexpr qint64 kRepollAliveMs = 1000;
// The monitor keeps at most this many rows.
constexpr int kMonitorCap = 499;

} // namespace

master::master(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent), ui(new Ui_master)
{
    std::memset(&m_config, 0, sizeof m_config);
    std::memset(m_tx, 0, sizeof m_tx);
    std::memset(m_switchFrame, 0, sizeof m_switchFrame);
    ui->setupUi(this);
    // Short messages show without their status names; the rows go in on the
    // monitor's own tick.
    MidiMonitorList::SOptions monitor;
    monitor.cap = kMonitorCap;
    monitor.withStatusName = false;
    m_monitor = new MidiMonitorList(ui->listWidget_show, monitor, this);
    // Until the pedal's first valid image; the page itself stays enabled, so
    // Escape and the close box close it meanwhile.
    pagekit::setPageContentEnabled(this, false);
    init_ui();
    init_connect();
    AutoDisapperMsgBox::showMessage(this, tr("Receive data..."), 600);
    // The connection window's poll may go unanswered. Once the pedal answers,
    // each image it refuses brings the page's own poll instead; the user is
    // told all the same when none is valid.
    pedal::watchFirstImage(
        this, [this] { return m_imageApplied; }, [this](const quint8 *frame, uint len) { send(frame, len); },
        [this] { AutoDisapperMsgBox::showMessage(this, tr("Data error,Please reconnect..."), 800); },
        [this] { return m_pollAnswered; });
}

master::~master()
{
    pagekit::closeOwnedDialogs({&m_presetDialog, &m_upgrade});
    delete m_keyDialog;
    delete m_pedalDialog.data();
    delete ui;
}

void master::init_ui()
{
    ui->pushButton_LoadPreset->hide();
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    QTimer::singleShot(100, this, &master::set_title);
    ui->pushButton_Group1->setCheckable(true);
    ui->pushButton_Group2->setCheckable(true);
    ui->pushButton_Group1->setChecked(true);
    for (QRadioButton *dot : {ui->radioButton_ModeDis, ui->radioButton_1, ui->radioButton_2})
        dot->setAutoExclusive(false);
    auto *switches = new QButtonGroup(this);
    switches->setExclusive(true);
    for (QCheckBox *box : {ui->checkBox_A, ui->checkBox_B, ui->checkBox_C, ui->checkBox_D})
        switches->addButton(box);
    m_currentSwitch = 0;
    for (int i = 0; i < 128; ++i) {
        for (TouchComboBox *box : {ui->comboBox2_dataA, ui->comboBox2_dataB, ui->comboBox2_dataC, ui->comboBox2_dataD})
            box->addItem(QString::number(i));
    }
}

void master::init_connect()
{
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);
    for (TouchComboBox *box : {ui->comboBox2_channelA, ui->comboBox2_channelB, ui->comboBox2_channelC,
                               ui->comboBox2_channelD, ui->comboBox2_dataA, ui->comboBox2_dataB,
                               ui->comboBox2_dataC, ui->comboBox2_dataD})
        connect(box, indexChanged, this, &master::click_switch_setting);
    connect(ui->comboBox_preset, indexChanged, this, &master::click_combobox_preset);
    for (QPushButton *b : {ui->pushButton_FSA_mode, ui->pushButton_FSB_mode, ui->pushButton_FSC_mode,
                           ui->pushButton_FSD_mode})
        connect(b, &QPushButton::clicked, this, [this] { click_switch_setting(0); });
    connect(ui->pushButton_Reset, &QPushButton::clicked, this, &master::click_reset_button);
    connect(ui->pushButton_AddA1, &QPushButton::clicked, this, &master::click_button_add);
    connect(ui->pushButton_AddA2, &QPushButton::clicked, this, &master::click_button_add);
    connect(ui->pushButton_Remove1, &QPushButton::clicked, this, &master::click_button_remove);
    connect(ui->pushButton_Remove2, &QPushButton::clicked, this, &master::click_button_remove);
    for (QListWidget *list : {ui->listWidget_A1, ui->listWidget_A2, ui->listWidget_pedal})
        connect(list, &QListWidget::itemDoubleClicked, this, &master::double_click_list_item);
    for (QPushButton *b : {ui->pushButton_DelItem1, ui->pushButton_DelItem2, ui->pushButton_pedalDelItem})
        connect(b, &QPushButton::clicked, this, &master::click_button_del);
    connect(ui->pushButton_pedalAdd, &QPushButton::clicked, this, &master::click_pedal_add);
    connect(ui->pushButton_removePedal, &QPushButton::clicked, this, &master::click_pedal_del);
    connect(ui->pushButton_Group1, &QPushButton::clicked, this, &master::click_group_button);
    connect(ui->pushButton_update, &QPushButton::clicked, this, &master::click_upgrade);
    connect(ui->pushButton_LoadPreset, &QPushButton::clicked, this, &master::click_preset_list);
    connect(ui->pushButton_Out, &QPushButton::clicked, this, &master::click_preset_file);
    connect(ui->pushButton_In, &QPushButton::clicked, this, &master::click_preset_file);
    connect(ui->pushButton_Group2, &QPushButton::clicked, this, &master::click_group_button);
    for (QCheckBox *box : {ui->checkBox_A, ui->checkBox_B, ui->checkBox_C, ui->checkBox_D})
        connect(box, &QCheckBox::stateChanged, this, &master::click_checkbox_switch);
    for (TouchComboBox *box : {ui->comboBox_A, ui->comboBox_B, ui->comboBox_C, ui->comboBox_D})
        connect(box, indexChanged, this, &master::click_combobox_type);
    connect(ui->comboBox_ModeDis1, &QComboBox::currentTextChanged, this, &master::click_preset_display);
    connect(ui->comboBox_ModeDis2, &QComboBox::currentTextChanged, this, &master::click_preset_display);
    connect(ui->radioButton_ModeDis, &QRadioButton::clicked, this, &master::click_preset_display);
    for (TouchComboBox *box : {ui->comboBox_list1, ui->comboBox_list2, ui->comboBox_list1_2, ui->comboBox_list2_2})
        connect(box, &QComboBox::currentTextChanged, this, &master::click_switch_display);
    connect(ui->radioButton_1, &QRadioButton::clicked, this, &master::click_switch_display);
    connect(ui->radioButton_2, &QRadioButton::clicked, this, &master::click_switch_display);
    connect(ui->pushButton_DelText, &QPushButton::clicked, m_monitor, &MidiMonitorList::clear);
}

void master::set_title()
{
    m_titleSet = true;
    setWindowTitle(g_downloadLink + tr(" Connected") + QStringLiteral(" V") + QString::number(uint(g_firmwareVersion)));
}

void master::send(const quint8 *frame, uint len)
{
    Slots_send_data(frame, int(len));
}

bool master::repolling() const
{
    return m_lastRepoll.isValid() && m_lastRepoll.elapsed() < kRepollAliveMs;
}

// ---- frames from the pedal --------------------------------------------------------

void master::Slots_recv_frame(const uchar *frame, uint len)
{
    if (len < SDeviceFrame::kOffsetPayload)
        return;
    const uint payloadLength = framePayloadLength(frame);
    const uchar *payload = frame + SDeviceFrame::kOffsetPayload;
    switch (frame[SDeviceFrame::kOffsetCommand]) {
    case CMD_POLL: {
        m_pollAnswered = true;
        // Only a whole image of the right size is looked at, and only a valid
        // one enters m_config: edits and frames are built from it later.
        SMIDIConfigData image;
        bool valid = payloadLength == uint(kImageSize) && len >= SDeviceFrame::kOffsetPayload + uint(kImageSize);
        if (valid) {
            std::memcpy(&image, payload, sizeof image);
            valid = isValidImage(image);
        }
        if (!valid) {
            QThread::msleep(kRepollDelayMs);
            send(g_fixedFramePoll.bytes, g_fixedFramePoll.length);
            m_lastRepoll.start();
            return;
        }
        m_lastRepoll.invalidate();
        m_config = image;
        m_imageApplied = true;
        update_ui();
        pagekit::setPageContentEnabled(this, true);
        // A later image with switch A still selected is redrawn too.
        if (ui->checkBox_A->isChecked())
            click_checkbox_switch();
        else
            ui->checkBox_A->setChecked(true);
        return;
    }
    case CMD_PEDAL_MODE: {
        // A report before the first valid image would send the empty image's
        // switch settings or switch A's record over the pedal's own.
        if (!m_imageApplied || payloadLength < 1 || len <= SDeviceFrame::kOffsetPayload)
            return;
        const int p = payload[0];
        ui->comboBox_ModeDis1->show();
        ui->comboBox_ModeDis2->show();
        ui->radioButton_ModeDis->show();
        if (p < 1 || p > kPresetCount)
            return;
        if (p == 5) {
            ui->checkBox_A->setChecked(true);
            m_currentSwitch = 0;
            show_list2_widgets(m_config.SwitchData[0].Type);
            update_switch_view();
        }
        show_preset_display(p);
        ui->comboBox_preset->setCurrentIndex(p - 1);
        ui->stackedWidget->setCurrentIndex(p - 1);
        m_config.Preset = quint8(p);
        return;
    }
    default:
        return;
    }
}

// ---- applying an image ------------------------------------------------------------

void master::update_ui()
{
    m_updating = true;
    update_pedal_list();
    update_switch_setting();
    const int p = send_current_preset();
    show_preset_display(p);
    m_updating = false;
    if (p == 4) {
        send_switch_setting();
    } else if (p == 5) {
        ui->checkBox_A->setChecked(true);
        m_currentSwitch = 0;
        set_list_labels(m_config.SwitchData[0].Type);
    }
    ui->comboBox_preset->setCurrentIndex(p - 1);
    ui->stackedWidget->setCurrentIndex(p - 1);
}

int master::send_current_preset()
{
    TouchComboBox *const actions[kSwitchCount] = {ui->comboBox_A, ui->comboBox_B, ui->comboBox_C, ui->comboBox_D};
    for (int k = 0; k < kSwitchCount; ++k)
        actions[k]->setCurrentIndex(int(m_config.SwitchData[k].Type) - 1);
    const int preset = m_config.Preset;
    if (preset >= 1 && preset <= 3)
        send_preset_select(preset);
    else if (preset == 4)
        send_switch_setting();
    return preset >= 1 && preset <= 4 ? preset : 5;
}

// ---- language ---------------------------------------------------------------------

void master::change_language()
{
    loadInterfaceCatalogue();
    // Renaming the rows of the display choosers reports their texts as
    // changed: nothing may be stored or sent for that.
    const bool wasUpdating = m_updating;
    m_updating = true;
    ui->retranslateUi(this);
    set_list_labels(m_config.SwitchData[m_currentSwitch].Type);
    update_switch_setting();
    m_updating = wasUpdating;
    if (m_titleSet)
        set_title();
}

// ---- the two list tabs -------------------------------------------------------------

void master::click_group_button()
{
    const QObject *from = sender();
    if (from == ui->pushButton_Group1) {
        ui->pushButton_Group1->setChecked(true);
        ui->pushButton_Group2->setChecked(false);
        ui->stackedWidget_2->setCurrentIndex(0);
    } else if (from == ui->pushButton_Group2) {
        ui->pushButton_Group2->setChecked(true);
        ui->pushButton_Group1->setChecked(false);
        ui->stackedWidget_2->setCurrentIndex(1);
    }
}

// ---- MIDI monitor -----------------------------------------------------------------

void master::Slots_recv_sysex(const uchar *data, uint len)
{
    m_monitor->addSysex(data, len);
}

void master::Slots_recv_midi(uint msg)
{
    m_monitor->addMessage(msg);
}

// ---- closing -----------------------------------------------------------------------

void master::closeEvent(QCloseEvent *event)
{
    // Nothing to save and no close frame: the page hands back at once.
    pagekit::closeEditorPage(*this, event, false, pagekit::SCloseQuestion(), nullptr, nullptr);
}

bool master::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
