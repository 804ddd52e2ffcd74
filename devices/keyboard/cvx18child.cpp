// The keyboard's per-control dialog: type pages, lists, loading, OK with its
// checks and write-back, custom SysEx texts, colours, "To all" actions, the
// slide and pedal page and the keybed with its key switches.
#include "cvx18child.h"
#include "ui_cvx18child.h"


#include <algorithm>
#include <cstring>

#include "autodisappermsgbox.h"
#include "devices/shared/closeroad.h"
#include "devices/shared/colourchooser.h"
#include "devices/shared/controlrules.h"
#include "dialogs.h"
#include "midinames.h"
#include "switchbutton.h"
#include "touchcombobox.h"
#include "utils.h"

using namespace vx18;

namespace {

constexpr int kKeybedChannelRow = 16;

QStringList numberRows(int first, int last)
{
    QStringList rows;
    for (int i = first; i <= last; ++i)
        rows << QString::number(i);
    return rows;
}

int indexOf(const QComboBox *box)
{
    return box->currentIndex();
}

// A list's row as a byte, or the stored byte when the list shows no row.
uchar rowOr(const QComboBox *box, uchar stored, int offset = 0)
{
    const int row = box->currentIndex();
    return row < 0 ? stored : uchar(row + offset);
}

} // namespace

CVX18Child::CVX18Child(uchar *config, uchar *sysexText, int bank, int kind, int index, uchar *longFlags,
                       QWidget *parent)
    : QDialog(parent)
{
    m_knobTypes << QStringLiteral("CC") << tr("Channel Pressure") << tr("Relative") << tr("MCP-Note");
    m_padTypes << QStringLiteral("Note") << tr("CC Toggle") << tr("CC Momentary") << tr("Program Change")
               << tr("Customize");
    m_keyTypes << QStringLiteral("CC") << tr("CC Toggle") << tr("CC Momentary") << tr("Program Change")
               << QStringLiteral("MMC") << tr("Customize");
    m_keyLongTypes << QStringLiteral("CC") << tr("CC Toggle") << tr("CC Momentary") << tr("Program Change")
                   << tr("Customize") << tr("None");
    ui = new Ui_CVX18Child;
    m_chooser = new pagekit::ColourChooserRoad(this);
    m_kind = kind;
    m_index = index;
    m_bank = int(bankIndex(uchar(bank)));
    m_longFlags = longFlags;
    m_config = config;
    m_sysexText = sysexText;
    ui->setupUi(this);
    // Return in a list must not click OK, Cancel or the colour chooser.
    clearDefaultButtons(this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    init_ui();
    init_connect();
}

CVX18Child::~CVX18Child()
{
    delete ui;
}

void CVX18Child::init_ui()
{
    for (QPushButton *b : {ui->pushButton_advance, ui->pushButton_ModAdvance}) {
        b->setCheckable(true);
        b->setCursor(Qt::PointingHandCursor);
    }
    if (m_kind == KindPad)
        set_color_button(&config().PadRGB[m_bank][m_index % kPadsPerBank].g);
    for (TouchComboBox *box : {ui->comboBox_ModCh, ui->comboBox_PedalCh, ui->comboBox_PitchCH, ui->comboBox_KBCH})
        box->addItems(numberRows(0, 15));
    for (TouchComboBox *box : {ui->comboBox_ModCh, ui->comboBox_PedalCh, ui->comboBox_PitchCH})
        box->addItem(tr("Keybed Channel"));
    ui->label_color1->hide();
    ui->pushButton_color->hide();
    ui->comboBox_type->clear();
    ui->textEdit_Customize->hide();
    for (QPushButton *b : {ui->pushButton_down, ui->pushButton_long, ui->pushButton_CH3})
        b->setCheckable(true);
    if (m_kind == KindButton) {
        ui->pushButton_down->setChecked(true);
        m_longPage = false;
    }
}

void CVX18Child::init_connect()
{
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);
    connect(ui->comboBox_type, indexChanged, this, &CVX18Child::update_type_page);
    connect(ui->comboBox_channel, indexChanged, this, &CVX18Child::update_data1_list);
    connect(ui->comboBox_PedalType, indexChanged, this, &CVX18Child::change_pedal_type);
    connect(ui->pushButton_color, &QPushButton::clicked, this, &CVX18Child::click_color);
    connect(ui->pushButton_ok, &QPushButton::clicked, this, &CVX18Child::click_ok);
    connect(ui->pushButton_DelText, &QPushButton::clicked, ui->textEdit_Customize, &QTextEdit::clear);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->pushButton_down, &QPushButton::clicked, this, &CVX18Child::click_press_long);
    connect(ui->pushButton_long, &QPushButton::clicked, this, &CVX18Child::click_press_long);
    connect(ui->pushButton_setColor, &QPushButton::clicked, this, &CVX18Child::click_set_all_color);
    connect(ui->pushButton_setCH, &QPushButton::clicked, this, &CVX18Child::click_set_all_channel);
    connect(ui->pushButton_setData1, &QPushButton::clicked, this, &CVX18Child::click_set_all_data1);
    connect(ui->pushButton_advance, &QPushButton::toggled, ui->widget_advance, &QWidget::setVisible);
    connect(ui->pushButton_ModAdvance, &QPushButton::toggled, ui->widget_ModAdvance, &QWidget::setVisible);
}

// ---- records -------------------------------------------------------------------------

uchar *CVX18Child::shownRecord() const
{
    SVX18ConfigData &c = config();
    switch (m_kind) {
    case KindKnob: return &c.KnobData[m_bank][m_index % kKnobsPerBank].ctrl;
    case KindPad: return &c.PadData[m_bank][m_index % kPadsPerBank].ctrl;
    case KindButton:
        return m_longPage ? &c.KeyLongData[m_index % kKeys].ctrl : &c.KeyData[m_index % kKeys].ctrl;
    default: return nullptr;
    }
}

uchar *CVX18Child::shownText() const
{
    SysexTextStore &t = texts();
    if (m_kind == KindPad)
        return t.padText[m_bank][m_index % kPadsPerBank];
    return m_longPage ? t.keyLongText[m_index % kKeys] : t.keyText[m_index % kKeys];
}

int CVX18Child::storedMode() const
{
    const uchar *rec = shownRecord();
    return rec ? ctrlbyte::mode(rec[0]) : -1;
}

void CVX18Child::showValue(QComboBox *box, int value)
{
    box->setCurrentIndex(value >= 0 && value < box->count() ? value : -1);
}

// ---- type pages -----------------------------------------------------------------------

void CVX18Child::update_type_page(int nType)
{
    if (m_kind > KindButton)
        return;
    ui->stackedWidget_2->setCurrentIndex(0);
    for (QWidget *w : {static_cast<QWidget *>(ui->label_speed), static_cast<QWidget *>(ui->comboBox_data4),
                       static_cast<QWidget *>(ui->textEdit_Customize), static_cast<QWidget *>(ui->pushButton_DelText)})
        w->hide();
    ui->label_data1->setText(tr("Data1"));
    ui->label_data1->show();
    ui->comboBox_data1->show();
    ui->label_type->show();
    ui->comboBox_type->show();
    ui->pushButton_setData1->hide();
    update_data1_list(ui->comboBox_channel->currentIndex());
    ui->stackedWidget->setCurrentIndex(m_kind);

    if (m_kind == KindKnob) {
        ui->pushButton_setCH->setText(tr("To all\nknob"));
        for (QWidget *w : {static_cast<QWidget *>(ui->label_speed), static_cast<QWidget *>(ui->comboBox_data4),
                           static_cast<QWidget *>(ui->pushButton_CH3), static_cast<QWidget *>(ui->label_CH3)})
            w->show();
        switch (nType) {
        case 0:
        case 1:
            ui->label_data1->setVisible(nType == 0);
            ui->comboBox_data1->setVisible(nType == 0);
            ui->label_data2->setText(tr("Min"));
            ui->label_data3->setText(tr("Max"));
            break;
        case 2:
            ui->label_data1->show();
            ui->comboBox_data1->show();
            ui->label_data2->setText(tr("Left / Right"));
            ui->label_data3->setText(tr("Left / Right"));
            break;
        case 3:
            ui->label_data1->show();
            ui->comboBox_data1->show();
            ui->label_data2->setText(tr("MCP-Min"));
            ui->label_data3->setText(tr("MCP-Max"));
            ui->pushButton_CH3->hide();
            ui->label_CH3->hide();
            break;
        default:
            break;
        }
        return;
    }

    if (m_kind == KindPad) {
        ui->pushButton_setCH->setText(tr("To all\npad"));
        ui->pushButton_setData1->show();
        ui->label_color1->show();
        ui->pushButton_color->show();
        ui->label_data1->setText(tr("CC"));
        static const char *const labels[4][3] = {
            {QT_TR_NOOP("Note"), QT_TR_NOOP("Min"), QT_TR_NOOP("Max")},
            {QT_TR_NOOP("CC"), QT_TR_NOOP("Value1"), QT_TR_NOOP("Value2")},
            {QT_TR_NOOP("CC"), QT_TR_NOOP("Down"), QT_TR_NOOP("Up")},
            {QT_TR_NOOP("Program"), QT_TR_NOOP("Bank MSB"), QT_TR_NOOP("Bank LSB")},
        };
        if (nType >= 0 && nType <= 3) {
            ui->label_data1->setText(tr(labels[nType][0]));
            ui->label_data2->setText(tr(labels[nType][1]));
            ui->label_data3->setText(tr(labels[nType][2]));
            if (nType == 3) {
                ui->pushButton_setData1->hide();
                for (QWidget *w : {static_cast<QWidget *>(ui->label_data1), static_cast<QWidget *>(ui->comboBox_data1),
                                   static_cast<QWidget *>(ui->label_data3), static_cast<QWidget *>(ui->comboBox_data3)})
                    w->show();
            }
        } else if (nType == int(kPadSysexMode)) {
            showSysexPage();
        }
        return;
    }

    // Button.
    ui->pushButton_setCH->setText(tr("To all\nButton"));
    ui->label_data3->show();
    ui->comboBox_data3->show();
    ui->label_data1->setText(tr("CC"));
    int mode = nType;
    if (m_longPage && m_typeIsRow && nType > 3)
        mode = nType + 1;
    m_typeIsRow = true;
    static const char *const labels[4][3] = {
        {QT_TR_NOOP("CC"), QT_TR_NOOP("data2"), ""},
        {QT_TR_NOOP("CC"), QT_TR_NOOP("Value1"), QT_TR_NOOP("Value2")},
        {QT_TR_NOOP("CC"), QT_TR_NOOP("Up"), QT_TR_NOOP("Down")},
        {QT_TR_NOOP("Program"), QT_TR_NOOP("Bank MSB"), QT_TR_NOOP("Bank LSB")},
    };
    if (mode >= 0 && mode <= 3) {
        ui->label_data1->setText(tr(labels[mode][0]));
        ui->label_data2->setText(tr(labels[mode][1]));
        if (mode == 0) {
            ui->label_data3->hide();
            ui->comboBox_data3->hide();
        } else {
            ui->label_data3->setText(tr(labels[mode][2]));
        }
    } else if (mode == 4 || mode == 6) {
        ui->stackedWidget_2->setCurrentIndex(2);
    } else if (mode == int(kKeySysexMode)) {
        ui->label_data3->hide();
        ui->comboBox_data3->hide();
        showSysexPage();
    }
}

void CVX18Child::showSysexPage()
{
    ui->textEdit_Customize->clear();
    ui->textEdit_Customize->show();
    ui->stackedWidget_2->setCurrentIndex(1);
    ui->pushButton_DelText->show();
    const uchar *rec = shownRecord();
    const uint customize = m_kind == KindPad ? kPadSysexMode : kKeySysexMode;
    if (rec && ctrlbyte::mode(rec[0]) == customize)
        ui->textEdit_Customize->setPlainText(pagekit::sysexText(shownText(), rec[3], kSysexMax));
}

void CVX18Child::update_data1_list(int nChannel)
{
    const int t = ui->comboBox_type->currentIndex();
    const bool padOrButton = m_kind == KindPad || m_kind == KindButton;
    if (padOrButton && t == 3) {
        fill_data1_list(nChannel == 9 || nChannel == 10 ? 0 : 1);
        m_programList = true;
    } else if (m_kind == KindButton && t <= 2) {
        fill_data1_list(2);
    } else if (m_kind == KindPad && (t == 1 || t == 2)) {
        fill_data1_list(2);
    } else if (m_kind == KindPad && t == 0) {
        fill_data1_list(3);
    } else if (m_programList) {
        m_programList = false;
        fill_data1_list(4);
    }
}

void CVX18Child::fill_data1_list(uchar byList)
{
    if (byList == m_data1List)
        return;
    QComboBox *box = ui->comboBox_data1;
    ui->comboBox_data1->clear();
    m_data1List = byList;
    switch (byList) {
    case 0: ui->comboBox_data1->addItems(g_gmDrumNames); break;
    case 1: ui->comboBox_data1->addItems(g_gmProgramNames); break;
    case 2: ui->comboBox_data1->addItems(g_ccNames); break;
    case 3: ui->comboBox_data1->addItems(g_noteNames); break;
    case 4: ui->comboBox_data1->addItems(numberRows(0, 127)); break;
    default: break;
    }
    const uchar *rec = shownRecord();
    if (!rec)
        return;
    // A pad stored in Program Change keeps its program in byte 3: the list
    // shows that, as the dialog did when it opened.
    const bool padProgram = m_kind == KindPad && ctrlbyte::mode(rec[0]) == 3;
    showValue(box, padProgram ? rec[3] : rec[1]);
}

void CVX18Child::change_pedal_type(int nType)
{
    if (nType == 0) {
        ui->comboBox_PedalCC->setCurrentIndex(64);
        ui->label_12->setText(tr("MIN"));
        ui->label_9->setText(tr("MAX"));
        ui->comboBox_PedalMin->setCurrentIndex(0);
        ui->comboBox_PedalMax->setCurrentIndex(127);
    } else if (nType == 1) {
        ui->comboBox_PedalCC->setCurrentIndex(11);
        ui->label_12->setText(tr("Min"));
        ui->label_9->setText(tr("Max"));
    }
}

// ---- colour ---------------------------------------------------------------------------------

void CVX18Child::set_color_button(const uchar *pbyGRB)
{
    ui->pushButton_color->setStyleSheet(
        QStringLiteral("QPushButton{background-color: rgb(%1, %2, %3);border-radius:23px;border: 2px solid white;}")
            .arg(int(pbyGRB[1]))
            .arg(int(pbyGRB[0]))
            .arg(int(pbyGRB[2])));
}

void CVX18Child::click_color()
{
    // Every change is stored and previewed at once; any close but OK puts the
    // old colour back and previews it again.
    pagekit::ColourChooserRoad::SRoad road;
    road.target = [this] { return &config().PadRGB[m_bank][m_index % kPadsPerBank]; };
    road.changed = [this](bool) {
        set_color_button(&config().PadRGB[m_bank][m_index % kPadsPerBank].g);
        emit signals_change_rgb(quint8(m_index));
    };
    road.confirmed = [this] { emit signals_colour_confirmed(); };
    m_chooser->open(road);
}

void CVX18Child::click_set_all_color()
{
    showStyledQuestion(this, tr("Set All"), tr("Set all color?"), [this](int answer) {
        if (answer != ANSWER_YES)
            return;
        pagekit::setAllPadColours(config().PadRGB[m_bank], kPadsPerBank, uint(m_index % kPadsPerBank));
        emit signals_change_rgb(quint8(m_index | 0x80));
    });
}

void CVX18Child::click_set_all_channel()
{
    showStyledQuestion(this, tr("Set All"), tr("Set all channels?"), [this](int answer) {
        if (answer != ANSWER_YES)
            return;
        const int c = ui->comboBox_channel->currentIndex();
        if (c < 0)
            return;
        auto setKnobLike = [c](SKnobRecord &r) {
            if (c > 15) {
                r.options |= kKeybedChannelBit;
            } else {
                r.options &= uchar(~kKeybedChannelBit);
                r.setChannel(uint(c));
            }
        };
        SVX18ConfigData &cfg = config();
        if (m_kind == KindKnob) {
            for (SKnobRecord &r : cfg.KnobData[m_bank])
                setKnobLike(r);
            emit signals_click_ok_send(1);
        } else if (m_kind == KindButton) {
            SKnobRecord *recs = m_longPage ? cfg.KeyLongData : cfg.KeyData;
            for (uint i = 0; i < kKeys; ++i) {
                if (recs[i].mode() != kKeySysexMode)
                    setKnobLike(recs[i]);
            }
            emit signals_click_ok_send(2);
        } else if (m_kind == KindPad && c <= 15) {
            pagekit::setAllChannels(cfg.PadData[m_bank], kPadsPerBank, uint(c), kPadSysexMode);
            emit signals_click_ok_send(3);
        }
    });
}

void CVX18Child::click_set_all_data1()
{
    const QString what = ui->comboBox_type->currentIndex() == 0 ? QStringLiteral("Note") : QStringLiteral("CC");
    showStyledQuestion(this, tr("Set All"), tr("Set %1 according to the pad order?").arg(what), [this](int answer) {
        if (answer != ANSWER_YES)
            return;
        const int v = ui->comboBox_data1->currentIndex();
        if (v < 0)
            return;
        pagekit::setAllData1ByPadOrder(config().PadData[m_bank], kPadsPerBank, uint(m_index % kPadsPerBank), v,
                                       pagekit::kPadOrderSkipModes);
        emit signals_click_ok_send(3);
    });
}

// ---- loading ---------------------------------------------------------------------------------------

void CVX18Child::load_setting()
{
    if (m_kind == KindSlide || m_kind == KindKeybed) {
        load_slide_keybed();
        return;
    }
    if (ui->comboBox_channel->count() <= 16)
        ui->comboBox_channel->addItem(tr("Keybed Channel"));
    const int key = m_index % int(kKeys);
    if (m_kind == KindKnob) {
        setWindowTitle(tr("Setting Knob ") + QString::number(m_index + 1));
        ui->stackedWidget->setCurrentIndex(0);
        ui->stackedWidget_main->setCurrentIndex(1);
        ui->comboBox_type->addItems(m_knobTypes);
    } else if (m_kind == KindPad) {
        ui->comboBox_channel->removeItem(kKeybedChannelRow);
        setWindowTitle(tr("Setting Pad ") + QString::number(m_index + 1));
        ui->stackedWidget->setCurrentIndex(1);
        ui->stackedWidget_main->setCurrentIndex(1);
        ui->comboBox_type->addItems(m_padTypes);
    } else {
        setWindowTitle(tr("Setting Button ") + QString::number(m_index + 1));
        ui->stackedWidget->setCurrentIndex(2);
        ui->stackedWidget_main->setCurrentIndex(1);
        if (m_longFlags && m_longFlags[key]) {
            ui->comboBox_type->addItems(m_keyLongTypes);
            ui->pushButton_long->setChecked(true);
            ui->pushButton_down->setChecked(false);
            m_longPage = true;
        } else {
            ui->comboBox_type->addItems(m_keyTypes);
        }
        std::memcpy(m_pressCopy, &config().KeyData[key], 5);
        std::memcpy(m_longCopy, &config().KeyLongData[key], 5);
    }
    const uchar *rec = shownRecord();
    const int mode = ctrlbyte::mode(rec[0]);
    const int row = m_kind == KindButton ? pagekit::keyIndexFromMode(uint(mode), m_longPage) : mode;
    // A mode that the list has no entry for shows no type (and OK then stores
    // nothing): knobs 4..7, pads 5..7, buttons 6..7 (Press) and 7 (Long).
    const int shown = row < ui->comboBox_type->count() ? row : -1;
    if (ui->comboBox_type->currentIndex() != shown) {
        m_typeIsRow = shown >= 0 ? true : m_typeIsRow;
        ui->comboBox_type->setCurrentIndex(shown);
    } else {
        m_typeIsRow = false;
        update_type_page(mode);
    }

    if (m_kind == KindPad && mode == 3) {
        showValue(ui->comboBox_channel, ctrlbyte::channel(rec[0]));
        showValue(ui->comboBox_data1, rec[3]);
        showValue(ui->comboBox_data2, rec[1]);
        showValue(ui->comboBox_data3, rec[2]);
    } else {
        const bool keybed = m_kind != KindPad && (rec[4] & kKeybedChannelBit);
        showValue(ui->comboBox_channel, keybed ? kKeybedChannelRow : ctrlbyte::channel(rec[0]));
        showValue(ui->comboBox_data1, rec[1]);
        showValue(ui->comboBox_data2, rec[2]);
        showValue(ui->comboBox_data3, rec[3]);
    }
    ui->pushButton_CH3->setChecked(ctrlbyte::flag(rec[0]));
    if (m_kind == KindKnob)
        showValue(ui->comboBox_data4, rec[4] & 0x07);
}

void CVX18Child::load_slide_keybed()
{
    SVX18ConfigData &c = config();
    if (m_kind == KindSlide) {
        ui->stackedWidget_main->setCurrentIndex(0);
        setWindowTitle(tr("Slide/Pedal Setting "));
        if (ui->comboBox_ModMin->count() == 0) {
            for (TouchComboBox *box : {ui->comboBox_ModMin, ui->comboBox_ModMax, ui->comboBox_PedalMin,
                                       ui->comboBox_PedalMax})
                box->addItems(numberRows(0, 127));
            ui->comboBox_PedalCC->addItems(g_ccNames);
            ui->comboBox_ModCC->addItems(g_ccNames);
        }
        showValue(ui->comboBox_ModCh, c.ModCh);
        showValue(ui->comboBox_ModCC, c.ModCC);
        showValue(ui->comboBox_ModMin, c.ModMin);
        showValue(ui->comboBox_ModMax, c.ModMax);
        showValue(ui->comboBox_PitchCH, c.PitchBendCh);
        showValue(ui->comboBox_PedalType, c.PedalType & 0x7F);
        showValue(ui->comboBox_PedalCh, c.PedalCh);
        showValue(ui->comboBox_PedalCC, c.PedalCC);
        showValue(ui->comboBox_PedalMin, c.PedalMin);
        showValue(ui->comboBox_PedalMax, c.PedalMax);
        const bool advanced = (c.PedalType & 0x80) != 0;
        ui->pushButton_advance->setChecked(advanced);
        ui->widget_advance->setVisible(advanced);
        const bool defaultMod = ui->comboBox_ModCC->currentIndex() == 1 && ui->comboBox_ModMin->currentIndex() == 0
                                && ui->comboBox_ModMax->currentIndex() == 127;
        ui->pushButton_ModAdvance->setChecked(!defaultMod);
        ui->widget_ModAdvance->setVisible(!defaultMod);
        return;
    }
    if (m_kind != KindKeybed)
        return;
    setWindowTitle(tr("Keybed Setting "));
    ui->stackedWidget_main->setCurrentIndex(2);
    if (ui->comboBox_KBMin->count() == 0) {
        ui->comboBox_KBMin->addItems(numberRows(0, 127));
        ui->comboBox_KBMax->addItems(numberRows(0, 127));
    }
    showValue(ui->comboBox_KBCH, c.KBCh);
    showValue(ui->comboBox_XPose, int(static_cast<signed char>(c.KBXPose)) + 12);
    showValue(ui->comboBox_Oct, int(static_cast<signed char>(c.KBOctave)) + 3);
    showValue(ui->comboBox_KBMin, c.KBVelMin);
    showValue(ui->comboBox_KBMax, c.KBVelMax);
    for (int k = 0; k < int(kKeybedKeys); ++k) {
        const QString n = QString::number(k + 1);
        const uchar b = c.KBMCP[k];
        auto *list = findChild<TouchComboBox *>(QStringLiteral("comboBox_key_") + n);
        auto *sw = findChild<switchbutton *>(QStringLiteral("widget_key_") + n);
        if (list) {
            if (list->count() == 0)
                list->addItems(g_noteNames);
            list->setCurrentIndex(b & 0x7F);
        }
        if (sw) {
            sw->setChecked((b & 0x80) != 0, false);
            sw->setTextOn(n);
            sw->setTextOff(n);
            connect(sw, &switchbutton::statusChanged, this, &CVX18Child::toggle_key_mcp, Qt::UniqueConnection);
        }
        if (list)
            list->setVisible((b & 0x80) != 0);
    }
}

void CVX18Child::toggle_key_mcp(bool bChecked)
{
    const int n = numberAfterLastUnderscore(sender() ? sender()->objectName() : QString());
    if (n < 1 || n > int(kKeybedKeys))
        return;
    uchar &b = config().KBMCP[n - 1];
    b = uchar(bChecked ? (b | 0x80) : (b & 0x7F));
    if (auto *list = findChild<QComboBox *>(QStringLiteral("comboBox_key_%1").arg(n)))
        list->setVisible(bChecked);
}

// ---- button pages ------------------------------------------------------------------------------------

void CVX18Child::showCopy(const uchar *copy)
{
    const int mode = ctrlbyte::mode(copy[0]);
    const int row = pagekit::keyIndexFromMode(uint(mode), m_longPage);
    ui->comboBox_type->setCurrentIndex(row < ui->comboBox_type->count() ? row : -1);
    showValue(ui->comboBox_channel, (copy[4] & kKeybedChannelBit) ? kKeybedChannelRow : ctrlbyte::channel(copy[0]));
    showValue(ui->comboBox_data1, copy[1]);
    showValue(ui->comboBox_data2, copy[2]);
    showValue(ui->comboBox_data3, copy[3]);
    m_typeIsRow = false;
    update_type_page(mode);
}

void CVX18Child::click_press_long()
{
    const bool toLong = sender() == ui->pushButton_long;
    ui->pushButton_long->setChecked(toLong);
    ui->pushButton_down->setChecked(!toLong);
    if (toLong == m_longPage)
        return;
    save_page_copy(m_longPage ? m_longCopy : m_pressCopy);
    ui->comboBox_type->clear();
    ui->comboBox_type->addItems(toLong ? m_keyLongTypes : m_keyTypes);
    m_longPage = toLong;
    showCopy(toLong ? m_longCopy : m_pressCopy);
}

void CVX18Child::save_page_copy(uchar *pbyCopy)
{
    const int t = ui->comboBox_type->currentIndex();
    const int c = ui->comboBox_channel->currentIndex();
    // Rows that show nothing keep what the copy holds.
    if (t >= 0) {
        const uint mode = pagekit::keyModeFromIndex(t, m_longPage);
        pbyCopy[0] = uchar((mode << 4) | (c >= 0 && c <= 15 ? c : 0));
    }
    pbyCopy[1] = rowOr(ui->comboBox_data1, pbyCopy[1]);
    pbyCopy[2] = rowOr(ui->comboBox_data2, pbyCopy[2]);
    pbyCopy[3] = rowOr(ui->comboBox_data3, pbyCopy[3]);
    if (c >= 0)
        pbyCopy[4] = uchar(c > 15 ? (pbyCopy[4] | kKeybedChannelBit) : (pbyCopy[4] & ~kKeybedChannelBit));
}

// ---- OK -------------------------------------------------------------------------------------------------

uint CVX18Child::poolInUse() const
{
    // Counted from the records now: the count of the last packing still holds
    // the message of a control that has left Customize since. A button's other
    // page leaves it when this OK stores its working copy over it.
    const uchar *otherPage = nullptr;
    if (m_kind == KindButton) {
        const uint key = uint(m_index) % kKeys;
        if (ctrlbyte::mode((m_longPage ? m_pressCopy : m_longCopy)[0]) != kKeySysexMode)
            otherPage = m_longPage ? &config().KeyData[key].ctrl : &config().KeyLongData[key].ctrl;
    }
    return pagekit::poolBytesInUse(poolVisitingOrder(config(), texts()), {otherPage});
}

bool CVX18Child::save_sysex_text(uchar byOldLength)
{
    const pagekit::SParsedText parsed = pagekit::parseSysexText(ui->textEdit_Customize->toPlainText(), poolInUse(),
                                                                byOldLength, kPoolSize, kSysexMax);
    switch (parsed.result) {
    case pagekit::TextResult::TooLong:
        AutoDisapperMsgBox::showMessage(this, tr("Sysex data maximum length is 40"), 1000);
        return false;
    case pagekit::TextResult::PoolFull:
        AutoDisapperMsgBox::showMessage(
            this, tr("The SysEx data has reached its maximum capacity of %1 bytes.").arg(kPoolSize), 1000);
        return false;
    case pagekit::TextResult::Malformed:
        AutoDisapperMsgBox::showMessage(this, tr("The SysEx message format is err"), 1400);
        return false;
    case pagekit::TextResult::Accepted:
        break;
    }
    shownRecord()[3] = uchar(parsed.length);
    std::memcpy(shownText(), parsed.bytes, parsed.length);
    return true;
}

bool CVX18Child::save_slide_keybed()
{
    SVX18ConfigData &c = config();
    if (m_kind == KindSlide) {
        c.ModMin = rowOr(ui->comboBox_ModMin, c.ModMin);
        c.ModMax = rowOr(ui->comboBox_ModMax, c.ModMax);
        c.ModCh = rowOr(ui->comboBox_ModCh, c.ModCh);
        c.ModCC = rowOr(ui->comboBox_ModCC, c.ModCC);
        c.PitchBendCh = rowOr(ui->comboBox_PitchCH, c.PitchBendCh);
        const uchar type = rowOr(ui->comboBox_PedalType, uchar(c.PedalType & 0x7F));
        c.PedalType = uchar((type & 0x7F) | (ui->pushButton_advance->isChecked() ? 0x80 : 0));
        c.PedalCh = rowOr(ui->comboBox_PedalCh, c.PedalCh);
        c.PedalCC = rowOr(ui->comboBox_PedalCC, c.PedalCC);
        c.PedalMin = rowOr(ui->comboBox_PedalMin, c.PedalMin);
        c.PedalMax = rowOr(ui->comboBox_PedalMax, c.PedalMax);
        return true;
    }
    if (m_kind != KindKeybed)
        return true;
    const int lo = indexOf(ui->comboBox_KBMin);
    const int hi = indexOf(ui->comboBox_KBMax);
    if (lo >= 0 && hi >= 0 && lo > hi) {
        AutoDisapperMsgBox::showMessage(this, tr("The minimum value cannot be greater than the maximum value."), 1200);
        return false;
    }
    c.KBVelMin = rowOr(ui->comboBox_KBMin, c.KBVelMin);
    c.KBVelMax = rowOr(ui->comboBox_KBMax, c.KBVelMax);
    c.KBCh = rowOr(ui->comboBox_KBCH, c.KBCh);
    c.KBXPose = rowOr(ui->comboBox_XPose, c.KBXPose, -12);
    c.KBOctave = rowOr(ui->comboBox_Oct, c.KBOctave, -3);
    for (int k = 0; k < int(kKeybedKeys); ++k) {
        const QString n = QString::number(k + 1);
        uchar &b = c.KBMCP[k];
        if (auto *sw = findChild<switchbutton *>(QStringLiteral("widget_key_") + n))
            b = uchar(sw->getChecked() ? (b | 0x80) : (b & 0x7F));
        if (auto *list = findChild<QComboBox *>(QStringLiteral("comboBox_key_") + n)) {
            if (list->currentIndex() >= 0)
                b = uchar((b & 0x80) | (list->currentIndex() & 0x7F));
        }
    }
    return true;
}

void CVX18Child::click_ok()
{
    if (m_kind == KindSlide || m_kind == KindKeybed) {
        if (save_slide_keybed()) {
            emit signals_click_ok_send(m_kind == KindSlide ? 6 : 7);
            close();
        }
        return;
    }
    const int key = m_index % int(kKeys);
    if (m_kind == KindButton && m_longFlags)
        m_longFlags[key] = m_longPage ? 1 : 0;
    const int t = ui->comboBox_type->currentIndex();
    const uchar f = ui->pushButton_CH3->isChecked() ? 0x80 : 0;
    SVX18ConfigData &cfg = config();
    // The page not shown is stored from its working copy, unless the copy was
    // only switched to Customize there: its bytes 1..3 would point anywhere.
    auto storeOtherPage = [&] {
        uchar *other = m_longPage ? &cfg.KeyData[key].ctrl : &cfg.KeyLongData[key].ctrl;
        const uchar *copy = m_longPage ? m_pressCopy : m_longCopy;
        if (ctrlbyte::mode(copy[0]) != kKeySysexMode)
            std::memcpy(other, copy, 5);
        if (m_longPage && f)
            cfg.KeyData[key].ctrl |= 0x80;
    };
    if (t < 0) {
        // The stored mode has no entry: its record keeps its bytes, and a
        // button's other page is stored as on every OK.
        if (m_kind == KindButton) {
            const SKnobRecord press = cfg.KeyData[key];
            const SKnobRecord longPress = cfg.KeyLongData[key];
            storeOtherPage();
            if (std::memcmp(&press, &cfg.KeyData[key], sizeof press) != 0
                || std::memcmp(&longPress, &cfg.KeyLongData[key], sizeof longPress) != 0)
                emit signals_click_ok_send(2);
        }
        close();
        return;
    }
    const int c = ui->comboBox_channel->currentIndex();
    const uchar chan = uchar(c >= 0 && c <= 15 ? c : 0);
    const bool kb = c > 15;
    uchar *r = shownRecord();
    // A row that shows nothing keeps the byte it was loaded from: a pad in
    // Program Change shows bytes 3, 1, 2 in its three lists.
    const bool padProgram = m_kind == KindPad && ctrlbyte::mode(r[0]) == 3;
    const uchar d1 = rowOr(ui->comboBox_data1, padProgram ? r[3] : r[1]);
    const uchar d2 = rowOr(ui->comboBox_data2, padProgram ? r[1] : r[2]);
    const uchar d3 = rowOr(ui->comboBox_data3, padProgram ? r[2] : r[3]);
    auto keybedBit = [kb](uchar b) { return uchar(kb ? (b | kKeybedChannelBit) : (b & ~kKeybedChannelBit)); };

    if (m_kind == KindKnob) {
        if (t != 2 && d2 == d3) {
            AutoDisapperMsgBox::showMessage(this, tr("The maximum value and the minimum value cannot be equal."),
                                            1200);
            return;
        }
        if (t == 2) {
            r[0] = uchar(0x20 | chan | f);
            r[1] = d1;
            r[2] = d2;
            r[3] = d3;
            // The speed as in the other types; the bits above bit 3 are kept.
            const uchar speed = rowOr(ui->comboBox_data4, uchar(r[4] & 0x07));
            r[4] = keybedBit(uchar((r[4] & 0xF8) | (speed & 0x07)));
        } else {
            const uchar flag = t == 3 ? uchar(r[0] & 0x80) : f;
            r[0] = uchar((t << 4) | chan | flag);
            r[1] = d1;
            r[2] = std::min(d2, d3);
            r[3] = std::max(d2, d3);
            const uchar speed = rowOr(ui->comboBox_data4, uchar(r[4] & 0x07));
            r[4] = keybedBit(uchar(speed & 0x07));
        }
        emit signals_click_ok_send(1);
        close();
        return;
    }

    if (m_kind == KindPad) {
        const uint storedPadMode = ctrlbyte::mode(r[0]);
        if (t == int(kPadSysexMode)) {
            if (!save_sysex_text(storedPadMode == kPadSysexMode ? r[3] : 0))
                return;
            r[0] = uchar(f | 0x40);
            emit signals_click_ok_send(5);
            close();
            return;
        }
        const uchar pc = uchar(c >= 0 && c <= 15 ? c : ctrlbyte::channel(r[0]));
        if (t == 3) {
            r[0] = uchar(0x30 | f | pc);
            r[1] = d2;
            r[2] = d3;
            r[3] = d1;
        } else if (t == 0) {
            r[0] = uchar(f | pc);
            r[1] = d1;
            r[2] = std::min(d2, d3);
            r[3] = std::max(d2, d3);
        } else {
            r[0] = uchar((t << 4) | f | pc);
            r[1] = d1;
            r[2] = d2;
            r[3] = d3;
        }
        emit signals_click_ok_send(3);
        close();
        return;
    }

    // Button.
    const uint mode = pagekit::keyModeFromIndex(t, m_longPage);
    if (mode == kKeySysexMode) {
        if (!save_sysex_text(ctrlbyte::mode(r[0]) == kKeySysexMode ? r[3] : 0))
            return;
        r[0] = uchar(f | 0x50);
        storeOtherPage();
        emit signals_click_ok_send(4);
        close();
        return;
    }
    storeOtherPage();
    r[0] = uchar((mode << 4) | chan | f);
    r[1] = d1;
    r[2] = d2;
    r[3] = d3;
    r[4] = keybedBit(r[4]);
    emit signals_click_ok_send(2);
    close();
}

bool CVX18Child::isValidMidiStream(const uchar *data, quint16 len)
{
    return ::isValidMidiStream(data, len);
}
