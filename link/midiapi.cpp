#include "midiapi.h"

#include <cstdlib>
#include <vector>

#if defined(__linux__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

bool isCompiled(RtMidi::Api api)
{
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    for (RtMidi::Api a : apis) {
        if (a == api)
            return true;
    }
    return false;
}

#if defined(__linux__)
// ALSA is usable only when its sequencer device opens; RtMidi throws otherwise.
bool alsaSequencerUsable()
{
    const int fd = ::open("/dev/snd/seq", O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}
#endif

RtMidi::Api platformDefault()
{
#if defined(_WIN32)
    return RtMidi::WINDOWS_MM;
#elif defined(__APPLE__)
    return RtMidi::MACOSX_CORE;
#elif defined(__linux__)
    if (isCompiled(RtMidi::LINUX_ALSA) && alsaSequencerUsable())
        return RtMidi::LINUX_ALSA;
    if (isCompiled(RtMidi::UNIX_JACK))
        return RtMidi::UNIX_JACK;
    return RtMidi::LINUX_ALSA;
#else
    if (isCompiled(RtMidi::UNIX_JACK))
        return RtMidi::UNIX_JACK;
    return RtMidi::UNSPECIFIED;
#endif
}

} // namespace

RtMidi::Api midiApiFromName(const std::string &name)
{
    if (name.empty())
        return RtMidi::UNSPECIFIED;
    // getCompiledApiByName answers only for APIs that are compiled in.
    return RtMidi::getCompiledApiByName(name);
}

RtMidi::Api chooseMidiApi()
{
    if (const char *forced = std::getenv(kMidiApiEnvVar)) {
        const RtMidi::Api api = midiApiFromName(forced);
        if (api != RtMidi::UNSPECIFIED)
            return api;
    }
    return platformDefault();
}

RtMidi::Api midiApi()
{
    static const RtMidi::Api api = chooseMidiApi();
    return api;
}

std::unique_ptr<RtMidiIn> createMidiIn(const std::string &clientName, unsigned int queueSizeLimit,
                                       std::string *error)
{
    try {
        auto in = std::make_unique<RtMidiIn>(midiApi(), clientName, queueSizeLimit);
        in->ignoreTypes(false, false, false);
        return in;
    } catch (const RtMidiError &e) {
        if (error)
            *error = e.getMessage();
    }
    return nullptr;
}

std::unique_ptr<RtMidiOut> createMidiOut(const std::string &clientName, std::string *error)
{
    try {
        return std::make_unique<RtMidiOut>(midiApi(), clientName);
    } catch (const RtMidiError &e) {
        if (error)
            *error = e.getMessage();
    }
    return nullptr;
}
