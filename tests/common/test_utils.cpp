// Hexadecimal text, object-name numbers, the MIDI stream check, the device
// list and the upgrade log.
#include "testmain.h"

#include "bytes.h"
#include "devicelist.h"
#include "globals.h"
#include "utils.h"

#include <QRegularExpression>

using tavrotest::hex;
using tavrotest::u8;

class TestUtils : public QObject
{
    Q_OBJECT

private slots:
    void hexText()
    {
        QCOMPARE(byteToHex(0x0A), QStringLiteral("0A"));
        QCOMPARE(byteToHex(0xF0), QStringLiteral("F0"));
        const QByteArray b = hex("00 0F A0");
        QCOMPARE(bytesToHexString(u8(b), 3), QStringLiteral("00 0F A0"));
        QCOMPARE(bytesToHexString(u8(b), 1), QStringLiteral("00"));
        QVERIFY(bytesToHexString(u8(b), 0).isEmpty());
        QVERIFY(bytesToHexString(nullptr, 3).isEmpty());
        QCOMPARE(inverseColorHex(255, 0, 16), QStringLiteral("00FFEF"));
        QCOMPARE(inverseColorHex(0x12, 0xAB, 0xFF), QStringLiteral("ED5400"));
    }

    void numberAfterLastUnderscore_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("object name") << "comboBox_key_12" << 12;
        QTest::newRow("last underscore wins") << "pad_3_7" << 7;
        QTest::newRow("no underscore") << "comboBox12" << 0;
        QTest::newRow("nothing after it") << "comboBox_" << 0;
        QTest::newRow("not a number") << "comboBox_key" << 0;
        QTest::newRow("trailing letters") << "pad_12a" << 0;
    }
    void numberAfterLastUnderscore()
    {
        QFETCH(QString, name);
        QFETCH(int, number);
        QCOMPARE(::numberAfterLastUnderscore(name), number);
    }

    void midiStream_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("sysex") << hex("F0 01 02 F7") << true;
        QTest::newRow("open sysex") << hex("F0 01 02") << false;
        QTest::newRow("status inside sysex") << hex("F0 01 90 F7") << false;
        QTest::newRow("sysex then note") << hex("F0 7E F7 90 3C 40") << true;
        QTest::newRow("short note on") << hex("90 3C") << false;
        QTest::newRow("note on and program") << hex("90 3C 40 C0 05") << true;
        QTest::newRow("program missing byte") << hex("C0") << false;
        QTest::newRow("lone data byte") << hex("3C") << false;
        QTest::newRow("lone 7F") << hex("7F") << false;
        QTest::newRow("lone 00") << hex("00") << false;
        QTest::newRow("clock") << hex("F8") << true;
        QTest::newRow("one-byte system") << hex("F6 FA FB FC FE") << true;
        QTest::newRow("undefined bytes accepted") << hex("F4 F5 F9 FD FF") << true;
        QTest::newRow("status as data") << hex("90 3C 80") << false;
        QTest::newRow("running status refused") << hex("90 3C 40 3D 40") << false;
        QTest::newRow("lone F7") << hex("F7") << false;
        QTest::newRow("song position") << hex("F2 00 10") << true;
        QTest::newRow("song select") << hex("F3 05") << true;
        QTest::newRow("quarter frame short") << hex("F1") << false;
        QTest::newRow("pitch bend") << hex("E5 00 40") << true;
        QTest::newRow("channel pressure") << hex("DF 7F") << true;
    }
    void midiStream()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(isValidMidiStream(u8(bytes), quint16(bytes.size())), valid);
    }

    void deviceList()
    {
        QVERIFY(loadDeviceInfo(QString::fromLatin1(kDeviceInfoResource)));
        QList<int> ids;
        for (const DeviceEntry &e : qAsConst(g_deviceList))
            ids << e.id;
        QCOMPARE(ids, (QList<int>{1, 2, 3, 4, 5, 7, 8, 9}));
        QCOMPARE(g_deviceList.first().names, (QStringList{"DOVO Dazed", "VODO Duriz"}));
        QCOMPARE(deviceNameById(1), QStringLiteral("DOVO Dazed"));
        QCOMPARE(deviceNameById(7), QStringLiteral("RZ-7 Pad"));
        QCOMPARE(deviceNameById(8), QStringLiteral("RZ-Nano"));
        QCOMPARE(deviceNameById(9), QStringLiteral("VX-18"));
        QVERIFY(deviceNameById(6).isEmpty());
        QVERIFY(deviceNameById(0).isEmpty());
    }

    void deviceListParsing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("devices.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Bluetooth Device]\n3=Elsewhere\n"
                   "[USB Device]\n12=B||C|\nx=Skipped\n4=\n2=A, with comma\n");
        file.close();
        const QVector<DeviceEntry> list = readDeviceInfo(path);
        QCOMPARE(list.size(), 3);
        // Keys come in the settings store's order; empty fragments are dropped,
        // an entry without fragments is kept.
        QCOMPARE(int(list.at(0).id), 12);
        QCOMPARE(list.at(0).names, (QStringList{"B", "C"}));
        QCOMPARE(int(list.at(1).id), 2);
        QCOMPARE(list.at(1).names, (QStringList{"A,with comma"}));
        QCOMPARE(int(list.at(2).id), 4);
        QVERIFY(list.at(2).names.isEmpty());

        g_deviceList = list;
        QVERIFY(deviceNameById(4).isEmpty());
        QCOMPARE(deviceNameById(12), QStringLiteral("B"));
        QVERIFY(!loadDeviceInfo(dir.filePath(QStringLiteral("missing.ini"))));
        QVERIFY(g_deviceList.isEmpty());
        // An empty list is loaded from the built-in resource on first use.
        QCOMPARE(deviceNameById(7), QStringLiteral("RZ-7 Pad"));
    }

    void qtBaseTranslatorFollowsLanguage()
    {
        // A catalogue of our own stands in for Qt's file under the Chinese name.
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(QStringLiteral(":/Language/language_cn.qm"),
                            folder + QStringLiteral("/qtbase_zh_CN.qm")));

        g_language = 0; // English file missing: nothing is installed
        loadQtBaseTranslator();
        QCOMPARE(QCoreApplication::translate("switchbutton", "ON"), QStringLiteral("ON"));

        g_language = 1;
        loadQtBaseTranslator();
        QCOMPARE(QCoreApplication::translate("switchbutton", "ON"), QString::fromUtf8("打开"));

        QCoreApplication::removeTranslator(&g_qtTranslator);
        g_language = 0;
        QDir(folder).removeRecursively();
    }

    void logLines()
    {
        const QString folder = QFileInfo(logFilePath()).absolutePath();
        QDir(folder).removeRecursively();
        QVERIFY(!QDir(folder).exists());

        QVERIFY(writeLog(QStringLiteral("first line")));
        QVERIFY(writeLog(QString::fromUtf8("升级 second")));

        QFile file(logFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        file.close();
        const QRegularExpression line(QStringLiteral(
            "^\\[\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}\\] first line\n"
            "\\[\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}\\] 升级 second\n$"));
        QVERIFY2(line.match(text).hasMatch(), qPrintable(text));
        QDir(folder).removeRecursively();
    }

    void logFolderCannotBeCreated()
    {
        const QString folder = QFileInfo(logFilePath()).absolutePath();
        QDir(folder).removeRecursively();
        // A plain file where the folder should be.
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("log folder")));
        QVERIFY(!writeLog(QStringLiteral("lost")));
        QVERIFY(QFile::remove(folder));
    }
};

TAVRO_TEST_MAIN(TestUtils)
#include "test_utils.moc"
