#include "midimonitorlist.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>
#include <QTimer>

#include "midinames.h"
#include "utils.h"

const QColor g_sysexLineColour(255, 255, 142);

QString midiMessageLine(uint message, bool withStatusName)
{
    const uchar status = uchar(message & 0xFF);
    const uchar data1 = uchar((message >> 8) & 0xFF);
    const uchar data2 = uchar((message >> 16) & 0xFF);
    QString line = withStatusName ? midiStatusName(uchar(status & 0xF0)) + byteToHex(status) : byteToHex(status);
    const bool oneData = (status >= 0xC0 && status <= 0xDF) || status == 0xF1 || status == 0xF3;
    const bool twoData = (status >= 0x80 && status <= 0xBF) || (status >= 0xE0 && status <= 0xEF) || status == 0xF2;
    if (oneData)
        line += QLatin1Char(' ') + byteToHex(data1);
    else if (twoData)
        line += QLatin1Char(' ') + byteToHex(data1) + QLatin1Char(' ') + byteToHex(data2);
    return line;
}

QColor midiMessageColour(uint message)
{
    return midiStatusColour(uchar(message & 0xFF));
}

bool sysexLine(const uchar *msg, uint len, QString *line)
{
    QString text;
    for (uint i = 0; msg && i < len; ++i) {
        text += byteToHex(msg[i]) + QLatin1Char(' ');
        if (msg[i] == 0xF7) {
            if (line)
                *line = text;
            return true;
        }
    }
    return false;
}

MidiMonitorList::MidiMonitorList(QListWidget *list, const SOptions &options, QObject *parent)
    : QObject(parent), m_list(list), m_options(options)
{
    // Every line is one text row: the list need not measure each one.
    m_list->setUniformItemSizes(true);
}

void MidiMonitorList::addMessage(uint message)
{
    addLine(midiMessageLine(message, m_options.withStatusName), midiMessageColour(message));
}

void MidiMonitorList::addSysex(const uchar *msg, uint len)
{
    QString line;
    if (sysexLine(msg, len, &line))
        addLine(line, g_sysexLineColour);
}

void MidiMonitorList::addLine(const QString &text, const QColor &colour)
{
    m_pending.append(SLine{text, colour});
    // More waiting lines than the list keeps: the oldest would go at once.
    if (m_pending.size() > m_options.cap)
        m_pending.remove(0, m_pending.size() - m_options.cap);
    schedule();
}

void MidiMonitorList::schedule()
{
    if (m_scheduled || m_options.flushByPage)
        return;
    m_scheduled = true;
    QTimer::singleShot(kOwnTickMs, this, [this] {
        m_scheduled = false;
        flush();
    });
}

void MidiMonitorList::flush()
{
    if (m_pending.isEmpty())
        return;
    const int cap = m_options.cap;
    const int incoming = m_pending.size();
    // One trim for the batch, before it goes in.
    const int drop = std::min(m_list->count(), std::max(0, m_list->count() + incoming - cap));
    if (drop > 0) {
        if (drop == m_list->count())
            m_list->clear();
        else
            m_list->model()->removeRows(0, drop);
    }
    // One insertion for the batch; the colours go on before the list paints.
    const int first = m_list->count();
    QStringList texts;
    texts.reserve(incoming);
    for (const SLine &line : m_pending)
        texts << line.text;
    m_list->insertItems(first, texts);
    {
        const QSignalBlocker quiet(m_list->model());
        for (int i = 0; i < incoming; ++i) {
            if (m_pending[i].colour.isValid())
                m_list->item(first + i)->setForeground(m_pending[i].colour);
        }
    }
    m_pending.clear();
    if (m_options.scrollOnFlush)
        m_list->scrollToBottom();
}

void MidiMonitorList::clear()
{
    m_pending.clear();
    m_list->clear();
}
