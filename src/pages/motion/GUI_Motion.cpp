#include "GUI_Motion.h"
#include "ui_GUI_Motion.h"

#include "comm/DriveRegisters.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPushButton>
#include <QSpinBox>

#include <limits>

namespace {

namespace Servo = DriveRegister::Servo;

constexpr int SpeedMode = 0;
constexpr int PositionMode = 1;

void configure(QSpinBox* box, int minimum, int maximum, int value, const QString& suffix)
{
    box->setRange(minimum, maximum);
    box->setSingleStep(1);
    box->setWrapping(true);
    box->setSuffix(suffix);
    box->setValue(value);
}

} // namespace

GUI_Motion::GUI_Motion(QWidget* parent)
    : WidgetBase(parent)
    , ui(new Ui::GUI_Motion)
{
    ui->setupUi(this);
    m_jogging = false;
    initForm();
}

GUI_Motion::~GUI_Motion()
{
    // Closing the tab (or the tool) ends whatever this page started; nobody could stop it here later.
    stopOnLeaving();
    delete ui;
}

void GUI_Motion::initForm()
{
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        button->setCursor(Qt::PointingHandCursor);
    ui->scrollArea->setFrameShape(QFrame::NoFrame);
    ui->Widget_Mode_Position->hide();

    ui->Cbx_OperationMode->addItem(tr("Serial Velocity"));
    ui->Cbx_OperationMode->addItem(tr("Serial Position"));
    configure(ui->Lbx_Speed_Spe, 0, 6000, 100, QStringLiteral(" rpm"));
    configure(ui->Lbx_Time_Spe, 1, 10000, 1000, QStringLiteral(" ms"));
    configure(ui->Lbx_Speed_Pos, 0, 3000, 100, QStringLiteral(" rpm"));
    configure(ui->Lbx_Count_Pos, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 10000,
        QStringLiteral(" pulse"));
    configure(ui->Lbx_Time_Pos, 0, 65535, 1000, QStringLiteral(" ms"));
    configure(ui->Lbx_WaitTime_Pos, 0, 65535, 1000, QStringLiteral(" ms"));

    connect(ui->Cbx_OperationMode, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &GUI_Motion::setOperationMode);

    connect(ui->Btn_GoBack_Spe, &QPushButton::clicked, this, [this]() { jogClicked(false); });
    connect(ui->Btn_GoForward_Spe, &QPushButton::clicked, this, [this]() { jogClicked(true); });
    connect(ui->Btn_GoBack_Spe, &QPushButton::pressed, this, [this]() { jogPressed(false); });
    connect(ui->Btn_GoForward_Spe, &QPushButton::pressed, this, [this]() { jogPressed(true); });
    connect(ui->Btn_GoBack_Spe, &QPushButton::released, this, &GUI_Motion::jogReleased);
    connect(ui->Btn_GoForward_Spe, &QPushButton::released, this, &GUI_Motion::jogReleased);
    connect(ui->Btn_Stop_Spe, &QPushButton::clicked, this, [this]() {
        if (driveEnabled())
            stopJog();
    });

    connect(ui->Btn_GoForward_Pos, &QPushButton::clicked, this, [this]() { runPosition(true); });
    connect(ui->Btn_GoBack_Pos, &QPushButton::clicked, this, [this]() { runPosition(false); });
    connect(ui->Btn_Stop_Pos, &QPushButton::clicked, this, [this]() {
        if (driveEnabled())
            stopPosition();
    });

    // The tool going down destroys the page too late for a write to reach the drive.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &GUI_Motion::stopOnLeaving);
}

void GUI_Motion::setOperationMode(int index)
{
    // A running jog goes on: only the controls on screen change.
    ui->Widget_Mode_Speed->setVisible(index == SpeedMode);
    ui->Widget_Mode_Position->setVisible(index == PositionMode);
}

bool GUI_Motion::driveEnabled() const
{
    return Communication::instance()->enableState() == Communication::COMM_ENABLE;
}

void GUI_Motion::jogClicked(bool forward)
{
    if (!driveEnabled() || !ui->Chbx_Continue_Spe->isChecked())
        return;
    startJog(forward);
    m_continuousJog = true;
}

void GUI_Motion::jogPressed(bool forward)
{
    if (!driveEnabled() || ui->Chbx_Continue_Spe->isChecked() || m_jogging)
        return;
    m_jogging = true;
    startJog(forward);
}

void GUI_Motion::jogReleased()
{
    if (!ui->Chbx_Continue_Spe->isChecked())
        releaseHeldJog();
}

void GUI_Motion::startJog(bool forward)
{
    Communication::trialRunMode();
    Communication::setTrialRunSpeed(0, static_cast<quint16>(ui->Lbx_Speed_Spe->value()));
    if (forward)
        Communication::jogForward();
    else
        Communication::jogBackward();
}

void GUI_Motion::stopJog()
{
    Communication::trialRunStop(false);
    m_continuousJog = false;
}

// The dead-man stop of a held jog. It does not wait for the enable state: the jog it ends was
// started while the drive was enabled, and a stop that is not needed does no harm.
void GUI_Motion::releaseHeldJog()
{
    if (!m_jogging)
        return;
    m_jogging = false;
    if (Communication::instance()->commState() != Communication::COMM_CONNECTED)
        m_stopWhenConnected = true;
    stopJog();
}

void GUI_Motion::runPosition(bool forward)
{
    if (!driveEnabled())
        return;
    qint64 count = ui->Lbx_Count_Pos->value();
    if (forward && count <= 0)
        count = -count;
    else if (!forward && count > 0)
        count = -count;
    // Beyond these the high word wraps and the motor would travel a different distance than asked.
    if (count > MaxPulseCount || count < MinPulseCount) {
        emit sig_showMessageBox(tr("The pulse count is beyond the range the drive can take (%1 to %2)")
                                    .arg(MinPulseCount)
                                    .arg(MaxPulseCount),
            Global::MESSAGE_WARNNING);
        return;
    }

    Communication::setTrialRunSpeed(1, static_cast<quint16>(ui->Lbx_Speed_Pos->value()));
    Communication::setPositionTimeA(static_cast<quint16>(ui->Lbx_Time_Pos->value()));
    Communication::setPositionTimeB(static_cast<quint16>(ui->Lbx_Time_Pos->value()));
    Communication::trialRunMode();
    Communication::selectPositionRun();

    if (count != ui->Lbx_Count_Pos->value())
        ui->Lbx_Count_Pos->setValue(static_cast<int>(count));
    // Truncating division keeps both words' sign: -123456 goes as -12 and -3456.
    const qint64 high = count / Servo::PositionCountSplit;
    const qint64 low = count % Servo::PositionCountSplit;
    Communication::setPositionCount(static_cast<quint16>(high), static_cast<quint16>(low));
    Communication::positionStart();
    Communication::positionStartRelease();
    m_positionRun = true;
}

void GUI_Motion::stopPosition()
{
    Communication::trialRunStop(true);
    m_positionRun = false;
}

void GUI_Motion::stopOnLeaving()
{
    releaseHeldJog();
    if (Communication::instance()->commState() != Communication::COMM_CONNECTED)
        return;
    if (m_continuousJog)
        stopJog();
    if (m_positionRun)
        stopPosition();
}

void GUI_Motion::connectEvent(Communication::CommState state)
{
    if (state != Communication::COMM_CONNECTED) {
        releaseHeldJog();
        return;
    }
    if (m_stopWhenConnected) {
        m_stopWhenConnected = false;
        Communication::trialRunStop(false);
    }
}

void GUI_Motion::hideEvent(QHideEvent* event)
{
    releaseHeldJog();
    WidgetBase::hideEvent(event);
}

void GUI_Motion::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        releaseHeldJog();
    WidgetBase::changeEvent(event);
}
