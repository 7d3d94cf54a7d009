// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_ScopeSetting.h"
#include "ui_GUI_ScopeSetting.h"

#include "pages/scope/CustomPlot.h"

#include <QColorDialog>
#include <QEvent>

#include <qcustomplot.h>

GUI_ScopeSetting::GUI_ScopeSetting(CustomPlot* plot, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::GUI_ScopeSetting)
    , m_plot(plot)
{
    ui->setupUi(this);
    ui->scrollArea->setFrameShape(QFrame::NoFrame);
    setFixedSize(480, 480);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/Icon/Images/Icon_32x32/Setting.png")));

    ui->Cbx_CursorStyle->addItem(tr("None"), int(QCPItemTracer::tsNone));
    ui->Cbx_CursorStyle->addItem(tr("Plus"), int(QCPItemTracer::tsPlus));
    ui->Cbx_CursorStyle->addItem(tr("Crosshair"), int(QCPItemTracer::tsCrosshair));
    ui->Cbx_CursorStyle->addItem(tr("Circle"), int(QCPItemTracer::tsCircle));
    ui->Cbx_CursorStyle->addItem(tr("Square"), int(QCPItemTracer::tsSquare));
    for (int i = 1; i <= 30; ++i)
        ui->Cbx_CursorSize->addItem(QString::number(i), i);
    for (int i = 1; i <= 30; ++i) {
        ui->Cbx_NoniusLineSize->addItem(QString::number(i - 0.5, 'g', 6), double(i - 0.5));
        ui->Cbx_NoniusLineSize->addItem(QString::number(i), double(i));
    }

    ui->Cbx_CursorStyle->setCurrentIndex(ui->Cbx_CursorStyle->findData(m_plot->tracerStyle()));
    ui->Cbx_CursorSize->setCurrentIndex(ui->Cbx_CursorSize->findData(m_plot->tracerSize()));
    ui->Cbx_NoniusLineSize->setCurrentIndex(
        ui->Cbx_NoniusLineSize->findData(double(m_plot->noniusPenA().widthF())));
    ui->Chbx_Interpolation->setChecked(m_plot->tracerInterpolating());
    paintSwatch(ui->Lbl_LineA, m_plot->noniusPenA().color());
    paintSwatch(ui->Lbl_LineB, m_plot->noniusPenB().color());
    ui->Lbl_LineA->installEventFilter(this);
    ui->Lbl_LineB->installEventFilter(this);
}

GUI_ScopeSetting::~GUI_ScopeSetting()
{
    if (result() == QDialog::Accepted)
        applyToPlot();
    delete ui;
}

void GUI_ScopeSetting::paintSwatch(QLabel* swatch, const QColor& color)
{
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::All, QPalette::Window, color);
    swatch->setPalette(palette);
    swatch->setAutoFillBackground(true);
}

QColor GUI_ScopeSetting::swatchColor(const QLabel* swatch)
{
    return swatch->palette().color(QPalette::Window);
}

QColor GUI_ScopeSetting::askColor(const QColor& initial)
{
    return QColorDialog::getColor(initial, this, tr("Select Color"));
}

bool GUI_ScopeSetting::eventFilter(QObject* watched, QEvent* event)
{
    auto* swatch = qobject_cast<QLabel*>(watched);
    if (swatch == ui->Lbl_LineA || swatch == ui->Lbl_LineB) {
        switch (event->type()) {
        case QEvent::Enter:
            setCursor(Qt::PointingHandCursor);
            break;
        case QEvent::Leave:
            setCursor(Qt::ArrowCursor);
            break;
        case QEvent::MouseButtonPress: {
            const QColor color = askColor(swatchColor(swatch));
            if (color.isValid())
                paintSwatch(swatch, color);
            return true;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void GUI_ScopeSetting::applyToPlot()
{
    const QVariant style = ui->Cbx_CursorStyle->currentData();
    if (style.isValid())
        m_plot->setTracerStyle(style.toInt());
    const QVariant size = ui->Cbx_CursorSize->currentData();
    if (size.isValid())
        m_plot->setTracerSize(size.toInt());
    m_plot->setTracerInterpolating(ui->Chbx_Interpolation->isChecked());
    const QVariant width = ui->Cbx_NoniusLineSize->currentData();
    QPen pen;
    pen.setWidthF(width.isValid() ? width.toDouble() : m_plot->noniusPenA().widthF());
    pen.setColor(swatchColor(ui->Lbl_LineA));
    m_plot->setNoniusPenA(pen);
    pen.setColor(swatchColor(ui->Lbl_LineB));
    m_plot->setNoniusPenB(pen);
}
