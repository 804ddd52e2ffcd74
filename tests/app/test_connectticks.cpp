// The connection window's main loop without a MIDI service: bytes are put
// straight into the port wrapper's receive ring, as the input thread would,
// and the 20 ms timer takes them from there.
#include <QtTest>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>

#include <functional>

#include "bytes.h"
#include "cupgrade.h"
#include "globals.h"
#include "pagefactory.h"
#include "pc_connectui.h"
#include "standins/standinpage.h"
#include "sysexpacking.h"
#include "testmain.h"

using tavrotest::hex;
using tavrotest::u8;

namespace {

int g_pagesMade = 0;

CBaseDlg *recordingPage(const PageChoice &choice, CBaseDlg *owner)
{
    if (choice.kind == PageKind::None || choice.kind == PageKind::Unknown)
        return nullptr;
    ++g_pagesMade;
    return new StandInPage(owner, "recorder", StandInPage::HandsBack);
}

QByteArray packed(const QByteArray &frame)
{
    QByteArray out(int(packedSysExSize(uint(frame.size()))), 0);
    packSysEx(u8(frame), uint(frame.size()), reinterpret_cast<uchar *>(out.data()));
    return out;
}

QByteArray frame(uchar command, const QByteArray &payload)
{
    QByteArray f(payload.size() + 7, '\0');
    f[0] = char(0x78);
    f[1] = char(0x59);
    f[2] = char(command);
    f[3] = char(payload.size() & 0xFF);
    f[4] = char((payload.size() >> 8) & 0xFF);
    f[5] = char((payload.size() >> 16) & 0xFF);
    uint sum = 0;
    for (int k = 0; k < payload.size(); ++k) {
        f[6 + k] = payload[k];
        sum += uchar(payload[k]);
    }
    f[6 + payload.size()] = char(~sum & 0xFF);
    return f;
}

QByteArray infoReply(uchar model, const QByteArray &folder, uchar firmware)
{
    QByteArray payload(18, '\0');
    payload[0] = char(model);
    for (int k = 0; k < folder.size() && k < 16; ++k)
        payload[1 + k] = folder[k];
    payload[17] = char(firmware);
    return packed(frame(0x11, payload));
}

void inject(pc_connectui &w, const QByteArray &bytes)
{
    w.midi().ringWrite(u8(bytes), uint(bytes.size()));
}

QByteArray notes(int count)
{
    QByteArray out;
    for (int k = 0; k < count; ++k)
        out += hex("90 3C 40");
    return out;
}

// A page that opens a modal box from inside its frame handler, as a page's
// error box would, and records what reaches it.
class ModalPage : public CBaseDlg
{
public:
    explicit ModalPage(CBaseDlg *owner) : CBaseDlg(owner, nullptr) {}
    void Slots_recv_frame(const uchar *f, uint len) override
    {
        frames << QByteArray(reinterpret_cast<const char *>(f), int(len));
        if (len > 2 && f[2] == 0x50 && onConfig) {
            const std::function<void()> run = onConfig;
            onConfig = nullptr;
            run();
        }
    }
    void Slots_recv_sysex(const uchar *, uint) override {}
    void Slots_recv_midi(uint message) override { midi << message; }

    std::function<void()> onConfig;
    QList<QByteArray> frames;
    QList<uint> midi;
};

CBaseDlg *modalPage(const PageChoice &choice, CBaseDlg *owner)
{
    return choice.kind == PageKind::Pad ? new ModalPage(owner) : nullptr;
}

// Learns the id of the window's tick timer from the first timer event.
class TimerSpy : public QObject
{
public:
    int timerId = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer && !timerId)
            timerId = static_cast<QTimerEvent *>(event)->timerId();
        return false;
    }
};

} // namespace

class TestConnectTicks : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        g_deviceId = 0;
        g_downloadLink.clear();
        g_pagesMade = 0;
        setPageMaker(&recordingPage);
    }
    void cleanup() { setPageMaker(nullptr); }

    // A reply cut by the 7,168-byte read limit is completed by the next read,
    // and so is a page's frame.
    void messagesCutByTheReadLimit()
    {
        pc_connectui w;
        const QByteArray reply = infoReply(7, "rz7", 3);
        inject(w, QByteArray(7168 - 10, '\x11') + reply);
        QTRY_VERIFY(w.page());
        QCOMPARE(g_downloadLink, QString("rz7"));
        // No MIDI service lists the device: keep the scan from finishing its page.
        g_deviceId = 0;
        QPointer<StandInPage> page = qobject_cast<StandInPage *>(w.page());
        QVERIFY(page);
        QCOMPARE(page->m_frames.size(), 1);

        // 7,000 bytes of notes, then a frame of 2,000 bytes: the first read
        // ends inside the frame.
        QByteArray payload(2000, '\0');
        for (int k = 0; k < payload.size(); ++k)
            payload[k] = char(k * 13);
        const QByteArray big = frame(0x50, payload);
        page->m_frames.clear();
        inject(w, notes(2333) + packed(big) + hex("F8"));
        QTRY_COMPARE(page->m_midi.size(), 2334);
        QCOMPARE(page->m_frames.size(), 1);
        QCOMPARE(page->m_frames.first(), big);

        // A message that never ends is given up once it outgrows the carry.
        inject(w, hex("F0 41") + QByteArray(7000, '\x01'));
        inject(w, QByteArray(7000, '\x01'));
        inject(w, hex("F8"));
        QTRY_COMPARE(page->m_midi.size(), 2335);
    }

    // A device-information frame too short for its fields is ignored; it
    // does not reuse bytes of the reply before it.
    void shortReplyIgnored()
    {
        pc_connectui w;
        inject(w, infoReply(2, "first", 1));
        QTRY_COMPARE(g_downloadLink, QString("first"));
        QCOMPARE(int(g_deviceId), 2);

        inject(w, packed(frame(0x11, hex("08"))) + infoReply(2, "second", 1));
        QTRY_COMPARE(g_downloadLink, QString("second"));
        QCOMPARE(g_pagesMade, 0);
        QCOMPARE(int(g_deviceId), 2);
    }

    // "Unknown Device!" comes up after the tick; a reply that arrives while
    // it is open is handled exactly once.
    void unknownDeviceBoxAfterTheTick()
    {
        pc_connectui w;
        bool sawBox = false;
        bool pageDuringBox = false;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (!sawBox) {
                sawBox = true;
                QCOMPARE(box->text(), QString("Unknown Device!"));
                inject(w, infoReply(9, "vx18", 1));
            } else if (w.page()) {
                g_deviceId = 0;
                pageDuringBox = true;
                box->done(QMessageBox::Ok);
            }
        });
        watcher.start(20);

        inject(w, infoReply(42, "odd", 1));
        QTRY_VERIFY(pageDuringBox);
        watcher.stop();
        // Let a few more ticks pass over the same bytes.
        QPointer<CBaseDlg> page = w.page();
        inject(w, hex("F8"));
        QTRY_VERIFY(qobject_cast<StandInPage *>(page.data())->m_midi.contains(0xF8u));
        QCOMPARE(g_pagesMade, 1);
        QCOMPARE(w.page(), page.data());
        QCOMPARE(g_downloadLink, QString("vx18"));
    }

    // A page opens a modal box while the tick hands it a frame, and the
    // tick timer fires inside the box's loop while new bytes arrive (Qt's
    // dispatchers hold back a timer whose event is still running, so the
    // events are delivered here the way a dispatcher delivers them). Those
    // ticks must wait: the rest of the first read reaches the page before the
    // new bytes, each byte once.
    void modalLoopInsideTick()
    {
        setPageMaker(&modalPage);
        pc_connectui w;
        TimerSpy spy;
        w.installEventFilter(&spy);
        inject(w, infoReply(7, "rz7", 3));
        QTRY_VERIFY(w.page());
        QVERIFY(spy.timerId);
        g_deviceId = 0; // no MIDI service lists the device: the scan must not finish the page
        auto *page = static_cast<ModalPage *>(w.page());

        page->onConfig = [&] {
            QMessageBox box(QMessageBox::Information, "T", "modal");
            QTimer::singleShot(0, &box, [&] {
                inject(w, notes(100));
                for (int k = 0; k < 3; ++k) {
                    QTimerEvent tick(spy.timerId);
                    QCoreApplication::sendEvent(&w, &tick);
                }
                box.done(QMessageBox::Ok);
            });
            box.exec();
        };
        inject(w, packed(frame(0x50, hex("01 02 03"))) + packed(frame(0x51, hex("04"))) + hex("F8"));
        QTRY_COMPARE(page->midi.size(), 101);

        QCOMPARE(page->frames.size(), 3); // the reply, then both frames
        QCOMPARE(page->frames[1], frame(0x50, hex("01 02 03")));
        QCOMPARE(page->frames[2], frame(0x51, hex("04")));
        QCOMPARE(page->midi.first(), 0xF8u);
        QCOMPARE(page->midi.count(0x403C90u), 100);
    }

    // While the window's own upgrade dialog (Fix Mode) is open, a click on a
    // picture connects nothing: a page beside it would get the dialog's
    // switch into upgrade mode. Without a MIDI service a click that tries to
    // connect says at once that the port cannot be opened.
    void noConnectionBesideFixMode()
    {
        pc_connectui w;
        w.show();
        QLabel picture;
        picture.setProperty("deviceID", 7u);
        picture.installEventFilter(&w);
        QStringList boxes;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxes << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        closer.start(10);

        cUpgrade *fixMode = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<cUpgrade *>(widget))
                fixMode = dialog;
        QVERIFY(fixMode);
        fixMode->show();
        QTest::mousePress(&picture, Qt::LeftButton);
        QCOMPARE(boxes, QStringList());

        fixMode->hide();
        QTest::mousePress(&picture, Qt::LeftButton);
        QCOMPARE(boxes, QStringList{"MIDI port is occupied !"});
    }
};

TAVRO_TEST_MAIN(TestConnectTicks)
#include "test_connectticks.moc"
