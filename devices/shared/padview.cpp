#include "padview.h"

#include <QCoreApplication>
#include <QWidget>

#include "utils.h"

namespace pagekit {

const QString g_padGroupStyle =
    QStringLiteral("background-color:%1;border: 2px solid rgba(255, 255, 255, 0.6);padding: 5px 15px;");
const QString g_padGroupRadius = QStringLiteral("border-radius: 10px;");

QString padCaption(const SControlRecord &rec, const char *context)
{
    // The pad pages' catalogues hold these under each page's own context.
    static const char *const texts[] = {
        QT_TRANSLATE_NOOP("CRZM7", "Note\nCH:%1\ndata1:%2\nrange:%3-%4"),
        QT_TRANSLATE_NOOP("CRZM7", "CC Toggle\nCH:%1\ndata1:%2\nvalue:%3 or %4"),
        QT_TRANSLATE_NOOP("CRZM7", "momentary\nCH:%1\ndata1:%2\nDown:%3\nUp:%4"),
        QT_TRANSLATE_NOOP("CRZM7", "PC\nCH:%1\nMSB:%2\nLSB:%3\nProgram:%4"),
        QT_TRANSLATE_NOOP("CRZM7", "Customize"),
    };
    const uint mode = rec.mode();
    QString text;
    if (mode <= 3) {
        text = QCoreApplication::translate(context, texts[mode])
                   .arg(int(rec.channel()))
                   .arg(int(rec.data1))
                   .arg(int(rec.value1))
                   .arg(int(rec.value2));
    } else if (mode == 4) {
        text = QCoreApplication::translate(context, texts[4]);
    }
    if (rec.flag())
        text.prepend(QStringLiteral("MCP-"));
    return text;
}

QString padButtonStyle(uchar r, uchar g, uchar b)
{
    return QStringLiteral("QPushButton{border: none;background: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.75,"
                          "fx: 0.5, fy: 0.5,stop: 0 rgb(%1, %2, %3),stop: 1 rgba(%1, %2, %3, 30));color: #%4;"
                          "border: 2px solid rgba(255, 255, 255, 0.6);border-radius: 10px;padding: 4px 2px;"
                          "font-size:12px;font-family:'Arial';}")
        .arg(int(r))
        .arg(int(g))
        .arg(int(b))
        .arg(inverseColorHex(r, g, b));
}

void setPadStyle(QWidget *button, const SColourGRB &colour)
{
    if (button)
        button->setStyleSheet(padButtonStyle(colour.r, colour.g, colour.b));
}

QString colourCss(const SColourGRB &colour)
{
    return QStringLiteral("rgb(%1,%2,%3);color:#%4")
        .arg(int(colour.r))
        .arg(int(colour.g))
        .arg(int(colour.b))
        .arg(inverseColorHex(colour.r, colour.g, colour.b));
}

QString groupButtonStyle(const SColourGRB &colour)
{
    return g_padGroupStyle.arg(colourCss(colour)) + g_padGroupRadius;
}

void setGroupButtonStyle(QWidget *button, const SColourGRB &colour)
{
    if (button)
        button->setStyleSheet(groupButtonStyle(colour));
}

} // namespace pagekit
