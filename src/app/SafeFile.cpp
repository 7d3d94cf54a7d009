#include "SafeFile.h"

#include <QSaveFile>

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile flushes at commit and takes a short write (disk full, file
    // size limit) for success, renaming a truncated file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
