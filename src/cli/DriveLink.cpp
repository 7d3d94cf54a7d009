// SPDX-License-Identifier: GPL-3.0-or-later
#include "DriveLink.h"

#include "Global.h"
#include "cli/Terminal.h"
#include "comm/Communication.h"
#include "comm/DriveRegisters.h"
#include "comm/SerialPortDiagnosis.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QSerialPort>
#include <QTimer>

namespace Cli {

namespace {

// The connection test takes at most two response times (one retry); the service's state reports
// follow at once. Beyond this something is wrong with the worker, not with the drive.
constexpr int connectDeadlineMs = 15000;

} // namespace

QString portProblemText(const SerialPortDiagnosis::Result& failure, const QString& port)
{
    const QString location = SerialPortDiagnosis::systemLocation(port);
    // The diagnosis of a missing port speaks of the window's Port box; here a command lists them.
    if (failure.problem == SerialPortDiagnosis::PortMissing && !QFileInfo::exists(location))
        return QStringLiteral("%1 does not exist: the adapter is not plugged in or the path is wrong "
                              "(kestrova-cli ports lists the ports)")
            .arg(location);
    return failure.text.isEmpty() ? QStringLiteral("%1 cannot be opened").arg(location) : failure.text;
}

DriveLink::DriveLink(Progress* progress, QObject* parent)
    : QObject(parent)
    , m_progress(progress)
{
    Communication* comm = Communication::instance();
    comm->setCommType(Communication::COMM_MODBUS_RTU);
    // A script's first batch shows soon enough whether the link holds; and it asks for the
    // values it needs itself rather than having the status poll interleave its own.
    comm->setConfirmationDelay(0);
    comm->setStatusPoll(false);
}

DriveLink::Opened DriveLink::open(const Settings& settings, int slave)
{
    m_problem.clear();
    m_probe.clear();
    Global::instance()->setDevice(settings.family);
    Communication* comm = Communication::instance();

    BusLink link = BusLink::tcp(settings.transport, settings.host, settings.tcpPort);
    if (settings.transport == BusLink::Serial) {
        SerialSettings serial;
        serial.portName = settings.port;
        serial.baudRate = settings.baud;
        serial.dataBits = QSerialPort::Data8;
        serial.stopBits = settings.framing.stopBits;
        serial.parity = settings.framing.parity;
        link = BusLink::serialPort(serial);
    }
    comm->setCommType(settings.transport == BusLink::ModbusTcp ? Communication::COMM_MODBUS_TCP
            : settings.transport == BusLink::RtuOverTcp        ? Communication::COMM_RTU_OVER_TCP
                                                               : Communication::COMM_MODBUS_RTU);
    if (!comm->openDevice(link)) {
        m_problem
            = link.isTcp() ? comm->openFailure().text : portProblemText(comm->openFailure(), settings.port);
        return Opened::PortFailed;
    }

    comm->setServerAddress(quint16(slave));
    QEventLoop loop;
    bool failed = false;
    QMetaObject::Connection probe = connect(
        comm, &Communication::transactionCompleted, this, [this](const BusTransaction& transaction) {
            if (transaction.connectionTest && transaction.outcome == BusTransaction::Ok)
                m_probe = transaction.values;
        });
    QMetaObject::Connection error
        = connect(comm, &Communication::connectErrEvent, &loop, [&] { failed = true; });
    QMetaObject::Connection state
        = connect(comm, &Communication::connectEvent, &loop, [&](Communication::CommState s) {
              if (s == Communication::COMM_CONNECTED || s == Communication::COMM_DISCONNECT)
                  loop.quit();
          });
    QTimer::singleShot(connectDeadlineMs, &loop, &QEventLoop::quit);
    if (settings.family == Global::DEVICE_VFD)
        comm->connectDevice(DriveRegister::Vfd::ProbeStart, DriveRegister::Vfd::ProbeCount);
    else
        comm->connectDevice(DriveRegister::Servo::ProbeStart, DriveRegister::Servo::ProbeCount);
    if (comm->commState() == Communication::COMM_CONNECTING)
        loop.exec();
    disconnect(probe);
    disconnect(error);
    disconnect(state);

    if (failed || comm->commState() != Communication::COMM_CONNECTED) {
        // A TCP server that refused or could not be reached is a port that would not open.
        const QString reason = comm->connectFailure();
        const bool linkDown = !reason.isEmpty() && !reason.contains(QLatin1String("exception 0B"));
        m_problem = reason.isEmpty() ? noAnswerText(settings, slave) : reason;
        return linkDown ? Opened::PortFailed : Opened::NoAnswer;
    }
    return Opened::Connected;
}

QString DriveLink::noAnswerText(const Settings& settings, int slave) const
{
    if (settings.transport != BusLink::Serial)
        return QStringLiteral("no drive answered at slave address %1 through %2. Check that the drive is "
                              "powered and wired to the gateway, and that its slave address and serial "
                              "settings match the gateway's")
            .arg(slave)
            .arg(settings.port);
    return QStringLiteral("no drive answered at slave address %1 on %2 (%3 baud, %4). Check that the drive "
                          "is powered and wired (A to A, B to B) and that its slave address and serial "
                          "settings match these; kestrova-cli scan looks for it at every setting")
        .arg(slave)
        .arg(SerialPortDiagnosis::systemLocation(settings.port))
        .arg(settings.baud)
        .arg(settings.framing.name());
}

QVector<ParameterBatch::Result> DriveLink::run(
    ParameterBatch::Kind kind, const ParamRequests& requests, const QString& label, const Answered& answered)
{
    if (requests.isEmpty())
        return {};
    ParameterBatch batch;
    QEventLoop loop;
    connect(&batch, &ParameterBatch::finished, &loop, &QEventLoop::quit);
    if (answered)
        connect(&batch, &ParameterBatch::answered, this, answered);
    connect(&batch, &ParameterBatch::progressed, this, [this, &label](int done, int steps) {
        m_progress->show(QStringLiteral("%1 %2/%3").arg(label).arg(done).arg(steps));
    });
    connect(Interrupt::instance(), &Interrupt::requested, &batch, &ParameterBatch::cancel);
    if (Interrupt::instance()->isRequested() || !batch.start(kind, requests)) {
        // Nothing went out: every parameter stays as it was.
        QVector<ParameterBatch::Result> results;
        for (const ParamRequest& request : requests)
            results.append({ request, ParameterBatch::Outcome::Cancelled, {} });
        return results;
    }
    if (!batch.isFinished())
        loop.exec();
    m_progress->clear();
    return batch.results();
}

} // namespace Cli
