// SPDX-License-Identifier: GPL-3.0-or-later
// The communication service with a drive that stops answering while the port stays healthy (the
// drive powered down, or its cable cut behind a USB adapter that stays plugged in).

#include "CommunicationProbe.h"
#include "Global.h"
#include "SimDrive.h"
#include "comm/Communication.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

Communication* comm()
{
    return Communication::instance();
}

QStringList textsOf(const QSignalSpy& spy)
{
    QStringList texts;
    for (const QList<QVariant>& args : spy)
        texts << args.at(0).toString();
    return texts;
}

// A page's poll: one read every 200 ms while connected.
class Poller : public QObject
{
public:
    Poller()
    {
        connect(&m_timer, &QTimer::timeout, this,
            [] { comm()->sendRead(QStringLiteral("AReadState"), 0x1000, 1); });
        m_timer.start(200);
    }

private:
    QTimer m_timer;
};

} // namespace

class TestSilentDrive : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lostWithinTenSecondsAndBackOnItsOwn();
    void staysSilentGivesUp();
    void idleConnectionNoticesSilence();

private:
    bool connectToSim();

    std::unique_ptr<SimDrive> m_sim;
};

void TestSilentDrive::init()
{
    Global::instance()->setDevice(Global::DEVICE_SERVO);
    m_sim = std::make_unique<SimDrive>();
    QVERIFY(m_sim->start());
    QVERIFY(connectToSim());
}

void TestSilentDrive::cleanup()
{
    if (CommunicationProbe::workerThread() || comm()->commState() != Communication::COMM_DISCONNECT) {
        comm()->closeDevice();
        QTRY_COMPARE_WITH_TIMEOUT(comm()->commState(), Communication::COMM_DISCONNECT, 5000);
    }
    m_sim.reset();
}

bool TestSilentDrive::connectToSim()
{
    if (!comm()->openDevice(m_sim->serialSettings()))
        return false;
    comm()->setServerAddress(1);
    comm()->connectDevice(53, 3);
    return QTest::qWaitFor([] { return comm()->commState() == Communication::COMM_CONNECTED; }, 6000);
}

void TestSilentDrive::lostWithinTenSecondsAndBackOnItsOwn()
{
    Poller poller;
    QSignalSpy events(comm(), &Communication::connectEvent);
    QSignalSpy texts(comm(), &Communication::printEvent);
    QTest::qWait(500);
    QElapsedTimer clock;
    clock.start();
    m_sim->command(QStringLiteral("silent on"));

    QTRY_COMPARE_WITH_TIMEOUT(comm()->commState(), Communication::COMM_WAITING, 10000);
    const qint64 lostAfter = clock.elapsed();
    qInfo("drive silent -> COMM_WAITING after %lld ms", lostAfter);
    QVERIFY(lostAfter <= 10000);
    QCOMPARE(texts.value(0).value(0).toString(), QStringLiteral("The drive does not answer"));

    // Reopen attempts come and fail on the drive's silence; the service never calls it connected.
    QTest::qWait(7000);
    QVERIFY(!events.isEmpty());
    for (const QList<QVariant>& args : events)
        QVERIFY(args.at(0).value<Communication::CommState>() != Communication::COMM_CONNECTED);
    QCOMPARE(comm()->commState(), Communication::COMM_WAITING);
    QVERIFY(textsOf(texts).contains(QStringLiteral("Communication exception, number of retries: 2")));

    clock.restart();
    m_sim->command(QStringLiteral("silent off"));
    // At most one 2.5 s tick, the test read, and the 3 s confirmation.
    QTRY_COMPARE_WITH_TIMEOUT(comm()->commState(), Communication::COMM_CONNECTED, 8000);
    qInfo("drive answering again -> COMM_CONNECTED after %lld ms", clock.elapsed());
    QVERIFY(!textsOf(texts).contains(QStringLiteral("Recovery failed")));

    // The polling page's requests flow again.
    m_sim->clearLog();
    QVERIFY(m_sim->waitForLog(2, 2000));
}

void TestSilentDrive::staysSilentGivesUp()
{
    QSignalSpy events(comm(), &Communication::connectEvent);
    QSignalSpy texts(comm(), &Communication::printEvent);
    m_sim->command(QStringLiteral("silent on"));
    for (int i = 0; i < 3; ++i)
        comm()->sendRead(QStringLiteral("P0-01"), 0x0001, 1);
    QTRY_COMPARE_WITH_TIMEOUT(comm()->commState(), Communication::COMM_WAITING, 10000);
    QElapsedTimer clock;
    clock.start();

    QTRY_COMPARE_WITH_TIMEOUT(comm()->commState(), Communication::COMM_DISCONNECT, 32000);
    qInfo("COMM_WAITING -> COMM_DISCONNECT after %lld ms", clock.elapsed());
    QStringList expected { QStringLiteral("The drive does not answer") };
    for (int i = 1; i <= 10; ++i)
        expected << QStringLiteral("Communication exception, number of retries: %1").arg(i);
    expected << QStringLiteral("Recovery failed");
    QCOMPARE(textsOf(texts), expected);
    for (const QList<QVariant>& args : events)
        QVERIFY(args.at(0).value<Communication::CommState>() != Communication::COMM_CONNECTED);
}

// Nothing asks anything (a servo with only the connection page open): the service reads the connect
// probe after five idle seconds, so a drive that goes silent is still found lost, and one that
// answers keeps the connection with one probe per idle spell.
void TestSilentDrive::idleConnectionNoticesSilence()
{
    m_sim->clearLog();
    QTest::qWait(5600);
    QCOMPARE(m_sim->log(), QStringList { QStringLiteral("03 0035 3") });
    QCOMPARE(comm()->commState(), Communication::COMM_CONNECTED);

    QElapsedTimer clock;
    clock.start();
    m_sim->command(QStringLiteral("silent on"));
    // Five idle seconds, then three unanswered probes of about three seconds each.
    QTRY_COMPARE_WITH_TIMEOUT(comm()->commState(), Communication::COMM_WAITING, 20000);
    qInfo("idle drive silent -> COMM_WAITING after %lld ms", clock.elapsed());

    m_sim->command(QStringLiteral("silent off"));
    QTRY_COMPARE_WITH_TIMEOUT(comm()->commState(), Communication::COMM_CONNECTED, 8000);
}

QTEST_GUILESS_MAIN(TestSilentDrive)
#include "tst_silentdrive.moc"
