#include "crzm7dlg.h"

#include "autodisappermsgbox.h"
#include "devices/shared/closeroad.h"
#include "devices/shared/colourchooser.h"
#include "crzm7dlg_rules.h"
#include "dialogs.h"
#include "midinames.h"
#include "ui_crzm7dlg.h"

#include <QDebug>
#include <QPointer>

#include <algorithm>
#include <cstring>

using namespace rz7dlg;

namespace {

constexpr int kMessageMs = 1200;

QStringList numberList()
{
    QStringList list;
    list.reserve(128);
    for (int i = 0; i < 128; ++i)
        list << QString::number(i);
    return list;
}

int comboValue(const QComboBox *combo)
{
    return std::max(0, combo->currentIndex());
}

// A value list that shows no row (the stored byte has none) keeps the byte.
int fieldValue(const QComboBox *combo)
{
    return combo->currentIndex() < 0 ? kKeep : combo->currentIndex();
}

uchar fieldByte(const QComboBox *combo, uchar stored)
{
    return combo->currentIndex() < 0 ? stored : uchar(combo->currentIndex());
}

} // namespace

CRZM7DLG::CRZM7DLG(SRZ7ConfigData *pConfig, int iKind, int iIndex, int iBank, SRZ7SysexStore *pSysex,
                   uchar *pSetAllColours, QWidget *parent)
    : QDialog(parent),
      m_knobTypes{QStringLiteral("CC"), QStringLiteral("Channel Pressure"), QStringLiteral("Relative")},
      m_padTypes{QStringLiteral("Note"), QStringLiteral("CC Toggle"), QStringLiteral("CC Momentary"),
                 QStringLiteral("Program Change"), QStringLiteral("Customize")},
      m_keyTypes{QStringLiteral("CC"), QStringLiteral("CC Toggle"), QStringLiteral("CC Momentary"),
                 QStringLiteral("Program Change"), QStringLiteral("MMC"), QStringLiteral("Customize")},
      m_keyTypesNoMmc{QStringLiteral("CC"), QStringLiteral("CC Toggle"), QStringLiteral("CC Momentary"),
                      QStringLiteral("Program Change"), QStringLiteral("Customize")},
      m_ui(new Ui::CRZM7DLG),
      m_config(pConfig),
      m_kind(std::clamp(iKind, 0, 2)),
      m_setAllColours(pSetAllColours),
      m_sysex(pSysex)
{
    // Indexes outside the block would address other records; hold them to the kind's range.
    const int count = m_kind == KindKnob ? int(rz7::kKnobsPerGroup)
                      : m_kind == KindPad ? int(rz7::kPadsPerBank)
                                          : int(rz7::kKeys);
    m_index = std::clamp(iIndex, 0, count - 1);
    m_bank = m_kind == KindButton ? 0 : std::clamp(iBank, 0, int(rz7::kPadBanks) - 1);

    m_ui->setupUi(this);
    // Return in a list must not click OK, Cancel or the colour chooser.
    clearDefaultButtons(this);
    m_chooser = new pagekit::ColourChooserRoad(this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);

    QFont textFont = m_ui->textEdit_Customize->font();
    textFont.setPointSize(15);
    m_ui->textEdit_Customize->setFont(textFont);
    m_ui->label_color1->hide();
    m_ui->pushButton_color->hide();
    m_ui->textEdit_Customize->hide();
    m_ui->comboBox_type->clear();

    m_ui->pushButton_down->setCheckable(true);
    m_ui->pushButton_long->setCheckable(true);
    m_ui->pushButton_CH3->setCheckable(true);
    if (m_kind == KindButton)
        m_ui->pushButton_down->setChecked(true);

    connect(m_ui->comboBox_type, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_keptMode = -1;
        on_type_changed(index);
    });
    // Picking the first type again is a choice too.
    connect(m_ui->comboBox_type, qOverload<int>(&QComboBox::activated), this, [this] { m_keptMode = -1; });
    connect(m_ui->comboBox_channel, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { on_channel_changed(index); });
    connect(m_ui->pushButton_color, &QPushButton::clicked, this, [this] { open_colour_picker(); });
    connect(m_ui->pushButton_ok, &QPushButton::clicked, this, [this] { on_ok(); });
    connect(m_ui->pushButton_DelText, &QPushButton::clicked, m_ui->textEdit_Customize, &QTextEdit::clear);
    connect(m_ui->pushButton_cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->pushButton_down, &QPushButton::clicked, this, [this] { on_press_toggled(false); });
    connect(m_ui->pushButton_long, &QPushButton::clicked, this, [this] { on_press_toggled(true); });
    connect(m_ui->pushButton_setColor, &QPushButton::clicked, this, [this] { click_set_all_color(); });
    connect(m_ui->pushButton_setCH, &QPushButton::clicked, this, [this] { click_set_all_channel(); });
    connect(m_ui->pushButton_setData1, &QPushButton::clicked, this, [this] { click_set_all_data1(); });
}

CRZM7DLG::~CRZM7DLG()
{
    delete m_ui;
}

uchar CRZM7DLG::sysex_length(const SControlRecord *pRecord, uchar byKind)
{
    return pRecord ? sysexLength(*pRecord, byKind) : uchar(0);
}

bool CRZM7DLG::isFifthButton() const
{
    return m_kind == KindButton && m_index == kFifthButton;
}

bool CRZM7DLG::typeListWithoutMmc() const
{
    return m_kind == KindButton && (m_longSelected || isFifthButton());
}

uint CRZM7DLG::shownMode() const
{
    if (m_keptMode >= 0)
        return uint(m_keptMode);
    const int type = comboValue(m_ui->comboBox_type);
    return m_kind == KindButton ? keyModeFromIndex(type, typeListWithoutMmc()) : uint(type);
}

void CRZM7DLG::show_type(uint mode, bool withoutMmc)
{
    int index = m_kind == KindButton ? keyIndexFromMode(mode, withoutMmc) : int(mode);
    const bool listed = index >= 0 && index < m_ui->comboBox_type->count();
    if (!listed)
        index = 0;
    if (index == m_ui->comboBox_type->currentIndex()) {
        // No signal: set up the fields directly (mode 0 and index 0 mean the
        // same type everywhere).
        m_typeIsComboIndex = false;
        on_type_changed(m_kind == KindButton ? int(keyModeFromIndex(index, withoutMmc)) : index);
    } else {
        m_ui->comboBox_type->setCurrentIndex(index);
    }
    m_keptMode = listed ? -1 : int(mode);
}

SControlRecord *CRZM7DLG::editedRecord() const
{
    if (m_kind == KindPad)
        return &m_config->PadData[m_bank][m_index];
    if (m_kind == KindButton)
        return m_longSelected ? &m_config->KeyLongData[m_index] : &m_config->KeyData[m_index];
    return nullptr;
}

uchar *CRZM7DLG::sysexBuffer() const
{
    if (!m_sysex)
        return nullptr;
    if (m_kind == KindPad)
        return m_sysex->padSysex[m_bank][m_index];
    if (m_kind == KindButton)
        return m_longSelected ? m_sysex->keyLongSysex[m_index] : m_sysex->keySysex[m_index];
    return nullptr;
}

SColourGRB *CRZM7DLG::padColour() const
{
    return m_kind == KindPad ? &m_config->PadRGB[m_bank][m_index] : nullptr;
}

void CRZM7DLG::load_control()
{
    const QString title = m_kind == KindKnob ? tr("Setting Knob ")
                          : m_kind == KindPad ? tr("Setting Pad ")
                                              : tr("Setting Button ");
    setWindowTitle(title + QString::number(m_index + 1));

    m_ui->comboBox_type->clear();
    if (m_kind == KindKnob)
        m_ui->comboBox_type->addItems(m_knobTypes);
    else if (m_kind == KindPad)
        m_ui->comboBox_type->addItems(m_padTypes);
    else
        m_ui->comboBox_type->addItems(isFifthButton() ? m_keyTypesNoMmc : m_keyTypes);

    uchar ctrl = 0;
    uchar bytes[4] = {0, 0, 0, 0};
    if (m_kind == KindKnob) {
        const SKnobRecord &k = m_config->KnobData[m_bank][m_index];
        ctrl = k.ctrl;
        bytes[1] = k.data1;
        bytes[2] = k.minimum;
        bytes[3] = k.maximum;
    } else {
        if (m_kind == KindButton) {
            m_downCopy = m_config->KeyData[m_index];
            m_longCopy = m_config->KeyLongData[m_index];
        }
        const SControlRecord &r = *editedRecord();
        ctrl = r.ctrl;
        bytes[1] = r.data1;
        bytes[2] = r.value1;
        bytes[3] = r.value2;
    }

    const uint mode = ctrlbyte::mode(ctrl);
    show_type(mode, isFifthButton());

    m_ui->comboBox_channel->setCurrentIndex(ctrlbyte::channel(ctrl));

    if (m_kind == KindPad && mode == 3) {
        m_ui->comboBox_data1->setCurrentIndex(bytes[3]);
        m_ui->comboBox_data2->setCurrentIndex(bytes[1]);
        m_ui->comboBox_data3->setCurrentIndex(bytes[2]);
    } else {
        m_ui->comboBox_data1->setCurrentIndex(bytes[1]);
        m_ui->comboBox_data2->setCurrentIndex(bytes[2]);
        m_ui->comboBox_data3->setCurrentIndex(bytes[3]);
    }
    m_ui->pushButton_CH3->setChecked(ctrlbyte::flag(ctrl));
    if (m_kind == KindKnob)
        m_ui->comboBox_data4->setCurrentIndex(m_config->KnobData[m_bank][m_index].options);
}

void CRZM7DLG::on_type_changed(int iMode)
{
    if (iMode < 0) {
        m_typeIsComboIndex = true;
        return; // the list was cleared
    }
    Ui::CRZM7DLG &ui = *m_ui;
    ui.stackedWidget_2->setCurrentIndex(0);
    ui.label_speed->hide();
    ui.comboBox_data4->hide();
    ui.textEdit_Customize->hide();
    ui.pushButton_DelText->hide();
    ui.label_data1->setText(tr("Data1"));
    ui.label_data1->show();
    ui.comboBox_data1->show();
    ui.label_type->show();
    ui.comboBox_type->show();
    ui.pushButton_setData1->hide();

    on_channel_changed(ui.comboBox_channel->currentIndex());

    ui.stackedWidget->setCurrentIndex(isFifthButton() ? 0 : m_kind);

    if (m_kind == KindKnob) {
        ui.pushButton_setCH->setText(tr("To all\nknob"));
        ui.label_speed->show();
        ui.comboBox_data4->show();
        if (iMode == 1) {
            ui.label_data1->hide();
            ui.comboBox_data1->hide();
        }
        if (iMode == 2) {
            ui.label_data2->setText(tr("Left"));
            ui.label_data3->setText(tr("Right"));
        } else {
            ui.label_data2->setText(tr("Min"));
            ui.label_data3->setText(tr("Max"));
        }
    } else if (m_kind == KindPad) {
        ui.pushButton_setCH->setText(tr("To all\npad"));
        ui.pushButton_setData1->show();
        ui.label_color1->show();
        ui.pushButton_color->show();
        ui.label_data1->setText(tr("CC"));
        switch (iMode) {
        case 0:
            ui.label_data1->setText(tr("Note"));
            ui.label_data2->setText(tr("Min"));
            ui.label_data3->setText(tr("Max"));
            break;
        case 1:
            ui.label_data2->setText(tr("Value1"));
            ui.label_data3->setText(tr("Value2"));
            break;
        case 2:
            ui.label_data1->setText(tr("CC"));
            ui.label_data2->setText(tr("Down"));
            ui.label_data3->setText(tr("Up"));
            break;
        case 3:
            ui.pushButton_setData1->hide();
            ui.label_data1->setText(tr("Program"));
            ui.label_data2->setText(tr("Bank MSB"));
            ui.label_data3->setText(tr("Bank LSB"));
            ui.label_data3->show();
            ui.comboBox_data3->show();
            ui.label_data1->show();
            ui.comboBox_data1->show();
            break;
        case 4:
            show_customize_page();
            break;
        default:
            break;
        }
    } else {
        ui.pushButton_setCH->setText(tr("To all\nButton"));
        ui.label_data3->show();
        ui.comboBox_data3->show();
        ui.label_data1->setText(tr("CC"));
        uint mode = uint(iMode);
        if (m_typeIsComboIndex)
            mode = keyModeFromIndex(iMode, typeListWithoutMmc());
        switch (mode) {
        case 0:
            ui.label_data2->setText(tr("data2"));
            ui.label_data3->hide();
            ui.comboBox_data3->hide();
            break;
        case 1:
            ui.label_data2->setText(tr("Value1"));
            ui.label_data3->setText(tr("Value2"));
            break;
        case 2:
            ui.label_data2->setText(tr("Up"));
            ui.label_data3->setText(tr("Down"));
            break;
        case 3:
            ui.label_data1->setText(tr("Program"));
            ui.label_data2->setText(tr("Bank MSB"));
            ui.label_data3->setText(tr("Bank LSB"));
            break;
        case kKeyModeMmc:
        case kKeyModeNone:
            ui.stackedWidget_2->setCurrentIndex(2);
            break;
        case rz7::kKeySysexMode:
            ui.label_data3->hide();
            ui.comboBox_data3->hide();
            show_customize_page();
            break;
        default:
            break;
        }
    }
    m_typeIsComboIndex = true;
}

void CRZM7DLG::show_customize_page()
{
    Ui::CRZM7DLG &ui = *m_ui;
    ui.textEdit_Customize->clear();
    ui.textEdit_Customize->show();
    ui.stackedWidget_2->setCurrentIndex(1);
    ui.pushButton_DelText->show();
    if (m_kind == KindButton) {
        ui.label_data3->hide();
        ui.comboBox_data3->hide();
    }
    const SControlRecord *rec = editedRecord();
    const uchar *buffer = sysexBuffer();
    if (rec && buffer && rec->mode() == customizeMode(m_kind))
        ui.textEdit_Customize->setPlainText(sysexText(buffer, rec->value2));
}

void CRZM7DLG::on_channel_changed(int iChannel)
{
    const int type = m_ui->comboBox_type->currentIndex();
    if ((m_kind == KindPad || m_kind == KindButton) && type == 3) {
        fill_data1_list(iChannel == 9 || iChannel == 10 ? 0 : 1);
        m_nameListShown = true;
    } else if (m_kind == KindPad && type == 0) {
        fill_data1_list(3);
    } else if ((m_kind == KindPad && (type == 1 || type == 2))
               || (m_kind == KindButton && type >= 0 && type <= 2)) {
        fill_data1_list(2);
    } else if (m_nameListShown) {
        m_nameListShown = false;
        fill_data1_list(4);
    }
}

void CRZM7DLG::fill_data1_list(uchar byList)
{
    if (byList == m_data1List)
        return;
    TouchComboBox *combo = m_ui->comboBox_data1;
    combo->clear();
    m_data1List = byList;
    switch (byList) {
    case 0:
        combo->addItems(g_gmDrumNames);
        break;
    case 1:
        combo->addItems(g_gmProgramNames);
        break;
    case 2:
        combo->addItems(g_ccNames);
        break;
    case 3:
        combo->addItems(g_noteNames);
        break;
    default:
        combo->addItems(numberList());
        break;
    }
    if (m_kind == KindKnob)
        combo->setCurrentIndex(m_config->KnobData[m_bank][m_index].data1);
    else
        combo->setCurrentIndex(shownData1(*editedRecord(), m_kind));
}

void CRZM7DLG::store_press(SControlRecord *pCopy)
{
    const uint mode = shownMode();
    pCopy->ctrl = uchar((mode & 0x07) << 4 | (comboValue(m_ui->comboBox_channel) & 0x0F)
                        | (m_ui->pushButton_CH3->isChecked() ? 0x80 : 0x00));
    pCopy->data1 = fieldByte(m_ui->comboBox_data1, pCopy->data1);
    pCopy->value1 = fieldByte(m_ui->comboBox_data2, pCopy->value1);
    pCopy->value2 = fieldByte(m_ui->comboBox_data3, pCopy->value2);
}

void CRZM7DLG::on_press_toggled(bool bLong)
{
    m_ui->pushButton_down->setChecked(!bLong);
    m_ui->pushButton_long->setChecked(bLong);
    if (m_kind != KindButton || bLong == m_longSelected)
        return;

    store_press(bLong ? &m_downCopy : &m_longCopy);

    m_longSelected = bLong;
    {
        const QSignalBlocker blocker(m_ui->comboBox_type);
        m_ui->comboBox_type->clear();
        if (bLong)
            m_ui->comboBox_type->addItems({QStringLiteral("CC"), QStringLiteral("CC Toggle"),
                                           QStringLiteral("CC Momentary"), QStringLiteral("Program Change"),
                                           QStringLiteral("Customize"), QStringLiteral("None")});
        else
            m_ui->comboBox_type->addItems(m_keyTypes);
        m_ui->comboBox_type->setCurrentIndex(-1);
    }

    const SControlRecord &copy = bLong ? m_longCopy : m_downCopy;
    show_type(copy.mode(), bLong);
    m_ui->comboBox_channel->setCurrentIndex(copy.channel());
    m_ui->comboBox_data1->setCurrentIndex(copy.data1);
    m_ui->comboBox_data2->setCurrentIndex(copy.value1);
    m_ui->comboBox_data3->setCurrentIndex(copy.value2);
    // Each press keeps its own MCP flag.
    m_ui->pushButton_CH3->setChecked(copy.flag());
    m_typeIsComboIndex = false;
    on_type_changed(int(keyModeFromIndex(comboValue(m_ui->comboBox_type), bLong)));
}

void CRZM7DLG::show_colour(const SColourGRB *pColour)
{
    if (!pColour)
        return;
    m_ui->pushButton_color->setStyleSheet(
        QStringLiteral("QPushButton{background-color: rgb(%1, %2, %3); border-radius: 5px;"
                       "border: 3px solid rgb(239,183,162);}")
            .arg(pColour->r)
            .arg(pColour->g)
            .arg(pColour->b));
}

void CRZM7DLG::open_colour_picker()
{
    if (!padColour())
        return;
    pagekit::ColourChooserRoad::SRoad road;
    road.target = [this] { return padColour(); };
    road.changed = [this](bool restored) {
        const SColourGRB *colour = padColour();
        if (restored)
            m_ui->pushButton_color->setStyleSheet(
                QStringLiteral("background-color: rgb(%1, %2, %3); border-radius: 10px; "
                               "border: 3px solid rgba(255,255,255, 0.6);")
                    .arg(colour->r)
                    .arg(colour->g)
                    .arg(colour->b));
        else
            show_colour(colour);
        emit signals_change_rgb();
    };
    road.confirmed = [this] { emit signals_colour_confirmed(); };
    m_chooser->open(road);
}

bool CRZM7DLG::check_sysex_text(uchar byOldLength)
{
    SControlRecord *rec = editedRecord();
    uchar *buffer = sysexBuffer();
    if (!rec || !buffer)
        return false;
    // The room is counted from the records now: the count of the last packing
    // still holds the message of a control that has left Customize since.
    const uint inUse = poolBytesInUse(rz7::sysexPoolList(*m_config, *m_sysex), {});
    const SParsedText parsed =
        parseSysexText(m_ui->textEdit_Customize->toPlainText(), inUse, byOldLength, rz7::kPoolSize);
    switch (parsed.result) {
    case TextResult::TooLong:
        AutoDisapperMsgBox::showMessage(this, tr("Sysex data maximum length is 40"), kMessageMs);
        return false;
    case TextResult::PoolFull:
        AutoDisapperMsgBox::showMessage(
            this, tr("The SysEx data has reached its maximum capacity of %1 bytes.").arg(rz7::kPoolSize),
            kMessageMs);
        return false;
    case TextResult::Malformed:
        AutoDisapperMsgBox::showMessage(this, tr("The SysEx message format is err"), kMessageMs);
        return false;
    case TextResult::Accepted:
        break;
    }
    rec->value2 = uchar(parsed.length);
    std::memcpy(buffer, parsed.bytes, parsed.length);
    return true;
}

void CRZM7DLG::on_ok()
{
    SFields f;
    // A stored mode without a row stays, whatever the first type shows.
    f.mode = shownMode();
    f.channel = uint(comboValue(m_ui->comboBox_channel));
    f.flag = m_ui->pushButton_CH3->isChecked();
    f.d1 = fieldValue(m_ui->comboBox_data1);
    f.d2 = fieldValue(m_ui->comboBox_data2);
    f.d3 = fieldValue(m_ui->comboBox_data3);
    f.d4 = fieldValue(m_ui->comboBox_data4);
    const uchar flagBit = f.flag ? 0x80 : 0x00;

    uchar send = SendNothing;
    if (m_kind == KindKnob) {
        if (!storeKnob(m_config->KnobData[m_bank][m_index], f)) {
            AutoDisapperMsgBox::showMessage(
                this, tr("The maximum value and the minimum value cannot be equal."), kMessageMs);
            return;
        }
        send = SendKnobs;
    } else if (m_kind == KindPad) {
        SControlRecord &rec = m_config->PadData[m_bank][m_index];
        if (f.mode == rz7::kPadSysexMode) {
            if (!check_sysex_text(sysexLength(rec, KindPad)))
                return;
            rec.ctrl = uchar(rz7::kPadSysexMode << 4 | flagBit);
            send = SendPoolKeysPads;
        } else if (m_keptMode >= 0) {
            storeKey(rec, f); // the fields as shown, under the kept mode
            send = SendPads;
        } else {
            if (!storePad(rec, f)) {
                AutoDisapperMsgBox::showMessage(
                    this, tr("The maximum value and the minimum value cannot be equal."), kMessageMs);
                return;
            }
            send = SendPads;
        }
    } else {
        SControlRecord &rec = *editedRecord();
        if (f.mode == rz7::kKeySysexMode) {
            if (!check_sysex_text(sysexLength(rec, KindButton)))
                return;
            rec.ctrl = uchar(rz7::kKeySysexMode << 4 | flagBit);
            send = SendPoolPadsKeys;
        } else {
            SControlRecord &other = m_longSelected ? m_config->KeyData[m_index] : m_config->KeyLongData[m_index];
            const SControlRecord &otherCopy = m_longSelected ? m_downCopy : m_longCopy;
            // A Customize string is taken only through OK on its own press; an
            // unconfirmed switch of the other press to Customize has no checked
            // bytes behind it, so that record keeps what it holds.
            if (otherCopy.mode() != rz7::kKeySysexMode)
                other = otherCopy;
            storeKey(rec, f);
            send = SendKeys;
        }
    }

    const QPointer<CRZM7DLG> guard(this);
    emit signals_click_ok_send(send);
    if (guard)
        close();
}

void CRZM7DLG::click_set_all_color()
{
    showStyledQuestion(this, tr("Set All"), tr("Set all color?"), [this](int answer) {
        if (answer != ANSWER_YES)
            return;
        setAllPadColours(*m_config, uint(m_bank), uint(m_index));
        if (m_setAllColours)
            *m_setAllColours = 1;
        emit signals_change_rgb();
    });
}

void CRZM7DLG::click_set_all_channel()
{
    showStyledQuestion(this, tr("Set All"), tr("Set all channels?"), [this](int answer) {
        if (answer != ANSWER_YES)
            return;
        const SendKind send = setAllChannels(*m_config, m_kind, uint(m_bank), m_longSelected,
                                             uint(comboValue(m_ui->comboBox_channel)));
        emit signals_click_ok_send(send);
    });
}

void CRZM7DLG::click_set_all_data1()
{
    const QString word = m_ui->comboBox_type->currentIndex() == 0 ? QStringLiteral("Note") : QStringLiteral("CC");
    showStyledQuestion(this, tr("Set All"), tr("Set %1 according to the pad order?").arg(word),
                       [this](int answer) {
                           if (answer != ANSWER_YES)
                               return;
                           setAllData1ByPadOrder(*m_config, uint(m_bank), uint(m_index),
                                                 comboValue(m_ui->comboBox_data1));
                           emit signals_click_ok_send(SendPads);
                       });
}
