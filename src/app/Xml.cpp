#include "Xml.h"

#include "Global.h"

#include <QDomDocument>
#include <QFile>
#include <QSaveFile>
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

void setChildText(QDomDocument& doc, const QString& tag, int value)
{
    QDomElement element = doc.documentElement().firstChildElement(tag);
    if (element.isNull())
        return;
    while (element.hasChildNodes())
        element.removeChild(element.firstChild());
    element.appendChild(doc.createTextNode(QString::number(value)));
}
} // namespace

Xml::Xml(QObject* parent) : QObject(parent) {}

bool Xml::readMemory()
{
    QDomDocument doc;
    if (!parseFile(initFile, doc))
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

    QByteArray bytes;
    {
        QTextStream stream(&bytes, QIODevice::WriteOnly);
        stream.setCodec("UTF-8");
        doc.save(stream, 4, QDomNode::EncodingFromTextStream);
    }

    // A crash or a full disk half-way through must never leave a broken start-up file behind:
    // without it the tool refuses to start, so the new content replaces the old one in one rename.
    // Unbuffered, because a buffered QSaveFile flushes at commit and takes a short write for success.
    QSaveFile file(initFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
