// A device page for a second foot pedal model. The editor carries it but no
// road opens it: it shows its form, drops everything the device sends, and
// converts display texts such as "8.8.8." into display codes.
#pragma once

#include <QString>
#include <QVector>

#include "cbasedlg.h"

class Ui_cDlgZ6;

class cDlgZ6 : public CBaseDlg
{
    Q_OBJECT
public:
    cDlgZ6(CBaseDlg *owner, QWidget *parent = nullptr);
    ~cDlgZ6() override;

    void Slots_recv_frame(const uchar *, uint) override {}
    void Slots_recv_sysex(const uchar *, uint) override {}
    void Slots_recv_midi(uint) override {}

    // Writes "send midi Max : " and index * 4 + 3 to the debug output.
    void send_midi_max(int index);

    // The display codes of the first count positions of text, which holds two
    // characters per position: the character, then "." when its dot is lit.
    // A code is the character's index in the display table (0..15), 255 for a
    // character outside it, +256 for a lit dot, -1 past the end of the text.
    static QVector<int> display_text_to_codes(const QString &text, int count);

    Ui_cDlgZ6 *form() const { return ui; }

private:
    Ui_cDlgZ6 *ui;
};
