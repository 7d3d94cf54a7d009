// SPDX-License-Identifier: GPL-3.0-or-later
#include "TcpDiagnosis.h"

#include "BusLink.h"

TcpDiagnosis::Problem TcpDiagnosis::problemOf(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return Refused;
    case QAbstractSocket::HostNotFoundError:
        return NameNotFound;
    // Qt reports "network unreachable" and "host unreachable" as a network error.
    case QAbstractSocket::NetworkError:
        return Unreachable;
    case QAbstractSocket::SocketTimeoutError:
        return TimedOut;
    case QAbstractSocket::RemoteHostClosedError:
        return Closed;
    default:
        return OtherProblem;
    }
}

TcpDiagnosis::Result TcpDiagnosis::explain(
    QAbstractSocket::SocketError error, const QString& host, quint16 port, const QString& systemText)
{
    const Problem problem = problemOf(error);
    QString text;
    switch (problem) {
    case Refused:
        text = tr("%1 refused the connection: nothing listens on that port there. Check the TCP port, and "
                  "that the gateway or serial server is switched on with its Modbus service enabled")
                   .arg(BusLink::hostAndPort(host, port));
        break;
    case NameNotFound:
        text = tr("the host name %1 was not found. Check its spelling, or enter the IP address").arg(host);
        break;
    case Unreachable:
        text = tr("%1 cannot be reached from this computer (%2). Check the network cable, the IP address, "
                  "and that this computer is in the same network or has a route to it")
                   .arg(host, systemText);
        break;
    case TimedOut:
        return timedOut(host, port, 0);
    case Closed:
        text = tr("%1 closed the connection. The server may take one client at a time and be busy with "
                  "another, or refuse this computer")
                   .arg(BusLink::hostAndPort(host, port));
        break;
    case NoProblem:
    case OtherProblem:
        text = systemText;
        break;
    }
    return { problem, text };
}

TcpDiagnosis::Result TcpDiagnosis::timedOut(const QString& host, quint16 port, int ms)
{
    const QString within = ms > 0 ? tr(" within %1 s").arg(QString::number(ms / 1000.0, 'g', 3)) : QString();
    return { TimedOut,
        tr("%1 did not take the connection%2. Check the IP address; a firewall may be dropping the "
           "connection")
            .arg(BusLink::hostAndPort(host, port), within) };
}
