#include "simulator.h"

#include "jackmidiport.h"

#include <RtMidi.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#ifdef __linux__
#include <unistd.h>
#endif

namespace tavrosim {

namespace {

// The simulator's API: its own environment override, then the editor's, then
// what the editor would pick on this platform, so that both meet on one service.
RtMidi::Api chooseApi(const std::string &requested, std::string *error)
{
    std::string name = requested;
    for (const char *var : {"TAVRO_SIM_MIDI_API", "TAVRO_MIDI_API"}) {
        if (!name.empty())
            break;
        if (const char *v = std::getenv(var))
            name = v;
    }
    if (!name.empty()) {
        const RtMidi::Api api = RtMidi::getCompiledApiByName(name);
        if (api == RtMidi::UNSPECIFIED && error)
            *error = "unknown or missing MIDI API \"" + name + "\"";
        return api;
    }
#if defined(__linux__)
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    const bool alsa = std::find(apis.begin(), apis.end(), RtMidi::LINUX_ALSA) != apis.end();
    if (alsa && ::access("/dev/snd/seq", R_OK | W_OK) == 0)
        return RtMidi::LINUX_ALSA;
    return RtMidi::UNIX_JACK;
#elif defined(_WIN32)
    return RtMidi::WINDOWS_MM;
#elif defined(__APPLE__)
    return RtMidi::MACOSX_CORE;
#else
    return RtMidi::UNSPECIFIED;
#endif
}

} // namespace

// Forwards the MIDI callback to whichever simulator holds the clients now.
struct ClientRelay
{
    std::mutex mutex;
    Simulator *target = nullptr;

    static void callback(double, std::vector<unsigned char> *message, void *user)
    {
        // MIDI thread: hand the bytes over and return.
        auto *relay = static_cast<ClientRelay *>(user);
        if (!message || message->empty())
            return;
        std::lock_guard<std::mutex> lock(relay->mutex);
        if (relay->target)
            relay->target->enqueue(Bytes(message->begin(), message->end()));
    }
};

struct Simulator::ClientPair
{
    RtMidi::Api api;
    std::string clientName;
    RtMidiIn *in;
    RtMidiOut *out;
    ClientRelay relay;
    bool used = false; // its ports were open before
};

namespace {

// Clients no simulator holds at the moment. Never freed (see simulator.h).
std::mutex g_poolMutex;
std::vector<Simulator::ClientPair *> &clientPool()
{
    static auto *pool = new std::vector<Simulator::ClientPair *>;
    return *pool;
}

} // namespace

SimOptions optionsForModel(int model, int firmware)
{
    SimOptions o;
    o.identity.model = model;
    o.identity.firmware = firmware;
    switch (model) {
    case 7: o.name = "RZ-7 Pad"; o.identity.folder = "rz7"; break;
    case 8: o.name = "RZ-Nano"; o.identity.folder = "rznano"; break;
    case 9: o.name = "VX-18"; o.identity.folder = "vx18"; break;
    case 1: o.name = "DOVO Dazed"; o.identity.folder = "Z3"; break;
    default: o.name = "Device " + std::to_string(model); o.identity.folder = "dev" + std::to_string(model); break;
    }
    return o;
}

const char *faultName(ReplyFault f)
{
    switch (f) {
    case ReplyFault::None: return "none";
    case ReplyFault::WrongChecksum: return "checksum";
    case ReplyFault::ShortFrame: return "short";
    case ReplyFault::OversizeFrame: return "oversize";
    }
    return "?";
}

bool parseFault(const std::string &name, ReplyFault *out)
{
    for (ReplyFault f : {ReplyFault::None, ReplyFault::WrongChecksum, ReplyFault::ShortFrame,
                         ReplyFault::OversizeFrame}) {
        if (name == faultName(f)) {
            *out = f;
            return true;
        }
    }
    return false;
}

std::string SimLogEntry::line() const
{
    std::string s = received ? "rx " : "tx ";
    s += verdict;
    if (!bytes.empty())
        s += " " + toHex(bytes);
    if (!note.empty())
        s += " # " + note;
    return s;
}

Simulator::Simulator(const SimOptions &options)
    : m_options(options)
    , m_device(options.identity)
{
    m_device.setEchoSystemRecord(options.echoSystemRecord);
    if (!options.logPath.empty())
        m_logFile.open(options.logPath, std::ios::out | std::ios::app);
}

Simulator::~Simulator()
{
    stop();
}

bool Simulator::start(std::string *error)
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        if (m_worker.joinable())
            return true;
        m_stopping = false;
    }
    if (!openPorts(error))
        return false;
    m_worker = std::thread(&Simulator::workerLoop, this);
    return true;
}

void Simulator::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_stopping = true;
    }
    m_queueCv.notify_all();
    if (m_worker.joinable())
        m_worker.join();
    releaseClients();
}

bool Simulator::openPorts(std::string *error)
{
    std::lock_guard<std::mutex> lock(m_portMutex);
    if (m_portsOpen)
        return true;
    try {
        if (!m_clients) {
            std::string why;
            const RtMidi::Api api = chooseApi(m_options.api, &why);
            if (!why.empty()) {
                if (error)
                    *error = why;
                return false;
            }
#if defined(TAVRO_SIM_HAVE_JACK)
            if (api == RtMidi::UNIX_JACK) {
                // Two clients, as a device's two ports may carry one name.
                m_jackIn = jackmidi::JackMidiPort::openInput(m_options.clientName, m_options.effectiveInPort(),
                                                             &Simulator::jackReceive, this, error);
                if (m_jackIn)
                    m_jackOut = jackmidi::JackMidiPort::openOutput(m_options.clientName,
                                                                   m_options.effectiveOutPort(), error);
                if (!m_jackOut) {
                    m_jackIn.reset();
                    return false;
                }
                m_portsOpen = true;
                m_online = true;
                return true;
            }
#endif
            {
                std::lock_guard<std::mutex> poolLock(g_poolMutex);
                auto &pool = clientPool();
                for (auto it = pool.begin(); it != pool.end(); ++it) {
                    if ((*it)->api == api && (*it)->clientName == m_options.clientName) {
                        m_clients = *it;
                        pool.erase(it);
                        break;
                    }
                }
            }
            if (!m_clients) {
                std::unique_ptr<RtMidiIn> in(new RtMidiIn(api, m_options.clientName, 100));
                std::unique_ptr<RtMidiOut> out(new RtMidiOut(api, m_options.clientName));
                m_clients = new ClientPair{api, m_options.clientName, in.release(), out.release(), {}, false};
                m_clients->in->ignoreTypes(false, false, false);
                m_clients->in->setCallback(&ClientRelay::callback, &m_clients->relay);
            }
            std::lock_guard<std::mutex> relayLock(m_clients->relay.mutex);
            m_clients->relay.target = this;
        }
        m_clients->in->openVirtualPort(m_options.effectiveInPort());
        try {
            m_clients->out->openVirtualPort(m_options.effectiveOutPort());
        } catch (const RtMidiError &) {
            m_clients->in->closePort();
            throw;
        }
    } catch (const RtMidiError &e) {
        if (error)
            *error = e.getMessage();
        return false;
    }
    m_portsOpen = true;
    if (m_clients->used)
        m_acceptAfter = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
    m_clients->used = true;
    m_online = true;
    return true;
}

void Simulator::closePorts()
{
    std::lock_guard<std::mutex> lock(m_portMutex);
    m_online = false;
    if ((!m_clients && !m_jackIn) || !m_portsOpen)
        return;
    m_portsOpen = false;
#if defined(TAVRO_SIM_HAVE_JACK)
    if (m_jackIn) {
        m_jackIn.reset();
        m_jackOut.reset();
        return;
    }
#endif
    try {
        // The ports go away as when the cable is pulled; the clients stay.
        m_clients->in->closePort();
        m_clients->out->closePort();
    } catch (const RtMidiError &) {
    }
}

void Simulator::releaseClients()
{
    closePorts();
    std::lock_guard<std::mutex> lock(m_portMutex);
    if (!m_clients)
        return;
    {
        std::lock_guard<std::mutex> relayLock(m_clients->relay.mutex);
        m_clients->relay.target = nullptr;
    }
    std::lock_guard<std::mutex> poolLock(g_poolMutex);
    clientPool().push_back(m_clients);
    m_clients = nullptr;
}

void Simulator::vanish()
{
    closePorts();
    record(SimLogEntry{false, false, {}, "vanished", ""});
}

bool Simulator::reappear(std::string *error)
{
    const bool ok = openPorts(error);
    record(SimLogEntry{false, false, {}, ok ? "appeared" : "appear-failed", ""});
    return ok;
}

bool Simulator::inUpgradeMode() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_upgradeMode;
}

bool Simulator::returnFromUpgrade(int firmwareVersion, std::string *error)
{
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_device.setFirmware(firmwareVersion);
        m_upgradeMode = false;
    }
    return reappear(error);
}

void Simulator::jackReceive(const uint8_t *data, size_t size, void *self)
{
    static_cast<Simulator *>(self)->enqueue(Bytes(data, data + size));
}

void Simulator::enqueue(Bytes message)
{
    // A JACK input port registered again can deliver, in its first cycles,
    // what an earlier port of the same client received: not for this device.
    if (std::chrono::steady_clock::now() < m_acceptAfter.load()) {
        record(SimLogEntry{true, false, message, "stale", "dropped after reopening"});
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_queue.push_back(std::move(message));
    }
    m_queueCv.notify_one();
}

void Simulator::workerLoop()
{
    for (;;) {
        Bytes message;
        {
            std::unique_lock<std::mutex> lock(m_queueMutex);
            m_queueCv.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                return;
            message = std::move(m_queue.front());
            m_queue.pop_front();
        }
        process(message);
    }
}

void Simulator::sleepInterruptible(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    std::unique_lock<std::mutex> lock(m_queueMutex);
    m_queueCv.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_stopping; });
}

void Simulator::process(const Bytes &message)
{
    if (message[0] != 0xF0) {
        record(SimLogEntry{true, false, message, "midi", ""});
        return;
    }
    if (message.size() < 2 || message[1] != 0x78) {
        record(SimLogEntry{true, false, message, "sysex", ""});
        return;
    }
    bool high = false;
    const Bytes frame = unpackSysEx(message.data(), message.size(), &high);
    SimLogEntry entry{true, true, frame, verdictName(checkFrame(frame)), ""};
    if (high)
        entry.verdict = "bad-7bit";
    else if (message.back() != 0xF7)
        entry.note = "no F7";
    if (entry.verdict != "ok") {
        entry.note = "dropped";
        record(entry);
        return;
    }

    SimDevice::Outcome outcome;
    int delay = 0;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        if (!m_answering || (frame.size() > 2 && m_unanswered.count(frame[2]))) {
            entry.note = "not answering";
        } else {
            outcome = m_device.handleFrame(frame);
            entry.note = outcome.note;
            if (outcome.enterUpgrade)
                m_upgradeMode = true;
        }
        delay = m_delayMs;
        // Logged under the same lock as the change it made: whoever sees the
        // new state sees the frame that brought it.
        recordLocked(std::move(entry));
    }

    if (!outcome.replies.empty()) {
        sleepInterruptible(delay);
        for (Bytes &reply : outcome.replies)
            sendReply(std::move(reply));
    }
    if (outcome.enterUpgrade) {
        closePorts();
        record(SimLogEntry{false, false, {}, "vanished", "upgrade mode"});
        if (m_options.upgradeHook)
            m_options.upgradeHook();
        if (!m_options.upgradeCommand.empty()) {
            const int rc = std::system(m_options.upgradeCommand.c_str());
            record(SimLogEntry{false, false, {}, "upgrade-command",
                               "exit " + std::to_string(rc)});
        }
    }
}

void Simulator::sendReply(Bytes frame)
{
    ReplyFault fault = ReplyFault::None;
    size_t oversize = 0;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        if (m_fault != ReplyFault::None && m_faultCount != 0) {
            fault = m_fault;
            if (m_faultCount > 0 && --m_faultCount == 0)
                m_fault = ReplyFault::None;
        }
        oversize = m_oversize;
    }
    switch (fault) {
    case ReplyFault::None:
        break;
    case ReplyFault::WrongChecksum:
        frame.back() = uint8_t(~frame.back());
        break;
    case ReplyFault::ShortFrame:
        frame.resize(6 + framePayloadSize(frame) / 2);
        break;
    case ReplyFault::OversizeFrame: {
        Bytes payload(frame.begin() + 6, frame.end() - 1);
        payload.resize(std::max(oversize, frame.size() + 1) - 7, 0);
        frame = makeFrame(frame[2], payload);
        break;
    }
    }
    const bool sent = sendRaw(packSysEx(frame));
    record(SimLogEntry{false, true, frame,
                       fault == ReplyFault::None ? "sent" : faultName(fault),
                       sent ? "" : "not sent: offline"});
}

bool Simulator::sendRaw(const Bytes &message)
{
    std::lock_guard<std::mutex> lock(m_portMutex);
    if (!m_portsOpen)
        return false;
#if defined(TAVRO_SIM_HAVE_JACK)
    if (m_jackOut)
        return m_jackOut->send(message.data(), message.size());
#endif
    try {
        m_clients->out->sendMessage(message.data(), message.size());
    } catch (const RtMidiError &) {
        return false;
    }
    return true;
}

bool Simulator::sendBytes(const Bytes &bytes)
{
    bool ok = !bytes.empty();
    for (const Bytes &msg : splitMessages(bytes)) {
        const bool sent = sendRaw(msg);
        ok = ok && sent;
        record(SimLogEntry{false, false, msg, "sent", sent ? "" : "not sent: offline"});
    }
    return ok;
}

bool Simulator::sendFrame(uint8_t command, const Bytes &payload)
{
    const Bytes frame = makeFrame(command, payload);
    const bool sent = sendRaw(packSysEx(frame));
    record(SimLogEntry{false, true, frame, "sent", sent ? "" : "not sent: offline"});
    return sent;
}

bool Simulator::sendSystemRecord()
{
    return sendFrame(kCmdSystemConfig, systemRecord());
}

void Simulator::setAnswering(bool on)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_answering = on;
}

void Simulator::setUnanswered(uint8_t command, bool on)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    if (on)
        m_unanswered.insert(command);
    else
        m_unanswered.erase(command);
}

void Simulator::setReplyDelay(int milliseconds)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_delayMs = std::max(0, milliseconds);
}

void Simulator::setReplyFault(ReplyFault fault, int count)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_fault = fault;
    m_faultCount = fault == ReplyFault::None ? -1 : count;
}

void Simulator::setOversizeLength(size_t frameBytes)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_oversize = frameBytes;
}

void Simulator::setResult(uint8_t command, uint8_t value)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_device.setResult(command, value);
}

void Simulator::setEchoSystemRecord(bool on)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_device.setEchoSystemRecord(on);
}

void Simulator::selectPreset(int preset)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_device.selectPreset(preset);
}

int Simulator::currentPreset() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_device.currentPreset();
}

Bytes Simulator::block(int preset) const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_device.block(preset);
}

Bytes Simulator::flashBlock(int preset) const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_device.flashBlock(preset);
}

Bytes Simulator::systemRecord() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_device.systemRecord();
}

void Simulator::setBlock(int preset, const Bytes &block)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_device.setBlock(preset, block);
}

void Simulator::setSystemRecord(const Bytes &record)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_device.setSystemRecord(record);
}

Bytes Simulator::pedalImage() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_device.pedalImage();
}

void Simulator::setPedalImage(const Bytes &image)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_device.setPedalImage(image);
}

DeviceIdentity Simulator::identity() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_device.identity();
}

bool Simulator::testMode() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_device.testMode();
}

SimTestMode Simulator::testModeState() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_device.test();
}

bool Simulator::pressLit(uint8_t value)
{
    Bytes message;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        message = m_device.pressLitMessage(value);
    }
    return !message.empty() && sendBytes(message);
}

bool Simulator::press(uint8_t data1, uint8_t value)
{
    return sendBytes(Bytes{0xB0, uint8_t(data1 & 0x7F), uint8_t(value & 0x7F)});
}

void Simulator::withDevice(const std::function<void(SimDevice &)> &fn)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    fn(m_device);
}

void Simulator::record(SimLogEntry entry)
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    recordLocked(std::move(entry));
}

void Simulator::recordLocked(SimLogEntry entry)
{
    if (m_logFile.is_open()) {
        m_logFile << entry.line() << '\n';
        m_logFile.flush();
    }
    m_log.push_back(std::move(entry));
}

std::vector<SimLogEntry> Simulator::log() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_log;
}

std::vector<std::string> Simulator::logLines() const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    std::vector<std::string> lines;
    lines.reserve(m_log.size());
    for (const SimLogEntry &e : m_log)
        lines.push_back(e.line());
    return lines;
}

void Simulator::clearLog()
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_log.clear();
}

std::vector<Bytes> Simulator::receivedFrames(int command) const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    std::vector<Bytes> frames;
    for (const SimLogEntry &e : m_log) {
        if (e.received && e.frame && e.bytes.size() > 2 && e.bytes[2] == command)
            frames.push_back(e.bytes);
    }
    return frames;
}

int Simulator::receivedCount(uint8_t command) const
{
    std::lock_guard<std::mutex> lock(m_stateMutex);
    int n = 0;
    for (const SimLogEntry &e : m_log) {
        if (e.received && e.frame && e.verdict == "ok" && e.bytes.size() > 2 && e.bytes[2] == command)
            ++n;
    }
    return n;
}

} // namespace tavrosim
