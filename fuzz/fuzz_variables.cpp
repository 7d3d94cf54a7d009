// SPDX-License-Identifier: GPL-3.0-or-later
// Variables.xml: the scope's variable reader and the conversion of a sample in each record's format.

#include "FuzzSupport.h"
#include "definitions/DefinitionReaders.h"
#include "definitions/ValueFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QVector<VariableRecord> records;
    if (!DefinitionReaders::readVariables(
            FuzzSupport::writeInput(QStringLiteral("Variables.xml"), data, size), records))
        return 0;
    for (const VariableRecord& record : records) {
        const QVector<quint16> sample(qMin<int>(record.length, 4), quint16(record.code));
        registersToFloat(sample, record.format1, record.format2);
        registersToText(sample, record.format1, record.format2);
    }
    return 0;
}
