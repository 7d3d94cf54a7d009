// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimDefinitions.h"

#include <QDomDocument>
#include <QFile>

#include <cmath>

namespace {

bool readDocument(const QString& path, QDomDocument* doc, QString* error)
{
    QFile file(path);
    if (!file.exists()) {
        *error = QStringLiteral("%1: no such file").arg(path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QString message;
    int line = 0;
    if (!doc->setContent(&file, &message, &line)) {
        *error = QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(message);
        return false;
    }
    return true;
}

} // namespace

bool parseHex(QString text, qlonglong* value)
{
    text = text.trimmed();
    bool negative = false;
    if (text.startsWith(QLatin1Char('-'))) {
        negative = true;
        text.remove(0, 1);
    }
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text.remove(0, 2);
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok, 16);
    if (ok)
        *value = negative ? -v : v;
    return ok;
}

quint16 simTextToRaw(const QString& rawText, quint8 format1, bool* ok)
{
    const QString text = rawText.trimmed();
    qlonglong value = 0;
    bool parsed = false;
    if (format1 == 8) {
        QString digits = text;
        if (digits.startsWith(QLatin1String("0b"), Qt::CaseInsensitive))
            digits.remove(0, 2);
        value = digits.toLongLong(&parsed, 2);
    } else if (format1 == 9) {
        parsed = parseHex(text, &value);
    } else if (format1 >= 1 && format1 <= 7) {
        const double x = text.toDouble(&parsed);
        if (parsed)
            value = std::llround(x * std::pow(10.0, format1));
    } else {
        value = text.toLongLong(&parsed, 10);
        if (!parsed && text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            parsed = parseHex(text, &value);
        if (!parsed) {
            // Enumerations and plain numbers are integers, but a stray "1.0" should still count.
            const double x = text.toDouble(&parsed);
            if (parsed)
                value = std::llround(x);
        }
    }
    if (ok)
        *ok = parsed;
    // Negative values travel as 16-bit two's complement.
    return parsed ? static_cast<quint16>(value & 0xFFFF) : 0;
}

bool simCodeToAddress(const QString& groupCode, const QString& code, quint16* address)
{
    qlonglong high = 0;
    if (!parseHex(groupCode, &high))
        high = 0;
    const QString trimmed = code.trimmed();
    const int dash = trimmed.indexOf(QLatin1Char('-'));
    const QString index = dash >= 0 ? trimmed.mid(dash + 1) : trimmed;
    bool ok = false;
    const uint low = index.toUInt(&ok, 10);
    if (!ok)
        return false;
    *address = static_cast<quint16>(((high & 0xFF) << 8) | (low & 0xFF));
    return true;
}

bool SimDefinitions::loadParamTable(const QString& path, QString* error)
{
    QDomDocument doc;
    if (!readDocument(path, &doc, error))
        return false;
    parameters.clear();
    for (QDomNode groupNode = doc.documentElement().firstChild(); !groupNode.isNull();
         groupNode = groupNode.nextSibling()) {
        if (!groupNode.isElement() || groupNode.nodeName() == QLatin1String("Format"))
            continue;
        const QDomElement group = groupNode.toElement();
        const QString groupName = group.attribute(QStringLiteral("name"));
        const QString groupCode = group.attribute(QStringLiteral("code"));
        for (QDomNode node = group.firstChild(); !node.isNull(); node = node.nextSibling()) {
            if (!node.isElement())
                continue;
            const QDomElement e = node.toElement();
            SimParameter p;
            p.code = e.attribute(QStringLiteral("name"));
            p.groupName = groupName;
            p.description = e.attribute(QStringLiteral("description"));
            if (!simCodeToAddress(groupCode, p.code, &p.address))
                continue;
            p.format1 = static_cast<quint8>(e.attribute(QStringLiteral("format1")).toUInt());
            p.isSigned = e.attribute(QStringLiteral("format2")).trimmed() == QLatin1String("1");
            p.readOnly = e.attribute(QStringLiteral("writable")).trimmed() == QLatin1String("0");
            // The default of an enumeration is its numeric value, whatever the display format.
            const bool enumerated = !e.firstChildElement(QStringLiteral("Index")).isNull();
            bool ok = false;
            p.factory = simTextToRaw(e.attribute(QStringLiteral("default")), enumerated ? 0 : p.format1, &ok);
            if (!ok && enumerated)
                p.factory = simTextToRaw(e.attribute(QStringLiteral("default")), p.format1, &ok);
            parameters.append(p);
        }
    }
    return true;
}

bool SimDefinitions::loadVariables(const QString& path, QString* error)
{
    QDomDocument doc;
    if (!readDocument(path, &doc, error))
        return false;
    variables.clear();
    for (QDomNode node = doc.documentElement().firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (!node.isElement())
            continue;
        const QDomElement e = node.toElement();
        SimVariable v;
        v.name = e.attribute(QStringLiteral("name"));
        v.description = e.attribute(QStringLiteral("description"));
        qlonglong code = 0;
        if (!parseHex(e.attribute(QStringLiteral("code")), &code))
            continue;
        v.address = static_cast<quint16>(code);
        v.length = static_cast<quint8>(qBound(1u, e.attribute(QStringLiteral("length")).toUInt(), 2u));
        v.format1 = static_cast<quint8>(e.attribute(QStringLiteral("format1")).toUInt());
        v.isSigned = e.attribute(QStringLiteral("format2")).trimmed() == QLatin1String("1");
        variables.append(v);
    }
    return true;
}

const SimParameter* SimDefinitions::find(const QString& code) const
{
    for (const SimParameter& p : parameters) {
        if (p.code.compare(code, Qt::CaseInsensitive) == 0)
            return &p;
    }
    return nullptr;
}
