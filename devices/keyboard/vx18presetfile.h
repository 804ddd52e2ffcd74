// The keyboard's preset files, without any window:
//
// ".vx18" preset file: the UTF-8 bytes of the model name (deviceNameById(9),
// "VX-18"), then the qCompress output (level 9) of the XML text. The XML holds
// Preset > ConfigData > the 23 sections of the block in block order: the ten
// slide, pitch-bend and pedal bytes, KnobData, PadData, PadRGB, KeyData,
// KeyLongData (byte tables), SysexPool > Data (Base64 of the 300 pool bytes),
// the keybed bytes (transpose, octave and the velocities signed), KBMCP (one
// element per key) and CRC.
//
// ".bin" configuration file: the 755 block bytes as they are.
//
// A load parses into a copy of the block and hands it over only when the whole
// file is good, so a refused file leaves the caller's block as it was. A save
// goes through QSaveFile: the old file stays whole unless the new one was
// written completely. The container and the XML sections are the shared ones
// (devices/shared/presetfile.h, presetxml.h).
#pragma once

#include "vx18config.h"
#include "devices/shared/presetfile.h"

#include <QByteArray>
#include <QString>

namespace vx18 {

// What a preset load came to. Only Ok changes the caller's block.
enum class PresetLoadResult {
    Ok,
    CannotOpen,       // the file cannot be opened or read
    WrongHeader,      // the file does not start with the model name
    Unusable,         // nothing after the name, not compressed, cut or damaged, or above 1 MiB
    XmlError,         // the text is not well-formed XML
    SysexOutsidePool, // a control in Customize points past the 300 pool bytes
};

// Saved: the page shows tr("Preset save successful"); CannotOpen and
// WriteFailed: it shows tr("Preset save defeated").
using PresetSaveResult = presetfile::XmlSave;

QByteArray presetFileHeader();
// The XML text of a block, exactly as the preset files hold it.
QByteArray presetXml(const SVX18ConfigData &block);
// A whole ".vx18" file: header, then qCompress(presetXml(block), 9).
QByteArray presetFileBytes(const SVX18ConfigData &block);

// Decodes the bytes of a whole ".vx18" file. On Ok block holds the file's
// sections over its previous contents; on any failure it is untouched, and
// *error (when given) receives the XML error text for XmlError.
PresetLoadResult decodePresetFile(const QByteArray &file, SVX18ConfigData &block, QString *error = nullptr);
// Reads a ".vx18" file from disk, at most what a preset file may hold, and
// decodes it; writes the debug lines of a load.
PresetLoadResult readPresetFile(const QString &path, SVX18ConfigData &block);

PresetSaveResult writePresetFile(const QString &path, const SVX18ConfigData &block);
// The 755 block bytes through QSaveFile; true when all were written.
bool writeConfigBinFile(const QString &path, const SVX18ConfigData &block);

} // namespace vx18
