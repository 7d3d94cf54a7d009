// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>
#include <QVector>

#include <modbus.h>

#include <cstdint>
#include <cstdio>

class DriveModel;

struct LinkSettings
{
    enum class Transport { Serial, ModbusTcp, RtuOverTcp };
    Transport transport = Transport::Serial;
    QString port;
    // TCP: the port to listen on at 127.0.0.1 (0: any free one, see SlaveServer::tcpPort).
    int tcpPort = 0;
    int baud = 9600;
    char parity = 'N';
    int stopBits = 2;
    int slave = 1;
    bool wireTime = true;
    bool debug = false;
    // The master's end of the link (the other end of the pty pair). When given, a request sent at
    // another baud rate, stop-bit count or parity than the drive's is line noise to the drive.
    QString peer;
    // Such a request is answered with noise (bytes that make no frame) instead of silence.
    bool noiseOnMismatch = false;
};

// The Modbus slave side: receives one request at a time, holds its reply back for the time the
// frames would need on a real wire (a pty delivers them at once), and applies the injected faults.
// On a serial link it is the drive itself; on TCP it is the drive behind a Modbus TCP gateway, or
// behind a transparent serial server that passes its RTU frames through a socket. A TCP server
// takes one client at a time: a new connection replaces the old one, as when the tool reconnects.
class SlaveServer
{
public:
    SlaveServer(const LinkSettings& settings, DriveModel& model, modbus_mapping_t* mapping);
    ~SlaveServer();
    // Another drive on the same link under its own slave address, with its own registers.
    void addDrive(int slave, DriveModel& model, modbus_mapping_t* mapping);
    SlaveServer(const SlaveServer&) = delete;
    SlaveServer& operator=(const SlaveServer&) = delete;

    bool valid() const { return m_ctx != nullptr; }
    bool isTcp() const { return m_settings.transport != LinkSettings::Transport::Serial; }
    // TCP: listens on 127.0.0.1; the port it got.
    bool listen();
    int listenFd() const { return m_listenFd; }
    int tcpPort() const { return m_tcpPort; }
    // TCP: takes the waiting connection, closing the one before.
    bool acceptClient();
    bool open();
    void close();
    bool isOpen() const { return m_open; }
    int fd() const;
    bool wantsInput() const { return m_open && !m_pending; }

    // Reads one request; false when the link has gone away.
    bool receive(double now);
    bool hasPending() const { return m_pending; }
    double pendingDeadline() const { return m_deadline; }
    // Sends the held reply; false when the link has gone away.
    bool sendPending();
    // A reply went out, its last part written from `at` on: the master keeps the line silent from
    // when it hears it.
    void replySent(double at) { m_replyEnd = at; }
    // The shortest silence the master kept between a reply and its next request, in seconds, since
    // the last call; negative when none was seen.
    double takeShortestGap();

    void setLog(FILE* log) { m_log = log; }

    bool silent = false;
    bool badCrc = false;
    int extraDelayMs = 0;
    // When above 0, every reply goes in two parts with this pause between them.
    int splitPauseMs = 0;
    // Every request is answered with this exception code (0: none).
    int allException = 0;
    // TCP: every reply stops halfway and the connection is reset.
    bool resetMidReply = false;
    QMap<quint16, int> injectedExceptions; // address -> exception code
    // The drive at a slave address of this link; null when none answers there.
    DriveModel* drive(int slave) const;
    // Writes of the drive at `slave` to a register (as the drive resolves it) are answered as
    // accepted but not kept.
    void ignoreWrites(int slave, quint16 address);
    void keepWrites(int slave);

private:
    struct Drive
    {
        int slave;
        DriveModel* model;
        modbus_mapping_t* mapping;
        QSet<quint16> ignoredWrites;
    };

    int decide(int length) const;
    const uint8_t* frame() const { return m_request + m_offset; }
    void dropInput();
    QByteArray framed(QByteArray pdu, bool corruptCrc) const;
    bool resetConnection(const QByteArray& firstPart);
    int otherDriveFrame(int* drive) const;
    bool peerFramingMatches();
    bool sendNoise();
    double frameSeconds(int bytes) const;
    double silentIntervalSeconds() const;
    void writeLog() const;
    bool sendOwnFrame(bool corruptCrc);
    QVector<QPair<int, uint16_t>> keptRegisters(int address, int count) const;
    void restoreKept(const QVector<QPair<int, uint16_t>>& kept);

    LinkSettings m_settings;
    QVector<Drive> m_drives;
    // The drive the request at hand is addressed to.
    int m_current = 0;
    DriveModel* m_model;
    modbus_mapping_t* m_mapping;
    int m_peerFd = -1;
    bool m_noise = false;
    quint32 m_noiseSeed = 0x2545F491u;
    modbus_t* m_ctx = nullptr;
    bool m_open = false;
    int m_listenFd = -1;
    int m_tcpPort = 0;
    // Where the slave address is in a request: 0 on RTU, after the MBAP header's first six bytes
    // on Modbus TCP.
    int m_offset = 0;
    // The request came for a unit no drive of ours answers to: the gateway says so.
    bool m_foreignUnit = false;
    FILE* m_log = nullptr;

    bool m_pending = false;
    double m_deadline = 0.0;
    double m_replyEnd = 0.0;
    double m_shortestGap = -1.0;
    uint8_t m_request[MODBUS_TCP_MAX_ADU_LENGTH] = {};
    int m_received = 0; // the request as libmodbus took it, header included
    // The request's length as an RTU frame (address, PDU, CRC), whatever framing it came in.
    int m_length = 0;
    int m_exception = 0;
    QByteArray m_tail; // the second part of a split reply, still to send
};
