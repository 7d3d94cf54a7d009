// SPDX-License-Identifier: GPL-3.0-or-later
// Its settings and the link outlive its tab.
#include "GUI_Communication.h"
#include "ui/PageDeclaration.h"
KESTROVA_PAGE(connection, GUI_Communication, 0, "Comm", QT_TRANSLATE_NOOP("MainWindow", "Communication"),
    "Connect.png", 0, PageDeclaration::AllFamilies, PageDeclaration::Resident)
