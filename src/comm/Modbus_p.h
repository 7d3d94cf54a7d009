#pragma once

#include "BusDevices_p.h"

#include <QPointer>

class QModbusReply;
class QModbusRtuSerialMaster;
class QTimer;

class ModbusPrivate : public BusDevicesPrivate
{
public:
    QModbusRtuSerialMaster* master = nullptr;
    bool connected = false;
    bool recovering = false;
    bool busy = false;
    int retryCount = 0;

    QTimer* recoveryTimer = nullptr;
    // The reply of the request in flight; cleared when the request completes.
    QPointer<QModbusReply> currentReply;
    // Fails the link when a reply never finishes, which Qt's master allows on a broken port.
    QTimer* replyWatchdog = nullptr;
    // A connection test read is running; a link error then only ends that test.
    bool testing = false;
};
