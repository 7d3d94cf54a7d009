// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeFile.h"

#include <QSaveFile>

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    return writeFileAtomically(
        path, [&bytes](QIODevice* device) { return device->write(bytes) == bytes.size(); });
}

bool writeFileAtomically(const QString& path, const std::function<bool(QIODevice*)>& produce)
{
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile flushes at commit and takes a short write (disk full, file
    // size limit) for success, renaming a truncated file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (!produce(&file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
