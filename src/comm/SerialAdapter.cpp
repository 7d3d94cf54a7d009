// SPDX-License-Identifier: GPL-3.0-or-later
#include "SerialAdapter.h"
#include "SerialPortDiagnosis.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace {

// The bus device diagnoses a port in its worker thread; tests set the root from the GUI thread.
QMutex rootMutex;
QString rootPath;

const char* const UdevRuleName = "60-kestrova.rules";

QString underRoot(const QString& absolutePath)
{
    return SerialAdapter::systemRoot() + absolutePath;
}

QString latencyTimerFile(const QString& kernelName)
{
    return QStringLiteral("/sys/bus/usb-serial/devices/") + kernelName + QStringLiteral("/latency_timer");
}

} // namespace

QString SerialAdapter::systemRoot()
{
    QMutexLocker lock(&rootMutex);
    return rootPath;
}

void SerialAdapter::setSystemRoot(const QString& root)
{
    QMutexLocker lock(&rootMutex);
    rootPath = root == QLatin1String("/") ? QString() : root;
    while (rootPath.endsWith(QLatin1Char('/')))
        rootPath.chop(1);
}

QString SerialAdapter::kernelName(const QString& portName)
{
    if (portName.trimmed().isEmpty())
        return QString();
    // /dev/serial/by-id links name the adapter; the kernel knows it by the node they point to. A
    // link whose adapter is gone still tells which one it was.
    QFileInfo info(SerialPortDiagnosis::systemLocation(portName));
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return QFileInfo(canonical).fileName();
    for (int hops = 0; hops < 8 && info.isSymLink(); ++hops)
        info = QFileInfo(info.symLinkTarget());
    return info.fileName();
}

bool SerialAdapter::isUsbAdapter(const QString& portName)
{
    const QString name = kernelName(portName);
    if (name.isEmpty())
        return false;
    // ttyUSB ports hang off a usb-serial device, ttyACM ports off a USB interface directly.
    const QFileInfo subsystem(
        underRoot(QStringLiteral("/sys/class/tty/") + name + QStringLiteral("/device/subsystem")));
    const QString bus = QFileInfo(subsystem.symLinkTarget()).fileName();
    return bus == QLatin1String("usb-serial") || bus == QLatin1String("usb");
}

int SerialAdapter::latencyTimerMs(const QString& portName)
{
    const QString name = kernelName(portName);
    if (name.isEmpty())
        return -1;
    // Only the FTDI driver offers the attribute.
    QFile file(underRoot(latencyTimerFile(name)));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const int ms = file.read(16).trimmed().toInt(&ok);
    return ok && ms >= 0 ? ms : -1;
}

QString SerialAdapter::installedUdevRule()
{
    // Where udev reads packaged rules on a merged-/usr system and on an older one.
    for (const char* folder : { "/usr/lib/udev/rules.d/", "/lib/udev/rules.d/" }) {
        const QString path = QLatin1String(folder) + QLatin1String(UdevRuleName);
        if (QFileInfo::exists(underRoot(path)))
            return path;
    }
    return QString();
}

QString SerialAdapter::latencyHint(const QString& portName)
{
    const int ms = latencyTimerMs(portName);
    if (ms <= BestLatencyMs)
        return QString();
    const QString name = kernelName(portName);
    const QString command
        = QStringLiteral("sudo sh -c 'echo %1 > %2'").arg(BestLatencyMs).arg(latencyTimerFile(name));
    const QString rule = installedUdevRule();
    const QString remedy = rule.isEmpty()
        ? tr("run %1 (it lasts until the adapter is unplugged), or install the Kestrova package, whose "
             "udev rule sets it whenever the adapter is plugged in")
              .arg(command)
        : tr("unplug the adapter and plug it in again, and the installed udev rule %1 sets it; or run %2")
              .arg(rule, command);
    return tr("%1 is an FTDI adapter whose latency timer is %2 ms: it holds every answer of the drive "
              "up to %2 ms before passing it on, which makes each transaction up to %2 ms longer. "
              "Set the timer to 1 ms: %3")
        .arg(name)
        .arg(ms)
        .arg(remedy);
}
