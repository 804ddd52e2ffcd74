// The pad page's conversation with the device, without widgets: what is stored,
// what is dropped, and which frames go out when.
#include "devices/pad/rz7model.h"
#include "bytes.h"
#include "testmain.h"

#include <cstring>

using namespace tavrotest;
using namespace rz7;

namespace {

SSystemConfigData goodSystem()
{
    SSystemConfigData s;
    std::memset(&s, 0, sizeof s);
    s.setTempo(120);
    s.gate = 50;
    s.swing = 50;
    s.aftertouchDelay = 5;
    s.fullLevelVelocity = 127;
    std::memset(s.thresholds, 45, sizeof s.thresholds);
    return s;
}

QByteArray systemFrame(const SSystemConfigData &s)
{
    return frameOf(CMD_SYSTEM_CONFIG, QByteArray(reinterpret_cast<const char *>(&s), 32));
}

CRZ7Model::SReceived receive(CRZ7Model &m, const QByteArray &frame)
{
    return m.receiveFrame(u8(frame), uint(frame.size()));
}

QByteArray sent(const uchar *buf, uint n)
{
    return QByteArray(reinterpret_cast<const char *>(buf), int(n));
}

} // namespace

class TestRz7Model : public QObject
{
    Q_OBJECT
private slots:
    void echoOfASentRecordIsDropped();
    void thresholdsAreClampedOnSend();
    void firstRecordRequestsTheBlockOnce();
    void rejectedAndShortRecordsKeepTheStoredOne();
    void pollAndLossTicks();
    void configurationReplies();
    void saveAndResetReplies();
    void unsavedChangesAndSectionFrames();
    void bankAndGroupCycle();
};

void TestRz7Model::echoOfASentRecordIsDropped()
{
    CRZ7Model m;
    // Nothing goes out before the device's own record was accepted.
    uchar none[kTxBufferSize];
    m.setBusy(true);
    QCOMPARE(m.systemConfigFrame(none), 0u);
    QVERIFY(!m.isBusy());
    QVERIFY(!m.ignoresEcho());
    receive(m, systemFrame(goodSystem()));
    m.system() = goodSystem();
    m.setBusy(true);
    uchar buf[kTxBufferSize];
    QCOMPARE(m.systemConfigFrame(buf), 39u);
    QVERIFY(!m.isBusy());
    QVERIFY(m.ignoresEcho());

    SSystemConfigData first = goodSystem();
    first.setTempo(200);
    QCOMPARE(receive(m, systemFrame(first)).kind, CRZ7Model::SReceived::SystemEcho);
    QCOMPARE(int(m.system().tempo()), 120);

    QCOMPARE(receive(m, systemFrame(first)).kind, CRZ7Model::SReceived::SystemApplied);
    QCOMPARE(int(m.system().tempo()), 200);
}

void TestRz7Model::thresholdsAreClampedOnSend()
{
    CRZ7Model m;
    receive(m, systemFrame(goodSystem()));
    m.system().thresholds[0] = 9;
    m.system().thresholds[1] = 91;
    m.system().thresholds[2] = 10;
    m.system().thresholds[15] = 90;
    uchar buf[kTxBufferSize];
    const uint n = m.systemConfigFrame(buf);
    QCOMPARE(toHex(sent(buf + 17, 3)), QStringLiteral("2D 2D 0A"));
    QCOMPARE(int(buf[17 + 15]), 90);
    QVERIFY(frameVerify(buf, n));
    // Stored as sent.
    QCOMPARE(int(m.system().thresholds[0]), 45);
    QCOMPARE(int(m.system().thresholds[1]), 45);
}

void TestRz7Model::firstRecordRequestsTheBlockOnce()
{
    CRZ7Model m;
    SSystemConfigData s = goodSystem();
    s.preset = 3;
    auto r = receive(m, systemFrame(s));
    QCOMPARE(r.kind, CRZ7Model::SReceived::SystemApplied);
    QVERIFY(r.requestPreset);
    QCOMPARE(int(r.preset), 3);
    QVERIFY(!receive(m, systemFrame(s)).requestPreset);

    // A language change asks for the block again with the next record.
    m.clearPresetRequested();
    r = receive(m, systemFrame(s));
    QVERIFY(r.requestPreset);
    uchar buf[16];
    QCOMPARE(toHex(sent(buf, m.readPresetFrame(buf, r.preset))), QStringLiteral("78 59 67 01 00 00 03 FC"));
}

void TestRz7Model::rejectedAndShortRecordsKeepTheStoredOne()
{
    CRZ7Model m;
    SSystemConfigData bad = goodSystem();
    bad.setTempo(301);
    bad.preset = 5;
    QTest::ignoreMessage(QtDebugMsg, "check_system_config_data Err---");
    auto r = receive(m, systemFrame(bad));
    QCOMPARE(r.kind, CRZ7Model::SReceived::SystemRejected);
    // Rejected, yet the block is requested with the preset the page holds.
    QVERIFY(r.requestPreset);
    QCOMPARE(int(r.preset), 0);
    QCOMPARE(int(m.system().tempo()), 0);

    // A pad bank or knob group outside 0..2 is taken as 0: the rest of the
    // record (here the preset) is the device's.
    SSystemConfigData wild = goodSystem();
    wild.padBank = 7;
    wild.knobGroup = 3;
    wild.preset = 6;
    QCOMPARE(receive(m, systemFrame(wild)).kind, CRZ7Model::SReceived::SystemApplied);
    QCOMPARE(int(m.system().padBank), 0);
    QCOMPARE(int(m.system().knobGroup), 0);
    QCOMPARE(int(m.preset()), 6);

    SSystemConfigData good = goodSystem();
    QCOMPARE(receive(m, systemFrame(good)).kind, CRZ7Model::SReceived::SystemApplied);
    // 31 bytes: not applied, but still a sign of life.
    for (int i = 0; i < 14; ++i)
        QVERIFY(!m.tick().connectionLost);
    const QByteArray shortRecord = frameOf(CMD_SYSTEM_CONFIG, QByteArray(31, char(0x11)));
    QCOMPARE(receive(m, shortRecord).kind, CRZ7Model::SReceived::SystemRejected);
    QCOMPARE(int(m.system().tempo()), 120);
    for (int i = 0; i < 14; ++i)
        QVERIFY(!m.tick().connectionLost);
    QVERIFY(m.tick().connectionLost);
    // A record whose payload length claims 32 but whose bytes were cut off.
    const QByteArray cut = systemFrame(bad).left(20);
    QCOMPARE(receive(m, cut).kind, CRZ7Model::SReceived::SystemRejected);
    QVERIFY(!m.tick().connectionLost);
}

void TestRz7Model::pollAndLossTicks()
{
    CRZ7Model m;
    int polls = 0;
    int requests = 0;
    int firstLost = -1;
    for (int t = 1; t <= 20; ++t) {
        const auto tick = m.tick();
        if (tick.sendPoll) {
            ++polls;
            QCOMPARE(t % 8, 0);
        }
        if (tick.requestPreset) {
            ++requests;
            QVERIFY(tick.sendPoll);
        }
        if (tick.connectionLost && firstLost < 0)
            firstLost = t;
        if (firstLost > 0)
            QVERIFY(tick.connectionLost); // repeats on every tick after
    }
    QCOMPARE(polls, 2);
    QCOMPARE(requests, 2); // the block is still empty
    QCOMPARE(firstLost, 15);

    // A record restarts the count; once a block is stored the poll asks for nothing more.
    receive(m, systemFrame(goodSystem()));
    QVERIFY(!m.tick().connectionLost);
    SRZ7ConfigData block;
    std::memset(&block, 0, sizeof block);
    block.CRC = 1;
    QCOMPARE(receive(m, frameOf(CMD_READ_PRESET, QByteArray(1, '\0') + QByteArray(reinterpret_cast<const char *>(&block), 823))).kind,
             CRZ7Model::SReceived::Configuration);
    for (int t = 0; t < 8; ++t)
        QVERIFY(!m.tick().requestPreset);
}

void TestRz7Model::configurationReplies()
{
    CRZ7Model m;
    SRZ7ConfigData block;
    std::memset(&block, 0, sizeof block);
    block.KeyData[2] = SControlRecord{0x50, 0x02, 0x00, 3};
    block.SysexPool[2] = 0xF0;
    block.SysexPool[3] = 0x01;
    block.SysexPool[4] = 0xF7;
    const QByteArray reply = frameOf(CMD_READ_PRESET, QByteArray(1, char(0)) + QByteArray(reinterpret_cast<const char *>(&block), 823));

    m.setBusy(true);
    QCOMPARE(receive(m, reply).kind, CRZ7Model::SReceived::Ignored);
    QVERIFY(m.isConfigEmpty());

    m.setBusy(false);
    auto r = receive(m, reply);
    QCOMPARE(r.kind, CRZ7Model::SReceived::Configuration);
    QCOMPARE(r.blockBytes, 823u);
    QCOMPARE(int(r.preset), 0);
    QCOMPARE(std::memcmp(&m.config(), &block, 823), 0);
    // The SysEx messages are unpacked with every block.
    QCOMPARE(toHex(sent(m.sysex().keySysex[2], 3)), QStringLiteral("F0 01 F7"));
    QCOMPARE(int(m.sysex().sysexTotal), 3);

    // A reply that holds only the preset byte changes nothing.
    QCOMPARE(receive(m, frameOf(CMD_READ_PRESET, QByteArray(1, char(2)))).kind, CRZ7Model::SReceived::Ignored);
    // A cut-off reply replaces only what arrived.
    QByteArray other(824, char(0x01));
    other[0] = 0; // the preset shown
    const QByteArray cut = frameOf(CMD_READ_PRESET, other).left(8 + 100);
    r = receive(m, cut);
    QCOMPARE(r.blockBytes, 100u);
    QCOMPARE(int(m.config().KnobData[0][0].ctrl), 0x01);
    QCOMPARE(int(m.config().KeyData[2].ctrl), 0x50);
}

void TestRz7Model::saveAndResetReplies()
{
    CRZ7Model m;
    SSystemConfigData s = goodSystem();
    s.preset = 4;
    receive(m, systemFrame(s));

    auto r = receive(m, hex("78 59 68 01 00 00 01 FE"));
    QCOMPARE(r.kind, CRZ7Model::SReceived::SaveResult);
    QVERIFY(r.ok);
    r = receive(m, hex("78 59 68 00 00 00 FF"));
    QCOMPARE(r.kind, CRZ7Model::SReceived::SaveResult);
    QVERIFY(!r.ok);

    r = receive(m, hex("78 59 70 01 00 00 01 FE"));
    QCOMPARE(r.kind, CRZ7Model::SReceived::FactoryResetResult);
    QVERIFY(r.ok);
    QVERIFY(r.requestPreset);
    QCOMPARE(int(r.preset), 4);
    r = receive(m, hex("78 59 70 00 00 00 FF"));
    QVERIFY(!r.ok);
    QVERIFY(r.requestPreset);

    QCOMPARE(receive(m, hex("78 59 66 00 00 00 FF")).kind, CRZ7Model::SReceived::Ignored);
    QCOMPARE(receive(m, hex("78 59")).kind, CRZ7Model::SReceived::Ignored);
}

void TestRz7Model::unsavedChangesAndSectionFrames()
{
    CRZ7Model m;
    uchar buf[kTxBufferSize];
    QVERIFY(!m.hasUnsavedChanges());
    m.setBlockStored();
    m.system().padBank = 2;
    m.system().knobGroup = 1;
    m.config().PadData[2][0] = SControlRecord{0x14, 0x24, 0x00, 0x7F};

    uint n = m.padsFrame(buf);
    QCOMPARE(n, 72u);
    QCOMPARE(toHex(sent(buf, 11)), QStringLiteral("78 59 53 41 00 00 02 14 24 00 7F"));
    QVERIFY(m.hasUnsavedChanges());
    QCOMPARE(toHex(sent(buf, m.saveFrame(buf))), QStringLiteral("78 59 68 00 00 00 FF"));
    QVERIFY(!m.hasUnsavedChanges());
    // A refused save leaves the edits unsaved, also when a second save went
    // out before the answer; a stored one, or a refusal that no save with
    // edits waits for, does not.
    const QByteArray refused = hex("78 59 68 01 00 00 00 FF");
    m.saveFrame(buf);
    receive(m, refused);
    QVERIFY(m.hasUnsavedChanges());
    m.saveFrame(buf);
    receive(m, hex("78 59 68 01 00 00 01 FE"));
    receive(m, refused);
    QVERIFY(!m.hasUnsavedChanges());

    n = m.knobsFrame(buf);
    QCOMPARE(n, 48u);
    QCOMPARE(int(buf[6]), 1);
    QVERIFY(m.hasUnsavedChanges());
    m.setUnsavedChanges(false);
    QCOMPARE(m.keysFrame(buf), 55u);
    QVERIFY(m.hasUnsavedChanges());
    m.setUnsavedChanges(false);
    QCOMPARE(m.modeColoursFrame(buf), 25u);
    QVERIFY(m.hasUnsavedChanges());
    m.setUnsavedChanges(false);

    // The pool frame packs first: one 15-byte message gives a 24-byte frame.
    m.config().KeyLongData[1] = SControlRecord{0x50, 0x77, 0x77, 15};
    for (uint i = 0; i < 15; ++i)
        m.sysex().keyLongSysex[1][i] = uchar(0x30 + i);
    n = m.sysexPoolFrame(buf);
    QCOMPARE(n, 24u);
    QCOMPARE(toHex(sent(buf, 10)), QStringLiteral("78 59 59 11 00 00 0F 00 30 31"));
    QCOMPARE(int(m.config().KeyLongData[1].sysexRef().offset()), 0);
    QVERIFY(m.hasUnsavedChanges());
    m.setUnsavedChanges(false);

    // A pad's colour preview, the whole block and the close frame leave the
    // mark alone (a colour given to all pads is an edit).
    QCOMPARE(m.padColoursFrame(buf, 3), 62u);
    QCOMPARE(int(buf[6]), 3);
    QCOMPARE(m.configFrame(buf), 830u);
    QCOMPARE(toHex(sent(buf, m.pageCloseFrame(buf))), QStringLiteral("78 59 75 00 00 00 FF"));
    QVERIFY(!m.hasUnsavedChanges());
}

void TestRz7Model::bankAndGroupCycle()
{
    CRZ7Model m;
    QString banks;
    for (int i = 0; i < 4; ++i) {
        m.nextPadBank();
        banks += QString::number(m.padBank() + 1);
    }
    QCOMPARE(banks, QStringLiteral("2312"));
    m.nextKnobGroup();
    m.nextKnobGroup();
    QCOMPARE(int(m.knobGroup()), 2);
    m.nextKnobGroup();
    QCOMPARE(int(m.knobGroup()), 0);

    // Out-of-range values never index the block.
    m.system().padBank = 9;
    m.system().knobGroup = 200;
    QCOMPARE(int(m.padBank()), 0);
    QCOMPARE(m.padRecord(0), &m.config().PadData[0][0]);
    QCOMPARE(m.knobRecord(7), &m.config().KnobData[0][7]);
    QCOMPARE(m.padRecord(16), nullptr);
    QCOMPARE(m.padColour(16), nullptr);
    QCOMPARE(m.knobRecord(8), nullptr);
    m.nextPadBank();
    QCOMPARE(int(m.system().padBank), 0);
}

TAVRO_TEST_MAIN(TestRz7Model)
#include "test_rz7model.moc"
