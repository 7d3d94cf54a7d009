// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Cli {

// One parameter of a drive's result. What the two values are follows the command: get and backup
// fill `before` (the value read); diff the drive's and the file's value; set and restore the old
// and the new value and the result of the write.
struct ParameterEntry
{
    QString code;
    QString name;
    QString unit;
    QString before;
    QString after;
    QString result;
    bool failed = false;
};

struct DriveEntry
{
    int slave = 0;
    int exitCode = ExitOk;
    QString message; // why it failed, in words
    QString deviceVersion;
    QString versionSource; // "option", "reported" or "newest"
    QString reportedVersion;
    QVector<quint16> probe; // the connection test's answer
    QString definitionFolder;
    int parameterCount = -1;
    QString file;
    int compared = -1; // diff, restore: parameters of the file compared with the drive
    QVector<ParameterEntry> parameters;
    QStringList notInVersion; // in the file, not in these definitions: skipped
    QStringList readOnly; // in the file, read-only: skipped
    QStringList withoutValue; // in the file without a value: skipped
    QStringList warnings;
};

// What a run did, drive by drive: the readable table on standard output, --json, and the
// commissioning record of --report are three views of it.
class Record
{
public:
    explicit Record(const Options& options);

    void setDefinitions(const QString& folder, int family, int language);
    DriveEntry& addDrive(int slave);
    QVector<DriveEntry>& drives() { return m_drives; }
    void setExitCode(int code) { m_exitCode = code; }
    void setMessage(const QString& message) { m_message = message; }

    QJsonObject toJson() const;
    QByteArray json() const;
    QByteArray html() const;
    QString table() const;

private:
    QJsonObject driveJson(const DriveEntry& drive) const;
    QJsonObject parameterJson(const ParameterEntry& parameter) const;
    QStringList columns() const;
    QStringList cells(const ParameterEntry& parameter) const;
    QString driveHeading(const DriveEntry& drive) const;
    QString summary(const DriveEntry& drive) const;

    Options m_options;
    QDateTime m_started;
    QString m_definitions;
    int m_family = 0;
    int m_language = 0;
    int m_exitCode = ExitOk;
    QString m_message;
    QVector<DriveEntry> m_drives;
};

// Columns of text padded to their widest cell, two blanks apart.
QString alignedTable(const QStringList& header, const QVector<QStringList>& rows);

} // namespace Cli
