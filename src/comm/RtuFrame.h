// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Modbus RTU framing: a frame is the server address, the PDU (function code and data) and the CRC.
// The same frames go over a serial line and, through a transparent serial server, over TCP.
namespace RtuFrame {

constexpr int ExceptionFlag = 0x80;
// Address and function code, and the CRC: what a frame has besides its data.
constexpr int HeaderBytes = 2;
constexpr int CrcBytes = 2;

quint16 crc16(const QByteArray& bytes);
// The frame of a PDU for a server address.
QByteArray frame(quint8 address, const QByteArray& pdu);
// Whether the `length` bytes from `at` end in their own CRC.
bool crcMatches(const QByteArray& buffer, int at, int length);

// The length of the answer that starts at `at` in `buffer`, told by its function code (and, for a
// read, its byte count): 0 while too few bytes are there to tell, -1 for a function code no answer
// to the tool's requests has.
int replyLength(const QByteArray& buffer, int at);

} // namespace RtuFrame
