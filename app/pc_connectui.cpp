#include "pc_connectui.h"
#include "ui_pc_connectui.h"

#include <QApplication>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QSettings>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cstring>

#include "ceventbase.h"
#include "cupgrade.h"
#include "devicelist.h"
#include "dialogs.h"
#include "globals.h"
#include "midiports.h"
#include "nestedloop.h"
#include "pagefactory.h"
#include "settingsstore.h"
#include "selftest/selftestpage.h"
#include "utils.h"

pc_connectui::pc_connectui(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent), ui(new Ui::pc_connectui)
{
    m_settings = new QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"), this);
    m_upgrade = new cUpgrade(this, nullptr);
    // The flags first: set on a window with children they make every child
    // polish its style sheet again, a fifth of the start.
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    ui->setupUi(this);
    createFixModeMenu();
    loadDeviceInfo(QString::fromLatin1(kDeviceInfoResource));
    connectLanguageBox();
    changeLanguage(g_language);
    setWindowTitle(QStringLiteral("TaSuite-V5"));
    m_timerId = startTimer(20, Qt::CoarseTimer);
}

pc_connectui::~pc_connectui()
{
    killTimer(m_timerId);
    // The device's ports close before the page and the rest go.
    m_midi.close();
    if (m_page) {
        // A page still open at the end goes with the window.
        CBaseDlg *page = m_page;
        m_page = nullptr;
        delete page;
    }
    delete m_upgrade;
    delete ui;
}

// ---- sending ---------------------------------------------------------------

bool pc_connectui::Slots_send_data(const uchar *frame, int len)
{
    // What a page whose device has gone still sends (a colour chooser's
    // restore as it closes with the page) goes nowhere, and so does what is
    // sent into a pair whose device's ports went before the scan saw it.
    const int result = m_deviceGone || m_midi.pairLost() ? 0 : m_midi.send(frame, len);
    qDebug() << "Slots_send_data -- Result : " << result;
    return result != 0;
}

void pc_connectui::sendHostHello()
{
    uchar frame[8];
    frame[6] = 0x01;
    const uint len = buildFrame(frame, CMD_HOST_HELLO, 1);
    Slots_send_data(frame, int(len));
}

bool pc_connectui::reopenPorts()
{
    return m_midi.open(m_openedPair.outKey.toStdString(), m_openedPair.inKey.toStdString(), m_outPort, m_inPort);
}

// Opens the pair of match k by the names it was listed under: numbers taken
// by an earlier scan may name other ports by now.
bool pc_connectui::openMatch(int k)
{
    const PortMatch &match = m_scan.matches[k];
    m_outPort = match.outPort;
    m_inPort = match.inPort;
    const PortPair &pair = m_scan.pairs[k];
    if (!m_midi.open(pair.outKey.toStdString(), pair.inKey.toStdString(), match.outPort, match.inPort))
        return false;
    m_openedPair = pair;
    return true;
}

void pc_connectui::sendDeviceInfoRequest()
{
    Slots_send_data(g_fixedFrameDeviceInfo.bytes, g_fixedFrameDeviceInfo.length);
}

void pc_connectui::sendPoll()
{
    Slots_send_data(g_fixedFramePoll.bytes, g_fixedFramePoll.length);
}

// ---- the page --------------------------------------------------------------

void pc_connectui::showPage()
{
    if (!m_page)
        return;
    m_page->setAttribute(Qt::WA_DeleteOnClose);
    m_page->Slots_change_language();
    if (!m_page->isVisible()) {
        m_page->show();
        hide();
    }
    m_pageShown = 1;
}

void pc_connectui::finishPage()
{
    CBaseDlg *page = m_page;
    m_page = nullptr;
    m_hasPage = false;
    m_pageIsSelfTest = false;
    m_removalPending = false;
    if (page)
        page->done(1);
}

bool pc_connectui::Slots_back_to_connect()
{
    m_midi.close();
    m_carryLen = 0;
    // The window is shown before the page goes, so that a visible window
    // remains at every moment.
    if (m_fixMenuBar && m_fixMenuBar->isVisible())
        m_fixMenuBar->hide();
    m_pageShown = 0;
    if (isHidden())
        show();
    finishPage();
    return readUpgradeResult();
}

void pc_connectui::customEvent(QEvent *event)
{
    if (event->type() != EVENT_PAGE_CLOSED)
        return;
    m_page = nullptr;
    m_hasPage = false;
    m_pageIsSelfTest = false;
    done(1);
}

// A page whose own modal box or dialog is running must not be finished from
// inside that box's event loop: it would be deleted under the box.
bool pc_connectui::pageInModalLoop() const
{
    // A window-modal question without a loop of its own goes with the page.
    return nestedLoopRunning();
}

// The self-test's unit stopped answering while its ports are still listed
// and the link heard of no change to them (a unit that hangs, or a MIDI
// service that does not tell when a port goes). The next scan opens a present
// pair again.
void pc_connectui::relinkSelfTestUnit()
{
    m_factoryLinked = 0;
}

void pc_connectui::deviceGone()
{
    if (m_page && m_factoryMode && m_pageIsSelfTest) {
        m_pageShown = 0;
        m_page->Slots_device_removed();
        m_factoryLinked = 0;
        return;
    }
    if (m_page)
        m_deviceGone = true;
    if (m_page && pageInModalLoop()) {
        m_removalPending = true; // tried again by the next scan
        return;
    }
    m_pageShown = 0;
    if (m_page) {
        if (isHidden())
            show();
        finishPage();
    }
}

// ---- the main loop ---------------------------------------------------------

void pc_connectui::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId)
        return;
    // A modal box opened inside a tick runs a nested event loop in which the
    // timer keeps firing; those ticks wait until the tick that opened it ends.
    if (m_inTick)
        return;
    m_inTick = true;
    tick();
    m_inTick = false;
}

// A page that went away without handing back or telling the window: as if it
// had closed, by the road its closing takes.
void pc_connectui::pageWentAway()
{
    m_hasPage = false;
    if (m_pageClosesWindow) {
        m_pageIsSelfTest = false;
        done(1);
        return;
    }
    Slots_back_to_connect();
}

void pc_connectui::tick()
{
    if (m_hasPage && !m_page)
        pageWentAway();

    if (++m_tick > kScanEveryTicks - 1) {
        m_tick = 0;
        scanDevices();
    }

    const uint n = m_midi.read(m_rxBuf + m_carryLen, kReadChunk, 1);
    if (n == 0)
        return;
    const uint total = m_carryLen + n;
    uint stop = deliver(0, total);
    // A message that outgrows the carry can never be completed: skip its
    // first byte and take the rest as it comes.
    while (total - stop > kCarryMax)
        stop = deliver(stop + 1, total);
    // Bytes of a message that the read cut off wait for the rest of it.
    const uint keep = total - stop;
    if (keep > 0)
        std::memmove(m_rxBuf, m_rxBuf + stop, keep);
    m_carryLen = keep;
}

uint pc_connectui::deliver(uint from, uint total)
{
    const uchar *data = m_rxBuf + from;
    const uint len = total - from;
    if (m_page)
        return (m_pageShown || m_pageIsSelfTest) ? from + m_page->Slots_recv_data(data, len) : total;

    uint stop = findPackedFrames(data, len, m_replyBuf, sizeof m_replyBuf,
                                 [this](const uchar *frame, uint frameLen) {
                                     handleDeviceInfo(frame, frameLen);
                                 });
    // A page that this data created receives the data too, its reply included.
    if (m_page)
        stop = m_page->Slots_recv_data(data, len);
    return from + stop;
}

void pc_connectui::handleDeviceInfo(const uchar *frame, uint len)
{
    DeviceInfoReply reply;
    if (m_page || !parseDeviceInfoReply(frame, len, &reply))
        return;

    g_downloadLink = reply.downloadLink;
    g_downloadFolder = reply.downloadLink + QLatin1Char('/');
    g_deviceId = reply.deviceId;
    g_firmwareVersion = reply.firmwareVersion;
    qDebug() << "16字节的下载链接:" << g_downloadLink;
    qDebug() << "版本号        :" << g_firmwareVersion;
    qDebug() << "设备号        :" << g_deviceId;

    if (QGuiApplication::keyboardModifiers() & Qt::AltModifier)
        m_factoryMode = 1;

    const PageChoice choice = choosePage(g_deviceId, g_firmwareVersion, m_openedPair.outName, m_factoryMode);
    g_deviceId = choice.deviceId;
    if (choice.pedalFolder)
        g_downloadFolder = QStringLiteral("Z3/");
    if (choice.kind == PageKind::UpgradeOnly)
        qDebug() << "下载文件夹:" << g_downloadFolder;

    m_page = createPage(choice, this);
    m_hasPage = !m_page.isNull();
    m_pageClosesWindow = choice.kind == PageKind::UpgradeOnly || choice.isSelfTest();
    m_pageIsSelfTest = m_page && choice.isSelfTest();
    if (m_pageIsSelfTest) {
        m_factoryLinked = 1;
        m_factoryDeviceId = g_deviceId;
        if (auto *test = qobject_cast<SelfTestPage *>(m_page.data()))
            connect(test, &SelfTestPage::signal_unit_silent, this, &pc_connectui::relinkSelfTestUnit);
    }
    if (choice.kind == PageKind::Unknown) {
        // Shown once this tick is over, so that its event loop does not run
        // inside the tick.
        QTimer::singleShot(0, this, [] { messageBoxPrintf("Unknown Device!"); });
    }
    sendPoll();
    showPage();
}

// ---- the port scan and the picture grid ------------------------------------

void pc_connectui::scanDevices()
{
    // The listing clients come with the first scan, once the window is on
    // screen: a MIDI client can take a good part of a start (on JACK several
    // tens of milliseconds each).
    if (!m_lister)
        m_lister = std::make_unique<MidiPortLister>();
    // Without a MIDI service, or once it has gone (a JACK server that
    // stopped), the lister asks for one, quietly, until it comes; the hint
    // says why meanwhile.
    const bool pairGone = releaseGoneService() || m_midi.pairLost();
    QString serviceError;
    if (!m_lister->retry()) {
        serviceError = m_lister->lastError();
        if (serviceError.isEmpty())
            serviceError = QStringLiteral("the MIDI service cannot be reached");
    }
    if (serviceError != m_midiServiceError) {
        m_midiServiceError = serviceError;
        showMidiServiceHint();
    }
    QList<QByteArray> inputKeys;
    QList<QByteArray> outputKeys;
    const QStringList inputs = m_lister->inputPortNames(&inputKeys);
    const QStringList outputs = m_lister->outputPortNames(&outputKeys);
    m_scan = matchPorts(g_deviceList, inputs, outputs, inputKeys, outputKeys);
    if (m_scan.count > 0) {
        m_portName = m_scan.lastOutName;
        ui->label_2->hide();
        ui->label_Disconnect->hide();
    }

    if (m_removalPending && m_page && !pageInModalLoop()) {
        m_pageShown = 0;
        if (isHidden())
            show();
        finishPage();
    }

    bool anyPresent = false;
    for (uint id = 1; id <= 9; ++id) {
        const bool found = m_scan.isPresent(id);
        // A pair whose service went is gone with it, even when a new service
        // (a server started again) lists the device already, and so is one
        // whose device's ports went and came back since the last scan (a
        // cable wiggle, a unit that reset itself): the page's link is dead,
        // and the device is connected again as after an unplug.
        if ((!found || pairGone) && g_deviceId == id)
            deviceGone();
        if (found && m_factoryMode && m_factoryDeviceId == id && !m_factoryLinked && m_page && m_pageIsSelfTest)
            relinkSelfTestDevice(id);
        anyPresent = anyPresent || found;
        updateDevicePicture(uchar(id), found);
    }

    if (!anyPresent) {
        ui->label_2->show();
        ui->label_Disconnect->show();
    }
}

// Lets go of every client of a MIDI service that has gone (a JACK server that
// stopped), the device's pair and the listing clients alike: on JACK no
// client is had on the service as it is now while one of the old one is
// open. True when the open pair was among them.
bool pc_connectui::releaseGoneService()
{
    if (m_lister)
        m_lister->releaseGoneService();
    return m_midi.releaseGoneService();
}

// The self-test device is back, or it fell silent: the pair the test had
// open is taken again when it is listed, so that the unit in the operator's
// hands stays the one under test; only without it another unit of the model.
void pc_connectui::relinkSelfTestDevice(uint id)
{
    const int same = m_scan.indexOf(id, m_openedPair);
    for (int k = 0; k < m_scan.count && !m_factoryLinked; ++k) {
        if (m_scan.matches[k].deviceId != id || (same >= 0 && k != same) || !openMatch(k))
            continue;
        m_carryLen = 0;
        Slots_send_data(g_fixedFrameTestStart.bytes, g_fixedFrameTestStart.length);
        m_factoryLinked = 1;
        m_pageShown = 1;
        if (auto *test = qobject_cast<SelfTestPage *>(m_page.data()))
            test->unit_relinked();
    }
}

void pc_connectui::showMidiServiceHint()
{
    ui->label_2->setWordWrap(!m_midiServiceError.isEmpty());
    ui->label_2->setText(m_midiServiceError.isEmpty()
                             ? tr("connect the device to the computer using USB cable")
                             : tr("No MIDI service was found (%1). The editor will connect as soon as one starts.")
                                   .arg(m_midiServiceError));
}

void setDevicePicture(QLabel *label, uchar id)
{
    const QString path = QStringLiteral("%1/DevicePicture/DeviceID_%2.png")
                             .arg(QCoreApplication::applicationDirPath())
                             .arg(id);
    QPixmap pixmap;
    if (!pixmap.load(path)) {
        qWarning() << "Failed to load image:" << path;
        pixmap = QPixmap(300, 150);
        pixmap.fill(Qt::black);
    }
    label->setPixmap(pixmap.scaled(300, 150, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    label->setAlignment(Qt::AlignCenter);
    label->setCursor(Qt::PointingHandCursor);
}

namespace {

QLabel *newPictureLabel(uchar id, QObject *filter)
{
    auto *label = new QLabel;
    label->setProperty("deviceID", uint(id));
    label->installEventFilter(filter);
    setDevicePicture(label, id);
    return label;
}

} // namespace

void pc_connectui::updateDevicePicture(uchar id, bool present)
{
    auto *grid = findChild<QGridLayout *>(QStringLiteral("gridLayout_show"));
    if (!grid)
        return;
    for (int k = 0; k < grid->count(); ++k) {
        auto *label = qobject_cast<QLabel *>(grid->itemAt(k)->widget());
        if (!label || uchar(label->property("deviceID").toUInt()) != id)
            continue;
        if (present)
            return;
        rebuildDeviceGrid(grid, label);
        grid->update();
        return;
    }
    if (!present)
        return;
    const int n = grid->count();
    grid->addWidget(newPictureLabel(id, this), gridRow(n), gridColumn(n));
}

void pc_connectui::rebuildDeviceGrid(QGridLayout *grid, QLabel *removed)
{
    QVector<uchar> ids;
    for (int k = 0; k < grid->count(); ++k) {
        auto *label = qobject_cast<QLabel *>(grid->itemAt(k)->widget());
        if (label && label != removed)
            ids.append(uchar(label->property("deviceID").toUInt()));
    }
    removed->deleteLater();
    // The old labels go: the grid is laid out again with new ones.
    while (QLayoutItem *item = grid->takeAt(0)) {
        if (QWidget *w = item->widget()) {
            if (w != removed) {
                w->hide();
                w->deleteLater();
            }
        }
        delete item;
    }
    std::sort(ids.begin(), ids.end());
    for (int k = 0; k < ids.size(); ++k)
        grid->addWidget(newPictureLabel(ids[k], this), gridRow(k), gridColumn(k));
    ui->label_Disconnect->setVisible(ids.isEmpty());
    grid->update();
    if (QWidget *w = grid->parentWidget())
        w->updateGeometry();
}

void pc_connectui::clearLayout(QLayout *layout)
{
    if (!layout)
        return;
    for (int k = layout->count() - 1; k >= 0; --k) {
        QLayoutItem *item = layout->takeAt(k);
        if (QWidget *w = item->widget())
            w->deleteLater();
        delete item;
    }
}

// ---- the click -------------------------------------------------------------

bool pc_connectui::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLabel *>(watched)
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        return clickPicture(uchar(watched->property("deviceID").toUInt()));
    }
    return CBaseDlg::eventFilter(watched, event);
}

bool pc_connectui::clickPicture(uchar id)
{
    if (m_page)
        return true;
    // The Fix Mode dialog is not modal, but a page opened beside it would
    // receive its switch into upgrade mode, and closing the dialog ends the
    // run under the page: it is finished first.
    if (m_upgrade && m_upgrade->isVisible()) {
        m_upgrade->raise();
        m_upgrade->activateWindow();
        return true;
    }
    // A service that went and came back since the last scan: its clients go
    // before the pair is opened on the new one.
    releaseGoneService();
    bool opened = false;
    for (int k = kMaxPortMatches - 1; k >= 0; --k) {
        if (m_scan.matches[k].deviceId != id)
            continue;
        if (openMatch(k)) {
            opened = true;
            break;
        }
        qDebug() << "Connect Err----" << QString::fromStdString(m_midi.lastError());
    }
    if (!opened) {
        showInformation(tr("Warning"), tr("MIDI port is occupied !"));
        return true;
    }
    qDebug() << "Connect Succ----";
    m_deviceGone = false;
    m_carryLen = 0;
    sendHostHello();
    sendDeviceInfoRequest();
    return true;
}

// ---- language --------------------------------------------------------------

void pc_connectui::connectLanguageBox()
{
    connect(ui->comboBox_Language, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int language) {
        changeLanguage(language);
        // The user's choice is for the next starts too: when it cannot be
        // stored, that is told (in the language just chosen), once.
        if (!storeSettings(*m_settings))
            QTimer::singleShot(0, this, [] { tellSettingsNotStored(); });
    });
}

void pc_connectui::changeLanguage(int language)
{
    g_language = language;
    m_settings->setValue(QStringLiteral("Language"), g_language);
    loadInterfaceCatalogue();
    ui->retranslateUi(this);
    setWindowTitle(QStringLiteral("TaSuite-V5"));
    showMidiServiceHint();
    retranslateMenu();
    // Only 1 is Chinese; any other value shows English without being stored
    // again through the combo box.
    const int index = languageComboIndex(g_language);
    if (ui->comboBox_Language->currentIndex() != index) {
        const QSignalBlocker blocker(ui->comboBox_Language);
        ui->comboBox_Language->setCurrentIndex(index);
    }
    loadQtBaseTranslator();
}
