// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QMultiMap>
#include <QObject>
#include <QString>
#include <QVector>

#include "definitions/DefinitionReaders.h"

// Reads and writes the start-up memory file; its static readers load the drive definition files.
class Xml : public QObject
{
    Q_OBJECT
public:
    explicit Xml(QObject* parent = nullptr);

    bool readMemory();
    // The same from another start-up file (the command-line tool reads the one of its definitions).
    bool readMemory(const QString& path);
    bool writeMemory();

    static bool readVariables(
        const QString& path, QVector<VariableRecord>& out, DefinitionError* error = nullptr)
    {
        return DefinitionReaders::readVariables(path, out, error);
    }
    static bool readErrorCodes(const QString& path, QMap<int, QString>& out, DefinitionError* error = nullptr)
    {
        return DefinitionReaders::readErrorCodes(path, out, error);
    }
    static bool readControlFunctions(
        const QString& path, QMultiMap<QString, ControlFunctionRecord>& out, DefinitionError* error = nullptr)
    {
        return DefinitionReaders::readControlFunctions(path, out, error);
    }

private:
    const QString initFile = QStringLiteral("./Driver/Init.xml");
};
