// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractSocket>
#include <QCoreApplication>
#include <QString>

// Why a TCP connection to a Modbus server (a gateway, a serial device server, a drive) could not be
// made or was lost, in words a technician can act on: Qt's socket texts name the system call, not
// what to check.
class TcpDiagnosis
{
    Q_DECLARE_TR_FUNCTIONS(TcpDiagnosis)
public:
    enum Problem {
        NoProblem = 0,
        Refused, // the host answered, but nothing listens on the port
        NameNotFound, // the host name does not resolve
        Unreachable, // no route to the host or its network
        TimedOut, // nothing answered the connection request in time
        Closed, // the server closed the connection
        OtherProblem,
    };

    struct Result
    {
        Problem problem = NoProblem;
        QString text;
    };

    static Problem problemOf(QAbstractSocket::SocketError error);
    // systemText is the socket's own error text, shown when there is nothing better to say.
    static Result explain(
        QAbstractSocket::SocketError error, const QString& host, quint16 port, const QString& systemText);
    static Result timedOut(const QString& host, quint16 port, int ms);
};
