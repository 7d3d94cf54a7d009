// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Monitor.h"
#include "ui/PageDeclaration.h"
KESTROVA_PAGE(monitor, GUI_Monitor, 4, "Monitor", QT_TRANSLATE_NOOP("MainWindow", "Monitor"), "Monitor.png",
    6, PageDeclaration::ServoFamily)
