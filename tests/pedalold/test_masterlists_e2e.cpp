// Editing the older pedal page's lists end to end: a simulated pedal with
// firmware 4 on a real JACK server, the entry dialogs driven as a user would,
// the frames checked as the pedal received them, and the pedal's image
// compared with the page's at the end.
#include "testmain.h"
#include "bytes.h"
#include "pagedialogs.h"
#include "pagesession.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTranslator>

#include <cstring>

#include "devices/pedal/cpedal.h"
#include "devices/pedal/cvaluekey.h"
#include "devices/pedal/pedalpresetfile.h"
#include "devices/pedal_old/master.h"
#include "globals.h"
#include "models/oldpedalmodel.h"
#include "touchcombobox.h"
#include "ui_cpedal.h"
#include "ui_cvaluekey.h"
#include "ui_master.h"
#include "ui_pc_connectui.h"

using tavrosim::Bytes;
using tavrosim::Simulator;
using namespace tavrosim::oldpedal;

namespace {

constexpr int kWait = tavrotest::kSessionWait;
constexpr uint8_t kSwitchData = 0x60;
constexpr uint8_t kPedalExpression = 0x65;

using tavrotest::hexOf;

QString frameHex(uint8_t command, const char *payload)
{
    const QByteArray p = tavrotest::hex(payload);
    return hexOf(tavrosim::makeFrame(command, Bytes(p.begin(), p.end())));
}

QStringList rows(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The fields the page's frames carry, with everything else cleared: per
// switch the action, the marks, each list in its form, the Customize1
// settings and the display characters; the expression entries in use; the
// preset display characters.
QByteArray carried(const uint8_t *image)
{
    QByteArray out(int(tavrosim::kOldPedalImageSize), 0);
    auto copy = [&](size_t at, size_t n) { std::memcpy(out.data() + at, image + at, n); };
    copy(kPedalCount, 1);
    copy(kPedalData, 4 * std::min<size_t>(image[kPedalCount], 16));
    copy(kPresetDisplay, 10);
    for (size_t k = 0; k < 4; ++k) {
        const size_t s = sw(k);
        copy(s + kType, 2);
        const uint8_t flags = image[s + kSysexFlags];
        for (int list = 1; list <= 2; ++list) {
            if (flags & (list == 1 ? 0xF0 : 0x0F)) {
                const size_t len = list == 1 ? kSysexLen1 : kSysexLen2;
                copy(s + len, 2);
                copy(s + (list == 1 ? kSysex1 : kSysex2), std::min<size_t>(image[s + len], 64));
            } else {
                const size_t count = list == 1 ? kCount1 : kCount2;
                copy(s + count, 1);
                copy(s + (list == 1 ? kList1 : kList2), 4 * std::min<size_t>(image[s + count], 16));
            }
        }
        copy(s + kLatch, 7);
    }
    return out;
}

// The pedal's image for this test, on Customize2: switch A "Down" with empty
// lists, B "Up+Long" with [00 B0 07 7F] in list 1, C a SysEx in list 1 beside
// a stale count of 3, D "Down"; three expression entries.
Bytes listsImage()
{
    Bytes image = tavrosim::oldPedalFactoryImage();
    image[kPreset] = 5;
    for (size_t k = 0; k < 4; ++k)
        image[sw(k) + kCount1] = 0;
    image[sw(1) + kType] = 5;
    image[sw(1) + kCount1] = 1;
    const uint8_t event[4] = {0x00, 0xB0, 0x07, 0x7F};
    std::copy(event, event + 4, image.begin() + long(sw(1) + kList1));
    image[sw(2) + kSysexFlags] = 0xF0;
    image[sw(2) + kCount1] = 3;
    image[sw(2) + kSysexLen1] = 3;
    const uint8_t sysex[3] = {0xF0, 0x01, 0xF7};
    std::copy(sysex, sysex + 3, image.begin() + long(sw(2) + kSysex1));
    image[kPedalCount] = 3;
    const uint8_t pedal[12] = {0, 11, 0, 127, 1, 7, 20, 110, 2, 64, 5, 120};
    std::copy(pedal, pedal + 12, image.begin() + long(kPedalData));
    return image;
}

} // namespace

class TestMasterListsEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void examplesThroughTheInterface();
    void eventsAndSysexInBothModes();
    void deleteAllAndLateAnswers();
    void expressionList();
    void presetFileToThePedal();

private:
    Ui_master *ui() const { return s.page->form(); }
    // The frames of a command the pedal has received, once there are n.
    QStringList received(uint8_t command, size_t n)
    {
        if (!QTest::qWaitFor([&] { return s.count(command) >= n; }, kWait))
            return {QStringLiteral("only %1 frames").arg(s.count(command))};
        QStringList out;
        for (const Bytes &f : s.frames(command))
            out << hexOf(f);
        return out;
    }
    // The n-th frame of a command, once it has come.
    QString nth(uint8_t command, size_t n) { return received(command, n).value(int(n) - 1); }
    QString lastSwitchFrame(size_t n) { return nth(kSwitchData, n); }
    void select(QCheckBox *box) { box->click(); }
    cValueKey *openAdd(QPushButton *button)
    {
        button->click();
        return s.page->keyDialog();
    }
    cValueKey *openEdit(QListWidget *list, int row)
    {
        list->setCurrentRow(row);
        emit list->itemDoubleClicked(list->item(row));
        return s.page->keyDialog();
    }
    static void answerEvent(cValueKey *dialog, int type, int channel, int data1, int data2)
    {
        Ui_cValueKey *d = dialog->form();
        d->comboBox_type->setCurrentIndex(type);
        d->comboBox_channel->setCurrentIndex(channel);
        d->comboBox_data1->setCurrentIndex(data1);
        d->comboBox_data2->setCurrentIndex(data2);
        d->pushButton_ok->click();
    }
    static void answerSysex(cValueKey *dialog, const QString &text)
    {
        dialog->form()->comboBox_type->setCurrentIndex(16);
        dialog->form()->textEdit->setPlainText(text);
        dialog->form()->pushButton_ok->click();
    }
    void answerQuestion(QMessageBox::StandardButton button)
    {
        QMessageBox *box = nullptr;
        QVERIFY(QTest::qWaitFor([&] { return (box = s.page->findChild<QMessageBox *>()) != nullptr; }, kWait));
        QCOMPARE(box->text(), QStringLiteral("Remove all"));
        box->button(button)->click();
        QTRY_VERIFY(!s.page->findChild<QMessageBox *>());
    }

    tavrotest::PageSession<master> s;
};

void TestMasterListsEndToEnd::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
        QSKIP("needs a JACK server (scripts/jack-env.sh)");
    g_translator = new QTranslator(qApp);
    g_language = 0;
    QVERIFY(s.open(tavrosim::optionsForModel(1, 4), [](Simulator &sim) { sim.setPedalImage(listsImage()); }));
    QTRY_COMPARE_WITH_TIMEOUT(s.count(kSwitchData), size_t(1), kWait); // Customize2 sends switch A
}

void TestMasterListsEndToEnd::cleanupTestCase()
{
    if (!s.page)
        return;
    // Every change reached the pedal as the page holds it.
    const Bytes image = s.sim->pedalImage();
    QCOMPARE(carried(image.data()), carried(reinterpret_cast<const uint8_t *>(&s.page->config())));
}

// The switch record's three worked examples, made as a user makes them; the
// 16th event is stored and sent, the 17th nothing; deleting the first of
// three events renumbers the rest.
void TestMasterListsEndToEnd::examplesThroughTheInterface()
{
    Ui_master *u = ui();
    size_t n = s.count(kSwitchData);

    // Switch A, "Down": add Note On 3C 64 on channel 0.
    select(u->checkBox_A);
    answerEvent(openAdd(u->pushButton_AddA1), 1, 0, 0x3C, 0x64);
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 11 00 01 00 00 90 3C 64"));
    QCOMPARE(rows(u->listWidget_A1), QStringList{"[01]   90   3C   64"});

    // Switch B, "Up+Long": a SysEx typed in lower case into list 2.
    select(u->checkBox_B);
    u->pushButton_Group2->click();
    answerSysex(openAdd(u->pushButton_AddA2), QStringLiteral("f0 41 10 f7"));
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 25 0F 01 04 00 B0 07 7F F0 41 10 F7"));
    QCOMPARE(rows(u->listWidget_A2), QStringList{"f0 41 10 f7 "});
    select(u->checkBox_A);
    select(u->checkBox_B);
    QCOMPARE(rows(u->listWidget_A2), QStringList{"F0 41 10 F7 "});

    // Switch D: "Down+Up" with both lists empty.
    u->comboBox_D->setCurrentIndex(2);
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 43 00 00 00"));

    // Switch C's list 1 holds a SysEx beside a stale count: an added event
    // makes a list of that one event.
    select(u->checkBox_C);
    answerEvent(openAdd(u->pushButton_AddA1), 3, 2, 7, 100);
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 31 00 01 00 02 B0 07 64"));
    QCOMPARE(rows(u->listWidget_A1), QStringList{"[01]   B2   07   64"});

    // Sixteen events on C; the seventeenth is dropped.
    for (int i = 1; i < 16; ++i)
        answerEvent(openAdd(u->pushButton_AddA1), 4, 0, i, 0);
    n += 15;
    const QString sixteen = lastSwitchFrame(n);
    QCOMPARE(sixteen.mid(27, 2), QStringLiteral("10"));
    QCOMPARE(sixteen.size(), 3 * (12 + 64) - 1);
    answerEvent(openAdd(u->pushButton_AddA1), 4, 0, 99, 0);
    QCOMPARE(u->listWidget_A1->count(), 16);

    // Deleting the first of three on D's list 1.
    select(u->checkBox_D);
    for (int d1 : {1, 2, 3})
        answerEvent(openAdd(u->pushButton_AddA1), 4, 0, d1, 0);
    n += 3;
    u->listWidget_A1->item(0)->setSelected(true);
    u->pushButton_DelItem1->click();
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 43 00 02 00 00 C0 02 00 00 C0 03 00"));
    QCOMPARE(rows(u->listWidget_A1), QStringList({"[01]   C0   02", "[02]   C0   03"}));
    QCOMPARE(s.count(kSwitchData), n); // the seventeenth event sent nothing
}

// Event to SysEx and back, by adding and by editing; deleting a SysEx row.
void TestMasterListsEndToEnd::eventsAndSysexInBothModes()
{
    Ui_master *u = ui();
    select(u->checkBox_D);
    u->pushButton_Group2->click();
    size_t n = s.count(kSwitchData);

    answerEvent(openAdd(u->pushButton_AddA2), 0, 1, 0x40, 0);
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 43 00 02 01 00 C0 02 00 00 C0 03 00 01 80 40 00"));
    answerSysex(openAdd(u->pushButton_AddA2), QStringLiteral("F0 7E F7"));
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 43 0F 02 03 00 C0 02 00 00 C0 03 00 F0 7E F7"));
    answerEvent(openAdd(u->pushButton_AddA2), 0, 1, 0x41, 0);
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 43 00 02 01 00 C0 02 00 00 C0 03 00 01 80 41 00"));

    // Editing: the event row answered with a SysEx, then the SysEx row with an event.
    answerSysex(openEdit(u->listWidget_A2, 0), QStringLiteral("F0 01 02 F7"));
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 43 0F 02 04 00 C0 02 00 00 C0 03 00 F0 01 02 F7"));
    QCOMPARE(rows(u->listWidget_A2), QStringList{"F0 01 02 F7 "});
    cValueKey *dialog = openEdit(u->listWidget_A2, 0);
    QCOMPARE(dialog->form()->comboBox_type->currentIndex(), 16);
    answerEvent(dialog, 2, 5, 1, 2);
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 43 00 02 01 00 C0 02 00 00 C0 03 00 05 A0 01 02"));

    // A SysEx row deleted: one empty row, the mark with length 0.
    answerSysex(openAdd(u->pushButton_AddA2), QStringLiteral("F0 02 F7"));
    ++n;
    u->listWidget_A2->item(0)->setSelected(true);
    u->pushButton_DelItem2->click();
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 43 0F 02 00 00 C0 02 00 00 C0 03 00"));
    QCOMPARE(rows(u->listWidget_A2), QStringList{""});
}

// "Delete All" No and Yes, also with only list 2 holding rows; answers that
// arrive after their row or their switch changed.
void TestMasterListsEndToEnd::deleteAllAndLateAnswers()
{
    Ui_master *u = ui();
    select(u->checkBox_B); // list 1 [00 B0 07 7F], list 2 the SysEx
    size_t n = s.count(kSwitchData);
    u->pushButton_Remove2->click();
    answerQuestion(QMessageBox::No);
    u->pushButton_Remove1->click();
    answerQuestion(QMessageBox::Yes);
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 25 0F 00 04 F0 41 10 F7"));
    QCOMPARE(u->listWidget_A1->count(), 0);
    // Only list 2 holds rows: list 1's "Delete All" still asks.
    u->pushButton_Remove1->click();
    answerQuestion(QMessageBox::Yes);
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 25 0F 00 04 F0 41 10 F7"));

    // An edit confirmed after its row went: nothing stored, nothing sent.
    answerEvent(openAdd(u->pushButton_AddA1), 1, 0, 0x30, 0x40);
    ++n;
    cValueKey *dialog = openEdit(u->listWidget_A1, 0);
    u->listWidget_A1->item(0)->setSelected(true);
    u->pushButton_DelItem1->click();
    ++n;
    answerEvent(dialog, 1, 0, 0x31, 0x41);

    // A remove confirmed after the pedal reported Customize2 (which selects
    // switch A): it still empties switch B's list 1.
    answerEvent(openAdd(u->pushButton_AddA1), 1, 0, 0x32, 0x42);
    ++n;
    u->pushButton_Remove1->click();
    Bytes report;
    s.sim->withDevice([&](tavrosim::SimDevice &d) { report = d.unit<tavrosim::SimOldPedalModel>()->selectPreset(5); });
    QVERIFY(s.sim->sendFrame(0x68, report));
    QTRY_VERIFY_WITH_TIMEOUT(u->checkBox_A->isChecked(), kWait);
    answerQuestion(QMessageBox::Yes);
    QCOMPARE(lastSwitchFrame(++n), frameHex(kSwitchData, "00 25 0F 00 04 F0 41 10 F7"));
    QCOMPARE(s.count(kSwitchData), n);
}

void TestMasterListsEndToEnd::expressionList()
{
    Ui_master *u = ui();
    u->comboBox_preset->setCurrentIndex(5);
    QCOMPARE(rows(u->listWidget_pedal),
             QStringList({"[01]  B0  11  0~127", "[02]  B1  7  20~110", "[03]  B2  64  5~120"}));

    // Editing row 0 prefills the dialog from the entry (channel 0, controller 11, 0..127).
    u->listWidget_pedal->setCurrentRow(0);
    emit u->listWidget_pedal->itemDoubleClicked(u->listWidget_pedal->item(0));
    cPedal *dialog = s.page->pedalDialog();
    QVERIFY(dialog);
    Ui_cPedal *d = dialog->form();
    QCOMPARE(d->comboBox_channel->currentIndex(), 0);
    QCOMPARE(d->comboBox_data1->currentIndex(), 11);
    QCOMPARE(d->comboBox_ValueUp->currentIndex(), 0);
    QCOMPARE(d->comboBox_ValueDown->currentIndex(), 127);
    // The event dialog opened meanwhile changes neither dialog's purpose.
    cValueKey *adding = openAdd(u->pushButton_AddA1);
    d->comboBox_data1->setCurrentIndex(12);
    d->pushButton_ok->click();
    size_t n = 1;
    QCOMPARE(nth(kPedalExpression, n).mid(18, 11), QStringLiteral("00 0C 00 7F"));
    QVERIFY(s.page->pedalDialog()); // kept for the next edit
    QVERIFY(!dialog->isVisible());
    const size_t records = s.count(kSwitchData);
    answerEvent(adding, 1, 0, 0x33, 0x43);
    QVERIFY(lastSwitchFrame(records + 1).contains(QStringLiteral("00 90 33 43")));

    // Deleting row 0 of three: 15 bytes.
    u->listWidget_pedal->item(0)->setSelected(true);
    u->pushButton_pedalDelItem->click();
    QCOMPARE(nth(kPedalExpression, ++n).size(), 3 * 15 - 1);
    QCOMPARE(u->listWidget_pedal->item(0)->text(), QStringLiteral("[01]  B1  7  20~110"));

    // Adding up to 16, then once more: nothing changes.
    delete s.page->pedalDialog();
    QVERIFY(!s.page->pedalDialog());
    for (int i = 2; i < 16; ++i) {
        u->pushButton_pedalAdd->click();
        QPointer<cPedal> added = s.page->pedalDialog();
        added->form()->comboBox_data1->setCurrentIndex(i);
        added->form()->pushButton_ok->click();
        QTRY_VERIFY(!added); // deleted when it closes
    }
    n += 14;
    QCOMPARE(nth(kPedalExpression, n).size(), 3 * (7 + 64) - 1);
    u->pushButton_pedalAdd->click();
    s.page->pedalDialog()->form()->pushButton_ok->click();
    QCOMPARE(u->listWidget_pedal->count(), 16);

    // "Delete All", Yes.
    u->pushButton_removePedal->click();
    answerQuestion(QMessageBox::Yes);
    QCOMPARE(nth(kPedalExpression, ++n), QStringLiteral("78 59 65 00 00 00 FF"));
    QCOMPARE(s.count(kPedalExpression), n);
    QCOMPARE(u->listWidget_pedal->count(), 0);
}

// A preset file loaded while "Preset1" is shown: the whole configuration goes
// to the pedal in its order, and the pedal then holds what the file holds.
void TestMasterListsEndToEnd::presetFileToThePedal()
{
    Ui_master *u = ui();
    const size_t n = s.count(kSwitchData);
    u->comboBox_preset->setCurrentIndex(0);
    QTRY_COMPARE_WITH_TIMEOUT(s.count(kSwitchData), n + 1, kWait); // Preset1 selected
    s.sim->clearLog();
    SMIDIConfigData file = s.page->config();
    file.Preset = 1;
    file.SwitchData[0].Type = 2;
    file.SwitchData[0].Count2 = 1;
    file.SwitchData[0].List2[0] = {0x01, 0x90, 0x40, 0x7F};
    file.SwitchData[3].Latch = 0x41;
    file.SwitchData[3].Display[0] = 0x80 | 14;
    file.PresetDisplay[0] = 0x80 | 5;
    file.PedalCount = 2;
    file.PedalData[0] = {4, 1, 0, 127};
    file.PedalData[1] = {5, 2, 10, 20};
    QTemporaryDir dir;
    tavrotest::ChosenPath chosen;
    chosen.path = dir.filePath(QStringLiteral("file.z3"));
    QVERIFY(tavrotest::writeAll(chosen.path, PedalPresetFile::encode(file.toByteArray())));

    u->pushButton_In->click();
    QTRY_COMPARE_WITH_TIMEOUT(s.commands().size(), 10, kWait);
    QCOMPARE(s.commands(), QList<int>({0x60, 0x60, 0x60, 0x60, 0x60, 0x62, 0x69, 0x67, 0x65, 0x60}));
    const Bytes image = s.sim->pedalImage();
    QCOMPARE(carried(image.data()), carried(reinterpret_cast<const uint8_t *>(&file)));
    QCOMPARE(int(image[kPreset]), 1);
}

TAVRO_TEST_MAIN(TestMasterListsEndToEnd)
#include "test_masterlists_e2e.moc"
