// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "definitions/Parameter.h"

#include <QString>
#include <QVector>

// A parameter's value in its own format: the register value as the table shows it, and what an
// engineer types (decimals, an enumeration entry by name or number, hexadecimal, binary) as the
// register value to write, checked against the parameter's limits.
namespace ParamValue {

enum class Problem {
    None,
    Empty,
    NotANumber,
    NoSuchEntry, // an enumeration without an entry of that name or value
    BelowMinimum,
    AboveMaximum,
    TooWide, // does not fit one register
};

quint8 format1(const ParamAttributeStruct& attribute);
quint8 format2(const ParamAttributeStruct& attribute);

// The text of a register value as the table shows it: an enumeration's entry name (empty when no
// entry has that value), otherwise the value in the display format.
QString displayText(const ParamAttributeStruct& attribute, const QVector<quint16>& values);
// As displayText, but an enumeration value without an entry shows as its number: a difference or
// a result must never read as an empty cell.
QString shownText(const ParamAttributeStruct& attribute, quint16 raw);

// The register value of a typed text. The limits apply when they parse in the parameter's format.
Problem parse(const ParamAttributeStruct& attribute, const QString& text, quint16* raw);

// A value of a parameter file as the register value it stands for, before it is cut to one
// register: an enumeration entry by its exact name (the file keeps the name of an entry without a
// leading number), binary digits for a binary parameter, hexadecimal wherever "0x" appears, a
// decimal number in the parameter's decimals otherwise.
bool fileNumber(const ParamAttributeStruct& attribute, const QString& text, qint64* value);
// Whether a register value keeps to the limits (not checked for an enumeration) and fits one
// register; None when it does.
Problem checkRange(const ParamAttributeStruct& attribute, qint64 value);

// A shown number re-expressed under another count of decimals; the register value stays. An
// empty text stays empty: it means "no value".
QString rescaledText(const QString& text, quint8 oldPrecision, quint8 newPrecision);
// The parameter as it reads under another count of decimals: its limits re-expressed.
ParamAttributeStruct withPrecision(const ParamAttributeStruct& attribute, int precision);

} // namespace ParamValue
