// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_IO.h"
#include "ui/PageDeclaration.h"
KESTROVA_PAGE(
    io, GUI_IO, 5, "IO", QT_TRANSLATE_NOOP("MainWindow", "I/O"), "IO.png", 5, PageDeclaration::ServoFamily)
