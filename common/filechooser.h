// The file dialogs of every page, behind one seam: choose_file() asks the user
// for a path with the save dialog (Qt's own, below) or the platform's open
// dialog (no parent, empty start folder), or with the chooser a test
// installed. The dialog runs its own event loop, marked as such
// (nestedloop.h), so the page is not finished under it.
#pragma once

#include <QString>

#include <functional>

using FileChooser = std::function<QString(bool bSave, const QString &strCaption, const QString &strFilter)>;

// bSave picks the save dialog, otherwise the open dialog; empty when nothing
// was chosen. The save dialog is Qt's own on every platform: it goes into a
// folder whose name is typed, and completes a name typed without the
// filter's suffix with it (blanks at its end dropped) before it asks about
// replacing a file.
QString choose_file(bool bSave, const QString &strCaption, const QString &strFilter);

// A preset file's path: strPath when it is given, otherwise the one the user
// chooses in the save or open dialog (caption "Save Preset File" or "Open
// Preset File"). Empty, with the debug warning "No file selected for saving"
// or "No file selected", when the dialog was cancelled.
QString preset_file_path(const QString &strPath, bool bSave, const QString &strFilter);

// Replaces the platform dialogs (tests); an empty chooser restores them.
void setFileChooser(FileChooser chooser);
