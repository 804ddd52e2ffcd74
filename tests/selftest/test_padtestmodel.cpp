// The pad self-test without widgets: its frames, its limits file, and its
// LED colour test tick by tick.
#include <QtTest>

#include <QTemporaryDir>

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
        QTest::newRow("KnobMin at KnobMax") << QByteArray("[RZ-7]\nKnobMin=90\nKnobMax=90\nPadMax=39\n") << false << "5 120 40";
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
};

QTEST_GUILESS_MAIN(TestPadTestModel)
#include "test_padtestmodel.moc"
