// tavro-sim: one simulated controller on real MIDI ports.
//
// Options:
//   --name TEXT          port names TEXT + " IN" / TEXT + " OUT" (default "RZ-7 Pad")
//   --in TEXT            name of the port the host writes to (overrides --name)
//   --out TEXT           name of the port the device answers on (overrides --name)
//   --client TEXT        MIDI client name (default "tavro-sim")
//   --model N            model number (default 7)
//   --folder TEXT        download folder reported by the device (default "rz7")
//   --firmware N         firmware version (default 3)
//   --api NAME           RtMidi API ("jack", "alsa", ...); default: $TAVRO_SIM_MIDI_API,
//                        then $TAVRO_MIDI_API, then the platform's
//   --log FILE           append every frame in and out to FILE, one line each
//   --upgrade-command C  run C through the shell when the device enters upgrade mode
//   --no-echo            do not answer a system-record write with the record
//   --help
//
// Commands on standard input, one per line; each is answered on standard output
// by "ok", a result line, or "error: ...". "ready" is printed once the ports are up.
//   send HEX...          send raw MIDI bytes (notes, clock, foreign SysEx), e.g. send 90 24 64
//   frame CMD [HEX...]   send a device frame with this command byte and payload
//   system               send the current system record
//   answer on|off        off: frames are logged but nothing is answered or changed
//   delay MS             wait MS milliseconds before each answer
//   fault none|checksum|short|oversize [COUNT]
//                        spoil the next COUNT answers (default: all until "fault none")
//   oversize BYTES       frame size of the oversize fault (default 6000)
//   result CMD VALUE     result byte of save (68) or factory reset (70)
//   echo on|off          answer system-record writes with the record
//   preset N             the device switches to preset N (1..8) by itself; the
//                        older foot pedal (1..5) also reports it with CMD_PEDAL_MODE
//   vanish               close the ports (the device is unplugged)
//   appear               open them again
//   return VERSION       come back from upgrade mode with this firmware version
//   status               model, version, preset, online, upgrade mode
//   block N              hex of preset N's block (1..8); "flash N" for its flash copy
//   log                  every log line so far; "log clear" empties the log
// The factory test mode (models 7, 8, 9):
//   test                 active, CMD_TEST_START count, test LEDs, last LED, colour frames
//   press-lit V          press the control under the last lit test LED with value V
//   press D1 V           send any control: control change D1 with value V
//   link midi|bluetooth on|off
//                        the status record's MIDI-cable and Bluetooth bits (both on)
//   flash-answer V|empty|none
//                        answer CMD_TEST_FLASH with V (default 1), no byte, or not at all
//   short-record on|off  fault: status records one byte short
//   (An unasked flash answer: "frame 74 00"; a timing clock: "send F8".)
//   quit
// The program also keeps running after standard input ends, until it is
// interrupted (SIGINT, SIGTERM) or told "quit".
#include "models/oldpedalmodel.h"
#include "simulator.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <thread>

using namespace tavrosim;

namespace {

std::atomic<bool> g_interrupted{false};

void onSignal(int)
{
    g_interrupted = true;
}

bool parseInt(const std::string &s, int *out, int base = 10)
{
    if (s.empty())
        return false;
    char *end = nullptr;
    const long v = std::strtol(s.c_str(), &end, base);
    if (*end != '\0')
        return false;
    *out = int(v);
    return true;
}

void usage()
{
    std::cout << "usage: tavro-sim [--name TEXT] [--in TEXT] [--out TEXT] [--client TEXT]\n"
                 "                 [--model N] [--folder TEXT] [--firmware N] [--api NAME]\n"
                 "                 [--log FILE] [--upgrade-command CMD] [--no-echo]\n"
                 "Commands on standard input are listed at the top of main.cpp.\n";
}

bool parseOptions(int argc, char **argv, SimOptions *o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string *out) {
            if (i + 1 >= argc)
                return false;
            *out = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            usage();
            std::exit(0);
        } else if (a == "--no-echo") {
            o->echoSystemRecord = false;
        } else if (!value(&v)) {
            std::cerr << "tavro-sim: " << a << " needs a value (or is unknown)\n";
            return false;
        } else if (a == "--name") {
            o->name = v;
        } else if (a == "--in") {
            o->inPort = v;
        } else if (a == "--out") {
            o->outPort = v;
        } else if (a == "--client") {
            o->clientName = v;
        } else if (a == "--folder") {
            o->identity.folder = v;
        } else if (a == "--api") {
            o->api = v;
        } else if (a == "--log") {
            o->logPath = v;
        } else if (a == "--upgrade-command") {
            o->upgradeCommand = v;
        } else if (a == "--model" || a == "--firmware") {
            int n = 0;
            if (!parseInt(v, &n) || n < 0 || n > 255) {
                std::cerr << "tavro-sim: bad number for " << a << "\n";
                return false;
            }
            (a == "--model" ? o->identity.model : o->identity.firmware) = n;
        } else {
            std::cerr << "tavro-sim: unknown option " << a << "\n";
            return false;
        }
    }
    return true;
}

bool onOff(const std::string &s, bool *out)
{
    if (s == "on" || s == "1") {
        *out = true;
        return true;
    }
    if (s == "off" || s == "0") {
        *out = false;
        return true;
    }
    return false;
}

// Runs one command; returns false for "quit".
bool command(Simulator &sim, const std::string &line)
{
    std::istringstream in(line);
    std::string cmd;
    in >> cmd;
    std::string rest;
    std::getline(in, rest);
    std::istringstream args(rest);
    std::string a1, a2;
    args >> a1 >> a2;
    auto reply = [](bool ok, const std::string &why = "bad arguments") {
        std::cout << (ok ? std::string("ok") : "error: " + why) << std::endl;
    };

    if (cmd.empty() || cmd[0] == '#')
        return true;
    if (cmd == "quit" || cmd == "exit")
        return false;
    if (cmd == "send") {
        Bytes b;
        if (!parseHex(rest, &b) || b.empty())
            reply(false);
        else
            reply(sim.sendBytes(b), "not sent (offline?)");
    } else if (cmd == "frame") {
        int c = 0;
        Bytes payload;
        const std::string payloadText = rest.substr(std::min(rest.size(), rest.find(a1) + a1.size()));
        if (!parseInt(a1, &c, 16) || c < 0 || c > 255 || !parseHex(payloadText, &payload))
            reply(false);
        else
            reply(sim.sendFrame(uint8_t(c), payload), "not sent (offline?)");
    } else if (cmd == "system") {
        reply(sim.sendSystemRecord(), "not sent (offline?)");
    } else if (cmd == "answer" || cmd == "echo") {
        bool on = false;
        if (!onOff(a1, &on)) {
            reply(false);
        } else {
            if (cmd == "answer")
                sim.setAnswering(on);
            else
                sim.setEchoSystemRecord(on);
            reply(true);
        }
    } else if (cmd == "delay") {
        int ms = 0;
        if (!parseInt(a1, &ms) || ms < 0) {
            reply(false);
        } else {
            sim.setReplyDelay(ms);
            reply(true);
        }
    } else if (cmd == "fault") {
        ReplyFault f = ReplyFault::None;
        int count = -1;
        if (!parseFault(a1, &f) || (!a2.empty() && (!parseInt(a2, &count) || count < 1))) {
            reply(false, "fault none|checksum|short|oversize [COUNT]");
        } else {
            sim.setReplyFault(f, count);
            reply(true);
        }
    } else if (cmd == "oversize") {
        int n = 0;
        if (!parseInt(a1, &n) || n < 8) {
            reply(false);
        } else {
            sim.setOversizeLength(size_t(n));
            reply(true);
        }
    } else if (cmd == "result") {
        int c = 0, v = 0;
        if (!parseInt(a1, &c, 16) || !parseInt(a2, &v) || c < 0 || c > 255 || v < 0 || v > 255) {
            reply(false);
        } else {
            sim.setResult(uint8_t(c), uint8_t(v));
            reply(true);
        }
    } else if (cmd == "preset") {
        int n = 0;
        if (!parseInt(a1, &n) || n < 1 || n > 8) {
            reply(false, "preset 1..8");
        } else {
            Bytes report;
            sim.withDevice([&](SimDevice &d) {
                if (auto *pedal = d.unit<SimOldPedalModel>())
                    report = pedal->selectPreset(n);
            });
            if (!report.empty()) {
                reply(sim.sendFrame(0x68, report), "not sent (offline?)");
            } else {
                sim.selectPreset(n - 1);
                reply(true);
            }
        }
    } else if (cmd == "vanish") {
        sim.vanish();
        reply(true);
    } else if (cmd == "appear") {
        std::string err;
        reply(sim.reappear(&err), err);
    } else if (cmd == "return") {
        int v = 0;
        std::string err;
        if (!parseInt(a1, &v) || v < 0 || v > 255)
            reply(false);
        else
            reply(sim.returnFromUpgrade(v, &err), err);
    } else if (cmd == "status") {
        const DeviceIdentity id = sim.identity();
        std::cout << "model " << id.model << " folder " << id.folder << " firmware " << id.firmware
                  << " preset " << sim.currentPreset() + 1 << " online " << sim.online()
                  << " upgrade " << sim.inUpgradeMode() << std::endl;
    } else if (cmd == "block" || cmd == "flash") {
        int n = 0;
        if (!parseInt(a1, &n) || n < 1 || n > 8)
            reply(false, "block 1..8");
        else
            std::cout << toHex(cmd == "block" ? sim.block(n - 1) : sim.flashBlock(n - 1)) << std::endl;
    } else if (cmd == "log") {
        if (a1 == "clear") {
            sim.clearLog();
            reply(true);
        } else {
            for (const std::string &l : sim.logLines())
                std::cout << l << '\n';
            std::cout << "ok" << std::endl;
        }
    } else if (cmd == "test") {
        const SimTestMode t = sim.testModeState();
        char last[8] = "-";
        if (t.lastLed() >= 0)
            std::snprintf(last, sizeof last, "%02X", t.lastLed());
        std::cout << "test active " << t.active << " starts " << t.starts << " leds " << t.leds().size()
                  << " last " << last << " colours " << t.padColours().size() << std::endl;
    } else if (cmd == "press-lit") {
        int v = 0;
        if (!parseInt(a1, &v) || v < 0 || v > 127)
            reply(false);
        else
            reply(sim.pressLit(uint8_t(v)), "nothing lit, or not sent");
    } else if (cmd == "press") {
        int d1 = 0, v = 0;
        if (!parseInt(a1, &d1) || !parseInt(a2, &v) || d1 < 0 || d1 > 127 || v < 0 || v > 127)
            reply(false);
        else
            reply(sim.press(uint8_t(d1), uint8_t(v)), "not sent (offline?)");
    } else if (cmd == "link" || cmd == "short-record") {
        std::string which = a1, state = a2;
        if (cmd == "short-record")
            state = a1;
        bool on = false;
        if (!onOff(state, &on) || (cmd == "link" && which != "midi" && which != "bluetooth")) {
            reply(false);
        } else {
            sim.withDevice([&](SimDevice &d) {
                if (cmd == "short-record")
                    d.test().shortRecord = on;
                else
                    (which == "midi" ? d.test().midiCable : d.test().bluetooth) = on;
            });
            reply(true);
        }
    } else if (cmd == "flash-answer") {
        int v = 0;
        if (a1 == "empty")
            v = SimTestMode::kFlashEmpty;
        else if (a1 == "none")
            v = SimTestMode::kFlashNone;
        else if (!parseInt(a1, &v) || v < 0 || v > 255)
            v = -100;
        if (v == -100) {
            reply(false, "flash-answer V|empty|none");
        } else {
            sim.withDevice([v](SimDevice &d) { d.test().flashAnswer = v; });
            reply(true);
        }
    } else {
        reply(false, "unknown command " + cmd);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    SimOptions options;
    if (!parseOptions(argc, argv, &options)) {
        usage();
        return 2;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    Simulator sim(options);
    std::string error;
    if (!sim.start(&error)) {
        std::cerr << "tavro-sim: cannot open the MIDI ports: " << error << std::endl;
        return 1;
    }
    std::cout << "ready " << sim.inPortName() << " / " << sim.outPortName() << std::endl;

    // Standard input is read on its own thread so that a signal still ends the
    // program while no line comes.
    std::atomic<bool> quit{false};
    std::thread reader([&] {
        std::string line;
        while (!quit && std::getline(std::cin, line)) {
            if (!command(sim, line)) {
                quit = true;
                break;
            }
        }
    });
    reader.detach();
    while (!quit && !g_interrupted)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    sim.stop();
    // The reader may still sit in getline: leave without running destructors
    // under its feet.
    std::cout.flush();
    std::_Exit(0);
}
