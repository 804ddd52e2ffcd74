// Test entry point: every test process gets its own settings, data, runtime and
// temporary folders, and runs headless unless told otherwise.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace tavrotest {

// Points the per-user folders of this process at a fresh temporary tree.
inline QTemporaryDir *isolateUserFolders()
{
    auto *root = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/tavro-test-XXXXXX"));
    const QString base = root->path();
    for (const char *name : {"config", "data", "runtime", "tmp"})
        QDir(base).mkpath(QString::fromLatin1(name));
    QFile::setPermissions(base + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", (base + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (base + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (base + QStringLiteral("/runtime")).toLocal8Bit());
    qputenv("TMPDIR", (base + QStringLiteral("/tmp")).toLocal8Bit());
    return root;
}

} // namespace tavrotest

#define TAVRO_TEST_MAIN(TestObject)                                              \
    int main(int argc, char *argv[])                                             \
    {                                                                            \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                      \
            qputenv("QT_QPA_PLATFORM", "offscreen");                             \
        QScopedPointer<QTemporaryDir> folders(tavrotest::isolateUserFolders());  \
        QApplication app(argc, argv);                                            \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                 \
        TestObject tc;                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                               \
        return QTest::qExec(&tc, argc, argv);                                    \
    }
