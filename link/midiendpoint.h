// One direction of the editor's MIDI link on the platform's MIDI service: the
// ports it can be joined to, listed by number, and at most one port of its own
// joined to one of them. On JACK the editor's own JACK code does the work
// (jackmidiport.h: a port is only ever closed with its whole client); on ALSA,
// Windows and macOS, RtMidi does. Errors come back as text, never as
// exceptions.
#pragma once

#include <RtMidi.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class MidiEndpoint
{
public:
    // Each whole message received, on the MIDI service's thread: it must not
    // block, and the data is valid only during the call.
    using Receiver = void (*)(const unsigned char *data, size_t size, void *user);

    virtual ~MidiEndpoint() = default;

    virtual RtMidi::Api api() const = 0;
    // The library's names of the ports this endpoint can be joined to (for an
    // input the ports that send, for an output the ports that take), by
    // number. On failure the names so far, and *error says why.
    virtual std::vector<std::string> portNames(std::string *error) = 0;
    // Closes our port when one is open, then opens our port ourName joined to
    // port `number`, which is listed as `name`.
    virtual bool openPort(unsigned int number, const std::string &name, const std::string &ourName,
                          std::string *error) = 0;
    virtual bool isPortOpen() const = 0;
    // The MIDI service this endpoint was made on has gone (a JACK server
    // that stopped): it lists and carries nothing any more, and a new
    // endpoint is needed once the service is back.
    virtual bool serviceGone() const { return false; }
    // The port ours is joined to has gone since ours opened, whether or not
    // one of its name is listed again (a unit plugged in again at once): ours
    // carries nothing to or from it any more. On JACK the server says so;
    // elsewhere a send that the open port refused counts.
    virtual bool peerLost() const = 0;
    virtual void closePort(std::string *error) = 0;
    // Output only: sends one whole message. False, with the reason, when the
    // port is not open or the message cannot be carried whole.
    virtual bool send(const unsigned char *data, size_t size, std::string *error) = 0;
};

// An input endpoint on midiApi() whose messages, of every type (SysEx, timing
// clock and active sensing are not filtered), go to receiver. Null when the
// service refused a client; *error then holds why.
std::unique_ptr<MidiEndpoint> createMidiInput(const std::string &clientName, MidiEndpoint::Receiver receiver,
                                              void *user, std::string *error);
// An output endpoint on midiApi(). Null when the service refused a client.
std::unique_ptr<MidiEndpoint> createMidiOutput(const std::string &clientName, std::string *error);
