// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusDevices.h"
#include "DriveCommands.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
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
        COMM_MODBUS_TCP = 4,
        COMM_RTU_OVER_TCP = 5,
    };
    Q_ENUM(CommType)

    enum CommEnableState {
        COMM_DISABLE = 0,
        COMM_ENABLE = 1,
    };
    Q_ENUM(CommEnableState)

    // The motions the tool starts on a drive, each ended by its own stop write.
    enum Motion : quint8 {
        ServoJog = 1, // 401 = 32 / 64, stopped by 401 = 0
        ServoPosition, // 402 = 8, stopped by 402 = 4
        VfdRun, // 0x2000 = 1 to 4, stopped by 0x2000 = 6
    };
    Q_ENUM(Motion)

    static Communication* instance();
    ~Communication() override;

    CommState commState() const { return m_commState; }
    CommType commType() const { return m_commType; }
    CommEnableState enableState() const { return m_enableState; }

    // Chosen on the connection page before openDevice.
    void setCommType(CommType type);
    // The enable state as the drive last answered it ("AEnableState"), kept for the pages.
    void setEnableState(CommEnableState state);

    // How long the drive must go on answering after the connection test before the service
    // reports it connected (3 s, as the window shows it). A one-shot command-line run, whose own
    // requests find out soon enough whether the link holds, need not wait.
    void setConfirmationDelay(int ms);
    // Whether a VFD connection runs the status poll the window's pages live on (on by default).
    // A front end that asks for what it needs itself turns it off before openDevice.
    void setStatusPoll(bool enabled);

    // The transport a bus type runs on; false for the buses without an implementation.
    static bool transportOf(CommType type, BusLink::Transport* transport);

    // Opens the link; the bus type chosen must be the link's. A TCP link is on its way when this
    // returns true, and connectDevice waits for it.
    bool openDevice(const BusLink& link);
    bool openDevice(const SerialSettings& settings);
    // Why the last openDevice() failed, in words for the console (empty problem after a success).
    SerialPortDiagnosis::Result openFailure() const { return m_openFailure; }
    // Why the last connection attempt failed, when the link or a gateway told (a refused or
    // unreachable server, a gateway whose drive did not answer); empty for a silent drive.
    QString connectFailure() const { return m_connectFailure; }
    // The slave address of the opened device; taken while the device is idle, before connecting.
    void setServerAddress(quint16 address);
    quint16 serverAddress() const;
    // The settings of the current connection (empty without one).
    SerialSettings settings() const;
    // The link of the current connection, or of the last one.
    BusLink link() const { return m_link; }
    bool hasDevice() const { return m_busDevice != nullptr; }

    void connectDevice(quint16 startAddr, quint16 count);
    void closeDevice();

    // Every send that is not dropped gets a request number, unique for the run, which comes back
    // with its answer on requestCompleted; a dropped request gets 0. The numbers let a batch tell
    // its own answers from those of other senders using the same tags.
    quint64 sendRead(const QString& tag, quint16 startAddr, quint16 count);
    quint64 sendWrite(const QString& tag, quint16 startAddr, quint16 value);
    quint64 sendWrite(const QString& tag, quint16 startAddr, const QVector<quint16>& values);

    // Starts a motion with these writes, in order. Like every send it is dropped unless connected;
    // gives the number of the last write (0 when dropped).
    quint64 startMotion(Motion motion, const QVector<DriveCommands::Write>& writes);
    // Stops a motion; never dropped and never gated. While the link is up the stop goes ahead of
    // everything waiting and takes back the motion's starts that have not gone out; otherwise it
    // is owed, and sent before anything else once the service is connected again. A stop that
    // fails on the line is owed again.
    void stopMotion(Motion motion);
    bool isStopOwed(Motion motion) const;

    // The way out of the tool: the service polls no more and waits, running events, until every
    // write handed to the bus (stops first) has been answered or has failed, at most timeoutMs, so
    // that what the pages sent on their way out reaches the drive before the port closes.
    // True when nothing was left waiting.
    bool finishWrites(int timeoutMs);

    // A drive command holds the service quiet while the drive restarts: every page's sends are
    // dropped, without telling the pages. The end brings a quiet connection back to connected.
    void beginQuietPeriod();
    void endQuietPeriod();

signals:
    void connectEvent(Communication::CommState state);
    void connectErrEvent();
    void resultCallBackEvent(QString tag, QVector<quint16> values);
    void printEvent(QString text);
    // A console text that must not be missed: a stop that never reached its drive.
    void criticalEvent(QString text);
    // Emitted just before resultCallBackEvent for the same answer; also for empty tags.
    void requestCompleted(quint64 request, QString tag, QVector<quint16> values);
    // Every transaction of the current connection as it went on the line, the connection test
    // read included; before requestCompleted for the same request.
    void transactionCompleted(BusTransaction transaction);

private slots:
    void updateState(BusDevices::State newState);

private:
    friend class CommunicationProbe; // the service's own tests

    Communication();
    void pollVfdStatus();
    void confirmConnection(quint64 connection);
    void releaseConnection();
    void setCommState(CommState state);
    void deviceFinished(const BusTransaction& transaction);
    template <typename Send> quint64 queueRequest(Send send);
    template <typename Send> quint64 queueOnDevice(Send send);
    quint64 queueMotionWrite(BusMotion motion, const DriveCommands::Write& write);
    bool canSendStops() const;
    void sendStop(Motion motion);
    void oweStop(Motion motion);
    void sendOwedStops();
    void dropStopsOwedElsewhere();
    void oweUnansweredStops();
    void stopAnswered(Motion motion, const BusTransaction& transaction);

    BusDevices* m_busDevice = nullptr;
    QThread* m_workerThread = nullptr;
    CommType m_commType = COMM_MODBUS_RTU;
    CommState m_commState = COMM_DISCONNECT;
    CommEnableState m_enableState = COMM_DISABLE;
    quint64 m_lastRequest = 0;
    bool m_quiet = false;
    int m_confirmationDelayMs;
    bool m_statusPoll = true;
    // Keep-alive of an idle connection: the connect probe, read again after a quiet spell.
    void watchIdle();
    void sendKeepAlive();
    QTimer* m_idleTimer = nullptr;
    quint16 m_probeStart = 0;
    quint16 m_probeCount = 0;
    quint64 m_keepAliveRequest = 0;
    SerialPortDiagnosis::Result m_openFailure;
    QString m_connectFailure;

    // The drive of the current (or last) connection: its link and address.
    BusLink m_link;
    quint16 m_address = 0;
    bool m_linkKnown = false;

    // A stop that could not go out yet, and the drive it is for: it goes to that drive only.
    struct OwedStop
    {
        Motion motion;
        BusLink link;
        quint16 address = 0;
        bool linkKnown = false;
    };
    bool isOwedHere(const OwedStop& stop) const;
    // Stops that could not go out yet, in the order asked for.
    QList<OwedStop> m_owedStops;
    // Stops handed to the device and not yet answered, by request number.
    QHash<quint64, Motion> m_sentStops;
    // Attempts at a stop that failed on a link that stayed up, per motion.
    QHash<int, int> m_stopAttempts;
    // Writes handed to the device and not yet completed, for the way out.
    QSet<quint64> m_pendingWrites;
    bool m_finishing = false;

    QTimer* vfdPollTimer = nullptr;
    // Workers of released connections that had not stopped yet; they delete themselves.
    QList<QPointer<QThread>> m_retiringThreads;
    // Changes whenever a connection is started or released, so that delayed work of an earlier
    // connection (confirmation, close) recognises it is stale.
    quint64 m_connectionId = 0;
};

Q_DECLARE_METATYPE(Communication::CommState)
