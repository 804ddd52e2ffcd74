// The shared page toolkit without windows: block-free frames, reply parsers
// with short and lying lengths, the SysEx pool's bounds and its report of
// moved references, list rows for values without a row, and the per-control
// rules over record spans, and the transport pictures of the pad pages.
#include "devices/shared/controlrules.h"
#include "devices/shared/listrows.h"
#include "devices/shared/padview.h"
#include "devices/shared/pageframes.h"
#include "devices/shared/sysexpool.h"
#include "bytes.h"
#include "testmain.h"
#include "utils.h"

#include <QImage>
#include <QTranslator>

#include <cstring>

using namespace tavrotest;
using namespace pagekit;

namespace {

QByteArray built(const uchar *buf, uint n)
{
    return QByteArray(reinterpret_cast<const char *>(buf), int(n));
}

QByteArray bytesOf(const SParsedText &p)
{
    return QByteArray(reinterpret_cast<const char *>(p.bytes), int(p.length));
}

QString hexDigits(int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += QLatin1Char(i % 2 ? '7' : '1');
    return s;
}

// A complete SysEx message of n bytes (n >= 2).
QString sysexOfLength(int n)
{
    QString s = QStringLiteral("F0 ");
    for (int i = 0; i < n - 2; ++i)
        s += QStringLiteral("01 ");
    return s + QStringLiteral("F7");
}

// A 300-byte pool whose byte i is (7 i + 3) mod 256.
QByteArray patternPool()
{
    QByteArray pool(300, '\0');
    for (int i = 0; i < pool.size(); ++i)
        pool[i] = char(7 * i + 3);
    return pool;
}

// Answers every text of one context with a marked copy, nothing else.
class MarkingTranslator : public QTranslator
{
public:
    explicit MarkingTranslator(const char *context) : m_context(context) {}
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, m_context) != 0)
            return QString();
        return QStringLiteral("<") + QString::fromUtf8(source) + QStringLiteral(">");
    }

private:
    const char *m_context;
};

} // namespace

class TestPageKit : public QObject
{
    Q_OBJECT
private slots:
    void blockFreeFrames();
    void configReplyLengths_data();
    void configReplyLengths();
    void systemAndResultReplies();
    void expandStaysInBounds();
    void packStopsAtThePool();
    void packReportsMovedReferences();
    void referencesInsideThePool();
    void listRows_data();
    void listRows();
    void switches();
    void hexDigitBytesSkipOtherCharacters();
    void sysexText_parsesDigitsOnly_data();
    void sysexText_parsesDigitsOnly();
    void sysexText_limits();
    void sysexText_formats();
    void setAllData1_padOrder_data();
    void setAllData1_padOrder();
    void setAllOverSpans();
    void padCaptions();
    void transportPictures_data();
    void transportPictures();
};

void TestPageKit::blockFreeFrames()
{
    uchar buf[400];
    QCOMPARE(toHex(built(buf, buildReadPresetFrame(buf, 3))), QStringLiteral("78 59 67 01 00 00 03 FC"));
    QCOMPARE(toHex(built(buf, buildSaveFrame(buf))), QStringLiteral("78 59 68 00 00 00 FF"));
    QCOMPARE(toHex(built(buf, buildPageCloseFrame(buf))), QStringLiteral("78 59 75 00 00 00 FF"));

    const QByteArray record = hex("78 00 00 00 00 01 04 32 32 00 0F") + QByteArray(21, char(45));
    const uint n = buildSystemRecordFrame(buf, record.constData(), 32);
    QCOMPARE(n, 39u);
    QCOMPARE(toHex(built(buf, n)), toHex(frameOf(0x50, record)));
    QCOMPARE(buildSystemRecordFrame(buf, record.constData(), 30), 37u);

    const QByteArray pool = patternPool();
    QCOMPARE(toHex(built(buf, buildSysexPoolFrame(buf, u8(pool), 300, 15))),
             toHex(frameOf(0x59, hex("0F 00") + pool.left(15))));
    // More than the pool holds is cut to the pool; an empty pool is two zero bytes.
    QCOMPARE(toHex(built(buf, buildSysexPoolFrame(buf, u8(pool), 300, 1000))),
             toHex(frameOf(0x59, hex("2C 01") + pool)));
    QCOMPARE(toHex(built(buf, buildSysexPoolFrame(buf, u8(pool), 300, 0))), QStringLiteral("78 59 59 02 00 00 00 00 FF"));
}

void TestPageKit::configReplyLengths_data()
{
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<int>("payloadLength");
    QTest::addColumn<int>("received");
    QTest::addColumn<int>("copied");
    QTest::newRow("whole block") << 823 << 824 << 831 << 823;
    QTest::newRow("payload says more than a block") << 823 << 2000 << 2007 << 823;
    QTest::newRow("cut off on the way") << 823 << 824 << 100 << 92;
    QTest::newRow("short payload") << 823 << 11 << 831 << 10;
    QTest::newRow("preset byte only") << 823 << 1 << 8 << 0;
    QTest::newRow("no payload") << 823 << 0 << 7 << 0;
    QTest::newRow("header only") << 823 << 824 << 6 << 0;
    QTest::newRow("preset byte, no checksum") << 823 << 824 << 7 << 0;
    // Another model's block: the checksum never lands in it.
    QTest::newRow("679 bytes, whole") << 679 << 680 << 687 << 679;
    QTest::newRow("679 bytes, eleven received") << 679 << 680 << 11 << 3;
}

void TestPageKit::configReplyLengths()
{
    QFETCH(int, blockSize);
    QFETCH(int, payloadLength);
    QFETCH(int, received);
    QFETCH(int, copied);

    // The buffer holds exactly what was received, so ASan sees any read past it.
    QByteArray frame(received, '\0');
    frame[0] = char(0x78);
    frame[1] = char(0x59);
    frame[2] = char(CMD_READ_PRESET);
    frame[3] = char(payloadLength & 0xFF);
    frame[4] = char(payloadLength >> 8);
    frame[5] = char(0);
    for (int i = 6; i < received; ++i)
        frame[i] = char(i == 6 ? 5 : 0x40 + i % 64);

    QByteArray block(blockSize, char(0xEE));
    uchar preset = 0xAA;
    QCOMPARE(int(parseConfigReply(u8(frame), uint(received), block.data(), uint(blockSize), &preset)), copied);
    for (int i = 0; i < copied; ++i)
        QCOMPARE(int(uchar(block[i])), 0x40 + (i + 7) % 64);
    for (int i = copied; i < blockSize; ++i)
        QCOMPARE(int(uchar(block[i])), 0xEE);
    QCOMPARE(int(preset), payloadLength >= 1 && received > 6 ? 5 : 0xAA);
}

void TestPageKit::systemAndResultReplies()
{
    const QByteArray record = hex("78 00 00 00 00 01 04 32 32 00 0F") + QByteArray(21, char(45));
    const QByteArray whole = frameOf(0x50, record);
    QByteArray out(32, '\0');
    QVERIFY(parseSystemRecord(u8(whole), uint(whole.size()), out.data(), 32));
    QCOMPARE(out, record);
    // Without the checksum the 32 bytes are all there; a 30-byte record is in there too.
    QVERIFY(parseSystemRecord(u8(whole), 38, out.data(), 32));
    QVERIFY(parseSystemRecord(u8(whole), 36, out.data(), 30));

    out.fill('\0');
    const QByteArray shortRecord = frameOf(0x50, QByteArray(31, char(1)));
    QVERIFY(!parseSystemRecord(u8(shortRecord), uint(shortRecord.size()), out.data(), 32));
    QVERIFY(!parseSystemRecord(u8(whole), 37, out.data(), 32));
    QCOMPARE(out, QByteArray(32, '\0'));

    QVERIFY(parseResultReply(u8(hex("78 59 68 01 00 00 01 FE")), 8));
    QVERIFY(!parseResultReply(u8(hex("78 59 68 01 00 00 00 FF")), 8));
    QVERIFY(!parseResultReply(u8(hex("78 59 68 00 00 00 FF")), 7));
    QVERIFY(!parseResultReply(u8(hex("78 59 70 01 00 00")), 6));
    QVERIFY(parseResultReply(u8(hex("78 59 70 01 00 00 01")), 7));
    QCOMPARE(frameCommand(u8(hex("78 59 70 01 00")), 5), -1);
    QCOMPARE(frameCommand(u8(hex("78 59 70 01 00 00")), 6), 0x70);
}

void TestPageKit::expandStaysInBounds()
{
    // References as a faulty device or file could carry them; a 5-byte knob record too.
    const QByteArray pool = patternPool();
    uchar recs[5][5] = {
        {0x50, 0x22, 0x01, 20, 0},  // offset 290: 10 bytes left
        {0x50, 0x00, 0x00, 250, 0}, // longer than a buffer
        {0x50, 0xFF, 0xFF, 10, 0},  // offset far past the pool
        {0xC0, 0x2C, 0x01, 1, 0},   // offset 300 exactly
        {0x40, 0x05, 0x00, 3, 2},   // a knob: its options byte stays
    };
    uchar buffers[5][kSysexMessageMax];
    std::memset(buffers, 0xCC, sizeof buffers);
    PoolList list;
    for (int i = 0; i < 5; ++i)
        list.push_back({recs[i], buffers[i], -1});
    QCOMPARE(expandSysexPool(u8(pool), 300, list), 53u);

    QCOMPARE(built(buffers[0], 10), pool.mid(290, 10));
    QCOMPARE(int(buffers[0][10]), 0xCC);
    QCOMPARE(int(recs[0][3]), 10);
    QCOMPARE(built(buffers[1], 40), pool.left(40));
    QCOMPARE(int(recs[1][3]), 40);
    // Cut to nothing: no offset outside the pool is kept.
    QCOMPARE(int(buffers[2][0]), 0xCC);
    QCOMPARE(toHex(built(recs[2], 4)), QStringLiteral("50 00 00 00"));
    QCOMPARE(toHex(built(recs[3], 4)), QStringLiteral("C0 00 00 00"));
    QCOMPARE(built(buffers[4], 3), pool.mid(5, 3));
    QCOMPARE(toHex(built(recs[4], 5)), QStringLiteral("40 05 00 03 02"));
}

void TestPageKit::packStopsAtThePool()
{
    // Eight messages of 40 bytes are 320 bytes, and one record claims 200.
    uchar pool[301];
    std::memset(pool, 0, sizeof pool);
    pool[300] = 0x5A; // just past the pool
    uchar recs[9][4];
    uchar buffers[9][kSysexMessageMax];
    std::memset(buffers, 0x33, sizeof buffers);
    PoolList list;
    for (int i = 0; i < 9; ++i) {
        recs[i][0] = 0x40;
        recs[i][1] = recs[i][2] = 0xEE;
        recs[i][3] = i == 0 ? 200 : 40;
        list.push_back({recs[i], buffers[i], -1});
    }
    const SPackResult r = packSysexPool(pool, 300, list);
    QCOMPARE(r.used, 300u);
    QCOMPARE(int(pool[300]), 0x5A);
    QCOMPARE(int(sysexRefAt(recs[0]).length), 40);
    QCOMPARE(int(sysexRefAt(recs[6]).offset()), 240);
    QCOMPARE(int(sysexRefAt(recs[6]).length), 40);
    QCOMPARE(int(sysexRefAt(recs[7]).offset()), 280);
    QCOMPARE(int(sysexRefAt(recs[7]).length), 20);
    QCOMPARE(int(sysexRefAt(recs[8]).offset()), 300);
    QCOMPARE(int(sysexRefAt(recs[8]).length), 0);
}

void TestPageKit::packReportsMovedReferences()
{
    // A button message before two pads of banks 0 and 1 grows from 5 to 7 bytes:
    // both pads move; a pad of bank 2 that stays where it is is not reported.
    uchar pool[300];
    std::memset(pool, 0, sizeof pool);
    uchar key[4] = {0x50, 0x00, 0x00, 7};
    uchar pad0[4] = {0x40, 0x05, 0x00, 3};
    uchar pad1[4] = {0x40, 0x08, 0x00, 3};
    uchar pad2[4] = {0x40, 0x0D, 0x00, 0};
    uchar buffers[4][kSysexMessageMax] = {{0xF0, 1, 2, 3, 4, 5, 0xF7}, {0x90, 0x3C, 0x7F}, {0x80, 0x3C, 0x00}, {}};
    const PoolList list{{key, buffers[0], -1}, {pad0, buffers[1], 0}, {pad1, buffers[2], 1}, {pad2, buffers[3], 2}};
    SPackResult r = packSysexPool(pool, 300, list);
    QCOMPARE(r.used, 13u);
    QCOMPARE(r.moved, std::vector<bool>({false, true, true, false}));
    QCOMPARE(r.movedTags, std::set<int>({0, 1}));
    QCOMPARE(toHex(built(pool, 13)), QStringLiteral("F0 01 02 03 04 05 F7 90 3C 7F 80 3C 00"));
    QCOMPARE(toHex(built(pad1, 4)), QStringLiteral("40 0A 00 03"));
    // Packed again, nothing moves.
    r = packSysexPool(pool, 300, list);
    QCOMPARE(r.movedTags, std::set<int>());
}

void TestPageKit::referencesInsideThePool()
{
    uchar inside[4] = {0x40, 0x28, 0x01, 4};   // 296..299
    uchar across[4] = {0x40, 0x29, 0x01, 4};   // 297..300
    uchar nothing[4] = {0x40, 0xF4, 0x01, 0};  // offset 500, length 0: references nothing
    uchar buffer[kSysexMessageMax];
    QVERIFY(refsInsidePool({{inside, buffer, -1}, {nothing, buffer, -1}}, 300));
    QVERIFY(!refsInsidePool({{inside, buffer, -1}, {across, buffer, -1}}, 300));
}

void TestPageKit::listRows_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("record"); // bytes 0..2 of a record
    QTest::addColumn<int>("row");           // the row shown, -1 none
    QTest::addColumn<int>("newRow");        // the row then written
    QTest::addColumn<QByteArray>("after");
    // kind 0: byte 1, rows 0..3 (a curve); 1: byte 1, rows give 1..99 (gate);
    // 2: byte 1 through the swing table; 3: bytes 0-1, 30..300 (tempo);
    // 4: byte 2 bits 3-5; 5: byte 2 bits 0-2, 4 rows.
    QTest::newRow("curve 2") << 0 << hex("00 02 00") << 2 << 3 << hex("00 03 00");
    QTest::newRow("curve 4 has no row; -1 writes nothing") << 0 << hex("00 04 00") << -1 << -1 << hex("00 04 00");
    QTest::newRow("row past the list writes nothing") << 0 << hex("00 04 00") << -1 << 4 << hex("00 04 00");
    QTest::newRow("gate 0 has no row") << 1 << hex("00 00 00") << -1 << 98 << hex("00 63 00");
    QTest::newRow("gate 100 has no row") << 1 << hex("00 64 00") << -1 << 0 << hex("00 01 00");
    QTest::newRow("swing 52 has no row") << 2 << hex("00 34 00") << -1 << 2 << hex("00 38 00");
    QTest::newRow("swing 70") << 2 << hex("00 46 00") << 9 << -1 << hex("00 46 00");
    QTest::newRow("tempo 300") << 3 << hex("2C 01 00") << 270 << 0 << hex("1E 00 00");
    QTest::newRow("tempo 29 has no row") << 3 << hex("1D 00 00") << -1 << 271 << hex("1D 00 00");
    QTest::newRow("bits 3-5 keep the others") << 4 << hex("00 00 C5") << 0 << 7 << hex("00 00 FD");
    QTest::newRow("bits 0-2: 5 has no row, keeps the others") << 5 << hex("00 00 C5") << -1 << 3 << hex("00 00 C3");
}

void TestPageKit::listRows()
{
    static const uchar swing[] = {50, 54, 56, 58, 60, 62, 64, 66, 68, 70};
    const SListField fields[] = {
        {1, 1, 0, 8, 0, 4, nullptr},  {1, 1, 0, 8, 1, 99, nullptr}, {1, 1, 0, 8, 0, 10, swing},
        {0, 2, 0, 8, 30, 271, nullptr}, {2, 1, 3, 3, 0, 8, nullptr}, {2, 1, 0, 3, 0, 4, nullptr},
    };
    QFETCH(int, kind);
    QFETCH(QByteArray, record);
    QFETCH(int, row);
    QFETCH(int, newRow);
    QFETCH(QByteArray, after);
    const SListField &f = fields[kind];
    QCOMPARE(listRow(u8(record), f), row);
    QCOMPARE(setListRow(reinterpret_cast<uchar *>(record.data()), f, newRow), newRow >= 0 && newRow < f.rows);
    QCOMPARE(toHex(record), toHex(after));
}

void TestPageKit::switches()
{
    uchar rec[2] = {0xC1, 0x1B};
    setSwitch(rec, {0, 1}, true);
    setSwitch(rec, {1, 7}, true);
    setSwitch(rec, {0, 0}, false);
    QCOMPARE(toHex(built(rec, 2)), QStringLiteral("C2 9B"));
    QVERIFY(switchOn(rec, {0, 1}));
    QVERIFY(!switchOn(rec, {0, 0}));
}

void TestPageKit::hexDigitBytesSkipOtherCharacters()
{
    QCOMPARE(hexDigitBytes(QStringLiteral("f0 7e 7")), hex("F0 7E 07"));
    QCOMPARE(hexDigitBytes(QStringLiteral("0x F0")), hex("0F 00"));
}

void TestPageKit::sysexText_parsesDigitsOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("bytes");
    const int ok = int(TextResult::Accepted);
    const int bad = int(TextResult::Malformed);
    QTest::newRow("lower case, blanks") << "f0 7e 7f 06 01 f7" << ok << hex("F0 7E 7F 06 01 F7");
    QTest::newRow("upper case, packed") << "F07E7F0601F7" << ok << hex("F0 7E 7F 06 01 F7");
    QTest::newRow("commas and lines") << "F0,7E,\n7F;06 01\tF7" << ok << hex("F0 7E 7F 06 01 F7");
    QTest::newRow("note on") << "90 3C 7F" << ok << hex("90 3C 7F");
    QTest::newRow("two messages") << "90 3C 7F 80 3C 00" << ok << hex("90 3C 7F 80 3C 00");
    QTest::newRow("empty") << "" << ok << QByteArray();
    QTest::newRow("no digits at all") << "zz --" << ok << QByteArray();
    QTest::newRow("unterminated sysex") << "F0 7E" << bad << hex("F0 7E");
    QTest::newRow("lone digit is its own byte") << "F" << bad << hex("0F");
    QTest::newRow("odd digit count") << "90 3C 7" << ok << hex("90 3C 07");
    QTest::newRow("note on missing data") << "90 3C" << bad << hex("90 3C");
}

void TestPageKit::sysexText_parsesDigitsOnly()
{
    QFETCH(QString, text);
    QFETCH(int, result);
    QFETCH(QByteArray, bytes);
    const SParsedText p = parseSysexText(text, 0, 0, 300);
    QCOMPARE(int(p.result), result);
    QCOMPARE(bytesOf(p), bytes);
}

void TestPageKit::sysexText_limits()
{
    // 81 digits are 41 bytes, whatever else the text holds; the length comes
    // before the pool.
    QCOMPARE(parseSysexText(hexDigits(81), 0, 0, 300).result, TextResult::TooLong);
    QCOMPARE(parseSysexText(hexDigits(81) + QStringLiteral(" xyz, ;"), 0, 0, 300).result, TextResult::TooLong);
    QCOMPARE(parseSysexText(hexDigits(81), 300, 0, 300).result, TextResult::TooLong);
    const SParsedText forty = parseSysexText(sysexOfLength(40), 0, 0, 300);
    QCOMPARE(forty.result, TextResult::Accepted);
    QCOMPARE(forty.length, 40u);
    // A smaller per-control limit.
    QCOMPARE(parseSysexText(sysexOfLength(21), 0, 0, 300, 20).result, TextResult::TooLong);

    // 290 bytes in use, 10 of them this control's: 20 fit, 21 do not.
    QCOMPARE(parseSysexText(sysexOfLength(20), 290, 10, 300).result, TextResult::Accepted);
    QCOMPARE(parseSysexText(sysexOfLength(21), 290, 10, 300).result, TextResult::PoolFull);
    QCOMPARE(parseSysexText(QStringLiteral("90 3C 7F"), 300, 0, 300).result, TextResult::PoolFull);
    QCOMPARE(parseSysexText(QString(), 300, 0, 300).result, TextResult::Accepted);
    // A total below the old length (the page has not repacked yet) skips the test.
    QCOMPARE(parseSysexText(sysexOfLength(40), 5, 10, 300).result, TextResult::Accepted);
    // The pool test comes before the stream test.
    QCOMPARE(parseSysexText(QStringLiteral("F0 7E"), 299, 0, 300).result, TextResult::PoolFull);
}

void TestPageKit::sysexText_formats()
{
    const QByteArray b = hex("F0 7E 7F 06 01 F7");
    QCOMPARE(sysexText(u8(b), 6), QStringLiteral("F0 7E 7F 06 01 F7 "));
    QCOMPARE(sysexText(u8(hex("0a 05")), 2), QStringLiteral("0A 05 "));
    QCOMPARE(sysexText(u8(b), 0), QString());
    // A length beyond the buffer is held to the 40 bytes a buffer has.
    const QByteArray big(64, '\x01');
    QCOMPARE(sysexText(u8(big), 200).size(), 40 * 3);
    QCOMPARE(bytesOf(parseSysexText(sysexText(u8(b), 6), 0, 0, 300)), b);
}

void TestPageKit::setAllData1_padOrder_data()
{
    QTest::addColumn<uint>("pad");
    QTest::addColumn<int>("data1");
    QTest::addColumn<QByteArray>("expected");
    QByteArray a, b, c;
    for (int p = 0; p < 16; ++p) {
        a += char(56 + p);
        b += char(std::min(120 + p, 127));
        c += char(std::max(3 + p - 15, 0));
    }
    QTest::newRow("pad 5 with 60") << 4u << 60 << a;
    QTest::newRow("pad 1 with 120") << 0u << 120 << b;
    QTest::newRow("pad 16 with 3") << 15u << 3 << c;
}

void TestPageKit::setAllData1_padOrder()
{
    QFETCH(uint, pad);
    QFETCH(int, data1);
    QFETCH(QByteArray, expected);
    SControlRecord pads[16];
    std::memset(pads, 0, sizeof pads);
    pads[2] = SControlRecord{0x40, 33, 1, 6}; // Customize: byte 1 is its pool offset
    pads[9] = SControlRecord{0x30, 44, 1, 6}; // Program Change, skipped when asked
    setAllData1ByPadOrder(pads, 16, pad, data1, 1u << 4 | 1u << 3);
    expected[2] = 33;
    expected[9] = 44;
    QByteArray got;
    for (const SControlRecord &r : pads)
        got += char(r.data1);
    QCOMPARE(toHex(got), toHex(expected));
}

void TestPageKit::setAllOverSpans()
{
    SControlRecord keys[3] = {{0x05, 1, 2, 3}, {0x50, 1, 2, 3}, {0xB2, 1, 2, 3}};
    setAllChannels(keys, 3, 9, kKeyCustomizeMode);
    QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(keys), 12)),
             QStringLiteral("09 01 02 03 50 01 02 03 B9 01 02 03"));
    SKnobRecord knobs[2] = {{0x21, 1, 2, 3, 4}, {0x8F, 1, 2, 3, 4}};
    setAllChannels(knobs, 2, 3);
    QCOMPARE(int(knobs[0].ctrl), 0x23);
    QCOMPARE(int(knobs[1].ctrl), 0x83);
    SColourGRB colours[3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    setAllPadColours(colours, 3, 1);
    QVERIFY(colours[0] == SColourGRB({4, 5, 6}) && colours[2] == SColourGRB({4, 5, 6}));
    setAllPadColours(colours, 3, 3); // no such pad: nothing
    QVERIFY(colours[0] == SColourGRB({4, 5, 6}));
}

void TestPageKit::padCaptions()
{
    QCOMPARE(padCaption(SControlRecord{0x03, 0x24, 0x01, 0x7F}, "CRZM7"),
             QStringLiteral("Note\nCH:3\ndata1:36\nrange:1-127"));
    QCOMPARE(padCaption(SControlRecord{0x14, 0x24, 0x00, 0x7F}, "CRZM7"),
             QStringLiteral("CC Toggle\nCH:4\ndata1:36\nvalue:0 or 127"));
    QCOMPARE(padCaption(SControlRecord{0x2F, 0x01, 0x7F, 0x00}, "CRZM7"),
             QStringLiteral("momentary\nCH:15\ndata1:1\nDown:127\nUp:0"));
    QCOMPARE(padCaption(SControlRecord{0x30, 0x00, 0x02, 0x63}, "CRZM7"),
             QStringLiteral("PC\nCH:0\nMSB:0\nLSB:2\nProgram:99"));
    QCOMPARE(padCaption(SControlRecord{0xC0, 0x00, 0x00, 0x05}, "CRZM7"), QStringLiteral("MCP-Customize"));
    QCOMPARE(padCaption(SControlRecord{0x60, 0x00, 0x00, 0x05}, "CRZM7"), QString());
    QCOMPARE(padCaption(SControlRecord{0xF0, 0x00, 0x00, 0x05}, "CRZM7"), QStringLiteral("MCP-"));

    // Translated in the context given, placeholders filled after translation.
    MarkingTranslator tr("cDlgRznano");
    QCoreApplication::installTranslator(&tr);
    QCOMPARE(padCaption(SControlRecord{0x81, 0x02, 0x03, 0x04}, "cDlgRznano"),
             QStringLiteral("MCP-<Note\nCH:1\ndata1:2\nrange:3-4>"));
    QCOMPARE(padCaption(SControlRecord{0x40, 0, 0, 0}, "cDlgRznano"), QStringLiteral("<Customize>"));
    QCOMPARE(padCaption(SControlRecord{0x40, 0, 0, 0}, "CRZM7"), QStringLiteral("Customize"));
    QCoreApplication::removeTranslator(&tr);

    QCOMPARE(groupButtonStyle(SColourGRB{0x10, 0xFF, 0x00}),
             QStringLiteral("background-color:rgb(255,16,0);color:#00EFFF;border: 2px solid rgba(255, 255, 255, "
                            "0.6);padding: 5px 15px;border-radius: 10px;"));
}

// The motif of a transport key (white or red on the dark key) is about as
// wide as it is high, and how much of that square it fills tells a triangle
// (half), a dot (about three quarters) and a square (all) apart.
void TestPageKit::transportPictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<double>("minFill");
    QTest::addColumn<double>("maxFill");
    QTest::newRow("play triangle") << ":/new/RZM/res/stop2.png" << 0.4 << 0.6;
    QTest::newRow("stop square") << ":/new/pshare/res/stop.png" << 0.9 << 1.0;
    QTest::newRow("record dot") << ":/new/RZM/res/record2.png" << 0.7 << 0.85;
}

void TestPageKit::transportPictures()
{
    QFETCH(QString, path);
    QFETCH(double, minFill);
    QFETCH(double, maxFill);
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!image.isNull());
    QRect box;
    int filled = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && qMax(c.red(), c.green()) > 150) {
                box |= QRect(x, y, 1, 1);
                ++filled;
            }
        }
    }
    QVERIFY2(qAbs(box.width() - box.height()) <= box.height() / 6, qPrintable(QString::number(box.width())));
    const double fill = double(filled) / (box.width() * box.height());
    QVERIFY2(fill >= minFill && fill <= maxFill, qPrintable(QString::number(fill)));
}

TAVRO_TEST_MAIN(TestPageKit)
#include "test_pagekit.moc"
