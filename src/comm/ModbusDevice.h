// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusDevices.h"

class ModbusDevicePrivate;
struct BusRequest;

// A Modbus master on one link, whatever carries its frames: the first-in-first-out queue with one
// request on the link at a time, the connection test read, the rule that tells a silent drive, and
// the recovery of a failed link by reopening it every 2.5 s. A subclass is only the transport: it
// opens and closes the link and puts one request on it at a time, and reports back through the
// protected calls below. Lives in the communication worker thread; all its work happens there.
class ModbusDevice : public BusDevices
{
    Q_OBJECT
public:
    ~ModbusDevice() override;

public slots:
    bool openDevice() override;
    void closeDevice() override;
    bool connectDevice(ushort startAddr, ushort count) override;
    void sendWrite(QString message, ushort startAddr, ushort valueCount, QVector<quint16> value) override;
    void sendRead(QString message, ushort startAddr, ushort valueCount) override;

public:
    void sendNumberedRead(
        quint64 request, const QString& message, quint16 startAddr, quint16 valueCount) override;
    void sendNumberedWrite(
        quint64 request, const QString& message, quint16 startAddr, const QVector<quint16>& values) override;
    void sendMotionWrite(quint64 request, BusMotion motion, const QString& message, quint16 startAddr,
        const QVector<quint16>& values) override;

    // A gateway's answer that the drive behind it did not respond: as good as silence from the drive.
    static constexpr quint8 GatewayTargetFailed = 0x0B;

protected:
    // How one request ended on the link.
    struct Answer
    {
        BusTransaction::Outcome outcome = BusTransaction::LinkError;
        QVector<quint16> values; // registers read, or the write as confirmed
        quint8 exceptionCode = 0;
        bool timedOut = false; // nothing (or nothing sound) came back within the response time and retries
    };

    enum class Opening {
        Failed, // openFailure() says why, once the link is released
        Open,
        Pending, // on its way: linkOpened() or linkFailed() follows
    };

    // A transport's destructor calls closeDevice(): the link is its own.
    ModbusDevice(ModbusDevicePrivate& dd, QObject* parent);

    // ---- the transport ----

    // Opens the link anew (the device has released the old one).
    virtual Opening openLink() = 0;
    // Releases the link at once. A request on it is dropped without a word: the device completes it.
    virtual void closeLink() = 0;
    // Puts `request` (its frame fields) on the open link with this many repeats when unanswered;
    // the transport fills in how the frame went (its transport, its transaction id). False when the
    // link refuses it. Its end comes through requestAnswered(), unless the link goes first.
    virtual bool startRequest(BusTransaction& request, int retries) = 0;
    // Why openLink() failed, once the link is released again.
    virtual SerialPortDiagnosis::Result openFailure() const = 0;

    void linkOpened();
    // The link failed: it did not come up (the text says why, for the user), or it went away.
    void linkFailed(Error code, const QString& text);
    // Bytes came in from the link: the drive (or the gateway) talks.
    void bytesHeard();
    void requestAnswered(const Answer& answer);

    ModbusDevicePrivate* d_func();
    const ModbusDevicePrivate* d_func() const;

private:
    void enqueue(const BusRequest& request);
    Opening reopenLink(int retries);
    void releaseLink();
    bool waitForLink();
    bool testRead(quint16 startAddr, quint16 count);
    BusTransaction currentTransaction() const;
    void processNext();
    void finishCurrent(const QVector<quint16>& values,
        BusTransaction::Outcome outcome = BusTransaction::LinkError, quint8 exceptionCode = 0);
    void markSent();
    void handleAnswer(const Answer& answer);
    void recoveryTick();
    void probeDrive();
    void recoverySucceeded();
    void failLink();
    QString gatewayReason() const;

    Q_DISABLE_COPY(ModbusDevice)
};
