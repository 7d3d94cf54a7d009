// SPDX-License-Identifier: GPL-3.0-or-later
// Link faults during every activity of the tool, in one table: the whole window against the
// simulated drive, a fault injected while the activity runs, and then the same checks for every
// row — the window never stalls, no dialog is left on screen, the tool idles while the link is
// dead, and it is back to connected (or cleanly disconnected) once the link returns.
//
// A new activity adds a case to startActivity() and its rows to faultsDuringActivities_data().

#include "UiTestSupport.h"

#include "ProcessCpu.h"
#include "SimDrive.h"
#include "app/Global.h"
#include "definitions/Parameter.h"
#include "pages/connection/GUI_Communication.h"
#include "pages/controlpanel/GUI_ControlPanel.h"
#include "pages/io/GUI_IO.h"
#include "pages/monitor/GUI_Monitor.h"
#include "pages/motion/GUI_Motion.h"
#include "pages/paramtable/GUI_ParamTable.h"
#include "pages/paramtable/ParamTableModel.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/GUI_Scope.h"
#include "ui/MainWindow.h"
#include "ui/WidgetController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

using UiTest::BoxAnswerer;

namespace {

// The longest time the GUI thread's event loop went without running a 10 ms timer.
class StallWatch : public QObject
{
public:
    StallWatch()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { m_longest = qMax(m_longest, m_clock.restart()); });
        m_timer.start(10);
        m_clock.start();
    }
    qint64 longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

// The parameter table with its open-file dialog answered by the test (same class name, so the
// window's workspace button builds this one).
class ImportablePage : public GUI_ParamTable
{
public:
    using GUI_ParamTable::GUI_ParamTable;
    static QString importFile;

protected:
    QString askOpenFileName(const QString&, const QString&, const QString&) override { return importFile; }
};
QString ImportablePage::importFile;

// What a held jog writes to stop the motor, as the drive logs it.
const QString servoJogStop = QStringLiteral("06 0191 1 0");
const QString vfdJogStop = QStringLiteral("06 2000 1 6");

// A motion that runs until the user stops it: the page's buttons and, as the drive logs them, the
// write that starts it and the one that stops it.
struct Run
{
    const char* startButton = nullptr;
    const char* stopButton = nullptr;
    QString start;
    QString stop;
};

Run runOf(const QString& activity)
{
    if (activity == QLatin1String("continuous servo jog"))
        return { "Btn_GoForward_Spe", "Btn_Stop_Spe", QStringLiteral("06 0191 1 32"), servoJogStop };
    if (activity == QLatin1String("servo position run"))
        return { "Btn_GoForward_Pos", "Btn_Stop_Pos", QStringLiteral("06 0192 1 8"),
            QStringLiteral("06 0192 1 4") };
    if (activity == QLatin1String("VFD forward run"))
        return { "Btn_GoForward", "Btn_Stop", QStringLiteral("06 2000 1 1"), vfdJogStop };
    return {};
}

bool isRun(const QString& activity)
{
    return runOf(activity).startButton != nullptr;
}

// The user presses Stop while the link is down; the start may still wait in the queue then.
bool stopsDuringCut(const QString& fault)
{
    return fault.startsWith(QLatin1String("Stop during a cut"));
}

bool startsBehindSlowReply(const QString& fault)
{
    return fault.endsWith(QLatin1String("start queued behind a slow reply"));
}

bool isVfdActivity(const QString& activity)
{
    return activity == QLatin1String("control-panel poll") || activity == QLatin1String("held VFD jog")
        || activity == QLatin1String("VFD forward run");
}

bool isHeldJog(const QString& activity)
{
    return activity.startsWith(QLatin1String("held "));
}

// Activities that keep asking the drive, so that they notice a silent one themselves.
bool polls(const QString& activity)
{
    return activity.endsWith(QLatin1String(" poll")) || activity == QLatin1String("scope with 4 channels")
        || activity == QLatin1String("held VFD jog");
}

// Activities that put a dialog on screen while they run.
bool showsDialog(const QString& activity)
{
    return activity.startsWith(QLatin1String("parameter ")) || activity == QLatin1String("soft reset")
        || activity == QLatin1String("restore factory parameters");
}

// An activity over a TCP transport reads "monitor poll over Modbus TCP".
const char* const overModbusTcp = " over Modbus TCP";
const char* const overRtuOverTcp = " over RTU over TCP";

BusLink::Transport transportOf(const QString& activity)
{
    if (activity.endsWith(QLatin1String(overModbusTcp)))
        return BusLink::ModbusTcp;
    if (activity.endsWith(QLatin1String(overRtuOverTcp)))
        return BusLink::RtuOverTcp;
    return BusLink::Serial;
}

QString baseActivity(const QString& activity)
{
    return activity.section(QStringLiteral(" over "), 0, 0);
}

// The faults of a TCP link and the sim's commands that start and end them; a killed server is
// started again on its port.
struct TcpFault
{
    const char* name;
    const char* on;
    const char* off;
};
const TcpFault tcpFaults[] = {
    { "server killed", nullptr, nullptr },
    { "server silent", "silent on", "silent off" },
    { "connection reset mid-reply", "reset on", "reset off" },
    { "gateway exception 0B", "exception all 11", "exception off" },
};

const TcpFault* tcpFault(const QString& fault)
{
    for (const TcpFault& candidate : tcpFaults) {
        if (fault == QLatin1String(candidate.name))
            return &candidate;
    }
    return nullptr;
}

enum class End {
    Connected, // back to connected on its own
    Disconnected, // a clean disconnect (the activity or the fault ends the connection)
};

} // namespace

class TestLinkFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void faultsDuringActivities_data();
    void faultsDuringActivities();

private:
    void openWindow();
    bool ensureConnected();
    bool ensureDisconnected();
    void startActivity(const QString& activity, bool begin = true);
    void prepareRun(const QString& activity);
    void beginRun(const QString& activity, bool waitForStart);
    void pressStop(const QString& activity);
    void startFault(const QString& fault, const QString& activity);
    void endFault(const QString& fault);
    bool linkDead(const QString& fault) const;
    void ensureFamily(bool vfd, BusLink::Transport transport = BusLink::Serial);
    template <typename Page> Page* openPage() { return UiTest::openPage<Page>(m_window.get()); }
    bool waitForLogLine(const QString& line, int timeoutMs);

    QWidget* stuckDialog() const;
    GUI_ParamTable* paramPage();

    std::unique_ptr<WorkDir> m_work;
    std::unique_ptr<SimDrive> m_sim;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<BoxAnswerer> m_answerer;
    QString m_importFile;
    bool m_cut = false;
    bool m_vfd = false;
    BusLink::Transport m_transport = BusLink::Serial;
    QPointer<QPushButton> m_heldButton; // a jog button the test holds down
    QPointer<QWidget> m_runPage; // the page of a run the test started
    QStringList m_timeline; // what the service reported during the row, with times
};

// A failed row must not leave its fault behind for the next one.
void TestLinkFaults::cleanup()
{
    if (m_cut)
        m_sim->restoreLink();
    m_cut = false;
    if (m_heldButton && m_heldButton->isDown())
        QTest::mouseRelease(m_heldButton, Qt::LeftButton);
    m_heldButton.clear();
    // A run the row left going (it failed) ends here, so the next row starts from rest.
    if (m_runPage) {
        if (auto* box = m_runPage->findChild<QCheckBox*>(QStringLiteral("Chbx_Continue_Spe")))
            box->setChecked(false);
        if (UiTest::commState() == Communication::COMM_CONNECTED && QTest::currentTestFailed()) {
            for (const char* stop : { "Btn_Stop_Spe", "Btn_Stop_Pos", "Btn_Stop" }) {
                if (auto* button = m_runPage->findChild<QPushButton*>(QLatin1String(stop)))
                    button->click();
            }
        }
    }
    m_runPage.clear();
    for (const char* command :
        { "silent off", "badcrc off", "exception off", "delay 0", "split 0", "reset off" })
        m_sim->command(QLatin1String(command));
    if (QTest::currentTestFailed())
        qInfo("%s", qPrintable(m_timeline.join(QStringLiteral("; "))));
}

void TestLinkFaults::initTestCase()
{
    Startup::initResources();
    WidgetController::registerPageClass<ImportablePage>();
    m_work = std::make_unique<WorkDir>();
    // The definitions the window reads, from the installation.
    m_work->copyDefinitions();
    Global::instance()->setDevice(Global::DEVICE_SERVO);
    m_sim = std::make_unique<SimDrive>();
    QVERIFY(m_sim->start());
    openWindow();
}

void TestLinkFaults::cleanupTestCase()
{
    m_answerer.reset();
    m_window.reset();
    Communication::instance()->closeDevice();
    UiTest::waitForState(Communication::COMM_DISCONNECT, 5000);
    m_sim.reset();
    m_work.reset();
}

void TestLinkFaults::openWindow()
{
    m_window = std::make_unique<MainWindow>();
    m_window->resize(1400, 900);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QWidget* page = m_window->controller()->communicationPage();
    page->findChild<QComboBox*>(QStringLiteral("Cbx_Port"))->setEditText(m_sim->portName());
    auto* comm = page->findChild<QComboBox*>(QStringLiteral("Cbx_Comm"));
    const Communication::CommType type = m_transport == BusLink::ModbusTcp ? Communication::COMM_MODBUS_TCP
        : m_transport == BusLink::RtuOverTcp                               ? Communication::COMM_RTU_OVER_TCP
                                                                           : Communication::COMM_MODBUS_RTU;
    comm->setCurrentIndex(comm->findData(int(type)));
    page->findChild<QLineEdit*>(QStringLiteral("Le_Host"))->setText(QStringLiteral("127.0.0.1"));
    if (m_transport != BusLink::Serial)
        page->findChild<QSpinBox*>(QStringLiteral("Lbx_TcpPort"))->setValue(m_sim->tcpPort());
}

bool TestLinkFaults::ensureDisconnected()
{
    if (UiTest::commState() == Communication::COMM_DISCONNECT)
        return true;
    if (UiTest::commState() != Communication::COMM_CLOSING)
        m_window->connectButton()->click();
    return UiTest::waitForState(Communication::COMM_DISCONNECT, 8000);
}

bool TestLinkFaults::ensureConnected()
{
    if (UiTest::commState() == Communication::COMM_CONNECTED)
        return true;
    if (!ensureDisconnected())
        return false;
    m_window->connectButton()->click();
    return UiTest::waitForState(Communication::COMM_CONNECTED, 10000);
}

GUI_ParamTable* TestLinkFaults::paramPage()
{
    auto* page = m_window->findChild<GUI_ParamTable*>();
    return page ? page : openPage<GUI_ParamTable>();
}

// A dialog still waiting for the user: a progress dialog or any modal window.
QWidget* TestLinkFaults::stuckDialog() const
{
    for (QProgressDialog* dialog : m_window->findChildren<QProgressDialog*>()) {
        if (dialog->isVisible())
            return dialog;
    }
    return QApplication::activeModalWidget();
}

bool TestLinkFaults::linkDead(const QString& fault) const
{
    return fault == QLatin1String("cable cut") || fault == QLatin1String("drive silent")
        || stopsDuringCut(fault) || tcpFault(fault);
}

// The VFD rows need a VFD on the link and a window of that family.
void TestLinkFaults::ensureFamily(bool vfd, BusLink::Transport transport)
{
    if (m_vfd == vfd && m_transport == transport)
        return;
    m_answerer.reset();
    m_window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Communication::instance()->closeDevice();
    QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT, 8000));
    SimDrive::Options options;
    options.family = vfd ? QStringLiteral("vfd") : QStringLiteral("servo");
    options.transport = transport;
    QVERIFY(m_sim->start(options));
    m_vfd = vfd;
    m_transport = transport;
    Global::instance()->setDevice(vfd ? Global::DEVICE_VFD : Global::DEVICE_SERVO);
    openWindow();
}

bool TestLinkFaults::waitForLogLine(const QString& line, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!m_sim->log().contains(line)) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(20);
    }
    return true;
}

void TestLinkFaults::startFault(const QString& fault, const QString& activity)
{
    if (const TcpFault* tcp = tcpFault(fault)) {
        if (tcp->on) {
            QVERIFY(m_sim->command(QLatin1String(tcp->on)).startsWith(QLatin1String("ok")));
        } else {
            m_sim->cutLink();
            m_cut = true;
        }
    } else if (startsBehindSlowReply(fault)) {
        // A read the drive answers slowly is on the line; the start queues behind it and is still
        // waiting when the cable goes.
        m_sim->command(QStringLiteral("delay 1000"));
        Communication::instance()->sendRead(QStringLiteral("AReadState"), 0x1000, 1);
        QTest::qWait(100);
        beginRun(activity, false);
        m_sim->cutLink();
        m_cut = true;
    } else if (fault == QLatin1String("cable cut") || stopsDuringCut(fault)) {
        m_sim->cutLink();
        m_cut = true;
    } else if (fault == QLatin1String("drive silent"))
        m_sim->command(QStringLiteral("silent on"));
    else if (fault == QLatin1String("corrupted answers"))
        m_sim->command(QStringLiteral("badcrc on"));
    else if (fault == QLatin1String("exception answers")) {
        // Every parameter register of the first groups answers with an exception.
        for (int address = 0; address < 0x30; ++address)
            m_sim->command(QStringLiteral("exception %1 4").arg(address, 0, 16));
    } else if (fault == QLatin1String("slow answers"))
        m_sim->command(QStringLiteral("delay 400"));
    else if (fault == QLatin1String("split answers"))
        m_sim->command(QStringLiteral("split 150"));
}

void TestLinkFaults::endFault(const QString& fault)
{
    if (const TcpFault* tcp = tcpFault(fault)) {
        if (tcp->off) {
            m_sim->command(QLatin1String(tcp->off));
        } else {
            m_cut = false;
            QVERIFY(m_sim->restoreLink());
        }
        return;
    }
    if (startsBehindSlowReply(fault))
        m_sim->command(QStringLiteral("delay 0"));
    if (fault == QLatin1String("cable cut") || stopsDuringCut(fault)) {
        m_cut = false;
        QVERIFY(m_sim->restoreLink());
    } else if (fault == QLatin1String("drive silent"))
        m_sim->command(QStringLiteral("silent off"));
    else if (fault == QLatin1String("corrupted answers"))
        m_sim->command(QStringLiteral("badcrc off"));
    else if (fault == QLatin1String("exception answers"))
        m_sim->command(QStringLiteral("exception off"));
    else if (fault == QLatin1String("slow answers"))
        m_sim->command(QStringLiteral("delay 0"));
    else if (fault == QLatin1String("split answers"))
        m_sim->command(QStringLiteral("split 0"));
}

void TestLinkFaults::prepareRun(const QString& activity)
{
    if (m_vfd) {
        QVERIFY(m_sim->command(QStringLiteral("set f002 2")).startsWith(QLatin1String("ok")));
        m_runPage = openPage<GUI_ControlPanel>();
        QVERIFY(m_runPage);
        return;
    }
    QVERIFY(m_sim->command(QStringLiteral("set 35 1")).startsWith(QLatin1String("ok")));
    Communication::instance()->setEnableState(Communication::COMM_ENABLE);
    m_runPage = openPage<GUI_Motion>();
    QVERIFY(m_runPage);
    if (activity == QLatin1String("continuous servo jog")) {
        m_runPage->findChild<QComboBox*>(QStringLiteral("Cbx_OperationMode"))->setCurrentIndex(0);
        m_runPage->findChild<QCheckBox*>(QStringLiteral("Chbx_Continue_Spe"))->setChecked(true);
    } else {
        m_runPage->findChild<QComboBox*>(QStringLiteral("Cbx_OperationMode"))->setCurrentIndex(1);
        // Far enough to be still on its way when the link comes back.
        m_runPage->findChild<QSpinBox*>(QStringLiteral("Lbx_Count_Pos"))->setValue(100000000);
    }
}

void TestLinkFaults::beginRun(const QString& activity, bool waitForStart)
{
    const Run run = runOf(activity);
    QVERIFY(m_runPage);
    QTest::mouseClick(m_runPage->findChild<QPushButton*>(QLatin1String(run.startButton)), Qt::LeftButton);
    if (waitForStart)
        QVERIFY2(waitForLogLine(run.start, 3000), "the run did not start");
}

void TestLinkFaults::pressStop(const QString& activity)
{
    // A warning box, should the page show one, must not hold the table up.
    BoxAnswerer anyBox(QMessageBox::Ok, 3000);
    QTest::mouseClick(
        m_runPage->findChild<QPushButton*>(QLatin1String(runOf(activity).stopButton)), Qt::LeftButton);
}

void TestLinkFaults::startActivity(const QString& activityOverLink, bool begin)
{
    const QString activity = baseActivity(activityOverLink);
    if (activity == QLatin1String("connect in progress")) {
        QVERIFY(ensureDisconnected());
        m_window->connectButton()->click();
        QCOMPARE(UiTest::commState(), Communication::COMM_CONNECTING);
        return;
    }
    ensureFamily(isVfdActivity(activity), transportOf(activityOverLink));
    if (QTest::currentTestFailed())
        return;
    QVERIFY(ensureConnected());
    if (activity == QLatin1String("scope with 4 channels")) {
        auto* page = openPage<GUI_Scope>();
        QVERIFY(page);
        auto* table = page->findChild<QTableWidget*>(QStringLiteral("TableWidget"));
        QVERIFY(table->rowCount() >= 4);
        for (int row = 0; row < 4; ++row) {
            if (table->item(row, 0)->checkState() != Qt::Checked)
                emit table->cellClicked(row, 0);
        }
        QCOMPARE(page->plot()->channelCount(), 4);
        page->findChild<QToolButton*>(QStringLiteral("Btn_StartContinue"))->click();
        QVERIFY(page->plot()->isRunning());
        return;
    }
    if (activity == QLatin1String("monitor poll")) {
        QVERIFY(openPage<GUI_Monitor>());
        return;
    }
    if (activity == QLatin1String("IO poll")) {
        QVERIFY(openPage<GUI_IO>());
        return;
    }
    if (activity == QLatin1String("control-panel poll")) {
        QVERIFY(openPage<GUI_ControlPanel>());
        return;
    }
    if (isRun(activity)) {
        prepareRun(activity);
        if (begin && !QTest::currentTestFailed())
            beginRun(activity, true);
        return;
    }
    if (activity == QLatin1String("held servo jog")) {
        QVERIFY(m_sim->command(QStringLiteral("set 35 1")).startsWith(QLatin1String("ok")));
        Communication::instance()->setEnableState(Communication::COMM_ENABLE);
        QWidget* page = openPage<GUI_Motion>();
        QVERIFY(page);
        m_sim->clearLog();
        m_heldButton = page->findChild<QPushButton*>(QStringLiteral("Btn_GoForward_Spe"));
        QTest::mousePress(m_heldButton, Qt::LeftButton);
        QVERIFY2(waitForLogLine(QStringLiteral("06 0191 1 32"), 3000), "the jog did not start");
        return;
    }
    if (activity == QLatin1String("held VFD jog")) {
        QWidget* page = openPage<GUI_ControlPanel>();
        QVERIFY(page);
        m_sim->clearLog();
        m_heldButton = page->findChild<QPushButton*>(QStringLiteral("Btn_GoForwardJog"));
        QTest::mousePress(m_heldButton, Qt::LeftButton);
        QVERIFY2(waitForLogLine(QStringLiteral("06 2000 1 3"), 3000), "the jog did not start");
        return;
    }
    if (activity == QLatin1String("parameter batch read")) {
        GUI_ParamTable* page = paramPage();
        QVERIFY(page);
        auto* refresh = page->findChild<QToolButton*>(QStringLiteral("Btn_Refresh"));
        for (QAction* action : refresh->menu()->actions()) {
            if (action->text() == QLatin1String("Read all pages"))
                action->trigger();
        }
        QTest::mouseClick(refresh, Qt::LeftButton, {}, QPoint(12, 12));
    } else if (activity == QLatin1String("parameter import")) {
        GUI_ParamTable* page = paramPage();
        QVERIFY(page);
        if (m_importFile.isEmpty()) {
            // Every writable parameter at its factory value.
            const ParameterSet* parameters = page->model()->parameters();
            QJsonObject object { { QStringLiteral("DeviceVersion"), QStringLiteral("0") } };
            for (int row = 0; row < parameters->rowCount(); ++row) {
                const ParamAttributeStruct& attribute = parameters->row(row).attribute;
                if (attribute.writable.toUInt() != 0 && attribute.indexList.isEmpty())
                    object.insert(attribute.name, attribute.defaultValue);
            }
            m_importFile = QDir::current().absoluteFilePath(QStringLiteral("import.json"));
            QFile file(m_importFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QJsonDocument(object).toJson());
        }
        ImportablePage::importFile = m_importFile;
        BoxAnswerer writeQuestion(QMessageBox::Yes);
        page->findChild<QPushButton*>(QStringLiteral("Btn_OpenParam"))->click();
        QVERIFY(writeQuestion.answered());
    } else if (activity == QLatin1String("soft reset")) {
        BoxAnswerer question(QMessageBox::Ok);
        m_window->softResetButton()->click();
        QVERIFY(question.answered());
    } else if (activity == QLatin1String("restore factory parameters")) {
        BoxAnswerer question(QMessageBox::Ok);
        m_window->restoreButton()->click();
        QVERIFY(question.answered());
        // Its closing "Please reconnect" box, whenever it comes.
        m_answerer = std::make_unique<BoxAnswerer>(QMessageBox::Ok, 30000);
    } else {
        QFAIL(qPrintable(QStringLiteral("no such activity: ") + activity));
    }
    if (showsDialog(activity))
        QVERIFY2(stuckDialog(), "the activity shows no dialog");
}

void TestLinkFaults::faultsDuringActivities_data()
{
    QTest::addColumn<QString>("activity");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("holdMs"); // how long the fault lasts once its effect is seen
    QTest::addColumn<int>("end");

    // A second of dead link shows whether the tool idles; the restore needs its progress to run on.
    const auto row = [](const char* activity, const char* fault, int holdMs, End end) {
        QTest::addRow("%s, %s", activity, fault) << activity << fault << holdMs << int(end);
    };
    row("parameter batch read", "cable cut", 1000, End::Connected);
    row("parameter batch read", "drive silent", 1000, End::Connected);
    row("parameter batch read", "corrupted answers", 1500, End::Connected);
    row("parameter batch read", "exception answers", 1500, End::Connected);
    row("parameter batch read", "slow answers", 1500, End::Connected);
    // Each answer stalls halfway for 150 ms, as from a drive whose UART pauses mid-reply.
    row("parameter batch read", "split answers", 1500, End::Connected);
    row("parameter import", "cable cut", 1000, End::Connected);
    row("parameter import", "drive silent", 1000, End::Connected);
    row("soft reset", "cable cut", 1000, End::Connected);
    row("soft reset", "drive silent", 1000, End::Connected);
    row("restore factory parameters", "cable cut", 3000, End::Disconnected);
    row("connect in progress", "cable cut", 1000, End::Connected);
    // Silent from the start, so the test read goes unanswered: the attempt fails and says so.
    row("connect in progress", "drive silent", 4000, End::Disconnected);
    for (const char* activity : { "scope with 4 channels", "monitor poll", "IO poll", "held servo jog" }) {
        row(activity, "cable cut", 1000, End::Connected);
        row(activity, "drive silent", 1000, End::Connected);
    }
    row("scope with 4 channels", "corrupted answers", 1000, End::Connected);
    row("monitor poll", "exception answers", 1000, End::Connected);
    // A stop asked for while the link is down is owed: it goes first once the link is back, and
    // nothing the user started before it may follow it onto the wire.
    for (const char* activity : { "continuous servo jog", "servo position run" })
        row(activity, "Stop during a cut", 500, End::Connected);
    row("continuous servo jog", "Stop during a cut, start queued behind a slow reply", 500, End::Connected);
    // The VFD rows last: they change the drive on the link once.
    for (const char* activity : { "control-panel poll", "held VFD jog" }) {
        row(activity, "cable cut", 1000, End::Connected);
        row(activity, "drive silent", 1000, End::Connected);
    }
    row("control-panel poll", "corrupted answers", 1000, End::Connected);
    row("VFD forward run", "Stop during a cut", 500, End::Connected);
    // Through a gateway: the same monitor poll, with the faults of a TCP link; every row ends with
    // the link coming back on its own.
    for (const TcpFault& fault : tcpFaults)
        row("monitor poll over Modbus TCP", fault.name, 1000, End::Connected);
    for (const char* transport : { overModbusTcp, overRtuOverTcp }) {
        row((QByteArray("parameter batch read") + transport).constData(), "server killed", 1000,
            End::Connected);
        row((QByteArray("scope with 4 channels") + transport).constData(), "server killed", 1000,
            End::Connected);
    }
    row("monitor poll over RTU over TCP", "server killed", 1000, End::Connected);
    row("monitor poll over RTU over TCP", "connection reset mid-reply", 1000, End::Connected);
}

void TestLinkFaults::faultsDuringActivities()
{
    QFETCH(QString, activity);
    QFETCH(QString, fault);
    QFETCH(int, holdMs);
    QFETCH(int, end);

    m_answerer.reset();
    StallWatch stalls;
    QElapsedTimer clock;
    // A connection attempt lasts only as long as its test read; a drive silent from the start is
    // the case that matters there.
    const bool faultFirst
        = activity == QLatin1String("connect in progress") && fault == QLatin1String("drive silent");
    if (faultFirst)
        startFault(fault, activity);
    startActivity(activity, !startsBehindSlowReply(fault));
    if (QTest::currentTestFailed())
        return;
    // A failed connection attempt reports itself in a box.
    if (activity == QLatin1String("connect in progress") && end == int(End::Disconnected))
        m_answerer = std::make_unique<BoxAnswerer>(QMessageBox::Ok, 20000);

    QTest::qWait(300); // the activity is under way
    m_timeline.clear();
    QElapsedTimer since;
    since.start();
    QMetaObject::Connection states = connect(
        Communication::instance(), &Communication::connectEvent, this, [&](Communication::CommState state) {
            m_timeline << QStringLiteral("%1 ms: state %2").arg(since.elapsed()).arg(state);
        });
    QMetaObject::Connection texts
        = connect(Communication::instance(), &Communication::printEvent, this, [&](const QString& text) {
              m_timeline << QStringLiteral("%1 ms: %2").arg(since.elapsed()).arg(text);
          });
    auto guard = qScopeGuard([&] {
        disconnect(states);
        disconnect(texts);
    });
    // What the drive takes from here on: a held jog's stop must come once the link is back.
    m_sim->clearLog();
    if (!faultFirst)
        startFault(fault, activity);
    clock.start();

    QString figures;
    if (linkDead(fault)) {
        // The dead link shows: the activity's dialog goes (the restore's own progress runs on).
        if (activity != QLatin1String("restore factory parameters")) {
            QTRY_VERIFY_WITH_TIMEOUT(!stuckDialog(), 10000);
            figures += QStringLiteral("dialog gone after %1 ms; ").arg(clock.elapsed());
        }
        if (end == int(End::Connected)) {
            // Silence is noticed through unanswered requests: when the activity is over and
            // nothing polls (a soft reset on a servo with no polling page), the engineer's next
            // request is what reveals it.
            if (!polls(baseActivity(activity)) && UiTest::commState() == Communication::COMM_CONNECTED) {
                for (int i = 0; i < 3; ++i)
                    Communication::instance()->sendRead(QStringLiteral("AReadState"), 0x1000, 1);
                figures += QStringLiteral("idle after the activity; ");
            }
            QTRY_VERIFY_WITH_TIMEOUT(UiTest::commState() != Communication::COMM_CONNECTED
                    && UiTest::commState() != Communication::COMM_CONNECTING,
                12000);
        }
        if (stopsDuringCut(fault))
            pressStop(activity);
        // Idle while dead.
        const double cpuBefore = processCpuSeconds();
        QElapsedTimer dead;
        dead.start();
        QTest::qWait(holdMs);
        const double cpu = (processCpuSeconds() - cpuBefore) / (dead.elapsed() / 1000.0);
        figures += QStringLiteral("CPU while dead %1 %; ").arg(cpu * 100.0, 0, 'f', 1);
        QVERIFY2(cpu < 0.05, qPrintable(figures));
        QVERIFY(UiTest::commState() != Communication::COMM_CONNECTED);
    } else {
        QTest::qWait(holdMs);
    }

    endFault(fault);
    clock.restart();
    if (end == int(End::Connected)) {
        QVERIFY2(UiTest::waitForState(Communication::COMM_CONNECTED, 15000), qPrintable(figures));
        figures += QStringLiteral("connected again after %1 ms; ").arg(clock.elapsed());
    } else {
        QVERIFY2(UiTest::waitForState(Communication::COMM_DISCONNECT, 20000), qPrintable(figures));
    }
    if (isHeldJog(activity)) {
        const QString stop = m_vfd ? vfdJogStop : servoJogStop;
        QVERIFY2(waitForLogLine(stop, 3000),
            qPrintable(QStringLiteral("no stop after the link came back: ")
                + m_sim->log().join(QStringLiteral(", "))));
        figures += QStringLiteral("jog stopped on the wire; ");
    }
    if (isRun(activity)) {
        const Run run = runOf(activity);
        const bool stopped = waitForLogLine(run.stop, 3000);
        QTest::qWait(300); // whatever was queued behind the stop is on the wire by now
        const QStringList log = m_sim->log();
        const QString wire = UiTest::writes(log).join(QStringLiteral(", "));
        qInfo("writes since the cut: %s", qPrintable(wire));
        QVERIFY2(stopped, qPrintable(QStringLiteral("no stop after the link came back: ") + wire));
        QVERIFY2(log.lastIndexOf(run.start) < log.indexOf(run.stop),
            qPrintable(QStringLiteral("a start after the stop: ") + wire));
        figures += QStringLiteral("run stopped on the wire, nothing started after; ");
    }
    // Whatever the activity still had to do ends on its own.
    QTRY_VERIFY_WITH_TIMEOUT(!stuckDialog(), 20000);
    if (m_answerer && end == int(End::Disconnected))
        QVERIFY(m_answerer->answered());

    figures += QStringLiteral("longest GUI stall %1 ms").arg(stalls.longestMs());
    qInfo("%s", qPrintable(figures));
    QVERIFY2(stalls.longestMs() < 600, qPrintable(figures));
}

QTEST_MAIN(TestLinkFaults)
#include "tst_linkfaults.moc"
