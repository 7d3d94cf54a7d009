// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QTableView>
#include <QVector>

#include <functional>

class ParamFilterProxy;
class ParamTableModel;

// The parameter table's view. Its rows ("view rows") are those of the chosen group and search;
// a comparison filter hides some of them without taking them out. A click anywhere in a check
// cell toggles it once. The columns size themselves to their contents and, on a narrow window,
// give up width in the name and value columns first, so code to unit fit without scrolling
// sideways as long as the engineer has not sized a column by hand.
class ParamTableView : public QTableView
{
    Q_OBJECT
public:
    explicit ParamTableView(QWidget* parent = nullptr);

    void setModels(ParamTableModel* model, ParamFilterProxy* filter);

    int viewRowCount() const;
    int modelRow(int viewRow) const;
    // The model rows in view order, all or only the checked ones.
    QVector<int> viewRows(bool checkedOnly) const;
    void setChecked(int row, bool checked);
    // Checks every view row, or unchecks them all when any of them is checked.
    void toggleAllChecks();

    // Hides the view rows whose model row `hidden` picks; showHiddenRows() shows them again.
    void hideRows(const std::function<bool(int row)>& hidden);
    void showHiddenRows();
    bool hasHiddenRows() const { return !m_hiddenRows.isEmpty(); }

signals:
    // A click outside the check column; the row is the view's current row.
    void rowClicked(int viewRow);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void cellClicked(const QModelIndex& index);
    void measureColumns();
    void fitColumns();

    ParamTableModel* m_model = nullptr;
    ParamFilterProxy* m_filter = nullptr;
    QList<int> m_hiddenRows;
    int m_lastCheckRow = -1; // the row whose check box the view itself just toggled
    QVector<int> m_natural; // column widths that show every header and value whole
    QVector<int> m_least; // how far the name and value columns may shrink
    bool m_fitting = false;
    bool m_sizedByHand = false;
};
