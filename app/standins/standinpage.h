// Placeholder pages for the models whose editors are not in the tree yet. Each
// one carries the real class name, records what the connection window hands
// it, and closes like the page it stands for: an editor page hands back to
// the connection window, the other pages keep the base closing behaviour.
#pragma once

// A page whose class is in the tree replaces its stand-in: app/CMakeLists.txt
// defines TAVRO_HAVE_<class> for it.

#include <QByteArray>
#include <QVector>

#include "cbasedlg.h"

class StandInPage : public CBaseDlg
{
    Q_OBJECT
public:
    enum CloseKind { HandsBack, BaseClose };

    StandInPage(CBaseDlg *owner, const char *className, CloseKind closeKind);

    void Slots_recv_frame(const uchar *frame, uint len) override;
    void Slots_recv_sysex(const uchar *msg, uint len) override;
    void Slots_recv_midi(uint message) override;
    void Slots_change_language() override { ++m_languageCalls; }
    void Slots_device_removed() override { ++m_removedCalls; }

    QVector<QByteArray> m_frames;
    QVector<QByteArray> m_sysex;
    QVector<uint> m_midi;
    int m_languageCalls = 0;
    int m_removedCalls = 0;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    const CloseKind m_closeKind;
};

// Editor pages. They add no texts or signals of their own, so they carry no
// Q_OBJECT (which also keeps moc away from the conditional blocks).
#ifndef TAVRO_HAVE_CRZM7
class CRZM7 : public StandInPage
{
public:
    CRZM7(CBaseDlg *owner, QWidget *parent = nullptr);
};
#endif

#ifndef TAVRO_HAVE_CDLGRZNANO
class cDlgRznano : public StandInPage
{
public:
    cDlgRznano(CBaseDlg *owner, QWidget *parent = nullptr);
};
#endif

#ifndef TAVRO_HAVE_CDLGVX18
class CDlgVX18 : public StandInPage
{
public:
    CDlgVX18(CBaseDlg *owner, QWidget *parent = nullptr);
};
#endif

#ifndef TAVRO_HAVE_CDLGZ3
class cDlgZ3 : public StandInPage
{
public:
    cDlgZ3(CBaseDlg *owner, QWidget *parent = nullptr);
};
#endif

#ifndef TAVRO_HAVE_MASTER
class master : public StandInPage
{
public:
    master(CBaseDlg *owner, QWidget *parent = nullptr);
};
#endif

// Pages that keep the base closing behaviour.
#ifndef TAVRO_HAVE_SELFCHECK
class SelfCheck : public StandInPage
{
public:
    SelfCheck(uchar deviceType, CBaseDlg *owner, QWidget *parent = nullptr);
    const uchar m_deviceType;
};
#endif

#ifndef TAVRO_HAVE_CTESTDLG
class cTestDlg : public StandInPage
{
public:
    cTestDlg(CBaseDlg *owner, uchar deviceId, QWidget *parent = nullptr);
    const uchar m_deviceId;
};
#endif
