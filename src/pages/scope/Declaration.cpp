// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Scope.h"
#include "ui/PageDeclaration.h"
KESTROVA_PAGE(scope, GUI_Scope, 1, "Scope", QT_TRANSLATE_NOOP("MainWindow", "Scope"), "Scope.png", 1)
