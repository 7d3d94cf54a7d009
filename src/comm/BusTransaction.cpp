// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusTransaction.h"

namespace {

void appendWord(QByteArray& frame, quint16 word)
{
    frame.append(char(word >> 8));
    frame.append(char(word & 0xFF));
}

QByteArray withCrc(QByteArray frame)
{
    const quint16 crc = BusTransaction::crc16(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

} // namespace

quint16 BusTransaction::crc16(const QByteArray& bytes)
{
    quint16 crc = 0xFFFF;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

QByteArray BusTransaction::requestFrame() const
{
    QByteArray frame;
    frame.append(char(serverAddress));
    frame.append(char(functionCode));
    appendWord(frame, startAddr);
    switch (functionCode) {
    case 0x03:
        appendWord(frame, count);
        break;
    case 0x06:
        appendWord(frame, written.value(0));
        break;
    case 0x10:
        appendWord(frame, quint16(written.size()));
        frame.append(char(written.size() * 2));
        for (const quint16 value : written)
            appendWord(frame, value);
        break;
    default:
        return {};
    }
    return withCrc(frame);
}

QByteArray BusTransaction::replyFrame() const
{
    QByteArray frame;
    frame.append(char(serverAddress));
    if (outcome == Exception) {
        frame.append(char(functionCode | 0x80));
        frame.append(char(exceptionCode));
        return withCrc(frame);
    }
    if (outcome != Ok)
        return {};
    frame.append(char(functionCode));
    switch (functionCode) {
    case 0x03:
        frame.append(char(values.size() * 2));
        for (const quint16 value : values)
            appendWord(frame, value);
        break;
    case 0x06:
        appendWord(frame, startAddr);
        appendWord(frame, values.value(0, written.value(0)));
        break;
    case 0x10:
        appendWord(frame, startAddr);
        appendWord(frame, quint16(written.size()));
        break;
    default:
        return {};
    }
    return withCrc(frame);
}
