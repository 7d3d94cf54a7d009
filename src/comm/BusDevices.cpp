// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusDevices.h"
#include "BusDevices_p.h"

#include <QMetaType>

#include <algorithm>

namespace {

// The device's signals cross from its worker thread into the GUI thread.
void registerBusTypes()
{
    qRegisterMetaType<QVector<quint16>>("QVector<quint16>");
    qRegisterMetaType<BusDevices::State>("BusDevices::State");
    qRegisterMetaType<BusTransaction>("BusTransaction");
}

} // namespace

BusDevices::BusDevices(QObject* parent)
    : BusDevices(*new BusDevicesPrivate, parent)
{
}

BusDevices::BusDevices(BusDevicesPrivate& dd, QObject* parent)
    : QObject(parent)
    , d_ptr(&dd)
{
    d_ptr->q_ptr = this;
    registerBusTypes();
}

BusDevices::~BusDevices()
{
    delete d_ptr;
}

void BusDevices::setSettings(const SerialSettings& settings)
{
    d_ptr->link = BusLink::serialPort(settings);
}

SerialSettings BusDevices::settings() const
{
    return d_ptr->link.serial;
}

void BusDevices::setLink(const BusLink& link)
{
    d_ptr->link = link;
}

BusLink BusDevices::link() const
{
    return d_ptr->link;
}

BusDevices::State BusDevices::state() const
{
    return d_ptr->state.load();
}

BusDevices::Error BusDevices::error() const
{
    return d_ptr->error;
}

QString BusDevices::errorString() const
{
    return d_ptr->errorString;
}

SerialPortDiagnosis::Problem BusDevices::openProblem() const
{
    return d_ptr->openProblem;
}

void BusDevices::setServerAddress(quint16 address)
{
    d_ptr->serverAddress = address;
}

quint16 BusDevices::serverAddress() const
{
    return d_ptr->serverAddress;
}

void BusDevices::withdrawMotion(quint8 motion)
{
    d_ptr->withdrawMotion(motion);
}

void BusDevicesPrivate::enqueue(const BusRequest& request)
{
    if (request.motion.role != BusMotion::Stop) {
        queue.append(request);
        return;
    }
    const quint8 motion = request.motion.motion;
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                    [motion](const BusRequest& waiting) {
                        return waiting.motion.role == BusMotion::Start && waiting.motion.motion == motion;
                    }),
        queue.end());
    const auto firstNotStop = std::find_if(queue.begin(), queue.end(),
        [](const BusRequest& waiting) { return waiting.motion.role != BusMotion::Stop; });
    queue.insert(firstNotStop, request);
}

void BusDevicesPrivate::withdrawMotion(quint8 motion)
{
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                    [motion](const BusRequest& waiting) {
                        return waiting.motion.role != BusMotion::None && waiting.motion.motion == motion;
                    }),
        queue.end());
}

void BusDevices::setState(State state)
{
    d_ptr->state.store(state);
    emit stateChanged(state);
}

void BusDevices::setError(const QString& text, Error code)
{
    d_ptr->errorString = text;
    d_ptr->error = code;
    emit errorOccurred(text);
}

void BusDevices::setOpenFailure(const SerialPortDiagnosis::Result& failure)
{
    d_ptr->openProblem = failure.problem;
    d_ptr->errorString = failure.text;
    d_ptr->error = failure.problem == SerialPortDiagnosis::NoProblem ? NoError : ConnectionError;
}
