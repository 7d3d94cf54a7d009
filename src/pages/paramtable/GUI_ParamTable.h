// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/Communication.h"
#include "engine/ParameterSet.h"
#include "ui/WidgetBase.h"

#include <QHash>
#include <QJsonObject>
#include <QModelIndex>
#include <QVector>

class ParamFilterProxy;
class ParamTableModel;
class QAction;
class QActionGroup;
class QMenu;
class QStandardItemModel;
class QTimer;
class TableBatch;

namespace Ui {
class GUI_ParamTable;
}

// The parameter table: every parameter of the drive's ParamTable.xml by group, read and written in
// batches of one-register requests tagged with the parameter code, compared against factory values
// and against parameter files, exported to and imported from JSON parameter files. On a VFD the
// monitoring group "D0" refreshes itself while the page is on screen. What the values mean lives in
// the parameter engine; the page shows it and asks the engineer.
class GUI_ParamTable : public WidgetBase
{
    Q_OBJECT
public:
    explicit GUI_ParamTable(QWidget* parent = nullptr);
    ~GUI_ParamTable() override;

    ParamTableModel* model() const { return tableModel; }

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
    void menuFilterTriggered(QAction* action);
    void menuApplyTriggered(QAction* action);
    void menuRefreshTriggered(QAction* action);
    void viewDataRecover();
    void treeViewCurrentRowChanged(QModelIndex current, QModelIndex previous);
    void on_Lbx_ProxyModel_textChanged(QString arg1);
    void on_Btn_SelectAll_clicked();
    void on_Btn_OpenParam_clicked();
    void on_Btn_SaveParam_clicked();
    void on_Btn_CompareFile_clicked();
    void on_Btn_Apply_clicked();
    void on_Btn_Refresh_clicked();
    void on_Btn_Restore_clicked();
    void on_Btn_Admin_clicked();
    void resultCallBackEvent(QString tag, QVector<quint16> values) override;

private:
    void setIcons();
    void buildMenus();
    void describeRow(int viewRow);
    void realtimeRefresh();
    bool isRowHiddenByFilter(int row, QAction* action) const;
    void forgetDescribedRow();
    bool openParameterFile(
        const QString& caption, const QString& failed, const QString& mismatch, QJsonObject* file);

    Ui::GUI_ParamTable* ui;

    ParameterSet* parameters = nullptr;
    ParamTableModel* tableModel = nullptr;
    ParamFilterProxy* filter = nullptr;
    QStandardItemModel* treeModel = nullptr;

    QMenu* menuFilter = nullptr;
    QMenu* menuApply = nullptr;
    QMenu* menuRefresh = nullptr;
    QHash<QAction*, ParameterSet::Comparison> comparisonOf;
    QAction* actionChecked = nullptr;
    QAction* actionFailed = nullptr;
    QActionGroup* applyGroup = nullptr;
    QAction* actionWriteChecked = nullptr;
    QAction* actionWritePage = nullptr;
    QActionGroup* refreshGroup = nullptr;
    QAction* actionReadChecked = nullptr;
    QAction* actionReadPage = nullptr;
    QAction* actionReadAll = nullptr;

    TableBatch* tableBatch = nullptr;
    // While the password or file-comparison dialog is open; suppresses the realtime refresh.
    bool operationBusy = false;
    QTimer* realtimeTimer = nullptr;

    // The last view row whose description went to the description dock, shared by all instances.
    static int lastDescribedRow;
};
