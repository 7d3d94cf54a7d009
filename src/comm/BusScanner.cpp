// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusScanner.h"

#include "BusTransaction.h"
#include "ModbusDevice.h"
#include "RtuFrame.h"
#include "TcpDiagnosis.h"
#include "WireTime.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSet>
#include <QTcpSocket>
#include <QThread>

#include <atomic>
#include <cmath>

namespace {

constexpr int kFunctionRead = 0x03;
constexpr int kRequestBytes = 8;
// Longest single wait, so that a stop is seen within a few milliseconds whatever the setting.
constexpr int kSliceMs = 10;
// A gateway on the plant network takes a connection at once; a host that lets it hang is not there.
constexpr int kTcpConnectMs = 3000;
constexpr int kMbapHeaderBytes = 7; // transaction id, protocol, length, unit id

double characterMs(int baudRate, const ScanFraming& framing)
{
    return ::characterMs(baudRate, framing.bitsPerCharacter());
}

double frameGapMs(int baudRate, const ScanFraming& framing)
{
    return silentIntervalMs(baudRate, framing.bitsPerCharacter());
}

struct Frame
{
    int at = -1;
    int length = 0;
};

// The first sound answer to a probe of `count` registers in the buffer: a read reply or an exception
// reply from an address of the range, CRC intact. Bytes before it are noise.
Frame findAnswer(const QByteArray& buffer, int from, const ScanPlan& plan)
{
    const int replyLength = 5 + 2 * plan.probeCount;
    for (int i = from; i + 5 <= buffer.size(); ++i) {
        const int address = quint8(buffer.at(i));
        if (address < plan.firstAddress || address > plan.lastAddress)
            continue;
        const int function = quint8(buffer.at(i + 1));
        if (function == (kFunctionRead | RtuFrame::ExceptionFlag) && RtuFrame::crcMatches(buffer, i, 5))
            return { i, 5 };
        if (function == kFunctionRead && quint8(buffer.at(i + 2)) == 2 * plan.probeCount
            && i + replyLength <= buffer.size() && RtuFrame::crcMatches(buffer, i, replyLength))
            return { i, replyLength };
    }
    return {};
}

bool hasAnswerFrom(const QByteArray& buffer, const ScanPlan& plan, int address)
{
    for (Frame frame = findAnswer(buffer, 0, plan); frame.at >= 0;
         frame = findAnswer(buffer, frame.at + frame.length, plan)) {
        if (quint8(buffer.at(frame.at)) == address)
            return true;
    }
    return false;
}

} // namespace

QString ScanFraming::name() const
{
    QChar parityLetter = QLatin1Char('N');
    if (parity == QSerialPort::EvenParity)
        parityLetter = QLatin1Char('E');
    else if (parity == QSerialPort::OddParity)
        parityLetter = QLatin1Char('O');
    return QStringLiteral("8") + parityLetter + QString::number(stopBits == QSerialPort::TwoStop ? 2 : 1);
}

int ScanFraming::bitsPerCharacter() const
{
    return ::bitsPerCharacter(8, parity, stopBits);
}

QList<ScanFraming> ScanFraming::standard()
{
    return { { QSerialPort::NoParity, QSerialPort::TwoStop }, { QSerialPort::NoParity, QSerialPort::OneStop },
        { QSerialPort::EvenParity, QSerialPort::OneStop }, { QSerialPort::OddParity, QSerialPort::OneStop } };
}

bool ScanFraming::fromName(const QString& name, ScanFraming* framing)
{
    const QList<ScanFraming> framings = standard();
    for (const ScanFraming& candidate : framings) {
        if (candidate.name().compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            *framing = candidate;
            return true;
        }
    }
    return false;
}

int ScanPlan::combinations() const
{
    if (isTcp())
        return addressCount();
    return baudRates.size() * framings.size() * addressCount();
}

bool ScanPlan::parseBaudRates(const QString& text, QList<int>* rates, QString* badWord)
{
    // Below 300 baud no drive answers a probe in sensible time; above 4 Mbaud no adapter goes.
    constexpr int lowest = 300;
    constexpr int highest = 4000000;
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    rates->clear();
    const QStringList words = text.split(separators, Qt::SkipEmptyParts);
    for (const QString& word : words) {
        bool ok = false;
        const int baud = word.toInt(&ok);
        if (!ok || baud < lowest || baud > highest) {
            *badWord = word;
            return false;
        }
        if (!rates->contains(baud))
            rates->append(baud);
    }
    return true;
}

QString probeVersionText(bool vfdFamily, const QVector<quint16>& values)
{
    if (!vfdFamily || values.size() < 2)
        return QString();
    const char first = char(values.at(0) >> 8);
    const char second = char(values.at(0) & 0xFF);
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (!isLetter(first) || !isLetter(second))
        return QString();
    return QString::fromLatin1(QByteArray() + first + second) + QStringLiteral(" ")
        + QString::number(values.at(1) >> 8) + QLatin1Char('.') + QString::number(values.at(1) & 0xFF);
}

// ---- the worker ----

class ScanThread : public QThread
{
    Q_OBJECT
public:
    ScanPlan plan;
    std::atomic_bool stopRequested { false };

signals:
    void hit(const ScanHit& hit);
    void progressed(int tried, int total, qint64 msLeft);
    void skipped(int baudRate, const ScanFraming& framing, const QString& errorText);
    void done(int outcome, const QString& errorText);

protected:
    void run() override;

private:
    enum Wait { Data, Quiet, Stop, Failed };
    static void clearOddFlag(QSerialPort& port);
    static bool applySetting(QSerialPort& port, int baud, const ScanFraming& framing);
    Wait waitForData(QSerialPort& port, int ms);
    bool take(QSerialPort& port, QByteArray* buffer);
    void credit(QByteArray* buffer, int baudRate, const ScanFraming& framing, int probed, QSet<int>* found);
    void report(ScanHit result, QSet<int>* found);

    void runSerial();
    void runTcp();
    bool openTcp(QTcpSocket& socket);
    Wait waitForTcpAnswer(QTcpSocket& socket, int address, QByteArray* buffer, QSet<int>* found);
    void takeTcpAnswers(QByteArray* buffer, int probed, QSet<int>* found);
    void takeMbapAnswers(QByteArray* buffer, int probed, QSet<int>* found);
    void socketFailed(const QTcpSocket& socket);

    QString m_error;
    // Unit ids that answered on TCP, a drive or a gateway telling there is none.
    QSet<int> m_heard;
};

// Qt's "no parity" clears only the parity-enable flag of the port and leaves the odd flag set; a
// real UART ignores it, but a pty (which keeps no parity-enable flag) then shows odd parity to its
// far end, and setting odd parity again is refused there. Even parity clears the odd flag.
void ScanThread::clearOddFlag(QSerialPort& port)
{
    port.setParity(QSerialPort::EvenParity);
    port.setParity(QSerialPort::NoParity);
    port.clearError();
}

bool ScanThread::applySetting(QSerialPort& port, int baud, const ScanFraming& framing)
{
    clearOddFlag(port);
    return port.setBaudRate(baud) && port.setDataBits(QSerialPort::Data8)
        && port.setParity(QSerialPort::Parity(framing.parity))
        && port.setStopBits(QSerialPort::StopBits(framing.stopBits))
        && port.setFlowControl(QSerialPort::NoFlowControl);
}

ScanThread::Wait ScanThread::waitForData(QSerialPort& port, int ms)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (stopRequested)
            return Stop;
        if (port.bytesAvailable() > 0)
            return Data;
        const qint64 left = ms - timer.elapsed();
        if (left <= 0)
            return Quiet;
        if (port.waitForReadyRead(int(qMin<qint64>(left, kSliceMs))))
            return Data;
        if (port.error() == QSerialPort::TimeoutError) {
            port.clearError();
        } else if (port.error() != QSerialPort::NoError) {
            m_error = port.errorString();
            return Failed;
        }
    }
}

bool ScanThread::take(QSerialPort& port, QByteArray* buffer)
{
    buffer->append(port.readAll());
    if (port.error() != QSerialPort::NoError && port.error() != QSerialPort::TimeoutError) {
        m_error = port.errorString();
        return false;
    }
    return true;
}

// Every sound answer in the buffer counts for the address it comes from, as long as that address
// was probed at this setting already: a late answer is as good a proof as a timely one.
void ScanThread::credit(
    QByteArray* buffer, int baudRate, const ScanFraming& framing, int probed, QSet<int>* found)
{
    int from = 0;
    for (;;) {
        const Frame frame = findAnswer(*buffer, from, plan);
        if (frame.at < 0)
            break;
        from = frame.at + frame.length;
        const int address = quint8(buffer->at(frame.at));
        if (address > probed || found->contains(address))
            continue;
        ScanHit result;
        result.baudRate = baudRate;
        result.framing = framing;
        result.address = address;
        result.exception = frame.length == 5;
        if (result.exception) {
            result.exceptionCode = quint8(buffer->at(frame.at + 2));
        } else {
            for (int k = 0; k < plan.probeCount; ++k) {
                const int at = frame.at + 3 + 2 * k;
                result.values.append(quint16((quint8(buffer->at(at)) << 8) | quint8(buffer->at(at + 1))));
            }
        }
        report(result, found);
    }
    buffer->clear();
}

void ScanThread::report(ScanHit result, QSet<int>* found)
{
    m_heard.insert(result.address);
    // The gateway answers for a drive that is not there: no drive at that unit id.
    if (plan.isTcp() && result.exception && result.exceptionCode == ModbusDevice::GatewayTargetFailed)
        return;
    if (found->contains(result.address))
        return;
    found->insert(result.address);
    emit hit(result);
}

void ScanThread::run()
{
    if (plan.isTcp())
        runTcp();
    else
        runSerial();
}

void ScanThread::runSerial()
{
    QSerialPort port;
    port.setPortName(plan.portName);
    if (!port.open(QIODevice::ReadWrite)) {
        emit done(BusScanner::PortFailed, port.errorString());
        return;
    }

    const int total = plan.combinations();
    int tried = 0;
    BusScanner::Outcome outcome = BusScanner::Completed;
    for (int baud : qAsConst(plan.baudRates)) {
        for (const ScanFraming& framing : qAsConst(plan.framings)) {
            if (stopRequested)
                break;
            if (!applySetting(port, baud, framing)) {
                emit skipped(baud, framing, port.errorString());
                port.clearError();
                tried += plan.lastAddress - plan.firstAddress + 1;
                emit progressed(tried, total, BusScanner::remainingMs(plan, tried));
                continue;
            }
            // Whatever arrived at the previous setting is no answer at this one.
            QThread::usleep(ulong(1000.0 * frameGapMs(baud, framing)));
            port.clear(QSerialPort::AllDirections);

            const int silentMs = BusScanner::silentTimeoutMs(baud, framing, plan.latencyMs);
            const double characterTime = characterMs(baud, framing);
            const int answerMs = int(std::ceil(characterTime * (5 + 2 * plan.probeCount))) + plan.latencyMs;
            const int gapMs = int(std::ceil(frameGapMs(baud, framing))) + plan.latencyMs;
            QSet<int> found;
            QByteArray buffer;
            for (int address = plan.firstAddress; address <= plan.lastAddress; ++address) {
                if (stopRequested)
                    break;
                if (!take(port, &buffer)) {
                    outcome = BusScanner::PortFailed;
                    break;
                }
                credit(&buffer, baud, framing, address - 1, &found);

                QElapsedTimer sent;
                sent.start();
                port.write(BusScanner::probeFrame(address, plan.probeStart, plan.probeCount));
                port.waitForBytesWritten(silentMs);
                Wait wait = waitForData(port, silentMs);
                // An answer has begun: read on until it is complete or the line has gone quiet.
                while (wait == Data) {
                    if (!take(port, &buffer)) {
                        wait = Failed;
                        break;
                    }
                    if (hasAnswerFrom(buffer, plan, address) || sent.elapsed() > silentMs + answerMs)
                        break;
                    // A late answer of the address before does not end the wait for this one.
                    wait = waitForData(port, int(qMax<qint64>(gapMs, silentMs - sent.elapsed())));
                }
                if (wait == Failed) {
                    outcome = BusScanner::PortFailed;
                    break;
                }
                credit(&buffer, baud, framing, address, &found);
                if (wait == Stop)
                    break;
                ++tried;
                emit progressed(tried, total, BusScanner::remainingMs(plan, tried));
            }
            // The last address gets the grace the others get from their successor's wait.
            if (outcome != BusScanner::PortFailed && !stopRequested) {
                const Wait wait = waitForData(port, silentMs);
                if (wait == Failed || (wait == Data && !take(port, &buffer)))
                    outcome = BusScanner::PortFailed;
                credit(&buffer, baud, framing, plan.lastAddress, &found);
            }
            if (outcome == BusScanner::PortFailed)
                break;
        }
        if (outcome == BusScanner::PortFailed || stopRequested)
            break;
    }
    if (outcome == BusScanner::Completed && stopRequested && tried < total)
        outcome = BusScanner::Stopped;
    clearOddFlag(port);
    port.close();
    emit done(outcome, outcome == BusScanner::PortFailed ? m_error : QString());
}

void ScanThread::socketFailed(const QTcpSocket& socket)
{
    m_error = TcpDiagnosis::explain(socket.error(), plan.host, plan.tcpPort, socket.errorString()).text;
}

bool ScanThread::openTcp(QTcpSocket& socket)
{
    socket.connectToHost(plan.host, plan.tcpPort);
    if (socket.waitForConnected(kTcpConnectMs))
        return true;
    if (socket.error() == QAbstractSocket::SocketTimeoutError)
        m_error = TcpDiagnosis::timedOut(plan.host, plan.tcpPort, kTcpConnectMs).text;
    else
        socketFailed(socket);
    return false;
}

// Modbus TCP answers name their request by the transaction id, which the scan sets to the unit id:
// a late answer still counts for the unit id it belongs to, as on the serial line.
void ScanThread::takeMbapAnswers(QByteArray* buffer, int probed, QSet<int>* found)
{
    while (buffer->size() >= kMbapHeaderBytes) {
        const auto byteAt = [buffer](int i) { return quint8(buffer->at(i)); };
        const int transactionId = (byteAt(0) << 8) | byteAt(1);
        const int protocol = (byteAt(2) << 8) | byteAt(3);
        const int length = (byteAt(4) << 8) | byteAt(5);
        if (protocol != 0 || length < 2 || length > 254) {
            buffer->clear(); // no Modbus TCP stream: nothing after it can be framed either
            return;
        }
        const int frameLength = 6 + length;
        if (buffer->size() < frameLength)
            return;
        const int unit = byteAt(6);
        const int function = byteAt(7);
        ScanHit result;
        result.address = unit;
        bool sound = false;
        if (function == (kFunctionRead | RtuFrame::ExceptionFlag) && length == 3) {
            result.exception = true;
            result.exceptionCode = byteAt(8);
            sound = true;
        } else if (function == kFunctionRead && length == 3 + 2 * plan.probeCount
            && byteAt(8) == 2 * plan.probeCount) {
            for (int k = 0; k < plan.probeCount; ++k)
                result.values.append(quint16((byteAt(9 + 2 * k) << 8) | byteAt(10 + 2 * k)));
            sound = true;
        }
        if (sound && transactionId == unit && unit >= plan.firstAddress && unit <= probed)
            report(result, found);
        buffer->remove(0, frameLength);
    }
}

void ScanThread::takeTcpAnswers(QByteArray* buffer, int probed, QSet<int>* found)
{
    if (plan.transport == BusLink::ModbusTcp) {
        takeMbapAnswers(buffer, probed, found);
        return;
    }
    // RTU frames as on the line: keep a torn answer until the rest of it has come; bytes that never
    // become one are noise.
    constexpr int noiseBytes = 512;
    if (findAnswer(*buffer, 0, plan).at >= 0)
        credit(buffer, 0, ScanFraming(), probed, found);
    else if (buffer->size() > noiseBytes)
        buffer->clear();
}

ScanThread::Wait ScanThread::waitForTcpAnswer(
    QTcpSocket& socket, int address, QByteArray* buffer, QSet<int>* found)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_heard.contains(address)) {
        if (stopRequested)
            return Stop;
        const qint64 left = plan.tcpSilentMs - timer.elapsed();
        if (left <= 0)
            return Quiet;
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(qMin<qint64>(left, kSliceMs)))
            && socket.state() != QAbstractSocket::ConnectedState) {
            socketFailed(socket);
            return Failed;
        }
        buffer->append(socket.readAll());
        takeTcpAnswers(buffer, address, found);
    }
    return Data;
}

void ScanThread::runTcp()
{
    QTcpSocket socket;
    if (!openTcp(socket)) {
        emit done(BusScanner::PortFailed, m_error);
        return;
    }
    const int total = plan.combinations();
    int tried = 0;
    BusScanner::Outcome outcome = BusScanner::Completed;
    QSet<int> found;
    QByteArray buffer;
    for (int address = plan.firstAddress; address <= plan.lastAddress; ++address) {
        if (stopRequested)
            break;
        socket.write(BusScanner::probeFrame(
            address, plan.probeStart, plan.probeCount, plan.transport, quint16(address)));
        const Wait wait = waitForTcpAnswer(socket, address, &buffer, &found);
        if (wait == Failed) {
            outcome = BusScanner::PortFailed;
            break;
        }
        if (wait == Stop)
            break;
        ++tried;
        emit progressed(tried, total, BusScanner::remainingMs(plan, tried));
    }
    // The last unit id gets the grace the others get from their successor's wait.
    if (outcome == BusScanner::Completed && !stopRequested
        && waitForTcpAnswer(socket, plan.lastAddress, &buffer, &found) == Failed)
        outcome = BusScanner::PortFailed;
    if (outcome == BusScanner::Completed && stopRequested && tried < total)
        outcome = BusScanner::Stopped;
    socket.abort();
    emit done(outcome, outcome == BusScanner::PortFailed ? m_error : QString());
}

// ---- the public side ----

class BusScannerPrivate
{
public:
    ScanThread* thread = nullptr;
    // From start() until finished was emitted: results of the scan may still be on their way.
    bool active = false;
};

BusScanner::BusScanner(QObject* parent)
    : QObject(parent)
    , d(new BusScannerPrivate)
{
    qRegisterMetaType<ScanHit>();
    qRegisterMetaType<ScanFraming>();
    qRegisterMetaType<BusScanner::Outcome>();
}

BusScanner::~BusScanner()
{
    if (d->thread) {
        d->thread->stopRequested = true;
        d->thread->wait();
        delete d->thread;
    }
}

bool BusScanner::start(const ScanPlan& plan)
{
    if (isRunning() || plan.combinations() <= 0)
        return false;
    delete d->thread;
    d->thread = new ScanThread;
    d->thread->plan = plan;
    ScanThread* thread = d->thread;
    connect(thread, &ScanThread::hit, this, &BusScanner::found);
    connect(thread, &ScanThread::progressed, this, &BusScanner::progress);
    connect(thread, &ScanThread::skipped, this, &BusScanner::skipped);
    connect(thread, &ScanThread::done, this, [this, thread](int outcome, const QString& errorText) {
        // The port is closed already; the thread only has to leave run().
        thread->wait();
        d->active = false;
        emit finished(Outcome(outcome), errorText);
    });
    d->active = true;
    thread->start();
    return true;
}

void BusScanner::stop()
{
    if (d->thread)
        d->thread->stopRequested = true;
}

bool BusScanner::isRunning() const
{
    return d->active;
}

int BusScanner::silentTimeoutMs(int baudRate, const ScanFraming& framing, int latencyMs)
{
    const double wireMs = kRequestBytes * characterMs(baudRate, framing) + frameGapMs(baudRate, framing);
    return int(std::ceil(wireMs)) + qMax(0, latencyMs);
}

qint64 BusScanner::remainingMs(const ScanPlan& plan, int tried)
{
    if (plan.isTcp())
        return qint64(qMax(0, plan.combinations() - tried)) * plan.tcpSilentMs;
    const int addresses = plan.addressCount();
    qint64 total = 0;
    int index = 0;
    for (int baud : plan.baudRates) {
        for (const ScanFraming& framing : plan.framings) {
            const int left = qBound(0, index + addresses - tried, addresses);
            total += qint64(left) * silentTimeoutMs(baud, framing, plan.latencyMs);
            index += addresses;
        }
    }
    return total;
}

QByteArray BusScanner::probeFrame(
    int address, quint16 start, quint16 count, BusLink::Transport transport, quint16 transactionId)
{
    BusTransaction probe;
    probe.transport = transport;
    probe.transactionId = transactionId;
    probe.serverAddress = quint8(address);
    probe.functionCode = kFunctionRead;
    probe.startAddr = start;
    probe.count = count;
    return probe.requestFrame();
}

#include "BusScanner.moc"
