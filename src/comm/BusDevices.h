// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusLink.h"
#include "BusTransaction.h"
#include "SerialPortDiagnosis.h"

#include <QObject>
#include <QString>
#include <QVector>

// What a request does to a motion of the drive, for the queue's sake. Motions are numbered by the
// sender (0 is none). A stop goes ahead of every waiting request but earlier stops, and takes the
// waiting starts of its motion out of the queue: nothing started before a stop may follow it onto
// the line. Everything else keeps its place.
struct BusMotion
{
    enum Role : quint8 {
        None,
        Start,
        Stop,
    };
    Role role = None;
    quint8 motion = 0;
};

class BusDevicesPrivate;

// One field-bus link to one drive. Requests come in as slots (invoked across threads by the
// communication service); state, console texts and results go out as signals.
class BusDevices : public QObject
{
    Q_OBJECT
public:
    enum Error {
        NoError = 0,
        ReadError = 1,
        WriteError = 2,
        ConnectionError = 3,
        ConfigurationError = 4,
        TimeoutError = 5,
        ProtocolError = 6,
        ReplyAbortedError = 7,
        UnknownError = 8,
    };
    Q_ENUM(Error)

    enum State {
        ConnectSucceedState = 0,
        ConnectFiledState = 1,
        RecoveringState = 2,
        RecoverSucceedState = 3,
        RecoverFiledState = 4,
    };
    Q_ENUM(State)

    explicit BusDevices(QObject* parent = nullptr);
    ~BusDevices() override;

    // A serial link with these settings.
    void setSettings(const SerialSettings& settings);
    SerialSettings settings() const;
    void setLink(const BusLink& link);
    BusLink link() const;

    State state() const;
    Error error() const;
    QString errorString() const;
    // Why the last openDevice() failed; errorString() then explains it to the user.
    SerialPortDiagnosis::Problem openProblem() const;

    void setServerAddress(quint16 address);
    quint16 serverAddress() const;

signals:
    void errorOccurred(QString text);
    void stateChanged(BusDevices::State state);
    void result(QString message, QVector<quint16> values);
    // Every completed request (tagged or not, the connection test read included) with the number
    // its sender gave it (0 for the slots) and how it went on the line; emitted before result().
    void completed(BusTransaction transaction);
    void finished();
    // Why a connection attempt failed, when the link or a gateway tells (a refused or unreachable
    // server, a gateway whose drive does not answer); emitted just before ConnectFiledState. A
    // drive that stays silent on a sound link gives no reason.
    void connectFailed(QString reason);

public slots:
    virtual bool openDevice() = 0;
    virtual void closeDevice() = 0;
    virtual bool connectDevice(ushort startAddr, ushort count) = 0;
    virtual void sendWrite(QString message, ushort startAddr, ushort valueCount, QVector<quint16> value) = 0;
    virtual void sendRead(QString message, ushort startAddr, ushort valueCount) = 0;

public:
    // The slots above with a number that comes back on completed(); called in the device's thread.
    virtual void sendNumberedRead(
        quint64 request, const QString& message, quint16 startAddr, quint16 valueCount)
        = 0;
    virtual void sendNumberedWrite(
        quint64 request, const QString& message, quint16 startAddr, const QVector<quint16>& values)
        = 0;
    // A write that starts or stops a motion (see BusMotion).
    virtual void sendMotionWrite(quint64 request, BusMotion motion, const QString& message, quint16 startAddr,
        const QVector<quint16>& values)
        = 0;
    // Takes the waiting starts and stops of a motion out of the queue: the sender keeps the stop
    // owed itself until the link is back.
    void withdrawMotion(quint8 motion);

protected:
    BusDevices(BusDevicesPrivate& dd, QObject* parent);

    void setState(State state);
    void setError(const QString& text, Error code);
    // An open failure is returned to the caller, not announced as a link error.
    void setOpenFailure(const SerialPortDiagnosis::Result& failure);

    BusDevicesPrivate* const d_ptr;

private:
    Q_DISABLE_COPY(BusDevices)
};
