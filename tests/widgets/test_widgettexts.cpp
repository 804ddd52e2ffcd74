// The texts of the colour chooser and the switch in both interface languages,
// from the compiled catalogues the application loads.
#include "colorpicker.h"
#include "switchbutton.h"
#include "testmain.h"

#include <QLabel>
#include <QPushButton>
#include <QTranslator>

class TestWidgetTexts : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void untranslatedSourceTexts();
};

void TestWidgetTexts::texts_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QStringList>("picker"); // title, R, G, B, brightness, confirm, cancel
    QTest::addColumn<QStringList>("toggle"); // on, off
    QTest::newRow("English") << QStringLiteral(":/Language/language_en.qm")
                             << QStringList{QStringLiteral("Color Picker"), QStringLiteral("R"),
                                            QStringLiteral("G"), QStringLiteral("B"),
                                            QStringLiteral("Brightness:"), QStringLiteral("Confirm"),
                                            QStringLiteral("Cancel")}
                             << QStringList{QStringLiteral("ON"), QStringLiteral("OFF")};
    QTest::newRow("Chinese") << QStringLiteral(":/Language/language_cn.qm")
                             << QStringList{QStringLiteral("选择颜色"), QStringLiteral("红"),
                                            QStringLiteral("绿"), QStringLiteral("蓝"),
                                            QStringLiteral("亮度:"), QStringLiteral("确定"),
                                            QStringLiteral("取消")}
                             << QStringList{QStringLiteral("打开"), QStringLiteral("关闭")};
}

void TestWidgetTexts::texts()
{
    QFETCH(QString, catalogue);
    QFETCH(QStringList, picker);
    QFETCH(QStringList, toggle);

    QTranslator translator;
    QVERIFY2(translator.load(catalogue), qPrintable(catalogue));
    QVERIFY(QCoreApplication::installTranslator(&translator));

    ColorPicker dialog;
    QCOMPARE(dialog.windowTitle(), picker.at(0));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_R"))->text(), picker.at(1));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_G"))->text(), picker.at(2));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_B"))->text(), picker.at(3));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_Brightness"))->text(), picker.at(4));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("btn_Confirm"))->text(), picker.at(5));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("btn_Cancel"))->text(), picker.at(6));

    switchbutton sw;
    QCOMPARE(sw.getTextOn(), toggle.at(0));
    QCOMPARE(sw.getTextOff(), toggle.at(1));

    QCoreApplication::removeTranslator(&translator);
}

void TestWidgetTexts::untranslatedSourceTexts()
{
    ColorPicker dialog;
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_Brightness"))->text(),
             QStringLiteral("brightness:"));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("btn_Confirm"))->text(), QStringLiteral("confirm"));
}

TAVRO_TEST_MAIN(TestWidgetTexts)
#include "test_widgettexts.moc"
