// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/BusScanner.h"
#include "comm/SerialPortDiagnosis.h"
#include "engine/ParameterBatch.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <functional>

namespace Cli {

class Progress;

// Why a port does not open, in words for the console.
QString portProblemText(const SerialPortDiagnosis::Result& failure, const QString& port);

// One drive of the bus at a time, through the communication service: the port opened for it, the
// connection test (the connection page's probe), and batches run to their end while the event loop
// turns. Opening the next drive releases the previous one's port first.
class DriveLink : public QObject
{
    Q_OBJECT
public:
    struct Settings
    {
        QString port; // or host:port on TCP
        int baud = 9600;
        ScanFraming framing;
        int family = 0; // Global::DEVICE_INFO
        BusLink::Transport transport = BusLink::Serial;
        QString host;
        quint16 tcpPort = BusLink::DefaultTcpPort;
    };

    enum class Opened { Connected, PortFailed, NoAnswer };

    using Answered = std::function<void(int index, bool readBack, const QVector<quint16>& values)>;

    explicit DriveLink(Progress* progress, QObject* parent = nullptr);

    Opened open(const Settings& settings, int slave);
    // Why open() failed, in words for the console.
    QString problem() const { return m_problem; }
    // The connection test's answer (it names the VFD's version).
    QVector<quint16> probeAnswer() const { return m_probe; }

    // Runs a batch to its end and returns the result of each request; `label` goes with its
    // progress. Ctrl-C cancels what has not been sent.
    QVector<ParameterBatch::Result> run(ParameterBatch::Kind kind, const ParamRequests& requests,
        const QString& label, const Answered& answered = Answered());

private:
    QString noAnswerText(const Settings& settings, int slave) const;

    Progress* m_progress;
    QString m_problem;
    QVector<quint16> m_probe;
};

} // namespace Cli
