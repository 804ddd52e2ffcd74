// The pad controller's preset files, without any window:
//
// ".rzp" preset file, its parts back to back:
//   - the UTF-8 bytes of the model name (deviceNameById(7), "RZ-7 Pad"), no
//     length byte, no terminator;
//   - the qCompress output (level 9) of the XML text: the text's length as
//     4 bytes big-endian, then one zlib stream.
// The XML holds Preset > ConfigData > KnobData, PadData, PadRGB, KeyData,
// KeyLongData, KnobModeRGB, PadModeRGB (byte tables, one element per byte),
// SysexPool > Data (Base64 of the 300 pool bytes) and CRC, indented by 4.
//
// ".bin" configuration file: the 823 block bytes as they are.
//
// A load parses into a copy of the block and hands it over only when the whole
// file is good, so a refused file leaves the caller's block as it was. A save
// goes through QSaveFile: the old file stays whole unless the new one was
// written completely. The container and the XML sections are the shared ones
// (devices/shared/presetfile.h, presetxml.h); this file holds the pad's
// sections and its refusal codes.
#pragma once

#include "rz7config.h"
#include "devices/shared/presetfile.h"

#include <QByteArray>
#include <QString>

namespace rz7 {

// The longest XML text a preset file may declare, and the longest packed body.
constexpr int kMaxPresetXmlSize = presetfile::kMaxBodySize;
constexpr int kMaxPresetBodySize = presetfile::kMaxPackedSize;

// What a preset load came to. Only Ok changes the caller's block.
enum class PresetLoadResult {
    Ok,
    CannotOpen,       // the file cannot be opened or read
    WrongHeader,      // the file does not start with the model name
    NoBody,           // nothing follows the model name
    NotCompressed,    // the body is no qCompress output (no zlib stream)
    CorruptBody,      // the zlib stream is truncated or damaged
    Oversized,        // declared (or unpacked) text above kMaxPresetXmlSize, or body too long
    XmlError,         // the text is not well-formed XML
    SysexOutsidePool, // a control in SysEx mode points past the 300 pool bytes
};

// The code the page shows (as written, not translated) for a failed load, for
// 1,500 ms: "0000" cannot open, "1111" wrong header, "2222" no body, "3333" for
// a body that cannot be used (not compressed, corrupt, oversized, SysEx
// reference outside the pool). Empty for Ok and for XmlError, which only writes
// a debug warning.
QString presetLoadMessage(PresetLoadResult result);

// Saved: the page shows tr("Preset save successful"); CannotOpen: no message;
// WriteFailed: tr("Preset save defeated").
using PresetSaveResult = presetfile::XmlSave;

// The header of every preset file: the UTF-8 bytes of the model's name.
QByteArray presetFileHeader();

// The XML text of a block, exactly as the preset files hold it.
QByteArray presetXml(const SRZ7ConfigData &block);

// A whole ".rzp" file: header, then qCompress(presetXml(block), 9).
QByteArray presetFileBytes(const SRZ7ConfigData &block);

// Reads the sections of an XML text into block, in place, section by section
// (missing sections leave their bytes as they were). Returns false on an XML
// error, with the reader's text and line in *error when given.
bool readPresetXml(const QByteArray &xml, SRZ7ConfigData &block, QString *error = nullptr);

// Decodes the bytes of a whole ".rzp" file. On Ok block holds the result: the
// file's sections over the block's previous contents. On any failure block is
// untouched; *error (when given) receives the XML error text for XmlError.
PresetLoadResult decodePresetFile(const QByteArray &file, SRZ7ConfigData &block, QString *error = nullptr);

// Reads a ".rzp" file from disk (at most kMaxPresetBodySize bytes after the
// header are read) and decodes it as decodePresetFile does. Writes the debug
// lines of a load ("------------------" and the path, "Cannot open file",
// "XML error: ... line: n").
PresetLoadResult readPresetFile(const QString &path, SRZ7ConfigData &block);

// True when every control in SysEx mode (pads in mode 4, buttons and long-press
// actions in mode 5) with a message refers to bytes inside the 300-byte pool;
// a reference of length 0 references nothing and passes wherever it points.
bool sysexRefsInsidePool(const SRZ7ConfigData &block);

// Writes block as a ".rzp" file through QSaveFile.
PresetSaveResult writePresetFile(const QString &path, const SRZ7ConfigData &block);

// Writes the 823 block bytes through QSaveFile; true when all were written.
bool writeConfigBinFile(const QString &path, const SRZ7ConfigData &block);

} // namespace rz7
