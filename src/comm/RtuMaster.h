// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModbusDevice.h"

class QIODevice;
class RtuMasterPrivate;

// A Modbus RTU master over a byte stream: the RTU framing and CRC, one frame in flight, and the
// answer complete by its length and CRC, however the stream splits it up. A subclass opens the
// stream (a serial port, or a socket to a transparent serial device server) and hands it over.
//
// On a serial line the master keeps the line silent for 3.5 characters (1.75 ms above 19200 baud)
// after the last byte before it sends, to the microsecond rather than to the next whole
// millisecond: at 115200 baud a short transaction is under 5 ms, so rounding the silence up would
// cost a scope in fast sampling a twentieth of its rate.
class RtuMaster : public ModbusDevice
{
    Q_OBJECT
public:
    ~RtuMaster() override;

protected:
    RtuMaster(RtuMasterPrivate& dd, QObject* parent);

    bool startRequest(BusTransaction& request, int retries) override;

    // The stream of the open link; the master reads its answers from it. null on close.
    void attachStream(QIODevice* stream);
    QIODevice* stream() const;
    // Drops the request on the link without a word, and lets go of the stream.
    void detachStream();
    // Whether the stream takes a frame now (a socket still connecting does not).
    virtual bool streamReady() const;
    // The silence the line keeps before a frame may go out, in nanoseconds.
    virtual qint64 silentIntervalNs() const;

    RtuMasterPrivate* d_func();
    const RtuMasterPrivate* d_func() const;

private:
    void sendFrame();
    void silenceOver();
    void transmit();
    void readAnswer();
    void replyTimedOut();
    void finishRequest(BusTransaction::Outcome outcome, const QVector<quint16>& values = {},
        quint8 exceptionCode = 0, bool timedOut = false);
    bool retry();

    Q_DISABLE_COPY(RtuMaster)
};
