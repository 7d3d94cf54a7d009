// SPDX-License-Identifier: GPL-3.0-or-later
#include "RealtimeRefresh.h"

#include "comm/DriveRegisters.h"

namespace RealtimeRefresh {

namespace {
const QString tagPrefix = QStringLiteral("ARefresh");
constexpr int blockCount = 5;
constexpr int blockSize = 12;
} // namespace

QVector<Block> blocks()
{
    QVector<Block> result;
    for (int block = 0; block < blockCount; ++block) {
        const int first = block * blockSize;
        const QString tag = tagPrefix
            + QStringLiteral("[%1][%2]")
                  .arg(first, 2, 10, QLatin1Char('0'))
                  .arg(blockSize, 2, 10, QLatin1Char('0'));
        result.append({ tag, quint16(DriveRegister::Vfd::Realtime + first), quint16(blockSize) });
    }
    return result;
}

bool parseTag(const QString& tag, int* first, int* count)
{
    if (!tag.startsWith(tagPrefix))
        return false;
    bool firstOk = false;
    bool countOk = false;
    *first = tag.mid(tagPrefix.size() + 1, 2).toInt(&firstOk);
    *count = tag.mid(tagPrefix.size() + 5, 2).toInt(&countOk);
    return firstOk && countOk;
}

} // namespace RealtimeRefresh
