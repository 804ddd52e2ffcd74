#include "pagetoolbar.h"

#include <QDebug>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include "autodisappermsgbox.h"
#include "cdlgpadlevel.h"
#include "cdlgpreset.h"
#include "cupgrade.h"
#include "filechooser.h"
#include "savefile.h"
#include "serverlocation.h"

namespace pagekit {

namespace {

void closeAndDelete(QPointer<QDialog> &slot)
{
    if (slot) {
        slot->close();
        delete slot.data();
    }
    slot = nullptr;
}

// The folders whose index was asked for in this run.
QSet<QString> &downloadedIndexes()
{
    static QSet<QString> folders;
    return folders;
}

} // namespace

QString presetIndexPath(const QString &folder)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') + folder
           + QStringLiteral("LoadPreset/preset.ini");
}

QString presetIndexUrl(const QString &folder)
{
    return serverBaseUrl() + folder + QStringLiteral("preset.ini");
}

QString firmwareIndexUrl(const QString &folder)
{
    return serverBaseUrl() + folder + QStringLiteral("firmware.ini");
}

CDlgPreset *openPresetList(QPointer<QDialog> &slot, int model, const QString &folder, IndexDownload when)
{
    closeAndDelete(slot);
    auto *dlg = new CDlgPreset(model, true, nullptr);
    slot = dlg;
    const QString localPath = presetIndexPath(folder);
    dlg->clear_list();
    if (when == IndexDownload::OncePerRun && downloadedIndexes().contains(folder) && QFileInfo::exists(localPath))
        dlg->fill_list(localPath);
    else
        dlg->download(presetIndexUrl(folder), localPath, DownloadKind::Index);
    dlg->show();
    // Marked once an index came whole: after a failure (a sign-in page in the
    // index's place, no network) the next list asks the server again, also
    // when a copy from an earlier run is still on disk.
    QObject::connect(dlg, &CDlgPreset::signals_index_downloaded, dlg,
                     [folder] { downloadedIndexes().insert(folder); });
    return dlg;
}

void startUpgrade(QPointer<QDialog> &slot, CBaseDlg *page, const QString &folder)
{
    if (!slot)
        slot = new cUpgrade(page, nullptr);
    auto *upgrade = static_cast<cUpgrade *>(slot.data());
    if (!upgrade->init())
        return;
    upgrade->download(firmwareIndexUrl(folder), cUpgrade::index_path());
}

cDlgPadLevel *openPadLevel(QPointer<QDialog> &slot, int model, unsigned char *thresholds)
{
    closeAndDelete(slot);
    auto *dlg = new cDlgPadLevel(model, thresholds, nullptr);
    slot = dlg;
    dlg->show();
    return dlg;
}

void closeOwnedDialogs(std::initializer_list<QPointer<QDialog> *> dialogs)
{
    for (QPointer<QDialog> *slot : dialogs)
        closeAndDelete(*slot);
}

bool mayWriteBlockFile(QWidget *page, bool held, const QString &refusedText)
{
    if (!held)
        AutoDisapperMsgBox::showMessage(page, refusedText, 1000);
    return held;
}

void saveConfigBin(QWidget *page, const void *data, qint64 size, const QString &failedText)
{
    const QString path = choose_file(true, QStringLiteral("Config File"), QStringLiteral("Config Files (*.bin)"));
    if (path.isEmpty()) {
        qWarning() << "No file selected for saving";
        return;
    }
    if (!saveWholeFile(path, data, size)) {
        qWarning() << "Cannot write" << path;
        AutoDisapperMsgBox::showMessage(page, failedText, 1000);
    }
}

} // namespace pagekit
