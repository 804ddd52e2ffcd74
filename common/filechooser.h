// The file dialogs of every page, behind one seam: choose_file() asks the user
// for a path with the platform's save or open dialog (no parent, empty start
// folder), or with the chooser a test installed. The dialog runs its own event
// loop, marked as such (nestedloop.h), so the page is not finished under it.
#pragma once

#include <QString>

#include <functional>

using FileChooser = std::function<QString(bool bSave, const QString &strCaption, const QString &strFilter)>;

// bSave picks the save dialog, otherwise the open dialog; empty when nothing
// was chosen.
QString choose_file(bool bSave, const QString &strCaption, const QString &strFilter);

// Replaces the platform dialogs (tests); an empty chooser restores them.
void setFileChooser(FileChooser chooser);
