// SPDX-License-Identifier: GPL-3.0-or-later
// Bus monitor benchmark: what the bus monitor dock costs the GUI thread under a scope-like load of
// 200 transactions per second (four "AID=" channels of two registers read every 20 ms) from the
// simulated drive, through the tool's own path, in the tool's main window.
//
// Three runs of the same traffic: without the dock, with the dock open and an empty list, and with
// the dock open and its ring buffer already full (every batch then also drops the oldest rows).
// One line:
//   rate=… base_cpu_pct=… monitor_cpu_pct=… full_cpu_pct=… dock_cpu_pct=… full_dock_cpu_pct=…
//   max_gap_ms=…
// *_cpu_pct is the GUI thread's CPU time in per cent of the wall time; dock_* the difference to the
// run without the dock; max_gap_ms the longest the GUI thread's event loop went without turning
// (a 5 ms timer's largest late arrival) while the dock was open.
// --screenshot PATH grabs the window half-way through the open-dock run, while an exception is
// injected on channel 2.

#include "BenchSupport.h"
#include "Global.h"
#include "SimDrive.h"
#include "WorkDir.h"
#include "app/startup/Startup.h"
#include "comm/Communication.h"
#include "ui/BusMonitorWidget.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

namespace {

constexpr int kChannels = 4;
constexpr int kTickMs = 20; // 4 reads per 20 ms: 200 transactions per second
constexpr int kRunMs = 8000;
constexpr quint16 kChannelAddress = 0x1000;

double threadCpuMs()
{
    timespec ts {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

void processFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
}

void applyLook(QApplication& app)
{
    QFont::insertSubstitutions(QStringLiteral("Microsoft Yahei"),
        { QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
            QStringLiteral("DejaVu Sans") });
    app.setFont(QFont(QStringLiteral("Microsoft Yahei"), 9));
    QFile css(QStringLiteral(":/Qss/Skins/Qss/white.css"));
    if (css.open(QIODevice::ReadOnly))
        app.setStyleSheet(Startup::styleSheetText(css.readAll()));
}

struct Run
{
    double cpuPercent = -1;
    double transactionsPerSecond = 0;
    double maxGapMs = 0;
};

// The scope's poll: one read per channel per tick, without waiting for answers.
Run scopeTraffic(SimDrive& sim, const QString& screenshot)
{
    Communication* comm = Communication::instance();
    int answered = 0;
    QMetaObject::Connection counting = QObject::connect(comm, &Communication::requestCompleted,
        [&answered](quint64, const QString&, const QVector<quint16>&) { ++answered; });
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, [comm] {
        for (int channel = 0; channel < kChannels; ++channel)
            comm->sendRead(QStringLiteral("AID=%1").arg(channel), quint16(kChannelAddress + 2 * channel), 2);
    });

    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    QElapsedTimer sinceBeat;
    double maxGap = 0;
    QObject::connect(&beat, &QTimer::timeout, [&] {
        maxGap = qMax(maxGap, double(sinceBeat.nsecsElapsed()) / 1e6 - 5.0);
        sinceBeat.start();
    });

    processFor(300);
    Run run;
    const double cpuStart = threadCpuMs();
    QElapsedTimer wall;
    wall.start();
    sinceBeat.start();
    poll.start(kTickMs);
    beat.start(5);
    bool injected = false;
    bool shot = screenshot.isEmpty();
    while (wall.elapsed() < kRunMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
        if (!screenshot.isEmpty() && !injected && wall.elapsed() > kRunMs / 2) {
            sim.command(QStringLiteral("exception %1 2").arg(kChannelAddress + 4, 0, 16));
            injected = true;
        }
        if (!shot && wall.elapsed() > kRunMs / 2 + 600) {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (qobject_cast<MainWindow*>(w))
                    w->grab().save(screenshot);
            }
            sinceBeat.start(); // the grab's own time is not the dock's
            sim.command(QStringLiteral("exception off"));
            shot = true;
        }
    }
    poll.stop();
    beat.stop();
    const double elapsed = double(wall.nsecsElapsed()) / 1e6;
    run.cpuPercent = (threadCpuMs() - cpuStart) * 100.0 / elapsed;
    run.transactionsPerSecond = answered * 1000.0 / elapsed;
    run.maxGapMs = maxGap;
    processFor(500);
    QObject::disconnect(counting);
    return run;
}

Run measure(SimDrive& sim, bool dock, bool fill, const QString& screenshot)
{
    Global::instance()->setBusMonitorVisible(dock);
    auto window = std::make_unique<MainWindow>();
    window->show();
    if (fill) {
        BusMonitorWidget* monitor = window->busMonitor();
        BusTransaction t;
        t.serverAddress = 1;
        t.functionCode = 0x03;
        t.count = 2;
        t.values = { 1, 2 };
        t.startedMs = QDateTime::currentMSecsSinceEpoch() - 600000;
        for (int i = 0; i < monitor->model()->capacity(); ++i) {
            t.tag = QStringLiteral("AID=%1").arg(i % kChannels);
            t.startAddr = quint16(kChannelAddress + 2 * (i % kChannels));
            monitor->model()->append(t);
        }
        monitor->model()->flush();
    }
    if (dock && !screenshot.isEmpty())
        window->busMonitor()->findChild<QCheckBox*>(QStringLiteral("Chbx_RawBytes"))->setChecked(true);

    Communication* comm = Communication::instance();
    SerialSettings settings = sim.serialSettings();
    Run run;
    if (!comm->openDevice(settings))
        return run;
    comm->setServerAddress(1);
    comm->connectDevice(53, 3);
    if (waitUntil([comm] { return comm->commState() == Communication::COMM_CONNECTED; }, 15000))
        run = scopeTraffic(sim, screenshot);
    comm->closeDevice();
    waitUntil([comm] { return comm->commState() == Communication::COMM_DISCONNECT; }, 10000);
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Startup::setAttributes();
    QApplication app(argc, argv);
    Startup::initResources();
    applyLook(app);

    QString screenshot;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--screenshot") && i + 1 < args.size()) {
            screenshot = args.at(++i);
        } else {
            std::printf("usage: kestrova-bench-busmonitor [--screenshot PATH]\n");
            return args.at(i) == QLatin1String("--help") ? 0 : 2;
        }
    }
    if (!screenshot.isEmpty())
        screenshot = QFileInfo(screenshot).absoluteFilePath();

    WorkDir work;
    SimDrive sim;
    SimDrive::Options options;
    options.baud = 115200;
    if (!sim.start(options)) {
        std::printf("the simulated drive did not start\n");
        return 1;
    }

    const Run base = measure(sim, false, false, QString());
    const Run open = measure(sim, true, false, screenshot);
    const Run full = measure(sim, true, true, QString());
    if (base.cpuPercent < 0 || open.cpuPercent < 0 || full.cpuPercent < 0) {
        std::printf("a run did not connect\n");
        return 1;
    }
    std::printf("rate=%.1f base_cpu_pct=%.2f monitor_cpu_pct=%.2f full_cpu_pct=%.2f dock_cpu_pct=%.2f"
                " full_dock_cpu_pct=%.2f max_gap_ms=%.1f  (transactions/s with the dock open %.1f, full %.1f;"
                " longest gap without the dock %.1f ms, open %.1f ms, full %.1f ms)\n",
        base.transactionsPerSecond, base.cpuPercent, open.cpuPercent, full.cpuPercent,
        open.cpuPercent - base.cpuPercent, full.cpuPercent - base.cpuPercent,
        qMax(open.maxGapMs, full.maxGapMs), open.transactionsPerSecond, full.transactionsPerSecond,
        base.maxGapMs, open.maxGapMs, full.maxGapMs);
    if (!screenshot.isEmpty())
        std::printf("screenshot=%s\n", qPrintable(screenshot));
    return 0;
}
