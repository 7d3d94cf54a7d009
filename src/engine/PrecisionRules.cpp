// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrecisionRules.h"

#include <QStringList>

namespace {

struct DriveSizeRule
{
    QStringList codes;
    int large;
    int small;
};

// The first rule holds the drive's currents.
const DriveSizeRule driveSizeRules[] = {
    { { QStringLiteral("P1-03"), QStringLiteral("P1-10"), QStringLiteral("B2-03"), QStringLiteral("B2-10") },
        1, 2 },
    { { QStringLiteral("P1-06"), QStringLiteral("P1-07"), QStringLiteral("B2-06"), QStringLiteral("B2-07") },
        4, 3 },
    { { QStringLiteral("P1-08"), QStringLiteral("B2-08") }, 3, 2 },
    { { QStringLiteral("P1-09"), QStringLiteral("B2-09") }, 2, 1 },
};

constexpr quint16 largestSmallDrive = 21;

} // namespace

const QString PrecisionRules::driveSizeCode = QStringLiteral("PF-01");

bool PrecisionRules::isLargeDrive(quint16 driveSize)
{
    return driveSize > largestSmallDrive;
}

int PrecisionRules::currentDecimals(quint16 driveSize)
{
    const DriveSizeRule& currents = driveSizeRules[0];
    return isLargeDrive(driveSize) ? currents.large : currents.small;
}

void PrecisionRules::setControlFunctions(const QMultiMap<QString, ControlFunctionRecord>& functions)
{
    m_functions = functions;
}

QStringList PrecisionRules::triggerCodes() const
{
    QStringList codes { driveSizeCode };
    for (const QString& code : m_functions.uniqueKeys()) {
        if (code != driveSizeCode)
            codes.append(code);
    }
    return codes;
}

bool PrecisionRules::isTrigger(const QString& code) const
{
    return code == driveSizeCode || m_functions.contains(code);
}

QVector<Rescale> PrecisionRules::rescalesFor(const QString& tag, const QVector<quint16>& values) const
{
    QVector<Rescale> rescales;
    if (values.isEmpty())
        return rescales;
    const quint16 value = values.at(0);
    if (tag == driveSizeCode) {
        for (const DriveSizeRule& rule : driveSizeRules) {
            for (const QString& code : rule.codes)
                rescales.append({ code, isLargeDrive(value) ? rule.large : rule.small, QString() });
        }
    }
    // values() lists the record read last first, so the record nearer the top of the file comes last.
    const QList<ControlFunctionRecord> records = m_functions.values(tag);
    for (const ControlFunctionRecord& record : records) {
        const QStringList trigger = record.triggers.value(value);
        bool ok = false;
        const int precision = trigger.value(1).toInt(&ok);
        if (!ok)
            continue;
        for (const QString& code : record.effectCodes)
            rescales.append({ code, precision, trigger.value(0) });
    }
    return rescales;
}
