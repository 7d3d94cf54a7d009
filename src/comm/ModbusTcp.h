// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModbusClientDevice.h"

class ModbusTcpPrivate;

// Modbus TCP client, through QModbusTcpClient: to a Modbus TCP-to-RTU gateway with the drive behind
// it (the unit id is the drive's slave address), or to a drive that speaks Modbus TCP itself.
class ModbusTcp : public ModbusClientDevice
{
    Q_OBJECT
public:
    explicit ModbusTcp(QObject* parent = nullptr);
    ~ModbusTcp() override;

protected:
    QModbusClient* createClient() override;
    QModbusClient* client() const override;
    void forgetClient() override;
    QString linkFailureText(QModbusClient* client) const override;
    SerialPortDiagnosis::Result openFailure() const override;

private:
    ModbusTcpPrivate* d_func();
    const ModbusTcpPrivate* d_func() const;

    Q_DISABLE_COPY(ModbusTcp)
};
