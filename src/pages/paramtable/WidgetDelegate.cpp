// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetDelegate.h"

#include "definitions/Parameter.h"
#include "pages/paramtable/ParamTableModel.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QtMath>

#include <limits>

namespace {

constexpr int attributeRole = ParamTableModel::AttributeRole;
constexpr int rawValueRole = ParamTableModel::RawValueRole;
constexpr int positionRole = ParamTableModel::PositionRole;

ParamAttributeStruct attributeOf(const QModelIndex& index)
{
    return index.data(attributeRole).value<ParamAttributeStruct>();
}

quint8 formatOf(const ParamAttributeStruct& attribute)
{
    return quint8(attribute.format1.toUInt());
}

// Limits of a hexadecimal parameter may be written with or without "0x".
int hexLimit(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    return digits.toInt(nullptr, 16);
}

// Limits of an integer parameter, truncated toward zero; a 32-bit unsigned limit would not fit the
// spin box's int, and converting it unchecked is undefined.
int integerLimit(const QString& text)
{
    const double value = text.toDouble();
    return int(
        qBound(double(std::numeric_limits<int>::min()), value, double(std::numeric_limits<int>::max())));
}

uint hexValue(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    return digits.toUInt(nullptr, 16);
}

// A value outside the editor's limits (e.g. after the limits were rescaled) opens at the minimum.
void loadSpinBox(QSpinBox* box, qint64 value)
{
    box->setValue(value >= box->minimum() && value <= box->maximum() ? int(value) : box->minimum());
}

} // namespace

WidgetDelegate::WidgetDelegate(QObject* parent)
    : QItemDelegate(parent)
{
}

QWidget* WidgetDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option)
    if (index.row() < 0 || index.column() < 0 || !index.model())
        return nullptr;

    const ParamAttributeStruct attribute = attributeOf(index);
    if (!attribute.indexList.isEmpty()) {
        auto* box = new QComboBox(parent);
        box->setFrame(false);
        for (const QStringList& entry : attribute.indexList)
            box->addItem(entry.value(0), entry.value(1).toInt());
        return box;
    }

    const quint8 p = formatOf(attribute);
    if (p == 0) {
        auto* box = new QSpinBox(parent);
        box->setFrame(false);
        box->setWrapping(true);
        box->setRange(integerLimit(attribute.min), integerLimit(attribute.max));
        return box;
    }
    if (p <= 7) {
        auto* box = new QDoubleSpinBox(parent);
        box->setFrame(false);
        box->setWrapping(true);
        box->setDecimals(p);
        box->setRange(attribute.min.toDouble(), attribute.max.toDouble());
        return box;
    }
    if (p == 8) {
        auto* box = new QSpinBox(parent);
        box->setFrame(false);
        box->setWrapping(true);
        box->setRange(attribute.min.toInt(nullptr, 2), attribute.max.toInt(nullptr, 2));
        box->setDisplayIntegerBase(2);
        return box;
    }
    if (p == 9) {
        auto* box = new QSpinBox(parent);
        box->setFrame(false);
        box->setWrapping(true);
        box->setRange(hexLimit(attribute.min), hexLimit(attribute.max));
        box->setDisplayIntegerBase(16);
        QFont font = box->font();
        font.setCapitalization(QFont::AllUppercase);
        box->setFont(font);
        return box;
    }
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    return edit;
}

void WidgetDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const ParamAttributeStruct attribute = attributeOf(index);
    const QVariant display = index.data(Qt::DisplayRole);

    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        const uint position = index.data(positionRole).toUInt();
        if (position < uint(box->count()))
            box->setCurrentIndex(int(position));
        return;
    }
    if (auto* box = qobject_cast<QDoubleSpinBox*>(editor)) {
        const double v = display.toDouble();
        box->setValue(v >= box->minimum() && v <= box->maximum() ? v : box->minimum());
        return;
    }
    if (auto* box = qobject_cast<QSpinBox*>(editor)) {
        if (formatOf(attribute) == 9)
            loadSpinBox(box, hexValue(display.toString()));
        else
            loadSpinBox(box, display.toInt());
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(display.toString());
}

void WidgetDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const ParamAttributeStruct attribute = attributeOf(index);
    const quint8 p = formatOf(attribute);

    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, box->currentText(), Qt::EditRole);
        model->setData(index, box->currentData(), rawValueRole);
        model->setData(index, box->currentIndex(), positionRole);
        return;
    }
    if (auto* box = qobject_cast<QDoubleSpinBox*>(editor)) {
        const double d = box->value();
        model->setData(index, QString::number(d, 'f', p), Qt::DisplayRole);
        // The single-precision step turns 12.34 * 100 = 1233.99999… into 1234 before truncation.
        const double scaled = double(float(d * qPow(10.0, p)));
        // Only the low 16 bits go to the drive; a value beyond int keeps just those instead of
        // going through an undefined conversion.
        const qint64 wide = qint64(qBound(-9.0e18, scaled, 9.0e18));
        const int raw = wide >= std::numeric_limits<int>::min() && wide <= std::numeric_limits<int>::max()
            ? int(wide)
            : int(quint16(wide));
        model->setData(index, raw, rawValueRole);
        return;
    }
    if (auto* box = qobject_cast<QSpinBox*>(editor)) {
        const int value = box->value();
        if (p == 9)
            model->setData(
                index, QStringLiteral("0x") + QString::number(value, 16).toUpper(), Qt::DisplayRole);
        else
            model->setData(index, value, Qt::DisplayRole);
        model->setData(index, value, rawValueRole);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        model->setData(index, edit->text(), Qt::DisplayRole);
}

void WidgetDelegate::updateEditorGeometry(
    QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(index)
    editor->setGeometry(option.rect);
}
