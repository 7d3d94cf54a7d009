// SPDX-License-Identifier: GPL-3.0-or-later
#include "../ServoPageTest.h"
#include "WorkDir.h"
#include "app/startup/Startup.h"
#include "pages/Pages.h"
#include "pages/motion/GUI_Motion.h"
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using ServoPageTest::writeLine;

namespace {

const QString jogStop = writeLine(401, { 0 });
const QString positionStop = writeLine(402, { 4 });

QStringList jogStart(quint16 speed, bool forward)
{
    return { writeLine(400, { 128 }), writeLine(149, { speed }),
        writeLine(401, { quint16(forward ? 32 : 64) }) };
}

QStringList positionRun(quint16 speed, quint16 time, quint16 high, quint16 low)
{
    return { writeLine(644, { speed }), writeLine(168, { time }), writeLine(169, { time }),
        writeLine(400, { 128 }), writeLine(640, { 1 }), writeLine(514, { high, low }), writeLine(402, { 8 }),
        writeLine(402, { 0 }) };
}

} // namespace

class TestMotion : public QObject
{
    Q_OBJECT

private:
    ServoPageTest::Link link;
    std::unique_ptr<WorkDir> work;
    std::unique_ptr<GUI_Motion> page;

    template <typename T> T* child(QWidget* parent, const char* name) const
    {
        return parent->findChild<T*>(QLatin1String(name));
    }
    QPushButton* button(const char* name) const { return child<QPushButton>(page.get(), name); }

    void openPage()
    {
        page = std::make_unique<GUI_Motion>();
        page->resize(900, 600);
        page->show();
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
    }

    void setEnabled(bool enabled)
    {
        QVERIFY(link.console(enabled ? QStringLiteral("set 35 1") : QStringLiteral("set 35 0")));
        Communication::instance()->setEnableState(
            enabled ? Communication::COMM_ENABLE : Communication::COMM_DISABLE);
    }

    // Waits until the drive has taken n writes since the log was cleared, then a little more, so
    // that a write that should not come would be seen.
    QStringList writesAfter(int n)
    {
        QDeadlineTimer deadline(4000);
        while (link.writes().size() < n && !deadline.hasExpired())
            QTest::qWait(20);
        link.settle(250);
        return link.writes();
    }

    void hold(QPushButton* b) { QTest::mousePress(b, Qt::LeftButton); }

private slots:
    void initTestCase()
    {
        Startup::initResources();
        Pages::registerAll();
        work = std::make_unique<WorkDir>();
        QVERIFY(link.open());
        setEnabled(true);
    }

    void init()
    {
        // The window of the tab tests takes its connection page, and the connection, with it.
        if (Communication::instance()->commState() != Communication::COMM_CONNECTED) {
            link.close();
            QVERIFY(link.open());
            setEnabled(true);
        }
        Communication::instance()->setEnableState(Communication::COMM_ENABLE);
        openPage();
        link.sim.clearLog();
    }

    void cleanup()
    {
        if (page && page->findChild<QCheckBox*>()->isChecked())
            QTest::mouseClick(button("Btn_Stop_Spe"), Qt::LeftButton);
        page.reset();
        link.settle(200);
    }

    void cleanupTestCase() { link.close(); }

    void formDefaults()
    {
        auto* mode = child<QComboBox>(page.get(), "Cbx_OperationMode");
        QCOMPARE(mode->count(), 2);
        QCOMPARE(mode->itemText(0), QStringLiteral("Serial Velocity"));
        QCOMPARE(mode->itemText(1), QStringLiteral("Serial Position"));
        auto* count = child<QSpinBox>(page.get(), "Lbx_Count_Pos");
        QCOMPARE(count->minimum(), std::numeric_limits<int>::min());
        QCOMPARE(count->maximum(), std::numeric_limits<int>::max());
        QCOMPARE(count->value(), 10000);
        QCOMPARE(count->suffix(), QStringLiteral(" pulse"));
        QCOMPARE(child<QSpinBox>(page.get(), "Lbx_Speed_Spe")->maximum(), 6000);
        QCOMPARE(child<QSpinBox>(page.get(), "Lbx_Time_Spe")->minimum(), 1);
        QCOMPARE(child<QSpinBox>(page.get(), "Lbx_Speed_Pos")->maximum(), 3000);
        QCOMPARE(child<QSpinBox>(page.get(), "Lbx_Time_Pos")->maximum(), 65535);
        QVERIFY(child<QWidget>(page.get(), "Widget_Mode_Speed")->isVisible());
        QVERIFY(!child<QWidget>(page.get(), "Widget_Mode_Position")->isVisible());
        for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
            QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }

    void holdJogsUntilRelease()
    {
        child<QSpinBox>(page.get(), "Lbx_Speed_Spe")->setValue(250);
        QPushButton* forward = button("Btn_GoForward_Spe");
        hold(forward);
        QCOMPARE(writesAfter(3), jogStart(250, true));
        // a repeated press while held starts nothing more
        hold(forward);
        QCOMPARE(writesAfter(3), jogStart(250, true));
        QTRY_VERIFY_WITH_TIMEOUT(
            qint16(link.sim.command(QStringLiteral("get 1000")).mid(3).toUShort()) > 200, 3000);
        QTest::mouseRelease(forward, Qt::LeftButton);
        QCOMPARE(writesAfter(4), jogStart(250, true) << jogStop);
        QTRY_VERIFY_WITH_TIMEOUT(
            qAbs(qint16(link.sim.command(QStringLiteral("get 1000")).mid(3).toUShort())) < 3, 3000);
    }

    void continuousJogUntilStop()
    {
        // the box is as wide as the group; its caption sits at the left
        auto* box = child<QCheckBox>(page.get(), "Chbx_Continue_Spe");
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QVERIFY(box->isChecked());
        QTest::mouseClick(button("Btn_GoBack_Spe"), Qt::LeftButton);
        QCOMPARE(writesAfter(3), jogStart(100, false));
        // switching the operation mode only swaps the groups: the jog goes on
        auto* mode = child<QComboBox>(page.get(), "Cbx_OperationMode");
        mode->setCurrentIndex(1);
        QVERIFY(!child<QWidget>(page.get(), "Widget_Mode_Speed")->isVisible());
        QVERIFY(child<QWidget>(page.get(), "Widget_Mode_Position")->isVisible());
        mode->setCurrentIndex(0);
        QVERIFY(child<QWidget>(page.get(), "Widget_Mode_Speed")->isVisible());
        QVERIFY(!child<QWidget>(page.get(), "Widget_Mode_Position")->isVisible());
        QCOMPARE(writesAfter(3), jogStart(100, false));
        QTRY_VERIFY_WITH_TIMEOUT(
            qint16(link.sim.command(QStringLiteral("get 1000")).mid(3).toUShort()) < -80, 3000);
        QTest::mouseClick(button("Btn_Stop_Spe"), Qt::LeftButton);
        QCOMPARE(writesAfter(4), jogStart(100, false) << jogStop);
        box->setChecked(false);
    }

    void positionRuns_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("forward keeps a positive count") << 10000 << true << 10000 << 1 << 0;
        QTest::newRow("forward makes -5 positive") << -5 << true << 5 << 0 << 5;
        QTest::newRow("forward with zero") << 0 << true << 0 << 0 << 0;
        QTest::newRow("backward makes 25000 negative") << 25000 << false << -25000 << -2 << -5000;
        QTest::newRow("backward truncates -123456") << -123456 << false << -123456 << -12 << -3456;
        QTest::newRow("backward with zero") << 0 << false << 0 << 0 << 0;
        QTest::newRow("largest count the drive takes") << 327679999 << true << 327679999 << 32767 << 9999;
        QTest::newRow("largest backward count") << 327689999 << false << -327689999 << -32768 << -9999;
    }

    void positionRuns()
    {
        QFETCH(int, count);
        QFETCH(bool, forward);
        QFETCH(int, shown);
        QFETCH(int, high);
        QFETCH(int, low);
        child<QComboBox>(page.get(), "Cbx_OperationMode")->setCurrentIndex(1);
        child<QSpinBox>(page.get(), "Lbx_Speed_Pos")->setValue(3000);
        child<QSpinBox>(page.get(), "Lbx_Time_Pos")->setValue(20);
        auto* spin = child<QSpinBox>(page.get(), "Lbx_Count_Pos");
        spin->setValue(count);
        QTest::mouseClick(button(forward ? "Btn_GoForward_Pos" : "Btn_GoBack_Pos"), Qt::LeftButton);
        QCOMPARE(spin->value(), shown);
        QCOMPARE(writesAfter(8), positionRun(3000, 20, quint16(qint16(high)), quint16(qint16(low))));
        QTest::mouseClick(button("Btn_Stop_Pos"), Qt::LeftButton);
        QCOMPARE(writesAfter(9).last(), positionStop);
    }

    void positionRunReachesItsTarget()
    {
        const auto position = [this]() {
            const quint32 low = link.sim.command(QStringLiteral("get 1001")).mid(3).toUInt();
            const quint32 high = link.sim.command(QStringLiteral("get 1002")).mid(3).toUInt();
            return qint32(high << 16 | low);
        };
        const qint32 start = position();
        child<QComboBox>(page.get(), "Cbx_OperationMode")->setCurrentIndex(1);
        child<QSpinBox>(page.get(), "Lbx_Speed_Pos")->setValue(3000);
        child<QSpinBox>(page.get(), "Lbx_Time_Pos")->setValue(20);
        child<QSpinBox>(page.get(), "Lbx_Count_Pos")->setValue(-23456);
        QTest::mouseClick(button("Btn_GoBack_Pos"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(position(), start - 23456, 4000);
        QTest::qWait(300);
        QCOMPARE(position(), start - 23456);
    }

    void countBeyondTheDriveIsRefused_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("forward");
        QTest::newRow("forward") << 327680000 << true;
        QTest::newRow("backward") << 327690000 << false;
        QTest::newRow("forward from the lowest") << std::numeric_limits<int>::min() << true;
        QTest::newRow("backward from the highest") << std::numeric_limits<int>::max() << false;
    }

    void countBeyondTheDriveIsRefused()
    {
        QFETCH(int, count);
        QFETCH(bool, forward);
        QSignalSpy messages(page.get(), &WidgetBase::sig_showMessageBox);
        child<QComboBox>(page.get(), "Cbx_OperationMode")->setCurrentIndex(1);
        auto* spin = child<QSpinBox>(page.get(), "Lbx_Count_Pos");
        spin->setValue(count);
        QTest::mouseClick(button(forward ? "Btn_GoForward_Pos" : "Btn_GoBack_Pos"), Qt::LeftButton);
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.first().at(1).value<Global::MESSAGE_INFO>(), Global::MESSAGE_WARNNING);
        QCOMPARE(spin->value(), count);
        QVERIFY(writesAfter(0).isEmpty());
    }

    void nothingStartsWhileDisabled()
    {
        Communication::instance()->setEnableState(Communication::COMM_DISABLE);
        for (bool continuous : { false, true }) {
            child<QCheckBox>(page.get(), "Chbx_Continue_Spe")->setChecked(continuous);
            for (const char* name : { "Btn_GoForward_Spe", "Btn_GoBack_Spe" })
                QTest::mouseClick(button(name), Qt::LeftButton);
        }
        child<QCheckBox>(page.get(), "Chbx_Continue_Spe")->setChecked(false);
        child<QComboBox>(page.get(), "Cbx_OperationMode")->setCurrentIndex(1);
        for (const char* name : { "Btn_GoForward_Pos", "Btn_GoBack_Pos" })
            QTest::mouseClick(button(name), Qt::LeftButton);
        QVERIFY(writesAfter(0).isEmpty());
    }

    // A run under way, then the drive reports itself disabled (a glitch, another master): Stop
    // still goes out, and so does a Stop with nothing running.
    void stopWhateverTheEnableState_data()
    {
        QTest::addColumn<bool>("position");
        QTest::addColumn<bool>("running");
        QTest::newRow("continuous jog") << false << true;
        QTest::newRow("position run") << true << true;
        QTest::newRow("jog Stop, nothing running") << false << false;
        QTest::newRow("position Stop, nothing running") << true << false;
    }

    void stopWhateverTheEnableState()
    {
        QFETCH(bool, position);
        QFETCH(bool, running);
        if (position) {
            child<QComboBox>(page.get(), "Cbx_OperationMode")->setCurrentIndex(1);
            child<QSpinBox>(page.get(), "Lbx_Count_Pos")->setValue(100000000);
        } else {
            child<QCheckBox>(page.get(), "Chbx_Continue_Spe")->setChecked(true);
        }
        QStringList expected;
        if (running) {
            QTest::mouseClick(button(position ? "Btn_GoForward_Pos" : "Btn_GoForward_Spe"), Qt::LeftButton);
            expected = writesAfter(position ? 8 : 3);
        }
        Communication::instance()->setEnableState(Communication::COMM_DISABLE);
        QTest::mouseClick(button(position ? "Btn_Stop_Pos" : "Btn_Stop_Spe"), Qt::LeftButton);
        expected << (position ? positionStop : jogStop);
        QCOMPARE(writesAfter(expected.size()), expected);
        child<QCheckBox>(page.get(), "Chbx_Continue_Spe")->setChecked(false);
    }

    // Whichever operation mode is on screen, its Stop ends what runs.
    void stopOnScreenEndsWhatRuns_data()
    {
        QTest::addColumn<bool>("positionRuns");
        QTest::newRow("continuous jog, position group on screen") << false;
        QTest::newRow("position run, velocity group on screen") << true;
    }

    void stopOnScreenEndsWhatRuns()
    {
        QFETCH(bool, positionRuns);
        auto* mode = child<QComboBox>(page.get(), "Cbx_OperationMode");
        QStringList written;
        if (positionRuns) {
            mode->setCurrentIndex(1);
            child<QSpinBox>(page.get(), "Lbx_Time_Pos")->setValue(20);
            child<QSpinBox>(page.get(), "Lbx_Count_Pos")->setValue(100000000);
            QTest::mouseClick(button("Btn_GoForward_Pos"), Qt::LeftButton);
            written = writesAfter(8);
            mode->setCurrentIndex(0);
            QTest::mouseClick(button("Btn_Stop_Spe"), Qt::LeftButton);
        } else {
            child<QCheckBox>(page.get(), "Chbx_Continue_Spe")->setChecked(true);
            QTest::mouseClick(button("Btn_GoForward_Spe"), Qt::LeftButton);
            written = writesAfter(3);
            mode->setCurrentIndex(1);
            QTest::mouseClick(button("Btn_Stop_Pos"), Qt::LeftButton);
            child<QCheckBox>(page.get(), "Chbx_Continue_Spe")->setChecked(false);
        }
        const QStringList after = writesAfter(written.size() + 2).mid(written.size());
        QVERIFY2(after.contains(positionRuns ? positionStop : jogStop), qPrintable(after.join(", ")));
        QTRY_VERIFY_WITH_TIMEOUT(
            qAbs(qint16(link.sim.command(QStringLiteral("get 1000")).mid(3).toUShort())) < 3, 4000);
    }

    // A double click, or clicks faster than the start's writes go out, start one run.
    void positionStartTakesOneClick_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("double click") << true;
        QTest::newRow("two quick clicks") << false;
    }

    void positionStartTakesOneClick()
    {
        QFETCH(bool, doubleClick);
        child<QComboBox>(page.get(), "Cbx_OperationMode")->setCurrentIndex(1);
        QPushButton* forward = button("Btn_GoForward_Pos");
        QTest::mouseClick(forward, Qt::LeftButton);
        if (doubleClick) {
            QTest::mouseDClick(forward, Qt::LeftButton);
            QTest::mouseRelease(forward, Qt::LeftButton);
        } else {
            QTest::mouseClick(forward, Qt::LeftButton);
        }
        QCOMPARE(writesAfter(8).size(), 8);
        // Once its last write has gone out, the next click is a run of its own.
        link.sim.clearLog();
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(writesAfter(8).size(), 8);
        QTest::mouseClick(button("Btn_Stop_Pos"), Qt::LeftButton);
    }

    // One step below the least value stays there (a 0 rpm jog must not become 6000 rpm).
    void motionValuesDoNotWrap_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : { "Lbx_Speed_Spe", "Lbx_Time_Spe", "Lbx_Speed_Pos", "Lbx_Count_Pos",
                 "Lbx_Time_Pos", "Lbx_WaitTime_Pos" })
            QTest::newRow(name) << name;
    }

    void motionValuesDoNotWrap()
    {
        QFETCH(QString, name);
        auto* box = page->findChild<QSpinBox*>(name);
        QVERIFY(box);
        child<QComboBox>(page.get(), "Cbx_OperationMode")
            ->setCurrentIndex(name.endsWith(QLatin1String("_Pos")) ? 1 : 0);
        box->setFocus();
        box->setValue(box->minimum());
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->value(), box->minimum());
        box->setValue(box->maximum());
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(box->value(), box->maximum());
    }

    // However a hold ends, the motor stops, once; nothing more comes when the button is let go.
    void heldJogStopsOnce_data()
    {
        QTest::addColumn<bool>("spaceBar"); // held with the space bar rather than the mouse
        QTest::addColumn<QString>("how");
        QTest::newRow("another window activated") << false << "window";
        QTest::newRow("a dialog pops up") << false << "dialog";
        QTest::newRow("focus moves away") << false << "focus";
        QTest::newRow("page hidden") << false << "hide";
        QTest::newRow("page destroyed") << false << "destroy";
        QTest::newRow("space bar released") << true << "release";
        QTest::newRow("a menu pops up") << false << "popup";
        QTest::newRow("a menu pops up over the space bar") << true << "popup";
        QTest::newRow("Continue ticked during the hold") << false << "continue";
        QTest::newRow("the other jog button pressed") << false << "other";
    }

    void heldJogStopsOnce()
    {
        QFETCH(bool, spaceBar);
        QFETCH(QString, how);
        auto* focusTarget = child<QSpinBox>(page.get(), "Lbx_Speed_Spe");
        auto* continueBox = child<QCheckBox>(page.get(), "Chbx_Continue_Spe");
        QPushButton* backward = button("Btn_GoBack_Spe");
        QPushButton* forward = button("Btn_GoForward_Spe");
        const auto release = [&] {
            if (spaceBar)
                QTest::keyRelease(backward, Qt::Key_Space);
            else
                QTest::mouseRelease(backward, Qt::LeftButton);
        };
        if (spaceBar) {
            backward->setFocus(Qt::TabFocusReason);
            QTest::keyPress(backward, Qt::Key_Space);
        } else {
            hold(backward);
        }
        QCOMPARE(writesAfter(3), jogStart(100, false));
        QWidget other;
        std::unique_ptr<QMessageBox> box;
        QMenu menu;
        menu.addAction(QStringLiteral("Copy"));
        if (how == QLatin1String("release")) {
            release();
        } else if (how == QLatin1String("popup")) {
            menu.popup(backward->mapToGlobal(QPoint(4, 4)));
            QVERIFY(QTest::qWaitForWindowExposed(&menu));
        } else if (how == QLatin1String("continue")) {
            continueBox->toggle();
        } else if (how == QLatin1String("other")) {
            QTest::mousePress(forward, Qt::LeftButton);
        } else if (how == QLatin1String("window")) {
            other.resize(200, 100);
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        } else if (how == QLatin1String("dialog")) {
            box = std::make_unique<QMessageBox>(QMessageBox::Warning, QStringLiteral("Tips"),
                QStringLiteral("x"), QMessageBox::Ok, page.get());
            box->setWindowModality(Qt::ApplicationModal);
            box->show();
            box->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(box.get()));
        } else if (how == QLatin1String("focus")) {
            focusTarget->setFocus(Qt::OtherFocusReason);
        } else if (how == QLatin1String("hide")) {
            page->hide();
        } else {
            page.reset();
        }
        QCOMPARE(writesAfter(4), jogStart(100, false) << jogStop);
        if (!page)
            return;
        // Everything still held comes up: nothing more goes out.
        menu.close();
        if (box)
            box->close();
        page->show();
        page->activateWindow();
        release();
        if (how == QLatin1String("other"))
            QTest::mouseRelease(forward, Qt::LeftButton);
        QCOMPARE(writesAfter(4), jogStart(100, false) << jogStop);
        continueBox->setChecked(false);
        // and the next hold starts again
        link.sim.clearLog();
        hold(backward);
        QCOMPARE(writesAfter(3), jogStart(100, false));
        QTest::mouseRelease(backward, Qt::LeftButton);
        QCOMPARE(writesAfter(4), jogStart(100, false) << jogStop);
    }

    void heldJogStopsOnTabSwitchAndClose()
    {
        page.reset();
        Global::instance()->setDevice(Global::DEVICE_SERVO);
        auto window = std::make_unique<MainWindow>();
        window->resize(1366, 768);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("tabWidgetContent"));
        QVERIFY(tabs);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btn_Motion")), Qt::LeftButton);
        auto* motion = qobject_cast<GUI_Motion*>(tabs->currentWidget());
        QVERIFY(motion);
        QPushButton* forward = motion->findChild<QPushButton*>(QStringLiteral("Btn_GoForward_Spe"));
        link.sim.clearLog();

        // tab switch
        hold(forward);
        QCOMPARE(writesAfter(3), jogStart(100, true));
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btn_Comm")), Qt::LeftButton);
        QVERIFY(tabs->currentWidget() != motion);
        QCOMPARE(writesAfter(4), jogStart(100, true) << jogStop);

        // tab close
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btn_Motion")), Qt::LeftButton);
        QCOMPARE(tabs->currentWidget(), motion);
        link.sim.clearLog();
        hold(forward);
        QCOMPARE(writesAfter(3), jogStart(100, true));
        emit tabs->tabCloseRequested(tabs->indexOf(motion));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(writesAfter(4), jogStart(100, true) << jogStop);

        // closing the page during a continuous jog, then during a position run
        for (const bool positionMode : { false, true }) {
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btn_Motion")), Qt::LeftButton);
            motion = qobject_cast<GUI_Motion*>(tabs->currentWidget());
            QVERIFY(motion);
            link.sim.clearLog();
            if (positionMode) {
                motion->findChild<QComboBox*>(QStringLiteral("Cbx_OperationMode"))->setCurrentIndex(1);
                QTest::mouseClick(
                    motion->findChild<QPushButton*>(QStringLiteral("Btn_GoForward_Pos")), Qt::LeftButton);
                QCOMPARE(writesAfter(8).size(), 8);
            } else {
                motion->findChild<QCheckBox*>(QStringLiteral("Chbx_Continue_Spe"))->setChecked(true);
                QTest::mouseClick(
                    motion->findChild<QPushButton*>(QStringLiteral("Btn_GoForward_Spe")), Qt::LeftButton);
                QCOMPARE(writesAfter(3), jogStart(100, true));
            }
            emit tabs->tabCloseRequested(tabs->indexOf(motion));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const QStringList written = writesAfter(positionMode ? 9 : 4);
            QCOMPARE(written.size(), positionMode ? 9 : 4);
            QCOMPARE(written.last(), positionMode ? positionStop : jogStop);
        }
        window.reset();
        link.settle(200);
    }

    void heldJogStopIsSentWhenTheLinkComesBack()
    {
        QPushButton* forward = button("Btn_GoForward_Spe");
        hold(forward);
        QCOMPARE(writesAfter(3), jogStart(100, true));
        link.sim.cutLink();
        QVERIFY(UiTest::waitForState(Communication::COMM_WAITING, 8000));
        QTest::mouseRelease(forward, Qt::LeftButton);
        QVERIFY(link.sim.restoreLink());
        QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED, 15000));
        QVERIFY(link.waitForLine(jogStop, 3000));
        QCOMPARE(link.writes().count(jogStop), 1);
    }
};

QTEST_MAIN(TestMotion)
#include "tst_motion.moc"
