// SPDX-License-Identifier: GPL-3.0-or-later
#include "Communication.h"

#include "DriveRegisters.h"
#include "Global.h"
#include "Modbus.h"
#include "ModbusTcp.h"
#include "RtuOverTcp.h"

#include <QAtomicPointer>
#include <QEventLoop>
#include <QMetaObject>
#include <QMetaType>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kConfirmDelayMs = 3000;
constexpr int kCloseDelayMs = 3000;
constexpr int kVfdPollIntervalMs = 3000;
// A worker normally stops within milliseconds; the window must not freeze for one that does not.
// A connection with nothing to ask would never notice a drive that went silent (powered down,
// drive cable cut while the adapter stays plugged in): after this long without any request, the
// connect probe is read again, and again at once while it goes unanswered, so the device's
// silent-drive rule gets its requests.
constexpr int kKeepAliveIdleMs = 5000;
constexpr unsigned long kWorkerStopGraceMs = 300;
// A stop that fails on a link that stays up (a corrupted or lost answer) is sent again, up to this
// many times in all; then it waits, owed, for the next connection.
constexpr int kStopAttempts = 3;

QAtomicPointer<Communication> s_instance;

void deleteInstance()
{
    delete s_instance.fetchAndStoreOrdered(nullptr);
}

DriveCommands::Write stopWrite(Communication::Motion motion)
{
    switch (motion) {
    case Communication::ServoJog:
        return { QString(), DriveRegister::Servo::JogCommand, { DriveRegister::Servo::JogStop } };
    case Communication::ServoPosition:
        return { QString(), DriveRegister::Servo::PositionCommand, { DriveRegister::Servo::PositionStop } };
    case Communication::VfdRun:
        return { QString(), DriveRegister::Vfd::Control, { DriveRegister::Vfd::Stop } };
    }
    return {};
}

} // namespace

Communication* Communication::instance()
{
    static QMutex mutex;
    Communication* current = s_instance.loadAcquire();
    if (!current) {
        QMutexLocker locker(&mutex);
        current = s_instance.loadAcquire();
        if (!current) {
            current = new Communication;
            s_instance.storeRelease(current);
            std::atexit(deleteInstance);
        }
    }
    return current;
}

Communication::Communication()
    : QObject(nullptr)
    , m_confirmationDelayMs(kConfirmDelayMs)
{
    qRegisterMetaType<QVector<quint16>*>("QVector<quint16>*");
    qRegisterMetaType<QVector<quint16>>("QVector<quint16>");
    qRegisterMetaType<BusDevices::State>("BusDevices::State");
    qRegisterMetaType<Communication::CommState>("Communication::CommState");
    qRegisterMetaType<BusTransaction>("BusTransaction");
}

Communication::~Communication()
{
    delete vfdPollTimer;
    vfdPollTimer = nullptr;
    if (m_workerThread) {
        m_workerThread->quit();
        m_workerThread->wait();
        // No event loop may run any more to carry out the thread's deleteLater.
        delete m_workerThread;
        m_workerThread = nullptr;
    }
    m_busDevice = nullptr;
    // Workers left to stop on their own must not run on into the static destructors.
    for (const QPointer<QThread>& thread : qAsConst(m_retiringThreads)) {
        if (thread)
            thread->wait();
    }
}

void Communication::setCommType(CommType type)
{
    m_commType = type;
}

void Communication::setEnableState(CommEnableState state)
{
    m_enableState = state;
}

void Communication::setConfirmationDelay(int ms)
{
    m_confirmationDelayMs = qMax(0, ms);
}

void Communication::setStatusPoll(bool enabled)
{
    m_statusPoll = enabled;
}

void Communication::setCommState(CommState state)
{
    m_quiet = false;
    m_commState = state;
    watchIdle();
    // Before anyone hears of the connection and sends: a stop owed goes out first.
    if (state == COMM_CONNECTED)
        sendOwedStops();
    emit connectEvent(state);
}

void Communication::setServerAddress(quint16 address)
{
    m_address = address;
    if (m_busDevice)
        m_busDevice->setServerAddress(address);
}

quint16 Communication::serverAddress() const
{
    return m_busDevice ? m_busDevice->serverAddress() : 0;
}

SerialSettings Communication::settings() const
{
    return m_busDevice ? m_busDevice->settings() : SerialSettings();
}

void Communication::beginQuietPeriod()
{
    // Only a connection can be held quiet; anything else must not come back as "connected".
    m_quiet = m_commState == COMM_CONNECTED;
    if (m_quiet)
        m_commState = COMM_WAITING;
    watchIdle();
}

void Communication::endQuietPeriod()
{
    const bool quiet = m_quiet;
    m_quiet = false;
    // A link that was closed, lost or given up meanwhile is not connected again: the device's own
    // state reports bring it back if it recovers.
    if (!quiet || m_commState != COMM_WAITING || !m_busDevice)
        return;
    const BusDevices::State state = m_busDevice->state();
    if (state == BusDevices::ConnectSucceedState || state == BusDevices::RecoverSucceedState) {
        m_commState = COMM_CONNECTED;
        watchIdle();
        sendOwedStops();
    }
}

bool Communication::transportOf(CommType type, BusLink::Transport* transport)
{
    switch (type) {
    case COMM_MODBUS_RTU:
        *transport = BusLink::Serial;
        return true;
    case COMM_MODBUS_TCP:
        *transport = BusLink::ModbusTcp;
        return true;
    case COMM_RTU_OVER_TCP:
        *transport = BusLink::RtuOverTcp;
        return true;
    case COMM_MODBUS_CUSTOM:
    case COMM_CANOPEN:
    case COMM_ETHERCAT:
        break;
    }
    return false;
}

bool Communication::openDevice(const SerialSettings& settings)
{
    return openDevice(BusLink::serialPort(settings));
}

namespace {

BusDevices* newDevice(BusLink::Transport transport)
{
    switch (transport) {
    case BusLink::Serial:
        break;
    case BusLink::ModbusTcp:
        return new ModbusTcp;
    case BusLink::RtuOverTcp:
        return new RtuOverTcp;
    }
    return new Modbus;
}

} // namespace

bool Communication::openDevice(const BusLink& link)
{
    m_openFailure = {};
    BusLink::Transport transport = BusLink::Serial;
    if (!transportOf(m_commType, &transport) || transport != link.transport)
        return false;
    if (link.isTcp() && link.host.trimmed().isEmpty()) {
        m_openFailure = { SerialPortDiagnosis::OtherProblem, tr("no host name or address was given") };
        return false;
    }

    // A failed or lost earlier connection may still hold its worker; it must not keep a port or
    // a second VFD poll alive next to the new one.
    releaseConnection();
    ++m_connectionId;
    m_link = link;
    m_address = 1;
    m_linkKnown = true;

    BusDevices* device = newDevice(link.transport);
    auto* thread = new QThread;
    m_busDevice = device;
    m_workerThread = thread;
    device->moveToThread(thread);
    thread->start(QThread::InheritPriority);

    connect(thread, &QThread::finished, device, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(device, &BusDevices::stateChanged, this, &Communication::updateState);
    connect(device, &BusDevices::errorOccurred, this, &Communication::printEvent);
    // Queued in emission order, so requestCompleted always comes just before the matching
    // resultCallBackEvent.
    connect(device, &BusDevices::completed, this, &Communication::deviceFinished);
    connect(device, &BusDevices::result, this, &Communication::resultCallBackEvent);
    // Before the failed state it explains, in the same queue.
    connect(device, &BusDevices::connectFailed, this, [this](const QString& reason) {
        if (sender() == m_busDevice)
            m_connectFailure = reason;
    });

    if (m_statusPoll && Global::instance()->device() == Global::DEVICE_VFD) {
        vfdPollTimer = new QTimer;
        vfdPollTimer->start(kVfdPollIntervalMs);
        connect(thread, &QThread::finished, vfdPollTimer, &QObject::deleteLater);
        connect(vfdPollTimer, &QTimer::timeout, this, &Communication::pollVfdStatus);
    }

    device->setLink(link);
    m_address = device->serverAddress();

    bool opened = false;
    QMetaObject::invokeMethod(device, &BusDevices::openDevice, Qt::BlockingQueuedConnection, &opened);
    // The blocking call has returned, so the idle device can be read from this thread.
    m_openFailure = opened ? SerialPortDiagnosis::Result()
                           : SerialPortDiagnosis::Result { device->openProblem(), device->errorString() };
    if (!opened)
        releaseConnection();
    return opened;
}

void Communication::connectDevice(quint16 startAddr, quint16 count)
{
    m_probeStart = startAddr;
    m_probeCount = count;
    m_connectFailure.clear();
    dropStopsOwedElsewhere();
    setCommState(COMM_CONNECTING);
    if (!m_busDevice) {
        // Nothing was opened: fail the attempt instead of staying in COMM_CONNECTING for good.
        emit connectErrEvent();
        setCommState(COMM_DISCONNECT);
        return;
    }
    BusDevices* device = m_busDevice;
    QMetaObject::invokeMethod(
        device, [device, startAddr, count] { device->connectDevice(startAddr, count); });
}

void Communication::closeDevice()
{
    setCommState(COMM_CLOSING);

    const quint64 connection = m_connectionId;
    QTimer::singleShot(kCloseDelayMs, this, [this, connection] {
        if (connection == m_connectionId) {
            releaseConnection();
        } else if (m_commState != COMM_CLOSING) {
            // A second close, or a new connection opened meanwhile, has taken over.
            return;
        }
        setCommState(COMM_DISCONNECT);
    });
}

template <typename Send> quint64 Communication::queueRequest(Send send)
{
    if (m_commState != COMM_CONNECTED)
        return 0;
    return queueOnDevice(send);
}

template <typename Send> quint64 Communication::queueOnDevice(Send send)
{
    if (!m_busDevice)
        return 0;
    const quint64 request = ++m_lastRequest;
    BusDevices* device = m_busDevice;
    // Queued into the worker; dropped with the device if it goes before the call is delivered.
    QMetaObject::invokeMethod(device, [device, request, send] { send(device, request); });
    return request;
}

quint64 Communication::sendRead(const QString& tag, quint16 startAddr, quint16 count)
{
    return queueRequest([tag, startAddr, count](BusDevices* device, quint64 request) {
        device->sendNumberedRead(request, tag, startAddr, count);
    });
}

quint64 Communication::sendWrite(const QString& tag, quint16 startAddr, quint16 value)
{
    return sendWrite(tag, startAddr, QVector<quint16> { value });
}

quint64 Communication::sendWrite(const QString& tag, quint16 startAddr, const QVector<quint16>& values)
{
    const quint64 request = queueRequest([tag, startAddr, values](BusDevices* device, quint64 request) {
        device->sendNumberedWrite(request, tag, startAddr, values);
    });
    if (request != 0)
        m_pendingWrites.insert(request);
    return request;
}

quint64 Communication::queueMotionWrite(BusMotion motion, const DriveCommands::Write& write)
{
    const quint64 request = queueOnDevice([motion, write](BusDevices* device, quint64 request) {
        device->sendMotionWrite(request, motion, write.tag, write.address, write.values);
    });
    if (request != 0)
        m_pendingWrites.insert(request);
    return request;
}

quint64 Communication::startMotion(Motion motion, const QVector<DriveCommands::Write>& writes)
{
    if (m_commState != COMM_CONNECTED)
        return 0;
    quint64 last = 0;
    for (const DriveCommands::Write& write : writes)
        last = queueMotionWrite({ BusMotion::Start, motion }, write);
    return last;
}

void Communication::stopMotion(Motion motion)
{
    if (canSendStops())
        sendStop(motion);
    else
        oweStop(motion);
}

// A closing link still carries what is queued for three seconds, so a stop can still go out.
bool Communication::canSendStops() const
{
    return m_busDevice && (m_commState == COMM_CONNECTED || m_commState == COMM_CLOSING);
}

void Communication::sendStop(Motion motion)
{
    const quint64 request = queueMotionWrite({ BusMotion::Stop, motion }, stopWrite(motion));
    if (request != 0)
        m_sentStops.insert(request, motion);
    else
        oweStop(motion);
}

bool Communication::isStopOwed(Motion motion) const
{
    return std::any_of(m_owedStops.cbegin(), m_owedStops.cend(),
        [motion](const OwedStop& stop) { return stop.motion == motion; });
}

bool Communication::isOwedHere(const OwedStop& stop) const
{
    return stop.linkKnown && m_linkKnown && stop.address == m_address && stop.link.sameEndpoint(m_link);
}

void Communication::oweStop(Motion motion)
{
    const OwedStop stop { motion, m_link, m_address, m_linkKnown };
    const bool owedAlready = std::any_of(m_owedStops.cbegin(), m_owedStops.cend(),
        [&](const OwedStop& owed) { return owed.motion == motion && isOwedHere(owed); });
    if (!owedAlready)
        m_owedStops.append(stop);
    // The owed stop replaces one of this motion still waiting in the device, and no start kept
    // there through a recovery may go out before it.
    for (auto it = m_sentStops.begin(); it != m_sentStops.end();) {
        if (it.value() == motion)
            it = m_sentStops.erase(it);
        else
            ++it;
    }
    if (BusDevices* device = m_busDevice)
        QMetaObject::invokeMethod(device, [device, motion] { device->withdrawMotion(motion); });
}

void Communication::sendOwedStops()
{
    const QList<OwedStop> owed = m_owedStops;
    m_owedStops.clear();
    m_stopAttempts.clear();
    for (const OwedStop& stop : owed)
        sendStop(stop.motion);
}

// A stop belongs to the drive it was asked for. A connection to another link or address is
// another drive, which must not get it (it may be running on purpose); the drive that never got
// its stop is named, so that the engineer goes and stops it.
void Communication::dropStopsOwedElsewhere()
{
    QStringList unstopped;
    for (auto it = m_owedStops.begin(); it != m_owedStops.end();) {
        if (isOwedHere(*it)) {
            ++it;
            continue;
        }
        if (it->linkKnown) {
            const QString drive = it->link.describe(it->address);
            if (!unstopped.contains(drive))
                unstopped.append(drive);
        }
        it = m_owedStops.erase(it);
    }
    for (const QString& drive : qAsConst(unstopped)) {
        emit criticalEvent(tr("The stop for the drive at %1 was never sent: the connection now goes to %2. "
                              "That drive may still be moving; stop it there")
                               .arg(drive, m_link.describe(m_address)));
    }
}

// The device lost or dropped its queue (link failure, failed attempt, closed): whatever stop it
// had not answered may never have reached the drive.
void Communication::oweUnansweredStops()
{
    QList<quint64> requests = m_sentStops.keys();
    std::sort(requests.begin(), requests.end());
    const QHash<quint64, Motion> sent = m_sentStops;
    for (quint64 request : qAsConst(requests))
        oweStop(sent.value(request));
    m_pendingWrites.clear();
}

void Communication::stopAnswered(Motion motion, const BusTransaction& transaction)
{
    if (transaction.answered()) {
        m_stopAttempts.remove(motion);
        return;
    }
    const int attempts = m_stopAttempts.value(motion) + 1;
    m_stopAttempts.insert(motion, attempts);
    if (attempts < kStopAttempts && canSendStops())
        sendStop(motion);
    else
        oweStop(motion);
}

bool Communication::finishWrites(int timeoutMs)
{
    m_finishing = true;
    if (m_idleTimer)
        m_idleTimer->stop();
    if (!m_pendingWrites.isEmpty() && m_busDevice) {
        QEventLoop loop;
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        const QMetaObject::Connection answered
            = connect(this, &Communication::transactionCompleted, &loop, [this, &loop] {
                  if (m_pendingWrites.isEmpty())
                      loop.quit();
              });
        // A link that goes down now answers nothing more.
        const QMetaObject::Connection lost
            = connect(this, &Communication::connectEvent, &loop, [&loop](CommState state) {
                  if (state == COMM_WAITING || state == COMM_DISCONNECT)
                      loop.quit();
              });
        loop.exec();
        disconnect(answered);
        disconnect(lost);
    }
    m_finishing = false;
    return m_pendingWrites.isEmpty();
}

void Communication::watchIdle()
{
    if (!m_idleTimer) {
        m_idleTimer = new QTimer(this);
        m_idleTimer->setSingleShot(true);
        m_idleTimer->setInterval(kKeepAliveIdleMs);
        connect(m_idleTimer, &QTimer::timeout, this, &Communication::sendKeepAlive);
    }
    if (m_commState == COMM_CONNECTED)
        m_idleTimer->start();
    else
        m_idleTimer->stop();
}

void Communication::sendKeepAlive()
{
    if (m_commState != COMM_CONNECTED || m_probeCount == 0 || m_finishing)
        return;
    m_keepAliveRequest = sendRead(QString(), m_probeStart, m_probeCount);
}

void Communication::deviceFinished(const BusTransaction& transaction)
{
    watchIdle();
    m_pendingWrites.remove(transaction.request);
    const auto stop = m_sentStops.find(transaction.request);
    if (transaction.request != 0 && stop != m_sentStops.end()) {
        const Motion motion = stop.value();
        m_sentStops.erase(stop);
        stopAnswered(motion, transaction);
    }
    if (transaction.request != 0 && transaction.request == m_keepAliveRequest) {
        m_keepAliveRequest = 0;
        if (transaction.values.isEmpty())
            sendKeepAlive();
    }
    emit transactionCompleted(transaction);
    if (transaction.request != 0)
        emit requestCompleted(transaction.request, transaction.tag, transaction.values);
}

void Communication::updateState(BusDevices::State newState)
{
    // Reports of a device that was already released (they are queued) are stale, and while the
    // link is being closed nothing may move the service away from COMM_CLOSING.
    if (!m_busDevice || sender() != m_busDevice || m_commState == COMM_CLOSING)
        return;

    switch (newState) {
    case BusDevices::ConnectSucceedState:
    case BusDevices::RecoverSucceedState: {
        const quint64 connection = m_connectionId;
        QTimer::singleShot(
            m_confirmationDelayMs, this, [this, connection] { confirmConnection(connection); });
        break;
    }
    case BusDevices::ConnectFiledState:
        // The attempt is over; its worker must not outlive it (a message box shown for the
        // signals below would otherwise keep it running).
        releaseConnection();
        emit connectErrEvent();
        setCommState(COMM_DISCONNECT);
        break;
    case BusDevices::RecoveringState:
        oweUnansweredStops();
        setCommState(COMM_WAITING);
        break;
    case BusDevices::RecoverFiledState:
        oweUnansweredStops();
        setCommState(COMM_DISCONNECT);
        break;
    }
}

void Communication::confirmConnection(quint64 connection)
{
    if (connection != m_connectionId || !m_busDevice)
        return;
    if (m_commState == COMM_CLOSING || m_commState == COMM_DISCONNECT)
        return;
    const BusDevices::State state = m_busDevice->state();
    if (state != BusDevices::ConnectSucceedState && state != BusDevices::RecoverSucceedState)
        return;
    setCommState(COMM_CONNECTED);
}

void Communication::releaseConnection()
{
    ++m_connectionId;
    oweUnansweredStops();
    delete vfdPollTimer;
    vfdPollTimer = nullptr;
    if (m_workerThread) {
        // The device goes with the thread (deleteLater on finished); its destructor closes the port.
        // A worker stuck in a serial driver must not freeze the window: after the grace time the
        // thread is left to end (and delete itself) on its own.
        m_workerThread->quit();
        if (!m_workerThread->wait(kWorkerStopGraceMs)) {
            qWarning("Communication: the bus worker did not stop in time");
            m_retiringThreads.removeAll(nullptr);
            m_retiringThreads.append(m_workerThread);
        }
    }
    m_workerThread = nullptr;
    m_busDevice = nullptr;
}

void Communication::pollVfdStatus()
{
    using namespace DriveRegister::Vfd;
    if (m_commState != COMM_CONNECTED || m_finishing)
        return;
    sendRead(QStringLiteral("P0-19"), OutputFrequency, 1);
    sendRead(QStringLiteral("P0-22"), FrequencyDecimals, 1);
    sendRead(QStringLiteral("P7-12"), PollP7_12, 1);
    sendWrite(QStringLiteral("ADecryption"), Unlock, UnlockCode);
    sendRead(QStringLiteral("PF-01"), CurrentDecimals, 1);
}
