#include "pedallists.h"

namespace pedal {

const SEventType MidiEventTypeList[kEventTypeCount] = {
    {"8n (Note OFF)", 0x80},
    {"9n (Note ON)", 0x90},
    {"An (Polyphonic Aftertouch)", 0xA0},
    {"Bn (Control Change)", 0xB0},
    {"Cn (Program Change)", 0xC0},
    {"Dn (Channel Aftertouch)", 0xD0},
    {"En (Pitch Bend)", 0xE0},
    {"F1 (MIDI Time Code)", 0xF1},
    {"F2 (Song Position Pointer)", 0xF2},
    {"F3 (Song Select)", 0xF3},
    {"F6 (Tune Request)", 0xF6},
    {"F8 (Timing Clock)", 0xF8},
    {"FA (Start)", 0xFA},
    {"FB (Continue)", 0xFB},
    {"FC (Stop)", 0xFC},
    {"FE (Active Sensing)", 0xFE},
    {"F0 F7(System Exclusive)", 0x00},
};

quint8 eventTypeStatus(int row)
{
    return row >= 0 && row < kEventTypeCount ? MidiEventTypeList[row].status : quint8(0);
}

int eventTypeRow(quint8 status)
{
    if (status >= 0x80 && status < 0xF0)
        return (status >> 4) - 8;
    for (int row = 7; row < kSysexTypeRow; ++row) {
        if (MidiEventTypeList[row].status == status)
            return row;
    }
    return -1;
}

bool isSystemEventRow(int row)
{
    return row >= 7 && row < kSysexTypeRow;
}

const char *const KeyTriggerList[kTriggerTypeCount] = {"Down", "Down(Toggle)", "Down+Up", "Long", "Up+Long"};

const char *const SegmentCharList[kSegmentCharCount] = {
    "None", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "b", "C", "d", "E", "F", "c", "e",
    "g",    "h", "H", "I", "J", "L", "n", "o", "O", "P", "q", "S", "u", "U", "y", "[", "]", "\xE2\x80\x94",
};
const char *const kSegmentPoint = ".";

QStringList MidiChannelList()
{
    QStringList rows;
    for (int i = 0; i < 16; ++i)
        rows << QString::number(i);
    return rows;
}

QStringList MidiValueList()
{
    QStringList rows;
    for (int i = 0; i < 128; ++i)
        rows << QString::number(i);
    return rows;
}

} // namespace pedal
