// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Global.h"
#include "comm/Communication.h"

#include <QObject>
#include <QString>

class ElidedLabel;
class QLabel;
class QStatusBar;

// The window's status bar: the link as the communication service reports it, and the last warning
// or critical console line until the next one. The console starts hidden, so without this a user
// would never see that recovery failed or a definition file is damaged; a click on the line opens
// the console.
class StatusLine : public QObject
{
    Q_OBJECT
public:
    explicit StatusLine(QStatusBar* bar);

    void showLinkState(Communication::CommState state);
    // The console line as the console shows it; information lines leave the status bar alone.
    void showConsoleLine(const QString& line, Global::MESSAGE_INFO level);

    QString linkText() const;
    QString messageText() const;
    Global::MESSAGE_INFO messageLevel() const { return m_level; }

signals:
    void messageClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_messageIcon = nullptr;
    ElidedLabel* m_message = nullptr;
    QLabel* m_linkIcon = nullptr;
    QLabel* m_link = nullptr;
    Global::MESSAGE_INFO m_level = Global::MESSAGE_INFORMATION;
};
