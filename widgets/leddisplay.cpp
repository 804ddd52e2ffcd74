#include "leddisplay.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QString LedDisplay::kCharacters = QStringLiteral("ABCDEF-89T012345");
const QChar LedDisplay::kEmptyChar = QLatin1Char('_');

namespace {

const char kPositionProperty[] = "positionIndex";
const char kGridProperty[] = "gridIndex";
const int kGridColumns = 5;

const char kTileBase[] = "QLabel { border-radius: 10px; font-weight: bold; font-size: 30pt; }";
const char kTileSelected[] = "QLabel { background: #ffec99; border: 3px solid #fcc419; color: #e67700; }";
const char kTileEmpty[] = "QLabel { background: #f8f9fa; border: 2px solid #dee2e6; color: #495057; }";
const char kTileSet[] = "QLabel { background: #d3f9d8; border: 2px solid #51cf66; color: #2b8c3e; }";

} // namespace

LedDisplay::LedDisplay(int positions, const QVector<int> &data, QWidget *parent)
    : QWidget(parent, Qt::Popup)
    , m_positionCount(qMax(positions, 0))
    , m_codes(m_positionCount, -1)
    , m_dots(m_positionCount, false)
{
    setMinimumSize(400, 500);
    setStyleSheet(QStringLiteral("background-color: white; border: 1px solid #cccccc; border-radius: 10px;"));
    buildUi();
    for (int i = 0; i < m_positionCount && i < data.size(); ++i) {
        m_codes[i] = data[i] & 0xFF;
        m_dots[i] = (data[i] & kDotBit) != 0;
        m_positionLabels[i]->setText(characterFor(m_codes[i]));
        m_dotButtons[i]->setChecked(m_dots[i]);
        updatePositionStyle(i, false);
    }
}

QChar LedDisplay::characterFor(int code)
{
    if (code >= 0 && code < kCharacters.size())
        return kCharacters.at(code);
    return kEmptyChar;
}

void LedDisplay::buildUi()
{
    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(15);

    auto *row = new QHBoxLayout;
    for (int i = 0; i < m_positionCount; ++i) {
        auto *tile = new QLabel(QString(kEmptyChar), this);
        tile->setAlignment(Qt::AlignCenter);
        tile->setMinimumSize(80, 80);
        tile->setProperty(kPositionProperty, i);
        tile->installEventFilter(this);

        auto *dotButton = new QPushButton(this);
        dotButton->setFixedSize(20, 20);
        dotButton->setCheckable(true);
        dotButton->setStyleSheet(QStringLiteral(
            "QPushButton { background: #ced4da; border: none; border-radius: 10px; } "
            "QPushButton:checked { background: #40c057; }"));
        connect(dotButton, &QPushButton::clicked, this, [this, i] { onDotClicked(i); });

        m_positionLabels.append(tile);
        m_dotButtons.append(dotButton);
        row->addWidget(tile);
        row->addWidget(dotButton);
        if (i + 1 < m_positionCount)
            row->addStretch();
    }
    column->addLayout(row);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setStyleSheet(QStringLiteral("color: #eeeeee;"));
    column->addWidget(line);

    auto *grid = new QGridLayout;
    grid->setSpacing(10);
    for (int i = 0; i < kCharacters.size(); ++i) {
        auto *key = new QLabel(QString(kCharacters.at(i)), this);
        key->setAlignment(Qt::AlignCenter);
        key->setFixedSize(60, 60);
        key->setProperty(kGridProperty, i);
        key->installEventFilter(this);
        key->setStyleSheet(QStringLiteral(
            "QLabel { background: #e7f5ff; border: 2px solid #74c0fc; border-radius: 8px; "
            "color: #1c7ed6; font-size: 24pt; font-weight: bold; } QLabel:hover { background: #d0ebff; }"));
        grid->addWidget(key, i / kGridColumns, i % kGridColumns);
    }
    column->addLayout(grid);
    column->addStretch();
}

QString LedDisplay::text() const
{
    QString result;
    for (int i = 0; i < m_positionCount; ++i) {
        result += characterFor(m_codes[i]);
        result += m_dots[i] ? QLatin1Char('.') : QLatin1Char(' ');
    }
    return result;
}

void LedDisplay::updatePositionStyle(int position, bool selected)
{
    if (position < 0 || position >= m_positionCount)
        return;
    const char *look = selected ? kTileSelected : (m_codes[position] < 0 ? kTileEmpty : kTileSet);
    m_positionLabels[position]->setStyleSheet(QString::fromLatin1(kTileBase) + QString::fromLatin1(look));
}

bool LedDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (auto *label = qobject_cast<QLabel *>(watched)) {
            const QVariant position = label->property(kPositionProperty);
            if (position.isValid()) {
                onPositionClicked(position.toInt());
                return true;
            }
            const QVariant gridIndex = label->property(kGridProperty);
            if (gridIndex.isValid()) {
                onCharacterClicked(gridIndex.toInt());
                return true;
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void LedDisplay::closeEvent(QCloseEvent *event)
{
    emit closed();
    QWidget::closeEvent(event);
}

void LedDisplay::onPositionClicked(int index)
{
    if (m_currentPosition >= 0)
        updatePositionStyle(m_currentPosition, false);
    if (index == m_currentPosition) {
        m_currentPosition = -1;
        return;
    }
    m_currentPosition = index;
    if (m_currentPosition != -1)
        updatePositionStyle(m_currentPosition, true);
}

void LedDisplay::onCharacterClicked(int gridIndex)
{
    if (m_currentPosition < 0 || m_currentPosition >= m_positionCount)
        return;
    m_codes[m_currentPosition] = gridIndex;
    m_positionLabels[m_currentPosition]->setText(characterFor(gridIndex));
    updatePositionStyle(m_currentPosition, true);
    emit dataChanged();
}

void LedDisplay::onDotClicked(int posIndex)
{
    if (posIndex < 0 || posIndex >= m_positionCount)
        return;
    m_dots[posIndex] = m_dotButtons[posIndex]->isChecked();
    emit dataChanged();
}
