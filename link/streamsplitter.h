// Cuts a run of raw MIDI bytes into device frames, other SysEx messages and
// short messages. Pure code: the page base hands each piece to its page.
#pragma once

#include "deviceframe.h"

class MidiStreamSink
{
public:
    virtual ~MidiStreamSink() = default;
    virtual void onFrame(const uchar *frame, uint len) = 0;
    virtual void onSysEx(const uchar *msg, uint len) = 0;
    // status | data1 << 8 | data2 << 16; absent bytes are 0
    virtual void onShortMessage(uint message) = 0;
};

// Where a frame is unpacked: a buffer of fixed capacity and its fill.
struct FrameBuffer
{
    uchar *data;
    uint capacity;
    uint *length;
};

// Splits data[0..len). Returns the index at which the pass stopped: len when
// everything was consumed, otherwise the start of a message that the data cut
// off (an unterminated SysEx or an incomplete short message), so that a caller
// may carry those bytes over to the next call.
uint splitMidiStream(const uchar *data, uint len, FrameBuffer frame, MidiStreamSink &sink);
