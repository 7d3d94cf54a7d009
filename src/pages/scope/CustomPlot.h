// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pages/scope/NoniusLines.h"
#include "pages/scope/ScopeTrigger.h"

#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPen>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QVector>

class LodGraph;
class QCPAxisRect;
class QCPItemStraightLine;
class QCPItemText;
class QCPItemTracer;
class QCustomPlot;
class QMouseEvent;
class QTimerEvent;
class QWheelEvent;
template <class DataType> class QCPDataContainer;
class QCPGraphData;
using QCPGraphDataContainer = QCPDataContainer<QCPGraphData>;

// The scope's plotting engine on a QCustomPlot widget it does not own: one to four stacked charts,
// the live channels with everything recorded for them, the time base, the mouse modes, the cursor
// tracer, the nonius lines, the trigger and the fitting of the value axes. It can also show curves
// read from a file instead of the channels.
//
// A run lasts from a start after Stop (or the first start) to the next Stop; a pause continues it.
// Each channel keeps the points of the current run and, faded, those of the run before, and a
// recording keeps only its last recordingLength() seconds. A NaN value is a gap: a sample that
// could not be read.
class CustomPlot : public QObject
{
    Q_OBJECT
public:
    struct ChannelInfo
    {
        QString name;
        QPen pen;
        QPointer<LodGraph> graph;
        QPointer<LodGraph> earlierGraph; // the run before, faded; null without one
    };
    struct ImportedCurve
    {
        QString name;
        QPen pen;
        QPointer<LodGraph> graph;
    };

    static constexpr double defaultRecordingLength = 3600; // seconds

    CustomPlot(QCustomPlot* plot, QObject* parent = nullptr);
    ~CustomPlot() override;

    void init(int n);
    QCustomPlot* widget() const { return m_plot; }

    void setAxisRectCount(int n);
    int axisRectCount() const;
    QCPAxisRect* chart(int row) const;

    bool addChannel(int index, QString name, QPen pen);
    bool removeChannel(int index);
    void setChannelPen(int index, QPen pen);
    QList<int> channels() const { return m_channels.keys(); }
    int channelCount() const { return m_channels.size(); }
    ChannelInfo channel(int index) const { return m_channels.value(index); }
    // The current run's points of a channel (copies, for inspection).
    QVector<double> recordedKeys(int index) const;
    QVector<double> recordedValues(int index) const;
    // The earlier run's points of a channel.
    QVector<double> earlierKeys(int index) const;
    // The most recent samples handed in for a channel (a bounded tail, oldest first).
    QVector<double> receivedSamples(int index) const { return m_received.value(index); }

    bool isRunning() const { return m_running; }
    bool start();
    void pause();
    void stop();
    // Seconds of the run so far: a count of 10 ms ticks, or with realTime the clock's time while
    // running.
    double timeBase() const;
    // Real time: samples come with their own times (addSampleAt) and the time base is the clock's;
    // otherwise the latest sample of each channel is drawn every 30 ms at the tick count. Changed
    // only while not running; the next start begins a new run.
    void setRealTime(bool realTime);
    bool isRealTime() const { return m_realTime; }
    // The run time of a sample whose answer arrived at `monotonicNs` (QDeadlineTimer::current's
    // clock): the time base now, less how long ago that was.
    double runTimeOf(qint64 monotonicNs) const;

    // The latest sample of a channel, drawn at the next 30 ms tick (ignored for an index that is
    // not a channel).
    void addSample(int index, double value);
    // One point at its own run time, at once (real time).
    void addSampleAt(int index, double key, double value);
    void clearCurves();
    void adaptiveXY();
    // The chart context menu's actions.
    void adaptiveX(int row);
    void adaptiveY(int row);

    // Memory bound of a recording: the oldest points of a run go once it is longer.
    void setRecordingLength(double seconds);
    double recordingLength() const { return m_recordingLength; }
    // Whether the current run has lost its oldest points to the bound.
    bool hasDroppedPoints() const { return m_dropped; }

    // Keeps every chart's value axis fitted to its visible data while running, until the user zooms
    // or drags that chart; switching it on again fits them all.
    void setAutoY(bool on);
    bool isAutoY() const { return m_autoY; }
    bool isUserScaled(int row) const { return m_userScaled.value(row); }

    void setTrigger(const ScopeTrigger::Settings& settings);
    const ScopeTrigger& trigger() const { return m_trigger; }
    // The view holds a triggered capture (its window is trigger().window()).
    bool isHoldingCapture() const { return m_holdingCapture; }
    // Auto without a crossing for a window length: the view rolls on untriggered.
    bool isRolling() const { return m_rolling; }

    void setLegendVisible(bool visible);
    bool isLegendVisible() const { return m_legendVisible; }
    void setRangeDragEnabled(bool enabled);
    void setRangeZoomEnabled(bool enabled);
    void setSelectZoomEnabled(bool enabled);

    void setTracerEnabled(bool enabled);
    bool isTracerEnabled() const { return m_tracerEnabled; }
    bool isTracerShown() const { return m_tracerShown; }
    QCPItemTracer* tracer() const { return m_tracer; }
    QCPItemText* tracerLabel() const { return m_tracerLabel; }
    int tracerStyle() const;
    void setTracerStyle(int style);
    int tracerSize() const;
    void setTracerSize(int size);
    bool tracerInterpolating() const;
    void setTracerInterpolating(bool interpolating);

    void setLabelFont(QFont font);
    void setTickLabelFont(QFont font);

    void setNoniusVisible(bool visible);
    void setNoniusVertical(bool vertical);
    void setNoniusLocked(bool locked);
    QVector<double> noniusValuesA() const;
    QVector<double> noniusValuesB() const;
    QPen noniusPenA() const;
    QPen noniusPenB() const;
    void setNoniusPenA(QPen pen);
    void setNoniusPenB(QPen pen);
    NoniusLines* nonius(int row) const { return m_nonius.value(row); }

    // Curves read from a file replace the channels on screen until the channels are rebuilt.
    bool isImportedMode() const { return m_importedMode; }
    void showImportedCurves(
        const QStringList& names, const QList<QVector<double>>& keys, const QList<QVector<double>>& values);
    QList<ImportedCurve> importedCurves() const { return m_imported; }
    // Curve files (CurveFile.cpp): the channels' current run (only the held capture's window while
    // the view holds one) or the imported curves. 1 written, -1 not written (the earlier file is
    // kept), 0 no curve.
    int exportCsv(QString path);
    // False when the file cannot be read; the plot is then unchanged.
    bool importCsv(QString path);
    void rebuildLiveGraphs(bool rescaleLast, bool rescaleAll, bool replot);

    // Off: every graph draws with the library's own sampling (for comparison).
    void setLevelOfDetail(bool enabled);

signals:
    void axisRectChanged(int rowCount);
    void updateNoniusPosition(int index, double pointA, double pointB);
    // Every point recorded for a channel, as it is added.
    void pointRecorded(int index, double key, double value);
    // The current run has begun dropping its oldest points.
    void recordingTrimmed();
    // The trigger captured a window or changed between waiting and rolling; trigger() tells.
    void triggerChanged();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    using Container = QSharedPointer<QCPGraphDataContainer>;

    void mousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    void mouseWheel(QWheelEvent* event);
    void markUserScaled(int row);
    void showContextMenu(int row);
    void traceAt(QMouseEvent* event);
    void hideTracer();
    void detachTracer();
    int chartAt(const QPointF& pos) const;
    int chartRowOfChannel(int index) const;
    void rebuildImportedGraphs();
    LodGraph* makeGraph(int order, const QString& name, const QPen& pen);
    Container runOf(int index);
    void beginRun();
    void record(int index, double key, double value);
    void frame();
    void followTime();
    void showWindow(double from, double to);
    void updateTrigger();
    void placeTriggerMarkers();
    void fitValueAxes();
    bool fitFirstSamples(int row);
    void followVisibleValues(int row);
    bool visibleValueBounds(int row, double* min, double* max) const;
    void replot();
    void replotOverlay();

    // Not owned; the page may delete the widget before this object.
    QPointer<QCustomPlot> m_plot;
    QFont m_labelFont;
    QFont m_tickLabelFont;
    QCPItemTracer* m_tracer = nullptr;
    QCPItemText* m_tracerLabel = nullptr;
    bool m_tracerEnabled = false;
    bool m_tracerShown = false;
    QList<NoniusLines*> m_nonius;
    bool m_legendVisible = false;
    bool m_running = false;
    bool m_importedMode = false;
    bool m_levelOfDetail = true;
    int m_tickTimer = 0;
    int m_plotTimer = 0;
    int m_tickInterval = 10;
    qint64 m_ticks = 0;
    bool m_realTime = false;
    double m_realOffset = 0; // seconds of real time before the current stretch of running
    QElapsedTimer m_realClock;
    bool m_runEnded = true; // Stop was pressed (or nothing ran yet): the next start begins a run
    double m_recordingLength = defaultRecordingLength;
    bool m_dropped = false;
    QMap<int, ChannelInfo> m_channels;
    QMap<int, Container> m_runs;
    QMap<int, Container> m_earlierRuns;
    QMap<int, QVector<double>> m_received;
    QList<ImportedCurve> m_imported;
    QList<QVector<double>> m_importedKeys;
    QList<QVector<double>> m_importedValues;
    const QList<QColor> m_defaultColors;

    bool m_autoY = false;
    QVector<bool> m_userScaled; // per chart row
    QVector<bool> m_firstFit; // per chart row: still to be fitted to the run's first samples

    ScopeTrigger m_trigger;
    bool m_holdingCapture = false;
    bool m_rolling = false;
    QList<QPointer<QCPItemStraightLine>> m_triggerMarkers;
};
