#include "ModalAnswer.h"
#include "app/startup/Startup.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/GUI_ScopeNonius.h"
#include "pages/scope/GUI_ScopeSetting.h"
#include "pages/scope/LodGraph.h"
#include "pages/scope/NoniusLines.h"
#include "pages/scope/ScopePlotWidget.h"

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
#include <QTimer>
#include <QToolTip>
#include <QtTest>

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
        plot->addSample(1, 3);
        QVERIFY(plot->start());
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
        const int before = plot->recordedKeys(1).size();
        plot->start();
        QTRY_VERIFY(plot->recordedKeys(1).size() > before + 2);
        plot->stop();
        // New points from 0 join the old ones in key order.
        const auto data = plot->channel(1).graph->data();
        QCOMPARE(data->size(), plot->recordedKeys(1).size());
        QVERIFY(std::is_sorted(data->constBegin(), data->constEnd(),
            [](const QCPGraphData& a, const QCPGraphData& b) { return a.key < b.key; }));
        QVERIFY(data->constBegin()->key < 0.1);
    }

    void importedCurvesReplaceTheChannels()
    {
        QVERIFY(plot->addChannel(2, QStringLiteral("live"), QPen(Qt::red)));
        plot->addSample(2, 5);
        QVERIFY(plot->start());
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
