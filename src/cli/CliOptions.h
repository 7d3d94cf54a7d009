// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/BusLink.h"
#include "comm/BusScanner.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace Cli {

// Documented in --help and the manual page; a script tells the outcomes apart by them.
enum ExitCode {
    ExitOk = 0,
    ExitDifferent = 1, // diff: the drive and the file differ
    ExitUsage = 2, // the command line is wrong
    ExitInput = 3, // a code, value, file or definition folder is not usable; nothing was written
    ExitPort = 4, // the port is missing, not permitted or held by another program
    ExitNoAnswer = 5, // the drive does not answer, or the link was lost
    ExitNotVerified = 6, // a written value did not read back as written
    ExitRequestFailed = 7, // the drive refused a request or left it unanswered
    ExitFileNotWritten = 8, // the backup or the record could not be written
    ExitInterrupted = 130, // stopped with Ctrl-C
};

// The word a record and a table give an exit code.
QString statusText(int code);

enum class Command { Ports, Scan, Info, Get, Set, Backup, Diff, Restore };
QString commandName(Command command);

struct Options
{
    Command command = Command::Info;
    QStringList arguments; // the command's own words: codes, assignments or the file
    QString port; // the serial port, or the TCP server as host:port
    BusLink::Transport transport = BusLink::Serial;
    QString host; // TCP only
    quint16 tcpPort = BusLink::DefaultTcpPort;
    QList<int> baudRates; // one for a connection, any number for a scan
    QList<ScanFraming> framings; // likewise
    QList<int> slaves;
    int latencyMs = -1; // scan: -1 asks the adapter, else 16 ms
    int family = -1; // Global::DEVICE_INFO; -1: as the definitions folder remembers it
    int language = -1; // Global::LANGUAGE_INFO; likewise
    QString deviceVersion;
    QString definitions;
    bool json = false;
    QString report;
    bool all = false;
    bool verify = true;
    QStringList commandLine; // as given, for the record

    bool needsDrive() const { return command != Command::Ports && command != Command::Scan; }
    bool takesFile() const
    {
        return command == Command::Backup || command == Command::Diff || command == Command::Restore;
    }
    // The file of a drive: "{slave}" in the name stands for its address.
    QString fileFor(int slave) const;
    // CODE=VALUE pairs of set, in the order given.
    QList<QPair<QString, QString>> assignments() const;
};

enum class Parsed { Run, Help, Version, Error };

// Checks everything the command line alone can tell: a command, its arguments, each option's
// value and whether the command takes it.
Parsed parse(const QStringList& arguments, Options* options, QString* error);

QString helpText();
QString versionText();

} // namespace Cli
