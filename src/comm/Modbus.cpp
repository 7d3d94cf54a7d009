// SPDX-License-Identifier: GPL-3.0-or-later
#include "Modbus.h"
#include "Modbus_p.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QModbusDataUnit>
#include <QModbusReply>
#include <QModbusRtuSerialMaster>
#include <QSerialPort>
#include <QTimer>
#include <QVariant>

namespace {

constexpr int kRecoveryIntervalMs = 2500;
constexpr int kMaxRecoveryAttempts = 10;
// Slack on top of the client's own response time and retries before a reply counts as lost.
constexpr int kReplyGraceMs = 2000;
// Unanswered requests in a row after which the drive counts as lost.
constexpr int kMaxSilentRequests = 3;

// Which errors of QModbusRtuSerialMaster mean the link itself is gone.
//
// The client reports two kinds of trouble through QModbusDevice::errorOccurred: failures of its
// serial port (mapped to ConnectionError, ReadError, WriteError, ConfigurationError or
// UnknownError) and, depending on the Qt version, the outcome of a single request (TimeoutError,
// ProtocolError, ReplyAbortedError). The latter already fail their reply, which completes the
// request with an empty vector; they say nothing about the port, so they must not start a
// recovery. Everything else comes from the port and is treated as a dead link.
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

quint8 functionCodeOf(bool write, int valueCount)
{
    if (!write)
        return 0x03;
    return valueCount == 1 ? 0x06 : 0x10;
}

int replyDeadlineMs(const SerialSettings& settings)
{
    return settings.responseTime * (qMax(0, settings.numberOfRetries) + 1) + kReplyGraceMs;
}

} // namespace

Modbus::Modbus(QObject* parent)
    : BusDevices(*new ModbusPrivate, parent)
{
    Q_D(Modbus);
    d->recoveryTimer = new QTimer(this);
    d->recoveryTimer->setInterval(kRecoveryIntervalMs);
    connect(d->recoveryTimer, &QTimer::timeout, this, &Modbus::recoveryTick);
    d->recoveryTimer->start();

    d->replyWatchdog = new QTimer(this);
    d->replyWatchdog->setSingleShot(true);
    connect(d->replyWatchdog, &QTimer::timeout, this, [this] {
        if (d_func()->currentReply)
            failLink();
    });
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

bool Modbus::openDevice()
{
    Q_D(Modbus);
    if (openMaster()) {
        setOpenFailure({});
        return true;
    }
    const QString systemText = d->master ? d->master->errorString() : QString();
    // The port must be closed again before the system is asked why it would not open.
    closeDevice();
    setOpenFailure(SerialPortDiagnosis::diagnose(d->settings.portName, systemText));
    return false;
}

void Modbus::closeDevice()
{
    Q_D(Modbus);
    d->recovering = false;
    d->queue.clear();
    d->busy = false;
    d->retryCount = 0;
    d->silentRequests = 0;
    releaseMaster();
}

bool Modbus::connectDevice(ushort startAddr, ushort count)
{
    Q_D(Modbus);
    d->probeStart = startAddr;
    d->probeCount = count;
    d->silentRequests = 0;
    const bool ok = testRead(startAddr, count);
    if (ok) {
        setState(ConnectSucceedState);
    } else {
        closeDevice();
        setState(ConnectFiledState);
    }
    return ok;
}

void Modbus::sendWrite(QString message, ushort startAddr, ushort valueCount, QVector<quint16> value)
{
    enqueue(BusRequest { 0, message, startAddr, valueCount, value, true, {} });
}

void Modbus::sendRead(QString message, ushort startAddr, ushort valueCount)
{
    enqueue(BusRequest { 0, message, startAddr, valueCount, {}, false, {} });
}

void Modbus::sendNumberedRead(quint64 request, const QString& message, quint16 startAddr, quint16 valueCount)
{
    enqueue(BusRequest { request, message, startAddr, valueCount, {}, false, {} });
}

void Modbus::sendNumberedWrite(
    quint64 request, const QString& message, quint16 startAddr, const QVector<quint16>& values)
{
    enqueue(BusRequest { request, message, startAddr, quint16(values.size()), values, true, {} });
}

void Modbus::sendMotionWrite(quint64 request, BusMotion motion, const QString& message, quint16 startAddr,
    const QVector<quint16>& values)
{
    enqueue(BusRequest { request, message, startAddr, quint16(values.size()), values, true, motion });
}

void Modbus::enqueue(const BusRequest& request)
{
    Q_D(Modbus);
    if (!d->connected)
        return;
    d->enqueue(request);
    processNext();
}

bool Modbus::openMaster()
{
    Q_D(Modbus);
    releaseMaster();

    auto* master = new QModbusRtuSerialMaster(this);
    d->master = master;
    master->setConnectionParameter(QModbusDevice::SerialPortNameParameter, d->settings.portName);
    master->setConnectionParameter(QModbusDevice::SerialBaudRateParameter, d->settings.baudRate);
    master->setConnectionParameter(QModbusDevice::SerialDataBitsParameter, d->settings.dataBits);
    master->setConnectionParameter(QModbusDevice::SerialStopBitsParameter, d->settings.stopBits);
    master->setConnectionParameter(QModbusDevice::SerialParityParameter, d->settings.parity);
    master->setTimeout(d->settings.responseTime);
    master->setNumberOfRetries(d->settings.numberOfRetries);

    if (!master->connectDevice()) {
        d->connected = false;
        return false;
    }
    connect(master, &QModbusDevice::errorOccurred, this, &Modbus::handleMasterError, Qt::DirectConnection);
    watchReplyBytes(master);
    // A client that closes its port on its own has lost the link just as much.
    connect(
        master, &QModbusDevice::stateChanged, this,
        [this](QModbusDevice::State state) {
            if (state == QModbusDevice::UnconnectedState && d_func()->master)
                failLink();
        },
        Qt::DirectConnection);
    d->connected = true;
    return true;
}

void Modbus::releaseMaster()
{
    Q_D(Modbus);
    d->connected = false;
    d->replyWatchdog->stop();

    QModbusReply* inFlight = d->currentReply.data();
    d->currentReply = nullptr;
    if (inFlight)
        disconnect(inFlight, nullptr, this, nullptr);
    if (QModbusReply* probe = d->probeReply.data()) {
        d->probeReply = nullptr;
        disconnect(probe, nullptr, this, nullptr);
    }

    if (QModbusRtuSerialMaster* master = d->master) {
        d->master = nullptr;
        disconnect(master, nullptr, this, nullptr);
        if (QSerialPort* port = master->findChild<QSerialPort*>())
            disconnect(port, nullptr, this, nullptr);
        // Close at once rather than on deletion: a port whose far end died keeps the event loop
        // spinning on read errors until it is closed.
        master->disconnectDevice();
        master->deleteLater();
    }

    // The request in flight is done for: complete it now, with its own tag, before anything new
    // can be sent on a reopened link.
    if (inFlight)
        finishCurrent({});
}

bool Modbus::testRead(quint16 startAddr, quint16 count)
{
    Q_D(Modbus);
    if (!d->master)
        return false;

    BusTransaction transaction;
    transaction.connectionTest = true;
    transaction.serverAddress = quint8(d->serverAddress);
    transaction.functionCode = 0x03;
    transaction.startAddr = startAddr;
    transaction.count = count;
    transaction.outcome = BusTransaction::LinkError;
    markSent();
    transaction.startedMs = d->sentAtMs;
    auto report = [this, &transaction] {
        transaction.latencyUs = d_func()->sentClock.nsecsElapsed() / 1000;
        emit completed(transaction);
    };

    const QModbusDataUnit unit(QModbusDataUnit::HoldingRegisters, startAddr, count);
    QPointer<QModbusReply> reply = d->master->sendReadRequest(unit, d->serverAddress);
    if (!reply) {
        report();
        return false;
    }

    if (!reply->isFinished()) {
        QEventLoop loop;
        connect(reply, &QModbusReply::finished, &loop, &QEventLoop::quit);
        connect(reply, &QObject::destroyed, &loop, &QEventLoop::quit);
        // The client times the request out by itself; this only keeps a broken client from
        // holding the worker (and a waiting closer) forever.
        QTimer::singleShot(replyDeadlineMs(d->settings), &loop, &QEventLoop::quit);
        d->testing = true;
        loop.exec();
        d->testing = false;
    }

    if (!reply) {
        report();
        return false;
    }
    if (reply->isFinished()) {
        transaction.outcome = outcomeOf(*reply, d->replyBytesSeen, &transaction.exceptionCode);
        if (transaction.outcome == BusTransaction::Ok)
            transaction.values = reply->result().values();
    }
    report();
    // Only the answer counts; the values read are of no interest.
    const bool ok = reply->isFinished() && reply->error() == QModbusDevice::NoError;
    reply->deleteLater();
    return ok;
}

void Modbus::processNext()
{
    Q_D(Modbus);
    if (!d->connected || d->busy || d->queue.isEmpty())
        return;
    d->busy = true;

    const BusRequest request = d->queue.takeFirst();
    d->request = request.request;
    d->message = request.message;
    d->startAddr = request.startAddr;
    d->valueCount = request.valueCount;
    d->value = request.value;
    d->write = request.write;

    markSent();
    QModbusReply* reply = nullptr;
    if (d->master) {
        if (d->write) {
            // Qt picks 0x06 for one value and 0x10 for more from the size of the vector.
            const QModbusDataUnit unit(QModbusDataUnit::HoldingRegisters, d->startAddr, d->value);
            reply = d->master->sendWriteRequest(unit, d->serverAddress);
        } else {
            const QModbusDataUnit unit(QModbusDataUnit::HoldingRegisters, d->startAddr, d->valueCount);
            reply = d->master->sendReadRequest(unit, d->serverAddress);
        }
    }

    if (!reply) {
        finishCurrent({});
        return;
    }
    if (reply->isFinished()) {
        reply->deleteLater();
        finishCurrent({});
        return;
    }
    d->currentReply = reply;
    connect(reply, &QModbusReply::finished, this, [this, reply] { handleReply(reply); });
    d->replyWatchdog->start(replyDeadlineMs(d->settings));
}

void Modbus::handleReply(QModbusReply* reply)
{
    Q_D(Modbus);
    reply->deleteLater();
    if (reply != d->currentReply)
        return;
    d->currentReply = nullptr;
    d->replyWatchdog->stop();

    QVector<quint16> values;
    quint8 exceptionCode = 0;
    const BusTransaction::Outcome outcome = outcomeOf(*reply, d->replyBytesSeen, &exceptionCode);
    if (outcome == BusTransaction::Ok)
        values = reply->result().values();

    // The last byte may be the tail of the previous answer, read just after this request went out,
    // so a request counts as unanswered when nothing came for longer than one response time; a
    // corrupted answer to the last try arrives within it.
    const bool silent = reply->error() == QModbusDevice::TimeoutError
        && (!d->lastHeard.isValid() || d->lastHeard.elapsed() > d->settings.responseTime * 3 / 2);
    d->silentRequests = silent ? d->silentRequests + 1 : 0;
    if (d->silentRequests < kMaxSilentRequests) {
        finishCurrent(values, outcome, exceptionCode);
        return;
    }

    // The drive is gone. Everything still waiting would cost one response time each, so it is
    // dropped, and the link is treated as failed until the drive answers a test read again.
    d->silentRequests = 0;
    d->queue.clear();
    finishCurrent(values, outcome, exceptionCode);
    emit errorOccurred(QObject::tr("The drive does not answer"));
    failLink();
}

void Modbus::markSent()
{
    Q_D(Modbus);
    d->replyBytesSeen = false;
    d->sentAtMs = QDateTime::currentMSecsSinceEpoch();
    d->sentClock.start();
}

void Modbus::watchReplyBytes(QModbusRtuSerialMaster* master)
{
    // The client owns its port, as its child. Its bytes tell a corrupted reply (which Qt times
    // out) from silence, and a talking drive from a silent one. Without the port (another Qt) a
    // corrupted reply shows as a timeout.
    if (QSerialPort* port = master->findChild<QSerialPort*>()) {
        connect(
            port, &QIODevice::readyRead, this,
            [this] {
                ModbusPrivate* d = d_func();
                d->replyBytesSeen = true;
                d->lastHeard.start();
            },
            Qt::DirectConnection);
    }
}

void Modbus::finishCurrent(
    const QVector<quint16>& values, BusTransaction::Outcome outcome, quint8 exceptionCode)
{
    Q_D(Modbus);
    BusTransaction transaction;
    transaction.request = d->request;
    transaction.tag = d->message;
    transaction.serverAddress = quint8(d->serverAddress);
    transaction.functionCode = functionCodeOf(d->write, d->value.size());
    transaction.startAddr = d->startAddr;
    transaction.count = d->write ? quint16(d->value.size()) : d->valueCount;
    transaction.written = d->value;
    transaction.values = values;
    transaction.startedMs = d->sentAtMs;
    transaction.latencyUs = d->sentClock.isValid() ? d->sentClock.nsecsElapsed() / 1000 : 0;
    transaction.finishedNs = QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
    transaction.outcome = outcome;
    transaction.exceptionCode = exceptionCode;
    emit completed(transaction);
    if (!d->message.isEmpty())
        emit result(d->message, values);
    emit finished();
    d->busy = false;
    if (!d->queue.isEmpty())
        processNext();
}

void Modbus::handleMasterError(QModbusDevice::Error error)
{
    Q_D(Modbus);
    if (!isLinkError(error))
        return;
    if (d->master) {
        d->error = static_cast<Error>(error);
        d->errorString = d->master->errorString();
    }
    failLink();
}

// On a dead port Qt's client reports errors without end and stays "connected", and a request sent
// after that never times out. So the first link error releases the master: the port stops
// spinning, the request in flight fails, and the state is reported once per failure.
void Modbus::failLink()
{
    Q_D(Modbus);
    releaseMaster();
    if (d->testing)
        return; // the test read ends with the released link; connectDevice reports the outcome
    if (d->recovering)
        return;
    d->recovering = true;
    setState(RecoveringState);
}

void Modbus::recoveryTick()
{
    Q_D(Modbus);
    if (!d->recovering)
        return;
    // The test read of the last attempt is still waiting for its answer.
    if (d->probeReply)
        return;

    const int attempt = d->retryCount;
    d->retryCount = attempt + 1;
    if (attempt < kMaxRecoveryAttempts) {
        emit errorOccurred(QObject::tr("Communication exception, number of retries") + QStringLiteral(": ")
            + QString::number(attempt + 1));
        if (openMaster())
            probeDrive();
        return;
    }

    closeDevice();
    emit errorOccurred(QObject::tr("Recovery failed"));
    setState(RecoverFiledState);
}

// A reopened port proves nothing about the drive behind it (its cable may still be cut, or it may
// still be powered down), so the attempt succeeds only once the drive answers the connection's
// test read. No other request goes out meanwhile.
void Modbus::probeDrive()
{
    Q_D(Modbus);
    if (d->probeCount == 0 || !d->master) {
        recoverySucceeded();
        return;
    }
    d->connected = false;
    // One try per attempt keeps the attempts on the 2.5 s tick even while the drive stays silent.
    d->master->setNumberOfRetries(0);
    const QModbusDataUnit unit(QModbusDataUnit::HoldingRegisters, d->probeStart, d->probeCount);
    QModbusReply* reply = d->master->sendReadRequest(unit, d->serverAddress);
    if (!reply || reply->isFinished()) {
        if (reply)
            reply->deleteLater();
        releaseMaster();
        return;
    }
    d->probeReply = reply;
    connect(reply, &QModbusReply::finished, this, [this, reply] {
        Q_D(Modbus);
        reply->deleteLater();
        if (reply != d->probeReply)
            return;
        d->probeReply = nullptr;
        if (reply->error() == QModbusDevice::NoError)
            recoverySucceeded();
        else
            releaseMaster(); // a failed attempt; the next tick reopens
    });
}

void Modbus::recoverySucceeded()
{
    Q_D(Modbus);
    d->connected = d->master != nullptr;
    if (d->master)
        d->master->setNumberOfRetries(d->settings.numberOfRetries);
    d->recovering = false;
    d->retryCount = 0;
    d->silentRequests = 0;
    setState(RecoverSucceedState);
}
