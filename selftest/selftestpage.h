// Base of the two factory self-test pages (pad controllers and keyboard): a
// page that keeps the base closing behaviour (closing tells the owner, and
// Escape closes like the window's close box), status lamps that take no focus,
// action buttons that Return and Enter never press, the two tones, the MIDI
// monitor with its scroll flag, the senders of the test frames, and the folder
// of the "audio" and "ConfigData" files.
#pragma once

#include <QString>

#include <initializer_list>

#include "cbasedlg.h"
#include "selftestoutput.h"

class QKeyEvent;
class MidiMonitorList;
class QListWidget;
class QPushButton;
class SelfTestTones;

class SelfTestPage : public CBaseDlg, public SelfTestOutput
{
    Q_OBJECT
public:
    SelfTestPage(CBaseDlg *owner, QWidget *parent);
    ~SelfTestPage() override;

    // The folder that holds "audio" and "ConfigData": the application's
    // folder unless a test set another (an empty folder restores it).
    static QString filesFolder();
    static void setFilesFolder(const QString &folder);
    static QString audioFolder();
    static QString configFolder();

    // ---- SelfTestOutput: frames through the owner, tones ----
    bool sendFrame(const uchar *frame, uint len) override;
    void playTone(bool high) override { play_beep(high); }
    void unitSilent() override { emit signal_unit_silent(); }

    // The owner opened the unit's ports again and started its test mode.
    virtual void unit_relinked() {}

    // Creates the tones from audioFolder(); false when the folder is missing
    // (the page then shows its own error and stays silent).
    bool create_tones();
    void play_beep(bool high);
    SelfTestTones *tones() const { return m_tones; }

    // ---- the MIDI monitor ----
    // The page's list from its form; it keeps kMonitorCap lines.
    static constexpr int kMonitorCap = 250;
    void setup_monitor(QListWidget *list);
    // One line for a short message. Lines go into the list, and the list
    // scrolls to its end, at the page's next tick.
    void add_monitor_line(uint message);
    void scroll_monitor_if_pending();
    bool scroll_pending() const { return m_scrollPending; }
    void clear_monitor();
    MidiMonitorList *monitor() const { return m_monitor; }

signals:
    // The unit no longer answers and was taken as gone (the page has
    // restarted): its owner is to open a present unit's ports again.
    void signal_unit_silent();

protected:
    // Lamps are checkable and never take the focus; a click still toggles one.
    static void prepare_lamps(std::initializer_list<QPushButton *> lamps);

    // Escape closes the page as the close box does; Return and Enter press
    // nothing; other keys take the dialog's way.
    void keyPressEvent(QKeyEvent *event) override;

private:
    SelfTestTones *m_tones;
    MidiMonitorList *m_monitor = nullptr;
    bool m_scrollPending = false;
};
