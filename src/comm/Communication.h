#pragma once

#include "BusDevices.h"

#include <QObject>
#include <QString>
#include <QVector>

class QThread;
class QTimer;

// The one way the user interface talks to the drive: forwards tagged requests to the bus device of
// the current connection (in its worker thread) and hands every completed request back as one event.
class Communication : public QObject
{
    Q_OBJECT
public:
    enum CommState {
        COMM_CONNECTING = 0,
        COMM_CONNECTED = 1,
        COMM_DISCONNECT = 2,
        COMM_CLOSING = 3,
        COMM_WAITING = 4,
    };
    Q_ENUM(CommState)

    enum CommType {
        COMM_MODBUS_RTU = 0,
        COMM_MODBUS_CUSTOM = 1,
        COMM_CANOPEN = 2,
        COMM_ETHERCAT = 3,
    };
    Q_ENUM(CommType)

    enum CommEnableState {
        COMM_DISABLE = 0,
        COMM_ENABLE = 1,
    };
    Q_ENUM(CommEnableState)

    static Communication* instance();
    ~Communication() override;

    bool openDevice(const SerialSettings& settings);
    void connectDevice(quint16 startAddr, quint16 count);
    void closeDevice();
    void sendRead(const QString& tag, quint16 startAddr, quint16 count);
    void sendWrite(const QString& tag, quint16 startAddr, quint16 value);
    void sendWrite(const QString& tag, quint16 startAddr, const QVector<quint16>& values);

    // Shortcut writes of the drive's fixed registers.
    static void servoEnable();
    static void servoDisable();
    static void requestSoftReset();
    static void trialRunMode();
    static void setTrialRunSpeed(int mode, quint16 value);
    static void setPositionTimeA(quint16 value);
    static void setPositionTimeB(quint16 value);
    static void trialRunStop(bool positionMode);
    static void jogForward();
    static void jogBackward();
    static void selectPositionRun();
    static void setPositionCount(quint16 high, quint16 low);
    static void positionStart();
    static void positionStartRelease();

    // Read and written directly by the pages, the main window and the drive commands.
    BusDevices* busDevice = nullptr;
    QThread* workerThread = nullptr;
    CommType commType = COMM_MODBUS_RTU;
    CommState commState = COMM_DISCONNECT;
    CommEnableState enableState = COMM_DISABLE;

signals:
    void connectEvent(Communication::CommState state);
    void connectErrEvent();
    void resultCallBackEvent(QString tag, QVector<quint16> values);
    void printEvent(QString text);

private slots:
    void updateState(BusDevices::State newState);

private:
    Communication();
    void pollVfdStatus();
    void confirmConnection(quint64 connection);
    void releaseConnection();

    QTimer* vfdPollTimer = nullptr;
    // Changes whenever a connection is started or released, so that delayed work of an earlier
    // connection (confirmation, close) recognises it is stale.
    quint64 m_connectionId = 0;
};

Q_DECLARE_METATYPE(Communication::CommState)
