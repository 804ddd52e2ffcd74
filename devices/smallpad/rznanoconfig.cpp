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

const pagekit::SListField &globalListField(int list)
{
    static const uchar swingTable[10] = {50, 54, 56, 58, 60, 62, 64, 66, 68, 70};
    //                                   byte width shift bits base rows table
    static const pagekit::SListField fields[kGlobalLists] = {
        {0, 2, 0, 8, 30, 271, nullptr},  // tempo
        {3, 1, 0, 8, 0, 8, nullptr},     // preset
        {4, 1, 0, 8, 0, 4, nullptr},     // velocity curve
        {5, 1, 0, 8, 0, 8, nullptr},     // division
        {6, 1, 0, 8, 1, 99, nullptr},    // gate
        {7, 1, 0, 8, 0, 10, swingTable}, // swing
        {8, 1, 0, 8, 0, 2, nullptr},     // aftertouch mode
        {9, 1, 0, 8, 5, 146, nullptr},   // aftertouch delay
        {26, 1, 0, 8, 0, 2, nullptr},    // note-repeat mode
        {27, 1, 0, 8, 1, 127, nullptr},  // full-level velocity
        {29, 1, 0, 3, 0, 4, nullptr},    // pad-down colour
        {29, 1, 3, 3, 0, 8, nullptr},    // auto standby
    };
    return fields[list >= 0 && list < kGlobalLists ? list : 0];
}

void encodeSystemRecord(SSystemConfigData &sys, const int rows[kGlobalLists])
{
    clampBytesToRange(sys.padThreshold, uchar(kThresholds), 10, 90);
    auto *record = reinterpret_cast<uchar *>(&sys);
    for (int list = 0; list < kGlobalLists; ++list)
        pagekit::setListRow(record, globalListField(list), rows[list]);
}

uint bankOf(const SSystemConfigData &sys)
{
    return sys.padBank < kPadBanks ? sys.padBank : 0;
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

} // namespace rznano
