// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusDevices.h"

#include <QList>
#include <QString>
#include <QVector>

#include <atomic>

// One waiting request of a bus device.
struct BusRequest
{
    quint64 request = 0;
    QString message;
    quint16 startAddr = 0;
    quint16 valueCount = 0;
    QVector<quint16> value;
    bool write = false;
    BusMotion motion;
};

// State of a bus device; a concrete device derives a larger record from it and hands it to
// the protected BusDevices constructor.
class BusDevicesPrivate
{
public:
    virtual ~BusDevicesPrivate() = default;

    BusDevices* q_ptr = nullptr;
    BusDevices::Error error = BusDevices::NoError;
    // The service reads the state from the GUI thread while the worker may be changing it.
    std::atomic<BusDevices::State> state { BusDevices::ConnectFiledState };
    BusLink link;
    QString errorString;
    SerialPortDiagnosis::Problem openProblem = SerialPortDiagnosis::NoProblem;
    quint16 serverAddress = 1;

    // The request in flight.
    quint64 request = 0;
    QString message;
    quint16 startAddr = 0;
    quint16 valueCount = 0;
    QVector<quint16> value;
    bool write = false;

    QList<BusRequest> queue;

    // The queue's order, the same for every transport: first in, first out, except that a stop
    // goes ahead of all but earlier stops and withdraws the waiting starts of its motion.
    void enqueue(const BusRequest& request);
    void withdrawMotion(quint8 motion);
};
