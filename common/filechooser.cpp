#include "filechooser.h"

#include <QDebug>
#include <QFileDialog>

#include "nestedloop.h"

namespace {

FileChooser &installed()
{
    static FileChooser chooser;
    return chooser;
}

} // namespace

QString choose_file(bool bSave, const QString &strCaption, const QString &strFilter)
{
    const NestedLoopScope loop;
    if (installed())
        return installed()(bSave, strCaption, strFilter);
    return bSave ? QFileDialog::getSaveFileName(nullptr, strCaption, QString(), strFilter)
                 : QFileDialog::getOpenFileName(nullptr, strCaption, QString(), strFilter);
}

QString preset_file_path(const QString &strPath, bool bSave, const QString &strFilter)
{
    if (!strPath.isEmpty())
        return strPath;
    const QString path = choose_file(bSave, bSave ? QStringLiteral("Save Preset File") : QStringLiteral("Open Preset File"),
                                     strFilter);
    if (path.isEmpty())
        qWarning() << (bSave ? "No file selected for saving" : "No file selected");
    return path;
}

void setFileChooser(FileChooser chooser)
{
    installed() = std::move(chooser);
}
