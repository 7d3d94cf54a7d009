// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModbusDevice.h"
#include "ModbusDevice_p.h"

#include "TcpDiagnosis.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int kRecoveryIntervalMs = 2500;
constexpr int kMaxRecoveryAttempts = 10;
// Slack on top of the client's own response time and retries before a reply counts as lost.
constexpr int kReplyGraceMs = 2000;
// Unanswered requests in a row after which the drive counts as lost.
constexpr int kMaxSilentRequests = 3;
constexpr quint8 kReadHoldingRegisters = 0x03;

quint8 functionCodeOf(bool write, int valueCount)
{
    if (!write)
        return kReadHoldingRegisters;
    return valueCount == 1 ? 0x06 : 0x10;
}

// A link on its way up gets as long as a request with these retries would.
int openDeadlineMs(const BusLink& link, int retries)
{
    return link.responseTime() * (qMax(0, retries) + 1);
}

int replyDeadlineMs(const BusLink& link, int retries)
{
    return openDeadlineMs(link, retries) + kReplyGraceMs;
}

} // namespace

ModbusDevice::ModbusDevice(ModbusDevicePrivate& dd, QObject* parent)
    : BusDevices(dd, parent)
{
    Q_D(ModbusDevice);
    d->recoveryTimer = new QTimer(this);
    d->recoveryTimer->setInterval(kRecoveryIntervalMs);
    connect(d->recoveryTimer, &QTimer::timeout, this, &ModbusDevice::recoveryTick);
    d->recoveryTimer->start();

    d->replyWatchdog = new QTimer(this);
    d->replyWatchdog->setSingleShot(true);
    connect(d->replyWatchdog, &QTimer::timeout, this, [this] {
        switch (d_func()->onLink) {
        case ModbusDevicePrivate::OnLink::Request:
            failLink();
            break;
        case ModbusDevicePrivate::OnLink::Probe:
            releaseLink(); // a failed attempt; the next tick reopens
            break;
        default:
            break;
        }
    });

    d->openTimer = new QTimer(this);
    d->openTimer->setSingleShot(true);
    connect(d->openTimer, &QTimer::timeout, this, [this] {
        Q_D(ModbusDevice);
        if (d->opening)
            linkFailed(TimeoutError,
                TcpDiagnosis::timedOut(d->link.host, d->link.tcpPort, d->openTimer->interval()).text);
    });
}

ModbusDevice::~ModbusDevice() = default;

ModbusDevicePrivate* ModbusDevice::d_func()
{
    return static_cast<ModbusDevicePrivate*>(d_ptr);
}

const ModbusDevicePrivate* ModbusDevice::d_func() const
{
    return static_cast<const ModbusDevicePrivate*>(d_ptr);
}

bool ModbusDevice::openDevice()
{
    Q_D(ModbusDevice);
    d->openFailureReason.clear();
    switch (reopenLink(d->link.numberOfRetries())) {
    case Opening::Open:
        d->connected = true;
        break;
    case Opening::Pending:
        break;
    case Opening::Failed:
        // The port must be closed again before the system is asked why it would not open.
        closeDevice();
        setOpenFailure(openFailure());
        return false;
    }
    setOpenFailure({});
    return true;
}

void ModbusDevice::closeDevice()
{
    Q_D(ModbusDevice);
    d->recovering = false;
    d->queue.clear();
    d->busy = false;
    d->retryCount = 0;
    d->silentRequests = 0;
    releaseLink();
}

bool ModbusDevice::connectDevice(ushort startAddr, ushort count)
{
    Q_D(ModbusDevice);
    d->probeStart = startAddr;
    d->probeCount = count;
    d->silentRequests = 0;
    const bool ok = waitForLink() && testRead(startAddr, count);
    if (ok) {
        setState(ConnectSucceedState);
        return true;
    }
    QString reason = d->openFailureReason;
    if (reason.isEmpty() && d->testOutcome == BusTransaction::Exception
        && d->testException == GatewayTargetFailed)
        reason = gatewayReason();
    closeDevice();
    if (!reason.isEmpty())
        emit connectFailed(reason);
    setState(ConnectFiledState);
    return false;
}

QString ModbusDevice::gatewayReason() const
{
    return tr("%1 answered that the drive at address %2 did not respond (Modbus exception 0B, gateway "
              "target device failed to respond). Check that the drive is powered and wired to the gateway, "
              "and that its address and serial settings match the gateway's")
        .arg(d_func()->link.endpoint())
        .arg(serverAddress());
}

void ModbusDevice::sendWrite(QString message, ushort startAddr, ushort valueCount, QVector<quint16> value)
{
    enqueue(BusRequest { 0, message, startAddr, valueCount, value, true, {} });
}

void ModbusDevice::sendRead(QString message, ushort startAddr, ushort valueCount)
{
    enqueue(BusRequest { 0, message, startAddr, valueCount, {}, false, {} });
}

void ModbusDevice::sendNumberedRead(
    quint64 request, const QString& message, quint16 startAddr, quint16 valueCount)
{
    enqueue(BusRequest { request, message, startAddr, valueCount, {}, false, {} });
}

void ModbusDevice::sendNumberedWrite(
    quint64 request, const QString& message, quint16 startAddr, const QVector<quint16>& values)
{
    enqueue(BusRequest { request, message, startAddr, quint16(values.size()), values, true, {} });
}

void ModbusDevice::sendMotionWrite(quint64 request, BusMotion motion, const QString& message,
    quint16 startAddr, const QVector<quint16>& values)
{
    enqueue(BusRequest { request, message, startAddr, quint16(values.size()), values, true, motion });
}

void ModbusDevice::enqueue(const BusRequest& request)
{
    Q_D(ModbusDevice);
    if (!d->connected)
        return;
    d->enqueue(request);
    processNext();
}

ModbusDevice::Opening ModbusDevice::reopenLink(int retries)
{
    Q_D(ModbusDevice);
    releaseLink();
    const Opening opening = openLink();
    if (opening == Opening::Pending) {
        d->opening = true;
        d->openTimer->start(openDeadlineMs(d->link, retries));
    }
    return opening;
}

void ModbusDevice::linkOpened()
{
    Q_D(ModbusDevice);
    if (!d->opening)
        return;
    d->opening = false;
    d->openTimer->stop();
    if (d->recovering) {
        probeDrive();
        return;
    }
    d->connected = true;
    if (d->waitLoop)
        d->waitLoop->quit();
}

void ModbusDevice::linkFailed(Error code, const QString& text)
{
    Q_D(ModbusDevice);
    d->error = code;
    d->errorString = text;
    if (!d->opening) {
        failLink();
        return;
    }
    // A link that never came up: a failed recovery attempt (the next tick tries again), or the
    // reason the connection attempt will fail with.
    if (!d->recovering)
        d->openFailureReason = text;
    releaseLink();
}

void ModbusDevice::releaseLink()
{
    Q_D(ModbusDevice);
    d->connected = false;
    d->opening = false;
    d->openTimer->stop();
    d->replyWatchdog->stop();
    const ModbusDevicePrivate::OnLink was = d->onLink;
    d->onLink = ModbusDevicePrivate::OnLink::Nothing;
    closeLink();

    // The request in flight is done for: complete it now, with its own tag, before anything new
    // can be sent on a reopened link.
    if (was == ModbusDevicePrivate::OnLink::Request)
        finishCurrent({});
    if (d->waitLoop)
        d->waitLoop->quit();
}

bool ModbusDevice::waitForLink()
{
    Q_D(ModbusDevice);
    if (d->connected)
        return true;
    if (!d->opening)
        return false;
    QEventLoop loop;
    // The open timer ends the wait; this only keeps a transport that never reports from holding the
    // worker (and a waiting closer) forever.
    QTimer::singleShot(replyDeadlineMs(d->link, d->link.numberOfRetries()), &loop, &QEventLoop::quit);
    d->waitLoop = &loop;
    loop.exec();
    d->waitLoop = nullptr;
    return d->connected;
}

bool ModbusDevice::testRead(quint16 startAddr, quint16 count)
{
    Q_D(ModbusDevice);
    d->testOutcome = BusTransaction::LinkError;
    d->testException = 0;
    if (!d->connected)
        return false;

    BusTransaction transaction;
    transaction.connectionTest = true;
    transaction.transport = d->link.transport;
    transaction.serverAddress = quint8(d->serverAddress);
    transaction.functionCode = kReadHoldingRegisters;
    transaction.startAddr = startAddr;
    transaction.count = count;
    transaction.outcome = BusTransaction::LinkError;
    markSent();
    transaction.startedMs = d->sentAtMs;

    d->onLink = ModbusDevicePrivate::OnLink::Test;
    if (startRequest(transaction, d->link.numberOfRetries())) {
        QEventLoop loop;
        // The client times the request out by itself; this only keeps a broken client from
        // holding the worker (and a waiting closer) forever.
        QTimer::singleShot(replyDeadlineMs(d->link, d->link.numberOfRetries()), &loop, &QEventLoop::quit);
        d->waitLoop = &loop;
        d->testing = true;
        loop.exec();
        d->testing = false;
        d->waitLoop = nullptr;
    }
    if (d->onLink == ModbusDevicePrivate::OnLink::Test) {
        d->onLink = ModbusDevicePrivate::OnLink::Nothing;
        d->testOutcome = BusTransaction::LinkError;
    }

    transaction.outcome = d->testOutcome;
    transaction.exceptionCode = d->testException;
    // Only the answer counts; the values read are of no interest but to the monitor.
    transaction.values = d->testValues;
    transaction.latencyUs = d->sentClock.nsecsElapsed() / 1000;
    transaction.finishedNs = QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
    emit completed(transaction);
    return d->testOutcome == BusTransaction::Ok;
}

BusTransaction ModbusDevice::currentTransaction() const
{
    const ModbusDevicePrivate* d = d_func();
    BusTransaction transaction;
    transaction.transport = d->link.transport;
    transaction.transactionId = d->transactionId;
    transaction.request = d->request;
    transaction.tag = d->message;
    transaction.serverAddress = quint8(d->serverAddress);
    transaction.functionCode = functionCodeOf(d->write, d->value.size());
    transaction.startAddr = d->startAddr;
    transaction.count = d->write ? quint16(d->value.size()) : d->valueCount;
    transaction.written = d->value;
    return transaction;
}

void ModbusDevice::processNext()
{
    Q_D(ModbusDevice);
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
    d->transactionId = 0;
    BusTransaction transaction = currentTransaction();
    d->onLink = ModbusDevicePrivate::OnLink::Request;
    if (!startRequest(transaction, d->link.numberOfRetries())) {
        d->onLink = ModbusDevicePrivate::OnLink::Nothing;
        finishCurrent({});
        return;
    }
    d->transactionId = transaction.transactionId;
    d->replyWatchdog->start(replyDeadlineMs(d->link, d->link.numberOfRetries()));
}

void ModbusDevice::requestAnswered(const Answer& answer)
{
    Q_D(ModbusDevice);
    const ModbusDevicePrivate::OnLink was = d->onLink;
    d->onLink = ModbusDevicePrivate::OnLink::Nothing;
    switch (was) {
    case ModbusDevicePrivate::OnLink::Nothing:
        return;
    case ModbusDevicePrivate::OnLink::Test:
        d->testOutcome = answer.outcome;
        d->testException = answer.exceptionCode;
        d->testValues = answer.outcome == BusTransaction::Ok ? answer.values : QVector<quint16>();
        if (d->waitLoop)
            d->waitLoop->quit();
        return;
    case ModbusDevicePrivate::OnLink::Probe:
        d->replyWatchdog->stop();
        if (answer.outcome == BusTransaction::Ok)
            recoverySucceeded();
        else
            releaseLink(); // a failed attempt; the next tick reopens
        return;
    case ModbusDevicePrivate::OnLink::Request:
        d->replyWatchdog->stop();
        handleAnswer(answer);
        return;
    }
}

void ModbusDevice::handleAnswer(const Answer& answer)
{
    Q_D(ModbusDevice);
    const QVector<quint16> values = answer.outcome == BusTransaction::Ok ? answer.values : QVector<quint16>();

    // The last byte may be the tail of the previous answer, read just after this request went out,
    // so a request counts as unanswered when nothing came for longer than one response time; a
    // corrupted answer to the last try arrives within it. A gateway that says its drive did not
    // respond speaks for a silent drive.
    const bool gatewaySilent
        = answer.outcome == BusTransaction::Exception && answer.exceptionCode == GatewayTargetFailed;
    const bool silent = gatewaySilent
        || (answer.timedOut
            && (!d->lastHeard.isValid() || d->lastHeard.elapsed() > d->link.responseTime() * 3 / 2));
    d->silentRequests = silent ? d->silentRequests + 1 : 0;
    if (d->silentRequests < kMaxSilentRequests) {
        finishCurrent(values, answer.outcome, answer.exceptionCode);
        return;
    }

    // The drive is gone. Everything still waiting would cost one response time each, so it is
    // dropped, and the link is treated as failed until the drive answers a test read again.
    d->silentRequests = 0;
    d->queue.clear();
    finishCurrent(values, answer.outcome, answer.exceptionCode);
    emit errorOccurred(QObject::tr("The drive does not answer"));
    failLink();
}

void ModbusDevice::markSent()
{
    Q_D(ModbusDevice);
    d->replyBytesSeen = false;
    d->sentAtMs = QDateTime::currentMSecsSinceEpoch();
    d->sentClock.start();
}

void ModbusDevice::bytesHeard()
{
    Q_D(ModbusDevice);
    d->replyBytesSeen = true;
    d->lastHeard.start();
}

void ModbusDevice::finishCurrent(
    const QVector<quint16>& values, BusTransaction::Outcome outcome, quint8 exceptionCode)
{
    Q_D(ModbusDevice);
    BusTransaction transaction = currentTransaction();
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

// On a dead port the serial port reports errors without end, Qt's clients stay "connected", and a
// request sent after that never times out. So the first link error releases the link: the port
// stops spinning, the request in flight fails, and the state is reported once per failure.
void ModbusDevice::failLink()
{
    Q_D(ModbusDevice);
    releaseLink();
    if (d->testing)
        return; // the test read ends with the released link; connectDevice reports the outcome
    if (d->recovering)
        return;
    d->recovering = true;
    setState(RecoveringState);
}

void ModbusDevice::recoveryTick()
{
    Q_D(ModbusDevice);
    if (!d->recovering)
        return;
    // The last attempt is still under way: its link coming up, or its test read waiting for an answer.
    if (d->opening || d->onLink == ModbusDevicePrivate::OnLink::Probe)
        return;

    const int attempt = d->retryCount;
    d->retryCount = attempt + 1;
    if (attempt < kMaxRecoveryAttempts) {
        emit errorOccurred(QObject::tr("Communication exception, number of retries") + QStringLiteral(": ")
            + QString::number(attempt + 1));
        // One try per attempt keeps the attempts on the 2.5 s tick even while the drive stays silent.
        switch (reopenLink(0)) {
        case Opening::Open:
            probeDrive();
            break;
        case Opening::Pending:
            break; // linkOpened() probes
        case Opening::Failed:
            releaseLink(); // a failed attempt leaves everything for the next tick
            break;
        }
        return;
    }

    closeDevice();
    emit errorOccurred(QObject::tr("Recovery failed"));
    setState(RecoverFiledState);
}

// A reopened link proves nothing about the drive behind it (its cable may still be cut, or it may
// still be powered down), so the attempt succeeds only once the drive answers the connection's
// test read. No other request goes out meanwhile.
void ModbusDevice::probeDrive()
{
    Q_D(ModbusDevice);
    if (d->probeCount == 0) {
        recoverySucceeded();
        return;
    }
    d->connected = false;
    BusTransaction probe;
    probe.transport = d->link.transport;
    probe.serverAddress = quint8(d->serverAddress);
    probe.functionCode = kReadHoldingRegisters;
    probe.startAddr = d->probeStart;
    probe.count = d->probeCount;
    d->onLink = ModbusDevicePrivate::OnLink::Probe;
    if (!startRequest(probe, 0)) {
        d->onLink = ModbusDevicePrivate::OnLink::Nothing;
        releaseLink();
        return;
    }
    d->replyWatchdog->start(replyDeadlineMs(d->link, 0));
}

void ModbusDevice::recoverySucceeded()
{
    Q_D(ModbusDevice);
    d->connected = true;
    d->recovering = false;
    d->retryCount = 0;
    d->silentRequests = 0;
    setState(RecoverSucceedState);
}
