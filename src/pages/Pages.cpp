// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pages.h"

#include "connection/GUI_Communication.h"
#include "controlpanel/GUI_ControlPanel.h"
#include "faultpanel/GUI_FaultPanel.h"
#include "io/GUI_IO.h"
#include "monitor/GUI_Monitor.h"
#include "motion/GUI_Motion.h"
#include "paramtable/GUI_ParamTable.h"
#include "scope/GUI_Scope.h"
#include "ui/WidgetController.h"

namespace Pages {

void registerAll()
{
    // In the workspace's order: GUI_Communication, GUI_Scope, GUI_ParamTable, GUI_Motion,
    // GUI_ControlPanel, GUI_FaultPanel, GUI_Monitor, GUI_IO.
    WidgetController::registerPageClass<GUI_Communication>();
    WidgetController::registerPageClass<GUI_Scope>();
    WidgetController::registerPageClass<GUI_ParamTable>();
    WidgetController::registerPageClass<GUI_Motion>();
    WidgetController::registerPageClass<GUI_ControlPanel>();
    WidgetController::registerPageClass<GUI_FaultPanel>();
    WidgetController::registerPageClass<GUI_Monitor>();
    WidgetController::registerPageClass<GUI_IO>();
}

} // namespace Pages
