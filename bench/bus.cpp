// SPDX-License-Identifier: GPL-3.0-or-later
// Bus benchmark: N sequential one-register reads through the tool's own path (Communication →
// Modbus device in its worker thread → serial line), and the same reads by a bare
// QModbusRtuSerialMaster and by a plain libmodbus master, against one slave. By default the slave
// is the simulated drive on a fresh pty pair with wire-time emulation, at 9600 and 115200 baud 8N2;
// --port runs against any slave instead (a real drive on /dev/ttyUSB0, for instance).
//
// --tcp: the same reads through the simulated drive as a Modbus TCP gateway, against a bare
// QModbusTcpClient, and as a serial device server passing RTU frames, against a minimal socket client;
// the drive's side runs at 115200 baud with wire-time emulation, as behind a real gateway:
//   transport=tcp app_ms=… qt_ms=… app/qt=…
//   transport=rtu-over-tcp app_ms=… qt_ms=… app/qt=…
//
// One line per baud rate:
//   baud=9600 app_ms=… app_monitor_ms=… qt_ms=… libmodbus_ms=… wire_ms=… app/wire=… app/qt=…
//   app_monitor/app=…
// Each *_ms is the mean time of one transaction; wire_ms is what the line itself allows (WireLimit.h).
// app_monitor_ms is the tool's path again with the bus monitor dock open on screen; the two tool
// runs alternate twice and each keeps its better run, so that a stray load spike does not decide.

#include "BenchSupport.h"
#include "SimDrive.h"
#include "WireLimit.h"
#include "comm/Communication.h"
#include "ui/BusMonitorWidget.h"

#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QModbusReply>
#include <QModbusRtuSerialMaster>
#include <QModbusTcpClient>
#include <QSerialPort>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QVariant>

#include <modbus.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

struct Target
{
    QString port;
    int baud = 9600;
    int slave = 1;
    quint16 address = 0;
    quint16 probe = 53;
    BusLink::Transport transport = BusLink::Serial;
    quint16 tcpPort = 0; // on 127.0.0.1
};

struct Result
{
    double msPerRead = -1; // -1: the path failed
    int failures = 0;
};

SerialSettings settingsFor(const Target& target)
{
    SerialSettings settings;
    settings.portName = target.port;
    settings.baudRate = target.baud;
    settings.dataBits = QSerialPort::Data8;
    settings.stopBits = QSerialPort::TwoStop;
    settings.parity = QSerialPort::NoParity;
    settings.responseTime = 1500;
    settings.numberOfRetries = 1;
    return settings;
}

Result appReads(const Target& target, int n)
{
    Result result;
    Communication* comm = Communication::instance();
    BusLink link = BusLink::serialPort(settingsFor(target));
    Communication::CommType type = Communication::COMM_MODBUS_RTU;
    if (target.transport != BusLink::Serial) {
        link = BusLink::tcp(target.transport, QStringLiteral("127.0.0.1"), target.tcpPort);
        type = target.transport == BusLink::ModbusTcp ? Communication::COMM_MODBUS_TCP
                                                      : Communication::COMM_RTU_OVER_TCP;
    }
    comm->setCommType(type);
    if (!comm->openDevice(link))
        return result;
    comm->setServerAddress(quint16(target.slave));
    comm->connectDevice(target.probe, 3);
    if (waitUntil([comm] { return comm->commState() == Communication::COMM_CONNECTED; }, 15000)) {
        // Each answer sends the next request from inside the event loop, as a page reacting to a
        // result would; nothing polls.
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
        quint64 pending = 0;
        int sent = 0;
        auto sendNext = [&] {
            if (sent == n) {
                loop.exit(0);
                return;
            }
            ++sent;
            pending = comm->sendRead(QStringLiteral("P0-00"), target.address, 1);
            if (pending == 0)
                loop.exit(1);
        };
        QMetaObject::Connection conn = QObject::connect(comm, &Communication::requestCompleted,
            [&](quint64 request, const QString&, const QVector<quint16>& values) {
                if (request != pending)
                    return;
                if (values.isEmpty())
                    ++result.failures;
                sendNext();
            });
        QElapsedTimer clock;
        clock.start();
        deadline.start(n * 10000);
        QTimer::singleShot(0, &loop, sendNext);
        const bool ok = loop.exec() == 0;
        if (ok)
            result.msPerRead = clock.nsecsElapsed() / 1e6 / n;
        QObject::disconnect(conn);
    }
    comm->closeDevice();
    waitUntil([comm] { return comm->commState() == Communication::COMM_DISCONNECT; }, 10000);
    return result;
}

Result appReadsWithMonitor(const Target& target, int n)
{
    QMainWindow window;
    auto* dock = new QDockWidget(QStringLiteral("Bus monitor"), &window);
    dock->setWidget(new BusMonitorWidget(dock));
    window.addDockWidget(Qt::BottomDockWidgetArea, dock);
    window.resize(1400, 600);
    window.show();
    return appReads(target, n);
}

Result better(const Result& a, const Result& b)
{
    if (a.msPerRead < 0)
        return b;
    if (b.msPerRead < 0)
        return a;
    return a.msPerRead <= b.msPerRead ? a : b;
}

// N reads through a bare Qt client that is set up but not yet connected, each answer sending the next.
Result qtClientReads(QModbusClient& master, const Target& target, int n)
{
    Result result;
    master.setTimeout(1500);
    master.setNumberOfRetries(1);
    if (!master.connectDevice())
        return result;
    if (!waitUntil([&] { return master.state() == QModbusDevice::ConnectedState; }, 5000))
        return result;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
    int sent = 0;
    std::function<void()> sendNext = [&] {
        if (sent == n) {
            loop.exit(0);
            return;
        }
        ++sent;
        QModbusReply* reply = master.sendReadRequest(
            QModbusDataUnit(QModbusDataUnit::HoldingRegisters, target.address, 1), target.slave);
        if (!reply) {
            loop.exit(1);
            return;
        }
        QObject::connect(reply, &QModbusReply::finished, &loop, [&, reply] {
            if (reply->error() != QModbusDevice::NoError)
                ++result.failures;
            reply->deleteLater();
            sendNext();
        });
    };
    QElapsedTimer clock;
    clock.start();
    deadline.start(n * 10000);
    QTimer::singleShot(0, &loop, sendNext);
    if (loop.exec() != 0)
        return result;
    result.msPerRead = clock.nsecsElapsed() / 1e6 / n;
    master.disconnectDevice();
    return result;
}

Result qtReads(const Target& target, int n)
{
    QModbusRtuSerialMaster master;
    master.setConnectionParameter(QModbusDevice::SerialPortNameParameter, target.port);
    master.setConnectionParameter(QModbusDevice::SerialBaudRateParameter, target.baud);
    master.setConnectionParameter(QModbusDevice::SerialDataBitsParameter, QSerialPort::Data8);
    master.setConnectionParameter(QModbusDevice::SerialStopBitsParameter, QSerialPort::TwoStop);
    master.setConnectionParameter(QModbusDevice::SerialParityParameter, QSerialPort::NoParity);
    return qtClientReads(master, target, n);
}

Result libmodbusReads(const Target& target, int n)
{
    Result result;
    const QByteArray port = target.port.toLocal8Bit();
    std::unique_ptr<modbus_t, void (*)(modbus_t*)> ctx(
        modbus_new_rtu(port.constData(), target.baud, 'N', 8, 2), modbus_free);
    if (!ctx || modbus_set_slave(ctx.get(), target.slave) != 0)
        return result;
    modbus_set_response_timeout(ctx.get(), 1, 500000);
    if (modbus_connect(ctx.get()) != 0)
        return result;
    modbus_flush(ctx.get());
    uint16_t value = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < n; ++i) {
        if (modbus_read_registers(ctx.get(), target.address, 1, &value) != 1)
            ++result.failures;
    }
    result.msPerRead = clock.nsecsElapsed() / 1e6 / n;
    modbus_close(ctx.get());
    return result;
}

void report(const Target& target, int n, const Result& app, const Result& monitor, const Result& qt,
    const Result& lib)
{
    const double wire = readOneWireMs(target.baud);
    auto ratio = [](double a, double b) { return a > 0 && b > 0 ? a / b : -1.0; };
    std::printf(
        "baud=%d app_ms=%.2f app_monitor_ms=%.2f qt_ms=%.2f libmodbus_ms=%.2f wire_ms=%.2f app/wire=%.2f"
        " app/qt=%.2f app_monitor/app=%.3f  (n=%d per path; failures app %d, monitor %d, qt %d,"
        " libmodbus %d)\n",
        target.baud, app.msPerRead, monitor.msPerRead, qt.msPerRead, lib.msPerRead, wire,
        ratio(app.msPerRead, wire), ratio(app.msPerRead, qt.msPerRead),
        ratio(monitor.msPerRead, app.msPerRead), n, app.failures, monitor.failures, qt.failures,
        lib.failures);
    std::fflush(stdout);
}

void run(Target target, int n)
{
    Result app = appReads(target, n);
    Result monitor = appReadsWithMonitor(target, n);
    app = better(app, appReads(target, n));
    monitor = better(monitor, appReadsWithMonitor(target, n));
    const Result qt = qtReads(target, n);
    const Result lib = libmodbusReads(target, n);
    report(target, n, app, monitor, qt, lib);
}

// A bare Qt client: QModbusTcpClient.
Result qtTcpReads(const Target& target, int n)
{
    QModbusTcpClient client;
    client.setConnectionParameter(QModbusDevice::NetworkAddressParameter, QStringLiteral("127.0.0.1"));
    client.setConnectionParameter(QModbusDevice::NetworkPortParameter, int(target.tcpPort));
    return qtClientReads(client, target, n);
}

// The least a client of a serial device server does: write the RTU frame, read until the answer's
// length is there.
Result socketRtuReads(const Target& target, int n)
{
    Result result;
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), target.tcpPort);
    if (!socket.waitForConnected(5000))
        return result;
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    BusTransaction read;
    read.serverAddress = quint8(target.slave);
    read.functionCode = 0x03;
    read.startAddr = target.address;
    read.count = 1;
    const QByteArray frame = read.requestFrame();
    constexpr int replyBytes = 7;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < n; ++i) {
        socket.write(frame);
        QByteArray answer;
        while (answer.size() < replyBytes && socket.waitForReadyRead(1500))
            answer += socket.readAll();
        if (answer.size() < replyBytes)
            ++result.failures;
    }
    result.msPerRead = clock.nsecsElapsed() / 1e6 / n;
    return result;
}

int runTcp(int n)
{
    for (const BusLink::Transport transport : { BusLink::ModbusTcp, BusLink::RtuOverTcp }) {
        const char* name = transport == BusLink::ModbusTcp ? "tcp" : "rtu-over-tcp";
        SimDrive sim;
        SimDrive::Options options;
        options.transport = transport;
        options.baud = 115200; // the gateway's RS-485 side
        options.wireTime = true;
        if (!sim.start(options)) {
            std::printf("transport=%s the simulated drive did not start\n", name);
            return 1;
        }
        Target target;
        target.transport = transport;
        target.tcpPort = sim.tcpPort();
        target.slave = options.slave;
        target.baud = options.baud;
        const Result app = better(appReads(target, n), appReads(target, n));
        const Result qt = transport == BusLink::ModbusTcp
            ? better(qtTcpReads(target, n), qtTcpReads(target, n))
            : better(socketRtuReads(target, n), socketRtuReads(target, n));
        const double ratio = app.msPerRead > 0 && qt.msPerRead > 0 ? app.msPerRead / qt.msPerRead : -1.0;
        std::printf("transport=%s app_ms=%.2f qt_ms=%.2f app/qt=%.3f  (n=%d per path; failures app %d, %s %d;"
                    " the drive's side at %d baud)\n",
            name, app.msPerRead, qt.msPerRead, ratio, n, app.failures,
            transport == BusLink::ModbusTcp ? "QModbusTcpClient" : "socket client", qt.failures, target.baud);
        std::fflush(stdout);
        sim.stop();
    }
    return 0;
}

void usage()
{
    std::printf("usage: kestrova-bench-bus [--reads N] [--port PATH --baud B [--slave ID] [--address A]]\n"
                "       kestrova-bench-bus --tcp [--reads N]\n"
                "  without --port: the simulated drive with wire-time emulation at 9600 and 115200 8N2\n"
                "  --tcp: Modbus TCP and RTU over TCP to the simulated drive on 127.0.0.1\n");
}

} // namespace

int main(int argc, char** argv)
{
    // The monitor dock needs a screen; without a display, Qt's off-screen one does.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int reads = 200;
    Target given;
    bool external = false;
    bool tcp = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const QString value = i + 1 < args.size() ? args.at(i + 1) : QString();
        if (arg == QLatin1String("--tcp")) {
            tcp = true;
        } else if (arg == QLatin1String("--reads")) {
            reads = qMax(1, value.toInt());
            ++i;
        } else if (arg == QLatin1String("--port")) {
            given.port = value;
            external = true;
            ++i;
        } else if (arg == QLatin1String("--baud")) {
            given.baud = value.toInt();
            ++i;
        } else if (arg == QLatin1String("--slave")) {
            given.slave = value.toInt();
            ++i;
        } else if (arg == QLatin1String("--address")) {
            given.address = quint16(value.toUInt(nullptr, 0));
            ++i;
        } else {
            usage();
            return arg == QLatin1String("--help") ? 0 : 2;
        }
    }

    if (tcp)
        return runTcp(reads);
    if (external) {
        run(given, reads);
        return 0;
    }
    for (int baud : { 9600, 115200 }) {
        SimDrive sim;
        SimDrive::Options options;
        options.baud = baud;
        options.wireTime = true;
        if (!sim.start(options)) {
            std::printf("baud=%d the simulated drive did not start\n", baud);
            return 1;
        }
        Target target;
        target.port = sim.portName();
        target.baud = baud;
        target.slave = options.slave;
        run(target, reads);
        sim.stop();
    }
    return 0;
}
