#include "sysexpacking.h"
#include "bytes.h"
#include "testmain.h"

#include <QRandomGenerator>

using namespace tavrotest;

namespace {
QByteArray pack(const QByteArray &frame)
{
    QByteArray out(int(packedSysExSize(uint(frame.size()))), '\0');
    const uint n = packSysEx(u8(frame), uint(frame.size()), reinterpret_cast<uchar *>(out.data()));
    out.resize(int(n));
    return out;
}

QByteArray unpack(const QByteArray &packed, uint cap = 70000)
{
    QByteArray out(int(cap), '\0');
    const uint n = unpackSysEx(u8(packed), uint(packed.size()), reinterpret_cast<uchar *>(out.data()), cap);
    out.resize(int(qMin(n, cap)));
    return out;
}
} // namespace

class TestSysExPacking : public QObject
{
    Q_OBJECT
private slots:
    void workedExamples_data();
    void workedExamples();
    void sizes();
    void roundTripRandom();
    void unpackIntoSmallBuffer();
    void rawWrapping();
};

void TestSysExPacking::workedExamples_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("packed");
    QTest::newRow("device info") << hex("78 59 11 00 00 00 FF") << hex("F0 78 32 45 00 00 00 40 7F F7");
    QTest::newRow("poll") << hex("78 59 66 00 00 00 FF") << hex("F0 78 32 19 03 00 00 40 7F F7");
    QTest::newRow("hello") << hex("78 59 12 01 00 00 01 FE") << hex("F0 78 32 49 08 00 00 40 00 7E 01 F7");
    QTest::newRow("read preset") << hex("78 59 67 01 00 00 02 FD") << hex("F0 78 32 1D 0B 00 00 00 01 7D 01 F7");
    QTest::newRow("factory reset") << hex("78 59 70 02 00 00 78 59 2E")
                                   << hex("F0 78 32 41 13 00 00 00 3C 59 5C 00 F7");
    QTest::newRow("empty") << QByteArray() << hex("F0 F7");
    QTest::newRow("seven FF") << QByteArray(7, char(0xFF)) << hex("F0 7F 7F 7F 7F 7F 7F 7F 7F F7");
    QTest::newRow("eight 80") << QByteArray(8, char(0x80)) << hex("F0 00 01 02 04 08 10 20 40 00 01 F7");
}

void TestSysExPacking::workedExamples()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, packed);
    QCOMPARE(toHex(pack(frame)), toHex(packed));
    // Unpacking gives the frame back; leftover bits are dropped.
    QCOMPARE(toHex(unpack(packed)), toHex(frame));
}

void TestSysExPacking::sizes()
{
    QCOMPARE(packedSysExSize(0), 2u);
    QCOMPARE(packedSysExSize(7), 10u);
    QCOMPARE(packedSysExSize(72), 85u);
    QCOMPARE(pack(QByteArray(72, 'x')).size(), 85);
    QCOMPARE(packedSysExSize(4937), 5645u); // the foot pedal's configuration reply
    QCOMPARE(packedSysExSize(62718), 71680u); // the largest frame the send buffer holds
}

void TestSysExPacking::roundTripRandom()
{
    QRandomGenerator rng(1234);
    for (int round = 0; round < 200; ++round) {
        QByteArray frame(int(rng.bounded(0, 5000)), '\0');
        for (char &c : frame)
            c = char(rng.bounded(256));
        const QByteArray packed = pack(frame);
        QCOMPARE(packed.size(), int(packedSysExSize(uint(frame.size()))));
        QCOMPARE(uchar(packed.front()), uchar(0xF0));
        QCOMPARE(uchar(packed.back()), uchar(0xF7));
        for (int i = 1; i < packed.size() - 1; ++i)
            QVERIFY2(uchar(packed[i]) < 0x80, "packed bytes are data bytes");
        QCOMPARE(unpack(packed), frame);
    }
}

void TestSysExPacking::unpackIntoSmallBuffer()
{
    const QByteArray packed = pack(QByteArray(100, 'a'));
    QByteArray out(16, '\0');
    out.append("GUARD");
    const uint n = unpackSysEx(u8(packed), uint(packed.size()), reinterpret_cast<uchar *>(out.data()), 16);
    QCOMPARE(n, 100u);                      // the full length is reported
    QCOMPARE(out.left(16), QByteArray(16, 'a'));
    QCOMPARE(out.mid(16), QByteArray("GUARD")); // nothing written past the capacity
}

void TestSysExPacking::rawWrapping()
{
    const QByteArray frame = hex("78 59 66 00 00 00 FF");
    QByteArray out(9, '\0');
    QCOMPARE(wrapSysExRaw(u8(frame), 7, reinterpret_cast<uchar *>(out.data())), 9u);
    QCOMPARE(toHex(out), toHex(hex("F0 78 59 66 00 00 00 FF F7")));
}

TAVRO_TEST_MAIN(TestSysExPacking)
#include "test_sysexpacking.moc"
