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

} // namespace ParamValue
