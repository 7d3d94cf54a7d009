// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtuFrame.h"

#include "ModbusCrc.h"

namespace RtuFrame {

namespace {
constexpr quint8 ReadHoldingRegisters = 0x03;
constexpr quint8 WriteSingleRegister = 0x06;
constexpr quint8 WriteMultipleRegisters = 0x10;
} // namespace

quint16 crc16(const QByteArray& bytes)
{
    return modbusCrc16(bytes.constData(), bytes.size());
}

QByteArray frame(quint8 address, const QByteArray& pdu)
{
    QByteArray bytes;
    bytes.reserve(1 + pdu.size() + CrcBytes);
    bytes.append(char(address));
    bytes.append(pdu);
    const quint16 crc = crc16(bytes);
    bytes.append(char(crc & 0xFF));
    bytes.append(char(crc >> 8));
    return bytes;
}

bool crcMatches(const QByteArray& buffer, int at, int length)
{
    if (at < 0 || length < HeaderBytes + CrcBytes || at + length > buffer.size())
        return false;
    const quint16 crc = modbusCrc16(buffer.constData() + at, length - CrcBytes);
    return quint8(buffer.at(at + length - 2)) == (crc & 0xFF)
        && quint8(buffer.at(at + length - 1)) == (crc >> 8);
}

int replyLength(const QByteArray& buffer, int at)
{
    if (at + HeaderBytes > buffer.size())
        return 0;
    const quint8 function = quint8(buffer.at(at + 1));
    if (function & ExceptionFlag)
        return HeaderBytes + 1 + CrcBytes;
    switch (function) {
    case ReadHoldingRegisters:
        if (at + HeaderBytes + 1 > buffer.size())
            return 0;
        return HeaderBytes + 1 + quint8(buffer.at(at + 2)) + CrcBytes;
    case WriteSingleRegister:
    case WriteMultipleRegisters:
        return HeaderBytes + 4 + CrcBytes;
    default:
        return -1;
    }
}

} // namespace RtuFrame
