// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Global.h"
#include "comm/Communication.h"
#include "definitions/DefinitionError.h"

#include <QString>
#include <QVector>
#include <QWidget>

// Base of every device page: receives every state change and every result of the communication
// service, and reaches the main window only through its three signals.
class WidgetBase : public QWidget
{
    Q_OBJECT
public:
    explicit WidgetBase(QWidget* parent = nullptr);
    ~WidgetBase() override;

    // True when the drive is on line; otherwise asks for the off-line warning.
    bool checkConnected();

    void setCurrentPage(bool current);
    bool isCurrentPage() const;

    void setButtonCursors();

    // Asked before the page's tab is closed or the tool quits or restarts; false keeps it open.
    virtual bool confirmClose() { return true; }

    // Stops a motion this page started. Never gated: when the link cannot carry the stop now, it
    // is owed until the link is back, and the console says so.
    void requestStop(Communication::Motion motion);

    // One console line naming a definition file that could not be read and why; nothing for a
    // file that was read. Safe to call from a page's constructor, before the window listens.
    void reportDefinitionError(const DefinitionError& error);

public slots:
    virtual void connectEvent(Communication::CommState state);
    virtual void resultCallBackEvent(QString tag, QVector<quint16> values);

signals:
    void sig_showMessageBox(QString text, Global::MESSAGE_INFO info = Global::MESSAGE_INFORMATION);
    // A warning or critical line also stays in the window's status bar until the next one.
    void sig_printToConsole(QString text, Global::MESSAGE_INFO level = Global::MESSAGE_INFORMATION);
    void sig_printParma(QString text);

private:
    bool m_currentPage = false;
};
