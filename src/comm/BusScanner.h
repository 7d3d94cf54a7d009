// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusLink.h"

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVector>

#include <memory>

// One serial framing to try: 8 data bits with a parity and a number of stop bits, as
// QSerialPort::Parity and QSerialPort::StopBits values.
struct ScanFraming
{
    int parity = 0;
    int stopBits = 2;

    QString name() const; // "8N2", "8E1", ...
    int bitsPerCharacter() const;
    bool operator==(const ScanFraming& other) const
    {
        return parity == other.parity && stopBits == other.stopBits;
    }

    // 8N2, 8N1, 8E1, 8O1: the framings drives leave the factory with.
    static QList<ScanFraming> standard();
    // One of the standard framings by its name, in any case; false for another name.
    static bool fromName(const QString& name, ScanFraming* framing);
};
Q_DECLARE_METATYPE(ScanFraming)

// What to scan: every address of the range at every baud rate and framing, in that nesting
// (baud rates outermost), with the family's connect probe. On a TCP link every unit id (slave
// address) of the range once: the gateway or serial server has the line setting, not the tool.
struct ScanPlan
{
    // A gateway passes the probe to its RS-485 line and back: a few tens of milliseconds at 9600 baud
    // and the drive's own response delay, a round trip of well under a millisecond on a plant LAN.
    // 100 ms leaves a margin for both and scans 247 unit ids in about 25 s.
    static constexpr int DefaultTcpSilentMs = 100;

    BusLink::Transport transport = BusLink::Serial;
    QString portName;
    QString host; // TCP only
    quint16 tcpPort = BusLink::DefaultTcpPort;
    int tcpSilentMs = DefaultTcpSilentMs;
    QList<int> baudRates;
    QList<ScanFraming> framings;
    int firstAddress = 1;
    int lastAddress = 247;
    quint16 probeStart = 0;
    quint16 probeCount = 1;
    int latencyMs = 16;

    bool isTcp() const { return transport != BusLink::Serial; }
    int addressCount() const { return qMax(0, lastAddress - firstAddress + 1); }
    int combinations() const;

    // Baud rates as typed, "9600, 19200 38400" (commas, semicolons or blanks between): each once,
    // in the order given. False, with the word that is none, when one is no baud rate.
    static bool parseBaudRates(const QString& text, QList<int>* rates, QString* badWord);
};

// A device that answered the probe: a valid reply or a Modbus exception, both prove it is there.
struct ScanHit
{
    int baudRate = 0; // 0 on a TCP link
    ScanFraming framing;
    int address = 0;
    bool exception = false;
    quint8 exceptionCode = 0;
    QVector<quint16> values; // the registers read (empty for an exception)
};
Q_DECLARE_METATYPE(ScanHit)

class BusScannerPrivate;

// Looks for drives on a link: sends the connect probe to every address at every setting of a plan,
// with a wait per silent address of a few character times plus the adapter's latency instead of the
// regular request timeout (on TCP, the plan's short wait per unit id over one connection). The port
// is its own for the scan (no connection may hold it); the scan runs in a worker thread of its own,
// and results come back as signals in the owner's thread.
class BusScanner : public QObject
{
    Q_OBJECT
public:
    enum Outcome {
        Completed, // every combination was tried
        Stopped, // stop() ended it early
        PortFailed, // the port (or the TCP connection) could not be opened or failed during the scan
    };
    Q_ENUM(Outcome)

    // USB-serial adapters of the FTDI class hold received bytes up to their 16 ms latency timer
    // before passing them on; the pty of the simulated drive adds well under a millisecond.
    static constexpr int DefaultLatencyMs = 16;

    explicit BusScanner(QObject* parent = nullptr);
    // Stops a running scan and waits for its port to be closed.
    ~BusScanner() override;

    // False when a scan is running already or the plan has nothing to try.
    bool start(const ScanPlan& plan);
    // Returns at once; finished follows with the port closed.
    void stop();
    // True from start() until finished has been emitted.
    bool isRunning() const;

    // How long an address may stay silent before it counts as empty: the request's time on the
    // wire, the 3.5-character gap before an answer, and the adapter's latency.
    static int silentTimeoutMs(int baudRate, const ScanFraming& framing, int latencyMs);
    // The time the combinations from `tried` on take when nothing answers.
    static qint64 remainingMs(const ScanPlan& plan, int tried);
    // The probe's request frame for an address: function 0x03 with its CRC, or on Modbus TCP with the
    // MBAP header carrying the transaction id.
    static QByteArray probeFrame(int address, quint16 start, quint16 count,
        BusLink::Transport transport = BusLink::Serial, quint16 transactionId = 0);

signals:
    void found(const ScanHit& hit);
    void progress(int tried, int total, qint64 msLeft);
    // The port refused a setting; its addresses count as tried.
    void skipped(int baudRate, const ScanFraming& framing, const QString& errorText);
    void finished(BusScanner::Outcome outcome, const QString& errorText);

private:
    std::unique_ptr<BusScannerPrivate> d;
    Q_DISABLE_COPY(BusScanner)
};

// The device version a probe reply names, where it names one: the VFD's probe block starts with two
// letters of the model and its version as major and minor byte ("KV 2.0"). Empty otherwise.
QString probeVersionText(bool vfdFamily, const QVector<quint16>& values);
