// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Motion.h"
#include "ui/PageDeclaration.h"
KESTROVA_PAGE(motion, GUI_Motion, 3, "Motion", QT_TRANSLATE_NOOP("MainWindow", "Motion"), "Motion.png", 3,
    PageDeclaration::ServoFamily)
