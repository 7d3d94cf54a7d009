// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

// Conversions between drive register values and what the user sees.
// format1: 0 integer, 1..7 number of decimals, 8 binary, 9 hexadecimal, 10 and above plain decimal text.
// format2: 1 signed (two's complement over the registers given), anything else unsigned.
// Two registers combine low word first.

QString registersToText(const QVector<quint16>& values, quint8 format1, quint8 format2);
QString registerToText(quint16 value, quint8 format1, quint8 format2);
double registersToFloat(const QVector<quint16>& values, quint8 format1, quint8 format2);
// The same value in double precision: the nearest double to the decimal the drive means (1234 with
// two decimals is 12.34 as written), without the float's rounding of large fixed-point values.
double registersToValue(const QVector<quint16>& values, quint8 format1, quint8 format2);
int floatToRaw(float x, quint8 format1);
float rawToFloat(int raw, quint8 format1);
QString rawToText(int raw, quint8 format1);
