// The two tones of the self-tests: 400 Hz (low) and 800 Hz (high), 150 ms
// each, from the "audio" folder beside the executable. A request stops the
// tone and plays it from its beginning, but only when its sound effect is
// Ready: without a sound server an effect stays Loading (while isPlaying()
// still turns true), and a missing file ends in Error. Every request is kept
// with what became of it, and one that is not played is reported once on the
// warning output.
//
// The effects of a folder are made once and kept for the whole run, shared
// by every tones object on that folder: destroying a sound effect can block
// the GUI thread on Qt's sample loading thread, for good when a sample was
// asked for while that thread was stopping, so a closed self-test window
// never destroys one.
#pragma once

#include <QObject>
#include <QString>
#include <QVector>

class QSoundEffect;

class SelfTestTones : public QObject
{
    Q_OBJECT
public:
    static const char *const kLowFile;  // "400Hz150ms.wav"
    static const char *const kHighFile; // "800Hz150ms.wav"

    explicit SelfTestTones(QObject *parent = nullptr);

    // Takes both effects on the folder's files at volume 1.0, made on the
    // first call for that folder. False, and no effects, when the folder does
    // not exist; missing files are not looked for (their effects end in Error
    // and stay silent).
    bool load(const QString &folder);
    bool loaded() const { return m_low != nullptr; }

    void play(bool high);

    struct Request
    {
        bool high = false;
        bool played = false;
        QString reason; // why it was not played; empty when played
    };
    // The latest requests, oldest first (at most kKeptRequests).
    static constexpr int kKeptRequests = 256;
    const QVector<Request> &requests() const { return m_requests; }

    // Null before load() and when the folder was missing.
    QSoundEffect *effect(bool high) const { return high ? m_high : m_low; }

private:
    QSoundEffect *m_low = nullptr;
    QSoundEffect *m_high = nullptr;
    QVector<Request> m_requests;
};
