// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WidgetBase.h"

#include <QMap>
#include <QString>
#include <QVector>

class QTimer;

namespace Ui {
class GUI_Monitor;
}

// The servo drive's status page: polls the status block and the enable state once a second while
// connected, shows every quantity, and keeps a time-stamped history of the alarm codes.
class GUI_Monitor : public WidgetBase
{
    Q_OBJECT
public:
    explicit GUI_Monitor(QWidget* parent = nullptr);
    ~GUI_Monitor() override;

    // The alarm code of the last status answer, shared by every monitor page of the run.
    static quint16 currentAlarmCode();
    // The history text of an alarm code ("未知错误" for a code the drive's table lacks).
    QString alarmText(quint16 code) const;

public slots:
    void connectEvent(Communication::CommState state) override;
    void resultCallBackEvent(QString tag, QVector<quint16> values) override;

private:
    void poll();
    void showStatus(const QVector<quint16>& values);
    void showEnableState(const QVector<quint16>& values);
    void fillAlarmTexts();

    Ui::GUI_Monitor* ui;
    QTimer* m_pollTimer = nullptr;
    quint16 m_lastLoggedAlarm = 0;
    QMap<quint16, QString> m_alarmTexts;
};
