// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusMonitorWidget.h"
#include "ui_BusMonitorWidget.h"

#include "app/SafeFile.h"
#include "comm/Communication.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Plain text cells drawn straight: the style's item painting lays out the text of every cell, which
// made most of the cost of following a busy bus.
class PlainCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) {
            painter->fillRect(option.rect, option.palette.highlight());
        } else {
            const QVariant background = index.data(Qt::BackgroundRole);
            if (background.canConvert<QBrush>())
                painter->fillRect(option.rect, background.value<QBrush>());
        }
        const QVariant font = index.data(Qt::FontRole);
        if (font.isValid()) {
            painter->save();
            painter->setFont(font.value<QFont>());
        }
        const QRect area = option.rect.adjusted(4, 0, -4, 0);
        const QString text
            = painter->fontMetrics().elidedText(index.data().toString(), Qt::ElideRight, area.width());
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        painter->drawText(area, index.data(Qt::TextAlignmentRole).toInt(), text);
        if (font.isValid())
            painter->restore();
    }
};

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

BusMonitorWidget::BusMonitorWidget(QWidget* parent, int capacity)
    : QWidget(parent)
    , ui(new Ui::BusMonitorWidget)
    , m_model(new BusMonitorModel(this, capacity))
    , m_saveFolder(QDir::currentPath())
{
    ui->setupUi(this);
    // The counters may be clipped in a narrow dock, but must not hold the window wide.
    for (QLabel* counter :
        { ui->Lbl_Requests, ui->Lbl_Failures, ui->Lbl_Rate, ui->Lbl_Latency, ui->Lbl_Scope })
        counter->setMinimumWidth(1);
    setUpView();

    m_counterTimer.setInterval(CounterIntervalMs);
    connect(&m_counterTimer, &QTimer::timeout, this, &BusMonitorWidget::refreshCounters);
    connect(Communication::instance(), &Communication::transactionCompleted, this,
        &BusMonitorWidget::addTransaction);
    refreshCounters();
}

BusMonitorWidget::~BusMonitorWidget()
{
    delete ui;
}

void BusMonitorWidget::setUpView()
{
    QTableView* view = ui->Tbv_Transactions;
    view->setModel(m_model);
    view->setItemDelegate(new PlainCellDelegate(view));
    // One fixed row height: a list of a hundred thousand rows must not measure each of them.
    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QHeaderView* columns = view->horizontalHeader();
    columns->setStretchLastSection(true);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QFontMetrics metrics = fontMetrics();
    auto width
        = [&metrics](const char* sample) { return metrics.horizontalAdvance(QLatin1String(sample)) + 18; };
    view->setColumnWidth(BusMonitorModel::TimeColumn, width("00:00:00.000"));
    view->setColumnWidth(BusMonitorModel::TagColumn, width("AEnableState__"));
    view->setColumnWidth(BusMonitorModel::FunctionColumn, width("Function"));
    view->setColumnWidth(BusMonitorModel::AddressColumn, width("Address"));
    view->setColumnWidth(BusMonitorModel::CountColumn, width("Count"));
    view->setColumnWidth(BusMonitorModel::ValuesColumn, width("65535 65535 65535 65535 65535"));
    view->setColumnWidth(BusMonitorModel::LatencyColumn, width("Latency (ms)"));
    view->setColumnWidth(BusMonitorModel::OutcomeColumn, width("exception 02 Illegal data address"));
    view->setColumnWidth(BusMonitorModel::RequestColumn, width("01 10 00 00 00 02 04 01 81 FF FF 60 E0"));
    on_Chbx_RawBytes_toggled(false);

    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this, [this, view] {
        QScrollBar* bar = view->verticalScrollBar();
        m_followEnd = bar->value() >= bar->maximum();
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this, view] {
        if (m_followEnd)
            view->scrollToBottom();
    });
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
        [this](const QModelIndex&, int first, int last) { m_removedRows = last - first + 1; });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &BusMonitorWidget::keepViewPlace);
}

// The oldest rows leave the top of a full list: a reader further up keeps looking at the same rows.
void BusMonitorWidget::keepViewPlace()
{
    QScrollBar* bar = ui->Tbv_Transactions->verticalScrollBar();
    if (bar->value() < bar->maximum())
        bar->setValue(qMax(0, bar->value() - m_removedRows));
    m_removedRows = 0;
}

void BusMonitorWidget::addTransaction(const BusTransaction& transaction)
{
    m_counters.add(transaction);
    m_model->append(transaction);
}

void BusMonitorWidget::refreshCounters()
{
    const BusMonitorCounters::Snapshot s = m_counters.snapshot(QDateTime::currentMSecsSinceEpoch());
    ui->Lbl_Requests->setText(tr("Requests: %1").arg(s.requests));
    ui->Lbl_Failures->setText(tr("Failures: %1 (timeout %2, exception %3, CRC %4, link %5)")
                                  .arg(s.failureCount())
                                  .arg(s.failures[BusTransaction::Timeout])
                                  .arg(s.failures[BusTransaction::Exception])
                                  .arg(s.failures[BusTransaction::CrcError])
                                  .arg(s.failures[BusTransaction::LinkError]));
    ui->Lbl_Rate->setText(tr("%1 transactions/s").arg(number(s.transactionsPerSecond)));
    ui->Lbl_Latency->setText(
        tr("Latency: mean %1 ms, worst %2 ms").arg(number(s.meanLatencyMs), number(s.worstLatencyMs)));

    QStringList channels;
    for (auto it = s.scopeSamplesPerSecond.cbegin(); it != s.scopeSamplesPerSecond.cend(); ++it)
        channels << QStringLiteral("AID=%1 %2/s").arg(it.key()).arg(number(it.value()));
    ui->Lbl_Scope->setText(
        channels.isEmpty() ? QString() : tr("Scope samples: %1").arg(channels.join(QStringLiteral(", "))));

    if (m_model->isPaused())
        ui->Btn_Pause->setToolTip(tr("%1 transactions wait for Resume").arg(m_model->pendingCount()));
    else
        ui->Btn_Pause->setToolTip(QString());
}

bool BusMonitorWidget::saveTo(const QString& path) const
{
    return writeFileAtomically(path, m_model->toCsv());
}

void BusMonitorWidget::on_Btn_Pause_toggled(bool paused)
{
    ui->Btn_Pause->setText(paused ? tr("Resume") : tr("Pause"));
    m_model->setPaused(paused);
    refreshCounters();
}

void BusMonitorWidget::on_Btn_Clear_clicked()
{
    m_model->clear();
    m_counters.clear();
    refreshCounters();
}

void BusMonitorWidget::on_Btn_Save_clicked()
{
    // What is shown is what is saved: bring in what waits for the next batch (not while paused).
    m_model->flush();
    const QString name = QStringLiteral("busmonitor-%1.csv")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    QFileDialog dialog(
        this, tr("Save as"), QDir(m_saveFolder).filePath(name), tr("CSV files (*.csv);;Text files (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    m_saveFolder = QFileInfo(path).absolutePath();
    if (!saveTo(path)) {
        QMessageBox::warning(this, tr("Tips"),
            tr("The bus monitor log could not be written") + QStringLiteral(": ")
                + QDir::toNativeSeparators(path) + QLatin1Char('.'),
            QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    emit sig_printToConsole(
        tr("Bus monitor log saved") + QStringLiteral(": ") + QDir::toNativeSeparators(path));
}

void BusMonitorWidget::on_Chbx_RawBytes_toggled(bool shown)
{
    ui->Tbv_Transactions->setColumnHidden(BusMonitorModel::RequestColumn, !shown);
    ui->Tbv_Transactions->setColumnHidden(BusMonitorModel::ReplyColumn, !shown);
}

void BusMonitorWidget::on_Lbx_Filter_textChanged(const QString& text)
{
    m_model->setFilter(text);
    ui->Tbv_Transactions->scrollToBottom();
}

void BusMonitorWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshCounters();
    m_counterTimer.start();
}

void BusMonitorWidget::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_counterTimer.stop();
}
