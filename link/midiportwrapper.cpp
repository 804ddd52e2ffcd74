#include "midiportwrapper.h"

#include "midiapi.h"
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
constexpr unsigned int kInputQueueLimit = 100;

// Name of port number `port` in the client's list; false when there is no such
// port. On JACK an invalid number would "open" without an error, so every open
// goes through this check.
bool portNameAt(RtMidi &client, uint port, std::string *name)
{
    if (port >= client.getPortCount())
        return false;
    *name = client.getPortName(port);
    return true;
}

// Current number of the port called `name`, preferring `hint`. Opening or
// closing one of our own ports can shift the numbers of the others (on JACK our
// ports are listed too), so a port is looked up again by its name before use.
int findPort(RtMidi &client, const std::string &name, uint hint)
{
    const uint count = client.getPortCount();
    if (hint < count && client.getPortName(hint) == name)
        return int(hint);
    for (uint i = 0; i < count; ++i) {
        if (client.getPortName(i) == name)
            return int(i);
    }
    return -1;
}

std::string portRangeError(const char *direction, uint port)
{
    return std::string("MIDI ") + direction + " port " + std::to_string(port) + " does not exist";
}

// Opens the client's port number `port`, or the port called *knownName when
// the caller took its name earlier, under our port name ourName. Any port the
// client had open is closed first. May throw RtMidiError.
bool openPortByName(RtMidi &client, uint port, const std::string *knownName, const char *direction,
                    const char *ourName, std::string *error)
{
    std::string name;
    if (knownName) {
        name = *knownName;
    } else if (!portNameAt(client, port, &name)) {
        if (client.isPortOpen())
            client.closePort();
        *error = portRangeError(direction, port);
        return false;
    }
    if (client.isPortOpen())
        client.closePort();
    const int current = findPort(client, name, port);
    if (current < 0) {
        *error = std::string("MIDI ") + direction + " port \"" + name + "\" is gone";
        return false;
    }
    client.openPort(uint(current), ourName);
    return client.isPortOpen();
}

} // namespace

MidiPortWrapper::MidiPortWrapper() = default;

MidiPortWrapper::~MidiPortWrapper()
{
    closeOutput();
    closeInput();
    // The input client goes first: its destruction stops the callback, which
    // writes into this object.
    try {
        m_midiIn.reset();
        m_midiOut.reset();
    } catch (const RtMidiError &) {
    }
}

bool MidiPortWrapper::open(uint outPort, uint inPort, bool flag)
{
    // Take the input port's name before our own output port joins the lists.
    std::string inName;
    bool inNamed = false;
    if (ensureInput()) {
        try {
            inNamed = portNameAt(*m_midiIn, inPort, &inName);
            if (!inNamed)
                m_lastError = portRangeError("input", inPort);
        } catch (const RtMidiError &e) {
            m_lastError = e.getMessage();
        }
    }
    // An input number that is invalid now could become valid (naming our own
    // output port) once that port is open, so it fails here already.
    if (inNamed && openOutputPort(outPort, nullptr) && openInputPort(inPort, &inName)) {
        flush();
        return true;
    }
    (void)flag;
    closeOutput();
    closeInput();
    return false;
}

bool MidiPortWrapper::openOutput(uint port, bool flag)
{
    (void)flag;
    return openOutputPort(port, nullptr);
}

bool MidiPortWrapper::openInput(uint port, bool flag)
{
    (void)flag;
    return openInputPort(port, nullptr);
}

bool MidiPortWrapper::ensureOutput()
{
    if (!m_midiOut)
        m_midiOut = createMidiOut(kOutputClientName, &m_lastError);
    return m_midiOut != nullptr;
}

bool MidiPortWrapper::ensureInput()
{
    if (m_midiIn)
        return true;
    m_midiIn = createMidiIn(kInputClientName, kInputQueueLimit, &m_lastError);
    if (!m_midiIn)
        return false;
    try {
        // Registered once for the client's life; closing and opening ports
        // leaves it in place.
        m_midiIn->setCallback(&MidiPortWrapper::midiCallback, this);
    } catch (const RtMidiError &e) {
        m_lastError = e.getMessage();
        m_midiIn.reset();
        return false;
    }
    return true;
}

bool MidiPortWrapper::openOutputPort(uint port, const std::string *knownName)
{
    if (!ensureOutput())
        return false;
    try {
        return openPortByName(*m_midiOut, port, knownName, "output", kOutputPortName, &m_lastError);
    } catch (const RtMidiError &e) {
        m_lastError = e.getMessage();
    }
    return false;
}

bool MidiPortWrapper::openInputPort(uint port, const std::string *knownName)
{
    if (!ensureInput())
        return false;
    try {
        return openPortByName(*m_midiIn, port, knownName, "input", kInputPortName, &m_lastError);
    } catch (const RtMidiError &e) {
        m_lastError = e.getMessage();
    }
    return false;
}

void MidiPortWrapper::closeOutput()
{
    if (!m_midiOut)
        return;
    try {
        if (m_midiOut->isPortOpen())
            m_midiOut->closePort();
    } catch (const RtMidiError &e) {
        m_lastError = e.getMessage();
    }
}

void MidiPortWrapper::closeInput()
{
    if (!m_midiIn)
        return;
    try {
        if (m_midiIn->isPortOpen())
            m_midiIn->closePort();
    } catch (const RtMidiError &e) {
        m_lastError = e.getMessage();
    }
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
    try {
        if (!m_midiOut->isPortOpen()) {
            m_lastError = "MIDI output port is not open";
            return false;
        }
        const uint n = frameSysEx(frame, len, m_txBuf);
        m_midiOut->sendMessage(m_txBuf, n);
        return true;
    } catch (const RtMidiError &e) {
        m_lastError = e.getMessage();
    }
    return false;
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
    if (!message || message->empty())
        return;
    if (message->size() >= kRxRingSize) {
        m_rxDropped.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    ringWrite(message->data(), uint(message->size()));
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
