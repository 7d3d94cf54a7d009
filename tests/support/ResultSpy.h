// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSignalSpy>
#include <QStringList>
#include <QVariant>
#include <QVector>

// Reading a bus device's result(tag, values) signals off a QSignalSpy.
namespace ResultSpy {

inline QVector<quint16> values(const QList<QVariant>& signalArgs)
{
    return signalArgs.at(1).value<QVector<quint16>>();
}

inline QStringList tags(const QSignalSpy& spy)
{
    QStringList list;
    for (const QList<QVariant>& args : spy)
        list << args.at(0).toString();
    return list;
}

} // namespace ResultSpy
