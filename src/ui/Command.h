// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace DriveCommands {
struct Plan;
}

// The two commands that restart the drive: soft reset and restore factory parameters. Each asks
// first, sends its writes, then holds the service quiet behind a progress dialog while the drive
// reboots.
class Command : public QObject
{
    Q_OBJECT
public:
    explicit Command(QObject* parent = nullptr);

    void softReset();
    void restoreFactoryParameters();
    void runProgress(const QString& title, int ticks, bool reconnect, QWidget* parentWidget);

    // Ticks of the progress run under way, shared by every command (0 when none runs).
    static int tickCounter();

private:
    QWidget* parentWidget() const;
    void run(const DriveCommands::Plan& plan, const QString& title, QWidget* owner);
};
