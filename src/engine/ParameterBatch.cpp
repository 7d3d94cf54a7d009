// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParameterBatch.h"

#include <algorithm>
#include <utility>

namespace {
// Enough for the bus worker to have the next request at hand when an answer comes, so the line
// never waits for the GUI thread; few enough that a cancel holds back nearly everything.
constexpr int queuedAtOnce = 4;
} // namespace

ParameterBatch::ParameterBatch(QObject* parent)
    : QObject(parent)
{
}

bool ParameterBatch::start(Kind kind, const ParamRequests& requests)
{
    if (m_running || m_finished || requests.isEmpty())
        return false;
    m_kind = kind;
    m_results.clear();
    for (const ParamRequest& request : requests)
        m_results.append({ request, Outcome::Pending, {} });
    const Phase first = kind == Kind::Read ? Phase::Read : Phase::Write;
    for (int i = 0; i < m_results.size(); ++i)
        m_waiting.append({ i, first });
    m_steps = m_results.size() * (kind == Kind::WriteVerify ? 2 : 1);
    m_running = true;

    Communication* comm = Communication::instance();
    connect(comm, &Communication::requestCompleted, this,
        [this](quint64 request, const QString&, const QVector<quint16>& values) {
            requestCompleted(request, values);
        });
    connect(comm, &Communication::connectEvent, this, &ParameterBatch::stateChanged);
    sendMore();
    return true;
}

void ParameterBatch::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    const QList<Step> waiting = std::exchange(m_waiting, {});
    for (const Step& step : waiting) {
        // A parameter waiting for its read-back has been written: it was done, just not verified.
        if (step.phase == Phase::ReadBack)
            settle(step.index, Outcome::Done);
        else
            settle(step.index, Outcome::Cancelled, m_kind == Kind::WriteVerify ? 2 : 1);
    }
    finishIfDone();
}

int ParameterBatch::count(Outcome outcome) const
{
    return int(std::count_if(
        m_results.cbegin(), m_results.cend(), [outcome](const Result& r) { return r.outcome == outcome; }));
}

bool ParameterBatch::isSuccess(Outcome outcome)
{
    return outcome == Outcome::Done || outcome == Outcome::Verified;
}

bool ParameterBatch::succeeded() const
{
    return m_finished && std::all_of(m_results.cbegin(), m_results.cend(), [](const Result& r) {
        return isSuccess(r.outcome);
    });
}

void ParameterBatch::sendMore()
{
    Communication* comm = Communication::instance();
    while (!m_cancelled && m_running && m_outstanding.size() < queuedAtOnce && !m_waiting.isEmpty()) {
        const Step step = m_waiting.takeFirst();
        const ParamRequest& request = m_results.at(step.index).request;
        const quint64 number = step.phase == Phase::Write
            ? comm->sendWrite(request.code, request.address, request.value)
            : comm->sendRead(request.code, request.address, 1);
        if (number != 0) {
            m_outstanding.insert(number, step);
        } else if (step.phase == Phase::ReadBack) {
            settle(step.index, Outcome::ReadBackFailed);
        } else {
            settle(step.index, Outcome::NotSent, m_kind == Kind::WriteVerify ? 2 : 1);
        }
    }
    finishIfDone();
}

void ParameterBatch::requestCompleted(quint64 request, const QVector<quint16>& values)
{
    const auto found = m_outstanding.find(request);
    if (found == m_outstanding.end())
        return;
    const Step step = found.value();
    m_outstanding.erase(found);
    m_results[step.index].values = values;
    emit answered(step.index, step.phase == Phase::ReadBack, values);
    completeStep(step, values);
    sendMore();
}

void ParameterBatch::completeStep(const Step& step, const QVector<quint16>& values)
{
    const bool answered = !values.isEmpty();
    switch (step.phase) {
    case Phase::Read:
        settle(step.index, answered ? Outcome::Done : Outcome::Failed);
        return;
    case Phase::Write:
        if (m_kind != Kind::WriteVerify) {
            settle(step.index, answered ? Outcome::Done : Outcome::Failed);
        } else if (!answered) {
            settle(step.index, Outcome::Failed, 2);
        } else if (m_cancelled) {
            settle(step.index, Outcome::Done, 2);
        } else {
            // Read back after every write has gone out: a later write may still change an earlier
            // parameter, and what counts is what the drive keeps in the end.
            ++m_stepsDone;
            emit progressed(m_stepsDone, m_steps);
            m_waiting.append({ step.index, Phase::ReadBack });
        }
        return;
    case Phase::ReadBack:
        if (!answered)
            settle(step.index, Outcome::ReadBackFailed);
        else
            settle(step.index,
                values.at(0) == m_results.at(step.index).request.value ? Outcome::Verified
                                                                       : Outcome::NotKept);
        return;
    }
}

void ParameterBatch::settle(int index, Outcome outcome, int steps)
{
    m_results[index].outcome = outcome;
    m_stepsDone += steps;
    emit progressed(m_stepsDone, m_steps);
    emit parameterFinished(index);
}

void ParameterBatch::stateChanged(Communication::CommState state)
{
    // The service drops whatever is queued when the link breaks or closes: those answers never come.
    if (state != Communication::COMM_CONNECTED)
        abandon(Outcome::LinkLost);
}

void ParameterBatch::abandon(Outcome outcome)
{
    if (!m_running)
        return;
    m_cancelled = true;
    QList<Step> lost = std::exchange(m_waiting, {});
    for (const Step& step : qAsConst(m_outstanding))
        lost.append(step);
    m_outstanding.clear();
    std::sort(lost.begin(), lost.end(), [](const Step& a, const Step& b) { return a.index < b.index; });
    for (const Step& step : qAsConst(lost)) {
        const bool writeAhead = step.phase == Phase::Write && m_kind == Kind::WriteVerify;
        settle(step.index, outcome, writeAhead ? 2 : 1);
    }
    finishIfDone();
}

void ParameterBatch::finishIfDone()
{
    if (!m_running || !m_outstanding.isEmpty() || !m_waiting.isEmpty())
        return;
    m_running = false;
    m_finished = true;
    disconnect(Communication::instance(), nullptr, this, nullptr);
    emit finished();
}
