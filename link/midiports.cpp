#include "midiports.h"

#include "midiapi.h"

namespace {

QStringList listPorts(MidiEndpoint *endpoint, std::string *lastError, QList<QByteArray> *keys)
{
    QStringList names;
    if (keys)
        keys->clear();
    if (!endpoint)
        return names;
    const RtMidi::Api api = endpoint->api();
    for (const std::string &name : endpoint->portNames(lastError)) {
        names.append(MidiPortLister::portName(name, api));
        if (keys)
            keys->append(QByteArray::fromStdString(name));
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
        m_scanMidiIn = createMidiInput("RtMidi Input Client", nullptr, nullptr, &m_lastError);
    if (!m_scanMidiOut)
        m_scanMidiOut = createMidiOutput("RtMidi Output Client", &m_lastError);
    if (isAvailable())
        m_lastError.clear();
}

bool MidiPortLister::retry()
{
    if (isAvailable())
        return true;
    releaseGoneService();
    createClients();
    return isAvailable();
}

void MidiPortLister::releaseGoneService()
{
    if (m_scanMidiIn && m_scanMidiIn->serviceGone())
        m_scanMidiIn.reset();
    if (m_scanMidiOut && m_scanMidiOut->serviceGone())
        m_scanMidiOut.reset();
}

MidiPortLister::~MidiPortLister() = default;

bool MidiPortLister::isAvailable() const
{
    return m_scanMidiIn && m_scanMidiOut && !m_scanMidiIn->serviceGone() && !m_scanMidiOut->serviceGone();
}

QStringList MidiPortLister::inputPortNames(QList<QByteArray> *keys)
{
    return listPorts(m_scanMidiIn.get(), &m_lastError, keys);
}

QStringList MidiPortLister::outputPortNames(QList<QByteArray> *keys)
{
    return listPorts(m_scanMidiOut.get(), &m_lastError, keys);
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
