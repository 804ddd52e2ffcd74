// Lists the MIDI ports for the connection window's scan through two clients of
// its own (never with a port of their own), "RtMidi Input Client" and "RtMidi Output Client". Port numbers are
// the positions in the lists, the same numbers MidiPortWrapper opens.
#pragma once

#include "midiendpoint.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class MidiPortLister
{
public:
    // Creates both listing clients when the MIDI service is there; otherwise
    // (and when the library refuses a client) they stay absent, their lists
    // are empty and the error text is kept.
    MidiPortLister();
    ~MidiPortLister();
    MidiPortLister(const MidiPortLister &) = delete;
    MidiPortLister &operator=(const MidiPortLister &) = delete;

    // True when both clients exist and their MIDI service has not gone.
    bool isAvailable() const;
    // Creates the missing clients once the MIDI service has appeared, and
    // new ones in place of clients whose service has gone (a JACK server
    // that stopped and may start again); asks the service quietly, so that
    // it can be called once a second for as long as there is none. True
    // when both clients are available.
    bool retry();
    // Drops the clients whose MIDI service has gone: on JACK no client can be
    // had on the service as it is now while one of the old one is open.
    void releaseGoneService();

    // Names of the ports the editor can receive from (input) or send to
    // (output), by port number; on JACK without the "client:" part. keys,
    // when given, gets the MIDI service's own names of the same ports, by
    // which MidiPortWrapper opens them: their bytes as the service gave them,
    // which need not be valid UTF-8.
    QStringList inputPortNames(QList<QByteArray> *keys = nullptr);
    QStringList outputPortNames(QList<QByteArray> *keys = nullptr);

    // Text of the last MIDI library error; empty when there was none.
    QString lastError() const { return QString::fromStdString(m_lastError); }

    // A port name as the library gives it, converted for display and pairing:
    // on JACK the part after the first ':', elsewhere unchanged.
    static QString portName(const std::string &libraryName, RtMidi::Api api);

private:
    void createClients();

    std::unique_ptr<MidiEndpoint> m_scanMidiIn;
    std::unique_ptr<MidiEndpoint> m_scanMidiOut;
    std::string m_lastError;
};
