#include "streamsplitter.h"
#include "sysexpacking.h"
#include "bytes.h"
#include "testmain.h"

using namespace tavrotest;

namespace {

// Records what the splitter delivers as readable lines.
class Recorder : public MidiStreamSink
{
public:
    QStringList events;
    void onFrame(const uchar *frame, uint len) override
    {
        events << QStringLiteral("frame ") + toHex(QByteArray(reinterpret_cast<const char *>(frame), int(len)));
    }
    void onSysEx(const uchar *msg, uint len) override
    {
        events << QStringLiteral("sysex ") + toHex(QByteArray(reinterpret_cast<const char *>(msg), int(len)));
    }
    void onShortMessage(uint message) override { events << QStringLiteral("midi %1").arg(message); }
};

QByteArray packed(const QByteArray &frame)
{
    QByteArray out(int(packedSysExSize(uint(frame.size()))), '\0');
    packSysEx(u8(frame), uint(frame.size()), reinterpret_cast<uchar *>(out.data()));
    return out;
}

QByteArray frameOfLength(int len)
{
    QByteArray f(len, '\0');
    for (int i = 0; i < len; ++i)
        f[i] = char((i * 37 + 11) & 0xFF);
    f[0] = 0x78;
    if (len > 1)
        f[1] = 0x59;
    return f;
}

struct Splitter
{
    uchar buf[SDeviceFrame::kMaxReceivedFrame];
    uint len = 0;
    Recorder rec;
    uint run(const QByteArray &data)
    {
        return splitMidiStream(u8(data), uint(data.size()), FrameBuffer{buf, sizeof buf, &len}, rec);
    }
};

} // namespace

class TestStreamSplitter : public QObject
{
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void frameCutAcrossCalls();
    void largestFrameAndOversize();
    void stopIndexMarksCutMessage();
};

void TestStreamSplitter::split_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("expected");

    const QString poll = QStringLiteral("frame 78 59 66 00 00 00 FF");
    QTest::newRow("device info frame") << hex("F0 78 32 45 00 00 00 40 7F F7")
                                       << QStringList{QStringLiteral("frame 78 59 11 00 00 00 FF")};
    QTest::newRow("two frames in one call")
        << packed(hex("78 59 66 00 00 00 FF")) + packed(hex("78 59 12 01 00 00 01 FE"))
        << QStringList{poll, QStringLiteral("frame 78 59 12 01 00 00 01 FE")};
    QTest::newRow("one-byte frame") << hex("F0 78 32 F7") << QStringList{QStringLiteral("frame 78")};
    QTest::newRow("foreign sysex") << hex("F0 41 10 F7") << QStringList{QStringLiteral("sysex F0 41 10 F7")};
    QTest::newRow("unterminated foreign sysex") << hex("F0 41 10") << QStringList{};
    QTest::newRow("F0 F7 at the end") << hex("90 3C 64 F0 F7") << QStringList{QStringLiteral("midi 6569104")};
    QTest::newRow("note on") << hex("90 3C 64") << QStringList{QStringLiteral("midi 6569104")};
    QTest::newRow("program change") << hex("C0 05") << QStringList{QStringLiteral("midi 1472")};
    QTest::newRow("clock") << hex("F8") << QStringList{QStringLiteral("midi 248")};
    QTest::newRow("cut note on") << hex("90 3C") << QStringList{};
    QTest::newRow("stray data bytes") << hex("3C 64 F4 F7 F9 FD FF F5") << QStringList{};
    QTest::newRow("one-byte messages") << hex("F6 FA FB FC FE")
                                       << QStringList{QStringLiteral("midi 246"), QStringLiteral("midi 250"),
                                                      QStringLiteral("midi 251"), QStringLiteral("midi 252"),
                                                      QStringLiteral("midi 254")};
    QTest::newRow("song position and select")
        << hex("F2 01 02 F3 07 F1 33")
        << QStringList{QStringLiteral("midi %1").arg(0xF2 | 0x01 << 8 | 0x02 << 16),
                       QStringLiteral("midi %1").arg(0xF3 | 0x07 << 8), QStringLiteral("midi %1").arg(0xF1 | 0x33 << 8)};
    QTest::newRow("mixed stream")
        << hex("F8 B0 07 64") + packed(hex("78 59 66 00 00 00 FF")) + hex("F0 7E 7F 06 01 F7 3C E0 00 40 FE")
        << QStringList{QStringLiteral("midi 248"), QStringLiteral("midi %1").arg(0xB0 | 0x07 << 8 | 0x64 << 16), poll,
                       QStringLiteral("sysex F0 7E 7F 06 01 F7"), QStringLiteral("midi %1").arg(0xE0 | 0x40 << 16),
                       QStringLiteral("midi 254")};
    QTest::newRow("unterminated frame then nothing")
        << hex("F8") + packed(hex("78 59 66 00 00 00 FF")).chopped(1) << QStringList{QStringLiteral("midi 248")};
}

void TestStreamSplitter::split()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, expected);
    Splitter s;
    s.run(data);
    QCOMPARE(s.rec.events, expected);
}

void TestStreamSplitter::frameCutAcrossCalls()
{
    const QByteArray whole = packed(hex("78 59 67 01 00 00 02 FD"));
    Splitter s;
    s.run(whole.left(6));
    QVERIFY(s.rec.events.isEmpty());
    // The rest of the cut frame is skipped; the complete frame after it arrives.
    s.run(whole.mid(6) + packed(hex("78 59 66 00 00 00 FF")));
    QCOMPARE(s.rec.events, QStringList{QStringLiteral("frame 78 59 66 00 00 00 FF")});
}

void TestStreamSplitter::largestFrameAndOversize()
{
    const QByteArray largest = frameOfLength(4937);
    Splitter s;
    s.run(packed(largest));
    QCOMPARE(s.rec.events.size(), 1);
    QCOMPARE(s.len, 4937u);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(s.buf), 4937), largest);

    // One byte too long: not delivered, and the message after it still is.
    Splitter t;
    t.run(packed(frameOfLength(4938)) + hex("90 3C 64") + packed(hex("78 59 66 00 00 00 FF")));
    QCOMPARE(t.rec.events, (QStringList{QStringLiteral("midi 6569104"), QStringLiteral("frame 78 59 66 00 00 00 FF")}));

    // Far longer than the buffer: still nothing written past it (ASan watches).
    Splitter u;
    u.run(packed(frameOfLength(20000)) + hex("F8"));
    QCOMPARE(u.rec.events, QStringList{QStringLiteral("midi 248")});
}

void TestStreamSplitter::stopIndexMarksCutMessage()
{
    Splitter s;
    QCOMPARE(s.run(hex("F8 F8")), 2u);
    const QByteArray frame = packed(hex("78 59 66 00 00 00 FF"));
    QCOMPARE(s.run(hex("F8") + frame.chopped(1)), 1u);  // the unterminated frame starts at 1
    QCOMPARE(s.run(hex("F8 90 3C")), 1u);               // a cut note-on
    QCOMPARE(s.run(hex("F8 F0 41")), 1u);               // a cut SysEx start
    QCOMPARE(s.run(hex("F8 F0 41 10")), 1u);            // an unterminated foreign SysEx
}

TAVRO_TEST_MAIN(TestStreamSplitter)
#include "test_streamsplitter.moc"
