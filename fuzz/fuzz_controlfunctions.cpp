// SPDX-License-Identifier: GPL-3.0-or-later
// ControlFunction.xml: the control-function reader and the rescaling the table does with a trigger.

#include "FuzzSupport.h"
#include "definitions/DefinitionReaders.h"
#include "definitions/ValueFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QMultiMap<QString, ControlFunctionRecord> functions;
    if (!DefinitionReaders::readControlFunctions(
            FuzzSupport::writeInput(QStringLiteral("ControlFunction.xml"), data, size), functions))
        return 0;
    for (const ControlFunctionRecord& record : functions) {
        for (const QStringList& trigger : record.triggers) {
            const quint8 decimals = quint8(trigger.value(1).toUInt());
            rawToText(12345, decimals);
            rawToFloat(-1, decimals);
        }
    }
    return 0;
}
