// SPDX-License-Identifier: GPL-3.0-or-later
// The connection page's "Find drive" dialog in the real window, against simulated drives that
// answer only at their own baud rate, framing and address, at the pace of a real wire.

#include "UiTestSupport.h"

#include "FakeSystemRoot.h"
#include "SimDrive.h"
#include "app/Global.h"
#include "pages/connection/GUI_Communication.h"
#include "pages/connection/GUI_FindDrive.h"
#include "ui/MainWindow.h"
#include "ui/WidgetController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPort>
#include <QSpinBox>
#include <QTcpServer>
#include <QTreeWidget>
#include <QtTest>

namespace {

bool startDrive(
    SimDrive& sim, const QString& family, int baud, const QString& parity, int stopBits, int slave)
{
    return sim.startAtSetting(family, baud, parity, stopBits, slave);
}

template <typename T> T* child(QObject* parent, const char* name)
{
    return parent->findChild<T*>(QString::fromLatin1(name));
}

QStringList rowTexts(QTreeWidgetItem* item)
{
    QStringList texts;
    for (int c = 0; c < item->columnCount(); ++c)
        texts << item->text(c);
    return texts;
}

} // namespace

class TestFindDrive : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> work;
    std::unique_ptr<MainWindow> window;

    void makeWindow(int family)
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Global::instance()->setDevice(family);
        window = std::make_unique<MainWindow>();
        window->show();
    }

    GUI_Communication* page() const
    {
        return qobject_cast<GUI_Communication*>(window->controller()->communicationPage());
    }

    // Opens the dialog from the page's button for the given port.
    GUI_FindDrive* openDialog(const QString& port)
    {
        // The page remembers a TCP link of an earlier case.
        auto* comm = child<QComboBox>(page(), "Cbx_Comm");
        comm->setCurrentIndex(comm->findData(int(Communication::COMM_MODBUS_RTU)));
        child<QComboBox>(page(), "Cbx_Port")->setEditText(port);
        return clickFindDrive();
    }

    GUI_FindDrive* clickFindDrive()
    {
        auto* button = child<QPushButton>(page(), "Btn_FindDrive");
        if (!button || !button->isVisible() || !button->isEnabled())
            return nullptr;
        QTest::mouseClick(button, Qt::LeftButton);
        GUI_FindDrive* dialog = nullptr;
        if (!QTest::qWaitFor(
                [&] { return (dialog = page()->findChild<GUI_FindDrive*>()) && dialog->isVisible(); }, 3000))
            return nullptr;
        return dialog;
    }

    // Opens the dialog from the page's button for the sim's TCP link.
    GUI_FindDrive* openTcpDialog(const BusLink& link, int commType)
    {
        auto* comm = child<QComboBox>(page(), "Cbx_Comm");
        comm->setCurrentIndex(comm->findData(commType));
        auto* host = child<QLineEdit>(page(), "Le_Host");
        host->clear();
        QTest::keyClicks(host, link.host);
        child<QSpinBox>(page(), "Lbx_TcpPort")->setValue(link.tcpPort);
        return clickFindDrive();
    }

    static void setPlan(GUI_FindDrive* dialog, const QString& bauds, int first, int last)
    {
        child<QLineEdit>(dialog, "Edt_Baudrates")->setText(bauds);
        child<QSpinBox>(dialog, "Lbx_FirstAddr")->setValue(first);
        child<QSpinBox>(dialog, "Lbx_LastAddr")->setValue(last);
    }

    static bool scanDone(GUI_FindDrive* dialog, int timeoutMs = 60000)
    {
        // The start button comes back with the scan's end, after its last results.
        auto* start = child<QPushButton>(dialog, "Btn_Start");
        return QTest::qWaitFor([&] { return start->isEnabled(); }, timeoutMs);
    }

private slots:
    void initTestCase()
    {
        Startup::initResources();
        work = std::make_unique<WorkDir>();
    }

    void cleanup()
    {
        if (window) {
            Communication* comm = Communication::instance();
            if (comm->commState() == Communication::COMM_CONNECTED)
                comm->closeDevice();
        }
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Global::instance()->setDevice(Global::DEVICE_SERVO);
    }

    void cleanupTestCase() { work.reset(); }

    // The adapter's own latency timer where it tells one (FTDI), the common 16 ms otherwise.
    void adapterLatency_data()
    {
        QTest::addColumn<int>("timer"); // -1: the adapter has none
        QTest::addColumn<int>("latency");
        QTest::newRow("FTDI at 1 ms") << 1 << 1;
        QTest::newRow("FTDI at 16 ms") << 16 << 16;
        QTest::newRow("FTDI at 4 ms") << 4 << 4;
        QTest::newRow("no timer") << -1 << int(BusScanner::DefaultLatencyMs);
    }
    void adapterLatency()
    {
        QFETCH(int, timer);
        QFETCH(int, latency);
        FakeSystemRoot root;
        QVERIFY(root.addAdapter(QStringLiteral("ttyUSB3"), QStringLiteral("usb-serial"), timer));
        GUI_FindDrive dialog(QStringLiteral("/dev/ttyUSB3"), 53, 3, false);
        QCOMPARE(child<QSpinBox>(&dialog, "Lbx_Latency")->value(), latency);
    }

    void defaults()
    {
        FakeSystemRoot root; // whatever adapters this machine has
        makeWindow(Global::DEVICE_SERVO);
        GUI_FindDrive* dialog = openDialog(QStringLiteral("/dev/ttyUSB7"));
        QVERIFY(dialog);
        QVERIFY(dialog->isModal() || dialog->windowModality() != Qt::NonModal);
        QCOMPARE(child<QLabel>(dialog, "Lbl_PortName")->text(), QStringLiteral("/dev/ttyUSB7"));
        QCOMPARE(child<QLineEdit>(dialog, "Edt_Baudrates")->text(),
            QStringLiteral("9600, 19200, 38400, 57600, 115200"));
        for (const char* name : { "Chbx_8N2", "Chbx_8N1", "Chbx_8E1", "Chbx_8O1" })
            QVERIFY2(child<QCheckBox>(dialog, name)->isChecked(), name);
        QCOMPARE(child<QSpinBox>(dialog, "Lbx_FirstAddr")->value(), 1);
        QCOMPARE(child<QSpinBox>(dialog, "Lbx_LastAddr")->value(), 247);
        QCOMPARE(child<QSpinBox>(dialog, "Lbx_LastAddr")->maximum(), 247);
        QCOMPARE(child<QSpinBox>(dialog, "Lbx_Latency")->value(), BusScanner::DefaultLatencyMs);
        QCOMPARE(child<QLabel>(dialog, "Lbl_Wait")->text(),
            QStringLiteral("wait per silent address at 9600 8N2: 30 ms"));
        QVERIFY(!child<QPushButton>(dialog, "Btn_Stop")->isEnabled());
        QVERIFY(!child<QPushButton>(dialog, "Btn_Use")->isEnabled());
        QTest::mouseClick(child<QPushButton>(dialog, "Btn_Close"), Qt::LeftButton);
        QTRY_VERIFY(!page()->findChild<GUI_FindDrive*>());
    }

    void refusesAPlanWithoutCombinations_data()
    {
        QTest::addColumn<QString>("bauds");
        QTest::addColumn<bool>("anyFraming");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("status");
        QTest::newRow("not a number") << "9600, 96OO" << true << 1 << 247 << "Not a baud rate: 96OO";
        QTest::newRow("no baud rate") << " , " << true << 1 << 247 << "Enter at least one baud rate";
        QTest::newRow("no framing") << "9600" << false << 1 << 247 << "Choose at least one framing";
        QTest::newRow("range upside down")
            << "9600" << true << 20 << 10 << "The first address is above the last";
    }
    void refusesAPlanWithoutCombinations()
    {
        QFETCH(QString, bauds);
        QFETCH(bool, anyFraming);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, status);
        makeWindow(Global::DEVICE_SERVO);
        GUI_FindDrive* dialog = openDialog(QStringLiteral("/dev/ttyUSB7"));
        QVERIFY(dialog);
        setPlan(dialog, bauds, first, last);
        if (!anyFraming) {
            for (const char* name : { "Chbx_8N2", "Chbx_8N1", "Chbx_8E1", "Chbx_8O1" })
                child<QCheckBox>(dialog, name)->setChecked(false);
        }
        QTest::mouseClick(child<QPushButton>(dialog, "Btn_Start"), Qt::LeftButton);
        QVERIFY(!dialog->isScanning());
        QCOMPARE(child<QLabel>(dialog, "Lbl_Status")->text(), status);
        dialog->reject();
    }

    // Found at a non-default setting, taken over with a double click, and Connect works at once.
    void findsUsesAndConnects_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("device");
        QTest::newRow("servo") << int(Global::DEVICE_SERVO) << "";
        QTest::newRow("VFD, version in the probe reply") << int(Global::DEVICE_VFD) << "KV 2.0";
    }
    void findsUsesAndConnects()
    {
        QFETCH(int, family);
        QFETCH(QString, device);
        SimDrive sim;
        QVERIFY(startDrive(sim, family == Global::DEVICE_VFD ? "vfd" : "servo", 38400, "O", 1, 17));
        makeWindow(family);
        GUI_FindDrive* dialog = openDialog(sim.portName());
        QVERIFY(dialog);
        setPlan(dialog, QStringLiteral("19200, 38400"), 15, 19);
        QTest::mouseClick(child<QPushButton>(dialog, "Btn_Start"), Qt::LeftButton);
        QVERIFY(dialog->isScanning());
        QVERIFY(child<QPushButton>(dialog, "Btn_Stop")->isEnabled());
        QVERIFY(!child<QPushButton>(dialog, "Btn_Start")->isEnabled());
        QVERIFY(scanDone(dialog));

        auto* tree = child<QTreeWidget>(dialog, "Tree_Results");
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(
            rowTexts(tree->topLevelItem(0)), (QStringList { "38400", "8O1", "17", "Valid reply", device }));
        auto* bar = child<QProgressBar>(dialog, "Pbar_Scan");
        QCOMPARE(bar->maximum(), 2 * 4 * 5);
        QCOMPARE(bar->value(), bar->maximum());
        // A pty keeps no parity-enable flag, so the port refuses even parity, as a serial adapter
        // without it would; those settings count as tried and are named.
        QCOMPARE(child<QLabel>(dialog, "Lbl_Status")->text(),
            QStringLiteral("Search completed, 1 found; not supported by the port: 19200 8E1, 38400 8E1"));

        const QRect rect = tree->visualItemRect(tree->topLevelItem(0));
        // An item view takes a double click only after the press that starts it.
        QTest::mousePress(tree->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTRY_VERIFY(!page()->findChild<GUI_FindDrive*>());

        QCOMPARE(child<QComboBox>(page(), "Cbx_Baudrate")->currentData().toInt(), 38400);
        QCOMPARE(child<QComboBox>(page(), "Cbx_Parity")->currentData().toInt(), int(QSerialPort::OddParity));
        QCOMPARE(child<QComboBox>(page(), "Cbx_Stopbits")->currentData().toInt(), int(QSerialPort::OneStop));
        QCOMPARE(child<QSpinBox>(page(), "Lbx_ID")->value(), 17);

        QTest::mouseClick(child<QPushButton>(page(), "Btn_Connect"), Qt::LeftButton);
        QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED));
        QCOMPARE(Communication::instance()->serverAddress(), quint16(17));
        // Only while disconnected: the scan needs the port to itself.
        QVERIFY(!child<QPushButton>(page(), "Btn_FindDrive")->isEnabled());
    }

    // Through a gateway or serial server only the unit ids are tried; the one chosen is the page's
    // slave address.
    void findsUnitIdOverTcp_data()
    {
        QTest::addColumn<int>("transport");
        QTest::addColumn<int>("type");
        QTest::newRow("Modbus TCP") << int(BusLink::ModbusTcp) << int(Communication::COMM_MODBUS_TCP);
        QTest::newRow("RTU over TCP") << int(BusLink::RtuOverTcp) << int(Communication::COMM_RTU_OVER_TCP);
    }
    void findsUnitIdOverTcp()
    {
        QFETCH(int, transport);
        QFETCH(int, type);
        SimDrive sim;
        SimDrive::Options options;
        options.transport = BusLink::Transport(transport);
        options.slave = 7;
        QVERIFY(sim.start(options));
        makeWindow(Global::DEVICE_SERVO);
        GUI_FindDrive* dialog = openTcpDialog(sim.link(), type);
        QVERIFY(dialog);
        QCOMPARE(child<QLabel>(dialog, "Lbl_PortName")->text(), sim.link().endpoint());
        for (const char* serial : { "Edt_Baudrates", "Chbx_8N2", "Chbx_8O1", "Lbx_Latency" })
            QVERIFY2(child<QWidget>(dialog, serial)->isHidden(), serial);
        QCOMPARE(child<QSpinBox>(dialog, "Lbx_LastAddr")->value(), 247);
        QCOMPARE(
            child<QLabel>(dialog, "Lbl_Wait")->text(), QStringLiteral("wait per silent unit id: 100 ms"));

        auto* first = child<QSpinBox>(dialog, "Lbx_FirstAddr");
        first->selectAll();
        QTest::keyClicks(first, QStringLiteral("5"));
        auto* last = child<QSpinBox>(dialog, "Lbx_LastAddr");
        last->selectAll();
        QTest::keyClicks(last, QStringLiteral("8"));
        QTest::mouseClick(child<QPushButton>(dialog, "Btn_Start"), Qt::LeftButton);
        QVERIFY(scanDone(dialog, 10000));
        auto* bar = child<QProgressBar>(dialog, "Pbar_Scan");
        QCOMPARE(bar->maximum(), 4);
        QCOMPARE(bar->value(), 4);
        QCOMPARE(child<QLabel>(dialog, "Lbl_Status")->text(), QStringLiteral("Search completed, 1 found"));
        auto* tree = child<QTreeWidget>(dialog, "Tree_Results");
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(rowTexts(tree->topLevelItem(0)), (QStringList { "", "", "7", "Valid reply", "" }));

        QTest::mouseClick(child<QPushButton>(dialog, "Btn_Use"), Qt::LeftButton);
        QTRY_VERIFY(!page()->findChild<GUI_FindDrive*>());
        QCOMPARE(child<QSpinBox>(page(), "Lbx_ID")->value(), 7);
        QCOMPARE(child<QLineEdit>(page(), "Le_Host")->text(), sim.link().host); // the link stays
    }

    // A refused connection ends the search with the reason in words.
    void reportsARefusedGateway()
    {
        makeWindow(Global::DEVICE_SERVO);
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const BusLink link
            = BusLink::tcp(BusLink::ModbusTcp, QStringLiteral("127.0.0.1"), closed.serverPort());
        closed.close();
        GUI_FindDrive* dialog = openTcpDialog(link, Communication::COMM_MODBUS_TCP);
        QVERIFY(dialog);
        QTest::mouseClick(child<QPushButton>(dialog, "Btn_Start"), Qt::LeftButton);
        QVERIFY(scanDone(dialog, 10000));
        QVERIFY2(
            child<QLabel>(dialog, "Lbl_Status")
                ->text()
                .startsWith(QStringLiteral("No connection: %1 refused the connection").arg(link.endpoint())),
            qPrintable(child<QLabel>(dialog, "Lbl_Status")->text()));
        dialog->reject();
    }

    // "Use" in the middle of a scan stops it first; the page can connect right after.
    void useStopsTheScanFirst()
    {
        SimDrive sim;
        QVERIFY(startDrive(sim, "servo", 9600, "N", 2, 2));
        makeWindow(Global::DEVICE_SERVO);
        GUI_FindDrive* dialog = openDialog(sim.portName());
        QVERIFY(dialog);
        QTest::mouseClick(child<QPushButton>(dialog, "Btn_Start"), Qt::LeftButton);
        auto* tree = child<QTreeWidget>(dialog, "Tree_Results");
        QTRY_COMPARE_WITH_TIMEOUT(tree->topLevelItemCount(), 1, 5000);
        QVERIFY(dialog->isScanning());
        QVERIFY(child<QPushButton>(dialog, "Btn_Use")->isEnabled()); // the first find is selected

        QPointer<GUI_FindDrive> guard(dialog);
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(child<QPushButton>(dialog, "Btn_Use"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!guard, 1000);
        QVERIFY2(timer.elapsed() < 200, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(child<QSpinBox>(page(), "Lbx_ID")->value(), 2);

        QTest::mouseClick(child<QPushButton>(page(), "Btn_Connect"), Qt::LeftButton);
        QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED));
    }

    // Stop leaves the port closed at once; closing the dialog while it runs does as well.
    void stopAndCloseReleaseThePort_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Stop") << "Btn_Stop";
        QTest::newRow("Close") << "Btn_Close";
        QTest::newRow("Escape") << "";
    }
    void stopAndCloseReleaseThePort()
    {
        QFETCH(QString, how);
        SimDrive sim;
        QVERIFY(startDrive(sim, "servo", 115200, "N", 2, 1));
        makeWindow(Global::DEVICE_SERVO);
        GUI_FindDrive* dialog = openDialog(sim.portName());
        QVERIFY(dialog);
        setPlan(dialog, QStringLiteral("9600"), 1, 247);
        QTest::mouseClick(child<QPushButton>(dialog, "Btn_Start"), Qt::LeftButton);
        auto* bar = child<QProgressBar>(dialog, "Pbar_Scan");
        QTRY_VERIFY(bar->value() >= 3);

        QPointer<GUI_FindDrive> guard(dialog);
        QElapsedTimer timer;
        timer.start();
        if (how.isEmpty())
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(child<QPushButton>(dialog, how.toLatin1().constData()), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!guard || !guard->isScanning(), 1000);
        QVERIFY2(timer.elapsed() < 200, qPrintable(QString::number(timer.elapsed())));
        QSerialPort port(sim.portName());
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.close();
        if (how == QLatin1String("Btn_Stop")) {
            QVERIFY(guard);
            QVERIFY(
                child<QLabel>(dialog, "Lbl_Status")->text().startsWith(QLatin1String("Stopped, 0 found")));
            QVERIFY(bar->value() < bar->maximum());
            QVERIFY(child<QPushButton>(dialog, "Btn_Start")->isEnabled());
            dialog->reject();
        } else {
            QTRY_VERIFY(!guard);
        }
    }
};

QTEST_MAIN(TestFindDrive)
#include "tst_finddrive.moc"
