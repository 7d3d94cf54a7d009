// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the bus layer has no widgets. Built only by the layers test.
#include "comm/Communication.h"

#include <QtWidgets/QWidget>

int widgetInComm()
{
    return sizeof(QWidget);
}
