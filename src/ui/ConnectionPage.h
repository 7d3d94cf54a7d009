// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WidgetBase.h"

class QAbstractButton;

// What the shell needs of the one connection page: it lives in the page layer, above the shell,
// so the registry builds it by class name and the window reaches it through this interface.
class ConnectionPage : public WidgetBase
{
    Q_OBJECT
public:
    using WidgetBase::WidgetBase;

    // The tool bar's connect button: the page mirrors the link state on it and takes its clicks.
    virtual void setConnectButton(QAbstractButton* button) = 0;

public slots:
    virtual void connectOrDisconnect() = 0;
};
