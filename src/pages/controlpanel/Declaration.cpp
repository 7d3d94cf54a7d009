// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_ControlPanel.h"

#include "ui/PageDeclaration.h"

namespace Pages::controlpanel {

PageDeclaration declaration()
{
    PageDeclaration page = PageDeclaration::of<GUI_ControlPanel>();
    page.id = 6;
    page.name = "ControlPanel";
    page.title = QT_TRANSLATE_NOOP("MainWindow", "Control Panel");
    page.icon = "ControlPanel.png";
    page.family = PageDeclaration::VfdFamily;
    page.workspaceRow = 7;
    return page;
}

} // namespace Pages::controlpanel
