// SPDX-License-Identifier: GPL-3.0-or-later
#include "Launcher.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Startup::setAttributes();
    QApplication app(argc, argv);
    ProcessLauncher launcher;
    return Startup::run(app, launcher);
}
