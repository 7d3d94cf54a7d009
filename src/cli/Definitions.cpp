// SPDX-License-Identifier: GPL-3.0-or-later
#include "Definitions.h"

#include "Global.h"
#include "Xml.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Cli {

namespace {

QString perUserFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    // The base directory specification ignores a relative XDG_DATA_HOME, as the launcher does.
    const QString base
        = QDir::isAbsolutePath(xdg) ? xdg : qEnvironmentVariable("HOME") + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/kestrova/Driver"));
}

QString packagedFolder()
{
    return QDir::cleanPath(
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/kestrova/Driver"));
}

} // namespace

QString Definitions::familyFolder() const
{
    return folder
        + (family == Global::DEVICE_VFD ? QStringLiteral("/Config/VFD") : QStringLiteral("/Config/SERVO"));
}

QString Definitions::versionFolder(const QString& version) const
{
    return familyFolder() + QLatin1Char('/') + version
        + (language == Global::LANGUAGE_CN ? QStringLiteral("/CN/") : QStringLiteral("/EN/"));
}

QString Definitions::defaultFolder()
{
    for (const QString& candidate : { perUserFolder(), QStringLiteral("Driver"), packagedFolder() }) {
        if (QFileInfo(candidate + QStringLiteral("/Config")).isDir())
            return QFileInfo(candidate).absoluteFilePath();
    }
    return QFileInfo(QStringLiteral("Driver")).absoluteFilePath();
}

Definitions Definitions::locate(const Options& options)
{
    Definitions definitions;
    definitions.folder
        = options.definitions.isEmpty() ? defaultFolder() : QFileInfo(options.definitions).absoluteFilePath();
    Global* global = Global::instance();
    global->setDevice(Global::DEVICE_SERVO);
    global->setLanguage(Global::LANGUAGE_EN);
    Xml().readMemory(definitions.folder + QStringLiteral("/Init.xml"));
    // Only the two families and languages there are; anything else in the file means the default.
    definitions.family = global->device() == Global::DEVICE_VFD ? Global::DEVICE_VFD : Global::DEVICE_SERVO;
    definitions.language
        = global->language() == Global::LANGUAGE_CN ? Global::LANGUAGE_CN : Global::LANGUAGE_EN;
    if (options.family >= 0)
        definitions.family = options.family;
    if (options.language >= 0)
        definitions.language = options.language;
    global->setDevice(definitions.family);
    global->setLanguage(definitions.language);
    return definitions;
}

} // namespace Cli
