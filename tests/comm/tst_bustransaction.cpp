// SPDX-License-Identifier: GPL-3.0-or-later
// The transaction records the Modbus device reports for the bus monitor, against the simulated
// drive with injected faults on a real pty link; and the RTU frames rebuilt from a record.

#include "SimDrive.h"
#include "comm/BusTransaction.h"
#include "comm/Communication.h"
#include "comm/Modbus.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// Short enough to keep the timeout cases quick, long enough for a loaded machine.
constexpr int kResponseMs = 400;

BusTransaction transactionAt(const QSignalSpy& spy, int i)
{
    return spy.at(i).at(0).value<BusTransaction>();
}

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class TestBusTransaction : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void connectionTestIsRecorded();
    void outcomes_data();
    void outcomes();
    void writeRecords_data();
    void writeRecords();
    void transactionsComeBeforeResults();
    void serviceForwardsTransactions();

    void frames_data();
    void frames();

private:
    std::unique_ptr<SimDrive> m_sim;
    std::unique_ptr<Modbus> m_device;
    BusTransaction m_connectionTest;
};

void TestBusTransaction::initTestCase()
{
    m_sim = std::make_unique<SimDrive>();
    QVERIFY(m_sim->start());
    SerialSettings settings = m_sim->serialSettings();
    settings.responseTime = kResponseMs;
    m_device = std::make_unique<Modbus>();
    m_device->setSettings(settings);
    m_device->setServerAddress(1);
    QSignalSpy transactions(m_device.get(), &BusDevices::completed);
    QVERIFY(m_device->openDevice());
    QVERIFY(m_device->connectDevice(53, 3));
    QCOMPARE(transactions.count(), 1);
    m_connectionTest = transactionAt(transactions, 0);
}

void TestBusTransaction::cleanupTestCase()
{
    m_device.reset();
    m_sim.reset();
}

void TestBusTransaction::init()
{
    for (const char* reset : { "silent off", "badcrc off", "exception off", "delay 0" })
        QCOMPARE(m_sim->command(QLatin1String(reset)).left(2), QStringLiteral("ok"));
    m_sim->clearLog();
}

void TestBusTransaction::connectionTestIsRecorded()
{
    const BusTransaction& t = m_connectionTest;
    QVERIFY(t.connectionTest);
    QCOMPARE(t.request, quint64(0));
    QCOMPARE(t.functionCode, quint8(0x03));
    QCOMPARE(t.startAddr, quint16(53));
    QCOMPARE(t.count, quint16(3));
    QCOMPARE(t.outcome, BusTransaction::Ok);
    QCOMPARE(t.values.size(), 3);
    QVERIFY(qAbs(t.startedMs - QDateTime::currentMSecsSinceEpoch()) < 60000);
}

void TestBusTransaction::outcomes_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("exceptionCode");
    QTest::addColumn<int>("minLatencyMs");
    QTest::addColumn<int>("wireRequests"); // what the drive logged: the client retries once

    QTest::newRow("ok") << QString() << int(BusTransaction::Ok) << 0 << 0 << 1;
    QTest::newRow("slow drive") << QStringLiteral("delay 120") << int(BusTransaction::Ok) << 0 << 120 << 1;
    QTest::newRow("silent drive") << QStringLiteral("silent on") << int(BusTransaction::Timeout) << 0
                                  << 2 * kResponseMs << 0;
    QTest::newRow("illegal data address")
        << QStringLiteral("exception 2300 2") << int(BusTransaction::Exception) << 2 << 0 << 1;
    QTest::newRow("server device busy")
        << QStringLiteral("exception 2300 6") << int(BusTransaction::Exception) << 6 << 0 << 1;
    // A corrupted answer is complete by its length: the master asks again once the line is quiet,
    // without waiting out the response time.
    QTest::newRow("bad CRC") << QStringLiteral("badcrc on") << int(BusTransaction::CrcError) << 0 << 0 << 2;
}

void TestBusTransaction::outcomes()
{
    QFETCH(QString, fault);
    QFETCH(int, outcome);
    QFETCH(int, exceptionCode);
    QFETCH(int, minLatencyMs);
    QFETCH(int, wireRequests);

    QCOMPARE(m_sim->command(QStringLiteral("set 2300 4242")).left(2), QStringLiteral("ok"));
    QCOMPARE(m_sim->command(QStringLiteral("set 2301 17")).left(2), QStringLiteral("ok"));
    if (!fault.isEmpty())
        QCOMPARE(m_sim->command(fault).left(2), QStringLiteral("ok"));

    QSignalSpy transactions(m_device.get(), &BusDevices::completed);
    QSignalSpy results(m_device.get(), &BusDevices::result);
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    m_device->sendNumberedRead(77, QStringLiteral("AID=1"), 0x2300, 2);
    QVERIFY(results.wait(5 * kResponseMs + 2000));
    QCOMPARE(transactions.count(), 1);

    const BusTransaction t = transactionAt(transactions, 0);
    QCOMPARE(t.request, quint64(77));
    QCOMPARE(t.tag, QStringLiteral("AID=1"));
    QVERIFY(!t.connectionTest);
    QCOMPARE(t.serverAddress, quint8(1));
    QCOMPARE(t.functionCode, quint8(0x03));
    QCOMPARE(t.startAddr, quint16(0x2300));
    QCOMPARE(t.count, quint16(2));
    QVERIFY(t.written.isEmpty());
    QCOMPARE(int(t.outcome), outcome);
    QCOMPARE(int(t.exceptionCode), exceptionCode);
    QCOMPARE(t.values, outcome == BusTransaction::Ok ? (QVector<quint16> { 4242, 17 }) : QVector<quint16>());
    // The record agrees with what the pages get.
    QCOMPARE(results.at(0).at(1).value<QVector<quint16>>(), t.values);
    QVERIFY(t.startedMs >= before);
    QVERIFY2(t.latencyUs >= minLatencyMs * 1000, qPrintable(QString::number(t.latencyUs)));
    QVERIFY(t.latencyUs < 10 * 1000 * 1000);
    QCOMPARE(m_sim->log().size(), wireRequests);
}

void TestBusTransaction::writeRecords_data()
{
    QTest::addColumn<QVector<quint16>>("written");
    QTest::addColumn<int>("functionCode");
    QTest::addColumn<QString>("wire");

    QTest::newRow("one value") << QVector<quint16> { 1 } << 0x06 << "06 00B5 1 1";
    QTest::newRow("two values") << QVector<quint16> { 12, 3456 } << 0x10 << "10 0202 2 12 3456";
}

void TestBusTransaction::writeRecords()
{
    QFETCH(QVector<quint16>, written);
    QFETCH(int, functionCode);
    QFETCH(QString, wire);

    const quint16 address = written.size() == 1 ? 181 : 514;
    QSignalSpy transactions(m_device.get(), &BusDevices::completed);
    m_device->sendNumberedWrite(5, QString(), address, written);
    QTRY_COMPARE_WITH_TIMEOUT(transactions.count(), 1, 3000);
    const BusTransaction t = transactionAt(transactions, 0);
    QCOMPARE(int(t.functionCode), functionCode);
    QCOMPARE(t.startAddr, address);
    QCOMPARE(int(t.count), written.size());
    QCOMPARE(t.written, written);
    QCOMPARE(t.values, written);
    QCOMPARE(t.outcome, BusTransaction::Ok);
    QVERIFY(t.tag.isEmpty());
    QCOMPARE(m_sim->log(), QStringList { wire });
}

void TestBusTransaction::transactionsComeBeforeResults()
{
    QStringList order;
    connect(m_device.get(), &BusDevices::completed, this,
        [&](const BusTransaction& t) { order << QStringLiteral("t:") + t.tag; });
    connect(m_device.get(), &BusDevices::result, this,
        [&](const QString& tag, const QVector<quint16>&) { order << QStringLiteral("r:") + tag; });
    m_device->sendRead(QStringLiteral("a"), 0x2300, 1);
    m_device->sendRead(QString(), 0x2300, 1);
    m_device->sendRead(QStringLiteral("b"), 0x2300, 1);
    QTRY_COMPARE_WITH_TIMEOUT(order.size(), 5, 3000);
    QCOMPARE(order, (QStringList { "t:a", "r:a", "t:", "t:b", "r:b" }));
    m_device->disconnect(this);
}

void TestBusTransaction::serviceForwardsTransactions()
{
    // The service's own connection, on a second simulated drive.
    SimDrive sim;
    QVERIFY(sim.start());
    Communication* comm = Communication::instance();
    QSignalSpy transactions(comm, &Communication::transactionCompleted);
    QSignalSpy requests(comm, &Communication::requestCompleted);
    QVERIFY(comm->openDevice(sim.serialSettings()));
    comm->setServerAddress(1);
    comm->connectDevice(53, 3);
    QTRY_COMPARE_WITH_TIMEOUT(comm->commState(), Communication::COMM_CONNECTED, 8000);
    QCOMPARE(transactions.count(), 1);
    QVERIFY(transactionAt(transactions, 0).connectionTest);
    QCOMPARE(requests.count(), 0);

    const quint64 request = comm->sendRead(QStringLiteral("P0-19"), 0x0013, 1);
    QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 1, 3000);
    QCOMPARE(transactions.count(), 2);
    QCOMPARE(transactionAt(transactions, 1).request, request);
    QCOMPARE(transactionAt(transactions, 1).tag, QStringLiteral("P0-19"));
    comm->closeDevice();
    QTRY_COMPARE_WITH_TIMEOUT(comm->commState(), Communication::COMM_DISCONNECT, 8000);
}

void TestBusTransaction::frames_data()
{
    QTest::addColumn<int>("functionCode");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QVector<quint16>>("written");
    QTest::addColumn<QVector<quint16>>("values");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");

    // Reference frames with their CRC-16/MODBUS (low byte first) from an independent calculator.
    QTest::newRow("read ok") << 0x03 << int(BusTransaction::Ok) << QVector<quint16>()
                             << QVector<quint16> { 0x1234 } << hex("0103003500019404")
                             << hex("0103021234B533");
    QTest::newRow("read timeout") << 0x03 << int(BusTransaction::Timeout) << QVector<quint16>()
                                  << QVector<quint16>() << hex("0103003500019404") << QByteArray();
    QTest::newRow("write one") << 0x06 << int(BusTransaction::Ok) << QVector<quint16> { 1 }
                               << QVector<quint16> { 1 } << hex("0106003500015804")
                               << hex("0106003500015804");
    QTest::newRow("write two") << 0x10 << int(BusTransaction::Ok) << QVector<quint16> { 385, 65535 }
                               << QVector<quint16> { 385, 65535 } << hex("011000350002040181FFFF60E0")
                               << hex("01100035000251C6");
    QTest::newRow("exception") << 0x03 << int(BusTransaction::Exception) << QVector<quint16>()
                               << QVector<quint16>() << hex("0103003500019404") << hex("018302C0F1");
    QTest::newRow("bad CRC") << 0x06 << int(BusTransaction::CrcError) << QVector<quint16> { 7 }
                             << QVector<quint16>() << hex("010600350007D806") << QByteArray();
}

void TestBusTransaction::frames()
{
    QFETCH(int, functionCode);
    QFETCH(int, outcome);
    QFETCH(QVector<quint16>, written);
    QFETCH(QVector<quint16>, values);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);

    BusTransaction t;
    t.serverAddress = 1;
    t.functionCode = quint8(functionCode);
    t.startAddr = 0x35;
    t.count = functionCode == 0x03 ? 1 : quint16(written.size());
    t.written = written;
    t.values = values;
    t.outcome = BusTransaction::Outcome(outcome);
    t.exceptionCode = 2;
    QCOMPARE(t.requestFrame().toHex(), request.toHex());
    QCOMPARE(t.replyFrame().toHex(), reply.toHex());
}

QTEST_GUILESS_MAIN(TestBusTransaction)
#include "tst_bustransaction.moc"
