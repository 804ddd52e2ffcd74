// A platform theme for the tests that offers the platform's own file dialog,
// as Qt's GTK theme does on a GNOME desktop. The "dialog" shows nothing and
// answers at once with the path the test put in the application property
// "platformDialogAnswer" (cancelled when there is none): the name as the user
// typed it, before Qt adds a default suffix, with no question about a file
// it would replace, as a platform dialog that knows no suffix asks none.
// Loaded by name (QT_QPA_PLATFORMTHEME=tavro-answering) from the plugin
// folder the test's environment names.
#include <QCoreApplication>
#include <QUrl>
#include <QVariant>

#include <qpa/qplatformdialoghelper.h>
#include <qpa/qplatformtheme.h>
#include <qpa/qplatformthemeplugin.h>

namespace {

class AnsweringFileDialog : public QPlatformFileDialogHelper
{
public:
    bool show(Qt::WindowFlags, Qt::WindowModality, QWindow *) override { return true; }
    void hide() override {}
    void exec() override
    {
        m_answer = QCoreApplication::instance()->property("platformDialogAnswer").toString();
        if (m_answer.isEmpty())
            emit reject();
        else
            emit accept();
    }

    bool defaultNameFilterDisables() const override { return false; }
    void setDirectory(const QUrl &directory) override { m_directory = directory; }
    QUrl directory() const override { return m_directory; }
    void selectFile(const QUrl &) override {}
    QList<QUrl> selectedFiles() const override { return {QUrl::fromLocalFile(m_answer)}; }
    void setFilter() override {}
    void selectNameFilter(const QString &filter) override { m_filter = filter; }
    QString selectedNameFilter() const override { return m_filter; }

private:
    QUrl m_directory;
    QString m_filter;
    QString m_answer;
};

class AnsweringTheme : public QPlatformTheme
{
public:
    bool usePlatformNativeDialog(DialogType type) const override { return type == FileDialog; }
    QPlatformDialogHelper *createPlatformDialogHelper(DialogType type) const override
    {
        return type == FileDialog ? new AnsweringFileDialog : nullptr;
    }
};

} // namespace

class AnsweringThemePlugin : public QPlatformThemePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPlatformThemeFactoryInterface_iid FILE "answeringtheme.json")

public:
    QPlatformTheme *create(const QString &key, const QStringList &) override
    {
        return key == QLatin1String("tavro-answering") ? new AnsweringTheme : nullptr;
    }
};

#include "answeringtheme.moc"
