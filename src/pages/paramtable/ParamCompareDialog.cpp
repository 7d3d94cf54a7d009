// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParamCompareDialog.h"
#include "ui_ParamCompareDialog.h"

#include "engine/ParamValue.h"
#include "engine/ParameterSet.h"
#include "pages/paramtable/ParamTableModel.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QHeaderView>

#include <utility>

using Outcome = ParameterBatch::Outcome;

namespace {
QString counted(const QString& text, int n)
{
    return text + QStringLiteral(": ") + QString::number(n);
}
} // namespace

// The differences, one row each: a check box, code, name, drive value, file value and, once
// written, the outcome.
class CompareModel : public QAbstractTableModel
{
public:
    enum Column { CheckColumn, CodeColumn, NameColumn, DriveColumn, FileColumn, ResultColumn, ColumnCount };

    struct Row
    {
        FileComparison::Difference difference;
        bool ticked = false;
        QString result;
        bool failed = false;
    };

    CompareModel(const QStringList& headers, QObject* parent)
        : QAbstractTableModel(parent)
        , m_headers(headers)
    {
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_rows.size();
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return QVariant();
        const Row& row = m_rows.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return text(row, index.column());
        case Qt::CheckStateRole:
            return index.column() == CheckColumn ? QVariant(row.ticked ? Qt::Checked : Qt::Unchecked)
                                                 : QVariant();
        case Qt::BackgroundRole:
            if (isFailure(row, index.column()))
                return QBrush(ParamTableModel::stateColor(ParameterSet::State::NotKept));
            return QVariant();
        default:
            return QVariant();
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::CheckStateRole || index.column() != CheckColumn)
            return false;
        setTicked(index.row(), value.toInt() == Qt::Checked);
        m_toggled = index.row();
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        return index.column() == CheckColumn ? flags | Qt::ItemIsUserCheckable : flags;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return m_headers.value(section);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    void setRows(const QVector<Row>& rows)
    {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }

    const Row& row(int index) const { return m_rows.at(index); }
    Row& change(int index) { return m_rows[index]; }
    void changed(int index) { emit dataChanged(this->index(index, 0), this->index(index, ColumnCount - 1)); }

    void setTicked(int index, bool ticked)
    {
        m_rows[index].ticked = ticked;
        emit dataChanged(this->index(index, CheckColumn), this->index(index, CheckColumn));
    }

    // The row whose check box the view itself just toggled (a click on its indicator), once.
    int takeToggled() { return std::exchange(m_toggled, -1); }

    QVector<int> tickedRows() const
    {
        QVector<int> rows;
        for (int i = 0; i < m_rows.size(); ++i) {
            if (m_rows.at(i).ticked)
                rows.append(i);
        }
        return rows;
    }

private:
    static QVariant text(const Row& row, int column)
    {
        switch (column) {
        case CodeColumn:
            return row.difference.code;
        case NameColumn:
            return row.difference.name;
        case DriveColumn:
            return row.difference.driveText;
        case FileColumn:
            return row.difference.fileText;
        case ResultColumn:
            return row.result;
        default:
            return QVariant();
        }
    }

    static bool isFailure(const Row& row, int column)
    {
        if (column == DriveColumn)
            return row.failed || !row.difference.driveRead;
        return column == ResultColumn && row.failed;
    }

    QVector<Row> m_rows;
    QStringList m_headers;
    int m_toggled = -1;
};

ParamCompareDialog::ParamCompareDialog(
    ParameterSet* parameters, const std::shared_ptr<FileComparison>& comparison, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ParamCompareDialog)
    , m_parameters(parameters)
    , m_comparison(comparison)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    // The table's own header texts for code and name, so both speak the definition file's language.
    const QStringList headers = parameters->headers();
    m_model = new CompareModel({ QString(), headers.value(ParamTableModel::CodeColumn, tr("Code")),
                                   headers.value(ParamTableModel::NameColumn, tr("Name")), tr("Drive value"),
                                   tr("File value"), tr("Result") },
        this);
    ui->tableView->setModel(m_model);
    // The values share what the code, name and result leave; a long entry name is cut there.
    QHeaderView* header = ui->tableView->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(CompareModel::DriveColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(CompareModel::FileColumn, QHeaderView::Stretch);
    ui->tableView->verticalHeader()->hide();
    connect(m_model, &QAbstractItemModel::dataChanged, this, &ParamCompareDialog::updateButtons);
    connect(ui->tableView, &QTableView::clicked, this, [this](const QModelIndex& index) {
        // A click anywhere in the row's check cell ticks it, as in the parameter table; one on the
        // indicator has been toggled by the view already.
        const bool toggled = m_model->takeToggled() == index.row();
        if (index.column() == CompareModel::CheckColumn && !toggled && !isBusy())
            m_model->setTicked(index.row(), !m_model->row(index.row()).ticked);
    });
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setCursor(Qt::PointingHandCursor);
    ui->Btn_Close->setDefault(true);
    updateButtons();
}

ParamCompareDialog::~ParamCompareDialog()
{
    delete ui;
}

bool ParamCompareDialog::isBusy() const
{
    return m_batch && m_batch->isRunning();
}

void ParamCompareDialog::readDriveValues()
{
    const ParamRequests reads = m_comparison->reads();
    emit sig_printToConsole(counted(tr("Comparison with a file, number of parameters"), reads.size()));
    ui->Lbl_Summary->setText(tr("Reading the drive's values..."));
    m_reading = true;
    runBatch(ParameterBatch::Kind::Read, reads);
}

void ParamCompareDialog::runBatch(ParameterBatch::Kind kind, const ParamRequests& requests)
{
    m_batch = new ParameterBatch(this);
    connect(m_batch, &ParameterBatch::answered, this, &ParamCompareDialog::applyAnswer);
    connect(m_batch, &ParameterBatch::parameterFinished, this, &ParamCompareDialog::parameterFinished);
    connect(m_batch, &ParameterBatch::progressed, this, [this](int done, int steps) {
        ui->Bar_Progress->setRange(0, steps);
        ui->Bar_Progress->setValue(done);
    });
    connect(m_batch, &ParameterBatch::finished, this, &ParamCompareDialog::batchFinished);
    ui->Bar_Progress->setValue(0);
    ui->Bar_Progress->setVisible(true);
    m_batch->start(kind, requests);
    updateButtons();
}

void ParamCompareDialog::listDifferences()
{
    QVector<CompareModel::Row> rows;
    const QVector<FileComparison::Difference> differences = m_comparison->differences();
    for (FileComparison::Difference difference : differences) {
        if (!difference.driveRead)
            difference.driveText = tr("No answer");
        rows.append({ difference, false, QString(), false });
    }
    m_model->setRows(rows);
    showSummary();
}

void ParamCompareDialog::showSummary()
{
    const int compared = m_comparison->reads().size();
    const int differing = m_model->rowCount();
    QString text = differing == 0
        ? tr("The drive holds the file's value of every parameter compared (%1).").arg(compared)
        : tr("%1 of the %2 parameters compared differ from the file.").arg(differing).arg(compared);
    const int unusable = m_comparison->emptyCodes().size() + m_comparison->unusableCodes().size()
        + m_comparison->outOfRangeCodes().size();
    const int leftOut = m_comparison->readOnlyCodes().size() + m_comparison->unknownCodes().size() + unusable;
    if (leftOut > 0)
        text += QLatin1Char(' ')
            + tr("Not compared: %1 read-only, %2 not in this device version, %3 without a usable value.")
                  .arg(m_comparison->readOnlyCodes().size())
                  .arg(m_comparison->unknownCodes().size())
                  .arg(unusable);
    ui->Lbl_Summary->setText(text);
}

void ParamCompareDialog::updateButtons()
{
    const bool busy = isBusy();
    ui->Btn_Write->setEnabled(!busy && !m_model->tickedRows().isEmpty());
    ui->Btn_SelectAll->setEnabled(!busy && m_model->rowCount() > 0);
}

void ParamCompareDialog::on_Btn_SelectAll_clicked()
{
    const bool anyTicked = !m_model->tickedRows().isEmpty();
    for (int row = 0; row < m_model->rowCount(); ++row)
        m_model->setTicked(row, !anyTicked);
}

void ParamCompareDialog::on_Btn_Write_clicked()
{
    m_written = m_model->tickedRows();
    QVector<FileComparison::Difference> differences;
    for (int row : qAsConst(m_written)) {
        differences.append(m_model->row(row).difference);
        m_model->change(row).result.clear();
        m_model->change(row).failed = false;
        m_model->changed(row);
    }
    const ParamRequests writes = m_comparison->writes(differences);
    if (writes.isEmpty())
        return;
    emit sig_printToConsole(counted(tr("Writing values from the file, number of parameters"), writes.size()));
    runBatch(ParameterBatch::Kind::WriteVerify, writes);
}

void ParamCompareDialog::applyAnswer(int index, bool readBack, const QVector<quint16>& values)
{
    if (m_reading) {
        const QString& code = m_batch->results().at(index).request.code;
        m_comparison->setDriveValue(code, values);
        m_parameters->applyAnswer(m_parameters->rowOf(code), values);
        return;
    }
    const int row = m_written.at(index);
    FileComparison::Difference& difference = m_model->change(row).difference;
    m_parameters->applyAnswer(difference.row, values,
        readBack ? ParameterSet::State::ReadFailed : ParameterSet::State::WriteFailed);
    if (readBack && !values.isEmpty()) {
        difference.driveRead = true;
        difference.driveRaw = values.at(0);
        difference.driveText
            = ParamValue::shownText(m_parameters->row(difference.row).attribute, values.at(0));
        m_model->changed(row);
    }
}

void ParamCompareDialog::parameterFinished(int index)
{
    if (m_reading)
        return;
    const int row = m_written.at(index);
    CompareModel::Row& entry = m_model->change(row);
    const Outcome outcome = m_batch->results().at(index).outcome;
    switch (outcome) {
    case Outcome::Verified:
        entry.result = tr("Written and verified");
        entry.ticked = false;
        break;
    case Outcome::NotKept:
        entry.result = tr("Not kept by the drive");
        m_parameters->setState(entry.difference.row, ParameterSet::State::NotKept);
        break;
    case Outcome::Failed:
        entry.result = tr("Write failed");
        break;
    case Outcome::ReadBackFailed:
        entry.result = tr("Written, read-back failed");
        break;
    case Outcome::Done:
        entry.result = tr("Written, not verified");
        break;
    case Outcome::Pending:
    case Outcome::NotSent:
    case Outcome::Cancelled:
    case Outcome::LinkLost:
        entry.result = tr("Not written");
        break;
    }
    entry.failed = outcome != Outcome::Verified;
    m_model->changed(row);
}

void ParamCompareDialog::batchFinished()
{
    const bool reading = std::exchange(m_reading, false);
    ui->Bar_Progress->setVisible(false);
    // A value that was never asked for (link lost, closed while reading) would pass for a difference.
    const int answered = m_batch->count(Outcome::Done) + m_batch->count(Outcome::Failed);
    if (reading && answered != m_batch->results().size())
        ui->Lbl_Summary->setText(tr("The drive's values could not all be read: nothing was compared."));
    else if (reading)
        listDifferences();
    else
        reportWrites();
    m_batch->deleteLater();
    updateButtons();
}

void ParamCompareDialog::reportWrites()
{
    const int verified = m_batch->count(Outcome::Verified);
    const int notKept = m_batch->count(Outcome::NotKept);
    const int failed = m_batch->results().size() - verified - notKept;
    const QString result = tr("Values from the file verified: %1, not kept by the drive: %2, failed: %3")
                               .arg(verified)
                               .arg(notKept)
                               .arg(failed);
    showSummary();
    ui->Lbl_Summary->setText(ui->Lbl_Summary->text() + QLatin1Char('\n') + result);
    // A value the drive did not take is a warning: the status bar keeps it in sight.
    emit sig_printToConsole(
        result, notKept + failed > 0 ? Global::MESSAGE_WARNNING : Global::MESSAGE_INFORMATION);
}

void ParamCompareDialog::on_Btn_Close_clicked()
{
    reject();
}

void ParamCompareDialog::reject()
{
    // Closing stops the writes not yet sent; the dialog stays until those on their way are answered,
    // so none of them goes unreported.
    if (isBusy()) {
        m_batch->cancel();
        return;
    }
    QDialog::reject();
}
