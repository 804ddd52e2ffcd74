// The simulated controller's own view of the wire: device frames, the 8-into-7
// bit packing inside SysEx, and cutting a byte string into MIDI messages.
// Written apart from the editor's link code on purpose, so that a fault in one
// cannot hide behind the same fault in the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrosim {

using Bytes = std::vector<uint8_t>;

// Command bytes as the device knows them.
enum : uint8_t {
    kCmdDeviceInfo = 0x11,
    kCmdHostHello = 0x12,
    kCmdSystemConfig = 0x50,
    kCmdPadColours = 0x51,
    kCmdWriteKeys = 0x52,
    kCmdWritePads = 0x53,
    kCmdWriteKnobs = 0x54,
    kCmdWriteModeColours = 0x57,
    kCmdWriteConfig = 0x58,
    kCmdWriteSysexPool = 0x59,
    kCmdPoll = 0x66,
    kCmdReadPreset = 0x67,
    kCmdSave = 0x68,
    kCmdFactoryReset = 0x70,
    kCmdEnterUpgrade = 0x71,
    kCmdTestStart = 0x72,
    kCmdTestLed = 0x73,
    kCmdTestFlash = 0x74,
    kCmdPageClose = 0x75,
};

// Frame: 78 59, command, 24-bit little-endian payload length, payload, and
// the inverted 8-bit sum of the payload.
uint8_t payloadChecksum(const uint8_t *payload, size_t len);
Bytes makeFrame(uint8_t command, const Bytes &payload);

// What a received frame looks like once unpacked.
enum class FrameVerdict {
    Ok,
    TooShort,     // fewer than 7 bytes
    BadMagic,     // does not start 78 59
    BadLength,    // the header's length does not match the bytes received
    BadChecksum,
};
const char *verdictName(FrameVerdict v);
FrameVerdict checkFrame(const Bytes &frame);
uint32_t framePayloadSize(const Bytes &frame); // from the header; 0 when too short

// SysEx packing: the frame's bits go out least significant first, seven to a
// byte, between F0 and F7.
Bytes packSysEx(const Bytes &frame);
// Undoes the packing of the data bytes of one SysEx message (F0 and F7 are
// expected around them and skipped). Bits left over at the end are dropped.
// *high is set when a data byte had its top bit set (such bytes are skipped).
Bytes unpackSysEx(const uint8_t *msg, size_t len, bool *high = nullptr);

// Cuts raw MIDI bytes into whole messages: one SysEx from F0 to F7, a status
// byte with its data bytes, a real-time byte on its own. Data bytes with no
// status before them are kept as a message of their own, so nothing is lost.
std::vector<Bytes> splitMessages(const Bytes &bytes);

// "78 59 11" <-> bytes. parseHex ignores blanks, commas and a 0x prefix per
// byte; false on anything else or an odd digit count.
std::string toHex(const uint8_t *data, size_t len);
inline std::string toHex(const Bytes &b) { return toHex(b.data(), b.size()); }
bool parseHex(const std::string &text, Bytes *out);

} // namespace tavrosim
