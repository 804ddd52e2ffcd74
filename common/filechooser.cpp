#include "filechooser.h"

#include <QDebug>
#include <QDir>
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

// The save dialog completes the name in its box before it asks whether to
// replace a file, so that the question is about the file that will be
// written, and the open dialog, which lists only the filter's suffix, shows
// it again:
// - a typed name that is a folder (of the dialog's folder, or a path to one,
//   with or without a trailing slash) takes the dialog into it and clears the
//   box;
// - otherwise blanks at the end are dropped and a name without the filter's
//   suffix gets it ("Live 2.0" is "Live 2.0.rzp").
// It is Qt's own dialog on every platform. A platform's dialog asks about
// the name as typed and has the suffix added only after it has closed (so
// "Old Set" replaced "Old Set.rzp" unasked), and Qt's default suffix looks
// for a typed folder in the program's working folder, not the dialog's; so
// neither is used.
class SaveDialog : public QFileDialog
{
public:
    SaveDialog(const QString &caption, const QString &filter, const QString &suffix)
        : QFileDialog(nullptr, caption, QString(), filter), m_suffix(suffix)
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setAcceptMode(QFileDialog::AcceptSave);
    }

    void accept() override
    {
        auto *nameEdit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (nameEdit) {
            QString typed = nameEdit->text();
            if (!typed.isEmpty() && QFileInfo(typedPath(typed)).isDir()) {
                setDirectory(typedPath(typed));
                nameEdit->clear();
                return;
            }
            while (typed.endsWith(QLatin1Char(' ')))
                typed.chop(1);
            if (!typed.isEmpty() && !m_suffix.isEmpty() && !typed.endsWith(m_suffix, Qt::CaseInsensitive))
                typed += m_suffix;
            nameEdit->setText(typed);
        }
        QFileDialog::accept();
    }

private:
    // Where a typed name points: from the dialog's folder, or from the home
    // folder for "~/...".
    QString typedPath(const QString &typed) const
    {
#ifdef Q_OS_UNIX
        if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/")))
            return QDir::homePath() + typed.mid(1);
#endif
        return directory().absoluteFilePath(typed);
    }

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
