#include "colourchooser.h"

#include <QDialog>

#include <algorithm>

#include "colorpicker.h"

namespace pagekit {

namespace {

SColourGRB fromQColor(const QColor &c)
{
    return SColourGRB::fromRgb(uchar(c.red()), uchar(c.green()), uchar(c.blue()));
}

} // namespace

ColourChooserRoad::ColourChooserRoad(QWidget *page)
    : QObject(page), m_page(page)
{
}

ColourChooserRoad::~ColourChooserRoad()
{
    // The chooser writes into the page's colours: it must not outlive the
    // road. The page is going: nothing is told to it.
    if (ColorPicker *picker = drop())
        delete picker;
}

bool ColourChooserRoad::isOpen() const
{
    return !m_picker.isNull();
}

ColorPicker *ColourChooserRoad::picker() const
{
    return m_picker.data();
}

ColorPicker *ColourChooserRoad::drop()
{
    ColorPicker *picker = m_picker.data();
    if (picker)
        disconnect(picker, nullptr, this, nullptr);
    m_road = SRoad();
    m_picker = nullptr;
    return picker;
}

ColorPicker *ColourChooserRoad::open(const SRoad &road)
{
    if (m_picker)
        m_picker->reject();
    SColourGRB *target = road.target ? road.target() : nullptr;
    if (!target)
        return nullptr;
    m_road = road;
    m_saved = *target;
    if (m_road.busy)
        m_road.busy(true);

    auto *picker = new ColorPicker(m_page);
    m_picker = picker;
    picker->setAttribute(Qt::WA_DeleteOnClose);
    // Modal to its own window only: an application-modal chooser counts as a
    // box the page waits on, so the connection window would keep a page whose
    // device has gone until the chooser closed, every move going on to the
    // gone device. This way the page goes with its device, the chooser with it.
    picker->setWindowModality(Qt::WindowModal);
    picker->setCurrentColor(QColor(m_saved.r, m_saved.g, m_saved.b, 255));
    connect(picker, &ColorPicker::colorChanged, this, [this](QColor c) {
        SColourGRB *t = m_road.target ? m_road.target() : nullptr;
        if (!t)
            return;
        *t = fromQColor(c);
        if (m_road.changed)
            m_road.changed(false);
    });
    connect(picker, &QDialog::finished, this, [this](int result) { finish(result); });
    picker->show();
    picker->raise();
    picker->activateWindow();
    return picker;
}

void ColourChooserRoad::finish(int result)
{
    ColorPicker *picker = m_picker.data();
    // A change still waiting in the chooser's throttle must not land after this.
    if (picker)
        disconnect(picker, nullptr, this, nullptr);
    if (!picker)
        return;
    SColourGRB *target = m_road.target ? m_road.target() : nullptr;
    if (target) {
        if (result == QDialog::Accepted) {
            // The colour of a change still in the throttle is the user's choice.
            const QColor chosen = picker ? picker->currentColor() : QColor();
            if (chosen.isValid() && fromQColor(chosen) != *target) {
                *target = fromQColor(chosen);
                if (m_road.changed)
                    m_road.changed(false);
            }
            if (*target != m_saved && m_road.confirmed)
                m_road.confirmed();
        } else {
            *target = m_saved;
            if (m_road.changed)
                m_road.changed(true);
        }
    }
    const auto busy = m_road.busy;
    drop();
    if (busy)
        busy(false);
}

void ColourChooserRoad::abandon()
{
    if (!m_picker)
        return;
    const auto busy = m_road.busy;
    drop()->close();
    if (busy)
        busy(false);
}

void applyColourToPads(SColourGRB *pads, uint count, const SColourGRB &colour, const std::function<void()> &send)
{
    if (pads)
        std::fill(pads, pads + count, colour);
    if (send)
        send();
}

} // namespace pagekit
