// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliOptions.h"

#include <QString>

namespace Cli {

// Where the drive definitions are and which family and language a run uses: what the options say,
// else what the window last used (the folder's Init.xml), else servo and English.
struct Definitions
{
    QString folder; // the Driver folder, holding Config/
    int family = 0; // Global::DEVICE_INFO
    int language = 0; // Global::LANGUAGE_INFO

    QString familyFolder() const;
    // A version's definition files, in the run's language; ends in '/'.
    QString versionFolder(const QString& version) const;

    static Definitions locate(const Options& options);
    // The installed tool's per-user copy (its launcher keeps it in $XDG_DATA_HOME/kestrova or
    // ~/.local/share/kestrova), else ./Driver, else the packaged copy beside this program.
    static QString defaultFolder();
};

} // namespace Cli
