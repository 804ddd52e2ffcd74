// Helpers of the keyboard page's offscreen tests: a plausible system record,
// the block as bytes, and a page fed through a recording owner that has read
// its record and block.
#pragma once

#include <QByteArray>
#include <QPushButton>
#include <QTranslator>

#include <cstring>

#include "devices/keyboard/cdlgvx18.h"
#include "devices/keyboard/cvx18child.h"
#include "globals.h"
#include "recordingowner.h"

namespace vx18test {

// Tempo 120, gate 50, swing off, delay 15, thresholds 45, on the given preset.
inline QByteArray keyboardRecord(uchar preset = 0)
{
    QByteArray r(30, 0);
    r[0] = char(120);
    r[4] = char(preset);
    r[8] = 50;
    r[9] = 50;
    r[11] = 15;
    for (int i = 12; i < 20; ++i)
        r[i] = 45;
    r[20] = 127;
    return r;
}

inline QByteArray blockBytes(const SVX18ConfigData &b)
{
    return QByteArray(reinterpret_cast<const char *>(&b), int(sizeof b));
}

inline SVX18ConfigData zeroBlock()
{
    SVX18ConfigData b;
    std::memset(&b, 0, sizeof b);
    b.CRC = 1; // not all zero: a block that has arrived
    return b;
}

// The page in the language g_language names, having read the record and the
// block; the frames it sent so far are forgotten.
struct Page
{
    tavrotest::RecordingOwner owner;
    CDlgVX18 page{&owner};
    explicit Page(const SVX18ConfigData &block = zeroBlock(), uchar preset = 0)
    {
        g_downloadLink = QStringLiteral("vx18");
        g_firmwareVersion = 3;
        if (!g_translator)
            g_translator = new QTranslator(qApp);
        page.Slots_change_language();
        receive(tavrotest::frame(CMD_SYSTEM_CONFIG, keyboardRecord(preset)));
        receive(tavrotest::frame(CMD_READ_PRESET, QByteArray(1, char(preset)) + blockBytes(block)));
        owner.frames.clear();
    }
    Page(const Page &) = delete;
    void receive(const QByteArray &f) { page.Slots_recv_frame(reinterpret_cast<const uchar *>(f.constData()), uint(f.size())); }
    Ui_CDlgVX18 *ui() const { return page.form(); }
    CVX18Child *dialog() const { return page.childDialog(); }
    // Clicks the control's button and returns the dialog it opened.
    CVX18Child *open(const QString &control)
    {
        page.findChild<QPushButton *>(control)->click();
        return page.childDialog();
    }
    SVX18ConfigData &block() { return page.model().config(); }
};

} // namespace vx18test
