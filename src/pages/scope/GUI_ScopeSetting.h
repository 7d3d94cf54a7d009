// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>

class CustomPlot;
class QLabel;

namespace Ui {
class GUI_ScopeSetting;
}

// The look of the cursor tracer and of the nonius lines. The dialog keeps nothing itself: it reads
// the plot when it opens and writes it back only when it was closed with OK.
class GUI_ScopeSetting : public QDialog
{
    Q_OBJECT
public:
    GUI_ScopeSetting(CustomPlot* plot, QWidget* parent = nullptr);
    ~GUI_ScopeSetting() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The colour dialog; tests replace it because a native dialog cannot be driven reliably.
    virtual QColor askColor(const QColor& initial);

private:
    void applyToPlot();
    static void paintSwatch(QLabel* swatch, const QColor& color);
    static QColor swatchColor(const QLabel* swatch);

    Ui::GUI_ScopeSetting* ui;
    CustomPlot* m_plot;
};
