// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalAnswer.h"
#include "app/startup/Startup.h"
#include "pages/scope/CurveFile.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/GUI_ScopeNonius.h"
#include "pages/scope/GUI_ScopeSetting.h"
#include "pages/scope/LodGraph.h"
#include "pages/scope/NoniusLines.h"
#include "pages/scope/ScopePlotWidget.h"
#include "pages/scope/ScopeTrigger.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>
#include <random>

namespace {

// Exposes the line sampling of both paths on the same data.
class ProbeGraph : public LodGraph
{
public:
    using LodGraph::LodGraph;
    QVector<QCPGraphData> lines(bool levelOfDetail)
    {
        setLevelOfDetail(levelOfDetail);
        QVector<QCPGraphData> out;
        QCPGraphDataContainer::const_iterator begin, end;
        getVisibleDataBounds(begin, end, QCPDataRange(0, dataCount()));
        if (begin != end)
            getOptimizedLineData(&out, begin, end);
        return out;
    }
};

bool sameLines(const QVector<QCPGraphData>& a, const QVector<QCPGraphData>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).key != b.at(i).key || a.at(i).value != b.at(i).value)
            return false;
    }
    return true;
}

void send(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPointF pos)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos.toPoint()), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Press, move in steps and release, as a hand would.
void drag(QWidget* w, Qt::MouseButton button, QPointF from, QPointF to, int steps = 10)
{
    send(w, QEvent::MouseButtonPress, button, button, from);
    for (int i = 1; i <= steps; ++i)
        send(w, QEvent::MouseMove, Qt::NoButton, button, from + (to - from) * (double(i) / steps));
    send(w, QEvent::MouseButtonRelease, button, Qt::NoButton, to);
}

void hover(QWidget* w, QPointF pos)
{
    send(w, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, pos);
}

void wheel(QWidget* w, QPointF pos, int delta)
{
    QWheelEvent event(pos, w->mapToGlobal(pos.toPoint()), QPoint(), QPoint(0, delta), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

// 0 for the first half of every second, 10 for the second half.
double squareWave(double t)
{
    return std::fmod(t, 1.0) >= 0.5 - 1e-9 ? 10.0 : 0.0;
}

// Bounds over data[from, to) by walking every point, gaps left out.
bool walkedBounds(const QCPGraphDataContainer& data, int from, int to, double* min, double* max)
{
    bool any = false;
    for (auto it = data.constBegin() + from; it < data.constBegin() + to; ++it) {
        if (std::isnan(it->value))
            continue;
        *min = any ? qMin(*min, it->value) : it->value;
        *max = any ? qMax(*max, it->value) : it->value;
        any = true;
    }
    return any;
}

QString rangeText(const QCPRange& r)
{
    return QStringLiteral("[%1, %2]").arg(r.lower, 0, 'f', 4).arg(r.upper, 0, 'f', 4);
}

// Answers the next dialog of class T that becomes visible, from a timer.
template <typename T> void answerNextOf(std::function<void(T*)> handler)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handler]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<T*>(w); dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                handler(dialog);
                return;
            }
        }
    });
    timer->start(20);
}

} // namespace

class TestCustomPlot : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScopePlotWidget> widget;
    std::unique_ptr<CustomPlot> plot;

    QCPAxisRect* chart(int row) { return plot->chart(row); }
    QPointF pixel(int row, double x, double y)
    {
        return QPointF(chart(row)->axis(QCPAxis::atBottom)->coordToPixel(x),
            chart(row)->axis(QCPAxis::atLeft)->coordToPixel(y));
    }
    int chartRowOf(QCPGraph* graph)
    {
        for (int row = 0; row < plot->axisRectCount(); ++row) {
            if (graph->keyAxis()->axisRect() == chart(row))
                return row;
        }
        return -1;
    }
    // A channel with points at the given keys and values, as if recorded.
    void record(int index, const QVector<double>& keys, const QVector<double>& values)
    {
        QVERIFY(plot->addChannel(index, QStringLiteral("ch%1").arg(index), QPen(Qt::red)));
        for (int i = 0; i < keys.size(); ++i)
            plot->channel(index).graph->appendPoint(keys.at(i), values.at(i));
    }
    void setRanges(int row, QCPRange x, QCPRange y)
    {
        chart(row)->axis(QCPAxis::atBottom)->setRange(x);
        chart(row)->axis(QCPAxis::atLeft)->setRange(y);
        widget->replot();
    }

private slots:
    void initTestCase() { Startup::initResources(); }

    void init()
    {
        widget.reset(new ScopePlotWidget);
        widget->resize(1000, 600);
        plot.reset(new CustomPlot(widget.get()));
        plot->init(1);
        widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    }

    void cleanup()
    {
        plot.reset();
        widget.reset();
    }

    void channelsGoToChartsByOrder()
    {
        plot->setAxisRectCount(2);
        for (int index : { 7, 2, 5, 11 })
            QVERIFY(plot->addChannel(index, QString::number(index), QPen(Qt::blue)));
        QVERIFY(!plot->addChannel(5, QStringLiteral("again"), QPen()));
        QCOMPARE(plot->channels(), QList<int>({ 2, 5, 7, 11 }));
        QCOMPARE(chartRowOf(plot->channel(2).graph), 0);
        QCOMPARE(chartRowOf(plot->channel(5).graph), 1);
        QCOMPARE(chartRowOf(plot->channel(7).graph), 0);
        QCOMPARE(chartRowOf(plot->channel(11).graph), 0);
        plot->setAxisRectCount(4);
        QCOMPARE(chartRowOf(plot->channel(11).graph), 3);
        plot->setAxisRectCount(0); // ignored
        QCOMPARE(plot->axisRectCount(), 4);
    }

    void recordingSurvivesRebuildsAndRemoval()
    {
        QSignalSpy rebuilt(plot.get(), &CustomPlot::axisRectChanged);
        QVERIFY(plot->addChannel(0, QStringLiteral("speed"), QPen(Qt::red)));
        QVERIFY(plot->addChannel(3, QStringLiteral("current"), QPen(Qt::blue)));
        QVERIFY(plot->start());
        QVERIFY(!plot->start());
        plot->addSample(0, 1.5);
        plot->addSample(3, -2);
        plot->addSample(9, 4); // not a channel
        QTRY_VERIFY(plot->recordedKeys(0).size() >= 5);
        plot->pause();
        const QVector<double> keys = plot->recordedKeys(0);
        QCOMPARE(plot->recordedValues(0), QVector<double>(keys.size(), 1.5)); // the last sample repeats
        QVERIFY(plot->receivedSamples(9).isEmpty());

        plot->setLegendVisible(true);
        plot->setNoniusVisible(true);
        plot->setNoniusLocked(true);
        plot->setNoniusVertical(false);
        plot->setAxisRectCount(3);
        QCOMPARE(rebuilt.last().at(0).toInt(), 3);
        QCOMPARE(plot->channel(0).graph->dataCount(), keys.size());
        QVERIFY(widget->legend && widget->legend->visible());
        QCOMPARE(widget->legend->itemCount(), 2);
        for (int row = 0; row < 3; ++row) {
            QVERIFY(plot->nonius(row)->isVisible());
            QVERIFY(plot->nonius(row)->isLocked());
            QVERIFY(!plot->nonius(row)->isVertical());
        }

        QVERIFY(plot->removeChannel(0));
        QVERIFY(!plot->removeChannel(0));
        QCOMPARE(widget->graphCount(), 1);
        QVERIFY(plot->addChannel(0, QStringLiteral("speed"), QPen(Qt::red)));
        QCOMPARE(plot->channel(0).graph->dataCount(), keys.size());

        plot->clearCurves();
        QCOMPARE(plot->channel(0).graph->dataCount(), 0);
        QVERIFY(plot->recordedKeys(3).isEmpty());
        QVERIFY(plot->timeBase() > 0); // Clear Graphs keeps the time base
    }

    void timeBaseCountsTicks()
    {
        QVERIFY(plot->addChannel(1, QStringLiteral("a"), QPen(Qt::red)));
        QVERIFY(plot->addChannel(2, QStringLiteral("never sampled"), QPen(Qt::red)));
        QVERIFY(plot->start());
        plot->addSample(1, 3);
        QTest::qWait(300);
        plot->pause();
        const double paused = plot->timeBase();
        QVERIFY(paused > 0.05);
        // Whole ticks of 10 ms.
        QVERIFY(qAbs(paused * 100 - qRound(paused * 100)) < 1e-6);
        QVERIFY(plot->recordedKeys(2).isEmpty());
        QTest::qWait(100);
        QCOMPARE(plot->timeBase(), paused);
        // The visible window ends half a second behind the time base.
        QVERIFY(qAbs(chart(0)->axis(QCPAxis::atBottom)->range().upper - (paused - 0.5)) < 1e-9);

        plot->start();
        QTRY_VERIFY(plot->timeBase() > paused + 0.05);
        plot->stop();
        QCOMPARE(plot->timeBase(), 0.0);
    }

    // A run after Stop starts again at 0 as a line of its own: the run before stays, faded, as its
    // own graph until Clear Graphs, and the new points are appended, never sorted in among old ones.
    void runAfterStopIsALineOfItsOwn()
    {
        QVERIFY(plot->addChannel(1, QStringLiteral("a"), QPen(Qt::red)));
        QVERIFY(plot->start());
        plot->addSample(1, 3);
        QTRY_VERIFY(plot->recordedKeys(1).size() >= 5);
        plot->stop();
        const QVector<double> first = plot->recordedKeys(1);
        QVERIFY(plot->start());
        plot->addSample(1, 4);
        QTRY_VERIFY(plot->recordedKeys(1).size() >= 3);
        plot->stop();
        QCOMPARE(plot->earlierKeys(1), first);
        QVERIFY(plot->recordedKeys(1).first() < first.last());
        QCOMPARE(plot->recordedValues(1), QVector<double>(plot->recordedKeys(1).size(), 4.0));
        QVERIFY(plot->channel(1).earlierGraph);
        QCOMPARE(plot->channel(1).earlierGraph->dataCount(), first.size());
        QCOMPARE(plot->channel(1).earlierGraph->pen().color().alpha() < 255, true);
        QCOMPARE(widget->legend->itemCount(), 1); // the faded run is not a curve of its own to name
        plot->clearCurves();
        QVERIFY(!plot->channel(1).earlierGraph);
        QVERIFY(plot->earlierKeys(1).isEmpty());
    }

    void importedCurvesReplaceTheChannels()
    {
        QVERIFY(plot->addChannel(2, QStringLiteral("live"), QPen(Qt::red)));
        QVERIFY(plot->start());
        plot->addSample(2, 5);
        QTRY_VERIFY(plot->recordedKeys(2).size() >= 2);
        plot->pause();
        const int recorded = plot->recordedKeys(2).size();
        plot->setAxisRectCount(2);
        plot->showImportedCurves({ "file a", "file b", "file c" }, { { 0, 1 }, { 0, 2 }, { 1, 3 } },
            { { 1, 1 }, { 2, 2 }, { 3, 3 } });
        QVERIFY(plot->isImportedMode());
        QCOMPARE(widget->graphCount(), 3);
        QCOMPARE(widget->graph(0)->name(), QStringLiteral("file a"));
        QCOMPARE(widget->graph(0)->pen().color(), QColor("#ff0000"));
        QCOMPARE(widget->graph(1)->pen().color(), QColor("#0000ff"));
        QCOMPARE(chartRowOf(widget->graph(1)), 1);
        QCOMPARE(chartRowOf(widget->graph(2)), 0);
        QVERIFY(!plot->channel(2).graph);
        plot->setAxisRectCount(3); // a rebuild keeps showing the file
        QVERIFY(plot->isImportedMode());
        QCOMPARE(chartRowOf(widget->graph(2)), 2);

        // Clear Graphs brings the channels back with their points.
        plot->clearCurves();
        QVERIFY(!plot->isImportedMode());
        QCOMPARE(widget->graphCount(), 1);
        QCOMPARE(plot->channel(2).graph->dataCount(), recorded);

        // So does starting.
        plot->showImportedCurves({ "file a" }, { { 0, 1 } }, { { 1, 1 } });
        QVERIFY(plot->start());
        QVERIFY(!plot->isImportedMode());
        QVERIFY(plot->channel(2).graph->dataCount() >= recorded);
        plot->stop();
    }

    // The level of detail of cleared points must not widen the bounds of what comes after them.
    void clearGraphsForgetsTheLevelOfDetail()
    {
        QVector<double> keys;
        for (int i = 0; i < 64; ++i)
            keys << i;
        record(0, keys, QVector<double>(keys.size(), 1000));
        LodGraph* graph = plot->channel(0).graph;
        double lo = 0;
        double hi = 0;
        QVERIFY(graph->valueBounds(0, 64, &lo, &hi)); // the pyramid describes the old points
        graph->clearPoints();
        for (int i = 0; i < 64; ++i)
            graph->appendPoint(i, 1 + i % 3);
        QVERIFY(graph->valueBounds(0, 64, &lo, &hi));
        QCOMPARE(lo, 1.0);
        QCOMPARE(hi, 3.0);

        plot->clearCurves();
        graph = plot->channel(0).graph;
        for (int i = 0; i < 64; ++i)
            graph->appendPoint(i, 5);
        setRanges(0, QCPRange(0, 63), QCPRange(-5000, 5000));
        plot->adaptiveY(0);
        QCOMPARE(rangeText(chart(0)->axis(QCPAxis::atLeft)->range()), QStringLiteral("[3.9600, 6.0600]"));
    }

    // A NaN is a sample that could not be read: a gap in the line, never part of the bounds.
    void gapsBreakTheLine()
    {
        auto* probe = new ProbeGraph(chart(0)->axis(QCPAxis::atBottom), chart(0)->axis(QCPAxis::atLeft));
        for (int i = 0; i < 60000; ++i)
            probe->appendPoint(i * 0.01, i >= 20000 && i < 30000 ? qQNaN() : std::sin(i * 0.001) * 100);
        setRanges(0, QCPRange(0, 600), QCPRange(-200, 200));
        double lo = 0;
        double hi = 0;
        QVERIFY(probe->valueBounds(0, probe->dataCount(), &lo, &hi));
        double walkedLo = 0;
        double walkedHi = 0;
        QVERIFY(walkedBounds(*probe->data(), 0, probe->dataCount(), &walkedLo, &walkedHi));
        QCOMPARE(lo, walkedLo);
        QCOMPARE(hi, walkedHi);
        QVERIFY(!probe->valueBounds(20016, 29984, &lo, &hi)); // gaps only
        const QVector<QCPGraphData> lines = probe->lines(true);
        int breaks = 0;
        for (const QCPGraphData& point : lines) {
            if (std::isnan(point.value)) {
                ++breaks;
                QVERIFY(point.key > 199 && point.key < 301);
            }
        }
        QVERIFY(breaks > 0);
        widget->removeGraph(probe);
    }

    // A recording keeps its last recordingLength() seconds; what goes is the oldest, the bounds
    // stay exact over what is kept, and the drop is told once per run.
    void recordingKeepsItsLastSeconds()
    {
        plot->setRealTime(true);
        QVERIFY(plot->addChannel(0, QStringLiteral("a"), QPen(Qt::red)));
        plot->setRecordingLength(10);
        QSignalSpy trimmed(plot.get(), &CustomPlot::recordingTrimmed);
        plot->addSampleAt(0, 0, 1e6); // a spike that is dropped
        std::mt19937 random(7);
        for (int i = 1; i <= 6000; ++i)
            plot->addSampleAt(0, i * 0.01, double(random() % 1000) - 500);
        QVERIFY(plot->hasDroppedPoints());
        QCOMPARE(trimmed.count(), 1);
        const QVector<double> keys = plot->recordedKeys(0);
        QVERIFY(keys.first() >= 50 - 1e-9);
        QCOMPARE(keys.last(), 60.0);
        LodGraph* graph = plot->channel(0).graph;
        QCOMPARE(graph->dataCount(), keys.size());
        for (int round = 0; round < 200; ++round) {
            const int from = int(random() % unsigned(keys.size()));
            const int to = from + 1 + int(random() % unsigned(keys.size() - from));
            double lo = 0, hi = 0, walkedLo = 0, walkedHi = 0;
            QCOMPARE(graph->valueBounds(from, to, &lo, &hi),
                walkedBounds(*graph->data(), from, to, &walkedLo, &walkedHi));
            QCOMPARE(lo, walkedLo);
            QCOMPARE(hi, walkedHi);
        }
        setRanges(0, QCPRange(0, 60), QCPRange(0, 1));
        plot->adaptiveY(0);
        QVERIFY(chart(0)->axis(QCPAxis::atLeft)->range().upper < 1000);
    }

    // The first samples of a run set the value axis once; Auto Y keeps it fitted while running,
    // until the user zooms that chart.
    void autoYFitsUntilTheUserZooms()
    {
        plot->setRealTime(true);
        QVERIFY(plot->addChannel(0, QStringLiteral("bus voltage"), QPen(Qt::red)));
        QCPAxis* left = chart(0)->axis(QCPAxis::atLeft);
        QVERIFY(!left->range().contains(537));
        QVERIFY(plot->start());
        plot->addSampleAt(0, plot->timeBase(), 537);
        QTRY_VERIFY(left->range().contains(537));
        QVERIFY(left->range().size() < 100);
        left->setRange(0, 5); // a hand-set range stays, without Auto Y
        plot->addSampleAt(0, plot->timeBase(), 540);
        QTest::qWait(100);
        QCOMPARE(rangeText(left->range()), QStringLiteral("[0.0000, 5.0000]"));

        plot->setAutoY(true);
        // The view ends half a second behind the newest points; what it shows is what is fitted.
        QTRY_VERIFY(left->range().contains(540));
        plot->addSampleAt(0, plot->timeBase(), 900);
        QTRY_VERIFY(left->range().contains(900));

        plot->setRangeZoomEnabled(true);
        wheel(widget.get(), chart(0)->rect().center(), 120);
        QVERIFY(plot->isUserScaled(0));
        left->setRange(0, 5);
        plot->addSampleAt(0, plot->timeBase(), 2000);
        QTest::qWait(100);
        QCOMPARE(rangeText(left->range()), QStringLiteral("[0.0000, 5.0000]"));
        plot->setAutoY(true); // switching it on again takes the chart back
        QVERIFY(!plot->isUserScaled(0));
        QTRY_VERIFY(left->range().contains(2000));
        plot->stop();
    }

    void triggerModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("edge");
        QTest::addColumn<double>("level");
        QTest::addColumn<QList<double>>("captures"); // crossings of the completed windows
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("rolled");
        // A square wave of 0 and 10, rising at 0.5 s and falling at 1 s in every second, sampled
        // every 10 ms for 3.2 s; a window of 0.4 s with a quarter before the crossing.
        QTest::newRow("normal, rising")
            << int(ScopeTrigger::Normal) << int(ScopeTrigger::Rising) << 5.0
            << QList<double>({ 0.495, 1.495, 2.495 }) << int(ScopeTrigger::Armed) << false;
        QTest::newRow("normal, falling: the last window is still filling")
            << int(ScopeTrigger::Normal) << int(ScopeTrigger::Falling) << 5.0
            << QList<double>({ 0.995, 1.995 }) << int(ScopeTrigger::Filling) << false;
        QTest::newRow("single") << int(ScopeTrigger::Single) << int(ScopeTrigger::Rising) << 5.0
                                << QList<double>({ 0.495 }) << int(ScopeTrigger::Done) << false;
        QTest::newRow("auto with crossings")
            << int(ScopeTrigger::Auto) << int(ScopeTrigger::Rising) << 5.0
            << QList<double>({ 0.495, 1.495, 2.495 }) << int(ScopeTrigger::Armed) << false;
        QTest::newRow("auto without crossings rolls")
            << int(ScopeTrigger::Auto) << int(ScopeTrigger::Rising) << 20.0 << QList<double>()
            << int(ScopeTrigger::Armed) << true;
        QTest::newRow("off") << int(ScopeTrigger::Off) << int(ScopeTrigger::Rising) << 5.0 << QList<double>()
                             << int(ScopeTrigger::Idle) << false;
    }

    void triggerModes()
    {
        QFETCH(int, mode);
        QFETCH(int, edge);
        QFETCH(double, level);
        QFETCH(QList<double>, captures);
        QFETCH(int, state);
        QFETCH(bool, rolled);
        ScopeTrigger trigger;
        ScopeTrigger::Settings settings;
        settings.mode = ScopeTrigger::Mode(mode);
        settings.channel = 0;
        settings.edge = ScopeTrigger::Edge(edge);
        settings.level = level;
        settings.preTrigger = 0.25;
        settings.window = 0.4;
        trigger.setSettings(settings, 0);
        QList<double> seen;
        bool sawRolling = false;
        for (int i = 0; i <= 320; ++i) {
            const double t = i / 100.0;
            trigger.feed(t, squareWave(t));
            switch (trigger.update(t)) {
            case ScopeTrigger::Captured: {
                const ScopeTrigger::Window window = trigger.window();
                QVERIFY(qAbs(window.from - (window.at - 0.1)) < 1e-9);
                QVERIFY(qAbs(window.to - (window.at + 0.3)) < 1e-9);
                QVERIFY(t >= window.to);
                seen << std::round(window.at * 1000) / 1000;
                break;
            }
            case ScopeTrigger::Rolling:
                sawRolling = true;
                break;
            case ScopeTrigger::NoEvent:
                break;
            }
        }
        QCOMPARE(seen, captures);
        QCOMPARE(int(trigger.state()), state);
        QCOMPARE(sawRolling, rolled);
    }

    // A single capture holds the view on its window, with a marker at the crossing, and is what an
    // export writes.
    void triggeredCaptureHoldsTheView()
    {
        plot->setRealTime(true);
        QVERIFY(plot->addChannel(0, QStringLiteral("step"), QPen(Qt::red)));
        ScopeTrigger::Settings settings;
        settings.mode = ScopeTrigger::Single;
        settings.channel = 0;
        settings.level = 5;
        settings.preTrigger = 0.5;
        settings.window = 0.2;
        plot->setTrigger(settings);
        QSignalSpy changed(plot.get(), &CustomPlot::triggerChanged);
        QVERIFY(plot->start());
        for (int i = 0; i <= 50; ++i)
            plot->addSampleAt(0, i / 100.0, i >= 10 ? 10 : 0);
        QTRY_VERIFY(plot->isHoldingCapture());
        QCOMPARE(int(plot->trigger().state()), int(ScopeTrigger::Done));
        QVERIFY(!changed.isEmpty());
        const QCPRange shown = chart(0)->axis(QCPAxis::atBottom)->range();
        QVERIFY(qAbs(shown.lower - -0.005) < 1e-9);
        QVERIFY(qAbs(shown.upper - 0.195) < 1e-9);
        QTest::qWait(100); // the view stays on the capture while time goes on
        QCOMPARE(chart(0)->axis(QCPAxis::atBottom)->range(), shown);
        plot->pause();

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("capture.csv"));
        QCOMPARE(plot->exportCsv(path), 1);
        QList<QStringList> rows;
        int fields = 0;
        QVERIFY(readCsvLines(path, rows, fields));
        QCOMPARE(rows.size(), 1 + 20); // 0.00 to 0.19
        QCOMPARE(rows.at(1).at(0), QStringLiteral("0"));
        QCOMPARE(rows.last().at(0), QStringLiteral("0.19"));
    }

    // A tracer or position tooltip left from looking at the recording would stand still over a
    // moving plot: starting, or continuing after a pause, hides them.
    void startHidesTracerAndTooltip()
    {
        QVERIFY(plot->addChannel(0, QStringLiteral("ch0"), QPen(Qt::red)));
        QVERIFY(plot->start());
        plot->pause();
        plot->channel(0).graph->appendPoint(0, 0);
        plot->channel(0).graph->appendPoint(10, 10);
        setRanges(0, QCPRange(0, 10), QCPRange(0, 10));
        hover(widget.get(), pixel(0, 4, 1));
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(plot->start());
        QTRY_VERIFY(!QToolTip::isVisible());
        plot->pause();
        setRanges(0, QCPRange(0, 10), QCPRange(0, 10)); // running moved the view
        plot->setTracerEnabled(true);
        send(widget.get(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, pixel(0, 5, 5));
        send(widget.get(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, pixel(0, 5, 5));
        hover(widget.get(), pixel(0, 6, 1));
        QVERIFY(plot->isTracerShown());
        QVERIFY(plot->start());
        QVERIFY(!plot->isTracerShown());
        QVERIFY(!plot->tracer()->visible());
        QVERIFY(!plot->tracerLabel()->visible());
        plot->stop();
    }

    void adaptiveX_data()
    {
        QTest::addColumn<QVector<double>>("keys");
        QTest::addColumn<QString>("range");
        QTest::newRow("keys 10 to 20") << QVector<double>({ 10, 12, 20 }) << "[0.0000, 20.0000]";
        QTest::newRow("negative keys") << QVector<double>({ -4, -1 }) << "[-4.0000, 0.0000]";
        QTest::newRow("no graph") << QVector<double>() << "[-0.5000, 1.0000]";
    }

    void adaptiveX()
    {
        QFETCH(QVector<double>, keys);
        QFETCH(QString, range);
        if (!keys.isEmpty())
            record(0, keys, QVector<double>(keys.size(), 1));
        setRanges(0, QCPRange(100, 200), QCPRange(0, 1));
        plot->adaptiveX(0);
        QCOMPARE(rangeText(chart(0)->axis(QCPAxis::atBottom)->range()), range);
    }

    void adaptiveY_data()
    {
        QTest::addColumn<QVector<double>>("values");
        QTest::addColumn<QString>("range");
        // Keys 0..6 with the visible x range [1, 5]: the points at 0 and 6 count as the neighbours.
        QTest::newRow("2 to 8") << QVector<double>({ 2, 4, 8, 3, 5, 6, 7 }) << "[0.9900, 9.0900]";
        QTest::newRow("-8 to -2") << QVector<double>({ -2, -4, -8, -3, -5, -6, -7 }) << "[-9.0900, -0.9900]";
        QTest::newRow("-3 to 5") << QVector<double>({ -3, 0, 5, 1, 1, 1, 1 }) << "[-4.0400, 6.0600]";
        QTest::newRow("outside ignored")
            << QVector<double>({ 100, 2, 4, 8, 3, 5, 6, 7, -100 }) << "[0.9900, 9.0900]";
    }

    void adaptiveY()
    {
        QFETCH(QVector<double>, values);
        QFETCH(QString, range);
        QVector<double> keys;
        for (int i = 0; i < values.size(); ++i)
            keys << (values.size() == 9 ? i - 1 : i);
        record(0, keys, values);
        setRanges(0, QCPRange(1, 5), QCPRange(-1000, 1000));
        if (values.size() == 9) // one point beyond each neighbour must not count
            setRanges(0, QCPRange(1, 5), QCPRange(-1000, 1000));
        plot->adaptiveY(0);
        QCOMPARE(rangeText(chart(0)->axis(QCPAxis::atLeft)->range()), range);
    }

    void adaptiveYWithoutGraphOrPoints()
    {
        plot->adaptiveY(0);
        QCOMPARE(rangeText(chart(0)->axis(QCPAxis::atLeft)->range()), QStringLiteral("[-0.5000, 1.0000]"));
        record(0, { 50, 60 }, { 9, 9 });
        setRanges(0, QCPRange(0, 10), QCPRange(0, 1));
        plot->adaptiveY(0); // only the neighbour at 50 counts
        QCOMPARE(rangeText(chart(0)->axis(QCPAxis::atLeft)->range()), QStringLiteral("[7.9200, 10.1000]"));
    }

    void contextMenuFitsOneChart()
    {
        plot->setAxisRectCount(2);
        QVERIFY(plot->addChannel(0, QStringLiteral("a"), QPen(Qt::red)));
        QVERIFY(plot->addChannel(1, QStringLiteral("b"), QPen(Qt::red)));
        plot->channel(0).graph->appendPoint(10, 1);
        plot->channel(1).graph->appendPoint(10, 1);
        plot->channel(1).graph->appendPoint(20, 2);
        setRanges(0, QCPRange(100, 200), QCPRange(0, 1));
        setRanges(1, QCPRange(100, 200), QCPRange(0, 1));
        QStringList texts;
        answerNextOf<QMenu>([&texts](QMenu* menu) {
            for (QAction* a : menu->actions())
                texts << a->text();
            menu->setActiveAction(menu->actions().first());
            QTest::keyClick(menu, Qt::Key_Return);
        });
        send(widget.get(), QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton,
            chart(1)->rect().center());
        send(widget.get(), QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton,
            chart(1)->rect().center());
        QCOMPARE(texts, QStringList({ "Adaptive X axis", "Adaptive Y axis" }));
        QCOMPARE(rangeText(chart(1)->axis(QCPAxis::atBottom)->range()), QStringLiteral("[0.0000, 20.0000]"));
        QCOMPARE(
            rangeText(chart(0)->axis(QCPAxis::atBottom)->range()), QStringLiteral("[100.0000, 200.0000]"));
    }

    void mouseButtons_data()
    {
        QTest::addColumn<bool>("dragMode");
        QTest::addColumn<bool>("selectMode");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("expect"); // "moved", "zoomed" or "same"
        QTest::newRow("middle drags") << true << false << int(Qt::MiddleButton) << "moved";
        QTest::newRow("middle drags in select mode") << true << true << int(Qt::MiddleButton) << "moved";
        QTest::newRow("middle without drag mode") << false << false << int(Qt::MiddleButton) << "same";
        QTest::newRow("left never drags") << true << false << int(Qt::LeftButton) << "same";
        QTest::newRow("left zooms in select mode") << true << true << int(Qt::LeftButton) << "zoomed";
        QTest::newRow("left without select mode") << false << false << int(Qt::LeftButton) << "same";
    }

    void mouseButtons()
    {
        QFETCH(bool, dragMode);
        QFETCH(bool, selectMode);
        QFETCH(int, button);
        QFETCH(QString, expect);
        plot->setRangeDragEnabled(dragMode);
        plot->setSelectZoomEnabled(selectMode);
        setRanges(0, QCPRange(0, 10), QCPRange(0, 10));
        drag(widget.get(), Qt::MouseButton(button), pixel(0, 2, 2), pixel(0, 6, 6));
        const QCPRange x = chart(0)->axis(QCPAxis::atBottom)->range();
        QString seen = QStringLiteral("same");
        if (qAbs(x.size() - 10) < 1e-6 && qAbs(x.lower) > 1)
            seen = QStringLiteral("moved");
        else if (x.size() < 9)
            seen = QStringLiteral("zoomed");
        QCOMPARE(seen, expect);
        if (expect == QLatin1String("zoomed")) // to the rectangle, within a pixel
            QVERIFY2(qAbs(x.lower - 2) < 0.03 && qAbs(x.upper - 6) < 0.03, qPrintable(rangeText(x)));
        if (expect == QLatin1String("moved"))
            QCOMPARE(rangeText(x), QStringLiteral("[-4.0000, 6.0000]"));
    }

    void rightButtonNeverStartsTheSelectionRect()
    {
        plot->setSelectZoomEnabled(true);
        setRanges(0, QCPRange(0, 10), QCPRange(0, 10));
        answerNextOf<QMenu>([](QMenu* menu) { menu->close(); });
        drag(widget.get(), Qt::RightButton, pixel(0, 2, 2), pixel(0, 6, 6));
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(rangeText(chart(0)->axis(QCPAxis::atBottom)->range()), QStringLiteral("[0.0000, 10.0000]"));
    }

    void tracerFollowsTheSelectedGraph()
    {
        record(0, { 0, 10 }, { 0, 10 });
        setRanges(0, QCPRange(0, 10), QCPRange(0, 10));
        // Without cursor tracking the position shows as a tooltip.
        hover(widget.get(), pixel(0, 4, 1));
        QCOMPARE(QToolTip::text(), QStringLiteral("( 4.00, 1.00 )"));
        QVERIFY(!plot->isTracerShown());
        plot->setTracerEnabled(true);
        // A left click on the curve selects it (the library's point selection).
        send(widget.get(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, pixel(0, 5, 5));
        send(widget.get(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, pixel(0, 5, 5));
        QCOMPARE(widget->selectedGraphs().size(), 1);
        // Without interpolation the tracer sits on the nearest point.
        hover(widget.get(), pixel(0, 6, 1));
        QVERIFY(plot->isTracerShown());
        QVERIFY(plot->tracer()->visible());
        QCOMPARE(plot->tracerLabel()->text(), QStringLiteral("ch0 \r\nX: 10.00 \r\nY: 10.00"));
        plot->setTracerInterpolating(true);
        hover(widget.get(), pixel(0, 4, 1));
        QCOMPARE(plot->tracerLabel()->text(), QStringLiteral("ch0 \r\nX: 4.00 \r\nY: 4.00"));

        // Outside the charts the tracer goes away; while running it does not come back.
        hover(widget.get(), QPointF(2, 2));
        QVERIFY(!plot->isTracerShown());
        plot->start();
        hover(widget.get(), pixel(0, 4, 1));
        QVERIFY(!plot->isTracerShown());
        plot->stop();
        plot->setTracerEnabled(false);
        QVERIFY(widget->selectedGraphs().isEmpty());
    }

    void noniusValues()
    {
        plot->setAxisRectCount(2);
        setRanges(0, QCPRange(0, 10), QCPRange(0, 100));
        setRanges(1, QCPRange(-5, 5), QCPRange(0, 100));
        const auto values = [this]() {
            QStringList out;
            const QVector<double> a = plot->noniusValuesA();
            const QVector<double> b = plot->noniusValuesB();
            for (int i = 0; i < a.size(); ++i)
                out << QString::number(a.at(i), 'g', 6) + QLatin1Char('/') + QString::number(b.at(i), 'g', 6);
            return out;
        };
        QCOMPARE(values(), QStringList({ "2/8", "-3/3" }));
        plot->setNoniusVertical(false);
        QCOMPARE(values(), QStringList({ "20/80", "20/80" }));
        QCOMPARE(plot->noniusPenA(), noniusDefaultPen());
    }

    void noniusDragging()
    {
        setRanges(0, QCPRange(0, 100), QCPRange(0, 100));
        plot->setNoniusVisible(true);
        NoniusLines* pair = plot->nonius(0);
        QSignalSpy moved(plot.get(), &CustomPlot::updateNoniusPosition);
        GUI_ScopeNonius dialog(plot.get());
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("tableWidget"));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("20"));

        // Unlocked: line A stops just before line B.
        drag(widget.get(), Qt::LeftButton, pixel(0, 20, 50), pixel(0, 95, 50), 150);
        QVERIFY(pair->ratioA() < 0.8 - NoniusLines::minRatio);
        QVERIFY(pair->ratioA() > 0.8 - NoniusLines::minRatio - 0.01);
        QCOMPARE(pair->ratioB(), 0.8);
        QVERIFY(!moved.isEmpty());
        QCOMPARE(moved.last().at(0).toInt(), 0);
        QCOMPARE(table->item(0, 1)->text(), QString::number(pair->valueA(), 'g', 6));
        QCOMPARE(table->item(0, 3)->text(), QString::number(pair->valueB() - pair->valueA(), 'g', 6));

        // The two lines are now a few pixels apart: a press between them takes line A.
        const double between = (pair->valueA() + pair->valueB()) / 2;
        send(widget.get(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, pixel(0, between, 50));
        QCOMPARE(pair->dragging(), 1);
        send(widget.get(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, pixel(0, between, 50));
        QCOMPARE(pair->dragging(), 0);

        // Locked: moving B towards the right edge moves A along until B would pass 0.995.
        auto* lock = dialog.findChild<QCheckBox*>(QStringLiteral("Chbx_Lock"));
        QTest::mouseClick(lock, Qt::LeftButton);
        QVERIFY(pair->isLocked());
        const double gap = pair->ratioB() - pair->ratioA();
        drag(widget.get(), Qt::LeftButton, pixel(0, pair->valueA(), 50), pixel(0, 10, 50), 10);
        QVERIFY(qAbs(pair->ratioA() - 0.1) < 0.002);
        QVERIFY(qAbs(pair->ratioB() - pair->ratioA() - gap) < 1e-9);
        // A step that would carry line B past 0.995, or a drag of B past it, moves neither line.
        const double a = pair->ratioA();
        drag(
            widget.get(), Qt::LeftButton, pixel(0, pair->valueA(), 50), pixel(0, (0.998 - gap) * 100, 50), 1);
        QCOMPARE(pair->ratioA(), a);
        drag(widget.get(), Qt::LeftButton, pixel(0, pair->valueB(), 50), pixel(0, 99.7, 50), 1);
        QCOMPARE(pair->ratioA(), a);
        QVERIFY(qAbs(pair->ratioB() - pair->ratioA() - gap) < 1e-9);

        // Orientation switch refreshes the table with the other pair of ratios.
        QTest::mouseClick(dialog.findChild<QRadioButton*>(QStringLiteral("Rbtn_Horizontal")), Qt::LeftButton);
        QVERIFY(!pair->isVertical());
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("20"));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("80"));

        plot->setAxisRectCount(2);
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(1, 0)->text(), QStringLiteral("2"));
        QVERIFY(plot->nonius(0)->isLocked());
        QCOMPARE(plot->nonius(0)->ratioA(), 0.2);
    }

    void settingsReadOnOpenAndWrittenOnOk_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }

    void settingsReadOnOpenAndWrittenOnOk()
    {
        QFETCH(bool, ok);
        plot->setAxisRectCount(2);
        QStringList opened;
        ModalAnswer::handleNext([&](QWidget* w) {
            auto combo = [w](const char* name) { return w->findChild<QComboBox*>(QLatin1String(name)); };
            auto* swatchA = w->findChild<QLabel*>(QStringLiteral("Lbl_LineA"));
            auto* swatchB = w->findChild<QLabel*>(QStringLiteral("Lbl_LineB"));
            opened << combo("Cbx_CursorStyle")->currentText() << combo("Cbx_CursorSize")->currentText()
                   << combo("Cbx_NoniusLineSize")->currentText()
                   << (w->findChild<QCheckBox*>(QStringLiteral("Chbx_Interpolation"))->isChecked() ? "on"
                                                                                                   : "off")
                   << swatchA->palette().color(QPalette::Window).name()
                   << swatchB->palette().color(QPalette::Window).name();
            combo("Cbx_CursorStyle")->setCurrentIndex(combo("Cbx_CursorStyle")->findText("Circle"));
            combo("Cbx_CursorSize")->setCurrentIndex(combo("Cbx_CursorSize")->findText("20"));
            combo("Cbx_NoniusLineSize")->setCurrentIndex(combo("Cbx_NoniusLineSize")->findText("3"));
            QTest::mouseClick(w->findChild<QCheckBox*>(QStringLiteral("Chbx_Interpolation")), Qt::LeftButton);
            for (const auto& pick :
                { qMakePair(swatchA, QColor(Qt::green)), qMakePair(swatchB, QColor(Qt::magenta)) }) {
                answerNextOf<QColorDialog>([color = pick.second](QColorDialog* d) {
                    d->setCurrentColor(color);
                    d->accept();
                });
                QTest::mouseClick(pick.first, Qt::LeftButton);
            }
            auto* box = w->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        {
            GUI_ScopeSetting dialog(plot.get());
            dialog.exec();
        }
        QCOMPARE(opened, QStringList({ "Crosshair", "10", "1.5", "off", "#1095db", "#1095db" }));
        if (ok) {
            QCOMPARE(plot->tracerStyle(), int(QCPItemTracer::tsCircle));
            QCOMPARE(plot->tracerSize(), 20);
            QVERIFY(plot->tracerInterpolating());
            for (int row = 0; row < 2; ++row) {
                QCOMPARE(plot->nonius(row)->penA().widthF(), 3.0);
                QCOMPARE(plot->nonius(row)->penA().color(), QColor(Qt::green));
                QCOMPARE(plot->nonius(row)->penB().color(), QColor(Qt::magenta));
            }
            plot->setAxisRectCount(3); // the pens are carried over
            QCOMPARE(plot->nonius(2)->penB().color(), QColor(Qt::magenta));
        } else {
            QCOMPARE(plot->tracerStyle(), int(QCPItemTracer::tsCrosshair));
            QCOMPARE(plot->tracerSize(), 10);
            QVERIFY(!plot->tracerInterpolating());
            QCOMPARE(plot->noniusPenA(), noniusDefaultPen());
            QCOMPARE(plot->noniusPenB(), noniusDefaultPen());
        }
    }

    void levelOfDetailDrawsLikeTheLibrary_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<bool>("gaps");
        QTest::newRow("full view") << 200000 << -10.0 << 6010.0 << false;
        QTest::newRow("zoomed") << 200000 << 1234.5 << 1734.5 << false;
        QTest::newRow("sparse columns") << 200000 << 0.0 << 6000.0 << true;
        QTest::newRow("few points") << 300 << 0.0 << 9.0 << false;
        QTest::newRow("reversed axis") << 50000 << 1500.0 << 0.0 << false;
    }

    void levelOfDetailDrawsLikeTheLibrary()
    {
        QFETCH(int, points);
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(bool, gaps);
        QCPAxisRect* rect = chart(0);
        auto* graph = new ProbeGraph(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0, 3);
        double key = 0;
        for (int i = 0; i < points; ++i) {
            key += gaps && (i % 5000) == 0 ? 40.0 : 0.03;
            graph->appendPoint(key, std::sin(key / 50) * 100 + noise(random));
            if (i == points / 2)
                QVERIFY(
                    sameLines(graph->lines(true), graph->lines(false))); // the pyramid then grows on appends
        }
        rect->axis(QCPAxis::atBottom)->setRangeReversed(lower > upper);
        rect->axis(QCPAxis::atBottom)->setRange(qMin(lower, upper), qMax(lower, upper));
        widget->replot();
        const QVector<QCPGraphData> fast = graph->lines(true);
        const QVector<QCPGraphData> library = graph->lines(false);
        QCOMPARE(fast.size(), library.size());
        QVERIFY(sameLines(fast, library));
        if (points > 10000)
            QVERIFY(fast.size() < 4 * rect->width() + 8); // sampled, not every point
        // Points inserted before the end (a restarted time base) are described correctly too.
        graph->appendPoint(1.0, 1e6);
        graph->appendPoint(key / 2, -1e6);
        QVERIFY(sameLines(graph->lines(true), graph->lines(false)));
        double min = 0, max = 0;
        QVERIFY(graph->valueBounds(0, graph->dataCount(), &min, &max));
        QCOMPARE(min, -1e6);
        QCOMPARE(max, 1e6);
        graph->clearPoints();
        QVERIFY(!graph->valueBounds(0, 10, &min, &max));
    }
};

QTEST_MAIN(TestCustomPlot)
#include "tst_customplot.moc"
