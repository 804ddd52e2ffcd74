#include "cupgrade.h"
#include "ui_cupgrade.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QCloseEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLibrary>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QTranslator>
#include <QUrl>

#include "autodisappermsgbox.h"
#include "dialogs.h"
#include "download.h"
#include "globals.h"
#include "rawini.h"
#include "savefile.h"
#include "serverlocation.h"
#include "settingsstore.h"
#include "utils.h"

cUpgrade *g_upgradeInstance = nullptr;

namespace {

constexpr int kIdBufferSize = 28;
constexpr int kChipNameSize = 16;
constexpr int kDescSize = 28;
constexpr char kFirstDrive = 'C';
constexpr char kLastDrive = 'Y';
constexpr unsigned long kDrivePauseMs = 300;
// A notice that says what to do stays long enough to be read.
constexpr int kLongNoticeMs = 5000;

const char kKeyUpgradeResult[] = "UpgradeResult";
const char kKeyIniUrl[] = "IniUrl";
const char kKeyUfwUrl[] = "UfwUrl";
const char kKeyDevPid[] = "Dev_PID";
const char kKeyDevVid[] = "Dev_VID";

// A library text of at most size - 1 characters, whatever the library left
// in the last byte.
QByteArray terminated(const char *buffer, int size)
{
    return QByteArray(buffer, int(qstrnlen(buffer, uint(size - 1))));
}

} // namespace

cUpgrade::cUpgrade(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent),
      m_settings(new QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"))),
      ui(new Ui_cUpgrade)
{
    ui->setupUi(this);
    init_window();
    connect_signals();
    Slots_change_language();
    g_upgradeInstance = this;
}

cUpgrade::~cUpgrade()
{
    if (g_upgradeInstance == this)
        g_upgradeInstance = nullptr;
    if (m_download)
        m_download->abort();
    ui->listWidget->clear();
    ui->progressBar->reset();
    delete ui;
    delete m_settings;
    delete m_library; // the library stays loaded: the process may still call into it
}

void cUpgrade::init_window()
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->progressBar->setAlignment(Qt::AlignCenter);
    ui->progressBar->setValue(0);
    ui->pushButton_offline->hide();
}

void cUpgrade::connect_signals()
{
    connect(ui->pushButton_upgrade, &QPushButton::clicked, this, &cUpgrade::click_upgrade);
    connect(ui->pushButton_offline, &QPushButton::clicked, this, &cUpgrade::click_offline_upgrade);
}

void cUpgrade::load_translator()
{
    loadInterfaceCatalogue();
}

void cUpgrade::Slots_change_language()
{
    load_translator();
    ui->retranslateUi(this);
}

QString cUpgrade::library_path()
{
    const QString overridePath = qEnvironmentVariable("TAVRO_UPGRADE_LIB");
    if (!overridePath.isEmpty())
        return overridePath;
#if defined(Q_OS_WIN)
    // By absolute path: a bare name would follow the DLL search order.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/jl_firmware_upgrade_x86.dll");
#elif defined(Q_OS_MACOS)
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libjl_firmware_upgrade_x86.dylib");
#else
    // The loader does not search the executable's folder here.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libjl_firmware_upgrade_x86.so");
#endif
}

QString cUpgrade::folder_of_url(const QString &url)
{
    const QString base = serverBaseUrl();
    if (url.startsWith(base)) {
        const QString rest = url.mid(base.size());
        return rest.left(rest.lastIndexOf(QLatin1Char('/')) + 1);
    }
    const QString path = QUrl(url).path();
    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')));
    const QString last = folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1);
    return last.isEmpty() ? QString() : last + QLatin1Char('/');
}

QString cUpgrade::upgrade_folder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/FirmwareUpgrade");
}

QString cUpgrade::index_path()
{
    return upgrade_folder() + QStringLiteral("/firmware.ini");
}

QString cUpgrade::image_path()
{
    return upgrade_folder() + QStringLiteral("/FirmwareUpgrade.ufw");
}

void cUpgrade::unload_library()
{
    m_loadUfwData = nullptr;
    m_getUfwDataCrc = nullptr;
    m_getUfwCrc = nullptr;
    m_getUfwPidVid = nullptr;
    m_upgradeDevice = nullptr;
    m_queryDevicePidVid = nullptr;
    m_upgradeDeviceByPath = nullptr;
    m_queryDevicePidVidByPath = nullptr;
    m_clearPcModeName = nullptr;
    m_setPcModeWaitTime = nullptr;
    m_addPcModeName = nullptr;
    m_queryDeviceDesc = nullptr;
    m_queryDeviceDescByPath = nullptr;
    m_getChipDeviceName = nullptr;
    delete m_library;
    m_library = nullptr;
}

bool cUpgrade::init()
{
    // The dialog may have been built under another language (the window's
    // own dialog for Fix Mode is built at start-up): its texts follow the
    // language of this run.
    Slots_change_language();
    // The run under way keeps the library it loaded its image into.
    if (m_running && m_library)
        return true;
    unload_library();

    m_library = new QLibrary(library_path());
    if (!m_library->load()) {
        qDebug() << "Failed load lib" << m_library->errorString();
        delete m_library;
        m_library = nullptr;
        return false;
    }

    bool complete = true;
    auto resolve = [this, &complete](auto &pointer, const char *name) {
        pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(m_library->resolve(name));
        if (!pointer)
            complete = false;
    };
    resolve(m_loadUfwData, "JL_loadUfwData");
    resolve(m_getUfwDataCrc, "JL_getUfwDataCrc");
    resolve(m_getUfwCrc, "JL_getUfwCrc");
    resolve(m_getUfwPidVid, "JL_getUfwPidVid");
    resolve(m_upgradeDevice, "JL_upgradeDevice");
    resolve(m_queryDevicePidVid, "JL_queryDevicePidVid");
    resolve(m_upgradeDeviceByPath, "JL_upgradeDeviceByPath");
    resolve(m_queryDevicePidVidByPath, "JL_queryDevicePidVidByPath");
    resolve(m_clearPcModeName, "JL_clearPcModeName");
    resolve(m_setPcModeWaitTime, "JL_setPcModeWaitTime");
    resolve(m_addPcModeName, "JL_addPcModeName");
    resolve(m_queryDeviceDesc, "JL_queryDeviceDesc");
    resolve(m_queryDeviceDescByPath, "JL_queryDeviceDescByPath");
    resolve(m_getChipDeviceName, "JL_getChipDeviceName");

    if (!complete) {
        qDebug() << "Failed to resolve" << m_library->errorString();
        m_library->unload();
        unload_library();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- downloads

void cUpgrade::download(const QString &url, const QString &localPath)
{
    if (!isVisible())
        show();
    if (m_running) {
        raise();
        activateWindow();
        return;
    }
    fetch(url, localPath, DownloadKind::Index);
}

void cUpgrade::fetch(const QString &url, const QString &localPath, DownloadKind kind)
{
    // A new fetch replaces one still in flight (an index asked for again).
    if (m_download)
        m_download->abort();
    delete_folder(upgrade_folder());

    // What a fetch is for is carried from here to its end, never read back
    // from the characters of a path or location: the editor's own folder may
    // hold ".ini" or ".ufw" (a profile "maria.iniesta", a folder "Tools.ini").
    const bool isImage = kind == DownloadKind::FirmwareImage;
    if (!isImage) {
        m_iniUrl = url;
        // The rows of an earlier check are not this check's answer: a check
        // that fails or finds no key must not leave them listed.
        ui->listWidget->clear();
    }

    const QUrl target(url, QUrl::TolerantMode);
    if (!target.isValid() || target.scheme().isEmpty()) {
        qDebug() << (target.isValid() ? "Invalid URL:" : "无效的URL:") << url;
        show_download_failed();
        if (isImage)
            end_run();
        return;
    }
    if (!networkAccessible()) {
        qDebug() << "Network not accessible:" << url;
        show_download_failed();
        if (isImage)
            end_run();
        return;
    }

    QDir().mkpath(QFileInfo(localPath).absolutePath());
    Download *download = Download::get(target, kind, this);
    m_download = download;
    if (isImage) {
        connect(download, &Download::progress, this, [this](qint64 received, qint64 total) {
            if (total > 0)
                set_progress(uchar(qBound<qint64>(0, (received * 100) / total, 100)), PROGRESS_DOWNLOAD);
        });
    }
    connect(download, &Download::finished, this,
            [this, download, localPath, kind](bool ok) { on_fetched(download, localPath, kind, ok); });
}

void cUpgrade::on_fetched(Download *download, const QString &localPath, DownloadKind kind, bool ok)
{
    m_download = nullptr;
    const bool isImage = kind == DownloadKind::FirmwareImage;
    if (!ok) {
        qDebug() << "Download failed:" << download->url() << download->errorText();
        show_download_failed();
        if (isImage)
            end_run();
        return;
    }
    // Unbuffered with every write checked: a disk that fills part way is a
    // failed download, never a cut index or image taken as whole.
    const QByteArray body = download->body();
    if (!saveWholeFile(localPath, body.constData(), body.size())) {
        qDebug() << "Failed to write file:" << localPath;
        show_download_failed();
        if (isImage)
            end_run();
        return;
    }

    if (isImage) {
        run_image(localPath);
        return;
    }
    // A resumed upgrade takes the folder of the stored index: this run
    // may have had no device reply, or one from another model.
    const QString folder = !m_resumeFolder.isEmpty() ? m_resumeFolder
                           : g_downloadFolder.isEmpty() ? folder_of_url(m_iniUrl)
                                                        : g_downloadFolder;
    load_firmware_list(localPath, folder);
}

void cUpgrade::show_download_failed()
{
    clear_progress();
    show_notice(tr("Download failed!"));
}

// A run that ends in failure leaves no percentage beside its notice: a cut
// download's or a failed flash's last value would read as progress made.
void cUpgrade::clear_progress()
{
    ui->progressBar->reset();
}

void cUpgrade::show_notice(const QString &text, int nMs)
{
    AutoDisapperMsgBox::showMessage(this, text, nMs);
}

void cUpgrade::load_firmware_list(const QString &iniPath, const QString &folder)
{
    const RawIni index(iniPath);
    const QString files = QStringLiteral("files");
    ui->listWidget->clear();
    // An index that offers no image (no key at all, or keys in other groups
    // only) leaves nothing to upgrade to.
    if (index.keys(files).isEmpty()) {
        AutoDisapperMsgBox::showMessage(this, tr("It is already the latest version!"), 900);
        return;
    }
    m_folder = folder;
    for (const QString &key : index.keys(files))
        ui->listWidget->addItem(index.value(files, key));
    if (ui->listWidget->count() == 1)
        ui->listWidget->setCurrentRow(0);
}

void cUpgrade::click_upgrade()
{
    if (m_running)
        return;
    const QList<QListWidgetItem *> selected = ui->listWidget->selectedItems();
    if (selected.isEmpty())
        return;
    // The name is taken now: the list may be refilled while the question is open.
    const QString name = selected.first()->text();
    showStyledQuestion(this, tr("firmware upgrade"), tr("Download and update?"), [this, name](int answer) {
        // One run at a time, also with two questions answered one after the other.
        if (answer != ANSWER_YES || m_running)
            return;
        const int version = get_ufw_version(name);
        if (int(g_firmwareVersion) < version) {
            download_ufw(name);
        } else {
            qDebug() << "current version:" << g_firmwareVersion << "---------- ufw version:" << name;
            AutoDisapperMsgBox::showMessage(this, tr("It is already the latest version!"), 1200);
        }
    });
}

int cUpgrade::get_ufw_version(const QString &name)
{
    const QString baseName = QFileInfo(name).completeBaseName();
    static const QRegularExpression pattern(QStringLiteral("V(\\d+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(baseName);
    if (match.hasMatch()) {
        bool ok = false;
        const int version = match.captured(1).toInt(&ok, 10);
        if (ok && version >= 0) {
            qDebug() << "Successfully parsed UFW file version:" << version;
            return version;
        }
    }
    qDebug() << "UFW file version format error: No V+number pattern found in" << baseName;
    return 0;
}

void cUpgrade::download_ufw(const QString &name)
{
    if (m_running)
        return;
    const int lastResult = m_settings->value(QLatin1String(kKeyUpgradeResult), 1).toInt();
    const QString storedUrl = m_settings->value(QLatin1String(kKeyUfwUrl)).toString();
    QString url = QStringLiteral("%1%2%3%4").arg(serverBaseUrl(), m_folder, name, QStringLiteral(".ufw"));
    if (lastResult == 0 && !storedUrl.isEmpty()) {
        // The image of the failed upgrade, but only for a device of its own
        // model: flashing another model's image would strand the device.
        if (folder_of_url(storedUrl) != m_folder) {
            qDebug() << "Stored image" << storedUrl << "is not for folder" << m_folder;
            show_notice(tr("An interrupted upgrade of another device must be finished first. Connect that device, "
                           "start the editor again and choose Fix Mode in the menu of the connection window."),
                        kLongNoticeMs);
            return;
        }
        url = storedUrl;
    }
    m_ufwUrl = url;
    begin_run(false);
    fetch(m_ufwUrl, image_path(), DownloadKind::FirmwareImage);
}

void cUpgrade::set_progress(uchar value, int kind)
{
    ui->progressBar->setValue(value);
    ui->progressBar->setFormat(kind == PROGRESS_DOWNLOAD ? tr("Download progress: %p%")
                                                         : tr("Update progress: %p%"));
    // The upgrade call blocks the event loop: paint the bar now.
    if (kind == PROGRESS_UPGRADE && ui->progressBar->isVisible())
        ui->progressBar->repaint();
}

bool cUpgrade::delete_folder(const QString &path)
{
    const QFileInfo top(path);
    if (top.isSymLink()) {
        // A link to a folder is removed as a link; what it points to stays.
        return QFile::remove(path) || QDir().rmdir(path);
    }
    QDir dir(path);
    if (!dir.exists()) {
        qDebug() << "文件不存在" << path;
        return false;
    }
    const QFileInfoList entries = dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::Drives | QDir::Hidden
                                                    | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString entryPath = entry.absoluteFilePath();
        if (entry.isSymLink()) {
            if (!QFile::remove(entryPath) && !QDir().rmdir(entryPath)) {
                qDebug() << "Failed to delete file:" << entryPath;
                return false;
            }
        } else if (entry.isDir()) {
            if (!delete_folder(entryPath)) {
                qDebug() << "delete folder err";
                return false;
            }
        } else {
            QFile file(entryPath);
            if (!file.remove()) {
                qDebug() << "Failed to delete file:" << entryPath << "Error:" << file.errorString();
                return false;
            }
        }
    }
    if (!QDir().rmdir(dir.absolutePath())) {
        qDebug() << "delete folder err";
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- upgrade run

void cUpgrade::run_image(const QString &path)
{
    // The image is checked before the device leaves MIDI: a bad image must
    // never strand it in upgrade mode.
    m_ufwPid.clear();
    m_ufwVid.clear();
    get_UFW_Pid_Vid(path);
    if (m_ufwPid.isEmpty() || m_ufwVid.isEmpty()) {
        qDebug() << "Downloaded image rejected:" << path;
        clear_progress();
        show_notice(tr("The downloaded firmware file is damaged."));
        end_run();
        return;
    }
    switch_and_flash();
}

void cUpgrade::switch_and_flash()
{
    const QPointer<cUpgrade> self(this);
    m_switched = true;
    Slots_send_data(g_fixedFrameEnterUpgrade.bytes, g_fixedFrameEnterUpgrade.length);
    if (self)
        get_device_disk();
    if (self)
        end_run();
}

void cUpgrade::begin_run(bool offline)
{
    m_running = true;
    m_offline = offline;
    m_switched = false;
    update_buttons();
}

void cUpgrade::end_run()
{
    m_running = false;
    m_offline = false;
    m_switched = false;
    update_buttons();
}

void cUpgrade::cancel()
{
    if (m_download)
        m_download->abort();
    m_download = nullptr;
    if (m_running) {
        qDebug() << "Upgrade cancelled before the device was switched";
        ui->progressBar->setValue(0);
    }
    end_run();
}

void cUpgrade::update_buttons()
{
    ui->pushButton_upgrade->setEnabled(!m_running);
    ui->pushButton_offline->setEnabled(!m_running);
}

void cUpgrade::get_UFW_Pid_Vid(const QString &path)
{
    try {
        if (!m_loadUfwData || !m_getUfwCrc || !m_getUfwPidVid)
            return;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            qDebug() << "Failed  open file";
            return;
        }
        const qint64 size = file.size();
        QByteArray data = file.read(size);
        file.close();
        if (data.size() != size)
            return;
        const int loaded = m_loadUfwData(reinterpret_cast<const unsigned char *>(data.constData()),
                                         static_cast<unsigned int>(data.size()));
        data = QByteArray();
        if (loaded != 0)
            return;

        unsigned short crc16 = 0;
        unsigned int crc32 = 0;
        if (m_getUfwCrc(&crc16, &crc32) != 0) {
            qDebug() << "Invalid file";
            return;
        }
        char pid[kIdBufferSize] = {};
        char vid[kIdBufferSize] = {};
        if (m_getUfwPidVid(pid, kIdBufferSize, vid, kIdBufferSize) != 0) {
            qDebug() << "Invalid file";
            return;
        }
        m_ufwPid = QString::fromLocal8Bit(terminated(pid, kIdBufferSize));
        m_ufwVid = QString::fromLocal8Bit(terminated(vid, kIdBufferSize));
        qDebug() << "UFW File : PID -- VID" << m_ufwPid << m_ufwVid;
    } catch (...) {
        writeLog(QStringLiteral("Exception occurred in get_UFW_Pid_Vid"));
    }
}

char cUpgrade::search_drives()
{
    if (!m_getChipDeviceName || !m_queryDeviceDesc)
        return 0;
    char name[kChipNameSize] = {};
    m_getChipDeviceName(name, kChipNameSize);
    const QString chip = QString::fromLatin1(terminated(name, kChipNameSize));
    qDebug() << "Chip device name:" << chip;
    // Without a chip name every answering disk would match.
    if (chip.isEmpty())
        return 0;

    for (char letter = kFirstDrive; letter <= kLastDrive; ++letter) {
        char desc[kDescSize] = {};
        const int result = m_queryDeviceDesc(letter, desc, kDescSize);
        QThread::msleep(kDrivePauseMs);
        qDebug() << "Device found disk :" << letter << result;
        if (result == 0 && QString::fromLatin1(terminated(desc, kDescSize)).contains(chip)) {
            qDebug() << "Device found disk :" << letter;
            return letter;
        }
    }
    return 0;
}

void cUpgrade::get_device_disk()
{
    try {
        const char letter = search_drives();
        if (letter) {
            m_driveLetter = letter;
            start_upgrade_by_ID();
            return;
        }
        // The device left MIDI but is not seen in upgrade mode: keep what is
        // needed to resume at the next start, and say so.
        qDebug() << "Device not found in upgrade mode";
        m_devPid.clear();
        m_devVid.clear();
        const bool stored = store_failure(m_offline ? QString() : m_ufwUrl);
        show_failure(tr("Please restart the software to update"), stored);
    } catch (...) {
        writeLog(QStringLiteral("Exception occurred in get_device_disk"));
    }
}

void cUpgrade::start_upgrade_by_ID()
{
    try {
        if (!m_queryDevicePidVid || !m_upgradeDevice)
            return;
        char pid[kIdBufferSize] = {};
        char vid[kIdBufferSize] = {};
        // The device has left MIDI: whatever goes wrong from here on is
        // told and stored, so that the next start offers Fix Mode.
        const QPointer<cUpgrade> self(this);
        if (m_queryDevicePidVid(m_driveLetter, pid, kIdBufferSize, vid, kIdBufferSize) != 0) {
            m_devPid.clear();
            m_devVid.clear();
            writeLog(QStringLiteral("device PID VID get error "));
            const bool stored = store_failure(m_offline ? QString() : m_ufwUrl);
            show_failure(tr("The device in upgrade mode does not answer. Please restart the software to update."), stored);
            if (self)
                Slots_back_to_connect();
            return;
        }
        m_devPid = QString::fromLocal8Bit(terminated(pid, kIdBufferSize));
        m_devVid = QString::fromLocal8Bit(terminated(vid, kIdBufferSize));
        qDebug() << "硬件产品 PID VID ：" << m_devPid << m_devVid;

        if (m_devPid.isEmpty() || m_devPid != m_ufwPid) {
            writeLog(QStringLiteral("device PID %1 does not match the image's %2").arg(m_devPid, m_ufwPid));
            // This image cannot be resumed: the next try takes the row the user chooses.
            const bool stored = store_failure(QString());
            show_failure(tr("The firmware does not match the device in upgrade mode. Please restart the software to update."), stored);
            if (self)
                Slots_back_to_connect();
            return;
        }

        const int result = m_upgradeDevice(m_driveLetter, m_upgradeArg1, m_upgradeArg2,
                                           &cUpgrade::upgrade_progress_callback);
        if (result == 0) {
            // Success is the library's answer, not the last progress value.
            m_settings->setValue(QLatin1String(kKeyUpgradeResult), 1);
            storeSettings(*m_settings);
            end_run();
            Slots_back_to_connect();
            if (self)
                close();
            return;
        }
        qDebug() << "m_upgradeDevice err" << result;
        writeLog(QStringLiteral("m_upgradeDevice err %1").arg(result));
        const bool stored = store_failure(m_offline ? QString() : m_ufwUrl);
        show_failure(tr("Please restart the software to update"), stored);
    } catch (...) {
        writeLog(QStringLiteral("Exception occurred in start_upgrade_by_ID"));
    }
}

QString cUpgrade::resumable_index_url() const
{
    if (!m_iniUrl.isEmpty())
        return m_iniUrl;
    if (!g_downloadFolder.isEmpty())
        return serverBaseUrl() + g_downloadFolder + QStringLiteral("firmware.ini");
    return QString();
}

bool cUpgrade::store_failure(const QString &imageUrl)
{
    // An empty image location lets the resumed upgrade take the row the user
    // chooses (an offline image has no location to fetch again).
    m_settings->setValue(QLatin1String(kKeyUpgradeResult), 0);
    m_settings->setValue(QLatin1String(kKeyIniUrl), resumable_index_url());
    m_settings->setValue(QLatin1String(kKeyUfwUrl), imageUrl);
    m_settings->setValue(QLatin1String(kKeyDevPid), m_devPid);
    m_settings->setValue(QLatin1String(kKeyDevVid), m_devVid);
    return storeSettings(*m_settings);
}

void cUpgrade::show_failure(const QString &text, bool stored)
{
    clear_progress();
    // Without the record the next start offers no Fix Mode: the user must
    // know that a restart will not resume the upgrade, and is not told to
    // restart for it.
    const QString told = stored ? text
                                : tr("The failure could not be recorded (the settings file cannot be written), "
                                     "so a restart will not resume the upgrade.");
    showInformation(tr("Firmware Upgrade Err"), told);
}

void cUpgrade::upgrade_progress_callback(uchar percent)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    auto apply = [percent]() {
        if (g_upgradeInstance)
            g_upgradeInstance->set_progress(percent, PROGRESS_UPGRADE);
    };
    if (QThread::currentThread() == app->thread())
        apply();
    else
        QMetaObject::invokeMethod(app, apply, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- resumption and offline

bool cUpgrade::find_device_disk()
{
    return search_drives() != 0;
}

void cUpgrade::resume_upgrade()
{
    qDebug() << "enter upgrade again";
    const QString iniUrl = m_settings->value(QLatin1String(kKeyIniUrl)).toString();
    m_resumeFolder = folder_of_url(iniUrl);
    download(iniUrl, index_path());
}

void cUpgrade::click_offline_upgrade()
{
    if (m_running)
        return;
    static QString startFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);

    const QString file = QFileDialog::getOpenFileName(this, tr("Select Firmware File"), startFolder,
                                                      tr("Firmware Files (*.ufw);"));
    if (file.isEmpty()) {
        qDebug() << "User cancelled offline upgrade file selection.";
        return;
    }
    const QFileInfo info(file);
    startFolder = info.absolutePath();
    if (info.suffix().toLower() != QLatin1String("ufw")) {
        show_notice(tr("Please choose a firmware file (*.ufw)."));
        return;
    }
    if (!info.exists() || !info.isReadable()) {
        show_notice(tr("The firmware file cannot be read."));
        return;
    }
    if (m_running)
        return;

    m_ufwPid.clear();
    m_ufwVid.clear();
    get_UFW_Pid_Vid(info.absoluteFilePath());
    if (m_ufwPid.isEmpty() || m_ufwVid.isEmpty()) {
        show_notice(tr("The file is not a valid firmware file."));
        return;
    }
    begin_run(true);
    switch_and_flash();
}

void cUpgrade::done(int result)
{
    if (m_switched)
        return;
    CBaseDlg::done(result);
}

void cUpgrade::closeEvent(QCloseEvent *event)
{
    if (m_switched) {
        event->ignore();
        return;
    }
    CBaseDlg::closeEvent(event);
}

void cUpgrade::hideEvent(QHideEvent *event)
{
    // A minimised window hides spontaneously; only a real hide or close cancels.
    if (!event->spontaneous() && !m_switched && (m_running || m_download))
        cancel();
    CBaseDlg::hideEvent(event);
}

void cUpgrade::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Alt) {
        ui->pushButton_offline->setVisible(true);
        event->accept();
        return;
    }
    CBaseDlg::keyPressEvent(event);
}
