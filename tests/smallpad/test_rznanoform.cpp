// The small pad page's designer form built on a bare dialog: what the page
// finds its widgets by, the lists it fills or reads, the pad grid, the
// pictures, and what a retranslation puts back.
#include "touchcombobox.h"
#include "ui_cdlgrznano.h"
#include "testmain.h"

#include <QDialog>
#include <QFile>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>

class TestRznanoForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void widgets_data();
    void widgets();
    void padGridAndLookups();
    void picturesExist();
    void retranslateResetsTexts();

private:
    QDialog *m_page = nullptr;
    Ui_cDlgRznano *m_ui = nullptr;
};

void TestRznanoForm::init()
{
    m_page = new QDialog;
    m_ui = new Ui_cDlgRznano;
    m_ui->setupUi(m_page);
}

void TestRznanoForm::cleanup()
{
    delete m_page;
    delete m_ui;
    m_page = nullptr;
    m_ui = nullptr;
}

void TestRznanoForm::widgets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tab");     // the stacked page that holds it, "" outside the stack
    QTest::addColumn<int>("items");       // combo boxes: item count; others -1
    QTest::addColumn<int>("current");     // combo boxes: index after setup
    QTest::addColumn<QString>("firstItem");

    auto combo = [](const char *name, const char *tab, int items, int current, const char *first) {
        QTest::newRow(name) << QString(name) << QString(tab) << items << current << QString(first);
    };
    combo("comboBox_Preset", "", 8, 0, "Preset 1");
    combo("comboBox_rate", "page", 8, 0, "1/4");
    combo("comboBox_erp", "page", 8, 0, "Never");
    combo("comboBox_setColor2", "page", 4, 0, "White");
    combo("comboBox_AFT_mode", "page", 2, 0, "An (Aftertouch)");
    combo("comboBox_Curve", "page", 4, 0, "1");
    combo("comboBox_NoteMode", "page", 2, 0, "Momentary");
    combo("comboBox_swing", "page", 10, 0, "50% OFF");
    // The page fills these four itself.
    combo("comboBox_gate", "page", 0, -1, "");
    combo("comboBox_delay", "page", 0, -1, "");
    combo("comboBox_full_vel", "page", 0, -1, "");
    combo("comboBox_tempo", "page", 0, -1, "");
    for (const char *name : {"pushButton_BT", "pushButton_ECO", "pushButton_night", "pushButton_AFT_SW",
                             "pushButton_battery", "pushButton_full", "pushButton_LowBattery", "pushButton_DAW"})
        combo(name, "page", -1, -1, "");
    for (const char *name : {"pushButton_PadGroup", "pushButton_BtColor", "pushButton_setPadColor", "key_1", "key_2",
                             "key_3"})
        combo(name, "page_2", -1, -1, "");
    for (const char *name : {"pushButton_LoadPreset", "pushButton_Out", "pushButton_In", "pushButton_threshold",
                             "pushButton_Reset", "pushButton_update", "pushButton_save", "pushButton_setting",
                             "pushButton_pad", "pushButton_DelText", "pushButton_ConfigData", "listWidget_show"})
        combo(name, "", -1, -1, "");
}

void TestRznanoForm::widgets()
{
    QFETCH(QString, name);
    QFETCH(QString, tab);
    QFETCH(int, items);
    QFETCH(int, current);
    QFETCH(QString, firstItem);

    const auto found = m_page->findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QWidget *w = found.front();
    QWidget *page = w;
    while (page && page->parentWidget() != m_ui->stackedWidget_main)
        page = page->parentWidget();
    QCOMPARE(page ? page->objectName() : QString(), tab);
    if (items < 0) {
        QVERIFY(!qobject_cast<QComboBox *>(w));
        if (auto *b = qobject_cast<QPushButton *>(w))
            QVERIFY(!b->isCheckable()); // the page makes its switches checkable
        return;
    }
    auto *box = qobject_cast<TouchComboBox *>(w);
    QVERIFY(box);
    QCOMPARE(box->count(), items);
    QCOMPARE(box->currentIndex(), current);
    if (items > 0)
        QCOMPARE(box->itemText(0), firstItem);
}

void TestRznanoForm::padGridAndLookups()
{
    QCOMPARE(m_page->objectName(), QStringLiteral("cDlgRznano"));
    QCOMPARE(m_page->size(), QSize(702, 692));
    QCOMPARE(m_ui->stackedWidget_main->currentIndex(), 0);
    QCOMPARE(m_ui->stackedWidget_main->widget(1), m_ui->page_2);
    for (int n = 1; n <= 16; ++n) {
        const auto pads = m_page->findChildren<QPushButton *>(QStringLiteral("pad%1").arg(n));
        QCOMPARE(pads.size(), 1);
        int row = -1, col = -1, rs = 0, cs = 0;
        m_ui->gridLayout->getItemPosition(m_ui->gridLayout->indexOf(pads.front()), &row, &col, &rs, &cs);
        // pad1 bottom left, pad16 top right.
        QCOMPARE(row, 3 - (n - 1) / 4);
        QCOMPARE(col, (n - 1) % 4);
        QVERIFY(!pads.front()->autoDefault());
    }
    for (int k = 1; k <= 3; ++k)
        QCOMPARE(m_page->findChildren<QPushButton *>(QStringLiteral("key_%1").arg(k)).size(), 1);
    QCOMPARE(m_page->findChildren<QPushButton *>(QStringLiteral("key_4")).size(), 0);
    QCOMPARE(m_ui->horizontalLayout_2->stretch(0), 2);
    QCOMPARE(m_ui->horizontalLayout_2->stretch(1), 1);
    QCOMPARE(m_ui->horizontalLayout_28->stretch(0), 2);
    QCOMPARE(m_ui->horizontalLayout_28->stretch(1), 3);
    // Takes no space, yet stays enabled so that its shortcut works.
    QCOMPARE(m_ui->pushButton_ConfigData->maximumSize(), QSize(0, 0));
    QVERIFY(m_ui->pushButton_ConfigData->isEnabled());
}

void TestRznanoForm::picturesExist()
{
    static const QRegularExpression url(QStringLiteral("url\\((:[^)]+)\\)"));
    int seen = 0;
    const auto widgets = m_page->findChildren<QWidget *>();
    for (QWidget *w : widgets + QList<QWidget *>{m_page}) {
        auto it = url.globalMatch(w->styleSheet());
        while (it.hasNext()) {
            const QString path = it.next().captured(1);
            QVERIFY2(QFile::exists(path), qPrintable(w->objectName() + QLatin1Char(' ') + path));
            ++seen;
        }
    }
    QCOMPARE(seen, 18);
    for (QPushButton *b : {m_ui->key_1, m_ui->key_2, m_ui->key_3, m_ui->pushButton_BtColor})
        QVERIFY2(!b->icon().pixmap(30, 30).isNull(), qPrintable(b->objectName()));
}

void TestRznanoForm::retranslateResetsTexts()
{
    m_ui->pad5->setText(QStringLiteral("Note\nCH:3"));
    for (int i = 30; i <= 300; ++i)
        m_ui->comboBox_tempo->addItem(QString::number(i));
    m_ui->comboBox_tempo->setCurrentIndex(90);
    m_ui->comboBox_swing->setCurrentIndex(4);
    m_page->setWindowTitle(QStringLiteral("device V3"));

    m_ui->retranslateUi(m_page);
    QCOMPARE(m_ui->pad5->text(), QStringLiteral("PAD5"));
    QCOMPARE(m_page->windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(m_ui->comboBox_tempo->itemText(90), QStringLiteral("120"));
    QCOMPARE(m_ui->comboBox_swing->currentIndex(), 4);
    QCOMPARE(m_ui->comboBox_swing->itemText(4), QStringLiteral("60%"));
}

TAVRO_TEST_MAIN(TestRznanoForm)
#include "test_rznanoform.moc"
