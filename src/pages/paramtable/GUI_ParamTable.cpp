// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_ParamTable.h"
#include "ui_GUI_ParamTable.h"

#include "Global.h"
#include "engine/FileComparison.h"
#include "engine/ParamFile.h"
#include "engine/RealtimeRefresh.h"
#include "pages/paramtable/ParamCompareDialog.h"
#include "pages/paramtable/ParamFilterProxy.h"
#include "pages/paramtable/ParamTableModel.h"
#include "pages/paramtable/TableBatch.h"
#include "pages/paramtable/WidgetDelegate.h"
#include "ui/Command.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTimer>

namespace {

using State = ParameterSet::State;

constexpr int groupNameRole = Qt::UserRole + 1; // tree
const QString iconFolder = QStringLiteral(":/Icon/Images/Icon_16x16/");
const QString fileFilter = QStringLiteral("Json File(*.json)");
const QString administratorPassword = QStringLiteral("Tqmar5173");
constexpr int realtimeIntervalMs = 2500;

QString desktop()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

} // namespace

int GUI_ParamTable::lastDescribedRow = -1;

GUI_ParamTable::GUI_ParamTable(QWidget* parent)
    : WidgetBase(parent)
    , ui(new Ui::GUI_ParamTable)
{
    ui->setupUi(this);
    initForm();
}

GUI_ParamTable::~GUI_ParamTable()
{
    forgetDescribedRow();
    emit sig_printParma(QString());
    delete ui;
}

void GUI_ParamTable::initForm()
{
    setButtonCursors();
    setIcons();
    buildMenus();

    tableBatch = new TableBatch(this);
    connect(tableBatch, &TableBatch::consoleLine, this,
        [this](const QString& text) { emit sig_printToConsole(text); });
    parameters = new ParameterSet(this);
    QList<DefinitionError> errors;
    parameters->load(Global::instance()->configPath(), &errors);
    for (const DefinitionError& error : qAsConst(errors))
        reportDefinitionError(error);

    tableModel = new ParamTableModel(parameters, this);
    filter = new ParamFilterProxy(this);
    filter->setSourceModel(tableModel);
    ui->tableView->setModels(tableModel, filter);
    ui->tableView->setItemDelegateForColumn(ParamTableModel::SettingColumn, new WidgetDelegate(this));

    treeModel = new QStandardItemModel(this);
    treeModel->setHorizontalHeaderLabels({ tr("Parameter group") });
    ui->treeView->setModel(treeModel);
    ui->treeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTreeViewRowItems(0);

    connect(ui->tableView, &ParamTableView::rowClicked, this, &GUI_ParamTable::describeRow);
    connect(ui->treeView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &GUI_ParamTable::treeViewCurrentRowChanged);

    realtimeTimer = new QTimer(this);
    realtimeTimer->setInterval(realtimeIntervalMs);
    connect(realtimeTimer, &QTimer::timeout, this, &GUI_ParamTable::realtimeRefresh);
    connectEvent(Communication::instance()->commState());
}

void GUI_ParamTable::setIcons()
{
    const QList<QPair<QAbstractButton*, const char*>> icons = { { ui->Btn_OpenParam, "Import.png" },
        { ui->Btn_CompareFile, "CompareFile.png" }, { ui->Btn_SaveParam, "Export.png" },
        { ui->Btn_Restore, "Factory.png" }, { ui->Btn_SelectAll, "SelectAll.png" },
        { ui->Btn_Apply, "Write.png" }, { ui->Btn_Refresh, "Read.png" }, { ui->Btn_Compare, "Filter.png" },
        { ui->Btn_Admin, "Admin.png" } };
    for (const auto& icon : icons)
        icon.first->setIcon(QIcon(iconFolder + QLatin1String(icon.second)));
    ui->Pic_Search->setPixmap(QPixmap(iconFolder + QStringLiteral("Search.png")));
    const QList<QPair<QLabel*, QColor>> swatches = { { ui->Pic_Notmodifiable,
                                                         ParamTableModel::readOnlyColor() },
        { ui->Pic_OperationFailed, ParamTableModel::stateColor(State::ReadFailed) },
        { ui->Pic_InconsistentWithFactoryValue, ParamTableModel::stateColor(State::DiffersFromFactory) },
        { ui->Pic_RealTimeRefresh, ParamTableModel::stateColor(State::Realtime) } };
    for (const auto& swatch : swatches) {
        QPalette palette = swatch.first->palette();
        palette.setColor(QPalette::Window, swatch.second);
        swatch.first->setPalette(palette);
        swatch.first->setAutoFillBackground(true);
    }
    // After the swatches: measuring polishes the labels, and a palette set after that is lost.
    // The strip keeps its natural width and is clipped at the right on a screen narrower than it,
    // instead of forcing the page (and the table's value columns) wider than the screen.
    ui->Wgt_ToolStrip->setFixedHeight(ui->Wgt_ToolStripContent->sizeHint().height());
    ui->Wgt_ToolStrip->installEventFilter(this);
}

void GUI_ParamTable::buildMenus()
{
    menuFilter = new QMenu(this);
    comparisonOf.insert(menuFilter->addAction(tr("The setting value is inconsistent with the current value")),
        ParameterSet::Comparison::SettingNotCurrent);
    comparisonOf.insert(menuFilter->addAction(tr("The setting value is inconsistent with the factory value")),
        ParameterSet::Comparison::SettingNotFactory);
    comparisonOf.insert(menuFilter->addAction(tr("The current value is inconsistent with the factory value")),
        ParameterSet::Comparison::CurrentNotFactory);
    actionChecked = menuFilter->addAction(tr("Displays the check parameters"));
    actionFailed = menuFilter->addAction(tr("Filter failed items"));
    connect(menuFilter, &QMenu::triggered, this, &GUI_ParamTable::menuFilterTriggered);
    ui->Btn_Compare->setMenu(menuFilter);
    connect(ui->Btn_Compare, &QToolButton::clicked, this, &GUI_ParamTable::viewDataRecover);

    menuApply = new QMenu(this);
    applyGroup = new QActionGroup(this);
    actionWriteChecked = menuApply->addAction(tr("Write only the checked option"));
    actionWritePage = menuApply->addAction(tr("Write the current page"));
    for (QAction* action : { actionWriteChecked, actionWritePage })
        applyGroup->addAction(action)->setCheckable(true);
    actionWriteChecked->setChecked(true);
    ui->Btn_Apply->setMenu(menuApply);

    menuRefresh = new QMenu(this);
    refreshGroup = new QActionGroup(this);
    actionReadChecked = menuRefresh->addAction(tr("Read only the checked option"));
    actionReadPage = menuRefresh->addAction(tr("Read the current page"));
    actionReadAll = menuRefresh->addAction(tr("Read all pages"));
    for (QAction* action : { actionReadChecked, actionReadPage, actionReadAll })
        refreshGroup->addAction(action)->setCheckable(true);
    actionReadChecked->setChecked(true);
    ui->Btn_Refresh->setMenu(menuRefresh);
}

bool GUI_ParamTable::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Wgt_ToolStrip && event->type() == QEvent::Resize) {
        const int width = qMax(ui->Wgt_ToolStrip->width(), ui->Wgt_ToolStripContent->sizeHint().width());
        ui->Wgt_ToolStripContent->setGeometry(0, 0, width, ui->Wgt_ToolStrip->height());
    }
    return WidgetBase::eventFilter(watched, event);
}

void GUI_ParamTable::connectEvent(Communication::CommState state)
{
    if (state == Communication::COMM_CONNECTED) {
        if (!realtimeTimer->isActive())
            realtimeTimer->start(realtimeIntervalMs);
        return;
    }
    realtimeTimer->stop();
    // The service drops the queued requests of a broken link, and a closed link answers nothing
    // more; a progress dialog waiting for them would block the window for good.
    if (state == Communication::COMM_WAITING || state == Communication::COMM_DISCONNECT)
        tableBatch->discard();
}

void GUI_ParamTable::setTreeViewRowItems(int authority)
{
    treeModel->removeRows(0, treeModel->rowCount());
    auto* root = new QStandardItem(tr("System parameters"));
    root->setData(tr("All"), groupNameRole);
    const QVector<ParamGroupStruct> groups = parameters->groups(authority != 0);
    for (const ParamGroupStruct& group : groups) {
        const QString text = group.description.isEmpty()
            ? group.name
            : group.name + QStringLiteral("  (") + group.description + QLatin1Char(')');
        auto* child = new QStandardItem(QIcon(iconFolder + QStringLiteral("ParamGroup.png")), text);
        child->setData(group.name, groupNameRole);
        root->appendRow(child);
    }
    treeModel->appendRow(root);
    ui->treeView->expandAll();
}

void GUI_ParamTable::setTableViewRowItems(int authority)
{
    viewDataRecover();
    forgetDescribedRow();
    parameters->build(authority != 0);
}

bool GUI_ParamTable::isRowHiddenByFilter(int row, QAction* action) const
{
    if (action == actionChecked)
        return !tableModel->isChecked(row);
    if (action == actionFailed)
        return !ParameterSet::isFailure(parameters->row(row).state);
    const auto comparison = comparisonOf.constFind(action);
    return comparison != comparisonOf.constEnd() && !parameters->differs(row, comparison.value());
}

void GUI_ParamTable::menuFilterTriggered(QAction* action)
{
    ui->tableView->hideRows([this, action](int row) { return isRowHiddenByFilter(row, action); });
}

void GUI_ParamTable::viewDataRecover()
{
    ui->tableView->showHiddenRows();
}

void GUI_ParamTable::menuApplyTriggered(QAction* action)
{
    if (!checkConnected())
        return;
    ParamRequests writes;
    if (action == actionWriteChecked || action == actionWritePage)
        writes = parameters->writeRequests(ui->tableView->viewRows(action == actionWriteChecked));
    tableBatch->setCodes(writes, State::WriteFailed);
    tableBatch->run(ParameterBatch::Kind::Write, writes, tr("Parameter write, number of parameters"),
        tr("Parameter uploading"));
}

void GUI_ParamTable::menuRefreshTriggered(QAction* action)
{
    if (!checkConnected())
        return;
    QVector<int> rows;
    if (action == actionReadChecked || action == actionReadPage)
        rows = ui->tableView->viewRows(action == actionReadChecked);
    else if (action == actionReadAll)
        rows = parameters->allRows();
    const ParamRequests reads = parameters->readRequests(rows);
    tableBatch->setCodes(reads, State::ReadFailed);
    tableBatch->run(ParameterBatch::Kind::Read, reads, tr("Parameter read, number of parameters"),
        tr("Parameter loading"));
}

void GUI_ParamTable::treeViewCurrentRowChanged(QModelIndex current, QModelIndex previous)
{
    Q_UNUSED(previous)
    QStandardItem* item = treeModel->itemFromIndex(current);
    if (!item)
        return;
    viewDataRecover();
    const QString group = item->data(groupNameRole).toString();
    if (group.isEmpty())
        return;
    forgetDescribedRow();
    filter->setGroup(group == tr("All") ? QString() : group);
}

void GUI_ParamTable::on_Lbx_ProxyModel_textChanged(QString arg1)
{
    viewDataRecover();
    forgetDescribedRow();
    filter->setSearch(arg1);
}

void GUI_ParamTable::describeRow(int viewRow)
{
    if (viewRow == lastDescribedRow)
        return;
    lastDescribedRow = viewRow;
    emit sig_printParma(parameters->row(ui->tableView->modelRow(viewRow)).attribute.toolTips);
}

// The same view row shows another parameter once the group, search or table changes, so the
// description has to be sent again for it.
void GUI_ParamTable::forgetDescribedRow()
{
    lastDescribedRow = -1;
}

void GUI_ParamTable::on_Btn_SelectAll_clicked()
{
    ui->tableView->toggleAllChecks();
}

QString GUI_ParamTable::askSaveFileName(const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getSaveFileName(this, caption, dir, filter);
}

QString GUI_ParamTable::askOpenFileName(const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getOpenFileName(this, caption, dir, filter);
}

void GUI_ParamTable::on_Btn_SaveParam_clicked()
{
    if (!checkConnected())
        return;
    const QByteArray document = parameters->exportDocument(Global::instance()->device());
    const QString path = askSaveFileName(tr("Export File"), desktop(), fileFilter);
    if (!path.isEmpty() && !ParamFile::writeDocument(path, document))
        emit sig_showMessageBox(tr("Export failed"), Global::MESSAGE_WARNNING);
}

bool GUI_ParamTable::openParameterFile(
    const QString& caption, const QString& failed, const QString& mismatch, QJsonObject* file)
{
    const QString path = askOpenFileName(caption, desktop(), fileFilter);
    if (path.isEmpty())
        return false;
    switch (ParamFile::readDocument(path, Global::instance()->device(), file)) {
    case ParamFile::ReadResult::Failed:
        emit sig_showMessageBox(failed, Global::MESSAGE_WARNNING);
        return false;
    case ParamFile::ReadResult::Mismatch:
        emit sig_showMessageBox(mismatch, Global::MESSAGE_WARNNING);
        return false;
    case ParamFile::ReadResult::Ok:
        break;
    }
    return true;
}

void GUI_ParamTable::on_Btn_OpenParam_clicked()
{
    QJsonObject file;
    if (!checkConnected()
        || !openParameterFile(
            tr("Import File"), tr("Import failed"), tr("Import failed, the file does not match"), &file))
        return;
    const ParamRequests writes = parameters->importValues(file);
    tableBatch->setCodes(writes, State::WriteFailed);
    if (writes.isEmpty())
        return;
    const QMessageBox::StandardButton answer = QMessageBox::warning(this, tr("Tips"),
        tr("The parameters are imported, Do you wish to perform the write?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    // The link may have gone while the question was open; writes sent now would be dropped and
    // the progress dialog would wait for answers that never come.
    if (answer == QMessageBox::Yes && checkConnected())
        tableBatch->run(ParameterBatch::Kind::Write, writes, tr("Parameters import, number of parameters"),
            tr("Parameters are importing"));
}

void GUI_ParamTable::on_Btn_CompareFile_clicked()
{
    QJsonObject file;
    if (!checkConnected()
        || !openParameterFile(tr("Compare with file"), tr("Comparison failed"),
            tr("Comparison failed, the file does not match"), &file))
        return;
    const auto comparison = std::make_shared<FileComparison>(*parameters, file);
    if (comparison->reads().isEmpty()) {
        emit sig_showMessageBox(
            tr("The file holds no value to compare with the drive"), Global::MESSAGE_WARNNING);
        return;
    }
    // The dialog shows its own answers; the realtime refresh waits while it is open, as during a batch.
    tableBatch->setCodes({}, State::ReadFailed);
    operationBusy = true;
    auto* dialog = new ParamCompareDialog(parameters, comparison, this);
    connect(dialog, &ParamCompareDialog::sig_printToConsole, this, &WidgetBase::sig_printToConsole);
    connect(dialog, &QDialog::finished, this, [this] { operationBusy = false; });
    dialog->open();
    dialog->readDriveValues();
}

void GUI_ParamTable::on_Btn_Apply_clicked()
{
    menuApplyTriggered(applyGroup->checkedAction());
}

void GUI_ParamTable::on_Btn_Refresh_clicked()
{
    menuRefreshTriggered(refreshGroup->checkedAction());
}

void GUI_ParamTable::on_Btn_Restore_clicked()
{
    if (!checkConnected())
        return;
    auto* command = new Command(this);
    command->restoreFactoryParameters();
}

void GUI_ParamTable::on_Btn_Admin_clicked()
{
    operationBusy = true;
    bool accepted = false;
    const QString password = QInputDialog::getText(
        this, tr("Administrator"), tr("Permission password"), QLineEdit::Password, QString(), &accepted);
    if (accepted && password == administratorPassword) {
        setTreeViewRowItems(1);
        setTableViewRowItems(1);
        ui->Btn_Admin->setEnabled(false);
        realtimeTimer->stop();
        connectEvent(Communication::instance()->commState());
    } else if (accepted && !password.isEmpty()) {
        QMessageBox::information(
            this, tr("Tips"), tr("The password is incorrect") + QStringLiteral("."), QMessageBox::Ok);
    }
    operationBusy = false;
}

void GUI_ParamTable::resultCallBackEvent(QString tag, QVector<quint16> values)
{
    parameters->applyRescales(tag, values);
    if (!isCurrentPage())
        return;
    const int row = tableBatch->shows(tag) ? parameters->rowOf(tag) : -1;
    if (row >= 0)
        parameters->applyAnswer(row, values, tableBatch->failure());
    else
        parameters->applyRealtimeBlock(tag, values);
}

void GUI_ParamTable::realtimeRefresh()
{
    if (operationBusy || tableBatch->isBusy() || !isCurrentPage()
        || Global::instance()->device() != Global::DEVICE_VFD)
        return;
    const QVector<RealtimeRefresh::Block> blocks = RealtimeRefresh::blocks();
    for (const RealtimeRefresh::Block& block : blocks)
        Communication::instance()->sendRead(block.tag, block.address, block.count);
}
