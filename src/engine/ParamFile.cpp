// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParamFile.h"

#include "app/SafeFile.h"
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

namespace ParamFile {

static const QString deviceVersionKey = QStringLiteral("DeviceVersion");

QString exportedValue(const QString& currentText)
{
    int colon = currentText.indexOf(QLatin1Char(':'));
    if (colon < 0)
        colon = currentText.indexOf(QChar(0xFF1A));
    return colon < 0 ? currentText : currentText.left(colon);
}

QByteArray buildDocument(quint8 device, const QList<QPair<QString, QString>>& codeValues)
{
    QJsonObject object;
    object.insert(deviceVersionKey, QString::number(device));
    for (const auto& pair : codeValues)
        object.insert(pair.first, exportedValue(pair.second));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

bool writeDocument(const QString& path, const QByteArray& document)
{
    return writeFileAtomically(path, document);
}

ReadResult parseDocument(const QByteArray& document, quint8 device, QJsonObject* object)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(document, &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        return ReadResult::Failed;
    const QJsonObject top = json.object();
    if (!top.contains(deviceVersionKey))
        return ReadResult::Mismatch;
    bool ok = false;
    const uint family = top.value(deviceVersionKey).toString().toUInt(&ok);
    if (!ok || family != device)
        return ReadResult::Mismatch;
    if (object)
        *object = top;
    return ReadResult::Ok;
}

ReadResult readDocument(const QString& path, quint8 device, QJsonObject* object)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Failed;
    const QByteArray document = file.readAll();
    file.close();
    return parseDocument(document, device, object);
}

QString valueText(const QJsonObject& object, const QString& code)
{
    return object.value(code).toString();
}

bool importNumber(const QString& text, double* x)
{
    bool ok = false;
    if (text.contains(QLatin1String("0x"), Qt::CaseInsensitive)) {
        QString digits = text.trimmed();
        if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            digits = digits.mid(2);
        const qulonglong value = digits.toULongLong(&ok, 16);
        if (ok)
            *x = double(value);
    } else {
        const double value = text.toDouble(&ok);
        if (ok)
            *x = value;
    }
    return ok;
}

int findIndexEntry(const QList<QStringList>& indexList, const QString& value)
{
    for (int i = 0; i < indexList.size(); ++i) {
        if (indexList.at(i).value(1) == value)
            return i;
    }
    for (int i = 0; i < indexList.size(); ++i) {
        if (indexList.at(i).value(1).contains(value))
            return i;
    }
    return -1;
}

} // namespace ParamFile
