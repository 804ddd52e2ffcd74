// The container of every preset file, whatever the model: the UTF-8 bytes of
// the model's name, then the body packed as qCompress at level 9 does it (the
// body's length as 4 bytes big-endian, then one zlib stream). The body is an
// XML text (pad, small pad, keyboard: presetxml.h) or a raw configuration
// image of a fixed size (the two foot pedal pages).
//
// How a page uses it: to save, save() with its model's header and pack(body)
// (every write and the commit checked, common/savefile.h: the old file stays
// whole unless the new one is written completely); to load,
// readBounded() then unpack() into a copy, and only a wholly good file
// replaces the page's data. The page maps the results to its own messages.
#pragma once

#include <QByteArray>
#include <QString>

namespace presetfile {

// The longest body a preset file may declare or unpack to. A real pad preset
// is about 25 KB of XML; a larger declared length is refused before anything
// is allocated or unpacked.
constexpr int kMaxBodySize = 1024 * 1024;
// The longest packed body (length prefix and zlib stream) that can come from a
// body of at most kMaxBodySize bytes; longer ones are refused unread.
constexpr int kMaxPackedSize = 4 + kMaxBodySize + kMaxBodySize / 1024 + 64;

// True when the file starts with the header: its first header.size() bytes,
// up to the first zero byte among them, read as UTF-8, equal the header.
bool headerMatches(const QByteArray &file, const QByteArray &header);

enum class Unpack {
    Ok,
    WrongHeader,   // the file does not start with the model's name
    NoBody,        // nothing follows the name
    NotCompressed, // no length and zlib stream (or an empty one)
    Corrupt,       // the zlib stream is cut or damaged, or unpacks to nothing
    Oversized,     // declared or unpacked above the limit, or a body too long to read
    WrongSize,     // a fixed-size body declared or unpacked at another size
};

// Checks the header and unpacks the body into *body (untouched on failure).
// exactSize > 0: the body must be exactly that long (declared and unpacked);
// otherwise at most kMaxBodySize. Inflating stops as soon as the limit is
// passed: a crafted length or stream never makes it allocate more.
Unpack unpack(const QByteArray &file, const QByteArray &header, QByteArray *body, int exactSize = 0);

// header + qCompress(body, 9).
QByteArray pack(const QByteArray &header, const QByteArray &body);

// Reads at most maxBytes of a file (the caller passes one more than the
// longest file it accepts, to tell a longer one apart). False when it cannot
// be opened or read.
bool readBounded(const QString &path, qint64 maxBytes, QByteArray *bytes);
// The read limit of a preset file with this header.
inline qint64 readLimit(const QByteArray &header)
{
    return qint64(header.size()) + kMaxPackedSize + 1;
}
// Reads a whole preset file with this header from disk, at most what one may
// hold. False, with the debug warning "Cannot open file", when it cannot be
// opened or read.
bool readFile(const QString &path, const QByteArray &header, QByteArray *bytes);

enum class Save {
    Saved,
    CannotOpen,   // the file (or its folder) cannot be written
    HeaderFailed, // the header's write came short
    BodyFailed,   // the body's write or the commit failed
};
// Writes header then packedBody through QSaveFile.
Save save(const QString &path, const QByteArray &header, const QByteArray &packedBody);

// What saving a preset's XML text came to, for pages that tell only an
// unopened file apart from a failed write.
enum class XmlSave {
    Saved,
    CannotOpen,  // debug line "couldn't open file write"
    WriteFailed, // the old file is untouched
};
// Writes header + qCompress(xml, 9) through QSaveFile.
XmlSave saveXml(const QString &path, const QByteArray &header, const QByteArray &xml);

} // namespace presetfile
