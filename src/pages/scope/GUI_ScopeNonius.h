// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CustomPlot;

namespace Ui {
class GUI_ScopeNonius;
}

// The nonius measurement dialog: per chart the axis values under lines A and B and their distance;
// it also switches the lines' orientation and lock.
class GUI_ScopeNonius : public QDialog
{
    Q_OBJECT
public:
    GUI_ScopeNonius(CustomPlot* plot, QWidget* parent = nullptr);
    ~GUI_ScopeNonius() override;

public slots:
    void initTableWidget();
    void updateNoniusPosition(int index, double pointA, double pointB);

private slots:
    void on_Rbtn_Vertical_clicked(bool checked);
    void on_Rbtn_Horizontal_clicked(bool checked);
    void on_Chbx_Lock_clicked(bool checked);

private:
    void refreshRows();

    Ui::GUI_ScopeNonius* ui;
    CustomPlot* m_plot;
};
