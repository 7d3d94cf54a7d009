#pragma once

// What the serial line itself allows for one Modbus RTU transaction: both frames at the framing's
// character length, plus the silent interval that ends each of them — 3.5 characters, fixed at
// 1.75 ms above 19200 baud (the serial-line rule). The benchmarks divide their times by this.

constexpr int kBitsPerChar8N2 = 11; // start, 8 data, 2 stop (or parity + 1 stop)

inline double silentIntervalMs(int baud, int bitsPerChar = kBitsPerChar8N2)
{
    return baud > 19200 ? 1.75 : 3.5 * bitsPerChar * 1000.0 / baud;
}

inline double transactionWireMs(int requestBytes, int replyBytes, int baud, int bitsPerChar = kBitsPerChar8N2)
{
    return (requestBytes + replyBytes) * bitsPerChar * 1000.0 / baud + 2 * silentIntervalMs(baud, bitsPerChar);
}

// One holding register read: 8 request bytes, 7 reply bytes.
inline double readOneWireMs(int baud, int bitsPerChar = kBitsPerChar8N2)
{
    return transactionWireMs(8, 7, baud, bitsPerChar);
}
