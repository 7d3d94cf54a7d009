// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPen>
#include <QPointF>
#include <QPointer>

#include <qcustomplot.h>

QPen noniusDefaultPen();

// What a chart rebuild carries over from the old pairs to the new ones.
struct NoniusState
{
    bool visible = false;
    bool locked = false;
    bool vertical = true;
    QPen penA = noniusDefaultPen();
    QPen penB = noniusDefaultPen();
};

// The A and B measurement lines of one chart. Lines sit at fractions of the chart's data area, so
// zooming and scrolling move the values under them, not the lines.
class NoniusLines
{
public:
    using State = NoniusState;
    static constexpr double grabDistance = 5.0; // pixels
    static constexpr double minRatio = 0.005;
    static constexpr double maxRatio = 0.995;

    NoniusLines(QCustomPlot* plot, QCPAxisRect* chart, const State& state = State());
    ~NoniusLines();
    NoniusLines(const NoniusLines&) = delete;
    NoniusLines& operator=(const NoniusLines&) = delete;

    State state() const;
    QCPAxisRect* chart() const { return m_chart; }

    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }
    void setVertical(bool vertical);
    bool isVertical() const { return m_vertical; }
    void setLocked(bool locked) { m_locked = locked; }
    bool isLocked() const { return m_locked; }
    void setPenA(const QPen& pen);
    void setPenB(const QPen& pen);
    QPen penA() const;
    QPen penB() const;

    // Axis values under the lines; B - A is positive in both orientations.
    double valueA() const;
    double valueB() const;
    // Fractions of the current orientation (A before B).
    double ratioA() const { return m_vertical ? m_verticalA : m_horizontalA; }
    double ratioB() const { return m_vertical ? m_verticalB : m_horizontalB; }
    int dragging() const { return m_dragging; }

    // Mouse handling; press returns whether a line was grabbed, move whether a line moved.
    bool press(const QPointF& pos);
    bool move(const QPointF& pos);
    void release() { m_dragging = 0; }

private:
    void place();
    double distanceA(const QPointF& pos) const;
    double distanceB(const QPointF& pos) const;

    // The widget owns the lines and may go first.
    QPointer<QCustomPlot> m_plot;
    QCPAxisRect* m_chart;
    QPointer<QCPItemStraightLine> m_lineA;
    QPointer<QCPItemStraightLine> m_lineB;
    bool m_visible = false;
    bool m_vertical = true;
    bool m_locked = false;
    int m_dragging = 0; // 0 none, 1 line A, 2 line B
    double m_horizontalA = 0.2;
    double m_horizontalB = 0.8;
    double m_verticalA = 0.2;
    double m_verticalB = 0.8;
};
