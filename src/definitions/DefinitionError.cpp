// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefinitionError.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace {
// The messages of Qt's XML reader behind QDomDocument, which it leaves untranslated; listed here
// so that they reach the catalogues.
[[maybe_unused]] const char* const parserMessages[] = {
    QT_TRANSLATE_NOOP("QXml", "error triggered by consumer"),
    QT_TRANSLATE_NOOP("QXml", "unexpected end of file"),
    QT_TRANSLATE_NOOP("QXml", "more than one document type definition"),
    QT_TRANSLATE_NOOP("QXml", "error occurred while parsing element"),
    QT_TRANSLATE_NOOP("QXml", "tag mismatch"),
    QT_TRANSLATE_NOOP("QXml", "error occurred while parsing content"),
    QT_TRANSLATE_NOOP("QXml", "unexpected character"),
    QT_TRANSLATE_NOOP("QXml", "invalid name for processing instruction"),
    QT_TRANSLATE_NOOP("QXml", "version expected while reading the XML declaration"),
    QT_TRANSLATE_NOOP("QXml", "wrong value for standalone declaration"),
    QT_TRANSLATE_NOOP(
        "QXml", "encoding declaration or standalone declaration expected while reading the XML declaration"),
    QT_TRANSLATE_NOOP("QXml", "standalone declaration expected while reading the XML declaration"),
    QT_TRANSLATE_NOOP("QXml", "error occurred while parsing document type definition"),
    QT_TRANSLATE_NOOP("QXml", "letter is expected"),
    QT_TRANSLATE_NOOP("QXml", "error occurred while parsing comment"),
    QT_TRANSLATE_NOOP("QXml", "error occurred while parsing reference"),
    QT_TRANSLATE_NOOP("QXml", "internal general entity reference not allowed in DTD"),
    QT_TRANSLATE_NOOP("QXml", "external parsed general entity reference not allowed in attribute value"),
    QT_TRANSLATE_NOOP("QXml", "external parsed general entity reference not allowed in DTD"),
    QT_TRANSLATE_NOOP("QXml", "unparsed entity reference in wrong context"),
    QT_TRANSLATE_NOOP("QXml", "recursive entities"),
    QT_TRANSLATE_NOOP("QXml", "error in the text declaration of an external entity"),
};
} // namespace

QString DefinitionError::text() const
{
    switch (kind) {
    case None:
        return QString();
    case Missing:
        return QCoreApplication::translate("DefinitionError", "Definition file %1 not found").arg(file);
    case Unreadable:
        return QCoreApplication::translate("DefinitionError", "Definition file %1 cannot be opened")
            .arg(file);
    case Malformed:
        return QCoreApplication::translate(
            "DefinitionError", "Definition file %1 is damaged: %2 (line %3, column %4)")
            .arg(file, QCoreApplication::translate("QXml", message.toUtf8().constData()))
            .arg(line)
            .arg(column);
    }
    return QString();
}
