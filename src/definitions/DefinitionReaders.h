// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DefinitionError.h"
#include "DefinitionRecords.h"

#include <QDomDocument>
#include <QMap>
#include <QMultiMap>
#include <QString>
#include <QVector>

// Readers of Variables.xml, ErrorCode.xml and ControlFunction.xml. Each parses the whole file
// first and leaves `out` untouched when the file is missing or malformed; `error` (optional) then
// says why.
namespace DefinitionReaders {

bool readVariables(const QString& path, QVector<VariableRecord>& out, DefinitionError* error = nullptr);
bool readErrorCodes(const QString& path, QMap<int, QString>& out, DefinitionError* error = nullptr);
bool readControlFunctions(
    const QString& path, QMultiMap<QString, ControlFunctionRecord>& out, DefinitionError* error = nullptr);

// Opens and parses a definition file into `doc`; on failure fills `error` (when given).
bool parseDefinitionFile(const QString& path, QDomDocument& doc, DefinitionError* error = nullptr);

} // namespace DefinitionReaders
