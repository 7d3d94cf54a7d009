// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/BusDevices.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A child process that the kernel stops when the test process dies, also when it is killed or
// crashes before any destructor can run.
class ChildProcess : public QProcess
{
protected:
    void setupChildProcess() override;
};

// A simulated drive on its own virtual serial link: a socat pty pair with uniquely named links in a
// temporary folder, and kestrova-drive-sim serving one end. The test talks to portName(). Or, with a
// TCP transport, the sim as a Modbus TCP gateway or serial device server on a free loopback port:
// the test talks to link().
// Every process started here is stopped by its id in stop() and in the destructor, also when a test fails.
class SimDrive
{
public:
    struct Options
    {
        QString family = QStringLiteral("servo"); // "servo" or "vfd"
        int baud = 115200;
        QString parity = QStringLiteral("N");
        int stopBits = 2;
        int slave = 1;
        bool wireTime = false; // tests rarely need the wire pace; benchmarks do
        QString config; // definition folder; empty = the sim's default for the family
        QStringList extraArgs;
        BusLink::Transport transport = BusLink::Serial;
    };

    SimDrive();
    ~SimDrive();

    bool start(); // with default options
    bool start(const Options& options);
    // A drive with wire-time emulation at the given setting that judges the master's framing on
    // this link (--peer): a request at another baud rate or framing is noise to it.
    bool startAtSetting(const QString& family, int baud, const QString& parity, int stopBits, int slave,
        const QStringList& extraArgs = {});
    void stop();

    QString portName() const; // the tool's end of the link
    // The tool's link settings that match the drive's framing, on portName().
    SerialSettings serialSettings() const;
    // The same framing on a port that does not exist.
    SerialSettings missingPortSettings() const;
    QString simPortName() const;
    // The tool's link to the drive, on any transport; on TCP the port the sim found free.
    BusLink link() const;
    quint16 tcpPort() const { return m_tcpPort; }

    // One command line on the sim's standard input (fault injection, see the sim's --help).
    // Returns the sim's answer line ("ok ..."), or an empty string when none came within 3 s.
    QString command(const QString& line);

    // Lines of the request log ("06 00B5 1 1"), as written so far.
    QStringList log() const;
    void clearLog();
    // Waits (processing events) until the log has at least n lines; false on timeout.
    bool waitForLog(int n, int timeoutMs = 5000) const;

    // Pulls the cable: kills the link (socat), both pty ends go away. restoreLink() makes a new link
    // with the same names so the sim and the tool can reopen. On TCP the server is killed, and
    // restoreLink() starts it again on the same port (with its registers and faults as new).
    void cutLink();
    bool restoreLink();

    // Whether the sim is still running (it ends on "quit" or when it fails).
    bool isRunning() const;

private:
    bool startLink();
    bool startSim();
    QString readSimLine(int timeoutMs);
    static void stopProcess(QProcess& process);

    Options m_options;
    QTemporaryDir m_dir;
    ChildProcess m_socat;
    ChildProcess m_sim;
    QString m_logPath;
    QByteArray m_simOut;
    quint16 m_tcpPort = 0;
    int m_logSkip = 0;
};
