// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/Communication.h"

#include <QThread>

// The service's own tests watch its connection's device and worker thread come and go, and drive
// the service through the device's signals; nothing else may reach them.
class CommunicationProbe
{
public:
    static BusDevices* device() { return Communication::instance()->m_busDevice; }
    static QThread* workerThread() { return Communication::instance()->m_workerThread; }
    // Silently, as a drive command's quiet period does, but to any state.
    static void setState(Communication::CommState state) { Communication::instance()->m_commState = state; }
};
