#include "filechooser.h"

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

void setFileChooser(FileChooser chooser)
{
    installed() = std::move(chooser);
}
