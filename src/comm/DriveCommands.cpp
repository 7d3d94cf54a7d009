// SPDX-License-Identifier: GPL-3.0-or-later
#include "DriveCommands.h"

#include "Communication.h"
#include "DriveRegisters.h"
#include "app/Global.h"

namespace DriveCommands {

namespace {
constexpr int ServoSoftResetTicks = 80;
constexpr int VfdSoftResetTicks = 50;
constexpr int RestoreTicks = 100;

// A trial run must end before the servo is disabled and restarted; `enableTag` decides whether
// the main window's enable indicator hears of the disable.
QVector<Write> servoStopAndDisable(const QString& enableTag)
{
    using namespace DriveRegister::Servo;
    return { { QString(), JogCommand, { JogStop } }, { enableTag, Enable, { EnableOff } } };
}
} // namespace

Write servoEnable(bool on)
{
    using namespace DriveRegister::Servo;
    return { EnableStateTag, Enable, { on ? EnableOn : EnableOff } };
}

Plan softReset(int family)
{
    Plan plan;
    switch (family) {
    case Global::DEVICE_SERVO:
        plan.writes = servoStopAndDisable(EnableStateTag);
        plan.writes.append({ QStringLiteral("ASoftReset"), DriveRegister::Servo::SoftReset,
            { DriveRegister::Servo::SoftResetRequest } });
        plan.ticks = ServoSoftResetTicks;
        break;
    case Global::DEVICE_VFD:
        plan.writes = { { QString(), DriveRegister::Vfd::Control, { DriveRegister::Vfd::FaultReset } } };
        plan.ticks = VfdSoftResetTicks;
        break;
    default:
        break;
    }
    return plan;
}

Plan restoreFactoryParameters(int family)
{
    Plan plan;
    switch (family) {
    case Global::DEVICE_SERVO: {
        using namespace DriveRegister::Servo;
        // Empty tags: these writes must not move the main window's enable indicator.
        plan.writes = servoStopAndDisable(QString());
        plan.writes.append({ QString(), RestoreFactory, { RestoreFactoryCode, RestoreFactoryConfirm } });
        break;
    }
    case Global::DEVICE_VFD: {
        using namespace DriveRegister::Vfd;
        plan.writes = { { QString(), RestoreFactory, { RestoreFactoryCode, RestoreFactoryConfirm } } };
        break;
    }
    default:
        return plan;
    }
    plan.ticks = RestoreTicks;
    plan.reconnect = true;
    return plan;
}

void send(const Write& write)
{
    Communication::instance()->sendWrite(write.tag, write.address, write.values);
}

void sendWrites(const Plan& plan)
{
    for (const Write& write : plan.writes)
        send(write);
}

} // namespace DriveCommands
