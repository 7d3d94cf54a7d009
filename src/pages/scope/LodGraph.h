// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

#include <vector>

// A graph that draws long recordings in time proportional to the chart's width: it keeps a pyramid
// of value minima and maxima over blocks of points and answers the library's min/max-per-pixel
// sampling from it, producing exactly the line the library itself would compute by walking every
// visible point. All points stay in the graph; only the drawing takes the short cut.
//
// A NaN value is a gap (a sample that could not be read): the bounds leave it out, and a pixel
// column holding nothing but gaps breaks the line.
class LodGraph : public QCPGraph
{
    Q_OBJECT
public:
    LodGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // Appends (or, for a key below the last one, inserts) one point.
    void appendPoint(double key, double value);
    void setPoints(const QVector<double>& keys, const QVector<double>& values);
    // Draws (and appends to) a container kept elsewhere, as a recording that outlives its graph.
    void shareData(const QSharedPointer<QCPGraphDataContainer>& data);
    void clearPoints();
    // Drops the points with keys below `key`, the oldest of a bounded recording; O(1) per point.
    void removeBefore(double key);

    // Off: the library's own sampling (kept for comparison and benchmarks).
    void setLevelOfDetail(bool enabled) { m_levelOfDetail = enabled; }
    bool levelOfDetail() const { return m_levelOfDetail; }

    // Minimum and maximum value over the points [from, to) of the data container, gaps left out;
    // false when the range holds no value.
    bool valueBounds(int from, int to, double* min, double* max) const;

protected:
    void getOptimizedLineData(QVector<QCPGraphData>* lineData,
        const QCPGraphDataContainer::const_iterator& begin,
        const QCPGraphDataContainer::const_iterator& end) const override;

private:
    void invalidateFrom(int index) const;
    void resetPyramid() const;
    void extendPyramid(qint64 position, double value);
    void syncPyramid() const;

    bool m_levelOfDetail = true;
    // Points are numbered by position: their container index plus the number of points dropped
    // from the front since the pyramid was last reset, so dropping old points moves no block.
    // m_min[l][b] / m_max[l][b]: bounds over positions [b * 16^(l+1), (b + 1) * 16^(l+1)); a block
    // without a value holds +inf / -inf. Blocks that reach below m_base are never read whole.
    mutable std::vector<std::vector<double>> m_min;
    mutable std::vector<std::vector<double>> m_max;
    mutable qint64 m_base = 0;
    // Positions [m_base, m_valid) are described correctly by the pyramid.
    mutable qint64 m_valid = 0;
};
