#pragma once

#include "pages/scope/NoniusLines.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPen>
#include <QPointer>
#include <QString>
#include <QVector>

class LodGraph;
class QCPAxisRect;
class QCPItemText;
class QCPItemTracer;
class QCustomPlot;
class QMouseEvent;
class QTimerEvent;

// The scope's plotting engine on a QCustomPlot widget it does not own: one to four stacked charts,
// the live channels with everything recorded for them, the real-time time base, the mouse modes,
// the cursor tracer and the nonius lines. It can also show curves read from a file instead of the
// channels.
class CustomPlot : public QObject
{
    Q_OBJECT
public:
    struct ChannelInfo
    {
        QString name;
        QPen pen;
        QPointer<LodGraph> graph;
    };
    struct ImportedCurve
    {
        QString name;
        QPen pen;
        QPointer<LodGraph> graph;
    };

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
    QVector<double> recordedKeys(int index) const { return m_recordedKeys.value(index); }
    QVector<double> recordedValues(int index) const { return m_recordedValues.value(index); }
    QVector<double> receivedSamples(int index) const { return m_received.value(index); }

    bool isRunning() const { return m_running; }
    bool start();
    void pause();
    void stop();
    double timeBase() const { return m_timeBase; }

    void addSample(int index, double value);
    void clearCurves();
    void adaptiveXY();
    // The chart context menu's actions.
    void adaptiveX(int row);
    void adaptiveY(int row);

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
    // Curve files (CurveFile.cpp): 1 written, -1 not written (the earlier file is kept), 0 no graph.
    int exportCsv(QString path);
    // False when the file cannot be read; the plot is then unchanged.
    bool importCsv(QString path);
    void rebuildLiveGraphs(bool rescaleLast, bool rescaleAll, bool replot);

    // Off: every graph draws with the library's own sampling (for comparison).
    void setLevelOfDetail(bool enabled);

signals:
    void axisRectChanged(int rowCount);
    void updateNoniusPosition(int index, double pointA, double pointB);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void mousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    void showContextMenu(int row);
    void traceAt(QMouseEvent* event);
    void hideTracer();
    void detachTracer();
    int chartAt(const QPointF& pos) const;
    void rebuildImportedGraphs();
    LodGraph* makeGraph(int order, const QString& name, const QPen& pen);
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
    double m_timeBase = 0;
    QMap<int, ChannelInfo> m_channels;
    QMap<int, QVector<double>> m_recordedKeys;
    QMap<int, QVector<double>> m_recordedValues;
    QMap<int, QVector<double>> m_received;
    QList<ImportedCurve> m_imported;
    QList<QVector<double>> m_importedKeys;
    QList<QVector<double>> m_importedValues;
    const QList<QColor> m_defaultColors;
};
