// The newer foot pedal page's load of a ".z3" file under the preset-file fuzz
// target: the reader, then the image check (preset_z3.cpp fuzzes the reader
// of both pages alone). An accepted image must pass the check, and the page's
// views and frames of it must stay inside the image and the transmit buffer
// (every list count is held at 16 as the image is taken; the pool size and
// the references are whatever the file says).
#include "fuzz/preset_adapter.h"

#include "devices/pedal/pedalpresetfile.h"
#include "devices/pedal/z3config.h"
#include "devices/pedal/z3edit.h"
#include "devices/pedal/z3frames.h"

#include <cstdlib>

namespace {

bool decode(const QByteArray &file, QByteArray &bytes)
{
    SZ3ProConfigData image = SZ3ProConfigData::fromByteArray(bytes);
    const Z3PresetLoad result = decodeZ3Preset(file, &image);
    bytes = image.toByteArray();
    return result == Z3PresetLoad::Ok;
}

QByteArray encode(const QByteArray &bytes)
{
    return PedalPresetFile::encode(bytes);
}

bool accepted(const QByteArray &bytes)
{
    const SZ3ProConfigData image = SZ3ProConfigData::fromByteArray(bytes);
    if (!check_config_data(image))
        return false;
    quint8 buf[z3::kTxBufferSize];
    for (int g = 0; g < z3::kGroups; ++g) {
        if (z3::keyBankFrame(image, g, buf) > uint(z3::kMaxKeyBankFrame))
            return false;
        for (int k = 0; k < z3::kKeysPerGroup; ++k) {
            for (int list = 1; list <= 2; ++list) {
                if (z3::keyListRows(image, g, k, list).size() > z3::kMaxEntries)
                    return false;
            }
        }
    }
    if (z3::sysexPoolFrame(image, buf) > uint(z3::kPoolSize + 7))
        return false;
    z3::expressionFrame(image, buf);
    z3::pedalListRows(image);
    // The edits that read a reference never go beyond the pool.
    SZ3ProConfigData copy = image;
    z3::clearKeyList(copy, copy.currentGroup(), 0, 1);
    z3::clearKeyList(copy, copy.currentGroup(), 0, 2);
    return copy.poolUsed() <= z3::kPoolSize;
}

std::vector<fuzzpreset::SReader::SSeed> seeds()
{
    SZ3ProConfigData image;
    image.setMode(4);
    image.setGroupSelect(0x12);
    for (int g = 0; g < z3::kGroups; ++g) {
        for (int k = 0; k < z3::kKeysPerGroup; ++k)
            image.key(g, k).setTriggerType(quint8(1 + (g + k) % 5));
    }
    z3::addKeyEvent(image, 1, 0, 1, {0x90, 2, 60, 100});
    z3::setKeySysex(image, 1, 0, 2, QByteArray::fromHex("F07D0102F7"));
    z3::setKeySysex(image, 6, 3, 1, QByteArray(40, 0x11));
    const int entry[4] = {2, 7, 0, 127};
    z3::addPedalEntry(image, entry);
    const QByteArray body = image.toByteArray();
    return {
        {"file", PedalPresetFile::encode(body), false},
        {"body", body, true},
        {"older", PedalPresetFile::encode(QByteArray(1184, 1)), false},
        {"header-only", PedalPresetFile::header(), false},
    };
}

} // namespace

const fuzzpreset::SReader &fuzzpreset::reader()
{
    static const SReader r = [] {
        SReader x = readerRecord(1, "DOVO Dazed", PedalPresetFile::header, SZ3ProConfigData().toByteArray(),
                                 decode, encode, accepted, seeds);
        x.bodySize = PedalPresetFile::kImageSize;
        return x;
    }();
    return r;
}
