// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Communication.h"
#include "GUI_FindDrive.h"
#include "ui_GUI_Communication.h"

#include "comm/BusDevices.h"
#include "comm/DriveRegisters.h"
#include "comm/SerialAdapter.h"
#include "comm/SerialPorts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>

namespace {
// A box keeps its own text first and, below it, what the tool found out and what fixes it.
QString withExplanation(const QString& text, QString explanation)
{
    if (explanation.isEmpty())
        return text;
    explanation[0] = explanation.at(0).toUpper();
    return text + QStringLiteral(".\n\n") + explanation;
}
} // namespace

GUI_Communication::GUI_Communication(QWidget* parent)
    : ConnectionPage(parent)
    , ui(new Ui::GUI_Communication)
{
    ui->setupUi(this);
    initForm();
    refreshPorts();
}

GUI_Communication::~GUI_Communication()
{
    // Closing an idle service would only hold it in COMM_CLOSING for nothing.
    Communication* comm = Communication::instance();
    if (comm->commState() != Communication::COMM_DISCONNECT
        && comm->commState() != Communication::COMM_CLOSING)
        comm->closeDevice();
    delete ui;
}

void GUI_Communication::initForm()
{
    setButtonCursors();
    ui->Cbx_Port->installEventFilter(this);
    ui->scrollArea->setFrameShape(QFrame::NoFrame);

    const int baudRates[] = { 9600, 19200, 38400, 57600, 115200 };
    for (int baud : baudRates)
        ui->Cbx_Baudrate->addItem(QString::number(baud), baud);
    ui->Cbx_Databits->addItem(QStringLiteral("8"), 8);
    ui->Cbx_Stopbits->addItem(QStringLiteral("2"), 2);
    ui->Cbx_Stopbits->addItem(QStringLiteral("1.5"), 3);
    ui->Cbx_Stopbits->addItem(QStringLiteral("1"), 1);
    ui->Cbx_Parity->addItem(tr("None"), 0);
    ui->Cbx_Parity->addItem(tr("Odd"), 3);
    ui->Cbx_Parity->addItem(tr("Even"), 2);
    for (const Communication::CommType type : { Communication::COMM_MODBUS_RTU,
             Communication::COMM_MODBUS_TCP, Communication::COMM_RTU_OVER_TCP }) {
        BusLink::Transport transport = BusLink::Serial;
        Communication::transportOf(type, &transport);
        ui->Cbx_Comm->addItem(BusLink::transportName(transport), int(type));
    }
    ui->Lbx_TcpPort->setRange(1, 65535);
    ui->Lbx_TcpPort->setValue(BusLink::DefaultTcpPort);
    ui->Le_Host->setPlaceholderText(tr("e.g. 192.168.1.20"));
    restoreLinkChoice();
    connect(ui->Cbx_Comm, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &GUI_Communication::showTransportInputs);
    connect(ui->Cbx_Comm, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &GUI_Communication::rememberLinkChoice);
    connect(ui->Le_Host, &QLineEdit::textChanged, this, &GUI_Communication::rememberLinkChoice);
    connect(ui->Lbx_TcpPort, QOverload<int>::of(&QSpinBox::valueChanged), this,
        &GUI_Communication::rememberLinkChoice);

    // Long announced descriptions must not widen the page; the list itself shows them in full.
    ui->Cbx_Port->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ui->Cbx_Port->setMinimumContentsLength(40);
    // Show where a long path begins (the folder tells the links apart), not where it ends.
    connect(ui->Cbx_Port, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        [this] { ui->Cbx_Port->lineEdit()->setCursorPosition(0); });
    ui->Lbl_LatencyHint->hide();
    connect(ui->Cbx_Port, &QComboBox::currentTextChanged, this, &GUI_Communication::showLatencyHint);
    showTransportInputs();

    ui->Lbx_ID->setRange(1, 255);
    ui->Lbx_ID->setSingleStep(1);
    ui->Lbx_ID->setWrapping(true);
    ui->Lbx_ID->setValue(1);

    Global* global = Global::instance();
    const QStringList pictures = global->pictureList();
    for (const QString& file : pictures)
        ui->Cbx_DeviceVersion->addItem(QFileInfo(file).completeBaseName(), file);

    if (ui->Cbx_DeviceVersion->count() > 0) {
        const QPixmap picture(global->picturePath(ui->Cbx_DeviceVersion->currentData().toString()));
        if (!picture.isNull())
            ui->label->setPixmap(picture.scaledToHeight(ui->label->height(), Qt::SmoothTransformation));
    }
    ui->label->setScaledContents(true);

    // The definition folder is fixed once, for the whole run.
    global->setDeviceVersion(ui->Cbx_DeviceVersion->currentText());

    connect(ui->Btn_Connect, &QPushButton::clicked, this, &GUI_Communication::connectOrDisconnect);
    connect(ui->Btn_FindDrive, &QPushButton::clicked, this, &GUI_Communication::findDrive);
    connect(Communication::instance(), &Communication::connectErrEvent, this,
        &GUI_Communication::connectErrEvent);
}

void GUI_Communication::setConnectButton(QAbstractButton* button)
{
    if (m_connectButton || !button)
        return;
    m_connectButton = button;
    connect(button, &QAbstractButton::clicked, this, &GUI_Communication::connectOrDisconnect);
}

void GUI_Communication::refreshPorts()
{
    const QString remembered = ui->Cbx_Port->currentText();
    // A text that is none of the listed ports was typed by the user; a listed one that has gone
    // (the adapter was unplugged) must not stay selectable.
    const bool typed = ui->Cbx_Port->findText(remembered) < 0;
    ui->Cbx_Port->clear();
    const QList<SerialPorts::Port> ports = SerialPorts::available();
    for (const SerialPorts::Port& port : ports) {
        // An announced link without a description is shown by its path alone.
        const QString text = port.announced && port.description.isEmpty()
            ? port.name
            : port.name + QStringLiteral(" - ") + port.description;
        ui->Cbx_Port->addItem(text, port.name);
    }

    ui->Cbx_Port->view()->setMinimumWidth(ui->Cbx_Port->view()->sizeHintForColumn(0) + 24);

    if (!remembered.isEmpty()) {
        const int index = ui->Cbx_Port->findText(remembered);
        if (index >= 0)
            ui->Cbx_Port->setCurrentIndex(index);
        else if (typed)
            ui->Cbx_Port->setEditText(remembered); // a path the system does not enumerate
    }
    // The same adapter may have been given another latency since (udev rule, command).
    showLatencyHint();
}

BusLink::Transport GUI_Communication::selectedTransport() const
{
    BusLink::Transport transport = BusLink::Serial;
    Communication::transportOf(Communication::CommType(ui->Cbx_Comm->currentData().toInt()), &transport);
    return transport;
}

// A TCP link has a host and a TCP port where a serial one has a port and its framing; the slave
// address stays (a gateway's unit id is the drive's address).
void GUI_Communication::showTransportInputs()
{
    const bool tcp = selectedTransport() != BusLink::Serial;
    QWidget* const serialInputs[]
        = { ui->Lbl_Port, ui->Cbx_Port, ui->Lbl_Baudrate, ui->Cbx_Baudrate, ui->Lbl_Databits,
              ui->Cbx_Databits, ui->Lbl_Stopbits, ui->Cbx_Stopbits, ui->Lbl_Parity, ui->Cbx_Parity };
    for (QWidget* input : serialInputs)
        input->setVisible(!tcp);
    for (QWidget* input : { static_cast<QWidget*>(ui->Lbl_Host), static_cast<QWidget*>(ui->Le_Host),
             static_cast<QWidget*>(ui->Lbl_TcpPort), static_cast<QWidget*>(ui->Lbx_TcpPort) })
        input->setVisible(tcp);
    if (tcp)
        ui->Lbl_LatencyHint->hide();
    else
        showLatencyHint();
}

void GUI_Communication::restoreLinkChoice()
{
    const Global* global = Global::instance();
    const int index = ui->Cbx_Comm->findData(global->commType());
    ui->Cbx_Comm->setCurrentIndex(qMax(0, index));
    ui->Le_Host->setText(global->tcpHost());
    ui->Lbx_TcpPort->setValue(global->tcpPort());
}

void GUI_Communication::rememberLinkChoice()
{
    Global* global = Global::instance();
    global->setCommType(ui->Cbx_Comm->currentData().toInt());
    global->setTcpHost(ui->Le_Host->text());
    global->setTcpPort(ui->Lbx_TcpPort->value());
}

BusLink GUI_Communication::selectedLink() const
{
    const BusLink::Transport transport = selectedTransport();
    BusLink link = transport == BusLink::Serial
        ? BusLink()
        : BusLink::tcp(transport, ui->Le_Host->text(), quint16(ui->Lbx_TcpPort->value()));
    SerialSettings& settings = link.serial;
    if (transport == BusLink::Serial) {
        settings.portName = selectedPortName();
        settings.baudRate = ui->Cbx_Baudrate->currentData().toInt();
        settings.dataBits = ui->Cbx_Databits->currentData().toInt();
        settings.stopBits = ui->Cbx_Stopbits->currentData().toInt();
        settings.parity = ui->Cbx_Parity->currentData().toInt();
    }
    settings.responseTime = 1500;
    settings.numberOfRetries = 1;
    return link;
}

// Nothing to connect to yet: says what is missing, true when something is.
bool GUI_Communication::linkInputMissing()
{
    if (selectedTransport() == BusLink::Serial) {
        if (!ui->Cbx_Port->currentText().trimmed().isEmpty())
            return false;
        emit sig_showMessageBox(tr("Please select a serial port to connect"), Global::MESSAGE_WARNNING);
        return true;
    }
    if (!ui->Le_Host->text().trimmed().isEmpty())
        return false;
    emit sig_showMessageBox(
        tr("Please enter the host name or IP address of the gateway to connect"), Global::MESSAGE_WARNNING);
    return true;
}

QString GUI_Communication::selectedPortName() const
{
    const QString text = ui->Cbx_Port->currentText();
    const int index = ui->Cbx_Port->findText(text);
    if (index >= 0)
        return ui->Cbx_Port->itemData(index).toString();
    return text.trimmed();
}

bool GUI_Communication::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Cbx_Port && event->type() == QEvent::MouseButtonPress)
        refreshPorts();
    return ConnectionPage::eventFilter(watched, event);
}

void GUI_Communication::connectOrDisconnect()
{
    Communication* comm = Communication::instance();
    switch (comm->commState()) {
    case Communication::COMM_CLOSING:
        return;
    case Communication::COMM_CONNECTING:
        emit sig_showMessageBox(tr("In the initialization"), Global::MESSAGE_WARNNING);
        return;
    case Communication::COMM_CONNECTED:
    case Communication::COMM_WAITING:
        comm->closeDevice();
        return;
    case Communication::COMM_DISCONNECT:
        openConnection();
        return;
    }
}

void GUI_Communication::openConnection()
{
    if (linkInputMissing())
        return;

    Communication* comm = Communication::instance();
    comm->setCommType(Communication::CommType(ui->Cbx_Comm->currentData().toInt()));

    const BusLink link = selectedLink();
    if (!comm->openDevice(link)) {
        if (link.isTcp())
            emit sig_printToConsole(
                tr("Communication connection failed") + QStringLiteral(": ") + comm->openFailure().text,
                Global::MESSAGE_CRITICAL);
        else
            reportOpenFailure(comm->openFailure(), link.serial.portName);
        return;
    }

    comm->setServerAddress(quint16(ui->Lbx_ID->value()));
    const quint8 family = Global::instance()->device();
    if (family == Global::DEVICE_SERVO)
        comm->connectDevice(DriveRegister::Servo::ProbeStart, DriveRegister::Servo::ProbeCount);
    else if (family == Global::DEVICE_VFD)
        comm->connectDevice(DriveRegister::Vfd::ProbeStart, DriveRegister::Vfd::ProbeCount);
}

// Saying "permissions" for every failure sends the technician after the wrong fix: the box names
// the kind of trouble and, below it, the cause and the remedy, which the console keeps too.
void GUI_Communication::reportOpenFailure(const SerialPortDiagnosis::Result& failure, const QString& portName)
{
    const bool typed = ui->Cbx_Port->findText(ui->Cbx_Port->currentText()) < 0;
    QString reason = failure.text;
    if (failure.problem == SerialPortDiagnosis::PortMissing && typed)
        reason = tr("the port %1 that you typed does not exist; check the path")
                     .arg(SerialPortDiagnosis::systemLocation(portName));

    const bool permission = failure.problem == SerialPortDiagnosis::PermissionDenied
        || failure.problem == SerialPortDiagnosis::NewLoginNeeded;
    const QString kind
        = permission ? tr("Cannot open serial device due to permissions") : tr("Cannot open serial device");
    emit sig_showMessageBox(withExplanation(kind, reason), Global::MESSAGE_CRITICAL);
    emit sig_printToConsole(reason.isEmpty()
            ? tr("Serial device access failed")
            : tr("Serial device access failed") + QStringLiteral(": ") + reason,
        Global::MESSAGE_CRITICAL);
}

void GUI_Communication::showLatencyHint()
{
    const QString port = selectedPortName();
    const QString hint = port.isEmpty() ? QString() : SerialAdapter::latencyHint(port);
    ui->Lbl_LatencyHint->setText(hint.isEmpty() ? hint : hint + QLatin1Char('.'));
    ui->Lbl_LatencyHint->setVisible(!hint.isEmpty());
    if (hint.isEmpty())
        return;
    const QString adapter = SerialAdapter::kernelName(port);
    if (m_latencyReported.contains(adapter))
        return;
    m_latencyReported.insert(adapter);
    // The first check runs in the constructor, before the window listens.
    QTimer::singleShot(0, this, [this, hint] { emit sig_printToConsole(hint, Global::MESSAGE_WARNNING); });
}

void GUI_Communication::connectEvent(Communication::CommState state)
{
    updateConnectionState(state);
}

void GUI_Communication::updateConnectionState(Communication::CommState state)
{
    switch (state) {
    case Communication::COMM_CONNECTING:
        if (m_connectButton)
            m_connectButton->setText(tr("Loading"));
        ui->Btn_Connect->setText(tr("Loading") + QStringLiteral("..."));
        setSettingsEnabled(false);
        break;
    case Communication::COMM_CONNECTED: {
        if (m_connectButton) {
            m_connectButton->setText(tr("Online"));
            m_connectButton->setIcon(QIcon(QStringLiteral(":/Icon/Images/Icon_32x32/OnLine.png")));
        }
        ui->Btn_Connect->setText(tr("Disconnect"));
        const quint16 address = Communication::instance()->serverAddress();
        emit sig_printToConsole(tr("The communication connection was successful, the current device ID is")
            + QLatin1Char(' ') + QString::number(address));
        break;
    }
    case Communication::COMM_DISCONNECT:
        if (m_connectButton) {
            m_connectButton->setText(tr("Offline"));
            m_connectButton->setIcon(QIcon(QStringLiteral(":/Icon/Images/Icon_32x32/OffLine.png")));
        }
        ui->Btn_Connect->setText(tr("Connect"));
        emit sig_printToConsole(tr("The communication exit was successful"));
        setSettingsEnabled(true);
        break;
    case Communication::COMM_CLOSING:
        if (m_connectButton)
            m_connectButton->setText(tr("Closing"));
        ui->Btn_Connect->setText(tr("Closing") + QStringLiteral("..."));
        break;
    case Communication::COMM_WAITING:
        if (m_connectButton)
            m_connectButton->setText(tr("Waiting"));
        ui->Btn_Connect->setText(tr("Waiting") + QStringLiteral("..."));
        break;
    }
}

void GUI_Communication::setSettingsEnabled(bool enabled)
{
    QWidget* const inputs[]
        = { ui->Cbx_Port, ui->Cbx_Baudrate, ui->Cbx_Databits, ui->Cbx_Stopbits, ui->Cbx_Parity, ui->Lbx_ID,
              ui->Cbx_DeviceVersion, ui->Cbx_Comm, ui->Btn_FindDrive, ui->Le_Host, ui->Lbx_TcpPort };
    for (QWidget* input : inputs)
        input->setEnabled(enabled);
}

void GUI_Communication::connectErrEvent()
{
    emit sig_printToConsole(tr("Communication connection failed"), Global::MESSAGE_WARNNING);
    // The inputs stay locked while connecting, so they still show what was tried.
    QString explanation = Communication::instance()->connectFailure();
    if (!explanation.isEmpty())
        emit sig_printToConsole(explanation, Global::MESSAGE_CRITICAL);
    else if (selectedTransport() != BusLink::Serial)
        explanation = tr("no drive answered at slave address %1 through %2. Check that the drive is powered "
                         "and wired to the gateway, and that its slave address and serial settings match the "
                         "gateway's")
                          .arg(ui->Lbx_ID->value())
                          .arg(selectedLink().endpoint());
    else
        explanation = tr(
            "no drive answered at slave address %1 on %2 (%3 baud, %4 data bits, parity %5, %6 stop bits). "
            "Check that the drive is powered and wired (A to A, B to B) and that its slave address and "
            "serial settings match these; Find drive looks for it at every setting")
                          .arg(ui->Lbx_ID->value())
                          .arg(SerialPortDiagnosis::systemLocation(selectedPortName()),
                              ui->Cbx_Baudrate->currentText(), ui->Cbx_Databits->currentText(),
                              ui->Cbx_Parity->currentText(), ui->Cbx_Stopbits->currentText());
    emit sig_showMessageBox(
        withExplanation(
            tr("Connection failed, please check the device connection or configuration"), explanation),
        Global::MESSAGE_CRITICAL);
}

void GUI_Communication::findDrive()
{
    // The scan needs the port to itself.
    if (Communication::instance()->commState() != Communication::COMM_DISCONNECT)
        return;
    if (linkInputMissing())
        return;
    const bool vfd = Global::instance()->device() == Global::DEVICE_VFD;
    auto* dialog = vfd ? new GUI_FindDrive(selectedLink(), DriveRegister::Vfd::ProbeStart,
                       DriveRegister::Vfd::ProbeCount, true, this)
                       : new GUI_FindDrive(selectedLink(), DriveRegister::Servo::ProbeStart,
                           DriveRegister::Servo::ProbeCount, false, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &GUI_FindDrive::hitChosen, this, &GUI_Communication::useFoundDrive);
    dialog->open();
}

void GUI_Communication::useFoundDrive(const ScanHit& hit)
{
    if (selectedTransport() != BusLink::Serial) {
        ui->Lbx_ID->setValue(hit.address);
        emit sig_printToConsole(tr("Slave address taken from the drive found through %1: %2")
                                    .arg(selectedLink().endpoint())
                                    .arg(hit.address));
        return;
    }
    int index = ui->Cbx_Baudrate->findData(hit.baudRate);
    if (index < 0) {
        // A rate typed into the search that the list does not offer.
        ui->Cbx_Baudrate->addItem(QString::number(hit.baudRate), hit.baudRate);
        index = ui->Cbx_Baudrate->count() - 1;
    }
    ui->Cbx_Baudrate->setCurrentIndex(index);
    ui->Cbx_Databits->setCurrentIndex(qMax(0, ui->Cbx_Databits->findData(8)));
    ui->Cbx_Stopbits->setCurrentIndex(qMax(0, ui->Cbx_Stopbits->findData(hit.framing.stopBits)));
    ui->Cbx_Parity->setCurrentIndex(qMax(0, ui->Cbx_Parity->findData(hit.framing.parity)));
    ui->Lbx_ID->setValue(hit.address);
    emit sig_printToConsole(tr("Settings taken from the drive found: %1 baud, %2, slave address %3")
                                .arg(hit.baudRate)
                                .arg(hit.framing.name())
                                .arg(hit.address));
}
