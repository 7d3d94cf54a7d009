// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DefinitionError.h"

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>

// One parameter of ParamTable.xml. Every text is kept exactly as read; the parameter table parses
// the numeric ones where it uses them, so a malformed definition never stops the file from loading.
struct ParamAttributeStruct
{
    QString name;
    QString description;
    QString min;
    QString max;
    QString units;
    QString defaultValue;
    QString writable;
    QString effect;
    QString format1;
    QString format2;
    QString toolTips;
    QList<QStringList> indexList; // [name, value] per enumeration entry
};
Q_DECLARE_METATYPE(ParamAttributeStruct)

struct ParamGroupStruct
{
    QString name;
    QString description;
    quint8 authority = 0;
    QString code; // hexadecimal high byte of the register address of every parameter in the group
    QMap<int, ParamAttributeStruct> params;
};

// Loads the parameter definition file: the table's column headers and the ordered parameter groups.
class Parameter : public QObject
{
    Q_OBJECT
public:
    Parameter(const QString& filePath, QObject* parent);

    bool load();
    // Why the last load() failed (kind None after a successful one).
    DefinitionError error() const;
    QStringList formatList() const;
    QMap<int, ParamGroupStruct> groups() const;

private:
    QString filePath;
    QStringList formats;
    QMap<int, ParamGroupStruct> groupMap;
    DefinitionError lastError;
};

// Register address of a parameter: the group's hexadecimal code is the high byte, the decimal index
// after the '-' of the code the low byte. ok reports whether the index parsed.
quint16 codeToAddress(const QString& groupCode, const QString& code, bool* ok);
