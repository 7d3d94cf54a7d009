// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

// An ordinary account for the cases that depend on file permissions, which root does not see.
// CI runs as root: the account is made there when missing, and children are started under it with
// setpriv. A suite run by an ordinary user runs those children as itself.
class NonRootUser
{
public:
    static constexpr const char* Name = "kestrova-tester";

    // Empty when an ordinary account is available, otherwise why not (the text for QSKIP).
    static QString ensure()
    {
        if (::geteuid() != 0)
            return QString();
        if (!::getpwnam(Name)) {
            QProcess add;
            add.start(QStringLiteral("useradd"),
                { QStringLiteral("--system"), QStringLiteral("--no-create-home"), QStringLiteral("--shell"),
                    QStringLiteral("/usr/sbin/nologin"), QString::fromLatin1(Name) });
            if (!add.waitForFinished(20000) || add.exitCode() != 0)
                return QStringLiteral("cannot create the account %1: %2")
                    .arg(QLatin1String(Name), QString::fromLocal8Bit(add.readAllStandardError()).trimmed());
        }
        if (setprivPath().isEmpty())
            return QStringLiteral("setpriv (util-linux) is missing");
        return QString();
    }

    static bool isSwitching() { return ::geteuid() == 0; }

    static QString name()
    {
        if (!isSwitching()) {
            const passwd* self = ::getpwuid(::geteuid());
            return self ? QString::fromLocal8Bit(self->pw_name) : QString();
        }
        return QString::fromLatin1(Name);
    }

    // Lists the account as a member of the group in the account database (as "usermod -aG" does).
    static bool addToGroup(const QString& group)
    {
        if (!isSwitching())
            return false;
        QProcess add;
        add.start(QStringLiteral("usermod"), { QStringLiteral("-aG"), group, QString::fromLatin1(Name) });
        return add.waitForFinished(20000) && add.exitCode() == 0;
    }

    // Program and arguments that run program/arguments under the account: with the supplementary
    // groups of the account database (a fresh login), or with none (a login older than them).
    static QStringList command(const QString& program, const QStringList& arguments, bool freshLogin)
    {
        if (!isSwitching())
            return QStringList { program } + arguments;
        const passwd* entry = ::getpwnam(Name);
        if (!entry)
            return {};
        QStringList command { setprivPath(), QStringLiteral("--reuid=%1").arg(entry->pw_uid),
            QStringLiteral("--regid=%1").arg(entry->pw_gid),
            freshLogin ? QStringLiteral("--init-groups") : QStringLiteral("--clear-groups"),
            QStringLiteral("--") };
        return command + QStringList { program } + arguments;
    }

private:
    static QString setprivPath()
    {
        for (const char* path : { "/usr/bin/setpriv", "/bin/setpriv" }) {
            if (::access(path, X_OK) == 0)
                return QString::fromLatin1(path);
        }
        return QString();
    }
};
