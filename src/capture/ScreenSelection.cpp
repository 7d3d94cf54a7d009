// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenSelection.h"

#include <QtGlobal>

ScreenSelection::ScreenSelection(int screenWidth, int screenHeight)
    : m_screenSize(screenWidth, screenHeight)
{
}

void ScreenSelection::setStart(const QPoint& point)
{
    m_start = point;
}

void ScreenSelection::setEnd(const QPoint& point)
{
    m_end = point;
    updateCorners();
}

void ScreenSelection::updateCorners()
{
    m_leftTop = QPoint(qMin(m_start.x(), m_end.x()), qMin(m_start.y(), m_end.y()));
    m_rightBottom = QPoint(qMax(m_start.x(), m_end.x()), qMax(m_start.y(), m_end.y()));
}

bool ScreenSelection::contains(const QPoint& point) const
{
    return m_leftTop.x() < point.x() && point.x() < m_rightBottom.x() && m_leftTop.y() < point.y()
        && point.y() < m_rightBottom.y();
}

namespace {

// One axis of a move: `low`/`high` are the near and far sides, `limit` the screen size.
void moveSpan(int& low, int& high, int delta, int limit)
{
    low += delta;
    high += delta;
    if (low < 0)
        low = 0;
    if (high > limit) {
        high = limit;
        low -= delta;
    }
}

} // namespace

void ScreenSelection::move(int dx, int dy)
{
    int left = m_leftTop.x();
    int right = m_rightBottom.x();
    int top = m_leftTop.y();
    int bottom = m_rightBottom.y();
    moveSpan(left, right, dx, m_screenSize.width());
    moveSpan(top, bottom, dy, m_screenSize.height());
    m_leftTop = QPoint(left, top);
    m_rightBottom = QPoint(right, bottom);
    m_start = m_leftTop;
    m_end = m_rightBottom;
}
