// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProgressDialog>

class QTimer;

// The modal progress of a parameter batch: no close or cancel button, 300 x 80, its value brought
// up to the batch's count every 100 ms. Once the count reaches the maximum it says so and goes.
class BatchProgressDialog : public QProgressDialog
{
    Q_OBJECT
public:
    BatchProgressDialog(const QString& text, int minimum, int maximum, QWidget* parent);

    void setCount(int count) { m_count = count; }
    // Takes the dialog away without completing it (the batch's link was lost).
    void discard();
    // Completes it now instead of at the next tick.
    void complete();

signals:
    void completed();

private:
    void tick();
    // Stops the ticks and lets the dialog go; false when it was over already.
    bool end();

    QTimer* m_timer;
    int m_count = 0;
    bool m_over = false;
};
