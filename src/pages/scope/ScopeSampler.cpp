// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScopeSampler.h"

#include "comm/Communication.h"
#include "comm/ScopeTag.h"
#include "comm/WireTime.h"

#include <QTimer>

#include <algorithm>

namespace {

// Fast: reads on their way at once — the one on the line and two waiting in the device, so the line
// does not idle while the window is busy drawing; another page's request waits behind at most two.
constexpr int pipelineDepth = 3;
// Fast: how soon a read that could not be sent is tried again.
constexpr int retryMs = 50;

} // namespace

QVector<ScopeBlockRead> planBlockReads(
    QVector<ScopeVariableSpan> spans, int baud, int bitsPerChar, int maxRegisters)
{
    std::stable_sort(spans.begin(), spans.end(),
        [](const ScopeVariableSpan& a, const ScopeVariableSpan& b) { return a.address < b.address; });
    // Reading `gap` more registers in a block costs 2 bytes each; a transaction of its own costs
    // its request, the reply's frame around the data and two silent intervals.
    const double registerMs = 2 * characterMs(baud, bitsPerChar);
    const double transactionMs = readWireMs(0, baud, bitsPerChar);
    QVector<ScopeBlockRead> blocks;
    int end = 0; // one past the current block's last register
    for (const ScopeVariableSpan& span : qAsConst(spans)) {
        const int spanEnd = int(span.address) + span.length;
        if (!blocks.isEmpty()) {
            ScopeBlockRead& block = blocks.last();
            const int gap = int(span.address) - end;
            const int merged = qMax(end, spanEnd) - int(block.start);
            if (merged <= maxRegisters && (gap <= 0 || gap * registerMs < transactionMs)) {
                end = qMax(end, spanEnd);
                block.count = quint16(merged);
                block.parts.append(span);
                continue;
            }
        }
        blocks.append({ span.address, span.length, { span } });
        end = spanEnd;
    }
    return blocks;
}

ScopeSampler::ScopeSampler(QObject* parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &ScopeSampler::tick);
    Communication* comm = Communication::instance();
    connect(comm, &Communication::requestCompleted, this,
        [this](quint64 request, const QString&, const QVector<quint16>&) { requestCompleted(request); });
    connect(comm, &Communication::transactionCompleted, this, &ScopeSampler::transactionCompleted);
}

void ScopeSampler::setMode(Mode mode)
{
    m_mode = mode;
}

void ScopeSampler::setVariables(const QVector<ScopeVariableSpan>& spans)
{
    m_spans = spans;
}

void ScopeSampler::setLine(int baud, int bitsPerChar)
{
    m_baud = baud;
    m_bitsPerChar = bitsPerChar;
}

void ScopeSampler::start()
{
    stop();
    if (m_spans.isEmpty())
        return;
    m_active = true;
    if (m_mode == Standard) {
        m_timer->setSingleShot(false);
        m_timer->start(m_spans.size() * pollMsPerChannel);
        return;
    }
    m_plan = planBlockReads(m_spans, m_baud, m_bitsPerChar);
    m_nextBlock = 0;
    m_timer->setSingleShot(true);
    m_timer->setInterval(retryMs);
    sendNextBlocks();
}

void ScopeSampler::stop()
{
    m_active = false;
    m_timer->stop();
    // Answers still on their way are not samples of anything any more.
    m_pendingReads.clear();
    m_inFlight.clear();
}

void ScopeSampler::tick()
{
    if (!m_active)
        return;
    if (m_mode == Fast) {
        sendNextBlocks();
        return;
    }
    Communication* comm = Communication::instance();
    for (const ScopeVariableSpan& span : qAsConst(m_spans)) {
        if (m_pendingReads.value(span.channel) != 0)
            continue;
        const quint64 request = comm->sendRead(ScopeTag::of(span.channel), span.address, span.length);
        if (request != 0)
            m_pendingReads.insert(span.channel, request);
        else
            emit dropped(span.channel);
    }
}

void ScopeSampler::requestCompleted(quint64 request)
{
    for (auto it = m_pendingReads.begin(); it != m_pendingReads.end(); ++it) {
        if (it.value() == request) {
            m_pendingReads.erase(it);
            return;
        }
    }
}

void ScopeSampler::sendNextBlocks()
{
    Communication* comm = Communication::instance();
    while (m_active && !m_plan.isEmpty() && m_inFlight.size() < pipelineDepth) {
        const ScopeBlockRead& block = m_plan.at(m_nextBlock);
        QStringList channels;
        for (const ScopeVariableSpan& part : block.parts)
            channels << QString::number(part.channel);
        // "AID=" and the channels it carries: no page takes it for one channel's answer.
        const quint64 request = comm->sendRead(ScopeTag::of(channels), block.start, block.count);
        if (request == 0) {
            // The service holds requests back (a drive command's quiet period): each round that
            // does not happen is a gap, until a read goes out again.
            for (const ScopeVariableSpan& part : block.parts)
                emit dropped(part.channel);
            m_timer->start();
            return;
        }
        m_inFlight.insert(request, block);
        m_nextBlock = (m_nextBlock + 1) % m_plan.size();
    }
}

void ScopeSampler::transactionCompleted(const BusTransaction& transaction)
{
    if (transaction.request == 0 || !m_inFlight.contains(transaction.request))
        return;
    const ScopeBlockRead block = m_inFlight.take(transaction.request);
    if (!m_active)
        return;
    // The drive refuses the registers in between (not every address exists on every drive): from
    // now on its variables go one read each.
    if (transaction.outcome == BusTransaction::Exception && block.parts.size() > 1)
        splitBlock(block);
    deliver(block, transaction.values, transaction.finishedNs);
    sendNextBlocks();
}

void ScopeSampler::splitBlock(const ScopeBlockRead& block)
{
    for (int index = 0; index < m_plan.size(); ++index) {
        const ScopeBlockRead& planned = m_plan.at(index);
        if (planned.start != block.start || planned.count != block.count)
            continue;
        m_plan.remove(index);
        for (int i = 0; i < block.parts.size(); ++i) {
            const ScopeVariableSpan& part = block.parts.at(i);
            m_plan.insert(index + i, { part.address, part.length, { part } });
        }
        if (m_nextBlock > index)
            m_nextBlock += block.parts.size() - 1;
        m_nextBlock %= m_plan.size();
        return;
    }
}

void ScopeSampler::deliver(const ScopeBlockRead& block, const QVector<quint16>& values, qint64 arrivedNs)
{
    for (const ScopeVariableSpan& part : block.parts) {
        const int offset = int(part.address) - int(block.start);
        const QVector<quint16> words = values.size() >= offset + part.length && part.length > 0
            ? values.mid(offset, part.length)
            : QVector<quint16>();
        emit sampled(part.channel, words, arrivedNs);
    }
}
