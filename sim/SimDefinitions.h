// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

#include <cstdint>

// The simulated drive reads the same definition files as the tool, but with its own small reader:
// it is the independent peer the tool is checked against, so it must not share the tool's code.

// Hexadecimal as the definition files and the console write it: blanks around it, an optional
// minus, with or without "0x".
bool parseHex(QString text, qlonglong* value);

struct SimParameter
{
    QString code; // "P0-22"
    QString groupName; // "P0"
    QString description;
    quint16 address = 0; // group code << 8 | index
    quint16 factory = 0; // raw register value of the "default" text
    bool readOnly = false;
    quint8 format1 = 0;
    bool isSigned = false;
};

struct SimVariable
{
    QString name;
    QString description;
    quint16 address = 0;
    quint8 length = 1;
    quint8 format1 = 0;
    bool isSigned = false;
};

struct SimDefinitions
{
    QVector<SimParameter> parameters;
    QVector<SimVariable> variables;

    // false with a reason in *error when the file is missing or not XML
    bool loadParamTable(const QString& path, QString* error);
    bool loadVariables(const QString& path, QString* error);

    const SimParameter* find(const QString& code) const;
};

// Display text of a parameter's default as written in ParamTable.xml -> raw 16-bit register value.
quint16 simTextToRaw(const QString& text, quint8 format1, bool* ok);
// The address rule of the drive: group code (hex) in the high byte, index in the low byte.
bool simCodeToAddress(const QString& groupCode, const QString& code, quint16* address);
