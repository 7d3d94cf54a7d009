// SPDX-License-Identifier: GPL-3.0-or-later
#include "Launcher.h"

#include <QProcess>

bool ProcessLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}
