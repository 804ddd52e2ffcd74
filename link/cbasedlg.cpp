#include "cbasedlg.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include "ceventbase.h"

CBaseDlg::CBaseDlg(CBaseDlg *owner, QWidget *parent)
    : QDialog(parent), m_owner(owner)
{
}

uint CBaseDlg::Slots_recv_data(const uchar *data, uint len)
{
    return splitMidiStream(data, len, FrameBuffer{m_frameBuf, kFrameBufSize, &m_frameLen}, *this);
}

bool CBaseDlg::Slots_send_data(const uchar *frame, int len)
{
    return m_owner ? m_owner->Slots_send_data(frame, len) : false;
}

bool CBaseDlg::Slots_back_to_connect()
{
    return m_owner ? m_owner->Slots_back_to_connect() : false;
}

void CBaseDlg::post_event_to_owner(int, uint value1, uint value2)
{
    if (!m_owner)
        return;
    QCoreApplication::postEvent(m_owner, new CEventBase(EVENT_OWNER_NOTIFY, value1, value2));
    QCoreApplication::processEvents();
}

void CBaseDlg::reject()
{
    // Inside closeEvent QDialog's handling rejects the dialog itself: that
    // one is QDialog's.
    if (m_inCloseEvent)
        QDialog::reject();
    else
        close();
}

void CBaseDlg::closeEvent(QCloseEvent *event)
{
    if (m_owner) {
        CEventBase closed(EVENT_PAGE_CLOSED, 0, 0);
        QCoreApplication::sendEvent(m_owner, &closed);
    }
    m_inCloseEvent = true;
    QDialog::closeEvent(event);
    m_inCloseEvent = false;
}
