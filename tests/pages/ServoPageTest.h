// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the servo page tests share: one connection of the communication service to a simulated
// servo drive over a real pty, and the request lines the drive logs.

#include "SimDrive.h"
#include "UiTestSupport.h"
#include "app/Global.h"
#include "comm/Communication.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

namespace ServoPageTest {

using UiTest::readLine;

inline QString writeLine(quint16 address, const QVector<quint16>& values)
{
    QString line = QStringLiteral("%1 %2 %3")
                       .arg(values.size() == 1 ? QStringLiteral("06") : QStringLiteral("10"))
                       .arg(address, 4, 16, QLatin1Char('0'))
                       .arg(values.size())
                       .toUpper();
    for (quint16 v : values)
        line += QLatin1Char(' ') + QString::number(v);
    return line;
}

class Link
{
    // A parameter register no servo page reads.
    static constexpr quint16 markerAddress = 0x0000;

public:
    SimDrive sim;

    bool open()
    {
        Global::instance()->setDevice(Global::DEVICE_SERVO);
        Global::instance()->setLanguage(Global::LANGUAGE_EN);
        SimDrive::Options options;
        options.config = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/SERVO/KSD-V1.2/EN");
        if (!sim.start(options))
            return false;
        Communication* comm = Communication::instance();
        comm->setCommType(Communication::COMM_MODBUS_RTU);
        if (!comm->openDevice(sim.serialSettings()))
            return false;
        comm->setServerAddress(quint16(options.slave));
        comm->connectDevice(53, 3);
        return UiTest::waitForState(Communication::COMM_CONNECTED, 10000);
    }

    void close()
    {
        Communication* comm = Communication::instance();
        if (comm->commState() != Communication::COMM_DISCONNECT) {
            comm->closeDevice();
            UiTest::waitForState(Communication::COMM_DISCONNECT, 8000);
        }
        sim.stop();
    }

    bool console(const QString& line) { return sim.command(line).startsWith(QLatin1String("ok")); }

    // Waits until the drive has logged the given line (after any lines already there).
    bool waitForLine(const QString& line, int timeoutMs = 4000) const
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!sim.log().contains(line)) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(20);
        }
        return true;
    }

    // Lets the link go quiet: requests already queued reach the drive and are logged.
    void settle(int ms = 300) const { QTest::qWait(ms); }

    // Returns once every request queued so far has been answered and its answer delivered: a read
    // of the test's own goes behind them, and answers come back in the order of their requests.
    // It adds markerRead() to the drive's log.
    bool answersIn(int timeoutMs = 5000) const
    {
        Communication* comm = Communication::instance();
        QSignalSpy completed(comm, &Communication::requestCompleted);
        const quint64 marker = comm->sendRead(QString(), markerAddress, 1);
        return marker != 0
            && QTest::qWaitFor(
                [&] {
                    for (const QList<QVariant>& c : qAsConst(completed)) {
                        if (c.at(0).toULongLong() == marker)
                            return true;
                    }
                    return false;
                },
                timeoutMs);
    }
    static QString markerRead() { return readLine(markerAddress, 1); }

    QStringList writes() const { return UiTest::writes(sim.log()); }
};

} // namespace ServoPageTest
