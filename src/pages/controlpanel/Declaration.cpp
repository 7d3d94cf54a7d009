// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_ControlPanel.h"
#include "ui/PageDeclaration.h"
KESTROVA_PAGE(controlpanel, GUI_ControlPanel, 6, "ControlPanel",
    QT_TRANSLATE_NOOP("MainWindow", "Control Panel"), "ControlPanel.png", 7, PageDeclaration::VfdFamily)
