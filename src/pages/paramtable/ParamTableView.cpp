// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParamTableView.h"

#include "pages/paramtable/ParamFilterProxy.h"
#include "pages/paramtable/ParamTableModel.h"

#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>
#include <numeric>

namespace {

using Column = ParamTableModel::Column;

constexpr int checkColumnWidth = 25;
constexpr int widestName = 220;
constexpr int narrowestName = 110;
constexpr int widestValue = 160; // setting and current: a longer entry name is cut
constexpr int narrowestValue = 80;
constexpr int widestOther = 150;

// Takes up to `excess` pixels from `width`, not below `least`; returns what it took.
int shrink(int& width, int least, int excess)
{
    const int taken = qBound(0, excess, qMax(0, width - least));
    width -= taken;
    return taken;
}

} // namespace

ParamTableView::ParamTableView(QWidget* parent)
    : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // The header's own minimum follows the font and would widen the narrow check column.
    horizontalHeader()->setMinimumSectionSize(checkColumnWidth);
    connect(this, &QTableView::clicked, this, &ParamTableView::cellClicked);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!m_fitting && QGuiApplication::mouseButtons().testFlag(Qt::LeftButton))
            m_sizedByHand = true;
    });
}

void ParamTableView::setModels(ParamTableModel* model, ParamFilterProxy* filter)
{
    m_model = model;
    m_filter = filter;
    setModel(filter);
    connect(model, &ParamTableModel::checkChanged, this, [this](int row) { m_lastCheckRow = row; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_hiddenRows.clear();
        m_lastCheckRow = -1;
        measureColumns();
        fitColumns();
    });
    measureColumns();
    fitColumns();
}

int ParamTableView::viewRowCount() const
{
    return m_filter->rowCount();
}

int ParamTableView::modelRow(int viewRow) const
{
    return m_filter->mapToSource(m_filter->index(viewRow, 0)).row();
}

QVector<int> ParamTableView::viewRows(bool checkedOnly) const
{
    QVector<int> rows;
    for (int viewRow = 0; viewRow < viewRowCount(); ++viewRow) {
        const int row = modelRow(viewRow);
        if (!checkedOnly || m_model->isChecked(row))
            rows.append(row);
    }
    return rows;
}

void ParamTableView::setChecked(int row, bool checked)
{
    m_model->setData(m_model->index(row, ParamTableModel::CheckColumn), checked ? Qt::Checked : Qt::Unchecked,
        Qt::CheckStateRole);
}

void ParamTableView::toggleAllChecks()
{
    const QVector<int> rows = viewRows(false);
    const bool anyChecked
        = std::any_of(rows.cbegin(), rows.cend(), [this](int row) { return m_model->isChecked(row); });
    for (int row : rows)
        setChecked(row, !anyChecked);
    // Only a click on the check indicator may leave its row here; a stale one would swallow the
    // next click on that row's check cell.
    m_lastCheckRow = -1;
}

void ParamTableView::hideRows(const std::function<bool(int)>& hidden)
{
    showHiddenRows();
    const int rows = viewRowCount();
    for (int viewRow = 0; viewRow < rows; ++viewRow) {
        if (hidden(modelRow(viewRow))) {
            setRowHidden(viewRow, true);
            m_hiddenRows << viewRow;
        }
    }
}

void ParamTableView::showHiddenRows()
{
    for (int viewRow : qAsConst(m_hiddenRows))
        setRowHidden(viewRow, false);
    m_hiddenRows.clear();
}

void ParamTableView::cellClicked(const QModelIndex& index)
{
    if (index.column() == ParamTableModel::CheckColumn) {
        // A click on the indicator itself has been toggled by Qt already.
        const int row = modelRow(index.row());
        if (row != m_lastCheckRow)
            setChecked(row, !m_model->isChecked(row));
        m_lastCheckRow = -1;
        return;
    }
    emit rowClicked(currentIndex().row());
}

void ParamTableView::measureColumns()
{
    QHeaderView* header = horizontalHeader();
    QVector<int> widest(ParamTableModel::ColumnCount, widestOther);
    widest[Column::CheckColumn] = checkColumnWidth;
    widest[Column::NameColumn] = widestName;
    widest[Column::SettingColumn] = widestValue;
    widest[Column::CurrentColumn] = widestValue;
    m_natural.resize(ParamTableModel::ColumnCount);
    for (int column = 0; column < m_natural.size(); ++column)
        m_natural[column] = qMin(header->sectionSizeHint(column), widest[column]);
    // The item delegate's margin on either side, and the grid line.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
    const QFontMetrics metrics = fontMetrics();
    // Thousands of rows repeat few limits and units; a column at its widest needs no more looks.
    QHash<QString, int> widths;
    const auto grow = [&](int column, const QString& text) {
        if (m_natural[column] >= widest[column])
            return;
        auto width = widths.constFind(text);
        if (width == widths.constEnd())
            width = widths.insert(text, metrics.horizontalAdvance(text) + margin);
        m_natural[column] = qMin(qMax(m_natural[column], width.value()), widest[column]);
    };
    for (const QString& text : m_model->accessAndEffectTexts()) {
        grow(Column::AccessColumn, text);
        grow(Column::EffectColumn, text);
    }
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const ParameterSet::Row& r = m_model->parameters()->row(row);
        grow(Column::CodeColumn, r.attribute.name);
        grow(Column::NameColumn, r.attribute.description);
        grow(Column::FactoryColumn, r.factory);
        grow(Column::MinColumn, r.attribute.min);
        grow(Column::MaxColumn, r.attribute.max);
        grow(Column::UnitColumn, r.units);
        // A value is about as wide as the factory value or the longest entry name.
        for (int column : { Column::SettingColumn, Column::CurrentColumn }) {
            grow(column, r.factory);
            for (const QStringList& entry : r.attribute.indexList)
                grow(column, entry.value(0));
        }
    }
    m_least = m_natural;
    // The headers stay whole; below that the name and value texts are cut.
    m_least[Column::NameColumn] = qMax(header->sectionSizeHint(Column::NameColumn), narrowestName);
    for (int column : { Column::SettingColumn, Column::CurrentColumn })
        m_least[column] = qMax(header->sectionSizeHint(column), narrowestValue);
    for (int column = 0; column < m_least.size(); ++column)
        m_least[column] = qMin(m_least[column], m_natural[column]);
}

void ParamTableView::fitColumns()
{
    if (!m_model || m_natural.isEmpty() || m_sizedByHand)
        return;
    QVector<int> widths = m_natural;
    // Room for the vertical scroll bar even while the rows fit: it comes with the first long group.
    const int available = viewport()->width()
        - (verticalScrollBar()->isVisible() ? 0 : verticalScrollBar()->sizeHint().width());
    int excess = std::accumulate(widths.cbegin(), widths.cbegin() + Column::UnitColumn + 1, 0) - available;
    // The name and the two values give up width in proportion to what each can spare.
    const int flexible[] = { Column::NameColumn, Column::SettingColumn, Column::CurrentColumn };
    int slack = 0;
    for (int column : flexible)
        slack += widths[column] - m_least[column];
    if (excess > 0 && slack > 0) {
        const int wanted = qMin(excess, slack);
        int given = 0;
        for (int column : flexible) {
            const int share = (widths[column] - m_least[column]) * wanted / slack;
            widths[column] -= share;
            given += share;
        }
        // What the rounding left over comes from the name.
        shrink(widths[Column::NameColumn], m_least[Column::NameColumn], wanted - given);
    }
    m_fitting = true;
    for (int column = 0; column < ParamTableModel::ColumnCount; ++column)
        setColumnWidth(column, widths.at(column));
    m_fitting = false;
}

void ParamTableView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitColumns();
}
