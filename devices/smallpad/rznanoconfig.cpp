#include "rznanoconfig.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

namespace rznano {

namespace {

constexpr uint kOff = SDeviceFrame::kOffsetPayload;

const uchar *bytesOf(const void *p)
{
    return static_cast<const uchar *>(p);
}

} // namespace

bool isConfigEmpty(const SRznanoConfigData &block)
{
    const uchar *p = bytesOf(&block);
    return std::all_of(p, p + sizeof block, [](uchar c) { return c == 0; });
}

bool check_system_config_data(const SSystemConfigData &sys)
{
    const bool ok = sys.tempo() >= 30 && sys.tempo() <= 300 && sys.preset <= 7 && sys.velocityCurve <= 4
                    && sys.division <= 7 && sys.swing >= 50 && sys.swing <= 70;
    if (!ok)
        qDebug() << "check_system_config_data Err---";
    return ok;
}

bool check_pad_data(const SRznanoConfigData &block, const SSystemConfigData &sys)
{
    bool ok = true;
    if (sys.padBank > 3) {
        qDebug() << "padbank err ---";
        ok = false;
    }
    for (const auto &bank : block.PadData) {
        for (const SControlRecord &rec : bank) {
            if (rec.mode() > kPadCustomMode) {
                qDebug() << "arrPadData err ---" << int(rec.ctrl);
                ok = false;
            }
        }
    }
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyData[k].mode() == 7 || block.KeyLongData[k].mode() == 7)
            ok = false;
    }
    return ok;
}

uint bankOf(const SSystemConfigData &sys)
{
    return sys.padBank < kPadBanks ? sys.padBank : 0;
}

uint buildSystemConfigFrame(uchar *out, const SSystemConfigData &sys)
{
    std::memcpy(out + kOff, &sys, kSystemSize);
    return buildFrame(out, CMD_SYSTEM_CONFIG, kSystemSize);
}

uint buildPadColoursFrame(uchar *out, const SRznanoConfigData &block, uchar padIndex, uint bank)
{
    if (bank >= kPadBanks || (padIndex >= kPadsPerBank && padIndex != kAllPads))
        return 0;
    out[kOff] = padIndex;
    std::memcpy(out + kOff + 1, block.PadRGB[bank], sizeof block.PadRGB[bank]);
    std::memcpy(out + kOff + 49, &block.KnobModeRGB[bank], 3);
    std::memcpy(out + kOff + 52, &block.PadModeRGB[bank], 3);
    return buildFrame(out, CMD_PAD_COLOURS, 55);
}

uint buildModeColoursFrame(uchar *out, const SRznanoConfigData &block)
{
    std::memcpy(out + kOff, block.KnobModeRGB, sizeof block.KnobModeRGB);
    std::memcpy(out + kOff + 9, block.PadModeRGB, sizeof block.PadModeRGB);
    return buildFrame(out, CMD_WRITE_MODE_COLOURS, 18);
}

uint buildWriteKeysFrame(uchar *out, const SRznanoConfigData &block)
{
    std::memcpy(out + kOff, block.KeyData, sizeof block.KeyData);
    std::memcpy(out + kOff + 12, block.KeyLongData, sizeof block.KeyLongData);
    return buildFrame(out, CMD_WRITE_KEYS, 24);
}

uint buildWritePadsFrame(uchar *out, const SRznanoConfigData &block, uint bank)
{
    if (bank >= kPadBanks)
        return 0;
    out[kOff] = uchar(bank);
    std::memcpy(out + kOff + 1, block.PadData[bank], sizeof block.PadData[bank]);
    return buildFrame(out, CMD_WRITE_PADS, 65);
}

uint buildWriteConfigFrame(uchar *out, const SRznanoConfigData &block)
{
    std::memcpy(out + kOff, &block, kBlockSize);
    return buildFrame(out, CMD_WRITE_CONFIG, kBlockSize);
}

uint buildSysexPoolFrame(uchar *out, const SRznanoConfigData &block, uint n)
{
    n = std::min(n, kPoolSize);
    out[kOff] = uchar(n & 0xFF);
    out[kOff + 1] = uchar(n >> 8);
    std::memcpy(out + kOff + 2, block.SysexPool, n);
    return buildFrame(out, CMD_WRITE_SYSEX_POOL, n + 2);
}

} // namespace rznano
