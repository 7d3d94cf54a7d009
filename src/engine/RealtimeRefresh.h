// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

// The VFD's monitoring group "D0" read as five blocks of twelve registers. Each block's tag
// "ARefresh[ss][cc]" carries the index of its first D0 parameter and its register count, so an
// answer finds its rows without remembering what was asked.
namespace RealtimeRefresh {

struct Block
{
    QString tag;
    quint16 address = 0;
    quint16 count = 0;
};

QVector<Block> blocks();
// The first D0 index and the register count of a block's tag; false for any other tag (the
// control panel's "ARefresh1" included).
bool parseTag(const QString& tag, int* first, int* count);

} // namespace RealtimeRefresh
