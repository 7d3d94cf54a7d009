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
    QString port;
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

// The Modbus RTU slave side: receives one request at a time, holds its reply back for the time the
// frames would need on a real wire (a pty delivers them at once), and applies the injected faults.
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

    void setLog(FILE* log) { m_log = log; }

    bool silent = false;
    bool badCrc = false;
    int extraDelayMs = 0;
    // When above 0, every reply goes in two parts with this pause between them.
    int splitPauseMs = 0;
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
    FILE* m_log = nullptr;

    bool m_pending = false;
    double m_deadline = 0.0;
    uint8_t m_request[MODBUS_RTU_MAX_ADU_LENGTH] = {};
    int m_length = 0;
    int m_exception = 0;
    QByteArray m_tail; // the second part of a split reply, still to send
};
