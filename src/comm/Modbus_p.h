// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusDevices_p.h"

#include <QElapsedTimer>
#include <QPointer>

class QModbusReply;
class QModbusRtuSerialMaster;
class QTimer;

class ModbusPrivate : public BusDevicesPrivate
{
public:
    QModbusRtuSerialMaster* master = nullptr;
    bool connected = false;
    bool recovering = false;
    bool busy = false;
    int retryCount = 0;

    QTimer* recoveryTimer = nullptr;
    // The reply of the request in flight; cleared when the request completes.
    QPointer<QModbusReply> currentReply;
    // Fails the link when a reply never finishes, which Qt's master allows on a broken port.
    QTimer* replyWatchdog = nullptr;
    // A connection test read is running; a link error then only ends that test.
    bool testing = false;

    // What the monitor learns of the request in flight.
    qint64 sentAtMs = 0;
    QElapsedTimer sentClock;
    // Qt's client drops a reply with a bad CRC and then times the request out; bytes seen on the
    // port tell such a reply from silence.
    bool replyBytesSeen = false;

    // Where connectDevice proved the drive answers; a recovery proves it again there.
    quint16 probeStart = 0;
    quint16 probeCount = 0;
    // The test read of a reopen attempt; the attempt succeeds only when it is answered.
    QPointer<QModbusReply> probeReply;

    // Requests in a row that got no byte back at all: a powered-down drive or a cut drive cable
    // leaves the port healthy, so only this tells the drive is gone.
    int silentRequests = 0;
    // Since the last byte came in (an exception or a corrupted answer is still a drive that talks).
    QElapsedTimer lastHeard;
};
