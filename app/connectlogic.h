// The connection window's decisions as plain functions: pairing ports against
// the device list, reading the device-information reply, finding packed frames
// in raw input, and choosing the page a reply opens.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

#include "devicelist.h"

// One matched port pair: a model and the numbers of its output and input port.
struct PortMatch
{
    uint32_t deviceId = 0;
    uint32_t outPort = 0;
    uint32_t inPort = 0;
};

constexpr int kMaxPortMatches = 50;

// A matched pair's ports by name: as shown (raw port names) and as the MIDI
// service lists them (keys, by which the pair is opened: numbers shift as
// soon as any port comes or goes). A key keeps the service's own bytes: a
// name that is not valid UTF-8 would not survive a QString.
struct PortPair
{
    QString outName;
    QString inName;
    QByteArray outKey;
    QByteArray inKey;
};

// The port-match table of one scan.
struct PortScan
{
    PortMatch matches[kMaxPortMatches];
    PortPair pairs[kMaxPortMatches];
    int count = 0;
    QString lastOutName;               // output name of the last pair matched
    bool isPresent(uint id) const;
    // The match of model id that is the pair given: the same keys, else the
    // same shown names (a service may list a replugged device under another
    // client); -1 when that pair is not here.
    int indexOf(uint id, const PortPair &pair) const;
};

// The name with every upper-case IN and OUT removed, trimmed at both ends.
QString cleanPortName(const QString &name);

// Pairs every input port with every output port of the same cleaned name and
// enters a match for each fragment of each model that the raw input name
// contains. Stops at kMaxPortMatches entries. inputKeys and outputKeys are
// the service's own names of the same ports (the names themselves, in UTF-8,
// when not given).
PortScan matchPorts(const QVector<DeviceEntry> &devices, const QStringList &inputs,
                    const QStringList &outputs, const QList<QByteArray> &inputKeys = {},
                    const QList<QByteArray> &outputKeys = {});

// Where the k-th picture sits in the two-column grid.
inline int gridRow(int index) { return index / 2; }
inline int gridColumn(int index) { return index % 2; }

// The device-information reply: model, firmware and download folder name.
struct DeviceInfoReply
{
    uint8_t deviceId = 0;
    uint8_t firmwareVersion = 0;
    QString downloadLink; // the non-zero bytes of the 16-byte folder field
};

// Smallest unpacked reply that holds every field (header, model, folder, version).
constexpr uint kDeviceInfoMinLength = 24;

// Reads an unpacked device frame; false unless it is a device-information
// reply long enough to hold all of its fields.
bool parseDeviceInfoReply(const uint8_t *frame, uint len, DeviceInfoReply *reply);

// Looks for packed device frames (F0 78 32 ... F7) in raw bytes while no page is
// open and hands each complete one, unpacked into out (cap bytes), to onFrame.
// Returns the index from which the data ends inside a frame that has not ended
// yet (so the caller can keep those bytes for the next read), or len.
template <class OnFrame>
uint findPackedFrames(const uint8_t *data, uint len, uint8_t *out, uint cap, OnFrame onFrame);

// The page a reply opens.
enum class PageKind {
    None,        // model 2: no page
    Unknown,     // no page; "Unknown Device!"
    Pedal,       // foot pedal, firmware above 4
    PedalOld,    // foot pedal, firmware 0 to 4
    Pad,         // model 7
    SmallPad,    // model 8
    Keyboard,    // model 9
    PadSelfTest, // models 7 and 8 in factory mode
    KeyboardSelfTest,
    UpgradeOnly, // models without an editor
};

struct PageChoice
{
    PageKind kind = PageKind::Unknown;
    uint8_t deviceId = 0;   // the model the window keeps (1 for the foot pedal)
    bool pedalFolder = false; // the download folder becomes "Z3/"
    bool isSelfTest() const { return kind == PageKind::PadSelfTest || kind == PageKind::KeyboardSelfTest; }
};

// First rule that applies: foot pedal (model 1 or a port named "DOVO Dazed"),
// model 2, 7, 8, 9 (self-test in factory mode), the brand word "ZOLVEN" or
// model 5, otherwise unknown.
PageChoice choosePage(uint8_t deviceId, uint8_t firmwareVersion, const QString &portName,
                      bool factoryMode);

// Index of the language combo box entry that shows a language value: only 1 is Chinese.
inline int languageComboIndex(int language) { return language == 1 ? 1 : 0; }

// The language a start uses: a stored value of 0 or more wins; a negative one
// (unset) gives 1 on a Chinese system locale and 0 otherwise.
int resolveLanguage(int stored, bool systemIsChinese);

#include "connectlogic_impl.h"
