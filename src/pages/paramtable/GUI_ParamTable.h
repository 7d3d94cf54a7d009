#pragma once

#include "comm/Communication.h"
#include "definitions/DefinitionRecords.h"
#include "ui/WidgetBase.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QMap>
#include <QModelIndex>
#include <QMultiMap>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <QVector>

class Parameter;
class QAction;
class QActionGroup;
class QMenu;
class QProgressDialog;
class QSortFilterProxyModel;
class QStandardItem;
class QStandardItemModel;
class QTimer;
class WidgetDelegate;

namespace Ui {
class GUI_ParamTable;
}

// The parameter table: every parameter of the drive's ParamTable.xml by group, read and written in
// batches of one-register requests tagged with the parameter code, compared against factory values,
// exported to and imported from JSON parameter files. On a VFD the monitoring group "D0" refreshes
// itself while the page is on screen.
class GUI_ParamTable : public WidgetBase
{
    Q_OBJECT
public:
    explicit GUI_ParamTable(QWidget* parent = nullptr);
    ~GUI_ParamTable() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The file dialogs of the parameter files; tests replace them because native dialogs cannot be
    // driven reliably.
    virtual QString askSaveFileName(const QString& caption, const QString& dir, const QString& filter);
    virtual QString askOpenFileName(const QString& caption, const QString& dir, const QString& filter);

private slots:
    void initForm();
    void connectEvent(Communication::CommState state) override;
    void setTreeViewRowItems(int authority);
    void setTableViewRowItems(int authority);
    void setItemsPrecision(int itemIndex, int precision, QString unit);
    void setItemsPrecision(int itemIndex, int precision);
    QStandardItem* getCurrentItem(int row, int column);
    QStandardItem* getCurrentItem(QModelIndex index);
    void getReadItemsData(int index, QStringList& listCodeName, QList<quint16>& listCode);
    void getWriteItemsData(
        int index, QStringList& listCodeName, QList<quint16>& listCode, QList<quint16>& listValue);
    void menuFilterTriggered(QAction* action);
    void menuApplyTriggered(QAction* action);
    void menuRefreshTriggered(QAction* action);
    void viewDataRecover();
    void showProgressDialog(QString text, int min, int max);
    void treeViewCurrentRowChanged(QModelIndex current, QModelIndex previous);
    void on_Lbx_ProxyModel_textChanged(QString arg1);
    void on_Btn_SelectAll_clicked();
    void on_Btn_OpenParam_clicked();
    void on_Btn_SaveParam_clicked();
    void on_Btn_Apply_clicked();
    void on_Btn_Refresh_clicked();
    void on_Btn_Restore_clicked();
    void on_Btn_Admin_clicked();
    void resultCallBackEvent(QString tag, QVector<quint16> values) override;

private:
    void tableViewClicked(const QModelIndex& index);
    void realtimeRefresh();
    void discardProgressDialog();
    void setBatch(const QStringList& codes);
    void addBatchRequest(quint64 request);
    void requestCompleted(quint64 request);
    void applyAnswer(const QString& tag, const QVector<quint16>& values);
    void applyRealtimeBlock(const QString& tag, const QVector<quint16>& values);
    void applyDrivePrecision(quint16 driveSize);
    void applyControlFunctions(const QString& tag, int value);
    void paintAgainstFactory(QStandardItem* current, const QString& value, const QString& factory);
    void showImportedValue(int row, const QString& text);
    void forgetDescribedRow();
    bool isRowHiddenByFilter(int viewRow, QAction* action);
    int viewRowCount() const;

    Ui::GUI_ParamTable* ui;

    QStandardItemModel* tableModel = nullptr;
    QStandardItemModel* treeModel = nullptr;
    QSortFilterProxyModel* groupFilter = nullptr;
    QSortFilterProxyModel* searchFilter = nullptr;
    WidgetDelegate* delegate = nullptr;

    QMenu* menuFilter = nullptr;
    QMenu* menuApply = nullptr;
    QMenu* menuRefresh = nullptr;
    QAction* actionSettingNotCurrent = nullptr;
    QAction* actionSettingNotFactory = nullptr;
    QAction* actionCurrentNotFactory = nullptr;
    QAction* actionChecked = nullptr;
    QAction* actionFailed = nullptr;
    QActionGroup* applyGroup = nullptr;
    QAction* actionWriteChecked = nullptr;
    QAction* actionWritePage = nullptr;
    QActionGroup* refreshGroup = nullptr;
    QAction* actionReadChecked = nullptr;
    QAction* actionReadPage = nullptr;
    QAction* actionReadAll = nullptr;

    Parameter* parameter = nullptr;
    QMultiMap<QString, ControlFunctionRecord> controlFunctions;
    QStringList listCodeName;
    QSet<QString> batchCodes; // listCodeName as a set: answers look their tag up in it
    QSet<quint64> batchRequests; // request numbers of the batch still unanswered
    QHash<QString, int> firstRowOfCode;
    QList<int> hiddenRows;
    QMap<int, QPair<QStandardItem*, QStandardItem*>> realtimeItems;
    QProgressDialog* progressDialog = nullptr;
    int progressCount = 0;
    bool operationBusy = false;
    QTimer* realtimeTimer = nullptr;
    QStandardItem* lastCheckItem = nullptr;

    QColor colorNormal;
    QColor colorReadOnly;
    QColor colorFailed;
    QColor colorRealtime;
    QColor colorFactoryDiff;

    // The last view row whose description went to the description dock, shared by all instances.
    static int lastDescribedRow;
};
