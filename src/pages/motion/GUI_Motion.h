#pragma once

#include "ui/WidgetBase.h"

class QAbstractButton;

namespace Ui {
class GUI_Motion;
}

// The servo drive's trial-run page: jogs in serial velocity mode, while a button is held or
// continuously until "Stop", and runs a number of pulses in serial position mode. It writes only,
// and only while the drive is enabled.
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
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void initForm();
    void setOperationMode(int index);
    bool driveEnabled() const;

    void jogClicked(bool forward);
    void jogPressed(bool forward);
    void jogReleased();
    void startJog(bool forward);
    void stopJog();
    void releaseHeldJog();
    void runPosition(bool forward);
    void stopPosition();
    void stopOnLeaving();

    Ui::GUI_Motion* ui;
    // Set from the press to the release of a jog button with "Continue" off.
    bool m_jogging = false;
    // What may still be moving when the page goes away: a continuous jog or a position run.
    bool m_continuousJog = false;
    bool m_positionRun = false;
    // A held jog whose stop could not be sent because the link went down; sent when it is back.
    bool m_stopWhenConnected = false;
};
