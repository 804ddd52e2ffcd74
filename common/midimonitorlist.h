// The MIDI monitor of every page: one line per MIDI message the device sends
// (SysEx messages that are not device frames, and short messages), coloured
// from g_statusColours, the oldest lines going once the cap is reached.
//
// How a page uses it: one MidiMonitorList over the list widget of its form,
// with its cap (editor pages 500, foot pedal pages 499, self-tests 250) and
// its options; its Slots_recv_sysex and Slots_recv_midi hand the message to
// addSysex() and addMessage() (or a line of its own to addLine()), its clear
// button calls clear(). Lines wait and go into the list together, so that the
// list lays itself out, trims and scrolls once per batch instead of once per
// message: a page with a timer of its own calls flush() from its tick (the
// pad and keyboard pages every 200 ms); otherwise the list flushes on a tick
// of its own, kOwnTickMs after the first waiting line. Whoever reads the list
// at once calls flush() first. The line texts are pure functions, for the pages and their tests.
#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QVector>

class QListWidget;

// The colour of a SysEx line: rgb(255, 255, 142).
extern const QColor g_sysexLineColour;

// The line of a short message (status | data1 << 8 | data2 << 16): the status
// name of status & 0xF0 (when withStatusName; "Note ON: " and the like, empty
// for system messages), the status in two upper-case hex digits, then " " and
// data1 for C0..DF, F1, F3, or " ", data1, " ", data2 for 80..BF, E0..EF, F2;
// other statuses show alone.
QString midiMessageLine(uint message, bool withStatusName = true);
// Its colour: g_statusColours of status & 0xF0 (invalid when none, which
// leaves the list's own colour).
QColor midiMessageColour(uint message);
// The line of a SysEx message: "%02X " per byte from the first up to and
// including the first F7. False (no line) when there is no F7.
bool sysexLine(const uchar *msg, uint len, QString *line);

class MidiMonitorList : public QObject
{
public:
    struct SOptions
    {
        int cap = 500;               // at most this many lines
        bool withStatusName = true;  // short-message lines start with the status name
        bool scrollOnFlush = true;   // each batch scrolls the list to its end
        bool flushByPage = false;    // the page calls flush() from its timer; else the list's own tick
    };
    static constexpr int kOwnTickMs = 100;

    MidiMonitorList(QListWidget *list, const SOptions &options, QObject *parent = nullptr);

    void addMessage(uint message);
    void addSysex(const uchar *msg, uint len);
    void addLine(const QString &text, const QColor &colour);
    // Puts the waiting lines into the list now: one trim, one insertion, one
    // scroll.
    void flush();
    void clear();

    // Lines that wait for the next flush.
    int pending() const { return m_pending.size(); }

private:
    struct SLine
    {
        QString text;
        QColor colour;
    };
    void schedule();

    QListWidget *m_list;
    SOptions m_options;
    QVector<SLine> m_pending;
    bool m_scheduled = false;
};
