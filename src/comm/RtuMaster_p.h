// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModbusDevice_p.h"

#include <QPointer>

class QIODevice;
class QTimer;

class RtuMasterPrivate : public ModbusDevicePrivate
{
public:
    QPointer<QIODevice> stream;
    QTimer* replyTimer = nullptr;
    // Holds a frame back until the line has been silent long enough.
    QTimer* silenceTimer = nullptr;

    // Where the request on the link is: waiting for the line's silence, or sent and waiting for
    // its answer.
    enum class Phase { Idle, Silence, Sent };
    Phase phase = Phase::Idle;
    QByteArray frame;
    quint8 address = 0;
    quint8 function = 0;
    quint16 count = 0;
    QVector<quint16> written;
    int triesLeft = 0;
    QByteArray received;
    // When the last byte came in, on the monotonic clock (ns); 0 when none has yet.
    qint64 lastByteNs = 0;
    // Why the stream did not open, in the system's words.
    QString openErrorText;
};
