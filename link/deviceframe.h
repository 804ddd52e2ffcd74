// Device frames: the fixed header, payload and checksum that every exchange
// with a controller uses, plus the command bytes and the prebuilt frames.
#pragma once

#include <cstdint>

using uchar = unsigned char;
using uint = unsigned int;

// Wire layout of a device frame (offsets in bytes from the start of the frame).
//   0  2  magic          0x78 0x59 ("xY")
//   2  1  command
//   3  3  payloadLength  unsigned 24-bit little-endian
//   6  n  payload
// 6+n  1  checksum       ~(sum of payload bytes) & 0xFF, 0xFF for an empty payload
struct SDeviceFrame
{
    static constexpr uchar kMagic0 = 0x78;
    static constexpr uchar kMagic1 = 0x59;
    static constexpr uint kHeaderSize = 6;
    static constexpr uint kOverhead = 7; // header plus checksum
    static constexpr uint kOffsetCommand = 2;
    static constexpr uint kOffsetLength = 3;
    static constexpr uint kOffsetPayload = 6;
    // The longest frame any page receives: the foot pedal's configuration reply.
    static constexpr uint kMaxReceivedFrame = 4937;
};

// Command bytes. Four bytes mean different operations on the foot pedal pages
// than on the pad and keyboard pages, so they carry two names.
enum : uchar {
    CMD_DEVICE_INFO = 0x11,
    CMD_HOST_HELLO = 0x12,
    CMD_WRITE_WHEEL_PEDAL = 0x20,
    CMD_WRITE_KEYBED = 0x21,
    CMD_READ_KEYBED = 0x22,
    CMD_SYSTEM_CONFIG = 0x50,
    CMD_PAD_COLOURS = 0x51,
    CMD_WRITE_KEYS = 0x52,
    CMD_WRITE_PADS = 0x53,
    CMD_WRITE_KNOBS = 0x54,
    CMD_WRITE_MODE_COLOURS = 0x57,
    CMD_WRITE_CONFIG = 0x58,
    CMD_WRITE_SYSEX_POOL = 0x59,
    CMD_PEDAL_PASSTHROUGH = 0x59,
    CMD_PEDAL_SETTING = 0x60,
    CMD_SWITCH_DATA = 0x60,
    CMD_PEDAL_KEY_BANK = 0x61,
    CMD_PEDAL_SWITCHES = 0x62,
    CMD_PEDAL_SYSEX_POOL = 0x63,
    CMD_PEDAL_BLUETOOTH = 0x64,
    CMD_PEDAL_EXPRESSION = 0x65,
    CMD_POLL = 0x66,
    CMD_READ_PRESET = 0x67,
    CMD_DISPLAY_CHARS = 0x67,
    CMD_SAVE = 0x68,
    CMD_PEDAL_MODE = 0x68,
    CMD_SWITCH_DISPLAY = 0x69,
    CMD_FACTORY_RESET = 0x70,
    CMD_ENTER_UPGRADE = 0x71,
    CMD_TEST_START = 0x72,
    CMD_TEST_LED = 0x73,
    CMD_TEST_FLASH = 0x74,
    CMD_PAGE_CLOSE = 0x75,
};

// A prebuilt, read-only frame: its length, then the frame bytes padded with zeros.
struct SFixedFrame
{
    uchar length;
    uchar bytes[29];
};

// The prebuilt frames, in this order.
extern const SFixedFrame g_fixedFrames[5];
extern const SFixedFrame &g_fixedFrameDeviceInfo;
extern const SFixedFrame &g_fixedFrameEnterUpgrade;
extern const SFixedFrame &g_fixedFramePoll;
extern const SFixedFrame &g_fixedFrameFactoryReset;
extern const SFixedFrame &g_fixedFrameTestStart;

// The caller owns the buffer and guarantees at least payloadLength + 7 bytes.
void frameInitHeader(uchar *frame, uchar command, uint payloadLength);
void frameSetChecksum(uchar *frame);
uint buildFrame(uchar *frame, uchar command, uint payloadLength);
int frameChecksum(const uchar *frame);
bool frameVerify(const uchar *frame, uint frameLength);
void clampBytesToRange(uchar *bytes, uchar count, uchar a, uchar b);
uchar setBit(uchar value, uchar bit, bool on);

// The payload length stored in bytes 3-5 of a frame header.
uint framePayloadLength(const uchar *frame);
