// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTestSupport.h"

#include "SimDrive.h"
#include "app/Global.h"
#include "pages/connection/GUI_Communication.h"
#include "ui/Command.h"
#include "ui/MainWindow.h"
#include "ui/WidgetController.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using UiTest::BoxAnswerer;

class TestCommand : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> work;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<SimDrive> sim;

    // What the tool wrote, without the VFD status poll's unlock writes that interleave at random.
    QStringList commandWrites() const
    {
        QStringList out;
        for (const QString& line : UiTest::writes(sim->log())) {
            if (line.section(QLatin1Char(' '), 1, 1) != QLatin1String("FF00"))
                out.append(line);
        }
        return out;
    }

    void connectTo(int family)
    {
        sim = std::make_unique<SimDrive>();
        SimDrive::Options options;
        options.family = family == Global::DEVICE_VFD ? QStringLiteral("vfd") : QStringLiteral("servo");
        options.baud = 9600;
        QVERIFY(sim->start(options));
        UiTest::makeWindow(window, family);
        window->controller()
            ->communicationPage()
            ->findChild<QComboBox*>(QStringLiteral("Cbx_Port"))
            ->setEditText(sim->portName());
        window->connectButton()->click();
        QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED));
        sim->clearLog();
    }

    QProgressDialog* progress() const
    {
        for (QProgressDialog* dialog : window->findChildren<QProgressDialog*>()) {
            if (dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }

    // Runs one command through its tool bar button, `question` answering its question; returns
    // how long the progress dialog stayed, in ms (-1 when none appeared).
    qint64 runCommand(
        QToolButton* button, BoxAnswerer* question, int* maximum = nullptr, QString* label = nullptr)
    {
        QElapsedTimer clock;
        clock.start();
        button->click(); // returns once the question is answered and the progress has started
        QProgressDialog* dialog = progress();
        if (!question->answered() || !dialog)
            return -1;
        if (maximum)
            *maximum = dialog->maximum();
        if (label)
            *label = dialog->labelText();
        QPointer<QProgressDialog> guard(dialog);
        QDeadlineTimer deadline(15000);
        while (guard && guard->isVisible() && !deadline.hasExpired())
            QTest::qWait(10);
        return clock.elapsed();
    }

private slots:
    void initTestCase()
    {
        Startup::initResources();
        work = std::make_unique<WorkDir>();
        qRegisterMetaType<Communication::CommState>();
    }

    void cleanup()
    {
        if (UiTest::commState() == Communication::COMM_CONNECTED)
            Communication::instance()->closeDevice();
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
        window.reset();
        sim.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Global::instance()->setDevice(Global::DEVICE_SERVO);
        QCOMPARE(Command::tickCounter(), 0);
    }

    void cleanupTestCase() { work.reset(); }

    void servoCommands()
    {
        connectTo(Global::DEVICE_SERVO);
        Communication* comm = Communication::instance();
        QSignalSpy states(comm, &Communication::connectEvent);

        // Cancel in either question: nothing is sent.
        for (QToolButton* button : { window->softResetButton(), window->restoreButton() }) {
            BoxAnswerer question(QMessageBox::Cancel);
            QCOMPARE(runCommand(button, &question), qint64(-1));
            QVERIFY(question.answered());
            QCOMPARE(question.seen.buttons.size(), 2);
        }
        QTest::qWait(100);
        QVERIFY(commandWrites().isEmpty());
        QCOMPARE(UiTest::commState(), Communication::COMM_CONNECTED);

        // Soft reset: three writes in order, 80 ticks, back to connected without a word to the pages.
        emit comm->resultCallBackEvent(QStringLiteral("AEnableState"), { 1 });
        QCOMPARE(window->enableButton()->text(), QStringLiteral(" Enabled"));
        {
            BoxAnswerer question(QMessageBox::Ok);
            int maximum = 0;
            QString label;
            QTimer probe;
            Communication::CommState during = Communication::COMM_DISCONNECT;
            QProgressDialog* seenDialog = nullptr;
            connect(&probe, &QTimer::timeout, [&] {
                if (!seenDialog && progress()) {
                    seenDialog = progress();
                    during = UiTest::commState();
                    QCOMPARE(seenDialog->windowTitle(), QStringLiteral("Please wait"));
                    QCOMPARE(seenDialog->size(), QSize(300, 80));
                    QCOMPARE(seenDialog->windowModality(), Qt::WindowModal);
                    QCOMPARE(seenDialog->windowFlags(),
                        Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
                }
            });
            probe.start(5);
            const qint64 took = runCommand(window->softResetButton(), &question, &maximum, &label);
            QCOMPARE(question.seen.title, QStringLiteral("Soft reset"));
            QCOMPARE(question.seen.text, QStringLiteral("Do you wish to continue?"));
            QCOMPARE(maximum, 80);
            QCOMPARE(label, QStringLiteral("Soft reset..."));
            QCOMPARE(during, Communication::COMM_WAITING);
            QVERIFY2(took >= 81 * 50 - 100, qPrintable(QString::number(took)));
        }
        QCOMPARE(commandWrites(), (QStringList { "06 0191 1 0", "06 00B5 1 0", "06 003C 1 1" }));
        QCOMPARE(UiTest::commState(), Communication::COMM_CONNECTED);
        QVERIFY(states.isEmpty());
        // The disable write's own result moved the indicator.
        QCOMPARE(window->enableButton()->text(), QStringLiteral(" Disable"));

        // Restore: untagged writes, 100 ticks, the link closed half-way, then the reconnect prompt.
        sim->clearLog();
        emit comm->resultCallBackEvent(QStringLiteral("AEnableState"), { 1 });
        {
            BoxAnswerer question(QMessageBox::Ok);
            int maximum = 0;
            QString label;
            window->restoreButton()->click();
            QVERIFY(question.answered());
            QCOMPARE(question.seen.title, QStringLiteral("Restore Factory Parameters"));
            QCOMPARE(question.seen.text,
                QStringLiteral("The device will be disconnected after restoring the factory parameters,<br>"
                               "Do you wish to continue?"));
            QProgressDialog* dialog = progress();
            QVERIFY(dialog);
            maximum = dialog->maximum();
            label = dialog->labelText();
            QCOMPARE(maximum, 100);
            QCOMPARE(label, QStringLiteral("Restore factory parameters..."));
            QVERIFY(sim->waitForLog(3));
            QCOMPARE(window->enableButton()->text(), QStringLiteral(" Enabled"));
            QCOMPARE(commandWrites(), (QStringList { "06 0191 1 0", "06 00B5 1 0", "10 0000 2 385 65535" }));

            BoxAnswerer done(QMessageBox::Ok, 15000);
            bool progressShownWithTheBox = true;
            done.onSeen = [&](QMessageBox*) { progressShownWithTheBox = progress() != nullptr; };
            QTRY_COMPARE_WITH_TIMEOUT(UiTest::commState(), Communication::COMM_CLOSING, 5000);
            QVERIFY(Command::tickCounter() >= 50);
            QTRY_VERIFY_WITH_TIMEOUT(done.answered(), 10000);
            // The finished progress has gone by the time the prompt asks to reconnect.
            QVERIFY(!progressShownWithTheBox);
            QCOMPARE(done.seen.title, QStringLiteral("Tips"));
            QCOMPARE(
                done.seen.text, QStringLiteral("The operation is completed, Please reconnect the device."));
            QCOMPARE(done.seen.icon, QMessageBox::Information);
        }
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
        QCOMPARE(states.size(), 2);
        QCOMPARE(states.at(0).at(0).value<Communication::CommState>(), Communication::COMM_CLOSING);
        QCOMPARE(states.at(1).at(0).value<Communication::CommState>(), Communication::COMM_DISCONNECT);
        QCOMPARE(window->enableButton()->text(), QStringLiteral(" Disable"));
    }

    void vfdCommands()
    {
        connectTo(Global::DEVICE_VFD);
        QSignalSpy states(Communication::instance(), &Communication::connectEvent);

        // Two soft resets in a row last equally long: the shared counter starts from 0 each time.
        for (int run = 0; run < 2; ++run) {
            sim->clearLog();
            BoxAnswerer question(QMessageBox::Ok);
            int maximum = 0;
            QString label;
            const qint64 took = runCommand(window->softResetButton(), &question, &maximum, &label);
            QCOMPARE(maximum, 50);
            QCOMPARE(label, QStringLiteral("Soft reset..."));
            QVERIFY2(took >= 51 * 50 - 100, qPrintable(QString::number(took)));
            QVERIFY2(took < 51 * 50 + 2500, qPrintable(QString::number(took)));
            QCOMPARE(commandWrites(), QStringList { "06 2000 1 7" });
            QCOMPARE(UiTest::commState(), Communication::COMM_CONNECTED);
            QCOMPARE(Command::tickCounter(), 0);
        }
        QVERIFY(states.isEmpty());

        sim->clearLog();
        BoxAnswerer question(QMessageBox::Ok);
        window->restoreButton()->click();
        QVERIFY(question.answered());
        QVERIFY(progress());
        QCOMPARE(progress()->maximum(), 100);
        QVERIFY(sim->waitForLog(1));
        BoxAnswerer done(QMessageBox::Ok, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(done.answered(), 10000);
        QCOMPARE(done.seen.text, QStringLiteral("The operation is completed, Please reconnect the device."));
        QCOMPARE(commandWrites(), QStringList { "10 1F00 2 0 1" });
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
    }

    // A soft-reset run ends by putting the service back on line, but only when nothing else moved it
    // meanwhile: a link lost (or being closed) during the run must not be reported as connected.
    void softResetRunEnd_data()
    {
        QTest::addColumn<QString>("during");
        QTest::addColumn<int>("after");
        QTest::newRow("quiet run") << QString() << int(Communication::COMM_CONNECTED);
        QTest::newRow("link lost") << QStringLiteral("cut") << int(Communication::COMM_WAITING);
        QTest::newRow("closing") << QStringLiteral("close") << int(Communication::COMM_CLOSING);
    }
    void softResetRunEnd()
    {
        QFETCH(QString, during);
        QFETCH(int, after);
        connectTo(Global::DEVICE_SERVO);
        Communication* comm = Communication::instance();
        QSignalSpy states(comm, &Communication::connectEvent);
        auto* command = new Command(window.get());
        command->runProgress(QStringLiteral("Soft reset"), 10, false, window.get());
        QCOMPARE(comm->commState(), Communication::COMM_WAITING);
        QPointer<QProgressDialog> dialog = progress();
        QVERIFY(dialog);
        if (during == QLatin1String("cut"))
            sim->cutLink();
        else if (during == QLatin1String("close"))
            comm->closeDevice();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog, 3000);
        QCOMPARE(int(comm->commState()), after);
        QCOMPARE(Command::tickCounter(), 0);
        // The quiet period itself is never announced to the pages.
        for (const QList<QVariant>& args : qAsConst(states))
            QVERIFY(args.at(0).value<Communication::CommState>() != Communication::COMM_CONNECTED);
        if (during == QLatin1String("cut")) {
            QVERIFY(sim->restoreLink());
            QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED, 15000));
        }
    }

    // Nothing can be held quiet without a connection, so nothing comes back as connected either.
    void quietPeriodNeedsConnection()
    {
        Communication* comm = Communication::instance();
        QCOMPARE(comm->commState(), Communication::COMM_DISCONNECT);
        QWidget parent;
        auto* command = new Command(&parent);
        command->runProgress(QStringLiteral("Soft reset"), 2, false, &parent);
        QPointer<QProgressDialog> dialog = parent.findChild<QProgressDialog*>();
        QCOMPARE(comm->commState(), Communication::COMM_DISCONNECT);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog, 3000);
        QCOMPARE(comm->commState(), Communication::COMM_DISCONNECT);
    }

    void otherFamilyAsksButDoesNothing()
    {
        Global::instance()->setDevice(2);
        Communication* comm = Communication::instance();
        QWidget parent;
        auto* command = new Command(&parent);
        for (int which = 0; which < 2; ++which) {
            BoxAnswerer question(QMessageBox::Ok);
            if (which == 0)
                command->softReset();
            else
                command->restoreFactoryParameters();
            QVERIFY(question.answered());
            QVERIFY(parent.findChildren<QProgressDialog*>().isEmpty());
            QCOMPARE(comm->commState(), Communication::COMM_DISCONNECT);
        }
    }
};

QTEST_MAIN(TestCommand)
#include "tst_command.moc"
