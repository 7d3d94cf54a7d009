// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Runner.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrova-cli"));
    return Cli::runTool(QCoreApplication::arguments().mid(1));
}
