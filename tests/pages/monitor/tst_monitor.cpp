// SPDX-License-Identifier: GPL-3.0-or-later
#include "../ServoPageTest.h"
#include "app/startup/Startup.h"
#include "pages/monitor/GUI_Monitor.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

using ServoPageTest::readLine;

namespace {

const QString statusRead = readLine(0x1000, 28);
const QString enableRead = readLine(53, 1);

// Builds a status reply from (word, value) pairs; every other word is 0.
QVector<quint16> statusWords(std::initializer_list<std::pair<int, quint16>> set, int size = 28)
{
    QVector<quint16> words(size, 0);
    for (const auto& [index, value] : set)
        words[index] = value;
    return words;
}

} // namespace

class TestMonitor : public QObject
{
    Q_OBJECT

private:
    ServoPageTest::Link link;
    std::unique_ptr<GUI_Monitor> page;

    QString text(const char* name) const { return page->findChild<QLabel*>(QLatin1String(name))->text(); }
    QLabel* status() const { return page->findChild<QLabel*>(QStringLiteral("Lbl_Status")); }
    QStringList history() const
    {
        const QString plain = page->findChild<QTextEdit*>(QStringLiteral("Tbx_AlramCode"))->toPlainText();
        return plain.isEmpty() ? QStringList() : plain.split(QLatin1Char('\n'));
    }

    void openPage()
    {
        page = std::make_unique<GUI_Monitor>();
        page->resize(1100, 640);
        page->show();
    }

    // The page polls every second; two polls later the drive's state is on screen.
    void waitForStatus(const QString& statusText)
    {
        QTRY_COMPARE_WITH_TIMEOUT(status()->text(), statusText, 4000);
    }

private slots:
    void initTestCase()
    {
        Startup::initResources();
        QVERIFY(link.open());
    }

    void cleanupTestCase()
    {
        page.reset();
        link.close();
    }

    void pollsStatusBlockThenEnableState()
    {
        link.sim.clearLog();
        openPage();
        QVERIFY(link.sim.waitForLog(4, 4000));
        const QStringList log = link.sim.log();
        QCOMPARE(log.mid(0, 4), (QStringList { statusRead, enableRead, statusRead, enableRead }));
        QVERIFY(link.writes().isEmpty());
        auto* timer = page->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QCOMPARE(status()->text(), QStringLiteral("Disable"));
        QCOMPARE(status()->styleSheet(), QStringLiteral("color:green;"));
        QCOMPARE(text("Lbl_AlarmCode"), QStringLiteral("0"));
        QVERIFY(history().isEmpty());
    }

    void statusFollowsTheMotor()
    {
        QVERIFY(link.console(QStringLiteral("set 35 1"))); // the drive enabled from its own panel
        waitForStatus(QStringLiteral("Enabled"));
        QCOMPARE(text("Lbl_EnableState"), QStringLiteral("1"));
        QCOMPARE(text("Lbl_RunningState"), QStringLiteral("2"));
        QVERIFY(link.console(QStringLiteral("set 190 128")));
        QVERIFY(link.console(QStringLiteral("set 95 300")));
        QVERIFY(link.console(QStringLiteral("set 191 32")));
        QTRY_VERIFY_WITH_TIMEOUT(text("Lbl_Vel").toInt() > 250, 4000);
        QTRY_VERIFY_WITH_TIMEOUT(text("Lbl_Pos").toLongLong() > 1000, 4000);
        QVERIFY(link.console(QStringLiteral("set 191 0")));
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(text("Lbl_Vel").toInt()) <= 2, 4000);
        QVERIFY(link.console(QStringLiteral("set b5 0")));
        waitForStatus(QStringLiteral("Disable"));
    }

    void decodesEveryField_data()
    {
        QTest::addColumn<QVector<quint16>>("words");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");

        QTest::newRow("velocity signed") << statusWords({ { 0, 0xFF38 } }) << "Lbl_Vel"
                                         << "-200";
        QTest::newRow("position low word first") << statusWords({ { 1, 0x5678 }, { 2, 0x1234 } }) << "Lbl_Pos"
                                                 << "305419896";
        QTest::newRow("position negative") << statusWords({ { 1, 0xFFFE }, { 2, 0xFFFF } }) << "Lbl_Pos"
                                           << "-2";
        QTest::newRow("position command") << statusWords({ { 3, 0x0000 }, { 4, 0x8000 } }) << "Lbl_PosCMD"
                                          << "-2147483648";
        QTest::newRow("position error") << statusWords({ { 5, 10 }, { 6, 0 } }) << "Lbl_PosErr"
                                        << "10";
        QTest::newRow("torque signed") << statusWords({ { 7, 0xFFFF } }) << "Lbl_Torque"
                                       << "-1";
        QTest::newRow("current /100") << statusWords({ { 8, 1234 } }) << "Lbl_Cur"
                                      << "12.34";
        QTest::newRow("current zero") << statusWords({}) << "Lbl_Cur"
                                      << "0.00";
        QTest::newRow("control mode") << statusWords({ { 9, 2 } }) << "Lbl_ControlMode"
                                      << "2";
        QTest::newRow("temperature /10") << statusWords({ { 10, 355 } }) << "Lbl_Temp"
                                         << "35.50";
        QTest::newRow("velocity command unsigned") << statusWords({ { 11, 0xFFFF } }) << "Lbl_VelCMD"
                                                   << "65535";
        QTest::newRow("torque command") << statusWords({ { 12, 40000 } }) << "Lbl_TorqueCMD"
                                        << "40000";
        QTest::newRow("single-turn unsigned")
            << statusWords({ { 13, 0xFFFF }, { 14, 0xFFFF } }) << "Lbl_StAbsPos"
            << "4294967295";
        QTest::newRow("input bits 15 and 0") << statusWords({ { 15, 0x8001 } }) << "Lbl_InputState"
                                             << "1000000000000001";
        QTest::newRow("output bits") << statusWords({ { 16, 0x0021 } }) << "Lbl_OutputState"
                                     << "0000000000100001";
        QTest::newRow("encoder signal") << statusWords({ { 17, 7 } }) << "Lbl_EncInputSignal"
                                        << "7";
        QTest::newRow("bus voltage unscaled") << statusWords({ { 18, 311 } }) << "Lbl_BusVol"
                                              << "311.00";
        QTest::newRow("bus voltage zero") << statusWords({}) << "Lbl_BusVol"
                                          << "0.00";
        QTest::newRow("logic chip") << statusWords({ { 20, 272 } }) << "Lbl_LogicChipVer"
                                    << "272";
        QTest::newRow("relay") << statusWords({ { 21, 1 } }) << "Lbl_RelaySuctionState"
                               << "1";
        QTest::newRow("running state") << statusWords({ { 22, 3 } }) << "Lbl_RunningState"
                                       << "3";
        QTest::newRow("absolute 64-bit")
            << statusWords({ { 24, 0x0004 }, { 25, 0x0003 }, { 26, 0x0002 }, { 27, 0x0001 } }) << "Lbl_AbsPos"
            << "281483566841860";
        QTest::newRow("absolute negative")
            << statusWords({ { 24, 0xFFFF }, { 25, 0xFFFF }, { 26, 0xFFFF }, { 27, 0xFFFF } }) << "Lbl_AbsPos"
            << "-1";
        QTest::newRow("short reply counts missing words as 0") << QVector<quint16> { 1, 2, 3 } << "Lbl_PosErr"
                                                               << "0";
        QTest::newRow("short reply keeps its words") << QVector<quint16> { 1, 2, 3 } << "Lbl_Pos"
                                                     << "196610";
    }

    void decodesEveryField()
    {
        QFETCH(QVector<quint16>, words);
        QFETCH(QString, label);
        QFETCH(QString, shown);
        // A scratch page off the poll: results reach every page, so feed one directly.
        GUI_Monitor scratch;
        scratch.connectEvent(Communication::COMM_DISCONNECT);
        scratch.resultCallBackEvent(QStringLiteral("AReadState"), words);
        QCOMPARE(scratch.findChild<QLabel*>(label)->text(), shown);
    }

    void alarmTurnsRedAndIsLoggedOnce()
    {
        QVERIFY(link.console(QStringLiteral("alarm d")));
        waitForStatus(QStringLiteral("ERR13"));
        QCOMPARE(status()->styleSheet(), QStringLiteral("color:red;"));
        QCOMPARE(text("Lbl_AlarmCode"), QStringLiteral("13"));
        QCOMPARE(GUI_Monitor::currentAlarmCode(), quint16(13));
        QCOMPARE(history().size(), 1);
        const QRegularExpression line(QStringLiteral(
            "^\\[\\d{4}\\.\\d{2}\\.\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}\\]:   Err13   驱动器过负载$"));
        QVERIFY2(line.match(history().first()).hasMatch(), qPrintable(history().first()));
        // further polls with the same code add nothing
        const int polls = link.sim.log().count(enableRead);
        QTRY_VERIFY_WITH_TIMEOUT(link.sim.log().count(enableRead) >= polls + 2, 4000);
        QCOMPARE(history().size(), 1);
    }

    void failedStatusReadKeepsTheAlarm()
    {
        // A reply that never came must not read as "no alarm".
        page->resultCallBackEvent(QStringLiteral("AReadState"), {});
        QCOMPARE(GUI_Monitor::currentAlarmCode(), quint16(13));
        QCOMPARE(text("Lbl_AlarmCode"), QStringLiteral("13"));
        page->resultCallBackEvent(QStringLiteral("AEnableState"), {});
        QCOMPARE(status()->text(), QStringLiteral("ERR13"));
        QCOMPARE(history().size(), 1);
    }

    void unknownCodeIsLoggedAsUnknown()
    {
        QVERIFY(link.console(QStringLiteral("alarm 9")));
        waitForStatus(QStringLiteral("ERR9"));
        QCOMPARE(history().size(), 2);
        QVERIFY2(
            history().last().endsWith(QStringLiteral("]:   Err9   未知错误")), qPrintable(history().last()));
    }

    void clearingTheAlarmIsLogged()
    {
        QVERIFY(link.console(QStringLiteral("clear")));
        waitForStatus(QStringLiteral("Disable"));
        QCOMPARE(status()->styleSheet(), QStringLiteral("color:green;"));
        QCOMPARE(history().size(), 3);
        QVERIFY2(
            history().last().endsWith(QStringLiteral("]:   Err0   无报错")), qPrintable(history().last()));
    }

    void clearEmptiesAndAnActiveAlarmIsLoggedAgain()
    {
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("Btn_Clear")), Qt::LeftButton);
        QVERIFY(history().isEmpty());
        // With no alarm, clearing logs nothing more.
        const int polls = link.sim.log().count(enableRead);
        QTRY_VERIFY_WITH_TIMEOUT(link.sim.log().count(enableRead) >= polls + 2, 4000);
        QVERIFY(history().isEmpty());

        QVERIFY(link.console(QStringLiteral("alarm 1")));
        QTRY_COMPARE_WITH_TIMEOUT(history().size(), 1, 4000);
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("Btn_Clear")), Qt::LeftButton);
        QVERIFY(history().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(history().size(), 1, 4000);
        QVERIFY(history().first().endsWith(QStringLiteral("]:   Err1   超速")));
    }

    void reopenedDuringAnAlarmShowsItAtOnce()
    {
        QCOMPARE(GUI_Monitor::currentAlarmCode(), quint16(1));
        page.reset();
        openPage();
        QCOMPARE(status()->text(), QStringLiteral("Disable"));
        QVERIFY(history().isEmpty());
        // the first enable-state answer (before any new status answer) shows the alarm
        page->resultCallBackEvent(QStringLiteral("AEnableState"), { 0 });
        QCOMPARE(status()->text(), QStringLiteral("ERR1"));
        QCOMPARE(status()->styleSheet(), QStringLiteral("color:red;"));
        QCOMPARE(history().size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(link.sim.log().count(enableRead) >= 2, 4000);
        QTest::qWait(1200);
        QCOMPARE(history().size(), 1);
    }

    void disconnectStopsPollingAndKeepsTheColour()
    {
        QCOMPARE(status()->styleSheet(), QStringLiteral("color:red;"));
        link.close();
        QCOMPARE(status()->text(), QStringLiteral("Disable"));
        QCOMPARE(status()->styleSheet(), QStringLiteral("color:red;"));
        auto* timer = page->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(timer);
        QVERIFY(!timer->isActive());
    }

    // The next connection may reach another drive: the last one's alarm must not show on it.
    void aNewConnectionForgetsTheAlarm()
    {
        QCOMPARE(GUI_Monitor::currentAlarmCode(), quint16(1));
        page.reset();
        // As the service announces every connection attempt.
        emit Communication::instance()->connectEvent(Communication::COMM_CONNECTING);
        QCOMPARE(GUI_Monitor::currentAlarmCode(), quint16(0));
        openPage();
        page->resultCallBackEvent(QStringLiteral("AEnableState"), { 1 });
        QCOMPARE(status()->text(), QStringLiteral("Enabled"));
        QCOMPARE(status()->styleSheet(), QStringLiteral("color:green;"));
    }
};

QTEST_MAIN(TestMonitor)
#include "tst_monitor.moc"
