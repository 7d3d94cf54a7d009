// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValueFormat.h"

#include <QtGlobal>

#include <cmath>
#include <limits>

namespace {
double scale(quint8 format1)
{
    return std::pow(10.0, format1);
}

qint64 combine(const QVector<quint16>& values, quint8 format2)
{
    quint64 combined = 0;
    for (int i = 0; i < values.size(); ++i)
        combined |= static_cast<quint64>(values.at(i)) << (16 * (i % 2));
    if (format2 == 1) {
        if (values.size() == 1)
            return static_cast<qint16>(combined);
        if (values.size() == 2)
            return static_cast<qint32>(static_cast<quint32>(combined));
    }
    return static_cast<qint64>(combined);
}

// Qt 5 writes negative numbers in base 2 and 16 as 64-bit two's complement; drives' signed values
// are shown with their sign instead ("-101", and "0x-FF" once the prefix is added).
QString signedText(qint64 v, int base)
{
    const quint64 magnitude = v < 0 ? 0 - static_cast<quint64>(v) : static_cast<quint64>(v);
    const QString digits = QString::number(magnitude, base);
    return v < 0 ? QLatin1Char('-') + digits : digits;
}
} // namespace

QString registersToText(const QVector<quint16>& values, quint8 format1, quint8 format2)
{
    const qint64 v = combine(values, format2);
    if (format1 == 0) {
        // A 32-bit count needs more than the 24 bits of a float mantissa; integers are shown exactly.
        return QString::number(v);
    }
    if (format1 <= 7) {
        // Fixed-point values go through single precision on purpose: the value editor truncates and
        // the parameter import converts through the same float, so their texts must agree with this one.
        const float x = static_cast<float>(static_cast<double>(v) / scale(format1));
        return QString::number(static_cast<double>(x), 'f', format1);
    }
    if (format1 == 8)
        return signedText(v, 2);
    if (format1 == 9)
        return QStringLiteral("0x") + signedText(v, 16).toUpper();
    return QString::number(v, 10);
}

QString registerToText(quint16 value, quint8 format1, quint8 format2)
{
    return registersToText(QVector<quint16> { value }, format1, format2);
}

double registersToFloat(const QVector<quint16>& values, quint8 format1, quint8 format2)
{
    const qint64 v = combine(values, format2);
    // Integers (format1 0 and above 7) stay exact; a float would change the last digits of large counts.
    if (format1 == 0 || format1 > 7)
        return static_cast<double>(v);
    return static_cast<double>(static_cast<float>(static_cast<double>(v) / scale(format1)));
}

double registersToValue(const QVector<quint16>& values, quint8 format1, quint8 format2)
{
    const qint64 v = combine(values, format2);
    if (format1 == 0 || format1 > 7)
        return static_cast<double>(v);
    return static_cast<double>(v) / scale(format1);
}

int floatToRaw(float x, quint8 format1)
{
    double y = x;
    if (format1 <= 7)
        y = static_cast<double>(static_cast<float>(y * scale(format1)));
    // Out-of-range or not-a-number input from a text field must not reach an undefined conversion.
    if (std::isnan(y))
        return 0;
    if (y >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (y <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(std::lround(y)); // halves away from zero: -12.5 gives -13
}

float rawToFloat(int raw, quint8 format1)
{
    if (format1 > 7)
        return static_cast<float>(raw);
    return static_cast<float>(static_cast<double>(raw) / scale(format1));
}

QString rawToText(int raw, quint8 format1)
{
    // Integers are shown exactly, as registersToText does; only decimals go through single precision.
    if (format1 == 0 || format1 > 7)
        return QString::number(raw);
    const float x = static_cast<float>(static_cast<double>(raw) / scale(format1));
    return QString::number(static_cast<double>(x), 'f', format1);
}
