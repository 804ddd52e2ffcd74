// The event entry dialog of both foot pedal pages: one MIDI message of 16
// kinds, or a free byte string typed in hexadecimal (the SysEx entry). It
// shows only the fields the chosen type has, offers program or drum names for
// a program change, checks a SysEx text and hands the entry back through one
// of its two signals. It knows nothing of the page that opened it.
#pragma once

#include <QDialog>
#include <QList>

class Ui_cValueKey;

class cValueKey : public QDialog
{
    Q_OBJECT
public:
    explicit cValueKey(QWidget *parent = nullptr);
    ~cValueKey() override;

    // Prepares the dialog: "Add Data" for a new entry (type, channel, Data1
    // and Data2 back to their first rows), a listed event row ("[01]   92   3C   64")
    // for its type, channel and data, any other text as a SysEx row.
    void set_values(const QString &itemText);
    // Sets the dialog's own texts again in the current language.
    void retranslateUi();

    // The SysEx text as the dialog hands it on: the hexadecimal digits of text
    // in groups of two joined by single blanks (letters keep their case; an
    // odd last digit is a group of its own); empty when there is no digit or
    // more than 64 groups.
    static QString format_sysex_text(const QString &text);

    Ui_cValueKey *form() const { return ui; }

signals:
    // status (0x80..0xE0 with channel 0..15, or a system status with its low
    // nibble as channel), channel, data1, data2.
    void signal_key_midi_event(QList<int> nData);
    // The normalised SysEx text followed by one blank ("F0 7E 7F 06 01 F7 ").
    void signal_key_midi_sysex(QString &strbuf);

private:
    void init_ui();
    void init_connect();
    void click_combobox_type(int index);
    void click_combobox_channel();
    void click_button_ok();
    void click_button_DelText();
    void fill_data1(const QStringList &rows);

    Ui_cValueKey *ui;
    quint8 m_event[4] = {0, 0, 0, 0}; // status, channel, data1, data2
    int m_lastType = -1;
};
