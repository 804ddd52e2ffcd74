#include "startup.h"

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

#include "connectlogic.h"

QApplication *g_app = nullptr;

QString singleInstanceServerName()
{
    const QString name = QString::fromLatin1(kSingleInstanceName);
#if defined(Q_OS_WIN)
    return name;
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
#endif
}

bool anotherInstanceRunning(QLocalSocket &socket, QLocalServer &server)
{
    const QString name = singleInstanceServerName();
    socket.connectToServer(name, QIODevice::ReadWrite);
    if (socket.waitForConnected(500))
        return true;
    if (!server.listen(name) && server.serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name);
        server.listen(name);
    }
    return false;
}

void showAlreadyRunning()
{
    QMessageBox::warning(nullptr, QObject::tr("Warning 警告"),
                         QObject::tr("Application is already running!\n应用程序正在运行中！"),
                         QMessageBox::Ok);
}

int startupLanguage()
{
    QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
    const int stored = settings.value(QStringLiteral("Language"), -1).toInt();
    return resolveLanguage(stored, QLocale::system().language() == QLocale::Chinese);
}
