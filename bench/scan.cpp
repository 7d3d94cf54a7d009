// SPDX-License-Identifier: GPL-3.0-or-later
// Bus scan benchmark: one framing, every legal address at 9600 baud, against a simulated drive that
// answers at address 1 only, paced like a real wire. Compared with the per-address budget (the wait
// for a silent address: request time + 3.5 characters + the adapter latency allowance) and with
// what the regular request timeout would cost (1.5 s and one retry, 3 s per silent address).
//
// Also measured, to choose the scan's master and its default wait:
// - the latency of the pty link itself (sim answering at once): what the link adds on top of the
//   wire time emulated by the sim;
// - the same scan done with QModbusRtuSerialMaster at the same timeout and no retries.

#include "SimDrive.h"
#include "comm/BusScanner.h"
#include "comm/DriveRegisters.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QModbusDataUnit>
#include <QModbusReply>
#include <QModbusRtuSerialMaster>
#include <QSerialPort>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kBaud = 9600;
constexpr int kAddresses = 247;
constexpr double kTarget = 1.2;
constexpr double kRegularSecondsPerAddress = 3.0;

bool startDrive(SimDrive& sim, bool wireTime)
{
    SimDrive::Options options;
    options.baud = kBaud;
    options.parity = QStringLiteral("N");
    options.stopBits = 2;
    options.slave = 1;
    options.wireTime = wireTime;
    options.extraArgs = QStringList { QStringLiteral("--peer"), sim.portName() };
    return sim.start(options);
}

// Round trip of a probe with the sim answering at once: pty and process scheduling only.
void measureLinkLatency()
{
    SimDrive sim;
    if (!startDrive(sim, false)) {
        std::printf("latency: the simulated drive did not start\n");
        return;
    }
    QSerialPort port(sim.portName());
    port.setBaudRate(kBaud);
    port.setStopBits(QSerialPort::TwoStop);
    if (!port.open(QIODevice::ReadWrite)) {
        std::printf("latency: cannot open the port\n");
        return;
    }
    const QByteArray probe
        = BusScanner::probeFrame(1, DriveRegister::Servo::ProbeStart, DriveRegister::Servo::ProbeCount);
    const int replyLength = 5 + 2 * DriveRegister::Servo::ProbeCount;
    QVector<double> samples;
    for (int i = 0; i < 200; ++i) {
        port.clear();
        QElapsedTimer timer;
        timer.start();
        port.write(probe);
        port.waitForBytesWritten(100);
        QByteArray reply;
        while (reply.size() < replyLength && timer.elapsed() < 500) {
            if (port.waitForReadyRead(50))
                reply += port.readAll();
        }
        if (reply.size() >= replyLength)
            samples << timer.nsecsElapsed() / 1e6;
    }
    std::sort(samples.begin(), samples.end());
    if (samples.isEmpty()) {
        std::printf("latency: no answers\n");
        return;
    }
    std::printf("pty latency ms median=%.2f p95=%.2f max=%.2f samples=%d\n", samples.at(samples.size() / 2),
        samples.at(samples.size() * 95 / 100), samples.last(), int(samples.size()));
}

double scanSeconds(SimDrive& sim, int* found)
{
    ScanPlan plan;
    plan.portName = sim.portName();
    plan.baudRates = { kBaud };
    plan.framings = { ScanFraming { QSerialPort::NoParity, QSerialPort::TwoStop } };
    plan.firstAddress = 1;
    plan.lastAddress = kAddresses;
    plan.probeStart = DriveRegister::Servo::ProbeStart;
    plan.probeCount = DriveRegister::Servo::ProbeCount;
    plan.latencyMs = BusScanner::DefaultLatencyMs;

    BusScanner scanner;
    QEventLoop loop;
    *found = 0;
    QObject::connect(&scanner, &BusScanner::found, [found](const ScanHit&) { ++*found; });
    QObject::connect(&scanner, &BusScanner::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    if (!scanner.start(plan))
        return -1;
    loop.exec();
    return timer.nsecsElapsed() / 1e9;
}

// The same probes through Qt's Modbus client with the same wait and no retries.
double qtMasterSeconds(SimDrive& sim, int timeoutMs, int* found)
{
    QModbusRtuSerialMaster master;
    master.setConnectionParameter(QModbusDevice::SerialPortNameParameter, sim.portName());
    master.setConnectionParameter(QModbusDevice::SerialBaudRateParameter, kBaud);
    master.setConnectionParameter(QModbusDevice::SerialDataBitsParameter, QSerialPort::Data8);
    master.setConnectionParameter(QModbusDevice::SerialStopBitsParameter, QSerialPort::TwoStop);
    master.setConnectionParameter(QModbusDevice::SerialParityParameter, QSerialPort::NoParity);
    master.setTimeout(timeoutMs);
    master.setNumberOfRetries(0);
    *found = 0;
    if (!master.connectDevice())
        return -1;
    QElapsedTimer timer;
    timer.start();
    for (int address = 1; address <= kAddresses; ++address) {
        const QModbusDataUnit unit(QModbusDataUnit::HoldingRegisters, DriveRegister::Servo::ProbeStart,
            DriveRegister::Servo::ProbeCount);
        QModbusReply* reply = master.sendReadRequest(unit, address);
        if (!reply)
            continue;
        if (!reply->isFinished()) {
            QEventLoop loop;
            QObject::connect(reply, &QModbusReply::finished, &loop, &QEventLoop::quit);
            QTimer::singleShot(5000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (reply->isFinished() && reply->error() == QModbusDevice::NoError)
            ++*found;
        delete reply;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    master.disconnectDevice();
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    measureLinkLatency();

    const ScanFraming framing { QSerialPort::NoParity, QSerialPort::TwoStop };
    const int budgetMs = BusScanner::silentTimeoutMs(kBaud, framing, BusScanner::DefaultLatencyMs);
    const double budgetSeconds = kAddresses * budgetMs / 1000.0;
    const double regularSeconds = kAddresses * kRegularSecondsPerAddress;

    SimDrive sim;
    if (!startDrive(sim, true)) {
        std::printf("scan: the simulated drive did not start\n");
        return 1;
    }
    int found = 0;
    const double seconds = scanSeconds(sim, &found);
    std::printf("scan baud=%d addresses=%d s=%.2f found=%d per_address_budget_ms=%d budget_s=%.2f "
                "ratio=%.2f (target <= %.1f) regular_s=%.0f ratio_to_regular=%.4f\n",
        kBaud, kAddresses, seconds, found, budgetMs, budgetSeconds, seconds / budgetSeconds, kTarget,
        regularSeconds, seconds / regularSeconds);

    int qtFound = 0;
    const double qtSeconds = qtMasterSeconds(sim, budgetMs, &qtFound);
    std::printf("scan-qtmaster baud=%d addresses=%d timeout_ms=%d retries=0 s=%.2f found=%d ratio=%.2f\n",
        kBaud, kAddresses, budgetMs, qtSeconds, qtFound, qtSeconds / budgetSeconds);
    return seconds > 0 && seconds <= kTarget * budgetSeconds && found == 1 ? 0 : 1;
}
