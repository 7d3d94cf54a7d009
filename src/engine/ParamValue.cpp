// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParamValue.h"

#include "definitions/ValueFormat.h"
#include "engine/ParamFile.h"

#include <limits>

namespace ParamValue {

namespace {

QString withoutPrefix(const QString& text, const QLatin1String& prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive) ? text.mid(prefix.size()) : text;
}

bool parseInBase(const QString& digits, int base, qint64* value)
{
    bool ok = false;
    *value = digits.toLongLong(&ok, base);
    return ok;
}

// A number as the register value it stands for, before it is cut to one register. Hexadecimal
// wherever "0x" appears, as the parameter import reads it; decimals go through the same
// single-precision step as the value editor and the import, so all three agree on the register.
bool parseNumber(const QString& text, quint8 format1, qint64* value)
{
    if (format1 == 9)
        return parseInBase(withoutPrefix(text, QLatin1String("0x")), 16, value);
    if (format1 == 8)
        return parseInBase(withoutPrefix(text, QLatin1String("0b")), 2, value);
    if (text.contains(QLatin1String("0x"), Qt::CaseInsensitive))
        return parseInBase(withoutPrefix(text, QLatin1String("0x")), 16, value);
    bool ok = false;
    const double x = text.toDouble(&ok);
    if (!ok)
        return false;
    *value = floatToRaw(float(x), format1);
    return true;
}

// The entry name without its leading number: "1:Enabled" and "1：Enabled" both answer to "Enabled".
QString entryWords(const QString& name)
{
    int colon = name.indexOf(QLatin1Char(':'));
    if (colon < 0)
        colon = name.indexOf(QChar(0xFF1A));
    return colon < 0 ? name : name.mid(colon + 1).trimmed();
}

bool parseEntry(const QList<QStringList>& entries, const QString& text, qint64* value)
{
    for (const QStringList& entry : entries) {
        if (entry.value(0) == text)
            return parseInBase(entry.value(1), 10, value);
    }
    for (const QStringList& entry : entries) {
        if (entry.value(0).compare(text, Qt::CaseInsensitive) == 0
            || entryWords(entry.value(0)).compare(text, Qt::CaseInsensitive) == 0)
            return parseInBase(entry.value(1), 10, value);
    }
    qint64 number = 0;
    if (!parseNumber(text, 0, &number))
        return false;
    for (const QStringList& entry : entries) {
        qint64 entryValue = 0;
        if (parseInBase(entry.value(1), 10, &entryValue) && entryValue == number) {
            *value = number;
            return true;
        }
    }
    return false;
}

Problem fitsOneRegister(const ParamAttributeStruct& attribute, qint64 value)
{
    const bool isSigned = format2(attribute) == 1;
    const qint64 lowest = isSigned ? std::numeric_limits<qint16>::min() : 0;
    const qint64 highest
        = isSigned ? std::numeric_limits<qint16>::max() : std::numeric_limits<quint16>::max();
    return value < lowest || value > highest ? Problem::TooWide : Problem::None;
}

Problem withinLimits(const ParamAttributeStruct& attribute, qint64 value)
{
    const quint8 format = format1(attribute);
    qint64 limit = 0;
    if (parseNumber(attribute.min.trimmed(), format, &limit) && value < limit)
        return Problem::BelowMinimum;
    if (parseNumber(attribute.max.trimmed(), format, &limit) && value > limit)
        return Problem::AboveMaximum;
    return Problem::None;
}

} // namespace

quint8 format1(const ParamAttributeStruct& attribute)
{
    return quint8(attribute.format1.toUInt());
}

quint8 format2(const ParamAttributeStruct& attribute)
{
    return quint8(attribute.format2.toUInt());
}

QString displayText(const ParamAttributeStruct& attribute, const QVector<quint16>& values)
{
    if (attribute.indexList.isEmpty())
        return registersToText(values, format1(attribute), format2(attribute));
    const int entry = ParamFile::findIndexEntry(attribute.indexList, QString::number(values.value(0)));
    return entry < 0 ? QString() : attribute.indexList.at(entry).value(0);
}

QString shownText(const ParamAttributeStruct& attribute, quint16 raw)
{
    const QString text = displayText(attribute, { raw });
    return text.isEmpty() ? QString::number(raw) : text;
}

Problem parse(const ParamAttributeStruct& attribute, const QString& text, quint16* raw)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return Problem::Empty;
    qint64 value = 0;
    if (!attribute.indexList.isEmpty()) {
        if (!parseEntry(attribute.indexList, typed, &value))
            return Problem::NoSuchEntry;
    } else if (!parseNumber(typed, format1(attribute), &value)) {
        return Problem::NotANumber;
    }
    const Problem problem = checkRange(attribute, value);
    if (problem == Problem::None)
        *raw = quint16(value & 0xFFFF);
    return problem;
}

bool fileNumber(const ParamAttributeStruct& attribute, const QString& text, qint64* value)
{
    if (text.isEmpty())
        return false;
    for (const QStringList& entry : attribute.indexList) {
        if (entry.value(0) == text)
            return parseInBase(entry.value(1), 10, value);
    }
    const quint8 format = format1(attribute);
    if (format == 8 && !text.contains(QLatin1String("0x"), Qt::CaseInsensitive))
        return parseInBase(withoutPrefix(text.trimmed(), QLatin1String("0b")), 2, value);
    double x = 0;
    if (!ParamFile::importNumber(text, &x))
        return false;
    *value = floatToRaw(float(x), format);
    return true;
}

Problem checkRange(const ParamAttributeStruct& attribute, qint64 value)
{
    const Problem problem = attribute.indexList.isEmpty() ? withinLimits(attribute, value) : Problem::None;
    return problem == Problem::None ? fitsOneRegister(attribute, value) : problem;
}

QString rescaledText(const QString& text, quint8 oldPrecision, quint8 newPrecision)
{
    if (text.isEmpty())
        return text;
    return rawToText(floatToRaw(text.toFloat(), oldPrecision), newPrecision);
}

ParamAttributeStruct withPrecision(const ParamAttributeStruct& attribute, int precision)
{
    const quint8 oldPrecision = format1(attribute);
    if (precision == int(oldPrecision))
        return attribute;
    ParamAttributeStruct rescaled = attribute;
    rescaled.min = rescaledText(attribute.min, oldPrecision, quint8(precision));
    rescaled.max = rescaledText(attribute.max, oldPrecision, quint8(precision));
    rescaled.format1 = QString::number(precision);
    return rescaled;
}

} // namespace ParamValue
