#include "pedalpresetfile.h"

#include "common/devicelist.h"
#include "devices/shared/presetfile.h"

#include <QDebug>

namespace {

constexpr uchar kPedalModel = 1;

PedalPresetFile::Load loadOf(presetfile::Unpack unpack)
{
    switch (unpack) {
    case presetfile::Unpack::Ok:
        return PedalPresetFile::Load::Ok;
    case presetfile::Unpack::WrongHeader:
        return PedalPresetFile::Load::WrongHeader;
    case presetfile::Unpack::NoBody:
        return PedalPresetFile::Load::NoBody;
    case presetfile::Unpack::WrongSize:
        return PedalPresetFile::Load::WrongSize;
    case presetfile::Unpack::NotCompressed:
    case presetfile::Unpack::Corrupt:
    case presetfile::Unpack::Oversized:
        break;
    }
    return PedalPresetFile::Load::Damaged;
}

} // namespace

QByteArray PedalPresetFile::header()
{
    return deviceNameById(kPedalModel).toUtf8();
}

QByteArray PedalPresetFile::encode(const QByteArray &image)
{
    return presetfile::pack(header(), image);
}

PedalPresetFile::Load PedalPresetFile::decode(const QByteArray &file, int imageSize, QByteArray *image)
{
    if (imageSize <= 0)
        return Load::WrongSize;
    return loadOf(presetfile::unpack(file, header(), image, imageSize));
}

PedalPresetFile::Load PedalPresetFile::read(const QString &path, int imageSize, QByteArray *image)
{
    QByteArray bytes;
    if (!presetfile::readBounded(path, presetfile::readLimit(header()), &bytes)) {
        qWarning("Cannot open file");
        return Load::CannotOpen;
    }
    return decode(bytes, imageSize, image);
}

PedalPresetFile::Save PedalPresetFile::write(const QString &path, const QByteArray &image)
{
    const QByteArray body = qCompress(image, 9);
    switch (presetfile::save(path, header(), body)) {
    case presetfile::Save::Saved:
        return Save::Saved;
    case presetfile::Save::CannotOpen:
        return Save::CannotOpen;
    case presetfile::Save::HeaderFailed:
        return Save::HeaderFailed;
    case presetfile::Save::BodyFailed:
        break;
    }
    return Save::BodyFailed;
}

const char *PedalPresetFile::saveMessage(Save result)
{
    switch (result) {
    case Save::Saved:
        return "Preset save successful";
    case Save::HeaderFailed:
        return "File write failed.";
    case Save::BodyFailed:
    case Save::CannotOpen:
        break;
    }
    return "Preset save defeated";
}
