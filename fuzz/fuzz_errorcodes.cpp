// SPDX-License-Identifier: GPL-3.0-or-later
// ErrorCode.xml: the fault-code reader.

#include "FuzzSupport.h"
#include "definitions/DefinitionReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QMap<int, QString> codes;
    DefinitionReaders::readErrorCodes(
        FuzzSupport::writeInput(QStringLiteral("ErrorCode.xml"), data, size), codes);
    return 0;
}
