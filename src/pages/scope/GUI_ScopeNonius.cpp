// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_ScopeNonius.h"
#include "ui_GUI_ScopeNonius.h"

#include "pages/scope/CustomPlot.h"

#include <QHeaderView>

namespace {

QString valueText(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

GUI_ScopeNonius::GUI_ScopeNonius(CustomPlot* plot, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::GUI_ScopeNonius)
    , m_plot(plot)
{
    ui->setupUi(this);
    setModal(false);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/Icon/Images/Icon_32x32/Nonius.png")));
    setWindowTitle(tr("Nonius measurement"));
    resize(580, 240);

    QTableWidget* table = ui->tableWidget;
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(0, 40);
    table->horizontalHeader()->setStyleSheet(QStringLiteral(
        "QHeaderView::section{border-top:0px solid #E5E5E5;border-left:0px solid #E5E5E5;border-right:0.5px "
        "solid #E5E5E5;border-bottom: 0.5px solid #E5E5E5;background-color:white;padding:4px;}"));
    initTableWidget();
    connect(m_plot, &CustomPlot::axisRectChanged, this, &GUI_ScopeNonius::initTableWidget);
    connect(m_plot, &CustomPlot::updateNoniusPosition, this, &GUI_ScopeNonius::updateNoniusPosition);
}

GUI_ScopeNonius::~GUI_ScopeNonius()
{
    delete ui;
}

void GUI_ScopeNonius::initTableWidget()
{
    QTableWidget* table = ui->tableWidget;
    const int rows = m_plot->axisRectCount();
    table->clearContents();
    table->setRowCount(rows);
    const QVector<double> a = m_plot->noniusValuesA();
    const QVector<double> b = m_plot->noniusValuesB();
    for (int i = 0; i < rows; ++i) {
        const QString texts[] = { QString::number(i + 1), valueText(a.value(i)), valueText(b.value(i)),
            valueText(b.value(i) - a.value(i)) };
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
            table->setItem(i, column, item);
        }
    }
}

void GUI_ScopeNonius::updateNoniusPosition(int index, double pointA, double pointB)
{
    QTableWidget* table = ui->tableWidget;
    if (index < 0 || index >= table->rowCount())
        return;
    const double values[] = { pointA, pointB, pointB - pointA };
    for (int column = 1; column <= 3; ++column) {
        if (QTableWidgetItem* item = table->item(index, column))
            item->setData(Qt::DisplayRole, valueText(values[column - 1]));
    }
}

void GUI_ScopeNonius::refreshRows()
{
    const QVector<double> a = m_plot->noniusValuesA();
    const QVector<double> b = m_plot->noniusValuesB();
    for (int i = 0; i < m_plot->axisRectCount() && i < a.size(); ++i)
        updateNoniusPosition(i, a.at(i), b.at(i));
}

void GUI_ScopeNonius::on_Rbtn_Vertical_clicked(bool checked)
{
    m_plot->setNoniusVertical(checked);
    refreshRows();
}

void GUI_ScopeNonius::on_Rbtn_Horizontal_clicked(bool checked)
{
    m_plot->setNoniusVertical(!checked);
    refreshRows();
}

void GUI_ScopeNonius::on_Chbx_Lock_clicked(bool checked)
{
    m_plot->setNoniusLocked(checked);
}
