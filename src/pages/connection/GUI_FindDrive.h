// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/BusScanner.h"

#include <QDialog>
#include <QList>

namespace Ui {
class GUI_FindDrive;
}
class QTreeWidgetItem;

// Searches the connection page's port for drives: tries the family's connect probe at every baud
// rate, framing and slave address asked for, lists what answers as it is found, and hands the chosen
// setting back to the page. On a TCP link the gateway or serial server has the line setting: only
// the unit ids are tried. The port (or connection) is released before the dialog closes.
class GUI_FindDrive : public QDialog
{
    Q_OBJECT
public:
    GUI_FindDrive(const BusLink& link, quint16 probeStart, quint16 probeCount, bool vfdFamily,
        QWidget* parent = nullptr);
    GUI_FindDrive(const QString& portName, quint16 probeStart, quint16 probeCount, bool vfdFamily,
        QWidget* parent = nullptr);
    ~GUI_FindDrive() override;

    // The setting chosen with "Use" or a double click; valid once the dialog was accepted.
    ScanHit chosenHit() const { return m_chosen; }
    bool isScanning() const;

    // Reads the plan from the inputs; false, with the reason, when they hold none.
    bool readPlan(ScanPlan* plan, QString* problem) const;
    static QString durationText(qint64 ms);

public slots:
    void reject() override;

signals:
    void hitChosen(const ScanHit& hit);

private slots:
    void on_Btn_Start_clicked();
    void on_Btn_Stop_clicked();
    void on_Btn_Use_clicked();
    void on_Btn_Close_clicked();
    void on_Tree_Results_itemDoubleClicked(QTreeWidgetItem* item, int column);

private:
    void addHit(const ScanHit& hit);
    void showProgress(int tried, int total, qint64 msLeft);
    void scanFinished(BusScanner::Outcome outcome, const QString& errorText);
    void updateWaitText();
    void setRunning(bool running);
    void useItem(QTreeWidgetItem* item);
    void showTcpInputs();
    static bool checkRange(const ScanPlan& plan, QString* problem);
    void finishUse();

    Ui::GUI_FindDrive* ui;
    BusScanner* m_scanner;
    BusLink m_link;
    quint16 m_probeStart;
    quint16 m_probeCount;
    bool m_vfd;
    QList<ScanHit> m_hits;
    QStringList m_skipped;
    ScanHit m_chosen;
    // What to do once the running scan has released the port.
    enum class AfterStop { Nothing, Use, Close };
    AfterStop m_afterStop = AfterStop::Nothing;
};
