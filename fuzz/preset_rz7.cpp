// The pad controller's ".rzp" reader under the preset-file fuzz target.
#include "fuzz/preset_adapter.h"

#include "devices/pad/rz7presetfile.h"

#include <cstdlib>

namespace {

using namespace fuzzpreset;

bool decode(const QByteArray &file, QByteArray &bytes)
{
    SRZ7ConfigData block = blockOf<SRZ7ConfigData>(bytes);
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
    return rz7::presetFileBytes(blockOf<SRZ7ConfigData>(bytes));
}

bool accepted(const QByteArray &bytes)
{
    return rz7::sysexRefsInsidePool(blockOf<SRZ7ConfigData>(bytes));
}

std::vector<SReader::SSeed> seeds()
{
    SRZ7ConfigData block = startBlock<SRZ7ConfigData>();
    block.PadData[1][3] = SControlRecord{0x49, 0x04, 0x00, 0x08};
    block.KeyData[2] = SControlRecord{0x51, 0x0C, 0x00, 0x03};
    return seedsOf(block, rz7::presetFileBytes, rz7::presetXml, rz7::presetFileHeader);
}

} // namespace

const fuzzpreset::SReader &fuzzpreset::reader()
{
    static const SReader r =
        makeReader<SRZ7ConfigData>(7, "RZ-7 Pad", rz7::presetFileHeader, decode, encode, accepted, seeds);
    return r;
}
