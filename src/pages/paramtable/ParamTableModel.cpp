// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParamTableModel.h"

#include <QBrush>

using State = ParameterSet::State;

ParamTableModel::ParamTableModel(ParameterSet* parameters, QObject* parent)
    : QAbstractTableModel(parent)
    , m_parameters(parameters)
    , m_checked(parameters->rowCount(), false)
{
    connect(parameters, &ParameterSet::aboutToRebuild, this, [this] { beginResetModel(); });
    connect(parameters, &ParameterSet::rebuilt, this, [this] {
        m_checked.fill(false, m_parameters->rowCount());
        endResetModel();
    });
    // Only the cells that can change are repainted: a batch answers hundreds of rows.
    connect(parameters, &ParameterSet::currentChanged, this,
        [this](int row) { emit dataChanged(index(row, CurrentColumn), index(row, CurrentColumn)); });
    connect(parameters, &ParameterSet::rowChanged, this,
        [this](int row) { emit dataChanged(index(row, SettingColumn), index(row, UnitColumn)); });
}

QColor ParamTableModel::stateColor(State state)
{
    switch (state) {
    case State::Unread:
        return QColor();
    case State::Read:
        return QColor(QStringLiteral("#FFFFFF"));
    case State::DiffersFromFactory:
        return QColor(QStringLiteral("#EFE4B0"));
    case State::ReadFailed:
    case State::WriteFailed:
    case State::NotKept:
        return QColor(QStringLiteral("#BDB76B"));
    case State::Realtime:
        return QColor(QStringLiteral("#CCE8FF"));
    }
    return QColor();
}

QColor ParamTableModel::readOnlyColor()
{
    return QColor(QStringLiteral("#C6C6C7"));
}

int ParamTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_parameters->rowCount();
}

int ParamTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QStringList ParamTableModel::trailingTexts(const ParameterSet::Row& row) const
{
    QStringList texts;
    switch (row.access) {
    case ParameterSet::Access::ReadOnly:
        texts << tr("Read only");
        break;
    case ParameterSet::Access::WhileStopped:
        texts << tr("Downtime modification");
        break;
    case ParameterSet::Access::Any:
        texts << tr("Any modification");
        break;
    case ParameterSet::Access::Unknown:
        break;
    }
    switch (row.effect) {
    case ParameterSet::Effect::None:
        texts << QString();
        break;
    case ParameterSet::Effect::Immediately:
        texts << tr("Effective immediately");
        break;
    case ParameterSet::Effect::AfterRestart:
        texts << tr("Effective after restart");
        break;
    case ParameterSet::Effect::Unknown:
        break;
    }
    return texts;
}

QStringList ParamTableModel::accessAndEffectTexts() const
{
    return { tr("Read only"), tr("Downtime modification"), tr("Any modification"),
        tr("Effective immediately"), tr("Effective after restart") };
}

bool ParamTableModel::hasCell(const ParameterSet::Row& row, int column) const
{
    return column < AccessColumn || column - AccessColumn < trailingTexts(row).size();
}

QVariant ParamTableModel::text(const ParameterSet::Row& row, int column) const
{
    switch (column) {
    case CodeColumn:
        return row.attribute.name;
    case NameColumn:
        return row.attribute.description;
    case SettingColumn:
        return row.setting;
    case CurrentColumn:
        return row.current;
    case FactoryColumn:
        return row.factory;
    case MinColumn:
        return row.attribute.min;
    case MaxColumn:
        return row.attribute.max;
    case UnitColumn:
        return row.units;
    case AccessColumn:
    case EffectColumn:
        return trailingTexts(row).value(column - AccessColumn);
    default:
        return QVariant();
    }
}

QVariant ParamTableModel::background(const ParameterSet::Row& row, int column) const
{
    QColor color;
    if (column == SettingColumn && row.readOnly)
        color = readOnlyColor();
    else if (column == CurrentColumn)
        color = stateColor(row.state);
    return color.isValid() ? QVariant(QBrush(color)) : QVariant();
}

QVariant ParamTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_parameters->rowCount())
        return QVariant();
    const ParameterSet::Row& row = m_parameters->row(index.row());
    const int column = index.column();
    if (!hasCell(row, column))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(row, column);
    case Qt::CheckStateRole:
        return column == CheckColumn ? QVariant(isChecked(index.row()) ? Qt::Checked : Qt::Unchecked)
                                     : QVariant();
    case Qt::BackgroundRole:
        return background(row, column);
    case StateRole:
        return int(row.state);
    case AttributeRole:
        if (column == CodeColumn)
            return row.groupCode;
        return column == SettingColumn ? QVariant::fromValue(row.attribute) : QVariant();
    case RawValueRole:
        return column == SettingColumn ? row.settingRaw : QVariant();
    case PositionRole:
        return column == SettingColumn ? row.settingPosition : QVariant();
    default:
        return QVariant();
    }
}

bool ParamTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= m_parameters->rowCount())
        return false;
    const int row = index.row();
    const int column = index.column();
    const bool isText = role == Qt::DisplayRole || role == Qt::EditRole;
    if (role == Qt::CheckStateRole && column == CheckColumn) {
        m_checked[row] = value.toInt() == Qt::Checked;
        emit dataChanged(index, index, { Qt::CheckStateRole });
        emit checkChanged(row);
    } else if (role == StateRole) {
        m_parameters->setState(row, State(value.toInt()));
    } else if (column == CurrentColumn && isText) {
        m_parameters->setCurrent(row, value.toString());
    } else if (column == SettingColumn && isText) {
        m_parameters->setSetting(row, value.toString());
    } else if (column == SettingColumn && role == RawValueRole) {
        m_parameters->setSettingRaw(row, value);
    } else if (column == SettingColumn && role == PositionRole) {
        m_parameters->setSettingPosition(row, value);
    } else {
        return false;
    }
    return true;
}

Qt::ItemFlags ParamTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= m_parameters->rowCount())
        return Qt::NoItemFlags;
    const ParameterSet::Row& row = m_parameters->row(index.row());
    if (!hasCell(row, index.column()))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (index.column() == CheckColumn)
        flags |= Qt::ItemIsUserCheckable;
    if (index.column() == SettingColumn && !row.readOnly)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ParamTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // Columns without a header text in the definition file show their number, as the table always did.
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_parameters->headers().size())
        return m_parameters->headers().at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
