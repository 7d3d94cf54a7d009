// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Communication.h"

#include "ui/PageDeclaration.h"

namespace Pages::connection {

PageDeclaration declaration()
{
    PageDeclaration page = PageDeclaration::of<GUI_Communication>();
    page.id = 0;
    page.name = "Comm";
    page.title = QT_TRANSLATE_NOOP("MainWindow", "Communication");
    page.icon = "Connect.png";
    // Its settings and the link outlive its tab.
    page.presence = PageDeclaration::Resident;
    page.workspaceRow = 0;
    return page;
}

} // namespace Pages::connection
