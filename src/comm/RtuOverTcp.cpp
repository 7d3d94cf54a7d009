// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtuOverTcp.h"

#include "ModbusDevice_p.h"
#include "RtuFrame.h"
#include "TcpDiagnosis.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr quint8 kReadHoldingRegisters = 0x03;
constexpr quint8 kWriteSingleRegister = 0x06;

quint16 wordAt(const QByteArray& bytes, int at)
{
    return quint16((quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1)));
}

} // namespace

class RtuOverTcpPrivate : public ModbusDevicePrivate
{
public:
    QTcpSocket* socket = nullptr;
    QTimer* replyTimer = nullptr;

    // The request on the link and what has come back for it so far.
    bool waiting = false;
    QByteArray frame;
    quint8 address = 0;
    quint8 function = 0;
    quint16 count = 0;
    QVector<quint16> written;
    int triesLeft = 0;
    QByteArray received;
};

RtuOverTcp::RtuOverTcp(QObject* parent)
    : ModbusDevice(*new RtuOverTcpPrivate, parent)
{
    Q_D(RtuOverTcp);
    d->replyTimer = new QTimer(this);
    d->replyTimer->setSingleShot(true);
    connect(d->replyTimer, &QTimer::timeout, this, &RtuOverTcp::replyTimedOut);
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
    connect(socket, &QIODevice::readyRead, this, &RtuOverTcp::readAnswer);
    socket->connectToHost(d->link.host, d->link.tcpPort);
    return Opening::Pending;
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
    d->replyTimer->stop();
    d->waiting = false;
    d->received.clear();
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

bool RtuOverTcp::startRequest(BusTransaction& request, int retries)
{
    Q_D(RtuOverTcp);
    if (!d->socket || d->socket->state() != QAbstractSocket::ConnectedState)
        return false;
    d->frame = request.requestFrame();
    if (d->frame.isEmpty())
        return false;
    d->address = request.serverAddress;
    d->function = request.functionCode;
    d->count = request.count;
    d->written = request.written;
    d->triesLeft = retries;
    request.transactionId = 0;
    sendFrame();
    return d->waiting;
}

void RtuOverTcp::sendFrame()
{
    Q_D(RtuOverTcp);
    // Whatever is still on its way belongs to an answer given up on.
    d->socket->readAll();
    d->received.clear();
    if (d->socket->write(d->frame) != d->frame.size()) {
        d->waiting = false;
        return;
    }
    d->waiting = true;
    d->replyTimer->start(d->link.responseTime());
}

bool RtuOverTcp::retry()
{
    Q_D(RtuOverTcp);
    if (d->triesLeft <= 0)
        return false;
    --d->triesLeft;
    sendFrame();
    return d->waiting;
}

void RtuOverTcp::readAnswer()
{
    Q_D(RtuOverTcp);
    if (!d->socket)
        return;
    const QByteArray bytes = d->socket->readAll();
    if (bytes.isEmpty())
        return;
    bytesHeard();
    if (!d->waiting)
        return;
    d->received += bytes;

    const QByteArray& answer = d->received;
    const int length = RtuFrame::replyLength(answer, 0);
    if (length == 0 || (length > 0 && answer.size() < length))
        return; // the rest is on its way
    const quint8 function = length > 0 ? quint8(answer.at(1)) : 0;
    const bool exception = function == (d->function | RtuFrame::ExceptionFlag);
    const bool sound = length > 0 && quint8(answer.at(0)) == d->address
        && (function == d->function || exception)
        && (exception || function != kReadHoldingRegisters || quint8(answer.at(2)) == 2 * d->count)
        && RtuFrame::crcMatches(answer, 0, length);
    if (!sound) {
        // Noise, a corrupted answer, or one to another request: ask again while tries are left.
        if (!retry())
            finishRequest(BusTransaction::CrcError);
        return;
    }

    if (exception) {
        finishRequest(BusTransaction::Exception, {}, quint8(answer.at(2)));
        return;
    }
    QVector<quint16> values;
    if (function == kReadHoldingRegisters) {
        for (int k = 0; k < d->count; ++k)
            values.append(wordAt(answer, 3 + 2 * k));
    } else if (function == kWriteSingleRegister) {
        values.append(wordAt(answer, 4));
    } else {
        values = d->written; // the drive confirms where and how many, not what
    }
    finishRequest(BusTransaction::Ok, values);
}

void RtuOverTcp::replyTimedOut()
{
    Q_D(RtuOverTcp);
    if (!d->waiting || retry())
        return;
    // Bytes that never made an answer are a corrupted answer, as on a serial line.
    const BusTransaction::Outcome outcome
        = d->replyBytesSeen ? BusTransaction::CrcError : BusTransaction::Timeout;
    finishRequest(outcome, {}, 0, true);
}

void RtuOverTcp::finishRequest(
    BusTransaction::Outcome outcome, const QVector<quint16>& values, quint8 exceptionCode, bool timedOut)
{
    Q_D(RtuOverTcp);
    d->waiting = false;
    d->replyTimer->stop();
    d->received.clear();
    Answer answer;
    answer.outcome = outcome;
    answer.values = values;
    answer.exceptionCode = exceptionCode;
    answer.timedOut = timedOut;
    requestAnswered(answer);
}
