#include "midiapi.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__linux__)
#include <fcntl.h>
#include <unistd.h>
#endif
#if defined(TAVRO_HAVE_JACK)
#include "jackmidiport.h"
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
bool alsaSequencerUsable(std::string *error = nullptr)
{
    const int fd = ::open("/dev/snd/seq", O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = std::string("cannot open the ALSA sequencer /dev/snd/seq: ") + std::strerror(errno);
        return false;
    }
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

namespace {
std::atomic<int> g_settledApi{-1};
}

RtMidi::Api midiApi()
{
    const int settled = g_settledApi.load();
    return settled >= 0 ? RtMidi::Api(settled) : chooseMidiApi();
}

bool midiServiceAvailable(std::string *error)
{
    const RtMidi::Api api = midiApi();
    bool available = true;
#if defined(__linux__)
    if (api == RtMidi::LINUX_ALSA)
        available = alsaSequencerUsable(error);
#endif
#if defined(TAVRO_HAVE_JACK)
    if (api == RtMidi::UNIX_JACK)
        available = jackmidi::jackServerRunning(error);
#endif
    if (available)
        g_settledApi.store(int(api));
    return available;
}
