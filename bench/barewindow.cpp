// The yardstick of the start-up benchmark: a bare Qt widgets window of the
// connection window's size, built with the same compiler and flags.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(700, 520);
    window.show();
    return app.exec();
}
