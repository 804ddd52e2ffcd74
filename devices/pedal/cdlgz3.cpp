// The foot pedal page's construction, wiring, panels, title, language and
// closing, the handler of the pedal's frames and the view of a whole image.
#include "cdlgz3.h"
#include "ui_cdlgz3.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDebug>
#include <QKeySequence>
#include <QTimer>

#include <cstring>

#include "autodisappermsgbox.h"
#include "cupgrade.h"
#include "devices/pedal/cpedal.h"
#include "devices/pedal/cvaluekey.h"
#include "devices/pedal/pedalpoll.h"
#include "devices/pedal/pedaltext.h"
#include "devices/shared/closeroad.h"
#include "devices/shared/pagetoolbar.h"
#include "dialogs.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "switchbutton.h"
#include "touchcombobox.h"
#include "utils.h"

cDlgZ3::cDlgZ3(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent), ui(new Ui_cDlgZ3)
{
    std::memset(m_txBuf, 0, sizeof m_txBuf);
    m_upgrade = new cUpgrade(this, nullptr);
    ui->setupUi(this);
    MidiMonitorList::SOptions monitor;
    monitor.cap = 499;
    m_monitor = new MidiMonitorList(ui->listWidget_show, monitor, this);
    // Nothing can be edited until the first image has been accepted.
    ui->stackedWidget->setEnabled(false);
    ui->widget_display->setEnabled(false);
    init_ui();
    init_connect();
    AutoDisapperMsgBox::showMessage(this, tr("Receive data..."), 600);
    // The connection window's poll may go unanswered.
    pedal::watchFirstImage(
        this, [this] { return m_imageAccepted; },
        [this](const quint8 *frame, uint len) { send_data(frame, len); },
        [this] { AutoDisapperMsgBox::showMessage(this, tr("Data error,Please reconnect..."), 800); });
}

cDlgZ3::~cDlgZ3()
{
    // The dialogs without a parent widget are the page's too.
    delete m_pedalDlg.data();
    delete m_valueKey.data();
    delete m_loadIni.data();
    pagekit::closeOwnedDialogs({&m_presetDlg, &m_upgrade});
    delete ui;
}

// ---- set-up ------------------------------------------------------------------

void cDlgZ3::init_ui()
{
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    ui->pushButton_ConfigData->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    QTimer::singleShot(100, this, &cDlgZ3::set_title);
    ui->pushButton_Group1->setCheckable(true);
    ui->pushButton_Group2->setCheckable(true);

    m_keyGroup = new QButtonGroup(this);
    m_keyGroup->setExclusive(true);
    for (QCheckBox *box : {ui->checkBox_A, ui->checkBox_B, ui->checkBox_C, ui->checkBox_D})
        m_keyGroup->addButton(box);
    m_curKey = 0;

    for (TouchComboBox *box : {ui->comboBox2_dataA, ui->comboBox2_dataB, ui->comboBox2_dataC, ui->comboBox2_dataD}) {
        for (int i = 0; i < 128; ++i)
            box->addItem(QString::number(i));
    }
    for (TouchComboBox *box : {ui->comboBox_P1Max, ui->comboBox_P2Max}) {
        for (int i = 3; i <= 127; i += 4)
            box->addItem(QString::number(i));
    }

    m_navGroup = new QButtonGroup(this);
    m_navGroup->setExclusive(true);
    for (QPushButton *b : {ui->pushButton_BackHomepage, ui->pushButton_pedal, ui->pushButton_BtHost}) {
        b->setCheckable(true);
        m_navGroup->addButton(b);
    }
    m_moreGroup = new QButtonGroup(this);
    for (QPushButton *b : {ui->pushButton_moreA, ui->pushButton_moreB, ui->pushButton_moreC, ui->pushButton_moreD}) {
        m_moreGroup->addButton(b);
        b->hide();
    }
    ui->pushButton_Dot->setCheckable(true);
    ui->stackedWidget->setCurrentIndex(0);
    // Return on a focused list must not open the online preset list.
    clearDefaultButtons(this);
}

void cDlgZ3::init_connect()
{
    Ui_cDlgZ3 *u = ui;
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);
    const auto clicked = QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked);
    connect(u->pushButton_Reset, &QPushButton::clicked, this, &cDlgZ3::click_reset_button);
    connect(u->pushButton_ConfigData, &QPushButton::clicked, this, &cDlgZ3::save_config_bin);
    for (TouchComboBox *box : {u->comboBox2_channelA, u->comboBox2_channelB, u->comboBox2_channelC,
                               u->comboBox2_channelD, u->comboBox2_dataA, u->comboBox2_dataB, u->comboBox2_dataC,
                               u->comboBox2_dataD})
        connect(box, indexChanged, this, &cDlgZ3::slots_switch_changed);
    connect(u->comboBox_preset, indexChanged, this, &cDlgZ3::slots_mode_changed);
    for (QPushButton *b : {u->pushButton_FSA_mode, u->pushButton_FSB_mode, u->pushButton_FSC_mode, u->pushButton_FSD_mode})
        connect(b, &QPushButton::clicked, this, &cDlgZ3::slots_switch_changed);
    connect(u->widget_PassThrough, &switchbutton::statusChanged, this, &cDlgZ3::slots_pass_through);
    connect(u->comboBox_BtModel, QOverload<int>::of(&QComboBox::activated), this, &cDlgZ3::click_combobox_BtModel);
    connect(m_navGroup, clicked, this, &cDlgZ3::click_nav_button);
    connect(u->pushButton_Scan, &QPushButton::clicked, u->pushButton_Scan, [this] { click_scan(); },
            Qt::DirectConnection);
    connect(u->pushButton_Group1, &QPushButton::clicked, this, &cDlgZ3::click_group_tab);
    connect(u->pushButton_Group2, &QPushButton::clicked, this, &cDlgZ3::click_group_tab);
    connect(u->pushButton_BT, &QPushButton::clicked, this, &cDlgZ3::send_bluetooth);
    connect(m_moreGroup, clicked, this, &cDlgZ3::click_more_button);
    for (QCheckBox *box : {u->checkBox_A, u->checkBox_B, u->checkBox_C, u->checkBox_D})
        connect(box, &QCheckBox::stateChanged, this, &cDlgZ3::slots_key_changed);
    for (TouchComboBox *box : {u->comboBox_A, u->comboBox_B, u->comboBox_C, u->comboBox_D})
        connect(box, indexChanged, this, &cDlgZ3::slots_trigger_changed);
    connect(u->comboBox_Group, indexChanged, this, &cDlgZ3::slots_group_changed);
    for (TouchComboBox *box : {u->comboBox_P1Max, u->comboBox_P2Max, u->comboBox_MaxGroup})
        connect(box, indexChanged, this, &cDlgZ3::slots_setting_changed);
    for (QPushButton *b : {u->pushButton_AddA1, u->pushButton_AddA2})
        connect(b, &QPushButton::clicked, this, &cDlgZ3::click_button_add);
    for (QPushButton *b : {u->pushButton_Remove1, u->pushButton_Remove2})
        connect(b, &QPushButton::clicked, this, &cDlgZ3::click_button_remove);
    for (QListWidget *list : {u->listWidget_A1, u->listWidget_A2})
        connect(list, &QListWidget::itemDoubleClicked, this, &cDlgZ3::click_list_item);
    for (QPushButton *b : {u->pushButton_DelItem1, u->pushButton_DelItem2})
        connect(b, &QPushButton::clicked, this, &cDlgZ3::click_delete_item);
    connect(u->pushButton_pedalAdd, &QPushButton::clicked, this, &cDlgZ3::click_pedal_add);
    connect(u->pushButton_removePedal, &QPushButton::clicked, this, &cDlgZ3::click_pedal_del);
    connect(u->pushButton_pedalDelItem, &QPushButton::clicked, this, &cDlgZ3::click_delete_item);
    connect(u->listWidget_pedal, &QListWidget::itemDoubleClicked, this, &cDlgZ3::click_list_item);
    for (TouchComboBox *box : {u->comboBox_ModeDis1, u->comboBox_ModeDis2})
        connect(box, &QComboBox::currentTextChanged, this, &cDlgZ3::slots_display_changed);
    connect(u->pushButton_Dot, &QPushButton::clicked, this, &cDlgZ3::slots_display_changed);
    connect(u->pushButton_update, &QPushButton::clicked, this, &cDlgZ3::click_update);
    connect(u->pushButton_LoadPreset, &QPushButton::clicked, this, &cDlgZ3::click_preset_list);
    connect(u->pushButton_Out, &QPushButton::clicked, this, &cDlgZ3::click_preset_file);
    connect(u->pushButton_In, &QPushButton::clicked, this, &cDlgZ3::click_preset_file);
    connect(u->pushButton_DelText, &QPushButton::clicked, m_monitor, &MidiMonitorList::clear);
}

void cDlgZ3::set_title()
{
    m_titleSet = true;
    setWindowTitle(g_downloadLink + tr(" Connected") + QStringLiteral(" V") + QString::number(g_firmwareVersion));
}

void cDlgZ3::change_language()
{
    loadInterfaceCatalogue();
    // Renamed display rows report a text change: nothing may be sent.
    const bool updating = m_uiUpdating;
    m_uiUpdating = true;
    ui->retranslateUi(this);
    show_switches();
    m_uiUpdating = updating;
    show_group_labels(currentRecord().triggerType());
    if (m_titleSet)
        set_title();
}

// ---- panels ----------------------------------------------------------------------

int cDlgZ3::shownMode() const
{
    const int mode = m_image.mode();
    return mode >= 1 && mode <= 4 ? mode : 1;
}

void cDlgZ3::click_nav_button(QAbstractButton *button)
{
    if (button == ui->pushButton_BtHost) {
        ui->stackedWidget->setCurrentIndex(5);
        ui->widget_display->hide();
    } else if (button == ui->pushButton_pedal) {
        ui->stackedWidget->setCurrentIndex(4);
        ui->widget_display->hide();
    } else {
        ui->stackedWidget->setCurrentIndex(shownMode() - 1);
        ui->widget_display->show();
    }
}

void cDlgZ3::click_group_tab()
{
    if (sender() == ui->pushButton_Group1) {
        ui->pushButton_Group1->setChecked(true);
        ui->pushButton_Group2->setChecked(false);
        ui->stackedWidget_2->setCurrentIndex(0);
        return;
    }
    const uchar type = currentRecord().triggerType();
    ui->widget_Value2->setVisible(type != 1 && type != 4);
    ui->stackedWidget_2->setCurrentIndex(1);
    ui->pushButton_Group1->setChecked(false);
    ui->pushButton_Group2->setChecked(true);
}

// ---- closing ------------------------------------------------------------------------

void cDlgZ3::closeEvent(QCloseEvent *event)
{
    // Every edit has been sent already: nothing to ask, nothing to send.
    pagekit::closeEditorPage(*this, event, false, pagekit::SCloseQuestion(), {}, {});
}

// ---- frames from the pedal -------------------------------------------------------

bool cDlgZ3::send_data(const uchar *frame, uint len)
{
    if (len < SDeviceFrame::kOverhead)
        return false;
    const uchar command = frame[SDeviceFrame::kOffsetCommand];
    if (m_applyingImage
        && (command == CMD_PEDAL_SETTING || command == CMD_PEDAL_KEY_BANK || command == CMD_PEDAL_SWITCHES))
        return false;
    return Slots_send_data(frame, int(len));
}

void cDlgZ3::Slots_recv_frame(const uchar *frame, uint len)
{
    if (!frameVerify(frame, len)) {
        AutoDisapperMsgBox::showMessage(this, QString::number(len), 5000);
        return;
    }
    const uint payloadLen = framePayloadLength(frame);
    const uchar *payload = frame + SDeviceFrame::kOffsetPayload;
    switch (frame[SDeviceFrame::kOffsetCommand]) {
    case CMD_POLL:
        handle_image_frame(payload, payloadLen);
        break;
    case CMD_PEDAL_MODE:
        handle_mode_frame(payload, payloadLen);
        break;
    case CMD_PEDAL_BLUETOOTH:
        handle_bluetooth_frame(payload, payloadLen);
        break;
    case CMD_PEDAL_SETTING:
        handle_group_frame(payload, payloadLen);
        break;
    default:
        break;
    }
}

void cDlgZ3::handle_image_frame(const uchar *payload, uint len)
{
    // The image is checked in a copy: a refused one changes nothing.
    SZ3ProConfigData received;
    const bool whole = len == uint(SZ3ProConfigData::kSize);
    if (whole)
        std::memcpy(received.data(), payload, size_t(SZ3ProConfigData::kSize));
    if (!whole || !takeConfigImage(received)) {
        AutoDisapperMsgBox::showMessage(this, tr("Data error,Please reconnect..."), 800);
        return;
    }
    m_applyingImage = true;
    m_imageAccepted = true;
    m_image = received;
    update_ui();
    ui->stackedWidget->setEnabled(true);
    ui->widget_display->setEnabled(true);
    ui->checkBox_A->setChecked(true);
    // With key A checked already, checking it again redraws nothing.
    show_key_lists();
    m_applyingImage = false;
}

void cDlgZ3::handle_mode_frame(const uchar *payload, uint len)
{
    if (len < 1 || payload[0] > 4)
        return;
    const uchar mode = payload[0];
    const int row = mode <= 1 ? 0 : mode - 1;
    ui->widget_display->setVisible(true);
    if (mode == 4) {
        ui->checkBox_A->setChecked(true);
        m_curKey = 0;
        show_key_lists();
    }
    m_uiUpdating = true;
    const uchar first = m_image.displayChar(2 * row);
    ui->comboBox_ModeDis1->setCurrentIndex(pedal::displayCode(first));
    ui->comboBox_ModeDis2->setCurrentIndex(m_image.displayChar(2 * row + 1));
    ui->pushButton_Dot->setChecked(pedal::displayDot(first));
    ui->comboBox_preset->setCurrentIndex(row);
    ui->stackedWidget->setCurrentIndex(row);
    m_uiUpdating = false;
    m_image.setMode(mode);
    const bool blocked = ui->pushButton_BackHomepage->blockSignals(true);
    ui->pushButton_BackHomepage->setChecked(true);
    ui->pushButton_BackHomepage->blockSignals(blocked);
}

void cDlgZ3::handle_bluetooth_frame(const uchar *payload, uint len)
{
    if (len < 1)
        return;
    const uchar state = payload[0];
    if (state == 2) {
        ui->label_CurBt->clear();
        return;
    }
    const QString name = QString::fromLatin1(reinterpret_cast<const char *>(payload + 1), int(len - 1));
    if (state == 0) {
        if (!m_btNames.contains(name)) {
            m_btNames.insert(name);
            ui->listWidget_BtName->addItem(name);
        }
        return;
    }
    AutoDisapperMsgBox::showMessage(this, tr("Bluetooth connection successful..."), 1200);
    if (!name.isEmpty())
        ui->label_CurBt->setText(tr("Connected MIDI device: ") + name);
}

void cDlgZ3::handle_group_frame(const uchar *payload, uint len)
{
    if (len < 1)
        return;
    const int group = payload[0];
    // A group the combo has no row for would address records outside the image.
    if (group < ui->comboBox_Group->count() && group != ui->comboBox_Group->currentIndex()) {
        m_groupFromDevice = true;
        ui->comboBox_Group->setCurrentIndex(group);
        m_groupFromDevice = false;
    }
    show_group_labels(currentRecord().triggerType());
}

// ---- the view of a whole image ----------------------------------------------------

void cDlgZ3::update_ui()
{
    m_uiUpdating = true;
    show_pedal_list();
    show_switches();
    show_groups();
    // Clears m_uiUpdating: the handlers below run as for a user's edit; while
    // a received image is applied, send_data drops what they send.
    show_display_chars(shownMode());
    ui->comboBox_P1Max->setCurrentIndex(m_image.mode1Max() / 4 - 1);
    ui->comboBox_P2Max->setCurrentIndex(m_image.mode2Max() / 4 - 1);
    ui->comboBox_preset->setCurrentIndex(shownMode() - 1);
    if (m_applyingImage) {
        ui->widget_PassThrough->setChecked(m_image.passThrough() != 0, true);
        ui->comboBox_BtModel->setCurrentIndex(m_image.btMode());
        ui->stackedWidget_BtModel->setCurrentIndex(m_image.btMode());
    }
    m_uiUpdating = false;
    if (m_image.mode() == 4) {
        ui->checkBox_A->setChecked(true);
        m_curKey = 0;
        show_group_labels(currentRecord().triggerType());
    }
    ui->pushButton_Group1->setChecked(true);
    // The mode's page with its display row, under the checked "Preset"
    // button, whichever panel showed before.
    ui->pushButton_BackHomepage->setChecked(true);
    click_nav_button(ui->pushButton_BackHomepage);
}

void cDlgZ3::show_display_chars(int mode)
{
    if (mode < 1 || mode > 4)
        return;
    m_uiUpdating = true;
    const uchar first = m_image.displayChar(2 * (mode - 1));
    ui->comboBox_ModeDis1->setCurrentIndex(pedal::displayCode(first));
    ui->pushButton_Dot->setChecked(pedal::displayDot(first));
    ui->comboBox_ModeDis2->setCurrentIndex(m_image.displayChar(2 * (mode - 1) + 1));
    m_uiUpdating = false;
}

// ---- monitors ------------------------------------------------------------------------

void cDlgZ3::Slots_recv_sysex(const uchar *msg, uint len)
{
    m_monitor->addSysex(msg, len);
}

void cDlgZ3::Slots_recv_midi(uint message)
{
    m_monitor->addMessage(message);
}
