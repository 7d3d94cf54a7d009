// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_FaultPanel.h"

#include "ui/PageDeclaration.h"

namespace Pages::faultpanel {

PageDeclaration declaration()
{
    PageDeclaration page = PageDeclaration::of<GUI_FaultPanel>();
    page.id = 7;
    page.name = "FaultPanel";
    page.title = QT_TRANSLATE_NOOP("MainWindow", "Faults Panel");
    page.icon = "Monitor.png";
    page.family = PageDeclaration::VfdFamily;
    // The VFD's faults show on the control panel; this page stays out of reach.
    page.presence = PageDeclaration::Hidden;
    page.workspaceRow = 8;
    return page;
}

} // namespace Pages::faultpanel
