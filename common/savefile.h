// Files written whole or not at all: through QSaveFile (written beside the
// target and renamed over it only when every byte went through), unbuffered,
// so that a failing write shows in write() itself: a buffered QSaveFile that
// fails only while flushing at commit() still puts the short file in place of
// the old one. A full disk or a folder that cannot be written never leaves a
// cut file behind, and the old file stays as it was.
//
// How it is used: saveWholeFile() for bytes that are written in one go (a raw
// configuration file, a downloaded index, preset or firmware image); a writer
// of several parts opens with openSaveFile(), checks each write and ends with
// commitSaveFile() (or cancelWriting() on a short write).
#pragma once

#include <QString>
#include <QtGlobal>

class QSaveFile;

// Opens the file for an unbuffered write; false when it (or its folder)
// cannot be written.
bool openSaveFile(QSaveFile &file);
// Puts the written file in place when no write failed; false otherwise (the
// old file is kept).
bool commitSaveFile(QSaveFile &file);
// The size bytes of data as the whole file; true when all were written.
bool saveWholeFile(const QString &path, const void *data, qint64 size);
