#include "selftestpage.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "midimonitorlist.h"
#include "selftesttones.h"

namespace {
QString g_filesFolder;
}

SelfTestPage::SelfTestPage(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent), m_tones(new SelfTestTones(this))
{
}

SelfTestPage::~SelfTestPage() = default;

QString SelfTestPage::filesFolder()
{
    return g_filesFolder.isEmpty() ? QCoreApplication::applicationDirPath() : g_filesFolder;
}

void SelfTestPage::setFilesFolder(const QString &folder)
{
    g_filesFolder = folder;
}

QString SelfTestPage::audioFolder()
{
    return filesFolder() + QStringLiteral("/audio");
}

QString SelfTestPage::configFolder()
{
    return filesFolder() + QStringLiteral("/ConfigData");
}

bool SelfTestPage::sendFrame(const uchar *frame, uint len)
{
    return Slots_send_data(frame, int(len));
}

bool SelfTestPage::create_tones()
{
    return m_tones->load(audioFolder());
}

void SelfTestPage::play_beep(bool high)
{
    m_tones->play(high);
}

void SelfTestPage::setup_monitor(QListWidget *list)
{
    MidiMonitorList::SOptions options;
    options.cap = kMonitorCap;
    options.withStatusName = true;
    options.scrollOnFlush = true;
    options.flushByPage = true;
    m_monitor = new MidiMonitorList(list, options, this);
}

void SelfTestPage::add_monitor_line(uint message)
{
    if (m_monitor)
        m_monitor->addMessage(message);
    m_scrollPending = true;
}

void SelfTestPage::scroll_monitor_if_pending()
{
    if (!m_scrollPending)
        return;
    m_scrollPending = false;
    if (m_monitor)
        m_monitor->flush();
}

void SelfTestPage::clear_monitor()
{
    if (m_monitor)
        m_monitor->clear();
}

void SelfTestPage::prepare_lamps(std::initializer_list<QPushButton *> lamps)
{
    for (QPushButton *lamp : lamps) {
        lamp->setCheckable(true);
        lamp->setFocusPolicy(Qt::NoFocus);
    }
}

void SelfTestPage::keyPressEvent(QKeyEvent *event)
{
    // QDialog would reject() on Escape, which hides and deletes the page
    // without its close handling: the owner would keep a pointer to it.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        close();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    CBaseDlg::keyPressEvent(event);
}
