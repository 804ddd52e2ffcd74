#include "rznanopresetfile.h"

#include "common/devicelist.h"
#include "devices/shared/presetxml.h"

#include <QDebug>

#include <cstddef>

namespace rznano {

namespace {

constexpr uchar kPresetModel = 8;

using presetxml::SSection;

#define AT(field) int(offsetof(SRznanoConfigData, field))
// The sections of ConfigData, in the order a save writes them.
const SSection kSections[] = {
    {"PadData", SSection::Groups, AT(PadData), int(kPadBanks), int(kPadsPerBank), 4, "Pad", "Data"},
    {"PadRGB", SSection::Groups, AT(PadRGB), int(kPadBanks), int(kPadsPerBank), 3, "Pad", "Color"},
    {"KeyData", SSection::Rows, AT(KeyData), 0, int(kKeys), 4, "Key", "Data"},
    {"KeyLongData", SSection::Rows, AT(KeyLongData), 0, int(kKeys), 4, "Key", "Data"},
    {"KnobModeRGB", SSection::Rows, AT(KnobModeRGB), 0, int(kPadBanks), 3, "Group", "Color"},
    {"PadModeRGB", SSection::Rows, AT(PadModeRGB), 0, int(kPadBanks), 3, "Group", "Color"},
    {"SysexPool", SSection::Pool, AT(SysexPool), 0, 0, int(kPoolSize), nullptr, nullptr},
    {"CRC", SSection::Byte, AT(CRC), 0, 0, 1, nullptr, nullptr},
};
#undef AT
constexpr int kSectionCount = int(sizeof kSections / sizeof kSections[0]);

} // namespace

QByteArray presetFileHeader()
{
    return deviceNameById(kPresetModel).toUtf8();
}

QByteArray presetXml(const SRznanoConfigData &block)
{
    return presetxml::writeXml(reinterpret_cast<const uchar *>(&block), kSections, kSectionCount);
}

QByteArray presetFileBytes(const SRznanoConfigData &block)
{
    return presetfile::pack(presetFileHeader(), presetXml(block));
}

bool sysexRefsInsidePool(const SRznanoConfigData &block)
{
    SRznanoConfigData copy = block;
    SRznanoSysexWork unused;
    return pagekit::refsInsidePool(poolList(copy, unused), kPoolSize);
}

bool decodePresetFile(const QByteArray &file, SRznanoConfigData &block, QString *xmlError)
{
    QByteArray xml;
    if (presetfile::unpack(file, presetFileHeader(), &xml) != presetfile::Unpack::Ok)
        return false;
    SRznanoConfigData loaded = block;
    if (!presetxml::readXml(xml, reinterpret_cast<uchar *>(&loaded), kSections, kSectionCount, xmlError))
        return false;
    if (!sysexRefsInsidePool(loaded))
        return false;
    block = loaded;
    return true;
}

bool readPresetFile(const QString &path, SRznanoConfigData &block)
{
    QByteArray bytes;
    if (!presetfile::readFile(path, presetFileHeader(), &bytes))
        return false;
    QString xmlError;
    const bool ok = decodePresetFile(bytes, block, &xmlError);
    if (!xmlError.isEmpty())
        qWarning().noquote() << "XML error:" << xmlError;
    return ok;
}

presetfile::Save writePresetFile(const QString &path, const SRznanoConfigData &block)
{
    return presetfile::save(path, presetFileHeader(), qCompress(presetXml(block), 9));
}

} // namespace rznano
