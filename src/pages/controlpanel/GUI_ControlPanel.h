// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/Communication.h"
#include "comm/DriveRegisters.h"
#include "ui/WidgetBase.h"

#include <QMap>
#include <QString>
#include <QVector>

class HeldButtons;
class QAbstractButton;
class QTimer;

namespace Ui {
class GUI_ControlPanel;
}

// The VFD's operating page: sets the frequency, runs the inverter forward or backward, jogs it while
// a jog button is held, stops it and resets its faults, and shows its running values, running state
// and current fault with the text of ErrorCode.xml.
class GUI_ControlPanel : public WidgetBase
{
    Q_OBJECT
public:
    explicit GUI_ControlPanel(QWidget* parent = nullptr);
    ~GUI_ControlPanel() override;

    static constexpr int startDelayMs = 500;
    static constexpr int pollIntervalMs = 800;
    static constexpr int faultResetPauseMs = 200;

    // While the drive runs a command of this page, asks whether to stop it first.
    bool confirmClose() override;

private slots:
    void initForm();
    void connectEvent(Communication::CommState state) override;
    void on_Btn_SetFrequency_clicked();
    void on_Btn_GoBack_clicked();
    void on_Btn_GoForward_clicked();
    void on_Btn_GoBackJog_pressed();
    void on_Btn_GoForwardJog_pressed();
    void on_Btn_GoBackJog_released();
    void on_Btn_GoForwardJog_released();
    void on_Btn_Stop_clicked();
    void on_Btn_FaultReset_clicked();
    void resultCallBackEvent(QString tag, QVector<quint16> values) override;

private:
    // The run command each command-source read stands for, valued as the drive's run command.
    enum RunCommand : quint16 {
        NoRun = 0,
        RunForward = DriveRegister::Vfd::RunForward,
        RunBackward = DriveRegister::Vfd::RunBackward,
        JogForward = DriveRegister::Vfd::JogForward,
        JogBackward = DriveRegister::Vfd::JogBackward,
    };

    void startPolling();
    void poll();
    bool offLine();
    quint64 requestRun(RunCommand command, const QString& tag);
    void cancelRun();
    void runRequestCompleted(quint64 request, const QString& tag, const QVector<quint16>& values);
    void pressJog(RunCommand command, const QString& tag);
    void releaseJog(RunCommand command);
    void endJogHold();
    void stop();
    QAbstractButton* jogButton(RunCommand command) const;
    void resetDecimals();

    void setFrequencyDecimals(quint8 decimals);
    void showFrequencyFromDrive(int raw);
    void showRunningValues(const QVector<quint16>& values);
    void showRunningState(quint16 state);
    void showFault(quint16 code);
    void showPower(quint16 value);

    Ui::GUI_ControlPanel* ui;
    QTimer* m_pollTimer = nullptr;
    QTimer* m_startTimer = nullptr;
    QMap<int, QString> m_faultTexts;
    quint8 m_frequencyDecimals = 2;
    quint8 m_currentDecimals = 2;

    // The one run command waiting for its command-source answer; a later button replaces it and
    // Stop cancels it, so a command never reaches the drive after the user took it back.
    RunCommand m_pendingRun = NoRun;
    quint64 m_pendingRequest = 0;
    // The jog buttons are dead-man buttons; a hold that asked the drive for anything ends with a stop.
    HeldButtons* m_heldJogs = nullptr;
    bool m_jogAsked = false;
    // The drive runs (forward or backward) as far as this page knows: a run command went out, or
    // the running state says so. Closing then asks first, unless the user chose to leave it running.
    bool m_driveRunning = false;
    bool m_leaveRunning = false;

    // The frequency field shows a value read from the drive (not edited since): a change of the
    // frequency decimals re-reads that raw value instead of keeping a number scaled the old way.
    int m_driveFrequencyRaw = -1;
    bool m_settingFrequency = false;
};
