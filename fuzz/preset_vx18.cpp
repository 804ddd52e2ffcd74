// The keyboard's ".vx18" reader under the preset-file fuzz target.
#include "fuzz/preset_adapter.h"

#include "devices/keyboard/vx18presetfile.h"
#include "devices/shared/sysexpool.h"

namespace {

using namespace fuzzpreset;

SVX18ConfigData loadableBlock()
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
    SVX18ConfigData block = blockOf<SVX18ConfigData>(bytes);
    const vx18::PresetLoadResult result = vx18::decodePresetFile(file, block);
    bytes = bytesOf(block);
    return result == vx18::PresetLoadResult::Ok;
}

QByteArray encode(const QByteArray &bytes)
{
    return vx18::presetFileBytes(blockOf<SVX18ConfigData>(bytes));
}

bool accepted(const QByteArray &bytes)
{
    SVX18ConfigData block = blockOf<SVX18ConfigData>(bytes);
    SysexTextStore scratch;
    return pagekit::refsInsidePool(vx18::poolVisitingOrder(block, scratch), vx18::kPoolSize);
}

std::vector<SReader::SSeed> seeds()
{
    SVX18ConfigData block = loadableBlock();
    block.PadData[1][3] = SControlRecord{0x49, 0x04, 0x00, 0x08};
    block.KeyLongData[2] = SKnobRecord{0x51, 0x0C, 0x00, 0x03, 0x00};
    block.KBXPose = 0xF4;
    return seedsOf(block, vx18::presetFileBytes, vx18::presetXml, vx18::presetFileHeader);
}

} // namespace

const fuzzpreset::SReader &fuzzpreset::reader()
{
    static const SReader r =
        readerRecord(9, "VX-18", vx18::presetFileHeader, bytesOf(loadableBlock()), decode, encode, accepted, seeds);
    return r;
}
