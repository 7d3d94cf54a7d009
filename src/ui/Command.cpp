// SPDX-License-Identifier: GPL-3.0-or-later
#include "Command.h"

#include "app/Global.h"
#include "comm/Communication.h"
#include "comm/DriveCommands.h"

#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

namespace {
// One progress dialog at a time: it is window-modal, so no second command can start meanwhile.
int g_ticks = 0;
} // namespace

Command::Command(QObject* parent)
    : QObject(parent)
{
}

int Command::tickCounter()
{
    return g_ticks;
}

QWidget* Command::parentWidget() const
{
    return qobject_cast<QWidget*>(parent());
}

void Command::softReset()
{
    QWidget* owner = parentWidget();
    const auto answer = QMessageBox::question(owner, tr("Soft reset"), tr("Do you wish to continue?"),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton);
    if (answer != QMessageBox::Ok)
        return;
    run(DriveCommands::softReset(Global::instance()->device()), tr("Soft reset"), owner);
}

void Command::restoreFactoryParameters()
{
    QWidget* owner = parentWidget();
    const QString text = tr("The device will be disconnected after restoring the factory parameters")
        + QStringLiteral(",<br>") + tr("Do you wish to continue?");
    const auto answer = QMessageBox::question(owner, tr("Restore Factory Parameters"), text,
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton);
    if (answer != QMessageBox::Ok)
        return;
    run(DriveCommands::restoreFactoryParameters(Global::instance()->device()),
        tr("Restore factory parameters"), owner);
}

void Command::run(const DriveCommands::Plan& plan, const QString& title, QWidget* owner)
{
    if (plan.ticks == 0)
        return;
    DriveCommands::sendWrites(plan);
    runProgress(title, plan.ticks, plan.reconnect, owner);
}

void Command::runProgress(const QString& title, int ticks, bool reconnect, QWidget* parentWidget)
{
    // The drive is rebooting: every page's requests are dropped, without telling the pages.
    Communication::instance()->beginQuietPeriod();

    auto* dialog = new QProgressDialog(parentWidget);
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setCancelButton(nullptr);
    dialog->setRange(0, ticks);
    dialog->setMinimumDuration(5);
    dialog->setWindowTitle(tr("Please wait"));
    dialog->setLabelText(title + QStringLiteral("..."));
    dialog->setFixedSize(300, 80);
    dialog->show();

    auto* timer = new QTimer(dialog);
    QPointer<QWidget> owner(parentWidget);
    connect(timer, &QTimer::timeout, this, [dialog, timer, reconnect, owner]() {
        dialog->setValue(g_ticks);
        if (g_ticks >= dialog->maximum()) {
            timer->stop();
            g_ticks = 0;
            dialog->deleteLater();
            if (reconnect) {
                QMessageBox::information(owner, tr("Tips"),
                    tr("The operation is completed, Please reconnect the device") + QLatin1Char('.'),
                    QMessageBox::Ok);
            } else {
                Communication::instance()->endQuietPeriod();
            }
            return;
        }
        if (reconnect && g_ticks == dialog->maximum() / 2)
            Communication::instance()->closeDevice();
        ++g_ticks;
    });
    timer->start(DriveCommands::TickIntervalMs);
}
