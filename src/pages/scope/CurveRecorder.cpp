// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveRecorder.h"

namespace {

constexpr int flushIntervalMs = 500;
// A curve that falls this far behind the others (a channel that gets no samples) does not hold the
// rows back: its fields stay empty and its points follow in later rows.
constexpr double lagSeconds = 0.4;

} // namespace

CurveRecorder::CurveRecorder(QObject* parent)
    : QObject(parent)
{
    m_flushTimer.setInterval(flushIntervalMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &CurveRecorder::flush);
}

CurveRecorder::~CurveRecorder()
{
    finish();
}

bool CurveRecorder::start(const QString& path, const QStringList& names)
{
    finish();
    m_error.clear();
    m_file.setFileName(path);
    // Unbuffered: every flush is one write of whole lines, so a kill never leaves half a row.
    if (path.isEmpty() || names.isEmpty()
        || !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        m_error = m_file.errorString();
        return false;
    }
    m_writer.reset(new CurveTextWriter(path, &m_file));
    QStringList header;
    for (const QString& name : names)
        header << csvField(name + QLatin1Char('x')) << csvField(name + QLatin1Char('y'));
    m_pending.clear();
    m_pending.resize(names.size());
    m_newestKey = 0;
    if (!m_writer->isValid() || !m_writer->addLine(header.join(QLatin1Char(','))) || !m_writer->write()) {
        fail();
        return false;
    }
    m_flushTimer.start();
    return true;
}

void CurveRecorder::addPoint(int curve, double key, double value)
{
    if (!m_writer || curve < 0 || curve >= m_pending.size())
        return;
    m_pending[curve].emplace_back(key, value);
    m_newestKey = qMax(m_newestKey, key);
}

bool CurveRecorder::canWriteRow(bool all) const
{
    bool any = false;
    bool every = true;
    bool lagging = false;
    for (const std::deque<QPointF>& points : m_pending) {
        if (points.empty()) {
            every = false;
            continue;
        }
        any = true;
        lagging = lagging || points.front().x() < m_newestKey - lagSeconds;
    }
    return any && (all || every || lagging);
}

QString CurveRecorder::takeRow()
{
    QString row;
    for (int curve = 0; curve < m_pending.size(); ++curve) {
        if (curve > 0)
            row += QLatin1Char(',');
        std::deque<QPointF>& points = m_pending[curve];
        if (points.empty()) {
            row += QLatin1Char(',');
            continue;
        }
        row += curveNumber(points.front().x()) + QLatin1Char(',') + curveNumber(points.front().y());
        points.pop_front();
    }
    return row;
}

bool CurveRecorder::flush()
{
    if (!m_writer)
        return false;
    while (canWriteRow(false)) {
        if (!m_writer->addLine(takeRow())) {
            fail();
            return false;
        }
    }
    if (!m_writer->write()) {
        fail();
        return false;
    }
    return true;
}

void CurveRecorder::finish()
{
    if (!m_writer)
        return;
    m_flushTimer.stop();
    bool ok = true;
    while (ok && canWriteRow(true))
        ok = m_writer->addLine(takeRow());
    if (!ok || !m_writer->write()) {
        fail();
        return;
    }
    m_writer.reset();
    m_file.close();
    m_pending.clear();
}

void CurveRecorder::fail()
{
    m_error = m_file.errorString();
    m_flushTimer.stop();
    m_writer.reset();
    m_file.close();
    m_pending.clear();
    emit failed(m_error);
}
