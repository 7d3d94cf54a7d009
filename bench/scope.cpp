// SPDX-License-Identifier: GPL-3.0-or-later
// Scope benchmark: replot cost of the plot engine with long recordings, and the GUI thread's load
// while the scope page samples four variables from the simulated drive.
//
// replot mode=scroll: four channels on four charts at 1200 x 700, a 10 s window moving as the
// running time base moves it (one point per channel per 30 ms, as the live plot appends them).
// replot mode=full: after Adaptive XY (every point in view), with the level-of-detail drawing (ms)
// and with the library's own sampling (lib_ms), on the same data in the same run. Both draw the
// same lines; what the level of detail saves is the walk over every point. (A curve that swings over
// the full height within every pixel column is bound by painting instead, whichever path samples.)
// Times are medians of several replots; "sampling" is one graph's min/max sampling alone (best of 20).
// cpu running: GUI-thread CPU time over wall time while the page samples at 115200 baud (Standard).
// csv export / csv import: a curve file of four curves of `points` points each, written from the
// plot and read back onto it (ms; ratio = ms over the 3 s a user may wait for it).
// scope-rate: the page in Fast mode with four channels against the simulated drive at 115200 8N2
// with wire-time emulation: samples per second of each channel (the slowest), what the line allows
// for the page's block reads (wire_hz, WireTime.h), their ratio, the 95th percentile of how far the
// time between two samples of a channel strays from its median (jitter_p95_ms) and the GUI thread's
// share of a core. layout=block: the servo's first four variables, inside 0x1000-0x1006;
// layout=scattered: four variables 32 registers apart, one read each.
// recording: 8 hours of Fast samples (160 Hz, four channels) fed into the plot without the wire,
// with the default recording length; the process's resident memory at the end.

#include "BenchSupport.h"
#include "Global.h"
#include "SimDrive.h"
#include "WireLimit.h"
#include "comm/Communication.h"
#include "pages/scope/CurveFile.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/GUI_Scope.h"
#include "pages/scope/LodGraph.h"
#include "pages/scope/ScopePlotWidget.h"
#include "pages/scope/ScopeSampler.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

const QString sourceConfig = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/");
const QString servoVersion = QStringLiteral("KSD-V1.10");
const QString scatteredVersion = QStringLiteral("BENCH-SCATTERED");
constexpr double pointSpacing = 0.03;
constexpr double window = 10.0;

double threadCpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

bool copyTree(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo& info : QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + info.fileName();
        if (info.isDir() ? !copyTree(info.filePath(), target) : !QFile::copy(info.filePath(), target))
            return false;
    }
    return true;
}

// One graph's line sampling alone, both ways, on the full view: the part of a replot that the
// level of detail takes from O(points) to O(pixels).
class SamplingProbe : public LodGraph
{
public:
    using LodGraph::LodGraph;
    double bestMs(bool levelOfDetail, int rounds)
    {
        setLevelOfDetail(levelOfDetail);
        QCPGraphDataContainer::const_iterator begin, end;
        getVisibleDataBounds(begin, end, QCPDataRange(0, dataCount()));
        double best = 1e9;
        for (int i = 0; i < rounds; ++i) {
            QVector<QCPGraphData> lines;
            QElapsedTimer clock;
            clock.start();
            getOptimizedLineData(&lines, begin, end);
            best = std::min(best, double(clock.nsecsElapsed()) / 1e6);
        }
        return best;
    }
};

double medianReplotMs(QCustomPlot* widget, int rounds, const std::function<void(int)>& before)
{
    QVector<double> times;
    for (int i = 0; i < rounds; ++i) {
        before(i);
        QElapsedTimer clock;
        clock.start();
        widget->replot(QCustomPlot::rpImmediateRefresh);
        times << double(clock.nsecsElapsed()) / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

void replotBenchmarks()
{
    for (int points : { 10000, 100000, 1000000 }) {
        ScopePlotWidget widget;
        widget.resize(1200, 700);
        CustomPlot plot(&widget);
        plot.init(4);
        widget.show();
        QCoreApplication::processEvents();
        for (int channel = 0; channel < 4; ++channel)
            plot.addChannel(channel, QStringLiteral("Channel %1").arg(channel),
                QPen(QColor::fromHsv(channel * 70, 200, 200)));
        QList<LodGraph*> graphs;
        for (int channel = 0; channel < 4; ++channel)
            graphs << plot.channel(channel).graph.data();
        double key = 0;
        double position = 0;
        for (int i = 0; i < points; ++i, key += pointSpacing) {
            // Drive-like curves: speed cycling between ramps, current following the torque with
            // noise, position integrating speed, a slowly drifting temperature.
            const double phase = std::fmod(key, 8.0);
            const double speed = phase < 1 ? phase * 3000
                : phase < 4                ? 3000
                : phase < 5                ? (5 - phase) * 3000
                                           : 0;
            const double torque = phase < 1 ? 80 : (phase >= 4 && phase < 5) ? -80 : 5;
            position += speed / 60 * pointSpacing * 10000;
            graphs[0]->appendPoint(key, speed);
            graphs[1]->appendPoint(key, torque * 0.05 + ((i * 7919) % 13) * 0.02);
            graphs[2]->appendPoint(key, position);
            graphs[3]->appendPoint(key, 40 + 10 * std::sin(key / 3600));
        }
        // Scrolling: the tick moves every chart's window by 10 ms, the plot tick appends every 30 ms.
        double timeBase = key;
        const double scroll = medianReplotMs(&widget, 90, [&](int round) {
            timeBase += 0.01;
            if (round % 3 == 0) {
                for (LodGraph* graph : graphs)
                    graph->appendPoint(
                        timeBase, (graph->dataCount() - 1 >= 0 ? (graph->data()->constEnd() - 1)->value : 0));
            }
            for (int row = 0; row < 4; ++row)
                plot.chart(row)->axis(QCPAxis::atBottom)->setRange(timeBase - 0.5 - window, timeBase - 0.5);
        });
        std::printf("replot mode=scroll points=%d ms=%.3f\n", points, scroll);

        plot.adaptiveXY();
        plot.setLevelOfDetail(true);
        const double full = medianReplotMs(&widget, 15, [](int) {});
        plot.setLevelOfDetail(false);
        const double library = medianReplotMs(&widget, 15, [](int) {});
        std::printf("replot mode=full points=%d ms=%.3f lib_ms=%.3f\n", points, full, library);

        QCPAxisRect* first = plot.chart(0);
        auto* probe = new SamplingProbe(first->axis(QCPAxis::atBottom), first->axis(QCPAxis::atLeft));
        for (auto it = graphs[0]->data()->constBegin(); it != graphs[0]->data()->constEnd(); ++it)
            probe->appendPoint(it->key, it->value);
        std::printf("sampling graphs=1 points=%d ms=%.3f lib_ms=%.3f\n", graphs[0]->dataCount(),
            probe->bestMs(true, 20), probe->bestMs(false, 20));
        widget.removeGraph(probe);
        std::fflush(stdout);
    }
}

void csvBenchmarks()
{
    constexpr int points = 1000000;
    constexpr double targetMs = 3000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("curves.csv"));
    ScopePlotWidget widget;
    widget.resize(1200, 700);
    CustomPlot plot(&widget);
    plot.init(4);
    for (int channel = 0; channel < 4; ++channel)
        plot.addChannel(channel, QStringLiteral("Channel %1").arg(channel), QPen(Qt::blue));
    for (int channel = 0; channel < 4; ++channel) {
        LodGraph* graph = plot.channel(channel).graph.data();
        // Times and values as the scope records them: 30 ms ticks, values of two decimals.
        for (int i = 0; i < points; ++i)
            graph->appendPoint(
                i * 3 / 100.0, std::round(100000 * std::sin(i * 0.001 + channel)) / 100 + channel);
    }
    QElapsedTimer clock;
    clock.start();
    double cpu = threadCpuSeconds();
    const int written = plot.exportCsv(path);
    const double exportMs = double(clock.nsecsElapsed()) / 1e6;
    const double exportCpuMs = (threadCpuSeconds() - cpu) * 1000;
    std::printf("csv export points=%d ms=%.1f cpu_ms=%.1f curves=4 bytes=%lld ratio=%.2f%s\n", points,
        exportMs, exportCpuMs, QFileInfo(path).size(), exportMs / targetMs, written == 1 ? "" : " FAILED");
    std::fflush(stdout);

    clock.restart();
    cpu = threadCpuSeconds();
    const bool read = plot.importCsv(path);
    const double importMs = double(clock.nsecsElapsed()) / 1e6;
    const double importCpuMs = (threadCpuSeconds() - cpu) * 1000;
    const int curves = widget.graphCount();
    const int imported = curves > 0 ? widget.graph(0)->dataCount() : 0;
    std::printf("csv import points=%d ms=%.1f cpu_ms=%.1f curves=%d ratio=%.2f%s\n", imported, importMs,
        importCpuMs, curves, importMs / targetMs, read && curves == 4 && imported == points ? "" : " FAILED");
    std::fflush(stdout);
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// A definition folder like the servo's whose four variables lie 32 registers apart.
bool makeScatteredDefinitions()
{
    const QString folder = QStringLiteral("Driver/Config/SERVO/%1/EN/").arg(scatteredVersion);
    if (!QDir().mkpath(folder)
        || !QFile::copy(QStringLiteral("Driver/Config/SERVO/%1/EN/ParamTable.xml").arg(servoVersion),
            folder + QStringLiteral("ParamTable.xml")))
        return false;
    QFile file(folder + QStringLiteral("Variables.xml"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Variables>\n");
    for (int i = 0; i < 4; ++i)
        file.write(QStringLiteral("<Variable name=\"B0-%1\" description=\"Scattered %1\" code=\"0x%2\" "
                                  "length=\"1\" format1=\"0\" format2=\"1\"/>\n")
                       .arg(i)
                       .arg(0x1000 + 32 * i, 0, 16)
                       .toUtf8());
    file.write("</Variables>\n");
    return true;
}

// Connects to a simulated servo drive of the given definition folder at 115200 baud with wire time.
bool connectSim(SimDrive& sim, const QString& version)
{
    Global::instance()->setDevice(Global::DEVICE_SERVO);
    Global::instance()->setLanguage(Global::LANGUAGE_EN);
    Global::instance()->setDeviceVersion(version);
    SimDrive::Options options;
    options.wireTime = true;
    options.baud = 115200;
    options.config = QDir::current().absoluteFilePath(Global::instance()->configPath());
    if (!sim.start(options))
        return false;
    Communication* comm = Communication::instance();
    comm->setCommType(Communication::COMM_MODBUS_RTU);
    if (!comm->openDevice(sim.serialSettings()))
        return false;
    comm->setServerAddress(options.slave);
    comm->connectDevice(53, 3);
    return waitUntil([comm]() { return comm->commState() == Communication::COMM_CONNECTED; }, 15000);
}

void disconnectSim(SimDrive& sim)
{
    Communication* comm = Communication::instance();
    comm->closeDevice();
    waitUntil([comm]() { return comm->commState() == Communication::COMM_DISCONNECT; }, 8000);
    sim.stop();
}

// A scope page with the given rows ticked on four charts, sampling in `mode`, for `seconds` after
// a second to settle; returns the GUI thread's share of a core over that time (%), or -1.
double runPage(GUI_Scope& page, const QList<int>& rows, ScopeSampler::Mode mode, int seconds)
{
    page.resize(1500, 760); // the plot area then is about 1200 x 700
    page.show();
    page.findChild<QComboBox*>(QStringLiteral("Cbx_Channle"))->setCurrentIndex(3);
    auto* sampling = page.findChild<QComboBox*>(QStringLiteral("Cbx_Sampling"));
    sampling->setCurrentIndex(sampling->findData(int(mode)));
    for (int row : rows) {
        // What a click on the check indicator ends in.
        QMetaObject::invokeMethod(&page, "slot_tableWidget_CellClicked", Q_ARG(int, row), Q_ARG(int, 0));
    }
    if (page.plot()->channelCount() != rows.size())
        return -1;
    page.findChild<QToolButton*>(QStringLiteral("Btn_StartContinue"))->click();
    if (!page.plot()->isRunning())
        return -1;
    waitUntil([]() { return false; }, 1000); // settle
    const double cpuStart = threadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double cpu = threadCpuSeconds() - cpuStart;
    const double share = cpu / (double(wall.nsecsElapsed()) / 1e9) * 100;
    page.findChild<QToolButton*>(QStringLiteral("Btn_StartContinue"))->click(); // pause
    return share;
}

bool cpuBenchmark(int seconds)
{
    SimDrive sim;
    if (!connectSim(sim, servoVersion))
        return false;
    double share = -1;
    int points = 0;
    {
        GUI_Scope page;
        share = runPage(page, { 0, 1, 4, 5 }, ScopeSampler::Standard, seconds);
        points = page.plot()->recordedKeys(0).size();
    }
    disconnectSim(sim);
    if (share < 0)
        return false;
    std::printf("cpu running=%.1f%% seconds=%d channels=4 baud=115200 points=%d\n", share, seconds, points);
    std::fflush(stdout);
    return true;
}

// 95th percentile of |interval - median interval| over one channel's sample times, in ms.
double jitterP95Ms(const QVector<double>& keys)
{
    QVector<double> intervals;
    for (int i = 1; i < keys.size(); ++i)
        intervals.append(keys.at(i) - keys.at(i - 1));
    if (intervals.size() < 2)
        return -1;
    QVector<double> sorted = intervals;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.at(sorted.size() / 2);
    QVector<double> deviations;
    for (double d : qAsConst(intervals))
        deviations.append(std::abs(d - median) * 1000);
    std::sort(deviations.begin(), deviations.end());
    return deviations.at(int(deviations.size() * 0.95));
}

bool rateBenchmark(const QString& layout, int seconds)
{
    const bool block = layout == QLatin1String("block");
    SimDrive sim;
    if (!connectSim(sim, block ? servoVersion : scatteredVersion))
        return false;
    GUI_Scope page;
    // Where a transaction's time goes: on the line (sent to answered) and between two of them.
    QVector<qint64> latencies;
    QVector<qint64> gaps;
    qint64 lastEndNs = 0;
    const QMetaObject::Connection watch = QObject::connect(
        Communication::instance(), &Communication::transactionCompleted, [&](const BusTransaction& t) {
            latencies.append(t.latencyUs);
            if (lastEndNs != 0)
                gaps.append((t.finishedNs - t.latencyUs * 1000 - lastEndNs) / 1000);
            lastEndNs = t.finishedNs;
        });
    const double share = runPage(page, { 0, 1, 2, 3 }, ScopeSampler::Fast, seconds);
    QObject::disconnect(watch);
    double slowest = -1;
    double jitter = 0;
    double runSeconds = page.plot()->timeBase();
    for (int channel : page.plot()->channels()) {
        const QVector<double> keys = page.plot()->recordedKeys(channel);
        // Rate over the whole run, settling included: the points are every sample that came.
        const double hz = runSeconds > 0 ? keys.size() / runSeconds : 0;
        slowest = slowest < 0 ? hz : std::min(slowest, hz);
        jitter = std::max(jitter, jitterP95Ms(keys));
    }
    double roundMs = 0;
    for (const ScopeBlockRead& read : page.sampler()->plan())
        roundMs += readWireMs(read.count, 115200);
    const double wireHz = roundMs > 0 ? 1000 / roundMs : 0;
    disconnectSim(sim);
    if (share < 0)
        return false;
    std::printf("scope-rate mode=fast layout=%s channels=4 baud=115200 hz_per_channel=%.1f wire_hz=%.1f "
                "ratio=%.2f jitter_p95_ms=%.2f gui_cpu=%.1f%%\n",
        qPrintable(layout), slowest, wireHz, wireHz > 0 ? slowest / wireHz : 0, jitter, share);
    const auto percentile = [](QVector<qint64> v, double share) {
        std::sort(v.begin(), v.end());
        return v.isEmpty() ? 0.0 : v.at(int((v.size() - 1) * share)) / 1000.0;
    };
    std::printf("scope-rate-detail layout=%s transactions=%d line_ms=%.2f line_p95_ms=%.2f between_ms=%.2f "
                "between_p95_ms=%.2f\n",
        qPrintable(layout), latencies.size(), percentile(latencies, 0.5), percentile(latencies, 0.95),
        percentile(gaps, 0.5), percentile(gaps, 0.95));
    std::fflush(stdout);
    return true;
}

void recordingBenchmark()
{
    constexpr int hours = 8;
    constexpr int rateHz = 160;
    ScopePlotWidget widget;
    widget.resize(1200, 700);
    CustomPlot plot(&widget);
    plot.init(4);
    plot.setRealTime(true);
    for (int channel = 0; channel < 4; ++channel)
        plot.addChannel(channel, QStringLiteral("Channel %1").arg(channel), QPen(Qt::blue));
    const double before = residentMb();
    const qint64 samples = qint64(hours) * 3600 * rateHz;
    double atOneHour = 0;
    for (qint64 i = 0; i < samples; ++i) {
        const double key = double(i) / rateHz;
        for (int channel = 0; channel < 4; ++channel)
            plot.addSampleAt(channel, key, 1000 * std::sin(key + channel));
        if (i == qint64(3600) * rateHz)
            atOneHour = residentMb();
    }
    std::printf("recording hours=%d mode=fast rss_mb=%.1f\n", hours, residentMb());
    std::printf("recording bound_s=%.0f points_per_channel=%d rss_before_mb=%.1f rss_at_1h_mb=%.1f "
                "dropped=%s\n",
        plot.recordingLength(), plot.channel(0).graph->dataCount(), before, atOneHour,
        plot.hasDroppedPoints() ? "yes" : "no");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir work;
    const QString previous = QDir::currentPath();
    if (!work.isValid() || !QDir::setCurrent(work.path())
        || !copyTree(sourceConfig, QStringLiteral("Driver/Config"))) {
        std::fprintf(stderr, "cannot prepare a working folder\n");
        return 1;
    }
    const int seconds = qEnvironmentVariableIsSet("KESTROVA_BENCH_SECONDS")
        ? qEnvironmentVariableIntValue("KESTROVA_BENCH_SECONDS")
        : 30;
    const QStringList only
        = QString::fromLocal8Bit(qgetenv("KESTROVA_BENCH_ONLY")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const auto wanted
        = [&only](const char* name) { return only.isEmpty() || only.contains(QLatin1String(name)); };
    bool ok = makeScatteredDefinitions();
    if (wanted("replot"))
        replotBenchmarks();
    if (wanted("csv"))
        csvBenchmarks();
    if (ok && wanted("cpu"))
        ok = cpuBenchmark(seconds);
    if (ok && wanted("rate"))
        ok = rateBenchmark(QStringLiteral("block"), seconds)
            && rateBenchmark(QStringLiteral("scattered"), seconds);
    if (wanted("recording"))
        recordingBenchmark();
    QDir::setCurrent(previous);
    if (!ok) {
        std::fprintf(stderr, "scope benchmark: no connection to the simulated drive\n");
        return 1;
    }
    return 0;
}
