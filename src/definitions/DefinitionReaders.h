#pragma once

#include "DefinitionRecords.h"

#include <QMap>
#include <QMultiMap>
#include <QString>
#include <QVector>

// Readers of Variables.xml, ErrorCode.xml and ControlFunction.xml. Each parses the whole file
// first and leaves `out` untouched when the file is missing or malformed.
namespace DefinitionReaders {

bool readVariables(const QString& path, QVector<VariableRecord>& out);
bool readErrorCodes(const QString& path, QMap<int, QString>& out);
bool readControlFunctions(const QString& path, QMultiMap<QString, ControlFunctionRecord>& out);

} // namespace DefinitionReaders
