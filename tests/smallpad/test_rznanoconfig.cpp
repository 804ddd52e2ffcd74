// The small pad controller's block and system record: the checks and the
// section frames, against byte offsets written out here.
#include "devices/shared/pageframes.h"
#include "devices/smallpad/rznanoconfig.h"
#include "bytes.h"
#include "padtest.h"
#include "testmain.h"

#include <cstring>

using namespace tavrotest;
using namespace rznano;

namespace {

// A block whose byte i is (7 i + 3) mod 256, so every slice is recognisable.
SRznanoConfigData patternBlock()
{
    SRznanoConfigData block;
    auto *p = reinterpret_cast<uchar *>(&block);
    for (uint i = 0; i < sizeof block; ++i)
        p[i] = uchar(7 * i + 3);
    return block;
}

QByteArray slice(const SRznanoConfigData &block, int from, int count)
{
    return QByteArray(reinterpret_cast<const char *>(&block) + from, count);
}

QByteArray built(const uchar *buf, uint n)
{
    return QByteArray(reinterpret_cast<const char *>(buf), int(n));
}

SSystemConfigData goodSystem()
{
    SSystemConfigData s;
    std::memset(&s, 0, sizeof s);
    s.setTempo(120);
    s.gate = 50;
    s.swing = 50;
    s.aftertouchDelay = 5;
    s.fullLevelVelocity = 127;
    std::memset(s.padThreshold, 45, sizeof s.padThreshold);
    return s;
}

} // namespace

class TestRznanoConfig : public QObject
{
    Q_OBJECT
private slots:
    void systemCheck_data();
    void systemCheck();
    void padDataCheck_data();
    void padDataCheck();
    void recordEncoding_data();
    void recordEncoding();
    void emptyBlock();
    void sectionFrames_data();
    void sectionFrames();
    void framesRefuseBadBanks();
    void poolOrder_data();
    void poolOrder();
    void expansionStaysInside();
};

void TestRznanoConfig::systemCheck_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("accepted");
    // offset -1: the tempo, as a 16-bit value.
    QTest::newRow("tempo 29") << -1 << 29 << false;
    QTest::newRow("tempo 30") << -1 << 30 << true;
    QTest::newRow("tempo 300") << -1 << 300 << true;
    QTest::newRow("tempo 301") << -1 << 301 << false;
    QTest::newRow("preset 7") << 3 << 7 << true;
    QTest::newRow("preset 8") << 3 << 8 << false;
    QTest::newRow("curve 4") << 4 << 4 << true;
    QTest::newRow("curve 5") << 4 << 5 << false;
    QTest::newRow("division 7") << 5 << 7 << true;
    QTest::newRow("division 8") << 5 << 8 << false;
    QTest::newRow("swing 49") << 7 << 49 << false;
    QTest::newRow("swing 52") << 7 << 52 << true;
    QTest::newRow("swing 70") << 7 << 70 << true;
    QTest::newRow("swing 71") << 7 << 71 << false;
    // Bytes the check does not look at.
    QTest::newRow("bank 7") << 2 << 7 << true;
    QTest::newRow("gate 0") << 6 << 0 << true;
    QTest::newRow("byte 31") << 31 << 0xAB << true;
}

void TestRznanoConfig::systemCheck()
{
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(bool, accepted);
    SSystemConfigData s = goodSystem();
    if (offset < 0)
        s.setTempo(std::uint16_t(value));
    else
        reinterpret_cast<uchar *>(&s)[offset] = uchar(value);
    QCOMPARE(check_system_config_data(s), accepted);
}

void TestRznanoConfig::padDataCheck_data()
{
    QTest::addColumn<int>("bank");
    QTest::addColumn<int>("offset"); // block byte set to value, -1 none
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("passes");
    QTest::newRow("all zero") << 0 << -1 << 0 << true;
    QTest::newRow("bank 3") << 3 << -1 << 0 << true;
    QTest::newRow("bank 4") << 4 << -1 << 0 << false;
    QTest::newRow("pad mode 4") << 0 << 4 * 47 << 0x40 << true;
    QTest::newRow("pad mode 5") << 0 << 4 * 47 << 0x50 << false;
    QTest::newRow("button mode 6") << 0 << 336 + 8 << 0x60 << true;
    QTest::newRow("button mode 7") << 0 << 336 + 8 << 0x70 << false;
    QTest::newRow("long press mode 7") << 0 << 348 << 0xF0 << false;
}

void TestRznanoConfig::padDataCheck()
{
    QFETCH(int, bank);
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(bool, passes);
    SRznanoConfigData block;
    std::memset(&block, 0, sizeof block);
    if (offset >= 0)
        reinterpret_cast<uchar *>(&block)[offset] = uchar(value);
    SSystemConfigData s = goodSystem();
    s.padBank = uchar(bank);
    QCOMPARE(check_pad_data(block, s), passes);
}

void TestRznanoConfig::recordEncoding_data()
{
    QTest::addColumn<int>("offset"); // record byte set before the send, -1 none
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("list");   // list whose row is given, -1 none
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("checked"); // record byte looked at after the send
    QTest::addColumn<int>("sent");
    QTest::newRow("threshold 9") << 10 << 9 << -1 << 0 << 10 << 45;
    QTest::newRow("threshold 10") << 11 << 10 << -1 << 0 << 11 << 10;
    QTest::newRow("threshold 90") << 12 << 90 << -1 << 0 << 12 << 90;
    QTest::newRow("threshold 91") << 25 << 91 << -1 << 0 << 25 << 45;
    QTest::newRow("threshold 0") << 13 << 0 << -1 << 0 << 13 << 45;
    QTest::newRow("C5, Never") << 29 << 0xC5 << int(ListStandby) << 0 << 29 << 0xC2;
    QTest::newRow("pad-down colour 5 kept") << 29 << 0xC5 << int(ListPadDownColour) << -1 << 29 << 0xC5;
    QTest::newRow("pad-down colour 7 kept") << 29 << 0x07 << int(ListPadDownColour) << -1 << 29 << 0x07;
    QTest::newRow("byte 30 sent back") << 30 << 0x5A << -1 << 0 << 30 << 0x5A;
    QTest::newRow("byte 31 zero") << -1 << 0 << -1 << 0 << 31 << 0;
    QTest::newRow("first gate") << 6 << 50 << int(ListGate) << 0 << 6 << 1;
    QTest::newRow("gate 0 without a row") << 6 << 0 << int(ListGate) << -1 << 6 << 0;
    QTest::newRow("last delay") << 9 << 5 << int(ListAftertouchDelay) << 145 << 9 << 150;
    QTest::newRow("last division") << 5 << 0 << int(ListDivision) << 7 << 5 << 7;
    QTest::newRow("last swing") << 7 << 50 << int(ListSwing) << 9 << 7 << 70;
    QTest::newRow("curve 4 without a row") << 4 << 4 << int(ListCurve) << -1 << 4 << 4;
    QTest::newRow("full level 0 kept") << 27 << 0 << int(ListFullLevelVelocity) << -1 << 27 << 0;
    QTest::newRow("tempo high byte") << -1 << 0 << int(ListTempo) << 270 << 1 << 1;
}

void TestRznanoConfig::recordEncoding()
{
    QFETCH(int, offset);
    QFETCH(int, held);
    QFETCH(int, list);
    QFETCH(int, row);
    QFETCH(int, checked);
    QFETCH(int, sent);
    SSystemConfigData s = goodSystem();
    s.displayFlags = 0x02; // "Reverse pad color", "Never"
    auto *bytes = reinterpret_cast<uchar *>(&s);
    if (offset >= 0)
        bytes[offset] = uchar(held);
    // Every list shows its field's row, unless the row says otherwise.
    int rows[kGlobalLists];
    for (int l = 0; l < kGlobalLists; ++l)
        rows[l] = pagekit::listRow(bytes, globalListField(l));
    rows[ListPadDownColour] = 2;
    rows[ListStandby] = 0;
    if (list >= 0)
        rows[list] = row;
    encodeSystemRecord(s, rows);
    QCOMPARE(int(bytes[checked]), sent);
}

void TestRznanoConfig::emptyBlock()
{
    SRznanoConfigData block;
    std::memset(&block, 0, sizeof block);
    QVERIFY(isConfigEmpty(block));
    block.CRC = 1;
    QVERIFY(!isConfigEmpty(block));
    block.CRC = 0;
    block.PadData[0][0].ctrl = 0x80;
    QVERIFY(!isConfigEmpty(block));
}

void TestRznanoConfig::sectionFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const SRznanoConfigData block = patternBlock();
    uchar buf[kTxBufferSize];

    QTest::newRow("pad colours bank 2, pad 5, 62")
        << built(buf, buildPadColoursFrame(buf, block, 5, 2))
        << frame(CMD_PAD_COLOURS, QByteArray(1, char(5)) + slice(block, 192 + 96, 48) + slice(block, 360 + 6, 3)
                                      + slice(block, 369 + 6, 3));
    QTest::newRow("pad colours all pads, bank 0")
        << built(buf, buildPadColoursFrame(buf, block, kAllPads, 0))
        << frame(CMD_PAD_COLOURS, QByteArray(1, char(0xFF)) + slice(block, 192, 48) + slice(block, 360, 3)
                                      + slice(block, 369, 3));
    QTest::newRow("mode colours, 25") << built(buf, buildModeColoursFrame(buf, block))
                                      << frame(CMD_WRITE_MODE_COLOURS, slice(block, 360, 18));
    QTest::newRow("keys, 31") << built(buf, buildWriteKeysFrame(buf, block))
                              << frame(CMD_WRITE_KEYS, slice(block, 336, 24));
    QTest::newRow("pads bank 1, 72") << built(buf, buildWritePadsFrame(buf, block, 1))
                                     << frame(CMD_WRITE_PADS, QByteArray(1, char(1)) + slice(block, 64, 64));
    QTest::newRow("pool of 10, 19") << built(buf, pagekit::buildSysexPoolFrame(buf, block.SysexPool, kPoolSize, 10))
                                    << frame(CMD_WRITE_SYSEX_POOL, QByteArray("\x0A\x00", 2) + slice(block, 378, 10));
    QTest::newRow("empty pool") << built(buf, pagekit::buildSysexPoolFrame(buf, block.SysexPool, kPoolSize, 0)) << hex("78 59 59 02 00 00 00 00 FF");
    QTest::newRow("pool cut at 300")
        << built(buf, pagekit::buildSysexPoolFrame(buf, block.SysexPool, kPoolSize, 301))
        << frame(CMD_WRITE_SYSEX_POOL, QByteArray("\x2C\x01", 2) + slice(block, 378, 300));
    QTest::newRow("whole block, 686") << built(buf, buildWriteConfigFrame(buf, block))
                                      << frame(CMD_WRITE_CONFIG, slice(block, 0, 679));
}

void TestRznanoConfig::sectionFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(toHex(frame), toHex(expected));
}

void TestRznanoConfig::framesRefuseBadBanks()
{
    const SRznanoConfigData block = patternBlock();
    uchar buf[kTxBufferSize];
    QCOMPARE(buildWritePadsFrame(buf, block, 3), 0u);
    QCOMPARE(buildPadColoursFrame(buf, block, 0, 3), 0u);
    QCOMPARE(buildPadColoursFrame(buf, block, 16, 0), 0u);
    SSystemConfigData s = goodSystem();
    s.padBank = 7;
    QCOMPARE(bankOf(s), 0u);
    s.padBank = 2;
    QCOMPARE(bankOf(s), 2u);
}

// Records for the pool tests: block offset of the record, byte 0, length.
using Refs = QList<QList<int>>;

void TestRznanoConfig::poolOrder_data()
{
    QTest::addColumn<Refs>("records");
    QTest::addColumn<QList<int>>("offsets"); // after repacking; -1: the record's bytes stay
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("no Customize record") << Refs{} << QList<int>{} << hex("00 00");
    // Long press of button 0 (6 bytes) and bank-0 pad 3 (4 bytes): buttons first.
    QTest::newRow("button, then pad") << Refs{{348, 0x50, 6}, {4 * 3, 0x40, 4}} << QList<int>{0, 6}
                                      << hex("0A 00 A0 A1 A2 A3 A4 A5 B0 B1 B2 B3");
    // A button in mode 4 and a pad in mode 5 are not Customize records.
    QTest::newRow("other modes") << Refs{{336, 0x40, 6}, {4 * 20, 0x50, 4}, {4 * 47, 0x40, 2}}
                                 << QList<int>{-1, -1, 0} << hex("02 00 C0 C1");
    // Length 0 takes the fill as its offset and adds nothing; banks in order.
    QTest::newRow("empty message, banks in order") << Refs{{4 * 40, 0x40, 1}, {4 * 2, 0x40, 0}, {4 * 20, 0x40, 1}}
                                                   << QList<int>{1, 0, 0} << hex("02 00 C0 A0");
}

void TestRznanoConfig::poolOrder()
{
    QFETCH(Refs, records);
    QFETCH(QList<int>, offsets);
    QFETCH(QByteArray, payload);
    SRznanoConfigData block;
    std::memset(&block, 0, sizeof block);
    SRznanoSysexWork work;
    std::memset(&work, 0, sizeof work);
    auto *bytes = reinterpret_cast<uchar *>(&block);
    for (int i = 0; i < records.size(); ++i) {
        const int at = records[i][0];
        bytes[at] = uchar(records[i][1]);
        bytes[at + 1] = 0x77; // an old offset
        bytes[at + 3] = uchar(records[i][2]);
        uchar *buffer = at < 192 ? work.padSysex[at / 64][at % 64 / 4]
                        : at < 348 ? work.keySysex[(at - 336) / 4] : work.keyLongSysex[(at - 348) / 4];
        for (int k = 0; k < 40; ++k)
            buffer[k] = uchar(0xA0 + 0x10 * i + k); // the message names its record
    }
    const pagekit::SPackResult packed = pagekit::packSysexPool(block.SysexPool, kPoolSize, poolList(block, work));
    uchar buf[kTxBufferSize];
    QCOMPARE(toHex(built(buf, pagekit::buildSysexPoolFrame(buf, block.SysexPool, kPoolSize, packed.used))),
             toHex(frame(CMD_WRITE_SYSEX_POOL, payload)));
    for (int i = 0; i < offsets.size(); ++i) {
        const uchar *rec = bytes + records[i][0];
        QCOMPARE(int(rec[1] | rec[2] << 8), offsets[i] < 0 ? 0x77 : offsets[i]);
    }
}

// A reference past the pool or longer than 40 bytes is cut to what lies
// inside both, and its record says so.
void TestRznanoConfig::expansionStaysInside()
{
    SRznanoConfigData block;
    std::memset(&block, 0, sizeof block);
    for (uint i = 0; i < kPoolSize; ++i)
        block.SysexPool[i] = uchar(i);
    SRznanoSysexWork work;
    std::memset(&work, 0xEE, sizeof work);
    block.PadData[0][0] = SControlRecord{0x40, 0x28, 0x01, 40}; // 296..335: 4 inside
    block.KeyData[1] = SControlRecord{0x50, 0x0A, 0x00, 60};     // 60 bytes: 40 kept
    const uint used = pagekit::expandSysexPool(block.SysexPool, kPoolSize, poolList(block, work));
    QCOMPARE(used, 44u);
    QCOMPARE(int(block.PadData[0][0].value2), 4);
    QCOMPARE(int(block.KeyData[1].value2), 40);
    QCOMPARE(int(work.padSysex[0][0][3]), 299 & 0xFF);
    QCOMPARE(int(work.padSysex[0][0][4]), 0xEE);
    QCOMPARE(int(work.keySysex[1][39]), 49);
}

TAVRO_TEST_MAIN(TestRznanoConfig)
#include "test_rznanoconfig.moc"
