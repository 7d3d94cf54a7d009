// SPDX-License-Identifier: GPL-3.0-or-later
#include "Runner.h"

#include "Global.h"
#include "SafeFile.h"
#include "cli/DriveLink.h"
#include "cli/DriveWork.h"
#include "cli/Record.h"
#include "cli/Terminal.h"
#include "comm/BusScanner.h"
#include "comm/DriveRegisters.h"
#include "comm/SerialAdapter.h"
#include "comm/SerialPortDiagnosis.h"
#include "comm/SerialPorts.h"
#include "engine/ParamFile.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cstdio>

namespace Cli {

namespace {

void printOut(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void printOut(const QString& text)
{
    printOut(text.toUtf8());
}

void printError(const QString& text)
{
    std::fputs(("kestrova-cli: " + text + QLatin1Char('\n')).toUtf8().constData(), stderr);
    std::fflush(stderr);
}

QString familyWord(int family)
{
    return family == Global::DEVICE_VFD ? QStringLiteral("VFD") : QStringLiteral("servo");
}

QString duration(qint64 ms)
{
    const qint64 seconds = (ms + 999) / 1000;
    return seconds < 60
        ? QStringLiteral("%1 s").arg(seconds)
        : QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// The parameter file at `path`, or why it is none: the reader of the window's import says only
// "failed", a script's user needs to know what to mend.
bool readParameterFile(const QString& path, int family, QJsonObject* object, QString* problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        const bool cutShort = error.error == QJsonParseError::UnterminatedObject
            || error.error == QJsonParseError::UnterminatedArray
            || error.error == QJsonParseError::UnterminatedString;
        *problem = QStringLiteral("%1 is not a parameter file: %2 at byte %3%4")
                       .arg(path, error.errorString())
                       .arg(error.offset)
                       .arg(cutShort ? QStringLiteral(" (is it cut short?)") : QString());
        return false;
    }
    switch (ParamFile::parseDocument(bytes, quint8(family), object)) {
    case ParamFile::ReadResult::Ok:
        return true;
    case ParamFile::ReadResult::Failed:
        *problem = QStringLiteral("%1 is not a parameter file: it holds no JSON object").arg(path);
        return false;
    case ParamFile::ReadResult::Mismatch:
        break;
    }
    const QJsonValue stated = document.object().value(QStringLiteral("DeviceVersion"));
    if (stated.isUndefined())
        *problem
            = QStringLiteral("%1 does not say which drive family it is for (no \"DeviceVersion\")").arg(path);
    else if (stated.toString() == QLatin1String("0") || stated.toString() == QLatin1String("1"))
        *problem
            = QStringLiteral("%1 holds parameters of the %2 family; this run is for %3 drives (--family)")
                  .arg(path, familyWord(stated.toString().toInt()), familyWord(family));
    else
        *problem
            = QStringLiteral("%1 is for an unknown drive family (\"DeviceVersion\": %2)")
                  .arg(path,
                      QString::fromUtf8(QJsonDocument(QJsonArray { stated }).toJson(QJsonDocument::Compact)));
    return false;
}

void reportDrive(const DriveEntry& drive)
{
    const QString prefix = QStringLiteral("slave %1: ").arg(drive.slave);
    for (const QString& warning : drive.warnings)
        printError(prefix + QStringLiteral("warning: ") + warning);
    if (!drive.message.isEmpty())
        printError(prefix + drive.message);
}

} // namespace

int runTool(const QStringList& arguments)
{
    Options options;
    QString error;
    switch (parse(arguments, &options, &error)) {
    case Parsed::Help:
        printOut(helpText());
        return ExitOk;
    case Parsed::Version:
        printOut(versionText() + QLatin1Char('\n'));
        return ExitOk;
    case Parsed::Error:
        printError(error);
        std::fputs("Try 'kestrova-cli --help' for more information.\n", stderr);
        return ExitUsage;
    case Parsed::Run:
        break;
    }
    Interrupt::instance()->install();
    return Runner(options).run();
}

Runner::Runner(const Options& options)
    : m_options(options)
    , m_definitions(Definitions::locate(options))
{
}

int Runner::run()
{
    switch (m_options.command) {
    case Command::Ports:
        return listPorts();
    case Command::Scan:
        return scan();
    default:
        return driveCommand();
    }
}

int Runner::listPorts()
{
    const QList<SerialPorts::Port> ports = SerialPorts::available();
    QVector<QStringList> rows;
    QJsonArray list;
    for (const SerialPorts::Port& port : ports) {
        const QString location = SerialPortDiagnosis::systemLocation(port.name);
        const SerialPortDiagnosis::Result access = SerialPortDiagnosis::check(port.name);
        const bool usable = access.problem == SerialPortDiagnosis::NoProblem;
        const QString problem = usable ? QString() : portProblemText(access, port.name);
        const QString hint = SerialAdapter::latencyHint(port.name);
        rows.append({ location, port.description,
            usable ? QStringLiteral("usable") : QStringLiteral("not usable: ") + problem });
        list.append(QJsonObject { { QStringLiteral("port"), location }, { QStringLiteral("name"), port.name },
            { QStringLiteral("description"), port.description }, { QStringLiteral("usable"), usable },
            { QStringLiteral("problem"), problem }, { QStringLiteral("latencyHint"), hint } });
        if (!hint.isEmpty() && !m_options.json)
            printError(location + QStringLiteral(": ") + hint);
    }
    if (m_options.json)
        printOut(
            QJsonDocument(QJsonObject { { QStringLiteral("ports"), list } }).toJson(QJsonDocument::Indented));
    else if (rows.isEmpty())
        printError(QStringLiteral("no serial port found; a port the system does not list (a pty, a "
                                  "/dev/serial/by-id link) still works with --port"));
    else
        printOut(alignedTable(
            { QStringLiteral("Port"), QStringLiteral("Description"), QStringLiteral("Access") }, rows));
    return ExitOk;
}

int Runner::scan()
{
    const bool vfd = m_definitions.family == Global::DEVICE_VFD;
    const bool tcp = m_options.transport != BusLink::Serial;
    ScanPlan plan;
    plan.transport = m_options.transport;
    plan.host = m_options.host;
    plan.tcpPort = m_options.tcpPort;
    plan.portName = m_options.port;
    plan.baudRates = m_options.baudRates;
    plan.framings = m_options.framings;
    plan.firstAddress = m_options.slaves.first();
    plan.lastAddress = m_options.slaves.last();
    plan.probeStart = vfd ? DriveRegister::Vfd::ProbeStart : DriveRegister::Servo::ProbeStart;
    plan.probeCount = vfd ? DriveRegister::Vfd::ProbeCount : DriveRegister::Servo::ProbeCount;
    if (!tcp) {
        const int adapterLatency = SerialAdapter::latencyTimerMs(m_options.port);
        plan.latencyMs = m_options.latencyMs >= 0
            ? m_options.latencyMs
            : (adapterLatency >= 0 ? adapterLatency : BusScanner::DefaultLatencyMs);
        const SerialPortDiagnosis::Result access = SerialPortDiagnosis::check(m_options.port);
        if (access.problem != SerialPortDiagnosis::NoProblem) {
            printError(portProblemText(access, m_options.port));
            return ExitPort;
        }
    }

    BusScanner scanner;
    Progress progress;
    QEventLoop loop;
    QList<ScanHit> hits;
    BusScanner::Outcome outcome = BusScanner::Completed;
    QString failure;
    QObject::connect(&scanner, &BusScanner::found, &loop, [&hits](const ScanHit& hit) { hits.append(hit); });
    QObject::connect(&scanner, &BusScanner::progress, &loop, [&](int tried, int total, qint64 msLeft) {
        progress.show(QStringLiteral("%1 of %2 tried, %3 found, about %4 left")
                          .arg(tried)
                          .arg(total)
                          .arg(hits.size())
                          .arg(duration(msLeft)));
    });
    QObject::connect(&scanner, &BusScanner::skipped, &loop,
        [&](int baud, const ScanFraming& framing, const QString& text) {
            progress.clear();
            printError(
                QStringLiteral("the port does not take %1 %2: %3").arg(baud).arg(framing.name(), text));
        });
    QObject::connect(
        &scanner, &BusScanner::finished, &loop, [&](BusScanner::Outcome end, const QString& text) {
            outcome = end;
            failure = text;
            loop.quit();
        });
    QObject::connect(Interrupt::instance(), &Interrupt::requested, &scanner, &BusScanner::stop);
    if (!scanner.start(plan))
        return ExitUsage;
    loop.exec();
    progress.clear();

    QVector<QStringList> rows;
    QJsonArray found;
    for (const ScanHit& hit : qAsConst(hits)) {
        const QString answer = hit.exception
            ? QStringLiteral("exception 0x%1").arg(hit.exceptionCode, 2, 16, QLatin1Char('0'))
            : QStringLiteral("valid reply");
        const QString device = probeVersionText(vfd, hit.values);
        QJsonObject object { { QStringLiteral("slave"), hit.address }, { QStringLiteral("answer"), answer },
            { QStringLiteral("device"), device } };
        // A TCP link has no line setting of the tool's: the server has it.
        if (tcp) {
            rows.append({ QString::number(hit.address), answer, device });
        } else {
            rows.append({ QString::number(hit.baudRate), hit.framing.name(), QString::number(hit.address),
                answer, device });
            object.insert(QStringLiteral("baud"), hit.baudRate);
            object.insert(QStringLiteral("framing"), hit.framing.name());
        }
        found.append(object);
    }
    int code = ExitOk;
    if (outcome == BusScanner::PortFailed) {
        printError(tcp ? QStringLiteral("no connection: %1").arg(failure)
                       : QStringLiteral("the port cannot be used: %1").arg(failure));
        code = ExitPort;
    } else if (Interrupt::instance()->isRequested()) {
        code = ExitInterrupted;
    } else if (hits.isEmpty()) {
        printError(QStringLiteral("no drive answered on %1")
                       .arg(tcp ? m_options.port : SerialPortDiagnosis::systemLocation(m_options.port)));
        code = ExitNoAnswer;
    }
    if (m_options.json)
        printOut(QJsonDocument(QJsonObject { { QStringLiteral("port"), m_options.port },
                                   { QStringLiteral("status"), statusText(code) },
                                   { QStringLiteral("exitCode"), code }, { QStringLiteral("found"), found } })
                     .toJson(QJsonDocument::Indented));
    else if (!rows.isEmpty() && tcp)
        printOut(alignedTable(
            { QStringLiteral("Slave"), QStringLiteral("Answer"), QStringLiteral("Device") }, rows));
    else if (!rows.isEmpty())
        printOut(alignedTable({ QStringLiteral("Baud"), QStringLiteral("Framing"), QStringLiteral("Slave"),
                                  QStringLiteral("Answer"), QStringLiteral("Device") },
            rows));
    return code;
}

bool Runner::readFiles(QMap<int, QJsonObject>* files, QString* problem) const
{
    if (m_options.command != Command::Diff && m_options.command != Command::Restore)
        return true;
    for (int slave : m_options.slaves) {
        QJsonObject object;
        if (!readParameterFile(m_options.fileFor(slave), m_definitions.family, &object, problem))
            return false;
        files->insert(slave, object);
    }
    return true;
}

bool Runner::checkOutputFolders(QString* problem) const
{
    QStringList outputs;
    if (m_options.command == Command::Backup) {
        for (int slave : m_options.slaves)
            outputs << m_options.fileFor(slave);
    }
    if (!m_options.report.isEmpty())
        outputs << m_options.report;
    for (const QString& path : qAsConst(outputs)) {
        const QFileInfo info(path);
        if (!info.absoluteDir().exists()) {
            *problem = QStringLiteral("%1 cannot be written: the folder %2 does not exist")
                           .arg(path, info.absolutePath());
            return false;
        }
    }
    return true;
}

int Runner::driveCommand()
{
    Record record(m_options);
    record.setDefinitions(m_definitions.folder, m_definitions.family, m_definitions.language);
    QMap<int, QJsonObject> files;
    QString problem;
    if (!readFiles(&files, &problem) || !checkOutputFolders(&problem)) {
        printError(problem);
        record.setMessage(problem);
        return finish(record, ExitInput);
    }

    Progress progress;
    DriveLink link(&progress);
    const DriveLink::Settings settings { m_options.port, m_options.baudRates.first(),
        m_options.framings.first(), m_definitions.family, m_options.transport, m_options.host,
        m_options.tcpPort };
    int code = ExitOk;
    bool different = false;
    for (int slave : m_options.slaves) {
        if (Interrupt::instance()->isRequested()) {
            code = code == ExitOk ? int(ExitInterrupted) : code;
            break;
        }
        DriveEntry& entry = record.addDrive(slave);
        progress.show(QStringLiteral("slave %1: connecting").arg(slave));
        const DriveLink::Opened opened = link.open(settings, slave);
        progress.clear();
        if (opened == DriveLink::Opened::Connected) {
            DriveWork work(m_options, m_definitions, &link, &entry);
            entry.exitCode = work.run(files.value(slave));
        } else {
            entry.exitCode = opened == DriveLink::Opened::PortFailed ? ExitPort : ExitNoAnswer;
            entry.message = link.problem();
        }
        reportDrive(entry);
        if (entry.exitCode == ExitDifferent)
            different = true;
        else if (entry.exitCode != ExitOk && code == ExitOk)
            code = entry.exitCode;
        // The other drives are on the same port; and a stop asked for is a stop.
        if (entry.exitCode == ExitPort || entry.exitCode == ExitInterrupted)
            break;
    }
    if (code == ExitOk && different)
        code = ExitDifferent;
    return finish(record, code);
}

int Runner::finish(Record& record, int code)
{
    record.setExitCode(code);
    if (!m_options.report.isEmpty()) {
        const bool html = !m_options.report.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
        if (!writeFileAtomically(m_options.report, html ? record.html() : record.json())) {
            printError(QStringLiteral("the record cannot be written to %1").arg(m_options.report));
            if (code == ExitOk || code == ExitDifferent)
                code = ExitFileNotWritten;
            record.setExitCode(code);
        }
    }
    printOut(m_options.json ? record.json() : record.table().toUtf8());
    return code;
}

} // namespace Cli
