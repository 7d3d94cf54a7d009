// SPDX-License-Identifier: GPL-3.0-or-later
// ParamTable.xml: the parameter definition reader and the address rule applied to what it read.

#include "FuzzSupport.h"
#include "definitions/Parameter.h"
#include "definitions/ValueFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Parameter parameter(FuzzSupport::writeInput(QStringLiteral("ParamTable.xml"), data, size), nullptr);
    if (!parameter.load())
        return 0;
    const QMap<int, ParamGroupStruct> groups = parameter.groups();
    for (const ParamGroupStruct& group : groups) {
        for (const ParamAttributeStruct& param : group.params) {
            bool ok = false;
            codeToAddress(group.code, param.name, &ok);
            // What the table does with the texts it shows: limits and factory values in the format.
            const quint8 format1 = quint8(param.format1.toUInt());
            const quint8 format2 = quint8(param.format2.toUInt());
            registerToText(quint16(param.defaultValue.toInt()), format1, format2);
            floatToRaw(param.max.toFloat(), format1);
            rawToText(param.min.toInt(), format1);
        }
    }
    return 0;
}
