// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>

// The rectangle the user drags out on the frozen desktop, in desktop pixels with the origin at the
// desktop's top-left corner. Start and end are the press and drag points; the corners are derived
// from them.
class ScreenSelection
{
public:
    enum Status {
        Selecting = 0, // a new rectangle is being dragged out
        Selected = 1, // the rectangle is finished and can be moved
    };

    ScreenSelection(int screenWidth, int screenHeight);

    void setStart(const QPoint& point);
    // Also recomputes the corners.
    void setEnd(const QPoint& point);
    QPoint start() const { return m_start; }
    QPoint end() const { return m_end; }
    QPoint leftTop() const { return m_leftTop; }
    QPoint rightBottom() const { return m_rightBottom; }
    QSize screenSize() const { return m_screenSize; }

    Status status() const { return m_status; }
    void setStatus(Status status) { m_status = status; }

    // Strictly inside: a press on the border starts a new selection rather than moving this one.
    bool contains(const QPoint& point) const;
    // Pushed against the left or top edge the rectangle gets smaller instead of stopping; at the
    // right or bottom edge its far side stops at the screen size and its near side stays.
    void move(int dx, int dy);

private:
    void updateCorners();

    QPoint m_start { -1, -1 };
    QPoint m_end { -1, -1 };
    QPoint m_leftTop { -1, -1 };
    QPoint m_rightBottom { -1, -1 };
    QSize m_screenSize;
    Status m_status = Selecting;
};
