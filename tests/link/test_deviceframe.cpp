#include "deviceframe.h"
#include "bytes.h"
#include "testmain.h"

using namespace tavrotest;

class TestDeviceFrame : public QObject
{
    Q_OBJECT
private slots:
    void builtFrames_data();
    void builtFrames();
    void checksumOfEmptyPayload();
    void verify();
    void fixedFramesInOrder();
    void clamp();
    void bits();
    void headerOf65BytePayload();
};

void TestDeviceFrame::builtFrames_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("poll") << int(CMD_POLL) << QByteArray() << hex("78 59 66 00 00 00 FF");
    QTest::newRow("hello") << int(CMD_HOST_HELLO) << hex("01") << hex("78 59 12 01 00 00 01 FE");
    QTest::newRow("factory reset") << int(CMD_FACTORY_RESET) << hex("78 59") << hex("78 59 70 02 00 00 78 59 2E");
    QTest::newRow("enter upgrade") << int(CMD_ENTER_UPGRADE) << hex("7F 7F") << hex("78 59 71 02 00 00 7F 7F 01");
    QTest::newRow("sum multiple of 256") << int(CMD_SAVE) << hex("80 80") << hex("78 59 68 02 00 00 80 80 FF");
    // 0x1D1 = 0xFF + 0xFF + 0xD3: the sum is taken modulo 256 before it is inverted
    QTest::newRow("sum 0x1D1") << int(CMD_SAVE) << hex("FF FF D3") << hex("78 59 68 03 00 00 FF FF D3 2E");
}

void TestDeviceFrame::builtFrames()
{
    QFETCH(int, command);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, frame);

    QByteArray buf(payload.size() + 7, char(0xAA));
    memcpy(buf.data() + 6, payload.constData(), size_t(payload.size()));
    const uint n = buildFrame(reinterpret_cast<uchar *>(buf.data()), uchar(command), uint(payload.size()));
    QCOMPARE(int(n), frame.size());
    QCOMPARE(toHex(buf), toHex(frame));

    // The same frame through the other road: header, payload, checksum.
    QByteArray other(payload.size() + 7, char(0x55));
    frameInitHeader(reinterpret_cast<uchar *>(other.data()), uchar(command), uint(payload.size()));
    memcpy(other.data() + 6, payload.constData(), size_t(payload.size()));
    frameSetChecksum(reinterpret_cast<uchar *>(other.data()));
    QCOMPARE(toHex(other), toHex(frame));
    QCOMPARE(uchar(frameChecksum(u8(frame))), uchar(frame.back()));
    QVERIFY(frameVerify(u8(frame), uint(frame.size())));
}

void TestDeviceFrame::checksumOfEmptyPayload()
{
    const QByteArray poll = hex("78 59 66 00 00 00 FF");
    QCOMPARE(frameChecksum(u8(poll)), -1);
    QVERIFY(frameVerify(u8(poll), 7));
    QCOMPARE(frameChecksum(u8(hex("78 59 12 01 00 00 01 00"))) & 0xFF, 0xFE);
}

void TestDeviceFrame::verify()
{
    const QByteArray reset = hex("78 59 70 02 00 00 78 59 2E");
    QVERIFY(frameVerify(u8(reset), 9));
    QVERIFY(!frameVerify(u8(reset), 8));                              // shorter than its header says
    QVERIFY(!frameVerify(u8(reset), 6));                              // shorter than any frame
    QVERIFY(!frameVerify(u8(hex("78 59 70 02 00 00 78 59 2F")), 9));  // wrong checksum
    // A frame longer than its header says is judged by its last byte.
    QVERIFY(!frameVerify(u8(hex("78 59 66 00 00 00 FF 00")), 8));
    QVERIFY(frameVerify(u8(hex("78 59 66 00 00 00 FF FF")), 8));
    // A header claiming more than 16 MiB can never pass on a short buffer.
    QVERIFY(!frameVerify(u8(hex("78 59 66 FF FF FF FF")), 7));
}

void TestDeviceFrame::fixedFramesInOrder()
{
    const char *expected[5] = {"78 59 11 00 00 00 FF", "78 59 71 02 00 00 7F 7F 01", "78 59 66 00 00 00 FF",
                               "78 59 70 02 00 00 78 59 2E", "78 59 72 00 00 00 FF"};
    const SFixedFrame *named[5] = {&g_fixedFrameDeviceInfo, &g_fixedFrameEnterUpgrade, &g_fixedFramePoll,
                                   &g_fixedFrameFactoryReset, &g_fixedFrameTestStart};
    for (int i = 0; i < 5; ++i) {
        const SFixedFrame &f = g_fixedFrames[i];
        QCOMPARE(&f, named[i]);
        const QByteArray bytes(reinterpret_cast<const char *>(f.bytes), f.length);
        QCOMPARE(toHex(bytes), toHex(hex(expected[i])));
        QVERIFY(frameVerify(f.bytes, f.length));
        for (int k = f.length; k < 29; ++k)
            QCOMPARE(int(f.bytes[k]), 0);
    }
    QCOMPARE(int(sizeof(SFixedFrame)), 30);
}

void TestDeviceFrame::clamp()
{
    uchar bytes[6] = {9, 10, 45, 90, 91, 0};
    clampBytesToRange(bytes, 6, 90, 10);
    const uchar expected[6] = {45, 10, 45, 90, 45, 45};
    QCOMPARE(QByteArray(reinterpret_cast<char *>(bytes), 6), QByteArray(reinterpret_cast<const char *>(expected), 6));

    uchar untouched[2] = {1, 200};
    clampBytesToRange(untouched, 0, 10, 90);
    QCOMPARE(int(untouched[0]), 1);
    QCOMPARE(int(untouched[1]), 200);
    clampBytesToRange(nullptr, 4, 10, 90); // must not crash
}

void TestDeviceFrame::bits()
{
    QCOMPARE(int(setBit(0x00, 7, true)), 0x80);
    QCOMPARE(int(setBit(0xFF, 0, false)), 0xFE);
    QCOMPARE(int(setBit(0x12, 8, true)), 0x12);
    QCOMPARE(int(setBit(0x12, 200, false)), 0x12);
    QCOMPARE(int(setBit(0x10, 4, true)), 0x10);
}

void TestDeviceFrame::headerOf65BytePayload()
{
    uchar frame[72] = {};
    QCOMPARE(buildFrame(frame, CMD_WRITE_PADS, 65), 72u);
    QCOMPARE(int(frame[3]), 0x41);
    QCOMPARE(int(frame[4]), 0x00);
    QCOMPARE(int(frame[5]), 0x00);
    QCOMPARE(int(frame[71]), 0xFF);

    // Bits above 23 of the length are not stored.
    uchar header[7] = {};
    frameInitHeader(header, CMD_POLL, 0x01ABCDEF);
    QCOMPARE(framePayloadLength(header), 0xABCDEFu);
}

TAVRO_TEST_MAIN(TestDeviceFrame)
#include "test_deviceframe.moc"
