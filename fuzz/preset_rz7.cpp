// The pad controller's ".rzp" reader under the preset-file fuzz target.
#include "fuzz/fuzz_preset.h"

#include "common/devicelist.h"
#include "devices/pad/rz7presetfile.h"

#include <cstdlib>
#include <cstring>

namespace {

SRZ7ConfigData blockOf(const QByteArray &bytes)
{
    SRZ7ConfigData block;
    std::memcpy(&block, bytes.constData(), sizeof block);
    return block;
}

QByteArray bytesOf(const SRZ7ConfigData &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), int(sizeof block));
}

SRZ7ConfigData startBlock()
{
    SRZ7ConfigData block;
    auto *p = reinterpret_cast<uchar *>(&block);
    for (uint i = 0; i < sizeof block; ++i)
        p[i] = uchar(7 * i + 3);
    // Nothing in SysEx mode, so that a file that leaves the records alone is loadable.
    for (auto &bank : block.PadData)
        for (auto &rec : bank)
            rec.setMode(0);
    for (auto &rec : block.KeyData)
        rec.setMode(0);
    for (auto &rec : block.KeyLongData)
        rec.setMode(0);
    return block;
}

bool decode(const QByteArray &file, QByteArray &bytes)
{
    SRZ7ConfigData block = blockOf(bytes);
    const rz7::PresetLoadResult result = rz7::decodePresetFile(file, block);
    if (result != rz7::PresetLoadResult::Ok) {
        // Every refusal but an XML error shows its code.
        if (result != rz7::PresetLoadResult::XmlError && rz7::presetLoadMessage(result).isEmpty())
            abort();
    }
    bytes = bytesOf(block);
    return result == rz7::PresetLoadResult::Ok;
}

QByteArray encode(const QByteArray &bytes)
{
    return rz7::presetFileBytes(blockOf(bytes));
}

bool accepted(const QByteArray &bytes)
{
    return rz7::sysexRefsInsidePool(blockOf(bytes));
}

std::vector<fuzzpreset::SReader::SSeed> seeds()
{
    SRZ7ConfigData block = startBlock();
    block.PadData[1][3] = SControlRecord{0x49, 0x04, 0x00, 0x08};
    block.KeyData[2] = SControlRecord{0x51, 0x0C, 0x00, 0x03};
    const QByteArray xml = rz7::presetXml(block);
    return {
        {"file", rz7::presetFileBytes(block), false},
        {"xml", xml, true},
        {"xml-tail", xml.mid(xml.indexOf("<KeyData>") - 8), true},
        {"header-only", rz7::presetFileHeader(), false},
    };
}

} // namespace

const fuzzpreset::SReader &fuzzpreset::reader()
{
    static const SReader r = [] {
        DeviceEntry entry;
        entry.id = 7;
        entry.names << QStringLiteral("RZ-7 Pad");
        g_deviceList = {entry};
        SReader x;
        x.header = rz7::presetFileHeader();
        x.startBlock = bytesOf(startBlock());
        x.decode = decode;
        x.encode = encode;
        x.accepted = accepted;
        x.seeds = seeds;
        return x;
    }();
    return r;
}
