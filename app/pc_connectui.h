// The top-level window: recognises connected controllers by their MIDI port
// names, shows one picture per model, opens a controller's ports on a click,
// asks it who it is and opens the page its answer calls for. It owns the port
// pair and the open page: every frame a page sends passes through
// Slots_send_data, and every byte that arrives reaches the page through the
// 20 ms timer.
#pragma once

#include <QPointer>
#include <QString>

#include <memory>

#include "cbasedlg.h"
#include "connectlogic.h"
#include "midiportwrapper.h"

class QGridLayout;
class QLabel;
class QMenuBar;
class QSettings;
class MidiPortLister;
class cUpgrade;

namespace Ui {
class pc_connectui;
}

class pc_connectui : public CBaseDlg
{
    Q_OBJECT
public:
    static constexpr uint kReadChunk = 7168;  // bytes read per tick
    static constexpr uint kCarryMax = 7168;   // bytes of a cut message kept for the next tick
    static constexpr int kScanEveryTicks = 50;

    explicit pc_connectui(CBaseDlg *owner = nullptr, QWidget *parent = nullptr);
    ~pc_connectui() override;

    void Slots_recv_frame(const uchar *, uint) override {}
    void Slots_recv_sysex(const uchar *, uint) override {}
    void Slots_recv_midi(uint) override {}
    // The only road from a page to the device.
    bool Slots_send_data(const uchar *frame, int len) override;
    // A page hands back: the ports close, the page is finished, the window returns.
    bool Slots_back_to_connect() override;

    void showPage();
    void sendHostHello();
    bool reopenPorts();
    void sendDeviceInfoRequest();
    void sendPoll();
    static void clearLayout(QLayout *layout);

    void scanDevices();
    void updateDevicePicture(uchar id, bool present);
    void rebuildDeviceGrid(QGridLayout *grid, QLabel *removed);

    void connectLanguageBox();
    void changeLanguage(int language);
    // Why no MIDI service could be reached; empty once there is one.
    const QString &midiServiceError() const { return m_midiServiceError; }

    // The "Fix Mode" menu after a failed firmware upgrade (pc_connectui_fixmode.cpp).
    void createFixModeMenu();
    void retranslateMenu();
    void Slots_fix_mode();

    // State, for the pages and for tests.
    CBaseDlg *page() const { return m_page.data(); }
    bool pageShown() const { return m_pageShown != 0; }
    bool factoryMode() const { return m_factoryMode != 0; }
    const PortScan &portScan() const { return m_scan; }
    const QString &portName() const { return m_portName; }
    Ui::pc_connectui *form() const { return ui; }
    MidiPortWrapper &midi() { return m_midi; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    void tick();
    uint deliver(uint from, uint total);
    void handleDeviceInfo(const uchar *frame, uint len);
    void deviceGone();
    void relinkSelfTestUnit();
    void relinkSelfTestDevice(uint id);
    void finishPage();
    void pageWentAway();
    bool pageInModalLoop() const;
    bool clickPicture(uchar id);
    bool releaseGoneService();
    bool openMatch(int k);
    void showMidiServiceHint();

    Ui::pc_connectui *ui = nullptr;
    QString m_portName;         // output name of the last pair the latest scan matched
    PortPair m_openedPair;      // the pair last opened; its output name decides the page
    QSettings *m_settings = nullptr;
    uchar m_tick = 0;
    uchar m_factoryMode = 0;
    uchar m_factoryDeviceId = 0;
    PortScan m_scan;
    // Guarded: a page that goes away on its own (deleted behind the window's
    // back) is taken as closed, never used again.
    QPointer<CBaseDlg> m_page;
    bool m_hasPage = false;          // a page was opened and not yet finished or forgotten
    bool m_pageClosesWindow = false; // its closing finishes the window (base closing behaviour)
    bool m_pageIsSelfTest = false;
    bool m_removalPending = false;
    bool m_deviceGone = false;       // the open page's device left the scan: nothing more goes to it
    uint m_outPort = 0;
    uint m_inPort = 0;
    std::unique_ptr<MidiPortLister> m_lister;
    QString m_midiServiceError;
    QMenuBar *m_fixMenuBar = nullptr;
    cUpgrade *m_upgrade = nullptr;     // used by the "Fix Mode" menu; owned
    uchar m_rxBuf[kCarryMax + kReadChunk];
    uint m_carryLen = 0;
    uchar m_replyBuf[kReadChunk];
    uchar m_pageShown = 0;
    uchar m_factoryLinked = 0;
    bool m_inTick = false;
    MidiPortWrapper m_midi;
    int m_timerId = 0;
};

// Puts the picture of model id, from DevicePicture beside the executable, into label.
void setDevicePicture(QLabel *label, uchar id);

// Whether the "UpgradeResult" setting (default 1) is non-zero.
bool readUpgradeResult();
