#pragma once

#include "comm/Communication.h"
#include "definitions/DefinitionRecords.h"
#include "ui/WidgetBase.h"

#include <QColor>
#include <QHash>
#include <QModelIndex>
#include <QVector>

class CustomPlot;
class GUI_ScopeNonius;
class QTimer;

namespace Ui {
class GUI_Scope;
}

// The oscilloscope page: up to four variables of the drive's Variables.xml ticked in a table are
// read again and again over the bus (one read per variable per tick, tagged "AID=<row>") and drawn
// against a time base that advances only while sampling.
class GUI_Scope : public WidgetBase
{
    Q_OBJECT
public:
    explicit GUI_Scope(QWidget* parent = nullptr);
    ~GUI_Scope() override;

    CustomPlot* plot() const { return m_plot; }
    const QVector<VariableRecord>& variableRecords() const { return variables; }
    QTimer* timer() const { return pollTimer; }
    GUI_ScopeNonius* nonius() const { return noniusDialog; }

    static constexpr int maxChannels = 4;
    static constexpr int pollMsPerChannel = 50;

protected:
    // The colour dialog; tests replace it because a native dialog cannot be driven reliably.
    virtual QColor askColor(const QColor& initial);

private slots:
    void initForm();
    void on_Btn_StartContinue_clicked();
    void on_Btn_Stop_clicked();
    void on_Btn_ShowLegend_clicked(bool checked);
    void on_Btn_ClearGraph_clicked();
    void on_Btn_Adaptation_clicked();
    void on_Btn_CursorTracer_clicked(bool checked);
    void on_Btn_SrmZoom_clicked(bool checked);
    void on_Btn_SrmDrag_clicked(bool checked);
    void on_Btn_SrmSelect_clicked(bool checked);
    void on_Btn_Nonius_clicked(bool checked);
    void on_Btn_Setting_clicked();
    void on_Btn_Import_clicked();
    void on_Btn_Export_clicked();
    void on_Btn_Screenshot_clicked();
    void slot_cbxChannle_CurrentIndexChangedt(int index);
    void slot_tableWidget_CellClicked(int row, int colum);
    void slot_tableWidget_DoubleClicked(QModelIndex index);
    void slot_tableWidget_CellChanged(int row, int colum);
    void slot_timeOut();
    void connectEvent(Communication::CommState state) override;
    void resultCallBackEvent(QString str, QVector<quint16> data) override;

private:
    void assignColors();
    void fillTable();
    void showStartButton();
    void applyDecimalOverrides(const QString& tag, const QVector<quint16>& data);
    void readCompleted(quint64 request, const QString& tag);
    int channelOfTag(const QString& tag) const;

    Ui::GUI_Scope* ui;
    QVector<VariableRecord> variables;
    CustomPlot* m_plot = nullptr;
    QTimer* pollTimer = nullptr;
    GUI_ScopeNonius* noniusDialog = nullptr;
    // Channel -> number of its read still on the bus. A channel whose last read has not come back
    // skips the tick: a bus slower than the poll (low baud rate, a drive answering late) would
    // otherwise pile up reads without end, and every other page's request would wait behind them.
    QHash<int, quint64> pendingReads;
};
