// SPDX-License-Identifier: GPL-3.0-or-later
#include "../ServoPageTest.h"
#include "app/startup/Startup.h"
#include "pages/io/GUI_IO.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using ServoPageTest::readLine;
using ServoPageTest::writeLine;

namespace {

const QStringList refreshReads = { readLine(256, 8), readLine(276, 6), readLine(55, 1), readLine(57, 1) };
const QString stateRead = readLine(0x100F, 2);

QImage lampImage(bool on)
{
    return QPixmap(on ? QStringLiteral(":/Icon/Images/Icon_32x32/LightUp.png")
                      : QStringLiteral(":/Icon/Images/Icon_32x32/LightOff.png"))
        .toImage();
}

} // namespace

class TestIO : public QObject
{
    Q_OBJECT

private:
    ServoPageTest::Link link;
    std::unique_ptr<GUI_IO> page;

    QComboBox* combo(const QString& name) const { return page->findChild<QComboBox*>(name); }
    QComboBox* function(const QString& row) const { return combo(QStringLiteral("Cbx_") + row); }
    QComboBox* level(const QString& row) const { return combo(QStringLiteral("Cbx_%1_Level").arg(row)); }
    bool lampOn(const QString& row) const
    {
        const QLabel* lamp = page->findChild<QLabel*>(QStringLiteral("Pic_%1_Signal").arg(row));
        return lamp->pixmap(Qt::ReturnByValue).toImage() == lampImage(true);
    }
    bool lampOff(const QString& row) const
    {
        const QLabel* lamp = page->findChild<QLabel*>(QStringLiteral("Pic_%1_Signal").arg(row));
        return lamp->pixmap(Qt::ReturnByValue).toImage() == lampImage(false);
    }
    void click(const char* name)
    {
        QTest::mouseClick(page->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    // The page on screen as the page registry leaves it once its tab is current.
    void openPage()
    {
        page = std::make_unique<GUI_IO>();
        page->setCurrentPage(true);
        page->resize(1100, 700);
        page->show();
    }
    // Clicks Refresh and returns once the page has had the four answers.
    void refresh()
    {
        link.sim.clearLog();
        click("Btn_Refresh");
        QVERIFY(link.answersIn());
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

    void listsAndCombos()
    {
        GUI_IO offline;
        QComboBox* di = offline.findChild<QComboBox*>(QStringLiteral("Cbx_DI1"));
        QComboBox* dout = offline.findChild<QComboBox*>(QStringLiteral("Cbx_DO6"));
        QComboBox* lvl = offline.findChild<QComboBox*>(QStringLiteral("Cbx_DO6_Level"));
        QCOMPARE(di->count(), 32);
        QCOMPARE(dout->count(), 16);
        QCOMPARE(lvl->count(), 2);
        QCOMPARE(di->itemText(1), QStringLiteral("1 - Servo enable"));
        QCOMPARE(di->itemText(12), QStringLiteral("13 - Torque selection 1"));
        QCOMPARE(di->itemText(31), QStringLiteral("40 - Modbus slave number 3"));
        QCOMPARE(di->itemData(21).toInt(), 27);
        QCOMPARE(dout->itemText(0), QStringLiteral("1 - Always output ON"));
        QCOMPARE(dout->itemText(15), QStringLiteral("18 - Z signal output"));
        QCOMPARE(dout->itemData(13).toInt(), 15);
        QCOMPARE(lvl->itemText(1), QStringLiteral("1 - Represents low level effective"));
        for (const QString& row : { QStringLiteral("DI1"), QStringLiteral("DI8"), QStringLiteral("DO6") }) {
            const QLabel* lamp = offline.findChild<QLabel*>(QStringLiteral("Pic_%1_Signal").arg(row));
            QCOMPARE(lamp->pixmap(Qt::ReturnByValue).toImage(), lampImage(false));
        }
    }

    void opensWithTheDriveConfiguration()
    {
        QVERIFY(link.console(QStringLiteral("set 100 1")));
        QVERIFY(link.console(QStringLiteral("set 101 22")));
        QVERIFY(link.console(QStringLiteral("set 119 18")));
        QVERIFY(link.console(QStringLiteral("set 37 0")));
        QVERIFY(link.console(QStringLiteral("set 39 0")));
        link.sim.clearLog();
        openPage();
        QVERIFY(link.sim.waitForLog(5, 3000));
        QCOMPARE(link.sim.log().mid(0, 5), refreshReads + QStringList { stateRead });
        QVERIFY(link.answersIn());
        QCOMPARE(function(QStringLiteral("DI1"))->currentData().toInt(), 1);
        QCOMPARE(function(QStringLiteral("DI2"))->currentData().toInt(), 22);
        QCOMPARE(function(QStringLiteral("DO6"))->currentData().toInt(), 18);
        QVERIFY(link.writes().isEmpty());
    }

    void levelWordSelectsLevels()
    {
        QVERIFY(link.console(QStringLiteral("set 37 5")));
        refresh();
        QCOMPARE(link.sim.log().mid(0, refreshReads.size()), refreshReads);
        for (int row = 1; row <= 8; ++row) {
            const int expected = (row == 1 || row == 3) ? 1 : 0;
            QCOMPARE(level(QStringLiteral("DI%1").arg(row))->currentData().toInt(), expected);
        }
        QCOMPARE(level(QStringLiteral("DI1"))->currentText(),
            QStringLiteral("1 - Represents low level effective"));
    }

    // A code the lists have no name for shows as what the drive holds, never as an earlier choice.
    void unknownFunctionCodeShowsAsUnknown()
    {
        QComboBox* di3 = function(QStringLiteral("DI3"));
        QVERIFY(link.console(QStringLiteral("set 102 12")));
        di3->setCurrentIndex(5);
        refresh();
        QCOMPARE(di3->currentText(), QStringLiteral("12 - Unknown function"));
        QCOMPARE(di3->currentData().toInt(), 12);
        QCOMPARE(di3->count(), 33);
        QCOMPARE(function(QStringLiteral("DI2"))->currentData().toInt(), 22);

        refresh();
        QCOMPARE(di3->count(), 33);

        QVERIFY(link.console(QStringLiteral("set 102 3")));
        refresh();
        QCOMPARE(di3->currentText(), QStringLiteral("3 - Positive drive prohibited"));
        QCOMPARE(di3->count(), 32);
        QVERIFY(link.console(QStringLiteral("set 102 12")));
    }

    void lampsFollowTheStateWords()
    {
        QVERIFY(link.console(QStringLiteral("set 100F 0x81")));
        QVERIFY(link.console(QStringLiteral("set 1010 0x21")));
        QTRY_VERIFY_WITH_TIMEOUT(lampOn(QStringLiteral("DI1")) && lampOn(QStringLiteral("DO6")), 3000);
        for (int row = 1; row <= 8; ++row)
            QCOMPARE(lampOn(QStringLiteral("DI%1").arg(row)), row == 1 || row == 8);
        for (int row = 1; row <= 6; ++row)
            QCOMPARE(lampOn(QStringLiteral("DO%1").arg(row)), row == 1 || row == 6);
        QVERIFY(lampOff(QStringLiteral("DI2")));
    }

    void lampsStopWhileAnotherTabIsCurrent()
    {
        page->setCurrentPage(false);
        link.settle(100);
        link.sim.clearLog();
        QVERIFY(link.console(QStringLiteral("set 100F 0x02")));
        QTest::qWait(2300);
        QVERIFY(!link.sim.log().contains(stateRead));
        QVERIFY(lampOn(QStringLiteral("DI1")));
        page->setCurrentPage(true);
        QVERIFY(link.waitForLine(stateRead, 1300));
        QTRY_VERIFY_WITH_TIMEOUT(lampOn(QStringLiteral("DI2")), 1000);
        QVERIFY(lampOff(QStringLiteral("DI1")));
    }

    void answersArrivingOffScreenAreNotApplied()
    {
        QVERIFY(link.console(QStringLiteral("set 100 2")));
        QMetaObject::invokeMethod(page.get(), "on_Btn_Refresh_clicked");
        page->setCurrentPage(false);
        QVERIFY(link.answersIn());
        QCOMPARE(function(QStringLiteral("DI1"))->currentData().toInt(), 1);
        page->setCurrentPage(true);
        refresh();
        QCOMPARE(function(QStringLiteral("DI1"))->currentData().toInt(), 2);
    }

    void failedReadsChangeNothing()
    {
        const int di1 = function(QStringLiteral("DI1"))->currentIndex();
        const int lvl = level(QStringLiteral("DI1"))->currentIndex();
        WidgetBase* base = page.get();
        for (const char* tag : { "AReadDI", "AReadDO", "AReadDILevel", "AReadDOLevel", "AReadIOState" })
            base->resultCallBackEvent(QLatin1String(tag), {});
        QCOMPARE(function(QStringLiteral("DI1"))->currentIndex(), di1);
        QCOMPARE(level(QStringLiteral("DI1"))->currentIndex(), lvl);
        QVERIFY(lampOn(QStringLiteral("DI2")));
    }

    void applyWritesInOrderAndLeavesDo6Alone()
    {
        // DO6 is "low level effective" on the drive and gets another function and level on screen.
        QVERIFY(link.console(QStringLiteral("set 39 0x20")));
        refresh();
        QCOMPARE(level(QStringLiteral("DO6"))->currentIndex(), 1);
        const QVector<int> diCodes { 2, 22, 23, 0, 5, 40, 37, 1 };
        for (int row = 0; row < 8; ++row) {
            QComboBox* f = function(QStringLiteral("DI%1").arg(row + 1));
            f->setCurrentIndex(f->findData(diCodes[row]));
            level(QStringLiteral("DI%1").arg(row + 1))->setCurrentIndex(row % 3 == 0 ? 1 : 0);
        }
        const QVector<int> doCodes { 3, 9, 16, 1, 13, 7 };
        for (int row = 0; row < 6; ++row) {
            QComboBox* f = function(QStringLiteral("DO%1").arg(row + 1));
            f->setCurrentIndex(f->findData(doCodes[row]));
            level(QStringLiteral("DO%1").arg(row + 1))->setCurrentIndex(row == 1 ? 1 : 0);
        }
        link.sim.clearLog();
        click("Btn_Apply");
        QVERIFY(link.answersIn());
        const QStringList written = link.writes();
        QCOMPARE(written,
            (QStringList { writeLine(256, { 2, 22, 23, 0, 5, 40, 37, 1 }),
                writeLine(276, { 3, 9, 16, 1, 13 }), writeLine(55, { 0b01001001 }),
                writeLine(57, { 0b100010 }) }));
        link.sim.clearLog();
        QCOMPARE(link.sim.command(QStringLiteral("get 119")), QStringLiteral("ok 18"));
        QCOMPARE(link.sim.command(QStringLiteral("get 39")), QStringLiteral("ok 34"));
        // read back as written
        refresh();
        QCOMPARE(function(QStringLiteral("DI6"))->currentData().toInt(), 40);
        QCOMPARE(function(QStringLiteral("DO6"))->currentData().toInt(), 18);
        QCOMPARE(level(QStringLiteral("DO6"))->currentIndex(), 1);
        QCOMPARE(level(QStringLiteral("DO2"))->currentIndex(), 1);
    }

    void refreshesWhenShownAfterAnOffScreenConnect()
    {
        // Opened while connected but not on screen: the answers to the connect refresh are not
        // applied, so showing the page reads the configuration again.
        page.reset();
        QVERIFY(link.console(QStringLiteral("set 100 2")));
        link.sim.clearLog();
        page = std::make_unique<GUI_IO>();
        QVERIFY(link.answersIn());
        QVERIFY(link.sim.log().contains(refreshReads.last()));
        QCOMPARE(function(QStringLiteral("DI1"))->currentData().toInt(), 0);
        link.sim.clearLog();
        page->show();
        page->setCurrentPage(true);
        QVERIFY(link.sim.waitForLog(4));
        QCOMPARE(link.sim.log().mid(0, 4), refreshReads);
        QTRY_COMPARE_WITH_TIMEOUT(function(QStringLiteral("DI1"))->currentData().toInt(), 2, 2000);
        // once loaded, showing it again reads nothing more than the lamps
        page->hide();
        link.sim.clearLog();
        page->show();
        link.settle(300);
        QVERIFY(!link.sim.log().contains(refreshReads.first()));
    }

    // Apply writes nothing until the drive's own settings are on screen: the defaults shown before
    // a read, or what a failed or partial refresh leaves, are not the drive's settings.
    void applyNeedsTheDriveSettings_data()
    {
        QTest::addColumn<QString>("refused"); // a register the drive answers with exception 2 (hex)
        QTest::addColumn<bool>("onScreen");
        QTest::newRow("read while another tab is current") << QString() << false;
        QTest::newRow("DI functions refused") << QStringLiteral("100") << true;
        QTest::newRow("DO functions refused") << QStringLiteral("114") << true;
        QTest::newRow("DO level word refused") << QStringLiteral("39") << true;
    }

    void applyNeedsTheDriveSettings()
    {
        QFETCH(QString, refused);
        QFETCH(bool, onScreen);
        if (!refused.isEmpty())
            QVERIFY(link.console(QStringLiteral("exception %1 2").arg(refused)));
        page.reset();
        link.sim.clearLog();
        page = std::make_unique<GUI_IO>();
        page->setCurrentPage(onScreen);
        page->show();
        QVERIFY(link.answersIn()); // the refresh of a page opened on a live link
        QVERIFY(link.sim.log().contains(refreshReads.last()));
        QSignalSpy messages(page.get(), &WidgetBase::sig_showMessageBox);
        link.sim.clearLog();
        click("Btn_Apply");
        link.settle(300);
        QVERIFY(link.writes().isEmpty());
        QCOMPARE(messages.count(), 1);
        QCOMPARE(
            messages.first().at(0).toString(), QStringLiteral("Read the IO settings from the drive first"));
        QCOMPARE(messages.first().at(1).value<Global::MESSAGE_INFO>(), Global::MESSAGE_WARNNING);

        // A whole refresh on screen lets Apply through.
        QVERIFY(link.console(QStringLiteral("exception off")));
        page->setCurrentPage(true);
        refresh();
        link.sim.clearLog();
        click("Btn_Apply");
        QVERIFY(link.answersIn());
        QCOMPARE(link.writes().size(), 4);
        QCOMPARE(messages.count(), 1);
    }

    // A function code the lists do not know goes back as the drive gave it.
    void unknownCodeIsWrittenBackAsRead()
    {
        QVERIFY(link.console(QStringLiteral("set 102 12")));
        refresh();
        link.sim.clearLog();
        click("Btn_Apply");
        QVERIFY(link.answersIn());
        const QStringList diWrite = link.writes().first().split(QLatin1Char(' '));
        QCOMPARE(diWrite.mid(0, 3), (QStringList { "10", "0100", "8" }));
        QCOMPARE(diWrite.at(3 + 2), QStringLiteral("12"));
        QCOMPARE(link.sim.command(QStringLiteral("get 102")), QStringLiteral("ok 12"));
    }

    void offLineWarnsAndSendsNothing()
    {
        link.close();
        QSignalSpy messages(page.get(), &WidgetBase::sig_showMessageBox);
        click("Btn_Refresh");
        click("Btn_Apply");
        QCOMPARE(messages.count(), 2);
        QCOMPARE(
            messages.at(0).at(0).toString(), QStringLiteral("No communication with the drive(Off Line)"));
        QCOMPARE(messages.at(1).at(1).value<Global::MESSAGE_INFO>(), Global::MESSAGE_WARNNING);
        auto* timer = page->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(timer && !timer->isActive());
    }
};

QTEST_MAIN(TestIO)
#include "tst_io.moc"
