#include "cdlgpreset.h"
#include "ui_cdlgpreset.h"

#include <QBrush>
#include <QColor>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include "autodisappermsgbox.h"
#include "dialogs.h"
#include "download.h"
#include "rawini.h"
#include "savefile.h"
#include "serverlocation.h"

namespace {

const char *const kModelConfigResource = ":/new/iniFile/ConfigData/Config.ini";

QString modelGroup(int nDeviceId)
{
    switch (nDeviceId) {
    case 1:
        return QStringLiteral("Z3");
    case 7:
        return QStringLiteral("RZ-7");
    case 8:
        return QStringLiteral("RZ-Nano");
    case 9:
        return QStringLiteral("VX-18");
    default:
        return QString();
    }
}

} // namespace

bool isLocalPresetRow(const QString &strText, const QString &strSuffix)
{
    if (!strText.contains(strSuffix))
        return false;
    if (strText.isEmpty() || strText.contains(QLatin1Char('/')) || strText.contains(QLatin1Char('\\'))
        || strText.contains(QLatin1String("..")) || strText.contains(QLatin1Char(':'))
        || QDir::isAbsolutePath(strText))
        return false;
    return true;
}

QUrl tutorialUrl(const QString &strLink)
{
    static const QRegularExpression schemePrefix(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    QString text = strLink.trimmed();
    if (text.isEmpty())
        return QUrl();
    if (!schemePrefix.match(text).hasMatch())
        text.prepend(QStringLiteral("https://"));
    const QUrl url(text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return QUrl();
    return url;
}

CDlgPreset::CDlgPreset(int nDeviceId, bool bHideVideoRow, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgPreset)
    , m_deviceId(nDeviceId)
    , m_hideVideoRow(bHideVideoRow)
{
    ui->setupUi(this);
    // Return in the list opens no tutorial and downloads nothing.
    clearDefaultButtons(this);
    init();
    init_connect();
    read_model_config();
}

CDlgPreset::~CDlgPreset()
{
    // Downloads still in flight are abandoned: nothing written, listed or announced.
    const auto downloads = findChildren<Download *>();
    for (Download *download : downloads)
        download->abort();
    delete ui;
}

QString CDlgPreset::downloadedPresetPath() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/LoadPreset/preset")
           + m_suffix;
}

void CDlgPreset::init()
{
    ui->listWidget->setFont(QFont(QStringLiteral("Arial"), 20));
    setWindowTitle(tr("Load Preset"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    if (m_hideVideoRow) {
        ui->label_DAW->hide();
        ui->pushButton_video->hide();
    }
    ui->pushButton_video->setCursor(Qt::PointingHandCursor);
    ui->pushButton_delete->hide();
    ui->listWidget->clear();
    m_chineseSystem = QLocale::system().language() == QLocale::Chinese;
}

void CDlgPreset::init_connect()
{
    connect(ui->pushButton_yes, &QPushButton::clicked, this, &CDlgPreset::click_load_preset);
    connect(ui->pushButton_no, &QPushButton::clicked, this, [this] {
        close();
        ui->label_DAW->setText(tr("Video tutorial: "));
    });
    connect(ui->listWidget, &QListWidget::currentRowChanged, this, &CDlgPreset::update_video_label);
    connect(ui->pushButton_video, &QPushButton::clicked, this, &CDlgPreset::click_video);
    connect(ui->pushButton_delete, &QPushButton::clicked, this, &CDlgPreset::click_delete_select_item);
}

void CDlgPreset::read_model_config()
{
    QSettings config(QString::fromLatin1(kModelConfigResource), QSettings::IniFormat);
    config.setIniCodec("UTF-8");
    if (config.allKeys().isEmpty())
        return;
    const QString group = modelGroup(m_deviceId);
    if (!group.isEmpty())
        config.beginGroup(group);
    m_path = config.value(QStringLiteral("path")).toString();
    m_suffix = config.value(QStringLiteral("suffix")).toString();
    if (!group.isEmpty())
        config.endGroup();
    m_homePageCn = config.value(QStringLiteral("HomePage/cn")).toString();
    m_homePageEn = config.value(QStringLiteral("HomePage/en")).toString();
    m_localFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') + m_path;
}

void CDlgPreset::clear_list()
{
    ui->listWidget->clear();
}

void CDlgPreset::fill_list(const QString &strLocalIndexPath)
{
    const RawIni index(strLocalIndexPath);
    const QString files = QStringLiteral("files");
    // An index that names no preset (none at all, or keys in other groups
    // only) says so rather than leaving an empty list.
    if (index.keys(files).isEmpty()) {
        show_message(tr("no preset"), 1200);
        return;
    }
    int nRow = 0;
    for (const QString &key : index.keys(files)) {
        auto *item = new QListWidgetItem(index.value(files, key));
        item->setForeground(QBrush(QColor(0, 174, 236)));
        ui->listWidget->insertItem(nRow++, item);
    }
}

void CDlgPreset::load_video_links(const QString &strLocalIndexPath)
{
    const RawIni index(strLocalIndexPath);
    if (index.isEmpty()) {
        show_message(tr("no preset"), 1200);
        return;
    }
    m_videoCn.clear();
    m_videoEn.clear();
    const auto readGroup = [&index](const QString &group, QMap<int, QString> &links, const char *errorText) {
        for (const QString &key : index.keys(group)) {
            bool ok = false;
            const int nKey = key.toInt(&ok, 10);
            if (!ok) {
                qDebug().noquote() << QLatin1String(errorText) + key;
                continue;
            }
            const QString link = index.value(group, key);
            if (!link.isEmpty())
                links.insert(nKey, link);
        }
    };
    readGroup(QStringLiteral("video"), m_videoCn, "ERR CN key = ");
    readGroup(QStringLiteral("video-en"), m_videoEn, "ERR EN key = ");
}

void CDlgPreset::download(const QString &strUrl, const QString &strLocalPath, DownloadKind kind)
{
    const QFileInfo target(strLocalPath);
    if (!QDir().mkpath(target.absolutePath())) {
        show_message(tr("Download failed"), 1000);
        return;
    }
    const QUrl url(strUrl, QUrl::TolerantMode);
    if (!url.isValid())
        return;
    if (url.scheme().isEmpty()) {
        qDebug().noquote() << "Invalid URL:" << strUrl;
        return;
    }
    if (!networkAccessible()) {
        show_message(tr("network err"), 1200);
        return;
    }
    // What was asked for goes with the download to its end: the local path
    // lies under the user's data folder, whose name may hold ".ini" or the
    // model's suffix.
    Download *download = Download::get(url, kind, this);
    connect(download, &Download::finished, this, [this, strLocalPath, kind, download](bool bOk) {
        on_download_finished(strLocalPath, kind, download, bOk);
    });
}

void CDlgPreset::on_download_finished(const QString &strLocalPath, DownloadKind kind, Download *pDownload, bool bOk)
{
    if (!bOk) {
        qDebug().noquote() << "Download failed:" << pDownload->url().toString() << pDownload->errorText();
        show_message(tr("Download failed"), 1000);
        return;
    }
    // Written beside and renamed over the target, unbuffered with every write
    // checked, so a failed write (a full disk) never leaves a half file behind.
    const QByteArray body = pDownload->body();
    if (!saveWholeFile(strLocalPath, body.constData(), body.size())) {
        show_message(tr("Download failed"), 1000);
        return;
    }
    if (kind == DownloadKind::Preset) {
        emit signals_download_preset(strLocalPath);
    } else {
        fill_list(strLocalPath);
        load_video_links(strLocalPath);
        emit signals_index_downloaded(strLocalPath);
    }
}

void CDlgPreset::show_message(const QString &strText, int nMs)
{
    AutoDisapperMsgBox::showMessage(this, strText, nMs);
}

void CDlgPreset::click_load_preset()
{
    showStyledQuestion(this, tr("Select preset"),
                       tr("Are you sure to apply this preset to the device?This will cover the current settings."),
                       [this](int nAnswer) {
                           if (nAnswer != ANSWER_YES)
                               return;
                           const QListWidgetItem *item = ui->listWidget->currentItem();
                           if (!item) {
                               show_message(tr("No preset options were selected."), 1200);
                               return;
                           }
                           const QString text = item->text();
                           if (isLocalPresetRow(text, m_suffix)) {
                               emit signals_download_preset(m_localFolder + text);
                               return;
                           }
                           download(QStringLiteral("%1%2%3%4").arg(serverBaseUrl(), m_path, text, m_suffix),
                                    downloadedPresetPath(), DownloadKind::Preset);
                       });
}

void CDlgPreset::click_delete_select_item()
{
    const QListWidgetItem *item = ui->listWidget->currentItem();
    if (!item || ui->listWidget->selectedItems().isEmpty() || !isLocalPresetRow(item->text(), m_suffix))
        return;
    showStyledQuestion(this, tr("Warning"), tr("Delete the selected preset file?"), [this](int nAnswer) {
        if (nAnswer != ANSWER_YES)
            return;
        QListWidgetItem *current = ui->listWidget->currentItem();
        if (!current || !isLocalPresetRow(current->text(), m_suffix))
            return;
        QFile file(m_localFolder + current->text());
        if (file.exists() && file.remove())
            delete current;
    });
}

void CDlgPreset::update_video_label(int nRow)
{
    const int nKey = nRow + 1;
    const QListWidgetItem *item = ui->listWidget->currentItem();
    if (!m_videoEn.value(nKey).isEmpty() && item)
        ui->label_DAW->setText(tr("Video tutorial: ") + item->text());
    else
        ui->label_DAW->setText(tr("Video tutorial: "));
    if (item)
        ui->pushButton_delete->setVisible(isLocalPresetRow(item->text(), m_suffix));
}

void CDlgPreset::click_video()
{
    // Row k has the key k + 1; without a current row there is no link.
    const int nRow = ui->listWidget->currentRow();
    const int nKey = nRow + 1;
    const QString linkEn = nRow >= 0 ? m_videoEn.value(nKey) : QString();
    if (linkEn.isEmpty()) {
        QDesktopServices::openUrl(QUrl(m_chineseSystem ? m_homePageCn : m_homePageEn));
        return;
    }
    QString link = m_chineseSystem ? m_videoCn.value(nKey) : linkEn;
    if (link.isEmpty())
        link = linkEn;
    const QUrl url = tutorialUrl(link);
    if (url.isValid() && !url.isEmpty())
        QDesktopServices::openUrl(url);
    else
        qDebug().noquote() << "Tutorial link not opened:" << link;
}
