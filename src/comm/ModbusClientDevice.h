// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModbusDevice.h"

#include <QModbusDevice>

class ModbusClientDevicePrivate;
class QModbusClient;
class QModbusReply;

// A Modbus device whose frames travel through one of Qt's Modbus clients (the TCP client); a
// subclass creates and configures its client.
class ModbusClientDevice : public ModbusDevice
{
    Q_OBJECT
protected:
    ModbusClientDevice(ModbusClientDevicePrivate& dd, QObject* parent);

    // A new client for the stored link, a child of this device, its connection parameters set;
    // the subclass keeps it until forgetClient().
    virtual QModbusClient* createClient() = 0;
    virtual QModbusClient* client() const = 0;
    virtual void forgetClient() = 0;
    // Why the client's link failed, in words for the user.
    virtual QString linkFailureText(QModbusClient* client) const;

    Opening openLink() override;
    void closeLink() override;
    bool startRequest(BusTransaction& request, int retries) override;

    ModbusClientDevicePrivate* d_func();
    const ModbusClientDevicePrivate* d_func() const;

private:
    void watchClient(QModbusClient* client);
    void handleClientError(QModbusDevice::Error error);
    void handleClientState(QModbusDevice::State state);
    void handleReply(QModbusReply* reply);

    Q_DISABLE_COPY(ModbusClientDevice)
};
