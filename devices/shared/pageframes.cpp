#include "pageframes.h"

#include <algorithm>
#include <cstring>

namespace pagekit {

namespace {
constexpr uint kOff = SDeviceFrame::kOffsetPayload;
} // namespace

uint buildReadPresetFrame(uchar *out, uchar preset)
{
    out[kOff] = preset;
    return buildFrame(out, CMD_READ_PRESET, 1);
}

uint buildSaveFrame(uchar *out)
{
    return buildFrame(out, CMD_SAVE, 0);
}

uint buildPageCloseFrame(uchar *out)
{
    return buildFrame(out, CMD_PAGE_CLOSE, 0);
}

uint buildSystemRecordFrame(uchar *out, const void *record, uint size)
{
    if (size > 0)
        std::memcpy(out + kOff, record, size);
    return buildFrame(out, CMD_SYSTEM_CONFIG, size);
}

uint buildSysexPoolFrame(uchar *out, const uchar *pool, uint poolSize, uint n)
{
    n = std::min(n, poolSize);
    out[kOff] = uchar(n & 0xFF);
    out[kOff + 1] = uchar(n >> 8);
    if (n > 0)
        std::memcpy(out + kOff + 2, pool, n);
    return buildFrame(out, CMD_WRITE_SYSEX_POOL, n + 2);
}

int frameCommand(const uchar *frame, uint received)
{
    if (!frame || received < SDeviceFrame::kHeaderSize)
        return -1;
    return frame[SDeviceFrame::kOffsetCommand];
}

bool parseSystemRecord(const uchar *frame, uint received, void *out, uint recordSize)
{
    if (frameCommand(frame, received) < 0)
        return false;
    if (framePayloadLength(frame) < recordSize || received < kOff + recordSize)
        return false;
    std::memcpy(out, frame + kOff, recordSize);
    return true;
}

uint parseConfigReply(const uchar *frame, uint received, void *block, uint blockSize, uchar *preset)
{
    if (frameCommand(frame, received) < 0)
        return 0;
    const uint payload = framePayloadLength(frame);
    if (payload >= 1 && received > kOff && preset)
        *preset = frame[kOff];
    // The block bytes end before the checksum: payload byte 1 to the last one received.
    if (payload < 1 || received < kOff + 2)
        return 0;
    const uint n = std::min({payload - 1, received - (kOff + 2), blockSize});
    if (n > 0)
        std::memcpy(block, frame + kOff + 1, n);
    return n;
}

bool parseResultReply(const uchar *frame, uint received)
{
    if (frameCommand(frame, received) < 0)
        return false;
    return framePayloadLength(frame) >= 1 && received > kOff && frame[kOff] != 0;
}

} // namespace pagekit
