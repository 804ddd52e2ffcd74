// The catalogue compiler that the build runs over the translation sources.
#include "testmain.h"

#include <QProcess>
#include <QTranslator>

class TestQmCompiler : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeTs(const QString &name, const QByteArray &body)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                   "<TS version=\"2.1\" language=\"en_US\">\n");
        file.write(body);
        file.write("</TS>\n");
        return path;
    }

    int compile(const QStringList &inputs, const QString &output, QByteArray *errors = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral(TAVRO_QMCOMPILER), QStringList{"-o", output} + inputs);
        if (!process.waitForFinished(30000))
            return -1;
        if (errors)
            *errors = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

private slots:
    void mergesFilesAndKeepsEmptyTranslations()
    {
        const QString a = writeTs("a_en.ts",
            "<context><name>First</name>\n"
            "<message><source>Title</source><translation></translation></message>\n"
            "<message><source>Later</source><translation type=\"unfinished\"></translation></message>\n"
            "<message><source>Old</source><translation type=\"obsolete\">Gone</translation></message>\n"
            "<message><source>Open</source><comment>menu</comment><translation>Open menu</translation></message>\n"
            "<message><source>Open</source><translation>Open it</translation></message>\n"
            "</context>\n");
        const QString b = writeTs("b_en.ts",
            "<context><name>Second</name>\n"
            "<message><location filename=\"x.cpp\" line=\"3\"/>"
            "<source>  two\nlines &amp; blanks </source><translation>ok &lt;&gt;</translation></message>\n"
            "<message><source>Title</source><translation>Second title</translation></message>\n"
            "</context>\n");
        const QString qm = m_dir.filePath("out.qm");
        QCOMPARE(compile({a, b}, qm), 0);

        QTranslator translator;
        QVERIFY(translator.load(qm));
        QCOMPARE(translator.language(), QStringLiteral("en_US"));
        const QString empty = translator.translate("First", "Title");
        QVERIFY(!empty.isNull() && empty.isEmpty());
        QVERIFY(translator.translate("First", "Later").isNull());
        QVERIFY(translator.translate("First", "Old").isNull());
        QCOMPARE(translator.translate("First", "Open", "menu"), QStringLiteral("Open menu"));
        QCOMPARE(translator.translate("First", "Open"), QStringLiteral("Open it"));
        QCOMPARE(translator.translate("Second", "  two\nlines & blanks "), QStringLiteral("ok <>"));
        QCOMPARE(translator.translate("Second", "Title"), QStringLiteral("Second title"));
        QVERIFY(translator.translate("Second", "two\nlines & blanks").isNull());
    }

    void rejectsDuplicatesAndBrokenFiles()
    {
        const QString a = writeTs("dup1_en.ts",
            "<context><name>Same</name><message><source>Text</source><translation>A</translation></message></context>\n");
        const QString b = writeTs("dup2_en.ts",
            "<context><name>Same</name><message><source>Text</source><translation>B</translation></message></context>\n");
        const QString qm = m_dir.filePath("dup.qm");
        QByteArray errors;
        QCOMPARE(compile({a, b}, qm, &errors), 1);
        QVERIFY2(errors.contains("duplicate"), errors.constData());
        QVERIFY(!QFile::exists(qm));

        const QString broken = writeTs("broken_en.ts", "<context><name>X</name><message><source>T</source>\n");
        QCOMPARE(compile({broken}, qm, &errors), 1);
        QCOMPARE(compile({m_dir.filePath("missing_en.ts")}, qm, &errors), 1);
        QVERIFY(!QFile::exists(qm));
    }
};

TAVRO_TEST_MAIN(TestQmCompiler)
#include "test_qmcompiler.moc"
