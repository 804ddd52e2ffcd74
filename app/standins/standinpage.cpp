#include "standinpage.h"

#include <QCloseEvent>

StandInPage::StandInPage(CBaseDlg *owner, const char *className, CloseKind closeKind)
    : CBaseDlg(owner, nullptr), m_closeKind(closeKind)
{
    setObjectName(QLatin1String(className));
    setWindowTitle(QLatin1String(className));
    resize(400, 200);
}

void StandInPage::Slots_recv_frame(const uchar *frame, uint len)
{
    m_frames.append(QByteArray(reinterpret_cast<const char *>(frame), int(len)));
}

void StandInPage::Slots_recv_sysex(const uchar *msg, uint len)
{
    m_sysex.append(QByteArray(reinterpret_cast<const char *>(msg), int(len)));
}

void StandInPage::Slots_recv_midi(uint message)
{
    m_midi.append(message);
}

void StandInPage::closeEvent(QCloseEvent *event)
{
    if (m_closeKind == BaseClose) {
        CBaseDlg::closeEvent(event);
        return;
    }
    event->accept();
    Slots_back_to_connect();
}

#ifndef TAVRO_HAVE_CRZM7
CRZM7::CRZM7(CBaseDlg *owner, QWidget *) : StandInPage(owner, "CRZM7", HandsBack) {}
#endif
#ifndef TAVRO_HAVE_CDLGRZNANO
cDlgRznano::cDlgRznano(CBaseDlg *owner, QWidget *) : StandInPage(owner, "cDlgRznano", HandsBack) {}
#endif
#ifndef TAVRO_HAVE_CDLGVX18
CDlgVX18::CDlgVX18(CBaseDlg *owner, QWidget *) : StandInPage(owner, "CDlgVX18", HandsBack) {}
#endif
#ifndef TAVRO_HAVE_CDLGZ3
cDlgZ3::cDlgZ3(CBaseDlg *owner, QWidget *) : StandInPage(owner, "cDlgZ3", HandsBack) {}
#endif
#ifndef TAVRO_HAVE_MASTER
master::master(CBaseDlg *owner, QWidget *) : StandInPage(owner, "master", HandsBack) {}
#endif
#ifndef TAVRO_HAVE_SELFCHECK
SelfCheck::SelfCheck(uchar deviceType, CBaseDlg *owner, QWidget *)
    : StandInPage(owner, "SelfCheck", BaseClose), m_deviceType(deviceType)
{
}
#endif
#ifndef TAVRO_HAVE_CTESTDLG
cTestDlg::cTestDlg(CBaseDlg *owner, uchar deviceId, QWidget *)
    : StandInPage(owner, "cTestDlg", BaseClose), m_deviceId(deviceId)
{
}
#endif
