#include "cdlgrzchild.h"
#include "ui_cdlgrzchild.h"

#include <QDebug>

#include "autodisappermsgbox.h"
#include "devices/shared/closeroad.h"
#include "devices/shared/colourchooser.h"
#include "devices/shared/controlrules.h"
#include "dialogs.h"
#include "midinames.h"

using namespace rznano;

namespace {

// What comboBox_data1 lists.
enum Data1List : int {
    DrumNames = 0,
    ProgramNames = 1,
    ControllerNames = 2,
    NoteNames = 3,
    Numbers = 4,
};

QStringList numbers()
{
    QStringList out;
    for (int i = 0; i < 128; ++i)
        out << QString::number(i);
    return out;
}

} // namespace

CDlgRzChild::CDlgRzChild(SRznanoConfigData *config_, quint32 kind_, quint32 index_, quint32 bank_,
                         SRznanoSysexWork *sysexWork_, quint8 *setAllFlag_, QWidget *parent)
    : QDialog(parent), config(config_), kind(kind_), index(index_), bank(bank_ < kPadBanks ? bank_ : 0),
      sysexWork(sysexWork_), setAllFlag(setAllFlag_)
{
    padModeList = QStringList{"Note", "CC Toggle", "CC Momentary", "Program Change", "Customize"};
    keyModeList = QStringList{"CC", "CC Toggle", "CC Momentary", "Program Change", "MMC", "Customize"};
    keyLongModeList = QStringList{"CC", "CC Toggle", "CC Momentary", "Program Change", "Customize", "None"};
    if (index >= (isPad() ? kPadsPerBank : kKeys))
        index = 0;
    ui = new Ui_CDlgRzChild;
    ui->setupUi(this);
    // Return in a list must not click OK, Cancel or the colour chooser.
    clearDefaultButtons(this);
    colourChooser = new pagekit::ColourChooserRoad(this);
    init_ui();
    init_connect();
}

CDlgRzChild::~CDlgRzChild()
{
    delete ui;
}

void CDlgRzChild::init_ui()
{
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    QFont font = ui->textEdit_Customize->font();
    font.setPointSize(15);
    ui->textEdit_Customize->setFont(font);
    ui->label_color1->hide();
    ui->pushButton_color->hide();
    ui->textEdit_Customize->hide();
    ui->comboBox_type->clear();
    for (QPushButton *b : {ui->pushButton_down, ui->pushButton_long, ui->pushButton_CH3})
        b->setCheckable(true);
    if (!isPad()) {
        ui->pushButton_down->setChecked(true);
        longPage = false;
    }
}

void CDlgRzChild::init_connect()
{
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);
    connect(ui->comboBox_type, indexChanged, this, &CDlgRzChild::type_changed);
    // Picking the first type again is a choice too.
    connect(ui->comboBox_type, QOverload<int>::of(&QComboBox::activated), this, [this] { keptMode = -1; });
    connect(ui->comboBox_channel, indexChanged, this, &CDlgRzChild::channel_changed);
    connect(ui->pushButton_color, &QPushButton::clicked, this, &CDlgRzChild::click_color);
    connect(ui->pushButton_ok, &QPushButton::clicked, this, &CDlgRzChild::click_ok);
    connect(ui->pushButton_DelText, &QPushButton::clicked, ui->textEdit_Customize, &QTextEdit::clear);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->pushButton_down, &QPushButton::clicked, this, &CDlgRzChild::click_down_long);
    connect(ui->pushButton_long, &QPushButton::clicked, this, &CDlgRzChild::click_down_long);
    connect(ui->pushButton_setColor, &QPushButton::clicked, this, &CDlgRzChild::click_set_all_color);
    connect(ui->pushButton_setCH, &QPushButton::clicked, this, &CDlgRzChild::click_set_all_channel);
    connect(ui->pushButton_setData1, &QPushButton::clicked, this, &CDlgRzChild::click_set_all_data1);
}

SControlRecord &CDlgRzChild::storedRecord() const
{
    if (isPad())
        return config->PadData[bank][index];
    return longPage ? config->KeyLongData[index] : config->KeyData[index];
}

uchar *CDlgRzChild::workingCopy() const
{
    if (isPad())
        return sysexWork->padSysex[bank][index];
    return longPage ? sysexWork->keyLongSysex[index] : sysexWork->keySysex[index];
}

uint CDlgRzChild::shownMode() const
{
    if (keptMode >= 0)
        return uint(keptMode);
    const int item = ui->comboBox_type->currentIndex();
    if (isPad())
        return item < 0 ? 0 : uint(item);
    return pagekit::keyModeFromIndex(item, longPage);
}

// ---- loading -------------------------------------------------------------------

void CDlgRzChild::load_control()
{
    setWindowTitle((isPad() ? tr("Setting Pad ") : tr("Setting Button ")) + QString::number(index + 1));
    ui->comboBox_type->addItems(isPad() ? padModeList : keyModeList);
    if (!isPad()) {
        savedKeyRecord = config->KeyData[index];
        savedKeyLongRecord = config->KeyLongData[index];
    }
    const SControlRecord rec = storedRecord();
    show_record(rec);
}

// Selects the record's mode, channel, values and flag. A mode without a row
// shows the first type and is kept until the user picks one; a value above
// 127 shows no row.
void CDlgRzChild::show_record(const SControlRecord &rec)
{
    int item = isPad() ? int(rec.mode()) : pagekit::keyIndexFromMode(rec.mode(), longPage);
    const bool listed = item >= 0 && item < ui->comboBox_type->count();
    if (!listed)
        item = 0;
    if (ui->comboBox_type->currentIndex() == item)
        type_changed(item);
    else
        ui->comboBox_type->setCurrentIndex(item);
    keptMode = listed ? -1 : int(rec.mode());
    ui->comboBox_channel->setCurrentIndex(rec.channel());
    const bool programLast = isPad() && rec.mode() == 3;
    ui->comboBox_data1->setCurrentIndex(valueRow(programLast ? rec.value2 : rec.data1));
    ui->comboBox_data2->setCurrentIndex(valueRow(programLast ? rec.data1 : rec.value1));
    ui->comboBox_data3->setCurrentIndex(valueRow(programLast ? rec.value1 : rec.value2));
    ui->pushButton_CH3->setChecked(rec.flag());
}

void CDlgRzChild::set_color_button(const SColourGRB *colour)
{
    if (!colour)
        return;
    ui->pushButton_color->setStyleSheet(
        QStringLiteral("QPushButton{background-color: rgb(%1, %2, %3); border-radius: 5px;"
                       "border: 3px solid rgb(239,183,162);}")
            .arg(colour->r)
            .arg(colour->g)
            .arg(colour->b));
}

// ---- layout ----------------------------------------------------------------------

void CDlgRzChild::type_changed(int item)
{
    keptMode = -1;
    if (isPad())
        show_layout(item < 0 ? 0 : uint(item));
    else
        show_layout(pagekit::keyModeFromIndex(item, longPage));
}

void CDlgRzChild::show_layout(uint mode)
{
    ui->stackedWidget_2->setCurrentIndex(0);
    ui->label_speed->hide();
    ui->comboBox_data4->hide();
    ui->textEdit_Customize->hide();
    ui->pushButton_DelText->hide();
    ui->label_data1->show();
    ui->comboBox_data1->show();
    ui->label_type->show();
    ui->comboBox_type->show();
    ui->pushButton_setData1->hide();
    channel_changed(ui->comboBox_channel->currentIndex());
    ui->stackedWidget->setCurrentIndex(int(kind) - 1);

    auto showCustomize = [this](uint customMode) {
        ui->textEdit_Customize->clear();
        ui->textEdit_Customize->show();
        ui->stackedWidget_2->setCurrentIndex(1);
        ui->pushButton_DelText->show();
        fill_text_field(storedRecord(), customMode, workingCopy());
    };
    auto labels = [this](const QString &d1, const QString &d2, const QString &d3) {
        if (!d1.isNull())
            ui->label_data1->setText(d1);
        ui->label_data2->setText(d2);
        if (!d3.isNull())
            ui->label_data3->setText(d3);
    };

    if (isPad()) {
        ui->pushButton_setCH->setText(tr("To all\npad"));
        ui->pushButton_setData1->show();
        ui->label_color1->show();
        ui->pushButton_color->show();
        ui->label_data1->setText(tr("CC"));
        switch (mode) {
        case 0:
            labels(tr("Note"), tr("Min"), tr("Max"));
            break;
        case 1:
            labels(QString(), tr("Value1"), tr("Value2"));
            break;
        case 2:
            labels(tr("CC"), tr("Down"), tr("Up"));
            break;
        case 3:
            labels(tr("Program"), tr("Bank MSB"), tr("Bank LSB"));
            ui->pushButton_setData1->hide();
            for (QWidget *w : {static_cast<QWidget *>(ui->label_data3), static_cast<QWidget *>(ui->comboBox_data3),
                               static_cast<QWidget *>(ui->label_data1), static_cast<QWidget *>(ui->comboBox_data1)})
                w->show();
            break;
        case kPadCustomMode:
            showCustomize(kPadCustomMode);
            break;
        default:
            break;
        }
        return;
    }

    ui->pushButton_setCH->setText(tr("To all\nButton"));
    ui->label_data3->show();
    ui->comboBox_data3->show();
    ui->label_data1->setText(tr("CC"));
    switch (mode) {
    case 0:
        labels(QString(), tr("data2"), QString());
        ui->label_data3->hide();
        ui->comboBox_data3->hide();
        break;
    case 1:
        labels(QString(), tr("Value1"), tr("Value2"));
        break;
    case 2:
        labels(QString(), tr("Up"), tr("Down"));
        break;
    case 3:
        labels(tr("Program"), tr("Bank MSB"), tr("Bank LSB"));
        break;
    case pagekit::kKeyModeMmc:
    case pagekit::kKeyModeNone:
        ui->stackedWidget_2->setCurrentIndex(2);
        break;
    case kKeyCustomMode:
        ui->label_data3->hide();
        ui->comboBox_data3->hide();
        showCustomize(kKeyCustomMode);
        break;
    default:
        break;
    }
}

void CDlgRzChild::fill_text_field(const SControlRecord &stored, uint customMode, const uchar *buffer)
{
    if (stored.mode() != customMode)
        return;
    ui->textEdit_Customize->setPlainText(pagekit::sysexText(buffer, stored.value2, kSysexMax));
}

void CDlgRzChild::channel_changed(int channel)
{
    const int t = ui->comboBox_type->currentIndex();
    int listKind = -1;
    if (t == 3) {
        listKind = (channel == 9 || channel == 10) ? DrumNames : ProgramNames;
        namedListShown = true;
    } else if (!isPad() && t >= 0 && t <= 2) {
        listKind = ControllerNames;
    } else if (isPad() && (t == 1 || t == 2)) {
        listKind = ControllerNames;
    } else if (isPad() && t == 0) {
        listKind = NoteNames;
    } else if (namedListShown) {
        namedListShown = false;
        listKind = Numbers;
    }
    if (listKind >= 0)
        fill_data1_list(listKind);
}

void CDlgRzChild::fill_data1_list(int listKind)
{
    if (listKind == data1ListKind)
        return;
    ui->comboBox_data1->clear();
    data1ListKind = listKind;
    switch (listKind) {
    case DrumNames:
        ui->comboBox_data1->addItems(g_gmDrumNames);
        break;
    case ProgramNames:
        ui->comboBox_data1->addItems(g_gmProgramNames);
        break;
    case ControllerNames:
        ui->comboBox_data1->addItems(g_ccNames);
        break;
    case NoteNames:
        ui->comboBox_data1->addItems(g_noteNames);
        break;
    default:
        ui->comboBox_data1->addItems(numbers());
        break;
    }
    uchar data1;
    if (isPad()) {
        const SControlRecord &rec = config->PadData[bank][index];
        data1 = rec.mode() == 3 ? rec.value2 : rec.data1;
    } else {
        data1 = (longPage ? config->KeyLongData[index] : config->KeyData[index]).data1;
    }
    ui->comboBox_data1->setCurrentIndex(valueRow(data1));
}

// ---- the two presses of a button ---------------------------------------------------

pagekit::SFields CDlgRzChild::shown_fields() const
{
    auto field = [](const QComboBox *box) { return box->currentIndex() < 0 ? pagekit::kKeep : box->currentIndex(); };
    pagekit::SFields f;
    f.mode = shownMode();
    f.channel = uint(qMax(0, ui->comboBox_channel->currentIndex()));
    // The MCP flag belongs to the record it was set on.
    f.flag = ui->pushButton_CH3->isChecked();
    f.d1 = field(ui->comboBox_data1);
    f.d2 = field(ui->comboBox_data2);
    f.d3 = field(ui->comboBox_data3);
    return f;
}

SControlRecord CDlgRzChild::capture_key_record(const SControlRecord &left) const
{
    SControlRecord rec = left;
    pagekit::storeKey(rec, shown_fields());
    return rec;
}

void CDlgRzChild::click_down_long()
{
    const bool toLong = sender() == ui->pushButton_long;
    ui->pushButton_down->setChecked(!toLong);
    ui->pushButton_long->setChecked(toLong);
    if (isPad() || toLong == longPage)
        return;
    // The press being left keeps its fields until OK.
    if (toLong)
        savedKeyRecord = capture_key_record(savedKeyRecord);
    else
        savedKeyLongRecord = capture_key_record(savedKeyLongRecord);
    longPage = toLong;
    ui->comboBox_type->clear();
    ui->comboBox_type->addItems(longPage ? keyLongModeList : keyModeList);
    show_record(longPage ? savedKeyLongRecord : savedKeyRecord);
}

// ---- OK -----------------------------------------------------------------------------

bool CDlgRzChild::save_sysex_text(quint8 oldLength)
{
    // The room is counted from the records now: the count of the last packing
    // still holds the message of a control that has left Customize since.
    const uint inUse = pagekit::poolBytesInUse(poolList(*config, *sysexWork), {});
    const pagekit::SParsedText parsed =
        pagekit::parseSysexText(ui->textEdit_Customize->toPlainText(), inUse, oldLength, kPoolSize, kSysexMax);
    switch (parsed.result) {
    case pagekit::TextResult::TooLong:
        AutoDisapperMsgBox::showMessage(this, tr("Sysex data maximum length is 40"), 1200);
        return false;
    case pagekit::TextResult::PoolFull:
        AutoDisapperMsgBox::showMessage(
            this, tr("The SysEx data has reached its maximum capacity of %1 bytes.").arg(kPoolSize), 1200);
        return false;
    case pagekit::TextResult::Malformed:
        AutoDisapperMsgBox::showMessage(this, tr("The SysEx message format is err"), 1200);
        return false;
    case pagekit::TextResult::Accepted:
        break;
    }
    storedRecord().value2 = uchar(parsed.length);
    std::copy(parsed.bytes, parsed.bytes + parsed.length, workingCopy());
    return true;
}

void CDlgRzChild::click_ok()
{
    const uint mode = shownMode();
    SControlRecord &rec = storedRecord();
    const uint customMode = isPad() ? kPadCustomMode : kKeyCustomMode;
    if (mode == customMode) {
        const quint8 oldLength = rec.mode() == customMode ? rec.value2 : 0;
        if (!save_sysex_text(oldLength))
            return;
        rec.ctrl = uchar((ui->pushButton_CH3->isChecked() ? 0x80 : 0) | (customMode << 4));
        emit signals_click_ok_send(isPad() ? 5 : 4);
        close();
        return;
    }

    const pagekit::SFields f = shown_fields();
    if (isPad()) {
        // A mode the list has no row for is kept, with the fields as shown.
        if (keptMode >= 0)
            pagekit::storeKey(rec, f);
        else if (!pagekit::storePad(rec, f)) {
            AutoDisapperMsgBox::showMessage(this, tr("The maximum value and the minimum value cannot be equal."), 1200);
            return;
        }
        emit signals_click_ok_send(3);
        close();
        return;
    }
    // The other press keeps its stored record when its copy is in the
    // Customize mode: that message was never confirmed.
    const SControlRecord &other = longPage ? savedKeyRecord : savedKeyLongRecord;
    if (other.mode() != kKeyCustomMode)
        (longPage ? config->KeyData[index] : config->KeyLongData[index]) = other;
    pagekit::storeKey(rec, f);
    emit signals_click_ok_send(2);
    close();
}

// ---- colour and the set-all questions ---------------------------------------------------

void CDlgRzChild::click_color()
{
    if (!isPad())
        return;
    pagekit::ColourChooserRoad::SRoad road;
    road.target = [this] { return &config->PadRGB[bank][index]; };
    road.changed = [this](bool restored) {
        const SColourGRB &c = config->PadRGB[bank][index];
        if (restored) {
            ui->pushButton_color->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3); border-radius: 10px; "
                                                               "border: 3px solid rgba(255,255,255, 0.6);")
                                                    .arg(c.r)
                                                    .arg(c.g)
                                                    .arg(c.b));
        } else {
            set_color_button(&c);
        }
        emit signals_change_rgb();
    };
    road.confirmed = [this] { emit signals_colour_confirmed(); };
    colourChooser->open(road);
}

void CDlgRzChild::click_set_all_color()
{
    showStyledQuestion(this, tr("Set All"), tr("Set all color?"), [this](int answer) {
        if (answer != ANSWER_YES || !isPad())
            return;
        pagekit::setAllPadColours(config->PadRGB[bank], kPadsPerBank, index);
        *setAllFlag = 1;
        emit signals_change_rgb();
    });
}

void CDlgRzChild::click_set_all_channel()
{
    showStyledQuestion(this, tr("Set All"), tr("Set all channels?"), [this](int answer) {
        if (answer != ANSWER_YES)
            return;
        const uint channel = uint(qMax(0, ui->comboBox_channel->currentIndex()));
        if (isPad()) {
            pagekit::setAllChannels(config->PadData[bank], kPadsPerBank, channel, kPadCustomMode);
            emit signals_click_ok_send(3);
        } else {
            pagekit::setAllChannels(longPage ? config->KeyLongData : config->KeyData, kKeys, channel, kKeyCustomMode);
            emit signals_click_ok_send(2);
        }
    });
}

void CDlgRzChild::click_set_all_data1()
{
    const QString word = ui->comboBox_type->currentIndex() == 0 ? QStringLiteral("Note") : QStringLiteral("CC");
    showStyledQuestion(this, tr("Set All"), tr("Set %1 according to the pad order?").arg(word), [this](int answer) {
        if (answer != ANSWER_YES || !isPad())
            return;
        pagekit::setAllData1ByPadOrder(config->PadData[bank], kPadsPerBank, index,
                                       qMax(0, ui->comboBox_data1->currentIndex()), pagekit::kPadOrderSkipModes);
        emit signals_click_ok_send(3);
    });
}
