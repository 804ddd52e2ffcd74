#include "cdlgz6child.h"
#include "ui_cdlgz6child.h"

cDlgZ6Child::cDlgZ6Child(quint32 value1, quint32 value2, QWidget *parent)
    : QDialog(parent), ui(new Ui_cDlgZ6Child), m_value1(value1), m_value2(value2)
{
    ui->setupUi(this);
}

cDlgZ6Child::~cDlgZ6Child()
{
    delete ui;
}
