#include "jackmidiport.h"
#include "sysexjoiner.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <mutex>
#include <set>
#include <thread>

namespace jackmidi {

namespace {

void quietJack(const char *) {}

// libjack prints several lines for every client it cannot open (no server,
// say). Its message function is one global: the swap is serialised so that
// two threads opening clients at once restore the right one.
std::mutex g_errorFunctionMutex;

// Clients of ours whose server has gone and that are not closed yet. libjack
// keeps one state for all the clients of a process: once their server has
// gone, the next client opened makes it free every client still open, and a
// later jack_client_close of one of those crashes. So no client is opened
// while one of a gone server is still open; their owners close them first.
std::atomic<int> g_goneClients{0};

// Called on a client's own thread when the server shuts it down (it stopped,
// or threw the client out); libjack calls it once per client.
void noteClientGone(std::atomic<bool> &gone)
{
    ++g_goneClients;
    gone.store(true);
}

// Closes a client; gone tells whether its server had shut it down. Read once
// the close is done: no shutdown call can come after it.
void closeClient(jack_client_t *client, const std::atomic<bool> &gone)
{
    jack_client_close(client);
    if (gone.load())
        --g_goneClients;
}

// A client called name, or null with the reason in *error; *serverThere
// (when given) tells whether a server answered at all.
jack_client_t *openClientQuietly(const std::string &name, std::string *error, bool *serverThere = nullptr)
{
    jack_client_t *client = nullptr;
    jack_status_t status = jack_status_t(0);
    {
        std::lock_guard<std::mutex> lock(g_errorFunctionMutex);
        if (g_goneClients.load() > 0) {
            if (serverThere)
                *serverThere = false;
            if (error)
                *error = "the JACK server has gone";
            return nullptr;
        }
        void (*const previousError)(const char *) = jack_error_callback;
        void (*const previousInfo)(const char *) = jack_info_callback;
        jack_set_error_function(&quietJack);
        jack_set_info_function(&quietJack);
        client = jack_client_open(name.c_str(), JackNoStartServer, &status);
        jack_set_error_function(previousError);
        jack_set_info_function(previousInfo);
    }
    const bool answered = client || !(status & JackServerFailed);
    if (serverThere)
        *serverThere = answered;
    if (!client && error) {
        const char *server = std::getenv("JACK_DEFAULT_SERVER");
        *error = answered ? "the JACK server refused a client (status " + std::to_string(int(status)) + ")"
                          : std::string("no JACK server \"") + (server && *server ? server : "default")
                                + "\" is running";
    }
    return client;
}

// A busy server can fail a client's opening, activation or connection now and
// then (it gives up on a notification the client answers late): such a step
// is tried again a few times before it fails. attempt(&again) returns what it
// got, false-like on failure, and clears again when no try can help.
constexpr int kOpenTries = 3;

template <typename Attempt>
auto withRetries(Attempt attempt)
{
    for (int n = 1;; ++n) {
        bool again = true;
        auto result = attempt(&again);
        if (result || !again || n == kOpenTries)
            return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(20 * n));
    }
}

// A server whose cycles have stopped must not hold a close for long.
constexpr auto kDrainWait = std::chrono::milliseconds(500);

// Full names of the ports being closed by a JackPortCloser of this process:
// no listing shows them.
std::mutex g_closingMutex;
std::set<std::string> g_closing;

bool isClosing(const char *name)
{
    std::lock_guard<std::mutex> lock(g_closingMutex);
    return g_closing.count(name) > 0;
}

} // namespace

bool jackServerRunning(std::string *error)
{
    jack_client_t *client = openClientQuietly("TaSuite probe", error);
    if (client)
        jack_client_close(client); // no shutdown call was asked for
    return client != nullptr;
}

struct JackMidiPort::State
{
    static constexpr jack_port_id_t kNoPeer = std::numeric_limits<jack_port_id_t>::max();

    jack_client_t *client = nullptr;
    jack_port_t *port = nullptr;
    std::atomic<bool> gone{false};

    // The port ours was first joined to, and whether it has left ours since;
    // written on the client's notification thread.
    std::atomic<jack_port_id_t> peer{kNoPeer};
    std::atomic<bool> peerLost{false};

    // Input side, touched only on the process thread once active.
    Receiver receiver = nullptr;
    void *user = nullptr;
    std::unique_ptr<SysExJoiner> joiner; // made before activation
    std::atomic<bool> muted{false};
    std::atomic<bool> delivering{false};

    // Output side: length-prefixed messages from the sender to the process
    // thread, and the largest event an empty cycle buffer takes.
    jack_ringbuffer_t *queue = nullptr;
    std::atomic<size_t> maxEvent{0}; // measured on each cycle's empty buffer

    ~State()
    {
        if (client && queue)
            drain();
        // Closing deactivates first: no process callback runs after this.
        if (client)
            closeClient(client, gone);
        if (queue)
            jack_ringbuffer_free(queue);
    }

    // Waits until the cycles have taken every queued message into their port
    // buffers, as a cable carries what was sent before it is pulled: a page's
    // last frames (save, page close) go out just before its ports close.
    void drain()
    {
        const auto deadline = std::chrono::steady_clock::now() + kDrainWait;
        while (jack_ringbuffer_read_space(queue) > 0 && !gone.load()
               && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(250));
    }

    void receive(jack_nframes_t frames)
    {
        // Announced before muted is read, so that mute() (which writes muted,
        // then reads this) either stops this cycle or waits for it.
        delivering.store(true);
        if (!muted.load())
            receiveEvents(frames);
        delivering.store(false);
    }

    void receiveEvents(jack_nframes_t frames)
    {
        void *buffer = jack_port_get_buffer(port, frames);
        const uint32_t count = jack_midi_get_event_count(buffer);
        for (uint32_t k = 0; k < count; ++k) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, k) == 0 && event.size > 0)
                joiner->take(event.buffer, event.size,
                            [this](const uint8_t *data, size_t size) { receiver(data, size, user); });
        }
    }

    void transmit(jack_nframes_t frames)
    {
        void *buffer = jack_port_get_buffer(port, frames);
        jack_midi_clear_buffer(buffer);
        maxEvent.store(jack_midi_max_event_size(buffer), std::memory_order_release);
        uint32_t size = 0;
        while (jack_ringbuffer_peek(queue, reinterpret_cast<char *>(&size), sizeof size) == sizeof size
               && jack_ringbuffer_read_space(queue) >= sizeof size + size) {
            jack_midi_data_t *slot = jack_midi_event_reserve(buffer, 0, size);
            if (!slot && jack_midi_get_event_count(buffer) > 0)
                return; // this cycle's buffer is full: the rest goes next cycle
            jack_ringbuffer_read_advance(queue, sizeof size);
            if (!slot) { // even an empty cycle cannot carry it (send refuses these)
                jack_ringbuffer_read_advance(queue, size);
                continue;
            }
            jack_ringbuffer_read(queue, reinterpret_cast<char *>(slot), size);
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
    static void shutdown(jack_status_t, const char *, void *arg) { noteClientGone(static_cast<State *>(arg)->gone); }

    // Notification thread: a connection somewhere on the server changed. Only
    // ours matter: the first join names the peer, and a later break from it
    // (the peer's client closing breaks its connections first) loses it.
    void connectionChanged(jack_port_id_t a, jack_port_id_t b, bool joined)
    {
        jack_port_id_t other;
        if (jack_port_by_id(client, a) == port)
            other = b;
        else if (jack_port_by_id(client, b) == port)
            other = a;
        else
            return;
        if (joined) {
            jack_port_id_t none = kNoPeer;
            peer.compare_exchange_strong(none, other);
        } else if (other == peer.load()) {
            peerLost.store(true);
        }
    }
    static void portConnect(jack_port_id_t a, jack_port_id_t b, int connect, void *arg)
    {
        static_cast<State *>(arg)->connectionChanged(a, b, connect != 0);
    }
    // Notification thread: a port went. Notifications come in the server's
    // order: one about an earlier port under the peer's id came before the join.
    static void portRegistration(jack_port_id_t id, int registered, void *arg)
    {
        auto *state = static_cast<State *>(arg);
        if (!registered && id == state->peer.load())
            state->peerLost.store(true);
    }
};

namespace {

// Opens the client and its one port, and activates it. An input port (with a
// receiver) has its join buffer and receiver in place before the process
// thread starts, which reads them without a lock; an output port its queue.
std::unique_ptr<JackMidiPort::State> openPortClientOnce(const std::string &clientName, const std::string &portName,
                                                        Receiver receiver, void *user, std::string *error,
                                                        bool *serverThere)
{
    const bool input = receiver != nullptr;
    auto state = std::make_unique<JackMidiPort::State>();
    if (input) {
        state->receiver = receiver;
        state->user = user;
        state->joiner = std::make_unique<SysExJoiner>(JackMidiPort::kJoinCapacity);
    } else {
        state->queue = jack_ringbuffer_create(JackMidiPort::kSendQueue);
        if (!state->queue) {
            if (error)
                *error = "no memory for the MIDI send queue";
            return nullptr;
        }
    }
    state->client = openClientQuietly(clientName, error, serverThere);
    if (!state->client)
        return nullptr;
    state->port = jack_port_register(state->client, portName.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                     input ? JackPortIsInput : JackPortIsOutput, 0);
    if (!state->port) {
        if (error)
            *error = "JACK refused the port \"" + portName + "\"";
        return nullptr;
    }
    jack_on_info_shutdown(state->client, &JackMidiPort::State::shutdown, state.get());
    if (!input) {
        // Until the first cycle has measured it, a bound below what an empty
        // buffer of the port type's size takes (its header and one event's).
        const size_t bufferSize = jack_port_type_get_buffer_size(state->client, JACK_DEFAULT_MIDI_TYPE);
        state->maxEvent.store(bufferSize > 1024 ? bufferSize - 512 : 0);
    }
    if (jack_set_process_callback(state->client, input ? &JackMidiPort::State::processIn
                                                       : &JackMidiPort::State::processOut,
                                  state.get())
            != 0
        || jack_set_port_connect_callback(state->client, &JackMidiPort::State::portConnect, state.get()) != 0
        || jack_set_port_registration_callback(state->client, &JackMidiPort::State::portRegistration, state.get())
               != 0
        || jack_activate(state->client) != 0) {
        if (error)
            *error = "the JACK client could not be activated";
        return nullptr;
    }
    return state;
}

std::unique_ptr<JackMidiPort::State> openPortClient(const std::string &clientName, const std::string &portName,
                                                    Receiver receiver, void *user, std::string *error)
{
    return withRetries([&](bool *serverThere) {
        return openPortClientOnce(clientName, portName, receiver, user, error, serverThere);
    });
}

} // namespace

std::unique_ptr<JackMidiPort> JackMidiPort::openInput(const std::string &clientName, const std::string &portName,
                                                      Receiver receiver, void *user, std::string *error)
{
    if (!receiver)
        receiver = [](const uint8_t *, size_t, void *) {};
    std::unique_ptr<State> state = openPortClient(clientName, portName, receiver, user, error);
    if (!state)
        return nullptr;
    return std::unique_ptr<JackMidiPort>(new JackMidiPort(std::move(state)));
}

std::unique_ptr<JackMidiPort> JackMidiPort::openOutput(const std::string &clientName, const std::string &portName,
                                                       std::string *error)
{
    std::unique_ptr<State> state = openPortClient(clientName, portName, nullptr, nullptr, error);
    if (!state)
        return nullptr;
    return std::unique_ptr<JackMidiPort>(new JackMidiPort(std::move(state)));
}

JackMidiPort::JackMidiPort(std::unique_ptr<State> state) : m_state(std::move(state)) {}

JackMidiPort::~JackMidiPort() = default;

std::string JackMidiPort::name() const
{
    return jack_port_name(m_state->port);
}

bool JackMidiPort::connect(const std::string &other, std::string *error)
{
    const std::string ours = name();
    const bool input = m_state->queue == nullptr;
    const bool connected = withRetries([&](bool *again) {
        const int result = input ? jack_connect(m_state->client, other.c_str(), ours.c_str())
                                 : jack_connect(m_state->client, ours.c_str(), other.c_str());
        // No try helps once either side has gone.
        *again = !m_state->gone.load() && jack_port_by_name(m_state->client, other.c_str());
        return result == 0 || result == EEXIST;
    });
    if (connected)
        return true;
    if (error)
        *error = "JACK could not connect \"" + ours + "\" with \"" + other + "\"";
    return false;
}

bool JackMidiPort::send(const uint8_t *data, size_t size)
{
    jack_ringbuffer_t *queue = m_state->queue;
    if (!queue || size == 0 || !data || m_state->gone.load())
        return false;
    if (size > m_state->maxEvent.load(std::memory_order_acquire))
        return false;
    const uint32_t length = uint32_t(size);
    if (jack_ringbuffer_write_space(queue) < sizeof length + size)
        return false;
    jack_ringbuffer_write(queue, reinterpret_cast<const char *>(&length), sizeof length);
    jack_ringbuffer_write(queue, reinterpret_cast<const char *>(data), size);
    return true;
}

size_t JackMidiPort::maxMessageSize() const
{
    return m_state->maxEvent.load(std::memory_order_acquire);
}

bool JackMidiPort::serverGone() const
{
    return m_state->gone.load();
}

bool JackMidiPort::peerLost() const
{
    return m_state->peerLost.load();
}

void JackMidiPort::mute()
{
    m_state->muted.store(true);
    while (m_state->delivering.load())
        std::this_thread::yield();
}

struct JackPortCloser::State
{
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::unique_ptr<JackMidiPort>> ports;
    bool stopping = false;
    std::thread worker;

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return stopping || !ports.empty(); });
            if (ports.empty())
                return;
            std::unique_ptr<JackMidiPort> port = std::move(ports.front());
            ports.pop_front();
            lock.unlock();
            const std::string name = port->name();
            port.reset();
            {
                std::lock_guard<std::mutex> closing(g_closingMutex);
                g_closing.erase(name);
            }
            lock.lock();
        }
    }
};

JackPortCloser::JackPortCloser() : m_state(std::make_unique<State>()) {}

JackPortCloser::~JackPortCloser()
{
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->stopping = true;
    }
    m_state->wake.notify_all();
    if (m_state->worker.joinable())
        m_state->worker.join(); // after every port handed over is closed
}

void JackPortCloser::close(std::unique_ptr<JackMidiPort> port)
{
    if (!port)
        return;
    port->mute();
    {
        std::lock_guard<std::mutex> closing(g_closingMutex);
        g_closing.insert(port->name());
    }
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->ports.push_back(std::move(port));
    if (!m_state->worker.joinable())
        m_state->worker = std::thread([state = m_state.get()] { state->run(); });
    m_state->wake.notify_all();
}

struct JackMidiLister::State
{
    jack_client_t *client = nullptr;
    std::atomic<bool> gone{false};

    ~State()
    {
        if (client)
            closeClient(client, gone);
    }
    static void shutdown(jack_status_t, const char *, void *arg) { noteClientGone(static_cast<State *>(arg)->gone); }
};

std::unique_ptr<JackMidiLister> JackMidiLister::open(const std::string &clientName, std::string *error)
{
    auto state = std::make_unique<State>();
    state->client = withRetries([&](bool *serverThere) { return openClientQuietly(clientName, error, serverThere); });
    if (!state->client)
        return nullptr;
    jack_on_info_shutdown(state->client, &State::shutdown, state.get());
    return std::unique_ptr<JackMidiLister>(new JackMidiLister(std::move(state)));
}

JackMidiLister::JackMidiLister(std::unique_ptr<State> state) : m_state(std::move(state)) {}

JackMidiLister::~JackMidiLister() = default;

bool JackMidiLister::serverGone() const
{
    return m_state->gone.load();
}

std::vector<std::string> JackMidiLister::ports(PortKind kind) const
{
    std::vector<std::string> names;
    if (m_state->gone.load())
        return names;
    const unsigned long flags = kind == PortKind::Sources ? JackPortIsOutput : JackPortIsInput;
    const char **list = jack_get_ports(m_state->client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    if (!list)
        return names;
    for (const char **p = list; *p; ++p) {
        if (!isClosing(*p))
            names.emplace_back(*p);
    }
    jack_free(list);
    return names;
}

} // namespace jackmidi
