// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModbusClientDevice.h"
#include "ModbusClientDevice_p.h"

#include <QIODevice>
#include <QModbusClient>
#include <QModbusDataUnit>
#include <QModbusReply>

namespace {

// Which errors of Qt's Modbus clients mean the link itself is gone.
//
// A client reports two kinds of trouble through QModbusDevice::errorOccurred: failures of its port
// or socket (mapped to ConnectionError, ReadError, WriteError, ConfigurationError or UnknownError)
// and, depending on the Qt version, the outcome of a single request (TimeoutError, ProtocolError,
// ReplyAbortedError). The latter already fail their reply, which completes the request with an
// empty vector; they say nothing about the link, so they must not start a recovery. Everything else
// comes from the link and is treated as a dead link.
bool isLinkError(QModbusDevice::Error error)
{
    switch (error) {
    case QModbusDevice::NoError:
    case QModbusDevice::TimeoutError:
    case QModbusDevice::ProtocolError:
    case QModbusDevice::ReplyAbortedError:
        return false;
    case QModbusDevice::ReadError:
    case QModbusDevice::WriteError:
    case QModbusDevice::ConnectionError:
    case QModbusDevice::ConfigurationError:
    case QModbusDevice::UnknownError:
        return true;
    }
    return true;
}

BusTransaction::Outcome outcomeOf(const QModbusReply& reply, bool replyBytesSeen, quint8* exceptionCode)
{
    switch (reply.error()) {
    case QModbusDevice::NoError:
        return BusTransaction::Ok;
    case QModbusDevice::ProtocolError: {
        // Qt keeps an exception reply's function code, exception bit included, in an enumeration
        // that cannot hold it, so asking the reply (isException, exceptionCode) reads an invalid
        // enumeration value. An exception reply's data is its one exception-code byte; no regular
        // answer to a holding-register request is that short.
        const QByteArray data = reply.rawResult().data();
        if (data.size() == 1) {
            *exceptionCode = quint8(data.at(0));
            return BusTransaction::Exception;
        }
        return BusTransaction::CrcError; // an answer, but not one to this request
    }
    case QModbusDevice::TimeoutError:
        return replyBytesSeen ? BusTransaction::CrcError : BusTransaction::Timeout;
    default:
        return BusTransaction::LinkError;
    }
}

} // namespace

ModbusClientDevice::ModbusClientDevice(ModbusClientDevicePrivate& dd, QObject* parent)
    : ModbusDevice(dd, parent)
{
}

ModbusClientDevicePrivate* ModbusClientDevice::d_func()
{
    return static_cast<ModbusClientDevicePrivate*>(d_ptr);
}

const ModbusClientDevicePrivate* ModbusClientDevice::d_func() const
{
    return static_cast<const ModbusClientDevicePrivate*>(d_ptr);
}

QString ModbusClientDevice::linkFailureText(QModbusClient* client) const
{
    return client->errorString();
}

ModbusDevice::Opening ModbusClientDevice::openLink()
{
    Q_D(ModbusClientDevice);
    QModbusClient* client = createClient();
    client->setTimeout(d->link.responseTime());
    client->setNumberOfRetries(d->link.numberOfRetries());
    d->nextTransactionId = 0;
    d->openErrorText.clear();
    if (!client->connectDevice()) {
        d->openErrorText = client->errorString();
        return Opening::Failed;
    }
    watchClient(client);
    return client->state() == QModbusDevice::ConnectedState ? Opening::Open : Opening::Pending;
}

void ModbusClientDevice::watchClient(QModbusClient* client)
{
    connect(client, &QModbusDevice::errorOccurred, this, &ModbusClientDevice::handleClientError,
        Qt::DirectConnection);
    // A client that closes its link on its own has lost it just as much.
    connect(client, &QModbusDevice::stateChanged, this, &ModbusClientDevice::handleClientState,
        Qt::DirectConnection);
    // The client owns its port or socket, as its child. Its bytes tell a corrupted reply (which Qt
    // times out) from silence, and a talking drive from a silent one. Without it (another Qt) a
    // corrupted reply shows as a timeout.
    if (QIODevice* io = client->findChild<QIODevice*>())
        connect(io, &QIODevice::readyRead, this, &ModbusClientDevice::bytesHeard, Qt::DirectConnection);
}

void ModbusClientDevice::handleClientError(QModbusDevice::Error error)
{
    if (!isLinkError(error) || !client())
        return;
    linkFailed(Error(error), linkFailureText(client()));
}

void ModbusClientDevice::handleClientState(QModbusDevice::State state)
{
    QModbusClient* client = this->client();
    if (!client)
        return;
    if (state == QModbusDevice::ConnectedState)
        linkOpened();
    else if (state == QModbusDevice::UnconnectedState)
        linkFailed(ConnectionError, linkFailureText(client));
}

void ModbusClientDevice::closeLink()
{
    Q_D(ModbusClientDevice);
    if (QModbusReply* inFlight = d->currentReply.data()) {
        d->currentReply = nullptr;
        disconnect(inFlight, nullptr, this, nullptr);
    }
    QModbusClient* client = this->client();
    if (!client)
        return;
    forgetClient();
    disconnect(client, nullptr, this, nullptr);
    if (QIODevice* io = client->findChild<QIODevice*>())
        disconnect(io, nullptr, this, nullptr);
    // Close at once rather than on deletion: a port whose far end died keeps the event loop
    // spinning on read errors until it is closed.
    client->disconnectDevice();
    client->deleteLater();
}

bool ModbusClientDevice::startRequest(BusTransaction& request, int retries)
{
    Q_D(ModbusClientDevice);
    QModbusClient* client = this->client();
    if (!client)
        return false;
    if (client->numberOfRetries() != retries)
        client->setNumberOfRetries(retries);
    QModbusReply* reply = nullptr;
    if (request.functionCode == 0x03) {
        const QModbusDataUnit unit(QModbusDataUnit::HoldingRegisters, request.startAddr, request.count);
        reply = client->sendReadRequest(unit, request.serverAddress);
    } else {
        // Qt picks 0x06 for one value and 0x10 for more from the size of the vector.
        const QModbusDataUnit unit(QModbusDataUnit::HoldingRegisters, request.startAddr, request.written);
        reply = client->sendWriteRequest(unit, request.serverAddress);
    }
    if (!reply)
        return false;
    request.transactionId = d->nextTransactionId++;
    if (reply->isFinished()) {
        reply->deleteLater();
        return false;
    }
    d->currentReply = reply;
    connect(reply, &QModbusReply::finished, this, [this, reply] { handleReply(reply); });
    return true;
}

void ModbusClientDevice::handleReply(QModbusReply* reply)
{
    Q_D(ModbusClientDevice);
    reply->deleteLater();
    if (reply != d->currentReply)
        return;
    d->currentReply = nullptr;
    // A recovery attempt's single try leaves the client as the link has it.
    if (QModbusClient* client = this->client())
        client->setNumberOfRetries(d->link.numberOfRetries());

    Answer answer;
    answer.outcome = outcomeOf(*reply, d->replyBytesSeen, &answer.exceptionCode);
    answer.timedOut = reply->error() == QModbusDevice::TimeoutError;
    if (answer.outcome == BusTransaction::Ok)
        answer.values = reply->result().values();
    requestAnswered(answer);
}
