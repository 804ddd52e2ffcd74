// The two entry dialogs that both foot pedal pages open: what they show when
// prefilled from a list row, what they hand back, and what they refuse.
#include "testmain.h"

#include <QSignalSpy>
#include <QTextEdit>
#include <QTranslator>

#include "autodisappermsgbox.h"
#include "devices/pedal/cpedal.h"
#include "devices/pedal/cvaluekey.h"
#include "globals.h"
#include "midinames.h"
#include "touchcombobox.h"
#include "ui_cpedal.h"
#include "ui_cvaluekey.h"

namespace {

QList<int> rows(Ui_cPedal *ui)
{
    return {ui->comboBox_channel->currentIndex(), ui->comboBox_data1->currentIndex(),
            ui->comboBox_ValueUp->currentIndex(), ui->comboBox_ValueDown->currentIndex()};
}

QStringList toasts(QWidget *w)
{
    QStringList out;
    for (AutoDisapperMsgBox *box : w->findChildren<AutoDisapperMsgBox *>())
        out << box->text();
    return out;
}

void loadLanguage(int language)
{
    g_language = language;
    QVERIFY(g_translator->load(language ? QStringLiteral(":/Language/language_cn.qm")
                                        : QStringLiteral(":/Language/language_en.qm")));
    QCoreApplication::installTranslator(g_translator);
}

} // namespace

class TestPedalDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { g_translator = new QTranslator(qApp); }
    void cleanup() { QCoreApplication::removeTranslator(g_translator); }

    // ---- expression-pedal entry ------------------------------------------

    void pedalNewDialog()
    {
        cPedal dlg;
        QCOMPARE(rows(dlg.form()), (QList<int>{0, 0, 0, 127}));
        QCOMPARE(dlg.form()->comboBox_channel->count(), 16);
        QCOMPARE(dlg.form()->comboBox_ValueDown->count(), 128);
        QSignalSpy spy(&dlg, &cPedal::signal_pedal_add);
        dlg.show();
        dlg.form()->pushButton_ok->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QList<int>>(), (QList<int>{0, 0, 0, 127}));
        QVERIFY(!dlg.isVisible());
    }

    void pedalPrefill_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QList<int>>("shown");
        QTest::addColumn<QList<int>>("emitted");
        QTest::newRow("first entry") << "[01]  B2  07  00~7F" << QList<int>{2, 7, 0, 127} << QList<int>{2, 7, 0, 127};
        QTest::newRow("min above max") << "[16]  BF  7F  40~20" << QList<int>{15, 127, 64, 32}
                                       << QList<int>{15, 127, 64, 32};
        QTest::newRow("empty") << "" << QList<int>{0, 0, 0, 0} << QList<int>{0, 0, 0, 0};
        QTest::newRow("three fields") << "[01]  B2  07" << QList<int>{0, 0, 0, 0} << QList<int>{0, 0, 0, 0};
        QTest::newRow("other status") << "[01]  C5  07  00~7F" << QList<int>{5, 7, 0, 127} << QList<int>{5, 7, 0, 127};
        // A value beyond the rows: no current row, and OK hands it back.
        QTest::newRow("controller 0x80") << "[01]  B2  80  00~F0" << QList<int>{2, -1, 0, -1}
                                         << QList<int>{2, 128, 0, 240};
        QTest::newRow("no tilde") << "[01]  B2  07  10" << QList<int>{2, 7, 16, 0} << QList<int>{2, 7, 16, 0};
    }
    void pedalPrefill()
    {
        QFETCH(QString, row);
        QFETCH(QList<int>, shown);
        QFETCH(QList<int>, emitted);
        cPedal dlg;
        dlg.set_values(row);
        QCOMPARE(rows(dlg.form()), shown);
        QSignalSpy spy(&dlg, &cPedal::signal_pedal_add);
        dlg.form()->pushButton_ok->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QList<int>>(), emitted);
    }

    void pedalCancelEmitsNothing()
    {
        cPedal dlg;
        dlg.show();
        dlg.set_values(QStringLiteral("[03]  BF  0B  0A~64"));
        QSignalSpy spy(&dlg, &cPedal::signal_pedal_add);
        dlg.form()->pushButton_cancel->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(spy.count(), 0);
        QCOMPARE(rows(dlg.form()), (QList<int>{15, 11, 10, 100}));
    }

    void pedalTexts_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("from");
        QTest::newRow("none") << -1 << "Pedal Setting" << "Form";
        QTest::newRow("English") << 0 << "DOVO Dazed Setting" << "From";
        QTest::newRow("Chinese") << 1 << "MIDI踏板设置" << "从";
    }
    void pedalTexts()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, from);
        if (language >= 0)
            loadLanguage(language);
        cPedal dlg;
        QCOMPARE(dlg.windowTitle(), title);
        QCOMPARE(dlg.form()->label_from->text(), from);
        QCOMPARE(dlg.form()->comboBox_ValueDown->itemText(127), QString("127"));
    }

    // ---- event and SysEx entry -------------------------------------------

    void eventPrefill_data()
    {
        QTest::addColumn<QString>("before"); // a row shown first, or empty
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("data1Text");
        QTest::addColumn<bool>("data2Shown");
        QTest::addColumn<QList<int>>("emitted");
        QTest::newRow("note on") << "" << "[01]   93   3C   7F" << 1 << 3 << "60" << true
                                 << QList<int>{0x90, 3, 60, 127};
        QTest::newRow("drum program") << "" << "[01]   C9   05" << 4 << 9 << g_gmDrumNames[5] << false
                                      << QList<int>{0xC0, 9, 5, 0};
        QTest::newRow("program after another type") << "[01]   93   3C   7F" << "[02]   C3   28" << 4 << 3
                                                    << g_gmProgramNames[40] << false
                                                    << QList<int>{0xC0, 3, 40, 0};
        QTest::newRow("active sensing") << "" << "[03]   FE" << 15 << 14 << "0" << false
                                        << QList<int>{0xFE, 14, 0, 0};
        QTest::newRow("song position") << "" << "[01]   F2   01   02" << 8 << 2 << "1" << true
                                       << QList<int>{0xF2, 2, 1, 2};
        QTest::newRow("song select") << "" << "[01]   F3   05" << 9 << 3 << "5" << false
                                     << QList<int>{0xF3, 3, 5, 0};
        QTest::newRow("add after a program change") << "[01]   C3   28" << "Add Data" << 0 << 0 << "0" << true
                                                    << QList<int>{0x80, 0, 0, 0};
    }
    void eventPrefill()
    {
        QFETCH(QString, before);
        QFETCH(QString, row);
        QFETCH(int, type);
        QFETCH(int, channel);
        QFETCH(QString, data1Text);
        QFETCH(bool, data2Shown);
        QFETCH(QList<int>, emitted);
        cValueKey dlg;
        dlg.show();
        if (!before.isEmpty())
            dlg.set_values(before);
        dlg.set_values(row);
        Ui_cValueKey *ui = dlg.form();
        QCOMPARE(ui->comboBox_type->currentIndex(), type);
        QCOMPARE(ui->comboBox_channel->currentIndex(), channel);
        QCOMPARE(ui->comboBox_data1->currentText(), data1Text);
        QCOMPARE(ui->comboBox_data2->isVisible(), data2Shown);
        QCOMPARE(ui->comboBox_channel->isVisible(), type < 7);
        QSignalSpy spy(&dlg, &cValueKey::signal_key_midi_event);
        ui->pushButton_ok->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QList<int>>(), emitted);
        QVERIFY(!dlg.isVisible());
    }

    void drumNamesOnChannels9And10()
    {
        cValueKey dlg;
        Ui_cValueKey *ui = dlg.form();
        ui->comboBox_channel->setCurrentIndex(9);
        ui->comboBox_type->setCurrentIndex(4);
        // A change into program change shows the program names, whatever the channel.
        QCOMPARE(ui->comboBox_data1->itemText(0), g_gmProgramNames[0]);
        for (int channel : {10, 9}) {
            ui->comboBox_channel->setCurrentIndex(channel);
            QCOMPARE(ui->comboBox_data1->itemText(35), g_gmDrumNames[35]);
        }
        ui->comboBox_channel->setCurrentIndex(11);
        QCOMPARE(ui->comboBox_data1->itemText(35), g_gmProgramNames[35]);
        ui->comboBox_type->setCurrentIndex(0);
        QCOMPARE(ui->comboBox_data1->itemText(35), QString("35"));
    }

    void sysexAccepted_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lower case kept") << "f0 7e 7f 06 01 f7" << "f0 7e 7f 06 01 f7";
        QTest::newRow("no blanks") << "F07E7F0601F7" << "F0 7E 7F 06 01 F7";
        QTest::newRow("note on") << "90 3C 7F" << "90 3C 7F";
        QTest::newRow("empty message") << "F0 F7" << "F0 F7";
        QTest::newRow("64 bytes") << "F0" + QString("11").repeated(62) + "F7"
                                  << QString("F0 ") + QString("11 ").repeated(62) + "F7";
    }
    void sysexAccepted()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        cValueKey dlg;
        dlg.show();
        dlg.set_values(typed);
        QCOMPARE(dlg.form()->comboBox_type->currentIndex(), 16);
        QCOMPARE(dlg.form()->stackedWidget->currentIndex(), 1);
        QVERIFY(dlg.form()->pushButton_DelText->isVisible());
        QStringList emitted;
        connect(&dlg, &cValueKey::signal_key_midi_sysex, this, [&emitted](QString &text) { emitted << text; });
        QTest::keyClick(&dlg, Qt::Key_Return); // clears nothing
        dlg.form()->pushButton_ok->click();
        QCOMPARE(emitted, QStringList{shown + " "});
        QCOMPARE(dlg.form()->textEdit->toPlainText(), shown);
    }

    void sysexRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString format = "The format of the Sysex message is incorrect.";
        const QString invalid = "Please provide valid data.";
        QTest::newRow("0x prefixes") << "0xF0 0x7E" << format;
        QTest::newRow("no F7") << "F0 43 10" << format;
        QTest::newRow("status inside") << "F0 43 F8 F7" << format;
        QTest::newRow("F7 alone") << "F7" << format;
        QTest::newRow("130 digits") << "F0" + QString("1").repeated(126) + "F7" << invalid;
        QTest::newRow("empty") << "" << invalid;
        QTest::newRow("no digits") << " xyz, ;" << invalid;
    }
    void sysexRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        cValueKey dlg;
        dlg.show();
        dlg.set_values(typed.isEmpty() ? QStringLiteral(" ") : typed);
        int emitted = 0;
        connect(&dlg, &cValueKey::signal_key_midi_sysex, this, [&emitted](QString &) { ++emitted; });
        dlg.form()->pushButton_ok->click();
        QCOMPARE(emitted, 0);
        QVERIFY(dlg.isVisible());
        QCOMPARE(toasts(&dlg), QStringList{message});
    }

    void sysexTextNormalised()
    {
        QCOMPARE(cValueKey::format_sysex_text("0xF0 0x7E"), QString("0F 00 7E"));
        QCOMPARE(cValueKey::format_sysex_text("f0,7E\n1"), QString("f0 7E 1"));
        QCOMPARE(cValueKey::format_sysex_text(QString("A").repeated(128)).size(), 64 * 3 - 1);
        QCOMPARE(cValueKey::format_sysex_text(QString("A").repeated(129)), QString());
    }

    void eventTexts_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("ok");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << 0 << "OK" << "Setting";
        QTest::newRow("Chinese") << 1 << "确认" << "设置";
    }
    void eventTexts()
    {
        QFETCH(int, language);
        QFETCH(QString, ok);
        QFETCH(QString, title);
        cValueKey dlg;
        loadLanguage(language);
        dlg.retranslateUi();
        QCOMPARE(dlg.form()->pushButton_ok->text(), ok);
        QCOMPARE(dlg.windowTitle(), title);
        QCOMPARE(dlg.form()->comboBox_type->itemText(16), QString("F0 F7(System Exclusive)"));
        QCOMPARE(QCoreApplication::translate("cValueKey", "The length of the Sysex message exceeds 64."),
                 language ? QString("Sysex消息长度超过64。") : QString("The length of the Sysex message exceeds 64."));
    }
};

TAVRO_TEST_MAIN(TestPedalDialogs)
#include "test_pedaldialogs.moc"
