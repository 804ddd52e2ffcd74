#include "rz7presetfile.h"

#include "common/devicelist.h"
#include "common/savefile.h"

#include <QDebug>

#include <cstddef>

#include "devices/shared/presetxml.h"

namespace rz7 {

namespace {

constexpr uchar kPresetModel = 7;

using presetxml::SSection;

#define AT(field) int(offsetof(SRZ7ConfigData, field))
// The sections of ConfigData, in the order a save writes them.
const SSection kSections[] = {
    {"KnobData", SSection::Groups, AT(KnobData), int(kKnobGroups), int(kKnobsPerGroup), 5, "Knob", "Data"},
    {"PadData", SSection::Groups, AT(PadData), int(kPadBanks), int(kPadsPerBank), 4, "Pad", "Data"},
    {"PadRGB", SSection::Groups, AT(PadRGB), int(kPadBanks), int(kPadsPerBank), 3, "Pad", "Color"},
    {"KeyData", SSection::Rows, AT(KeyData), 0, int(kKeys), 4, "Key", "Data"},
    {"KeyLongData", SSection::Rows, AT(KeyLongData), 0, int(kKeys), 4, "Key", "Data"},
    {"KnobModeRGB", SSection::Rows, AT(KnobModeRGB), 0, int(kKnobGroups), 3, "Group", "Color"},
    {"PadModeRGB", SSection::Rows, AT(PadModeRGB), 0, int(kPadBanks), 3, "Group", "Color"},
    {"SysexPool", SSection::Pool, AT(SysexPool), 0, 0, int(kPoolSize), nullptr, nullptr},
    {"CRC", SSection::Byte, AT(CRC), 0, 0, 1, nullptr, nullptr},
};
#undef AT
constexpr int kSectionCount = int(sizeof kSections / sizeof kSections[0]);

PresetLoadResult loadResultOf(presetfile::Unpack unpack)
{
    switch (unpack) {
    case presetfile::Unpack::Ok: return PresetLoadResult::Ok;
    case presetfile::Unpack::WrongHeader: return PresetLoadResult::WrongHeader;
    case presetfile::Unpack::NoBody: return PresetLoadResult::NoBody;
    case presetfile::Unpack::NotCompressed: return PresetLoadResult::NotCompressed;
    case presetfile::Unpack::Corrupt: return PresetLoadResult::CorruptBody;
    case presetfile::Unpack::Oversized:
    case presetfile::Unpack::WrongSize: return PresetLoadResult::Oversized;
    }
    return PresetLoadResult::CorruptBody;
}

} // namespace

QString presetLoadMessage(PresetLoadResult result)
{
    switch (result) {
    case PresetLoadResult::CannotOpen:
        return QStringLiteral("0000");
    case PresetLoadResult::WrongHeader:
        return QStringLiteral("1111");
    case PresetLoadResult::NoBody:
        return QStringLiteral("2222");
    case PresetLoadResult::NotCompressed:
    case PresetLoadResult::CorruptBody:
    case PresetLoadResult::Oversized:
    case PresetLoadResult::SysexOutsidePool:
        return QStringLiteral("3333");
    case PresetLoadResult::Ok:
    case PresetLoadResult::XmlError:
        break;
    }
    return QString();
}

QByteArray presetFileHeader()
{
    return deviceNameById(kPresetModel).toUtf8();
}

QByteArray presetXml(const SRZ7ConfigData &block)
{
    return presetxml::writeXml(reinterpret_cast<const uchar *>(&block), kSections, kSectionCount);
}

QByteArray presetFileBytes(const SRZ7ConfigData &block)
{
    return presetfile::pack(presetFileHeader(), presetXml(block));
}

bool readPresetXml(const QByteArray &xmlText, SRZ7ConfigData &block, QString *error)
{
    return presetxml::readXml(xmlText, reinterpret_cast<uchar *>(&block), kSections, kSectionCount, error);
}

bool sysexRefsInsidePool(const SRZ7ConfigData &block)
{
    SRZ7ConfigData copy = block;
    SRZ7SysexStore store;
    return pagekit::refsInsidePool(sysexPoolList(copy, store), kPoolSize);
}

PresetLoadResult decodePresetFile(const QByteArray &file, SRZ7ConfigData &block, QString *error)
{
    QByteArray xmlText;
    const PresetLoadResult unpacked = loadResultOf(presetfile::unpack(file, presetFileHeader(), &xmlText));
    if (unpacked != PresetLoadResult::Ok)
        return unpacked;
    SRZ7ConfigData loaded = block;
    if (!readPresetXml(xmlText, loaded, error))
        return PresetLoadResult::XmlError;
    if (!sysexRefsInsidePool(loaded))
        return PresetLoadResult::SysexOutsidePool;
    block = loaded;
    return PresetLoadResult::Ok;
}

PresetLoadResult readPresetFile(const QString &path, SRZ7ConfigData &block)
{
    qDebug().noquote() << "------------------" << path;
    QByteArray bytes;
    if (!presetfile::readFile(path, presetFileHeader(), &bytes))
        return PresetLoadResult::CannotOpen;
    QString xmlError;
    const PresetLoadResult result = decodePresetFile(bytes, block, &xmlError);
    if (result == PresetLoadResult::XmlError)
        qWarning().noquote() << "XML error:" << xmlError;
    return result;
}

PresetSaveResult writePresetFile(const QString &path, const SRZ7ConfigData &block)
{
    return presetfile::saveXml(path, presetFileHeader(), presetXml(block));
}

bool writeConfigBinFile(const QString &path, const SRZ7ConfigData &block)
{
    return saveWholeFile(path, &block, qint64(sizeof block));
}

} // namespace rz7
