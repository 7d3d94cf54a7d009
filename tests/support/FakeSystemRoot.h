// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/SerialAdapter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A system root of a test's own for what the tool reads about serial adapters: the sysfs entries
// of USB adapters (an FTDI adapter's latency timer among them) and the package's udev rule. The
// tool looks there while the object lives. Readable by every account, as a child run under an
// ordinary account reads it too.
class FakeSystemRoot
{
public:
    FakeSystemRoot()
    {
        QFile::setPermissions(m_dir.path(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
        SerialAdapter::setSystemRoot(m_dir.path());
    }
    ~FakeSystemRoot() { SerialAdapter::setSystemRoot(QString()); }

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

    // A tty as the kernel lists a USB adapter: its device on the bus "usb-serial" (ttyUSB) or "usb"
    // (ttyACM). A latency of 0 or more adds the FTDI driver's timer.
    bool addAdapter(const QString& kernelName, const QString& bus, int latencyMs = -1)
    {
        const QString device
            = m_dir.filePath(QStringLiteral("sys/class/tty/") + kernelName + QStringLiteral("/device"));
        const QString busFolder = m_dir.filePath(QStringLiteral("sys/bus/") + bus);
        if (!QDir().mkpath(device) || !QDir().mkpath(busFolder)
            || !QFile::link(busFolder, device + QStringLiteral("/subsystem")))
            return false;
        return latencyMs < 0 || setLatency(kernelName, latencyMs);
    }

    bool setLatency(const QString& kernelName, int ms)
    {
        const QString folder = m_dir.filePath(QStringLiteral("sys/bus/usb-serial/devices/") + kernelName);
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/latency_timer"));
        // As sysfs shows it: the number and a new line.
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            && file.write(QByteArray::number(ms) + '\n') > 0;
    }

    bool installUdevRule()
    {
        const QString folder = m_dir.filePath(QStringLiteral("usr/lib/udev/rules.d"));
        QDir().mkpath(folder);
        QFile rule(folder + QStringLiteral("/60-kestrova.rules"));
        return rule.open(QIODevice::WriteOnly) && rule.write("# test\n") > 0;
    }

private:
    QTemporaryDir m_dir;
};
