// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
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

// Every channel a sample read carries, in the tag's order: one for a single variable, several for a
// block read; none for any other tag or a malformed one.
inline QList<int> channels(const QString& tag)
{
    QList<int> list;
    if (!tag.startsWith(Prefix))
        return list;
    for (const QStringRef& part : tag.midRef(Prefix.size()).split(QLatin1Char(','))) {
        bool ok = false;
        const int channel = part.toInt(&ok);
        if (!ok || channel < 0)
            return {};
        list.append(channel);
    }
    return list;
}

} // namespace ScopeTag
