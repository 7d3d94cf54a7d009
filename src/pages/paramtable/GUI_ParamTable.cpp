#include "GUI_ParamTable.h"
#include "ui_GUI_ParamTable.h"

#include "Global.h"
#include "Xml.h"
#include "comm/DriveRegisters.h"
#include "ui/Command.h"
#include "definitions/Parameter.h"
#include "definitions/ValueFormat.h"
#include "engine/ParamFile.h"
#include "pages/paramtable/WidgetDelegate.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

constexpr int columnCount = 11;
constexpr int colCheck = 0;
constexpr int colCode = 1;
constexpr int colSetting = 3;
constexpr int colCurrent = 4;
constexpr int colFactory = 5;
constexpr int colMin = 6;
constexpr int colMax = 7;
constexpr int colUnits = 8;

constexpr int groupCodeRole = Qt::UserRole + 1; // column 1
constexpr int attributeRole = Qt::UserRole + 1; // column 3
constexpr int rawValueRole = Qt::UserRole + 2; // column 3
constexpr int groupNameRole = Qt::UserRole + 1; // tree

const int columnWidths[columnCount] = { 25, 60, 220, 180, 180, 70, 70, 70, 70, 150, 150 };

const QString iconFolder = QStringLiteral(":/Icon/Images/Icon_16x16/");
const QString administratorPassword = QStringLiteral("Tqmar5173");
const QString realtimeTagPrefix = QStringLiteral("ARefresh");
const QString monitoringGroup = QStringLiteral("D0");
constexpr int realtimeBlocks = 5;
constexpr int realtimeBlockSize = 12;
constexpr int realtimeIntervalMs = 2500;
constexpr int progressTickMs = 100;

quint8 formatValue(const QString& text)
{
    return quint8(text.toUInt());
}

ParamAttributeStruct attributeOf(const QStandardItem* setting)
{
    return setting ? setting->data(attributeRole).value<ParamAttributeStruct>() : ParamAttributeStruct();
}

bool isPaintedWith(const QStandardItem* item, const QColor& color)
{
    const QVariant background = item->data(Qt::BackgroundRole);
    if (!background.isValid())
        return false;
    const QBrush brush = background.value<QBrush>();
    return brush.style() != Qt::NoBrush && brush.color() == color;
}

QStandardItem* fixedItem(const QString& text = QString())
{
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    return item;
}

// Re-expresses a shown number under a new count of decimals. An empty text stays empty: it means
// "no value", and turning it into 0 would colour a parameter without factory value as different.
QString rescaledText(const QString& text, quint8 oldPrecision, quint8 newPrecision)
{
    if (text.isEmpty())
        return text;
    return rawToText(floatToRaw(text.toFloat(), oldPrecision), newPrecision);
}

} // namespace

int GUI_ParamTable::lastDescribedRow = -1;

GUI_ParamTable::GUI_ParamTable(QWidget* parent)
    : WidgetBase(parent)
    , ui(new Ui::GUI_ParamTable)
{
    ui->setupUi(this);
    colorNormal = QColor(QStringLiteral("#FFFFFF"));
    colorReadOnly = QColor(QStringLiteral("#C6C6C7"));
    colorFailed = QColor(QStringLiteral("#BDB76B"));
    colorRealtime = QColor(QStringLiteral("#CCE8FF"));
    colorFactoryDiff = QColor(QStringLiteral("#EFE4B0"));
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
    ui->Btn_OpenParam->setIcon(QIcon(iconFolder + QStringLiteral("Import.png")));
    ui->Btn_SaveParam->setIcon(QIcon(iconFolder + QStringLiteral("Export.png")));
    ui->Btn_Restore->setIcon(QIcon(iconFolder + QStringLiteral("Factory.png")));
    ui->Btn_SelectAll->setIcon(QIcon(iconFolder + QStringLiteral("SelectAll.png")));
    ui->Btn_Apply->setIcon(QIcon(iconFolder + QStringLiteral("Write.png")));
    ui->Btn_Apply->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ui->Btn_Apply->setPopupMode(QToolButton::MenuButtonPopup);
    ui->Btn_Refresh->setIcon(QIcon(iconFolder + QStringLiteral("Read.png")));
    ui->Btn_Refresh->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ui->Btn_Refresh->setPopupMode(QToolButton::MenuButtonPopup);
    ui->Btn_Compare->setIcon(QIcon(iconFolder + QStringLiteral("Filter.png")));
    ui->Btn_Compare->setPopupMode(QToolButton::MenuButtonPopup);
    ui->Btn_Admin->setIcon(QIcon(iconFolder + QStringLiteral("Admin.png")));
    ui->Pic_Search->setPixmap(QPixmap(iconFolder + QStringLiteral("Search.png")));
    const QList<QPair<QLabel*, QColor>> swatches = { { ui->Pic_Notmodifiable, colorReadOnly },
        { ui->Pic_OperationFailed, colorFailed }, { ui->Pic_InconsistentWithFactoryValue, colorFactoryDiff },
        { ui->Pic_RealTimeRefresh, colorRealtime } };
    for (const auto& swatch : swatches) {
        QPalette palette = swatch.first->palette();
        palette.setColor(QPalette::Window, swatch.second);
        swatch.first->setPalette(palette);
        swatch.first->setAutoFillBackground(true);
    }
    // After the swatches: measuring polishes the labels, and a palette set after that is lost.
    // The strip keeps its natural width and is clipped at the right on a screen narrower than the
    // page, instead of forcing the page (and the table's value columns) wider than the screen.
    ui->Wgt_ToolStrip->setFixedHeight(ui->Wgt_ToolStripContent->sizeHint().height());
    ui->Wgt_ToolStrip->installEventFilter(this);

    menuFilter = new QMenu(this);
    actionSettingNotCurrent
        = menuFilter->addAction(tr("The setting value is inconsistent with the current value"));
    actionSettingNotFactory
        = menuFilter->addAction(tr("The setting value is inconsistent with the factory value"));
    actionCurrentNotFactory
        = menuFilter->addAction(tr("The current value is inconsistent with the factory value"));
    actionChecked = menuFilter->addAction(tr("Displays the check parameters"));
    actionFailed = menuFilter->addAction(tr("Filter failed items"));
    connect(menuFilter, &QMenu::triggered, this, &GUI_ParamTable::menuFilterTriggered);
    ui->Btn_Compare->setMenu(menuFilter);
    connect(ui->Btn_Compare, &QToolButton::clicked, this, &GUI_ParamTable::viewDataRecover);

    menuApply = new QMenu(this);
    applyGroup = new QActionGroup(this);
    applyGroup->setExclusive(true);
    actionWriteChecked = menuApply->addAction(tr("Write only the checked option"));
    actionWritePage = menuApply->addAction(tr("Write the current page"));
    for (QAction* action : { actionWriteChecked, actionWritePage }) {
        action->setCheckable(true);
        applyGroup->addAction(action);
    }
    actionWriteChecked->setChecked(true);
    ui->Btn_Apply->setMenu(menuApply);

    menuRefresh = new QMenu(this);
    refreshGroup = new QActionGroup(this);
    refreshGroup->setExclusive(true);
    actionReadChecked = menuRefresh->addAction(tr("Read only the checked option"));
    actionReadPage = menuRefresh->addAction(tr("Read the current page"));
    actionReadAll = menuRefresh->addAction(tr("Read all pages"));
    for (QAction* action : { actionReadChecked, actionReadPage, actionReadAll }) {
        action->setCheckable(true);
        refreshGroup->addAction(action);
    }
    actionReadChecked->setChecked(true);
    ui->Btn_Refresh->setMenu(menuRefresh);

    parameter = new Parameter(Global::instance()->configPath() + QStringLiteral("ParamTable.xml"), this);
    if (!parameter->load())
        reportDefinitionError(parameter->error());
    DefinitionError controlFunctionError;
    Xml::readControlFunctions(Global::instance()->configPath() + QStringLiteral("ControlFunction.xml"),
        controlFunctions, &controlFunctionError);
    reportDefinitionError(controlFunctionError);

    // The rows are built before any proxy watches the model: inserting thousands of rows under two
    // filters costs far more than filtering them once.
    tableModel = new QStandardItemModel(this);
    tableModel->setColumnCount(columnCount);
    tableModel->setHorizontalHeaderLabels(parameter->formatList());
    ui->tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    delegate = new WidgetDelegate(this);
    setTableViewRowItems(0);

    treeModel = new QStandardItemModel(this);
    treeModel->setHorizontalHeaderLabels({ tr("Parameter group") });
    ui->treeView->setModel(treeModel);
    ui->treeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTreeViewRowItems(0);

    connect(
        tableModel, &QStandardItemModel::itemChanged, this,
        [this](QStandardItem* item) {
            if (item->column() == colCheck)
                lastCheckItem = item;
        },
        Qt::DirectConnection);
    connect(ui->tableView, &QTableView::clicked, this, &GUI_ParamTable::tableViewClicked);
    connect(ui->treeView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &GUI_ParamTable::treeViewCurrentRowChanged);

    groupFilter = new QSortFilterProxyModel(this);
    groupFilter->setSourceModel(tableModel);
    groupFilter->setFilterKeyColumn(colCode);
    searchFilter = new QSortFilterProxyModel(this);
    searchFilter->setSourceModel(groupFilter);
    searchFilter->setFilterKeyColumn(-1);
    ui->tableView->setModel(searchFilter);
    // The header's own minimum follows the font and would widen the narrow check column.
    ui->tableView->horizontalHeader()->setMinimumSectionSize(
        *std::min_element(std::begin(columnWidths), std::end(columnWidths)));
    for (int column = 0; column < columnCount; ++column)
        ui->tableView->setColumnWidth(column, columnWidths[column]);

    realtimeTimer = new QTimer(this);
    realtimeTimer->setInterval(realtimeIntervalMs);
    connect(realtimeTimer, &QTimer::timeout, this, &GUI_ParamTable::realtimeRefresh);

    connect(Communication::instance(), &Communication::requestCompleted, this,
        [this](quint64 request) { requestCompleted(request); });

    connectEvent(Communication::instance()->commState());
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
        discardProgressDialog();
}

void GUI_ParamTable::setTreeViewRowItems(int authority)
{
    treeModel->removeRows(0, treeModel->rowCount());
    auto* root = new QStandardItem(tr("System parameters"));
    root->setData(tr("All"), groupNameRole);
    const QMap<int, ParamGroupStruct> groups = parameter->groups();
    for (const ParamGroupStruct& group : groups) {
        if (authority == 0 && group.authority == 1)
            continue;
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
    tableModel->removeRows(0, tableModel->rowCount());
    realtimeItems.clear();
    firstRowOfCode.clear();
    lastCheckItem = nullptr;
    forgetDescribedRow();

    const QMap<int, ParamGroupStruct> groups = parameter->groups();
    for (const ParamGroupStruct& group : groups) {
        if (authority == 0 && group.authority == 1)
            continue;
        for (const ParamAttributeStruct& attribute : group.params) {
            QList<QStandardItem*> items;
            auto* check = fixedItem();
            check->setCheckable(true);
            check->setCheckState(Qt::Unchecked);
            items << check;

            auto* code = fixedItem(attribute.name);
            code->setData(group.code, groupCodeRole);
            items << code << fixedItem(attribute.description);

            auto* setting = new QStandardItem;
            setting->setData(QVariant::fromValue(attribute), attributeRole);
            bool writableOk = false;
            const uint writable = attribute.writable.toUInt(&writableOk);
            if (writableOk && writable == 0) {
                setting->setEditable(false);
                setting->setBackground(colorReadOnly);
            }
            auto* current = fixedItem();
            items << setting << current << fixedItem(attribute.defaultValue) << fixedItem(attribute.min)
                  << fixedItem(attribute.max) << fixedItem(attribute.units);

            if (writableOk) {
                switch (quint8(writable)) {
                case 0:
                    items << fixedItem(tr("Read only"));
                    break;
                case 1:
                    items << fixedItem(tr("Downtime modification"));
                    break;
                case 2:
                    items << fixedItem(tr("Any modification"));
                    break;
                default:
                    break;
                }
            }
            bool effectOk = false;
            const uint effect = attribute.effect.toUInt(&effectOk);
            if (effectOk) {
                switch (effect) {
                case 0:
                    items << fixedItem();
                    break;
                case 1:
                    items << fixedItem(tr("Effective immediately"));
                    break;
                case 2:
                    items << fixedItem(tr("Effective after restart"));
                    break;
                default:
                    break;
                }
            }

            if (!firstRowOfCode.contains(attribute.name))
                firstRowOfCode.insert(attribute.name, tableModel->rowCount());
            tableModel->appendRow(items);
            if (group.name == monitoringGroup)
                realtimeItems.insert(realtimeItems.size(), qMakePair(setting, current));
        }
    }
    ui->tableView->setItemDelegateForColumn(colSetting, delegate);
}

void GUI_ParamTable::setItemsPrecision(int itemIndex, int precision, QString unit)
{
    QStandardItem* setting = tableModel->item(itemIndex, colSetting);
    if (!setting)
        return;
    ParamAttributeStruct attribute = attributeOf(setting);
    const quint8 oldPrecision = formatValue(attribute.format1);
    if (precision == int(oldPrecision))
        return;
    const quint8 newPrecision = quint8(precision);

    for (int column : { colFactory, colMin, colMax, colCurrent, colSetting }) {
        if (QStandardItem* item = tableModel->item(itemIndex, column))
            item->setText(rescaledText(item->text(), oldPrecision, newPrecision));
    }
    QStandardItem* units = tableModel->item(itemIndex, colUnits);
    if (!unit.isEmpty() && units)
        units->setText(unit);

    attribute.format1 = QString::number(precision);
    attribute.min = tableModel->item(itemIndex, colMin)->text();
    attribute.max = tableModel->item(itemIndex, colMax)->text();
    setting->setData(QVariant::fromValue(attribute), attributeRole);
}

void GUI_ParamTable::setItemsPrecision(int itemIndex, int precision)
{
    setItemsPrecision(itemIndex, precision, QString());
}

QStandardItem* GUI_ParamTable::getCurrentItem(int row, int column)
{
    return getCurrentItem(searchFilter->index(row, column));
}

QStandardItem* GUI_ParamTable::getCurrentItem(QModelIndex index)
{
    if (!index.isValid())
        return nullptr;
    return tableModel->itemFromIndex(groupFilter->mapToSource(searchFilter->mapToSource(index)));
}

void GUI_ParamTable::getReadItemsData(int index, QStringList& listCodeName, QList<quint16>& listCode)
{
    QStandardItem* code = getCurrentItem(index, colCode);
    if (!code)
        return;
    bool ok = false;
    const quint16 address = codeToAddress(code->data(groupCodeRole).toString(), code->text(), &ok);
    if (!ok)
        return;
    listCodeName << code->text();
    listCode << address;
}

void GUI_ParamTable::getWriteItemsData(
    int index, QStringList& listCodeName, QList<quint16>& listCode, QList<quint16>& listValue)
{
    QStandardItem* setting = getCurrentItem(index, colSetting);
    QStandardItem* code = getCurrentItem(index, colCode);
    if (!setting || !code)
        return;
    const QVariant raw = setting->data(rawValueRole);
    if (!raw.isValid())
        return;
    bool ok = false;
    const quint16 address = codeToAddress(code->data(groupCodeRole).toString(), code->text(), &ok);
    if (!ok)
        return;
    listCodeName << code->text();
    listCode << address;
    listValue << quint16(raw.toInt());
}

bool GUI_ParamTable::isRowHiddenByFilter(int viewRow, QAction* action)
{
    const QString setting = getCurrentItem(viewRow, colSetting)->text();
    const QString current = getCurrentItem(viewRow, colCurrent)->text();
    const QString factory = getCurrentItem(viewRow, colFactory)->text();
    const ParamAttributeStruct attribute = attributeOf(getCurrentItem(viewRow, colSetting));

    if (action == actionSettingNotCurrent)
        return setting == current;
    if (action == actionSettingNotFactory) {
        if (attribute.indexList.isEmpty() || setting.isEmpty() || factory.isEmpty())
            return setting == factory;
        return getCurrentItem(viewRow, colSetting)->data(rawValueRole).toInt() == factory.toInt();
    }
    if (action == actionCurrentNotFactory) {
        if (attribute.indexList.isEmpty() || current.isEmpty() || factory.isEmpty())
            return factory == current;
        for (const QStringList& entry : attribute.indexList) {
            if ((entry.value(0) == current || entry.value(1) == current) && entry.value(1) == factory)
                return true;
        }
        return false;
    }
    if (action == actionChecked)
        return getCurrentItem(viewRow, colCheck)->checkState() != Qt::Checked;
    if (action == actionFailed)
        return !isPaintedWith(getCurrentItem(viewRow, colCurrent), colorFailed);
    return false;
}

void GUI_ParamTable::menuFilterTriggered(QAction* action)
{
    if (!hiddenRows.isEmpty())
        viewDataRecover();
    const int rows = viewRowCount();
    for (int row = 0; row < rows; ++row) {
        if (isRowHiddenByFilter(row, action)) {
            ui->tableView->setRowHidden(row, true);
            hiddenRows << row;
        }
    }
}

void GUI_ParamTable::menuApplyTriggered(QAction* action)
{
    if (!checkConnected())
        return;
    QStringList codes;
    QList<quint16> addresses;
    QList<quint16> values;
    const int rows = viewRowCount();
    if (action == actionWriteChecked) {
        for (int row = 0; row < rows; ++row) {
            if (getCurrentItem(row, colCheck)->checkState() == Qt::Checked)
                getWriteItemsData(row, codes, addresses, values);
        }
    } else if (action == actionWritePage) {
        for (int row = 0; row < rows; ++row)
            getWriteItemsData(row, codes, addresses, values);
    }
    setBatch(codes);
    const int n = codes.size();
    if (n == 0)
        return;
    emit sig_printToConsole(
        tr("Parameter write, number of parameters") + QStringLiteral(": ") + QString::number(n));
    showProgressDialog(tr("Parameter uploading") + QStringLiteral("..."), 0, n);
    for (int i = 0; i < n; ++i)
        addBatchRequest(Communication::instance()->sendWrite(codes.at(i), addresses.at(i), values.at(i)));
}

void GUI_ParamTable::menuRefreshTriggered(QAction* action)
{
    if (!checkConnected())
        return;
    QStringList codes;
    QList<quint16> addresses;
    const int rows = viewRowCount();
    if (action == actionReadChecked) {
        for (int row = 0; row < rows; ++row) {
            if (getCurrentItem(row, colCheck)->checkState() == Qt::Checked)
                getReadItemsData(row, codes, addresses);
        }
    } else if (action == actionReadPage) {
        for (int row = 0; row < rows; ++row)
            getReadItemsData(row, codes, addresses);
    } else if (action == actionReadAll) {
        for (int row = 0; row < tableModel->rowCount(); ++row) {
            QStandardItem* code = tableModel->item(row, colCode);
            bool ok = false;
            const quint16 address = codeToAddress(code->data(groupCodeRole).toString(), code->text(), &ok);
            if (ok) {
                codes << code->text();
                addresses << address;
            }
        }
    }
    setBatch(codes);
    const int n = codes.size();
    if (n == 0)
        return;
    emit sig_printToConsole(
        tr("Parameter read, number of parameters") + QStringLiteral(": ") + QString::number(n));
    showProgressDialog(tr("Parameter loading") + QStringLiteral("..."), 0, n);
    for (int i = 0; i < n; ++i)
        addBatchRequest(Communication::instance()->sendRead(codes.at(i), addresses.at(i), 1));
}

void GUI_ParamTable::setBatch(const QStringList& codes)
{
    listCodeName = codes;
    batchCodes = QSet<QString>(codes.cbegin(), codes.cend());
    batchRequests.clear();
}

void GUI_ParamTable::addBatchRequest(quint64 request)
{
    if (request != 0)
        batchRequests.insert(request);
}

void GUI_ParamTable::requestCompleted(quint64 request)
{
    // Other senders use the batch's tags too (the VFD status poll reads "P0-19", "P0-22" and
    // "P7-12"), so only the batch's own request numbers count towards its progress. They count
    // also while another tab is on screen: each is answered once, and a batch waiting for it
    // again would hold its modal dialog for good.
    if (batchRequests.remove(request))
        ++progressCount;
}

void GUI_ParamTable::viewDataRecover()
{
    for (int row : qAsConst(hiddenRows))
        ui->tableView->setRowHidden(row, false);
    hiddenRows.clear();
}

void GUI_ParamTable::showProgressDialog(QString text, int min, int max)
{
    discardProgressDialog();
    progressCount = 0;
    operationBusy = true;

    auto* dialog = new QProgressDialog(this);
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setCancelButton(nullptr);
    dialog->setRange(min, max);
    dialog->setMinimumDuration(5);
    dialog->setWindowTitle(tr("Please wait"));
    dialog->setLabelText(text);
    auto* layout = new QVBoxLayout(dialog);
    if (auto* label = dialog->findChild<QLabel*>())
        layout->addWidget(label);
    if (auto* bar = dialog->findChild<QProgressBar*>())
        layout->addWidget(bar);
    dialog->setFixedSize(300, 80);
    progressDialog = dialog;
    dialog->show();

    auto* timer = new QTimer(dialog);
    connect(timer, &QTimer::timeout, this, [this, dialog, timer]() {
        if (dialog != progressDialog) {
            timer->stop();
            return;
        }
        dialog->setValue(progressCount);
        // setValue on a modal dialog runs the event loop, which may have ended the batch already.
        if (dialog != progressDialog)
            return;
        if (progressCount >= dialog->maximum()) {
            emit sig_printToConsole(tr("The operation is complete"));
            timer->stop();
            progressCount = 0;
            dialog->deleteLater();
            progressDialog = nullptr;
            operationBusy = false;
        }
    });
    timer->start(progressTickMs);
}

void GUI_ParamTable::discardProgressDialog()
{
    if (progressDialog) {
        progressDialog->hide();
        progressDialog->deleteLater();
        progressDialog = nullptr;
        progressCount = 0;
        operationBusy = false;
    }
}

void GUI_ParamTable::treeViewCurrentRowChanged(QModelIndex current, QModelIndex previous)
{
    Q_UNUSED(previous)
    QStandardItem* item = treeModel->itemFromIndex(current);
    if (!item)
        return;
    if (!hiddenRows.isEmpty())
        viewDataRecover();
    const QString group = item->data(groupNameRole).toString();
    if (group.isEmpty())
        return;
    forgetDescribedRow();
    groupFilter->setFilterRegularExpression(group == tr("All") ? QString() : group);
}

void GUI_ParamTable::on_Lbx_ProxyModel_textChanged(QString arg1)
{
    if (!hiddenRows.isEmpty())
        viewDataRecover();
    forgetDescribedRow();
    searchFilter->setFilterRegularExpression(arg1);
}

void GUI_ParamTable::tableViewClicked(const QModelIndex& index)
{
    if (index.column() == colCheck) {
        QStandardItem* item = getCurrentItem(index);
        if (item && item != lastCheckItem)
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        lastCheckItem = nullptr;
        return;
    }
    const int row = ui->tableView->currentIndex().row();
    if (row == lastDescribedRow)
        return;
    lastDescribedRow = row;
    emit sig_printParma(attributeOf(getCurrentItem(row, colSetting)).toolTips);
}

// The same view row shows another parameter once the group, search or table changes, so the
// description has to be sent again for it.
void GUI_ParamTable::forgetDescribedRow()
{
    lastDescribedRow = -1;
}

void GUI_ParamTable::on_Btn_SelectAll_clicked()
{
    const int rows = viewRowCount();
    for (int row = 0; row < rows; ++row) {
        QStandardItem* item = getCurrentItem(row, colCheck);
        if (item->checkState() == Qt::Checked) {
            for (int other = 0; other < rows; ++other)
                getCurrentItem(other, colCheck)->setCheckState(Qt::Unchecked);
            break;
        }
        item->setCheckState(Qt::Checked);
    }
    // Only a click on the check indicator may leave its item here; a stale one would swallow the
    // next click on that row's check cell.
    lastCheckItem = nullptr;
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
    QList<QPair<QString, QString>> codeValues;
    for (int row = 0; row < tableModel->rowCount(); ++row)
        codeValues << qMakePair(
            tableModel->item(row, colCode)->text(), tableModel->item(row, colCurrent)->text());
    const QByteArray document = ParamFile::buildDocument(Global::instance()->device(), codeValues);

    const QString path = askSaveFileName(tr("Export File"),
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        QStringLiteral("Json File(*.json)"));
    if (path.isEmpty())
        return;
    if (!ParamFile::writeDocument(path, document))
        emit sig_showMessageBox(tr("Export failed"), Global::MESSAGE_WARNNING);
}

void GUI_ParamTable::showImportedValue(int row, const QString& text)
{
    const ParamAttributeStruct attribute = attributeOf(tableModel->item(row, colSetting));
    QStandardItem* current = tableModel->item(row, colCurrent);
    const QString factory = tableModel->item(row, colFactory)->text();
    if (!attribute.indexList.isEmpty() && !text.isEmpty()) {
        const int entry = ParamFile::findIndexEntry(attribute.indexList, text);
        if (entry < 0)
            return;
        current->setText(attribute.indexList.at(entry).value(0));
        paintAgainstFactory(current, attribute.indexList.at(entry).value(1), factory);
        return;
    }
    current->setText(text);
    paintAgainstFactory(current, text, factory);
}

void GUI_ParamTable::on_Btn_OpenParam_clicked()
{
    if (!checkConnected())
        return;
    const QString path = askOpenFileName(tr("Import File"),
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        QStringLiteral("Json File(*.json)"));
    if (path.isEmpty())
        return;

    QJsonObject object;
    switch (ParamFile::readDocument(path, Global::instance()->device(), &object)) {
    case ParamFile::ReadResult::Failed:
        emit sig_showMessageBox(tr("Import failed"), Global::MESSAGE_WARNNING);
        return;
    case ParamFile::ReadResult::Mismatch:
        emit sig_showMessageBox(tr("Import failed, the file does not match"), Global::MESSAGE_WARNNING);
        return;
    case ParamFile::ReadResult::Ok:
        break;
    }

    QStringList codes;
    QList<quint16> addresses;
    QList<quint16> values;
    for (int row = 0; row < tableModel->rowCount(); ++row) {
        QStandardItem* codeItem = tableModel->item(row, colCode);
        const QString code = codeItem->text();
        if (!object.contains(code))
            continue;
        const ParamAttributeStruct attribute = attributeOf(tableModel->item(row, colSetting));
        const QString text = ParamFile::valueText(object, code);
        double x = 0;
        if (!text.isEmpty() && attribute.writable.toUInt() != 0 && ParamFile::importNumber(text, &x)) {
            bool ok = false;
            const quint16 address = codeToAddress(codeItem->data(groupCodeRole).toString(), code, &ok);
            if (ok) {
                codes << code;
                addresses << address;
                values << quint16(floatToRaw(float(x), formatValue(attribute.format1)));
            }
        }
        showImportedValue(row, text);
    }
    setBatch(codes);
    const int n = codes.size();
    if (n == 0)
        return;

    const QMessageBox::StandardButton answer = QMessageBox::warning(this, tr("Tips"),
        tr("The parameters are imported, Do you wish to perform the write?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    // The link may have gone while the question was open; writes sent now would be dropped and
    // the progress dialog would wait for answers that never come.
    if (!checkConnected())
        return;
    emit sig_printToConsole(
        tr("Parameters import, number of parameters") + QStringLiteral(": ") + QString::number(n));
    showProgressDialog(tr("Parameters are importing") + QStringLiteral("..."), 0, n);
    for (int i = 0; i < n; ++i)
        addBatchRequest(Communication::instance()->sendWrite(codes.at(i), addresses.at(i), values.at(i)));
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
    if (!values.isEmpty() && tag == QLatin1String("PF-01"))
        applyDrivePrecision(values.at(0));
    if (!values.isEmpty() && controlFunctions.contains(tag))
        applyControlFunctions(tag, values.at(0));
    if (!isCurrentPage())
        return;
    if (batchCodes.contains(tag))
        applyAnswer(tag, values);
    else if (tag.startsWith(realtimeTagPrefix))
        applyRealtimeBlock(tag, values);
}

void GUI_ParamTable::applyDrivePrecision(quint16 driveSize)
{
    struct Rule
    {
        const char* codes[4];
        int big;
        int small;
    };
    static const Rule rules[] = {
        { { "P1-03", "P1-10", "B2-03", "B2-10" }, 1, 2 },
        { { "P1-06", "P1-07", "B2-06", "B2-07" }, 4, 3 },
        { { "P1-08", "B2-08", nullptr, nullptr }, 3, 2 },
        { { "P1-09", "B2-09", nullptr, nullptr }, 2, 1 },
    };
    const bool big = driveSize > 21;
    QHash<QString, int> precisionOfCode;
    for (const Rule& rule : rules) {
        for (const char* code : rule.codes) {
            if (code)
                precisionOfCode.insert(QLatin1String(code), big ? rule.big : rule.small);
        }
    }
    for (int row = 0; row < tableModel->rowCount(); ++row) {
        const auto found = precisionOfCode.constFind(tableModel->item(row, colCode)->text());
        if (found != precisionOfCode.constEnd())
            setItemsPrecision(row, found.value());
    }
}

void GUI_ParamTable::applyControlFunctions(const QString& tag, int value)
{
    // values() lists the record read last first, so the record nearer the top of the file wins.
    const QList<ControlFunctionRecord> records = controlFunctions.values(tag);
    for (const ControlFunctionRecord& record : records) {
        const QStringList trigger = record.triggers.value(value);
        const QString unit = trigger.value(0);
        bool ok = false;
        const int precision = trigger.value(1).toInt(&ok);
        if (!ok)
            continue;
        for (int row = 0; row < tableModel->rowCount(); ++row) {
            if (record.effectCodes.contains(tableModel->item(row, colCode)->text()))
                setItemsPrecision(row, precision, unit);
        }
    }
}

void GUI_ParamTable::paintAgainstFactory(QStandardItem* current, const QString& value, const QString& factory)
{
    current->setBackground(value == factory || factory.isEmpty() ? colorNormal : colorFactoryDiff);
}

void GUI_ParamTable::applyAnswer(const QString& tag, const QVector<quint16>& values)
{
    const int row = firstRowOfCode.value(tag, -1);
    if (row < 0)
        return;
    const ParamAttributeStruct attribute = attributeOf(tableModel->item(row, colSetting));
    QStandardItem* current = tableModel->item(row, colCurrent);
    const QString factory = tableModel->item(row, colFactory)->text();

    if (values.isEmpty()) {
        current->setBackground(colorFailed);
    } else if (!attribute.indexList.isEmpty()) {
        const int entry = ParamFile::findIndexEntry(attribute.indexList, QString::number(values.at(0)));
        if (entry >= 0) {
            current->setText(attribute.indexList.at(entry).value(0));
            paintAgainstFactory(current, attribute.indexList.at(entry).value(1), factory);
        } else {
            current->setText(QString());
        }
    } else {
        const QString text
            = registersToText(values, formatValue(attribute.format1), formatValue(attribute.format2));
        current->setText(text);
        paintAgainstFactory(current, text, factory);
    }
}

void GUI_ParamTable::applyRealtimeBlock(const QString& tag, const QVector<quint16>& values)
{
    // "ARefresh[ss][cc]": the two digits of the first key and the two of the register count.
    bool startOk = false;
    bool countOk = false;
    const int start = tag.mid(realtimeTagPrefix.size() + 1, 2).toInt(&startOk);
    const int count = tag.mid(realtimeTagPrefix.size() + 5, 2).toInt(&countOk);
    if (!startOk || !countOk)
        return;
    for (int k = 0; k < count; ++k) {
        const auto found = realtimeItems.constFind(start + k);
        if (found == realtimeItems.constEnd())
            continue;
        QStandardItem* current = found.value().second;
        if (values.size() == count) {
            const ParamAttributeStruct attribute = attributeOf(found.value().first);
            current->setText(
                registerToText(values.at(k), formatValue(attribute.format1), formatValue(attribute.format2)));
            current->setBackground(colorRealtime);
        } else {
            current->setBackground(colorFailed);
        }
    }
}

void GUI_ParamTable::realtimeRefresh()
{
    if (operationBusy || !isCurrentPage() || Global::instance()->device() != Global::DEVICE_VFD)
        return;
    for (int block = 0; block < realtimeBlocks; ++block) {
        const int start = block * realtimeBlockSize;
        const QString tag = realtimeTagPrefix
            + QStringLiteral("[%1][%2]")
                  .arg(start, 2, 10, QLatin1Char('0'))
                  .arg(realtimeBlockSize, 2, 10, QLatin1Char('0'));
        Communication::instance()->sendRead(tag, quint16(DriveRegister::Vfd::Realtime + start), realtimeBlockSize);
    }
}

int GUI_ParamTable::viewRowCount() const
{
    return searchFilter->rowCount();
}
