// SPDX-License-Identifier: GPL-3.0-or-later
// The VFD's faults show on the control panel; this page stays out of reach.
#include "GUI_FaultPanel.h"
#include "ui/PageDeclaration.h"
KESTROVA_PAGE(faultpanel, GUI_FaultPanel, 7, "FaultPanel", QT_TRANSLATE_NOOP("MainWindow", "Faults Panel"),
    "Monitor.png", 8, PageDeclaration::VfdFamily, PageDeclaration::Hidden)
