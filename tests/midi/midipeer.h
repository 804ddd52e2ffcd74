// Plays the controller's side of the MIDI link over JACK: two clients of their
// own with one port each, named like a device's ports. The editor receives what
// the peer sends on "<name> IN" and sends to the peer on "<name> OUT".
#pragma once

#include <RtMidi.h>

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
        try {
            m_out = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, "Peer " + name + " Tx");
            m_out->openVirtualPort(m_inName);
            m_in = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, "Peer " + name + " Rx", 100);
            m_in->ignoreTypes(false, false, false);
            m_in->setCallback(&MidiPeer::callback, this);
            m_in->openVirtualPort(m_outName);
        } catch (const RtMidiError &e) {
            m_error = e.getMessage();
            m_in.reset();
            m_out.reset();
        }
    }

    ~MidiPeer()
    {
        m_in.reset(); // stops the callback before the members go
        m_out.reset();
    }

    bool isReady() const { return m_in && m_out; }

    // Closes both ports and keeps the clients: on JACK, another client of the
    // process may then be closed safely.
    void closePorts()
    {
        if (m_in)
            m_in->closePort();
        if (m_out)
            m_out->closePort();
    }
    const std::string &error() const { return m_error; }

    // Port names as the editor's port lister shows them.
    const std::string &editorInputName() const { return m_inName; }
    const std::string &editorOutputName() const { return m_outName; }

    // Sends one message to the editor. Not while echoing (one writer only).
    void send(const Message &message) { m_out->sendMessage(&message); }

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
    static void callback(double, std::vector<unsigned char> *message, void *userData)
    {
        auto *self = static_cast<MidiPeer *>(userData);
        if (self->m_echo) {
            self->m_out->sendMessage(message);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(self->m_mutex);
            self->m_received.push_back(*message);
        }
        self->m_arrived.notify_all();
    }

    std::string m_inName;
    std::string m_outName;
    std::string m_error;
    std::unique_ptr<RtMidiOut> m_out;
    std::unique_ptr<RtMidiIn> m_in;
    std::atomic<bool> m_echo{false};
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<Message> m_received;
};
