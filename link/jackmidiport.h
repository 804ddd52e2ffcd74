// MIDI ports on JACK, each on a JACK client of its own, for the editor's link
// and for the simulated controller alike.
//
// libjack walks a client's list of ports on the client's notification thread
// whenever the server recomputes latencies (after any connection change or any
// client's (de)activation anywhere on the server), and jack_port_unregister
// removes a port from that list on the caller's thread without a lock; the
// process callback meanwhile reads the port. A port closed on an active client
// can therefore crash the process inside libjack. So a port here is registered
// before its client is activated and is never unregistered: closing a port
// closes its whole client (jack_client_close), which stops the client's
// threads before the server drops the port.
//
// Plain C++ on libjack, no Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace jackmidi {

// Receives each whole message that arrives on an input port, on JACK's process
// thread: a SysEx split across events is joined first, other messages come as
// they were sent. It must not block; the data is valid only during the call.
using Receiver = void (*)(const uint8_t *data, size_t size, void *user);

// Whether a JACK server answers, found out with a client of our own that is
// opened and closed at once, without a word from libjack. When none does,
// *error (when given) says so.
bool jackServerRunning(std::string *error);

// Which ports a listing names.
enum class PortKind {
    Sources,      // ports that send MIDI (JACK output ports): what an input joins to
    Destinations, // ports that take MIDI (JACK input ports): what an output joins to
};

class JackMidiPort
{
public:
    // Longest SysEx an input port joins from several events; a longer one is
    // dropped whole.
    static constexpr size_t kJoinCapacity = 65536;
    // Room for the messages an output port queues between two cycles.
    static constexpr size_t kSendQueue = 1 << 18;

    // Opens a client called clientName (JACK makes the name unique), registers
    // an input port portName on it and activates it; receiver gets every
    // message until the port is muted or closed. Null, with the reason in
    // *error, when there is no server or the port cannot be had.
    static std::unique_ptr<JackMidiPort> openInput(const std::string &clientName, const std::string &portName,
                                                   Receiver receiver, void *user, std::string *error);
    // The same with an output port.
    static std::unique_ptr<JackMidiPort> openOutput(const std::string &clientName, const std::string &portName,
                                                    std::string *error);
    // Closes the client: its process thread has stopped when this returns. An
    // output port first lets the cycles take what is queued (half a second
    // at most), so the last messages sent still go out.
    ~JackMidiPort();
    JackMidiPort(const JackMidiPort &) = delete;
    JackMidiPort &operator=(const JackMidiPort &) = delete;

    // The port's full name, "client:port".
    std::string name() const;
    // Joins this port to the port called other (full name): a source for an
    // input port, a destination for an output port.
    bool connect(const std::string &other, std::string *error);

    // Output: queues one message for the next cycles. False when the message
    // is empty, when it is larger than one cycle can carry, when the queue has
    // no room for it, or when the server has gone. One sender at a time.
    bool send(const uint8_t *data, size_t size);
    // Output: the largest message one cycle carries.
    size_t maxMessageSize() const;

    // Input: no message reaches the receiver any more; when this returns, the
    // receiver is not running either.
    void mute();
    // The server shut the client down (it stopped or threw the client out).
    bool serverGone() const;
    // The port this one was first joined to has been disconnected from it or
    // has gone since (a unit unplugged, also one already plugged in again
    // under the same name): nothing crosses between them any more. Told by
    // the server's notifications, which reach us in the order the server
    // made the changes, so a change from before the join never counts.
    bool peerLost() const;

    struct State; // defined in jackmidiport.cpp

private:
    explicit JackMidiPort(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

// Closes ports away from the caller. A client's close waits on the server
// (several milliseconds, a period or two), which a page's close road should
// not: a port handed over here is muted at once and left out of every
// JackMidiLister listing of the process from then on, its queued messages
// still go out, and its client closes on the closer's own thread. The
// destructor waits for the closes still under way.
class JackPortCloser
{
public:
    JackPortCloser();
    ~JackPortCloser();
    JackPortCloser(const JackPortCloser &) = delete;
    JackPortCloser &operator=(const JackPortCloser &) = delete;

    void close(std::unique_ptr<JackMidiPort> port);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// A client without ports that lists the server's MIDI ports. It is never
// activated and never gets a port, so libjack has no port list of it to walk.
class JackMidiLister
{
public:
    // Null, with the reason in *error, when there is no server.
    static std::unique_ptr<JackMidiLister> open(const std::string &clientName, std::string *error);
    ~JackMidiLister();
    JackMidiLister(const JackMidiLister &) = delete;
    JackMidiLister &operator=(const JackMidiLister &) = delete;

    // Full names ("client:port") of the server's MIDI ports of that kind, in
    // the server's order, without the ports a JackPortCloser is closing;
    // empty once the server has gone.
    std::vector<std::string> ports(PortKind kind) const;
    // The server this client was opened on has stopped.
    bool serverGone() const;

private:
    struct State;
    explicit JackMidiLister(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace jackmidi
