// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RtuMaster.h"

#include <QSerialPort>

class ModbusPrivate;

// Modbus RTU master on one serial port.
class Modbus : public RtuMaster
{
    Q_OBJECT
public:
    explicit Modbus(QObject* parent = nullptr);
    ~Modbus() override;

protected:
    Opening openLink() override;
    void closeLink() override;
    qint64 silentIntervalNs() const override;
    SerialPortDiagnosis::Result openFailure() const override;

private:
    ModbusPrivate* d_func();
    const ModbusPrivate* d_func() const;

    void portFailed(QSerialPort::SerialPortError error);

    Q_DISABLE_COPY(Modbus)
};
