// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A private working folder for one test: the tool reads and writes "./Driver/..." relative to the
// working directory, so each case gets its own copy of what it needs of the installation's Driver/.
class WorkDir
{
public:
    enum class Seed {
        Nothing, // an empty folder: no Driver/ at all
        Init, // Driver/Init.xml copied from the installation
        InitAndPictures, // and the device pictures
        Everything // the whole Driver/: start-up file, pictures and definition files
    };

    explicit WorkDir(Seed seed = Seed::InitAndPictures)
    {
        m_previous = QDir::currentPath();
        const QString source = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver");
        const QString target = m_dir.filePath(QStringLiteral("Driver"));
        if (seed != Seed::Nothing) {
            QDir().mkpath(target);
            QFile::copy(source + QStringLiteral("/Init.xml"), initFile());
            QFile::setPermissions(initFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        if (seed == Seed::InitAndPictures || seed == Seed::Everything) {
            const QString folder = seed == Seed::Everything ? source : source + QStringLiteral("/Pictures");
            QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                const QString copy = target + file.mid(source.size());
                QDir().mkpath(QFileInfo(copy).absolutePath());
                QFile::copy(file, copy);
            }
        }
        QDir::setCurrent(m_dir.path());
    }
    ~WorkDir() { QDir::setCurrent(m_previous); }

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString initFile() const { return m_dir.filePath(QStringLiteral("Driver/Init.xml")); }

    void writeInit(const QByteArray& content) const
    {
        QDir().mkpath(QFileInfo(initFile()).absolutePath());
        QFile file(initFile());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

    void writeInit(int device, int language) const
    {
        writeInit(
            QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Init>\n    <Device>%1</Device>\n"
                           "    <Language>%2</Language>\n</Init>\n")
                .arg(device)
                .arg(language)
                .toUtf8());
    }

    // The installation's definition files (every family and version) under Driver/Config.
    void copyDefinitions() const
    {
        const QString source = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config");
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString copy = m_dir.filePath(QStringLiteral("Driver/Config") + file.mid(source.size()));
            QDir().mkpath(QFileInfo(copy).absolutePath());
            QFile::copy(file, copy);
        }
    }

    QByteArray readInitBytes() const
    {
        QFile file(initFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString readInit() const { return QString::fromUtf8(readInitBytes()); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
