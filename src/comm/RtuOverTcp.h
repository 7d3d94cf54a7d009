// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RtuMaster.h"

#include <QAbstractSocket>

class RtuOverTcpPrivate;

// Modbus RTU frames over a TCP socket, to a transparent serial device server that passes them on
// to its RS-485 line. The server keeps its line's silent intervals itself.
class RtuOverTcp : public RtuMaster
{
    Q_OBJECT
public:
    explicit RtuOverTcp(QObject* parent = nullptr);
    ~RtuOverTcp() override;

protected:
    Opening openLink() override;
    void closeLink() override;
    bool streamReady() const override;
    SerialPortDiagnosis::Result openFailure() const override;

private:
    RtuOverTcpPrivate* d_func();
    const RtuOverTcpPrivate* d_func() const;

    void socketFailed(QAbstractSocket::SocketError error);

    Q_DISABLE_COPY(RtuOverTcp)
};
