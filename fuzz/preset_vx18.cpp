// The keyboard's ".vx18" reader under the preset-file fuzz target.
#include "fuzz/fuzz_preset.h"

#include "common/devicelist.h"
#include "devices/keyboard/vx18presetfile.h"
#include "devices/shared/sysexpool.h"

#include <cstring>

namespace {

SVX18ConfigData blockOf(const QByteArray &bytes)
{
    SVX18ConfigData block;
    std::memcpy(&block, bytes.constData(), sizeof block);
    return block;
}

QByteArray bytesOf(const SVX18ConfigData &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), int(sizeof block));
}

SVX18ConfigData startBlock()
{
    SVX18ConfigData block;
    uchar *p = vx18::bytes(block);
    for (uint i = 0; i < sizeof block; ++i)
        p[i] = uchar(7 * i + 3);
    // Nothing in Customize, so that a file that leaves the records alone is loadable.
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
    SVX18ConfigData block = blockOf(bytes);
    const vx18::PresetLoadResult result = vx18::decodePresetFile(file, block);
    bytes = bytesOf(block);
    return result == vx18::PresetLoadResult::Ok;
}

QByteArray encode(const QByteArray &bytes)
{
    return vx18::presetFileBytes(blockOf(bytes));
}

bool accepted(const QByteArray &bytes)
{
    SVX18ConfigData block = blockOf(bytes);
    SysexTextStore scratch;
    return pagekit::refsInsidePool(vx18::poolVisitingOrder(block, scratch), vx18::kPoolSize);
}

std::vector<fuzzpreset::SReader::SSeed> seeds()
{
    SVX18ConfigData block = startBlock();
    block.PadData[1][3] = SControlRecord{0x49, 0x04, 0x00, 0x08};
    block.KeyLongData[2] = SKnobRecord{0x51, 0x0C, 0x00, 0x03, 0x00};
    block.KBXPose = 0xF4;
    const QByteArray xml = vx18::presetXml(block);
    return {
        {"file", vx18::presetFileBytes(block), false},
        {"xml", xml, true},
        {"xml-tail", xml.mid(xml.indexOf("<KeyData>") - 8), true},
        {"header-only", vx18::presetFileHeader(), false},
    };
}

} // namespace

const fuzzpreset::SReader &fuzzpreset::reader()
{
    static const SReader r = [] {
        DeviceEntry entry;
        entry.id = 9;
        entry.names << QStringLiteral("VX-18");
        g_deviceList = {entry};
        SReader x;
        x.header = vx18::presetFileHeader();
        x.startBlock = bytesOf(startBlock());
        x.decode = decode;
        x.encode = encode;
        x.accepted = accepted;
        x.seeds = seeds;
        return x;
    }();
    return r;
}
