// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "definitions/Parameter.h"
#include "engine/ParamRequest.h"

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

class ParameterSet;

// A parameter file against the drive: which of the file's parameters can be compared, and, once
// the drive's values of those are read, which of them differ. Values compare as the register
// values they stand for, so "1.50" in a file equals a drive that shows 1.5 with two decimals. A file
// value is read in the decimals the file's own values of the ruling parameters give it (a file
// saved at 0.01 Hz resolution keeps meaning hundredths on a drive set to 0.1 Hz), the drive's value
// in the drive's.
class FileComparison
{
public:
    struct Difference
    {
        int row = -1;
        QString code;
        QString name;
        bool driveRead = false; // false: the drive did not answer
        quint16 driveRaw = 0;
        quint16 fileRaw = 0;
        QString driveText; // in the parameter's own format
        QString fileText;
    };

    // Sorts the file's codes: compared (writable numbers the set has a register for) or left out.
    FileComparison(const ParameterSet& set, const QJsonObject& file);

    // The drive reads that the comparison needs, in table order.
    ParamRequests reads() const { return m_reads; }
    // The drive's answer for a code of reads() (empty values: no answer).
    void setDriveValue(const QString& code, const QVector<quint16>& values);
    // The parameters whose drive value is not the file's, in table order; a parameter the drive
    // did not answer for counts as different.
    QVector<Difference> differences() const;
    bool isIdentical() const { return differences().isEmpty(); }
    // Every parameter of reads(), differing or not, in table order.
    QVector<Difference> comparedParameters() const;
    // Writes that make the drive hold the file's values of these differences.
    ParamRequests writes(const QVector<Difference>& differences) const;

    QStringList unknownCodes() const { return m_unknown; } // in the file, not in this table
    QStringList readOnlyCodes() const { return m_readOnly; }
    QStringList unusableCodes() const { return m_unusable; } // a value that is no number
    // Outside the parameter's limits or wider than its register; with the value.
    QStringList outOfRangeCodes() const { return m_outOfRange; }
    QStringList emptyCodes() const { return m_empty; } // never read when the file was written

private:
    struct Entry
    {
        int row;
        quint16 fileRaw;
        ParamAttributeStruct attribute; // in the file's decimals
    };

    QHash<QString, quint16> fileTriggerValues(const QJsonObject& file) const;
    QVector<Difference> compared(bool differingOnly) const;

    const ParameterSet& m_set;
    ParamRequests m_reads;
    QHash<QString, Entry> m_entries;
    QHash<QString, QVector<quint16>> m_driveValues;
    QStringList m_unknown;
    QStringList m_readOnly;
    QStringList m_unusable;
    QStringList m_outOfRange;
    QStringList m_empty;
};
