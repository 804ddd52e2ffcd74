#include "cvaluekey.h"
#include "ui_cvaluekey.h"

#include <QFont>
#include <QStringList>

#include "autodisappermsgbox.h"
#include "dialogs.h"
#include "devices/pedal/pedallists.h"
#include "devices/pedal/pedaltext.h"
#include "midinames.h"
#include "utils.h"

namespace {

constexpr int kProgramRow = 4; // "Cn (Program Change)"

} // namespace

cValueKey::cValueKey(QWidget *parent)
    : QDialog(parent), ui(new Ui_cValueKey)
{
    ui->setupUi(this);
    // Return from a list clears no SysEx text.
    clearDefaultButtons(this);
    m_lastType = -1;
    init_ui();
    init_connect();
    ui->stackedWidget->setCurrentIndex(0);
}

cValueKey::~cValueKey()
{
    delete ui;
}

void cValueKey::init_ui()
{
    ui->pushButton_DelText->hide();
    ui->pushButton_DelText->setEnabled(false);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
}

void cValueKey::init_connect()
{
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);
    connect(ui->comboBox_type, indexChanged, this, &cValueKey::click_combobox_type);
    connect(ui->comboBox_channel, indexChanged, this, &cValueKey::click_combobox_channel);
    connect(ui->pushButton_ok, &QPushButton::clicked, this, &cValueKey::click_button_ok);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->pushButton_DelText, &QPushButton::clicked, this, &cValueKey::click_button_DelText);
}

void cValueKey::retranslateUi()
{
    setWindowTitle(tr("Setting"));
    ui->label_type->setText(tr("Type"));
    ui->label_chanel->setText(tr("Channel"));
    ui->label_data1->setText(tr("Data1"));
    ui->label_data2->setText(tr("Data2"));
    ui->pushButton_ok->setText(tr("OK"));
    ui->pushButton_cancel->setText(tr("Cancel"));
}

void cValueKey::fill_data1(const QStringList &rows)
{
    ui->comboBox_data1->clear();
    ui->comboBox_data1->addItems(rows);
    ui->comboBox_data1->setCurrentIndex(0);
}

void cValueKey::click_combobox_type(int index)
{
    Ui_cValueKey *u = ui;
    u->stackedWidget->setCurrentIndex(0);
    u->pushButton_DelText->hide();
    u->pushButton_DelText->setEnabled(false);
    for (QWidget *w : {static_cast<QWidget *>(u->label_data2), static_cast<QWidget *>(u->comboBox_data2)}) {
        w->show();
        w->setEnabled(true);
    }
    for (QWidget *w : {static_cast<QWidget *>(u->label_data1), static_cast<QWidget *>(u->comboBox_data1),
                       static_cast<QWidget *>(u->label_chanel), static_cast<QWidget *>(u->comboBox_channel)})
        w->show();

    const auto hideData2 = [u] {
        for (QWidget *w : {static_cast<QWidget *>(u->comboBox_data2), static_cast<QWidget *>(u->label_data2)}) {
            w->hide();
            w->setEnabled(false);
        }
    };
    if (index >= 7 && index <= 9) {
        u->label_chanel->hide();
        u->comboBox_channel->hide();
    }
    if (index >= 10 && index <= 15) {
        u->label_chanel->hide();
        u->comboBox_channel->hide();
        u->label_data1->hide();
        u->comboBox_data1->hide();
        hideData2();
    }
    if (index == 4 || index == 5 || index == 7 || index == 9) {
        hideData2();
    } else if (index == pedal::kSysexTypeRow) {
        u->stackedWidget->setCurrentIndex(1);
        u->pushButton_DelText->show();
        u->pushButton_DelText->setEnabled(true);
    }

    if (m_lastType != index) {
        if (m_lastType == kProgramRow)
            fill_data1(pedal::MidiValueList());
        if (index == kProgramRow)
            fill_data1(g_gmProgramNames);
    }
    m_lastType = index;
}

void cValueKey::click_combobox_channel()
{
    if (ui->comboBox_type->currentIndex() != kProgramRow)
        return;
    const int channel = ui->comboBox_channel->currentIndex();
    fill_data1(channel == 9 || channel == 10 ? g_gmDrumNames : g_gmProgramNames);
}

void cValueKey::set_values(const QString &itemText)
{
    if (itemText == QLatin1String("Add Data")) {
        ui->comboBox_type->setCurrentIndex(0);
        ui->comboBox_channel->setCurrentIndex(0);
        ui->comboBox_data1->setCurrentIndex(0);
        ui->comboBox_data2->setCurrentIndex(0);
        return;
    }
    if (itemText.startsWith(QLatin1Char('['))) {
        QStringList parts = itemText.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        parts.removeFirst(); // the row number
        const int n = std::min(int(parts.size()), 3);
        quint8 b[3] = {0, 0, 0};
        for (int i = 0; i < n; ++i) {
            bool ok = false;
            const uint v = parts[i].toUInt(&ok, 16);
            b[i] = ok ? quint8(v) : 0;
        }
        ui->comboBox_channel->setCurrentIndex(b[0] & 0x0F);
        const int type = n > 0 ? pedal::eventTypeRow(b[0]) : -1;
        if (type >= 0)
            ui->comboBox_type->setCurrentIndex(type);
        click_combobox_channel();
        if (n == 2 || n == 3)
            ui->comboBox_data1->setCurrentIndex(b[1]);
        if (n == 3)
            ui->comboBox_data2->setCurrentIndex(b[2]);
        return;
    }
    ui->comboBox_type->setCurrentIndex(pedal::kSysexTypeRow);
    ui->textEdit->setPlainText(itemText);
    ui->textEdit->setFont(QFont(QStringLiteral("Arial"), 18));
}

QString cValueKey::format_sysex_text(const QString &text)
{
    const QStringList groups = hexDigitPairs(text);
    if (groups.size() > pedal::kMaxSysexEntry)
        return QString();
    return groups.join(QLatin1Char(' '));
}

void cValueKey::click_button_ok()
{
    const int type = ui->comboBox_type->currentIndex();
    if (type >= 0 && type < pedal::kSysexTypeRow) {
        const quint8 status = pedal::eventTypeStatus(type);
        const bool data1Shown = type < 10;
        const bool data2Shown = !(type == 4 || type == 5 || type == 7 || type >= 9);
        m_event[0] = status;
        m_event[1] = pedal::isSystemEventRow(type) ? quint8(status & 0x0F)
                                                   : quint8(std::max(0, ui->comboBox_channel->currentIndex()));
        m_event[2] = data1Shown ? quint8(std::max(0, ui->comboBox_data1->currentIndex())) : 0;
        m_event[3] = data2Shown ? quint8(std::max(0, ui->comboBox_data2->currentIndex())) : 0;
        emit signal_key_midi_event(QList<int>{m_event[0], m_event[1], m_event[2], m_event[3]});
        close();
        return;
    }
    if (type != pedal::kSysexTypeRow)
        return;

    QString text = format_sysex_text(ui->textEdit->toPlainText());
    if (text.isEmpty()) {
        AutoDisapperMsgBox::showMessage(this, tr("Please provide valid data."), 1200);
        return;
    }
    ui->textEdit->setPlainText(text);
    text += QLatin1Char(' ');
    const QByteArray bytes = pedal::parseHexPairs(text);
    quint8 check[pedal::kMaxSysexEntry + 1] = {};
    std::copy(bytes.cbegin(), bytes.cend(), reinterpret_cast<char *>(check));
    if (!isValidMidiStream(check, quint16(bytes.size()))) {
        AutoDisapperMsgBox::showMessage(this, tr("The format of the Sysex message is incorrect."), 1200);
        return;
    }
    emit signal_key_midi_sysex(text);
    close();
}

void cValueKey::click_button_DelText()
{
    ui->textEdit->clear();
}
