// The foot pedal's ".z3" reader under the preset-file fuzz target. Every file
// is read as a newer page's (4,930 bytes) and as an older page's (1,184): one
// length cannot be both, a refusal hands nothing back, and a wrong header is
// told as such by both. The driver (fuzz_preset.cpp) packs a body of the
// newer image's length on its packed road and one of the older image's length
// on the older road, so that each image's content is fuzzed and the older
// page's load is reached by every input of its road: the body decodes as it
// was packed, and the page's take of it holds what the page may send and
// loads again from its own file.
#include "fuzz/preset_adapter.h"

#include "devices/pedal/pedalpresetfile.h"
#include "devices/pedal_old/masterframes.h"
#include "devices/pedal_old/midiconfig.h"

#include <cstdlib>

namespace {

QByteArray startImage(int size)
{
    QByteArray image(size, '\0');
    for (int i = 0; i < size; ++i)
        image[i] = char(7 * i + 3);
    return image;
}

// What the older page holds before a load.
const QByteArray &olderStart()
{
    static const QByteArray image = startImage(PedalPresetFile::kOldImageSize);
    return image;
}

bool heldAsSent(const SMIDIConfigData &image)
{
    if (image.PedalCount > pedalold::kMaxPedalEntries || !displayCodesValid(image))
        return false;
    for (const SSwitchRecord &sw : image.SwitchData) {
        for (int list = 1; list <= 2; ++list) {
            if (sw.rawCount(list) > pedalold::kMaxEvents || sw.rawSysexLen(list) > pedalold::kMaxSysex)
                return false;
        }
    }
    quint8 buf[pedalold::kTxBufferSize];
    for (int k = 0; k < pedalold::kSwitchCount; ++k) {
        if (pedalold::switchRecordFrame(image, k, buf) > uint(pedalold::kMaxSwitchFrame))
            return false;
    }
    pedalold::pedalSwitchesFrame(image, buf);
    pedalold::pedalExpressionFrame(image, buf);
    pedalold::displayCharsFrame(image, buf);
    pedalold::switchDisplayFrame(image, buf);
    return true;
}

// The older page's take of a decoded body. A refused one leaves the page's
// image alone; a taken one holds counts and lengths the lists can carry and
// only display codes the pedal takes, its frames fit, and the page's own file
// of it is taken again unchanged.
void olderTake(const QByteArray &body)
{
    SMIDIConfigData image = SMIDIConfigData::fromByteArray(olderStart());
    if (!pedalold::imageFromFileBody(body, &image)) {
        if (image.toByteArray() != olderStart())
            abort();
        return;
    }
    if (!heldAsSent(image))
        abort();
    const QByteArray saved = PedalPresetFile::encode(pedalold::fileImage(image).toByteArray());
    QByteArray again;
    SMIDIConfigData reloaded = SMIDIConfigData::fromByteArray(olderStart());
    if (PedalPresetFile::decode(saved, PedalPresetFile::kOldImageSize, &again) != PedalPresetFile::Load::Ok
        || !pedalold::imageFromFileBody(again, &reloaded) || reloaded.toByteArray() != image.toByteArray())
        abort();
}

// A file that packs a body of the older length behind the header: it is no
// newer page's file, and the older page's read hands back the body.
void olderRoad(const QByteArray &file, const QByteArray &body)
{
    QByteArray newer("untouched");
    if (PedalPresetFile::decode(file, PedalPresetFile::kImageSize, &newer) != PedalPresetFile::Load::WrongSize
        || newer != QByteArray("untouched"))
        abort();
    QByteArray decoded;
    if (PedalPresetFile::decode(file, PedalPresetFile::kOldImageSize, &decoded) != PedalPresetFile::Load::Ok
        || decoded != body)
        abort();
    olderTake(decoded);
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
    if (oldResult == PedalPresetFile::Load::Ok) {
        if (older.size() != PedalPresetFile::kOldImageSize)
            abort();
        olderTake(older);
    } else if (older != QByteArray("untouched")) {
        abort();
    }
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
    // An older image the page takes: display codes within 39 (one with its
    // dot), a SysEx list and an event list in use.
    SMIDIConfigData taken = SMIDIConfigData::fromByteArray(olderStart());
    for (quint8 &b : taken.PresetDisplay)
        b = quint8(b % 40);
    for (SSwitchRecord &sw : taken.SwitchData) {
        for (quint8 &b : sw.Display)
            b = quint8(b % 40);
    }
    taken.SwitchData[1].Display[0] |= 0x80;
    taken.SwitchData[0].SysexFlags = 0xF0;
    taken.SwitchData[0].setSysexLen(1, 5);
    taken.SwitchData[0].Count2 = 3;
    taken.PedalCount = 2;
    const QByteArray takenBody = taken.toByteArray();
    return {
        {"file", PedalPresetFile::encode(image), false},
        {"zeros", PedalPresetFile::encode(zeros), false},
        {"older", PedalPresetFile::encode(olderStart()), false},
        {"older-taken", PedalPresetFile::encode(takenBody), false},
        {"body", image, true},
        {"older-body", olderStart(), true, true},
        {"older-taken-body", takenBody, true, true},
        {"older-short-body", takenBody.left(200), true, true},
        {"header-only", PedalPresetFile::header(), false},
    };
}

} // namespace

const fuzzpreset::SReader &fuzzpreset::reader()
{
    static const SReader r = [] {
        SReader x = readerRecord(1, "DOVO Dazed", PedalPresetFile::header, startImage(PedalPresetFile::kImageSize),
                                 decode, encode, nullptr, seeds);
        x.bodySize = PedalPresetFile::kImageSize;
        x.olderSize = PedalPresetFile::kOldImageSize;
        x.older = olderRoad;
        return x;
    }();
    return r;
}
