// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Motion.h"
#include "ui_GUI_Motion.h"

#include "comm/DriveRegisters.h"
#include "ui/HeldButtons.h"

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
    // One step below the slowest speed or the shortest time must not become the highest.
    box->setWrapping(false);
    box->setSuffix(suffix);
    box->setValue(value);
}

DriveCommands::Write write(quint16 address, const QVector<quint16>& values)
{
    return { QString(), address, values };
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

    m_heldButtons = new HeldButtons(this);
    const struct
    {
        QPushButton* button;
        bool forward;
    } jogButtons[] = { { ui->Btn_GoBack_Spe, false }, { ui->Btn_GoForward_Spe, true } };
    for (const auto& jog : jogButtons) {
        QPushButton* button = jog.button;
        const bool forward = jog.forward;
        m_heldButtons->add(button);
        connect(button, &QPushButton::clicked, this, [this, forward]() { jogClicked(forward); });
        connect(
            button, &QPushButton::pressed, this, [this, button, forward]() { jogPressed(button, forward); });
        connect(button, &QPushButton::released, this, [this, button]() { jogReleased(button); });
    }
    connect(m_heldButtons, &HeldButtons::holdLost, this, &GUI_Motion::endHeldJog);
    // "Continue" changes what the jog buttons do: a hold under way ends with its stop.
    connect(ui->Chbx_Continue_Spe, &QCheckBox::toggled, m_heldButtons, &HeldButtons::end);
    connect(ui->Btn_Stop_Spe, &QPushButton::clicked, this, [this]() { stopClicked(false); });

    connect(ui->Btn_GoForward_Pos, &QPushButton::clicked, this, [this]() { runPosition(true); });
    connect(ui->Btn_GoBack_Pos, &QPushButton::clicked, this, [this]() { runPosition(false); });
    ui->Btn_GoForward_Pos->installEventFilter(this);
    ui->Btn_GoBack_Pos->installEventFilter(this);
    connect(ui->Btn_Stop_Pos, &QPushButton::clicked, this, [this]() { stopClicked(true); });
    connect(
        Communication::instance(), &Communication::requestCompleted, this, &GUI_Motion::positionStartDone);

    // The tool going down destroys the page too late for a write to reach the drive.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &GUI_Motion::stopOnLeaving);
}

void GUI_Motion::setOperationMode(int index)
{
    // A running jog goes on: only the controls on screen change, and their Stop ends it too.
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

void GUI_Motion::jogPressed(QAbstractButton* button, bool forward)
{
    // The hold is followed even when it starts nothing, so that its end is recognised.
    if (!m_heldButtons->press(button))
        return;
    if (!driveEnabled() || ui->Chbx_Continue_Spe->isChecked())
        return;
    m_jogging = true;
    startJog(forward);
}

void GUI_Motion::jogReleased(QAbstractButton* button)
{
    if (m_heldButtons->release(button))
        endHeldJog();
}

void GUI_Motion::startJog(bool forward)
{
    Communication::instance()->startMotion(Communication::ServoJog,
        { write(Servo::TrialRunMode, { Servo::TrialRunModeSerial }),
            write(Servo::JogSpeed, { quint16(ui->Lbx_Speed_Spe->value()) }),
            write(Servo::JogCommand, { forward ? Servo::JogForward : Servo::JogBackward }) });
}

void GUI_Motion::stopJog()
{
    requestStop(Communication::ServoJog);
    m_continuousJog = false;
}

// The dead-man stop of a held jog, once per hold.
void GUI_Motion::endHeldJog()
{
    if (!m_jogging)
        return;
    m_jogging = false;
    stopJog();
}

void GUI_Motion::runPosition(bool forward)
{
    // One run per start: clicks before its last write has gone out are the same click.
    if (!driveEnabled() || m_positionStart != 0)
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

    if (count != ui->Lbx_Count_Pos->value())
        ui->Lbx_Count_Pos->setValue(static_cast<int>(count));
    // Truncating division keeps both words' sign: -123456 goes as -12 and -3456.
    const auto high = static_cast<quint16>(count / Servo::PositionCountSplit);
    const auto low = static_cast<quint16>(count % Servo::PositionCountSplit);
    const auto time = static_cast<quint16>(ui->Lbx_Time_Pos->value());
    m_positionStart = Communication::instance()->startMotion(Communication::ServoPosition,
        { write(Servo::PositionSpeed, { quint16(ui->Lbx_Speed_Pos->value()) }),
            write(Servo::PositionTimeA, { time }), write(Servo::PositionTimeB, { time }),
            write(Servo::TrialRunMode, { Servo::TrialRunModeSerial }),
            write(Servo::PositionRunSelect, { Servo::PositionRunSelected }),
            write(Servo::PositionCount, { high, low }),
            write(Servo::PositionCommand, { Servo::PositionStart }),
            write(Servo::PositionCommand, { Servo::PositionRelease }) });
    if (m_positionStart != 0)
        m_positionRun = true;
}

// A later request done means the start is done too: the queue keeps its order, and a start a stop
// took back never completes at all.
void GUI_Motion::positionStartDone(quint64 request)
{
    if (m_positionStart != 0 && request >= m_positionStart)
        m_positionStart = 0;
}

void GUI_Motion::stopPosition()
{
    requestStop(Communication::ServoPosition);
    m_positionRun = false;
    m_positionStart = 0;
}

// Never gated on the enable state the drive last reported. Whichever group is on screen, its Stop
// ends everything this page has running.
void GUI_Motion::stopClicked(bool positionStop)
{
    if (!positionStop || m_continuousJog)
        stopJog();
    if (positionStop || m_positionRun)
        stopPosition();
}

void GUI_Motion::stopOnLeaving()
{
    m_heldButtons->end();
    if (m_continuousJog)
        stopJog();
    if (m_positionRun)
        stopPosition();
}

void GUI_Motion::connectEvent(Communication::CommState state)
{
    if (state == Communication::COMM_CONNECTED)
        return;
    // The stop of a held jog is owed until the link is back.
    m_heldButtons->end();
    m_positionStart = 0;
}

bool GUI_Motion::eventFilter(QObject* watched, QEvent* event)
{
    // The second press of a double click on a position start would start a second run.
    if (event->type() == QEvent::MouseButtonDblClick
        && (watched == ui->Btn_GoForward_Pos || watched == ui->Btn_GoBack_Pos))
        return true;
    return WidgetBase::eventFilter(watched, event);
}
