// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModbusClientDevice.h"

class ModbusPrivate;
class QModbusRtuSerialMaster;

// Modbus RTU master on one serial port, through QModbusRtuSerialMaster.
class Modbus : public ModbusClientDevice
{
    Q_OBJECT
public:
    explicit Modbus(QObject* parent = nullptr);
    ~Modbus() override;

protected:
    QModbusClient* createClient() override;
    QModbusClient* client() const override;
    void forgetClient() override;
    SerialPortDiagnosis::Result openFailure() const override;

private:
    ModbusPrivate* d_func();
    const ModbusPrivate* d_func() const;

    Q_DISABLE_COPY(Modbus)
};
