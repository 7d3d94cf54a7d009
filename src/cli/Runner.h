// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"
#include "cli/Definitions.h"

#include <QJsonObject>
#include <QMap>
#include <QStringList>

namespace Cli {

class Progress;
class Record;

// One run of the tool: the command for every slave asked for, the results on standard output and
// what went wrong on standard error.
class Runner
{
public:
    explicit Runner(const Options& options);

    int run();

private:
    int listPorts();
    int scan();
    int driveCommand();
    // Reads and checks the parameter file of every drive before any drive is touched.
    bool readFiles(QMap<int, QJsonObject>* files, QString* problem) const;
    bool checkOutputFolders(QString* problem) const;
    int finish(Record& record, int code);

    const Options& m_options;
    Definitions m_definitions;
};

// The whole tool behind main(): parses the arguments, runs, and returns the exit code.
int runTool(const QStringList& arguments);

} // namespace Cli
