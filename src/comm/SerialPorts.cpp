// SPDX-License-Identifier: GPL-3.0-or-later
#include "SerialPorts.h"

#include <QSerialPortInfo>
#include <QStringList>

namespace SerialPorts {

namespace {

QList<Port> announcedPorts()
{
    QList<Port> ports;
    const QString value = qEnvironmentVariable(ExtraPortsVariable);
    const QStringList entries = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        const int eq = entry.indexOf(QLatin1Char('='));
        Port port;
        port.name = (eq < 0 ? entry : entry.left(eq)).trimmed();
        port.description = eq < 0 ? QString() : entry.mid(eq + 1).trimmed();
        port.announced = true;
        if (!port.name.isEmpty())
            ports.append(port);
    }
    return ports;
}

} // namespace

QList<Port> available()
{
    QList<Port> ports = announcedPorts();
    const auto system = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : system)
        ports.append({ info.portName(), info.description(), false });
    return ports;
}

} // namespace SerialPorts
