// The firmware upgrade dialog and engine: firmware index and image download,
// version rule, the device's switch into upgrade mode, the drive search and
// the upgrade itself through the vendor's upgrade library, plus resumption of
// a failed upgrade and the offline upgrade from a local image.
#pragma once

#include <QPointer>
#include <QSettings>
#include <QString>

#include "cbasedlg.h"
#include "vendorlib/jlupgradeapi.h"

class Download;
enum class DownloadKind;
class QCloseEvent;
class QHideEvent;
class QKeyEvent;
class QLibrary;
class Ui_cUpgrade;

class cUpgrade : public CBaseDlg
{
    Q_OBJECT

public:
    // Kinds of progress shown by set_progress.
    enum ProgressKind { PROGRESS_DOWNLOAD = 0, PROGRESS_UPGRADE = 1 };

    cUpgrade(CBaseDlg *owner, QWidget *parent);
    ~cUpgrade() override;

    // Loads the upgrade library and resolves its functions; false when it is
    // missing or incomplete. Called before anything else, and again at each
    // start of an upgrade.
    bool init();

    // Shows the dialog and fetches the firmware index at url into localPath,
    // then lists it (download_ufw fetches an image). While a run is under way
    // the dialog is only raised: the run's files are left alone.
    void download(const QString &url, const QString &localPath);
    void load_firmware_list(const QString &iniPath, const QString &folder);
    void click_upgrade();
    void download_ufw(const QString &name);
    void set_progress(uchar value, int kind);

    // The upgrade run.
    void get_UFW_Pid_Vid(const QString &path);
    void get_device_disk();
    void start_upgrade_by_ID();
    static void upgrade_progress_callback(uchar percent);

    // Resumption and offline upgrade.
    bool find_device_disk();
    void resume_upgrade();
    void click_offline_upgrade();

    // The version number in a firmware name ("V" and digits), 0 when none.
    static int get_ufw_version(const QString &name);
    // Removes a folder with everything in it; symbolic links are removed,
    // never followed.
    static bool delete_folder(const QString &path);

    // Where the upgrade library is loaded from: TAVRO_UPGRADE_LIB when set,
    // else the library's name, beside the executable.
    static QString library_path();
    // The model folder of a location on the download server: the part after
    // the server's base location up to the last "/" ("rz7/"); for a location
    // elsewhere, the last folder of its path.
    static QString folder_of_url(const QString &url);
    // Folder and file of every download: beside the executable.
    static QString upgrade_folder();
    static QString index_path();
    static QString image_path();

    void Slots_recv_frame(const uchar *, uint) override {}
    void Slots_recv_sysex(const uchar *, uint) override {}
    void Slots_recv_midi(uint) override {}
    void Slots_change_language() override;

    // What the last image and device reported (for the callers' logs).
    QString ufwPid() const { return m_ufwPid; }
    QString ufwVid() const { return m_ufwVid; }
    char driveLetter() const { return m_driveLetter; }
    // A run (from the confirmation to its end) is under way; switched: the
    // device has been told to leave MIDI for upgrade mode.
    bool isRunning() const { return m_running; }
    bool deviceSwitched() const { return m_switched; }

    // Closing is refused while the device is switched, until the run ends.
    void done(int result) override;
    // The upgrade dialog is no page: Escape keeps QDialog's handling (done()),
    // not the pages' close road.
    void reject() override { QDialog::reject(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Hiding the dialog before the device is switched cancels the run.
    void hideEvent(QHideEvent *event) override;

private:
    void init_window();
    void connect_signals();
    void load_translator();
    void unload_library();
    // Chip name from the library, then 'C'..'Y' until one answers with it;
    // 0 when none does.
    char search_drives();
    void fetch(const QString &url, const QString &localPath, DownloadKind kind);
    void on_fetched(Download *download, const QString &localPath, DownloadKind kind, bool ok);
    void run_image(const QString &path);
    void switch_and_flash();
    void begin_run(bool offline);
    void end_run();
    void cancel();
    void update_buttons();
    QString resumable_index_url() const;
    // False when the record could not be written.
    bool store_failure(const QString &imageUrl);
    // stored false: the box says only that a restart will not resume.
    void show_failure(const QString &text, bool stored);
    // A fading message over the dialog, 2 s unless told otherwise.
    void show_notice(const QString &text, int nMs = 2000);
    void show_download_failed();
    void clear_progress();

    QString m_ufwPid;
    QString m_ufwVid;
    QString m_devPid;
    QString m_devVid;
    char m_driveLetter = 0;
    uchar m_upgradeArg1 = 1;
    uchar m_upgradeArg2 = 1;
    QString m_iniUrl;
    QString m_ufwUrl;
    QString m_folder;
    QString m_resumeFolder;          // the stored index's folder, once resumed
    QSettings *m_settings = nullptr;
    QPointer<Download> m_download;   // the index or image being fetched
    bool m_running = false;          // a run is under way
    bool m_offline = false;          // it flashes a local file
    bool m_switched = false;         // CMD_ENTER_UPGRADE has been sent

    JL_loadUfwData_t m_loadUfwData = nullptr;
    JL_getUfwDataCrc_t m_getUfwDataCrc = nullptr;
    JL_getUfwCrc_t m_getUfwCrc = nullptr;
    JL_getUfwPidVid_t m_getUfwPidVid = nullptr;
    JL_upgradeDevice_t m_upgradeDevice = nullptr;
    JL_queryDevicePidVid_t m_queryDevicePidVid = nullptr;
    JL_upgradeDeviceByPath_t m_upgradeDeviceByPath = nullptr;
    JL_queryDevicePidVidByPath_t m_queryDevicePidVidByPath = nullptr;
    JL_clearPcModeName_t m_clearPcModeName = nullptr;
    JL_setPcModeWaitTime_t m_setPcModeWaitTime = nullptr;
    JL_addPcModeName_t m_addPcModeName = nullptr;
    JL_queryDeviceDesc_t m_queryDeviceDesc = nullptr;
    JL_queryDeviceDescByPath_t m_queryDeviceDescByPath = nullptr;
    JL_getChipDeviceName_t m_getChipDeviceName = nullptr;

    QLibrary *m_library = nullptr;
    Ui_cUpgrade *ui = nullptr;
};

// The most recently constructed upgrade dialog (null once it is destroyed):
// the library's progress callback reaches the dialog through it.
extern cUpgrade *g_upgradeInstance;
