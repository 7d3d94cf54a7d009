// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comm/Communication.h"
#include "definitions/DefinitionRecords.h"
#include "pages/scope/ScopeSampler.h"
#include "ui/WidgetBase.h"

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QModelIndex>
#include <QVector>

class CurveRecorder;
class CustomPlot;
class GUI_ScopeNonius;
class QTimer;

namespace Ui {
class GUI_Scope;
}

// The oscilloscope page: up to four variables of the drive's Variables.xml ticked in a table are
// read again and again over the bus and drawn against a time base that advances only while
// sampling. Standard reads one variable per read, tagged "AID=<row>", on a timer; Fast reads them
// in blocks as fast as the line allows, each sample at the time its answer arrived.
class GUI_Scope : public WidgetBase
{
    Q_OBJECT
public:
    explicit GUI_Scope(QWidget* parent = nullptr);
    ~GUI_Scope() override;

    CustomPlot* plot() const { return m_plot; }
    ScopeSampler* sampler() const { return m_sampler; }
    CurveRecorder* recorder() const { return m_recorder; }
    const QVector<VariableRecord>& variableRecords() const { return variables; }
    QTimer* timer() const { return m_sampler->timer(); }
    GUI_ScopeNonius* nonius() const { return noniusDialog; }
    // Samples per second of a channel over about the last second (values only, not gaps).
    double sampleRate(int channel) const { return m_rates.value(channel); }

    static constexpr int maxChannels = 4;
    static constexpr int pollMsPerChannel = ScopeSampler::pollMsPerChannel;

protected:
    // The colour dialog; tests replace it because a native dialog cannot be driven reliably.
    virtual QColor askColor(const QColor& initial);
    // The file for Record to file; tests replace it because a native dialog cannot be driven
    // reliably either. Empty: cancelled.
    virtual QString askRecordingFile();

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
    void on_Btn_AutoY_clicked(bool checked);
    void on_Btn_Record_clicked(bool checked);
    void slot_cbxChannle_CurrentIndexChangedt(int index);
    void slot_tableWidget_CellClicked(int row, int colum);
    void slot_tableWidget_DoubleClicked(QModelIndex index);
    void slot_tableWidget_CellChanged(int row, int colum);
    void connectEvent(Communication::CommState state) override;
    void resultCallBackEvent(QString str, QVector<quint16> data) override;

private:
    void assignColors();
    void fillTable();
    void fillModeControls();
    void showStartButton();
    void pauseSampling();
    void setRunningControls(bool running);
    void applyDecimalOverrides(const QString& tag, const QVector<quint16>& data);
    int channelOfTag(const QString& tag) const;
    double decode(int channel, const QVector<quint16>& words) const;
    void takeSample(int channel, double value);
    void fastSample(int channel, const QVector<quint16>& words, qint64 arrivedNs);
    void sampleDropped(int channel);
    void channelsChanged();
    void applyTrigger();
    void applySamplingMode();
    void applyRecordingLength();
    void endRecording();
    void updateRates();
    void updateStatus();

    Ui::GUI_Scope* ui;
    QVector<VariableRecord> variables;
    // The records as the definition file gives them, before a drive's decimal settings changed them.
    QVector<VariableRecord> definedVariables;
    CustomPlot* m_plot = nullptr;
    ScopeSampler* m_sampler = nullptr;
    CurveRecorder* m_recorder = nullptr;
    GUI_ScopeNonius* noniusDialog = nullptr;
    QTimer* m_rateTimer = nullptr;
    QElapsedTimer m_rateClock;
    // Per channel: samples counted so far, and the counts at the last two rate updates.
    QHash<int, qint64> m_sampleCounts;
    QHash<int, qint64> m_countsThen[2];
    qint64 m_countTimesMs[2] = { 0, 0 };
    QHash<int, double> m_rates;
};
