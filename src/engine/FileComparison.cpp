// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileComparison.h"

#include "engine/ParamFile.h"
#include "engine/ParamValue.h"
#include "engine/ParameterSet.h"

namespace {
const QString deviceVersionKey = QStringLiteral("DeviceVersion");
} // namespace

FileComparison::FileComparison(const ParameterSet& set, const QJsonObject& file)
    : m_set(set)
{
    const QHash<QString, int> precisions = set.precisionsAfter(fileTriggerValues(file));
    for (int row = 0; row < set.rowCount(); ++row) {
        const ParameterSet::Row& r = set.row(row);
        const QString& code = r.attribute.name;
        if (!file.contains(code) || set.rowOf(code) != row)
            continue;
        const QString text = ParamFile::valueText(file, code);
        const ParamAttributeStruct attribute = ParamValue::withPrecision(
            r.attribute, precisions.value(code, ParamValue::format1(r.attribute)));
        qint64 value = 0;
        if (text.isEmpty())
            m_empty << code;
        else if (r.attribute.writable.toUInt() == 0)
            m_readOnly << code;
        else if (!r.hasAddress || !ParamValue::fileNumber(attribute, text, &value))
            m_unusable << code;
        else if (ParamValue::checkRange(attribute, value) != ParamValue::Problem::None)
            m_outOfRange << code;
        else {
            m_reads.append({ code, r.address, 0 });
            m_entries.insert(code, { row, quint16(value & 0xFFFF), attribute });
        }
    }
    for (auto it = file.constBegin(); it != file.constEnd(); ++it) {
        if (it.key() != deviceVersionKey && set.rowOf(it.key()) < 0)
            m_unknown << it.key();
    }
}

QHash<QString, quint16> FileComparison::fileTriggerValues(const QJsonObject& file) const
{
    QHash<QString, quint16> values;
    const QStringList triggers = m_set.precisionRules().triggerCodes();
    for (const QString& code : triggers) {
        const int row = m_set.rowOf(code);
        qint64 value = 0;
        if (row >= 0
            && ParamValue::fileNumber(m_set.row(row).attribute, ParamFile::valueText(file, code), &value))
            values.insert(code, quint16(value & 0xFFFF));
    }
    return values;
}

void FileComparison::setDriveValue(const QString& code, const QVector<quint16>& values)
{
    if (m_entries.contains(code))
        m_driveValues.insert(code, values);
}

QVector<FileComparison::Difference> FileComparison::differences() const
{
    return compared(true);
}

QVector<FileComparison::Difference> FileComparison::comparedParameters() const
{
    return compared(false);
}

QVector<FileComparison::Difference> FileComparison::compared(bool differingOnly) const
{
    QVector<Difference> result;
    for (const ParamRequest& read : m_reads) {
        const Entry entry = m_entries.value(read.code);
        const QVector<quint16> values = m_driveValues.value(read.code);
        if (differingOnly && !values.isEmpty() && values.at(0) == entry.fileRaw)
            continue;
        const ParamAttributeStruct& attribute = m_set.row(entry.row).attribute;
        Difference difference;
        difference.row = entry.row;
        difference.code = read.code;
        difference.name = attribute.description;
        difference.driveRead = !values.isEmpty();
        difference.driveRaw = values.value(0);
        difference.fileRaw = entry.fileRaw;
        if (difference.driveRead)
            difference.driveText = ParamValue::shownText(attribute, difference.driveRaw);
        difference.fileText = ParamValue::shownText(entry.attribute, entry.fileRaw);
        result.append(difference);
    }
    return result;
}

ParamRequests FileComparison::writes(const QVector<Difference>& differences) const
{
    ParamRequests writes;
    for (const Difference& difference : differences) {
        const auto found = m_entries.constFind(difference.code);
        if (found != m_entries.constEnd())
            writes.append({ difference.code, m_set.row(found->row).address, found->fileRaw });
    }
    return writes;
}
