// The simulated controller on a real JACK server: a host made of the editor's
// JACK ports talks to it the way the editor does.
#include "bytes.h"
#include "simulator.h"
#include "sysexpacking.h"
#include "testmain.h"

#include "jackmidiport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <memory>
#include <mutex>

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

// Port names as JACK lists them: "client:port".
QStringList portList(bool inputs)
{
    // Left to the process's end, as the host below.
    static jackmidi::JackMidiLister *const lister =
        jackmidi::JackMidiLister::open("tavro-sim-test-list", nullptr).release();
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    QStringList names;
    if (lister) {
        for (const std::string &name :
             lister->ports(inputs ? jackmidi::PortKind::Sources : jackmidi::PortKind::Destinations))
            names << QString::fromStdString(name);
    }
    return names;
}

// The full name of the listed port called port; empty when none is.
QString portNamed(const QStringList &names, const std::string &port)
{
    const QString suffix = QLatin1Char(':') + QString::fromStdString(port);
    for (const QString &n : names) {
        if (n.endsWith(suffix))
            return n;
    }
    return QString();
}

bool hasPort(const QStringList &names, const std::string &port)
{
    return !portNamed(names, port).isEmpty();
}

// The editor's side: connects to the device's two ports and collects what the
// device sends, unpacking frames with the editor's own code. One for the whole
// process, reconnected for each case.
class Host
{
public:
    static Host &instance()
    {
        // Left to the process's end: its clients must not close in the
        // static destructors, after libjack's own may have run.
        static Host *host = new Host;
        return *host;
    }

    // Connects to the simulator's ports and waits until a message gets through
    // each way; then both sides start with empty records.
    bool connect(Simulator &sim)
    {
        m_in.reset();
        m_out.reset();
        const QString from = portNamed(portList(true), sim.outPortName());
        const QString to = portNamed(portList(false), sim.inPortName());
        if (from.isEmpty() || to.isEmpty())
            return false;
        m_in = jackmidi::JackMidiPort::openInput("tavro-sim-test-host", "host in", &Host::receive, this, nullptr);
        m_out = jackmidi::JackMidiPort::openOutput("tavro-sim-test-host", "host out", nullptr);
        if (!m_in || !m_out || !m_in->connect(from.toStdString(), nullptr) || !m_out->connect(to.toStdString(), nullptr))
            return false;
        auto seen = [&] {
            for (const SimLogEntry &e : sim.log()) {
                if (e.received && e.bytes == Bytes{0xFE})
                    return true;
            }
            return false;
        };
        bool up = false;
        for (int i = 0; i < 50 && !up; ++i) {
            send({0xFE});
            up = QTest::qWaitFor(seen, 100);
        }
        bool down = false;
        for (int i = 0; i < 50 && up && !down; ++i) {
            sim.sendBytes({0xFE});
            // Whatever an earlier incarnation of the ports left behind arrives
            // before this.
            down = QTest::qWaitFor([&] {
                const std::vector<Bytes> got = messages();
                return std::find(got.begin(), got.end(), Bytes{0xFE}) != got.end();
            }, 100);
        }
        sim.clearLog();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.clear();
        return up && down;
    }

    void send(const Bytes &message) { m_out->send(message.data(), message.size()); }
    void sendFrame(uint8_t cmd, const Bytes &payload) { send(packSysEx(makeFrame(cmd, payload))); }

    std::vector<Bytes> messages() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_messages;
    }
    int count() const { return int(messages().size()); }

    // Received device frames, unpacked by the editor's unpacker.
    std::vector<Bytes> frames() const
    {
        std::vector<Bytes> out;
        for (const Bytes &m : messages()) {
            if (!isPackedFrameStart(m.data(), uint(m.size())))
                continue;
            Bytes f(m.size());
            const uint n = unpackSysEx(m.data(), uint(m.size()), f.data(), uint(f.size()));
            f.resize(n);
            out.push_back(f);
        }
        return out;
    }

private:
    static void receive(const uint8_t *data, size_t size, void *user)
    {
        auto *self = static_cast<Host *>(user);
        std::lock_guard<std::mutex> lock(self->m_mutex);
        self->m_messages.emplace_back(data, data + size);
    }

    std::unique_ptr<jackmidi::JackMidiPort> m_in;
    std::unique_ptr<jackmidi::JackMidiPort> m_out;
    mutable std::mutex m_mutex;
    std::vector<Bytes> m_messages;
};

int g_serial = 0;

// Options with port names of their own, so that the cases never meet.
SimOptions uniqueOptions()
{
    SimOptions o;
    o.name = "RZ-7 Pad T" + std::to_string(++g_serial);
    o.api = "jack";
    return o;
}

const int kWait = 5000;

} // namespace

class Test_simulator : public QObject
{
    Q_OBJECT

private slots:
    void deviceInfoByteExactAndLogged();
    void receivedFramesAreCheckedAndLogged();
    void sectionWritesLandInTheBlock();
    void vanishesAndReappears();
    void enterUpgradeAndReturn();
    void faultyAnswers();
    void silenceAndDelay();
    void sendsGivenBytes();
    void program();
};

void Test_simulator::deviceInfoByteExactAndLogged()
{
    SimOptions o = uniqueOptions();
    o.identity = DeviceIdentity{7, "rz7", 3};
    Simulator sim(o);
    std::string err;
    QVERIFY2(sim.start(&err), err.c_str());
    Host &host = Host::instance();
    QVERIFY(host.connect(sim));

    // The request exactly as the editor packs it.
    host.send(B("F0 78 32 45 00 00 00 40 7F F7"));
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 1, kWait);
    const Bytes expected = B("78 59 11 12 00 00 07 72 7A 37 00 00 00 00 00 00 00 00 00 00 00 00 00 03 D2");
    QCOMPARE(H(host.frames().at(0)), H(expected));
    // The packed message agrees with the editor's packing of that frame.
    Bytes packed(packedSysExSize(uint(expected.size())));
    ::packSysEx(expected.data(), uint(expected.size()), packed.data());
    QCOMPARE(H(host.messages().at(0)), H(packed));

    QCOMPARE(sim.receivedCount(kCmdDeviceInfo), 1);
    const std::vector<std::string> lines = sim.logLines();
    QVERIFY(std::find(lines.begin(), lines.end(), "rx ok 78 59 11 00 00 00 FF") != lines.end());
    QVERIFY(std::find(lines.begin(), lines.end(), "tx sent " + toHex(expected)) != lines.end());
}

void Test_simulator::receivedFramesAreCheckedAndLogged()
{
    QTemporaryDir dir;
    SimOptions o = uniqueOptions();
    o.logPath = (dir.path() + "/sim.log").toStdString();
    Simulator sim(o);
    QVERIFY(sim.start());
    Host &host = Host::instance();
    QVERIFY(host.connect(sim));

    host.send(packSysEx(B("78 59 66 00 00 00 FE")));     // wrong checksum
    host.send(packSysEx(B("78 59 67 02 00 00 01 FE")));  // says 2, brings 1
    host.send(B("F0 7E 7F 06 01 F7"));                    // foreign SysEx
    host.send(B("90 24 64"));                             // a note
    host.sendFrame(kCmdHostHello, B("01"));
    QTRY_COMPARE_WITH_TIMEOUT(int(sim.log().size()), 5, kWait);

    QStringList lines;
    for (const std::string &l : sim.logLines())
        lines << QString::fromStdString(l);
    QCOMPARE(lines, QStringList({"rx bad-checksum 78 59 66 00 00 00 FE # dropped",
                                 "rx bad-length 78 59 67 02 00 00 01 FE # dropped",
                                 "rx sysex F0 7E 7F 06 01 F7",
                                 "rx midi 90 24 64",
                                 "rx ok 78 59 12 01 00 00 01 FE"}));
    // Nothing was answered: a poll with a bad checksum is dropped, the hello needs no answer.
    QCOMPARE(host.count(), 0);
    QCOMPARE(sim.receivedCount(kCmdPoll), 0);
    QCOMPARE(int(sim.receivedFrames(kCmdPoll).size()), 1);

    QFile file(dir.path() + "/sim.log");
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The file also holds the link check that connect() made before.
    const QStringList fileLines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QVERIFY(fileLines.size() > lines.size());
    QCOMPARE(fileLines.mid(fileLines.size() - lines.size()), lines);
}

void Test_simulator::sectionWritesLandInTheBlock()
{
    Simulator sim(uniqueOptions());
    QVERIFY(sim.start());
    Host &host = Host::instance();
    QVERIFY(host.connect(sim));

    // Pad bank 1, pad 4 becomes "CC Toggle" on channel 4, controller 36, 0/127.
    const Bytes original = sim.block(0);
    Bytes pads(original.begin() + 120 + 64, original.begin() + 120 + 128);
    pads[16] = 0x14;
    pads[17] = 0x24;
    pads[18] = 0x00;
    pads[19] = 0x7F;
    Bytes payload{1};
    payload.insert(payload.end(), pads.begin(), pads.end());
    host.sendFrame(kCmdWritePads, payload);
    // The whole pool in one frame, longer than any short message.
    Bytes pool(300);
    for (size_t i = 0; i < pool.size(); ++i)
        pool[i] = uint8_t(i & 0x7F);
    Bytes poolPayload{0x2C, 0x01};
    poolPayload.insert(poolPayload.end(), pool.begin(), pool.end());
    host.sendFrame(kCmdWriteSysexPool, poolPayload);
    QTRY_COMPARE_WITH_TIMEOUT(sim.receivedCount(kCmdWriteSysexPool), 1, kWait);

    const Bytes block = sim.block(0);
    QCOMPARE(H(Bytes(block.begin() + 120 + 64 + 16, block.begin() + 120 + 64 + 20)),
             QStringLiteral("14 24 00 7F"));
    QCOMPARE(H(Bytes(block.begin() + 522, block.begin() + 822)), H(pool));

    // Read it back, as the page does: [preset] + block.
    host.sendFrame(kCmdReadPreset, B("00"));
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 1, kWait);
    const Bytes reply = host.frames().at(0);
    QCOMPARE(reply.size(), size_t(831));
    QVERIFY(frameVerify(reply.data(), uint(reply.size())));
    QCOMPARE(H(Bytes(reply.begin() + 7, reply.end() - 1)), H(block));
}

void Test_simulator::vanishesAndReappears()
{
    Simulator sim(uniqueOptions());
    QVERIFY(sim.start());
    // The device's output is an input port to the host and the other way round.
    QTRY_VERIFY_WITH_TIMEOUT(hasPort(portList(true), sim.outPortName()), kWait);
    QVERIFY(hasPort(portList(false), sim.inPortName()));

    sim.vanish();
    QVERIFY(!sim.online());
    QTRY_VERIFY_WITH_TIMEOUT(!hasPort(portList(true), sim.outPortName()), kWait);
    QVERIFY(!hasPort(portList(false), sim.inPortName()));
    QVERIFY(!sim.sendFrame(kCmdSystemConfig, sim.systemRecord()));

    std::string err;
    QVERIFY2(sim.reappear(&err), err.c_str());
    QTRY_VERIFY_WITH_TIMEOUT(hasPort(portList(true), sim.outPortName()), kWait);
    QVERIFY(hasPort(portList(false), sim.inPortName()));

    // It answers again once the host reconnects.
    Host &host = Host::instance();
    QVERIFY(host.connect(sim));
    host.send(B("F0 78 32 19 03 00 00 40 7F F7")); // poll
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 1, kWait);
    QCOMPARE(host.frames().at(0)[2], uint8_t(kCmdSystemConfig));
}

void Test_simulator::enterUpgradeAndReturn()
{
    SimOptions o = uniqueOptions();
    std::atomic<int> hookCalls{0};
    std::atomic<bool> portsGoneInHook{false};
    const std::string outPort = o.effectiveOutPort();
    o.upgradeHook = [&] {
        portsGoneInHook = !hasPort(portList(true), outPort);
        ++hookCalls;
    };
    Simulator sim(o);
    QVERIFY(sim.start());
    Host &host = Host::instance();
    QVERIFY(host.connect(sim));

    host.send(B("F0 78 32 45 13 00 00 40 3F 7F 02 00 F7")); // enter upgrade, 7F 7F
    QTRY_COMPARE_WITH_TIMEOUT(hookCalls.load(), 1, kWait);
    QVERIFY(portsGoneInHook);
    QVERIFY(sim.inUpgradeMode());
    QVERIFY(!sim.online());

    std::string err;
    QVERIFY2(sim.returnFromUpgrade(4, &err), err.c_str());
    QVERIFY(!sim.inUpgradeMode());
    Host &again = Host::instance();
    QVERIFY(again.connect(sim));
    again.sendFrame(kCmdDeviceInfo, {});
    QTRY_COMPARE_WITH_TIMEOUT(again.count(), 1, kWait);
    QCOMPARE(again.frames().at(0).at(23), uint8_t(4));
}

void Test_simulator::faultyAnswers()
{
    Simulator sim(uniqueOptions());
    QVERIFY(sim.start());
    Host &host = Host::instance();
    QVERIFY(host.connect(sim));

    // One answer with a wrong checksum, then correct ones again.
    sim.setReplyFault(ReplyFault::WrongChecksum, 1);
    host.sendFrame(kCmdPoll, {});
    host.sendFrame(kCmdPoll, {});
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 2, kWait);
    std::vector<Bytes> f = host.frames();
    QCOMPARE(f[0].size(), size_t(39));
    QVERIFY(!frameVerify(f[0].data(), uint(f[0].size())));
    QVERIFY(frameVerify(f[1].data(), uint(f[1].size())));

    // A short frame keeps the header's length but brings less.
    sim.setReplyFault(ReplyFault::ShortFrame);
    host.sendFrame(kCmdReadPreset, B("02"));
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 3, kWait);
    f = host.frames();
    QCOMPARE(framePayloadLength(f[2].data()), 824u);
    QCOMPARE(f[2].size(), size_t(6 + 412));

    // An oversize frame is longer than any frame the editor takes, yet well formed.
    sim.setReplyFault(ReplyFault::OversizeFrame);
    host.sendFrame(kCmdPoll, {});
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 4, kWait);
    f = host.frames();
    QCOMPARE(f[3].size(), size_t(6000));
    QVERIFY(frameVerify(f[3].data(), uint(f[3].size())));
    QCOMPARE(f[3][2], uint8_t(kCmdSystemConfig));

    sim.setReplyFault(ReplyFault::None);
    host.sendFrame(kCmdPoll, {});
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 5, kWait);
    QCOMPARE(host.frames()[4].size(), size_t(39));
}

void Test_simulator::silenceAndDelay()
{
    Simulator sim(uniqueOptions());
    QVERIFY(sim.start());
    Host &host = Host::instance();
    QVERIFY(host.connect(sim));

    // Not answering: the frame is logged, the block request goes unanswered and
    // the write is not applied.
    sim.setAnswering(false);
    host.sendFrame(kCmdReadPreset, B("01"));
    host.sendFrame(kCmdWriteKeys, Bytes(48, 0x11));
    QTRY_COMPARE_WITH_TIMEOUT(sim.receivedCount(kCmdWriteKeys), 1, kWait);
    QVERIFY(sim.block(0)[456] != 0x11);
    sim.setAnswering(true);
    host.sendFrame(kCmdDeviceInfo, {});
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 1, kWait);
    QCOMPARE(host.frames().at(0)[2], uint8_t(kCmdDeviceInfo));

    // A delayed answer comes no sooner than asked.
    sim.setReplyDelay(300);
    QElapsedTimer t;
    t.start();
    host.sendFrame(kCmdPoll, {});
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 2, kWait);
    QVERIFY2(t.elapsed() >= 290, qPrintable(QString::number(t.elapsed())));
}

void Test_simulator::sendsGivenBytes()
{
    Simulator sim(uniqueOptions());
    QVERIFY(sim.start());
    Host &host = Host::instance();
    QVERIFY(host.connect(sim));

    // Notes, clock and a foreign SysEx, each arriving as its own message.
    QVERIFY(sim.sendBytes(B("90 24 64 F8 80 24 00 F0 43 10 4C 00 00 7E 00 F7")));
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 4, kWait);
    QStringList got;
    for (const Bytes &m : host.messages())
        got << H(m);
    QCOMPARE(got, QStringList({"90 24 64", "F8", "80 24 00", "F0 43 10 4C 00 00 7E 00 F7"}));

    // A system record after a preset change on the unit itself.
    sim.selectPreset(5);
    QVERIFY(sim.sendSystemRecord());
    QTRY_COMPARE_WITH_TIMEOUT(host.count(), 5, kWait);
    QCOMPARE(host.frames().at(0)[6 + 4], uint8_t(5));
}

void Test_simulator::program()
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(TAVRO_SIM_PROGRAM),
            {"--name", "Prog Dev", "--model", "9", "--folder", "vx18", "--firmware", "2", "--api", "jack"});
    QVERIFY(p.waitForStarted());
    QByteArray out;
    auto waitLine = [&](const QByteArray &what) {
        QElapsedTimer t;
        t.start();
        while (!out.contains(what) && t.elapsed() < kWait) {
            p.waitForReadyRead(100);
            out += p.readAllStandardOutput();
        }
        return out.contains(what);
    };
    QVERIFY2(waitLine("ready Prog Dev IN / Prog Dev OUT\n"), out.constData());
    QVERIFY(hasPort(portList(true), "Prog Dev OUT"));

    p.write("status\n");
    QVERIFY2(waitLine("model 9 folder vx18 firmware 2 preset 1 online 1 upgrade 0\n"), out.constData());
    p.write("fault bogus\n");
    QVERIFY2(waitLine("error: fault"), out.constData());
    p.write("vanish\n");
    QVERIFY(waitLine("ok\n"));
    QVERIFY(!hasPort(portList(true), "Prog Dev OUT"));
    p.write("quit\n");
    QVERIFY(p.waitForFinished(kWait));
    QCOMPARE(p.exitCode(), 0);
}

TAVRO_TEST_MAIN(Test_simulator)
#include "test_simulator.moc"
