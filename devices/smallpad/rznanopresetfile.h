// The small pad controller's files, without any window:
//
// ".rznano" preset file: the UTF-8 bytes of the model name (deviceNameById(8),
// "RZ-Nano"), then the qCompress output (level 9) of the XML text: Preset >
// ConfigData > PadData, PadRGB, KeyData, KeyLongData, KnobModeRGB, PadModeRGB
// (byte tables, one element per byte), SysexPool > Data (Base64 of the 300
// pool bytes) and CRC, indented by 4.
//
// ".bin" configuration file: the 679 block bytes as they are.
//
// A load reads into a copy of the block and hands it over only when the whole
// file is good; every refusal is silent but the XML error's debug line. A save
// goes through QSaveFile: the old file stays whole unless the new one was
// written completely. The container and the XML sections are the shared ones
// (devices/shared/presetfile.h, presetxml.h); this file holds the small pad's
// sections.
#pragma once

#include "devices/shared/presetfile.h"
#include "devices/smallpad/rznanoconfig.h"

#include <QByteArray>
#include <QString>

namespace rznano {

// The header of every small pad preset file.
QByteArray presetFileHeader();

// The XML text of a block, as the preset files (and the sample presets) hold it.
QByteArray presetXml(const SRznanoConfigData &block);

// A whole ".rznano" file: header, then qCompress(presetXml(block), 9).
QByteArray presetFileBytes(const SRznanoConfigData &block);

// True when every Customize record with a message (length above 0) refers
// to bytes inside the 300-byte pool.
bool sysexRefsInsidePool(const SRznanoConfigData &block);

// Decodes the bytes of a whole ".rznano" file into block: true, and block
// holds the file's sections over its previous contents. False (another
// model's header, no body, no zlib stream, too large, XML error, a message
// outside the pool): block is untouched, *xmlError holds the reader's text
// for an XML error.
bool decodePresetFile(const QByteArray &file, SRznanoConfigData &block, QString *xmlError = nullptr);

// Reads a ".rznano" file from disk and decodes it; writes the diagnostics of a
// load ("Cannot open file", "XML error: ... line: n").
bool readPresetFile(const QString &path, SRznanoConfigData &block);

// Writes block as a ".rznano" file.
presetfile::Save writePresetFile(const QString &path, const SRznanoConfigData &block);

} // namespace rznano
