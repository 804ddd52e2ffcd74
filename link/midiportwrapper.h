// The editor's link to the controller's two MIDI ports: sends each device frame
// as one SysEx message and queues every received MIDI message in a receive ring
// that the GUI thread drains.
#pragma once

#include "deviceframe.h"
#include "midiendpoint.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class MidiPortWrapper
{
public:
    // Holds the packed form of any frame of up to kMaxFrameLen bytes.
    static constexpr uint kTxBufSize = 71680;
    static constexpr uint kMaxFrameLen = 62718;
    static constexpr uint kRxRingSize = 40960;

    MidiPortWrapper();
    ~MidiPortWrapper();
    MidiPortWrapper(const MidiPortWrapper &) = delete;
    MidiPortWrapper &operator=(const MidiPortWrapper &) = delete;

    // Opens output port outPort, then input port inPort; on success empties the
    // ring and returns true. On failure both ports end closed. flag is unused.
    bool open(uint outPort, uint inPort, bool flag);
    // Opens the output port listed as outName, then the input port listed as
    // inName (the MIDI service's own names, MidiPortLister's keys). Where two
    // ports share a name, the one at the number given as a hint wins. A name
    // that is no longer listed fails the open.
    bool open(const std::string &outName, const std::string &inName, uint outHint = ~0u, uint inHint = ~0u);
    bool openOutput(uint port, bool flag = true);
    bool openInput(uint port, bool flag = true);
    void closeOutput();
    void closeInput();
    void close();
    // Drops the clients of a MIDI service that has gone (a JACK server that
    // stopped): they are of no use, also once it is back, and new ones are
    // made on the service as it is then by the next open. True when a port of
    // the open pair was on them: the pair is lost, whatever the service lists
    // by now.
    bool releaseGoneService();
    // The device's ports that the open pair was joined to have gone since it
    // opened, also when ports of their names are listed again by now (a unit
    // plugged in again between two scans): the pair carries nothing any more.
    // A new open starts afresh.
    bool pairLost() const;

    // Sends one frame; returns len on success, 0 on failure.
    int send(const uchar *frame, int len);
    // Sends one frame as one SysEx message. False when the output port is not
    // open, when the packed frame does not fit the send buffer, or when the
    // library raised an error.
    bool write(const uchar *frame, uint len);
    // Builds the SysEx message of a frame in out (room for packedSysExSize(len)
    // bytes, or len + 2 in raw mode); returns its length.
    uint frameSysEx(const uchar *frame, uint len, uchar *out);

    // Input side, on the MIDI service's thread.
    static void midiCallback(double timeStamp, std::vector<uchar> *message, void *userData);
    void onMidiMessage(std::vector<uchar> *message);
    // One whole message; one that can never fit the ring is dropped and counted.
    void onMidiBytes(const uchar *data, size_t len);
    // Appends one message to the ring; a message that does not fit the free space
    // is dropped whole and counted.
    void ringWrite(const uchar *data, uint len);

    // Reader side, on the GUI thread. Takes up to maxLen bytes; when the ring is
    // empty sleeps 10 ms per try and gives up after tries empty looks (tries 0:
    // returns 0 at once).
    uint read(uchar *buf, uint maxLen, int tries);
    bool readByte(uchar *out);
    // Discards every unread byte.
    void flush();
    void setSysEx7Bit(int on);

    // Text of the last MIDI library error caught by an open, close or write.
    const std::string &lastError() const { return m_lastError; }
    // Messages dropped by ringWrite because the ring had no room for them.
    uint droppedMessages() const { return m_rxDropped.load(std::memory_order_relaxed); }
    // Unread bytes in the ring (reader side).
    uint pending() const;

private:
    bool ensureOutput();
    bool ensureInput();
    // The name of port number `port` as listed now; false when there is none.
    bool nameAt(MidiEndpoint &endpoint, uint port, const char *direction, std::string *name);
    // Opens by number; knownName, when given, is the port's name as listed when
    // the number was taken (or the name alone, the number a hint), looked up
    // again before opening.
    bool openPort(MidiEndpoint &endpoint, uint port, const std::string *knownName, const char *direction,
                  const char *ourName);
    static void receive(const uchar *data, size_t len, void *self);

    std::unique_ptr<MidiEndpoint> m_midiOut;
    std::unique_ptr<MidiEndpoint> m_midiIn;
    std::string m_lastError;
    uchar m_txBuf[kTxBufSize];
    uchar m_rxRing[kRxRingSize];
    std::atomic<uint32_t> m_rxRead{0};
    std::atomic<uint32_t> m_rxWrite{0};
    int m_sysex7bit = 1;
    std::atomic<uint32_t> m_rxDropped{0};
};
