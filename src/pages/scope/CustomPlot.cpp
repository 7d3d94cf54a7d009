#include "CustomPlot.h"

#include "pages/scope/LodGraph.h"
#include "pages/scope/ScopePlotWidget.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QToolTip>

#include <qcustomplot.h>

namespace {

constexpr int plotIntervalMs = 30;
constexpr double windowLag = 0.5; // seconds the visible window ends behind the time base

QCPRange adaptiveValueRange(double min, double max)
{
    if (min >= 0)
        return QCPRange((min - 1) * 0.99, (max + 1) * 1.01);
    if (max >= 0)
        return QCPRange((min - 1) * 1.01, (max + 1) * 1.01);
    return QCPRange((min - 1) * 1.01, (max + 1) * 0.99);
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

    if (m_importedMode)
        rebuildImportedGraphs();
    else
        rebuildLiveGraphs(false, true, true);
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
        LodGraph* graph = makeGraph(order, it->name, it->pen);
        if (m_recordedKeys.contains(it.key()))
            graph->setPoints(m_recordedKeys.value(it.key()), m_recordedValues.value(it.key()));
        it->graph = graph;
        if (rescaleLast && it->name == lastName) {
            graph->rescaleAxes(false);
            rescaled = true;
        }
    }
    if (!rescaled && rescaleAll)
        m_plot->rescaleAxes(false);
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
    m_channels.insert(index, { name, pen, nullptr });
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
    replot();
}

bool CustomPlot::start()
{
    if (m_running)
        return false;
    if (m_importedMode)
        rebuildLiveGraphs(false, true, true);
    m_running = true;
    m_plotTimer = startTimer(plotIntervalMs, Qt::CoarseTimer);
    m_tickTimer = startTimer(m_tickInterval, Qt::CoarseTimer);
    return true;
}

void CustomPlot::pause()
{
    if (!m_running)
        return;
    killTimer(m_plotTimer);
    killTimer(m_tickTimer);
    m_plotTimer = 0;
    m_tickTimer = 0;
    m_running = false;
}

void CustomPlot::stop()
{
    pause();
    m_timeBase = 0;
}

void CustomPlot::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_tickTimer && m_tickTimer != 0) {
        m_timeBase += m_tickInterval / 1000.0;
        const double right = m_timeBase - windowLag;
        for (int row = 0; row < axisRectCount(); ++row) {
            QCPAxisRect* rect = chart(row);
            if (rect->graphs().isEmpty())
                continue;
            QCPAxis* bottom = rect->axis(QCPAxis::atBottom);
            bottom->setRange(right - bottom->range().size(), right);
        }
        m_plot->replot(QCustomPlot::rpQueuedReplot);
    } else if (event->timerId() == m_plotTimer && m_plotTimer != 0) {
        for (auto it = m_channels.begin(); it != m_channels.end(); ++it) {
            const QVector<double>& samples = m_received[it.key()];
            if (samples.isEmpty())
                continue;
            const double v = samples.last();
            if (it->graph)
                it->graph->appendPoint(m_timeBase, v);
            m_recordedKeys[it.key()].append(m_timeBase);
            m_recordedValues[it.key()].append(v);
        }
    } else {
        QObject::timerEvent(event);
    }
}

void CustomPlot::addSample(int index, double value)
{
    if (!m_channels.contains(index))
        return;
    m_received[index].append(value);
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
    m_received.clear();
    m_recordedKeys.clear();
    m_recordedValues.clear();
    replot();
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
    if (event->button() == Qt::LeftButton) {
        NoniusLines* pair = m_nonius.value(row);
        if (pair && pair->isVisible() && pair->press(event->localPos())) {
            if (auto* widget = qobject_cast<ScopePlotWidget*>(m_plot))
                widget->claimPress();
        }
    } else if (event->button() == Qt::RightButton) {
        showContextMenu(row);
    }
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
