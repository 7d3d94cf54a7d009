// SPDX-License-Identifier: GPL-3.0-or-later
// The Modbus RTU bus device against the simulated drive on a real pty link.

#include "ProcessCpu.h"
#include "ResultSpy.h"
#include "SimDrive.h"
#include "comm/Modbus.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <ctime>
#include <memory>

namespace {

// Reaches the state report that only the device itself and its subclasses may make.
class ProbeModbus : public Modbus
{
public:
    using Modbus::setState;
};

using ResultSpy::tags;
using ResultSpy::values;

} // namespace

class TestModbus : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sendReadBeforeOpenDoesNothing();
    void openFailsOnMissingPort();
    void readReturnsRegistersInOrder();
    void writeFunctionFollowsValueCount_data();
    void writeFunctionFollowsValueCount();
    void requestsCompleteInArrivalOrder();
    void lineStaysSilentBetweenFrames_data();
    void lineStaysSilentBetweenFrames();
    void emptyMessageGivesFinishedOnly_data();
    void emptyMessageGivesFinishedOnly();
    void silentDriveFailsRequest();
    void exceptionFailsOnlyThatRequest();
    void closeDropsQueueAndAbortsRequestInFlight();
    void secondOpenReplacesTheFirst();
    void setStateAlwaysEmits();
    void connectDevice_data();
    void connectDevice();
    void pulledCableRecovers();
    void portStaysGoneGivesUp();
    void silentDriveIsLost();
    void talkingDriveIsNotLost_data();
    void talkingDriveIsNotLost();

private:
    bool openAndConnect();

    std::unique_ptr<SimDrive> m_sim;
    std::unique_ptr<ProbeModbus> m_device;
};

void TestModbus::init()
{
    m_sim = std::make_unique<SimDrive>();
    QVERIFY(m_sim->start());
    m_device = std::make_unique<ProbeModbus>();
    m_device->setSettings(m_sim->serialSettings());
    m_device->setServerAddress(1);
}

void TestModbus::cleanup()
{
    m_device.reset();
    m_sim.reset();
}

bool TestModbus::openAndConnect()
{
    if (!m_device->openDevice() || !m_device->connectDevice(53, 3))
        return false;
    m_sim->clearLog();
    return true;
}

void TestModbus::sendReadBeforeOpenDoesNothing()
{
    QSignalSpy results(m_device.get(), &BusDevices::result);
    QSignalSpy finished(m_device.get(), &BusDevices::finished);
    m_device->sendRead(QStringLiteral("P0-01"), 0x0001, 1);
    m_device->sendWrite(QStringLiteral("AEnableState"), 181, 1, { 1 });
    QTest::qWait(300);
    QCOMPARE(results.count(), 0);
    QCOMPARE(finished.count(), 0);
    // Nothing was kept for later either: the connection's test read is all that goes out.
    QVERIFY(m_device->openDevice());
    QVERIFY(m_device->connectDevice(53, 3));
    QTest::qWait(200);
    QCOMPARE(results.count(), 0);
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("03 0035 3") });
}

void TestModbus::openFailsOnMissingPort()
{
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    m_device->setSettings(m_sim->missingPortSettings());
    QSignalSpy results(m_device.get(), &BusDevices::result);
    QVERIFY(!m_device->openDevice());
    QCOMPARE(states.count(), 0);
    // No half-open device: a request goes nowhere and reports nothing.
    m_device->sendRead(QStringLiteral("P0-01"), 0x0001, 1);
    QTest::qWait(200);
    QCOMPARE(results.count(), 0);
    QVERIFY(m_sim->log().isEmpty());
}

void TestModbus::readReturnsRegistersInOrder()
{
    QVERIFY(openAndConnect());
    m_sim->command(QStringLiteral("set 2100 11"));
    m_sim->command(QStringLiteral("set 2101 22"));
    m_sim->command(QStringLiteral("set 2102 33"));
    QSignalSpy results(m_device.get(), &BusDevices::result);
    m_device->sendRead(QStringLiteral("AReadState"), 0x2100, 3);
    QVERIFY(results.wait(3000));
    QCOMPARE(results.at(0).at(0).toString(), QStringLiteral("AReadState"));
    QCOMPARE(values(results.at(0)), (QVector<quint16> { 11, 22, 33 }));
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("03 2100 3") });
}

void TestModbus::writeFunctionFollowsValueCount_data()
{
    QTest::addColumn<quint16>("startAddr");
    QTest::addColumn<quint16>("valueCount");
    QTest::addColumn<QVector<quint16>>("written");
    QTest::addColumn<QString>("wire");

    QTest::newRow("one value") << quint16(181) << quint16(1) << QVector<quint16> { 1 } << "06 00B5 1 1";
    QTest::newRow("one value, count says 2")
        << quint16(401) << quint16(2) << QVector<quint16> { 32 } << "06 0191 1 32";
    QTest::newRow("two values") << quint16(0) << quint16(2) << QVector<quint16> { 385, 65535 }
                                << "10 0000 2 385 65535";
    QTest::newRow("two values, count says 1")
        << quint16(514) << quint16(1) << QVector<quint16> { 12, 3456 } << "10 0202 2 12 3456";
    QTest::newRow("three values, count says 0")
        << quint16(0x1F00) << quint16(0) << QVector<quint16> { 0, 1, 2 } << "10 1F00 3 0 1 2";
}

void TestModbus::writeFunctionFollowsValueCount()
{
    QFETCH(quint16, startAddr);
    QFETCH(quint16, valueCount);
    QFETCH(QVector<quint16>, written);
    QFETCH(QString, wire);

    QVERIFY(openAndConnect());
    QSignalSpy results(m_device.get(), &BusDevices::result);
    m_device->sendWrite(QStringLiteral("AWrite"), startAddr, valueCount, written);
    QVERIFY(results.wait(3000));
    QCOMPARE(values(results.at(0)), written);
    QCOMPARE(m_sim->log(), QStringList { wire });
}

void TestModbus::requestsCompleteInArrivalOrder()
{
    QVERIFY(openAndConnect());
    for (int i = 0; i < 3; ++i)
        m_sim->command(QStringLiteral("set %1 %2").arg(0x2000 + i, 0, 16).arg(100 + i));
    m_sim->command(QStringLiteral("delay 100"));

    // At each completion the drive must have seen exactly the requests completed so far.
    QStringList seenAtCompletion;
    QStringList order;
    connect(m_device.get(), &BusDevices::result, this, [&](const QString& tag, const QVector<quint16>& vals) {
        order << tag + QLatin1Char('=')
                + (vals.isEmpty() ? QStringLiteral("-") : QString::number(vals.at(0)));
        seenAtCompletion << QString::number(m_sim->log().size());
    });
    QSignalSpy finished(m_device.get(), &BusDevices::finished);
    m_device->sendRead(QStringLiteral("first"), 0x2000, 1);
    m_device->sendRead(QStringLiteral("second"), 0x2001, 1);
    m_device->sendRead(QStringLiteral("third"), 0x2002, 1);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, 5000);
    QCOMPARE(order, (QStringList { "first=100", "second=101", "third=102" }));
    QCOMPARE(seenAtCompletion, (QStringList { "1", "2", "3" }));
    QCOMPARE(m_sim->log(), (QStringList { "03 2000 1", "03 2001 1", "03 2002 1" }));
}

void TestModbus::lineStaysSilentBetweenFrames_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<QString>("parity");
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<int>("silenceUs"); // 3.5 characters, 1.75 ms above 19200 baud
    QTest::newRow("115200 8N2") << 115200 << "N" << 2 << 1750;
    QTest::newRow("19200 8N2") << 19200 << "N" << 2 << 2005; // 3.5 × 11 bits
    QTest::newRow("9600 8N1") << 9600 << "N" << 1 << 3645; // 3.5 × 10 bits
}

void TestModbus::lineStaysSilentBetweenFrames()
{
    QFETCH(int, baud);
    QFETCH(QString, parity);
    QFETCH(int, stopBits);
    QFETCH(int, silenceUs);
    SimDrive::Options options;
    options.baud = baud;
    options.parity = parity;
    options.stopBits = stopBits;
    m_sim = std::make_unique<SimDrive>();
    QVERIFY(m_sim->start(options));
    m_device->setSettings(m_sim->serialSettings());
    QVERIFY(openAndConnect());
    QCOMPARE(m_sim->command(QStringLiteral("gap")).left(6), QStringLiteral("ok gap"));

    // Back to back, as a fast scope sends them: each request may go out only once the line has
    // been silent for 3.5 characters after the answer before it. The drive measures from before
    // it sends its answer to after it sees the next request, so a loaded machine only lengthens
    // what it reports.
    QSignalSpy finished(m_device.get(), &BusDevices::finished);
    for (int i = 0; i < 20; ++i)
        m_device->sendRead(QStringLiteral("r%1").arg(i), 0x1000, 1);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 20, 10000);
    const QString answer = m_sim->command(QStringLiteral("gap"));
    QVERIFY2(answer.startsWith(QStringLiteral("ok gap ")), qPrintable(answer));
    bool ok = false;
    const int shortestUs = answer.mid(7).toInt(&ok);
    QVERIFY2(ok, qPrintable(answer));
    QVERIFY2(shortestUs >= silenceUs,
        qPrintable(QStringLiteral("%1 µs of silence, %2 µs needed").arg(shortestUs).arg(silenceUs)));
}

void TestModbus::emptyMessageGivesFinishedOnly_data()
{
    QTest::addColumn<bool>("fail");
    QTest::newRow("success") << false;
    QTest::newRow("failure") << true;
}

void TestModbus::emptyMessageGivesFinishedOnly()
{
    QFETCH(bool, fail);
    QVERIFY(openAndConnect());
    if (fail)
        m_sim->command(QStringLiteral("exception 0190 2"));
    QSignalSpy results(m_device.get(), &BusDevices::result);
    QSignalSpy finished(m_device.get(), &BusDevices::finished);
    m_device->sendWrite(QString(), 400, 1, { 128 });
    QVERIFY(finished.wait(5000));
    QTest::qWait(50);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(results.count(), 0);
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("06 0190 1 128") });
}

void TestModbus::silentDriveFailsRequest()
{
    QVERIFY(openAndConnect());
    m_sim->command(QStringLiteral("silent on"));
    QSignalSpy results(m_device.get(), &BusDevices::result);
    QSignalSpy finished(m_device.get(), &BusDevices::finished);
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    QElapsedTimer clock;
    clock.start();
    m_device->sendRead(QStringLiteral("P0-19"), 0xF013, 1);
    QVERIFY(results.wait(6000));
    // Response time 1500 ms and one retry.
    QVERIFY2(clock.elapsed() >= 2500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(results.at(0).at(0).toString(), QStringLiteral("P0-19"));
    QVERIFY(values(results.at(0)).isEmpty());
    QCOMPARE(finished.count(), 1);
    // A silent drive is one failed request, not a broken link.
    QCOMPARE(states.count(), 0);
    m_sim->command(QStringLiteral("silent off"));
    m_device->sendRead(QStringLiteral("after"), 0x2100, 1);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 2, 3000);
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("03 2100 1") });
}

void TestModbus::exceptionFailsOnlyThatRequest()
{
    QVERIFY(openAndConnect());
    m_sim->command(QStringLiteral("exception 2200 2"));
    m_sim->command(QStringLiteral("set 2201 7"));
    QSignalSpy results(m_device.get(), &BusDevices::result);
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    m_device->sendRead(QStringLiteral("bad"), 0x2200, 1);
    m_device->sendRead(QStringLiteral("good"), 0x2201, 1);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 2, 5000);
    QCOMPARE(tags(results), (QStringList { "bad", "good" }));
    QVERIFY(values(results.at(0)).isEmpty());
    QCOMPARE(values(results.at(1)), QVector<quint16> { 7 });
    QCOMPARE(states.count(), 0);
}

void TestModbus::closeDropsQueueAndAbortsRequestInFlight()
{
    QVERIFY(openAndConnect());
    m_sim->command(QStringLiteral("delay 800"));
    QSignalSpy results(m_device.get(), &BusDevices::result);
    QSignalSpy finished(m_device.get(), &BusDevices::finished);
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    const BusDevices::State before = m_device->state();
    m_device->sendRead(QStringLiteral("inflight"), 0x1000, 1);
    m_device->sendRead(QStringLiteral("queued1"), 0x1001, 1);
    m_device->sendRead(QStringLiteral("queued2"), 0x1002, 1);
    m_device->sendRead(QStringLiteral("queued3"), 0x1003, 1);
    QVERIFY(m_sim->waitForLog(1, 2000));
    m_device->closeDevice();

    QTest::qWait(1500);
    QCOMPARE(tags(results), QStringList { QStringLiteral("inflight") });
    QVERIFY(values(results.at(0)).isEmpty());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(states.count(), 0);
    QCOMPARE(m_device->state(), before);
    QCOMPARE(m_sim->log().size(), 1);

    // Closed means closed: later requests vanish without a signal.
    m_device->sendRead(QStringLiteral("late"), 0x1000, 1);
    QTest::qWait(200);
    QCOMPARE(results.count(), 1);

    // Opened again, the device is idle and owes nothing of the old queue.
    m_sim->command(QStringLiteral("delay 0"));
    QVERIFY(m_device->openDevice());
    QVERIFY(m_device->connectDevice(53, 3));
    m_device->sendRead(QStringLiteral("again"), 0x1000, 1);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 2, 3000);
    QCOMPARE(tags(results), (QStringList { "inflight", "again" }));
    QCOMPARE(m_sim->log(), (QStringList { "03 1000 1", "03 0035 3", "03 1000 1" }));
}

// Opening an open device starts over on a new port handle: each request still goes out once.
void TestModbus::secondOpenReplacesTheFirst()
{
    QVERIFY(m_device->openDevice());
    QVERIFY(m_device->openDevice());
    QVERIFY(m_device->connectDevice(53, 3));
    m_sim->command(QStringLiteral("set 2100 4"));
    QSignalSpy results(m_device.get(), &BusDevices::result);
    m_device->sendRead(QStringLiteral("once"), 0x2100, 1);
    QVERIFY(results.wait(3000));
    QTest::qWait(100);
    QCOMPARE(results.count(), 1);
    QCOMPARE(values(results.at(0)), QVector<quint16> { 4 });
    QCOMPARE(m_sim->log(), (QStringList { "03 0035 3", "03 2100 1" }));
}

void TestModbus::setStateAlwaysEmits()
{
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    m_device->setState(BusDevices::RecoveringState);
    m_device->setState(BusDevices::RecoveringState);
    QCOMPARE(states.count(), 2);
    QCOMPARE(states.at(1).at(0).value<BusDevices::State>(), BusDevices::RecoveringState);
    QCOMPARE(m_device->state(), BusDevices::RecoveringState);
}

void TestModbus::connectDevice_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<BusDevices::State>("state");
    QTest::newRow("drive answers") << false << true << BusDevices::ConnectSucceedState;
    QTest::newRow("drive silent") << true << false << BusDevices::ConnectFiledState;
}

void TestModbus::connectDevice()
{
    QFETCH(bool, silent);
    QFETCH(bool, expected);
    QFETCH(BusDevices::State, state);

    if (silent)
        m_sim->command(QStringLiteral("silent on"));
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    QVERIFY(m_device->openDevice());
    QCOMPARE(states.count(), 0);
    QCOMPARE(m_device->connectDevice(53, 3), expected);
    QCOMPARE(states.count(), 1);
    QCOMPARE(states.at(0).at(0).value<BusDevices::State>(), state);
    QCOMPARE(m_device->state(), state);
    // A silent drive drops requests unlogged.
    QCOMPARE(m_sim->log(), silent ? QStringList() : QStringList { QStringLiteral("03 0035 3") });

    // Only a connected device sends, even once the drive answers again.
    m_sim->command(QStringLiteral("silent off"));
    QSignalSpy results(m_device.get(), &BusDevices::result);
    m_device->sendRead(QStringLiteral("P0-01"), 0x0001, 1);
    if (expected) {
        QVERIFY(results.wait(3000));
    } else {
        QTest::qWait(300);
        QCOMPARE(results.count(), 0);
    }
    QCOMPARE(m_sim->log().contains(QStringLiteral("03 0001 1")), expected);
}

void TestModbus::pulledCableRecovers()
{
    QVERIFY(openAndConnect());
    m_sim->command(QStringLiteral("delay 1500"));
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    QSignalSpy texts(m_device.get(), &BusDevices::errorOccurred);
    QSignalSpy results(m_device.get(), &BusDevices::result);
    m_device->sendRead(QStringLiteral("inflight"), 0x1000, 1);
    m_device->sendRead(QStringLiteral("queued"), 0x2101, 1);
    QVERIFY(m_sim->waitForLog(1, 2000));

    const double cpuBefore = processCpuSeconds();
    m_sim->cutLink();

    // The request on the line fails at once instead of hanging on the dead port; the one behind it
    // waits in the queue.
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 1, 1000);
    QCOMPARE(results.at(0).at(0).toString(), QStringLiteral("inflight"));
    QVERIFY(values(results.at(0)).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 1, 1000);
    QCOMPARE(states.at(0).at(0).value<BusDevices::State>(), BusDevices::RecoveringState);

    // Stay cut for one reopen attempt: the failed attempt neither reports a state nor spins.
    QTRY_VERIFY_WITH_TIMEOUT(texts.count() >= 1, 3500);
    QTest::qWait(300);
    QCOMPARE(states.count(), 1);
    const double cpuUsed = processCpuSeconds() - cpuBefore;
    QVERIFY2(cpuUsed < 1.0, qPrintable(QStringLiteral("%1 s CPU while the link was dead").arg(cpuUsed)));

    // A reopened port counts only once the drive answers the test read within the response time.
    m_sim->command(QStringLiteral("delay 0"));
    QVERIFY(m_sim->restoreLink());
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 2, 4000);
    QCOMPARE(states.at(1).at(0).value<BusDevices::State>(), BusDevices::RecoverSucceedState);
    QCOMPARE(texts.at(0).at(0).toString(), QStringLiteral("Communication exception, number of retries: 1"));
    QCOMPARE(texts.last().at(0).toString(),
        QStringLiteral("Communication exception, number of retries: %1").arg(texts.count()));

    // The reopened port does not send the waiting request by itself ...
    QTest::qWait(200);
    QCOMPARE(results.count(), 1);
    QVERIFY(!m_sim->log().contains(QStringLiteral("03 2101 1")));

    // ... the next request resumes the queue, in order.
    m_sim->command(QStringLiteral("set 2100 5"));
    m_sim->command(QStringLiteral("set 2101 6"));
    m_sim->clearLog();
    m_device->sendRead(QStringLiteral("after"), 0x2100, 1);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 3, 5000);
    QCOMPARE(tags(results), (QStringList { "inflight", "queued", "after" }));
    QCOMPARE(values(results.at(1)), QVector<quint16> { 6 });
    QCOMPARE(values(results.at(2)), QVector<quint16> { 5 });
    QCOMPARE(m_sim->log(), (QStringList { "03 2101 1", "03 2100 1" }));
}

void TestModbus::portStaysGoneGivesUp()
{
    QVERIFY(openAndConnect());
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    QSignalSpy texts(m_device.get(), &BusDevices::errorOccurred);
    QSignalSpy results(m_device.get(), &BusDevices::result);
    m_sim->cutLink();
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 1, 1000);

    // A request during a failed reopen attempt is dropped without a signal.
    QTRY_VERIFY_WITH_TIMEOUT(texts.count() >= 1, 3500);
    m_device->sendRead(QStringLiteral("dropped"), 0x1000, 1);

    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 2, 30000);
    QCOMPARE(states.at(0).at(0).value<BusDevices::State>(), BusDevices::RecoveringState);
    QCOMPARE(states.at(1).at(0).value<BusDevices::State>(), BusDevices::RecoverFiledState);
    QStringList expected;
    for (int i = 1; i <= 10; ++i)
        expected << QStringLiteral("Communication exception, number of retries: %1").arg(i);
    expected << QStringLiteral("Recovery failed");
    QStringList seen;
    for (const QList<QVariant>& args : texts)
        seen << args.at(0).toString();
    QCOMPARE(seen, expected);
    QCOMPARE(results.count(), 0);

    // Given up for good: no further attempts, and requests go nowhere.
    m_device->sendRead(QStringLiteral("late"), 0x1000, 1);
    QTest::qWait(2700);
    QCOMPARE(texts.count(), 11);
    QCOMPARE(states.count(), 2);
    QCOMPARE(results.count(), 0);
}

void TestModbus::silentDriveIsLost()
{
    QVERIFY(openAndConnect());
    m_sim->command(QStringLiteral("silent on"));
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    QSignalSpy texts(m_device.get(), &BusDevices::errorOccurred);
    QSignalSpy results(m_device.get(), &BusDevices::result);
    for (int i = 1; i <= 5; ++i)
        m_device->sendRead(QStringLiteral("r%1").arg(i), 0x1000, 1);

    // Three unanswered requests in a row: the drive is lost, the two still queued are dropped.
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 1, 11000);
    QCOMPARE(states.at(0).at(0).value<BusDevices::State>(), BusDevices::RecoveringState);
    QCOMPARE(tags(results), (QStringList { "r1", "r2", "r3" }));
    for (const QList<QVariant>& args : results)
        QVERIFY(values(args).isEmpty());
    QCOMPARE(texts.count(), 1);
    QCOMPARE(texts.at(0).at(0).toString(), QStringLiteral("The drive does not answer"));

    // The port reopens at once, but a silent drive fails the attempt's test read, and the
    // recovery goes on trying.
    QTRY_COMPARE_WITH_TIMEOUT(texts.count(), 2, 3000);
    QTest::qWait(2000);
    QCOMPARE(states.count(), 1);

    m_sim->command(QStringLiteral("silent off"));
    m_sim->clearLog();
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 2, 5000);
    QCOMPARE(states.at(1).at(0).value<BusDevices::State>(), BusDevices::RecoverSucceedState);
    // Success came from the drive answering the connection's test read.
    QCOMPARE(m_sim->log().value(0), QStringLiteral("03 0035 3"));
    // The two dropped requests stay dropped.
    QTest::qWait(200);
    QCOMPARE(results.count(), 3);
    QVERIFY(!m_sim->log().contains(QStringLiteral("03 1000 1")));

    m_sim->command(QStringLiteral("set 2100 9"));
    m_device->sendRead(QStringLiteral("after"), 0x2100, 1);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 4, 3000);
    QCOMPARE(values(results.at(3)), QVector<quint16> { 9 });

    // The recovered link retries a request as before: an unusable answer puts it on the wire twice.
    m_sim->command(QStringLiteral("badcrc on"));
    m_sim->clearLog();
    m_device->sendRead(QStringLiteral("retried"), 0x2100, 1);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 5, 6000);
    QCOMPARE(m_sim->log(), (QStringList { "03 2100 1", "03 2100 1" }));
}

void TestModbus::talkingDriveIsNotLost_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("tries");
    // A corrupted answer is no answer: the request is sent once more. A refusal is final.
    QTest::newRow("corrupted answers") << "badcrc on" << 2;
    QTest::newRow("exception answers") << "exception 1000 4" << 1;
}

// Failed requests of a drive that still answers are failed requests, not a lost drive.
void TestModbus::talkingDriveIsNotLost()
{
    QFETCH(QString, fault);
    QFETCH(int, tries);
    QVERIFY(openAndConnect());
    m_sim->command(fault);
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    QSignalSpy results(m_device.get(), &BusDevices::result);
    for (int i = 1; i <= 4; ++i)
        m_device->sendRead(QStringLiteral("r%1").arg(i), 0x1000, 1);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 4, 15000);
    for (const QList<QVariant>& args : results)
        QVERIFY(values(args).isEmpty());
    QTest::qWait(100);
    QCOMPARE(states.count(), 0);
    QCOMPARE(m_sim->log().size(), 4 * tries);
    // Still connected: the next request goes out as usual.
    m_sim->command(fault.startsWith(QLatin1String("badcrc")) ? QStringLiteral("badcrc off")
                                                             : QStringLiteral("exception off"));
    m_sim->command(QStringLiteral("set 2100 3"));
    m_device->sendRead(QStringLiteral("after"), 0x2100, 1);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 5, 3000);
    QCOMPARE(values(results.at(4)), QVector<quint16> { 3 });
}

QTEST_GUILESS_MAIN(TestModbus)
#include "tst_modbus.moc"
