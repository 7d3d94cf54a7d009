// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_FaultPanel.h"
#include "ui_GUI_FaultPanel.h"

GUI_FaultPanel::GUI_FaultPanel(QWidget* parent)
    : WidgetBase(parent)
    , ui(new Ui::GUI_FaultPanel)
{
    ui->setupUi(this);
}

GUI_FaultPanel::~GUI_FaultPanel()
{
    delete ui;
}
