// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParamFilterProxy.h"

#include "pages/paramtable/ParamTableModel.h"

ParamFilterProxy::ParamFilterProxy(QObject* parent)
    : QSortFilterProxyModel(parent)
{
}

void ParamFilterProxy::setGroup(const QString& pattern)
{
    m_group.setPattern(pattern);
    invalidateFilter();
}

void ParamFilterProxy::setSearch(const QString& pattern)
{
    m_search.setPattern(pattern);
    invalidateFilter();
}

bool ParamFilterProxy::matches(const QRegularExpression& expression, int sourceRow, int column) const
{
    const QString text = sourceModel()->index(sourceRow, column).data().toString();
    return expression.match(text).hasMatch();
}

bool ParamFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    Q_UNUSED(sourceParent)
    if (!m_group.pattern().isEmpty() && !matches(m_group, sourceRow, ParamTableModel::CodeColumn))
        return false;
    if (m_search.pattern().isEmpty())
        return true;
    for (int column = 0; column < sourceModel()->columnCount(); ++column) {
        if (matches(m_search, sourceRow, column))
            return true;
    }
    return false;
}
