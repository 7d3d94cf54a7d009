// SPDX-License-Identifier: GPL-3.0-or-later
#include "Global.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cstdlib>

class GlobalPrivate
{
public:
    Global* q = nullptr;
    quint8 device = 0;
    quint8 language = 0;
    QString versionPath;
    bool busMonitorVisible = false;
    int scopeSampling = 0;
    int scopeRecordingSeconds = 0;
    int commType = 0;
    QString tcpHost;
    int tcpPort = Global::DefaultTcpPort;
};

namespace {
Global* globalInstance = nullptr;

void deleteGlobal()
{
    delete globalInstance;
    globalInstance = nullptr;
}

QString familyPictureFolder(quint8 device)
{
    return QStringLiteral("./Driver/Pictures/")
        + (device != 0 ? QStringLiteral("VFD") : QStringLiteral("SERVO"));
}
// Permission bits say nothing to root, read-only mounts or ACLs: only a file actually made there
// proves the folder takes screenshots.
bool makeWritableFolder(const QString& folder)
{
    return !folder.isEmpty() && QDir().mkpath(folder) && Global::isWritableFolder(folder);
}
} // namespace

Global* Global::instance()
{
    static QMutex mutex;
    if (!globalInstance) {
        QMutexLocker locker(&mutex);
        if (!globalInstance) {
            globalInstance = new Global;
            std::atexit(deleteGlobal);
        }
    }
    return globalInstance;
}

Global::Global()
    : d(new GlobalPrivate)
{
    d->q = this;
    qRegisterMetaType<Global::MESSAGE_INFO>("Global::MESSAGE_INFO");
}

Global::~Global() = default;

quint8 Global::device() const
{
    return d->device;
}

void Global::setDevice(int value)
{
    d->device = static_cast<quint8>(value & 0xFF);
}

quint8 Global::language() const
{
    return d->language;
}

void Global::setLanguage(int value)
{
    d->language = static_cast<quint8>(value & 0xFF);
}

bool Global::busMonitorVisible() const
{
    return d->busMonitorVisible;
}

void Global::setBusMonitorVisible(bool visible)
{
    d->busMonitorVisible = visible;
}

int Global::scopeSampling() const
{
    return d->scopeSampling;
}

void Global::setScopeSampling(int mode)
{
    d->scopeSampling = mode == 1 ? 1 : 0;
}

int Global::scopeRecordingSeconds() const
{
    return d->scopeRecordingSeconds;
}

void Global::setScopeRecordingSeconds(int seconds)
{
    d->scopeRecordingSeconds = qMax(0, seconds);
}

int Global::commType() const
{
    return d->commType;
}

void Global::setCommType(int type)
{
    d->commType = qMax(0, type);
}

QString Global::tcpHost() const
{
    return d->tcpHost;
}

void Global::setTcpHost(const QString& host)
{
    d->tcpHost = host.trimmed();
}

int Global::tcpPort() const
{
    return d->tcpPort;
}

void Global::setTcpPort(int port)
{
    d->tcpPort = port >= 1 && port <= 65535 ? port : DefaultTcpPort;
}

QString Global::configDirectory() const
{
    return QStringLiteral("./Driver/Config/")
        + (d->device != 0 ? QStringLiteral("VFD/") : QStringLiteral("SERVO/"));
}

void Global::setDeviceVersion(const QString& name)
{
    d->versionPath = configDirectory() + name + QLatin1Char('/');
}

QString Global::configPath() const
{
    return d->versionPath + (d->language == LANGUAGE_CN ? QStringLiteral("CN/") : QStringLiteral("EN/"));
}

QStringList Global::pictureList() const
{
    return QDir(familyPictureFolder(d->device)).entryList(QDir::Files);
}

QString Global::picturePath(const QString& name) const
{
    return familyPictureFolder(d->device) + QLatin1Char('/') + name;
}

QString Global::screenshotFolder()
{
    return screenshotFolder(QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}

bool Global::isWritableFolder(const QString& folder)
{
    // Permission bits do not tell (root, read-only mounts, ACLs); creating a file does.
    QTemporaryFile probe(folder + QStringLiteral("/.write-test-XXXXXX"));
    return !folder.isEmpty() && probe.open();
}

QString Global::screenshotFolder(const QString& applicationFolder, const QString& picturesFolder)
{
    const QString beside = QDir::cleanPath(applicationFolder + QStringLiteral("/Screenshot"));
    // The application's own folder is never created here, only its Screenshot folder.
    if (!applicationFolder.isEmpty() && QFileInfo(applicationFolder).isDir() && makeWritableFolder(beside))
        return beside;
    const QString personal = QDir::cleanPath(picturesFolder + QStringLiteral("/Kestrova"));
    if (!picturesFolder.isEmpty() && makeWritableFolder(personal))
        return personal;
    return QString();
}
