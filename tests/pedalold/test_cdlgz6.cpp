// The second pedal page and its control dialog: built and shown as no road of
// the editor does, they convert display texts, ignore the device, close the
// base way, and show their forms' texts in both languages.
#include "testmain.h"
#include "recordingowner.h"

#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTranslator>

#include "ceventbase.h"
#include "devices/pedal_old/cdlgz6.h"
#include "devices/pedal_old/cdlgz6child.h"
#include "globals.h"
#include "sysexpacking.h"
#include "touchcombobox.h"
#include "ui_cdlgz6.h"
#include "ui_cdlgz6child.h"

namespace {

// Records the page-closed events a page sends its owner.
class ClosingOwner : public tavrotest::RecordingOwner
{
public:
    bool event(QEvent *e) override
    {
        if (e->type() == EVENT_PAGE_CLOSED) {
            auto *ev = static_cast<CEventBase *>(e);
            closed << qMakePair(ev->m_value1, ev->m_value2);
            return true;
        }
        return tavrotest::RecordingOwner::event(e);
    }
    QList<QPair<quint64, quint64>> closed;
};

void loadLanguage(int language)
{
    g_language = language;
    QVERIFY(g_translator->load(language == 1 ? QStringLiteral(":/Language/language_cn.qm")
                                             : QStringLiteral(":/Language/language_en.qm")));
    QCoreApplication::installTranslator(g_translator);
}

QStringList rows(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QStringList numbers(int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QString::number(i);
    return out;
}

} // namespace

class TestCDlgZ6 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { g_translator = new QTranslator(qApp); }

    void displayCodes_data();
    void displayCodes();
    void midiMaxGoesToTheDebugOutput();
    void pageIgnoresTheDeviceAndClosesTheBaseWay();
    void pageForm();
    void pageTexts();
    void childForm();
    void childDoesNothing();
};

void TestCDlgZ6::displayCodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QVector<int>>("codes");
    QTest::newRow("three eights with dots") << "8.8.8." << 3 << QVector<int>{263, 263, 263};
    QTest::newRow("past the end") << "8.8.8." << 4 << QVector<int>{263, 263, 263, -1};
    QTest::newRow("blank is no dot") << "A B" << 2 << QVector<int>{0, 1};
    QTest::newRow("odd place never read") << "88" << 2 << QVector<int>{7, -1};
    QTest::newRow("unknown with dot") << "6." << 1 << QVector<int>{511};
    QTest::newRow("case matters") << "b" << 1 << QVector<int>{255};
    QTest::newRow("T") << "T" << 1 << QVector<int>{9};
    QTest::newRow("dash") << "-" << 1 << QVector<int>{6};
    QTest::newRow("empty text") << "" << 2 << QVector<int>{-1, -1};
    QTest::newRow("count 0") << "8.8.8." << 0 << QVector<int>{};
    QTest::newRow("count -1") << "8.8.8." << -1 << QVector<int>{};
}

void TestCDlgZ6::displayCodes()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QVector<int>, codes);
    QCOMPARE(cDlgZ6::display_text_to_codes(text, count), codes);
}

void TestCDlgZ6::midiMaxGoesToTheDebugOutput()
{
    tavrotest::RecordingOwner owner;
    cDlgZ6 page(&owner);
    QTest::ignoreMessage(QtDebugMsg, "send midi Max :  3");
    page.send_midi_max(0);
    QTest::ignoreMessage(QtDebugMsg, "send midi Max :  127");
    page.send_midi_max(31);
    QVERIFY(owner.frames.isEmpty());
}

void TestCDlgZ6::pageIgnoresTheDeviceAndClosesTheBaseWay()
{
    ClosingOwner owner;
    auto *page = new cDlgZ6(&owner);
    page->setAttribute(Qt::WA_DeleteOnClose);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));

    const QByteArray frame = tavrotest::frame(0x66, QByteArray(1184, '\x01'));
    QByteArray input(int(packedSysExSize(uint(frame.size()))), 0);
    packSysEx(reinterpret_cast<const uchar *>(frame.constData()), uint(frame.size()),
              reinterpret_cast<uchar *>(input.data()));
    input += QByteArray::fromHex("F0 01 02 F7 90 3C 7F C5 0A F8");
    QCOMPARE(page->Slots_recv_data(reinterpret_cast<const uchar *>(input.constData()), uint(input.size())),
             uint(input.size()));
    QVERIFY(owner.frames.isEmpty());

    QPointer<cDlgZ6> alive(page);
    page->close();
    QTRY_VERIFY(alive.isNull());
    QCOMPARE(owner.closed.size(), 1);
    QCOMPARE(owner.closed.first(), qMakePair(quint64(0), quint64(0)));
    QVERIFY(owner.frames.isEmpty());
    QCOMPARE(owner.backCalls, 0);
}

void TestCDlgZ6::pageForm()
{
    cDlgZ6 page(nullptr);
    Ui_cDlgZ6 *ui = page.form();
    QCOMPARE(page.objectName(), QStringLiteral("cDlgZ6"));
    QCOMPARE(page.size(), QSize(511, 784));
    QCOMPARE(page.windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page_2);
    QCOMPARE(ui->stackedWidget_2->currentWidget(), ui->page_7);
    QCOMPARE(ui->stackedWidget_BtModel->currentWidget(), ui->page_11);

    QCOMPARE(rows(ui->comboBox2_channelA), numbers(16));
    QCOMPARE(ui->comboBox2_dataA->count(), 0);
    QCOMPARE(ui->comboBox_P12Max->count(), 0);
    QCOMPARE(ui->comboBox_preset->count(), 4);
    QCOMPARE(ui->comboBox_Group->count(), 8);
    QCOMPARE(ui->comboBox_Group_2->count(), 8);
    QCOMPARE(ui->comboBox_BtModel->count(), 3);
    QCOMPARE(rows(ui->comboBox_selectFS), QStringList({"A", "B", "C", "D", "E"}));
    QCOMPARE(rows(ui->comboBox_A), QStringList({"Down", "Down(Toggle)", "Down+Up", "Long", "Up+Long"}));
    QVERIFY(!qobject_cast<TouchComboBox *>(ui->comboBox_selectFS));
    QCOMPARE(page.findChildren<TouchComboBox *>().size(), 8);
    QCOMPARE(ui->pushButton_Display->text(), QStringLiteral("8.8.8."));
    QVERIFY(!ui->widget_PassThrough->getChecked());
}

void TestCDlgZ6::pageTexts()
{
    loadLanguage(0);
    {
        cDlgZ6 page(nullptr);
        Ui_cDlgZ6 *ui = page.form();
        QCOMPARE(ui->label_7->text(), QStringLiteral("Cascade Mode"));
        for (QLabel *label : {ui->label_Explain1, ui->label_Explain2, ui->label_Explain3, ui->label_10}) {
            QVERIFY2(label->text().size() > 60, qPrintable(label->text()));
            QVERIFY(!label->text().contains(QLatin1String("Explain")));
        }
        QVERIFY(ui->label_Explain1->text().startsWith(QLatin1String("Mode 1 is used")));
        QCOMPARE(ui->comboBox_preset->itemText(0), QStringLiteral("Model1 (PC Code)"));
    }
    loadLanguage(1);
    {
        cDlgZ6 page(nullptr);
        Ui_cDlgZ6 *ui = page.form();
        QCOMPARE(ui->comboBox_preset->itemText(0), QStringLiteral("模式1（PC码）"));
        QCOMPARE(ui->comboBox_A->itemText(1), QStringLiteral("切换"));
        QCOMPARE(ui->comboBox_A->itemText(0), QStringLiteral("Down"));
        QCOMPARE(ui->comboBox_A->itemText(3), QStringLiteral("Long"));
        QCOMPARE(ui->label->text(), QStringLiteral("MIDI Max"));
        QCOMPARE(ui->comboBox_Group->itemText(2), QStringLiteral("Group3"));
        QCOMPARE(ui->label_7->text(), QStringLiteral("级联模式"));
        QCOMPARE(page.windowTitle(), QStringLiteral("Dialog"));

        // The texts are set once: a language switch leaves them.
        loadLanguage(0);
        page.Slots_change_language();
        QCOMPARE(ui->comboBox_preset->itemText(0), QStringLiteral("模式1（PC码）"));
    }
}

void TestCDlgZ6::childForm()
{
    loadLanguage(1);
    cDlgZ6Child dlg(7, 0xFFFFFFFFu, nullptr);
    Ui_cDlgZ6Child *ui = dlg.form();
    QCOMPARE(dlg.size(), QSize(496, 717));
    QCOMPARE(dlg.objectName(), QStringLiteral("cDlgZ6Child"));
    QCOMPARE(dlg.value1(), 7u);
    QCOMPARE(dlg.value2(), 0xFFFFFFFFu);
    QCOMPARE(ui->comboBox_type->count(), 17);
    QCOMPARE(ui->comboBox_type->itemText(0), QStringLiteral("8n (Note OFF)"));
    QCOMPARE(ui->comboBox_type->itemText(16), QStringLiteral("F0 F7(System Exclusive)"));
    QCOMPARE(rows(ui->comboBox_channel), numbers(16));
    QCOMPARE(rows(ui->comboBox_data1), numbers(128));
    QCOMPARE(rows(ui->comboBox_data2), numbers(128));
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->page_4);
    QCOMPARE(ui->label_type->text(), QStringLiteral("类型"));
    QCOMPARE(ui->label_chanel->text(), QStringLiteral("通道"));
    QCOMPARE(ui->label_data1->text(), QStringLiteral("数据1"));
    QCOMPARE(ui->label_data2->text(), QStringLiteral("数据2"));
    QCOMPARE(ui->pushButton_ok->text(), QStringLiteral("确认"));
    QCOMPARE(ui->pushButton_cancel->text(), QStringLiteral("取消"));
    QCOMPARE(ui->pushButton_DelText->text(), QStringLiteral("X"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Dialog"));
    loadLanguage(0);
}

void TestCDlgZ6::childDoesNothing()
{
    cDlgZ6Child dlg(0, 0, nullptr);
    Ui_cDlgZ6Child *ui = dlg.form();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    ui->textEdit->setPlainText(QStringLiteral("F0 7F F7"));
    ui->comboBox_type->setCurrentIndex(3);
    QCOMPARE(ui->stackedWidget->currentIndex(), 1);
    ui->comboBox_type->setCurrentIndex(16);
    QCOMPARE(ui->stackedWidget->currentIndex(), 1);
    for (QPushButton *b : {ui->pushButton_ok, ui->pushButton_cancel, ui->pushButton_DelText})
        QTest::mouseClick(b, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), 0);
    QCOMPARE(ui->textEdit->toPlainText(), QStringLiteral("F0 7F F7"));
}

TAVRO_TEST_MAIN(TestCDlgZ6)
#include "test_cdlgz6.moc"
