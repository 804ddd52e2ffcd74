// The toolbar actions every editor page shares, given its model number and its
// folder on the download server ("rz7/", "rznano/", "vx18/", "Z3/"): the
// online preset list, the firmware upgrade and the pad calibration. The
// dialogs belong to the page: it keeps each in a QPointer slot and closes and
// deletes them in its destructor (closeOwnedDialogs), since they point into
// its data or send through it.
//
// How a page uses it: its click_preset_list calls openPresetList() and
// connects the list's signals_download_preset to its own apply slot; its
// click_upgrade calls startUpgrade(); its calibration button calls
// openPadLevel() and connects signals_send_pad_level.
#pragma once

#include <QPointer>
#include <QString>

#include <initializer_list>

class CBaseDlg;
class CDlgPreset;
class QDialog;
class QWidget;
class cDlgPadLevel;

namespace pagekit {

// The local copy of a folder's preset index: the application-data folder,
// then the folder, then "LoadPreset/preset.ini".
QString presetIndexPath(const QString &folder);
// <server base><folder>preset.ini and <server base><folder>firmware.ini.
QString presetIndexUrl(const QString &folder);
QString firmwareIndexUrl(const QString &folder);

// When a preset list downloads its folder's index.
enum class IndexDownload {
    OncePerRun, // the first list of the run; later ones list the local copy
    EveryOpen,  // every list downloads it again (the older foot pedal's page)
};

// A new preset list in the slot (an open one is closed and deleted first),
// shown. With OncePerRun its index is listed from the local copy when it was
// downloaded whole in this run (one mark per folder) and the copy still exists;
// otherwise (and always with EveryOpen) it is downloaded again (a failed first
// download is tried again at the next press).
CDlgPreset *openPresetList(QPointer<QDialog> &slot, int model, const QString &folder,
                           IndexDownload when = IndexDownload::OncePerRun);

// The upgrade dialog in the slot (made once, with the page as its owner: its
// frames go through the page), then the folder's firmware index downloaded,
// when the upgrade library loads.
void startUpgrade(QPointer<QDialog> &slot, CBaseDlg *page, const QString &folder);

// A new calibration dialog in the slot (an open one is closed and deleted
// first) on the page's thresholds, shown.
cDlgPadLevel *openPadLevel(QPointer<QDialog> &slot, int model, unsigned char *thresholds);

// The raw ".bin" dump of a page's configuration (Ctrl+S): the save dialog
// "Config File" for "Config Files (*.bin)", then the size bytes of data as
// they are. Nothing chosen: a warning on the debug output. A file that cannot
// be written whole (the old one stays): the page's failedText over it for
// 1,000 ms.
void saveConfigBin(QWidget *page, const void *data, qint64 size, const QString &failedText);

// A preset file or a ".bin" dump is written only from the shown preset's whole
// block (pagekit::PresetBlock::held): a file of another preset's bytes, or of
// zeros, would later be loaded over a device's preset. Until the page holds
// it, no file is asked for and refusedText shows for 1,000 ms; false then.
bool mayWriteBlockFile(QWidget *page, bool held, const QString &refusedText);

// Closes and deletes the dialogs in the slots (the page's destructor).
void closeOwnedDialogs(std::initializer_list<QPointer<QDialog> *> dialogs);

} // namespace pagekit
