// The pad page's designer form built on a bare dialog: the names the page finds
// its widgets by, the stack, the lists, and what a retranslation resets.
#include "touchcombobox.h"
#include "ui_crzm7.h"
#include "testmain.h"

#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTranslator>

namespace {

class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "CRZM7") != 0)
            return QString();
        return QStringLiteral("T:") + QString::fromUtf8(source);
    }
};

QStringList itemTexts(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

} // namespace

class TestCrzm7Form : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pageAndStack();
    void controlsFoundByName();
    void padGridAndKeyRows();
    void listsAndEntries();
    void retranslateResetsTexts();
    void textsGoThroughThePageContext();
    void picturesExist();
    void existingObjectNameIsKept();

private:
    QDialog *m_page = nullptr;
    Ui_CRZM7 *m_ui = nullptr;
};

void TestCrzm7Form::init()
{
    m_page = new QDialog;
    m_ui = new Ui_CRZM7;
    m_ui->setupUi(m_page);
}

void TestCrzm7Form::cleanup()
{
    delete m_page;
    delete m_ui;
    m_page = nullptr;
    m_ui = nullptr;
}

void TestCrzm7Form::pageAndStack()
{
    QCOMPARE(m_page->objectName(), QStringLiteral("CRZM7"));
    QCOMPARE(m_page->size(), QSize(880, 728));
    QCOMPARE(m_page->windowTitle(), QStringLiteral("Dialog"));
    QVERIFY(m_page->styleSheet().startsWith(QStringLiteral("QDialog#CRZM7")));

    QStackedWidget *stack = m_ui->stackedWidget;
    QCOMPARE(stack->count(), 3);
    QCOMPARE(stack->widget(0)->objectName(), QStringLiteral("page_2"));
    QCOMPARE(stack->widget(1)->objectName(), QStringLiteral("page"));
    QCOMPARE(stack->widget(2)->objectName(), QStringLiteral("page_3"));
    QCOMPARE(stack->currentIndex(), 0);
    // Every widget belongs to the page, so the page destroys it.
    QCOMPARE(m_ui->listWidget_show->window(), static_cast<QWidget *>(m_page));
    QCOMPARE(m_ui->pad1->window(), static_cast<QWidget *>(m_page));

    QCOMPARE(m_ui->pushButton_setting->text(), QStringLiteral("Global"));
    QCOMPARE(m_ui->pushButton_pad->text(), QStringLiteral("Pad"));
    QCOMPARE(m_ui->pushButton_knob_button->text(), QStringLiteral("Knob/Button"));
    QVERIFY(!m_ui->pushButton_setting->isCheckable());
}

void TestCrzm7Form::controlsFoundByName()
{
    QCOMPARE(m_page->findChildren<QComboBox *>().size(), 12);
    QCOMPARE(m_page->findChildren<TouchComboBox *>().size(), 12);
    QCOMPARE(m_page->findChildren<QListWidget *>().size(), 1);

    for (int i = 1; i <= 16; ++i) {
        auto *pad = m_page->findChild<QPushButton *>(QStringLiteral("pad%1").arg(i));
        QVERIFY2(pad, qPrintable(QStringLiteral("pad%1").arg(i)));
        QCOMPARE(pad->text(), QStringLiteral("PAD%1").arg(i));
        QCOMPARE(pad->minimumSize(), QSize(30, 70));
        QVERIFY(!pad->autoDefault());
    }
    for (int i = 1; i <= 8; ++i) {
        auto *knob = m_page->findChild<QPushButton *>(QStringLiteral("knob_%1").arg(i));
        QVERIFY(knob);
        QCOMPARE(knob->text(), QString::number(i));
        QCOMPARE(knob->maximumSize(), QSize(51, 51));
    }
    for (int i = 1; i <= 6; ++i) {
        auto *key = m_page->findChild<QPushButton *>(QStringLiteral("key_%1").arg(i));
        QVERIFY(key);
        QVERIFY(key->text().isEmpty());
        QVERIFY(!key->icon().isNull());
    }
    const char *toggles[] = {"pushButton_ECO", "pushButton_night", "pushButton_DAW", "pushButton_full",
                             "pushButton_AFT_SW", "pushButton_BT", "pushButton_battery", "pushButton_LowBattery"};
    for (const char *name : toggles) {
        auto *b = m_page->findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(b, name);
        QCOMPARE(b->parentWidget(), m_ui->page_2);
        QCOMPARE(b->maximumSize(), QSize(30, 30));
    }
    QCOMPARE(m_ui->pushButton_ConfigData->maximumSize(), QSize(0, 0));
    QCOMPARE(m_ui->pushButton_update->maximumSize(), QSize(35, 35));
    QVERIFY(!m_ui->pushButton_update->autoDefault());
    QCOMPARE(m_ui->pushButton_save->toolTip(), QStringLiteral("Save current preset to device"));
    QCOMPARE(m_ui->pushButton_Reset->toolTip(), QStringLiteral("Revert to factory setting..."));
    QVERIFY(m_ui->pushButton_LoadPreset->toolTip().isEmpty());
}

void TestCrzm7Form::padGridAndKeyRows()
{
    auto rowOf = [](QLayout *row) {
        QStringList names;
        for (int i = 0; i < row->count(); ++i) {
            if (QWidget *w = row->itemAt(i)->widget())
                names << w->objectName();
        }
        return names.join(QLatin1Char(' '));
    };
    QCOMPARE(rowOf(m_ui->horizontalLayout_13), QStringLiteral("pad13 pad14 pad15 pad16"));
    QCOMPARE(rowOf(m_ui->horizontalLayout_16), QStringLiteral("pad1 pad2 pad3 pad4"));
    QCOMPARE(m_ui->verticalLayout->itemAt(0)->layout(), static_cast<QLayout *>(m_ui->horizontalLayout_13));
    QCOMPARE(m_ui->verticalLayout->itemAt(3)->layout(), static_cast<QLayout *>(m_ui->horizontalLayout_16));
    QCOMPARE(rowOf(m_ui->horizontalLayout_10), QStringLiteral("key_4 key_5 key_6"));
    QCOMPARE(rowOf(m_ui->horizontalLayout_11), QStringLiteral("key_1 key_2 key_3"));
    QCOMPARE(rowOf(m_ui->verticalLayout_3), QStringLiteral("knob_1 label knob_3 label_16 knob_5 knob_7"));
    QCOMPARE(rowOf(m_ui->horizontalLayout_18), QStringLiteral("pushButton_DelText pushButton_ConfigData"));
    QCOMPARE(m_ui->horizontalLayout_9->stretch(0), 2);
    QCOMPARE(m_ui->horizontalLayout_9->stretch(1), 1);
}

void TestCrzm7Form::listsAndEntries()
{
    QCOMPARE(itemTexts(m_ui->comboBox_Preset).size(), 8);
    QCOMPARE(m_ui->comboBox_Preset->itemText(7), QStringLiteral("Preset 8"));
    QCOMPARE(itemTexts(m_ui->comboBox_erp),
             QStringList({"Never", "5 min", "15 min", "30 min", "1 hour", "2 hour", "3 hour", "4 hour"}));
    QCOMPARE(itemTexts(m_ui->comboBox_setColor2),
             QStringList({"White", "Black", "Reverse pad color", "Same as pad color"}));
    QCOMPARE(itemTexts(m_ui->comboBox_NoteMode), QStringList({"Momentary", "Latch"}));
    QCOMPARE(itemTexts(m_ui->comboBox_AFT_mode), QStringList({"An (Aftertouch)", "Dn (CH Pressure)"}));
    QCOMPARE(m_ui->comboBox_AFT_mode->currentIndex(), 0);
    QCOMPARE(itemTexts(m_ui->comboBox_Curve), QStringList({"1", "2", "3", "4"}));
    QCOMPARE(itemTexts(m_ui->comboBox_rate),
             QStringList({"1/4", "1/4T", "1/8", "1/8T", "1/16", "1/16T", "1/32", "1/32T"}));
    QCOMPARE(itemTexts(m_ui->comboBox_swing).size(), 10);
    QCOMPARE(m_ui->comboBox_swing->itemText(0), QStringLiteral("50%(off)"));
    QCOMPARE(m_ui->comboBox_swing->itemText(9), QStringLiteral("70%"));
    // The page fills these four.
    QCOMPARE(m_ui->comboBox_tempo->count(), 0);
    QCOMPARE(m_ui->comboBox_delay->count(), 0);
    QCOMPARE(m_ui->comboBox_gate->count(), 0);
    QCOMPARE(m_ui->comboBox_full_vel->count(), 0);
    QCOMPARE(m_ui->comboBox_setColor2->toolTip(), QStringLiteral("Pad down color in Dark mode"));
    QCOMPARE(m_ui->label_color2->toolTip(), QStringLiteral("Pad down color in Dark mode"));
}

void TestCrzm7Form::retranslateResetsTexts()
{
    m_ui->pad1->setText(QStringLiteral("Note\nCH:3"));
    m_ui->pushButton_PadGroup->setText(QStringLiteral("2"));
    m_page->setWindowTitle(QStringLiteral("device V3"));
    for (int i = 30; i <= 300; ++i)
        m_ui->comboBox_tempo->addItem(QString::number(i));
    m_ui->comboBox_tempo->setCurrentIndex(90);
    m_ui->comboBox_rate->setCurrentIndex(5);

    m_ui->retranslateUi(m_page);
    QCOMPARE(m_ui->pad1->text(), QStringLiteral("PAD1"));
    QVERIFY(m_ui->pushButton_PadGroup->text().isEmpty());
    QCOMPARE(m_page->windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(m_ui->comboBox_tempo->count(), 271);
    QCOMPARE(m_ui->comboBox_tempo->currentIndex(), 90);
    QCOMPARE(m_ui->comboBox_tempo->itemText(90), QStringLiteral("120"));
    QCOMPARE(m_ui->comboBox_rate->currentIndex(), 5);
}

void TestCrzm7Form::textsGoThroughThePageContext()
{
    MarkingTranslator tr;
    QCoreApplication::installTranslator(&tr);
    m_ui->retranslateUi(m_page);
    QCOMPARE(m_ui->pushButton_save->text(), QStringLiteral("T:Save"));
    QCOMPARE(m_ui->label_9->text(), QStringLiteral("T:Auto standby"));
    QCOMPARE(m_ui->label_11->text(), QStringLiteral("T:ECO\nMode"));
    QCOMPARE(m_ui->comboBox_erp->itemText(4), QStringLiteral("T:1 hour"));
    QCOMPARE(m_ui->pushButton_battery->toolTip(),
             QStringLiteral("T:The startup indicator lights show the battery level. Red indicates low battery, "
                            "while green indicates high battery."));
    // Style sheets are not texts.
    QVERIFY(m_page->styleSheet().startsWith(QStringLiteral("QDialog#CRZM7")));
    QCoreApplication::removeTranslator(&tr);
    m_ui->retranslateUi(m_page);
    QCOMPARE(m_ui->pushButton_save->text(), QStringLiteral("Save"));
}

void TestCrzm7Form::picturesExist()
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
    QVERIFY(seen >= 15);
    for (QPushButton *b : {m_ui->pushButton_Out, m_ui->pushButton_In, m_ui->pushButton_BtColor, m_ui->pushButton_KnobColor})
        QVERIFY2(!b->icon().pixmap(30, 30).isNull(), qPrintable(b->objectName()));
}

void TestCrzm7Form::existingObjectNameIsKept()
{
    QDialog other;
    other.setObjectName(QStringLiteral("somePage"));
    Ui_CRZM7 ui;
    ui.setupUi(&other);
    QCOMPARE(other.objectName(), QStringLiteral("somePage"));
    QCOMPARE(ui.stackedWidget->count(), 3);
}

TAVRO_TEST_MAIN(TestCrzm7Form)
#include "test_crzm7form.moc"
