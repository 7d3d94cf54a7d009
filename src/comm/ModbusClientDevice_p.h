// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModbusDevice_p.h"

#include <QPointer>

class QModbusReply;

class ModbusClientDevicePrivate : public ModbusDevicePrivate
{
public:
    // The reply of the request on the link; cleared when the request completes.
    QPointer<QModbusReply> currentReply;
    // The client's own text of the error that kept it from opening.
    QString openErrorText;
    // Qt's TCP client numbers its requests from 0 in the MBAP header, one number per request sent,
    // its repeats included in the same number; the monitor shows the same.
    quint16 nextTransactionId = 0;
};
