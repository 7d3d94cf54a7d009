// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Motion.h"

#include "ui/PageDeclaration.h"

namespace Pages::motion {

PageDeclaration declaration()
{
    PageDeclaration page = PageDeclaration::of<GUI_Motion>();
    page.id = 3;
    page.name = "Motion";
    page.title = QT_TRANSLATE_NOOP("MainWindow", "Motion");
    page.icon = "Motion.png";
    page.family = PageDeclaration::ServoFamily;
    page.workspaceRow = 3;
    return page;
}

} // namespace Pages::motion
