// SPDX-License-Identifier: GPL-3.0-or-later
#include "Modbus.h"
#include "Modbus_p.h"

#include "WireTime.h"

namespace {

BusDevices::Error errorOf(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::WriteError:
        return BusDevices::WriteError;
    case QSerialPort::ReadError:
        return BusDevices::ReadError;
    case QSerialPort::UnsupportedOperationError:
        return BusDevices::ConfigurationError;
    case QSerialPort::UnknownError:
        return BusDevices::UnknownError;
    default:
        return BusDevices::ConnectionError; // gone, not permitted, not open, unplugged
    }
}

} // namespace

Modbus::Modbus(QObject* parent)
    : RtuMaster(*new ModbusPrivate, parent)
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

ModbusDevice::Opening Modbus::openLink()
{
    Q_D(Modbus);
    const SerialSettings& serial = d->link.serial;
    auto* port = new QSerialPort(this);
    port->setPortName(serial.portName);
    port->setParity(QSerialPort::Parity(serial.parity));
    port->setBaudRate(serial.baudRate);
    port->setDataBits(QSerialPort::DataBits(serial.dataBits));
    port->setStopBits(QSerialPort::StopBits(serial.stopBits));
    port->setFlowControl(QSerialPort::NoFlowControl);
    d->openErrorText.clear();
    if (!port->open(QIODevice::ReadWrite)) {
        d->openErrorText = port->errorString();
        delete port;
        return Opening::Failed;
    }
    // Bytes from before the port was ours belong to no request.
    port->clear();
    d->port = port;
    connect(port, &QSerialPort::errorOccurred, this, &Modbus::portFailed);
    attachStream(port);
    return Opening::Open;
}

void Modbus::portFailed(QSerialPort::SerialPortError error)
{
    Q_D(Modbus);
    // A timeout only says a blocking wait ended; the master never waits that way.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !d->port)
        return;
    linkFailed(errorOf(error), d->port->errorString());
}

void Modbus::closeLink()
{
    Q_D(Modbus);
    detachStream();
    QSerialPort* port = d->port;
    if (!port)
        return;
    d->port = nullptr;
    disconnect(port, nullptr, this, nullptr);
    // Close at once rather than on deletion: a port whose far end died keeps the event loop
    // spinning on read errors until it is closed.
    port->close();
    port->deleteLater();
}

qint64 Modbus::silentIntervalNs() const
{
    const SerialSettings& serial = d_func()->link.serial;
    const int bits = bitsPerCharacter(serial.dataBits, serial.parity, serial.stopBits);
    return qint64(silentIntervalMs(serial.baudRate, bits) * 1e6);
}

SerialPortDiagnosis::Result Modbus::openFailure() const
{
    const ModbusPrivate* d = d_func();
    return SerialPortDiagnosis::diagnose(d->link.serial.portName, d->openErrorText);
}
