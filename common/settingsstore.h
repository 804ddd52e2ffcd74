// Writing the editor's own settings (the language, the record of a failed
// upgrade) to their file, and telling the user when that file cannot be
// written: a setting that is only held in memory is gone at the next start.
#pragma once

class QSettings;

// Writes what settings holds to its file now. False, with a line in the log,
// when the file could not be written (its folder read-only or another user's,
// a full disk).
bool storeSettings(QSettings &settings);

// Tells the user, once a run, that a choice holds for this run only because
// the settings file cannot be written.
void tellSettingsNotStored();
