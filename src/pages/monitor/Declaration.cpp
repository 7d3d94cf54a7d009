// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Monitor.h"

#include "ui/PageDeclaration.h"

namespace Pages::monitor {

PageDeclaration declaration()
{
    PageDeclaration page = PageDeclaration::of<GUI_Monitor>();
    page.id = 4;
    page.name = "Monitor";
    page.title = QT_TRANSLATE_NOOP("MainWindow", "Monitor");
    page.icon = "Monitor.png";
    page.family = PageDeclaration::ServoFamily;
    page.workspaceRow = 6;
    return page;
}

} // namespace Pages::monitor
