// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ParameterSet.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QVector>

// The parameter table's rows on a ParameterSet: eleven columns, the check boxes of the rows, and
// the colours derived from each row's state. Values are set through the roles below, so the value
// editor and tests use the same public interface.
class ParamTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        CheckColumn,
        CodeColumn,
        NameColumn,
        SettingColumn,
        CurrentColumn,
        FactoryColumn,
        MinColumn,
        MaxColumn,
        UnitColumn,
        AccessColumn,
        EffectColumn,
        ColumnCount
    };

    enum Role {
        GroupCodeRole = Qt::UserRole + 1, // code column: the group's code
        AttributeRole = Qt::UserRole + 1, // setting column: the ParamAttributeStruct, as rescaled
        RawValueRole = Qt::UserRole + 2, // setting column: the register value to write
        PositionRole = Qt::UserRole + 3, // setting column: the chosen enumeration entry
        StateRole = Qt::UserRole + 4, // any column: the row's ParameterSet::State as an int
    };

    ParamTableModel(ParameterSet* parameters, QObject* parent);

    ParameterSet* parameters() const { return m_parameters; }
    bool isChecked(int row) const { return m_checked.value(row); }

    // The colour a current value of this state is painted in; invalid for a value never shown.
    static QColor stateColor(ParameterSet::State state);
    static QColor readOnlyColor();
    // Every text the access and effect columns can show.
    QStringList accessAndEffectTexts() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // A row's check box changed, by a click on its indicator or by a program.
    void checkChanged(int row);

private:
    QVariant text(const ParameterSet::Row& row, int column) const;
    QVariant background(const ParameterSet::Row& row, int column) const;
    // The access and effect texts; a value without a text has no cell, so the next moves left.
    QStringList trailingTexts(const ParameterSet::Row& row) const;
    bool hasCell(const ParameterSet::Row& row, int column) const;

    ParameterSet* m_parameters;
    QVector<bool> m_checked;
};
