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
