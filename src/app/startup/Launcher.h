// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Starts the new instance on restart; tests put a recording launcher in its place.
class Launcher
{
public:
    virtual ~Launcher() = default;
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

class ProcessLauncher : public Launcher
{
public:
    bool startDetached(const QString& program, const QStringList& arguments) override;
};
