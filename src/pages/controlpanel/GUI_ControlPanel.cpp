// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_ControlPanel.h"
#include "ui_GUI_ControlPanel.h"

#include "Global.h"
#include "Xml.h"
#include "comm/DriveRegisters.h"
#include "definitions/ValueFormat.h"
#include "engine/PrecisionRules.h"
#include "ui/HeldButtons.h"

#include <QColor>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace Reg = DriveRegister::Vfd;

namespace {

const QString tagRefreshValues = QStringLiteral("ARefresh1");
const QString tagRefreshState = QStringLiteral("ARefresh2");
const QString tagRefreshFault = QStringLiteral("ARefresh3");
const QString tagRefreshPower = QStringLiteral("ARefresh4");
const QString tagReadFrequency = QStringLiteral("AReadFrequency");
const QString tagForwardClick = QStringLiteral("AGoForwardClick");
const QString tagBackwardClick = QStringLiteral("AGobackClick");
const QString tagForwardPress = QStringLiteral("AGoForwardPress");
const QString tagBackwardPress = QStringLiteral("AGoBackPress");
const QString tagFrequencyDecimals = QStringLiteral("P0-22");

// Until the drive tells them, frequencies and currents count in hundredths.
constexpr quint8 defaultDecimals = 2;
constexpr double highestFrequency = 500.0;

const QColor faultColor(132, 57, 0);
const QColor noFaultColor(Qt::black);

// The setting register holds at most 65535 steps; with many decimals 500 Hz would not fit and
// the written value would wrap to a different frequency.
double frequencyLimit(quint8 decimals)
{
    if (decimals > 7)
        return highestFrequency;
    return std::min(highestFrequency, 65535.0 / std::pow(10.0, decimals));
}

QString tenths(double value)
{
    return QString::number(value / 10.0, 'f', 2);
}

bool isJog(quint16 command)
{
    return command == Reg::JogForward || command == Reg::JogBackward;
}

} // namespace

GUI_ControlPanel::GUI_ControlPanel(QWidget* parent)
    : WidgetBase(parent)
    , ui(new Ui::GUI_ControlPanel)
{
    ui->setupUi(this);
    initForm();
}

GUI_ControlPanel::~GUI_ControlPanel()
{
    m_heldJogs->end();
    Communication* comm = Communication::instance();
    if (comm->commState() == Communication::COMM_CONNECTED)
        comm->sendWrite(QString(), Reg::CommandSource, Reg::CommandSourceDefault);
    delete ui;
}

void GUI_ControlPanel::initForm()
{
    setButtonCursors();
    ui->scrollArea->setFrameShape(QFrame::NoFrame);
    QDoubleSpinBox* frequency = ui->Lbx_Frequency;
    frequency->setSuffix(QStringLiteral(" Hz"));
    frequency->setDecimals(m_frequencyDecimals);
    frequency->setRange(0.0, frequencyLimit(m_frequencyDecimals));
    frequency->setSingleStep(1.0);
    // One step below 0 Hz must not become the highest frequency.
    frequency->setWrapping(false);
    connect(frequency, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, [this] {
        if (!m_settingFrequency)
            m_driveFrequencyRaw = -1;
    });

    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(pollIntervalMs);
    connect(m_pollTimer, &QTimer::timeout, this, &GUI_ControlPanel::poll);
    // A member timer rather than a one-off: a link that drops within the delay must cancel it.
    m_startTimer = new QTimer(this);
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(startDelayMs);
    connect(m_startTimer, &QTimer::timeout, this, &GUI_ControlPanel::startPolling);

    // Run commands are matched to the very read they wait for, not to its tag: a later press of
    // the same button must not be served by the answer of an earlier one.
    connect(Communication::instance(), &Communication::requestCompleted, this,
        &GUI_ControlPanel::runRequestCompleted);
    m_heldJogs = new HeldButtons(this);
    m_heldJogs->add(ui->Btn_GoForwardJog);
    m_heldJogs->add(ui->Btn_GoBackJog);
    connect(m_heldJogs, &HeldButtons::holdLost, this, &GUI_ControlPanel::endJogHold);

    connectEvent(Communication::instance()->commState());

    DefinitionError faultTextsError;
    Xml::readErrorCodes(
        Global::instance()->configPath() + QStringLiteral("ErrorCode.xml"), m_faultTexts, &faultTextsError);
    reportDefinitionError(faultTextsError);
}

void GUI_ControlPanel::connectEvent(Communication::CommState state)
{
    if (state == Communication::COMM_CONNECTED) {
        m_startTimer->start();
        return;
    }
    // Another drive may answer this connection: nothing of the last one's scaling may remain.
    if (state == Communication::COMM_CONNECTING)
        resetDecimals();
    m_startTimer->stop();
    m_pollTimer->stop();
    cancelRun();
    // The drive may still be jogging: the stop is owed until the link is back.
    m_heldJogs->end();
}

void GUI_ControlPanel::startPolling()
{
    Communication* comm = Communication::instance();
    comm->sendRead(tagReadFrequency, Reg::SetFrequency, 1);
    comm->sendWrite(QString(), Reg::AfterConnect, 0);
    if (!m_pollTimer->isActive())
        m_pollTimer->start();
}

void GUI_ControlPanel::poll()
{
    if (!isCurrentPage())
        return;
    Communication* comm = Communication::instance();
    comm->sendRead(tagRefreshValues, Reg::RunningValues, Reg::RunningValuesCount);
    comm->sendRead(tagRefreshState, Reg::RunningState, 1);
    comm->sendRead(tagRefreshFault, Reg::FaultCode, 1);
    comm->sendRead(tagRefreshPower, Reg::OutputPower, 1);
}

void GUI_ControlPanel::on_Btn_SetFrequency_clicked()
{
    if (!checkConnected())
        return;
    const int raw = floatToRaw(float(ui->Lbx_Frequency->value()), quint8(ui->Lbx_Frequency->decimals()));
    Communication::instance()->sendWrite(QString(), Reg::FrequencySetting, quint16(raw));
}

void GUI_ControlPanel::on_Btn_GoBack_clicked()
{
    if (!checkConnected())
        return;
    requestRun(RunBackward, tagBackwardClick);
}

void GUI_ControlPanel::on_Btn_GoForward_clicked()
{
    if (!checkConnected())
        return;
    requestRun(RunForward, tagForwardClick);
}

void GUI_ControlPanel::on_Btn_GoBackJog_pressed()
{
    pressJog(JogBackward, tagBackwardPress);
}

void GUI_ControlPanel::on_Btn_GoForwardJog_pressed()
{
    pressJog(JogForward, tagForwardPress);
}

void GUI_ControlPanel::on_Btn_GoBackJog_released()
{
    releaseJog(JogBackward);
}

void GUI_ControlPanel::on_Btn_GoForwardJog_released()
{
    releaseJog(JogForward);
}

void GUI_ControlPanel::on_Btn_Stop_clicked()
{
    cancelRun();
    if (offLine())
        return;
    stop();
}

void GUI_ControlPanel::on_Btn_FaultReset_clicked()
{
    if (!checkConnected())
        return;
    Communication::instance()->sendWrite(QString(), Reg::Control, Reg::FaultReset);
    // The drive needs a moment before it takes the next command after a reset.
    QThread::msleep(faultResetPauseMs);
}

// Without any connection there is nothing to stop; the Stop of a link that is only down for now
// is owed instead.
bool GUI_ControlPanel::offLine()
{
    if (Communication::instance()->commState() != Communication::COMM_DISCONNECT)
        return false;
    checkConnected();
    return true;
}

quint64 GUI_ControlPanel::requestRun(RunCommand command, const QString& tag)
{
    m_pendingRequest = Communication::instance()->sendRead(tag, Reg::CommandSourceRead, 1);
    m_pendingRun = m_pendingRequest != 0 ? command : NoRun;
    return m_pendingRequest;
}

void GUI_ControlPanel::cancelRun()
{
    m_pendingRun = NoRun;
    m_pendingRequest = 0;
}

void GUI_ControlPanel::runRequestCompleted(quint64 request, const QString&, const QVector<quint16>& values)
{
    if (request == 0 || request != m_pendingRequest)
        return;
    const RunCommand command = m_pendingRun;
    cancelRun();
    if (command == NoRun || !isCurrentPage())
        return;
    // The answer comes after the button may already be up: a jog is only started while held.
    if (isJog(command) && m_heldJogs->heldButton() != jogButton(command))
        return;
    QVector<DriveCommands::Write> writes;
    if (values.isEmpty() || values.first() != Reg::CommandSourceSerial)
        writes.append({ QString(), Reg::CommandSource, { Reg::CommandSourceSerial } });
    writes.append({ QString(), Reg::Control, { quint16(command) } });
    if (Communication::instance()->startMotion(Communication::VfdRun, writes) != 0 && !isJog(command))
        m_driveRunning = true;
}

void GUI_ControlPanel::pressJog(RunCommand command, const QString& tag)
{
    // No connection check: the warning box would take the press away from the button at once.
    if (m_heldJogs->press(jogButton(command)))
        m_jogAsked = requestRun(command, tag) != 0;
}

void GUI_ControlPanel::releaseJog(RunCommand command)
{
    if (!m_heldJogs->release(jogButton(command)))
        return;
    m_jogAsked = false;
    cancelRun();
    if (offLine())
        return;
    stop();
}

// A hold that ends without a release (focus or window lost, page hidden or destroyed, link
// dropped, the other jog pressed) stops the jog as a release would, but silently: nobody asked
// for anything.
void GUI_ControlPanel::endJogHold()
{
    if (isJog(m_pendingRun))
        cancelRun();
    if (!m_jogAsked)
        return;
    m_jogAsked = false;
    stop();
}

void GUI_ControlPanel::stop()
{
    cancelRun();
    requestStop(Communication::VfdRun);
    m_driveRunning = false;
}

bool GUI_ControlPanel::confirmClose()
{
    if (!m_driveRunning || m_leaveRunning)
        return true;
    QMessageBox question(QMessageBox::Question, tr("Tips"),
        tr("The drive is running. Stop it before closing?"), QMessageBox::NoButton, this);
    QPushButton* stopButton = question.addButton(tr("Stop"), QMessageBox::AcceptRole);
    QPushButton* leaveButton = question.addButton(tr("Leave running"), QMessageBox::DestructiveRole);
    question.addButton(tr("Cancel"), QMessageBox::RejectRole);
    question.setDefaultButton(stopButton);
    question.exec();
    if (question.clickedButton() == stopButton) {
        stop();
        return true;
    }
    if (question.clickedButton() == leaveButton) {
        m_leaveRunning = true;
        return true;
    }
    return false;
}

QAbstractButton* GUI_ControlPanel::jogButton(RunCommand command) const
{
    switch (command) {
    case JogForward:
        return ui->Btn_GoForwardJog;
    case JogBackward:
        return ui->Btn_GoBackJog;
    default:
        return nullptr;
    }
}

void GUI_ControlPanel::resultCallBackEvent(QString tag, QVector<quint16> values)
{
    // The service's own VFD poll brings these two, whichever page is on screen.
    if (!values.isEmpty()) {
        if (tag == tagFrequencyDecimals)
            setFrequencyDecimals(quint8(values.first() & 0xFF));
        else if (tag == PrecisionRules::driveSizeCode)
            m_currentDecimals = quint8(PrecisionRules::currentDecimals(values.first()));
    }
    // A failed read keeps what the fields showed: zeros would claim a stopped motor or no fault.
    if (!isCurrentPage() || values.isEmpty())
        return;
    if (tag.startsWith(tagRefreshValues))
        showRunningValues(values);
    else if (tag == tagRefreshState)
        showRunningState(values.first());
    else if (tag == tagRefreshFault)
        showFault(values.first());
    else if (tag == tagRefreshPower)
        showPower(values.first());
    else if (tag == tagReadFrequency)
        showFrequencyFromDrive(values.first());
}

void GUI_ControlPanel::resetDecimals()
{
    m_currentDecimals = defaultDecimals;
    setFrequencyDecimals(defaultDecimals);
}

void GUI_ControlPanel::setFrequencyDecimals(quint8 decimals)
{
    QDoubleSpinBox* frequency = ui->Lbx_Frequency;
    if (decimals == m_frequencyDecimals && frequency->decimals() == decimals)
        return; // unchanged every 3 s: leave a value being typed alone
    m_frequencyDecimals = decimals;
    m_settingFrequency = true;
    frequency->setDecimals(decimals);
    frequency->setMaximum(frequencyLimit(decimals));
    if (m_driveFrequencyRaw >= 0)
        frequency->setValue(double(rawToFloat(m_driveFrequencyRaw, decimals)));
    m_settingFrequency = false;
}

void GUI_ControlPanel::showFrequencyFromDrive(int raw)
{
    m_settingFrequency = true;
    ui->Lbx_Frequency->setValue(double(rawToFloat(raw, m_frequencyDecimals)));
    m_settingFrequency = false;
    m_driveFrequencyRaw = raw;
}

void GUI_ControlPanel::showRunningValues(const QVector<quint16>& values)
{
    ui->Lbx_RunningVelocity->setText(rawToText(values.value(0), m_frequencyDecimals));
    ui->Lbx_SettingVelocity->setText(rawToText(values.value(1), m_frequencyDecimals));
    ui->Lbx_Bus->setText(tenths(values.value(2)));
    ui->Lbx_OutputVoltage->setText(QString::number(double(values.value(3)), 'f', 2));
    ui->Lbx_OutputCurrent->setText(rawToText(values.value(4), m_currentDecimals));
    // Torque is signed: a braking motor gives a negative torque, not one near 6553.5 %.
    ui->Lbx_OutputTorque->setText(tenths(qint16(values.value(6))));
}

void GUI_ControlPanel::showRunningState(quint16 state)
{
    switch (state) {
    case Reg::RunningForward:
        ui->Lbx_Code->setText(tr("Corotation"));
        m_driveRunning = true;
        break;
    case Reg::RunningReverse:
        ui->Lbx_Code->setText(tr("Reverse"));
        m_driveRunning = true;
        break;
    case Reg::RunningStopped:
        ui->Lbx_Code->setText(tr("Stop"));
        m_driveRunning = false;
        break;
    default:
        break;
    }
}

void GUI_ControlPanel::showFault(quint16 code)
{
    ui->Lbx_FaultCode->setText(QStringLiteral("Err") + QString::number(code));
    QPalette palette = ui->Lbx_FaultCode->palette();
    palette.setColor(QPalette::Text, code != 0 ? faultColor : noFaultColor);
    ui->Lbx_FaultCode->setPalette(palette);
    ui->Lbx_FaultInformation->setText(m_faultTexts.value(code, tr("Unknown error")));
}

void GUI_ControlPanel::showPower(quint16 value)
{
    ui->Lbx_Power->setText(tenths(value));
}
