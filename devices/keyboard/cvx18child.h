// The keyboard page's per-control dialog: one knob, pad or button record, the
// slide with pitch bend and pedal, or the keybed. It edits the page's block and
// SysEx texts in place and tells the page on OK which sections changed.
#pragma once

#include <QDialog>
#include <QStringList>

#include "devices/keyboard/vx18config.h"

class Ui_CVX18Child;
namespace pagekit {
class ColourChooserRoad;
}

class CVX18Child : public QDialog
{
    Q_OBJECT
public:
    enum Kind { KindKnob = 0, KindPad = 1, KindButton = 2, KindSlide = 3, KindKeybed = 4 };

    CVX18Child(uchar *config, uchar *sysexText, int bank, int kind, int index, uchar *longFlags,
               QWidget *parent = nullptr);
    ~CVX18Child() override;

    Ui_CVX18Child *form() const { return ui; }
    int kind() const { return m_kind; }
    int bank() const { return m_bank; }
    bool isLongPage() const { return m_longPage; }

    void load_setting();
    void load_slide_keybed();
    void click_ok();
    void click_press_long();
    bool save_sysex_text(uchar byOldLength);
    bool save_slide_keybed();
    void save_page_copy(uchar *pbyCopy);
    void update_type_page(int nType);
    void update_data1_list(int nChannel);
    void fill_data1_list(uchar byList);
    void change_pedal_type(int nType);
    void click_color();
    void click_set_all_color();
    void click_set_all_channel();
    void click_set_all_data1();
    void set_color_button(const uchar *pbyGRB);
    void toggle_key_mcp(bool bChecked);

    static bool isValidMidiStream(const uchar *data, quint16 len);

signals:
    void signals_change_rgb(quint8 byPadIndex);
    void signals_click_ok_send(quint8 byFlag);
    // The pad colour chosen in the chooser was confirmed (it is in the block
    // and on the device since its preview).
    void signals_colour_confirmed();

private:
    void init_ui();
    void init_connect();
    SVX18ConfigData &config() const { return *reinterpret_cast<SVX18ConfigData *>(m_config); }
    SysexTextStore &texts() const { return *reinterpret_cast<SysexTextStore *>(m_sysexText); }
    // The record the control page shows: knob, pad, or the button's shown page.
    uchar *shownRecord() const;
    uchar *shownText() const;
    int storedMode() const;
    // Bytes of the pool the messages take as OK finds them, this control's
    // own included.
    uint poolInUse() const;
    void showSysexPage();
    void showCopy(const uchar *copy);
    // Sets a list to a stored value, or to no entry when the list has none.
    static void showValue(class QComboBox *box, int value);

    QStringList m_knobTypes;
    QStringList m_padTypes;
    QStringList m_keyTypes;
    QStringList m_keyLongTypes;
    Ui_CVX18Child *ui = nullptr;
    int m_kind = 0;
    int m_index = 0;
    int m_bank = 0;
    uchar m_pressCopy[5] = {};
    uchar m_longCopy[5] = {};
    uchar *m_longFlags = nullptr;
    bool m_longPage = false;
    bool m_programList = false;
    bool m_typeIsRow = true;
    uchar m_data1List = 0;
    uchar *m_config = nullptr;
    uchar *m_sysexText = nullptr;
    pagekit::ColourChooserRoad *m_chooser = nullptr; // the pad colour's chooser
};
