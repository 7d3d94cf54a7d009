// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusMonitorCounters.h"
#include "comm/ScopeTag.h"

#include <QString>

#include <algorithm>
#include <iterator>

namespace {
} // namespace

qint64 BusMonitorCounters::Snapshot::failureCount() const
{
    qint64 sum = 0;
    for (const qint64 n : failures)
        sum += n;
    return sum;
}

void BusMonitorCounters::add(const BusTransaction& t)
{
    ++m_requests;
    if (t.outcome != BusTransaction::Ok)
        ++m_failures[t.outcome];
    if (t.answered()) {
        ++m_answered;
        m_latencySumUs += t.latencyUs;
        m_worstLatencyUs = qMax(m_worstLatencyUs, t.latencyUs);
    }

    const qint64 finished = t.finishedMs();
    // The connection test is followed by seconds of confirmation without traffic; counting from it
    // would show a rate far too low for the first seconds of a connection.
    if (!t.connectionTest && (m_firstMs < 0 || t.startedMs < m_firstMs))
        m_firstMs = t.startedMs;
    m_recent.push_back(finished);
    dropBefore(m_recent, finished - RateWindowMs);

    // A Fast-mode block read is a sample of every channel it carries.
    if (t.outcome == BusTransaction::Ok) {
        for (int channel : ScopeTag::channels(t.tag)) {
            std::deque<qint64>& times = m_scope[channel];
            times.push_back(finished);
            dropBefore(times, finished - RateWindowMs);
        }
    }
}

void BusMonitorCounters::clear()
{
    *this = BusMonitorCounters();
}

void BusMonitorCounters::dropBefore(std::deque<qint64>& times, qint64 oldestMs)
{
    while (!times.empty() && times.front() <= oldestMs)
        times.pop_front();
}

double BusMonitorCounters::rate(const std::deque<qint64>& times, qint64 nowMs) const
{
    // Right after the first transaction the window is not full yet; a second is the shortest span
    // that gives a rate worth showing.
    const qint64 span = qBound<qint64>(1000, nowMs - m_firstMs, RateWindowMs);
    const qint64 oldest = nowMs - RateWindowMs;
    const auto count = std::count_if(times.begin(), times.end(), [oldest](qint64 t) { return t > oldest; });
    return double(count) * 1000.0 / double(span);
}

BusMonitorCounters::Snapshot BusMonitorCounters::snapshot(qint64 nowMs) const
{
    Snapshot s;
    s.requests = m_requests;
    std::copy(std::begin(m_failures), std::end(m_failures), std::begin(s.failures));
    if (m_answered > 0) {
        s.meanLatencyMs = double(m_latencySumUs) / double(m_answered) / 1000.0;
        s.worstLatencyMs = double(m_worstLatencyUs) / 1000.0;
    }
    if (m_firstMs >= 0) {
        s.transactionsPerSecond = rate(m_recent, nowMs);
        for (auto it = m_scope.cbegin(); it != m_scope.cend(); ++it)
            s.scopeSamplesPerSecond.insert(it.key(), rate(it.value(), nowMs));
    }
    return s;
}
