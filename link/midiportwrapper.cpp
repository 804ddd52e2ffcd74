#include "midiportwrapper.h"

#include "sysexpacking.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

const char *const kOutputClientName = "RtMidi Output Client";
const char *const kInputClientName = "RtMidi Input Client";
const char *const kOutputPortName = "RtMidi Output";
const char *const kInputPortName = "RtMidi Input";

// Current number of the port called `name`, preferring `hint`. Opening or
// closing one of our own ports can shift the numbers of the others (on JACK our
// ports are listed too), so a port is looked up again by its name before use.
int findPort(const std::vector<std::string> &names, const std::string &name, uint hint)
{
    if (hint < names.size() && names[hint] == name)
        return int(hint);
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return int(i);
    }
    return -1;
}

std::string portRangeError(const char *direction, uint port)
{
    return std::string("MIDI ") + direction + " port " + std::to_string(port) + " does not exist";
}

} // namespace

MidiPortWrapper::MidiPortWrapper() = default;

MidiPortWrapper::~MidiPortWrapper()
{
    // The input goes first: closing it stops the callback, which writes into
    // this object.
    m_midiIn.reset();
    m_midiOut.reset();
}

bool MidiPortWrapper::open(uint outPort, uint inPort, bool flag)
{
    (void)flag;
    // The numbers are turned into names before our own ports join the lists:
    // an input number that is invalid now could come to name our own output
    // port once that is open, so it fails here already.
    std::string outName;
    std::string inName;
    if (ensureInput() && ensureOutput() && nameAt(*m_midiIn, inPort, "input", &inName)
        && nameAt(*m_midiOut, outPort, "output", &outName))
        return open(outName, inName, outPort, inPort);
    close();
    return false;
}

bool MidiPortWrapper::open(const std::string &outName, const std::string &inName, uint outHint, uint inHint)
{
    if (ensureInput() && ensureOutput() && openPort(*m_midiOut, outHint, &outName, "output", kOutputPortName)
        && openPort(*m_midiIn, inHint, &inName, "input", kInputPortName)) {
        flush();
        return true;
    }
    close();
    return false;
}

bool MidiPortWrapper::nameAt(MidiEndpoint &endpoint, uint port, const char *direction, std::string *name)
{
    const std::vector<std::string> names = endpoint.portNames(&m_lastError);
    if (port >= names.size()) {
        m_lastError = portRangeError(direction, port);
        return false;
    }
    *name = names[port];
    return true;
}

bool MidiPortWrapper::openOutput(uint port, bool flag)
{
    (void)flag;
    return ensureOutput() && openPort(*m_midiOut, port, nullptr, "output", kOutputPortName);
}

bool MidiPortWrapper::openInput(uint port, bool flag)
{
    (void)flag;
    return ensureInput() && openPort(*m_midiIn, port, nullptr, "input", kInputPortName);
}

bool MidiPortWrapper::releaseGoneService()
{
    bool pairLost = false;
    for (std::unique_ptr<MidiEndpoint> *endpoint : {&m_midiIn, &m_midiOut}) {
        if (*endpoint && (*endpoint)->serviceGone()) {
            pairLost = pairLost || (*endpoint)->isPortOpen();
            endpoint->reset();
        }
    }
    return pairLost;
}

bool MidiPortWrapper::pairLost() const
{
    return (m_midiOut && m_midiOut->peerLost()) || (m_midiIn && m_midiIn->peerLost());
}

bool MidiPortWrapper::ensureOutput()
{
    releaseGoneService();
    if (!m_midiOut)
        m_midiOut = createMidiOutput(kOutputClientName, &m_lastError);
    return m_midiOut != nullptr;
}

bool MidiPortWrapper::ensureInput()
{
    releaseGoneService();
    if (!m_midiIn)
        m_midiIn = createMidiInput(kInputClientName, &MidiPortWrapper::receive, this, &m_lastError);
    return m_midiIn != nullptr;
}

bool MidiPortWrapper::openPort(MidiEndpoint &endpoint, uint port, const std::string *knownName,
                               const char *direction, const char *ourName)
{
    // Our own port of this direction closes first: it may be the one listed.
    endpoint.closePort(&m_lastError);
    const std::vector<std::string> names = endpoint.portNames(&m_lastError);
    std::string name;
    if (knownName) {
        name = *knownName;
    } else if (port < names.size()) {
        name = names[port];
    } else {
        m_lastError = portRangeError(direction, port);
        return false;
    }
    const int current = findPort(names, name, port);
    if (current < 0) {
        m_lastError = std::string("MIDI ") + direction + " port \"" + name + "\" is gone";
        return false;
    }
    return endpoint.openPort(uint(current), name, ourName, &m_lastError);
}

void MidiPortWrapper::closeOutput()
{
    if (m_midiOut)
        m_midiOut->closePort(&m_lastError);
}

void MidiPortWrapper::closeInput()
{
    if (m_midiIn)
        m_midiIn->closePort(&m_lastError);
}

void MidiPortWrapper::close()
{
    closeOutput();
    closeInput();
}

int MidiPortWrapper::send(const uchar *frame, int len)
{
    if (len < 0)
        return 0;
    return write(frame, uint(len)) ? len : 0;
}

bool MidiPortWrapper::write(const uchar *frame, uint len)
{
    if (!m_midiOut || (!frame && len))
        return false;
    const uint size = m_sysex7bit ? (len <= kMaxFrameLen ? packedSysExSize(len) : kTxBufSize + 1)
                                  : (len <= kTxBufSize - 2 ? len + 2 : kTxBufSize + 1);
    if (size > kTxBufSize) {
        m_lastError = "frame of " + std::to_string(len) + " bytes does not fit the send buffer";
        return false;
    }
    if (!m_midiOut->isPortOpen()) {
        m_lastError = "MIDI output port is not open";
        return false;
    }
    const uint n = frameSysEx(frame, len, m_txBuf);
    return m_midiOut->send(m_txBuf, n, &m_lastError);
}

uint MidiPortWrapper::frameSysEx(const uchar *frame, uint len, uchar *out)
{
    return m_sysex7bit ? packSysEx(frame, len, out) : wrapSysExRaw(frame, len, out);
}

void MidiPortWrapper::midiCallback(double timeStamp, std::vector<uchar> *message, void *userData)
{
    (void)timeStamp;
    if (userData)
        static_cast<MidiPortWrapper *>(userData)->onMidiMessage(message);
}

void MidiPortWrapper::onMidiMessage(std::vector<uchar> *message)
{
    if (message)
        onMidiBytes(message->data(), message->size());
}

void MidiPortWrapper::receive(const uchar *data, size_t len, void *self)
{
    static_cast<MidiPortWrapper *>(self)->onMidiBytes(data, len);
}

void MidiPortWrapper::onMidiBytes(const uchar *data, size_t len)
{
    if (!data || len == 0)
        return;
    if (len >= kRxRingSize) {
        m_rxDropped.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    ringWrite(data, uint(len));
}

void MidiPortWrapper::ringWrite(const uchar *data, uint len)
{
    if (len == 0)
        return;
    const uint32_t w = m_rxWrite.load(std::memory_order_relaxed);
    // Acquire: the reader is done with every byte below its index, so those
    // bytes may be overwritten.
    const uint32_t r = m_rxRead.load(std::memory_order_acquire);
    const uint32_t unread = (w + kRxRingSize - r) % kRxRingSize;
    const uint32_t room = kRxRingSize - 1 - unread; // one slot stays free: full != empty
    if (len > room) {
        m_rxDropped.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    const uint32_t first = std::min<uint32_t>(len, kRxRingSize - w);
    std::memcpy(m_rxRing + w, data, first);
    if (len > first)
        std::memcpy(m_rxRing, data + first, len - first);
    uint32_t next = w + len;
    if (next >= kRxRingSize)
        next -= kRxRingSize;
    // Release: the bytes are in place before the reader can see the new index.
    m_rxWrite.store(next, std::memory_order_release);
}

uint MidiPortWrapper::read(uchar *buf, uint maxLen, int tries)
{
    if (tries <= 0 || maxLen == 0)
        return 0;
    uint n = 0;
    for (;;) {
        const uint32_t w = m_rxWrite.load(std::memory_order_acquire);
        uint32_t r = m_rxRead.load(std::memory_order_relaxed);
        if (r != w) {
            const uint32_t unread = (w + kRxRingSize - r) % kRxRingSize;
            const uint32_t take = std::min<uint32_t>(unread, maxLen - n);
            const uint32_t first = std::min<uint32_t>(take, kRxRingSize - r);
            std::memcpy(buf + n, m_rxRing + r, first);
            if (take > first)
                std::memcpy(buf + n + first, m_rxRing, take - first);
            r += take;
            if (r >= kRxRingSize)
                r -= kRxRingSize;
            m_rxRead.store(r, std::memory_order_release);
            n += take;
            if (n >= maxLen)
                return n;
            continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (--tries == 0)
            return n;
    }
}

bool MidiPortWrapper::readByte(uchar *out)
{
    const uint32_t w = m_rxWrite.load(std::memory_order_acquire);
    const uint32_t r = m_rxRead.load(std::memory_order_relaxed);
    if (r == w)
        return false;
    *out = m_rxRing[r];
    m_rxRead.store(r + 1 == kRxRingSize ? 0 : r + 1, std::memory_order_release);
    return true;
}

void MidiPortWrapper::flush()
{
    m_rxRead.store(m_rxWrite.load(std::memory_order_acquire), std::memory_order_release);
}

void MidiPortWrapper::setSysEx7Bit(int on)
{
    m_sysex7bit = on;
    flush();
}

uint MidiPortWrapper::pending() const
{
    const uint32_t w = m_rxWrite.load(std::memory_order_acquire);
    const uint32_t r = m_rxRead.load(std::memory_order_relaxed);
    return (w + kRxRingSize - r) % kRxRingSize;
}
