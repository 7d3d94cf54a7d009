#pragma once

#include <qcustomplot.h>

#include <vector>

// A graph that draws long recordings in time proportional to the chart's width: it keeps a pyramid
// of value minima and maxima over blocks of points and answers the library's min/max-per-pixel
// sampling from it, producing exactly the line the library itself would compute by walking every
// visible point. All points stay in the graph; only the drawing takes the short cut.
class LodGraph : public QCPGraph
{
    Q_OBJECT
public:
    LodGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);

    // Appends (or, for a key below the last one, inserts) one point.
    void appendPoint(double key, double value);
    void setPoints(const QVector<double>& keys, const QVector<double>& values);
    void clearPoints();

    // Off: the library's own sampling (kept for comparison and benchmarks).
    void setLevelOfDetail(bool enabled) { m_levelOfDetail = enabled; }
    bool levelOfDetail() const { return m_levelOfDetail; }

    // Minimum and maximum value over the points [from, to) of the data container; false when the
    // range holds no point.
    bool valueBounds(int from, int to, double* min, double* max) const;

protected:
    void getOptimizedLineData(QVector<QCPGraphData>* lineData,
        const QCPGraphDataContainer::const_iterator& begin,
        const QCPGraphDataContainer::const_iterator& end) const override;

private:
    void invalidateFrom(int index) const;
    void extendPyramid(int index, double value);
    void syncPyramid() const;

    bool m_levelOfDetail = true;
    // m_min[l][b] / m_max[l][b]: bounds over points [b * 16^(l+1), (b + 1) * 16^(l+1)).
    mutable std::vector<std::vector<double>> m_min;
    mutable std::vector<std::vector<double>> m_max;
    // Points at the front of the container that the pyramid describes correctly.
    mutable int m_valid = 0;
};
