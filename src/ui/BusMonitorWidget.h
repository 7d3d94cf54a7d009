// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BusMonitorCounters.h"
#include "BusMonitorModel.h"

#include <QString>
#include <QTimer>
#include <QWidget>

namespace Ui {
class BusMonitorWidget;
}

// The bus monitor dock's content: counters, Pause / Clear / Save as, a filter, and the list of
// every transaction the communication service reports.
class BusMonitorWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int CounterIntervalMs = 500;

    explicit BusMonitorWidget(QWidget* parent = nullptr, int capacity = BusMonitorModel::DefaultCapacity);
    ~BusMonitorWidget() override;

    BusMonitorModel* model() const { return m_model; }
    const BusMonitorCounters& counters() const { return m_counters; }

    // Writes the rows in the list as CSV, replacing the file in one step; true when it is there.
    bool saveTo(const QString& path) const;

signals:
    void sig_printToConsole(QString text);

public slots:
    void addTransaction(const BusTransaction& transaction);
    void refreshCounters();

private slots:
    void on_Btn_Pause_toggled(bool paused);
    void on_Btn_Clear_clicked();
    void on_Btn_Save_clicked();
    void on_Chbx_RawBytes_toggled(bool shown);
    void on_Lbx_Filter_textChanged(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setUpView();
    void keepViewPlace();

    Ui::BusMonitorWidget* ui;
    BusMonitorModel* m_model;
    BusMonitorCounters m_counters;
    QTimer m_counterTimer;
    QString m_saveFolder;
    bool m_followEnd = true;
    int m_removedRows = 0;
};
