#include "cdlgloadini.h"
#include "ui_cdlgloadini.h"

#include <QBrush>
#include <QColor>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QUrl>

#include "autodisappermsgbox.h"
#include "download.h"
#include "savefile.h"
#include "serverlocation.h"

bool g_iniDownloaded = false;

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;

QString expandStateKey(const QString &path)
{
    return QStringLiteral("TreeExpandState/%1").arg(path);
}

QString expandFlagKey(const QString &path)
{
    return QStringLiteral("TreeExpandStateFlag/%1").arg(path);
}

const char *const kOrganisation = "Tavro";
const char *const kApplication = "TavroSuite";

bool hasSections(const QString &path)
{
    return !QSettings(path, QSettings::IniFormat).childGroups().isEmpty();
}

} // namespace

cDlgLoadINI::cDlgLoadINI(quint8 byBtnIndex, QWidget *parent)
    : QDialog(parent), ui(new Ui_cDlgLoadINI), m_byBtnIndex(byBtnIndex)
{
    ui->setupUi(this);
    init_window();
    connect(ui->treeWidget, &QTreeWidget::itemClicked, this, &cDlgLoadINI::click_tree_item);
    connect(ui->treeWidget, &QTreeWidget::itemExpanded, this, &cDlgLoadINI::tree_item_expanded);
    connect(ui->treeWidget, &QTreeWidget::itemCollapsed, this, &cDlgLoadINI::tree_item_collapsed);
    download_ini();
}

cDlgLoadINI::~cDlgLoadINI()
{
    // A download still running goes with the dialog (it is a child) and
    // reports nothing.
    delete ui;
}

QString cDlgLoadINI::downloadUrl()
{
    return QStringLiteral("%1%2%3").arg(serverBaseUrl(), QStringLiteral("Z3/"), QStringLiteral("MIDIPreset.ini"));
}

QString cDlgLoadINI::localCopyPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/TaSuite/Z3Config.ini");
}

QString cDlgLoadINI::builtInPath()
{
    return QStringLiteral(":/new/iniFile/ConfigData/MIDIPreset.ini");
}

void cDlgLoadINI::init_window()
{
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
}

void cDlgLoadINI::download_ini()
{
    QDir().mkpath(QFileInfo(localCopyPath()).absolutePath());
    if (g_iniDownloaded) {
        load_ini_file(localCopyPath());
        return;
    }
    Download *download = Download::get(QUrl(downloadUrl()), DownloadKind::Index, this);
    connect(download, &Download::finished, this, [this, download](bool bOk) { download_finished(download, bOk); });
}

void cDlgLoadINI::download_finished(Download *download, bool bOk)
{
    if (!bOk) {
        load_ini_file(builtInPath());
        qDebug().noquote() << QStringLiteral("下载失败：") + download->errorText();
        return;
    }
    // Written beside the old copy and renamed over it (the shared writer, which
    // sees a short write): a copy that cannot be written whole is not used, and
    // the built-in one serves instead.
    const QByteArray &body = download->body();
    if (!saveWholeFile(localCopyPath(), body.constData(), body.size())) {
        AutoDisapperMsgBox::showMessage(this, QStringLiteral("11111"), 1200);
        load_ini_file(builtInPath());
        qDebug().noquote() << QStringLiteral("下载失败：无法写入文件");
        return;
    }
    // An answer without a single unit (an empty body, an error page) is no
    // library: the built-in copy serves and the next dialog asks again.
    if (!hasSections(localCopyPath())) {
        load_ini_file(builtInPath());
        qDebug().noquote() << QStringLiteral("下载失败：") + QStringLiteral("No sections found in INI file");
        return;
    }
    g_iniDownloaded = true;
    AutoDisapperMsgBox::showMessage(this, QStringLiteral("1"), 1200);
    load_ini_file(localCopyPath());
    qDebug().noquote() << QStringLiteral("下载成功：") + localCopyPath();
}

void cDlgLoadINI::load_ini_file(const QString &strPath)
{
    QSettings ini(strPath, QSettings::IniFormat);
    m_strIniPath = strPath;
    ui->treeWidget->clear();
    const QStringList sections = ini.childGroups();
    if (sections.isEmpty()) {
        qDebug("No sections found in INI file");
        return;
    }
    const QFont unitFont(QStringLiteral("Arial"), 14, QFont::Bold);
    const QFont commandFont(QStringLiteral("Arial"), 12, QFont::Normal);
    for (const QString &section : sections) {
        auto *unit = new QTreeWidgetItem(ui->treeWidget);
        unit->setText(0, QStringLiteral("[%1]").arg(section));
        unit->setForeground(0, QBrush(QColor(QStringLiteral("#FFEB3B"))));
        unit->setFont(0, unitFont);
        unit->setData(0, Qt::UserRole, section);
        ini.beginGroup(section);
        for (const QString &key : ini.childKeys()) {
            auto *command = new QTreeWidgetItem(unit);
            command->setText(0, key);
            command->setForeground(0, QBrush(QColor(QStringLiteral("#00e6c8"))));
            command->setFont(0, commandFont);
            command->setData(0, Qt::UserRole, section);
            command->setData(0, kKeyRole, key);
        }
        ini.endGroup();
    }
    restore_tree_state();
}

void cDlgLoadINI::restore_tree_state()
{
    QSettings settings{QLatin1String(kOrganisation), QLatin1String(kApplication)};
    QTreeWidget *tree = ui->treeWidget;
    if (!settings.value(expandFlagKey(m_strIniPath), false).toBool()) {
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            tree->topLevelItem(i)->setExpanded(true);
        return;
    }
    const QStringList expanded = settings.value(expandStateKey(m_strIniPath)).toStringList();
    tree->collapseAll();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *unit = tree->topLevelItem(i);
        if (expanded.contains(unit->data(0, Qt::UserRole).toString()))
            unit->setExpanded(true);
    }
}

void cDlgLoadINI::save_tree_state()
{
    QStringList expanded;
    for (int i = 0; i < ui->treeWidget->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *unit = ui->treeWidget->topLevelItem(i);
        const QString section = unit->data(0, Qt::UserRole).toString();
        if (unit->isExpanded() && !section.isEmpty())
            expanded << section;
    }
    QSettings settings{QLatin1String(kOrganisation), QLatin1String(kApplication)};
    settings.setValue(expandStateKey(m_strIniPath), expanded);
    settings.setValue(expandFlagKey(m_strIniPath), true);
}

void cDlgLoadINI::tree_item_expanded(QTreeWidgetItem *item)
{
    if (item && !item->parent())
        save_tree_state();
}

void cDlgLoadINI::tree_item_collapsed(QTreeWidgetItem *item)
{
    if (item && !item->parent())
        save_tree_state();
}

QStringList cDlgLoadINI::get_item_values(const QString &section, const QString &key) const
{
    QSettings ini(m_strIniPath, QSettings::IniFormat);
    ini.beginGroup(section);
    if (!ini.contains(key))
        return QStringList();
    return z3::splitIniValue(ini.value(key).toString());
}

void cDlgLoadINI::click_tree_item(QTreeWidgetItem *item, int)
{
    if (!item || !item->parent())
        return;
    const QString section = item->data(0, Qt::UserRole).toString();
    const QString key = item->data(0, kKeyRole).toString();
    if (section.isEmpty() || key.isEmpty()) {
        qDebug("Failed to get section or key from item");
        return;
    }
    const QStringList values = get_item_values(section, key);
    if (values.isEmpty()) {
        qDebug().noquote() << "No data found for" << section << "->" << key;
        return;
    }
    if (!z3::parseIniCommand(values, &m_byBuf))
        return;
    emit signal_send_tree_content(m_byBtnIndex, m_byBuf.bytes);
    close();
}
