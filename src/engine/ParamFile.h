// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The parameter file (a JSON object of "DeviceVersion" and one code -> value text per parameter) and
// the value rules shared by the answer, import and compare paths. Files written by earlier versions
// must keep importing and the other way round, so the document is built exactly as it always was.
namespace ParamFile {

enum class ReadResult {
    Ok,
    Failed, // unreadable, not JSON or not an object
    Mismatch, // no "DeviceVersion" or one of the other drive family
};

// The text saved for a current value: up to its first ":", else up to its first full-width "：",
// so an enumeration entry named "1:Enabled" is saved as its number.
QString exportedValue(const QString& currentText);

// Indented UTF-8 JSON of the family and the (code, current text) pairs; a repeated code keeps the
// value of its last pair.
QByteArray buildDocument(quint8 device, const QList<QPair<QString, QString>>& codeValues);

// Replaces the file only once the whole document is on disk, so a failure keeps the earlier file.
bool writeDocument(const QString& path, const QByteArray& document);

ReadResult parseDocument(const QByteArray& document, quint8 device, QJsonObject* object);
ReadResult readDocument(const QString& path, quint8 device, QJsonObject* object);

// The value of `code` as text; a missing key or a value that is not a JSON string reads as empty.
QString valueText(const QJsonObject& object, const QString& code);

// A file value as a number to write: hexadecimal when it contains "0x" or "0X", else decimal.
bool importNumber(const QString& text, double* x);

// Position of the enumeration entry whose value is `value`; an entry whose value equals it wins
// over one whose value merely contains it, whatever their order. -1 when none matches.
int findIndexEntry(const QList<QStringList>& indexList, const QString& value);

} // namespace ParamFile
