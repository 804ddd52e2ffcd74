// A probe for watching a Qt widgets program from outside, loaded into it with
// LD_PRELOAD (Linux; the start-up test and the start-up benchmark use it). It
// does nothing unless the environment asks:
//   TAVRO_PROBE_BOXES=1         every message box that shows is written to
//                               standard output as one line
//                               "box <title>|<text>" (line breaks as "\n")
//                               and then answered with its default button;
//   TAVRO_PROBE_SHOWN_T0=<ns>   when the first top-level window has been put
//                               on screen and painted, "shown <ms>" is written
//                               (milliseconds since the CLOCK_REALTIME instant
//                               given in nanoseconds) and the program is asked
//                               to quit; before it, "app <ms>" tells when the
//                               application object was being created (so
//                               loading and linking are told apart from the
//                               program's own start).
// The program itself is not changed: the probe hooks in through Qt's start-up
// routines and an application-wide event filter.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>

namespace {

double msSince(long long t0)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return double(now.tv_sec * 1000000000LL + now.tv_nsec - t0) / 1e6;
}

class Probe : public QObject
{
public:
    explicit Probe(QObject *parent) : QObject(parent)
    {
        m_boxes = qEnvironmentVariableIntValue("TAVRO_PROBE_BOXES") == 1;
        m_t0 = qgetenv("TAVRO_PROBE_SHOWN_T0").toLongLong();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_boxes && event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched))
                answerLater(box);
        }
        if (m_t0 > 0 && !m_shown && event->type() == QEvent::Expose) {
            auto *window = qobject_cast<QWindow *>(watched);
            if (window && window->isTopLevel() && window->isVisible()) {
                m_shown = true;
                // Measured once the expose (and the paint it brings) is handled.
                QTimer::singleShot(0, qApp, [this] { reportShown(); });
            }
        }
        return false;
    }

private:
    void answerLater(QMessageBox *box)
    {
        QPointer<QMessageBox> guard(box);
        QTimer::singleShot(0, box, [guard] {
            if (!guard || !guard->isVisible())
                return;
            QString text = guard->windowTitle() + QLatin1Char('|') + guard->text();
            text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
            std::printf("box %s\n", text.toUtf8().constData());
            std::fflush(stdout);
            QAbstractButton *button = guard->defaultButton();
            if (!button && !guard->buttons().isEmpty())
                button = guard->buttons().first();
            if (button)
                button->click();
            else
                guard->done(0);
        });
    }

    void reportShown()
    {
        std::printf("shown %.2f\n", msSince(m_t0));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bool m_boxes = false;
    long long m_t0 = 0;
    bool m_shown = false;
};

void installProbe()
{
    if (qEnvironmentVariableIsEmpty("TAVRO_PROBE_BOXES") && qEnvironmentVariableIsEmpty("TAVRO_PROBE_SHOWN_T0"))
        return;
    const long long t0 = qgetenv("TAVRO_PROBE_SHOWN_T0").toLongLong();
    if (t0 > 0)
        std::printf("app %.2f\n", msSince(t0));
    qApp->installEventFilter(new Probe(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
