// Base of the connection window and of every device page: an owner, the
// receive and send operations, and the splitter that turns raw MIDI bytes
// into device frames, SysEx messages and short messages.
#pragma once

#include <QDialog>

#include "deviceframe.h"
#include "streamsplitter.h"

class CBaseDlg : public QDialog, private MidiStreamSink
{
public:
    // Capacity of m_frameBuf: the longest frame any page receives.
    static constexpr uint kFrameBufSize = SDeviceFrame::kMaxReceivedFrame;

    CBaseDlg(CBaseDlg *owner, QWidget *parent);
    ~CBaseDlg() override = default;

    // The stream splitter. Returns the index at which the pass stopped (see
    // splitMidiStream); the bytes from there on were cut off by the end of data.
    virtual uint Slots_recv_data(const uchar *data, uint len);
    virtual void Slots_recv_frame(const uchar *frame, uint len) = 0;
    virtual void Slots_recv_sysex(const uchar *msg, uint len) = 0;
    virtual void Slots_recv_midi(uint message) = 0;
    virtual bool Slots_send_data(const uchar *frame, int len);
    virtual void Slots_change_language() {}
    virtual bool Slots_back_to_connect();
    virtual void Slots_device_removed() {}

    void post_event_to_owner(int reserved, uint value1, uint value2);

    CBaseDlg *owner() const { return m_owner; }

    // Escape takes the close road (closeEvent, through the owner): QDialog's
    // own reject would hide the page, and delete it when it deletes on close,
    // behind its owner's back.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

    CBaseDlg *const m_owner;
    uint m_frameLen = 0;
    uchar m_frameBuf[kFrameBufSize];

private:
    bool m_inCloseEvent = false;

    void onFrame(const uchar *frame, uint len) override { Slots_recv_frame(frame, len); }
    void onSysEx(const uchar *msg, uint len) override { Slots_recv_sysex(msg, len); }
    void onShortMessage(uint message) override { Slots_recv_midi(message); }
};
