// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModbusTcp.h"

#include "ModbusClientDevice_p.h"
#include "TcpDiagnosis.h"

#include <QModbusTcpClient>
#include <QTcpSocket>
#include <QVariant>

class ModbusTcpPrivate : public ModbusClientDevicePrivate
{
public:
    QModbusTcpClient* client = nullptr;
};

ModbusTcp::ModbusTcp(QObject* parent)
    : ModbusClientDevice(*new ModbusTcpPrivate, parent)
{
}

ModbusTcp::~ModbusTcp()
{
    closeDevice();
}

ModbusTcpPrivate* ModbusTcp::d_func()
{
    return static_cast<ModbusTcpPrivate*>(d_ptr);
}

const ModbusTcpPrivate* ModbusTcp::d_func() const
{
    return static_cast<const ModbusTcpPrivate*>(d_ptr);
}

QModbusClient* ModbusTcp::createClient()
{
    Q_D(ModbusTcp);
    d->client = new QModbusTcpClient(this);
    d->client->setConnectionParameter(QModbusDevice::NetworkAddressParameter, d->link.host);
    d->client->setConnectionParameter(QModbusDevice::NetworkPortParameter, int(d->link.tcpPort));
    return d->client;
}

QModbusClient* ModbusTcp::client() const
{
    return d_func()->client;
}

void ModbusTcp::forgetClient()
{
    d_func()->client = nullptr;
}

// The client wraps its socket's text in its own ("TCP socket error (...)"); the socket knows what
// happened.
QString ModbusTcp::linkFailureText(QModbusClient* client) const
{
    const ModbusTcpPrivate* d = d_func();
    const QTcpSocket* socket = client->findChild<QTcpSocket*>();
    if (!socket)
        return client->errorString();
    return TcpDiagnosis::explain(socket->error(), d->link.host, d->link.tcpPort, socket->errorString()).text;
}

SerialPortDiagnosis::Result ModbusTcp::openFailure() const
{
    return { SerialPortDiagnosis::OtherProblem, d_func()->openErrorText };
}
