// SPDX-License-Identifier: GPL-3.0-or-later
// The bus scanner against simulated drives on a real pty link, at the pace of a real wire, with the
// drive hearing a request at another baud rate, stop-bit count or parity as noise.

#include "SimDrive.h"
#include "comm/BusScanner.h"
#include "comm/DriveRegisters.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

namespace {

const ScanFraming k8N2 { QSerialPort::NoParity, QSerialPort::TwoStop };
const ScanFraming k8N1 { QSerialPort::NoParity, QSerialPort::OneStop };
const ScanFraming k8O1 { QSerialPort::OddParity, QSerialPort::OneStop };

// A drive on its own link that judges the master's framing; more --slave options put more drives
// on the same link.
bool startDrive(SimDrive& sim, int baud, const QString& parity, int stopBits, int slave,
    const QStringList& more = {}, const QString& family = QStringLiteral("servo"))
{
    return sim.startAtSetting(family, baud, parity, stopBits, slave, more);
}

// The simulated drive is a process of its own: on a machine busy with other work it answers up to
// a few hundred milliseconds late, as a sluggish adapter would, so the scans that must find it allow
// for such an adapter's latency. A timely answer ends the wait at once; only silent addresses pay
// for it, so those scans keep their address ranges short.
constexpr int kSluggishAdapterMs = 150;

ScanPlan plan(const SimDrive& sim, QList<int> bauds, QList<ScanFraming> framings, int first, int last,
    int latencyMs = kSluggishAdapterMs)
{
    ScanPlan p;
    p.latencyMs = latencyMs;
    p.portName = sim.portName();
    p.baudRates = bauds;
    p.framings = framings;
    p.firstAddress = first;
    p.lastAddress = last;
    p.probeStart = DriveRegister::Servo::ProbeStart;
    p.probeCount = DriveRegister::Servo::ProbeCount;
    return p;
}

struct Run
{
    QList<ScanHit> hits;
    BusScanner::Outcome outcome = BusScanner::Completed;
    QString error;
    int lastTried = 0;
    int total = -1;
    bool finished = false;
};

Run scan(const ScanPlan& p, int timeoutMs = 60000)
{
    BusScanner scanner;
    Run run;
    QObject::connect(&scanner, &BusScanner::found, [&](const ScanHit& hit) { run.hits.append(hit); });
    QObject::connect(&scanner, &BusScanner::progress, [&](int tried, int total, qint64) {
        run.lastTried = tried;
        run.total = total;
    });
    QObject::connect(&scanner, &BusScanner::finished, [&](BusScanner::Outcome outcome, const QString& error) {
        run.outcome = outcome;
        run.error = error;
        run.finished = true;
    });
    if (!scanner.start(p))
        return run;
    if (!QTest::qWaitFor([&] { return run.finished; }, timeoutMs))
        qWarning("the scan did not finish");
    return run;
}

QStringList describe(const QList<ScanHit>& hits)
{
    QStringList list;
    for (const ScanHit& hit : hits) {
        // A TCP link has no line setting of its own to report.
        const QString setting = hit.baudRate > 0
            ? QStringLiteral("%1 %2 ").arg(hit.baudRate).arg(hit.framing.name())
            : QString();
        list << setting + QString::number(hit.address)
                + (hit.exception ? QStringLiteral(" exception %1").arg(hit.exceptionCode) : QString());
    }
    return list;
}

// The sim as a gateway or serial server on a free loopback port, with its drives behind it.
bool startTcpDrive(SimDrive& sim, BusLink::Transport transport, int slave, const QStringList& more = {})
{
    SimDrive::Options options;
    options.transport = transport;
    options.slave = slave;
    options.extraArgs = more;
    return sim.start(options);
}

ScanPlan tcpPlan(const BusLink& link, int first, int last)
{
    ScanPlan p;
    p.transport = link.transport;
    p.host = link.host;
    p.tcpPort = link.tcpPort;
    p.firstAddress = first;
    p.lastAddress = last;
    p.probeStart = DriveRegister::Servo::ProbeStart;
    p.probeCount = DriveRegister::Servo::ProbeCount;
    return p;
}

// A loopback port nothing listens on.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

} // namespace

class TestBusScanner : public QObject
{
    Q_OBJECT
private slots:
    void baudRatesAsTyped_data();
    void baudRatesAsTyped();
    void framingsByName();
    void silentBudget_data();
    void silentBudget();
    void findsDriveAtItsSetting_data();
    void findsDriveAtItsSetting();
    void listsTwoDrivesOnOneLink();
    void stopsMidScanWithThePortClosed();
    void findsNothing_data();
    void findsNothing();
    void countsExceptionAnswers();
    void countsLateAnswers_data();
    void countsLateAnswers();
    void readsTheVfdVersion();
    void reportsAPortThatCannotOpen();
    void scansUnitIdsOverTcp_data();
    void scansUnitIdsOverTcp();
    void stopsMidScanOverTcp();
    void reportsARefusedTcpConnection_data();
    void reportsARefusedTcpConnection();
};

// The list of rates the Find-drive dialog and the command-line tool take.
void TestBusScanner::baudRatesAsTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("rates");
    QTest::addColumn<QString>("badWord");
    QTest::newRow("commas, semicolons and blanks")
        << "9600, 19200;38400  57600" << true << QList<int> { 9600, 19200, 38400, 57600 } << QString();
    QTest::newRow("each once, in the order given")
        << "38400,9600,38400" << true << QList<int> { 38400, 9600 } << QString();
    QTest::newRow("nothing") << " " << true << QList<int> {} << QString();
    QTest::newRow("a word") << "9600,fast" << false << QList<int> { 9600 } << "fast";
    QTest::newRow("too slow") << "200" << false << QList<int> {} << "200";
    QTest::newRow("too fast") << "5000000" << false << QList<int> {} << "5000000";
}

void TestBusScanner::baudRatesAsTyped()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QList<int>, rates);
    QFETCH(QString, badWord);
    QList<int> parsed { 1 };
    QString word;
    QCOMPARE(ScanPlan::parseBaudRates(text, &parsed, &word), ok);
    QCOMPARE(parsed, rates);
    QCOMPARE(word, badWord);
}

void TestBusScanner::framingsByName()
{
    for (const ScanFraming& framing : ScanFraming::standard()) {
        ScanFraming found;
        QVERIFY(ScanFraming::fromName(framing.name().toLower(), &found));
        QCOMPARE(found, framing);
    }
    ScanFraming untouched;
    QVERIFY(!ScanFraming::fromName(QStringLiteral("7E1"), &untouched));
}

// The per-address wait the scan's speed rests on: about 30 ms at 9600 baud with a USB adapter's
// latency, far from the regular 1.5 s request timeout with its retry.
void TestBusScanner::silentBudget_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<int>("expectedMs");
    QTest::newRow("9600 8N2") << 9600 << int(QSerialPort::NoParity) << int(QSerialPort::TwoStop) << 30;
    QTest::newRow("9600 8E1") << 9600 << int(QSerialPort::EvenParity) << int(QSerialPort::OneStop) << 30;
    QTest::newRow("9600 8N1") << 9600 << int(QSerialPort::NoParity) << int(QSerialPort::OneStop) << 28;
    QTest::newRow("19200 8N2") << 19200 << int(QSerialPort::NoParity) << int(QSerialPort::TwoStop) << 23;
    QTest::newRow("115200 8N1, fixed gap")
        << 115200 << int(QSerialPort::NoParity) << int(QSerialPort::OneStop) << 19;
}

void TestBusScanner::silentBudget()
{
    QFETCH(int, baud);
    QFETCH(int, parity);
    QFETCH(int, stopBits);
    QFETCH(int, expectedMs);
    QCOMPARE(
        BusScanner::silentTimeoutMs(baud, { parity, stopBits }, BusScanner::DefaultLatencyMs), expectedMs);
}

void TestBusScanner::findsDriveAtItsSetting_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("parity");
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<int>("slave");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("expected");
    QTest::newRow("38400 8O1 address 17") << 38400 << "O" << 1 << 17 << 16 << 19 << "38400 8O1 17";
    QTest::newRow("9600 8N1 address 2") << 9600 << "N" << 1 << 2 << 1 << 4 << "9600 8N1 2";
    QTest::newRow("19200 8N2 address 246") << 19200 << "N" << 2 << 246 << 245 << 247 << "19200 8N2 246";
}

void TestBusScanner::findsDriveAtItsSetting()
{
    QFETCH(int, baud);
    QFETCH(QString, parity);
    QFETCH(int, stopBits);
    QFETCH(int, slave);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, expected);
    SimDrive sim;
    QVERIFY(startDrive(sim, baud, parity, stopBits, slave));

    const ScanPlan p = plan(sim, { 9600, 19200, 38400 }, { k8N2, k8N1, k8O1 }, first, last);
    const Run run = scan(p);
    QVERIFY(run.finished);
    QVERIFY2(run.outcome == BusScanner::Completed, qPrintable(run.error));
    QCOMPARE(run.lastTried, p.combinations());
    QCOMPARE(describe(run.hits), QStringList { expected });
    QCOMPARE(run.hits.first().values.size(), int(DriveRegister::Servo::ProbeCount));
    // The drive keeps working for a regular master afterwards: the scan left the port to others.
    QSerialPort port(sim.portName());
    QVERIFY(port.open(QIODevice::ReadWrite));
}

void TestBusScanner::listsTwoDrivesOnOneLink()
{
    SimDrive sim;
    QVERIFY(startDrive(
        sim, 19200, QStringLiteral("N"), 2, 3, { QStringLiteral("--slave"), QStringLiteral("9") }));
    const Run run = scan(plan(sim, { 19200 }, { k8N2, k8O1 }, 2, 10));
    QVERIFY(run.finished);
    QCOMPARE(describe(run.hits), (QStringList { "19200 8N2 3", "19200 8N2 9" }));
}

void TestBusScanner::stopsMidScanWithThePortClosed()
{
    SimDrive sim;
    QVERIFY(startDrive(sim, 9600, QStringLiteral("N"), 2, 200));
    BusScanner scanner;
    QSignalSpy progress(&scanner, &BusScanner::progress);
    QSignalSpy finished(&scanner, &BusScanner::finished);
    QVERIFY(scanner.start(plan(sim, { 9600, 19200 }, ScanFraming::standard(), 1, 247)));
    QVERIFY(progress.wait(2000));
    QTRY_VERIFY(progress.count() >= 5);

    QElapsedTimer timer;
    timer.start();
    scanner.stop();
    QVERIFY(finished.wait(1000));
    const qint64 stopMs = timer.elapsed();
    QVERIFY2(stopMs < 200, qPrintable(QString::number(stopMs)));
    QCOMPARE(finished.first().at(0).value<BusScanner::Outcome>(), BusScanner::Stopped);
    QVERIFY(!scanner.isRunning());
    const int tried = progress.last().at(0).toInt();
    QVERIFY(tried < progress.last().at(1).toInt());

    // Closed: another opener gets the port, and nothing more is sent on it.
    QSerialPort port(sim.portName());
    QVERIFY(port.open(QIODevice::ReadWrite));
    QTest::qWait(100);
    QCOMPARE(progress.last().at(0).toInt(), tried);
}

// Silence, noise and corrupted answers all mean no device at that setting.
void TestBusScanner::findsNothing_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<int>>("bauds");
    QTest::newRow("drive silent") << QStringList() << "silent on" << QList<int> { 9600, 38400 };
    QTest::newRow("noise at the wrong baud rates")
        << QStringList { "--mismatch", "noise" } << "" << QList<int> { 9600, 19200, 57600 };
    QTest::newRow("answers with a bad CRC") << QStringList() << "badcrc on" << QList<int> { 38400 };
}

void TestBusScanner::findsNothing()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QString, command);
    QFETCH(QList<int>, bauds);
    SimDrive sim;
    QVERIFY(startDrive(sim, 38400, QStringLiteral("N"), 2, 4, simArgs));
    if (!command.isEmpty())
        QVERIFY(sim.command(command).startsWith(QLatin1String("ok")));

    // Nothing is to be found, so no answer can come late: the adapter's usual latency will do.
    const ScanPlan p = plan(sim, bauds, { k8N2, k8N1 }, 1, 8, BusScanner::DefaultLatencyMs);
    const Run run = scan(p);
    QVERIFY(run.finished);
    QCOMPARE(run.outcome, BusScanner::Completed);
    QCOMPARE(run.lastTried, p.combinations());
    QCOMPARE(describe(run.hits), QStringList());
}

void TestBusScanner::countsExceptionAnswers()
{
    SimDrive sim;
    QVERIFY(startDrive(sim, 57600, QStringLiteral("O"), 1, 31));
    QVERIFY(sim.command(QStringLiteral("exception 0035 2")).startsWith(QLatin1String("ok")));
    const Run run = scan(plan(sim, { 57600 }, { k8N2, k8O1 }, 30, 33));
    QCOMPARE(describe(run.hits), QStringList { "57600 8O1 31 exception 2" });
    QVERIFY(run.hits.first().values.isEmpty());
}

// A drive slower than the wait (a slow turnaround, a sluggish adapter) still answers during the
// next address's wait, or the grace after the last; the answer names its address.
void TestBusScanner::countsLateAnswers_data()
{
    QTest::addColumn<int>("slave");
    QTest::newRow("within the range") << 3;
    QTest::newRow("the last address") << 6;
}

void TestBusScanner::countsLateAnswers()
{
    QFETCH(int, slave);
    SimDrive sim;
    QVERIFY(startDrive(sim, 19200, QStringLiteral("N"), 2, slave));
    const ScanPlan p = plan(sim, { 19200 }, { k8N2 }, 1, 6);
    const int silentMs = BusScanner::silentTimeoutMs(19200, k8N2, p.latencyMs);
    QVERIFY(sim.command(QStringLiteral("delay %1").arg(silentMs)).startsWith(QLatin1String("ok")));
    const Run run = scan(p);
    QCOMPARE(describe(run.hits), QStringList { QStringLiteral("19200 8N2 %1").arg(slave) });
}

void TestBusScanner::readsTheVfdVersion()
{
    SimDrive sim;
    QVERIFY(startDrive(sim, 19200, QStringLiteral("N"), 1, 5, {}, QStringLiteral("vfd")));
    ScanPlan p = plan(sim, { 19200 }, { k8N1 }, 4, 6);
    p.probeStart = DriveRegister::Vfd::ProbeStart;
    p.probeCount = DriveRegister::Vfd::ProbeCount;
    const Run run = scan(p);
    QCOMPARE(describe(run.hits), QStringList { "19200 8N1 5" });
    QCOMPARE(probeVersionText(true, run.hits.first().values), QStringLiteral("KV 2.0"));
    // The servo's probe registers are states, not a version.
    QCOMPARE(probeVersionText(false, run.hits.first().values), QString());
    QCOMPARE(probeVersionText(true, { 0, 0x0200, 1 }), QString());
}

void TestBusScanner::reportsAPortThatCannotOpen()
{
    SimDrive sim;
    ScanPlan p = plan(sim, { 9600 }, { k8N2 }, 1, 3);
    p.portName = sim.portName() + QStringLiteral("-missing");
    const Run run = scan(p, 5000);
    QVERIFY(run.finished);
    QCOMPARE(run.outcome, BusScanner::PortFailed);
    QCOMPARE(run.lastTried, 0);
}

// One connection, every unit id once, no line setting: a gateway's "target failed to respond" and a
// serial server's silence both mean no drive at that id.
void TestBusScanner::scansUnitIdsOverTcp_data()
{
    QTest::addColumn<int>("transport");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("expected");
    const QStringList twoDrives { "3", "5" };
    for (BusLink::Transport transport : { BusLink::ModbusTcp, BusLink::RtuOverTcp }) {
        const QString name = BusLink::transportName(transport);
        QTest::newRow(qPrintable(name + QStringLiteral(", two drives")))
            << int(transport) << QString() << twoDrives;
        QTest::newRow(qPrintable(name + QStringLiteral(", silent")))
            << int(transport) << QStringLiteral("silent on") << QStringList();
        QTest::newRow(qPrintable(name + QStringLiteral(", exception answers")))
            << int(transport) << QStringLiteral("exception all 2")
            << QStringList { "3 exception 2", "5 exception 2" };
    }
    QTest::newRow("Modbus TCP, gateway without its drives")
        << int(BusLink::ModbusTcp) << QStringLiteral("exception all 0x0B") << QStringList();
}

void TestBusScanner::scansUnitIdsOverTcp()
{
    QFETCH(int, transport);
    QFETCH(QString, command);
    QFETCH(QStringList, expected);
    SimDrive sim;
    QVERIFY(startTcpDrive(
        sim, BusLink::Transport(transport), 3, { QStringLiteral("--slave"), QStringLiteral("5") }));
    if (!command.isEmpty())
        QVERIFY(sim.command(command).startsWith(QLatin1String("ok")));
    const ScanPlan p = tcpPlan(sim.link(), 2, 6);
    QCOMPARE(p.combinations(), 5);
    const Run run = scan(p);
    QVERIFY(run.finished);
    QVERIFY2(run.outcome == BusScanner::Completed, qPrintable(run.error));
    QCOMPARE(run.lastTried, p.combinations());
    QCOMPARE(describe(run.hits), expected);
    for (const ScanHit& hit : run.hits)
        QCOMPARE(hit.values.size(), hit.exception ? 0 : int(DriveRegister::Servo::ProbeCount));
}

void TestBusScanner::stopsMidScanOverTcp()
{
    SimDrive sim;
    QVERIFY(startTcpDrive(sim, BusLink::ModbusTcp, 1));
    QVERIFY(sim.command(QStringLiteral("silent on")).startsWith(QLatin1String("ok")));
    BusScanner scanner;
    QSignalSpy progress(&scanner, &BusScanner::progress);
    QSignalSpy finished(&scanner, &BusScanner::finished);
    QVERIFY(scanner.start(tcpPlan(sim.link(), 1, 247)));
    QTRY_VERIFY(progress.count() >= 2);
    scanner.stop();
    QVERIFY(finished.wait(1000));
    QCOMPARE(finished.first().at(0).value<BusScanner::Outcome>(), BusScanner::Stopped);
    QVERIFY(progress.last().at(0).toInt() < 247);
}

void TestBusScanner::reportsARefusedTcpConnection_data()
{
    QTest::addColumn<int>("transport");
    QTest::newRow("Modbus TCP") << int(BusLink::ModbusTcp);
    QTest::newRow("RTU over TCP") << int(BusLink::RtuOverTcp);
}

void TestBusScanner::reportsARefusedTcpConnection()
{
    QFETCH(int, transport);
    const ScanPlan p = tcpPlan(
        BusLink::tcp(BusLink::Transport(transport), QStringLiteral("127.0.0.1"), closedPort()), 1, 3);
    const Run run = scan(p, 5000);
    QVERIFY(run.finished);
    QCOMPARE(run.outcome, BusScanner::PortFailed);
    QVERIFY2(run.error.contains(QLatin1String("refused the connection")), qPrintable(run.error));
    QCOMPARE(run.lastTried, 0);
}

QTEST_GUILESS_MAIN(TestBusScanner)
#include "tst_busscanner.moc"
