#include "LodGraph.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int fanShift = 4;
constexpr int fan = 1 << fanShift;

// The library keeps the first value and widens with strict comparisons; the same comparisons keep
// NaN handling identical.
inline void widen(double v, double& min, double& max)
{
    if (v < min)
        min = v;
    else if (v > max)
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
    if (atEnd && m_valid == n)
        extendPyramid(n, value);
}

void LodGraph::extendPyramid(int index, double value)
{
    int block = index >> fanShift;
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
        if (size_t(block) == mins.size()) {
            mins.push_back(value);
            maxs.push_back(value);
        } else {
            mins[size_t(block)] = std::min(mins[size_t(block)], value);
            maxs[size_t(block)] = std::max(maxs[size_t(block)], value);
        }
        if (mins.size() <= 1 && level + 1 == m_min.size())
            break;
        block >>= fanShift;
    }
    m_valid = index + 1;
}

void LodGraph::setPoints(const QVector<double>& keys, const QVector<double>& values)
{
    invalidateFrom(0);
    setData(keys, values, false);
}

void LodGraph::clearPoints()
{
    invalidateFrom(0);
    mDataContainer->clear();
}

void LodGraph::invalidateFrom(int index) const
{
    m_valid = std::min(m_valid, std::max(index, 0));
}

void LodGraph::syncPyramid() const
{
    const int n = mDataContainer->size();
    if (n < m_valid)
        m_valid = 0;
    if (m_valid == n && !m_min.empty())
        return;
    const auto data = mDataContainer->constBegin();
    // Rebuild level by level from the first block that holds a stale point.
    int firstStale = m_valid >> fanShift;
    int count = n;
    for (size_t level = 0;; ++level) {
        const int blocks = (count + fan - 1) >> fanShift;
        if (level >= m_min.size()) {
            m_min.emplace_back();
            m_max.emplace_back();
        }
        std::vector<double>& mins = m_min[level];
        std::vector<double>& maxs = m_max[level];
        mins.resize(size_t(blocks));
        maxs.resize(size_t(blocks));
        for (int b = firstStale; b < blocks; ++b) {
            const int from = b << fanShift;
            const int to = std::min(from + fan, count);
            double lo, hi;
            if (level == 0) {
                lo = hi = (data + from)->value;
                for (int i = from + 1; i < to; ++i)
                    widen((data + i)->value, lo, hi);
            } else {
                const std::vector<double>& below = m_min[level - 1];
                const std::vector<double>& belowMax = m_max[level - 1];
                lo = below[size_t(from)];
                hi = belowMax[size_t(from)];
                for (int i = from + 1; i < to; ++i) {
                    if (below[size_t(i)] < lo)
                        lo = below[size_t(i)];
                    if (belowMax[size_t(i)] > hi)
                        hi = belowMax[size_t(i)];
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
    double lo = (data + from)->value;
    double hi = lo;
    int a = from + 1;
    int b = to;
    // Points up to the first block boundary and back from the last one, then whole blocks, climbing.
    while (a < b && (a & (fan - 1)) != 0)
        widen((data + a++)->value, lo, hi);
    while (b > a && (b & (fan - 1)) != 0)
        widen((data + --b)->value, lo, hi);
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
            valueBounds(i, j, &minValue, &maxValue);
            if (lastIntervalEndKey < currentIntervalStartKey - keyEpsilon)
                lineData->append(QCPGraphData(currentIntervalStartKey + keyEpsilon * 0.2, firstPoint->value));
            lineData->append(QCPGraphData(currentIntervalStartKey + keyEpsilon * 0.25, minValue));
            lineData->append(QCPGraphData(currentIntervalStartKey + keyEpsilon * 0.75, maxValue));
            if (j < endIndex && (first + j)->key > currentIntervalStartKey + keyEpsilon * 2)
                lineData->append(
                    QCPGraphData(currentIntervalStartKey + keyEpsilon * 0.8, (first + j - 1)->value));
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
