// SPDX-License-Identifier: GPL-3.0-or-later
// The two TCP bus devices (Modbus TCP through a gateway, RTU frames through a serial device server)
// against the simulated drive serving each on a free loopback port. Every case runs over both.

#include "ResultSpy.h"
#include "SimDrive.h"
#include "comm/ModbusTcp.h"
#include "comm/RtuOverTcp.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

namespace {

// A response time short enough that the silent cases take a second, not ten.
constexpr int kResponseMs = 300;

using ResultSpy::tags;
using ResultSpy::values;

std::unique_ptr<BusDevices> deviceFor(BusLink::Transport transport)
{
    if (transport == BusLink::ModbusTcp)
        return std::make_unique<ModbusTcp>();
    return std::make_unique<RtuOverTcp>();
}

// A port on which nothing listens: taken from the system, then given back.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

} // namespace

class TestModbusTcp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readsAndWritesInOrder_data() { transports(); }
    void readsAndWritesInOrder();
    void replySplitAcrossSegmentsIsOneReply_data() { transports(); }
    void replySplitAcrossSegmentsIsOneReply();
    void framesOnTheWireAreTheMonitors_data() { transports(); }
    void framesOnTheWireAreTheMonitors();
    void connectFailureSaysWhy_data();
    void connectFailureSaysWhy();
    void linkFaultsRecover_data();
    void linkFaultsRecover();

private:
    static void transports();
    bool start(BusLink::Transport transport);
    void makeDevice(BusLink::Transport transport, const BusLink& link, quint16 address = 1);
    bool openAndConnect();

    std::unique_ptr<SimDrive> m_sim;
    std::unique_ptr<BusDevices> m_device;
};

void TestModbusTcp::transports()
{
    QTest::addColumn<int>("transport");
    QTest::newRow("Modbus TCP") << int(BusLink::ModbusTcp);
    QTest::newRow("RTU over TCP") << int(BusLink::RtuOverTcp);
}

void TestModbusTcp::init()
{
    m_sim = std::make_unique<SimDrive>();
}

void TestModbusTcp::cleanup()
{
    m_device.reset();
    m_sim.reset();
}

bool TestModbusTcp::start(BusLink::Transport transport)
{
    SimDrive::Options options;
    options.transport = transport;
    if (!m_sim->start(options))
        return false;
    makeDevice(transport, m_sim->link());
    return true;
}

void TestModbusTcp::makeDevice(BusLink::Transport transport, const BusLink& link, quint16 address)
{
    m_device = deviceFor(transport);
    BusLink shortLink = link;
    shortLink.serial.responseTime = kResponseMs;
    m_device->setLink(shortLink);
    m_device->setServerAddress(address);
}

bool TestModbusTcp::openAndConnect()
{
    if (!m_device->openDevice() || !m_device->connectDevice(53, 3))
        return false;
    m_sim->clearLog();
    return true;
}

void TestModbusTcp::readsAndWritesInOrder()
{
    QFETCH(int, transport);
    QVERIFY(start(BusLink::Transport(transport)));
    QVERIFY(openAndConnect());
    m_sim->command(QStringLiteral("set 2100 11"));
    m_sim->command(QStringLiteral("set 2101 22"));
    QSignalSpy results(m_device.get(), &BusDevices::result);
    m_device->sendWrite(QStringLiteral("one"), 0x0105, 1, { 300 });
    m_device->sendWrite(QStringLiteral("two"), 0x0202, 2, { 12, 3456 });
    m_device->sendRead(QStringLiteral("read"), 0x2100, 2);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 3, 3000);
    QCOMPARE(tags(results), (QStringList { "one", "two", "read" }));
    QCOMPARE(values(results.at(0)), QVector<quint16> { 300 });
    QCOMPARE(values(results.at(1)), (QVector<quint16> { 12, 3456 }));
    QCOMPARE(values(results.at(2)), (QVector<quint16> { 11, 22 }));
    QCOMPARE(m_sim->log(), (QStringList { "06 0105 1 300", "10 0202 2 12 3456", "03 2100 2" }));
}

// The server stalls halfway through every answer, so the client gets it in two segments.
void TestModbusTcp::replySplitAcrossSegmentsIsOneReply()
{
    QFETCH(int, transport);
    QVERIFY(start(BusLink::Transport(transport)));
    QVERIFY(openAndConnect());
    m_sim->command(QStringLiteral("set 2100 7"));
    m_sim->command(QStringLiteral("split 100"));
    QSignalSpy results(m_device.get(), &BusDevices::result);
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    m_device->sendRead(QStringLiteral("a"), 0x2100, 1);
    m_device->sendRead(QStringLiteral("b"), 0x2100, 1);
    QTRY_COMPARE_WITH_TIMEOUT(results.count(), 2, 3000);
    QCOMPARE(values(results.at(0)), QVector<quint16> { 7 });
    QCOMPARE(values(results.at(1)), QVector<quint16> { 7 });
    QCOMPARE(m_sim->log().size(), 2); // no repeats
    QCOMPARE(states.count(), 0);
}

// A server of the test's own records the bytes it is sent: the monitor's frames are those bytes,
// the MBAP header's transaction id included.
void TestModbusTcp::framesOnTheWireAreTheMonitors()
{
    QFETCH(int, transport);
    const bool mbap = transport == BusLink::ModbusTcp;
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    QByteArray received;
    QTcpSocket* peer = nullptr;
    connect(&server, &QTcpServer::newConnection, this, [&] {
        peer = server.nextPendingConnection();
        connect(peer, &QIODevice::readyRead, this, [&] {
            const QByteArray bytes = peer->readAll();
            received += bytes;
            // Answer every read with zeros, in the request's own framing.
            const int count = quint8(bytes.at(bytes.size() - (mbap ? 1 : 3)));
            QByteArray pdu = QByteArray::fromHex("03") + char(2 * count) + QByteArray(2 * count, '\0');
            if (mbap) {
                const int length = pdu.size() + 1;
                peer->write(bytes.left(4) + char(length >> 8) + char(length & 0xFF) + bytes.at(6) + pdu);
            } else {
                BusTransaction answer;
                answer.serverAddress = quint8(bytes.at(0));
                answer.functionCode = 0x03;
                answer.values = QVector<quint16>(count, 0);
                peer->write(answer.replyFrame());
            }
        });
    });
    makeDevice(BusLink::Transport(transport),
        BusLink::tcp(BusLink::Transport(transport), QStringLiteral("127.0.0.1"), server.serverPort()), 5);
    QList<BusTransaction> seen;
    connect(m_device.get(), &BusDevices::completed, this,
        [&](const BusTransaction& transaction) { seen.append(transaction); });
    QVERIFY(m_device->openDevice());
    QVERIFY(m_device->connectDevice(53, 3));
    m_device->sendRead(QStringLiteral("a"), 0x1000, 2);
    m_device->sendRead(QStringLiteral("b"), 0xF013, 1);
    QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 3, 3000);

    QByteArray shown;
    for (const BusTransaction& transaction : qAsConst(seen)) {
        QCOMPARE(transaction.outcome, BusTransaction::Ok);
        shown += transaction.requestFrame();
    }
    QCOMPARE(shown.toHex(' '), received.toHex(' '));
    if (mbap) {
        // Transaction ids 0, 1, 2; protocol 0; six bytes after the length; unit id 5.
        QCOMPARE(seen.at(2).requestFrame().toHex(' '), QByteArray("00 02 00 00 00 06 05 03 f0 13 00 01"));
        QCOMPARE(seen.at(2).replyFrame().toHex(' '), QByteArray("00 02 00 00 00 05 05 03 02 00 00"));
    } else {
        QCOMPARE(seen.at(2).requestFrame().left(6).toHex(' '), QByteArray("05 03 f0 13 00 01"));
    }
}

void TestModbusTcp::connectFailureSaysWhy_data()
{
    QTest::addColumn<int>("transport");
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("listening"); // the sim serves, but not the drive asked for
    QTest::addColumn<QString>("reason");
    for (const int transport : { int(BusLink::ModbusTcp), int(BusLink::RtuOverTcp) }) {
        const char* name = transport == BusLink::ModbusTcp ? "Modbus TCP" : "RTU over TCP";
        QTest::addRow("%s, nothing listens", name)
            << transport << "127.0.0.1" << false << "refused the connection";
        QTest::addRow("%s, no such host", name)
            << transport << "no-such-gateway.invalid" << false << "was not found";
    }
    // A gateway without a drive at the unit id answers 0x0B; a serial server's line stays silent.
    QTest::newRow("Modbus TCP, no drive at the unit id")
        << int(BusLink::ModbusTcp) << "127.0.0.1" << true << "did not respond (Modbus exception 0B";
    QTest::newRow("RTU over TCP, no drive at the address")
        << int(BusLink::RtuOverTcp) << "127.0.0.1" << true << "";
}

void TestModbusTcp::connectFailureSaysWhy()
{
    QFETCH(int, transport);
    QFETCH(QString, host);
    QFETCH(bool, listening);
    QFETCH(QString, reason);
    BusLink link = BusLink::tcp(BusLink::Transport(transport), host, closedPort());
    if (listening) {
        QVERIFY(start(BusLink::Transport(transport)));
        link = m_sim->link();
    }
    makeDevice(BusLink::Transport(transport), link, 7);
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    QSignalSpy reasons(m_device.get(), &BusDevices::connectFailed);
    // A TCP link is on its way when the open returns; the connection test waits for it.
    QVERIFY(m_device->openDevice());
    QVERIFY(!m_device->connectDevice(53, 3));
    QCOMPARE(states.count(), 1);
    QCOMPARE(states.at(0).at(0).value<BusDevices::State>(), BusDevices::ConnectFiledState);
    if (reason.isEmpty()) {
        QCOMPARE(reasons.count(), 0);
        return;
    }
    QCOMPARE(reasons.count(), 1);
    const QString text = reasons.at(0).at(0).toString();
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY2(text.contains(listening ? link.endpoint() : host), qPrintable(text));
}

void TestModbusTcp::linkFaultsRecover_data()
{
    QTest::addColumn<int>("transport");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("text"); // what the device says when it gives the drive up
    for (const int transport : { int(BusLink::ModbusTcp), int(BusLink::RtuOverTcp) }) {
        const char* name = transport == BusLink::ModbusTcp ? "Modbus TCP" : "RTU over TCP";
        // A killed server is a cut cable: the link fails at once.
        QTest::addRow("%s, server killed", name) << transport << "kill"
                                                 << "";
        QTest::addRow("%s, server silent", name) << transport << "silent on"
                                                 << "The drive does not answer";
        QTest::addRow("%s, reset mid-reply", name) << transport << "reset on"
                                                   << "";
        // The gateway answers for a drive that is gone: three such answers are a silent drive.
        QTest::addRow("%s, gateway exception 0B", name) << transport << "exception all 0x0B"
                                                        << "The drive does not answer";
    }
}

// The fault fails the link, and the link comes back on its own once the fault is gone; the queue
// then runs on. (The link-fault table holds each fault longer, with the whole window.)
void TestModbusTcp::linkFaultsRecover()
{
    QFETCH(int, transport);
    QFETCH(QString, fault);
    QFETCH(QString, text);
    QVERIFY(start(BusLink::Transport(transport)));
    QVERIFY(openAndConnect());
    QSignalSpy states(m_device.get(), &BusDevices::stateChanged);
    QSignalSpy texts(m_device.get(), &BusDevices::errorOccurred);
    QSignalSpy results(m_device.get(), &BusDevices::result);
    const bool kill = fault == QLatin1String("kill");
    if (kill)
        m_sim->cutLink();
    else
        QVERIFY(m_sim->command(fault).startsWith(QLatin1String("ok")));
    for (int i = 1; i <= 4; ++i)
        m_device->sendRead(QStringLiteral("r%1").arg(i), 0x1000, 1);

    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 1, 5000);
    QCOMPARE(states.at(0).at(0).value<BusDevices::State>(), BusDevices::RecoveringState);
    if (!text.isEmpty())
        QCOMPARE(texts.at(0).at(0).toString(), text);

    if (kill)
        QVERIFY(m_sim->restoreLink());
    else
        QVERIFY(m_sim->command(fault.section(QLatin1Char(' '), 0, 0) + QStringLiteral(" off"))
                    .startsWith(QLatin1String("ok")));
    QTRY_COMPARE_WITH_TIMEOUT(states.count(), 2, 6000);
    QCOMPARE(states.at(1).at(0).value<BusDevices::State>(), BusDevices::RecoverSucceedState);

    const int before = results.count();
    m_sim->command(QStringLiteral("set 2100 9"));
    m_device->sendRead(QStringLiteral("after"), 0x2100, 1);
    QTRY_VERIFY_WITH_TIMEOUT(
        results.count() > before && tags(results).last() == QLatin1String("after"), 3000);
    QCOMPARE(values(results.last()), QVector<quint16> { 9 });
}

QTEST_GUILESS_MAIN(TestModbusTcp)
#include "tst_modbustcp.moc"
