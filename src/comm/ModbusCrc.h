// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The CRC that ends every Modbus RTU frame (CRC-16, reflected polynomial 0xA001, start 0xFFFF), sent
// low byte first. Plain C++ so that the simulated drive computes its frames with the very same code.
inline uint16_t modbusCrc16(const void* data, int length)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint16_t crc = 0xFFFF;
    for (int i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
    }
    return crc;
}
