// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_ParamTable.h"
#include "ui/PageDeclaration.h"
KESTROVA_PAGE(paramtable, GUI_ParamTable, 2, "ParamTable", QT_TRANSLATE_NOOP("MainWindow", "Parameter Table"),
    "Parameters.png", 9)
