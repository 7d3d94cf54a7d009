// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_IO.h"
#include "ui_GUI_IO.h"

#include "comm/DriveRegisters.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QThread>
#include <QTimer>

namespace {

namespace Servo = DriveRegister::Servo;

const QString ReadDiTag = QStringLiteral("AReadDI");
const QString ReadDoTag = QStringLiteral("AReadDO");
const QString ReadDiLevelTag = QStringLiteral("AReadDILevel");
const QString ReadDoLevelTag = QStringLiteral("AReadDOLevel");
const QString ReadStateTag = QStringLiteral("AReadIOState");
const QString LampOn = QStringLiteral(":/Icon/Images/Icon_32x32/LightUp.png");
const QString LampOff = QStringLiteral(":/Icon/Images/Icon_32x32/LightOff.png");
constexpr int PollIntervalMs = 1000;
// The drive takes a moment to answer a block of reads or to store a block of writes; the page
// waits for it, as the drive's own tools do.
constexpr int RefreshPauseMs = 200;
constexpr int ApplyPauseMs = 300;
// The level bits Apply writes: DI1–DI8, DO1–DO5.
constexpr quint16 DiWrittenMask = (1u << Servo::DiCount) - 1;
constexpr quint16 DoWrittenMask = (1u << Servo::DoWrittenCount) - 1;

quint16 valueAt(const QVector<quint16>& values, int index)
{
    return index < values.size() ? values.at(index) : quint16(0);
}

} // namespace

GUI_IO::GUI_IO(QWidget* parent)
    : WidgetBase(parent)
    , ui(new Ui::GUI_IO)
{
    qRegisterMetaType<ParamStruct>("ParamStruct");
    ui->setupUi(this);
    initForm();
}

GUI_IO::~GUI_IO()
{
    delete ui;
}

void GUI_IO::initForm()
{
    setButtonCursors();
    ui->scrollArea->setFrameShape(QFrame::NoFrame);
    buildLists();
    fillRows();

    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(PollIntervalMs);
    connect(m_pollTimer, &QTimer::timeout, this, &GUI_IO::poll);

    connectEvent(Communication::instance()->commState());
}

void GUI_IO::buildLists()
{
    addParam(m_diFunctions, tr("No function"), 0);
    addParam(m_diFunctions, tr("Servo enable"), 1);
    addParam(m_diFunctions, tr("Alarm clearance"), 2);
    addParam(m_diFunctions, tr("Positive drive prohibited"), 3);
    addParam(m_diFunctions, tr("Reverse drive prohibited"), 4);
    addParam(m_diFunctions, tr("Positive torque limit"), 5);
    addParam(m_diFunctions, tr("Reverse torque limit"), 6);
    addParam(m_diFunctions, tr("Zero tachymosis position"), 7);
    addParam(m_diFunctions, tr("Zero instruction"), 8);
    addParam(m_diFunctions, tr("Directive reversion"), 9);
    addParam(m_diFunctions, tr("Speed selection 1"), 10);
    addParam(m_diFunctions, tr("Speed selection 2"), 11);
    addParam(m_diFunctions, tr("Torque selection 1"), 13);
    addParam(m_diFunctions, tr("Torque selection 2"), 14);
    addParam(m_diFunctions, tr("Composite mode controls the mode setting"), 16);
    addParam(m_diFunctions, tr("Electronic gear selection 1"), 18);
    addParam(m_diFunctions, tr("Electronic gear selection 2"), 19);
    addParam(m_diFunctions, tr("Location deviation clearance"), 20);
    addParam(m_diFunctions, tr("Pulse input is prohibited"), 21);
    addParam(m_diFunctions, tr("Forward move"), 22);
    addParam(m_diFunctions, tr("Reverse move"), 23);
    addParam(m_diFunctions, tr("The internal position control command stops"), 27);
    addParam(m_diFunctions, tr("Internal location, Command trigger"), 28);
    addParam(m_diFunctions, tr("The internal position command selects the 0"), 29);
    addParam(m_diFunctions, tr("The internal position command selects the 1"), 30);
    addParam(m_diFunctions, tr("The internal position command selects the 2"), 31);
    addParam(m_diFunctions, tr("Start origin regression"), 33);
    addParam(m_diFunctions, tr("The origin of the return"), 34);
    addParam(m_diFunctions, tr("Modbus slave number 0"), 37);
    addParam(m_diFunctions, tr("Modbus slave number 1"), 38);
    addParam(m_diFunctions, tr("Modbus slave number 2"), 39);
    addParam(m_diFunctions, tr("Modbus slave number 3"), 40);

    addParam(m_doFunctions, tr("Always output ON"), 1);
    addParam(m_doFunctions, tr("Servo ready"), 2);
    addParam(m_doFunctions, tr("Alarm"), 3);
    addParam(m_doFunctions, tr("Zero-speed"), 4);
    addParam(m_doFunctions, tr("Positioning completed"), 5);
    addParam(m_doFunctions, tr("Speed to reach"), 6);
    addParam(m_doFunctions, tr("Torque arrived"), 7);
    addParam(m_doFunctions, tr("Magnetic brake"), 8);
    addParam(m_doFunctions, tr("Servo running"), 9);
    addParam(m_doFunctions, tr("Positioning is close"), 10);
    addParam(m_doFunctions, tr("Torque limit"), 11);
    addParam(m_doFunctions, tr("Speed limit"), 12);
    addParam(m_doFunctions, tr("Same speed"), 13);
    addParam(m_doFunctions, tr("Origin regression completed"), 15);
    addParam(m_doFunctions, tr("The internal location command completes"), 16);
    addParam(m_doFunctions, tr("Z signal output"), 18);

    addParam(m_levels, tr("Represents high level effective"), 0);
    addParam(m_levels, tr("Represents low level effective"), 1);
}

void GUI_IO::fillRows()
{
    auto fill = [](QComboBox* combo, const QMap<int, ParamStruct>& list) {
        for (const ParamStruct& entry : list)
            combo->addItem(
                QString::number(entry.value) + QStringLiteral(" - ") + entry.name, int(entry.value));
    };
    const auto watchEdits = [this](QComboBox* function) {
        connect(function, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this, function] {
            if (!m_selecting)
                m_editedFunctions.insert(function);
        });
    };
    for (int row = 0; row < Servo::DiCount; ++row) {
        const QString n = QString::number(row + 1);
        auto* function = findChild<QComboBox*>(QStringLiteral("Cbx_DI") + n);
        auto* level = findChild<QComboBox*>(QStringLiteral("Cbx_DI%1_Level").arg(n));
        m_diRows.insert(row, { function, level });
        m_diLamps.insert(row, findChild<QLabel*>(QStringLiteral("Pic_DI%1_Signal").arg(n)));
        fill(function, m_diFunctions);
        fill(level, m_levels);
        watchEdits(function);
        signalChanged(0, m_diLamps, uchar(row));
    }
    for (int row = 0; row < Servo::DoCount; ++row) {
        const QString n = QString::number(row + 1);
        auto* function = findChild<QComboBox*>(QStringLiteral("Cbx_DO") + n);
        auto* level = findChild<QComboBox*>(QStringLiteral("Cbx_DO%1_Level").arg(n));
        m_doRows.insert(row, { function, level });
        m_doLamps.insert(row, findChild<QLabel*>(QStringLiteral("Pic_DO%1_Signal").arg(n)));
        fill(function, m_doFunctions);
        fill(level, m_levels);
        watchEdits(function);
        signalChanged(0, m_doLamps, uchar(row));
    }
}

void GUI_IO::addParam(QMap<int, ParamStruct>& list, QString name, int value)
{
    ParamStruct entry;
    entry.name = name;
    entry.value = static_cast<quint8>(value);
    list.insert(list.size(), entry);
}

void GUI_IO::signalChanged(uchar value, QMap<int, QLabel*> obj, uchar index)
{
    if (QLabel* lamp = obj.value(index))
        lamp->setPixmap(QPixmap(value == 1 ? LampOn : LampOff));
}

void GUI_IO::connectEvent(Communication::CommState state)
{
    if (state == Communication::COMM_CONNECTED) {
        on_Btn_Refresh_clicked();
        if (!m_pollTimer->isActive())
            m_pollTimer->start(PollIntervalMs);
        return;
    }
    m_pollTimer->stop();
    forgetConfiguration();
}

// What was read belongs to one connection: the next may reach another drive.
void GUI_IO::forgetConfiguration()
{
    m_shownFromDrive = 0;
    m_refreshing = false;
}

void GUI_IO::showEvent(QShowEvent* event)
{
    WidgetBase::showEvent(event);
    // The answers to the refresh made on connecting are dropped while another tab is on screen;
    // coming to the page then reads the configuration again instead of showing the defaults.
    if (m_shownFromDrive != WholeConfiguration && !m_refreshing
        && Communication::instance()->commState() == Communication::COMM_CONNECTED)
        on_Btn_Refresh_clicked();
}

void GUI_IO::poll()
{
    if (isCurrentPage())
        Communication::instance()->sendRead(ReadStateTag, Servo::IoState, Servo::IoStateCount);
}

void GUI_IO::on_Btn_Refresh_clicked()
{
    if (!checkConnected())
        return;
    Communication* comm = Communication::instance();
    // A refresh that fails halfway must not leave Apply writing a mix of old and new.
    m_shownFromDrive = 0;
    m_refreshing = comm->sendRead(ReadDiTag, Servo::DiFunction, quint16(m_diRows.size())) != 0;
    comm->sendRead(ReadDoTag, Servo::DoFunction, quint16(m_doRows.size()));
    comm->sendRead(ReadDiLevelTag, Servo::DiLevel, 1);
    comm->sendRead(ReadDoLevelTag, Servo::DoLevel, 1);
    QThread::msleep(RefreshPauseMs);
}

void GUI_IO::on_Btn_Apply_clicked()
{
    if (!checkConnected())
        return;
    if (m_shownFromDrive != WholeConfiguration) {
        emit sig_showMessageBox(tr("Read the IO settings from the drive first"), Global::MESSAGE_WARNNING);
        return;
    }
    const QVector<quint16> diCodes = functionCodes(m_diRows, m_diCodesFromDrive, m_diRows.size());
    const QVector<quint16> doCodes = functionCodes(m_doRows, m_doCodesFromDrive, Servo::DoWrittenCount);
    const quint16 diLevel
        = quint16((m_diLevelFromDrive & ~DiWrittenMask) | levelWord(m_diRows, m_diRows.size()));
    const quint16 doLevel
        = quint16((m_doLevelFromDrive & ~DoWrittenMask) | levelWord(m_doRows, Servo::DoWrittenCount));

    Communication* comm = Communication::instance();
    comm->sendWrite(QString(), Servo::DiFunction, diCodes);
    comm->sendWrite(QString(), Servo::DoFunction, doCodes);
    comm->sendWrite(QString(), Servo::DiLevel, diLevel);
    comm->sendWrite(QString(), Servo::DoLevel, doLevel);
    QThread::msleep(ApplyPauseMs);
}

QVector<quint16> GUI_IO::functionCodes(
    const QMap<int, QList<QComboBox*>>& rows, const QVector<quint16>& read, int rowCount) const
{
    QVector<quint16> codes;
    for (int row = 0; row < rowCount; ++row) {
        QComboBox* function = rows.value(row).at(0);
        codes.append(m_editedFunctions.contains(function) ? quint16(quint8(function->currentData().toInt()))
                                                          : valueAt(read, row));
    }
    return codes;
}

quint16 GUI_IO::levelWord(const QMap<int, QList<QComboBox*>>& rows, int rowCount) const
{
    quint16 word = 0;
    for (int row = 0; row < rowCount; ++row) {
        if (rows.value(row).at(1)->currentData().toInt() & 1)
            word |= quint16(1u << row);
    }
    return word;
}

void GUI_IO::resultCallBackEvent(QString tag, QVector<quint16> values)
{
    // The last read of a refresh, answered or not.
    if (tag == ReadDoLevelTag)
        m_refreshing = false;
    // A failed read (no values) says nothing about the drive; applying it as zeros would show every
    // input as "No function" and let Apply wipe the drive's configuration.
    if (values.isEmpty() || !isCurrentPage())
        return;
    if (tag == ReadStateTag) {
        const quint16 inputs = valueAt(values, 0);
        const quint16 outputs = valueAt(values, 1);
        for (int row = 0; row < m_diLamps.size(); ++row)
            signalChanged(uchar((inputs >> row) & 1), m_diLamps, uchar(row));
        for (int row = 0; row < m_doLamps.size(); ++row)
            signalChanged(uchar((outputs >> row) & 1), m_doLamps, uchar(row));
    } else {
        applyConfiguration(tag, values);
    }
}

void GUI_IO::applyConfiguration(const QString& tag, const QVector<quint16>& values)
{
    m_selecting = true;
    if (tag == ReadDiTag) {
        m_diCodesFromDrive = values;
        selectFunctions(m_diRows, m_diFunctions, values);
        m_shownFromDrive |= DiFunctions;
    } else if (tag == ReadDoTag) {
        m_doCodesFromDrive = values;
        selectFunctions(m_doRows, m_doFunctions, values);
        m_shownFromDrive |= DoFunctions;
    } else if (tag == ReadDiLevelTag) {
        m_diLevelFromDrive = values.first();
        selectLevels(m_diRows, values.first());
        m_shownFromDrive |= DiLevels;
    } else if (tag == ReadDoLevelTag) {
        m_doLevelFromDrive = values.first();
        selectLevels(m_doRows, values.first());
        m_shownFromDrive |= DoLevels;
    }
    m_selecting = false;
}

void GUI_IO::selectFunctions(const QMap<int, QList<QComboBox*>>& rows, const QMap<int, ParamStruct>& list,
    const QVector<quint16>& values)
{
    for (int row = 0; row < rows.size(); ++row) {
        m_editedFunctions.remove(rows.value(row).at(0));
        const quint16 code = valueAt(values, row);
        QComboBox* function = rows.value(row).at(0);
        // A code this tool has no name for (a newer firmware's function) still shows as what the
        // drive holds, as an extra item after the known ones, so the screen never claims another.
        while (function->count() > list.size())
            function->removeItem(function->count() - 1);
        int index = -1;
        for (auto it = list.cbegin(); it != list.cend(); ++it) {
            if (it.value().value == code) {
                index = it.key();
                break;
            }
        }
        if (index < 0) {
            function->addItem(
                QString::number(code) + QStringLiteral(" - ") + tr("Unknown function"), int(code));
            index = function->count() - 1;
        }
        function->setCurrentIndex(index);
    }
}

void GUI_IO::selectLevels(const QMap<int, QList<QComboBox*>>& rows, quint16 levelWord)
{
    for (int row = 0; row < rows.size(); ++row)
        rows.value(row).at(1)->setCurrentIndex((levelWord >> row) & 1);
}
