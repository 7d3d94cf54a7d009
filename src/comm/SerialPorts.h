// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The serial ports a user may choose from: links announced in KESTROVA_EXTRA_PORTS first (the demo's
// and the tests' pty links, which the system does not enumerate), then the system's own ports.
namespace SerialPorts {

// "PATH=description;PATH=description…"
constexpr char ExtraPortsVariable[] = "KESTROVA_EXTRA_PORTS";

struct Port
{
    QString name; // what opens it: a system port name ("ttyUSB0") or a path
    QString description; // may be empty for an announced link
    bool announced = false;
};

QList<Port> available();

} // namespace SerialPorts
