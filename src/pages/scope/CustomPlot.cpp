// SPDX-License-Identifier: GPL-3.0-or-later
#include "CustomPlot.h"

#include "pages/scope/LodGraph.h"
#include "pages/scope/ScopePlotWidget.h"

#include <QCursor>
#include <QDeadlineTimer>
#include <QMenu>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <qcustomplot.h>

#include <cmath>

namespace {

constexpr int plotIntervalMs = 30;
constexpr double windowLag = 0.5; // seconds the visible window ends behind the time base
// Answers reach the page a few milliseconds after their time; a capture counts as complete only
// once its last points can be in.
constexpr double realTimeSettle = 0.05;
constexpr int receivedTail = 256;
// Alpha of the run before the current one: there to compare with, not to read.
constexpr int earlierRunAlpha = 70;

QCPRange adaptiveValueRange(double min, double max)
{
    if (min >= 0)
        return QCPRange((min - 1) * 0.99, (max + 1) * 1.01);
    if (max >= 0)
        return QCPRange((min - 1) * 1.01, (max + 1) * 1.01);
    return QCPRange((min - 1) * 1.01, (max + 1) * 0.99);
}

// A value range around [min, max] with a little room, also for a flat line.
QCPRange fittedRange(double min, double max)
{
    const double span = max - min;
    const double room = span > 0 ? span * 0.05 : (max != 0 ? std::abs(max) * 0.05 : 1.0);
    return QCPRange(min - room, max + room);
}

// Run times are kept to the microsecond: curve files then write them in a few digits.
// Keys or values of a run's points, copied out for a look.
QVector<double> fieldOf(const QSharedPointer<QCPGraphDataContainer>& run, double QCPGraphData::*field)
{
    QVector<double> out;
    if (run) {
        out.reserve(run->size());
        for (auto it = run->constBegin(); it != run->constEnd(); ++it)
            out.append((*it).*field);
    }
    return out;
}

QPen fadedPen(QPen pen)
{
    QColor color = pen.color();
    color.setAlpha(earlierRunAlpha);
    pen.setColor(color);
    return pen;
}

double toMicroseconds(double seconds)
{
    return std::round(seconds * 1e6) / 1e6;
}

} // namespace

CustomPlot::CustomPlot(QCustomPlot* plot, QObject* parent)
    : QObject(parent)
    , m_plot(plot)
    , m_defaultColors({ QColor(QStringLiteral("#ff0000")), QColor(QStringLiteral("#0000ff")),
          QColor(QStringLiteral("#000000")), QColor(QStringLiteral("#90c766")),
          QColor(QStringLiteral("#f278cf")), QColor(QStringLiteral("#7160e8")) })
{
}

CustomPlot::~CustomPlot()
{
    qDeleteAll(m_nonius);
    m_nonius.clear();
}

void CustomPlot::init(int n)
{
    m_plot->setInteraction(QCP::iRangeDrag, false);
    m_plot->setInteraction(QCP::iRangeZoom, false);
    m_plot->setSelectionRectMode(QCP::srmNone);
    m_plot->selectionRect()->setPen(
        QPen(QBrush(Qt::black, Qt::SolidPattern), 1, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
    m_plot->selectionRect()->setBrush(QBrush(QColor(0, 0, 100, 20), Qt::SolidPattern));
    m_plot->setAutoAddPlottableToLegend(true);
    connect(m_plot.data(), &QCustomPlot::mousePress, this, &CustomPlot::mousePress);
    connect(m_plot.data(), &QCustomPlot::mouseMove, this, &CustomPlot::mouseMove);
    connect(m_plot.data(), &QCustomPlot::mouseRelease, this, &CustomPlot::mouseRelease);
    connect(m_plot.data(), &QCustomPlot::mouseWheel, this, &CustomPlot::mouseWheel);
    connect(m_plot->selectionRect(), &QCPSelectionRect::accepted, this,
        [this](const QRect& rect, QMouseEvent*) { markUserScaled(chartAt(rect.center())); });

    m_tracer = new QCPItemTracer(m_plot);
    m_tracer->setStyle(QCPItemTracer::tsCrosshair);
    m_tracer->setPen(QPen(Qt::red));
    m_tracer->setBrush(QBrush(Qt::red, Qt::SolidPattern));
    m_tracer->setSize(10);
    m_tracer->setLayer(QStringLiteral("overlay"));
    m_tracer->setVisible(false);

    m_tracerLabel = new QCPItemText(m_plot);
    m_tracerLabel->setVisible(false);
    m_tracerLabel->setPen(QPen(Qt::black));
    m_tracerLabel->setBrush(QBrush(QColor(QStringLiteral("#ffffe1")), Qt::SolidPattern));
    m_tracerLabel->setPadding(QMargins(5, 5, 5, 5));
    m_tracerLabel->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tracerLabel->setTextAlignment(Qt::AlignLeft);
    m_tracerLabel->setClipToAxisRect(false);
    m_tracerLabel->setLayer(QStringLiteral("overlay"));
    m_tracerLabel->position->setParentAnchor(m_tracer->position);

    setAxisRectCount(n);
}

void CustomPlot::replot()
{
    m_plot->replot(QCustomPlot::rpRefreshHint);
}

void CustomPlot::replotOverlay()
{
    // The tracer and the nonius lines live on the buffered top layer: moving them repaints that
    // layer alone, not every curve of a long recording. The library falls back to a full replot
    // when the other layers are out of date.
    QCPLayer* overlay = m_plot->layer(QStringLiteral("overlay"));
    if (overlay && overlay->mode() == QCPLayer::lmBuffered)
        overlay->replot();
    else
        m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void CustomPlot::setAxisRectCount(int n)
{
    if (n < 1)
        return;
    const NoniusLines::State state = m_nonius.isEmpty() ? NoniusLines::State() : m_nonius.last()->state();
    qDeleteAll(m_nonius);
    m_nonius.clear();

    detachTracer();
    for (const QPointer<QCPItemStraightLine>& marker : qAsConst(m_triggerMarkers)) {
        if (marker)
            m_plot->removeItem(marker);
    }
    m_triggerMarkers.clear();
    m_plot->deselectAll();
    m_plot->clearGraphs();
    m_plot->plotLayout()->clear();

    for (int i = 0; i < n; ++i) {
        auto* rect = new QCPAxisRect(m_plot, true);
        QCPAxis* bottom = rect->axis(QCPAxis::atBottom);
        QCPAxis* left = rect->axis(QCPAxis::atLeft);
        bottom->ticker()->setTickStepStrategy(QCPAxisTicker::tssReadability);
        for (QCPAxis* axis : { bottom, left }) {
            axis->setLabelFont(m_labelFont);
            axis->setTickLabelFont(m_tickLabelFont);
        }
        left->setNumberFormat(QStringLiteral("f"));
        left->setNumberPrecision(2);
        m_plot->plotLayout()->addElement(i, 0, rect);
        m_nonius.append(new NoniusLines(m_plot, rect, state));
    }

    auto* legend = new QCPLegend;
    chart(0)->insetLayout()->addElement(legend, Qt::AlignRight | Qt::AlignTop);
    legend->setLayer(QStringLiteral("legend"));
    legend->setVisible(m_legendVisible);
    m_plot->legend = legend;

    m_userScaled.fill(false, n);
    m_firstFit.fill(false, n);
    if (m_importedMode)
        rebuildImportedGraphs();
    else
        rebuildLiveGraphs(false, true, true);
    placeTriggerMarkers();
    emit axisRectChanged(n);
}

int CustomPlot::axisRectCount() const
{
    return m_plot->axisRectCount();
}

QCPAxisRect* CustomPlot::chart(int row) const
{
    return qobject_cast<QCPAxisRect*>(m_plot->plotLayout()->element(row, 0));
}

LodGraph* CustomPlot::makeGraph(int order, const QString& name, const QPen& pen)
{
    QCPAxisRect* rect = chart(order < axisRectCount() ? order : 0);
    auto* graph = new LodGraph(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
    graph->setName(name);
    graph->setPen(pen);
    graph->setLevelOfDetail(m_levelOfDetail);
    return graph;
}

CustomPlot::Container CustomPlot::runOf(int index)
{
    Container& run = m_runs[index];
    if (!run)
        run.reset(new QCPGraphDataContainer);
    return run;
}

int CustomPlot::chartRowOfChannel(int index) const
{
    const int order = m_channels.keys().indexOf(index);
    return order >= 0 && order < axisRectCount() ? order : 0;
}

void CustomPlot::rebuildLiveGraphs(bool rescaleLast, bool rescaleAll, bool replot)
{
    detachTracer();
    m_plot->clearGraphs();
    if (m_importedMode) {
        m_imported.clear();
        m_importedKeys.clear();
        m_importedValues.clear();
        m_importedMode = false;
    }
    bool rescaled = false;
    const QString lastName = m_channels.isEmpty() ? QString() : m_channels.last().name;
    int order = 0;
    for (auto it = m_channels.begin(); it != m_channels.end(); ++it, ++order) {
        it->earlierGraph = nullptr;
        const Container earlier = m_earlierRuns.value(it.key());
        if (earlier && !earlier->isEmpty()) {
            LodGraph* graph = makeGraph(order, it->name, fadedPen(it->pen));
            graph->shareData(earlier);
            graph->removeFromLegend();
            it->earlierGraph = graph;
        }
        LodGraph* graph = makeGraph(order, it->name, it->pen);
        graph->shareData(runOf(it.key()));
        it->graph = graph;
        if (rescaleLast && it->name == lastName) {
            graph->rescaleAxes(false);
            rescaled = true;
        }
    }
    if (!rescaled && rescaleAll)
        m_plot->rescaleAxes(false);
    placeTriggerMarkers();
    if (replot)
        this->replot();
}

void CustomPlot::rebuildImportedGraphs()
{
    detachTracer();
    m_plot->clearGraphs();
    for (int i = 0; i < m_imported.size(); ++i) {
        ImportedCurve& curve = m_imported[i];
        LodGraph* graph = makeGraph(i, curve.name, curve.pen);
        graph->setPoints(m_importedKeys.value(i), m_importedValues.value(i));
        curve.graph = graph;
    }
    m_plot->rescaleAxes(false);
    replot();
}

void CustomPlot::showImportedCurves(
    const QStringList& names, const QList<QVector<double>>& keys, const QList<QVector<double>>& values)
{
    m_imported.clear();
    for (int i = 0; i < names.size(); ++i)
        m_imported.append({ names.at(i), QPen(m_defaultColors.at(i % m_defaultColors.size())), nullptr });
    m_importedKeys = keys;
    m_importedValues = values;
    m_importedMode = true;
    rebuildImportedGraphs();
}

bool CustomPlot::addChannel(int index, QString name, QPen pen)
{
    if (m_channels.contains(index))
        return false;
    m_channels.insert(index, { name, pen, nullptr, nullptr });
    rebuildLiveGraphs(true, true, true);
    return true;
}

bool CustomPlot::removeChannel(int index)
{
    if (!m_channels.contains(index))
        return false;
    m_channels.remove(index);
    rebuildLiveGraphs(false, true, true);
    return true;
}

void CustomPlot::setChannelPen(int index, QPen pen)
{
    auto it = m_channels.find(index);
    if (it == m_channels.end())
        return;
    it->pen = pen;
    if (it->graph)
        it->graph->setPen(pen);
    if (it->earlierGraph)
        it->earlierGraph->setPen(fadedPen(pen));
    replot();
}

QVector<double> CustomPlot::recordedKeys(int index) const
{
    return fieldOf(m_runs.value(index), &QCPGraphData::key);
}

QVector<double> CustomPlot::recordedValues(int index) const
{
    return fieldOf(m_runs.value(index), &QCPGraphData::value);
}

QVector<double> CustomPlot::earlierKeys(int index) const
{
    return fieldOf(m_earlierRuns.value(index), &QCPGraphData::key);
}

void CustomPlot::setRealTime(bool realTime)
{
    if (m_running || realTime == m_realTime)
        return;
    m_realTime = realTime;
    // Times of the two kinds do not mix in one run.
    if (timeBase() > 0)
        stop();
}

double CustomPlot::timeBase() const
{
    if (!m_realTime)
        return double(m_ticks) * m_tickInterval / 1000.0;
    return m_running ? m_realOffset + double(m_realClock.nsecsElapsed()) / 1e9 : m_realOffset;
}

double CustomPlot::runTimeOf(qint64 monotonicNs) const
{
    const qint64 now = QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
    // An answer older than a second is not taken for one: its time is then now.
    const double age = monotonicNs > 0 ? qBound(0.0, double(now - monotonicNs) / 1e9, 1.0) : 0.0;
    return toMicroseconds(qMax(0.0, timeBase() - age));
}

void CustomPlot::beginRun()
{
    // The run that ended stays, faded, to compare with; its points never mix with the new ones.
    m_earlierRuns.clear();
    for (auto it = m_runs.begin(); it != m_runs.end(); ++it) {
        if (it.value() && !it.value()->isEmpty())
            m_earlierRuns.insert(it.key(), it.value());
    }
    m_runs.clear();
    m_received.clear();
    m_dropped = false;
    m_firstFit.fill(true, axisRectCount());
    m_holdingCapture = false;
    m_rolling = false;
    m_trigger.setSettings(m_trigger.settings(), 0);
    rebuildLiveGraphs(false, false, false);
}

bool CustomPlot::start()
{
    if (m_running)
        return false;
    if (m_runEnded) {
        beginRun();
        m_runEnded = false;
    } else if (m_importedMode) {
        rebuildLiveGraphs(false, true, true);
    }
    // A tracer or tooltip left from looking at the recording would stand still over a moving plot.
    hideTracer();
    QToolTip::hideText();
    m_running = true;
    m_realClock.start();
    m_plotTimer = startTimer(plotIntervalMs, Qt::CoarseTimer);
    if (!m_realTime)
        m_tickTimer = startTimer(m_tickInterval, Qt::CoarseTimer);
    if (m_trigger.state() == ScopeTrigger::Done)
        m_trigger.arm(timeBase());
    return true;
}

void CustomPlot::pause()
{
    if (!m_running)
        return;
    m_realOffset = timeBase();
    killTimer(m_plotTimer);
    if (m_tickTimer != 0)
        killTimer(m_tickTimer);
    m_plotTimer = 0;
    m_tickTimer = 0;
    m_running = false;
    if (m_trigger.settings().mode == ScopeTrigger::Off || m_rolling)
        followTime();
    replot();
}

void CustomPlot::stop()
{
    pause();
    m_ticks = 0;
    m_realOffset = 0;
    m_runEnded = true;
}

void CustomPlot::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_tickTimer && m_tickTimer != 0)
        ++m_ticks;
    else if (event->timerId() == m_plotTimer && m_plotTimer != 0)
        frame();
    else
        QObject::timerEvent(event);
}

void CustomPlot::frame()
{
    if (!m_realTime) {
        const double now = timeBase();
        for (auto it = m_channels.begin(); it != m_channels.end(); ++it) {
            const QVector<double>& samples = m_received[it.key()];
            if (!samples.isEmpty())
                record(it.key(), now, samples.last());
        }
    }
    updateTrigger();
    if (m_trigger.settings().mode == ScopeTrigger::Off || m_rolling)
        followTime();
    fitValueAxes();
    // One redraw per frame: moving the window every 10 ms tick cost three redraws for every
    // new point, and a redraw clears and copies every pixel of the plot.
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void CustomPlot::followTime()
{
    const double right = timeBase() - windowLag;
    for (int row = 0; row < axisRectCount(); ++row) {
        QCPAxisRect* rect = chart(row);
        if (rect->graphs().isEmpty())
            continue;
        QCPAxis* bottom = rect->axis(QCPAxis::atBottom);
        bottom->setRange(right - bottom->range().size(), right);
    }
}

void CustomPlot::showWindow(double from, double to)
{
    for (int row = 0; row < axisRectCount(); ++row)
        chart(row)->axis(QCPAxis::atBottom)->setRange(from, to);
}

void CustomPlot::record(int index, double key, double value)
{
    const Container run = runOf(index);
    // Times only grow within a run: a point is appended, never sorted in.
    if (!run->isEmpty() && key < (run->constEnd() - 1)->key)
        key = (run->constEnd() - 1)->key;
    const auto it = m_channels.constFind(index);
    LodGraph* graph = it != m_channels.constEnd() ? it->graph.data() : nullptr;
    if (graph)
        graph->appendPoint(key, value);
    else
        run->add(QCPGraphData(key, value));
    if (key - run->constBegin()->key > m_recordingLength) {
        if (graph)
            graph->removeBefore(key - m_recordingLength);
        else
            run->removeBefore(key - m_recordingLength);
        if (!m_dropped) {
            m_dropped = true;
            emit recordingTrimmed();
        }
    }
    if (index == m_trigger.settings().channel)
        m_trigger.feed(key, value);
    emit pointRecorded(index, key, value);
}

void CustomPlot::addSample(int index, double value)
{
    if (!m_channels.contains(index))
        return;
    QVector<double>& samples = m_received[index];
    // Only the latest sample is drawn; the tail is kept for a look at what came in.
    if (samples.size() >= 2 * receivedTail)
        samples.remove(0, samples.size() - receivedTail);
    samples.append(value);
}

void CustomPlot::addSampleAt(int index, double key, double value)
{
    if (!m_channels.contains(index))
        return;
    addSample(index, value);
    record(index, key, value);
}

void CustomPlot::setRecordingLength(double seconds)
{
    m_recordingLength = qMax(1.0, seconds);
}

void CustomPlot::clearCurves()
{
    if (m_importedMode) {
        rebuildLiveGraphs(false, true, true);
        return;
    }
    for (ChannelInfo& info : m_channels) {
        if (info.graph)
            info.graph->clearPoints();
    }
    for (const Container& run : qAsConst(m_runs)) {
        if (run)
            run->clear();
    }
    m_earlierRuns.clear();
    m_received.clear();
    m_dropped = false;
    m_holdingCapture = false;
    m_trigger.setSettings(m_trigger.settings(), timeBase());
    rebuildLiveGraphs(false, false, true);
}

void CustomPlot::setTrigger(const ScopeTrigger::Settings& settings)
{
    m_trigger.setSettings(settings, timeBase());
    m_holdingCapture = false;
    m_rolling = false;
    placeTriggerMarkers();
    replot();
    emit triggerChanged();
}

void CustomPlot::updateTrigger()
{
    if (m_trigger.settings().mode == ScopeTrigger::Off)
        return;
    const double now = timeBase() - (m_realTime ? realTimeSettle : 0.0);
    switch (m_trigger.update(now)) {
    case ScopeTrigger::Captured: {
        const ScopeTrigger::Window window = m_trigger.window();
        m_holdingCapture = true;
        m_rolling = false;
        showWindow(window.from, window.to);
        placeTriggerMarkers();
        emit triggerChanged();
        break;
    }
    case ScopeTrigger::Rolling:
        if (!m_rolling) {
            m_rolling = true;
            m_holdingCapture = false;
            placeTriggerMarkers();
            emit triggerChanged();
        }
        break;
    case ScopeTrigger::NoEvent:
        break;
    }
}

void CustomPlot::placeTriggerMarkers()
{
    for (const QPointer<QCPItemStraightLine>& marker : qAsConst(m_triggerMarkers)) {
        if (marker)
            m_plot->removeItem(marker);
    }
    m_triggerMarkers.clear();
    const ScopeTrigger::Settings& settings = m_trigger.settings();
    if (settings.mode == ScopeTrigger::Off || !m_channels.contains(settings.channel) || m_importedMode)
        return;
    const auto addLine = [this](QCPAxisRect* rect, QPointF a, QPointF b, const QColor& color) {
        auto* line = new QCPItemStraightLine(m_plot);
        line->setLayer(QStringLiteral("overlay"));
        line->setClipToAxisRect(true);
        line->setClipAxisRect(rect);
        line->setSelectable(false);
        line->setPen(QPen(color, 1, Qt::DashLine));
        for (QCPItemPosition* position : { line->point1, line->point2 })
            position->setAxes(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
        line->point1->setCoords(a);
        line->point2->setCoords(b);
        m_triggerMarkers.append(line);
    };
    const QColor markerColor(QStringLiteral("#e8a317"));
    QCPAxisRect* levelChart = chart(chartRowOfChannel(settings.channel));
    addLine(levelChart, QPointF(0, settings.level), QPointF(1, settings.level), markerColor);
    if (m_holdingCapture) {
        const double at = m_trigger.window().at;
        for (int row = 0; row < axisRectCount(); ++row)
            addLine(chart(row), QPointF(at, 0), QPointF(at, 1), markerColor);
    }
}

void CustomPlot::setAutoY(bool on)
{
    m_autoY = on;
    if (on) {
        m_userScaled.fill(false, axisRectCount());
        fitValueAxes();
        replot();
    }
}

void CustomPlot::markUserScaled(int row)
{
    if (row >= 0 && row < m_userScaled.size())
        m_userScaled[row] = true;
}

bool CustomPlot::visibleValueBounds(int row, double* min, double* max) const
{
    QCPAxisRect* rect = chart(row);
    const QCPRange keys = rect->axis(QCPAxis::atBottom)->range();
    bool found = false;
    for (QCPGraph* graph : rect->graphs()) {
        auto* lod = qobject_cast<LodGraph*>(graph);
        if (!lod || lod->dataCount() == 0)
            continue;
        const QSharedPointer<QCPGraphDataContainer> data = lod->data();
        const int from = int(data->findBegin(keys.lower, false) - data->constBegin());
        const int to = int(data->findEnd(keys.upper, false) - data->constBegin());
        double lo = 0;
        double hi = 0;
        if (!lod->valueBounds(from, to, &lo, &hi))
            continue;
        *min = found ? qMin(*min, lo) : lo;
        *max = found ? qMax(*max, hi) : hi;
        found = true;
    }
    return found;
}

bool CustomPlot::fitFirstSamples(int row)
{
    // The first samples of a run set the chart's range once, wherever they lie: a bus voltage of
    // 537 V is not to be looked for above an empty range of 0 to 5. Every channel of the chart
    // has its first point then; a chart of gaps only waits for a value.
    bool found = false;
    double min = 0;
    double max = 0;
    for (auto it = m_channels.constBegin(); it != m_channels.constEnd(); ++it) {
        if (chartRowOfChannel(it.key()) != row)
            continue;
        double lo = 0;
        double hi = 0;
        if (!it->graph || it->graph->dataCount() == 0)
            return false;
        if (!it->graph->valueBounds(0, it->graph->dataCount(), &lo, &hi))
            continue;
        min = found ? qMin(min, lo) : lo;
        max = found ? qMax(max, hi) : hi;
        found = true;
    }
    if (found)
        chart(row)->axis(QCPAxis::atLeft)->setRange(fittedRange(min, max));
    return found;
}

void CustomPlot::followVisibleValues(int row)
{
    double min = 0;
    double max = 0;
    if (!visibleValueBounds(row, &min, &max))
        return;
    // Refitted when the data leave the range or shrink well inside it, so that noise does not make
    // the axis twitch.
    QCPAxis* left = chart(row)->axis(QCPAxis::atLeft);
    const QCPRange target = fittedRange(min, max);
    const QCPRange current = left->range();
    if (min < current.lower || max > current.upper || current.size() > 3 * target.size())
        left->setRange(target);
}

void CustomPlot::fitValueAxes()
{
    for (int row = 0; row < axisRectCount() && row < m_firstFit.size(); ++row) {
        if (m_firstFit.at(row))
            m_firstFit[row] = !fitFirstSamples(row);
        else if (m_autoY && m_running && !m_userScaled.value(row))
            followVisibleValues(row);
    }
}

void CustomPlot::adaptiveXY()
{
    m_plot->rescaleAxes(false);
    replot();
}

void CustomPlot::adaptiveX(int row)
{
    QCPAxisRect* rect = chart(row);
    if (!rect)
        return;
    const QList<QCPGraph*> graphs = rect->graphs();
    QCPAxis* bottom = rect->axis(QCPAxis::atBottom);
    if (graphs.isEmpty()) {
        bottom->setRange(-0.5, 1.0);
    } else {
        double lower = 0;
        double upper = 0;
        for (QCPGraph* graph : graphs) {
            bool found = false;
            const QCPRange range = graph->getKeyRange(found, QCP::sdBoth);
            if (!found)
                continue;
            lower = qMin(lower, range.lower);
            upper = qMax(upper, range.upper);
        }
        bottom->setRange(lower, upper);
    }
    replot();
}

void CustomPlot::adaptiveY(int row)
{
    QCPAxisRect* rect = chart(row);
    if (!rect)
        return;
    const QList<QCPGraph*> graphs = rect->graphs();
    QCPAxis* left = rect->axis(QCPAxis::atLeft);
    if (graphs.isEmpty()) {
        left->setRange(-0.5, 1.0);
        replot();
        return;
    }
    const QCPRange keys = rect->axis(QCPAxis::atBottom)->range();
    bool found = false;
    double min = 0;
    double max = 0;
    for (QCPGraph* graph : graphs) {
        const QSharedPointer<QCPGraphDataContainer> data = graph->data();
        const int from = int(data->findBegin(keys.lower, true) - data->constBegin());
        const int to = int(data->findEnd(keys.upper, true) - data->constBegin());
        double lo = 0;
        double hi = 0;
        bool any = false;
        if (auto* lod = qobject_cast<LodGraph*>(graph)) {
            any = lod->valueBounds(from, to, &lo, &hi);
        } else {
            for (auto it = data->constBegin() + from; it < data->constBegin() + to; ++it) {
                lo = any ? qMin(lo, it->value) : it->value;
                hi = any ? qMax(hi, it->value) : it->value;
                any = true;
            }
        }
        if (!any)
            continue;
        min = found ? qMin(min, lo) : lo;
        max = found ? qMax(max, hi) : hi;
        found = true;
    }
    left->setRange(adaptiveValueRange(min, max));
    replot();
}

void CustomPlot::setLegendVisible(bool visible)
{
    m_legendVisible = visible;
    if (m_plot->legend)
        m_plot->legend->setVisible(visible);
    replot();
}

void CustomPlot::setRangeDragEnabled(bool enabled)
{
    m_plot->setInteraction(QCP::iRangeDrag, enabled);
}

void CustomPlot::setRangeZoomEnabled(bool enabled)
{
    m_plot->setInteraction(QCP::iRangeZoom, enabled);
}

void CustomPlot::setSelectZoomEnabled(bool enabled)
{
    m_plot->setSelectionRectMode(enabled ? QCP::srmZoom : QCP::srmNone);
}

void CustomPlot::setTracerEnabled(bool enabled)
{
    m_tracerEnabled = enabled;
    if (enabled) {
        m_plot->setInteraction(QCP::iSelectPlottables, true);
        return;
    }
    m_plot->deselectAll();
    m_plot->setInteraction(QCP::iSelectPlottables, false);
    replot();
}

int CustomPlot::tracerStyle() const
{
    return m_tracer ? int(m_tracer->style()) : int(QCPItemTracer::tsCrosshair);
}

void CustomPlot::setTracerStyle(int style)
{
    if (m_tracer)
        m_tracer->setStyle(QCPItemTracer::TracerStyle(style));
}

int CustomPlot::tracerSize() const
{
    return m_tracer ? int(m_tracer->size()) : 10;
}

void CustomPlot::setTracerSize(int size)
{
    if (m_tracer)
        m_tracer->setSize(size);
}

bool CustomPlot::tracerInterpolating() const
{
    return m_tracer && m_tracer->interpolating();
}

void CustomPlot::setTracerInterpolating(bool interpolating)
{
    if (m_tracer)
        m_tracer->setInterpolating(interpolating);
}

void CustomPlot::setLabelFont(QFont font)
{
    if (font != m_labelFont)
        m_labelFont = font;
}

void CustomPlot::setTickLabelFont(QFont font)
{
    if (font != m_tickLabelFont)
        m_tickLabelFont = font;
}

void CustomPlot::setLevelOfDetail(bool enabled)
{
    m_levelOfDetail = enabled;
    for (int i = 0; i < m_plot->graphCount(); ++i) {
        if (auto* graph = qobject_cast<LodGraph*>(m_plot->graph(i)))
            graph->setLevelOfDetail(enabled);
    }
}

void CustomPlot::setNoniusVisible(bool visible)
{
    for (NoniusLines* pair : m_nonius)
        pair->setVisible(visible);
    replot();
}

void CustomPlot::setNoniusVertical(bool vertical)
{
    for (NoniusLines* pair : m_nonius)
        pair->setVertical(vertical);
    replot();
}

void CustomPlot::setNoniusLocked(bool locked)
{
    for (NoniusLines* pair : m_nonius)
        pair->setLocked(locked);
}

QVector<double> CustomPlot::noniusValuesA() const
{
    QVector<double> values;
    for (const NoniusLines* pair : m_nonius)
        values.append(pair->valueA());
    return values;
}

QVector<double> CustomPlot::noniusValuesB() const
{
    QVector<double> values;
    for (const NoniusLines* pair : m_nonius)
        values.append(pair->valueB());
    return values;
}

QPen CustomPlot::noniusPenA() const
{
    return m_nonius.isEmpty() ? QPen() : m_nonius.first()->penA();
}

QPen CustomPlot::noniusPenB() const
{
    return m_nonius.isEmpty() ? QPen() : m_nonius.first()->penB();
}

void CustomPlot::setNoniusPenA(QPen pen)
{
    for (NoniusLines* pair : m_nonius)
        pair->setPenA(pen);
    replot();
}

void CustomPlot::setNoniusPenB(QPen pen)
{
    for (NoniusLines* pair : m_nonius)
        pair->setPenB(pen);
    replot();
}

int CustomPlot::chartAt(const QPointF& pos) const
{
    for (int row = 0; row < axisRectCount(); ++row) {
        if (chart(row)->rect().contains(pos.toPoint()))
            return row;
    }
    return -1;
}

void CustomPlot::mousePress(QMouseEvent* event)
{
    const int row = chartAt(event->localPos());
    if (row < 0)
        return;
    if (event->button() == Qt::MiddleButton && m_plot->interactions().testFlag(QCP::iRangeDrag)) {
        markUserScaled(row);
    } else if (event->button() == Qt::LeftButton) {
        NoniusLines* pair = m_nonius.value(row);
        if (pair && pair->isVisible() && pair->press(event->localPos())) {
            if (auto* widget = qobject_cast<ScopePlotWidget*>(m_plot))
                widget->claimPress();
        }
    } else if (event->button() == Qt::RightButton) {
        showContextMenu(row);
    }
}

void CustomPlot::mouseWheel(QWheelEvent* event)
{
    if (m_plot->interactions().testFlag(QCP::iRangeZoom))
        markUserScaled(chartAt(event->position()));
}

void CustomPlot::showContextMenu(int row)
{
    QMenu menu(m_plot);
    QAction* adaptX = menu.addAction(QObject::tr("Adaptive X axis"));
    adaptX->setShortcut(QKeySequence());
    QAction* adaptY = menu.addAction(QObject::tr("Adaptive Y axis"));
    adaptY->setShortcut(QKeySequence());
    QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == adaptX)
        adaptiveX(row);
    else if (chosen == adaptY)
        adaptiveY(row);
}

void CustomPlot::mouseMove(QMouseEvent* event)
{
    for (int row = 0; row < axisRectCount(); ++row) {
        NoniusLines* pair = m_nonius.value(row);
        if (!pair || !pair->isVisible() || !chart(row)->rect().contains(event->pos()))
            continue;
        if (pair->move(event->localPos()))
            replotOverlay();
        emit updateNoniusPosition(row, pair->valueA(), pair->valueB());
        return;
    }
    if (!m_running)
        traceAt(event);
}

void CustomPlot::mouseRelease(QMouseEvent*)
{
    for (NoniusLines* pair : m_nonius)
        pair->release();
}

void CustomPlot::detachTracer()
{
    // The tracer keeps a plain pointer to its graph, which a rebuild deletes; the rebuild replots.
    if (!m_tracer)
        return;
    m_tracer->setGraph(nullptr);
    m_tracer->setVisible(false);
    m_tracerLabel->setVisible(false);
    m_tracerShown = false;
}

void CustomPlot::hideTracer()
{
    if (!m_tracerShown)
        return;
    m_tracer->setVisible(false);
    m_tracerLabel->setVisible(false);
    m_tracerShown = false;
    replotOverlay();
}

void CustomPlot::traceAt(QMouseEvent* event)
{
    const int row = chartAt(event->localPos());
    if (row < 0) {
        QToolTip::showText(event->globalPos(), QString());
        hideTracer();
        return;
    }
    QCPAxisRect* rect = chart(row);
    const double x = rect->axis(QCPAxis::atBottom)->pixelToCoord(event->localPos().x());
    const double y = rect->axis(QCPAxis::atLeft)->pixelToCoord(event->localPos().y());
    const QList<QCPGraph*> selected = m_plot->selectedGraphs();
    QCPGraph* graph = selected.isEmpty() ? nullptr : selected.first();
    if (m_tracerEnabled && graph && rect->graphs().contains(graph)) {
        QToolTip::hideText();
        m_tracer->setClipAxisRect(rect);
        m_tracer->setGraph(graph);
        m_tracer->setGraphKey(x);
        m_tracer->setVisible(true);
        m_tracerLabel->setVisible(true);
        m_tracer->updatePosition();
        const QPointF at = m_tracer->position->coords();
        m_tracerLabel->setText(
            QStringLiteral("%1 \r\nX: %2 \r\nY: %3")
                .arg(graph->name(), QString::number(at.x(), 'f', 2), QString::number(at.y(), 'f', 2)));
        replotOverlay();
        m_tracerShown = true;
        return;
    }
    hideTracer();
    QToolTip::showText(event->globalPos(),
        QStringLiteral("( %1, %2 )").arg(QString::number(x, 'f', 2), QString::number(y, 'f', 2)), m_plot);
}
