// Read-only MIDI name tables for the per-control dialogs' choice lists, and the
// colours and names of the MIDI monitors. Built during static initialisation
// and never changed afterwards; entry n of each list names the value n.
#pragma once

#include <QColor>
#include <QMap>
#include <QString>
#include <QStringList>

extern const QStringList g_gmProgramNames; // "0-Acoustic Grand Piano" .. "127-Gunshot"
extern const QStringList g_gmDrumNames;    // "35-Acoustic Bass Drum" .. "81-Open Triangle", others bare numbers
extern const QStringList g_ccNames;        // "7-Volume Level", ..., unnamed controllers bare numbers
extern const QStringList g_noteNames;      // "60 C(4) ", "61 C#(4)", ...

// Monitor line colour by status byte with the channel bits cleared
// (0x80 .. 0xE0, and 0xF0 for every system message).
extern const QMap<quint8, QColor> g_statusColours;

// "Note OFF: ", "Note ON: ", ... for 0x80 .. 0xE0; empty for anything else.
// Callers pass the status with its channel bits cleared.
QString midiStatusName(quint8 status);

// g_statusColours of status & 0xF0 (invalid colour for a data byte).
QColor midiStatusColour(quint8 status);
