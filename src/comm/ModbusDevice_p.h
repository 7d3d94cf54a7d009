// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusDevices_p.h"

#include <QElapsedTimer>

class QEventLoop;
class QTimer;

class ModbusDevicePrivate : public BusDevicesPrivate
{
public:
    bool connected = false; // the link is open and requests may be sent
    bool recovering = false;
    bool busy = false; // a request of the queue is in flight
    int retryCount = 0;

    QTimer* recoveryTimer = nullptr;
    // Fails the link when a request never ends, which Qt's clients allow on a broken link.
    QTimer* replyWatchdog = nullptr;

    // What is on the link: nothing, a request of the queue, the connection's test read, or the test
    // read of a recovery attempt. One at a time.
    enum class OnLink { Nothing, Request, Test, Probe };
    OnLink onLink = OnLink::Nothing;
    // The link is on its way up (a TCP connection being made); bounded by openTimer.
    bool opening = false;
    QTimer* openTimer = nullptr;
    // The local loop connectDevice runs while it waits for the link and for its test read.
    QEventLoop* waitLoop = nullptr;
    // A connection test read is running; a link error then only ends that test.
    bool testing = false;
    BusTransaction::Outcome testOutcome = BusTransaction::LinkError;
    quint8 testException = 0;
    QVector<quint16> testValues;
    // Why the link of this connection did not come up, in words; empty while nothing is known.
    QString openFailureReason;

    // What the monitor learns of the request on the link.
    qint64 sentAtMs = 0;
    QElapsedTimer sentClock;
    quint16 transactionId = 0;
    // A client drops a reply with a bad CRC and then times the request out; bytes seen on the link
    // tell such a reply from silence.
    bool replyBytesSeen = false;

    // Where connectDevice proved the drive answers; a recovery proves it again there.
    quint16 probeStart = 0;
    quint16 probeCount = 0;

    // Requests in a row that got no byte back at all (or only a gateway's word that the drive did
    // not respond): a powered-down drive or a cut drive cable leaves the link healthy, so only this
    // tells the drive is gone.
    int silentRequests = 0;
    // Since the last byte came in (an exception or a corrupted answer is still a drive that talks).
    QElapsedTimer lastHeard;
};
