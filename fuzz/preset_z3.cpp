// The foot pedal's ".z3" reader under the preset-file fuzz target. Every input
// is read as a newer page's file (4,930 bytes) and as an older page's (1,184):
// one length cannot be both, a refusal hands nothing back, and a wrong header
// is told as such by both.
#include "fuzz/preset_adapter.h"

#include "devices/pedal/pedalpresetfile.h"

#include <cstdlib>

namespace {

QByteArray startImage(int size)
{
    QByteArray image(size, '\0');
    for (int i = 0; i < size; ++i)
        image[i] = char(7 * i + 3);
    return image;
}

bool decode(const QByteArray &file, QByteArray &image)
{
    QByteArray newer = image;
    const PedalPresetFile::Load result = PedalPresetFile::decode(file, PedalPresetFile::kImageSize, &newer);
    QByteArray older("untouched");
    const PedalPresetFile::Load oldResult = PedalPresetFile::decode(file, PedalPresetFile::kOldImageSize, &older);
    if (result == PedalPresetFile::Load::Ok && oldResult == PedalPresetFile::Load::Ok)
        abort();
    if ((result == PedalPresetFile::Load::WrongHeader) != (oldResult == PedalPresetFile::Load::WrongHeader))
        abort();
    if (oldResult == PedalPresetFile::Load::Ok ? older.size() != PedalPresetFile::kOldImageSize
                                               : older != QByteArray("untouched"))
        abort();
    if (result != PedalPresetFile::Load::Ok)
        return false;
    if (newer.size() != PedalPresetFile::kImageSize)
        abort();
    image = newer;
    return true;
}

QByteArray encode(const QByteArray &image)
{
    return PedalPresetFile::encode(image);
}

std::vector<fuzzpreset::SReader::SSeed> seeds()
{
    const QByteArray image = startImage(PedalPresetFile::kImageSize);
    QByteArray zeros(PedalPresetFile::kImageSize, '\0');
    return {
        {"file", PedalPresetFile::encode(image), false},
        {"zeros", PedalPresetFile::encode(zeros), false},
        {"older", PedalPresetFile::encode(startImage(PedalPresetFile::kOldImageSize)), false},
        {"body", image, true},
        {"older-body", startImage(PedalPresetFile::kOldImageSize), true},
        {"header-only", PedalPresetFile::header(), false},
    };
}

} // namespace

const fuzzpreset::SReader &fuzzpreset::reader()
{
    static const SReader r =
        readerRecord(1, "DOVO Dazed", PedalPresetFile::header, startImage(PedalPresetFile::kImageSize),
                     decode, encode, nullptr, seeds);
    return r;
}
