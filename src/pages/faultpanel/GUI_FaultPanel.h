// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WidgetBase.h"

namespace Ui {
class GUI_FaultPanel;
}

// The VFD's fault page: registered but empty, and its workspace button stays hidden; the VFD's
// faults are shown on the control panel.
class GUI_FaultPanel : public WidgetBase
{
    Q_OBJECT
public:
    explicit GUI_FaultPanel(QWidget* parent = nullptr);
    ~GUI_FaultPanel() override;

private:
    Ui::GUI_FaultPanel* ui;
};
