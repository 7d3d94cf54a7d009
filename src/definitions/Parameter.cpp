// SPDX-License-Identifier: GPL-3.0-or-later
#include "Parameter.h"

#include "DefinitionReaders.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QtDebug>

namespace {
void registerParamAttributeType()
{
    qRegisterMetaType<ParamAttributeStruct>("ParamAttributeStruct");
}
} // namespace

// The table stores records in QVariants before any Parameter may exist, so register at start-up too.
Q_COREAPP_STARTUP_FUNCTION(registerParamAttributeType)

Parameter::Parameter(const QString& filePath, QObject* parent)
    : QObject(parent)
    , filePath(filePath)
{
    registerParamAttributeType();
}

static ParamAttributeStruct readParameter(const QDomNode& node)
{
    const QDomElement element = node.toElement();
    ParamAttributeStruct param;
    param.name = element.attribute(QStringLiteral("name"));
    param.description = element.attribute(QStringLiteral("description"));
    param.min = element.attribute(QStringLiteral("min"));
    param.max = element.attribute(QStringLiteral("max"));
    param.units = element.attribute(QStringLiteral("units"));
    param.defaultValue = element.attribute(QStringLiteral("default"));
    param.writable = element.attribute(QStringLiteral("writable"));
    param.effect = element.attribute(QStringLiteral("effect"));
    param.format1 = element.attribute(QStringLiteral("format1"));
    param.format2 = element.attribute(QStringLiteral("format2"));
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        const QDomElement item = child.toElement();
        if (child.nodeName() == QLatin1String("Index"))
            param.indexList.append(
                { item.attribute(QStringLiteral("name")), item.attribute(QStringLiteral("value")) });
        else if (child.nodeName() == QLatin1String("ToolTips"))
            param.toolTips = item.attribute(QStringLiteral("name"));
    }
    return param;
}

static ParamGroupStruct readGroup(const QDomNode& node)
{
    const QDomElement element = node.toElement();
    ParamGroupStruct group;
    group.name = element.attribute(QStringLiteral("name"));
    group.description = element.attribute(QStringLiteral("description"));
    // Stored files rely on the value being kept in 8 bits (257 hides a group like 1 does).
    group.authority = static_cast<quint8>(element.attribute(QStringLiteral("authority")).toUInt());
    group.code = element.attribute(QStringLiteral("code"));
    // Comments count as parameters too: stored files and the table's row numbering depend on it.
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling())
        group.params.insert(group.params.size(), readParameter(child));
    return group;
}

bool Parameter::load()
{
    lastError = DefinitionError();
    QDomDocument doc;
    if (!DefinitionReaders::parseDefinitionFile(filePath, doc, &lastError)) {
        if (lastError.kind == DefinitionError::Unreadable)
            qWarning("Can't not open the file");
        else if (lastError.kind == DefinitionError::Malformed)
            qWarning("Can't not setContent the file");
        return false;
    }

    // Only a parsed file replaces what was loaded before.
    groupMap.clear();
    formats.clear();
    for (QDomNode node = doc.documentElement().firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.nodeName() == QLatin1String("Format")) {
            for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling())
                formats.append(child.toElement().text());
        } else {
            groupMap.insert(groupMap.size(), readGroup(node));
        }
    }
    return true;
}

DefinitionError Parameter::error() const
{
    return lastError;
}

QStringList Parameter::formatList() const
{
    return formats;
}

QMap<int, ParamGroupStruct> Parameter::groups() const
{
    return groupMap;
}

quint16 codeToAddress(const QString& groupCode, const QString& code, bool* ok)
{
    static const QRegularExpression leadingBlanks(QStringLiteral("^ +\\s*"));
    QString text = code;
    text.remove(leadingBlanks);
    text = text.toUpper();
    const int dash = text.indexOf(QLatin1Char('-'));
    const QString index = dash < 0 ? text : text.mid(dash + 1);

    const uint high = groupCode.toUInt(nullptr, 16);
    const uint low = index.toUInt(ok, 10);
    return static_cast<quint16>((high << 8) | (low & 0xFF));
}
