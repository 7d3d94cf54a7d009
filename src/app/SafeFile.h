// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Replaces the file at `path` with `bytes` in one rename: after a crash, a full disk or any failed
// step the previous file is still there, whole. True when the new content is in place.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// The same for content written in pieces: `produce` writes to the device it is given and returns
// false when any piece failed (its writes must check their byte counts; the device is unbuffered).
bool writeFileAtomically(const QString& path, const std::function<bool(QIODevice*)>& produce);
