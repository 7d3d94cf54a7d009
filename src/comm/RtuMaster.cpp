// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtuMaster.h"
#include "RtuMaster_p.h"

#include "RtuFrame.h"

#include <QDeadlineTimer>
#include <QIODevice>
#include <QThread>
#include <QTimer>

namespace {

constexpr quint8 kReadHoldingRegisters = 0x03;
constexpr quint8 kWriteSingleRegister = 0x06;
// Waits up to this long are slept through; longer ones go to a timer first, so that a slow line
// (16 ms of silence at 2400 baud) does not hold the thread.
constexpr qint64 kSleepAtMostNs = 2'000'000;
// No drive answers a broadcast; this long the line stays the drives' while they carry it out.
constexpr int kTurnaroundDelayMs = 100;
constexpr quint8 kBroadcastAddress = 0;

quint16 wordAt(const QByteArray& bytes, int at)
{
    return quint16((quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1)));
}

qint64 nowNs()
{
    return QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
}

} // namespace

RtuMaster::RtuMaster(RtuMasterPrivate& dd, QObject* parent)
    : ModbusDevice(dd, parent)
{
    Q_D(RtuMaster);
    d->replyTimer = new QTimer(this);
    d->replyTimer->setSingleShot(true);
    // A coarse timer may end the wait up to 5 % early: a drive answering within its response time
    // would count as silent.
    d->replyTimer->setTimerType(Qt::PreciseTimer);
    connect(d->replyTimer, &QTimer::timeout, this, &RtuMaster::replyTimedOut);
    d->silenceTimer = new QTimer(this);
    d->silenceTimer->setSingleShot(true);
    d->silenceTimer->setTimerType(Qt::PreciseTimer);
    connect(d->silenceTimer, &QTimer::timeout, this, &RtuMaster::silenceOver);
}

RtuMaster::~RtuMaster() = default;

RtuMasterPrivate* RtuMaster::d_func()
{
    return static_cast<RtuMasterPrivate*>(d_ptr);
}

const RtuMasterPrivate* RtuMaster::d_func() const
{
    return static_cast<const RtuMasterPrivate*>(d_ptr);
}

void RtuMaster::attachStream(QIODevice* stream)
{
    Q_D(RtuMaster);
    d->stream = stream;
    d->lastByteNs = 0;
    connect(stream, &QIODevice::readyRead, this, &RtuMaster::readAnswer);
}

QIODevice* RtuMaster::stream() const
{
    return d_func()->stream;
}

void RtuMaster::detachStream()
{
    Q_D(RtuMaster);
    d->replyTimer->stop();
    d->silenceTimer->stop();
    d->phase = RtuMasterPrivate::Phase::Idle;
    d->received.clear();
    if (d->stream)
        disconnect(d->stream, nullptr, this, nullptr);
    d->stream = nullptr;
}

bool RtuMaster::streamReady() const
{
    return d_func()->stream && d_func()->stream->isOpen();
}

qint64 RtuMaster::silentIntervalNs() const
{
    return 0;
}

bool RtuMaster::startRequest(BusTransaction& request, int retries)
{
    Q_D(RtuMaster);
    if (!streamReady())
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
    return d->phase != RtuMasterPrivate::Phase::Idle;
}

void RtuMaster::sendFrame()
{
    Q_D(RtuMaster);
    d->phase = RtuMasterPrivate::Phase::Silence;
    const qint64 silence = silentIntervalNs();
    const qint64 wait = d->lastByteNs > 0 ? d->lastByteNs + silence - nowNs() : 0;
    if (wait > kSleepAtMostNs) {
        // Wake a millisecond early and sleep the rest: a timer only counts whole milliseconds.
        d->silenceTimer->start(int((wait - 1'000'000) / 1'000'000));
        return;
    }
    if (wait > 0)
        QThread::usleep(ulong((wait + 999) / 1000));
    transmit();
}

void RtuMaster::silenceOver()
{
    Q_D(RtuMaster);
    if (d->phase != RtuMasterPrivate::Phase::Silence || !d->stream)
        return;
    sendFrame();
    // The link took the request: a frame it then refuses ends it as a link failure.
    if (d->phase == RtuMasterPrivate::Phase::Idle)
        finishRequest(BusTransaction::LinkError);
}

void RtuMaster::transmit()
{
    Q_D(RtuMaster);
    // Whatever is still on its way belongs to an answer given up on.
    d->stream->readAll();
    d->received.clear();
    if (d->stream->write(d->frame) != d->frame.size()) {
        d->phase = RtuMasterPrivate::Phase::Idle;
        return;
    }
    d->phase = RtuMasterPrivate::Phase::Sent;
    d->replyTimer->start(d->address == kBroadcastAddress ? kTurnaroundDelayMs : d->link.responseTime());
}

bool RtuMaster::retry()
{
    Q_D(RtuMaster);
    if (d->triesLeft <= 0)
        return false;
    --d->triesLeft;
    sendFrame();
    return d->phase != RtuMasterPrivate::Phase::Idle;
}

void RtuMaster::readAnswer()
{
    Q_D(RtuMaster);
    if (!d->stream)
        return;
    const QByteArray bytes = d->stream->readAll();
    if (bytes.isEmpty())
        return;
    d->lastByteNs = nowNs();
    bytesHeard();
    if (d->phase != RtuMasterPrivate::Phase::Sent || d->address == kBroadcastAddress)
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
        // Noise, a corrupted answer, or one to another request: ask again while tries are left,
        // once the line has been quiet (the rest of a torn frame would spoil the next answer).
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

void RtuMaster::replyTimedOut()
{
    Q_D(RtuMaster);
    if (d->phase != RtuMasterPrivate::Phase::Sent)
        return;
    if (d->address == kBroadcastAddress) {
        // Sent once and never answered: done, and never repeated (each drive would act twice).
        finishRequest(BusTransaction::Ok, d->written);
        return;
    }
    if (retry())
        return;
    // Bytes that never made an answer are a corrupted answer.
    const BusTransaction::Outcome outcome
        = d->replyBytesSeen ? BusTransaction::CrcError : BusTransaction::Timeout;
    finishRequest(outcome, {}, 0, true);
}

void RtuMaster::finishRequest(
    BusTransaction::Outcome outcome, const QVector<quint16>& values, quint8 exceptionCode, bool timedOut)
{
    Q_D(RtuMaster);
    d->phase = RtuMasterPrivate::Phase::Idle;
    d->replyTimer->stop();
    d->silenceTimer->stop();
    d->received.clear();
    Answer answer;
    answer.outcome = outcome;
    answer.values = values;
    answer.exceptionCode = exceptionCode;
    answer.timedOut = timedOut;
    requestAnswered(answer);
}
