// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRegularExpression>
#include <QSortFilterProxyModel>

// The parameter table's rows in view: those of the chosen group (its name matched in the code, so
// it works as a code prefix) that match the search text in any column. Both are case-sensitive
// regular expressions; an empty one matches every row.
class ParamFilterProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit ParamFilterProxy(QObject* parent = nullptr);

    void setGroup(const QString& pattern);
    void setSearch(const QString& pattern);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool matches(const QRegularExpression& expression, int sourceRow, int column) const;

    QRegularExpression m_group;
    QRegularExpression m_search;
};
