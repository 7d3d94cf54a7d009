// SPDX-License-Identifier: GPL-3.0-or-later
#include "SerialPortDiagnosis.h"
#include "SerialAdapter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>
#include <QVector>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString accountName()
{
    const passwd* entry = ::getpwuid(::geteuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(::geteuid());
}

QString groupName(gid_t gid)
{
    const group* entry = ::getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

QString ownerName(uid_t uid)
{
    const passwd* entry = ::getpwuid(uid);
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

bool processHasGroup(gid_t gid)
{
    if (::getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    QVector<gid_t> groups(count);
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// Membership as the account database has it now; a running login keeps the groups it started with.
bool accountHasGroup(gid_t gid)
{
    const passwd* entry = ::getpwuid(::geteuid());
    if (!entry)
        return false;
    if (entry->pw_gid == gid)
        return true;
    int count = 64;
    QVector<gid_t> groups(count);
    if (::getgrouplist(entry->pw_name, entry->pw_gid, groups.data(), &count) < 0) {
        groups.resize(count);
        if (::getgrouplist(entry->pw_name, entry->pw_gid, groups.data(), &count) < 0)
            return false;
    }
    return std::find(groups.begin(), groups.begin() + count, gid) != groups.begin() + count;
}

struct LockHolder
{
    qint64 pid = 0;
    QString program;
};

// Qt's serial port, minicom and other UUCP-style programs announce a port they hold with a lock
// file "LCK..<name>" in one of these folders.
LockHolder lockHolder(const QString& portName, const QString& location)
{
    QStringList names;
    for (const QString& path : { portName, location, QFileInfo(location).canonicalFilePath() }) {
        QString name = path.startsWith(QLatin1String("/dev/")) ? path.mid(5) : path;
        name.replace(QLatin1Char('/'), QLatin1Char('_'));
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    const QStringList folders = { QStringLiteral("/var/lock"), QStringLiteral("/run/lock"),
        QStringLiteral("/etc/locks"), QStringLiteral("/var/spool/locks"), QStringLiteral("/var/spool/uucp"),
        QStandardPaths::writableLocation(QStandardPaths::TempLocation) };
    for (const QString& folder : folders) {
        for (const QString& name : names) {
            const QString file = folder + QStringLiteral("/LCK..") + name;
            if (!QFile::exists(file))
                continue;
            qint64 pid = 0;
            QString host;
            QString application;
            QLockFile lock(file);
            if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0)
                continue;
            // A stale lock of a program that died does not hold the port.
            if (::kill(pid_t(pid), 0) != 0 && errno != EPERM)
                continue;
            QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
            QString program = application;
            if (comm.open(QIODevice::ReadOnly))
                program = QString::fromLocal8Bit(comm.readAll()).trimmed();
            return { pid, program };
        }
    }
    return {};
}

// pam_systemd names the seat of a local login; a remote login has none, and udev's "uaccess" gives
// devices only to the active session of a seat.
bool loginHasSeat()
{
    return !qEnvironmentVariableIsEmpty("XDG_SEAT") && qEnvironmentVariableIsEmpty("SSH_CONNECTION");
}

// With the package's udev rule in place the group should not have been needed: say why it was.
SerialPortDiagnosis::Result withUdevRuleNote(SerialPortDiagnosis::Result result, const QString& location)
{
    const QString rule = SerialAdapter::installedUdevRule();
    if (rule.isEmpty() || !SerialAdapter::isUsbAdapter(location))
        return result;
    const QString note = loginHasSeat()
        ? SerialPortDiagnosis::tr("The installed udev rule %1 gives USB serial adapters to the user at the "
                                  "computer without the group, but only to adapters plugged in after it was "
                                  "installed: unplug the adapter and plug it in again, then connect again")
              .arg(rule)
        : SerialPortDiagnosis::tr("The installed udev rule %1 gives USB serial adapters only to the user at "
                                  "the computer, and this login is a remote one (or has no seat): it needs "
                                  "the group")
              .arg(rule);
    result.text += QStringLiteral(". ") + note;
    return result;
}

SerialPortDiagnosis::Result groupProblem(const QString& location, const struct stat& info)
{
    const QString account = accountName();
    const QString group = groupName(info.st_gid);
    const bool groupMayUse = (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP) && info.st_gid != 0;
    if (groupMayUse && !processHasGroup(info.st_gid) && accountHasGroup(info.st_gid)) {
        return { SerialPortDiagnosis::NewLoginNeeded,
            SerialPortDiagnosis::tr("permission denied: your account \"%1\" was added to the group \"%2\" "
                                    "that may use %3, but this login started before that. Log out and "
                                    "log in again (or restart the computer), then connect again")
                .arg(account, group, location) };
    }
    if (groupMayUse) {
        return { SerialPortDiagnosis::PermissionDenied,
            SerialPortDiagnosis::tr("permission denied: your account \"%1\" is not in the group \"%2\" "
                                    "that may use %3. Add it with the command: sudo usermod -aG %2 %1 — "
                                    "then log out and log in again, as a new group takes effect only at "
                                    "a new login")
                .arg(account, group, location) };
    }
    return { SerialPortDiagnosis::PermissionDenied,
        SerialPortDiagnosis::tr("permission denied: your account \"%1\" may not use %2 (owner \"%3\", group "
                                "\"%4\"). Serial adapters normally belong to the group \"dialout\": add "
                                "your account to it with the command: sudo usermod -aG dialout %1 — then "
                                "log out and log in again, as a new group takes effect only at a new login")
            .arg(account, location, ownerName(info.st_uid), group) };
}

SerialPortDiagnosis::Result permissionProblem(const QString& location, const struct stat& info)
{
    return withUdevRuleNote(groupProblem(location, info), location);
}

SerialPortDiagnosis::Result busyProblem(const QString& location, const LockHolder& holder)
{
    if (holder.pid > 0) {
        return { SerialPortDiagnosis::PortBusy,
            SerialPortDiagnosis::tr("%1 is in use by another program (%2, process %3). Close that "
                                    "program, then connect again")
                .arg(location, holder.program.isEmpty() ? QStringLiteral("?") : holder.program)
                .arg(holder.pid) };
    }
    return { SerialPortDiagnosis::PortBusy,
        SerialPortDiagnosis::tr("%1 is in use by another program. Close that program, then connect again")
            .arg(location) };
}

} // namespace

QString SerialPortDiagnosis::systemLocation(const QString& portName)
{
    if (portName.startsWith(QLatin1Char('/')) || portName.startsWith(QLatin1String("./"))
        || portName.startsWith(QLatin1String("../")))
        return portName;
    return QStringLiteral("/dev/") + portName;
}

SerialPortDiagnosis::Result SerialPortDiagnosis::check(const QString& portName)
{
    const QString location = systemLocation(portName);
    const QByteArray path = QFile::encodeName(location);

    struct stat info
    {
    };
    if (::stat(path.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return { PortMissing,
                tr("%1 does not exist: the adapter is not plugged in or the path is wrong. Plug it in, "
                   "then press the Port box to list the ports again")
                    .arg(location) };
        }
        if (errno == EACCES) {
            return { PermissionDenied,
                tr("permission denied: your account \"%1\" may not reach %2, as a folder on its path is "
                   "closed to it; ask the administrator for access")
                    .arg(accountName(), location) };
        }
    } else if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES) {
        return permissionProblem(location, info);
    }

    const LockHolder holder = lockHolder(portName, location);
    if (holder.pid > 0 && holder.pid != ::getpid())
        return busyProblem(location, holder);
    return {};
}

SerialPortDiagnosis::Result SerialPortDiagnosis::diagnose(const QString& portName, const QString& systemText)
{
    const Result found = check(portName);
    if (found.problem != NoProblem)
        return found;

    const QString location = systemLocation(portName);
    const QByteArray path = QFile::encodeName(location);
    struct stat info
    {
    };
    ::stat(path.constData(), &info);

    // Only now, with no other program announced on the port, try it ourselves: that tells a port
    // held exclusively (TIOCEXCL) and a device that vanished behind its file from anything else.
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        switch (errno) {
        case EBUSY:
            return busyProblem(location, {});
        case ENXIO:
        case ENODEV:
        case EIO:
            return { PortMissing,
                tr("the device behind %1 is gone: the adapter was unplugged or switched off. Plug it "
                   "in again, then connect again")
                    .arg(location) };
        case EACCES:
        case EPERM:
            return permissionProblem(location, info);
        default:
            break;
        }
    } else {
        ::close(fd);
    }
    return { OtherProblem,
        tr("%1 could not be opened: %2")
            .arg(location, systemText.isEmpty() ? tr("unknown error") : systemText) };
}
