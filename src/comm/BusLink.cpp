// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusLink.h"

BusLink BusLink::serialPort(const SerialSettings& settings)
{
    BusLink link;
    link.serial = settings;
    return link;
}

BusLink BusLink::tcp(Transport transport, const QString& host, quint16 port)
{
    BusLink link;
    link.transport = transport;
    link.host = host.trimmed();
    link.tcpPort = port;
    return link;
}

QString BusLink::hostAndPort(const QString& host, quint16 port)
{
    // An IPv6 address needs brackets before its port.
    const QString shownHost
        = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return shownHost + QLatin1Char(':') + QString::number(port);
}

bool BusLink::parseHostAndPort(const QString& text, bool portRequired, QString* host, quint16* port)
{
    const QString trimmed = text.trimmed();
    QString hostPart = trimmed;
    QString portPart;
    if (trimmed.startsWith(QLatin1Char('['))) {
        const int close = trimmed.indexOf(QLatin1Char(']'));
        if (close < 0)
            return false;
        hostPart = trimmed.mid(1, close - 1);
        const QString rest = trimmed.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return false;
        portPart = rest.mid(1);
        if (rest.isEmpty())
            portPart.clear();
    } else if (trimmed.count(QLatin1Char(':')) == 1) {
        hostPart = trimmed.section(QLatin1Char(':'), 0, 0);
        portPart = trimmed.section(QLatin1Char(':'), 1);
    } // else a bare IPv6 address, or a host without a port
    if (hostPart.isEmpty())
        return false;
    int number = DefaultTcpPort;
    const bool portGiven = !portPart.isEmpty() || trimmed.endsWith(QLatin1Char(':'));
    if (portGiven) {
        bool ok = false;
        number = portPart.toInt(&ok);
        if (!ok || number < 1 || number > 65535)
            return false;
    } else if (portRequired) {
        return false;
    }
    *host = hostPart;
    *port = quint16(number);
    return true;
}

QString BusLink::endpoint() const
{
    return isTcp() ? hostAndPort(host, tcpPort) : serial.portName;
}

bool BusLink::sameEndpoint(const BusLink& other) const
{
    if (transport != other.transport)
        return false;
    if (!isTcp())
        return serial.portName == other.serial.portName;
    return host.compare(other.host, Qt::CaseInsensitive) == 0 && tcpPort == other.tcpPort;
}

QString BusLink::transportName(Transport transport)
{
    switch (transport) {
    case Serial:
        return QStringLiteral("Modbus-RTU");
    case ModbusTcp:
        return QStringLiteral("Modbus-TCP");
    case RtuOverTcp:
        return QStringLiteral("RTU over TCP");
    }
    return QString();
}

QString BusLink::describe(quint16 address) const
{
    switch (transport) {
    case Serial:
        return tr("%1, slave address %2").arg(serial.portName).arg(address);
    case ModbusTcp:
        return tr("%1 %2, unit id %3").arg(transportName(transport), endpoint()).arg(address);
    case RtuOverTcp:
        return tr("%1 %2, slave address %3").arg(transportName(transport), endpoint()).arg(address);
    }
    return QString();
}
