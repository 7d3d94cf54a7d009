// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ParamRequest.h"

#include <QString>
#include <QStringList>

// Parameter requests as one line each, "P0-01 0001 5" (code, hexadecimal register, value), so a
// table of cases can state them and a failure shows them plainly.
inline QStringList requestLines(const ParamRequests& requests)
{
    QStringList lines;
    for (const ParamRequest& r : requests)
        lines << QStringLiteral("%1 %2 %3").arg(r.code).arg(r.address, 4, 16, QLatin1Char('0')).arg(r.value);
    return lines;
}

inline ParamRequests requestsFrom(const QStringList& lines)
{
    ParamRequests requests;
    for (const QString& line : lines) {
        const QStringList parts = line.split(QLatin1Char(' '));
        requests.append(
            { parts.at(0), quint16(parts.value(1).toUInt(nullptr, 16)), quint16(parts.value(2).toUInt()) });
    }
    return requests;
}
