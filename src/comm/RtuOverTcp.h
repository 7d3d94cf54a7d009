// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModbusDevice.h"

#include <QAbstractSocket>

class RtuOverTcpPrivate;

// Modbus RTU frames over a TCP socket, to a transparent serial device server that passes them on
// to its RS-485 line: the RTU framing and CRC of the serial link, one frame in flight, and the
// answer complete by its length and CRC, however the network splits it into segments.
class RtuOverTcp : public ModbusDevice
{
    Q_OBJECT
public:
    explicit RtuOverTcp(QObject* parent = nullptr);
    ~RtuOverTcp() override;

protected:
    Opening openLink() override;
    void closeLink() override;
    bool startRequest(BusTransaction& request, int retries) override;
    SerialPortDiagnosis::Result openFailure() const override;

private:
    RtuOverTcpPrivate* d_func();
    const RtuOverTcpPrivate* d_func() const;

    void sendFrame();
    void readAnswer();
    void replyTimedOut();
    void finishRequest(BusTransaction::Outcome outcome, const QVector<quint16>& values = {},
        quint8 exceptionCode = 0, bool timedOut = false);
    bool retry();
    void socketFailed(QAbstractSocket::SocketError error);

    Q_DISABLE_COPY(RtuOverTcp)
};
