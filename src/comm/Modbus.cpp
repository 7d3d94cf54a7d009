// SPDX-License-Identifier: GPL-3.0-or-later
#include "Modbus.h"
#include "Modbus_p.h"

#include <QModbusRtuSerialMaster>
#include <QVariant>

Modbus::Modbus(QObject* parent)
    : ModbusClientDevice(*new ModbusPrivate, parent)
{
}

Modbus::~Modbus()
{
    closeDevice();
}

ModbusPrivate* Modbus::d_func()
{
    return static_cast<ModbusPrivate*>(d_ptr);
}

const ModbusPrivate* Modbus::d_func() const
{
    return static_cast<const ModbusPrivate*>(d_ptr);
}

QModbusClient* Modbus::createClient()
{
    Q_D(Modbus);
    auto* master = new QModbusRtuSerialMaster(this);
    d->master = master;
    const SerialSettings& serial = d->link.serial;
    master->setConnectionParameter(QModbusDevice::SerialPortNameParameter, serial.portName);
    master->setConnectionParameter(QModbusDevice::SerialBaudRateParameter, serial.baudRate);
    master->setConnectionParameter(QModbusDevice::SerialDataBitsParameter, serial.dataBits);
    master->setConnectionParameter(QModbusDevice::SerialStopBitsParameter, serial.stopBits);
    master->setConnectionParameter(QModbusDevice::SerialParityParameter, serial.parity);
    return master;
}

QModbusClient* Modbus::client() const
{
    return d_func()->master;
}

void Modbus::forgetClient()
{
    d_func()->master = nullptr;
}

SerialPortDiagnosis::Result Modbus::openFailure() const
{
    const ModbusPrivate* d = d_func();
    return SerialPortDiagnosis::diagnose(d->link.serial.portName, d->openErrorText);
}
