// SPDX-License-Identifier: GPL-3.0-or-later
// kestrova-drive-sim: a simulated servo drive or VFD answering as a Modbus RTU slave on a serial
// port (usually one end of a socat pty pair), or behind a Modbus TCP gateway or a serial device
// server on a loopback TCP port, for tests, benchmarks and demonstrations of the tool.

#include "DriveModel.h"
#include "SimDefinitions.h"
#include "SlaveServer.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <modbus.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace {

int g_signalPipe[2] = { -1, -1 };

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

double monotonicSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

const char* kHelp = R"(Usage: kestrova-drive-sim --port PATH | --tcp PORT | --rtu-over-tcp PORT [options]

A simulated servo drive or VFD: a Modbus RTU slave (function codes 0x03, 0x06, 0x10) serving the
parameters of a ParamTable.xml and live values, for testing the Kestrova tool over a pty link or
through TCP.

Options:
  --family servo|vfd   drive family (default servo)
  --port PATH          serial device to serve, e.g. one end of a socat pty pair
  --tcp PORT           serve Modbus TCP on 127.0.0.1:PORT (0: any free port) as a Modbus TCP-to-RTU
                       gateway with the drive behind it: the unit id is the slave address, and a
                       request for a unit id no drive has is answered with exception 0x0B (gateway
                       target device failed to respond). One client at a time; a new connection
                       replaces the old one
  --rtu-over-tcp PORT  serve RTU frames on 127.0.0.1:PORT (0: any free port), as a transparent
                       serial device server with the drive on its RS-485 line: a request for another
                       slave address stays unanswered. One client at a time, as with --tcp
                       Exactly one of --port, --tcp and --rtu-over-tcp is required; the serial
                       settings below are then the line behind the server, for the wire time
  --baud N             baud rate (default 9600)
  --parity N|E|O       parity (default N)
  --stop-bits 1|2      stop bits (default 2)
  --slave ID           slave address (default 1); given again, another simulated drive of the same
                       family on the same link answers at that address, with registers of its own
                       (the console commands act on the first until "slave" chooses another;
                       broadcasts reach the first only)
  --peer PATH          the master's end of the link (the other end of the pty pair): a request
                       sent at another baud rate, stop-bit count or parity than the drive's is
                       line noise to the drive and stays unanswered and unlogged. A pty shows the
                       master's baud rate, stop bits and odd parity but not even parity, which
                       looks like none
  --mismatch silent|noise  what such a request gets: nothing (default) or noise, a burst of bytes
                       that forms no frame, as a receiver at the wrong setting may hear
  --config DIR         definition folder holding ParamTable.xml and Variables.xml (default: the
                       first version folder in name order under ./Driver/Config/SERVO/ or VFD/,
                       its EN/ subfolder)
  --no-wire-time       answer at once; by default a reply waits as long as the request and reply
                       frames plus one silent interval (3.5 characters; 1.75 ms above 19200 baud)
                       would take at the chosen framing
  --log FILE           appends one line per request answered (also exception and corrupted answers,
                       not requests ignored while silent or addressed to another slave), flushed
                       at once: function code (2 hex digits), start address (4 hex digits),
                       register count, written values (decimal), e.g. "06 00B5 1 1",
                       "10 0000 2 385 65535", "03 F013 1"
  --debug              libmodbus debug output on stdout
  --help               this text

Prints "ready <port>" on stdout once the port is open and served; on TCP "ready 127.0.0.1:<port>"
with the port it listens on.

Commands on standard input, one per line; each is answered with one line "ok ..." (or "error ...")
on stdout:
  alarm <hex>                servo: alarm code (status word 0x1013; "alarm d" gives 13), the
                             drive disables;
                             VFD: fault code at 0x8000, the inverter trips and stops
  clear                      clear the alarm / fault
  silent on|off              stop / resume answering (requests are read and dropped, not logged)
  badcrc on|off              answer with a corrupted CRC (writes still take effect; RTU framing
                             only, a Modbus TCP frame has no CRC)
  exception <hexaddr> <code> answer every request touching that address with that exception
                             code (1-255, decimal or 0x hex)
  exception all <code>       answer every request with that exception code (writes do not take
                             effect), e.g. 0x0B: a gateway whose drive has gone
  exception off              remove all injected exceptions
  reset on|off               TCP: every reply stops halfway and the connection is reset, as when
                             a gateway restarts or the network drops mid-answer
  ignorewrite <hexaddr>      writes to that register (or its VFD RAM copy) are answered as
                             accepted, but it keeps its old value, as in a drive that refuses a
                             value silently; a read-back shows the write did not stick
  ignorewrite off            keep every write again
  delay <ms>                 extra delay before every reply
  split <ms>                 send every reply in two parts (the first half of its bytes, then
                             the rest) with that pause between them; 0 sends replies whole
  gap                        answers "ok gap <us>": the shortest silence the master kept between
                             the end of a reply and its next request since the last "gap" (in
                             microseconds, as this end saw them), or "ok gap none"
  set <hexaddr> <value>      set a register (value decimal, negative or 0x hex) as a master
                             write would, without the read-only check. Servo 53 (enable),
                             0x100F (DI states), 0x1013 (alarm) and VFD 0x8000 (fault) set the
                             drive's state; any other value the simulation computes is held
                             at the set value (answer "ok set <addr> <value> held")
  release <hexaddr>|all      let the simulation compute a held register again
  get <hexaddr>              answers "ok <value>" (unsigned decimal)
  slave <id>                 the drive at that slave address (given with --slave) is the one
                             alarm, clear, ignorewrite, set, release and get act on from now on;
                             the other commands act on the link, so on every drive of it
  quit                       exit

Exception codes: 0x01 unsupported function code; 0x02 address range beyond 0xFFFF; 0x03 a count
outside 1..125 (read) / 1..123 (write), or a write touching a read-only register: a parameter
with writable="0" or a value the drive computes (servo 53, 54, 0x1000-0x101B; VFD 0x3000, 0x8000,
the D0 values). Such a write stores nothing; no value range is checked. Command registers
always take a write. Registers not in the table read 0 and store what is written.

Servo registers: 181 := 1/0 enables/disables (53 reads 1 while enabled, 54 and status word 22
read 1 ready, 2 servo on, 3 alarm; an alarm disables and refuses enabling);
400 = 128 serial trial mode; 401 := 32/64 jog forward/backward at the speed in 149 (rpm), 0 stops;
640 = 1 and 402 := 8 starts a position run of 514 * 10000 + 515 pulses (signed words, 10000 pulses
per revolution) at the speed in 644 with acceleration time 168 and deceleration time 169 (ms);
402 := 4 stops it. The motor moves only while enabled, without alarm and in trial mode.
60 := 1 soft reset (motor stops, disabled, alarm cleared, parameters kept). One write of
385, 65535 at 0-1 restores every factory value. Status block 0x1000-0x101B as the monitor page
reads it; 0x100F DI states: an input assigned servo enable (1) reads 1 while enabled, forward move
(22) / reverse move (23) while jogging that way, until "set 100F" fixes them ("release 100F" lets
them follow again); 0x1010 DO states from the DO functions 276-281 ("set 1010" holds them).

VFD registers: 0x2000 := 1 forward, 2 backward, 3 forward jog, 4 backward jog (only while the
command source P0-02 at 0xF002 is 2 and no fault), 6 stop, 7 fault reset. The output frequency
ramps at 25 Hz/s toward the setting in register 8 (P0-08, unit 0.01 Hz or 0.1 Hz after P0-22),
or toward the jog frequency (the table's jog frequency parameter, else 5 Hz).
Registers 0x0000-0x0FFF are the RAM copies of the parameters at 0xF000-0xFFFF (2 = 0xF002).
0x7000 + k is D0-k (running frequency, set frequency, bus voltage, output voltage, current,
power, torque (signed, negative while braking), ...); 0x3000 running state (1 forward,
2 reverse, 3 stopped); 0x8000 fault code;
0xFF03 rated power (PF-03, else 1.5 kW); 0xFF00 := 55 unlock (stored; a change is noted on
stderr); one write of 0, 1 at 0x1F00-0x1F01 restores every factory value.

Scope variables from Variables.xml move: speed, position, torque, current, voltage and
temperature variables follow the motor; others are sines, ramps and noisy sines. Two-register
values are low word first.
)";

struct Options
{
    LinkSettings link;
    DriveFamily family = DriveFamily::Servo;
    QString config;
    QString logPath;
    QList<int> extraSlaves;
};

bool parseArguments(int argc, char** argv, Options* o, int* exitCode)
{
    bool slaveGiven = false;
    int transports = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const char* option = argv[i];
        auto next = [&](QString* value) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "kestrova-drive-sim: %s needs a value\n", argv[i]);
                return false;
            }
            *value = QString::fromLocal8Bit(argv[++i]);
            return true;
        };
        QString v;
        bool ok = true;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(kHelp, stdout);
            *exitCode = 0;
            return false;
        } else if (arg == QLatin1String("--no-wire-time")) {
            o->link.wireTime = false;
        } else if (arg == QLatin1String("--debug")) {
            o->link.debug = true;
        } else if (arg == QLatin1String("--family")) {
            ok = next(&v) && (v == QLatin1String("servo") || v == QLatin1String("vfd"));
            o->family = v == QLatin1String("vfd") ? DriveFamily::Vfd : DriveFamily::Servo;
        } else if (arg == QLatin1String("--port")) {
            ok = next(&o->link.port);
            ++transports;
        } else if (arg == QLatin1String("--tcp") || arg == QLatin1String("--rtu-over-tcp")) {
            ok = next(&v);
            o->link.tcpPort = v.toInt(&ok);
            ok = ok && o->link.tcpPort >= 0 && o->link.tcpPort <= 65535;
            o->link.transport = arg == QLatin1String("--tcp") ? LinkSettings::Transport::ModbusTcp
                                                              : LinkSettings::Transport::RtuOverTcp;
            ++transports;
        } else if (arg == QLatin1String("--baud")) {
            ok = next(&v);
            o->link.baud = v.toInt(&ok);
            ok = ok && o->link.baud > 0;
        } else if (arg == QLatin1String("--parity")) {
            ok = next(&v) && (v == QLatin1String("N") || v == QLatin1String("E") || v == QLatin1String("O"));
            o->link.parity = ok ? v.at(0).toLatin1() : 'N';
        } else if (arg == QLatin1String("--stop-bits")) {
            ok = next(&v);
            o->link.stopBits = v.toInt(&ok);
            ok = ok && (o->link.stopBits == 1 || o->link.stopBits == 2);
        } else if (arg == QLatin1String("--slave")) {
            ok = next(&v);
            const int slave = v.toInt(&ok);
            ok = ok && slave >= 1 && slave <= 247
                && (!slaveGiven || (slave != o->link.slave && !o->extraSlaves.contains(slave)));
            if (!slaveGiven)
                o->link.slave = slave;
            else
                o->extraSlaves.append(slave);
            slaveGiven = true;
        } else if (arg == QLatin1String("--peer")) {
            ok = next(&o->link.peer);
        } else if (arg == QLatin1String("--mismatch")) {
            ok = next(&v) && (v == QLatin1String("silent") || v == QLatin1String("noise"));
            o->link.noiseOnMismatch = v == QLatin1String("noise");
        } else if (arg == QLatin1String("--config")) {
            ok = next(&o->config);
        } else if (arg == QLatin1String("--log")) {
            ok = next(&o->logPath);
        } else {
            std::fprintf(stderr, "kestrova-drive-sim: unknown option %s (see --help)\n", argv[i]);
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "kestrova-drive-sim: bad or missing value for %s\n", option);
            *exitCode = 2;
            return false;
        }
    }
    if (transports != 1 || (o->link.transport == LinkSettings::Transport::Serial && o->link.port.isEmpty())) {
        std::fprintf(
            stderr, "kestrova-drive-sim: one of --port, --tcp and --rtu-over-tcp is required (see --help)\n");
        *exitCode = 2;
        return false;
    }
    return true;
}

// The first version folder in name order, its English definitions. Looked up from the working
// directory first (like the tool), then from the folders above the executable (the build tree).
QString defaultConfig(DriveFamily family)
{
    const QString sub = QStringLiteral("Driver/Config/")
        + (family == DriveFamily::Servo ? QStringLiteral("SERVO") : QStringLiteral("VFD"));
    QStringList roots { QDir::currentPath() };
    QDir dir
        = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
    for (int up = 0; up < 5; ++up) {
        roots << dir.absolutePath();
        if (!dir.cdUp())
            break;
    }
    for (const QString& root : roots) {
        const QDir base(root + QLatin1Char('/') + sub);
        if (!base.exists())
            continue;
        const QStringList versions = base.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& version : versions) {
            const QString candidate = base.filePath(version + QStringLiteral("/EN"));
            if (QFileInfo::exists(candidate + QStringLiteral("/ParamTable.xml")))
                return candidate;
        }
    }
    return QString();
}

bool parseHexAddress(const QString& text, quint16* address)
{
    qlonglong v = 0;
    if (!parseHex(text, &v) || v < 0 || v > 0xFFFF)
        return false;
    *address = static_cast<quint16>(v);
    return true;
}

bool parseNumber(const QString& text, long long* value)
{
    bool ok = false;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        qlonglong hex = 0;
        ok = parseHex(text, &hex);
        *value = hex;
    } else {
        *value = text.toLongLong(&ok, 10);
    }
    return ok;
}

void answer(const QString& line)
{
    std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

struct Console
{
    SlaveServer& server;
    // The drive the commands act on; "slave <id>" chooses another of the link.
    int slave;
    DriveModel* model;
    bool quit = false;

    void run(const QString& line)
    {
        const QStringList w = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (w.isEmpty())
            return;
        const QString cmd = w.at(0).toLower();
        auto onOff = [&](bool* flag) {
            if (w.size() == 2 && (w.at(1) == QLatin1String("on") || w.at(1) == QLatin1String("off"))) {
                *flag = w.at(1) == QLatin1String("on");
                answer(QStringLiteral("ok %1 %2").arg(cmd, w.at(1)));
            } else {
                answer(QStringLiteral("error usage: %1 on|off").arg(cmd));
            }
        };
        quint16 address = 0;
        long long value = 0;
        if (cmd == QLatin1String("alarm")) {
            if (w.size() == 2 && parseHexAddress(w.at(1), &address)) {
                model->setAlarm(address);
                answer(QStringLiteral("ok alarm %1").arg(address));
            } else {
                answer(QStringLiteral("error usage: alarm <hex code>"));
            }
        } else if (cmd == QLatin1String("clear")) {
            model->clearAlarm();
            answer(QStringLiteral("ok clear"));
        } else if (cmd == QLatin1String("silent")) {
            onOff(&server.silent);
        } else if (cmd == QLatin1String("badcrc")) {
            onOff(&server.badCrc);
        } else if (cmd == QLatin1String("reset")) {
            onOff(&server.resetMidReply);
        } else if (cmd == QLatin1String("exception")) {
            if (w.size() == 2 && w.at(1) == QLatin1String("off")) {
                server.injectedExceptions.clear();
                server.allException = 0;
                answer(QStringLiteral("ok exception off"));
            } else if (w.size() == 3 && w.at(1) == QLatin1String("all") && parseNumber(w.at(2), &value)
                && value >= 1 && value <= 255) {
                server.allException = int(value);
                answer(QStringLiteral("ok exception all %1").arg(value));
            } else if (w.size() == 3 && parseHexAddress(w.at(1), &address) && parseNumber(w.at(2), &value)
                && value >= 1 && value <= 255) {
                server.injectedExceptions.insert(address, int(value));
                answer(QStringLiteral("ok exception %1 %2").arg(address, 4, 16, QLatin1Char('0')).arg(value));
            } else {
                answer(QStringLiteral(
                    "error usage: exception <hexaddr> <code> | exception all <code> | exception off"));
            }
        } else if (cmd == QLatin1String("ignorewrite")) {
            if (w.size() == 2 && w.at(1) == QLatin1String("off")) {
                server.keepWrites(slave);
                answer(QStringLiteral("ok ignorewrite off"));
            } else if (w.size() == 2 && parseHexAddress(w.at(1), &address)) {
                server.ignoreWrites(slave, model->resolve(address));
                answer(QStringLiteral("ok ignorewrite %1").arg(address, 4, 16, QLatin1Char('0')));
            } else {
                answer(QStringLiteral("error usage: ignorewrite <hexaddr> | ignorewrite off"));
            }
        } else if (cmd == QLatin1String("delay")) {
            if (w.size() == 2 && parseNumber(w.at(1), &value) && value >= 0 && value <= 600000) {
                server.extraDelayMs = int(value);
                answer(QStringLiteral("ok delay %1").arg(value));
            } else {
                answer(QStringLiteral("error usage: delay <ms>"));
            }
        } else if (cmd == QLatin1String("gap")) {
            const double gap = server.takeShortestGap();
            answer(
                gap < 0 ? QStringLiteral("ok gap none") : QStringLiteral("ok gap %1").arg(qint64(gap * 1e6)));
        } else if (cmd == QLatin1String("split")) {
            if (w.size() == 2 && parseNumber(w.at(1), &value) && value >= 0 && value <= 600000) {
                server.splitPauseMs = int(value);
                answer(QStringLiteral("ok split %1").arg(value));
            } else {
                answer(QStringLiteral("error usage: split <ms>"));
            }
        } else if (cmd == QLatin1String("set")) {
            if (w.size() == 3 && parseHexAddress(w.at(1), &address) && parseNumber(w.at(2), &value)
                && value >= -32768 && value <= 65535) {
                const bool held = model->setFromConsole(address, static_cast<quint16>(value & 0xFFFF));
                answer(QStringLiteral("ok set %1 %2%3")
                           .arg(address, 4, 16, QLatin1Char('0'))
                           .arg(value & 0xFFFF)
                           .arg(held ? QStringLiteral(" held") : QString()));
            } else {
                answer(QStringLiteral("error usage: set <hexaddr> <value>"));
            }
        } else if (cmd == QLatin1String("release")) {
            if (w.size() == 2 && w.at(1) == QLatin1String("all")) {
                model->release(-1);
                answer(QStringLiteral("ok release all"));
            } else if (w.size() == 2 && parseHexAddress(w.at(1), &address)) {
                model->release(address);
                answer(QStringLiteral("ok release %1").arg(address, 4, 16, QLatin1Char('0')));
            } else {
                answer(QStringLiteral("error usage: release <hexaddr>|all"));
            }
        } else if (cmd == QLatin1String("get")) {
            if (w.size() == 2 && parseHexAddress(w.at(1), &address))
                answer(QStringLiteral("ok %1").arg(model->value(address)));
            else
                answer(QStringLiteral("error usage: get <hexaddr>"));
        } else if (cmd == QLatin1String("slave")) {
            if (w.size() == 2 && parseNumber(w.at(1), &value) && server.drive(int(value))) {
                slave = int(value);
                model = server.drive(slave);
                answer(QStringLiteral("ok slave %1").arg(slave));
            } else {
                answer(QStringLiteral("error usage: slave <id of a drive on this link>"));
            }
        } else if (cmd == QLatin1String("quit")) {
            answer(QStringLiteral("ok quit"));
            quit = true;
        } else {
            answer(QStringLiteral("error unknown command: %1").arg(cmd));
        }
    }
};

// Serves the link until SIGTERM, SIGINT or "quit"; the exit code.
int serve(const Options& options, const SimDefinitions& definitions, modbus_mapping_t* mapping, FILE* log)
{
    DriveModel model(options.family, definitions, mapping->tab_registers);
    SlaveServer server(options.link, model, mapping);
    if (!server.valid()) {
        std::fprintf(stderr, "kestrova-drive-sim: bad serial settings\n");
        return 2;
    }
    std::vector<std::unique_ptr<modbus_mapping_t, void (*)(modbus_mapping_t*)>> otherMappings;
    std::vector<std::unique_ptr<DriveModel>> otherModels;
    for (int slave : options.extraSlaves) {
        otherMappings.emplace_back(modbus_mapping_new(0, 0, 65536, 0), modbus_mapping_free);
        if (!otherMappings.back())
            return 1;
        otherModels.push_back(
            std::make_unique<DriveModel>(options.family, definitions, otherMappings.back()->tab_registers));
        server.addDrive(slave, *otherModels.back(), otherMappings.back().get());
    }
    auto tickAll = [&](double now) {
        model.tick(now);
        for (const auto& other : otherModels)
            other->tick(now);
    };
    server.setLog(log);

    if (::pipe(g_signalPipe) != 0)
        return 1;
    ::fcntl(g_signalPipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(g_signalPipe[1], F_SETFL, O_NONBLOCK);
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    Console console { server, options.link.slave, &model };
    bool stdinOpen = true;
    QByteArray input;
    bool announced = false;
    bool lostReported = false;
    double reopenAt = 0.0;
    const double tickInterval = 0.02;
    double nextTick = monotonicSeconds();

    if (server.isTcp()) {
        if (!server.listen()) {
            std::fprintf(stderr, "kestrova-drive-sim: cannot listen on 127.0.0.1:%d (%s)\n",
                options.link.tcpPort, std::strerror(errno));
            return 1;
        }
        answer(QStringLiteral("ready 127.0.0.1:%1").arg(server.tcpPort()));
        announced = true;
    }

    while (!console.quit) {
        double now = monotonicSeconds();
        if (!server.isTcp() && !server.isOpen() && now >= reopenAt) {
            if (server.open()) {
                if (!announced) {
                    answer(QStringLiteral("ready ") + options.link.port);
                    announced = true;
                } else {
                    std::fprintf(stderr, "kestrova-drive-sim: %s reopened\n",
                        options.link.port.toLocal8Bit().constData());
                }
                lostReported = false;
            } else {
                if (!announced && !lostReported) {
                    std::fprintf(stderr, "kestrova-drive-sim: cannot open %s (%s), retrying\n",
                        options.link.port.toLocal8Bit().constData(), std::strerror(errno));
                    lostReported = true;
                }
                reopenAt = now + 0.2;
            }
        }
        if (now >= nextTick) {
            tickAll(now);
            nextTick = now + tickInterval;
        }

        double wakeAt = nextTick;
        if (server.hasPending())
            wakeAt = std::min(wakeAt, server.pendingDeadline());
        if (!server.isTcp() && !server.isOpen())
            wakeAt = std::min(wakeAt, reopenAt);
        // Sub-millisecond: a reply is due a wire time after its request, and at 115200 baud that is
        // about 3 ms, which whole-millisecond waits would stretch by a third.
        const double wait = std::max(0.0, wakeAt - now);
        timespec timeout;
        timeout.tv_sec = time_t(wait);
        timeout.tv_nsec = long((wait - double(timeout.tv_sec)) * 1e9);

        pollfd fds[4];
        int n = 0;
        fds[n++] = { g_signalPipe[0], POLLIN, 0 };
        const int stdinIndex = stdinOpen ? n : -1;
        if (stdinOpen)
            fds[n++] = { STDIN_FILENO, POLLIN, 0 };
        const int linkIndex = server.wantsInput() ? n : -1;
        if (server.wantsInput())
            fds[n++] = { server.fd(), POLLIN, 0 };
        const int listenIndex = server.isTcp() ? n : -1;
        if (server.isTcp())
            fds[n++] = { server.listenFd(), POLLIN, 0 };

        const int ready = ::ppoll(fds, nfds_t(n), &timeout, nullptr);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready > 0 && (fds[0].revents & POLLIN))
            break; // SIGTERM / SIGINT

        if (stdinIndex >= 0 && fds[stdinIndex].revents) {
            char buffer[1024];
            const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (got <= 0) {
                stdinOpen = false; // keep serving without a console
            } else {
                input.append(buffer, int(got));
                int eol;
                while (!console.quit && (eol = input.indexOf('\n')) >= 0) {
                    const QString line = QString::fromLocal8Bit(input.left(eol));
                    input.remove(0, eol + 1);
                    console.run(line);
                }
            }
        }

        if (listenIndex >= 0 && (fds[listenIndex].revents & POLLIN)) {
            server.acceptClient();
            continue; // the old connection's events are void
        }

        now = monotonicSeconds();
        bool linkLost = false;
        if (linkIndex >= 0 && fds[linkIndex].revents) {
            if (fds[linkIndex].revents & (POLLHUP | POLLERR | POLLNVAL))
                linkLost = true;
            else
                linkLost = !server.receive(now);
        }
        if (!linkLost && server.hasPending() && monotonicSeconds() >= server.pendingDeadline()) {
            tickAll(monotonicSeconds());
            // From before the write: the master may hear the reply as soon as it starts.
            const double sendingAt = monotonicSeconds();
            linkLost = !server.sendPending();
            if (!linkLost && !server.hasPending())
                server.replySent(sendingAt);
        }
        if (linkLost && server.isTcp()) {
            server.close(); // the client went away; the next one connects
        } else if (linkLost) {
            // The other end went away (socat ended): keep trying the same path.
            server.close();
            reopenAt = monotonicSeconds() + 0.2;
            if (!lostReported) {
                std::fprintf(stderr, "kestrova-drive-sim: link %s lost, reopening\n",
                    options.link.port.toLocal8Bit().constData());
                lostReported = true;
            }
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // libmodbus's debug trace goes to stdout too; keep it in step with the answers
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Options options;
    int exitCode = 0;
    if (!parseArguments(argc, argv, &options, &exitCode))
        return exitCode;

    QString config = options.config;
    if (config.isEmpty())
        config = defaultConfig(options.family);
    SimDefinitions definitions;
    QString error;
    if (config.isEmpty()) {
        std::fprintf(stderr, "kestrova-drive-sim: no definition folder found; serving without parameters\n");
    } else if (!definitions.loadParamTable(config + QStringLiteral("/ParamTable.xml"), &error)) {
        std::fprintf(stderr, "kestrova-drive-sim: %s\n", error.toLocal8Bit().constData());
        return 2;
    } else if (!definitions.loadVariables(config + QStringLiteral("/Variables.xml"), &error)) {
        std::fprintf(
            stderr, "kestrova-drive-sim: %s (no live scope variables)\n", error.toLocal8Bit().constData());
    }

    FILE* log = nullptr;
    if (!options.logPath.isEmpty()) {
        // Appended to: a server killed and started again keeps one log.
        log = std::fopen(options.logPath.toLocal8Bit().constData(), "a");
        if (!log) {
            std::fprintf(stderr, "kestrova-drive-sim: cannot write %s: %s\n",
                options.logPath.toLocal8Bit().constData(), std::strerror(errno));
            return 2;
        }
    }

    modbus_mapping_t* mapping = modbus_mapping_new(0, 0, 65536, 0);
    int rc = 1;
    if (mapping) {
        rc = serve(options, definitions, mapping, log);
        modbus_mapping_free(mapping);
    } else {
        std::fprintf(stderr, "kestrova-drive-sim: out of memory\n");
    }
    if (log)
        std::fclose(log);
    return rc;
}
