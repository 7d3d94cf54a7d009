#include "GUI_ControlPanel.h"
#include "ui_GUI_ControlPanel.h"

#include "Global.h"
#include "Xml.h"
#include "comm/DriveRegisters.h"
#include "definitions/ValueFormat.h"
#include "engine/PrecisionRules.h"

#include <QColor>
#include <QEvent>
#include <QPalette>
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
    endJogHold();
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
    frequency->setWrapping(true);
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
    ui->Btn_GoForwardJog->installEventFilter(this);
    ui->Btn_GoBackJog->installEventFilter(this);

    connectEvent(Communication::instance()->commState());

    DefinitionError faultTextsError;
    Xml::readErrorCodes(
        Global::instance()->configPath() + QStringLiteral("ErrorCode.xml"), m_faultTexts, &faultTextsError);
    reportDefinitionError(faultTextsError);
}

void GUI_ControlPanel::connectEvent(Communication::CommState state)
{
    if (state == Communication::COMM_CONNECTED) {
        if (m_stopOwed) {
            m_stopOwed = false;
            writeStop();
        }
        m_startTimer->start();
        return;
    }
    m_startTimer->stop();
    m_pollTimer->stop();
    m_pendingRun = NoRun;
    m_pendingRequest = 0;
    if (m_heldJog != NoRun) {
        m_stopOwed = true;
        endJogHold();
    }
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
    if (!checkConnected())
        return;
    writeStop();
}

void GUI_ControlPanel::on_Btn_FaultReset_clicked()
{
    if (!checkConnected())
        return;
    Communication::instance()->sendWrite(QString(), Reg::Control, Reg::FaultReset);
    // The drive needs a moment before it takes the next command after a reset.
    QThread::msleep(faultResetPauseMs);
}

void GUI_ControlPanel::requestRun(RunCommand command, const QString& tag)
{
    m_pendingRequest = Communication::instance()->sendRead(tag, Reg::CommandSourceRead, 1);
    m_pendingRun = m_pendingRequest != 0 ? command : NoRun;
}

void GUI_ControlPanel::runRequestCompleted(quint64 request, const QString&, const QVector<quint16>& values)
{
    if (request == 0 || request != m_pendingRequest)
        return;
    const RunCommand command = m_pendingRun;
    m_pendingRun = NoRun;
    m_pendingRequest = 0;
    if (command == NoRun || !isCurrentPage())
        return;
    // The answer comes after the button may already be up: a jog is only started while held.
    if (isJog(command) && (m_heldJog != command || !jogButton(command)->isDown()))
        return;
    Communication* comm = Communication::instance();
    if (values.isEmpty() || values.first() != Reg::CommandSourceSerial)
        comm->sendWrite(QString(), Reg::CommandSource, Reg::CommandSourceSerial);
    comm->sendWrite(QString(), Reg::Control, quint16(command));
}

void GUI_ControlPanel::pressJog(RunCommand command, const QString& tag)
{
    // No connection check: the warning box would take the press away from the button at once.
    m_heldJog = command;
    requestRun(command, tag);
}

void GUI_ControlPanel::releaseJog(RunCommand command)
{
    if (m_heldJog == command)
        m_heldJog = NoRun;
    if (m_pendingRun == command) {
        m_pendingRun = NoRun;
        m_pendingRequest = 0;
    }
    if (!checkConnected())
        return;
    writeStop();
}

// A hold that ends without a release (focus or window lost, page hidden or destroyed, link
// dropped) stops the jog as a release would, but silently: nobody asked for anything.
void GUI_ControlPanel::endJogHold()
{
    if (m_heldJog == NoRun)
        return;
    QAbstractButton* button = jogButton(m_heldJog);
    m_heldJog = NoRun;
    if (isJog(m_pendingRun)) {
        m_pendingRun = NoRun;
        m_pendingRequest = 0;
    }
    // Up without a release signal, so the mouse coming back up later sends nothing more.
    if (button && button->isDown())
        button->setDown(false);
    if (Communication::instance()->commState() == Communication::COMM_CONNECTED)
        writeStop();
}

void GUI_ControlPanel::writeStop()
{
    m_pendingRun = NoRun;
    m_pendingRequest = 0;
    Communication::instance()->sendWrite(QString(), Reg::Control, Reg::Stop);
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

bool GUI_ControlPanel::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate)
        endJogHold();
    return WidgetBase::event(event);
}

bool GUI_ControlPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && m_heldJog != NoRun && watched == jogButton(m_heldJog))
        endJogHold();
    return WidgetBase::eventFilter(watched, event);
}

void GUI_ControlPanel::hideEvent(QHideEvent* event)
{
    // Another tab came to the front, or the page is on its way out.
    endJogHold();
    WidgetBase::hideEvent(event);
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
        break;
    case Reg::RunningReverse:
        ui->Lbx_Code->setText(tr("Reverse"));
        break;
    case Reg::RunningStopped:
        ui->Lbx_Code->setText(tr("Stop"));
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
