// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Scope.h"

#include "ui/PageDeclaration.h"

namespace Pages::scope {

PageDeclaration declaration()
{
    PageDeclaration page = PageDeclaration::of<GUI_Scope>();
    page.id = 1;
    page.name = "Scope";
    page.title = QT_TRANSLATE_NOOP("MainWindow", "Scope");
    page.icon = "Scope.png";
    page.workspaceRow = 1;
    return page;
}

} // namespace Pages::scope
