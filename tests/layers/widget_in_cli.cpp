// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the command-line tool runs where there is no display. Built only by the layers
// test.
#include "cli/Runner.h"

#include <QtWidgets/QWidget>

int widgetInCli()
{
    return sizeof(QWidget);
}
