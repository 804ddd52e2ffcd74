#include <QApplication>
#include <QDialog>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog window;
    window.setObjectName(QStringLiteral("pc_connectui"));
    window.setWindowTitle(QStringLiteral("TaSuite-V5"));
    window.show();
    return app.exec();
}
