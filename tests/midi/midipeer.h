// Plays the controller's side of the MIDI link over JACK: two clients of their
// own with one port each (the editor's own JACK ports, as the simulated
// controller has them), named like a device's ports. The editor receives what
// the peer sends on "<name> IN" and sends to the peer on "<name> OUT".
#pragma once

#include "jackmidiport.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class MidiPeer
{
public:
    using Message = std::vector<unsigned char>;

    explicit MidiPeer(const std::string &name = "Tavro Test Pad")
        : m_inName(name + " IN"), m_outName(name + " OUT")
    {
        m_out = jackmidi::JackMidiPort::openOutput("Peer " + name + " Tx", m_inName, &m_error);
        if (m_out)
            m_in = jackmidi::JackMidiPort::openInput("Peer " + name + " Rx", m_outName, &MidiPeer::receive, this,
                                                     &m_error);
        if (!m_in)
            m_out.reset();
    }

    ~MidiPeer() { closePorts(); }

    bool isReady() const { return m_in && m_out; }

    // Closes both ports (with their clients): the device leaves MIDI.
    void closePorts()
    {
        m_in.reset(); // stops the callback before the members go
        m_out.reset();
    }
    const std::string &error() const { return m_error; }

    // Port names as the editor's port lister shows them.
    const std::string &editorInputName() const { return m_inName; }
    const std::string &editorOutputName() const { return m_outName; }
    // Full JACK names of the peer's sending and receiving ports.
    std::string sourcePort() const { return m_out ? m_out->name() : std::string(); }
    std::string destinationPort() const { return m_in ? m_in->name() : std::string(); }

    // Sends one message to the editor. Not while echoing (one writer only).
    bool send(const Message &message) { return m_out && m_out->send(message.data(), message.size()); }

    // Sends every received message straight back (from JACK's thread).
    void setEcho(bool on) { m_echo = on; }

    // Waits until at least count messages have arrived; false on timeout.
    bool waitForMessages(size_t count, int timeoutMs = 5000)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return m_received.size() >= count; });
    }

    std::vector<Message> received()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_received;
    }

    void clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_received.clear();
    }

private:
    static void receive(const uint8_t *data, size_t size, void *userData)
    {
        auto *self = static_cast<MidiPeer *>(userData);
        if (self->m_echo) {
            self->m_out->send(data, size);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(self->m_mutex);
            self->m_received.emplace_back(data, data + size);
        }
        self->m_arrived.notify_all();
    }

    std::string m_inName;
    std::string m_outName;
    std::string m_error;
    std::unique_ptr<jackmidi::JackMidiPort> m_out;
    std::unique_ptr<jackmidi::JackMidiPort> m_in;
    std::atomic<bool> m_echo{false};
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<Message> m_received;
};
