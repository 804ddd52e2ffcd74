// The receive ring and the send path of MidiPortWrapper that need no MIDI
// service: wrapping, overflow, read limits, and a writer thread racing the
// reader (also run under ThreadSanitizer by scripts/tsan-ring.sh).
#include "midiapi.h"
#include "midiportwrapper.h"
#include "sysexjoiner.h"

#include "bytes.h"
#include "testmain.h"

#include <atomic>
#include <memory>
#include <random>
#include <chrono>
#include <thread>

using namespace tavrotest;

namespace {

constexpr uint kRing = MidiPortWrapper::kRxRingSize;

QByteArray pattern(int len, int seed)
{
    QByteArray bytes(len, Qt::Uninitialized);
    for (int i = 0; i < len; ++i)
        bytes[i] = char((i * 7 + seed * 13) & 0x7F);
    return bytes;
}

void push(MidiPortWrapper &w, const QByteArray &bytes)
{
    w.ringWrite(u8(bytes), uint(bytes.size()));
}

QByteArray drain(MidiPortWrapper &w, uint maxLen = 7168)
{
    QByteArray all;
    QByteArray buf(int(maxLen), 0);
    while (w.pending() > 0) {
        const uint n = w.read(reinterpret_cast<uchar *>(buf.data()), maxLen, 1);
        all.append(buf.constData(), int(n));
    }
    return all;
}

} // namespace

class TestMidiRing : public QObject
{
    Q_OBJECT

private slots:
    void frameSysExFollowsMode();
    void writeFailsWithoutOutputPort();
    void ringWrapsInOrder();
    void overflowDropsWholeMessages();
    void readLimits();
    void flushDiscardsUnread();
    void concurrentWriterAndReader();
    void apiChoice();
    void sysExJoinedAcrossEvents_data();
    void sysExJoinedAcrossEvents();
};

void TestMidiRing::frameSysExFollowsMode()
{
    auto w = std::make_unique<MidiPortWrapper>();
    const QByteArray frame = hex("78 59 11 00 00 00 FF");
    uchar out[32];
    uint n = w->frameSysEx(u8(frame), uint(frame.size()), out);
    QCOMPARE(toHex(QByteArray(reinterpret_cast<char *>(out), int(n))),
             QStringLiteral("F0 78 32 45 00 00 00 40 7F F7"));

    // Raw mode also empties the ring.
    push(*w, hex("F8"));
    w->setSysEx7Bit(0);
    QCOMPARE(w->pending(), 0u);
    n = w->frameSysEx(u8(frame), uint(frame.size()), out);
    QCOMPARE(toHex(QByteArray(reinterpret_cast<char *>(out), int(n))),
             QStringLiteral("F0 78 59 11 00 00 00 FF F7"));
}

void TestMidiRing::writeFailsWithoutOutputPort()
{
    auto w = std::make_unique<MidiPortWrapper>();
    const QByteArray frame = hex("78 59 66 00 00 00 FF");
    QVERIFY(!w->write(u8(frame), uint(frame.size())));
    QCOMPARE(w->send(u8(frame), frame.size()), 0);
    QCOMPARE(w->send(u8(frame), -1), 0);
    // Closing what was never opened is harmless.
    w->close();
    QCOMPARE(w->send(u8(frame), frame.size()), 0);
}

void TestMidiRing::ringWrapsInOrder()
{
    auto w = std::make_unique<MidiPortWrapper>();

    // A message that ends exactly at the end of the ring, then one that starts
    // at its beginning.
    const QByteArray a = pattern(kRing - 100, 1);
    push(*w, a);
    QCOMPARE(drain(*w), a);
    const QByteArray b = pattern(100, 2);
    push(*w, b);
    const QByteArray c = pattern(300, 3);
    push(*w, c);
    QCOMPARE(w->pending(), 400u);
    QCOMPARE(drain(*w), b + c);

    // A message that crosses the end comes back in order, whatever the read
    // size.
    push(*w, pattern(kRing - 1000, 4));
    QCOMPARE(drain(*w).size(), int(kRing - 1000));
    const QByteArray d = pattern(5000, 5);
    push(*w, d);
    QCOMPARE(drain(*w, 333), d);

    uchar byte = 0;
    QVERIFY(!w->readByte(&byte));
    push(*w, hex("90 3C 7F"));
    QVERIFY(w->readByte(&byte));
    QCOMPARE(byte, uchar(0x90));
    QVERIFY(w->readByte(&byte));
    QCOMPARE(byte, uchar(0x3C));
    QVERIFY(w->readByte(&byte));
    QCOMPARE(byte, uchar(0x7F));
    QVERIFY(!w->readByte(&byte));
    QCOMPARE(w->droppedMessages(), 0u);
}

void TestMidiRing::overflowDropsWholeMessages()
{
    auto w = std::make_unique<MidiPortWrapper>();
    // Start off zero so the free space wraps too.
    push(*w, pattern(12345, 0));
    drain(*w);

    const QByteArray first = pattern(40000, 1);
    push(*w, first);
    push(*w, pattern(1000, 2)); // 959 bytes free: dropped whole
    QCOMPARE(w->droppedMessages(), 1u);
    QCOMPARE(w->pending(), 40000u);

    const QByteArray fill = pattern(kRing - 1 - 40000, 3); // exactly the free space
    push(*w, fill);
    QCOMPARE(w->pending(), kRing - 1);
    push(*w, hex("F8"));
    QCOMPARE(w->droppedMessages(), 2u);

    // Unread data survived untouched, and the next message arrives intact.
    QCOMPARE(drain(*w), first + fill);
    const QByteArray next = hex("F0 78 32 45 00 00 00 40 7F F7");
    push(*w, next);
    QCOMPARE(drain(*w), next);

    // A message longer than the whole ring can never be stored.
    std::vector<uchar> huge(kRing + 10, 0x11);
    w->onMidiMessage(&huge);
    std::vector<uchar> empty;
    w->onMidiMessage(&empty);
    QCOMPARE(w->droppedMessages(), 3u);
    QCOMPARE(w->pending(), 0u);
}

void TestMidiRing::readLimits()
{
    auto w = std::make_unique<MidiPortWrapper>();
    QByteArray buf(8192, 0);
    auto *out = reinterpret_cast<uchar *>(buf.data());

    QCOMPARE(w->read(out, 7168, 1), 0u); // empty: one pause, nothing

    const QByteArray data = pattern(8000, 7);
    push(*w, data);
    QCOMPARE(w->read(out, 7168, 0), 0u); // no tries: nothing taken
    QCOMPARE(w->pending(), 8000u);
    QCOMPARE(w->read(out, 7168, 1), 7168u);
    QCOMPARE(buf.left(7168), data.left(7168));
    QCOMPARE(w->read(out, 7168, 1), 832u);
    QCOMPARE(buf.left(832), data.mid(7168));
    QCOMPARE(w->read(out, 7168, 2), 0u);
}

void TestMidiRing::flushDiscardsUnread()
{
    auto w = std::make_unique<MidiPortWrapper>();
    push(*w, pattern(500, 1));
    w->flush();
    QCOMPARE(w->pending(), 0u);
    const QByteArray after = hex("B0 07 64");
    push(*w, after);
    QCOMPARE(drain(*w), after);
}

// Messages carry their own length and sequence number: 2 bytes length, 4 bytes
// sequence, then bytes derived from the sequence. The reader rebuilds them from
// the byte stream and checks that every byte is in place and that every gap in
// the sequence is a counted drop.
void TestMidiRing::concurrentWriterAndReader()
{
    auto w = std::make_unique<MidiPortWrapper>();
    constexpr uint32_t kMessages = 24000;
    std::atomic<bool> done{false};

    std::thread writer([&] {
        std::mt19937 rng(12345);
        std::uniform_int_distribution<int> lenDist(6, 6000);
        std::vector<uchar> msg;
        for (uint32_t seq = 0; seq < kMessages; ++seq) {
            // Mostly short messages, now and then a long one, as the device does.
            const int len = (seq % 16 == 0) ? lenDist(rng) : 6 + int(rng() % 60);
            msg.resize(size_t(len));
            msg[0] = uchar(len & 0xFF);
            msg[1] = uchar(len >> 8);
            for (int i = 0; i < 4; ++i)
                msg[size_t(2 + i)] = uchar(seq >> (8 * i));
            for (int i = 6; i < len; ++i)
                msg[size_t(i)] = uchar(seq * 31 + uint32_t(i));
            w->onMidiMessage(&msg);
            // Calm stretches, paced about as a busy device sends, alternate
            // with bursts that overrun the reader.
            const bool burst = (seq / 2000) % 4 == 3;
            if (!burst && seq % 12 == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        done.store(true, std::memory_order_release);
    });

    QByteArray stream;
    QByteArray buf(7168, 0);
    uint32_t expected = 0; // next sequence number not yet seen
    uint32_t gaps = 0;
    uint32_t delivered = 0;
    bool ok = true;
    auto parse = [&] {
        int pos = 0;
        while (ok && stream.size() - pos >= 6) {
            const auto *p = reinterpret_cast<const uchar *>(stream.constData()) + pos;
            const int len = p[0] | (p[1] << 8);
            if (len < 6) {
                ok = false;
                break;
            }
            if (stream.size() - pos < len)
                break;
            const uint32_t seq = uint32_t(p[2]) | uint32_t(p[3]) << 8 | uint32_t(p[4]) << 16
                                 | uint32_t(p[5]) << 24;
            if (seq < expected) {
                ok = false;
                break;
            }
            gaps += seq - expected;
            expected = seq + 1;
            for (int i = 6; i < len && ok; ++i)
                ok = p[i] == uchar(seq * 31 + uint32_t(i));
            ++delivered;
            pos += len;
        }
        stream.remove(0, pos);
    };
    for (;;) {
        const bool finished = done.load(std::memory_order_acquire);
        const uint n = w->read(reinterpret_cast<uchar *>(buf.data()), uint(buf.size()), 1);
        stream.append(buf.constData(), int(n));
        parse();
        if (!ok || (finished && w->pending() == 0))
            break;
    }
    writer.join();
    parse();

    QVERIFY2(ok, "a byte was reordered or corrupted");
    QCOMPARE(stream.size(), 0);
    gaps += kMessages - expected; // dropped at the very end
    QCOMPARE(w->droppedMessages(), gaps);
    QCOMPARE(delivered + gaps, kMessages);
    QVERIFY(delivered > 0);
    qInfo("delivered %u messages, dropped %u", delivered, gaps);
}

void TestMidiRing::apiChoice()
{
    std::vector<RtMidi::Api> compiled;
    RtMidi::getCompiledApi(compiled);
    for (RtMidi::Api api : compiled)
        QCOMPARE(midiApiFromName(RtMidi::getApiName(api)), api);
    QCOMPARE(midiApiFromName("nonsense"), RtMidi::UNSPECIFIED);
    QCOMPARE(midiApiFromName(""), RtMidi::UNSPECIFIED);

    // The override wins when it names a compiled API and is ignored otherwise;
    // the choice is never left to the library.
    const QByteArray saved = qgetenv(kMidiApiEnvVar);
    qputenv(kMidiApiEnvVar, "nonsense");
    const RtMidi::Api fallback = chooseMidiApi();
    QVERIFY(fallback != RtMidi::UNSPECIFIED);
    for (RtMidi::Api api : compiled) {
        qputenv(kMidiApiEnvVar, RtMidi::getApiName(api).c_str());
        QCOMPARE(chooseMidiApi(), api);
    }
    if (saved.isNull())
        qunsetenv(kMidiApiEnvVar);
    else
        qputenv(kMidiApiEnvVar, saved);
#if defined(__linux__)
    if (!QFile::exists(QStringLiteral("/dev/snd/seq")))
        QCOMPARE(fallback, RtMidi::UNIX_JACK);
#endif
}

// Events as an input port receives them, each hex text one event; the
// messages passed on, and how many were dropped.
void TestMidiRing::sysExJoinedAcrossEvents_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("dropped");
    QTest::newRow("whole") << QStringList{"F0 01 F7", "90 40 7F"} << QStringList{"F0 01 F7", "90 40 7F"} << 0;
    QTest::newRow("split, clock between")
        << QStringList{"F0 01 02", "F8", "03 04", "05 F7"} << QStringList{"F8", "F0 01 02 03 04 05 F7"} << 0;
    QTest::newRow("cut by a note") << QStringList{"F0 01 02", "90 40 7F", "03 F7"}
                                   << QStringList{"90 40 7F", "03 F7"} << 1;
    QTest::newRow("end alone") << QStringList{"F0 01 02", "F7"} << QStringList{"F0 01 02 F7"} << 0;
    QTest::newRow("end alone after a middle") << QStringList{"F0 01", "02", "F7"} << QStringList{"F0 01 02 F7"} << 0;
    QTest::newRow("stray end") << QStringList{"F7", "F0 01 F7"} << QStringList{"F7", "F0 01 F7"} << 0;
    QTest::newRow("longer than the buffer") << QStringList{"F0 01 02 03", "04 05 06", "07 F7", "F0 09 F7"}
                                            << QStringList{"F0 09 F7"} << 1;
}

void TestMidiRing::sysExJoinedAcrossEvents()
{
    QFETCH(QStringList, events);
    QFETCH(QStringList, messages);
    QFETCH(int, dropped);
    SysExJoiner joiner(8);
    QStringList got;
    for (const QString &event : events) {
        const QByteArray bytes = hex(event.toLatin1().constData());
        joiner.take(u8(bytes), size_t(bytes.size()), [&got](const uint8_t *data, size_t size) {
            got << QString(QByteArray(reinterpret_cast<const char *>(data), int(size)).toHex(' ')).toUpper();
        });
    }
    QCOMPARE(got, messages);
    QCOMPARE(int(joiner.dropped()), dropped);
}

TAVRO_TEST_MAIN(TestMidiRing)
#include "test_midiring.moc"
