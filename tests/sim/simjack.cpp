#include "simjack.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <cstring>

namespace tavrosim {

namespace {

// Room for the messages queued between two cycles: several blocks of a few
// kilobytes each, with a length word before each message.
constexpr size_t kSendRing = 1 << 18;

void quietJack(const char *) {}

} // namespace

struct SimJackPorts::State
{
    // One client per port, as a device's two ports may carry one name.
    jack_client_t *inClient = nullptr;
    jack_client_t *outClient = nullptr;
    jack_port_t *in = nullptr;
    jack_port_t *out = nullptr;
    jack_ringbuffer_t *ring = nullptr;
    Receiver receiver;
    std::vector<uint8_t> sysex; // a SysEx message split across events, so far

    ~State()
    {
        // Closing stops the process threads before the ring goes.
        if (inClient)
            jack_client_close(inClient);
        if (outClient)
            jack_client_close(outClient);
        if (ring)
            jack_ringbuffer_free(ring);
    }

    void receive(jack_nframes_t frames)
    {
        void *buffer = jack_port_get_buffer(in, frames);
        const uint32_t count = jack_midi_get_event_count(buffer);
        for (uint32_t k = 0; k < count; ++k) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, k) != 0 || event.size == 0)
                continue;
            const uint8_t *bytes = event.buffer;
            if (!sysex.empty() || bytes[0] == 0xF0) {
                sysex.insert(sysex.end(), bytes, bytes + event.size);
                if (bytes[event.size - 1] != 0xF7)
                    continue;
                receiver(std::move(sysex));
                sysex.clear();
                continue;
            }
            receiver(std::vector<uint8_t>(bytes, bytes + event.size));
        }
    }

    void transmit(jack_nframes_t frames)
    {
        void *buffer = jack_port_get_buffer(out, frames);
        jack_midi_clear_buffer(buffer);
        uint32_t size = 0;
        while (jack_ringbuffer_peek(ring, reinterpret_cast<char *>(&size), sizeof size) == sizeof size
               && jack_ringbuffer_read_space(ring) >= sizeof size + size) {
            jack_midi_data_t *slot = jack_midi_event_reserve(buffer, 0, size);
            if (!slot && jack_midi_get_event_count(buffer) > 0)
                return; // this cycle's buffer is full: the rest goes next cycle
            if (!slot) { // larger than any cycle can carry: dropped, as a cable would
                jack_ringbuffer_read_advance(ring, sizeof size + size);
                continue;
            }
            jack_ringbuffer_read_advance(ring, sizeof size);
            jack_ringbuffer_read(ring, reinterpret_cast<char *>(slot), size);
        }
    }

    static int processIn(jack_nframes_t frames, void *arg)
    {
        static_cast<State *>(arg)->receive(frames);
        return 0;
    }
    static int processOut(jack_nframes_t frames, void *arg)
    {
        static_cast<State *>(arg)->transmit(frames);
        return 0;
    }
};

std::unique_ptr<SimJackPorts> SimJackPorts::open(const std::string &clientName, const std::string &inName,
                                                 const std::string &outName, Receiver receiver,
                                                 std::string *error)
{
    auto fail = [error](const std::string &why) {
        if (error)
            *error = why;
        return std::unique_ptr<SimJackPorts>();
    };
    auto state = std::make_unique<State>();
    state->receiver = std::move(receiver);
    state->ring = jack_ringbuffer_create(kSendRing);
    if (!state->ring)
        return fail("no memory for the send ring");
    // Without a server libjack prints several lines per try.
    void (*const previousError)(const char *) = jack_error_callback;
    jack_set_error_function(&quietJack);
    jack_status_t status = jack_status_t(0);
    state->inClient = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
    state->outClient = state->inClient ? jack_client_open(clientName.c_str(), JackNoStartServer, &status) : nullptr;
    jack_set_error_function(previousError);
    if (!state->outClient)
        return fail("no JACK server is running");
    state->in = jack_port_register(state->inClient, inName.c_str(), JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    state->out = jack_port_register(state->outClient, outName.c_str(), JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    if (!state->in || !state->out)
        return fail("JACK refused the port \"" + std::string(state->in ? outName : inName) + "\"");
    if (jack_set_process_callback(state->inClient, &State::processIn, state.get()) != 0
        || jack_set_process_callback(state->outClient, &State::processOut, state.get()) != 0
        || jack_activate(state->inClient) != 0 || jack_activate(state->outClient) != 0)
        return fail("the JACK clients could not be activated");
    return std::unique_ptr<SimJackPorts>(new SimJackPorts(std::move(state)));
}

SimJackPorts::SimJackPorts(std::unique_ptr<State> state) : m_state(std::move(state)) {}

SimJackPorts::~SimJackPorts() = default;

bool SimJackPorts::send(const uint8_t *data, size_t size)
{
    const uint32_t length = uint32_t(size);
    if (size == 0)
        return false;
    if (jack_ringbuffer_write_space(m_state->ring) < sizeof length + size)
        return false;
    jack_ringbuffer_write(m_state->ring, reinterpret_cast<const char *>(&length), sizeof length);
    jack_ringbuffer_write(m_state->ring, reinterpret_cast<const char *>(data), size);
    return true;
}

} // namespace tavrosim
