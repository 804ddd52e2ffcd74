// The one place that chooses the MIDI service (named by RtMidi's API) for every
// MIDI client the editor creates (midiendpoint.h), so that all of them see the
// same service and the same port numbers.
#pragma once

#include <RtMidi.h>

#include <string>

// Environment variable that forces an API: "jack", "alsa", "winmm", "core", ...
// (RtMidi's short API names). An unknown name or an API that this build of RtMidi
// lacks is ignored.
constexpr const char *kMidiApiEnvVar = "TAVRO_MIDI_API";

// The compiled-in API of that short name; UNSPECIFIED when the name is unknown
// or the API is not compiled in.
RtMidi::Api midiApiFromName(const std::string &name);

// Chooses the API now: the environment override when it names a compiled-in
// API; otherwise Windows multimedia on Windows, CoreMIDI on macOS, and on Linux
// ALSA when it is compiled in and its sequencer device can be opened, else JACK.
RtMidi::Api chooseMidiApi();

// The API of this process: chooseMidiApi() taken once a MIDI service has been
// found for it (midiServiceAvailable); until then chosen afresh on each call,
// so that a service that starts later is taken.
RtMidi::Api midiApi();

// Whether the MIDI service of midiApi() can be reached now, found out without
// creating a MIDI client and without a word on standard error. Linux: the
// ALSA sequencer device opens, or a JACK server answers; elsewhere the
// platform's MIDI is always there. When it cannot, *error (when given) says
// why. A true answer settles midiApi().
bool midiServiceAvailable(std::string *error = nullptr);
