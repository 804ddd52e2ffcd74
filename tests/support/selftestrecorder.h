// Stands where a self-test page stands for its step machine: records every
// frame and tone request, and answers sends with a settable result.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "selftest/selftestoutput.h"

namespace tavrotest {

class SelfTestRecorder : public SelfTestOutput
{
public:
    bool sendFrame(const uchar *frame, uint len) override
    {
        frames << QByteArray(reinterpret_cast<const char *>(frame), int(len));
        return sendResult;
    }
    void playTone(bool high) override { tones << (high ? QStringLiteral("high") : QStringLiteral("low")); }

    // Frames as upper-case hex, blank-separated; taken() empties the record.
    QStringList hexFrames() const
    {
        QStringList out;
        for (const QByteArray &f : frames)
            out << QString::fromLatin1(f.toHex(' ').toUpper());
        return out;
    }
    QStringList takeFrames()
    {
        const QStringList out = hexFrames();
        frames.clear();
        return out;
    }
    QStringList takeTones()
    {
        const QStringList out = tones;
        tones.clear();
        return out;
    }

    QList<QByteArray> frames;
    QStringList tones;
    bool sendResult = true;
};

} // namespace tavrotest
