// The foot pedal's preset file ".z3", for both pedal pages, without any window:
//
//   - the UTF-8 bytes of the model name of model 1 (deviceNameById(1),
//     "DOVO Dazed"), no length byte, no terminator;
//   - qCompress at level 9 of the page's configuration image: the image's
//     length as 4 bytes big-endian, then one zlib stream.
//
// The newer page's image is 4,930 bytes, the older page's 1,184; both write
// the same header, and the declared length tells their files apart. Every
// function takes the image size of its page.
//
// A load hands the image back only when the whole file is good: the header
// matches, the declared length is the image size (checked before inflating,
// so a crafted length allocates nothing) and the stream inflates, with a hard
// bound, to exactly that many bytes. The page then runs its own image check
// and replaces its image only when that passes too. A save goes through
// QSaveFile: the old file stays whole unless the new one was written and
// committed completely.
#pragma once

#include <QByteArray>
#include <QString>

struct PedalPresetFile
{
    static constexpr int kImageSize = 4930;    // the newer page's image
    static constexpr int kOldImageSize = 1184; // the older page's image

    // The header: deviceNameById(1) as UTF-8 (empty when the device list has
    // no name for model 1; every file then passes the header check).
    static QByteArray header();

    // A whole file: header, then qCompress(image, 9).
    static QByteArray encode(const QByteArray &image);

    // What a load came to. Only Ok hands an image back.
    enum class Load {
        Ok,
        CannotOpen,  // the file cannot be opened or read (debug warning "Cannot open file")
        WrongHeader, // the page asks "File Error!" / "Configuration file error!"
        NoBody,      // nothing follows the header; refused silently
        Damaged,     // no length and zlib stream, a cut or damaged stream, or a file too long; silent
        WrongSize,   // declared or inflated to another size (the other page's file); silent
    };

    // Decodes the bytes of a whole file. On Ok *image holds exactly imageSize
    // bytes; otherwise it is untouched.
    static Load decode(const QByteArray &file, int imageSize, QByteArray *image);

    // Reads a file from disk (at most the shared container's limit, so an
    // endless file is never read whole) and decodes it as decode() does.
    static Load read(const QString &path, int imageSize, QByteArray *image);

    // What a save came to.
    enum class Save {
        Saved,        // toast "Preset save successful"
        CannotOpen,   // toast "Preset save defeated": the file or its folder cannot be written
        HeaderFailed, // toast "File write failed."; the old file is untouched
        BodyFailed,   // toast "Preset save defeated"; the old file is untouched
    };

    // Writes encode(image) to path through QSaveFile. The body is compressed
    // before the file is opened.
    static Save write(const QString &path, const QByteArray &image);

    // The source text of a save's toast, for the page to translate in its own
    // context: "Preset save successful", "File write failed.", or "Preset save
    // defeated" for a body that failed and for a file that cannot be written.
    static const char *saveMessage(Save result);
};
