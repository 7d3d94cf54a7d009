// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RtuMaster_p.h"

class QSerialPort;

class ModbusPrivate : public RtuMasterPrivate
{
public:
    // The open port; replaced on every (re)open.
    QSerialPort* port = nullptr;
};
