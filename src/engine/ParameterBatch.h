// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/Communication.h"
#include "engine/ParamRequest.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QVector>

// Reads or writes a list of parameters, one register each, through the communication service, and
// tells the outcome of each. Only its own answers count, told apart by request number: other
// senders use the same tags (the VFD status poll reads "P0-19", "P0-22" and "PF-01"). A few
// requests are queued at a time, enough to keep the line busy, so that a cancel stops the rest.
// A write with verification writes every parameter first, then reads back each one the drive
// accepted and compares it with what was written.
class ParameterBatch : public QObject
{
    Q_OBJECT
public:
    enum class Kind { Read, Write, WriteVerify };
    Q_ENUM(Kind)

    enum class Outcome {
        Pending,
        Done, // read or written (a write without verification)
        Failed, // no answer or an exception answer
        Verified, // written and read back with the written value
        NotKept, // written, but read back with another value
        ReadBackFailed, // written, but the read-back got no answer
        NotSent, // the service took no request (not connected, or held quiet)
        Cancelled,
        LinkLost,
    };
    Q_ENUM(Outcome)

    struct Result
    {
        ParamRequest request;
        Outcome outcome = Outcome::Pending;
        QVector<quint16> values; // the answer; after a verification the value read back
    };

    explicit ParameterBatch(QObject* parent = nullptr);

    // False (and nothing sent) when this batch has run already or there is nothing to do.
    bool start(Kind kind, const ParamRequests& requests);
    // Sends nothing more; what is already queued is still answered and counted.
    void cancel();

    Kind kind() const { return m_kind; }
    bool isRunning() const { return m_running; }
    bool isFinished() const { return m_finished; }
    // Transactions in all (twice the parameters for a verified write) and those over.
    int steps() const { return m_steps; }
    int stepsDone() const { return m_stepsDone; }
    const QVector<Result>& results() const { return m_results; }
    int count(Outcome outcome) const;
    // Whether every parameter ended as it should (read, written, verified).
    bool succeeded() const;

    static bool isSuccess(Outcome outcome);

signals:
    void progressed(int done, int steps);
    // The outcome of results()[index] is final.
    void parameterFinished(int index);
    // An answer of one of the batch's own requests, before its parameter's outcome is final.
    void answered(int index, bool readBack, const QVector<quint16>& values);
    void finished();

private:
    enum class Phase { Read, Write, ReadBack };
    struct Step
    {
        int index;
        Phase phase;
    };

    void sendMore();
    void requestCompleted(quint64 request, const QVector<quint16>& values);
    void completeStep(const Step& step, const QVector<quint16>& values);
    // Makes the parameter's outcome final; `steps` of the batch's transactions are over with it.
    void settle(int index, Outcome outcome, int steps = 1);
    void stateChanged(Communication::CommState state);
    void abandon(Outcome outcome);
    void finishIfDone();

    Kind m_kind = Kind::Read;
    bool m_running = false;
    bool m_finished = false;
    bool m_cancelled = false;
    int m_steps = 0;
    int m_stepsDone = 0;
    QVector<Result> m_results;
    QList<Step> m_waiting;
    QHash<quint64, Step> m_outstanding;
};
