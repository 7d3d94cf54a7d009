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
    for (int row = 0; row < set.rowCount(); ++row) {
        const ParameterSet::Row& r = set.row(row);
        const QString& code = r.attribute.name;
        if (!file.contains(code) || set.rowOf(code) != row)
            continue;
        const QString text = ParamFile::valueText(file, code);
        quint16 raw = 0;
        if (text.isEmpty())
            m_empty << code;
        else if (r.attribute.writable.toUInt() == 0)
            m_readOnly << code;
        else if (!r.hasAddress || !set.fileRaw(row, text, &raw))
            m_unusable << code;
        else {
            m_reads.append({ code, r.address, 0 });
            m_entries.insert(code, { row, raw });
        }
    }
    for (auto it = file.constBegin(); it != file.constEnd(); ++it) {
        if (it.key() != deviceVersionKey && set.rowOf(it.key()) < 0)
            m_unknown << it.key();
    }
}

void FileComparison::setDriveValue(const QString& code, const QVector<quint16>& values)
{
    if (m_entries.contains(code))
        m_driveValues.insert(code, values);
}

QVector<FileComparison::Difference> FileComparison::differences() const
{
    QVector<Difference> differences;
    for (const ParamRequest& read : m_reads) {
        const Entry entry = m_entries.value(read.code);
        const QVector<quint16> values = m_driveValues.value(read.code);
        if (!values.isEmpty() && values.at(0) == entry.fileRaw)
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
        difference.fileText = ParamValue::shownText(attribute, entry.fileRaw);
        differences.append(difference);
    }
    return differences;
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
