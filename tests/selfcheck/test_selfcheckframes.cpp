// The keyboard self-test's colour frames, key sheets and error lines.
#include <QtTest>

#include "bytes.h"
#include "selftest/selfcheckmodel.h"
#include "testmain.h"

using tavrotest::hex;

namespace {

QByteArray bytes(const uchar *data, uint len)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(len));
}

} // namespace

class TestSelfCheckFrames : public QObject
{
    Q_OBJECT
private slots:
    void padColoursFrame_data();
    void padColoursFrame();
    void keySheet_data();
    void keySheet();
    void errorLine_data();
    void errorLine();
};

void TestSelfCheckFrames::padColoursFrame_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("colour");
    QTest::addColumn<QByteArray>("payload"); // empty: refused

    QTest::newRow("all off") << 0xFF << hex("00 00 00") << (hex("FF") + QByteArray(54, 0));
    QTest::newRow("all red") << 0xFF << hex("00 FF 00") << (hex("FF") + hex("00 FF 00").repeated(18));
    QByteArray pad4 = hex("04") + QByteArray(54, 0);
    pad4[13] = 0x00;
    pad4[14] = char(0xFF);
    pad4[15] = 0x00;
    QTest::newRow("one pad") << 4 << hex("00 FF 00") << pad4;
    QByteArray last = hex("11") + QByteArray(51, 0) + hex("01 02 03");
    QTest::newRow("last triplet") << 17 << hex("01 02 03") << last;
    QTest::newRow("index 18 refused") << 18 << hex("00 FF 00") << QByteArray();
    QTest::newRow("index FE refused") << 0xFE << hex("00 FF 00") << QByteArray();
}

void TestSelfCheckFrames::padColoursFrame()
{
    QFETCH(int, index);
    QFETCH(QByteArray, colour);
    QFETCH(QByteArray, payload);
    uchar out[100];
    memset(out, 0xAA, sizeof out);
    const uint len = selfCheckPadColoursFrame(out, uchar(index), uchar(colour[0]), uchar(colour[1]), uchar(colour[2]));
    if (payload.isEmpty()) {
        QCOMPARE(len, 0u);
        QCOMPARE(out[0], uchar(0xAA));
        return;
    }
    QCOMPARE(len, 62u);
    QCOMPARE(bytes(out, 6), hex("78 59 51 37 00 00"));
    QCOMPARE(bytes(out + 6, 55), payload);
    uchar sum = 0;
    for (char c : payload)
        sum = uchar(sum + uchar(c));
    QCOMPARE(out[61], uchar(~sum));
    if (index == 4)
        QCOMPARE(out[61], uchar(0xFC));
}

void TestSelfCheckFrames::keySheet_data()
{
    QTest::addColumn<QByteArray>("rgb");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("passed") << hex("00 FF 00")
                            << "background-color: rgb(0, 255, 0);color:rgb(255, 0, 255);border-radius:3px;border: 2px solid black;";
    QTest::newRow("white key") << hex("FF FF FF")
                               << "background-color: rgb(255, 255, 255);color:rgb(0, 0, 0);border-radius:3px;border: 2px solid black;";
    QTest::newRow("black key") << hex("00 00 00")
                               << "background-color: rgb(0, 0, 0);color:rgb(255, 255, 255);border-radius:3px;border: 2px solid black;";
}

void TestSelfCheckFrames::keySheet()
{
    QFETCH(QByteArray, rgb);
    QFETCH(QString, sheet);
    QCOMPARE(selfCheckKeySheet(uchar(rgb[0]), uchar(rgb[1]), uchar(rgb[2])), sheet);
}

void TestSelfCheckFrames::errorLine_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("line");
    const QString failed = QStringLiteral("自检失败，请重新自检！");
    QTest::newRow("5th button") << 9 << 14 << QStringLiteral("错误：第5个按钮\n") + failed;
    QTest::newRow("3rd key") << 9 << 30 << QStringLiteral("错误：第3个琴键\n") + failed;
    QTest::newRow("2nd strip") << 9 << 1 << QStringLiteral("错误：第2个触摸条\n") + failed;
    QTest::newRow("8th pad") << 9 << 27 << QStringLiteral("错误：第8个Pad\n") + failed;
    QTest::newRow("pedal") << 9 << 53 << QStringLiteral("错误：踏板\n") + failed;
    QTest::newRow("control 0") << 9 << 0 << failed;
    QTest::newRow("flash") << 1 << 0 << QStringLiteral("Flash 存储错误！请重新测试！");
    QTest::newRow("bluetooth") << 8 << 0 << QStringLiteral("蓝牙未连接，请连接校准仪！");
    QTest::newRow("audio") << 10 << 0 << QStringLiteral("wav文件缺失！");
    QTest::newRow("no code 4") << 4 << 0 << failed;
}

void TestSelfCheckFrames::errorLine()
{
    QFETCH(int, code);
    QFETCH(int, control);
    QFETCH(QString, line);
    QCOMPARE(SelfCheckModel::errorLine(uchar(code), uchar(control)), line);
    QCOMPARE(g_selfCheckErrors.size(), 12);
}

TAVRO_TEST_MAIN(TestSelfCheckFrames)
#include "test_selfcheckframes.moc"
