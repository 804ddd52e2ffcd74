// The colour chooser road of the pad pages and their per-control dialogs: the
// page is busy while the chooser is open (device records and blocks that
// arrive meanwhile are dropped), every change the user makes is written into
// the target colour and sent as a preview, and any close but OK puts the old
// colour back and sends it once more. A preview still waiting in the chooser's
// throttle never lands after the restore. The page can also abandon the
// chooser (the device switched preset under it): it closes and nothing more is
// written or sent. The chooser is modal to its own window (the page or the
// per-control dialog), never to the whole application, so it never holds up
// the page's end: when the device goes, the page is finished at once and the
// chooser closes with it (the colour it puts back is not sent: the connection
// window sends nothing more to a device that has gone).
//
// How a page uses it: one ColourChooserRoad (a child of the page); open() with
// how to find the target colour (looked up at each change: the page may have
// moved), what to do after the target changed (send the preview frame and
// restyle the button), and how to mark itself busy. "Apply the bank colour to
// the pads" is applyColourToPads() with the page's sender.
#pragma once

#include "devices/shared/controlrecords.h"

#include <QObject>
#include <QPointer>

#include <functional>

class ColorPicker;
class QWidget;

namespace pagekit {

class ColourChooserRoad : public QObject
{
public:
    struct SRoad
    {
        std::function<SColourGRB *()> target; // the colour being edited; null: nothing to write
        std::function<void(bool restored)> changed; // after the target changed: a preview, or the restore
        std::function<void()> confirmed;       // after OK left another colour than the one opened on
        std::function<void(bool)> busy;        // true while the chooser is open (may be empty)
    };

    explicit ColourChooserRoad(QWidget *page);
    ~ColourChooserRoad() override;

    // Opens a chooser on the target's colour (closing one still open, as
    // Cancel would). Returns it (it deletes itself when closed).
    ColorPicker *open(const SRoad &road);
    // Closes an open chooser without restoring or sending anything; the page
    // is no longer busy.
    void abandon();
    bool isOpen() const;
    ColorPicker *picker() const;

private:
    void finish(int result);
    // Forgets the chooser and closes it, without a word to the page.
    ColorPicker *drop();

    QWidget *m_page;
    QPointer<ColorPicker> m_picker;
    SRoad m_road;
    SColourGRB m_saved{0, 0, 0};
};

// Sets count pad colours to colour, then sends once (the page's all-pads
// preview).
void applyColourToPads(SColourGRB *pads, uint count, const SColourGRB &colour, const std::function<void()> &send);

} // namespace pagekit
