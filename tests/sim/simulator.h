// A simulated controller on real MIDI ports, for the tests and for trying the
// editor without hardware. One input and one output port, virtual ports of
// RtMidi on the API named by the options, TAVRO_SIM_MIDI_API or
// TAVRO_MIDI_API, else the one the editor picks (on Linux ALSA when its
// sequencer can be opened, otherwise JACK). Incoming messages are taken from
// the MIDI thread into a queue and answered from the simulator's own worker
// thread. Every method may be called from any thread.
//
// On JACK the simulator's ports are the editor's own JACK ports
// (link/jackmidiport.h), each on a client of its own: a port is never closed
// by itself, its client is closed when the device leaves MIDI and a new one
// opened when it comes back. On other services the
// ports are RtMidi's virtual ports on clients that are kept for the process's
// life and reused by later simulators; there an input port registered again
// can replay, in its first cycles, what an earlier port of the same client
// received, so for 50 ms after the ports of a reused client open, input is
// dropped (logged as "stale").
#pragma once

#include "simdevice.h"
#include "simframe.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace jackmidi {
class JackMidiPort;
}

namespace tavrosim {

struct SimOptions
{
    std::string name = "RZ-7 Pad";  // port names default to name + " IN" / " OUT"
    std::string inPort;             // the port the host writes to
    std::string outPort;            // the port the device answers on
    std::string clientName = "tavro-sim";
    DeviceIdentity identity;        // model, download folder, firmware version
    std::string api;                // RtMidi API name ("jack", "alsa", "core", "winmm");
                                    // empty: TAVRO_SIM_MIDI_API, else the platform's
    std::string logPath;            // every frame in and out, one line each; empty: none
    bool echoSystemRecord = true;   // answer a system-record write with the record
    // Run when the device enters upgrade mode, after its ports are gone: the
    // in-process hook on the worker thread, then the command through the shell.
    std::function<void()> upgradeHook;
    std::string upgradeCommand;

    std::string effectiveInPort() const { return inPort.empty() ? name + " IN" : inPort; }
    std::string effectiveOutPort() const { return outPort.empty() ? name + " OUT" : outPort; }
};

// The options of a simulated model as a real unit names itself: port name
// and download folder (7 "RZ-7 Pad", 8 "RZ-Nano", 9 "VX-18", 1 "DOVO Dazed"
// with the folder "Z3"; firmware 3 unless given, the pedal's generation by its
// firmware).
SimOptions optionsForModel(int model, int firmware = 3);

// A deliberate fault in the device's frames.
enum class ReplyFault {
    None,
    WrongChecksum, // checksum byte inverted
    ShortFrame,    // cut after the header and half the payload; the header keeps its length
    OversizeFrame, // payload padded with zeros up to oversizeLength bytes of frame, header and checksum agree
};
const char *faultName(ReplyFault f);
bool parseFault(const std::string &name, ReplyFault *out);

struct SimLogEntry
{
    bool received = true;  // false: sent by the device
    bool frame = false;    // a device frame (bytes unpacked) rather than a raw message
    Bytes bytes;           // the unpacked frame, or the raw MIDI message
    std::string verdict;   // received frames: "ok", "bad-checksum", ...; others: "midi", "sysex", "sent", the fault
    std::string note;      // what the device made of it
    std::string line() const; // "rx ok 78 59 ... # note"
};

class Simulator
{
public:
    explicit Simulator(const SimOptions &options = SimOptions());
    ~Simulator();
    Simulator(const Simulator &) = delete;
    Simulator &operator=(const Simulator &) = delete;

    // Opens the ports and starts answering. False with a reason when the MIDI
    // service or the ports cannot be had.
    bool start(std::string *error = nullptr);
    void stop();

    bool online() const { return m_online.load(); }
    std::string inPortName() const { return m_options.effectiveInPort(); }
    std::string outPortName() const { return m_options.effectiveOutPort(); }

    // The device leaves MIDI (its ports and clients go away) and comes back.
    void vanish();
    bool reappear(std::string *error = nullptr);
    // In upgrade mode since CMD_ENTER_UPGRADE, until it comes back with a new version.
    bool inUpgradeMode() const;
    bool returnFromUpgrade(int firmwareVersion, std::string *error = nullptr);

    // Sends raw MIDI (notes, clock, foreign SysEx...), cut into whole messages.
    bool sendBytes(const Bytes &bytes);
    // Sends a device frame of the device's own making (packed, unfaulted).
    bool sendFrame(uint8_t command, const Bytes &payload);
    // Sends the current system record, as after a change on the unit itself.
    bool sendSystemRecord();

    // Controls of the answers.
    void setAnswering(bool on);               // off: frames are logged, nothing else happens
    void setUnanswered(uint8_t command, bool on = true); // the same for frames of one command only
    void setReplyDelay(int milliseconds);
    void setReplyFault(ReplyFault fault, int count = -1); // next count replies; -1: until cleared
    void setOversizeLength(size_t frameBytes); // default 6,000
    void setResult(uint8_t command, uint8_t value); // save / factory-reset result byte
    void setEchoSystemRecord(bool on);

    // Device-side changes and state (copies, taken under the lock).
    void selectPreset(int preset);
    int currentPreset() const;
    Bytes block(int preset) const;
    Bytes flashBlock(int preset) const;
    Bytes systemRecord() const;
    void setBlock(int preset, const Bytes &block);
    void setSystemRecord(const Bytes &record);
    Bytes pedalImage() const;
    void setPedalImage(const Bytes &image);
    DeviceIdentity identity() const;
    bool testMode() const;
    // The factory test mode's state (a copy); change its settings through
    // withDevice (device.test()).
    SimTestMode testModeState() const;
    // The operator: presses the control under the last lit test LED with this
    // value (false when nothing is lit or the message was not sent), or sends
    // any control as a control change.
    bool pressLit(uint8_t value);
    bool press(uint8_t data1, uint8_t value);
    // Anything else, under the lock.
    void withDevice(const std::function<void(SimDevice &)> &fn);

    // What crossed the ports.
    std::vector<SimLogEntry> log() const;
    std::vector<std::string> logLines() const;
    void clearLog();
    // Received frames with this command (any verdict), in order of arrival.
    std::vector<Bytes> receivedFrames(int command) const;
    // Received frames with this command that passed every check.
    int receivedCount(uint8_t command) const;

    struct ClientPair; // the pooled MIDI clients (defined in simulator.cpp)

private:
    friend struct ClientRelay;
    void enqueue(Bytes message);
    void workerLoop();
    void process(const Bytes &message);
    bool openPorts(std::string *error);
    static void jackReceive(const uint8_t *data, size_t size, void *self);
    void closePorts();
    void releaseClients();
    bool sendRaw(const Bytes &message);
    void sendReply(Bytes frame);
    void record(SimLogEntry entry);
    void recordLocked(SimLogEntry entry); // m_stateMutex held
    void sleepInterruptible(int milliseconds);

    SimOptions m_options;

    // The ports. The MIDI callback never takes this lock, so ports can be
    // closed (which waits for the MIDI thread) while holding it. The MIDI
    // clients are borrowed from a process-wide pool and handed back, never
    // destroyed (see above).
    std::mutex m_portMutex;
    ClientPair *m_clients = nullptr;
    std::unique_ptr<jackmidi::JackMidiPort> m_jackIn;
    std::unique_ptr<jackmidi::JackMidiPort> m_jackOut;
    bool m_portsOpen = false;
    std::atomic<std::chrono::steady_clock::time_point> m_acceptAfter{};
    std::atomic<bool> m_online{false};

    // Messages from the MIDI thread to the worker.
    std::mutex m_queueMutex;
    std::condition_variable m_queueCv;
    std::deque<Bytes> m_queue;
    bool m_stopping = false;
    std::thread m_worker;

    // Device state, controls and log.
    mutable std::mutex m_stateMutex;
    SimDevice m_device;
    bool m_answering = true;
    std::set<uint8_t> m_unanswered;
    bool m_upgradeMode = false;
    int m_delayMs = 0;
    ReplyFault m_fault = ReplyFault::None;
    int m_faultCount = -1;
    size_t m_oversize = 6000;
    std::vector<SimLogEntry> m_log;
    std::ofstream m_logFile;
};

} // namespace tavrosim
