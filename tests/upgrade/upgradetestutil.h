// Shared pieces of the upgrade tests: simulated drive letters for the
// upgrade-library stand-in, image files, an owner that records what the
// upgrade dialog hands it, and a catcher for the modal boxes the dialog opens.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QVector>

#include <functional>
#include <string>
#include <vector>

#include "cbasedlg.h"
#include "ceventbase.h"
#include "globals.h"
#include "ufwimage.h"
#include "vendorlib/standin.h"

namespace upgradetest {

// Points the stand-in library at the built one and sets up the translator
// the dialogs load their texts into (English).
inline void useStandInLibrary()
{
    qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB));
    if (!g_translator)
        g_translator = new QTranslator(qApp);
    g_language = 0;
}

inline QByteArray imageBytes(const std::string &pid, const std::string &vid, uint32_t version,
                             size_t payloadSize = 3000)
{
    std::vector<uint8_t> payload(payloadSize);
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = uint8_t(i * 13 + 1);
    const std::vector<uint8_t> image = ufw::buildImage(pid, vid, version, payload);
    return QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size()));
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Drive letters of the stand-in under a fresh temporary folder.
class Drives
{
public:
    Drives() { qputenv(standin::kDrivesEnv, m_root.path().toLocal8Bit()); }

    QString root() const { return m_root.path(); }
    QString folder(char letter) const { return m_root.path() + QLatin1Char('/') + QLatin1Char(letter); }

    // A device in upgrade mode at letter; extra lines go into its description.
    void addDevice(char letter, const QString &pid, const QString &vid,
                   const QStringList &extra = QStringList(),
                   const QString &desc = QString::fromLatin1(standin::kDefaultChipName) + QStringLiteral(" UDISK"))
    {
        QStringList lines{QStringLiteral("desc=") + desc, QStringLiteral("pid=") + pid,
                          QStringLiteral("vid=") + vid};
        lines += extra;
        writeBytes(folder(letter) + QLatin1Char('/') + QLatin1String(standin::kDescriptionFile),
                   lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    void removeDevice(char letter) { QDir(folder(letter)).removeRecursively(); }

    QByteArray installedImage(char letter) const
    {
        QFile file(folder(letter) + QLatin1Char('/') + QLatin1String(standin::kInstalledImageFile));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The library calls so far, one "name args... result" line each.
    QStringList calls() const
    {
        QFile file(m_root.path() + QLatin1Char('/') + QLatin1String(standin::kCallLogFile));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    // Only the function names, in order.
    QStringList callNames() const
    {
        QStringList names;
        for (const QString &line : calls())
            names << line.section(QLatin1Char(' '), 0, 0);
        return names;
    }
    // Adds a line of the test's own to the call log (to see frames in order).
    void note(const QString &line) const
    {
        QFile file(m_root.path() + QLatin1Char('/') + QLatin1String(standin::kCallLogFile));
        if (file.open(QIODevice::Append))
            file.write(line.toUtf8() + '\n');
    }
    void clearCalls() const
    {
        QFile::remove(m_root.path() + QLatin1Char('/') + QLatin1String(standin::kCallLogFile));
    }

private:
    QTemporaryDir m_root;
};

// Owner of an upgrade dialog: records the frames it is asked to send, its
// hand-backs and the page-closed events; optionally passes frames on.
class RecordingOwner : public CBaseDlg
{
public:
    RecordingOwner() : CBaseDlg(nullptr, nullptr) {}

    void Slots_recv_frame(const uchar *, uint) override {}
    void Slots_recv_sysex(const uchar *, uint) override {}
    void Slots_recv_midi(uint) override {}
    bool Slots_send_data(const uchar *frame, int len) override
    {
        m_sent.append(QByteArray(reinterpret_cast<const char *>(frame), len));
        return m_forward ? m_forward(frame, len) : true;
    }
    bool Slots_back_to_connect() override
    {
        ++m_backs;
        return true;
    }

    std::function<bool(const uchar *, int)> m_forward;
    QVector<QByteArray> m_sent;
    int m_backs = 0;
    int m_closedEvents = 0;

protected:
    void customEvent(QEvent *event) override
    {
        if (event->type() == EVENT_PAGE_CLOSED)
            ++m_closedEvents;
    }
};

// Answers every QMessageBox that shows up (modal or not) with a button and
// keeps the titles and texts it saw.
class BoxCatcher : public QObject
{
public:
    explicit BoxCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok) : m_answer(answer)
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }

    QStringList titles;
    QStringList texts;

private:
    void poll()
    {
        const auto widgets = QApplication::topLevelWidgets();
        for (QWidget *w : widgets) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box || !box->isVisible() || m_seen.contains(box))
                continue;
            m_seen.append(box);
            titles << box->windowTitle();
            texts << box->text();
            QAbstractButton *button = box->button(m_answer);
            if (!button)
                button = box->buttons().value(0);
            if (button)
                button->click();
        }
    }

    QTimer m_timer;
    QMessageBox::StandardButton m_answer;
    QVector<QPointer<QMessageBox>> m_seen;
};

} // namespace upgradetest
