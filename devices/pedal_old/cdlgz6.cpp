#include "cdlgz6.h"
#include "ui_cdlgz6.h"

#include <QDebug>

#include "leddisplay.h"

cDlgZ6::cDlgZ6(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent), ui(new Ui_cDlgZ6)
{
    ui->setupUi(this);
}

cDlgZ6::~cDlgZ6()
{
    delete ui;
}

void cDlgZ6::send_midi_max(int index)
{
    qDebug() << "send midi Max : " << index * 4 + 3;
}

QVector<int> cDlgZ6::display_text_to_codes(const QString &text, int count)
{
    QVector<int> codes;
    if (count < 1)
        return codes;
    codes.reserve(count);
    const int length = text.size();
    for (int k = 0; k < count; ++k) {
        const int i = 2 * k;
        if (i >= length) {
            codes.append(-1);
            continue;
        }
        const int found = LedDisplay::kCharacters.indexOf(text.at(i));
        int code = found < 0 ? 255 : found;
        if (i + 1 < length && text.at(i + 1) == QLatin1Char('.'))
            code += LedDisplay::kDotBit;
        codes.append(code);
    }
    return codes;
}
