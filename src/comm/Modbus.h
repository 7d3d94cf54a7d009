// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusDevices.h"

#include <QModbusDevice>

class ModbusPrivate;
struct BusRequest;
class QModbusReply;
class QModbusRtuSerialMaster;

// Modbus RTU master on one serial port: a first-in-first-out queue with one request in flight on
// top of QModbusRtuSerialMaster, and recovery of a failed link by reopening the port.
// Lives in the communication worker thread; all its work happens there.
class Modbus : public BusDevices
{
    Q_OBJECT
public:
    explicit Modbus(QObject* parent = nullptr);
    ~Modbus() override;

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

private:
    void enqueue(const BusRequest& request);
    bool openMaster();
    void releaseMaster();
    bool testRead(quint16 startAddr, quint16 count);
    void processNext();
    void finishCurrent(const QVector<quint16>& values,
        BusTransaction::Outcome outcome = BusTransaction::LinkError, quint8 exceptionCode = 0);
    void markSent();
    void watchReplyBytes(QModbusRtuSerialMaster* master);
    void recoveryTick();
    void probeDrive();
    void recoverySucceeded();

    void handleMasterError(QModbusDevice::Error error);
    void handleReply(QModbusReply* reply);
    void failLink();

    ModbusPrivate* d_func();
    const ModbusPrivate* d_func() const;

    Q_DISABLE_COPY(Modbus)
};
