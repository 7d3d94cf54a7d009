// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_IO.h"

#include "ui/PageDeclaration.h"

namespace Pages::io {

PageDeclaration declaration()
{
    PageDeclaration page = PageDeclaration::of<GUI_IO>();
    page.id = 5;
    page.name = "IO";
    page.title = QT_TRANSLATE_NOOP("MainWindow", "I/O");
    page.icon = "IO.png";
    page.family = PageDeclaration::ServoFamily;
    page.workspaceRow = 5;
    return page;
}

} // namespace Pages::io
