// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The scope's trigger: watches the points of one channel for its level being crossed and turns the
// crossing into a capture window, as an oscilloscope does. Times are the plot's keys (seconds).
//
// Normal captures one window per crossing and re-arms once the window is complete; Single captures
// one window and is then done; Auto is Normal that rolls on untriggered while no crossing comes
// for a window length (at least a second). Off never captures.
class ScopeTrigger
{
public:
    enum Mode { Off, Normal, Single, Auto };
    enum Edge { Rising, Falling };
    enum State {
        Idle, // Off
        Armed, // waiting for a crossing
        Filling, // crossed; the part after the crossing is still coming in
        Done, // Single, after its capture
    };
    enum Event {
        NoEvent,
        Captured, // a capture window has just completed: window()
        Rolling, // Auto without a crossing for a window length: the view follows the data
    };

    struct Settings
    {
        Mode mode = Off;
        int channel = -1;
        Edge edge = Rising;
        double level = 0;
        double preTrigger = 0.2; // share of the window before the crossing, 0 to 1
        double window = 1.0; // seconds
    };

    struct Window
    {
        double from = 0;
        double to = 0;
        double at = 0; // the crossing
    };

    // Takes the settings and arms again (Idle for Off) from `now` on.
    void setSettings(const Settings& settings, double now);
    const Settings& settings() const { return m_settings; }
    void arm(double now);

    // One point of the trigger channel, in key order. A NaN value (a gap) is never crossed over.
    void feed(double key, double value);
    // Called as time goes on; `now` is the newest time the points may have reached.
    Event update(double now);

    State state() const { return m_state; }
    bool hasCapture() const { return m_hasCapture; }
    Window window() const { return m_capture; }
    // The crossing being filled (Filling) or the last one captured.
    double crossing() const { return m_crossing; }

private:
    Settings m_settings;
    State m_state = Idle;
    bool m_hasPrevious = false;
    double m_previousKey = 0;
    double m_previousValue = 0;
    double m_armedAt = 0;
    double m_crossing = 0;
    bool m_hasCapture = false;
    Window m_capture;
};
