// SPDX-License-Identifier: GPL-3.0-or-later
#include "NoniusLines.h"

#include <qcustomplot.h>

QPen noniusDefaultPen()
{
    return QPen(QBrush(QColor(QStringLiteral("#1095db")), Qt::SolidPattern), 1.5, Qt::SolidLine,
        Qt::SquareCap, Qt::BevelJoin);
}

NoniusLines::NoniusLines(QCustomPlot* plot, QCPAxisRect* chart, const State& state)
    : m_plot(plot)
    , m_chart(chart)
    , m_lineA(new QCPItemStraightLine(plot))
    , m_lineB(new QCPItemStraightLine(plot))
    , m_visible(state.visible)
    , m_vertical(state.vertical)
    , m_locked(state.locked)
{
    for (QCPItemStraightLine* line : { m_lineA.data(), m_lineB.data() }) {
        // Lines move with the mouse: on the buffered top layer only that layer needs repainting.
        line->setLayer(QStringLiteral("overlay"));
        line->setClipToAxisRect(true);
        line->setClipAxisRect(chart);
        line->setSelectable(false);
        for (QCPItemPosition* p : { line->point1, line->point2 }) {
            p->setAxisRect(chart);
            p->setType(QCPItemPosition::ptAxisRectRatio);
        }
        line->setVisible(m_visible);
    }
    m_lineA->setPen(state.penA);
    m_lineB->setPen(state.penB);
    place();
}

NoniusLines::~NoniusLines()
{
    if (m_plot) {
        if (m_lineA)
            m_plot->removeItem(m_lineA.data());
        if (m_lineB)
            m_plot->removeItem(m_lineB.data());
    }
}

NoniusLines::State NoniusLines::state() const
{
    State s;
    s.visible = m_visible;
    s.locked = m_locked;
    s.vertical = m_vertical;
    s.penA = m_lineA->pen();
    s.penB = m_lineB->pen();
    return s;
}

void NoniusLines::setVisible(bool visible)
{
    m_visible = visible;
    m_lineA->setVisible(visible);
    m_lineB->setVisible(visible);
    if (!visible)
        m_dragging = 0;
}

void NoniusLines::setVertical(bool vertical)
{
    m_vertical = vertical;
    m_dragging = 0;
    place();
}

void NoniusLines::setPenA(const QPen& pen)
{
    m_lineA->setPen(pen);
}

void NoniusLines::setPenB(const QPen& pen)
{
    m_lineB->setPen(pen);
}

QPen NoniusLines::penA() const
{
    return m_lineA->pen();
}

QPen NoniusLines::penB() const
{
    return m_lineB->pen();
}

void NoniusLines::place()
{
    if (m_vertical) {
        m_lineA->point1->setCoords(m_verticalA, 0);
        m_lineA->point2->setCoords(m_verticalA, 1);
        m_lineB->point1->setCoords(m_verticalB, 0);
        m_lineB->point2->setCoords(m_verticalB, 1);
    } else {
        m_lineA->point1->setCoords(0, m_horizontalA);
        m_lineA->point2->setCoords(1, m_horizontalA);
        m_lineB->point1->setCoords(0, m_horizontalB);
        m_lineB->point2->setCoords(1, m_horizontalB);
    }
}

double NoniusLines::valueA() const
{
    if (m_vertical) {
        const QCPRange x = m_chart->axis(QCPAxis::atBottom)->range();
        return x.lower + (x.upper - x.lower) * m_verticalA;
    }
    const QCPRange y = m_chart->axis(QCPAxis::atLeft)->range();
    return y.lower + (y.upper - y.lower) * (1 - m_horizontalB);
}

double NoniusLines::valueB() const
{
    if (m_vertical) {
        const QCPRange x = m_chart->axis(QCPAxis::atBottom)->range();
        return x.lower + (x.upper - x.lower) * m_verticalB;
    }
    const QCPRange y = m_chart->axis(QCPAxis::atLeft)->range();
    return y.lower + (y.upper - y.lower) * (1 - m_horizontalA);
}

double NoniusLines::distanceA(const QPointF& pos) const
{
    return m_lineA->selectTest(pos, false);
}

double NoniusLines::distanceB(const QPointF& pos) const
{
    return m_lineB->selectTest(pos, false);
}

bool NoniusLines::press(const QPointF& pos)
{
    m_dragging = 0;
    if (!m_visible)
        return false;
    // Checked B first so that A wins when the press is close to both.
    const double a = distanceA(pos);
    const double b = distanceB(pos);
    if (b >= 0 && b < grabDistance)
        m_dragging = 2;
    if (a >= 0 && a < grabDistance)
        m_dragging = 1;
    return m_dragging != 0;
}

bool NoniusLines::move(const QPointF& pos)
{
    const double a = distanceA(pos);
    const double b = distanceB(pos);
    const bool near = (a >= 0 && a < grabDistance) || (b >= 0 && b < grabDistance);
    m_plot->setCursor(near ? Qt::ClosedHandCursor : Qt::ArrowCursor);
    if (m_dragging == 0)
        return false;

    const QCPRange xr = m_chart->axis(QCPAxis::atBottom)->range();
    const QCPRange yr = m_chart->axis(QCPAxis::atLeft)->range();
    const double x = m_chart->axis(QCPAxis::atBottom)->pixelToCoord(pos.x());
    const double y = m_chart->axis(QCPAxis::atLeft)->pixelToCoord(pos.y());
    const double rx = (x - xr.lower) / (xr.upper - xr.lower);
    const double ry = (yr.upper - y) / (yr.upper - yr.lower);
    if (rx < minRatio || rx > maxRatio || ry < minRatio || ry > maxRatio)
        return false;

    const double r = m_vertical ? rx : ry;
    double& ratioA = m_vertical ? m_verticalA : m_horizontalA;
    double& ratioB = m_vertical ? m_verticalB : m_horizontalB;
    if (m_locked) {
        if (m_dragging == 1) {
            const double newB = ratioB + (r - ratioA);
            if (newB > maxRatio)
                return false;
            ratioA = r;
            ratioB = newB;
        } else {
            const double newA = ratioA + (r - ratioB);
            if (newA < minRatio)
                return false;
            ratioA = newA;
            ratioB = r;
        }
    } else if (m_dragging == 1) {
        if (!(ratioB > r + minRatio))
            return false;
        ratioA = r;
    } else {
        if (!(r - minRatio > ratioA))
            return false;
        ratioB = r;
    }
    place();
    return true;
}
