// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the servo page tests share: one connection of the communication service to a simulated
// servo drive over a real pty, and the request lines the drive logs.

#include "SimDrive.h"
#include "UiTestSupport.h"
#include "app/Global.h"
#include "comm/Communication.h"

#include <QDeadlineTimer>
#include <QStringList>
#include <QTest>

namespace ServoPageTest {

inline QString readLine(quint16 address, int count)
{
    return QStringLiteral("03 %1 %2").arg(address, 4, 16, QLatin1Char('0')).arg(count).toUpper();
}

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

    QStringList writes() const { return UiTest::writes(sim.log()); }
};

} // namespace ServoPageTest
