// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTestSupport.h"

#include "FakeSystemRoot.h"
#include "SimDrive.h"
#include "app/Global.h"
#include "pages/connection/GUI_Communication.h"
#include "ui/MainWindow.h"
#include "ui/StatusLine.h"
#include "ui/WidgetController.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTemporaryFile>
#include <QToolButton>
#include <QtTest>

using UiTest::BoxAnswerer;

class TestConnectionPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WorkDir> work;
    std::unique_ptr<MainWindow> window;

    void makeWindow(int family) { UiTest::makeWindow(window, family); }

    GUI_Communication* page() const
    {
        return qobject_cast<GUI_Communication*>(window->controller()->communicationPage());
    }

    template <typename T> T* field(const char* name) const
    {
        return page()->findChild<T*>(QString::fromLatin1(name));
    }

    QComboBox* portBox() const { return field<QComboBox>("Cbx_Port"); }
    QPushButton* pageButton() const { return field<QPushButton>("Btn_Connect"); }
    QToolButton* toolButton() const { return window->connectButton(); }
    QAbstractButton* button(const QString& which) const
    {
        return which == QLatin1String("page") ? static_cast<QAbstractButton*>(pageButton()) : toolButton();
    }

    QStringList consoleLines() const
    {
        const QString text
            = window->findChild<QPlainTextEdit*>(QStringLiteral("plainTextEdit_Console"))->toPlainText();
        QStringList lines;
        for (const QString& line : text.split(QLatin1Char('\n')))
            lines.append(line.section(QStringLiteral("]: "), 1));
        return lines;
    }

    QList<QWidget*> settingsInputs() const
    {
        QList<QWidget*> inputs;
        for (const char* name : { "Cbx_Port", "Cbx_Baudrate", "Cbx_Databits", "Cbx_Stopbits", "Cbx_Parity",
                 "Lbx_ID", "Cbx_DeviceVersion", "Cbx_Comm" })
            inputs.append(page()->findChild<QWidget*>(QString::fromLatin1(name)));
        return inputs;
    }
    bool settingsEnabled(bool enabled) const
    {
        for (QWidget* w : settingsInputs()) {
            if (w->isEnabled() != enabled)
                return false;
        }
        return true;
    }

    static QImage resourceIcon(const char* name)
    {
        return QIcon(QStringLiteral(":/Icon/Images/Icon_32x32/") + QLatin1String(name)).pixmap(32).toImage();
    }

private slots:
    void initTestCase()
    {
        Startup::initResources();
        work = std::make_unique<WorkDir>();
        qunsetenv(GUI_Communication::ExtraPortsVariable);
    }

    void cleanup()
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qunsetenv(GUI_Communication::ExtraPortsVariable);
        Global::instance()->setDevice(Global::DEVICE_SERVO);
        Global::instance()->setCommType(Communication::COMM_MODBUS_RTU);
        Global::instance()->setTcpHost(QString());
        Global::instance()->setTcpPort(Global::DefaultTcpPort);
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
    }

    void cleanupTestCase() { work.reset(); }

    void combos_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QVariantList>("data");
        QTest::newRow("baud rate") << "Cbx_Baudrate"
                                   << QStringList { "9600", "19200", "38400", "57600", "115200" }
                                   << QVariantList { 9600, 19200, 38400, 57600, 115200 };
        QTest::newRow("data bits") << "Cbx_Databits" << QStringList { "8" } << QVariantList { 8 };
        QTest::newRow("stop bits") << "Cbx_Stopbits" << QStringList { "2", "1.5", "1" }
                                   << QVariantList { int(QSerialPort::TwoStop),
                                          int(QSerialPort::OneAndHalfStop), int(QSerialPort::OneStop) };
        QTest::newRow("parity") << "Cbx_Parity" << QStringList { "None", "Odd", "Even" }
                                << QVariantList { int(QSerialPort::NoParity), int(QSerialPort::OddParity),
                                       int(QSerialPort::EvenParity) };
        QTest::newRow("protocol") << "Cbx_Comm" << QStringList { "Modbus-RTU", "Modbus-TCP", "RTU over TCP" }
                                  << QVariantList { int(Communication::COMM_MODBUS_RTU),
                                         int(Communication::COMM_MODBUS_TCP),
                                         int(Communication::COMM_RTU_OVER_TCP) };
    }
    void combos()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, texts);
        QFETCH(QVariantList, data);
        makeWindow(Global::DEVICE_SERVO);
        auto* box = page()->findChild<QComboBox*>(name);
        QVERIFY(box);
        QCOMPARE(box->count(), texts.size());
        for (int i = 0; i < box->count(); ++i) {
            QCOMPARE(box->itemText(i), texts.at(i));
            QCOMPARE(box->itemData(i).toInt(), data.at(i).toInt());
        }
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(pageButton()->text(), QStringLiteral("Connect"));
        QCOMPARE(pageButton()->toolTip(), QStringLiteral("Connect or disconnect to the device"));
        QCOMPARE(pageButton()->toolTipDuration(), 3000);
        QCOMPARE(pageButton()->cursor().shape(), Qt::PointingHandCursor);
    }

    void captions()
    {
        makeWindow(Global::DEVICE_SERVO);
        QStringList texts;
        for (QLabel* label : page()->findChildren<QLabel*>())
            texts << label->text();
        for (const char* caption : { "Device Version", "Communication", "Port", "Baudrate", "Databits",
                 "Stopbits", "Parity", "Slave Addr" })
            QVERIFY2(texts.contains(QString::fromLatin1(caption)), caption);
        QVERIFY(qobject_cast<QSpinBox*>(field<QWidget>("Lbx_ID")));
    }

    void slaveAddressWraps()
    {
        makeWindow(Global::DEVICE_SERVO);
        auto* id = field<QSpinBox>("Lbx_ID");
        QCOMPARE(id->value(), 1);
        QCOMPARE(id->minimum(), 1);
        QCOMPARE(id->maximum(), 255);
        id->stepDown();
        QCOMPARE(id->value(), 255);
        id->stepUp();
        QCOMPARE(id->value(), 1);
    }

    void deviceVersionsComeFromThePictures_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QStringList>("versions");
        QTest::addColumn<QString>("configPath");
        QTest::newRow("servo") << int(Global::DEVICE_SERVO) << QStringList { "KSD-V1.10", "KSD-V1.2" }
                               << "./Driver/Config/SERVO/KSD-V1.10/EN/";
        QTest::newRow("vfd") << int(Global::DEVICE_VFD) << QStringList { "KVF-V2.0", "KVF-V2.1" }
                             << "./Driver/Config/VFD/KVF-V2.0/EN/";
    }
    void deviceVersionsComeFromThePictures()
    {
        QFETCH(int, family);
        QFETCH(QStringList, versions);
        QFETCH(QString, configPath);
        makeWindow(family);
        auto* box = field<QComboBox>("Cbx_DeviceVersion");
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) {
            texts << box->itemText(i);
            QCOMPARE(box->itemData(i).toString(), box->itemText(i) + QStringLiteral(".png"));
        }
        QCOMPARE(texts, versions);
        QCOMPARE(Global::instance()->configPath(), configPath);
        auto* picture = field<QLabel>("label");
        QVERIFY(!picture->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY(picture->hasScaledContents());

        // Chosen once: a later selection does not move the definition folder.
        box->setCurrentIndex(1);
        QCOMPARE(Global::instance()->configPath(), configPath);
    }

    void noPicturesGiveAnEmptyVersion()
    {
        WorkDir bare(WorkDir::Seed::Init);
        makeWindow(Global::DEVICE_SERVO);
        QCOMPARE(field<QComboBox>("Cbx_DeviceVersion")->count(), 0);
        QVERIFY(field<QLabel>("label")->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(Global::instance()->configPath(), QStringLiteral("./Driver/Config/SERVO//EN/"));
        window.reset();
    }

    void announcedPortsAreListed()
    {
        qputenv(GUI_Communication::ExtraPortsVariable,
            "/tmp/k/servo=Simulated servo drive (9600 8N2, slave 1);;/tmp/k/vfd=Simulated VFD; /tmp/k/bare "
            ";");
        makeWindow(Global::DEVICE_SERVO);
        QComboBox* box = portBox();
        QVERIFY(box->isEditable());
        QCOMPARE(
            box->itemText(0), QStringLiteral("/tmp/k/servo - Simulated servo drive (9600 8N2, slave 1)"));
        QCOMPARE(box->itemData(0).toString(), QStringLiteral("/tmp/k/servo"));
        QCOMPARE(box->itemText(1), QStringLiteral("/tmp/k/vfd - Simulated VFD"));
        QCOMPARE(box->itemData(1).toString(), QStringLiteral("/tmp/k/vfd"));
        QCOMPARE(box->itemText(2), QStringLiteral("/tmp/k/bare"));
        QCOMPARE(box->itemData(2).toString(), QStringLiteral("/tmp/k/bare"));
        QCOMPARE(box->currentIndex(), 0);
        // The rest is what the system enumerates, as "name - description".
        for (int i = 3; i < box->count(); ++i)
            QVERIFY(box->itemText(i).startsWith(box->itemData(i).toString() + QStringLiteral(" - ")));

        // A selected port survives a refresh, also when it moved down the list.
        box->setCurrentIndex(1);
        page()->refreshPorts();
        QCOMPARE(box->currentIndex(), 1);
        qputenv(GUI_Communication::ExtraPortsVariable, "/tmp/k/new=Plugged in;/tmp/k/vfd=Simulated VFD");
        page()->refreshPorts();
        QCOMPARE(box->currentIndex(), 1);
        QCOMPARE(box->currentText(), QStringLiteral("/tmp/k/vfd - Simulated VFD"));

        // An unplugged port stays until the combo is pressed; the press removes it and, since it was
        // the selected one, leaves the combo on its first item.
        qputenv(GUI_Communication::ExtraPortsVariable,
            "/tmp/k/servo=Simulated servo drive (9600 8N2, slave 1);"
            "/tmp/k/other=Another");
        QCOMPARE(box->currentText(), QStringLiteral("/tmp/k/vfd - Simulated VFD"));
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(box->width() - 5, box->height() / 2));
        box->hidePopup();
        QCOMPARE(box->itemText(1), QStringLiteral("/tmp/k/other - Another"));
        QCOMPARE(box->findText(QStringLiteral("/tmp/k/vfd - Simulated VFD")), -1);
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(
            box->currentText(), QStringLiteral("/tmp/k/servo - Simulated servo drive (9600 8N2, slave 1)"));

        // An unplugged port that was not the selected one just goes; the selection stays.
        box->setCurrentIndex(1);
        qputenv(GUI_Communication::ExtraPortsVariable, "/tmp/k/other=Another");
        page()->refreshPorts();
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(box->currentText(), QStringLiteral("/tmp/k/other - Another"));

        // A typed path is kept through refreshes too.
        box->setEditText(QStringLiteral("/dev/serial/by-id/usb-FTDI-if00"));
        page()->refreshPorts();
        QCOMPARE(box->currentText(), QStringLiteral("/dev/serial/by-id/usb-FTDI-if00"));
    }

    void emptyPortAsksForOne()
    {
        makeWindow(Global::DEVICE_SERVO);
        portBox()->clear();
        portBox()->setEditText(QString());
        BoxAnswerer answer(QMessageBox::Ok);
        pageButton()->click();
        QTRY_VERIFY(answer.answered());
        QCOMPARE(answer.seen.title, QStringLiteral("Tips"));
        QCOMPARE(answer.seen.text, QStringLiteral("Please select a serial port to connect."));
        QCOMPARE(answer.seen.icon, QMessageBox::Warning);
        QCOMPARE(UiTest::commState(), Communication::COMM_DISCONNECT);
    }

    // The box names the kind of trouble and, below, the cause and the remedy, which the console
    // and the status bar keep; it no longer blames permissions for a port that is not there.
    void unopenablePortIsReported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("console");
        QTest::newRow("typed path that does not exist")
            << "missing"
            << "Cannot open serial device.\n\nThe port /nonexistent/kestrova-tty that you typed does not "
               "exist; check the path."
            << "Serial device access failed: the port /nonexistent/kestrova-tty that you typed does not "
               "exist; check the path.";
        QTest::newRow("regular file") << "file"
                                      << "Cannot open serial device.\n\n%1 could not be opened: "
                                      << "Serial device access failed: %1 could not be opened: ";
    }
    void unopenablePortIsReported()
    {
        QFETCH(QString, kind);
        QFETCH(QString, box);
        QFETCH(QString, console);
        QTemporaryFile file;
        QVERIFY(file.open());
        const QString path
            = kind == QLatin1String("file") ? file.fileName() : QStringLiteral("/nonexistent/kestrova-tty");
        makeWindow(Global::DEVICE_SERVO);
        portBox()->setEditText(path);
        BoxAnswerer answer(QMessageBox::Ok);
        toolButton()->click();
        QTRY_VERIFY(answer.answered());
        QVERIFY2(answer.seen.text.startsWith(box.arg(path)), qPrintable(answer.seen.text));
        QVERIFY(answer.seen.text.endsWith(QLatin1Char('.')));
        QCOMPARE(answer.seen.icon, QMessageBox::Critical);
        QVERIFY2(consoleLines().last().startsWith(console.arg(path)), qPrintable(consoleLines().last()));
        QVERIFY(window->statusLine()->messageText().endsWith(QStringLiteral("]: ") + consoleLines().last()));
        QCOMPARE(window->statusLine()->messageLevel(), Global::MESSAGE_CRITICAL);
        QCOMPARE(UiTest::commState(), Communication::COMM_DISCONNECT);
        QVERIFY(settingsEnabled(true));
        QCOMPARE(pageButton()->text(), QStringLiteral("Connect"));
    }

    void silentDriveFailsTheConnection()
    {
        SimDrive sim;
        SimDrive::Options options;
        options.baud = 9600;
        options.slave = 7; // answers nobody but slave 7; the page asks slave 1
        QVERIFY(sim.start(options));
        makeWindow(Global::DEVICE_SERVO);
        portBox()->setEditText(sim.portName());
        BoxAnswerer answer(QMessageBox::Ok);
        pageButton()->click();
        QCOMPARE(UiTest::commState(), Communication::COMM_CONNECTING);
        QVERIFY(settingsEnabled(false));
        QTRY_VERIFY_WITH_TIMEOUT(answer.answered(), 10000);
        QVERIFY2(answer.seen.text.startsWith(QStringLiteral(
                     "Connection failed, please check the device connection or configuration.\n\n"
                     "No drive answered at slave address 1 on %1 (9600 baud, 8 data bits, "
                     "parity None, 2 stop bits). Check that the drive is powered and wired")
                                                 .arg(sim.portName())),
            qPrintable(answer.seen.text));
        QCOMPARE(answer.seen.icon, QMessageBox::Critical);
        QCOMPARE(UiTest::commState(), Communication::COMM_DISCONNECT);
        const QStringList lines = consoleLines();
        const int failed = lines.indexOf(QStringLiteral("Communication connection failed."));
        QVERIFY(failed > 0);
        QCOMPARE(lines.value(failed + 1), QStringLiteral("The communication exit was successful."));
        QVERIFY(settingsEnabled(true));
        QCOMPARE(toolButton()->text(), QStringLiteral("Offline"));
    }

    void connectsOverTcp_data()
    {
        QTest::addColumn<int>("transport");
        QTest::addColumn<int>("type");
        QTest::newRow("Modbus TCP") << int(BusLink::ModbusTcp) << int(Communication::COMM_MODBUS_TCP);
        QTest::newRow("RTU over TCP") << int(BusLink::RtuOverTcp) << int(Communication::COMM_RTU_OVER_TCP);
    }
    // Host and TCP port take the place of the serial inputs; the choice is the one the service
    // connects with and the one the memory file keeps.
    void connectsOverTcp()
    {
        QFETCH(int, transport);
        QFETCH(int, type);
        SimDrive sim;
        SimDrive::Options options;
        options.transport = BusLink::Transport(transport);
        options.slave = 9;
        QVERIFY(sim.start(options));
        makeWindow(Global::DEVICE_SERVO);
        auto* comm = field<QComboBox>("Cbx_Comm");
        auto* host = field<QLineEdit>("Le_Host");
        auto* port = field<QSpinBox>("Lbx_TcpPort");
        QVERIFY(host->isHidden() && port->isHidden() && portBox()->isVisible());
        QCOMPARE(port->value(), 502);
        comm->setCurrentIndex(comm->findData(type));
        QVERIFY(host->isVisible() && port->isVisible());
        for (const char* serial :
            { "Cbx_Port", "Cbx_Baudrate", "Cbx_Databits", "Cbx_Stopbits", "Cbx_Parity" })
            QVERIFY2(field<QWidget>(serial)->isHidden(), serial);
        QVERIFY(field<QWidget>("Btn_FindDrive")->isVisible()); // the search tries unit ids there
        QVERIFY(field<QSpinBox>("Lbx_ID")->isVisible());

        {
            BoxAnswerer noHost(QMessageBox::Ok);
            pageButton()->click();
            QTRY_VERIFY(noHost.answered());
            QCOMPARE(noHost.seen.text,
                QStringLiteral("Please enter the host name or IP address of the gateway to connect."));
        }
        host->setText(QStringLiteral("127.0.0.1"));
        port->setValue(sim.tcpPort());
        field<QSpinBox>("Lbx_ID")->setValue(9);
        pageButton()->click();
        QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED, 10000));
        QVERIFY(!host->isEnabled() && !port->isEnabled());
        QCOMPARE(sim.log().value(0), QStringLiteral("03 0035 3"));
        Communication* service = Communication::instance();
        QCOMPARE(int(service->commType()), type);
        QCOMPARE(service->link().endpoint(), QStringLiteral("127.0.0.1:%1").arg(sim.tcpPort()));
        QCOMPARE(service->serverAddress(), quint16(9));
        QCOMPARE(Global::instance()->commType(), type);
        QCOMPARE(Global::instance()->tcpHost(), QStringLiteral("127.0.0.1"));
        QCOMPARE(Global::instance()->tcpPort(), int(sim.tcpPort()));
        service->closeDevice();
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));

        // The next window starts with the same choice.
        makeWindow(Global::DEVICE_SERVO);
        QCOMPARE(field<QComboBox>("Cbx_Comm")->currentData().toInt(), type);
        QCOMPARE(field<QLineEdit>("Le_Host")->text(), QStringLiteral("127.0.0.1"));
        QVERIFY(field<QLineEdit>("Le_Host")->isVisible());
    }

    // A server that is not there: the box says why in words.
    void refusedTcpConnectionSaysWhy()
    {
        quint16 closed = 0;
        {
            QTcpServer server;
            QVERIFY(server.listen(QHostAddress::LocalHost, 0));
            closed = server.serverPort();
        }
        makeWindow(Global::DEVICE_SERVO);
        auto* comm = field<QComboBox>("Cbx_Comm");
        comm->setCurrentIndex(comm->findData(int(Communication::COMM_MODBUS_TCP)));
        field<QLineEdit>("Le_Host")->setText(QStringLiteral("127.0.0.1"));
        field<QSpinBox>("Lbx_TcpPort")->setValue(closed);
        BoxAnswerer answer(QMessageBox::Ok);
        pageButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(answer.answered(), 10000);
        QVERIFY2(answer.seen.text.contains(QStringLiteral("127.0.0.1:%1 refused the connection").arg(closed)),
            qPrintable(answer.seen.text));
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
    }

    // An FTDI adapter left at its 16 ms latency timer: the page says so while it is chosen, the
    // console (and so the status bar) once, and the hint goes when the timer is down to 1 ms.
    void latencyHintOfAnFtdiAdapter()
    {
        FakeSystemRoot root;
        QVERIFY(root.addAdapter(QStringLiteral("ttyUSB7"), QStringLiteral("usb-serial"), 16));
        QVERIFY(root.addAdapter(QStringLiteral("ttyUSB8"), QStringLiteral("usb-serial")));
        makeWindow(Global::DEVICE_SERVO);
        auto* hint = field<QLabel>("Lbl_LatencyHint");
        QVERIFY(hint->isHidden());

        portBox()->setEditText(QStringLiteral("/dev/ttyUSB7"));
        QVERIFY(hint->isVisible());
        QVERIFY2(
            hint->text().startsWith(QStringLiteral(
                "ttyUSB7 is an FTDI adapter whose latency timer is 16 ms: it holds every answer of the drive "
                "up to 16 ms before passing it on, which makes each transaction up to 16 ms longer.")),
            qPrintable(hint->text()));
        QVERIFY(hint->text().contains(
            QStringLiteral("sudo sh -c 'echo 1 > /sys/bus/usb-serial/devices/ttyUSB7/latency_timer'")));
        const QString line = hint->text(); // as the console has it, with its period
        QTRY_COMPARE(consoleLines().count(line), 1);
        QVERIFY(window->statusLine()->messageText().endsWith(line));
        QCOMPARE(window->statusLine()->messageLevel(), Global::MESSAGE_WARNNING);

        // Another adapter without the timer, then this one again and a refresh: no second line.
        portBox()->setEditText(QStringLiteral("/dev/ttyUSB8"));
        QVERIFY(hint->isHidden());
        portBox()->setEditText(QStringLiteral("/dev/ttyUSB7"));
        QVERIFY(hint->isVisible());
        page()->refreshPorts();
        QCoreApplication::processEvents();
        QCOMPARE(consoleLines().count(line), 1);

        // Lowered by the udev rule or by hand: the next look at the ports finds it so.
        QVERIFY(root.setLatency(QStringLiteral("ttyUSB7"), 1));
        page()->refreshPorts();
        QVERIFY(hint->isHidden());
    }

    void probeAddressOnTheWire_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("probe");
        QTest::newRow("servo") << int(Global::DEVICE_SERVO) << "03 0035 3";
        QTest::newRow("vfd") << int(Global::DEVICE_VFD) << "03 FD00 3";
    }
    void probeAddressOnTheWire()
    {
        QFETCH(int, family);
        QFETCH(QString, probe);
        SimDrive sim;
        SimDrive::Options options;
        options.family = family == Global::DEVICE_VFD ? QStringLiteral("vfd") : QStringLiteral("servo");
        options.baud = 19200;
        options.parity = QStringLiteral("E");
        options.stopBits = 1;
        options.slave = 12;
        QVERIFY(sim.start(options));
        makeWindow(family);
        portBox()->setEditText(sim.portName());
        field<QComboBox>("Cbx_Baudrate")->setCurrentIndex(1);
        field<QComboBox>("Cbx_Stopbits")->setCurrentIndex(2);
        field<QComboBox>("Cbx_Parity")->setCurrentIndex(2);
        field<QSpinBox>("Lbx_ID")->setValue(12);
        pageButton()->click();
        QVERIFY(sim.waitForLog(1));
        QCOMPARE(sim.log().first(), probe);

        Communication* comm = Communication::instance();
        QVERIFY(comm->hasDevice());
        const SerialSettings settings = comm->settings();
        QCOMPARE(settings.portName, sim.portName());
        QCOMPARE(settings.baudRate, 19200);
        QCOMPARE(settings.dataBits, 8);
        QCOMPARE(settings.stopBits, int(QSerialPort::OneStop));
        QCOMPARE(settings.parity, int(QSerialPort::EvenParity));
        QCOMPARE(settings.responseTime, 1500);
        QCOMPARE(settings.numberOfRetries, 1);
        QCOMPARE(comm->serverAddress(), quint16(12));
        QCOMPARE(comm->commType(), Communication::COMM_MODBUS_RTU);
        comm->closeDevice();
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
    }

    // The tool bar's button is taken over once; a second button handed over later is ignored.
    void connectButtonIsTakenOverOnce()
    {
        makeWindow(Global::DEVICE_SERVO);
        QToolButton other;
        other.setText(QStringLiteral("other"));
        page()->setConnectButton(&other);
        emit Communication::instance()->connectEvent(Communication::COMM_WAITING);
        QCOMPARE(toolButton()->text(), QStringLiteral("Waiting"));
        QCOMPARE(other.text(), QStringLiteral("other"));
        emit Communication::instance()->connectEvent(Communication::COMM_DISCONNECT);
        QCOMPARE(toolButton()->text(), QStringLiteral("Offline"));

        // With no port chosen a click of a connect button warns; the ignored button does nothing.
        portBox()->clear();
        portBox()->setEditText(QString());
        {
            BoxAnswerer answer(QMessageBox::Ok, 300);
            other.click();
            QTest::qWait(350);
            QVERIFY(!answer.answered());
        }
        BoxAnswerer answer(QMessageBox::Ok);
        toolButton()->click();
        QTRY_VERIFY(answer.answered());
        QCOMPARE(answer.seen.text, QStringLiteral("Please select a serial port to connect."));
    }

    // The page goes down with the application: a live link is closed, an idle service left alone.
    void destroyingThePageClosesALiveLink()
    {
        SimDrive sim;
        SimDrive::Options options;
        options.baud = 9600;
        QVERIFY(sim.start(options));
        makeWindow(Global::DEVICE_SERVO);
        portBox()->setEditText(sim.portName());
        pageButton()->click();
        QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED));
        QSignalSpy states(Communication::instance(), &Communication::connectEvent);
        window.reset();
        QCOMPARE(UiTest::commState(), Communication::COMM_CLOSING);
        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
        QCOMPARE(states.size(), 2);
        QCOMPARE(states.at(0).at(0).value<Communication::CommState>(), Communication::COMM_CLOSING);
        QCOMPARE(states.at(1).at(0).value<Communication::CommState>(), Communication::COMM_DISCONNECT);
    }

    void destroyingAnIdlePageLeavesTheServiceAlone()
    {
        makeWindow(Global::DEVICE_SERVO);
        QSignalSpy states(Communication::instance(), &Communication::connectEvent);
        window.reset();
        QCoreApplication::processEvents();
        QCOMPARE(UiTest::commState(), Communication::COMM_DISCONNECT);
        QVERIFY(states.isEmpty());
    }

    // One cycle through every state, alternating the two buttons; the second row swaps their roles
    // and reaches the waiting state through a pulled cable.
    void bothButtonsInEveryState_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("announced");
        QTest::newRow("page connects, typed path") << "page"
                                                   << "tool" << false;
        QTest::newRow("tool bar connects, announced port") << "tool"
                                                           << "page" << true;
    }
    void bothButtonsInEveryState()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, announced);
        SimDrive sim;
        SimDrive::Options options;
        options.baud = 9600;
        QVERIFY(sim.start(options));
        if (announced)
            qputenv(GUI_Communication::ExtraPortsVariable,
                (sim.portName() + QStringLiteral("=Simulated servo drive")).toUtf8());
        makeWindow(Global::DEVICE_SERVO);
        if (announced)
            QCOMPARE(portBox()->currentText(), sim.portName() + QStringLiteral(" - Simulated servo drive"));
        else
            portBox()->setEditText(sim.portName());

        // Disconnected → connecting.
        button(first)->click();
        QCOMPARE(UiTest::commState(), Communication::COMM_CONNECTING);
        QCOMPARE(toolButton()->text(), QStringLiteral("Loading"));
        QCOMPARE(pageButton()->text(), QStringLiteral("Loading..."));
        QVERIFY(settingsEnabled(false));

        // Connecting: a click only warns.
        {
            BoxAnswerer answer(QMessageBox::Ok);
            button(second)->click();
            QTRY_VERIFY(answer.answered());
            QCOMPARE(answer.seen.text, QStringLiteral("In the initialization."));
            QCOMPARE(answer.seen.icon, QMessageBox::Warning);
        }

        QVERIFY(UiTest::waitForState(Communication::COMM_CONNECTED));
        QCOMPARE(toolButton()->text(), QStringLiteral("Online"));
        QCOMPARE(UiTest::iconImage(toolButton()->icon()), resourceIcon("OnLine.png"));
        QCOMPARE(pageButton()->text(), QStringLiteral("Disconnect"));
        QVERIFY(consoleLines().contains(
            QStringLiteral("The communication connection was successful, the current device ID is 1.")));
        QVERIFY(settingsEnabled(false));

        if (announced) {
            sim.cutLink();
            QVERIFY(UiTest::waitForState(Communication::COMM_WAITING));
            QCOMPARE(toolButton()->text(), QStringLiteral("Waiting"));
            QCOMPARE(pageButton()->text(), QStringLiteral("Waiting..."));
        }

        // Connected (or waiting) → closing.
        button(second)->click();
        QCOMPARE(UiTest::commState(), Communication::COMM_CLOSING);
        QCOMPARE(toolButton()->text(), QStringLiteral("Closing"));
        QCOMPARE(pageButton()->text(), QStringLiteral("Closing..."));

        // Closing: clicks are ignored.
        {
            BoxAnswerer answer(QMessageBox::Ok, 300);
            button(first)->click();
            button(second)->click();
            QTest::qWait(350);
            QVERIFY(!answer.answered());
            QCOMPARE(UiTest::commState(), Communication::COMM_CLOSING);
        }

        QVERIFY(UiTest::waitForState(Communication::COMM_DISCONNECT));
        QCOMPARE(toolButton()->text(), QStringLiteral("Offline"));
        QCOMPARE(UiTest::iconImage(toolButton()->icon()), resourceIcon("OffLine.png"));
        QCOMPARE(pageButton()->text(), QStringLiteral("Connect"));
        QCOMPARE(consoleLines().last(), QStringLiteral("The communication exit was successful."));
        QVERIFY(settingsEnabled(true));
    }
};

QTEST_MAIN(TestConnectionPage)
#include "tst_connectionpage.moc"
