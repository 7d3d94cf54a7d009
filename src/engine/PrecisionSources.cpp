// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrecisionSources.h"

#include "Global.h"
#include "comm/DriveRegisters.h"
#include "engine/ParameterSet.h"
#include "engine/PrecisionRules.h"

namespace PrecisionSources {

namespace {

const QString unlockTag = QStringLiteral("ADecryption");

// The VFD's size has a register of its own even where its group is not shown (administrator mode).
bool readsDriveSizeRegister(const ParameterSet& set, int family)
{
    return family == Global::DEVICE_VFD && set.rowOf(PrecisionRules::driveSizeCode) < 0;
}

} // namespace

ParamRequests writes(int family)
{
    if (family != Global::DEVICE_VFD)
        return {};
    using namespace DriveRegister::Vfd;
    return { { unlockTag, Unlock, UnlockCode } };
}

ParamRequests reads(const ParameterSet& set, int family)
{
    ParamRequests requests;
    const QStringList codes = set.precisionRules().triggerCodes();
    for (const QString& code : codes) {
        const int row = set.rowOf(code);
        if (row >= 0 && set.row(row).hasAddress)
            requests.append({ code, set.row(row).address, 0 });
        else if (code == PrecisionRules::driveSizeCode && readsDriveSizeRegister(set, family))
            requests.append({ code, DriveRegister::Vfd::CurrentDecimals, 0 });
    }
    return requests;
}

} // namespace PrecisionSources
