#include "Command.h"

#include "Communication.h"
#include "app/Global.h"

#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

namespace {
// One progress dialog at a time: it is window-modal, so no second command can start meanwhile.
int g_ticks = 0;

const quint16 VfdControlRegister = 0x2000;
const quint16 VfdSoftResetCommand = 7;
const quint16 ServoRestoreRegister = 0;
const quint16 VfdRestoreRegister = 0x1F00;
const quint16 ServoEnableRegister = 181;
const quint16 ServoTrialRunRegister = 401;

const int ServoSoftResetTicks = 80;
const int VfdSoftResetTicks = 50;
const int RestoreTicks = 100;
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

    switch (Global::instance()->device()) {
    case Global::DEVICE_SERVO:
        Communication::trialRunStop(false);
        Communication::servoDisable();
        Communication::requestSoftReset();
        runProgress(tr("Soft reset"), ServoSoftResetTicks, false, owner);
        break;
    case Global::DEVICE_VFD:
        Communication::instance()->sendWrite(QString(), VfdControlRegister, VfdSoftResetCommand);
        runProgress(tr("Soft reset"), VfdSoftResetTicks, false, owner);
        break;
    default:
        break;
    }
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

    Communication* comm = Communication::instance();
    switch (Global::instance()->device()) {
    case Global::DEVICE_SERVO:
        // Empty tags: these writes must not move the main window's enable indicator.
        comm->sendWrite(QString(), ServoTrialRunRegister, quint16(0));
        comm->sendWrite(QString(), ServoEnableRegister, quint16(0));
        comm->sendWrite(QString(), ServoRestoreRegister, QVector<quint16> { 385, 65535 });
        runProgress(tr("Restore factory parameters"), RestoreTicks, true, owner);
        break;
    case Global::DEVICE_VFD:
        comm->sendWrite(QString(), VfdRestoreRegister, QVector<quint16> { 0, 1 });
        runProgress(tr("Restore factory parameters"), RestoreTicks, true, owner);
        break;
    default:
        break;
    }
}

void Command::runProgress(const QString& title, int ticks, bool reconnect, QWidget* parentWidget)
{
    // The drive is rebooting: every page's requests are dropped, without telling the pages.
    Communication::instance()->commState = Communication::COMM_WAITING;

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
                // A link that was lost and given up meanwhile has no device left to talk to.
                Communication* comm = Communication::instance();
                if (comm->commState == Communication::COMM_WAITING)
                    comm->commState = Communication::COMM_CONNECTED;
            }
            return;
        }
        if (reconnect && g_ticks == dialog->maximum() / 2)
            Communication::instance()->closeDevice();
        ++g_ticks;
    });
    timer->start(TickIntervalMs);
}
