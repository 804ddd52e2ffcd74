// The compiled catalogues, loaded from the resources the way the windows load
// them, give every interface text in both languages.
#include "testmain.h"

#include "expectedtranslations.h"
#include "globals.h"

#include <QTranslator>

class TestTranslations : public QObject
{
    Q_OBJECT

private:
    void loadLanguage(int language)
    {
        g_language = language;
        const QString path = language == 1 ? QStringLiteral(":/Language/language_cn.qm")
                                           : QStringLiteral(":/Language/language_en.qm");
        QVERIFY2(g_translator->load(path), qPrintable(path));
        QCoreApplication::installTranslator(g_translator);
    }

    void addRows()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("expected");
        for (int language : {0, 1}) {
            for (const ExpectedTranslation &e : kExpectedTranslations) {
                const QString name = QStringLiteral("%1 %2 \"%3\"")
                                         .arg(language == 1 ? "cn" : "en", e.context,
                                              QString::fromUtf8(e.source).left(30));
                QTest::newRow(qPrintable(name))
                    << language << QByteArray(e.context) << QByteArray(e.source)
                    << QString::fromUtf8(language == 1 ? e.chinese : e.english);
            }
        }
    }

private slots:
    void initTestCase()
    {
        g_translator = new QTranslator(qApp);
    }

    void everyEntry_data() { addRows(); }
    void everyEntry()
    {
        QFETCH(int, language);
        QFETCH(QByteArray, context);
        QFETCH(QByteArray, source);
        QFETCH(QString, expected);
        loadLanguage(language);
        const QString shown = QCoreApplication::translate(context.constData(), source.constData());
        QCOMPARE(shown, expected);
    }

    void emptyTranslationShowsNothing()
    {
        for (int language : {0, 1}) {
            loadLanguage(language);
            const QString shown = QCoreApplication::translate("CRZM7DLG", "Dialog");
            QVERIFY(!shown.isNull());
            QVERIFY(shown.isEmpty());
        }
    }

    void unknownTextsShowThemselves()
    {
        for (int language : {0, 1}) {
            loadLanguage(language);
            // Source text missing, context missing, and a near miss (trailing blank dropped).
            QCOMPARE(QCoreApplication::translate("CRZM7", "No such text"), QStringLiteral("No such text"));
            QCOMPARE(QCoreApplication::translate("NoSuchContext", "Cancel"), QStringLiteral("Cancel"));
            QCOMPARE(QCoreApplication::translate("CRZM7DLG", "Color"), QStringLiteral("Color"));
            // A source text of one context is not found under another.
            QCOMPARE(QCoreApplication::translate("CRZM7DLG", "Fix Mode"), QStringLiteral("Fix Mode"));
        }
    }

    void placeholdersAreFilledAfterLookup()
    {
        loadLanguage(0);
        QCOMPARE(QCoreApplication::translate("CRZM7", "Note\nCH:%1\ndata1:%2\nrange:%3-%4")
                     .arg(3).arg(60).arg(1).arg(127),
                 QStringLiteral("Note\nCH:3\nNote:60\nVel:1-127"));
        loadLanguage(1);
        QCOMPARE(QCoreApplication::translate("CRZM7", "Note\nCH:%1\ndata1:%2\nrange:%3-%4")
                     .arg(3).arg(60).arg(1).arg(127),
                 QString::fromUtf8("音符开关\n通道:3\n音符:60\n力度:1-127"));
    }

    void catalogueNamesItsLanguage()
    {
        QTranslator en, cn;
        QVERIFY(en.load(QStringLiteral(":/Language/language_en.qm")));
        QVERIFY(cn.load(QStringLiteral(":/Language/language_cn.qm")));
        QCOMPARE(en.language(), QStringLiteral("en_US"));
        QCOMPARE(cn.language(), QStringLiteral("zh_CN"));
    }
};

TAVRO_TEST_MAIN(TestTranslations)
#include "test_translations.moc"
