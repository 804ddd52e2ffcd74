// The simulator's two ports on JACK, each on a JACK client of its own.
//
// libjack walks a client's list of ports on the client's notification thread
// whenever the server recomputes latencies (after any connection change or
// client (de)activation anywhere on the server), and jack_port_unregister
// removes the port from that list on the caller's thread without a lock: a
// port closed on a client that is active can crash the process in a libjack
// thread. So the ports are registered before the client is activated and are
// never unregistered: the device leaves MIDI by closing its clients, which
// stops each client before the server drops its port.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavrosim {

class SimJackPorts
{
public:
    // Each whole message received (SysEx joined across events), on JACK's
    // process thread.
    using Receiver = std::function<void(std::vector<uint8_t>)>;

    // Opens two clients called clientName (JACK makes the names unique), one
    // with the input port inName, one with the output port outName, and
    // activates them. Null with a reason
    // when there is no server or a port cannot be had.
    static std::unique_ptr<SimJackPorts> open(const std::string &clientName, const std::string &inName,
                                              const std::string &outName, Receiver receiver,
                                              std::string *error);
    ~SimJackPorts(); // closes both clients
    SimJackPorts(const SimJackPorts &) = delete;
    SimJackPorts &operator=(const SimJackPorts &) = delete;

    // Queues one message for the next cycles; false when it cannot fit. One
    // sender at a time.
    bool send(const uint8_t *data, size_t size);

    struct State; // defined in simjack.cpp

private:
    explicit SimJackPorts(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

} // namespace tavrosim
