// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the parameter engine runs without widgets (the command-line tool links it).
// Built only by the layers test.
#include "engine/ParameterSet.h"

#include <QtWidgets/QAbstractItemView>

int viewInEngine()
{
    return sizeof(QAbstractItemView);
}
