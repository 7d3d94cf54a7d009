// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModbusClientDevice_p.h"

class QModbusRtuSerialMaster;

class ModbusPrivate : public ModbusClientDevicePrivate
{
public:
    // The Qt client of the open port; replaced on every (re)open.
    QModbusRtuSerialMaster* master = nullptr;
};
