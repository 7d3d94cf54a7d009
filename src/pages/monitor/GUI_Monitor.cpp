// SPDX-License-Identifier: GPL-3.0-or-later
#include "GUI_Monitor.h"
#include "ui_GUI_Monitor.h"

#include "comm/DriveCommands.h"
#include "comm/DriveRegisters.h"

#include <QDateTime>
#include <QTimer>

namespace {

const QString StatusTag = QStringLiteral("AReadState");
constexpr int PollIntervalMs = 1000;
const QString UnknownAlarm = QStringLiteral("未知错误");
const QString StyleOk = QStringLiteral("color:green;");
const QString StyleAlarm = QStringLiteral("color:red;");

// Lives for the whole run: a monitor page opened again during an alarm must show it at once. A new
// connection may reach another drive, so it starts over with each; the first page sets that up.
quint16 g_currentAlarmCode = 0;

void forgetAlarmOnNewConnections()
{
    static bool watching = false;
    if (watching)
        return;
    watching = true;
    Communication* comm = Communication::instance();
    QObject::connect(comm, &Communication::connectEvent, comm, [](Communication::CommState state) {
        if (state == Communication::COMM_CONNECTING)
            g_currentAlarmCode = 0;
    });
}

quint16 word(const QVector<quint16>& values, int index)
{
    return index < values.size() ? values.at(index) : quint16(0);
}

// Multi-word quantities come low word first.
quint64 words(const QVector<quint16>& values, int first, int count)
{
    quint64 v = 0;
    for (int k = count - 1; k >= 0; --k)
        v = (v << 16) | word(values, first + k);
    return v;
}

QString signed16(quint16 v)
{
    return QString::number(static_cast<qint16>(v));
}

QString signed32(const QVector<quint16>& values, int first)
{
    return QString::number(static_cast<qint32>(static_cast<quint32>(words(values, first, 2))));
}

QString fixed2(double v)
{
    return QString::number(v, 'f', 2);
}

QString bits16(quint16 v)
{
    return QStringLiteral("%1").arg(v, 16, 2, QLatin1Char('0'));
}

} // namespace

GUI_Monitor::GUI_Monitor(QWidget* parent)
    : WidgetBase(parent)
    , ui(new Ui::GUI_Monitor)
{
    ui->setupUi(this);
    setButtonCursors();
    ui->scrollArea->setFrameShape(QFrame::NoFrame);
    fillAlarmTexts();
    forgetAlarmOnNewConnections();
    ui->Lbl_Status->setStyleSheet(StyleOk);

    m_pollTimer = new QTimer(this);
    m_pollTimer->setInterval(PollIntervalMs);
    connect(m_pollTimer, &QTimer::timeout, this, &GUI_Monitor::poll);

    connect(ui->Btn_Clear, &QPushButton::clicked, this, [this]() {
        ui->Tbx_AlramCode->clear();
        m_lastLoggedAlarm = 0;
    });

    connectEvent(Communication::instance()->commState());
}

GUI_Monitor::~GUI_Monitor()
{
    delete ui;
}

quint16 GUI_Monitor::currentAlarmCode()
{
    return g_currentAlarmCode;
}

QString GUI_Monitor::alarmText(quint16 code) const
{
    return m_alarmTexts.value(code, UnknownAlarm);
}

void GUI_Monitor::connectEvent(Communication::CommState state)
{
    if (state == Communication::COMM_CONNECTED) {
        m_pollTimer->start(PollIntervalMs);
        return;
    }
    m_pollTimer->stop();
    ui->Lbl_Status->setText(tr("Disable"));
}

void GUI_Monitor::poll()
{
    namespace Servo = DriveRegister::Servo;
    Communication* comm = Communication::instance();
    comm->sendRead(StatusTag, Servo::StatusBlock, Servo::StatusBlockCount);
    comm->sendRead(DriveCommands::EnableStateTag, Servo::EnableState, 1);
}

void GUI_Monitor::resultCallBackEvent(QString tag, QVector<quint16> values)
{
    if (tag == StatusTag)
        showStatus(values);
    else if (tag == DriveCommands::EnableStateTag)
        showEnableState(values);
}

void GUI_Monitor::showStatus(const QVector<quint16>& values)
{
    // A request that failed says nothing about the drive: showing zeros would report a pending
    // alarm as cleared and log it so.
    if (values.isEmpty())
        return;
    const auto& v = values;
    ui->Lbl_Vel->setText(signed16(word(v, 0)));
    ui->Lbl_Pos->setText(signed32(v, 1));
    ui->Lbl_PosCMD->setText(signed32(v, 3));
    ui->Lbl_PosErr->setText(signed32(v, 5));
    ui->Lbl_Torque->setText(signed16(word(v, 7)));
    ui->Lbl_Cur->setText(fixed2(word(v, 8) / 100.0));
    ui->Lbl_ControlMode->setText(QString::number(word(v, 9)));
    ui->Lbl_Temp->setText(fixed2(word(v, 10) / 10.0));
    ui->Lbl_VelCMD->setText(QString::number(word(v, 11)));
    ui->Lbl_TorqueCMD->setText(QString::number(word(v, 12)));
    ui->Lbl_StAbsPos->setText(QString::number(static_cast<quint32>(words(v, 13, 2))));
    ui->Lbl_InputState->setText(bits16(word(v, 15)));
    ui->Lbl_OutputState->setText(bits16(word(v, 16)));
    ui->Lbl_EncInputSignal->setText(QString::number(word(v, 17)));
    ui->Lbl_BusVol->setText(fixed2(word(v, 18)));
    ui->Lbl_AlarmCode->setText(QString::number(word(v, 19)));
    ui->Lbl_LogicChipVer->setText(QString::number(word(v, 20)));
    ui->Lbl_RelaySuctionState->setText(QString::number(word(v, 21)));
    ui->Lbl_RunningState->setText(QString::number(word(v, 22)));
    ui->Lbl_AbsPos->setText(QString::number(static_cast<qint64>(words(v, 24, 4))));
    g_currentAlarmCode = word(v, 19);
}

void GUI_Monitor::showEnableState(const QVector<quint16>& values)
{
    const quint16 alarm = g_currentAlarmCode;
    if (alarm != 0) {
        ui->Lbl_Status->setStyleSheet(StyleAlarm);
        ui->Lbl_Status->setText(QStringLiteral("ERR") + QString::number(alarm));
    } else {
        ui->Lbl_Status->setStyleSheet(StyleOk);
        const bool enabled = !values.isEmpty() && values.first() != 0;
        ui->Lbl_Status->setText(enabled ? tr("Enabled") : tr("Disable"));
    }

    if (alarm != m_lastLoggedAlarm) {
        m_lastLoggedAlarm = alarm;
        const QString stamp
            = QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz"));
        ui->Tbx_AlramCode->append(QStringLiteral("[") + stamp + QStringLiteral("]:   Err")
            + QString::number(alarm) + QStringLiteral("   ") + alarmText(alarm));
    }

    ui->Lbl_EnableState->setText(QString::number(values.isEmpty() ? 0 : values.first()));
}

void GUI_Monitor::fillAlarmTexts()
{
    // The drive's own alarm descriptions, shown as they stand in both languages.
    static const struct
    {
        quint16 code;
        const char* text;
    } table[] = {
        { 0, "无报错" },
        { 1, "超速" },
        { 2, "主电路过压" },
        { 3, "主电路欠压" },
        { 4, "位置超差" },
        { 5, "驱动器过热" },
        { 6, "速度放大器饱和故障" },
        { 7, "驱动禁止异常" },
        { 8, "位置偏差计数器溢出" },
        { 10, "动力线断开" },
        { 11, "IPM模块故障" },
        { 13, "驱动器过负载" },
        { 14, "制动故障" },
        { 18, "继电器开关故障" },
        { 19, "抱闸延时错误" },
        { 20, "EEPROM错误" },
        { 21, "FPGA模块故障" },
        { 22, "参数存储跟编码器参数存储不匹配" },
        { 23, "电流采集电路故障" },
        { 29, "用户转矩过载报警" },
        { 31, "编码器UVW信号错误" },
        { 32, "编码器UVW信号非法编码" },
        { 33, "UVW信号故障" },
        { 34, "UVW信号不稳，跳变" },
        { 36, "接省线式编码器时，非法状态过长" },
        { 38, "读写编码器EEPROM通信失败" },
        { 39, "数据CRC校验错误" },
        { 40, "不支持机型" },
        { 41, "需要切换电机型号" },
        { 42, "AC输入电压过低" },
        { 46, "主电路上电欠压" },
        { 47, "上电时主电路电压过高" },
        { 50, "编码器通信故障" },
        { 51, "编码器通信异常" },
        { 52, "编码器电池电压不足报警" },
        { 53, "编码器电池电压错误报警" },
        { 54, "编码器多圈信息错误报警" },
        { 55, "CRC校验连续5次出错" },
        { 56, "MODBUS帧过长错误" },
        { 57, "MODBUS通讯格式异常" },
        { 58, "单圈位置值错误" },
        { 59, "编码器上报CF错误" },
    };
    for (const auto& entry : table)
        m_alarmTexts.insert(entry.code, QString::fromUtf8(entry.text));
}
