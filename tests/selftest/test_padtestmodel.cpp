// The pad self-test without widgets: its frames, its limits file, and its
// step machine fed message by message and tick by tick.
#include <QtTest>

#include <QTemporaryDir>

#include <cstring>

#include "bytes.h"
#include "selftest/padtestmodel.h"
#include "selftestrecorder.h"

using namespace padtest;
using tavrotest::SelfTestRecorder;

namespace {

QString lastByte(const QString &hexFrame)
{
    return hexFrame.right(2);
}

QString writeIni(const QTemporaryDir &dir, const QByteArray &body)
{
    const QString path = dir.filePath(QStringLiteral("SelfCheck.ini"));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(body);
    return path;
}

// A status record with one status byte set.
QByteArray statusFrame(int byteIndex, uchar value, int size = 32)
{
    QByteArray payload(size, 0);
    if (byteIndex < size)
        payload[byteIndex] = char(value);
    QByteArray f(size + 7, 0);
    std::memcpy(f.data() + 6, payload.constData(), size_t(size));
    buildFrame(reinterpret_cast<uchar *>(f.data()), CMD_SYSTEM_CONFIG, uint(size));
    return f;
}

void feed(CPadTestModel &m, const QByteArray &frame)
{
    m.receiveFrame(tavrotest::u8(frame), uint(frame.size()));
}

} // namespace

class TestPadTestModel : public QObject
{
    Q_OBJECT
private slots:
    void lightStepFrames_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("frame");
        QTest::newRow("7 first button") << 7 << 8 << "78 59 73 04 00 00 03 00 FF 00 FD";
        QTest::newRow("7 no control") << 7 << 100 << "78 59 73 04 00 00 64 00 FF 00 9C";
        QTest::newRow("7 first pad") << 7 << 20 << "78 59 73 04 00 00 8C 00 FF 00 74";
        QTest::newRow("7 button 14 bit 7") << 7 << 14 << "78 59 73 04 00 00 91 00 FF 00 6F";
        QTest::newRow("8 first button") << 8 << 8 << "78 59 73 04 00 00 00 00 FF 00 00";
        QTest::newRow("8 step 11") << 8 << 11 << "78 59 73 04 00 00 03 00 FF 00 FD";
        QTest::newRow("past the table") << 7 << 36 << "78 59 73 04 00 00 64 00 FF 00 9C";
    }
    void lightStepFrames()
    {
        QFETCH(int, model);
        QFETCH(int, step);
        QFETCH(QString, frame);
        uchar out[selftest::kTestLedFrameSize];
        const uint n = lightStepFrame(out, uchar(model), uchar(step));
        QCOMPARE(tavrotest::toHex(QByteArray(reinterpret_cast<char *>(out), int(n))), frame);
    }

    void controlNumbers_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("data1");
        QTest::addColumn<int>("control");
        QTest::newRow("knob") << 7 << 3 << 3;
        QTest::newRow("7 button 11") << 7 << 11 << 8;
        QTest::newRow("7 button 8") << 7 << 8 << 11;
        QTest::newRow("8 button 8") << 8 << 8 << 8;
        QTest::newRow("button 14 itself") << 7 << 14 << 14;
        QTest::newRow("pad 32") << 7 << 32 << 20;
        QTest::newRow("pad 23") << 8 << 23 << 35;
        QTest::newRow("36 none") << 7 << 36 << -1;
        QTest::newRow("127 none") << 8 << 127 << -1;
    }
    void controlNumbers()
    {
        QFETCH(int, model);
        QFETCH(int, data1);
        QFETCH(int, control);
        QCOMPARE(controlNumber(uchar(model), uchar(data1)), control);
    }

    // The file's limits, and the shipped ones for a file that is missing or
    // holds a value that is missing, not a number or out of range.
    void limits_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("limits"); // knobMin knobMax padMax
        QTest::newRow("missing file") << QByteArray() << false << "5 120 40";
        QTest::newRow("read") << QByteArray("[RZ-7]\nKnobMin=6\nKnobMax=119\nPadMin=3\nPadMax=39\n") << true << "6 119 39";
        QTest::newRow("bounds") << QByteArray("[RZ-7]\nKnobMin=0\nKnobMax=1\nPadMax=127\n") << true << "0 1 127";
        QTest::newRow("no PadMin") << QByteArray("[RZ-7]\nKnobMin=6\nKnobMax=119\nPadMax=39\n") << true << "6 119 39";
        QTest::newRow("no KnobMax") << QByteArray("[RZ-7]\nKnobMin=6\nPadMax=39\n") << false << "5 120 40";
        QTest::newRow("PadMax 0") << QByteArray("[RZ-7]\nKnobMin=6\nKnobMax=119\nPadMax=0\n") << false << "5 120 40";
        QTest::newRow("KnobMax 300") << QByteArray("[RZ-7]\nKnobMin=6\nKnobMax=300\nPadMax=39\n") << false << "5 120 40";
        QTest::newRow("KnobMin -1") << QByteArray("[RZ-7]\nKnobMin=-1\nKnobMax=119\nPadMax=39\n") << false << "5 120 40";
        QTest::newRow("not a number") << QByteArray("[RZ-7]\nKnobMin=low\nKnobMax=119\nPadMax=39\n") << false << "5 120 40";
        QTest::newRow("other group") << QByteArray("[RZ-9]\nKnobMin=6\nKnobMax=119\nPadMax=39\n") << false << "5 120 40";
    }
    void limits()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, ok);
        QFETCH(QString, limits);
        QTemporaryDir dir;
        const QString path = body.isEmpty() ? dir.filePath(QStringLiteral("none.ini")) : writeIni(dir, body);
        SLimits read;
        QCOMPARE(readLimits(path, &read), ok);
        QCOMPARE(QString("%1 %2 %3").arg(read.knobMin).arg(read.knobMax).arg(read.padMax), limits);
    }

    // The LED colour test tick by tick: red, green, blue and white 800 ms
    // apart, then the LED that names no control; clicked again it starts over.
    void colourTest()
    {
        SelfTestRecorder out;
        CPadTestModel m(7, out);
        m.initDialog();
        m.restartTest();
        out.frames.clear();
        m.startColourTest();
        QStringList seen;
        for (int t = 0; t <= 20; ++t) {
            m.tick();
            for (const QString &f : out.takeFrames()) {
                if (!f.startsWith(QLatin1String("78 59 66")))
                    seen << QString("%1:%2").arg(t).arg(f.mid(6, 2) + "/" + lastByte(f));
            }
        }
        QCOMPARE(seen, QStringList({"4:51/12", "8:51/12", "12:51/12", "16:51/36", "20:73/9C"}));
        QVERIFY(!m.ledTest());
        QCOMPARE(m.tickCount(), uchar(1));

        // Started again one second into a run: red follows four ticks later.
        m.startColourTest();
        for (int t = 0; t < 5; ++t)
            m.tick();
        out.frames.clear();
        m.startColourTest();
        for (int t = 0; t < 5; ++t)
            m.tick();
        const QStringList again = out.takeFrames().filter(QRegularExpression("^78 59 51"));
        QCOMPARE(again.size(), 1);
        QCOMPARE(again.first().mid(21, 8), QString("00 FF 00"));
    }

    // The lamps follow the status record; a record under 32 bytes, a frame
    // whose payload did not come whole and a flash answer without its byte
    // change nothing.
    void lampsAndFlash()
    {
        SelfTestRecorder out;
        CPadTestModel pad(7, out);
        pad.initDialog();
        feed(pad, statusFrame(29, 0xC0));
        QVERIFY(pad.lamp(LampMidi) && pad.lamp(LampBluetooth) && pad.lamp(LampUsb));
        feed(pad, statusFrame(29, 0x40));
        QVERIFY(pad.lamp(LampMidi) && !pad.lamp(LampBluetooth));
        feed(pad, statusFrame(29, 0x80, 30));
        QVERIFY(pad.lamp(LampMidi) && !pad.lamp(LampBluetooth));
        QByteArray cut = statusFrame(29, 0x80);
        cut.chop(4);
        feed(pad, cut);
        QVERIFY(!pad.lamp(LampBluetooth));

        CPadTestModel small(8, out);
        small.initDialog();
        feed(small, statusFrame(28, 0x80));
        QVERIFY(small.lamp(LampBluetooth) && !small.lamp(LampMidi));
        feed(small, statusFrame(29, 0xC0));
        QVERIFY(!small.lamp(LampBluetooth) && !small.lamp(LampMidi));

        const QByteArray empty = tavrotest::hex("78 59 74 00 00 00 FF");
        const QByteArray passed = tavrotest::hex("78 59 74 01 00 00 01 FE");
        const QByteArray failed = tavrotest::hex("78 59 74 01 00 00 00 FF");
        feed(pad, empty);
        feed(pad, passed);
        QVERIFY(!pad.errorShown());
        feed(pad, failed);
        QVERIFY(pad.errorShown());
        QCOMPARE(pad.lastError(), 1);
        QCOMPARE(errorText(uchar(pad.lastError())), QString::fromUtf8("Flash 存储错误！请重新测试！"));
    }

    // A poll that cannot be sent takes the lamps off and restarts the test;
    // the next poll that goes out turns the USB lamp on again.
    void failedPoll()
    {
        SelfTestRecorder out;
        CPadTestModel m(7, out);
        m.initDialog();
        m.restartTest();
        feed(m, statusFrame(29, 0xC0));
        out.frames.clear();
        out.sendResult = false;
        m.tick();
        QVERIFY(!m.lamp(LampUsb) && !m.lamp(LampMidi) && m.lamp(LampBluetooth));
        QCOMPARE(out.takeFrames(), QStringList({"78 59 66 00 00 00 FF", "78 59 72 00 00 00 FF",
                                                "78 59 73 04 00 00 64 00 FF 00 9C"}));
        out.sendResult = true;
        for (int t = 0; t < 5; ++t)
            m.tick();
        QVERIFY(m.lamp(LampUsb));
    }
};

QTEST_GUILESS_MAIN(TestPadTestModel)
#include "test_padtestmodel.moc"
