// SPDX-License-Identifier: GPL-3.0-or-later
#include "LodGraph.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int fanShift = 4;
constexpr int fan = 1 << fanShift;
constexpr double noMin = std::numeric_limits<double>::infinity();
constexpr double noMax = -std::numeric_limits<double>::infinity();

// Both comparisons fail for NaN, so a gap never widens the bounds; for other values this is the
// library's own min/max.
inline void widen(double v, double& min, double& max)
{
    if (v < min)
        min = v;
    if (v > max)
        max = v;
}

} // namespace

LodGraph::LodGraph(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPGraph(keyAxis, valueAxis)
{
}

void LodGraph::appendPoint(double key, double value)
{
    const int n = mDataContainer->size();
    const bool atEnd = n == 0 || !(key < (mDataContainer->constEnd() - 1)->key);
    if (!atEnd) {
        const auto at = mDataContainer->findBegin(key, false);
        invalidateFrom(int(at - mDataContainer->constBegin()));
    }
    addData(key, value);
    // Kept current point by point, so the first full view of a long recording costs no rebuild.
    if (atEnd && m_valid == m_base + n)
        extendPyramid(m_base + n, value);
}

void LodGraph::extendPyramid(qint64 position, double value)
{
    qint64 block = position >> fanShift;
    for (size_t level = 0;; ++level) {
        if (level == m_min.size()) {
            // A new top level starts from everything the old top described.
            m_min.emplace_back(
                level == 0 ? std::vector<double>() : std::vector<double> { m_min[level - 1][0] });
            m_max.emplace_back(
                level == 0 ? std::vector<double>() : std::vector<double> { m_max[level - 1][0] });
        }
        std::vector<double>& mins = m_min[level];
        std::vector<double>& maxs = m_max[level];
        if (size_t(block) >= mins.size()) {
            mins.resize(size_t(block) + 1, noMin);
            maxs.resize(size_t(block) + 1, noMax);
        }
        widen(value, mins[size_t(block)], maxs[size_t(block)]);
        if (mins.size() <= 1 && level + 1 == m_min.size())
            break;
        block >>= fanShift;
    }
    m_valid = position + 1;
}

void LodGraph::setPoints(const QVector<double>& keys, const QVector<double>& values)
{
    resetPyramid();
    setData(keys, values, false);
}

void LodGraph::shareData(const QSharedPointer<QCPGraphDataContainer>& data)
{
    resetPyramid();
    setData(data);
}

void LodGraph::clearPoints()
{
    // The bounds of what is gone must not widen what comes next.
    resetPyramid();
    mDataContainer->clear();
}

void LodGraph::removeBefore(double key)
{
    const int count = int(mDataContainer->findBegin(key, false) - mDataContainer->constBegin());
    if (count <= 0)
        return;
    mDataContainer->removeBefore(key);
    m_base += count;
    m_valid = std::max(m_valid, m_base);
    // The blocks below m_base only take memory; once they are as many as the live ones, one rebuild
    // (as long as the recording) frees them, which keeps the cost per point constant.
    if (m_base > mDataContainer->size())
        resetPyramid();
}

void LodGraph::resetPyramid() const
{
    m_min.clear();
    m_max.clear();
    m_base = 0;
    m_valid = 0;
}

void LodGraph::invalidateFrom(int index) const
{
    m_valid = std::min(m_valid, m_base + std::max(index, 0));
}

void LodGraph::syncPyramid() const
{
    const int size = mDataContainer->size();
    // The container changed behind the graph's back (the library's own setData or clear).
    if (m_base + size < m_valid)
        resetPyramid();
    const qint64 n = m_base + size;
    if (size == 0 || (m_valid == n && !m_min.empty()))
        return;
    const qint64 base = m_base;
    const auto data = mDataContainer->constBegin();
    // Rebuild level by level from the first block that holds a stale point.
    qint64 firstStale = std::max(m_valid, base) >> fanShift;
    qint64 count = base + size;
    for (size_t level = 0;; ++level) {
        const qint64 blocks = (count + fan - 1) >> fanShift;
        if (level >= m_min.size()) {
            m_min.emplace_back();
            m_max.emplace_back();
        }
        std::vector<double>& mins = m_min[level];
        std::vector<double>& maxs = m_max[level];
        mins.resize(size_t(blocks), noMin);
        maxs.resize(size_t(blocks), noMax);
        for (qint64 b = firstStale; b < blocks; ++b) {
            const qint64 from = b << fanShift;
            const qint64 to = std::min(from + fan, count);
            double lo = noMin;
            double hi = noMax;
            if (level == 0) {
                for (qint64 i = std::max(from, base); i < to; ++i)
                    widen((data + (i - base))->value, lo, hi);
            } else {
                const std::vector<double>& belowMin = m_min[level - 1];
                const std::vector<double>& belowMax = m_max[level - 1];
                for (qint64 i = from; i < to; ++i) {
                    lo = std::min(lo, belowMin[size_t(i)]);
                    hi = std::max(hi, belowMax[size_t(i)]);
                }
            }
            mins[size_t(b)] = lo;
            maxs[size_t(b)] = hi;
        }
        if (blocks <= 1) {
            m_min.resize(level + 1);
            m_max.resize(level + 1);
            break;
        }
        firstStale >>= fanShift;
        count = blocks;
    }
    m_valid = n;
}

bool LodGraph::valueBounds(int from, int to, double* min, double* max) const
{
    from = std::max(from, 0);
    to = std::min(to, mDataContainer->size());
    if (from >= to)
        return false;
    syncPyramid();
    const auto data = mDataContainer->constBegin();
    const qint64 base = m_base;
    double lo = noMin;
    double hi = noMax;
    qint64 a = m_base + from;
    qint64 b = m_base + to;
    // Points up to the first block boundary and back from the last one, then whole blocks, climbing.
    while (a < b && (a & (fan - 1)) != 0)
        widen((data + (a++ - base))->value, lo, hi);
    while (b > a && (b & (fan - 1)) != 0)
        widen((data + (--b - base))->value, lo, hi);
    a >>= fanShift;
    b >>= fanShift;
    for (size_t level = 0; a < b && level < m_min.size(); ++level) {
        const std::vector<double>& mins = m_min[level];
        const std::vector<double>& maxs = m_max[level];
        const bool top = level + 1 == m_min.size();
        while (a < b && (top || (a & (fan - 1)) != 0)) {
            lo = std::min(lo, mins[size_t(a)]);
            hi = std::max(hi, maxs[size_t(a)]);
            ++a;
        }
        while (b > a && (b & (fan - 1)) != 0) {
            --b;
            lo = std::min(lo, mins[size_t(b)]);
            hi = std::max(hi, maxs[size_t(b)]);
        }
        a >>= fanShift;
        b >>= fanShift;
    }
    if (lo > hi)
        return false;
    *min = lo;
    *max = hi;
    return true;
}

void LodGraph::getOptimizedLineData(QVector<QCPGraphData>* lineData,
    const QCPGraphDataContainer::const_iterator& begin,
    const QCPGraphDataContainer::const_iterator& end) const
{
    QCPAxis* keyAxis = mKeyAxis.data();
    if (!m_levelOfDetail || !mAdaptiveSampling || !lineData || !keyAxis || !mValueAxis
        || keyAxis->scaleType() != QCPAxis::stLinear || begin == end) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }
    // The same threshold, pixel columns and output points as the library's adaptive sampling; only
    // the points inside one column are not visited one by one.
    const int dataCount = int(end - begin);
    int maxCount = std::numeric_limits<int>::max();
    const double keyPixelSpan
        = qAbs(keyAxis->coordToPixel(begin->key) - keyAxis->coordToPixel((end - 1)->key));
    if (2 * keyPixelSpan + 2 < static_cast<double>(std::numeric_limits<int>::max()))
        maxCount = int(2 * keyPixelSpan + 2);
    if (dataCount < maxCount) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }

    const auto first = mDataContainer->constBegin();
    const int endIndex = int(end - first);
    int i = int(begin - first);
    const int reversedFactor = keyAxis->pixelOrientation();
    const int reversedRound = reversedFactor == -1 ? 1 : 0;
    double currentIntervalStartKey
        = keyAxis->pixelToCoord(int(keyAxis->coordToPixel(begin->key) + reversedRound));
    double lastIntervalEndKey = currentIntervalStartKey;
    const double keyEpsilon = qAbs(currentIntervalStartKey
        - keyAxis->pixelToCoord(keyAxis->coordToPixel(currentIntervalStartKey) + 1.0 * reversedFactor));
    const auto keyBelow = [](const QCPGraphData& d, double key) { return d.key < key; };
    for (;;) {
        const double limit = currentIntervalStartKey + keyEpsilon;
        const int j = int(std::lower_bound(first + i + 1, end, limit, keyBelow) - first);
        const auto firstPoint = first + i;
        if (j - i >= 2) {
            double minValue, maxValue;
            if (!valueBounds(i, j, &minValue, &maxValue)) {
                // Nothing but gaps in this column: the line breaks.
                lineData->append(QCPGraphData(currentIntervalStartKey + keyEpsilon * 0.5, qQNaN()));
            } else {
                if (lastIntervalEndKey < currentIntervalStartKey - keyEpsilon)
                    lineData->append(
                        QCPGraphData(currentIntervalStartKey + keyEpsilon * 0.2, firstPoint->value));
                lineData->append(QCPGraphData(currentIntervalStartKey + keyEpsilon * 0.25, minValue));
                lineData->append(QCPGraphData(currentIntervalStartKey + keyEpsilon * 0.75, maxValue));
                if (j < endIndex && (first + j)->key > currentIntervalStartKey + keyEpsilon * 2)
                    lineData->append(
                        QCPGraphData(currentIntervalStartKey + keyEpsilon * 0.8, (first + j - 1)->value));
            }
        } else {
            lineData->append(QCPGraphData(firstPoint->key, firstPoint->value));
        }
        if (j >= endIndex)
            break;
        lastIntervalEndKey = (first + j - 1)->key;
        i = j;
        currentIntervalStartKey
            = keyAxis->pixelToCoord(int(keyAxis->coordToPixel((first + i)->key) + reversedRound));
    }
}
