#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTranslator>

#include "globals.h"
#include "pc_connectui.h"
#include "startup.h"

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QApplication app(argc, argv);

    QLocalSocket socket;
    QLocalServer server;
    if (anotherInstanceRunning(socket, server)) {
        showAlreadyRunning();
        return 0;
    }

    g_app = &app;
    g_translator = new QTranslator(&app);
    g_language = startupLanguage();

    pc_connectui window(nullptr, nullptr);
    window.show();
    return app.exec();
}
