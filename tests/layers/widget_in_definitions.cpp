// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the definition layer has no widgets either. Built only by the layers test.
#include "definitions/Parameter.h"

#include <QtGui/QColor>

int colourInDefinitions()
{
    return sizeof(QColor);
}
