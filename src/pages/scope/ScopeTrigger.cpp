// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScopeTrigger.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double autoTimeout = 1.0; // seconds

} // namespace

void ScopeTrigger::setSettings(const Settings& settings, double now)
{
    m_settings = settings;
    m_settings.preTrigger = std::clamp(settings.preTrigger, 0.0, 1.0);
    m_settings.window = std::max(settings.window, 1e-3);
    m_hasCapture = false;
    arm(now);
}

void ScopeTrigger::arm(double now)
{
    m_state = m_settings.mode == Off ? Idle : Armed;
    m_armedAt = now;
    m_hasPrevious = false;
}

void ScopeTrigger::feed(double key, double value)
{
    if (std::isnan(value)) {
        m_hasPrevious = false;
        return;
    }
    const bool crossed = m_hasPrevious
        && (m_settings.edge == Rising ? m_previousValue < m_settings.level && value >= m_settings.level
                                      : m_previousValue > m_settings.level && value <= m_settings.level);
    if (m_state == Armed && crossed) {
        // Between the two points, where the straight line between them meets the level.
        const double share = (m_settings.level - m_previousValue) / (value - m_previousValue);
        const double at = m_previousKey + share * (key - m_previousKey);
        // A crossing inside the window just shown belongs to it, not to the next one.
        if (at >= m_armedAt) {
            m_crossing = at;
            m_state = Filling;
        }
    }
    m_hasPrevious = true;
    m_previousKey = key;
    m_previousValue = value;
}

ScopeTrigger::Event ScopeTrigger::update(double now)
{
    const double after = (1.0 - m_settings.preTrigger) * m_settings.window;
    if (m_state == Filling && now >= m_crossing + after) {
        m_capture
            = { m_crossing - m_settings.preTrigger * m_settings.window, m_crossing + after, m_crossing };
        m_hasCapture = true;
        if (m_settings.mode == Single) {
            m_state = Done;
        } else {
            m_state = Armed;
            m_armedAt = m_capture.to;
        }
        return Captured;
    }
    if (m_state == Armed && m_settings.mode == Auto) {
        const double since = m_hasCapture ? std::max(m_armedAt, m_capture.to) : m_armedAt;
        // Not sooner than a second: a signal that crosses twice a second holds its captures.
        if (now - since > std::max(m_settings.window, autoTimeout))
            return Rolling;
    }
    return NoEvent;
}
