// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScopePlotWidget.h"

#include <QSignalBlocker>

ScopePlotWidget::ScopePlotWidget(QWidget* parent)
    : QCustomPlot(parent)
{
    // The tracer, tooltip and nonius cursor follow the mouse without a button held.
    setMouseTracking(true);
}

void ScopePlotWidget::mousePressEvent(QMouseEvent* event)
{
    m_pressClaimed = false;
    m_pressButton = event->button();
    if (event->button() == Qt::LeftButton) {
        QCustomPlot::mousePressEvent(event);
        if (m_pressClaimed && mSelectionRect && mSelectionRect->isActive())
            mSelectionRect->cancel();
        return;
    }
    // Only the left button may open a selection rectangle. The member is set directly because the
    // setter would also rewire the rectangle's signals.
    const QCP::SelectionRectMode mode = mSelectionRectMode;
    mSelectionRectMode = QCP::srmNone;
    if (event->button() == Qt::MiddleButton) {
        emit mousePress(event);
        // The axis rect drags only on a left press; it is handed one, and the handlers, who have
        // already seen the real press, do not see it.
        QMouseEvent left(event->type(), event->localPos(), event->windowPos(), event->screenPos(),
            Qt::LeftButton, (event->buttons() & ~Qt::MiddleButton) | Qt::LeftButton, event->modifiers());
        const QSignalBlocker blocker(this);
        QCustomPlot::mousePressEvent(&left);
    } else {
        QCustomPlot::mousePressEvent(event);
    }
    mSelectionRectMode = mode;
}

void ScopePlotWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressButton == Qt::LeftButton && mInteractions.testFlag(QCP::iRangeDrag)) {
        mInteractions &= ~QCP::Interactions(QCP::iRangeDrag);
        QCustomPlot::mouseMoveEvent(event);
        mInteractions |= QCP::iRangeDrag;
        return;
    }
    QCustomPlot::mouseMoveEvent(event);
}

void ScopePlotWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QCustomPlot::mouseReleaseEvent(event);
    if (!event->buttons())
        m_pressButton = Qt::NoButton;
}
