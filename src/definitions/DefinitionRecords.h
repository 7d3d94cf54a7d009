// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// One traceable drive variable of Variables.xml.
struct VariableRecord
{
    QString name;
    QString description;
    quint16 code = 0; // register address
    quint8 length = 0; // registers per sample
    quint8 format1 = 0;
    quint8 format2 = 0;
};

// One control function of ControlFunction.xml, filed under the code of its trigger parameter.
struct ControlFunctionRecord
{
    QMap<int, QStringList> triggers; // trigger value -> [unit, number of decimals]
    QStringList effectCodes; // parameters whose unit and decimals follow the trigger
};
