// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Global.h"
#include "engine/FileComparison.h"
#include "engine/ParameterBatch.h"

#include <QDialog>
#include <QPointer>

#include <memory>

class CompareModel;
class ParameterSet;

namespace Ui {
class ParamCompareDialog;
}

// "Compare with file": the drive's values of a parameter file's parameters are read in one batch,
// and those that differ from the file are listed, each in its own format. The engineer ticks the
// ones to take from the file; every one written is read back, and one the drive did not keep shows
// in the failure colour, in this list and in the table.
class ParamCompareDialog : public QDialog
{
    Q_OBJECT
public:
    ParamCompareDialog(ParameterSet* parameters, const std::shared_ptr<FileComparison>& comparison,
        QWidget* parent = nullptr);
    ~ParamCompareDialog() override;

    // Reads the drive's values of the file's parameters, then lists those that differ.
    void readDriveValues();
    bool isBusy() const;

public slots:
    void reject() override;

signals:
    void sig_printToConsole(QString text, Global::MESSAGE_INFO level = Global::MESSAGE_INFORMATION);

private slots:
    void on_Btn_SelectAll_clicked();
    void on_Btn_Write_clicked();
    void on_Btn_Close_clicked();

private:
    void runBatch(ParameterBatch::Kind kind, const ParamRequests& requests);
    void listDifferences();
    void showSummary();
    void updateButtons();
    void applyAnswer(int index, bool readBack, const QVector<quint16>& values);
    void parameterFinished(int index);
    void batchFinished();
    void reportWrites();

    Ui::ParamCompareDialog* ui;
    ParameterSet* m_parameters;
    std::shared_ptr<FileComparison> m_comparison;
    CompareModel* m_model;
    QPointer<ParameterBatch> m_batch;
    bool m_reading = false;
    QVector<int> m_written; // model rows of the batch's parameters, in batch order
};
