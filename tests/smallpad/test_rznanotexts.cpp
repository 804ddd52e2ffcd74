// The small pad page's catalogue entries: every text the forms pass to the
// translator finds an entry in both catalogues unless it is one of the texts
// that read the same in both languages, and the English catalogue's
// rewordings are what the English interface shows.
#include "devices/shared/padview.h"
#include "ui_cdlgrznano.h"
#include "ui_cdlgrzchild.h"
#include "testmain.h"

#include <QDialog>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

// Passes every text through unchanged and notes what was asked.
class RecordingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "cDlgRznano") == 0 || qstrcmp(context, "CDlgRzChild") == 0)
            asked.insert(qMakePair(QByteArray(context), QByteArray(source)));
        return QString();
    }
    mutable QSet<QPair<QByteArray, QByteArray>> asked;
};

// Entries of one context in a translation source file.
QStringList sourcesOf(const QString &file, const QString &context)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&f);
    QStringList out;
    QString current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            current = xml.readElementText();
        else if (xml.name() == QLatin1String("source") && current == context)
            out << xml.readElementText();
    }
    return out;
}

const QString kTsDir = QStringLiteral(TAVRO_SOURCE_DIR "/resources/translations/");

} // namespace

class TestRznanoTexts : public QObject
{
    Q_OBJECT
private slots:
    void entryCounts_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<int>("count");
        QTest::newRow("page") << "cDlgRznano" << 83;
        QTest::newRow("per-control dialog") << "CDlgRzChild" << 35;
    }
    void entryCounts()
    {
        QFETCH(QString, context);
        QFETCH(int, count);
        const QStringList en = sourcesOf(kTsDir + QStringLiteral("smallpad_en.ts"), context);
        const QStringList cn = sourcesOf(kTsDir + QStringLiteral("smallpad_cn.ts"), context);
        QCOMPARE(en.size(), count);
        QCOMPARE(cn, en);
    }

    // What the forms ask the translator for has an entry, except the texts
    // that show their source in both languages.
    void formTextsHaveEntries()
    {
        RecordingTranslator recorder;
        QCoreApplication::installTranslator(&recorder);
        {
            QDialog page, child;
            Ui_cDlgRznano pageUi;
            Ui_CDlgRzChild childUi;
            pageUi.setupUi(&page);
            childUi.setupUi(&child);
        }
        QCoreApplication::removeTranslator(&recorder);

        static const QRegularExpression sameInBoth(QStringLiteral(
            "^(Dialog|PAD\\d+|X|\\d+|\\d+%|1/\\d+T?|v2|v3|TextLabel|CC AfterTouch|MCP\\nMCU|"
            "Pad backlight color display|<!DOCTYPE.*)$"),
            QRegularExpression::DotMatchesEverythingOption);
        for (const char *file : {":/Language/language_en.qm", ":/Language/language_cn.qm"}) {
            QTranslator catalogue;
            QVERIFY(catalogue.load(QString::fromLatin1(file)));
            int withEntry = 0;
            for (const auto &key : qAsConst(recorder.asked)) {
                const QString shown = catalogue.translate(key.first.constData(), key.second.constData());
                const bool same = sameInBoth.match(QString::fromUtf8(key.second)).hasMatch();
                QVERIFY2(shown.isNull() == same, qPrintable(QString::fromUtf8(key.first + " " + key.second)));
                withEntry += shown.isNull() ? 0 : 1;
            }
            // 61 of the page form, 12 of the dialog form.
            QCOMPARE(withEntry, 61 + 12);
        }
    }

    // Pad captions from the source templates and from the English catalogue.
    void padCaptions_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("english");
        QTest::newRow("note") << QByteArray("\x05\x24\x00\x7F", 4) << "Note\nCH:5\ndata1:36\nrange:0-127"
                              << "Note\nCH:5\nNote:36\nVel:0-127";
        QTest::newRow("note, MCP") << QByteArray("\x85\x24\x00\x7F", 4) << "MCP-Note\nCH:5\ndata1:36\nrange:0-127"
                                   << "MCP-Note\nCH:5\nNote:36\nVel:0-127";
        QTest::newRow("channel 15") << QByteArray("\x1F\x07\x00\x7F", 4) << "CC Toggle\nCH:15\ndata1:7\nvalue:0 or 127"
                                    << "CC Toggle\nCH:15\nCC:7\nValue:0/127";
        QTest::newRow("customize, MCP") << QByteArray("\xC0\x00\x00\x05", 4) << "MCP-Customize" << "MCP-Customize";
        QTest::newRow("mode 6") << QByteArray("\x60\x01\x02\x03", 4) << "" << "";
        QTest::newRow("mode 6, MCP") << QByteArray("\xE0\x01\x02\x03", 4) << "MCP-" << "MCP-";
    }
    void padCaptions()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, source);
        QFETCH(QString, english);
        const SControlRecord rec{uchar(record[0]), uchar(record[1]), uchar(record[2]), uchar(record[3])};
        QCOMPARE(pagekit::padCaption(rec, "cDlgRznano"), source);
        QTranslator catalogue;
        QVERIFY(catalogue.load(QStringLiteral(":/Language/language_en.qm")));
        QCoreApplication::installTranslator(&catalogue);
        QCOMPARE(pagekit::padCaption(rec, "cDlgRznano"), english);
        QCoreApplication::removeTranslator(&catalogue);
    }

    void englishRewordings_data()
    {
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("english");
        QTest::newRow("save") << QByteArray("cDlgRznano") << QByteArray("Save") << "Save to\ndevice";
        QTest::newRow("toast") << QByteArray("cDlgRznano") << QByteArray("Receive data...") << "Load data...";
        QTest::newRow("yes") << QByteArray("cDlgRznano") << QByteArray("Yes") << "YES";
        QTest::newRow("note caption") << QByteArray("cDlgRznano")
                                      << QByteArray("Note\nCH:%1\ndata1:%2\nrange:%3-%4")
                                      << "Note\nCH:%1\nNote:%2\nVel:%3-%4";
        QTest::newRow("set channel") << QByteArray("CDlgRzChild") << QByteArray("setCH") << "to all\nchannel";
        QTest::newRow("sysex length") << QByteArray("CDlgRzChild") << QByteArray("Sysex data maximum length is 40")
                                      << "Customize data maximum length is 40";
    }
    void englishRewordings()
    {
        QFETCH(QByteArray, context);
        QFETCH(QByteArray, source);
        QFETCH(QString, english);
        QTranslator catalogue;
        QVERIFY(catalogue.load(QStringLiteral(":/Language/language_en.qm")));
        QCOMPARE(catalogue.translate(context.constData(), source.constData()), english);
    }
};

TAVRO_TEST_MAIN(TestRznanoTexts)
#include "test_rznanotexts.moc"
