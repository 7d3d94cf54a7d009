// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "definitions/DefinitionRecords.h"

#include <QMultiMap>
#include <QString>
#include <QStringList>
#include <QVector>

// Parameters whose decimals (and unit) follow the value of another parameter: the drive's size
// sets the decimals of its motor's electrical values, and the control functions of
// ControlFunction.xml switch unit and decimals of the parameters they name.
struct Rescale
{
    QString code;
    int precision = 0;
    QString unit; // empty: the unit stays
};

class PrecisionRules
{
public:
    // The parameter that tells the drive's size; the VFD status poll reads it too.
    static const QString driveSizeCode;
    // Above size 21 the drive is large: its currents get one decimal instead of two, and its other
    // motor values one decimal more or less.
    static bool isLargeDrive(quint16 driveSize);
    static int currentDecimals(quint16 driveSize);

    void setControlFunctions(const QMultiMap<QString, ControlFunctionRecord>& functions);
    // The codes whose values change the decimals of others: the drive size and every trigger.
    QStringList triggerCodes() const;
    bool isTrigger(const QString& code) const;

    // What an answer with this tag changes, in the order to apply it: the drive size first, then the
    // control functions, the one nearer the top of ControlFunction.xml last so that it wins. A
    // failed answer (no values) changes nothing.
    QVector<Rescale> rescalesFor(const QString& tag, const QVector<quint16>& values) const;

private:
    QMultiMap<QString, ControlFunctionRecord> m_functions;
};
