// The frames the older foot pedal page sends, built from its image. Each
// builder writes one whole device frame (header, payload, checksum) into buf
// and returns its length; buf must hold kTxBufferSize bytes. Counts above 16
// and SysEx lengths above 64 (only a received image or a loaded file holds
// them) go out as 16 and 64, so the longest frame is a switch record of 140.
#pragma once

#include <QtGlobal>

#include "midiconfig.h"

namespace pedalold {

constexpr int kTxBufferSize = 256;
constexpr int kMaxSwitchFrame = 140;

// The data of a switch's two lists, list 1 first: a list in SysEx form gives
// its message bytes, one in event form its events' four bytes each. Each byte
// is added to *sum. Returns the number of bytes written (at most 128).
int copySwitchLists(const SSwitchRecord &record, quint8 *out, quint16 *sum);

// CMD_SWITCH_DATA in its switch-record form for switch 0..3: [0, (k + 1) << 4
// | action, SysexFlags, length 1, length 2], then the lists' data. The action
// nibble is Type for 1..5, 1 for 0 and 0 above 5.
uint switchRecordFrame(const SMIDIConfigData &image, int switchIndex, quint8 *buf);
// CMD_SWITCH_DATA selecting a built-in preset 1..3: [1, FA / FB / FC].
uint presetSelectFrame(int preset, quint8 *buf);
// CMD_PEDAL_SWITCHES: Latch, Channel, Data1 of switches A..D.
uint pedalSwitchesFrame(const SMIDIConfigData &image, quint8 *buf);
// CMD_PEDAL_EXPRESSION: the entries in use, four bytes each.
uint pedalExpressionFrame(const SMIDIConfigData &image, quint8 *buf);
// CMD_DISPLAY_CHARS: the ten PresetDisplay bytes.
uint displayCharsFrame(const SMIDIConfigData &image, quint8 *buf);
// CMD_SWITCH_DISPLAY: the four Display bytes of switches A..D.
uint switchDisplayFrame(const SMIDIConfigData &image, quint8 *buf);

} // namespace pedalold
