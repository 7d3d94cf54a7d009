// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtuOverTcp.h"

#include "RtuMaster_p.h"
#include "TcpDiagnosis.h"

#include <QTcpSocket>

class RtuOverTcpPrivate : public RtuMasterPrivate
{
public:
    QTcpSocket* socket = nullptr;
};

RtuOverTcp::RtuOverTcp(QObject* parent)
    : RtuMaster(*new RtuOverTcpPrivate, parent)
{
}

RtuOverTcp::~RtuOverTcp()
{
    closeDevice();
}

RtuOverTcpPrivate* RtuOverTcp::d_func()
{
    return static_cast<RtuOverTcpPrivate*>(d_ptr);
}

const RtuOverTcpPrivate* RtuOverTcp::d_func() const
{
    return static_cast<const RtuOverTcpPrivate*>(d_ptr);
}

ModbusDevice::Opening RtuOverTcp::openLink()
{
    Q_D(RtuOverTcp);
    if (d->link.host.isEmpty())
        return Opening::Failed;
    d->socket = new QTcpSocket(this);
    QTcpSocket* socket = d->socket;
    connect(socket, &QAbstractSocket::connected, this, [this, socket] {
        // One small frame each way per request: Nagle's wait for more would only delay it.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        linkOpened();
    });
    connect(socket, &QAbstractSocket::errorOccurred, this, &RtuOverTcp::socketFailed);
    attachStream(socket);
    socket->connectToHost(d->link.host, d->link.tcpPort);
    return Opening::Pending;
}

bool RtuOverTcp::streamReady() const
{
    const RtuOverTcpPrivate* d = d_func();
    return d->socket && d->socket->state() == QAbstractSocket::ConnectedState;
}

void RtuOverTcp::socketFailed(QAbstractSocket::SocketError error)
{
    Q_D(RtuOverTcp);
    const QString systemText = d->socket ? d->socket->errorString() : QString();
    linkFailed(ConnectionError, TcpDiagnosis::explain(error, d->link.host, d->link.tcpPort, systemText).text);
}

void RtuOverTcp::closeLink()
{
    Q_D(RtuOverTcp);
    detachStream();
    QTcpSocket* socket = d->socket;
    if (!socket)
        return;
    d->socket = nullptr;
    disconnect(socket, nullptr, this, nullptr);
    socket->abort();
    socket->deleteLater();
}

SerialPortDiagnosis::Result RtuOverTcp::openFailure() const
{
    return { SerialPortDiagnosis::OtherProblem, tr("no host name or address was given") };
}
