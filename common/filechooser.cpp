#include "filechooser.h"

#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>

#include "nestedloop.h"

namespace {

FileChooser &installed()
{
    static FileChooser chooser;
    return chooser;
}

// The save dialog gives a name typed without the filter's suffix that
// suffix, before it asks whether to replace a file, so that the question is
// about the file that will be written and the open dialog, which lists only
// that suffix, shows it again. The platform's own dialog does it through the
// default suffix; Qt's own dialog adds that only to a name without any dot
// ("Live 2.0"), so the name in its box is completed here first.
class SaveDialog : public QFileDialog
{
public:
    SaveDialog(const QString &caption, const QString &filter, const QString &suffix)
        : QFileDialog(nullptr, caption, QString(), filter), m_suffix(suffix)
    {
        setAcceptMode(QFileDialog::AcceptSave);
        if (!suffix.isEmpty())
            setDefaultSuffix(suffix.mid(1));
    }

    void accept() override
    {
        // Only Qt's own dialog has the name box.
        auto *nameEdit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (nameEdit && !m_suffix.isEmpty()) {
            const QString typed = nameEdit->text();
            // A folder's name takes the dialog into the folder.
            if (!typed.isEmpty() && !typed.endsWith(m_suffix, Qt::CaseInsensitive)
                && !QFileInfo(directory().filePath(typed)).isDir())
                nameEdit->setText(typed + m_suffix);
        }
        QFileDialog::accept();
    }

private:
    QString m_suffix;
};

// The suffix of a filter's first pattern, with its dot (".rzp" of
// "Pad Preset (*.rzp)"); empty when it names none.
QString suffixOfFilter(const QString &strFilter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*(\\.[^\\s*;()]+)"));
    return pattern.match(strFilter).captured(1);
}

} // namespace

QString choose_file(bool bSave, const QString &strCaption, const QString &strFilter)
{
    const NestedLoopScope loop;
    if (installed())
        return installed()(bSave, strCaption, strFilter);
    if (!bSave)
        return QFileDialog::getOpenFileName(nullptr, strCaption, QString(), strFilter);
    SaveDialog dialog(strCaption, strFilter, suffixOfFilter(strFilter));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
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
