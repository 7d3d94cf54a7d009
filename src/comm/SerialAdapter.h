// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// What the system knows about the USB serial adapter behind a port, from sysfs and the udev rule
// folders: whether it is a USB adapter, an FTDI adapter's latency timer, and whether the package's
// udev rule is installed. Everything is looked for under a system root, "/" unless a test points
// it at a tree of its own.
class SerialAdapter
{
    Q_DECLARE_TR_FUNCTIONS(SerialAdapter)
public:
    // The latency timer an adapter is best left at: the drive's answer is passed on at once.
    static constexpr int BestLatencyMs = 1;

    static QString systemRoot();
    static void setSystemRoot(const QString& root);

    // The kernel's name of the tty behind a port name, a device path or a link to one ("ttyUSB0").
    static QString kernelName(const QString& portName);

    // True when the port is a USB serial adapter (ttyUSB, ttyACM), the devices the udev rule
    // gives to the user at the seat.
    static bool isUsbAdapter(const QString& portName);

    // The latency timer of an FTDI adapter in ms; -1 when the port is no FTDI adapter or the
    // timer cannot be read.
    static int latencyTimerMs(const QString& portName);

    // The package's udev rule where it is installed (as a path on the real system), or empty.
    static QString installedUdevRule();

    // Why and how to lower the latency timer of the adapter behind a port; empty when there is
    // nothing to say (no FTDI adapter, or its timer is at 1 ms already).
    static QString latencyHint(const QString& portName);
};
