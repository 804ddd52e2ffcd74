// The online preset list: the preset names of one model's index on the
// download server, plus preset files kept locally, with download, delete and
// tutorial links. It hands the path of a preset file on disk to its page and
// never talks to the device.
#pragma once

#include <QDialog>
#include <QMap>
#include <QString>
#include <QUrl>

#include "download.h"

namespace Ui {
class CDlgPreset;
}

// True when a list row stands for a local preset file: its text holds the
// suffix and is a plain file name (no folder separators, no "..", not
// absolute). Every other row names a preset on the server.
bool isLocalPresetRow(const QString &strText, const QString &strSuffix);

// The location to open for a tutorial link: "https://" is put in front of a
// link without a scheme. Empty when the result is not a web location with a
// host (nothing is opened then).
QUrl tutorialUrl(const QString &strLink);

class CDlgPreset : public QDialog
{
Q_OBJECT

public:
    // nDeviceId: model number (1, 7, 8 or 9); bHideVideoRow hides the tutorial row.
    CDlgPreset(int nDeviceId, bool bHideVideoRow, QWidget *parent = nullptr);
    ~CDlgPreset() override;

    void clear_list();
    // Appends the names of the group "files" of a local preset index, in key order,
    // in front of the rows already listed.
    void fill_list(const QString &strLocalIndexPath);
    // Downloads one file to strLocalPath; a preset file (kind Preset) is then
    // announced by signals_download_preset, an index (kind Index) is listed
    // and announced by signals_index_downloaded.
    void download(const QString &strUrl, const QString &strLocalPath, DownloadKind kind);

    // Folder of the model's local preset files (ends in "/").
    QString localFolder() const { return m_localFolder; }
    QString suffix() const { return m_suffix; }
    QString serverFolder() const { return m_path; }
    // Path to which every server preset of this model is downloaded.
    QString downloadedPresetPath() const;

signals:
    void signals_download_preset(QString strPresetPath);
    // An index was downloaded whole, kept at strLocalPath and listed.
    void signals_index_downloaded(QString strLocalPath);

private:
    void init();
    void init_connect();
    void read_model_config();
    void load_video_links(const QString &strLocalIndexPath);
    void on_download_finished(const QString &strLocalPath, DownloadKind kind, Download *pDownload, bool bOk);
    void show_message(const QString &strText, int nMs);

    void click_load_preset();
    void click_delete_select_item();
    void click_video();
    void update_video_label(int nRow);

    Ui::CDlgPreset *ui;
    QMap<int, QString> m_videoCn;
    QMap<int, QString> m_videoEn;
    QString m_homePageCn;
    QString m_homePageEn;
    int m_deviceId;
    QString m_path;
    QString m_suffix;
    QString m_localFolder;
    bool m_chineseSystem = false;
    bool m_hideVideoRow;
};
