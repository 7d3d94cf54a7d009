// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The tag of the scope's sample reads: "AID=" and the channels the read carries ("AID=3",
// "AID=0,1,2"). The scope picks up its answers by it and the bus monitor counts the samples by it,
// so both read it here.
namespace ScopeTag {

inline const QString Prefix = QStringLiteral("AID=");

inline QString of(const QStringList& channels)
{
    return Prefix + channels.join(QLatin1Char(','));
}

inline QString of(int channel)
{
    return Prefix + QString::number(channel);
}

// The one channel a tag names; -1 for any other tag, a block of several channels included.
inline int channel(const QString& tag)
{
    if (!tag.startsWith(Prefix))
        return -1;
    bool ok = false;
    const int channel = tag.midRef(Prefix.size()).toInt(&ok);
    return ok && channel >= 0 ? channel : -1;
}

} // namespace ScopeTag
