// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/BusTransaction.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

class QTimer;

// Where one sampled variable lies among the drive's holding registers.
struct ScopeVariableSpan
{
    int channel = -1;
    quint16 address = 0;
    quint16 length = 0;
};

// One 0x03 read of a block of registers that carries one or more variables.
struct ScopeBlockRead
{
    quint16 start = 0;
    quint16 count = 0;
    QVector<ScopeVariableSpan> parts;
};

// The block reads that sample `spans` fastest: variables whose registers lie close together are
// read in one block, merged while the registers in between cost less on the wire than another
// transaction's frames and silent intervals, and at most `maxRegisters` registers per block.
QVector<ScopeBlockRead> planBlockReads(
    QVector<ScopeVariableSpan> spans, int baud, int bitsPerChar, int maxRegisters = 125);

// Sends the scope's reads. Standard: one read per channel on a timer of 50 ms per channel, tagged
// "AID=" and the channel, whose answers the page picks up by tag; a channel whose last read is
// still on the bus skips the tick. Fast: the block reads of planBlockReads one after another,
// each sent as soon as an answer is in, with one more waiting behind the one on the line so that
// the line never idles while the answer travels through the window; other pages' requests queue
// in between. Fast answers come out as samples of the channels they carry.
class ScopeSampler : public QObject
{
    Q_OBJECT
public:
    enum Mode { Standard, Fast };
    Q_ENUM(Mode)

    static constexpr int pollMsPerChannel = 50;

    explicit ScopeSampler(QObject* parent = nullptr);

    void setMode(Mode mode);
    Mode mode() const { return m_mode; }
    // The variables to sample, in channel order; taken at the next start.
    void setVariables(const QVector<ScopeVariableSpan>& spans);
    // Fast: baud rate and character length the blocks are weighed at.
    void setLine(int baud, int bitsPerChar);

    void start();
    void stop();
    bool isActive() const { return m_active; }
    QTimer* timer() const { return m_timer; }
    QVector<ScopeBlockRead> plan() const { return m_plan; }

signals:
    // Fast: the words of one channel's variable as read (none: the read failed) and when its
    // answer arrived, on the monotonic clock (BusTransaction::finishedNs).
    void sampled(int channel, const QVector<quint16>& words, qint64 arrivedNs);
    // A channel's read could not be sent (the service holds its requests back): a gap.
    void dropped(int channel);

private:
    void tick();
    void sendNextBlocks();
    void requestCompleted(quint64 request);
    void transactionCompleted(const BusTransaction& transaction);
    void deliver(const ScopeBlockRead& block, const QVector<quint16>& values, qint64 arrivedNs);
    void splitBlock(const ScopeBlockRead& block);

    Mode m_mode = Standard;
    bool m_active = false;
    QVector<ScopeVariableSpan> m_spans;
    int m_baud = 115200;
    int m_bitsPerChar = 11;
    QTimer* m_timer = nullptr;
    // Standard: channel -> number of its read still on the bus.
    QHash<int, quint64> m_pendingReads;
    // Fast: the plan, and the reads on their way by request number.
    QVector<ScopeBlockRead> m_plan;
    QHash<quint64, ScopeBlockRead> m_inFlight;
    int m_nextBlock = 0;
};
