#include "Communication.h"

#include "Global.h"
#include "Modbus.h"

#include <QAtomicPointer>
#include <QMetaObject>
#include <QMetaType>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QTimer>

#include <cstdlib>

namespace {

constexpr int kConfirmDelayMs = 3000;
constexpr int kCloseDelayMs = 3000;
constexpr int kVfdPollIntervalMs = 3000;
constexpr unsigned long kWorkerStopGraceMs = 10000;

// The VFD keeps PF-01 behind this unlock code, so it is written right before every read of it.
constexpr quint16 kVfdUnlockCode = 55;

QAtomicPointer<Communication> s_instance;

void deleteInstance()
{
    delete s_instance.fetchAndStoreOrdered(nullptr);
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
{
    qRegisterMetaType<QVector<quint16>*>("QVector<quint16>*");
    qRegisterMetaType<QVector<quint16>>("QVector<quint16>");
    qRegisterMetaType<BusDevices::State>("BusDevices::State");
    qRegisterMetaType<BusDevices::State>("SerialBusDevice::State");
    qRegisterMetaType<Communication::CommState>("Communication::CommState");
}

Communication::~Communication()
{
    delete vfdPollTimer;
    vfdPollTimer = nullptr;
    if (workerThread) {
        workerThread->quit();
        workerThread->wait();
        // No event loop may run any more to carry out the thread's deleteLater.
        delete workerThread;
        workerThread = nullptr;
    }
    busDevice = nullptr;
}

bool Communication::openDevice(const SerialSettings& settings)
{
    if (commType != COMM_MODBUS_RTU)
        return false;

    // A failed or lost earlier connection may still hold its worker; it must not keep a port or
    // a second VFD poll alive next to the new one.
    releaseConnection();
    ++m_connectionId;

    auto* device = new Modbus;
    auto* thread = new QThread;
    busDevice = device;
    workerThread = thread;
    device->moveToThread(thread);
    thread->start(QThread::InheritPriority);

    connect(thread, &QThread::finished, device, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(device, &BusDevices::stateChanged, this, &Communication::updateState);
    connect(device, &BusDevices::errorOccurred, this, &Communication::printEvent);
    connect(device, &BusDevices::result, this, &Communication::resultCallBackEvent);

    if (Global::instance()->device() == Global::DEVICE_VFD) {
        vfdPollTimer = new QTimer;
        vfdPollTimer->start(kVfdPollIntervalMs);
        connect(thread, &QThread::finished, vfdPollTimer, &QObject::deleteLater);
        connect(vfdPollTimer, &QTimer::timeout, this, &Communication::pollVfdStatus);
    }

    device->setSettings(settings);

    bool opened = false;
    QMetaObject::invokeMethod(device, "openDevice", Qt::BlockingQueuedConnection, Q_RETURN_ARG(bool, opened));
    if (!opened)
        releaseConnection();
    return opened;
}

void Communication::connectDevice(quint16 startAddr, quint16 count)
{
    commState = COMM_CONNECTING;
    emit connectEvent(COMM_CONNECTING);
    if (!busDevice) {
        // Nothing was opened: fail the attempt instead of staying in COMM_CONNECTING for good.
        emit connectErrEvent();
        commState = COMM_DISCONNECT;
        emit connectEvent(COMM_DISCONNECT);
        return;
    }
    QMetaObject::invokeMethod(
        busDevice, "connectDevice", Qt::AutoConnection, Q_ARG(ushort, startAddr), Q_ARG(ushort, count));
}

void Communication::closeDevice()
{
    commState = COMM_CLOSING;
    emit connectEvent(COMM_CLOSING);

    const quint64 connection = m_connectionId;
    QTimer::singleShot(kCloseDelayMs, this, [this, connection] {
        if (connection == m_connectionId) {
            releaseConnection();
        } else if (commState != COMM_CLOSING) {
            // A second close, or a new connection opened meanwhile, has taken over.
            return;
        }
        commState = COMM_DISCONNECT;
        emit connectEvent(COMM_DISCONNECT);
    });
}

void Communication::sendRead(const QString& tag, quint16 startAddr, quint16 count)
{
    if (commState != COMM_CONNECTED || !busDevice)
        return;
    QMetaObject::invokeMethod(busDevice, "sendRead", Qt::AutoConnection, Q_ARG(QString, tag),
        Q_ARG(ushort, startAddr), Q_ARG(ushort, count));
}

void Communication::sendWrite(const QString& tag, quint16 startAddr, quint16 value)
{
    sendWrite(tag, startAddr, QVector<quint16> { value });
}

void Communication::sendWrite(const QString& tag, quint16 startAddr, const QVector<quint16>& values)
{
    if (commState != COMM_CONNECTED || !busDevice)
        return;
    QMetaObject::invokeMethod(busDevice, "sendWrite", Qt::AutoConnection, Q_ARG(QString, tag),
        Q_ARG(ushort, startAddr), Q_ARG(ushort, ushort(values.size())), Q_ARG(QVector<quint16>, values));
}

void Communication::updateState(BusDevices::State newState)
{
    // Reports of a device that was already released (they are queued) are stale, and while the
    // link is being closed nothing may move the service away from COMM_CLOSING.
    if (!busDevice || sender() != busDevice || commState == COMM_CLOSING)
        return;

    switch (newState) {
    case BusDevices::ConnectSucceedState:
    case BusDevices::RecoverSucceedState: {
        const quint64 connection = m_connectionId;
        QTimer::singleShot(kConfirmDelayMs, this, [this, connection] { confirmConnection(connection); });
        break;
    }
    case BusDevices::ConnectFiledState:
        // The attempt is over; its worker must not outlive it (a message box shown for the
        // signals below would otherwise keep it running).
        releaseConnection();
        emit connectErrEvent();
        commState = COMM_DISCONNECT;
        emit connectEvent(COMM_DISCONNECT);
        break;
    case BusDevices::RecoveringState:
        commState = COMM_WAITING;
        emit connectEvent(COMM_WAITING);
        break;
    case BusDevices::RecoverFiledState:
        commState = COMM_DISCONNECT;
        emit connectEvent(COMM_DISCONNECT);
        break;
    }
}

void Communication::confirmConnection(quint64 connection)
{
    if (connection != m_connectionId || !busDevice)
        return;
    if (commState == COMM_CLOSING || commState == COMM_DISCONNECT)
        return;
    const BusDevices::State state = busDevice->state();
    if (state != BusDevices::ConnectSucceedState && state != BusDevices::RecoverSucceedState)
        return;
    commState = COMM_CONNECTED;
    emit connectEvent(COMM_CONNECTED);
}

void Communication::releaseConnection()
{
    ++m_connectionId;
    delete vfdPollTimer;
    vfdPollTimer = nullptr;
    if (workerThread) {
        // The device goes with the thread (deleteLater on finished); its destructor closes the port.
        // A worker stuck in a serial driver must not freeze the window: after the grace time the
        // thread is left to end (and delete itself) on its own.
        workerThread->quit();
        if (!workerThread->wait(kWorkerStopGraceMs))
            qWarning("Communication: the bus worker did not stop in time");
    }
    workerThread = nullptr;
    busDevice = nullptr;
}

void Communication::pollVfdStatus()
{
    if (commState != COMM_CONNECTED)
        return;
    sendRead(QStringLiteral("P0-19"), 0xF013, 1);
    sendRead(QStringLiteral("P0-22"), 0xF016, 1);
    sendRead(QStringLiteral("P7-12"), 0xF00C, 1);
    sendWrite(QStringLiteral("ADecryption"), 0xFF00, kVfdUnlockCode);
    sendRead(QStringLiteral("PF-01"), 0xFF01, 1);
}

void Communication::servoEnable()
{
    instance()->sendWrite(QStringLiteral("AEnableState"), 181, 1);
}

void Communication::servoDisable()
{
    instance()->sendWrite(QStringLiteral("AEnableState"), 181, 0);
}

void Communication::requestSoftReset()
{
    instance()->sendWrite(QStringLiteral("ASoftReset"), 60, 1);
}

void Communication::trialRunMode()
{
    instance()->sendWrite(QString(), 400, 128);
}

void Communication::setTrialRunSpeed(int mode, quint16 value)
{
    if (mode == 0)
        instance()->sendWrite(QString(), 149, value);
    else if (mode == 1)
        instance()->sendWrite(QString(), 644, value);
}

void Communication::setPositionTimeA(quint16 value)
{
    instance()->sendWrite(QString(), 168, value);
}

void Communication::setPositionTimeB(quint16 value)
{
    instance()->sendWrite(QString(), 169, value);
}

void Communication::trialRunStop(bool positionMode)
{
    if (positionMode)
        instance()->sendWrite(QString(), 402, 4);
    else
        instance()->sendWrite(QString(), 401, 0);
}

void Communication::jogForward()
{
    instance()->sendWrite(QString(), 401, 32);
}

void Communication::jogBackward()
{
    instance()->sendWrite(QString(), 401, 64);
}

void Communication::selectPositionRun()
{
    instance()->sendWrite(QString(), 640, 1);
}

void Communication::setPositionCount(quint16 high, quint16 low)
{
    instance()->sendWrite(QString(), 514, QVector<quint16> { high, low });
}

void Communication::positionStart()
{
    instance()->sendWrite(QString(), 402, 8);
}

void Communication::positionStartRelease()
{
    instance()->sendWrite(QString(), 402, 0);
}
