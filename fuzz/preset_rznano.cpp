// The small pad controller's ".rznano" reader under the preset-file fuzz target.
#include "fuzz/preset_adapter.h"

#include "devices/smallpad/rznanopresetfile.h"

namespace {

using namespace fuzzpreset;

bool decode(const QByteArray &file, QByteArray &bytes)
{
    SRznanoConfigData block = blockOf<SRznanoConfigData>(bytes);
    const bool ok = rznano::decodePresetFile(file, block);
    bytes = bytesOf(block);
    return ok;
}

QByteArray encode(const QByteArray &bytes)
{
    return rznano::presetFileBytes(blockOf<SRznanoConfigData>(bytes));
}

bool accepted(const QByteArray &bytes)
{
    return rznano::sysexRefsInsidePool(blockOf<SRznanoConfigData>(bytes));
}

std::vector<SReader::SSeed> seeds()
{
    SRznanoConfigData block = startBlock<SRznanoConfigData>();
    block.PadData[1][3] = SControlRecord{0x49, 0x04, 0x00, 0x08};
    block.KeyLongData[2] = SControlRecord{0x51, 0x0C, 0x00, 0x03};
    return seedsOf(block, rznano::presetFileBytes, rznano::presetXml, rznano::presetFileHeader);
}

} // namespace

const fuzzpreset::SReader &fuzzpreset::reader()
{
    static const SReader r =
        makeReader<SRznanoConfigData>(8, "RZ-Nano", rznano::presetFileHeader, decode, encode, accepted, seeds);
    return r;
}
