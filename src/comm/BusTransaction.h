// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QVector>

// One request as it went over the bus and how it ended; the bus device reports one for every
// request it put on the line, so that a monitor can show the traffic without touching it.
struct BusTransaction
{
    enum Outcome : quint8 {
        Ok = 0,
        Timeout, // nothing came back within the response time and its retries
        Exception, // the drive refused the request with a Modbus exception response
        CrcError, // bytes came back, but no valid answer (corrupted CRC, torn or foreign frame)
        LinkError, // the port failed, or the request was aborted or never got onto the line
    };

    // How the frames travelled (a BusLink::Transport): RTU frames on a serial line or through a TCP
    // socket, or Modbus TCP frames with their MBAP header.
    quint8 transport = 0;
    quint16 transactionId = 0; // the MBAP header's transaction id (Modbus TCP only)
    quint64 request = 0; // the service's request number; 0 for unnumbered requests
    QString tag;
    bool connectionTest = false; // the read that proves the drive answers, before any request
    quint8 serverAddress = 0;
    quint8 functionCode = 0;
    quint16 startAddr = 0;
    quint16 count = 0;
    QVector<quint16> written; // the values of a write
    QVector<quint16> values; // what the request yielded: registers read, or the confirmed write
    qint64 startedMs = 0; // wall clock when the request went onto the line, ms since the epoch
    qint64 latencyUs = 0; // from going onto the line to its end
    // The end on the monotonic clock (QDeadlineTimer::current, ns): the time a sample was taken, to
    // the microsecond and immune to wall-clock steps.
    qint64 finishedNs = 0;
    Outcome outcome = Ok;
    quint8 exceptionCode = 0;

    bool answered() const { return outcome == Ok || outcome == Exception; }
    qint64 finishedMs() const { return startedMs + latencyUs / 1000; }

    // The frames on the wire: RTU frames (address, PDU, CRC low byte first), or for Modbus TCP the
    // MBAP header (transaction id, protocol 0, length, unit id) and the PDU. The client sends exactly
    // the request frame; a reply is known only when it was valid, so the reply frame of any other
    // outcome is empty.
    QByteArray requestFrame() const;
    QByteArray replyFrame() const;
    // The PDUs inside those frames: function code and data.
    QByteArray requestPdu() const;
    QByteArray replyPdu() const;
};

Q_DECLARE_METATYPE(BusTransaction)
