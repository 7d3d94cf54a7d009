// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the serial line itself allows for one Modbus RTU transaction: both frames at the framing's
// character length, plus the silent interval that ends each of them — 3.5 characters, fixed at
// 1.75 ms above 19200 baud (the serial-line rule). Benchmarks divide their times by this; the scope
// weighs block reads with it.

constexpr int kBitsPerChar8N2 = 11; // start, 8 data, 2 stop (or parity + 1 stop)

// Start bit, data bits, a parity bit unless `parity` is QSerialPort::NoParity (0), and the stop
// bits (QSerialPort::TwoStop is 2; one and a half counts as two).
inline int bitsPerCharacter(int dataBits, int parity, int stopBits)
{
    return 1 + (dataBits > 0 ? dataBits : 8) + (parity == 0 ? 0 : 1) + (stopBits == 1 ? 1 : 2);
}

inline double characterMs(int baud, int bitsPerChar = kBitsPerChar8N2)
{
    return bitsPerChar * 1000.0 / (baud > 0 ? baud : 1);
}

inline double silentIntervalMs(int baud, int bitsPerChar = kBitsPerChar8N2)
{
    return baud > 19200 ? 1.75 : 3.5 * characterMs(baud, bitsPerChar);
}

inline double transactionWireMs(int requestBytes, int replyBytes, int baud, int bitsPerChar = kBitsPerChar8N2)
{
    return (requestBytes + replyBytes) * characterMs(baud, bitsPerChar)
        + 2 * silentIntervalMs(baud, bitsPerChar);
}

// A 0x03 read of `registers` holding registers: 8 request bytes; address, function code, byte
// count, the registers and the CRC in reply.
inline double readWireMs(int registers, int baud, int bitsPerChar = kBitsPerChar8N2)
{
    return transactionWireMs(8, 5 + 2 * registers, baud, bitsPerChar);
}

// One holding register read: 8 request bytes, 7 reply bytes.
inline double readOneWireMs(int baud, int bitsPerChar = kBitsPerChar8N2)
{
    return readWireMs(1, baud, bitsPerChar);
}
