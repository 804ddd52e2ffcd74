#include "midiendpoint.h"

#include "midiapi.h"

#if defined(TAVRO_HAVE_JACK)
#include "jackmidiport.h"
#endif

namespace {

constexpr unsigned int kInputQueueLimit = 100;

// RtMidi's client of either direction; the one API for ALSA, Windows and macOS.
class RtMidiEndpoint : public MidiEndpoint
{
public:
    RtMidiEndpoint(std::unique_ptr<RtMidiIn> in, Receiver receiver, void *user)
        : m_receiver(receiver), m_user(user), m_midi(in.get()), m_in(std::move(in))
    {
        // Registered once for the client's life; closing and opening ports
        // leaves it in place.
        m_in->setCallback(&RtMidiEndpoint::callback, this);
    }
    explicit RtMidiEndpoint(std::unique_ptr<RtMidiOut> out) : m_midi(out.get()), m_out(std::move(out)) {}

    ~RtMidiEndpoint() override
    {
        try {
            if (m_midi->isPortOpen())
                m_midi->closePort();
            m_in.reset(); // stops the input callback
            m_out.reset();
        } catch (const RtMidiError &) {
        }
    }

    RtMidi::Api api() const override { return m_in ? m_in->getCurrentApi() : m_out->getCurrentApi(); }

    std::vector<std::string> portNames(std::string *error) override
    {
        std::vector<std::string> names;
        try {
            const unsigned int count = m_midi->getPortCount();
            for (unsigned int i = 0; i < count; ++i) {
                // A port that vanished since the count still takes its place,
                // so the numbers of the ports behind it stay right.
                names.push_back(m_midi->getPortName(i));
            }
        } catch (const RtMidiError &e) {
            *error = e.getMessage();
        }
        return names;
    }

    bool openPort(unsigned int number, const std::string &, const std::string &ourName, std::string *error) override
    {
        closePort(error);
        m_sendFailed = false;
        try {
            m_midi->openPort(number, ourName);
            return m_midi->isPortOpen();
        } catch (const RtMidiError &e) {
            *error = e.getMessage();
        }
        return false;
    }

    bool isPortOpen() const override { return m_midi->isPortOpen(); }

    bool peerLost() const override { return m_sendFailed && m_midi->isPortOpen(); }

    void closePort(std::string *error) override
    {
        try {
            if (m_midi->isPortOpen())
                m_midi->closePort();
        } catch (const RtMidiError &e) {
            *error = e.getMessage();
        }
    }

    bool send(const unsigned char *data, size_t size, std::string *error) override
    {
        if (!m_out) {
            *error = "not an output";
            return false;
        }
        try {
            if (!m_out->isPortOpen()) {
                *error = "MIDI output port is not open";
                return false;
            }
            m_out->sendMessage(data, size);
            return true;
        } catch (const RtMidiError &e) {
            *error = e.getMessage();
        }
        // The open port refused it: the device behind it has gone (on
        // Windows a unit plugged in again is another device).
        m_sendFailed = true;
        return false;
    }

private:
    static void callback(double, std::vector<unsigned char> *message, void *self)
    {
        auto *endpoint = static_cast<RtMidiEndpoint *>(self);
        if (message && !message->empty())
            endpoint->m_receiver(message->data(), message->size(), endpoint->m_user);
    }

    Receiver m_receiver = nullptr;
    void *m_user = nullptr;
    RtMidi *m_midi; // the client below, of either direction
    std::unique_ptr<RtMidiIn> m_in;
    std::unique_ptr<RtMidiOut> m_out;
    bool m_sendFailed = false; // since the port opened
};

#if defined(TAVRO_HAVE_JACK)
// The editor's own JACK ports: a port client per open port, closed whole on
// a thread of its own (a closed port is muted and unlisted at once).
class JackEndpoint : public MidiEndpoint
{
public:
    JackEndpoint(std::unique_ptr<jackmidi::JackMidiLister> lister, std::string clientName, Receiver receiver,
                 void *user)
        : m_lister(std::move(lister)), m_clientName(std::move(clientName)), m_receiver(receiver), m_user(user)
    {
    }
    ~JackEndpoint() override { m_closer.close(std::move(m_port)); } // the closer then waits for it

    RtMidi::Api api() const override { return RtMidi::UNIX_JACK; }

    std::vector<std::string> portNames(std::string *) override
    {
        return m_lister->ports(m_receiver ? jackmidi::PortKind::Sources : jackmidi::PortKind::Destinations);
    }

    bool openPort(unsigned int, const std::string &name, const std::string &ourName, std::string *error) override
    {
        m_closer.close(std::move(m_port));
        m_port = m_receiver ? jackmidi::JackMidiPort::openInput(m_clientName, ourName, m_receiver, m_user, error)
                            : jackmidi::JackMidiPort::openOutput(m_clientName, ourName, error);
        if (m_port && !m_port->connect(name, error))
            m_closer.close(std::move(m_port));
        return m_port != nullptr;
    }

    bool isPortOpen() const override { return m_port != nullptr; }

    bool serviceGone() const override { return m_lister->serverGone() || (m_port && m_port->serverGone()); }

    bool peerLost() const override { return m_port && m_port->peerLost(); }

    void closePort(std::string *) override { m_closer.close(std::move(m_port)); }

    bool send(const unsigned char *data, size_t size, std::string *error) override
    {
        if (!m_port || m_receiver) {
            *error = "MIDI output port is not open";
            return false;
        }
        if (m_port->send(data, size))
            return true;
        if (m_port->serverGone())
            *error = "the JACK server has gone";
        else if (size > m_port->maxMessageSize())
            *error = "a message of " + std::to_string(size) + " bytes is longer than one JACK cycle carries ("
                     + std::to_string(m_port->maxMessageSize()) + ")";
        else
            *error = "the MIDI send queue is full";
        return false;
    }

private:
    std::unique_ptr<jackmidi::JackMidiLister> m_lister;
    std::string m_clientName;
    Receiver m_receiver;
    void *m_user;
    std::unique_ptr<jackmidi::JackMidiPort> m_port;
    jackmidi::JackPortCloser m_closer;
};
#endif

} // namespace

namespace {

// An input endpoint when receiver is given, else an output endpoint.
std::unique_ptr<MidiEndpoint> createEndpoint(const std::string &clientName, MidiEndpoint::Receiver receiver,
                                             void *user, std::string *error)
{
#if defined(TAVRO_HAVE_JACK)
    if (midiApi() == RtMidi::UNIX_JACK) {
        auto lister = jackmidi::JackMidiLister::open(clientName, error);
        if (!lister)
            return nullptr;
        return std::make_unique<JackEndpoint>(std::move(lister), clientName, receiver, user);
    }
#endif
    try {
        if (!receiver)
            return std::make_unique<RtMidiEndpoint>(std::make_unique<RtMidiOut>(midiApi(), clientName));
        auto in = std::make_unique<RtMidiIn>(midiApi(), clientName, kInputQueueLimit);
        in->ignoreTypes(false, false, false);
        return std::make_unique<RtMidiEndpoint>(std::move(in), receiver, user);
    } catch (const RtMidiError &e) {
        if (error)
            *error = e.getMessage();
    }
    return nullptr;
}

} // namespace

std::unique_ptr<MidiEndpoint> createMidiInput(const std::string &clientName, MidiEndpoint::Receiver receiver,
                                              void *user, std::string *error)
{
    if (!receiver)
        receiver = [](const unsigned char *, size_t, void *) {};
    return createEndpoint(clientName, receiver, user, error);
}

std::unique_ptr<MidiEndpoint> createMidiOutput(const std::string &clientName, std::string *error)
{
    return createEndpoint(clientName, nullptr, nullptr, error);
}
