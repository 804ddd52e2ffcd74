// MidiPortWrapper and MidiPortLister against a real JACK server, with a peer
// that plays the controller's side.
#include "midipeer.h"
#include "midiportwrapper.h"
#include "midiports.h"
#include "sysexpacking.h"

#include "bytes.h"
#include "testmain.h"

#include <jack/jack.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace tavrotest;

namespace {

QByteArray bytesOf(const MidiPeer::Message &m)
{
    return QByteArray(reinterpret_cast<const char *>(m.data()), int(m.size()));
}

MidiPeer::Message message(const QByteArray &bytes)
{
    return MidiPeer::Message(bytes.begin(), bytes.end());
}

QByteArray sysex(int len, int seed)
{
    QByteArray bytes(len, Qt::Uninitialized);
    bytes[0] = char(0xF0);
    for (int i = 1; i < len - 1; ++i)
        bytes[i] = char((i * 5 + seed) & 0x7F);
    bytes[len - 1] = char(0xF7);
    return bytes;
}

QByteArray readAll(MidiPortWrapper &w, uint maxLen = 7168)
{
    QByteArray all;
    QByteArray buf(int(maxLen), 0);
    while (w.pending() > 0)
        all.append(buf.constData(), int(w.read(reinterpret_cast<uchar *>(buf.data()), maxLen, 1)));
    return all;
}

// JACK without real-time scheduling can lose an event when a client runs late
// (an xrun, noted in the server's log). A step whose messages have not all
// arrived is therefore sent again, a few times at most; what does arrive is
// always checked in full, so a fault of the link itself still fails.
template<typename Send, typename Arrived>
bool deliver(Send send, Arrived arrived)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        send();
        if (QTest::qWaitFor(arrived, 2000))
            return true;
        qWarning("nothing or not everything arrived; sending again");
    }
    return false;
}

} // namespace

class TestMidiLink : public QObject
{
    Q_OBJECT

private:
    // Numbers of the peer's ports in the current lists; false when not listed.
    bool findPeer(const MidiPeer &peer, uint *outPort, uint *inPort)
    {
        const int in = m_lister->inputPortNames().indexOf(QString::fromStdString(peer.editorInputName()));
        const int out = m_lister->outputPortNames().indexOf(QString::fromStdString(peer.editorOutputName()));
        if (in < 0 || out < 0)
            return false;
        *inPort = uint(in);
        *outPort = uint(out);
        return true;
    }
    bool editorPortsListed()
    {
        return m_lister->inputPortNames().contains(QStringLiteral("RtMidi Output"))
               || m_lister->outputPortNames().contains(QStringLiteral("RtMidi Input"));
    }

    std::unique_ptr<MidiPortLister> m_lister;
    std::unique_ptr<MidiPeer> m_peer;
    std::unique_ptr<MidiPortWrapper> m_wrapper;
    uint m_out = 0;
    uint m_in = 0;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsPortsWithoutClientName();
    void sentFrameArrivesAsOneSysEx_data();
    void sentFrameArrivesAsOneSysEx();
    void peerMessagesArriveInOrder();
    void failedOpenLeavesNoPortOpen();
    void bytesBeforeOpenAreDiscarded();
    void overflowDropsWholeMessages();
    void sendAfterCloseFails();
    void reopenFollowsPortNames();
    void openCloseWhileConnectionsChange();
};

void TestMidiLink::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
        QFAIL("no private JACK server: run under scripts/test.sh or scripts/jack-env.sh");
    m_lister = std::make_unique<MidiPortLister>();
    QVERIFY2(m_lister->isAvailable(), qPrintable(m_lister->lastError()));
}

void TestMidiLink::init()
{
    m_peer = std::make_unique<MidiPeer>();
    QVERIFY2(m_peer->isReady(), m_peer->error().c_str());
    m_wrapper = std::make_unique<MidiPortWrapper>();
    QVERIFY(findPeer(*m_peer, &m_out, &m_in));
}

void TestMidiLink::cleanup()
{
    m_wrapper.reset();
    m_peer.reset();
}

void TestMidiLink::listsPortsWithoutClientName()
{
    QVERIFY(!editorPortsListed());
    QVERIFY(m_wrapper->open(m_out, m_in, true));
    QVERIFY(editorPortsListed());
    const QStringList inputs = m_lister->inputPortNames();
    QVERIFY(inputs.contains(QStringLiteral("Tavro Test Pad IN")));
    for (const QString &name : inputs)
        QVERIFY2(!name.contains(QLatin1Char(':')), qPrintable(name));
    m_wrapper->close();
    QVERIFY(!editorPortsListed());

    // Only the first ':' separates the client; the rest belongs to the port.
    QCOMPARE(MidiPortLister::portName("client:Pad: A IN", RtMidi::UNIX_JACK), QStringLiteral("Pad: A IN"));
    QCOMPARE(MidiPortLister::portName("Pad: A IN", RtMidi::WINDOWS_MM), QStringLiteral("Pad: A IN"));
}

void TestMidiLink::sentFrameArrivesAsOneSysEx_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("device info") << hex("78 59 11 00 00 00 FF") << hex("F0 78 32 45 00 00 00 40 7F F7");
    QTest::newRow("host hello") << hex("78 59 12 01 00 00 01 FE") << hex("F0 78 32 49 08 00 00 40 00 7E 01 F7");
    // The longest frame a page handles: 4,937 bytes, 5,645 packed.
    QByteArray big(4937, 0);
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i * 37);
    big[0] = char(0x78);
    big[1] = char(0x59);
    QByteArray packed(int(packedSysExSize(uint(big.size()))), 0);
    packSysEx(u8(big), uint(big.size()), reinterpret_cast<uchar *>(packed.data()));
    QCOMPARE(packed.size(), 5645);
    QTest::newRow("pedal image") << big << packed;
}

void TestMidiLink::sentFrameArrivesAsOneSysEx()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QVERIFY2(m_wrapper->open(m_out, m_in, true), m_wrapper->lastError().c_str());
    // Two frames: if the first had been split, more than two messages arrive.
    QVERIFY(deliver(
        [&] {
            m_peer->clear();
            QCOMPARE(m_wrapper->send(u8(frame), frame.size()), frame.size());
            QCOMPARE(m_wrapper->send(u8(frame), frame.size()), frame.size());
        },
        [&] { return m_peer->received().size() >= 2; }));
    const auto got = m_peer->received();
    QCOMPARE(int(got.size()), 2);
    QCOMPARE(bytesOf(got[0]), expected);
    QCOMPARE(bytesOf(got[1]), expected);
}

void TestMidiLink::peerMessagesArriveInOrder()
{
    QVERIFY(m_wrapper->open(m_out, m_in, true));
    const QList<QByteArray> messages = {
        hex("F0 78 32 45 00 00 00 40 7F F7"),
        hex("F8"),
        hex("FE"),
        hex("90 3C 7F"),
        hex("B0 07 64"),
        hex("C0 05"),
        sysex(5645, 1),
        hex("E0 00 40"),
        // A packed frame whose F7 comes as an event of its own.
        hex("F0 78 32 19 03 00 00 40 7F"),
        hex("F7"),
        hex("80 3C 00"),
    };
    QByteArray expected;
    for (const QByteArray &m : messages)
        expected += m;
    QVERIFY(deliver(
        [&] {
            m_wrapper->flush();
            for (const QByteArray &m : messages)
                m_peer->send(message(m));
        },
        [&] { return m_wrapper->pending() >= uint(expected.size()); }));
    QCOMPARE(readAll(*m_wrapper), expected);
    QCOMPARE(m_wrapper->droppedMessages(), 0u);
}

void TestMidiLink::failedOpenLeavesNoPortOpen()
{
    const uint inCount = uint(m_lister->inputPortNames().size());
    const uint outCount = uint(m_lister->outputPortNames().size());

    QVERIFY(!m_wrapper->open(m_out, inCount, true));
    QVERIFY(!m_wrapper->lastError().empty());
    QVERIFY(!editorPortsListed());

    QVERIFY(!m_wrapper->open(outCount + 3, m_in, true));
    QVERIFY(!editorPortsListed());

    // A working pair opened earlier is closed by a failed reopen too.
    QVERIFY(m_wrapper->open(m_out, m_in, true));
    QVERIFY(!m_wrapper->open(m_out, inCount + 5, true));
    QVERIFY(!editorPortsListed());
    const QByteArray frame = hex("78 59 66 00 00 00 FF");
    QCOMPARE(m_wrapper->send(u8(frame), frame.size()), 0);

    // And the same wrapper still opens a valid pair afterwards.
    QVERIFY(findPeer(*m_peer, &m_out, &m_in));
    QVERIFY(m_wrapper->open(m_out, m_in, true));
    QVERIFY(deliver([&] { QCOMPARE(m_wrapper->send(u8(frame), frame.size()), frame.size()); },
                    [&] { return !m_peer->received().empty(); }));
}

void TestMidiLink::bytesBeforeOpenAreDiscarded()
{
    QVERIFY(m_wrapper->openInput(m_in));
    const QByteArray early = hex("90 3C 7F 80 3C 00");
    QVERIFY(deliver(
        [&] {
            m_wrapper->flush();
            m_peer->send(message(early.left(3)));
            m_peer->send(message(early.mid(3)));
        },
        [&] { return m_wrapper->pending() == uint(early.size()); }));

    QVERIFY(findPeer(*m_peer, &m_out, &m_in));
    QVERIFY(m_wrapper->open(m_out, m_in, true));
    QCOMPARE(m_wrapper->pending(), 0u);

    const QByteArray later = hex("F0 78 32 45 00 00 00 40 7F F7");
    QVERIFY(deliver([&] { m_peer->send(message(later)); },
                    [&] { return m_wrapper->pending() >= uint(later.size()); }));
    QCOMPARE(readAll(*m_wrapper), later);
}

void TestMidiLink::overflowDropsWholeMessages()
{
    QVERIFY(m_wrapper->open(m_out, m_in, true));
    // Nobody reads: eight messages of 5,000 bytes fit the ring, the next two
    // do not. Each is waited for so the peer's own send queue never overflows.
    QList<QByteArray> sent;
    for (int i = 0; i < 10; ++i) {
        sent << sysex(5000, i);
        if (i < 8)
            QVERIFY(deliver([&] { m_peer->send(message(sent.last())); },
                            [&] { return m_wrapper->pending() >= uint(5000 * (i + 1)); }));
        else
            QVERIFY(deliver([&] { m_peer->send(message(sent.last())); },
                            [&] { return m_wrapper->droppedMessages() >= uint(i - 7); }));
    }
    QCOMPARE(m_wrapper->droppedMessages(), 2u);
    QCOMPARE(m_wrapper->pending(), 40000u);

    QByteArray kept;
    for (int i = 0; i < 8; ++i)
        kept += sent[i];
    QCOMPARE(readAll(*m_wrapper, 7168), kept);

    const QByteArray next = sysex(5645, 99);
    QVERIFY(deliver([&] { m_peer->send(message(next)); },
                    [&] { return m_wrapper->pending() >= uint(next.size()); }));
    QCOMPARE(readAll(*m_wrapper), next);
    QCOMPARE(m_wrapper->droppedMessages(), 2u);
}

void TestMidiLink::sendAfterCloseFails()
{
    const QByteArray frame = hex("78 59 66 00 00 00 FF");
    QVERIFY(m_wrapper->open(m_out, m_in, true));
    QVERIFY(deliver([&] { QCOMPARE(m_wrapper->send(u8(frame), frame.size()), frame.size()); },
                    [&] { return !m_peer->received().empty(); }));

    // A frame whose packed form would not fit the send buffer is refused
    // whole, and so is one that fits it but is longer than a JACK cycle
    // carries: it would never reach the device.
    QByteArray tooLong(int(MidiPortWrapper::kMaxFrameLen) + 1, 0);
    QCOMPARE(m_wrapper->send(u8(tooLong), tooLong.size()), 0);
    QByteArray overCycle(int(MidiPortWrapper::kMaxFrameLen), 0);
    QCOMPARE(m_wrapper->send(u8(overCycle), overCycle.size()), 0);

    m_wrapper->close();
    QCOMPARE(m_wrapper->send(u8(frame), frame.size()), 0);
    QVERIFY(!m_wrapper->write(u8(frame), uint(frame.size())));
}

// Our own ports are listed on JACK and can take a free place in front of the
// device's ports; opening must still reach the ports the numbers were taken for.
void TestMidiLink::reopenFollowsPortNames()
{
    // Leave a free place in front of a second device's ports.
    auto placeholder = std::make_unique<MidiPeer>("Placeholder");
    QVERIFY(placeholder->isReady());
    auto second = std::make_unique<MidiPeer>("Second Pad");
    QVERIFY(second->isReady());
    placeholder.reset();

    const QByteArray frame = hex("78 59 11 00 00 00 FF");
    // Differs from the frame, so a loop from our own output to our own input
    // cannot pass for the reply.
    const QByteArray reply = hex("F0 78 32 01 02 03 F7");
    auto exchange = [&](MidiPeer &peer) {
        QVERIFY(deliver([&] { QCOMPARE(m_wrapper->send(u8(frame), frame.size()), frame.size()); },
                        [&] { return !peer.received().empty(); }));
        QVERIFY(deliver(
            [&] {
                m_wrapper->flush();
                peer.send(message(reply));
            },
            [&] { return m_wrapper->pending() >= uint(reply.size()); }));
        QCOMPARE(readAll(*m_wrapper), reply);
    };

    uint out = 0;
    uint in = 0;
    QVERIFY(findPeer(*second, &out, &in));
    QVERIFY(m_wrapper->open(out, in, true));
    exchange(*second);
    if (QTest::currentTestFailed())
        return;

    // Switch to the first peer with numbers listed while our ports are open.
    const size_t secondGot = second->received().size();
    QVERIFY(findPeer(*m_peer, &m_out, &m_in));
    QVERIFY(m_wrapper->open(m_out, m_in, true));
    exchange(*m_peer);
    QCOMPARE(second->received().size(), secondGot);
}

// A page closes or its device goes while anything else on the server changes
// its connections: every change makes libjack walk each client's ports on the
// client's own thread, so a port closed under a running client would crash.
void TestMidiLink::openCloseWhileConnectionsChange()
{
    MidiPeer other("Churn Pad");
    QVERIFY2(other.isReady(), other.error().c_str());
    jack_client_t *churner = jack_client_open("Churn", JackNoStartServer, nullptr);
    QVERIFY(churner);
    std::atomic<bool> stop{false};
    std::atomic<int> changes{0};
    std::thread churn([&] {
        const std::string from = other.sourcePort();
        const std::string to = other.destinationPort();
        while (!stop) {
            jack_connect(churner, from.c_str(), to.c_str());
            jack_disconnect(churner, from.c_str(), to.c_str());
            ++changes;
        }
    });
    bool opened = true;
    for (int i = 0; i < 60 && opened; ++i) {
        opened = findPeer(*m_peer, &m_out, &m_in) && m_wrapper->open(m_out, m_in, true);
        m_wrapper->close();
    }
    stop = true;
    churn.join();
    jack_client_close(churner);
    QVERIFY2(opened, m_wrapper->lastError().c_str());
    QVERIFY(changes > 0);

    const QByteArray frame = hex("78 59 66 00 00 00 FF");
    QVERIFY(findPeer(*m_peer, &m_out, &m_in));
    QVERIFY(m_wrapper->open(m_out, m_in, true));
    QVERIFY(deliver([&] { QCOMPARE(m_wrapper->send(u8(frame), frame.size()), frame.size()); },
                    [&] { return !m_peer->received().empty(); }));
}

TAVRO_TEST_MAIN(TestMidiLink)
#include "test_midilink.moc"
