// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/BusTransaction.h"

#include <QMap>
#include <QtGlobal>

#include <deque>

// The bus monitor's counters: requests, failures by kind, the achieved transaction rate, the
// latency of answered requests, and the sample rate each scope channel ("AID=" + channel) gets.
// Fed with every transaction; rates are over the last few seconds of wall-clock time.
class BusMonitorCounters
{
public:
    static constexpr qint64 RateWindowMs = 5000;

    struct Snapshot
    {
        qint64 requests = 0;
        qint64 failures[BusTransaction::LinkError + 1] = {}; // by outcome; [Ok] stays 0
        double transactionsPerSecond = 0;
        double meanLatencyMs = 0; // of answered requests (a timeout measures the client, not the drive)
        double worstLatencyMs = 0;
        QMap<int, double> scopeSamplesPerSecond; // by channel, successful reads only

        qint64 failureCount() const;
    };

    void add(const BusTransaction& transaction);
    void clear();
    Snapshot snapshot(qint64 nowMs) const;

    // The channel of a scope tag, or -1.

private:
    static void dropBefore(std::deque<qint64>& times, qint64 oldestMs);
    double rate(const std::deque<qint64>& times, qint64 nowMs) const;

    qint64 m_requests = 0;
    qint64 m_failures[BusTransaction::LinkError + 1] = {};
    qint64 m_answered = 0;
    qint64 m_latencySumUs = 0;
    qint64 m_worstLatencyUs = 0;
    qint64 m_firstMs = -1; // when traffic began: the first request since the last clear
    std::deque<qint64> m_recent; // completion times within the rate window
    QMap<int, std::deque<qint64>> m_scope;
};
