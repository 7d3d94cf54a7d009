// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimDrive.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kCommandTimeoutMs = 3000;

QString simExecutable()
{
    // Lets a test run against another build of the simulated drive.
    const QString overridden = qEnvironmentVariable("KESTROVA_DRIVE_SIM");
    return overridden.isEmpty() ? QStringLiteral(KESTROVA_SIM_PATH) : overridden;
}

QString defaultConfig(const QString& family)
{
    const QString root = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/");
    const QString folder = family == QLatin1String("vfd") ? QStringLiteral("VFD/KVF-V2.0/EN")
                                                          : QStringLiteral("SERVO/KSD-V1.10/EN");
    return root + folder;
}

// A pty link exists when its symlink resolves to a live pty.
bool linkReady(const QString& path)
{
    return QFileInfo(path).exists();
}

} // namespace

void ChildProcess::setupChildProcess()
{
    // Runs in the child between fork and exec. The signal follows the forking thread, which is the
    // test's main thread here.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
}

SimDrive::SimDrive() = default;

SimDrive::~SimDrive()
{
    stop();
}

bool SimDrive::start()
{
    return start(Options());
}

bool SimDrive::start(const Options& options)
{
    stop();
    m_options = options;
    if (!m_dir.isValid()) {
        qWarning("SimDrive: no temporary folder");
        return false;
    }
    m_logPath = m_dir.filePath(QStringLiteral("requests.log"));
    QFile::remove(m_logPath);
    m_logSkip = 0;
    m_simOut.clear();
    m_tcpPort = 0;
    if (options.transport == BusLink::Serial && !startLink())
        return false;
    if (!startSim()) {
        stop();
        return false;
    }
    return true;
}

void SimDrive::stop()
{
    stopProcess(m_sim);
    stopProcess(m_socat);
}

QString SimDrive::portName() const
{
    return m_dir.filePath(QStringLiteral("tool"));
}

bool SimDrive::startAtSetting(const QString& family, int baud, const QString& parity, int stopBits, int slave,
    const QStringList& extraArgs)
{
    Options options;
    options.family = family;
    options.baud = baud;
    options.parity = parity;
    options.stopBits = stopBits;
    options.slave = slave;
    options.wireTime = true;
    options.extraArgs = QStringList { QStringLiteral("--peer"), portName() } + extraArgs;
    return start(options);
}

BusLink SimDrive::link() const
{
    if (m_options.transport == BusLink::Serial)
        return BusLink::serialPort(serialSettings());
    return BusLink::tcp(m_options.transport, QStringLiteral("127.0.0.1"), m_tcpPort);
}

SerialSettings SimDrive::missingPortSettings() const
{
    SerialSettings settings = serialSettings();
    settings.portName += QStringLiteral("-missing");
    return settings;
}

SerialSettings SimDrive::serialSettings() const
{
    SerialSettings settings;
    settings.portName = portName();
    settings.baudRate = m_options.baud;
    settings.dataBits = QSerialPort::Data8;
    settings.stopBits = m_options.stopBits == 1 ? QSerialPort::OneStop : QSerialPort::TwoStop;
    if (m_options.parity == QLatin1String("E"))
        settings.parity = QSerialPort::EvenParity;
    else if (m_options.parity == QLatin1String("O"))
        settings.parity = QSerialPort::OddParity;
    else
        settings.parity = QSerialPort::NoParity;
    return settings;
}

QString SimDrive::simPortName() const
{
    return m_dir.filePath(QStringLiteral("drive"));
}

QString SimDrive::command(const QString& line)
{
    if (m_sim.state() != QProcess::Running)
        return QString();
    m_sim.write(line.toUtf8() + '\n');
    m_sim.waitForBytesWritten(kCommandTimeoutMs);
    QDeadlineTimer deadline(kCommandTimeoutMs);
    while (!deadline.hasExpired()) {
        const QString answer = readSimLine(int(deadline.remainingTime()));
        if (answer.startsWith(QLatin1String("ok")) || answer.startsWith(QLatin1String("error")))
            return answer;
        if (answer.isEmpty() && m_sim.state() != QProcess::Running)
            break;
    }
    qWarning("SimDrive: no answer to \"%s\"", qPrintable(line));
    return QString();
}

QStringList SimDrive::log() const
{
    QFile file(m_logPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines;
    const QList<QByteArray> raw = file.readAll().split('\n');
    for (const QByteArray& line : raw) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines.append(QString::fromUtf8(trimmed));
    }
    return lines.mid(m_logSkip);
}

void SimDrive::clearLog()
{
    // The sim keeps appending to the file, so remember where the new part starts instead of
    // truncating under its feet.
    m_logSkip += log().size();
}

bool SimDrive::waitForLog(int n, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (log().size() < n) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

void SimDrive::cutLink()
{
    if (m_options.transport == BusLink::Serial) {
        stopProcess(m_socat);
        return;
    }
    // Killed, as by a crash or a power cut: no orderly goodbye on its connection.
    m_sim.kill();
    m_sim.waitForFinished(3000);
}

bool SimDrive::restoreLink()
{
    return m_options.transport == BusLink::Serial ? startLink() : startSim();
}

bool SimDrive::isRunning() const
{
    return m_sim.state() == QProcess::Running;
}

bool SimDrive::startLink()
{
    stopProcess(m_socat);
    // Links left behind by a killed socat would look like a live link.
    QFile::remove(portName());
    QFile::remove(simPortName());

    const QString link = QStringLiteral("pty,raw,echo=0,link=");
    m_socat.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    m_socat.setStandardErrorFile(m_dir.filePath(QStringLiteral("socat.log")), QIODevice::Append);
    m_socat.start(QStringLiteral("socat"),
        { QStringLiteral("-d"), QStringLiteral("-d"), link + portName(), link + simPortName() });
    if (!m_socat.waitForStarted(kStartTimeoutMs)) {
        qWarning("SimDrive: socat did not start: %s", qPrintable(m_socat.errorString()));
        return false;
    }
    QDeadlineTimer deadline(kStartTimeoutMs);
    while (!linkReady(portName()) || !linkReady(simPortName())) {
        if (deadline.hasExpired() || m_socat.state() != QProcess::Running) {
            qWarning("SimDrive: the pty link did not come up");
            stopProcess(m_socat);
            return false;
        }
        QThread::msleep(5);
    }
    return true;
}

bool SimDrive::startSim()
{
    QStringList args { QStringLiteral("--family"), m_options.family };
    switch (m_options.transport) {
    case BusLink::Serial:
        args << QStringLiteral("--port") << simPortName();
        break;
    case BusLink::ModbusTcp:
        args << QStringLiteral("--tcp") << QString::number(m_tcpPort);
        break;
    case BusLink::RtuOverTcp:
        args << QStringLiteral("--rtu-over-tcp") << QString::number(m_tcpPort);
        break;
    }
    args << QStringList { QStringLiteral("--baud"), QString::number(m_options.baud),
        QStringLiteral("--parity"), m_options.parity, QStringLiteral("--stop-bits"),
        QString::number(m_options.stopBits), QStringLiteral("--slave"), QString::number(m_options.slave),
        QStringLiteral("--log"), m_logPath };
    const QString config = m_options.config.isEmpty() ? defaultConfig(m_options.family) : m_options.config;
    // Without the folder the sim falls back to its own default.
    if (!m_options.config.isEmpty() || QDir(config).exists())
        args << QStringLiteral("--config") << config;
    if (!m_options.wireTime)
        args << QStringLiteral("--no-wire-time");
    args << m_options.extraArgs;

    m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_simOut.clear();
    m_sim.start(simExecutable(), args);
    if (!m_sim.waitForStarted(kStartTimeoutMs)) {
        qWarning(
            "SimDrive: %s did not start: %s", qPrintable(simExecutable()), qPrintable(m_sim.errorString()));
        return false;
    }
    QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        const QString line = readSimLine(int(deadline.remainingTime()));
        if (line.startsWith(QLatin1String("ready"))) {
            // On TCP the sim names the port it listens on; a restart takes the same one again.
            if (m_options.transport != BusLink::Serial)
                m_tcpPort = quint16(line.section(QLatin1Char(':'), -1).toUInt());
            return true;
        }
        if (line.isEmpty() && m_sim.state() != QProcess::Running)
            break;
    }
    qWarning("SimDrive: the simulated drive did not get ready");
    return false;
}

QString SimDrive::readSimLine(int timeoutMs)
{
    QDeadlineTimer deadline(qMax(0, timeoutMs));
    for (;;) {
        const int end = m_simOut.indexOf('\n');
        if (end >= 0) {
            const QByteArray line = m_simOut.left(end).trimmed();
            m_simOut.remove(0, end + 1);
            return QString::fromUtf8(line);
        }
        if (m_sim.state() != QProcess::Running || deadline.hasExpired())
            return QString();
        if (m_sim.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            m_simOut += m_sim.readAllStandardOutput();
    }
}

void SimDrive::stopProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}
