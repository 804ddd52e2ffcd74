// The simulated keyboard controller without MIDI: where each section write
// lands in the current preset's block, and which writes it ignores.
#include "bytes.h"
#include "models/keyboardmodel.h"
#include "simdevice.h"
#include "testmain.h"

using namespace tavrosim;

namespace {

Bytes B(const char *text)
{
    const QByteArray a = tavrotest::hex(text);
    return Bytes(a.begin(), a.end());
}

QString H(const Bytes &b)
{
    return QString::fromStdString(toHex(b));
}

Bytes slice(const Bytes &b, size_t at, size_t n)
{
    return Bytes(b.begin() + long(at), b.begin() + long(at + n));
}

Bytes pattern(size_t n, uint8_t seed)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = uint8_t(seed + i * 7);
    return b;
}

Bytes cat(const Bytes &a, const Bytes &b)
{
    Bytes r = a;
    r.insert(r.end(), b.begin(), b.end());
    return r;
}

// A keyboard on preset 2 with pad bank 1.
SimDevice keyboardOnPreset2()
{
    SimDevice d(DeviceIdentity{9, "vx18", 3});
    Bytes sys = d.systemRecord();
    sys[sysrec::kPreset] = 2;
    sys[sysrec::kPadBank] = 1;
    d.handleFrame(makeFrame(kCmdSystemConfig, sys));
    return d;
}

} // namespace

Q_DECLARE_METATYPE(Bytes)

class TestKeyboardModel : public QObject
{
    Q_OBJECT
private slots:
    void writesLand_data();
    void writesLand();
    void wrongShapesAreIgnored_data();
    void wrongShapesAreIgnored();
    void readsAnswerTheCurrentPreset();
};

void TestKeyboardModel::writesLand_data()
{
    using namespace kbblock;
    QTest::addColumn<int>("command");
    QTest::addColumn<Bytes>("payload");
    QTest::addColumn<int>("at");
    QTest::addColumn<Bytes>("stored");
    const Bytes p10 = pattern(10, 1), p30 = pattern(30, 2), p32 = pattern(32, 3), p40 = pattern(40, 4),
                p24 = pattern(24, 5), pool = B("F0 7E 7F 06 01 F7");
    QTest::newRow("wheel and pedal") << int(kCmdWriteWheelPedal) << p10 << 0 << p10;
    QTest::newRow("keybed") << int(kCmdWriteKeybed) << p30 << int(kKeybed) << p30;
    QTest::newRow("keys") << int(kCmdWriteKeys) << p30 << int(kKeys) << p30;
    QTest::newRow("pads bank 3") << int(kCmdWritePads) << cat(B("03"), p32) << int(pad(3, 0)) << p32;
    QTest::newRow("knobs bank 2") << int(kCmdWriteKnobs) << cat(B("02"), p40) << int(knob(2, 0)) << p40;
    QTest::newRow("colours of the current pad bank") << int(kCmdPadColours) << cat(B("FF"), p24)
                                                     << int(padColour(1, 0)) << p24;
    QTest::newRow("pool") << int(kCmdWriteSysexPool) << cat(B("06 00"), pool) << int(kPool) << pool;
    QTest::newRow("whole block") << int(kCmdWriteConfig) << pattern(kSize, 6) << 0 << pattern(kSize, 6);
}

void TestKeyboardModel::writesLand()
{
    QFETCH(int, command);
    QFETCH(Bytes, payload);
    QFETCH(int, at);
    QFETCH(Bytes, stored);
    SimDevice d = keyboardOnPreset2();
    const SimOutcome o = d.handleFrame(makeFrame(uint8_t(command), payload));
    QVERIFY2(o.note.empty(), o.note.c_str());
    QCOMPARE(H(slice(d.block(2), size_t(at), stored.size())), H(stored));
    QCOMPARE(H(d.block(0)), H(factoryKeyboardBlock(0)));
    QCOMPARE(H(d.flashBlock(2)), H(factoryKeyboardBlock(2)));
}

void TestKeyboardModel::wrongShapesAreIgnored_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<Bytes>("payload");
    QTest::newRow("wheel short") << int(kCmdWriteWheelPedal) << Bytes(9, 1);
    QTest::newRow("keybed long") << int(kCmdWriteKeybed) << Bytes(31, 1);
    QTest::newRow("keys short") << int(kCmdWriteKeys) << Bytes(29, 1);
    QTest::newRow("pads bank 4") << int(kCmdWritePads) << cat(B("04"), Bytes(32, 1));
    QTest::newRow("knobs short") << int(kCmdWriteKnobs) << Bytes(40, 1);
    QTest::newRow("colours pad 8") << int(kCmdPadColours) << cat(B("08"), Bytes(24, 1));
    QTest::newRow("pool over 300") << int(kCmdWriteSysexPool) << cat(B("2D 01"), Bytes(301, 1));
    QTest::newRow("pool says 5, brings 2") << int(kCmdWriteSysexPool) << B("05 00 01 02");
    QTest::newRow("block short") << int(kCmdWriteConfig) << Bytes(754, 1);
    QTest::newRow("keybed read with payload") << int(kCmdReadKeybed) << B("00");
    QTest::newRow("record short") << int(kCmdSystemConfig) << Bytes(29, 1);
}

void TestKeyboardModel::wrongShapesAreIgnored()
{
    QFETCH(int, command);
    QFETCH(Bytes, payload);
    SimDevice d = keyboardOnPreset2();
    const Bytes record = d.systemRecord();
    const SimOutcome o = d.handleFrame(makeFrame(uint8_t(command), payload));
    QVERIFY(!o.note.empty());
    QVERIFY(o.replies.empty());
    QCOMPARE(H(d.block(2)), H(factoryKeyboardBlock(2)));
    QCOMPARE(H(d.systemRecord()), H(record));
}

void TestKeyboardModel::readsAnswerTheCurrentPreset()
{
    SimDevice d = keyboardOnPreset2();
    const Bytes block = factoryKeyboardBlock(2);
    SimOutcome o = d.handleFrame(makeFrame(kCmdReadKeybed, {}));
    QCOMPARE(o.replies.size(), size_t(1));
    QCOMPARE(H(o.replies[0]), H(makeFrame(kCmdReadKeybed, slice(block, kbblock::kKeybed, 30))));
    o = d.handleFrame(makeFrame(kCmdReadPreset, B("02")));
    QCOMPARE(o.replies.size(), size_t(1));
    QCOMPARE(H(o.replies[0]), H(makeFrame(kCmdReadPreset, cat(B("02"), block))));
    QVERIFY(block[kbblock::kCrc] != 0);
}

TAVRO_TEST_MAIN(TestKeyboardModel)
#include "test_keyboardmodel.moc"
