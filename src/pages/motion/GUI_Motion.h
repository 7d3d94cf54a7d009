// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WidgetBase.h"

class HeldButtons;
class QAbstractButton;

namespace Ui {
class GUI_Motion;
}

// The servo drive's trial-run page: jogs in serial velocity mode, while a button is held or
// continuously until "Stop", and runs a number of pulses in serial position mode. It writes only;
// it starts a motion only while the drive is enabled, and stops one whatever the drive reports.
class GUI_Motion : public WidgetBase
{
    Q_OBJECT
public:
    explicit GUI_Motion(QWidget* parent = nullptr);
    ~GUI_Motion() override;

    // The largest pulse count the drive's two count registers (count / 10000, count % 10000 as
    // signed words) can carry in each direction.
    static constexpr qint64 MaxPulseCount = 32767LL * 10000 + 9999;
    static constexpr qint64 MinPulseCount = -32768LL * 10000 - 9999;

public slots:
    void connectEvent(Communication::CommState state) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void initForm();
    void setOperationMode(int index);
    bool driveEnabled() const;

    void jogClicked(bool forward);
    void jogPressed(QAbstractButton* button, bool forward);
    void jogReleased(QAbstractButton* button);
    void startJog(bool forward);
    void stopJog();
    void endHeldJog();
    void runPosition(bool forward);
    void positionStartDone(quint64 request);
    void stopPosition();
    void stopClicked(bool positionStop);
    void stopOnLeaving();

    Ui::GUI_Motion* ui;
    HeldButtons* m_heldButtons = nullptr;
    // Set from the press to the end of a hold of a jog button with "Continue" off.
    bool m_jogging = false;
    // What may still be moving when the page goes away: a continuous jog or a position run.
    bool m_continuousJog = false;
    bool m_positionRun = false;
    // The last write of a position start (402 back to 0) is still on its way: the start ignores
    // further clicks until then.
    quint64 m_positionStart = 0;
};
