// SPDX-License-Identifier: GPL-3.0-or-later
#include "Xml.h"

#include "Global.h"
#include "SafeFile.h"

#include <QDomDocument>
#include <QFile>
#include <QTextStream>

namespace {
bool parseFile(const QString& path, QDomDocument& doc)
{
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    const bool ok = doc.setContent(&file);
    file.close();
    return ok;
}

// Every element of that name gets the value: reading lets the last one win, so replacing only the
// first of two would lose the new choice at the next start.
void setChildText(QDomDocument& doc, const QString& tag, int value)
{
    for (QDomElement element = doc.documentElement().firstChildElement(tag); !element.isNull();
         element = element.nextSiblingElement(tag)) {
        while (element.hasChildNodes())
            element.removeChild(element.firstChild());
        element.appendChild(doc.createTextNode(QString::number(value)));
    }
}
// Files written before the element existed lack it; they get it only once it says something other
// than the default, so an untouched installation file stays as it was.
void setOptionalChildText(QDomDocument& doc, const QString& tag, int value, int defaultValue)
{
    if (doc.documentElement().firstChildElement(tag).isNull()) {
        if (value == defaultValue)
            return;
        doc.documentElement().appendChild(doc.createElement(tag));
    }
    setChildText(doc, tag, value);
}

// The text of every element of that name (see setChildText); a file without it gets it only once it
// says something.
void setOptionalChildString(QDomDocument& doc, const QString& tag, const QString& value)
{
    QDomElement element = doc.documentElement().firstChildElement(tag);
    if (element.isNull()) {
        if (value.isEmpty())
            return;
        doc.documentElement().appendChild(doc.createElement(tag));
        element = doc.documentElement().firstChildElement(tag);
    }
    for (; !element.isNull(); element = element.nextSiblingElement(tag)) {
        while (element.hasChildNodes())
            element.removeChild(element.firstChild());
        element.appendChild(doc.createTextNode(value));
    }
}

const QString BusMonitorTag = QStringLiteral("BusMonitor");
const QString ScopeSamplingTag = QStringLiteral("ScopeSampling");
const QString ScopeRecordingTag = QStringLiteral("ScopeRecordingSeconds");
const QString CommTypeTag = QStringLiteral("CommType");
const QString TcpHostTag = QStringLiteral("TcpHost");
const QString TcpPortTag = QStringLiteral("TcpPort");
} // namespace

Xml::Xml(QObject* parent)
    : QObject(parent)
{
}

bool Xml::readMemory()
{
    return readMemory(initFile);
}

bool Xml::readMemory(const QString& path)
{
    QDomDocument doc;
    if (!parseFile(path, doc))
        return false;
    Global* global = Global::instance();
    for (QDomNode node = doc.documentElement().firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement element = node.toElement();
        if (element.isNull())
            continue;
        if (element.tagName() == QLatin1String("Device"))
            global->setDevice(static_cast<int>(element.text().toUInt()));
        else if (element.tagName() == QLatin1String("Language"))
            global->setLanguage(static_cast<int>(element.text().toUInt()));
        else if (element.tagName() == BusMonitorTag)
            global->setBusMonitorVisible(element.text().toUInt() != 0);
        else if (element.tagName() == ScopeSamplingTag)
            global->setScopeSampling(static_cast<int>(element.text().toUInt()));
        else if (element.tagName() == ScopeRecordingTag)
            global->setScopeRecordingSeconds(static_cast<int>(element.text().toUInt()));
        else if (element.tagName() == CommTypeTag)
            global->setCommType(static_cast<int>(element.text().toUInt()));
        else if (element.tagName() == TcpHostTag)
            global->setTcpHost(element.text());
        else if (element.tagName() == TcpPortTag)
            global->setTcpPort(static_cast<int>(element.text().toUInt()));
    }
    return true;
}

bool Xml::writeMemory()
{
    QDomDocument doc;
    if (!parseFile(initFile, doc))
        return false;
    setChildText(doc, QStringLiteral("Device"), Global::instance()->device());
    setChildText(doc, QStringLiteral("Language"), Global::instance()->language());
    setOptionalChildText(doc, BusMonitorTag, Global::instance()->busMonitorVisible() ? 1 : 0, 0);
    setOptionalChildText(doc, ScopeSamplingTag, Global::instance()->scopeSampling(), 0);
    setOptionalChildText(doc, ScopeRecordingTag, Global::instance()->scopeRecordingSeconds(), 0);
    setOptionalChildText(doc, CommTypeTag, Global::instance()->commType(), 0);
    setOptionalChildString(doc, TcpHostTag, Global::instance()->tcpHost());
    setOptionalChildText(doc, TcpPortTag, Global::instance()->tcpPort(), Global::DefaultTcpPort);

    QByteArray bytes;
    {
        QTextStream stream(&bytes, QIODevice::WriteOnly);
        stream.setCodec("UTF-8");
        doc.save(stream, 4, QDomNode::EncodingFromTextStream);
    }

    // Without a whole start-up file the tool refuses to start, so never leave a half-written one.
    return writeFileAtomically(initFile, bytes);
}
