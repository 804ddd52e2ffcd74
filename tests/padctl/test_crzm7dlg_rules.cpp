// Rules of the per-control dialog without a window: the typed MIDI byte text and
// the set-all actions on a block.
#include "devices/pad/crzm7dlg_rules.h"
#include "bytes.h"
#include "testmain.h"

#include <cstring>

using namespace tavrotest;
using namespace rz7dlg;

namespace {

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

SRZ7ConfigData zeroBlock()
{
    SRZ7ConfigData b;
    std::memset(&b, 0, sizeof b);
    return b;
}

} // namespace

class TestCrzm7DlgRules : public QObject
{
    Q_OBJECT
private slots:
    void sysexText_parsesDigitsOnly_data();
    void sysexText_parsesDigitsOnly();
    void sysexText_refusesBeyondFortyBytes();
    void sysexText_poolLimit();
    void sysexText_formatsUppercaseWithTrailingBlanks();
    void setAllChannels_perKind();
    void setAllData1_padOrder_data();
    void setAllData1_padOrder();
};

void TestCrzm7DlgRules::sysexText_parsesDigitsOnly_data()
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

void TestCrzm7DlgRules::sysexText_parsesDigitsOnly()
{
    QFETCH(QString, text);
    QFETCH(int, result);
    QFETCH(QByteArray, bytes);
    const SParsedText p = parseSysexText(text, 0, 0);
    QCOMPARE(int(p.result), result);
    QCOMPARE(bytesOf(p), bytes);
}

void TestCrzm7DlgRules::sysexText_refusesBeyondFortyBytes()
{
    // 81 digits are 41 bytes, whatever else the text holds.
    QCOMPARE(parseSysexText(hexDigits(81), 0, 0).result, TextResult::TooLong);
    QCOMPARE(parseSysexText(hexDigits(81) + QStringLiteral(" xyz, ;"), 0, 0).result, TextResult::TooLong);
    // Exactly 40 bytes pass the length test (and then the stream test).
    const SParsedText forty = parseSysexText(sysexOfLength(40), 0, 0);
    QCOMPARE(forty.result, TextResult::Accepted);
    QCOMPARE(forty.length, 40u);
    // The length is checked before the pool: a full pool still reports the length.
    QCOMPARE(parseSysexText(hexDigits(81), 300, 0).result, TextResult::TooLong);
}

void TestCrzm7DlgRules::sysexText_poolLimit()
{
    // 290 bytes in use, 10 of them this control's: 20 fit, 21 do not.
    QCOMPARE(parseSysexText(sysexOfLength(20), 290, 10).result, TextResult::Accepted);
    QCOMPARE(parseSysexText(sysexOfLength(21), 290, 10).result, TextResult::PoolFull);
    // A full pool refuses any new byte from a control that had none.
    QCOMPARE(parseSysexText(QStringLiteral("90 3C 7F"), 300, 0).result, TextResult::PoolFull);
    QCOMPARE(parseSysexText(QString(), 300, 0).result, TextResult::Accepted);
    // A total below the old length (the page has not repacked yet) skips the test.
    QCOMPARE(parseSysexText(sysexOfLength(40), 5, 10).result, TextResult::Accepted);
    // The pool test comes before the stream test: a malformed text in a full pool
    // reports the pool.
    QCOMPARE(parseSysexText(QStringLiteral("F0 7E"), 299, 0).result, TextResult::PoolFull);
}

void TestCrzm7DlgRules::sysexText_formatsUppercaseWithTrailingBlanks()
{
    const QByteArray b = hex("F0 7E 7F 06 01 F7");
    QCOMPARE(sysexText(u8(b), 6), QStringLiteral("F0 7E 7F 06 01 F7 "));
    QCOMPARE(sysexText(u8(hex("0a 05")), 2), QStringLiteral("0A 05 "));
    QCOMPARE(sysexText(u8(b), 0), QString());
    // A length beyond the buffer is held to the 40 bytes a buffer has.
    const QByteArray big(64, '\x01');
    QCOMPARE(sysexText(u8(big), 200).size(), 40 * 3);
    // What is shown parses back to the same bytes.
    const SParsedText again = parseSysexText(sysexText(u8(b), 6), 0, 0);
    QCOMPARE(bytesOf(again), b);
}

void TestCrzm7DlgRules::setAllChannels_perKind()
{
    SRZ7ConfigData b = zeroBlock();
    for (uint i = 0; i < rz7::kKnobsPerGroup; ++i)
        b.KnobData[1][i].ctrl = uchar(0x80 | (i % 3) << 4 | i);
    QCOMPARE(setAllChannels(b, KindKnob, 1, false, 9), SendKnobs);
    for (uint i = 0; i < rz7::kKnobsPerGroup; ++i)
        QCOMPARE(b.KnobData[1][i].ctrl, uchar(0x80 | (i % 3) << 4 | 9));
    QCOMPARE(b.KnobData[0][0].ctrl, uchar(0)); // other groups untouched
    QCOMPARE(b.KnobData[2][7].ctrl, uchar(0));

    b.PadData[2][3].ctrl = 0x40; // Customize keeps channel 0
    b.PadData[2][4].ctrl = 0xB2;
    QCOMPARE(setAllChannels(b, KindPad, 2, false, 5), SendPads);
    QCOMPARE(b.PadData[2][3].ctrl, uchar(0x40));
    QCOMPARE(b.PadData[2][4].ctrl, uchar(0xB5));
    QCOMPARE(b.PadData[2][0].ctrl, uchar(0x05));
    QCOMPARE(b.PadData[1][0].ctrl, uchar(0x00));

    b.KeyData[1].ctrl = 0x50;
    QCOMPARE(setAllChannels(b, KindButton, 0, false, 7), SendKeys);
    QCOMPARE(b.KeyData[1].ctrl, uchar(0x50));
    QCOMPARE(b.KeyData[0].ctrl, uchar(0x07));
    QCOMPARE(b.KeyLongData[0].ctrl, uchar(0x00));
    QCOMPARE(setAllChannels(b, KindButton, 0, true, 2), SendKeys);
    QCOMPARE(b.KeyLongData[5].ctrl, uchar(0x02));
    QCOMPARE(b.KeyData[0].ctrl, uchar(0x07));
}

void TestCrzm7DlgRules::setAllData1_padOrder_data()
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

void TestCrzm7DlgRules::setAllData1_padOrder()
{
    QFETCH(uint, pad);
    QFETCH(int, data1);
    QFETCH(QByteArray, expected);
    SRZ7ConfigData b = zeroBlock();
    b.PadData[1][2] = SControlRecord{0x40, 33, 1, 6}; // Customize: byte 1 is its pool offset
    setAllData1ByPadOrder(b, 1, pad, data1);
    expected[2] = 33;
    QByteArray got;
    for (const SControlRecord &r : b.PadData[1])
        got += char(r.data1);
    QCOMPARE(toHex(got), toHex(expected));
    QCOMPARE(b.PadData[0][15].data1, uchar(0));
}

TAVRO_TEST_MAIN(TestCrzm7DlgRules)
#include "test_crzm7dlg_rules.moc"
