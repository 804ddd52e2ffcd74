#include "cpedal.h"
#include "ui_cpedal.h"

#include "devices/pedal/pedaltext.h"
#include "touchcombobox.h"

cPedal::cPedal(QWidget *parent)
    : QDialog(parent), ui(new Ui_cPedal)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->setupUi(this);
    init_ui();
    init_connect();
}

cPedal::~cPedal()
{
    delete ui;
}

void cPedal::init_ui()
{
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    retranslateUi();
}

void cPedal::retranslateUi()
{
    ui->label_chanel->setText(tr("Channel"));
    ui->label_data1->setText(tr("Data1"));
    ui->label_data2->setText(tr("Data2"));
    ui->label_from->setText(tr("Form"));
    ui->label_to->setText(tr("to"));
    ui->pushButton_cancel->setText(tr("Cancel"));
    ui->pushButton_ok->setText(tr("OK"));
    setWindowTitle(tr("Pedal Setting"));
}

void cPedal::init_connect()
{
    connect(ui->pushButton_ok, &QPushButton::clicked, this, &cPedal::click_ok);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &QWidget::close);
}

void cPedal::set_values(const QString &itemText)
{
    m_prefill = pedal::parseExpressionRowText(itemText);
    TouchComboBox *const boxes[4] = {ui->comboBox_channel, ui->comboBox_data1, ui->comboBox_ValueUp,
                                     ui->comboBox_ValueDown};
    for (int i = 0; i < 4; ++i) {
        // A value beyond the rows leaves the chooser without a current row.
        boxes[i]->setCurrentIndex(m_prefill[size_t(i)] < boxes[i]->count() ? m_prefill[size_t(i)] : -1);
    }
}

void cPedal::click_ok()
{
    TouchComboBox *const boxes[4] = {ui->comboBox_channel, ui->comboBox_data1, ui->comboBox_ValueUp,
                                     ui->comboBox_ValueDown};
    QList<int> nData;
    for (int i = 0; i < 4; ++i) {
        const int row = boxes[i]->currentIndex();
        nData << (row >= 0 ? row : m_prefill[size_t(i)]);
    }
    emit signal_pedal_add(nData);
    close();
}
