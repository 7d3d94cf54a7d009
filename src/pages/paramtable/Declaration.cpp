// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_ParamTable.h"

#include "ui/PageDeclaration.h"

namespace Pages::paramtable {

PageDeclaration declaration()
{
    PageDeclaration page = PageDeclaration::of<GUI_ParamTable>();
    page.id = 2;
    page.name = "ParamTable";
    page.title = QT_TRANSLATE_NOOP("MainWindow", "Parameter Table");
    page.icon = "Parameters.png";
    page.workspaceRow = 9;
    return page;
}

} // namespace Pages::paramtable
