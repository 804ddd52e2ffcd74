// What the pad pages (pad controller, small pad controller) show of a pad: its
// caption, its button's style in the pad's LED colour, and the style of the
// bank and group buttons in their colour.
//
// How a page uses it: padCaption(record, "ThePagesClass") for each pad button's
// text (the templates are translated in the page's own context, so its
// catalogue holds them under that context); setPadStyle() with the pad's
// colour; setGroupButtonStyle() (g_padGroupStyle with colourCss, then
// g_padGroupRadius) for a bank or group button.
#pragma once

#include "devices/shared/controlrecords.h"

#include <QString>

class QWidget;

namespace pagekit {

// The caption of a pad button, translated in the given context: modes 0..3
// with channel and values, "Customize" for mode 4, empty for 5..7, with "MCP-"
// in front when the flag is set.
QString padCaption(const SControlRecord &rec, const char *context);

// The style sheet of a pad button lit in rgb(r, g, b), its text in the
// complementary colour.
QString padButtonStyle(uchar r, uchar g, uchar b);
void setPadStyle(QWidget *button, const SColourGRB &colour);

// "background-color:%1;border: 2px solid rgba(255, 255, 255, 0.6);padding: 5px 15px;"
extern const QString g_padGroupStyle;
// "border-radius: 10px;"
extern const QString g_padGroupRadius;

// "rgb(r,g,b);color:#<complement>": the %1 of g_padGroupStyle.
QString colourCss(const SColourGRB &colour);
// g_padGroupStyle with colourCss(colour), then g_padGroupRadius.
QString groupButtonStyle(const SColourGRB &colour);
void setGroupButtonStyle(QWidget *button, const SColourGRB &colour);

} // namespace pagekit
