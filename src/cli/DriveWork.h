// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"
#include "cli/Definitions.h"
#include "cli/DriveLink.h"
#include "cli/Record.h"
#include "engine/ParameterSet.h"

#include <QJsonObject>
#include <QStringList>

class FileComparison;

namespace Cli {

// What one command does with one drive once it answers: the definitions it gets, the values that
// rule other parameters' decimals, then the command's own reads and writes, filling the drive's
// entry of the record. Nothing is written before every value to write has been checked.
class DriveWork
{
public:
    DriveWork(const Options& options, const Definitions& definitions, DriveLink* link, DriveEntry* entry);

    // `file` is the parameter file of diff and restore, read and checked already. Returns the
    // drive's exit code.
    int run(const QJsonObject& file);

private:
    bool chooseVersion();
    bool loadDefinitions();
    QVector<ParameterBatch::Result> readPrecisionSources();

    int get();
    int set();
    int backup();
    int compare(const QJsonObject& file);
    int restore(const FileComparison& comparison);

    // The answer to a read of `code`: the value, and the decimals it gives others.
    void takeAnswer(const QString& code, const QVector<quint16>& values);
    int rowOf(const QString& code) const;
    QString unknownText(const QStringList& codes) const;
    ParamRequests rulingFirst(ParamRequests requests) const;
    QVector<ParameterBatch::Result> readValues(const ParamRequests& requests, const QString& label);
    int writeValues(const ParamRequests& writes, const QStringList& before, const QStringList& after);
    int fail(int code, const QString& message);

    const Options& m_options;
    const Definitions& m_definitions;
    DriveLink* m_link;
    DriveEntry* m_entry;
    ParameterSet m_set;
    QString m_label; // "slave 2": what progress lines begin with
};

// The exit code that the outcomes of a batch call for.
int exitCodeOf(const QVector<ParameterBatch::Result>& results);

} // namespace Cli
