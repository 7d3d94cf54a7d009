#include "../ServoPageTest.h"
#include "WorkDir.h"
#include "app/startup/Startup.h"
#include "pages/Pages.h"
#include "pages/motion/GUI_Motion.h"
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
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
        QVERIFY(count->wrapping());
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
        QVERIFY(writesAfter(1).isEmpty());
    }

    void nothingIsWrittenWhileDisabled()
    {
        Communication::instance()->setEnableState(Communication::COMM_DISABLE);
        for (bool continuous : { false, true }) {
            child<QCheckBox>(page.get(), "Chbx_Continue_Spe")->setChecked(continuous);
            for (const char* name : { "Btn_GoForward_Spe", "Btn_GoBack_Spe", "Btn_Stop_Spe" })
                QTest::mouseClick(button(name), Qt::LeftButton);
        }
        child<QCheckBox>(page.get(), "Chbx_Continue_Spe")->setChecked(false);
        child<QComboBox>(page.get(), "Cbx_OperationMode")->setCurrentIndex(1);
        for (const char* name : { "Btn_GoForward_Pos", "Btn_GoBack_Pos", "Btn_Stop_Pos" })
            QTest::mouseClick(button(name), Qt::LeftButton);
        QVERIFY(writesAfter(1).isEmpty());
    }

    // A hold that ends without a release reaching the button still stops the motor, once.
    void heldJogStopsWhenTheHoldIsLost_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("another window activated") << "window";
        QTest::newRow("a dialog pops up") << "dialog";
        QTest::newRow("focus moves away") << "focus";
        QTest::newRow("page hidden") << "hide";
        QTest::newRow("page destroyed") << "destroy";
    }

    void heldJogStopsWhenTheHoldIsLost()
    {
        QFETCH(QString, how);
        auto* focusTarget = child<QSpinBox>(page.get(), "Lbx_Speed_Spe");
        QPushButton* backward = button("Btn_GoBack_Spe");
        hold(backward);
        QCOMPARE(writesAfter(3), jogStart(100, false));
        QWidget other;
        std::unique_ptr<QMessageBox> box;
        if (how == QLatin1String("window")) {
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
        if (page) {
            if (box)
                box->close();
            page->show();
            page->activateWindow();
            QTest::mouseRelease(backward, Qt::LeftButton);
            QCOMPARE(writesAfter(4), jogStart(100, false) << jogStop);
            // and the next hold starts again
            link.sim.clearLog();
            hold(backward);
            QTest::mouseRelease(backward, Qt::LeftButton);
            QCOMPARE(writesAfter(4), jogStart(100, false) << jogStop);
        }
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

    // The tool going down: the page is destroyed after the event loop, so it stops on the way out.
    void quittingTheToolStopsAContinuousJog()
    {
        child<QCheckBox>(page.get(), "Chbx_Continue_Spe")->setChecked(true);
        QTest::mouseClick(button("Btn_GoForward_Spe"), Qt::LeftButton);
        QCOMPARE(writesAfter(3), jogStart(100, true));
        QTimer::singleShot(0, qApp, []() { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        QCOMPARE(writesAfter(4), jogStart(100, true) << jogStop);
        page.reset();
        QCOMPARE(writesAfter(5), jogStart(100, true) << jogStop);
    }
};

QTEST_MAIN(TestMotion)
#include "tst_motion.moc"
