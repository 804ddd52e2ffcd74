// The save dialog of every page, driven as a user does: a name typed without
// the filter's suffix comes back with it, a question to replace a file is
// about the file that will be written, and a typed folder's name takes the
// dialog into it. The test runs under a platform theme that offers the
// platform's own file dialog (tests/platformtheme), as Qt's GTK theme does,
// and from a working folder that is not the dialog's.

#include <QTemporaryDir>

#include "filechooser.h"
#include "pagedialogs.h"
#include "testmain.h"

class TestFileChooser : public QObject
{
    Q_OBJECT

private slots:
    void platformOffersItsDialog();
    void saveDialogCompletesTheName_data();
    void saveDialogCompletesTheName();
};

// The fixture works: a plain file dialog is the platform's, which answers
// at once.
void TestFileChooser::platformOffersItsDialog()
{
    qApp->setProperty("platformDialogAnswer", QStringLiteral("/nowhere/Answer"));
    QCOMPARE(QFileDialog::getSaveFileName(), QStringLiteral("/nowhere/Answer"));
}

void TestFileChooser::saveDialogCompletesTheName_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("bare name") << QStringList{"My Live Set"} << "My Live Set.rzp";
    QTest::newRow("name with the suffix") << QStringList{"Mine.rzp"} << "Mine.rzp";
    QTest::newRow("dot in the name") << QStringList{"Live 2.0"} << "Live 2.0.rzp";
    QTest::newRow("file exists") << QStringList{"Old Set"} << "Old Set.rzp";
    QTest::newRow("trailing spaces") << QStringList{"Trail   "} << "Trail.rzp";
    QTest::newRow("folder typed") << QStringList{"Sub", "In Sub"} << "Sub/In Sub.rzp";
    QTest::newRow("folder typed with a slash") << QStringList{"Sub/", "In Sub"} << "Sub/In Sub.rzp";
}

void TestFileChooser::saveDialogCompletesTheName()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, chosen);
    QTemporaryDir root;
    const QString dir = root.filePath(QStringLiteral("sets.d"));
    QVERIFY(QDir().mkpath(dir + QStringLiteral("/Sub")));
    QVERIFY(QDir::currentPath() != dir);
    const bool exists = QTest::currentDataTag() == QByteArray("file exists");
    if (exists)
        QVERIFY(tavrotest::writeAll(dir + QStringLiteral("/Old Set.rzp"), "OLD"));
    // What the platform's dialog would answer if it were used.
    qApp->setProperty("platformDialogAnswer", dir + QLatin1Char('/') + typed.last());

    QString replaceQuestion;
    tavrotest::typeIntoNextFileDialog(dir, typed, &replaceQuestion);
    QCOMPARE(choose_file(true, QStringLiteral("Save Preset File"), QStringLiteral("Zol Pad Preset (*.rzp)")),
             dir + QLatin1Char('/') + chosen);
    QCOMPARE(replaceQuestion.startsWith(QStringLiteral("Old Set.rzp already exists")), exists);
}

TAVRO_TEST_MAIN(TestFileChooser)
#include "test_filechooser.moc"
