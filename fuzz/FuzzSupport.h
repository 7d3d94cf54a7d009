// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The readers take file paths, so each input goes through one small file in a private folder
// (on tmpfs when there is one, which keeps the file round trip far below the parse).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace FuzzSupport {

inline QTemporaryDir& workDir()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/kestrova-fuzz-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/kestrova-fuzz-XXXXXX"));
    return dir;
}

// Writes the input to `name` in the work folder; returns its path.
inline QString writeInput(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = workDir().filePath(name);
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

} // namespace FuzzSupport
