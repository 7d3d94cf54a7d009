// SPDX-License-Identifier: GPL-3.0-or-later
// The way out of the tool while a motion it started runs and the bus is busy (the scope on four
// channels, a polling page): the stop, and the control panel's command source, must reach the
// drive before the port closes. The tool runs as main runs it, in a child process of this test:
// its event loop ends, the window goes, then the service at the process's exit; the simulated
// drive's request log tells what reached the wire.

#include "SimDrive.h"
#include "UiTestSupport.h"
#include "WorkDir.h"
#include "app/Global.h"
#include "app/startup/Launcher.h"
#include "app/startup/Startup.h"
#include "comm/BusTransaction.h"
#include "comm/DriveRegisters.h"
#include "pages/controlpanel/GUI_ControlPanel.h"
#include "pages/monitor/GUI_Monitor.h"
#include "pages/motion/GUI_Motion.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/GUI_Scope.h"
#include "ui/ConnectionPage.h"
#include "ui/WidgetController.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <cstdio>
#include <memory>

namespace {

const char* const ScenarioVariable = "KESTROVA_QUIT_SCENARIO";
const char* const PortVariable = "KESTROVA_QUIT_PORT";

// ---- the child: the tool, driven from inside its own event loop ----

class NoLauncher : public Launcher
{
public:
    bool startDetached(const QString&, const QStringList&) override
    {
        std::printf("restart asked for\n");
        return true;
    }
};

[[noreturn]] void fail(const char* step)
{
    std::printf("failed: %s\n", step);
    std::fflush(stdout);
    std::_Exit(3);
}

void check(bool ok, const char* step)
{
    if (!ok)
        fail(step);
}

template <typename T> T* find(QWidget* parent, const char* name)
{
    T* widget = parent->findChild<T*>(QLatin1String(name));
    check(widget != nullptr, name);
    return widget;
}

template <typename Page> Page* openPage(MainWindow* window)
{
    Page* page = UiTest::openPage<Page>(window);
    check(page != nullptr, Page::staticMetaObject.className());
    return page;
}

void startScope(MainWindow* window)
{
    auto* scope = openPage<GUI_Scope>(window);
    check(scope, "scope page");
    auto* table = find<QTableWidget>(scope, "TableWidget");
    check(table->rowCount() >= 4, "four scope variables");
    for (int row = 0; row < 4; ++row) {
        if (table->item(row, 0)->checkState() != Qt::Checked)
            emit table->cellClicked(row, 0);
    }
    check(scope->plot()->channelCount() == 4, "four channels");
    find<QToolButton>(scope, "Btn_StartContinue")->click();
    check(scope->plot()->isRunning(), "scope running");
}

// Waits until the drive has answered a write of `value` to `address`.
bool waitForWrite(quint16 address, quint16 value)
{
    bool seen = false;
    const QMetaObject::Connection watch = QObject::connect(Communication::instance(),
        &Communication::transactionCompleted, [&seen, address, value](const BusTransaction& t) {
            if (t.startAddr == address && t.written == QVector<quint16> { value } && t.answered())
                seen = true;
        });
    const bool ok = QTest::qWaitFor([&seen] { return seen; }, 5000);
    QObject::disconnect(watch);
    return ok;
}

void runScenario(const QString& scenario, const QString& port)
{
    MainWindow* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<MainWindow*>(widget))
            window = main;
    }
    check(window, "main window");
    find<QComboBox>(window->controller()->communicationPage(), "Cbx_Port")->setEditText(port);
    window->connectButton()->click();
    check(UiTest::waitForState(Communication::COMM_CONNECTED, 10000), "connected");

    startScope(window);
    namespace Servo = DriveRegister::Servo;
    namespace Vfd = DriveRegister::Vfd;
    if (scenario.startsWith(QLatin1String("servo"))) {
        openPage<GUI_Monitor>(window);
        check(
            QTest::qWaitFor(
                [] { return Communication::instance()->enableState() == Communication::COMM_ENABLE; }, 5000),
            "drive enabled");
        QWidget* motion = openPage<GUI_Motion>(window);
        if (scenario.contains(QLatin1String("position"))) {
            find<QComboBox>(motion, "Cbx_OperationMode")->setCurrentIndex(1);
            find<QSpinBox>(motion, "Lbx_Count_Pos")->setValue(100000000);
            find<QPushButton>(motion, "Btn_GoForward_Pos")->click();
            check(waitForWrite(Servo::PositionCommand, Servo::PositionStart), "position run started");
        } else {
            find<QCheckBox>(motion, "Chbx_Continue_Spe")->setChecked(true);
            find<QPushButton>(motion, "Btn_GoForward_Spe")->click();
            check(waitForWrite(Servo::JogCommand, Servo::JogForward), "jog started");
        }
    } else {
        QWidget* panel = openPage<GUI_ControlPanel>(window);
        find<QPushButton>(panel, "Btn_GoForward")->click();
        check(waitForWrite(Vfd::Control, Vfd::RunForward), "run started");
    }

    std::printf("quitting\n");
    std::fflush(stdout);
    // Answered by a timer while the box runs its own loop; it outlives this function.
    static std::unique_ptr<UiTest::BoxAnswerer> answerer;
    if (scenario.endsWith(QLatin1String("restart"))) {
        answerer = std::make_unique<UiTest::BoxAnswerer>(QMessageBox::Yes, 5000);
        find<QAction>(window, "actionChinese")->trigger();
    } else {
        answerer = std::make_unique<UiTest::BoxAnswerer>(QStringLiteral("Stop"), 5000);
        window->close();
    }
}

int runChild(int argc, char* argv[])
{
    Startup::setAttributes();
    QApplication app(argc, argv);
    const QString scenario = qEnvironmentVariable(ScenarioVariable);
    const QString port = qEnvironmentVariable(PortVariable);
    QTimer::singleShot(0, &app, [scenario, port] { runScenario(scenario, port); });
    NoLauncher launcher;
    return Startup::run(app, launcher);
}

} // namespace

// ---- the test ----

class TestQuit : public QObject
{
    Q_OBJECT

private slots:
    void stopReachesTheDriveOnTheWayOut_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QStringList>("order"); // what the drive must take, in this order

        QTest::newRow("continuous jog, window closed")
            << "servo jog, close" << QStringList { "06 0191 1 32", "06 0191 1 0" };
        QTest::newRow("position run, language changed")
            << "servo position, restart" << QStringList { "06 0192 1 8", "06 0192 1 4" };
        QTest::newRow("VFD forward run, window closed, Stop chosen")
            << "vfd run, close" << QStringList { "06 2000 1 1", "06 2000 1 6", "06 0002 1 0" };
    }

    void stopReachesTheDriveOnTheWayOut()
    {
        QFETCH(QString, scenario);
        QFETCH(QStringList, order);
        const bool vfd = scenario.startsWith(QLatin1String("vfd"));
        WorkDir work;
        work.writeInit(vfd ? Global::DEVICE_VFD : Global::DEVICE_SERVO, Global::LANGUAGE_EN);
        work.copyDefinitions();
        SimDrive sim;
        SimDrive::Options options;
        options.family = vfd ? QStringLiteral("vfd") : QStringLiteral("servo");
        QVERIFY(sim.start(options));
        QVERIFY(sim.command(vfd ? QStringLiteral("set f002 2") : QStringLiteral("set 35 1"))
                    .startsWith(QLatin1String("ok")));
        // A drive that takes its time to answer, as at a low baud rate: the polls fill the queue.
        QVERIFY(sim.command(QStringLiteral("delay 40")).startsWith(QLatin1String("ok")));

        ChildProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(ScenarioVariable), scenario);
        environment.insert(QLatin1String(PortVariable), sim.portName());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        tool.setProcessEnvironment(environment);
        tool.setWorkingDirectory(work.path());
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(tool.waitForStarted());
        const bool finished = tool.waitForFinished(60000);
        const QString output = QString::fromLocal8Bit(tool.readAll());
        QVERIFY2(finished, qPrintable(output));
        QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0, qPrintable(output));
        QVERIFY2(output.contains(QLatin1String("quitting")), qPrintable(output));

        const QStringList log = sim.log();
        const QString wire = UiTest::writes(log).join(QStringLiteral(", "));
        qInfo("writes: %s", qPrintable(wire));
        int at = -1;
        for (const QString& line : order) {
            const int next = log.indexOf(line, at + 1);
            QVERIFY2(next > at, qPrintable(line + QStringLiteral(" missing or out of order: ") + wire));
            at = next;
        }
    }
};

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet(ScenarioVariable))
        return runChild(argc, argv);
    QApplication app(argc, argv);
    TestQuit test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_quit.moc"
