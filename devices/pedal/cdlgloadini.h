// The effects-unit command library: a popup that shows the library file as a
// tree of units and their commands and hands the command the user clicks to
// the page that opened it, for one foot switch. It knows nothing of that page.
//
// The library comes from the download server: the first dialog of a run
// fetches it and keeps a local copy, later dialogs of the run read the copy.
// When the download fails, or the copy cannot be written, the built-in copy
// serves and the next dialog tries the download again. Which unit rows are
// open is kept in the settings store, per library file.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include "inicommand.h"

class QTreeWidgetItem;
class Download;
class Ui_cDlgLoadINI;

// True once a download of this run was written to the local copy.
extern bool g_iniDownloaded;

class cDlgLoadINI : public QDialog
{
    Q_OBJECT
public:
    // byBtnIndex: the foot switch (0..3) the chosen command is for. Starts the
    // download, or builds the tree at once from the local copy.
    explicit cDlgLoadINI(quint8 byBtnIndex, QWidget *parent = nullptr);
    ~cDlgLoadINI() override;

    // Where the library comes from and goes to.
    static QString downloadUrl();   // server base + "Z3/MIDIPreset.ini"
    static QString localCopyPath(); // application data + "/TaSuite/Z3Config.ini"
    static QString builtInPath();   // ":/new/iniFile/ConfigData/MIDIPreset.ini"

    // The file the tree was last built from (empty while a download runs).
    QString iniPath() const { return m_strIniPath; }

signals:
    // One accepted click: the foot switch and the command (SIniCommand::kSize
    // bytes, valid until the slot returns; read it with z3::decodeIniCommand).
    // The dialog closes after the slot has returned.
    void signal_send_tree_content(quint8 byBtnIndex, quint8 *pbyBuf);

private:
    void init_window();
    void download_ini();
    void download_finished(Download *download, bool bOk);
    void load_ini_file(const QString &strPath);
    void restore_tree_state();
    void save_tree_state();
    void tree_item_expanded(QTreeWidgetItem *item);
    void tree_item_collapsed(QTreeWidgetItem *item);
    void click_tree_item(QTreeWidgetItem *item, int column);
    QStringList get_item_values(const QString &section, const QString &key) const;

    Ui_cDlgLoadINI *ui;
    quint8 m_byBtnIndex;
    SIniCommand m_byBuf;
    QString m_strIniPath;
};
