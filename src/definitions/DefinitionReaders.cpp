// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefinitionReaders.h"

#include <QDomDocument>
#include <QFile>

// Parses the whole file before anything is handed to the caller, so a broken file adds nothing.
bool DefinitionReaders::parseDefinitionFile(const QString& path, QDomDocument& doc, DefinitionError* error)
{
    DefinitionError failure;
    failure.file = path;
    QFile file(path);
    if (!file.exists()) {
        failure.kind = DefinitionError::Missing;
    } else if (!file.open(QIODevice::ReadOnly)) {
        failure.kind = DefinitionError::Unreadable;
    } else {
        const bool parsed = doc.setContent(&file, &failure.message, &failure.line, &failure.column);
        file.close();
        if (parsed)
            return true;
        failure.kind = DefinitionError::Malformed;
    }
    if (error)
        *error = failure;
    return false;
}

namespace {

// Hexadecimal with or without "0x", as the definition files write addresses and fault codes.
uint hexAttribute(const QDomElement& element, const QString& name, bool* ok = nullptr)
{
    QString text = element.attribute(name).trimmed();
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    return text.toUInt(ok, 16);
}

uint decimalAttribute(const QDomElement& element, const QString& name)
{
    return element.attribute(name).toUInt(nullptr, 10);
}

ControlFunctionRecord readControlFunction(const QDomNode& function)
{
    ControlFunctionRecord record;
    for (QDomNode section = function.firstChild(); !section.isNull(); section = section.nextSibling()) {
        if (section.nodeName() == QLatin1String("TriggerCode")) {
            QMap<int, QStringList> triggers;
            for (QDomNode item = section.firstChild(); !item.isNull(); item = item.nextSibling()) {
                const QDomElement element = item.toElement();
                bool ok = false;
                const int value = element.attribute(QStringLiteral("Value")).toInt(&ok, 10);
                if (ok)
                    triggers.insert(value,
                        { element.attribute(QStringLiteral("Unit")),
                            element.attribute(QStringLiteral("Precision")) });
            }
            record.triggers = triggers;
        } else {
            // Only an "EffectCode" section names effect codes, but stored files rely on any other
            // section replacing the list too, so one of another name leaves it empty.
            QStringList codes;
            if (section.nodeName() == QLatin1String("EffectCode")) {
                for (QDomNode item = section.firstChild(); !item.isNull(); item = item.nextSibling())
                    codes.append(item.toElement().attribute(QStringLiteral("CodeID")));
            }
            record.effectCodes = codes;
        }
    }
    return record;
}
} // namespace

bool DefinitionReaders::readVariables(
    const QString& path, QVector<VariableRecord>& out, DefinitionError* error)
{
    QDomDocument doc;
    if (!parseDefinitionFile(path, doc, error))
        return false;
    for (QDomNode node = doc.documentElement().firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement element = node.toElement();
        VariableRecord record;
        record.name = element.attribute(QStringLiteral("name"));
        record.description = element.attribute(QStringLiteral("description"));
        record.code = static_cast<quint16>(hexAttribute(element, QStringLiteral("code")));
        record.length = static_cast<quint8>(decimalAttribute(element, QStringLiteral("length")));
        record.format1 = static_cast<quint8>(decimalAttribute(element, QStringLiteral("format1")));
        record.format2 = static_cast<quint8>(decimalAttribute(element, QStringLiteral("format2")));
        out.append(record);
    }
    return true;
}

bool DefinitionReaders::readErrorCodes(const QString& path, QMap<int, QString>& out, DefinitionError* error)
{
    QDomDocument doc;
    if (!parseDefinitionFile(path, doc, error))
        return false;
    for (QDomNode node = doc.documentElement().firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement element = node.toElement();
        bool ok = false;
        const uint code = hexAttribute(element, QStringLiteral("code"), &ok);
        if (ok)
            out.insert(static_cast<quint16>(code), element.attribute(QStringLiteral("name")));
    }
    return true;
}

bool DefinitionReaders::readControlFunctions(
    const QString& path, QMultiMap<QString, ControlFunctionRecord>& out, DefinitionError* error)
{
    QDomDocument doc;
    if (!parseDefinitionFile(path, doc, error))
        return false;
    for (QDomNode node = doc.documentElement().firstChild(); !node.isNull(); node = node.nextSibling())
        out.insert(node.toElement().attribute(QStringLiteral("CodeID")), readControlFunction(node));
    return true;
}
