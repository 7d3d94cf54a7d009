// SPDX-License-Identifier: GPL-3.0-or-later
#include "Global.h"
#include "SimDrive.h"
#include "UiTestSupport.h"
#include "Xml.h"
#include "app/startup/Startup.h"
#include "comm/Communication.h"
#include "pages/Pages.h"
#include "pages/scope/CurveFile.h"
#include "pages/scope/CurveRecorder.h"
#include "pages/scope/CustomPlot.h"
#include "pages/scope/GUI_Scope.h"
#include "pages/scope/GUI_ScopeNonius.h"
#include "pages/scope/LodGraph.h"
#include "ui/WidgetController.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const QString sourceConfig = QStringLiteral(KESTROVA_SOURCE_DIR "/Driver/Config/");
const QString dataDir = QStringLiteral(KESTROVA_SOURCE_DIR "/tests/pages/scope/data/");
const QString servoVersion = QStringLiteral("KSD-V1.10");
const QString iconFolder = QStringLiteral(":/Icon/Images/Icon_32x32/");

bool copyTree(const QString& from, const QString& to)
{
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo& info : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + info.fileName();
        if (info.isDir() ? !copyTree(info.filePath(), target) : !QFile::copy(info.filePath(), target))
            return false;
    }
    return true;
}

class TestablePage : public GUI_Scope
{
public:
    QColor nextColor;
    QColor asked;
    QString recordingFile;

protected:
    QColor askColor(const QColor& initial) override
    {
        asked = initial;
        return nextColor;
    }
    QString askRecordingFile() override { return recordingFile; }
};

QString blockText(const ScopeBlockRead& block)
{
    QStringList channels;
    for (const ScopeVariableSpan& part : block.parts)
        channels << QString::number(part.channel);
    return QStringLiteral("%1+%2[%3]")
        .arg(block.start, 4, 16, QLatin1Char('0'))
        .arg(block.count)
        .arg(channels.join(QLatin1Char(',')));
}

int nanCount(const QVector<double>& values)
{
    return int(std::count_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }));
}

} // namespace

using UiTest::iconImage;

class TestScope : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir work;
    QString previousDir;
    SimDrive sim;
    std::unique_ptr<TestablePage> page;
    std::unique_ptr<QSignalSpy> messages;

    void useDefinitions(int family, const QString& version)
    {
        Global::instance()->setDevice(family);
        Global::instance()->setLanguage(Global::LANGUAGE_EN);
        Global::instance()->setDeviceVersion(version);
    }

    void openPage()
    {
        page.reset(new TestablePage);
        page->resize(1109, 811);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        messages.reset(new QSignalSpy(page.get(), &WidgetBase::sig_showMessageBox));
    }

    QTableWidget* table() { return page->findChild<QTableWidget*>(QStringLiteral("TableWidget")); }
    QComboBox* combo(const char* name) { return page->findChild<QComboBox*>(QLatin1String(name)); }
    void chooseSampling(ScopeSampler::Mode mode)
    {
        combo("Cbx_Sampling")->setCurrentIndex(combo("Cbx_Sampling")->findData(int(mode)));
    }
    QToolButton* button(const char* name) { return page->findChild<QToolButton*>(QLatin1String(name)); }
    QComboBox* charts() { return page->findChild<QComboBox*>(QStringLiteral("Cbx_Channle")); }
    CustomPlot* plot() { return page->plot(); }
    Qt::CheckState checkOf(int row) { return table()->item(row, 0)->checkState(); }
    QString lastMessage() { return messages->isEmpty() ? QString() : messages->last().at(0).toString(); }

    // A click on the row's check indicator, where the view itself flips the state first.
    void clickCheck(int row)
    {
        QTableWidget* view = table();
        view->scrollToItem(view->item(row, 0));
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.rect = view->visualItemRect(view->item(row, 0));
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect indicator
            = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, indicator.center());
    }

    // As a hand does it: the view acts on a double click only on the index it saw pressed.
    void doubleClickName(int row)
    {
        const QPoint at = table()->visualItemRect(table()->item(row, 1)).center();
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, at);
    }

    void emitResult(const QString& tag, const QVector<quint16>& words)
    {
        emit Communication::instance()->resultCallBackEvent(tag, words);
    }

    void connectSim()
    {
        Communication* comm = Communication::instance();
        if (comm->commState() == Communication::COMM_CONNECTED)
            return;
        SimDrive::Options options;
        options.config = QDir::current().absoluteFilePath(Global::instance()->configPath());
        QVERIFY(sim.start(options));
        comm->setCommType(Communication::COMM_MODBUS_RTU);
        QVERIFY(comm->openDevice(sim.serialSettings()));
        comm->setServerAddress(options.slave);
        comm->connectDevice(53, 3);
        QTRY_COMPARE_WITH_TIMEOUT(comm->commState(), Communication::COMM_CONNECTED, 10000);
    }

    void closeConnection()
    {
        Communication* comm = Communication::instance();
        if (comm->commState() == Communication::COMM_DISCONNECT)
            return;
        comm->closeDevice();
        QTRY_COMPARE_WITH_TIMEOUT(comm->commState(), Communication::COMM_DISCONNECT, 8000);
    }

    // The sim's reads of the scope variables, as "row" numbers of the page's list.
    QList<int> polledRows()
    {
        QList<int> rows;
        for (const QString& line : UiTest::requestsWith(sim.log(), { QStringLiteral("03") })) {
            const quint16 address = quint16(line.section(QLatin1Char(' '), 1, 1).toUInt(nullptr, 16));
            const int count = line.section(QLatin1Char(' '), 2, 2).toInt();
            for (int row = 0; row < page->variableRecords().size(); ++row) {
                const VariableRecord& rec = page->variableRecords().at(row);
                if (rec.code == address && rec.length == count)
                    rows << row;
            }
        }
        return rows;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(work.isValid());
        Startup::initResources();
        previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        QVERIFY(copyTree(sourceConfig, QStringLiteral("Driver/Config")));
        for (const auto& pair : { qMakePair(QStringLiteral("servo"), QStringLiteral("SERVO")),
                 qMakePair(QStringLiteral("vfd"), QStringLiteral("VFD")) }) {
            const QString target = QStringLiteral("Driver/Config/%1/TEST/EN/").arg(pair.second);
            QVERIFY(QDir().mkpath(target));
            QVERIFY(QFile::copy(
                dataDir + pair.first + QStringLiteral("/Variables.xml"), target + "Variables.xml"));
        }
    }

    void cleanupTestCase()
    {
        page.reset();
        closeConnection();
        sim.stop();
        QDir::setCurrent(previousDir);
    }

    void init()
    {
        const QByteArray name(QTest::currentTestFunction());
        if (name == "decoding" || name == "decimalOverrides" || name == "lateResultsOfAnotherSenderIgnored"
            || name == "singleCapturePausesThePage")
            useDefinitions(name == "decimalOverrides" ? Global::DEVICE_VFD : Global::DEVICE_SERVO,
                QStringLiteral("TEST"));
        else
            useDefinitions(Global::DEVICE_SERVO, servoVersion);
        openPage();
    }

    void cleanup()
    {
        if (page)
            page->findChild<QToolButton*>(QStringLiteral("Btn_Stop"))->click();
        page.reset();
        Global::instance()->setScopeSampling(0);
        Global::instance()->setScopeRecordingSeconds(0);
        if (sim.isRunning())
            sim.command(QStringLiteral("exception off"));
    }

    void formFollowsTheDefinitions()
    {
        const struct
        {
            const char* name;
            const char* tip;
            const char* icon;
            bool checkable;
        } expected[] = {
            { "Btn_StartContinue", "Continuous collection", "StartContinue.png", false },
            { "Btn_Stop", "Stop", "Stop.png", false },
            { "Btn_Adaptation", "Adaptive XY axis", "AdaptationXY.png", false },
            { "Btn_SrmSelect", "Select zoom (Left button)", "SrmSelect.png", true },
            { "Btn_SrmDrag", "Drag (Middle button)", "SrmDrag.png", true },
            { "Btn_SrmZoom", "Zoom (Mouse wheel)", "SrmZoom.png", true },
            { "Btn_ShowLegend", "Show legend", "ShowLegend.png", true },
            { "Btn_CursorTracer", "Cursor tracking", "Tracking.png", true },
            { "Btn_Nonius", "Nonius measurement", "Nonius.png", true },
            { "Btn_ClearGraph", "Clear Graphs", "Clear.png", false },
            { "Btn_Screenshot", "Screenshot", "Screenshot.png", false },
            { "Btn_Import", "Import curves", "Import.png", false },
            { "Btn_Export", "Emport curves", "Export.png", false },
            { "Btn_Setting", "Settings", "Setting.png", false },
        };
        int previousX = -1;
        for (const auto& e : expected) {
            QToolButton* b = button(e.name);
            QVERIFY2(b, e.name);
            QCOMPARE(b->toolTip(), QString::fromLatin1(e.tip));
            QCOMPARE(b->isCheckable(), e.checkable);
            QCOMPARE(iconImage(b->icon()), iconImage(QIcon(iconFolder + QLatin1String(e.icon))));
            QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY2(b->x() > previousX, e.name); // one row, in this order
            previousX = b->x();
        }

        QVector<VariableRecord> records;
        QVERIFY(Xml::readVariables(Global::instance()->configPath() + "Variables.xml", records));
        QCOMPARE(table()->rowCount(), records.size());
        QCOMPARE(table()->columnCount(), 2);
        QCOMPARE(table()->horizontalHeaderItem(1)->text(), QStringLiteral("Name"));
        QList<QColor> colors;
        for (int row = 0; row < records.size(); ++row) {
            QCOMPARE(table()->item(row, 1)->text(), records.at(row).description);
            QCOMPARE(checkOf(row), Qt::Unchecked);
            QCOMPARE(table()->item(row, 1)->foreground().color(), QColor("#787878"));
            const QColor c = table()->item(row, 1)->data(Qt::UserRole).value<QColor>();
            QVERIFY(c.isValid());
            colors << c;
        }
        QCOMPARE(charts()->count(), 4);
        QCOMPARE(charts()->itemData(3).toInt(), 4);

        // The same list gets the same colours on another start, whatever drew random numbers.
        for (int i = 0; i < 17; ++i)
            (void)rand();
        openPage();
        for (int row = 0; row < records.size(); ++row)
            QCOMPARE(table()->item(row, 1)->data(Qt::UserRole).value<QColor>(), colors.at(row));
    }

    void registeredAsAWorkspacePage()
    {
        Pages::registerAll();
        QVERIFY(WidgetController::isPageClassRegistered("GUI_Scope"));
    }

    void startNeedsConnectionAndAChannel()
    {
        closeConnection();
        button("Btn_StartContinue")->click();
        QCOMPARE(lastMessage(), QStringLiteral("No communication with the drive(Off Line)"));
        QVERIFY(!plot()->isRunning());
    }

    void tickingRows()
    {
        for (int row : { 0, 2, 3, 5 })
            clickCheck(row);
        QCOMPARE(plot()->channels(), QList<int>({ 0, 2, 3, 5 }));
        for (int row : { 0, 2, 3, 5 }) {
            QCOMPARE(checkOf(row), Qt::Checked);
            QCOMPARE(table()->item(row, 1)->foreground().color(),
                table()->item(row, 1)->data(Qt::UserRole).value<QColor>());
            QCOMPARE(plot()->channel(row).name, page->variableRecords().at(row).description);
        }
        clickCheck(6);
        QCOMPARE(lastMessage(), QStringLiteral("The collection quantity exceeds the upper limit"));
        QCOMPARE(checkOf(6), Qt::Unchecked);
        QCOMPARE(plot()->channelCount(), 4);

        clickCheck(2);
        QCOMPARE(checkOf(2), Qt::Unchecked);
        QCOMPARE(table()->item(2, 1)->foreground().color(), QColor("#787878"));
        QCOMPARE(plot()->channels(), QList<int>({ 0, 3, 5 }));

        // The name column does not tick.
        QTest::mouseClick(
            table()->viewport(), Qt::LeftButton, {}, table()->visualItemRect(table()->item(1, 1)).center());
        QCOMPARE(checkOf(1), Qt::Unchecked);

        // A check state set by the view alone is put back.
        table()->item(4, 0)->setCheckState(Qt::Checked);
        QCOMPARE(checkOf(4), Qt::Unchecked);
        QCOMPARE(plot()->channelCount(), 3);

        charts()->setCurrentIndex(2);
        QCOMPARE(plot()->axisRectCount(), 3);
    }

    void colourByDoubleClick()
    {
        clickCheck(1);
        const QColor before = table()->item(1, 1)->data(Qt::UserRole).value<QColor>();
        page->nextColor = QColor(Qt::darkGreen);
        doubleClickName(1);
        QCOMPARE(page->asked, before);
        QCOMPARE(plot()->channel(1).pen.color(), QColor(Qt::darkGreen));
        QCOMPARE(plot()->channel(1).graph->pen().color(), QColor(Qt::darkGreen));
        QCOMPARE(table()->item(1, 1)->foreground().color(), QColor(Qt::darkGreen));

        // An unticked row keeps its grey text; a cancelled dialog changes nothing.
        page->nextColor = QColor(Qt::cyan);
        doubleClickName(2);
        QCOMPARE(table()->item(2, 1)->data(Qt::UserRole).value<QColor>(), QColor(Qt::cyan));
        QCOMPARE(table()->item(2, 1)->foreground().color(), QColor("#787878"));
        page->nextColor = QColor();
        doubleClickName(1);
        QCOMPARE(plot()->channel(1).pen.color(), QColor(Qt::darkGreen));
    }

    void noniusButtonAndDialog()
    {
        button("Btn_Nonius")->click();
        QVERIFY(page->nonius());
        QTRY_VERIFY(page->nonius()->isVisible());
        QVERIFY(plot()->nonius(0)->isVisible());
        QCOMPARE(page->nonius()->windowTitle(), QStringLiteral("Nonius measurement"));
        // Closing the dialog by its title bar hides the lines and unticks the button.
        page->nonius()->reject();
        QVERIFY(!button("Btn_Nonius")->isChecked());
        QVERIFY(!plot()->nonius(0)->isVisible());
        GUI_ScopeNonius* first = page->nonius();
        button("Btn_Nonius")->click();
        QCOMPARE(page->nonius(), first);
        QTRY_VERIFY(first->isVisible());
        button("Btn_Nonius")->click();
        QVERIFY(!first->isVisible());
        QVERIFY(!plot()->nonius(0)->isVisible());
    }

    void decoding_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QVector<quint16>>("words");
        QTest::addColumn<double>("value");
        QTest::newRow("1234, two decimals") << 0 << QVector<quint16>({ 1234 }) << 12.34;
        QTest::newRow("0xFFFF signed") << 1 << QVector<quint16>({ 0xFFFF }) << -1.0;
        QTest::newRow("low word first") << 2 << QVector<quint16>({ 0x0000, 0x0001 }) << 65536.0;
        QTest::newRow("0xFFFF 0xFFFF unsigned") << 3 << QVector<quint16>({ 0xFFFF, 0xFFFF }) << 4294967295.0;
        QTest::newRow("0xFFFF 0xFFFF signed") << 4 << QVector<quint16>({ 0xFFFF, 0xFFFF }) << -1.0;
        QTest::newRow("signed with decimals") << 5 << QVector<quint16>({ 0xFF38 }) << -2.0;
        // A float would make it 1234567.875.
        QTest::newRow("pair with decimals, every digit")
            << 6 << QVector<quint16>({ 0xCD15, 0x075B }) << 1234567.89;
        // Nothing was measured: a gap, not a 0.
        QTest::newRow("failed read") << 0 << QVector<quint16>() << qQNaN();
    }

    void decoding()
    {
        QFETCH(int, row);
        QFETCH(QVector<quint16>, words);
        QFETCH(double, value);
        clickCheck(row);
        QVERIFY(plot()->start()); // sampling without the poll: only these results arrive
        emitResult(QStringLiteral("AID=%1").arg(row), words);
        QCOMPARE(plot()->receivedSamples(row).size(), 1);
        QCOMPARE(plot()->receivedSamples(row).last(), value);
        plot()->stop();
    }

    void lateResultsOfAnotherSenderIgnored()
    {
        clickCheck(0);
        emitResult(QStringLiteral("AID=0"), { 100 }); // not sampling
        QVERIFY(plot()->receivedSamples(0).isEmpty());
        QVERIFY(plot()->start());
        emitResult(QStringLiteral("AIDX"), { 100 });
        emitResult(QStringLiteral("aid=0"), { 100 });
        emitResult(QStringLiteral("AID=7"), { 100 });
        // Numbers past the list, also those that are negative as an int, and a Fast block's tag.
        for (const char* tag : { "AID=4294967295", "AID=2147483648", "AID=2147483653", "AID=-1", "AID=0,1" })
            emitResult(QLatin1String(tag), { 100 });
        QVERIFY(plot()->receivedSamples(0).isEmpty());
        emitResult(QStringLiteral("AID=0"), { 100 });
        QCOMPARE(plot()->receivedSamples(0).size(), 1);
        plot()->pause();
        emitResult(QStringLiteral("AID=0"), { 100 });
        QCOMPARE(plot()->receivedSamples(0).size(), 1);
    }

    void decimalOverrides()
    {
        for (int row : { 0, 1, 2, 3 })
            clickCheck(row);
        QVERIFY(plot()->start());
        const auto sample = [this](int row, quint16 word) {
            emitResult(QStringLiteral("AID=%1").arg(row), { word });
            return plot()->receivedSamples(row).last();
        };
        QCOMPARE(sample(0, 1234), 12.34);
        QCOMPARE(sample(1, 123), 123.0);
        emitResult(QStringLiteral("P7-12"), { 21 });
        QCOMPARE(sample(1, 123), 12.3); // D0-14: one decimal
        QCOMPARE(sample(2, 123), 1.23); // D0-19: two
        QCOMPARE(sample(3, 123), 1.23); // D0-29: two
        emitResult(QStringLiteral("P0-22"), {});
        QCOMPARE(sample(0, 1234), 12.34);
        emitResult(QStringLiteral("P0-22"), { 0x0301 });
        QCOMPARE(sample(0, 1234), 123.4); // low byte
        QCOMPARE(page->variableRecords().at(4).format1, quint8(1)); // D0-02 follows nothing
        emitResult(QStringLiteral("P7-120"), { 33 }); // exact tags only
        QCOMPARE(sample(1, 123), 12.3);

        // Another drive may count its decimals otherwise: a new connection starts from the file's.
        emit Communication::instance()->connectEvent(Communication::COMM_CONNECTING);
        QCOMPARE(sample(0, 1234), 12.34);
        QCOMPARE(sample(1, 123), 123.0);
        QCOMPARE(sample(2, 123), 123.0);
    }

    void mergingRule_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<QString>("layout"); // address:length per channel, in channel order
        QTest::addColumn<QStringList>("blocks"); // start+count[channels]
        QTest::newRow("the servo's first four variables")
            << 115200 << "1000:1 1001:2 1003:2 1005:2" << QStringList { "1000+7[0,1,2,3]" };
        // At 115200 a transaction's frames and silent intervals cost as much as 24.8 registers.
        QTest::newRow("24 registers between: one block")
            << 115200 << "1000:1 1019:1" << QStringList { "1000+26[0,1]" };
        QTest::newRow("25 registers between: two reads")
            << 115200 << "1000:1 101a:1" << QStringList { "1000+1[0]", "101a+1[1]" };
        QTest::newRow("32 apart: one read each")
            << 115200 << "1000:1 1020:1 1040:1 1060:1"
            << QStringList { "1000+1[0]", "1020+1[1]", "1040+1[2]", "1060+1[3]" };
        // At 9600 the silent intervals are 3.5 characters: the break-even is 10 registers.
        QTest::newRow("9600, 9 between: one block")
            << 9600 << "1000:1 100a:1" << QStringList { "1000+11[0,1]" };
        QTest::newRow("9600, 11 between: two reads")
            << 9600 << "1000:1 100c:1" << QStringList { "1000+1[0]", "100c+1[1]" };
        QTest::newRow("at most 125 registers")
            << 115200 << "1000:100 1070:30" << QStringList { "1000+100[0]", "1070+30[1]" };
        QTest::newRow("124 registers: one block")
            << 115200 << "1000:100 1068:20" << QStringList { "1000+124[0,1]" };
        QTest::newRow("unsorted and overlapping")
            << 115200 << "1005:2 1000:1 1005:1 0100:2" << QStringList { "0100+2[3]", "1000+7[1,0,2]" };
    }

    void mergingRule()
    {
        QFETCH(int, baud);
        QFETCH(QString, layout);
        QFETCH(QStringList, blocks);
        QVector<ScopeVariableSpan> spans;
        for (const QString& part : layout.split(QLatin1Char(' '))) {
            spans.append({ spans.size(), quint16(part.section(QLatin1Char(':'), 0, 0).toUInt(nullptr, 16)),
                quint16(part.section(QLatin1Char(':'), 1, 1).toUInt()) });
        }
        QStringList planned;
        for (const ScopeBlockRead& block : planBlockReads(spans, baud, 11))
            planned << blockText(block);
        QCOMPARE(planned, blocks);
    }

    // A single capture pauses sampling on its window, ready to measure and export.
    void singleCapturePausesThePage()
    {
        clickCheck(0);
        combo("Cbx_TriggerMode")
            ->setCurrentIndex(combo("Cbx_TriggerMode")->findData(int(ScopeTrigger::Single)));
        QCOMPARE(combo("Cbx_TriggerChannel")->currentData().toInt(), 0);
        page->findChild<QDoubleSpinBox*>(QStringLiteral("Spb_TriggerLevel"))->setValue(5);
        page->findChild<QDoubleSpinBox*>(QStringLiteral("Spb_TriggerWindow"))->setValue(0.2);
        QCOMPARE(plot()->trigger().settings().mode, ScopeTrigger::Single);
        QCOMPARE(plot()->trigger().settings().level, 5.0);
        QVERIFY(plot()->start()); // sampling without the poll: only these results arrive
        emitResult(QStringLiteral("AID=0"), { 0 });
        QTRY_VERIFY(plot()->recordedKeys(0).size() >= 2);
        emitResult(QStringLiteral("AID=0"), { 1000 }); // 10.00
        QTRY_VERIFY(!plot()->isRunning());
        QVERIFY(plot()->isHoldingCapture());
        QVERIFY(
            page->findChild<QLabel*>(QStringLiteral("Lbl_Status"))->text().startsWith("Single capture at"));
        QCOMPARE(button("Btn_StartContinue")->toolTip(), QStringLiteral("Continuous collection"));
    }

    // The mode and the recording length are the user's: a page opened later starts with them.
    void samplingSettingsAreRemembered()
    {
        QCOMPARE(combo("Cbx_Sampling")->currentData().toInt(), int(ScopeSampler::Standard));
        QVERIFY(!plot()->isRealTime());
        chooseSampling(ScopeSampler::Fast);
        QComboBox* length = combo("Cbx_RecordLength");
        length->setCurrentIndex(length->findData(600));
        QCOMPARE(Global::instance()->scopeSampling(), 1);
        QCOMPARE(Global::instance()->scopeRecordingSeconds(), 600);
        openPage();
        QCOMPARE(combo("Cbx_Sampling")->currentData().toInt(), int(ScopeSampler::Fast));
        QVERIFY(plot()->isRealTime());
        QCOMPARE(page->sampler()->mode(), ScopeSampler::Fast);
        QCOMPARE(combo("Cbx_RecordLength")->currentData().toInt(), 600);
        QCOMPARE(plot()->recordingLength(), 600.0);
    }

    // From here on against the simulated drive.
    void pollIntervalsAndTags_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("one channel") << QList<int>({ 4 });
        QTest::newRow("two channels") << QList<int>({ 1, 7 });
        QTest::newRow("four channels") << QList<int>({ 0, 2, 5, 9 });
    }

    void pollIntervalsAndTags()
    {
        QFETCH(QList<int>, rows);
        connectSim();
        for (int row : rows)
            clickCheck(row);
        QSignalSpy completed(Communication::instance(), &Communication::requestCompleted);
        const auto samplesCompleted = [&completed]() {
            int count = 0;
            for (const QList<QVariant>& c : qAsConst(completed))
                count += c.at(1).toString().startsWith(QLatin1String("AID=")) ? 1 : 0;
            return count;
        };
        sim.clearLog();
        button("Btn_StartContinue")->click();
        QVERIFY(plot()->isRunning());
        QCOMPARE(page->timer()->interval(), rows.size() * 50);
        QVERIFY(!charts()->isEnabled());
        QCOMPARE(button("Btn_StartContinue")->toolTip(), QStringLiteral("Pause"));
        QCOMPARE(iconImage(button("Btn_StartContinue")->icon()), iconImage(QIcon(iconFolder + "Pause.png")));

        // The test gives the ticks itself, each once the last one's reads are answered, so that a
        // loaded machine cannot make a channel skip one: every tick reads each channel once, in
        // ascending order. A tick right behind another finds every read still on the bus and
        // sends nothing.
        page->timer()->stop();
        const int ticks = 4;
        QList<int> expected;
        for (int tick = 1; tick <= ticks; ++tick) {
            QMetaObject::invokeMethod(page->timer(), "timeout");
            QMetaObject::invokeMethod(page->timer(), "timeout");
            QTRY_COMPARE(samplesCompleted(), tick * rows.size());
            for (int row : rows)
                QTRY_COMPARE(plot()->receivedSamples(row).size(), tick);
            expected << rows;
        }
        QCOMPARE(polledRows(), expected);
        QStringList tags;
        for (const QList<QVariant>& c : qAsConst(completed)) {
            if (!tags.contains(c.at(1).toString()))
                tags << c.at(1).toString();
        }
        QStringList expectedTags;
        for (int row : rows)
            expectedTags << QStringLiteral("AID=%1").arg(row);
        QCOMPARE(tags, expectedTags);
        for (int row : rows)
            QVERIFY(!plot()->recordedKeys(row).isEmpty());

        // On its own timer it polls every channel, never faster than the interval.
        sim.clearLog();
        QElapsedTimer clock;
        clock.start();
        page->timer()->start();
        QTRY_VERIFY(polledRows().size() >= 2 * rows.size());
        button("Btn_StartContinue")->click(); // pause
        const qint64 elapsed = clock.elapsed();
        const QList<int> polled = polledRows();
        QCOMPARE(QSet<int>(polled.begin(), polled.end()), QSet<int>(rows.begin(), rows.end()));
        const double polledTicks = double(polled.size()) / rows.size();
        QVERIFY2(polledTicks <= double(elapsed) / (rows.size() * 50) + 1,
            qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(polledTicks).arg(elapsed)));
    }

    void clicksWhileRunningIgnored()
    {
        connectSim();
        clickCheck(0);
        clickCheck(3);
        button("Btn_StartContinue")->click();
        QVERIFY(plot()->isRunning());
        clickCheck(1);
        clickCheck(3);
        QCOMPARE(checkOf(1), Qt::Unchecked);
        QCOMPARE(checkOf(3), Qt::Checked);
        QCOMPARE(plot()->channels(), QList<int>({ 0, 3 }));
        QVERIFY(!charts()->isEnabled());
        button("Btn_Stop")->click();
        QVERIFY(charts()->isEnabled());
        QCOMPARE(button("Btn_StartContinue")->toolTip(), QStringLiteral("Continuous collection"));
    }

    void pauseKeepsAndStopResetsTheTimeBase()
    {
        connectSim();
        button("Btn_StartContinue")->click();
        QCOMPARE(lastMessage(), QStringLiteral("Please select the object to observe first"));
        QVERIFY(!plot()->isRunning());
        clickCheck(0);
        button("Btn_StartContinue")->click();
        QTest::qWait(300);
        button("Btn_StartContinue")->click();
        const double paused = plot()->timeBase();
        QVERIFY(paused > 0.1);
        QVERIFY(charts()->isEnabled());
        QTest::qWait(200);
        QCOMPARE(plot()->timeBase(), paused);
        button("Btn_StartContinue")->click();
        QTRY_VERIFY(plot()->timeBase() > paused + 0.1);
        button("Btn_Stop")->click();
        QCOMPARE(plot()->timeBase(), 0.0);
        QVERIFY(!plot()->recordedKeys(0).isEmpty()); // Stop keeps the points
    }

    void lateResultsAfterPauseDropped()
    {
        connectSim();
        for (int row : { 0, 1, 2, 3 })
            clickCheck(row);
        // Pause right behind a tick, while its four reads are still on their way.
        bool paused = false;
        int samples = 0;
        int before = 0;
        QSignalSpy completed(Communication::instance(), &Communication::requestCompleted);
        connect(page->timer(), &QTimer::timeout, page.get(), [&]() {
            if (!paused && plot()->recordedKeys(0).size() > 2) {
                paused = true;
                button("Btn_StartContinue")->click();
                samples = plot()->receivedSamples(3).size();
                before = completed.size();
            }
        });
        button("Btn_StartContinue")->click();
        QTRY_VERIFY(paused);
        QTRY_VERIFY(completed.size() >= before + 4);
        QTest::qWait(200);
        QVERIFY(completed.last().at(1).toString().startsWith("AID="));
        QCOMPARE(plot()->receivedSamples(3).size(), samples);
    }

    // A drive that answers slower than the poll: each channel keeps one read on the bus, so nothing
    // piles up and a pause leaves at most that one read to come back.
    void slowDriveDoesNotPileUpReads()
    {
        connectSim();
        clickCheck(0);
        QCOMPARE(sim.command("delay 300").left(2), QStringLiteral("ok"));
        QSignalSpy completed(Communication::instance(), &Communication::requestCompleted);
        button("Btn_StartContinue")->click();
        QTest::qWait(1500);
        button("Btn_StartContinue")->click();
        const int whileRunning = completed.size();
        QTest::qWait(1200);
        const int afterPause = completed.size() - whileRunning;
        QCOMPARE(sim.command("delay 0").left(2), QStringLiteral("ok"));
        QVERIFY2(whileRunning >= 3 && whileRunning <= 6, qPrintable(QString::number(whileRunning)));
        QVERIFY2(afterPause <= 1, qPrintable(QString::number(afterPause)));
        QVERIFY(!plot()->receivedSamples(0).isEmpty());
    }

    // Fast: the four variables in 0x1000-0x1006 go as one block read, one after another, each
    // sample at its answer's time, and the page shows how many come per second.
    void fastModeReadsBlocks()
    {
        connectSim();
        for (int row : { 0, 1, 2, 3 })
            clickCheck(row);
        chooseSampling(ScopeSampler::Fast);
        QSignalSpy completed(Communication::instance(), &Communication::requestCompleted);
        sim.clearLog();
        button("Btn_StartContinue")->click();
        QVERIFY(plot()->isRunning());
        QVERIFY(!combo("Cbx_Sampling")->isEnabled());
        QTRY_VERIFY(page->sampleRate(3) > 20);
        QVERIFY(page->findChild<QLabel*>(QStringLiteral("Lbl_Rates"))->text().contains(QStringLiteral("/s")));
        button("Btn_StartContinue")->click(); // pause
        const double paused = plot()->timeBase();

        QStringList reads = UiTest::requestsWith(sim.log(), { QStringLiteral("03") });
        QVERIFY(reads.size() > 20);
        reads.removeDuplicates();
        QCOMPARE(reads, QStringList { QStringLiteral("03 1000 7") });
        QStringList tags;
        for (const QList<QVariant>& c : completed)
            tags << c.at(1).toString();
        tags.removeDuplicates();
        QCOMPARE(tags, QStringList { QStringLiteral("AID=0,1,2,3") });
        for (int row : { 0, 1, 2, 3 }) {
            const QVector<double> keys = plot()->recordedKeys(row);
            QVERIFY(keys.size() > 20);
            QVERIFY(std::is_sorted(keys.begin(), keys.end()));
            QCOMPARE(nanCount(plot()->recordedValues(row)), 0);
            QVERIFY(keys.last() <= paused);
        }
        // Real time: the samples spread over the whole time the page sampled.
        QVERIFY(plot()->recordedKeys(0).first() < 0.5);
        QVERIFY(plot()->recordedKeys(0).last() > paused - 0.5);
    }

    // A drive that refuses the registers between two variables gets them in reads of their own.
    void fastModeSplitsARefusedBlock()
    {
        connectSim();
        clickCheck(0); // 0x1000, 1 register
        clickCheck(2); // 0x1003, 2 registers
        chooseSampling(ScopeSampler::Fast);
        QVERIFY(sim.command(QStringLiteral("exception 1001 2")).startsWith(QLatin1String("ok")));
        sim.clearLog();
        button("Btn_StartContinue")->click();
        QTRY_VERIFY(plot()->recordedKeys(2).size() > 10);
        button("Btn_StartContinue")->click();
        const QStringList reads = UiTest::requestsWith(sim.log(), { QStringLiteral("03") });
        QVERIFY(!reads.isEmpty());
        QCOMPARE(reads.first(), QStringLiteral("03 1000 5"));
        QVERIFY(reads.contains(QStringLiteral("03 1000 1")));
        QVERIFY(reads.contains(QStringLiteral("03 1003 2")));
        // Only the reads already on their way when the first refusal came back.
        QVERIFY(reads.lastIndexOf(QStringLiteral("03 1000 5")) < reads.indexOf(QStringLiteral("03 1000 1")));
        QVERIFY(reads.count(QStringLiteral("03 1000 5")) <= 3);
        QCOMPARE(page->sampler()->plan().size(), 2);
        const QVector<double> values = plot()->recordedValues(2);
        QVERIFY(!std::isnan(values.last()));
    }

    // A drive command holds the service quiet; whatever is not read then is a gap, not the last
    // value drawn on as if it were live.
    void quietPeriodIsAGap_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("standard") << int(ScopeSampler::Standard);
        QTest::newRow("fast") << int(ScopeSampler::Fast);
    }

    void quietPeriodIsAGap()
    {
        QFETCH(int, mode);
        connectSim();
        clickCheck(0);
        chooseSampling(ScopeSampler::Mode(mode));
        button("Btn_StartContinue")->click();
        QTRY_VERIFY(plot()->recordedKeys(0).size() >= 5);
        QCOMPARE(nanCount(plot()->recordedValues(0)), 0);
        Communication::instance()->beginQuietPeriod();
        QTRY_VERIFY(nanCount(plot()->recordedValues(0)) >= 3);
        Communication::instance()->endQuietPeriod();
        QCOMPARE(UiTest::commState(), Communication::COMM_CONNECTED);
        QTRY_VERIFY(!std::isnan(plot()->recordedValues(0).last()));
        QVERIFY(plot()->isRunning());
    }

    // Fast keeps at most three reads on their way: another page's requests still get through.
    void otherRequestsGetThroughFastSampling()
    {
        connectSim();
        for (int row : { 0, 1, 2, 3 })
            clickCheck(row);
        chooseSampling(ScopeSampler::Fast);
        button("Btn_StartContinue")->click();
        Communication* comm = Communication::instance();
        QHash<quint64, qint64> sentAt;
        QList<qint64> waits;
        QElapsedTimer clock;
        clock.start();
        QTimer other;
        connect(&other, &QTimer::timeout, [&]() {
            const quint64 request = comm->sendRead(QStringLiteral("AOtherPage"), 0x1012, 1);
            if (request != 0)
                sentAt.insert(request, clock.elapsed());
        });
        const QMetaObject::Connection watch = connect(comm, &Communication::requestCompleted,
            [&](quint64 request, const QString&, const QVector<quint16>& values) {
                if (sentAt.contains(request) && !values.isEmpty())
                    waits << clock.elapsed() - sentAt.take(request);
            });
        other.start(100);
        QTRY_VERIFY(waits.size() >= 8);
        other.stop();
        disconnect(watch);
        button("Btn_StartContinue")->click();
        QVERIFY(*std::max_element(waits.begin(), waits.end()) < 500);
        QVERIFY(plot()->recordedKeys(0).size() > 50);
    }

    // Record to file: every point of the run, in the curve-file format, as it comes.
    void recordToFile()
    {
        connectSim();
        clickCheck(0);
        clickCheck(3);
        page->recordingFile = work.filePath(QStringLiteral("recorded.csv"));
        QFile::remove(page->recordingFile);
        button("Btn_Record")->click();
        QVERIFY(button("Btn_Record")->isChecked());
        QVERIFY(page->recorder()->isRecording());
        QVERIFY(page->findChild<QLabel*>(QStringLiteral("Lbl_Status"))->text().contains("recorded.csv"));
        button("Btn_StartContinue")->click();
        QTRY_VERIFY(plot()->recordedKeys(3).size() >= 10);
        button("Btn_Stop")->click(); // a new run starts at 0 again: the file ends
        QVERIFY(!page->recorder()->isRecording());
        QVERIFY(!button("Btn_Record")->isChecked());
        QList<QStringList> rows;
        int fields = 0;
        QVERIFY(readCsvLines(page->recordingFile, rows, fields));
        QCOMPARE(fields, 4);
        QCOMPARE(rows.first().at(0), plot()->channel(0).name + QLatin1Char('x'));
        QCOMPARE(rows.first().at(2), plot()->channel(3).name + QLatin1Char('x'));
        const QVector<double> keys = plot()->recordedKeys(3);
        const QVector<double> values = plot()->recordedValues(3);
        QCOMPARE(rows.size() - 1, qMax(keys.size(), plot()->recordedKeys(0).size()));
        for (int i = 0; i < keys.size(); ++i) {
            QCOMPARE(rows.at(i + 1).at(2), curveNumber(keys.at(i)));
            QCOMPARE(rows.at(i + 1).at(3), curveNumber(values.at(i)));
        }
        // It imports like any curve file.
        QVERIFY(plot()->importCsv(page->recordingFile));
        QCOMPARE(plot()->importedCurves().size(), 2);
        QCOMPARE(plot()->importedCurves().at(1).graph->dataCount(), keys.size());
    }

    // Last: the cable is pulled while sampling; the link goes to COMM_WAITING and the page stops.
    void linkTroubleStopsSampling()
    {
        connectSim();
        clickCheck(0);
        charts()->setCurrentIndex(1);
        button("Btn_StartContinue")->click();
        QVERIFY(plot()->isRunning());
        sim.cutLink();
        QTRY_COMPARE_WITH_TIMEOUT(UiTest::commState(), Communication::COMM_WAITING, 15000);
        QVERIFY(!plot()->isRunning());
        QVERIFY(!page->timer()->isActive());
        QVERIFY(charts()->isEnabled());
        QCOMPARE(button("Btn_StartContinue")->toolTip(), QStringLiteral("Continuous collection"));
        QCOMPARE(iconImage(button("Btn_StartContinue")->icon()),
            iconImage(QIcon(iconFolder + "StartContinue.png")));
        QCOMPARE(plot()->axisRectCount(), 2);
        closeConnection();
    }
};

QTEST_MAIN(TestScope)
#include "tst_scope.moc"
