// The save dialog of every page, Qt's own here, driven as a user does: a
// name typed without the filter's suffix comes back with it, and a question
// to replace a file is about the file that will be written.

#include <QTemporaryDir>

#include "filechooser.h"
#include "pagedialogs.h"
#include "testmain.h"

class TestFileChooser : public QObject
{
    Q_OBJECT

private slots:
    void saveDialogAddsTheSuffix_data();
    void saveDialogAddsTheSuffix();
};

void TestFileChooser::saveDialogAddsTheSuffix_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("bare name") << "sets" << "My Live Set" << "My Live Set.rzp";
    QTest::newRow("name with the suffix") << "sets" << "Mine.rzp" << "Mine.rzp";
    QTest::newRow("dot in the name") << "sets" << "Live 2.0" << "Live 2.0.rzp";
    QTest::newRow("file exists") << "sets" << "Old Set" << "Old Set.rzp";
}

void TestFileChooser::saveDialogAddsTheSuffix()
{
    QFETCH(QString, folder);
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QTemporaryDir root;
    const QString dir = root.filePath(folder);
    QVERIFY(QDir().mkpath(dir));
    const bool exists = QTest::currentDataTag() == QByteArray("file exists");
    if (exists)
        QVERIFY(tavrotest::writeAll(dir + QStringLiteral("/Old Set.rzp"), "OLD"));

    QString replaceQuestion;
    tavrotest::typeIntoNextFileDialog(dir, typed, &replaceQuestion);
    QCOMPARE(choose_file(true, QStringLiteral("Save Preset File"), QStringLiteral("Zol Pad Preset (*.rzp)")),
             dir + QLatin1Char('/') + chosen);
    QCOMPARE(replaceQuestion.startsWith(QStringLiteral("Old Set.rzp already exists")), exists);
}

TAVRO_TEST_MAIN(TestFileChooser)
#include "test_filechooser.moc"
