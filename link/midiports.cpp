#include "midiports.h"

#include "midiapi.h"

namespace {

template<typename Client>
QStringList listPorts(Client *client, std::string *lastError)
{
    QStringList names;
    if (!client)
        return names;
    try {
        const RtMidi::Api api = client->getCurrentApi();
        const unsigned int count = client->getPortCount();
        for (unsigned int i = 0; i < count; ++i) {
            // A port that vanished since the count still takes its place, so the
            // numbers of the ports behind it stay right.
            names.append(MidiPortLister::portName(client->getPortName(i), api));
        }
    } catch (const RtMidiError &e) {
        *lastError = e.getMessage();
    }
    return names;
}

} // namespace

MidiPortLister::MidiPortLister()
{
    createClients();
}

void MidiPortLister::createClients()
{
    // Without a service the library's clients complain on standard error at
    // every use: none is created until the service is there.
    if (!midiServiceAvailable(&m_lastError))
        return;
    if (!m_scanMidiIn)
        m_scanMidiIn = createMidiIn("RtMidi Input Client", 100, &m_lastError);
    if (!m_scanMidiOut)
        m_scanMidiOut = createMidiOut("RtMidi Output Client", &m_lastError);
    if (isAvailable())
        m_lastError.clear();
}

bool MidiPortLister::retry()
{
    if (!isAvailable())
        createClients();
    return isAvailable();
}

MidiPortLister::~MidiPortLister()
{
    try {
        m_scanMidiIn.reset();
        m_scanMidiOut.reset();
    } catch (const RtMidiError &) {
    }
}

bool MidiPortLister::isAvailable() const
{
    return m_scanMidiIn && m_scanMidiOut;
}

QStringList MidiPortLister::inputPortNames()
{
    return listPorts(m_scanMidiIn.get(), &m_lastError);
}

QStringList MidiPortLister::outputPortNames()
{
    return listPorts(m_scanMidiOut.get(), &m_lastError);
}

QString MidiPortLister::portName(const std::string &libraryName, RtMidi::Api api)
{
    std::string name = libraryName;
    if (api == RtMidi::UNIX_JACK) {
        const auto colon = name.find(':');
        if (colon != std::string::npos)
            name.erase(0, colon + 1);
    }
    return QString::fromStdString(name);
}
