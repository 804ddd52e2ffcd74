#include "vx18presetfile.h"

#include "common/devicelist.h"
#include "common/savefile.h"

#include <QDebug>

#include <cstddef>

#include "devices/shared/presetfile.h"
#include "devices/shared/presetxml.h"
#include "devices/shared/sysexpool.h"

namespace vx18 {

namespace {

constexpr uchar kPresetModel = 9;

using presetxml::SSection;

#define AT(field) int(offsetof(SVX18ConfigData, field))
#define BYTE(field) {#field, SSection::Byte, AT(field), 0, 0, 1, nullptr, nullptr}
#define SIGNED(field) {#field, SSection::SignedByte, AT(field), 0, 0, 1, nullptr, nullptr}
// The sections of ConfigData, in the order a save writes them: block order.
const SSection kSections[] = {
    BYTE(ModCh), BYTE(ModCC), BYTE(ModMin), BYTE(ModMax), BYTE(PitchBendCh),
    BYTE(PedalType), BYTE(PedalCh), BYTE(PedalCC), BYTE(PedalMin), BYTE(PedalMax),
    {"KnobData", SSection::Groups, AT(KnobData), int(kBanks), int(kKnobsPerBank), 5, "Knob", "Data"},
    {"PadData", SSection::Groups, AT(PadData), int(kBanks), int(kPadsPerBank), 4, "Pad", "Data"},
    {"PadRGB", SSection::Groups, AT(PadRGB), int(kBanks), int(kPadsPerBank), 3, "Pad", "Color"},
    {"KeyData", SSection::Rows, AT(KeyData), 0, int(kKeys), 5, "Key", "Data"},
    {"KeyLongData", SSection::Rows, AT(KeyLongData), 0, int(kKeys), 5, "Key", "Data"},
    {"SysexPool", SSection::Pool, AT(SysexPool), 0, 0, int(kPoolSize), nullptr, nullptr},
    BYTE(KBCh), SIGNED(KBXPose), SIGNED(KBOctave), SIGNED(KBVelMin), SIGNED(KBVelMax),
    {"KBMCP", SSection::List, AT(KBMCP), 0, int(kKeybedKeys), 1, "Key", nullptr},
    BYTE(CRC),
};
#undef SIGNED
#undef BYTE
#undef AT
constexpr int kSectionCount = int(sizeof kSections / sizeof kSections[0]);
static_assert(kSectionCount == 23, "the keyboard file has 23 sections");

bool sysexRefsInsidePool(SVX18ConfigData &block)
{
    SysexTextStore scratch;
    return pagekit::refsInsidePool(poolVisitingOrder(block, scratch), kPoolSize);
}

} // namespace

QByteArray presetFileHeader()
{
    return deviceNameById(kPresetModel).toUtf8();
}

QByteArray presetXml(const SVX18ConfigData &block)
{
    return presetxml::writeXml(bytes(block), kSections, kSectionCount);
}

QByteArray presetFileBytes(const SVX18ConfigData &block)
{
    return presetfile::pack(presetFileHeader(), presetXml(block));
}

PresetLoadResult decodePresetFile(const QByteArray &file, SVX18ConfigData &block, QString *error)
{
    QByteArray xmlText;
    switch (presetfile::unpack(file, presetFileHeader(), &xmlText)) {
    case presetfile::Unpack::Ok:
        break;
    case presetfile::Unpack::WrongHeader:
        return PresetLoadResult::WrongHeader;
    default:
        return PresetLoadResult::Unusable;
    }
    SVX18ConfigData loaded = block;
    if (!presetxml::readXml(xmlText, bytes(loaded), kSections, kSectionCount, error))
        return PresetLoadResult::XmlError;
    if (!sysexRefsInsidePool(loaded))
        return PresetLoadResult::SysexOutsidePool;
    block = loaded;
    return PresetLoadResult::Ok;
}

PresetLoadResult readPresetFile(const QString &path, SVX18ConfigData &block)
{
    QByteArray file;
    if (!presetfile::readFile(path, presetFileHeader(), &file))
        return PresetLoadResult::CannotOpen;
    QString xmlError;
    const PresetLoadResult result = decodePresetFile(file, block, &xmlError);
    if (result == PresetLoadResult::XmlError)
        qWarning().noquote() << "XML error:" << xmlError;
    return result;
}

PresetSaveResult writePresetFile(const QString &path, const SVX18ConfigData &block)
{
    return presetfile::saveXml(path, presetFileHeader(), presetXml(block));
}

bool writeConfigBinFile(const QString &path, const SVX18ConfigData &block)
{
    return saveWholeFile(path, &block, qint64(sizeof block));
}

} // namespace vx18
