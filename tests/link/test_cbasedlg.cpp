#include "cbasedlg.h"
#include "ceventbase.h"
#include "sysexpacking.h"
#include "bytes.h"
#include "testmain.h"

using namespace tavrotest;

namespace {

// A page or owner that records what reaches it.
class RecordingDlg : public CBaseDlg
{
public:
    using CBaseDlg::CBaseDlg;
    QStringList received;
    QList<QByteArray> sent;
    QList<QPair<quint64, quint64>> closedEvents;
    bool closedSeenWhileVisible = false;
    RecordingDlg *watched = nullptr;
    bool acceptSends = true;

    void Slots_recv_frame(const uchar *frame, uint len) override
    {
        received << QStringLiteral("frame ") + toHex(QByteArray(reinterpret_cast<const char *>(frame), int(len)));
    }
    void Slots_recv_sysex(const uchar *msg, uint len) override
    {
        received << QStringLiteral("sysex ") + toHex(QByteArray(reinterpret_cast<const char *>(msg), int(len)));
    }
    void Slots_recv_midi(uint message) override { received << QStringLiteral("midi %1").arg(message); }
    bool Slots_send_data(const uchar *frame, int len) override
    {
        if (!m_owner) { // acting as the owner
            sent << QByteArray(reinterpret_cast<const char *>(frame), len);
            return acceptSends;
        }
        return CBaseDlg::Slots_send_data(frame, len);
    }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == EVENT_PAGE_CLOSED) {
            auto *ev = static_cast<CEventBase *>(e);
            closedEvents << qMakePair(ev->m_value1, ev->m_value2);
            closedSeenWhileVisible = watched && watched->isVisible();
            return true;
        }
        return CBaseDlg::event(e);
    }
};

} // namespace

class TestCBaseDlg : public QObject
{
    Q_OBJECT
private slots:
    void splitterDeliversToPage();
    void sendGoesThroughOwner();
    void closeNotifiesOwnerSynchronously();
    void eventValues();
};

void TestCBaseDlg::splitterDeliversToPage()
{
    RecordingDlg owner(nullptr, nullptr);
    RecordingDlg page(&owner, nullptr);
    const QByteArray data = hex("F0 78 32 45 00 00 00 40 7F F7 F0 41 10 F7 C0 05");
    QCOMPARE(page.Slots_recv_data(u8(data), uint(data.size())), uint(data.size()));
    QCOMPARE(page.received, (QStringList{QStringLiteral("frame 78 59 11 00 00 00 FF"),
                                         QStringLiteral("sysex F0 41 10 F7"), QStringLiteral("midi 1472")}));
}

void TestCBaseDlg::sendGoesThroughOwner()
{
    RecordingDlg owner(nullptr, nullptr);
    RecordingDlg page(&owner, nullptr);
    QVERIFY(page.Slots_send_data(g_fixedFramePoll.bytes, g_fixedFramePoll.length));
    QCOMPARE(owner.sent.size(), 1);
    QCOMPARE(toHex(owner.sent.first()), QStringLiteral("78 59 66 00 00 00 FF"));
    owner.acceptSends = false;
    QVERIFY(!page.Slots_send_data(g_fixedFramePoll.bytes, g_fixedFramePoll.length));

    RecordingDlg orphan(nullptr, nullptr);
    QVERIFY(!orphan.CBaseDlg::Slots_send_data(g_fixedFramePoll.bytes, g_fixedFramePoll.length));
    QVERIFY(!orphan.Slots_back_to_connect());
}

void TestCBaseDlg::closeNotifiesOwnerSynchronously()
{
    RecordingDlg owner(nullptr, nullptr);
    RecordingDlg page(&owner, nullptr);
    owner.watched = &page;
    page.show();
    QVERIFY(page.isVisible());
    page.close();
    // Delivered inside close(), before the dialog went away, with no event loop run.
    QCOMPARE(owner.closedEvents.size(), 1);
    QCOMPARE(owner.closedEvents.first(), qMakePair(quint64(0), quint64(0)));
    QVERIFY(owner.closedSeenWhileVisible);
    QVERIFY(!page.isVisible());

    // Without an owner nothing is sent and closing still works.
    RecordingDlg orphan(nullptr, nullptr);
    orphan.show();
    orphan.close();
    QVERIFY(!orphan.isVisible());
}

void TestCBaseDlg::eventValues()
{
    QCOMPARE(int(EVENT_PAGE_CLOSED), 1030);
    QCOMPARE(int(EVENT_OWNER_NOTIFY), 1008);
    CEventBase e(EVENT_OWNER_NOTIFY, 0xFFFFFFFFu, 7);
    QCOMPARE(e.m_value1, quint64(0xFFFFFFFFu)); // zero-extended
    QCOMPARE(e.m_value2, quint64(7));
}

TAVRO_TEST_MAIN(TestCBaseDlg)
#include "test_cbasedlg.moc"
