// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QItemDelegate>

// Editor of the parameter table's setting column: a drop-down for an enumeration, otherwise a spin
// box or text field that follows the parameter's display format. On commit it stores the shown text
// and the raw register value that a later write sends (Qt::UserRole + 2), and for an enumeration the
// chosen position (Qt::UserRole + 3).
class WidgetDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit WidgetDelegate(QObject* parent = nullptr);

    QWidget* createEditor(
        QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(
        QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
