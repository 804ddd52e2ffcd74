#include "z3config.h"

#include <QDebug>

#include <cstring>

#include "devices/pedal/pedalpresetfile.h"
#include "devices/pedal/pedaltext.h"

void Z3KeyRecord::setSysex(int list, bool on)
{
    const quint8 nibble = z3::sysexNibble(list);
    p[z3::kSysexFlags] = quint8(on ? (p[z3::kSysexFlags] | nibble) : (p[z3::kSysexFlags] & ~nibble));
}

QByteArray SZ3ProConfigData::toByteArray() const
{
    return QByteArray(reinterpret_cast<const char *>(m_bytes.data()), kSize);
}

SZ3ProConfigData SZ3ProConfigData::fromByteArray(const QByteArray &bytes)
{
    SZ3ProConfigData image;
    if (bytes.size() != kSize) {
        qWarning() << "ByteArray size mismatch for SZ3ProConfigData";
        return image;
    }
    std::memcpy(image.m_bytes.data(), bytes.constData(), size_t(kSize));
    return image;
}

bool check_config_data(const SZ3ProConfigData &image)
{
    // A group (or a last group) above 7 would name records beyond the image.
    if (image.currentGroup() >= z3::kGroups || image.lastGroup() >= z3::kGroups)
        return false;
    if (image.pedalCount() > z3::kMaxPedalEntries)
        return false;
    for (int i = 0; i < z3::kDisplayBytes; ++i) {
        if (!pedal::displayByteValid(image.displayChar(i)))
            return false;
    }
    return true;
}

bool takeConfigImage(SZ3ProConfigData &image)
{
    if (!check_config_data(image))
        return false;
    for (int g = 0; g < z3::kGroups; ++g) {
        for (int k = 0; k < z3::kKeysPerGroup; ++k) {
            Z3KeyRecord record = image.key(g, k);
            for (int list = 1; list <= 2; ++list)
                record.setCount(list, record.count(list));
        }
    }
    return true;
}

namespace {

Z3PresetLoad z3Result(PedalPresetFile::Load load, const QByteArray &body, SZ3ProConfigData *image)
{
    switch (load) {
    case PedalPresetFile::Load::Ok:
        break;
    case PedalPresetFile::Load::CannotOpen:
        return Z3PresetLoad::CannotOpen;
    case PedalPresetFile::Load::WrongHeader:
        return Z3PresetLoad::WrongHeader;
    case PedalPresetFile::Load::NoBody:
    case PedalPresetFile::Load::Damaged:
    case PedalPresetFile::Load::WrongSize:
        return Z3PresetLoad::Refused;
    }
    SZ3ProConfigData loaded = SZ3ProConfigData::fromByteArray(body);
    if (!takeConfigImage(loaded))
        return Z3PresetLoad::Refused;
    *image = loaded;
    return Z3PresetLoad::Ok;
}

} // namespace

Z3PresetLoad decodeZ3Preset(const QByteArray &file, SZ3ProConfigData *image)
{
    QByteArray body;
    return z3Result(PedalPresetFile::decode(file, SZ3ProConfigData::kSize, &body), body, image);
}

Z3PresetLoad readZ3Preset(const QString &path, SZ3ProConfigData *image)
{
    QByteArray body;
    return z3Result(PedalPresetFile::read(path, SZ3ProConfigData::kSize, &body), body, image);
}
