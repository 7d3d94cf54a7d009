// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

// What the two restarting drive commands send and how long the drive then needs, per family. The
// questions and the progress dialog around them belong to the user interface.
namespace DriveCommands {

struct Write
{
    QString tag;
    quint16 address = 0;
    QVector<quint16> values;
};

struct Plan
{
    QVector<Write> writes;
    int ticks = 0; // progress ticks of TickIntervalMs while the drive restarts; 0 = nothing to do
    bool reconnect = false; // the connection is closed half-way and the user must reconnect
};

constexpr int TickIntervalMs = 50;

// The tag of the servo's enable-state read and of the writes that change it: the window's
// indicator and the monitor page pick up both by it.
inline const QString EnableStateTag = QStringLiteral("AEnableState");

// The servo's enable or disable, tagged so that the window's indicator hears of it.
Write servoEnable(bool on);

// family: Global::DEVICE_INFO; any other value gives an empty plan.
Plan softReset(int family);
Plan restoreFactoryParameters(int family);

// Sends a write, or the plan's writes in order, through the communication service.
void send(const Write& write);
void sendWrites(const Plan& plan);

} // namespace DriveCommands
