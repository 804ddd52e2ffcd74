#include <QNetworkReply>
#include <QPushButton>
#include <QSignalSpy>
#include <cstring>

#include "cdlgpadlevel.h"
#include "httpfixture.h"
#include "presettestutil.h"
#include "testmain.h"
#include "touchcombobox.h"

using namespace presettest;

namespace {

TouchComboBox *padCombo(QWidget *dlg, int nPad)
{
    return dlg->findChild<TouchComboBox *>(QStringLiteral("comboBox_%1").arg(nPad));
}

void clickButton(QWidget *dlg, const char *name)
{
    dlg->findChild<QPushButton *>(QLatin1String(name))->click();
}

} // namespace

class TestCDlgPadLevel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void opensWithClampedLevels();
    void applyRecoverAndCancel();
    void keyboardHasEightPads();
    void factoryLevelFromServer();
    void factoryLevelFallsBackTo45_data();
    void factoryLevelFallsBackTo45();

private:
    // Waits until the dialog's threshold download has been answered and handled.
    bool waitForThreshold(cDlgPadLevel *dlg, const QString &path);

    HttpFixture m_server;
};

void TestCDlgPadLevel::initTestCase()
{
    QVERIFY(m_server.start());
    qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
}

void TestCDlgPadLevel::init()
{
    m_server.clearBehaviours();
    m_server.clearRequests();
    // Under a comment in GBK: an index in an old code page is an index.
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/preset.ini"), "; \xb9\xcc\xbc\xfe\n[param]\npadthreshold=60\n"));
}

bool TestCDlgPadLevel::waitForThreshold(cDlgPadLevel *dlg, const QString &path)
{
    return QTest::qWaitFor([&] { return m_server.requestCount(path) == 1; }, 5000)
           && QTest::qWaitFor([&] { return dlg->findChildren<QNetworkReply *>().isEmpty(); }, 5000);
}

void TestCDlgPadLevel::opensWithClampedLevels()
{
    quint8 levels[16];
    std::memset(levels, 50, sizeof levels);
    levels[0] = 5;
    levels[1] = 200;
    levels[15] = 90;
    cDlgPadLevel dlg(7, levels);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Pad Calibration"));
    QCOMPARE(dlg.padCount(), 16);
    QCOMPARE(levels[0], quint8(10));
    QCOMPARE(levels[1], quint8(90));
    QCOMPARE(padCombo(&dlg, 1)->currentText(), QStringLiteral("10"));
    QCOMPARE(padCombo(&dlg, 2)->currentText(), QStringLiteral("90"));
    QCOMPARE(padCombo(&dlg, 3)->currentText(), QStringLiteral("50"));
    QCOMPARE(padCombo(&dlg, 16)->currentText(), QStringLiteral("90"));
    QCOMPARE(padCombo(&dlg, 1)->count(), 81);
    QCOMPARE(padCombo(&dlg, 1)->itemText(80), QStringLiteral("90"));
    QVERIFY(waitForThreshold(&dlg, QStringLiteral("tvsuite/rz7/preset.ini")));
}

void TestCDlgPadLevel::applyRecoverAndCancel()
{
    quint8 levels[16];
    for (int i = 0; i < 16; ++i)
        levels[i] = quint8(20 + i);
    cDlgPadLevel dlg(7, levels);
    dlg.show();
    QSignalSpy sent(&dlg, &cDlgPadLevel::signals_send_pad_level);

    // Return presses no button (it was "Data recovery").
    QTest::keyClick(&dlg, Qt::Key_Return);
    QVERIFY(dlg.isVisible() && !openQuestion(&dlg));

    // A choice touches only the dialog's copy; Cancel writes nothing.
    padCombo(&dlg, 3)->setCurrentIndex(padCombo(&dlg, 3)->findText(QStringLiteral("30")));
    QCOMPARE(levels[2], quint8(22));
    clickButton(&dlg, "pushButton_Cancel");
    QVERIFY(!dlg.isVisible());
    QCOMPARE(levels[2], quint8(22));
    QCOMPARE(sent.count(), 0);

    dlg.show();
    clickButton(&dlg, "pushButton_save");
    QCOMPARE(sent.count(), 1);
    QCOMPARE(levels[2], quint8(30));
    QCOMPARE(levels[3], quint8(23));

    // Recovery: No changes nothing; Yes goes back to the levels at opening.
    clickButton(&dlg, "pushButton_recover");
    QCOMPARE(openQuestion(&dlg)->text(), QStringLiteral("Confirm restore initial data?"));
    QVERIFY(answer(&dlg, QMessageBox::No));
    QCOMPARE(levels[2], quint8(30));
    QCOMPARE(sent.count(), 1);
    clickButton(&dlg, "pushButton_recover");
    QVERIFY(answer(&dlg, QMessageBox::Yes));
    QCOMPARE(sent.count(), 2);
    QCOMPARE(levels[2], quint8(22));
    QCOMPARE(padCombo(&dlg, 3)->currentText(), QStringLiteral("22"));

    // After recovery, Apply writes the recovered levels (the copy follows).
    clickButton(&dlg, "pushButton_save");
    QCOMPARE(levels[2], quint8(22));
    QCOMPARE(sent.count(), 3);
    QVERIFY(waitForThreshold(&dlg, QStringLiteral("tvsuite/rz7/preset.ini")));
}

void TestCDlgPadLevel::keyboardHasEightPads()
{
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/vx18/preset.ini"), "[param]\npadthreshold=70\n"));
    quint8 levels[16];
    std::memset(levels, 0xEE, sizeof levels);
    std::memset(levels, 40, 8);
    cDlgPadLevel dlg(9, levels);
    QCOMPARE(dlg.padCount(), 8);
    for (int nPad = 9; nPad <= 16; ++nPad) {
        QVERIFY(padCombo(&dlg, nPad)->isHidden());
        QVERIFY(dlg.findChild<QWidget *>(QStringLiteral("label_%1").arg(nPad))->isHidden());
    }
    QVERIFY(!padCombo(&dlg, 8)->isHidden());
    QVERIFY(waitForThreshold(&dlg, QStringLiteral("tvsuite/vx18/preset.ini")));
    QCOMPARE(dlg.factoryLevel(), 70);

    QSignalSpy sent(&dlg, &cDlgPadLevel::signals_send_pad_level);
    clickButton(&dlg, "pushButton_reset");
    QVERIFY(answer(&dlg, QMessageBox::Yes));
    clickButton(&dlg, "pushButton_save");
    clickButton(&dlg, "pushButton_recover");
    QVERIFY(answer(&dlg, QMessageBox::Yes));
    QCOMPARE(sent.count(), 3);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(levels[i], quint8(40));
    for (int i = 8; i < 16; ++i)
        QCOMPARE(levels[i], quint8(0xEE));
}

void TestCDlgPadLevel::factoryLevelFromServer()
{
    quint8 levels[16];
    std::memset(levels, 30, sizeof levels);

    // Before the index has come, a factory reset uses 45.
    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/preset.ini"), HttpFixture::Stall);
    {
        cDlgPadLevel dlg(7, levels);
        QSignalSpy sent(&dlg, &cDlgPadLevel::signals_send_pad_level);
        QTRY_COMPARE(m_server.requestCount(QStringLiteral("tvsuite/rz7/preset.ini")), 1);
        clickButton(&dlg, "pushButton_reset");
        QCOMPARE(openQuestion(&dlg)->text(), QStringLiteral("Restore factory threshold data?"));
        QVERIFY(answer(&dlg, QMessageBox::Yes));
        QCOMPARE(sent.count(), 1);
        for (quint8 level : levels)
            QCOMPARE(level, quint8(45));
    }   // destroyed with the download in flight
    m_server.stop();
    QVERIFY(m_server.start());
    qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
    m_server.clearBehaviours();
    m_server.clearRequests();

    cDlgPadLevel dlg(7, levels);
    QSignalSpy sent(&dlg, &cDlgPadLevel::signals_send_pad_level);
    QVERIFY(waitForThreshold(&dlg, QStringLiteral("tvsuite/rz7/preset.ini")));
    QCOMPARE(dlg.factoryLevel(), 60);
    // The download itself changes nothing on screen or in the page's array.
    QCOMPARE(levels[0], quint8(45));
    QCOMPARE(sent.count(), 0);

    clickButton(&dlg, "pushButton_reset");
    QVERIFY(answer(&dlg, QMessageBox::No));
    QCOMPARE(levels[0], quint8(45));
    clickButton(&dlg, "pushButton_reset");
    QVERIFY(answer(&dlg, QMessageBox::Yes));
    QCOMPARE(sent.count(), 1);
    for (int nPad = 1; nPad <= 16; ++nPad) {
        QCOMPARE(levels[nPad - 1], quint8(60));
        QCOMPARE(padCombo(&dlg, nPad)->currentText(), QStringLiteral("60"));
    }
}

void TestCDlgPadLevel::factoryLevelFallsBackTo45_data()
{
    QTest::addColumn<QByteArray>("index");
    QTest::addColumn<int>("behaviour");
    QTest::newRow("above 90") << QByteArray("[param]\npadthreshold=95\n") << int(HttpFixture::Serve);
    QTest::newRow("below 10") << QByteArray("[param]\npadthreshold=0\n") << int(HttpFixture::Serve);
    QTest::newRow("not a number") << QByteArray("[param]\npadthreshold=abc\n") << int(HttpFixture::Serve);
    QTest::newRow("missing key") << QByteArray("[files]\n1=Techno\n") << int(HttpFixture::Serve);
    QTest::newRow("404") << QByteArray("[param]\npadthreshold=60\n") << int(HttpFixture::NotFound);
    QTest::newRow("broken off") << QByteArray("[param]\npadthreshold=60\n") << int(HttpFixture::BreakOff);
}

void TestCDlgPadLevel::factoryLevelFallsBackTo45()
{
    QFETCH(QByteArray, index);
    QFETCH(int, behaviour);
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/preset.ini"), index));
    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/preset.ini"), HttpFixture::Behaviour(behaviour));
    quint8 levels[16];
    std::memset(levels, 30, sizeof levels);
    cDlgPadLevel dlg(7, levels);
    QVERIFY(waitForThreshold(&dlg, QStringLiteral("tvsuite/rz7/preset.ini")));
    QCOMPARE(dlg.factoryLevel(), 45);
    clickButton(&dlg, "pushButton_reset");
    QVERIFY(answer(&dlg, QMessageBox::Yes));
    for (quint8 level : levels)
        QCOMPARE(level, quint8(45));
}

TAVRO_TEST_MAIN(TestCDlgPadLevel)
#include "test_cdlgpadlevel.moc"
