#include "settingsstore.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSettings>

#include "dialogs.h"
#include "utils.h"

bool storeSettings(QSettings &settings)
{
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    qWarning() << "Settings not stored:" << settings.fileName();
    writeLog(QStringLiteral("settings file cannot be written: %1").arg(settings.fileName()));
    return false;
}

void tellSettingsNotStored()
{
    static bool told = false;
    if (told)
        return;
    told = true;
    showInformation(QCoreApplication::translate("SettingsStore", "warning"),
                    QCoreApplication::translate("SettingsStore",
                                                "The settings file cannot be written: your choice holds until the "
                                                "editor closes and is not kept for the next start."));
}
