// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qcustomplot.h>

// The scope's plot widget. The library drags with the left button and starts its selection
// rectangle with any button; the scope wants the middle button to drag and the left button only for
// the selection-rectangle zoom, point selection and grabbing nonius lines.
class ScopePlotWidget : public QCustomPlot
{
    Q_OBJECT
public:
    explicit ScopePlotWidget(QWidget* parent = nullptr);

    // Called from a mousePress handler that took the press for itself (a nonius line): the
    // selection rectangle then does not start.
    void claimPress() { m_pressClaimed = true; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Qt::MouseButton m_pressButton = Qt::NoButton;
    bool m_pressClaimed = false;
};
