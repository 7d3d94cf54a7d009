#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` in one rename: after a crash, a full disk or any failed
// step the previous file is still there, whole. True when the new content is in place.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);
