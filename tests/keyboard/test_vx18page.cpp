// The keyboard page driven offscreen: its pad texts, the dialog it closes when the
// bank or block it edits goes, the preset switch with its question, and the
// factory reset with its delayed request. Frames from the device go in
// through the page's handler; what it sends is recorded by its owner.
#include "ui_cdlgvx18.h"
#include "ui_cvx18child.h"

#include "bytes.h"
#include "pagedialogs.h"
#include "testmain.h"
#include "vx18test.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include <memory>

using namespace tavrotest;
using namespace vx18;
using namespace vx18test;

namespace {

QMessageBox *openQuestion(QWidget *parent)
{
    QMessageBox *box = tavrotest::shownQuestion(parent, 5000);
    [&] { QVERIFY(box); }();
    return box;
}

} // namespace

class TestVx18Page : public QObject
{
    Q_OBJECT
private slots:
    void padButtonTexts();
    void dialogGoesWithItsBankOrBlock();
    void recordIsShownAsItCame();
    void nothingWrittenBeforeAWholeBlock();
    void presetSwitch();
    void resetRequestsPresetsAndDropsWithPage();
    void unansweredResetReadsTheShownPreset();
};

void TestVx18Page::padButtonTexts()
{
    SVX18ConfigData b = zeroBlock();
    b.PadData[0][0] = SControlRecord{0x09, 36, 1, 127};
    b.PadData[0][1] = SControlRecord{0xC0, 0, 0, 0};
    b.PadData[0][2] = SControlRecord{0xE0, 1, 2, 3};
    Page p(b);
    QCOMPARE(p.page.findChild<QPushButton *>("pad1")->text(), QStringLiteral("Note\nCH:9\ndata1:36\nrange:1-127"));
    QCOMPARE(p.page.findChild<QPushButton *>("pad2")->text(), QStringLiteral("MCP-Customize"));
    QCOMPARE(p.page.findChild<QPushButton *>("pad3")->text(), QStringLiteral("MCP-"));
}

// The open dialog edits one bank of one block: it goes when its bank stops
// being current or the block is replaced.
void TestVx18Page::dialogGoesWithItsBankOrBlock()
{
    Page p;
    p.ui()->pushButton_data->click();
    QVERIFY(p.open("pad1"));
    p.ui()->comboBox_KnobBank->setCurrentIndex(1); // not the pad's bank
    QVERIFY(p.dialog());
    p.ui()->comboBox_PadBank->setCurrentIndex(2);
    QTRY_VERIFY(!p.dialog());
    // Buttons have no bank: their dialog stays with its edits.
    CVX18Child *button = p.open("key_1");
    button->form()->comboBox_channel->setCurrentIndex(4);
    p.ui()->comboBox_KnobBank->setCurrentIndex(2);
    QCOMPARE(p.dialog(), button);
    button->form()->pushButton_ok->click();
    QCOMPARE(int(p.block().KeyData[0].ctrl & 0x0F), 4);
    QVERIFY(p.open("knob_1"));
    p.receive(frame(CMD_READ_PRESET, QByteArray(1, 0) + blockBytes(zeroBlock())));
    QTRY_VERIFY(!p.dialog());
}

// A record from the device is shown without being changed: an edit sends
// back what the page did not touch (ECO beside Dark), and a pad bank that no
// row shows draws bank 0, closing a pad dialog of the bank shown before.
void TestVx18Page::recordIsShownAsItCame()
{
    SVX18ConfigData b = zeroBlock();
    b.PadData[0][0] = SControlRecord{0x00, 36, 0, 127};
    b.PadData[2][0] = SControlRecord{0x00, 48, 0, 127};
    Page p(b);
    const QString bank0 = p.ui()->pad1->text();
    QByteArray rec = keyboardRecord();
    rec[2] = 2;
    rec[26] = 0x03; // ECO and Dark
    p.receive(frame(CMD_SYSTEM_CONFIG, rec));
    QVERIFY(p.ui()->pushButton_ECO->isChecked());
    QVERIFY(p.ui()->pad1->text() != bank0);
    p.ui()->comboBox_tempo->setCurrentIndex(100);
    QCOMPARE(p.owner.frames.size(), 1);
    QCOMPARE(int(uchar(p.owner.frames[0][6 + 26])), 0x03);
    rec[0] = char(130); // the device's echo
    p.receive(frame(CMD_SYSTEM_CONFIG, rec));

    p.ui()->pushButton_data->click();
    QVERIFY(p.open("pad1"));
    rec[2] = 9;
    p.receive(frame(CMD_SYSTEM_CONFIG, rec));
    QTRY_VERIFY(!p.dialog());
    QCOMPARE(p.ui()->pad1->text(), bank0);
    QCOMPARE(p.ui()->comboBox_PadBank->currentIndex(), 0); // the bank drawn and edited
    QCOMPARE(int(p.page.model().system().padBank), 9);
}

// Until the shown preset's whole block has come, the poll asks for it and
// nothing of it is edited or written: a keybed reply and a reply cut short
// fill parts of the block, but no dialog opens and no section goes out.
void TestVx18Page::nothingWrittenBeforeAWholeBlock()
{
    tavrotest::RecordingOwner owner;
    CDlgVX18 page(&owner);
    page.Slots_change_language();
    auto receive = [&page](const QByteArray &f) {
        page.Slots_recv_frame(reinterpret_cast<const uchar *>(f.constData()), uint(f.size()));
    };
    receive(frame(CMD_SYSTEM_CONFIG, keyboardRecord(3)));
    QCOMPARE(owner.frames.size(), 1); // the block of preset 3, whose reply is lost
    receive(frame(CMD_READ_KEYBED, QByteArray(5, 0) + QByteArray(25, 0x3C)));
    const QByteArray reply = frame(CMD_READ_PRESET, QByteArray(1, 3) + blockBytes(zeroBlock()));
    receive(reply.left(6 + 378)); // cut after 378 payload bytes
    owner.frames.clear();
    const QByteArray request = hex("78 59 67 01 00 00 03 FC");
    QTRY_VERIFY_WITH_TIMEOUT(owner.frames.contains(request), 5000);
    owner.frames.clear();
    QVERIFY(!page.form()->page_3->isEnabled());
    page.open_child_dialog(1, 0);
    page.click_keybed();
    for (quint8 flag = 1; flag <= 7; ++flag)
        page.slots_click_ok_send(flag);
    page.slots_change_rgb(0x80);
    QVERIFY(!page.childDialog());
    QCOMPARE(owner.frames, QList<QByteArray>());
    receive(reply);
    QVERIFY(page.form()->page_3->isEnabled());
}

void TestVx18Page::presetSwitch()
{
    Page p;
    p.ui()->comboBox_Preset->setCurrentIndex(2);
    QCOMPARE(p.owner.frames.size(), 2);
    QCOMPARE(toHex(p.owner.frames[0]), toHex(hex("78 59 67 01 00 00 02 FD")));
    QCOMPARE(int(p.owner.frames[1][6 + 4]), 2);
    p.receive(frame(CMD_SYSTEM_CONFIG, keyboardRecord(2))); // the device's echo

    // Unsaved: asked first; Escape sends nothing and records apply again.
    p.page.model().setUnsavedChanges(true);
    p.owner.frames.clear();
    p.ui()->comboBox_Preset->setCurrentIndex(4);
    QMessageBox *box = openQuestion(&p.page);
    QVERIFY(p.owner.frames.isEmpty());
    box->reject();
    QTRY_COMPARE(p.ui()->comboBox_Preset->currentIndex(), 2);
    QVERIFY(!p.page.model().isLoadingPreset());
    QVERIFY(p.owner.frames.isEmpty());
    QByteArray rec = keyboardRecord(2);
    rec[0] = char(125);
    p.receive(frame(CMD_SYSTEM_CONFIG, rec));
    QCOMPARE(p.ui()->comboBox_tempo->currentIndex(), 95);

    // Yes saves first; No does not.
    p.ui()->comboBox_Preset->setCurrentIndex(5);
    openQuestion(&p.page)->button(QMessageBox::Yes)->click();
    QTRY_COMPARE(p.owner.frames.size(), 3);
    QCOMPARE(toHex(p.owner.frames[0]), toHex(hex("78 59 68 00 00 00 FF")));
    QCOMPARE(toHex(p.owner.frames[1]), toHex(hex("78 59 67 01 00 00 05 FA")));
    p.page.model().setUnsavedChanges(true);
    p.owner.frames.clear();
    p.ui()->comboBox_Preset->setCurrentIndex(6);
    openQuestion(&p.page)->button(QMessageBox::No)->click();
    QTRY_COMPARE(p.owner.frames.size(), 2);
    QCOMPARE(toHex(p.owner.frames[0]), toHex(hex("78 59 67 01 00 00 06 F9")));
    QVERIFY(!p.page.model().hasUnsavedChanges());
}

// A reset sends the read of preset 0 late; of the replies, only the shown
// preset's block is taken, whichever comes last.
void TestVx18Page::resetRequestsPresetsAndDropsWithPage()
{
    auto p = std::make_unique<Page>(zeroBlock(), 3);
    p->ui()->pushButton_Reset->click();
    openQuestion(&p->page)->button(QMessageBox::Yes)->click();
    QTRY_COMPARE(p->owner.frames.size(), 2);
    QCOMPARE(toHex(p->owner.frames[0]), toHex(hex("78 59 70 02 00 00 78 59 2E")));
    QCOMPARE(toHex(p->owner.frames[1]), toHex(hex("78 59 67 01 00 00 00 FF")));
    p->receive(frame(CMD_FACTORY_RESET, hex("01")));
    QCOMPARE(toHex(p->owner.frames.value(2)), toHex(hex("78 59 67 01 00 00 03 FC")));
    QVERIFY(toastTexts(&p->page).contains(QStringLiteral("Restore factory data successful")));
    SVX18ConfigData preset3 = zeroBlock();
    preset3.PadData[0][0] = SControlRecord{0x00, 48, 0, 127};
    p->receive(frame(CMD_READ_PRESET, QByteArray(1, 3) + blockBytes(preset3)));
    p->receive(frame(CMD_READ_PRESET, QByteArray(1, 0) + blockBytes(zeroBlock())));
    QCOMPARE(blockBytes(p->block()), blockBytes(preset3));
    QCOMPARE(p->owner.frames.size(), 3);

    // Closed within the delay: the delayed request has no page and is dropped.
    p->ui()->pushButton_Reset->click();
    openQuestion(&p->page)->button(QMessageBox::Yes)->click();
    QTRY_COMPARE(p->owner.frames.size(), 4);
    // A timer of the same length started after the delayed request marks the
    // end of the road: when it fires, the request's time has passed.
    QTimer later;
    later.setSingleShot(true);
    later.setTimerType(Qt::PreciseTimer);
    QSignalSpy done(&later, &QTimer::timeout);
    later.start(250);
    p.reset();
    QVERIFY(done.wait(2000));
}

// A reset the device does not answer: the block held before it no longer
// counts, so after the late read of preset 0 the poll asks for the shown
// preset, and a pad OK on its reply writes the factory records.
void TestVx18Page::unansweredResetReadsTheShownPreset()
{
    SVX18ConfigData before = zeroBlock();
    before.PadData[0][0] = SControlRecord{0x00, 48, 0, 127};
    Page p(before, 2);
    p.ui()->pushButton_Reset->click();
    openQuestion(&p.page)->button(QMessageBox::Yes)->click();
    QTRY_COMPARE(p.owner.sent(CMD_READ_PRESET).size(), 1);
    SVX18ConfigData factory = zeroBlock();
    factory.PadData[0][0] = SControlRecord{0x00, 36, 0, 127};
    p.receive(frame(CMD_READ_PRESET, QByteArray(1, 0) + blockBytes(factory)));
    p.owner.frames.clear();
    QTRY_VERIFY(!p.owner.sent(CMD_POLL).isEmpty());
    QCOMPARE(toHex(p.owner.frames.last()), QStringLiteral("78 59 67 01 00 00 02 FD"));
    p.receive(frame(CMD_READ_PRESET, QByteArray(1, 2) + blockBytes(factory)));
    p.open(QStringLiteral("pad1"))->form()->pushButton_ok->click();
    QCOMPARE(toHex(p.owner.sent(CMD_WRITE_PADS).value(0).mid(7, 4)), QStringLiteral("00 24 00 7F"));
}

TAVRO_TEST_MAIN(TestVx18Page)
#include "test_vx18page.moc"
