# SPDX-License-Identifier: GPL-3.0-or-later
"""KSD servo drive: parameters, scope variables, alarms and control functions.

Register map of the drive: parameter Pn-xx lives at (n << 8) | xx. Some registers of groups P0-P2
are commands of the drive rather than settings (restore, soft reset, enable, trial-run control);
they are deliberately left out of the parameter table, see COMMAND_REGISTERS.
Version index 0 is KSD-V1.2, index 1 is KSD-V1.10.
"""

from model import (ControlFunction, Family, Fault, Group, P, RO, Trigger, Variable, OFF_ON, apply_tips)

VERSIONS = ["KSD-V1.2", "KSD-V1.10"]

# Writing any of these starts something on the drive; reading them as parameters would invite a
# "write the current page" that restores factory settings or resets the drive.
COMMAND_REGISTERS = {0, 1, 60, 181, 400, 401, 402, 514, 515, 640}


def symbols(version):
    # V1.10 supports the 7000 r/min motor series.
    return {"SPDMAX": 6000 if version == 0 else 7000}


DI_FUNCTIONS = [
    (0, "No function", "无功能"),
    (1, "Servo enable", "伺服使能"),
    (2, "Alarm reset", "报警复位"),
    (3, "Forward drive prohibited", "正向驱动禁止"),
    (4, "Reverse drive prohibited", "反向驱动禁止"),
    (5, "Forward torque limit", "正向转矩限制"),
    (6, "Reverse torque limit", "反向转矩限制"),
    (7, "Zero-speed clamp", "零速箝位"),
    (8, "Command zero", "指令置零"),
    (9, "Command reversal", "指令取反"),
    (10, "Speed selection 1", "速度选择1"),
    (11, "Speed selection 2", "速度选择2"),
    (13, "Torque selection 1", "转矩选择1"),
    (14, "Torque selection 2", "转矩选择2"),
    (16, "Control mode switching", "控制模式切换"),
    (18, "Electronic gear selection 1", "电子齿轮选择1"),
    (19, "Electronic gear selection 2", "电子齿轮选择2"),
    (20, "Position deviation clear", "位置偏差清除"),
    (21, "Pulse input inhibit", "脉冲输入禁止"),
    (22, "Forward jog", "正向点动"),
    (23, "Reverse jog", "反向点动"),
    (27, "Internal position command stop", "内部位置指令停止"),
    (28, "Internal position command trigger", "内部位置指令触发"),
    (29, "Internal position selection 0", "内部位置选择0"),
    (30, "Internal position selection 1", "内部位置选择1"),
    (31, "Internal position selection 2", "内部位置选择2"),
    (33, "Homing start", "原点回归启动"),
    (34, "Home switch", "原点开关"),
    (37, "Modbus station number bit 0", "Modbus站号选择位0"),
    (38, "Modbus station number bit 1", "Modbus站号选择位1"),
    (39, "Modbus station number bit 2", "Modbus站号选择位2"),
    (40, "Modbus station number bit 3", "Modbus站号选择位3"),
]

# 0 is not offered by the IO page, but the table must show it as such rather than let the
# substring lookup of a read value 0 land on 10.
DO_FUNCTIONS = [
    (0, "No function", "无功能"),
    (1, "Always ON", "始终输出ON"),
    (2, "Servo ready", "伺服准备好"),
    (3, "Alarm", "报警"),
    (4, "Zero speed", "零速"),
    (5, "Positioning completed", "定位完成"),
    (6, "Speed reached", "速度到达"),
    (7, "Torque reached", "转矩到达"),
    (8, "Brake release", "电磁制动器"),
    (9, "Servo running", "伺服运行中"),
    (10, "Positioning near", "定位接近"),
    (11, "Torque limiting", "转矩限制中"),
    (12, "Speed limiting", "速度限制中"),
    (13, "Speed coincidence", "速度一致"),
    (15, "Homing completed", "原点回归完成"),
    (16, "Internal position command completed", "内部位置指令完成"),
    (18, "Z-pulse output", "Z信号输出"),
]

AO_SIGNALS = [
    (0, "Motor speed (1 V per 1000 r/min)", "电机转速（1 V/1000 r/min）"),
    (1, "Speed command (1 V per 1000 r/min)", "速度指令（1 V/1000 r/min）"),
    (2, "Torque feedback (1 V per 100 %)", "转矩反馈（1 V/100 %）"),
    (3, "Position deviation (0.05 V per pulse)", "位置偏差（0.05 V/脉冲）"),
    (4, "Bus voltage (1 V per 100 V)", "母线电压（1 V/100 V）"),
]

STOP_MODES = [
    (0, "Coast to stop", "自由停车"),
    (1, "Zero-speed stop", "零速停车"),
    (2, "Dynamic braking stop", "动态制动停车"),
]


def di_defaults():
    return [1, 2, 3, 4, 20, 7, 10, 0]


def do_defaults():
    return [2, 3, 5, 4, 8, 18]


P0 = [
    P(2, "Control mode", "控制模式选择", None, None, "", 0, w=1, e=1, enum=[
        (0, "Position mode", "位置模式"),
        (1, "Speed mode", "速度模式"),
        (2, "Torque mode", "转矩模式"),
        (3, "Speed/torque mode", "速度/转矩混合模式"),
        (4, "Position/speed mode", "位置/速度混合模式"),
        (5, "Position/torque mode", "位置/转矩混合模式")],
      tip=("Selects the loop the drive closes; in the mixed modes a DI set to 'Control mode switching' "
           "selects the second mode",
           "选择伺服的控制方式；混合模式下由设为“控制模式切换”的DI选择第二种模式")),
    P(3, "Rotation direction", "旋转方向选择", None, None, "", 0, w=1, e=2, colon=True, enum=[
        (0, "CCW is forward", "逆时针为正转"), (1, "CW is forward", "顺时针为正转")],
      tip=("Direction of motor rotation for a positive command, seen from the shaft end",
           "正向指令时电机的旋转方向（从轴端看）")),
    P(4, "Rigidity level", "刚性等级", 0, 31, "", 13,
      tip=("Higher levels give faster response but may cause vibration; used by auto-tuning",
           "等级越高响应越快，但可能引起振动；自动调整时使用")),
    P(5, "Gain auto-tuning mode", "增益自动调整模式", None, None, "", 1, enum=[
        (0, "Manual gain setting", "手动设定增益"),
        (1, "Standard auto-tuning", "标准自动调整"),
        (2, "Positioning auto-tuning", "定位模式自动调整")],
      tip=("In the auto-tuning modes the gains of group P5 follow the rigidity level",
           "自动调整模式下P5组增益随刚性等级自动设定")),
    P(6, "Encoder divided output pulses", "编码器分频输出脉冲数", 16, 65535, "p/r", 2500, w=1, e=2,
      tip=("Pulses per motor revolution on the A/B outputs", "电机每转在A/B输出端输出的脉冲数")),
    P(7, "Divided output direction", "分频输出方向", None, None, "", 0, w=1, e=2, enum=[
        (0, "Phase A leads phase B", "A相超前B相"), (1, "Phase B leads phase A", "B相超前A相")]),
    P(8, "Regenerative resistor selection", "再生电阻选择", None, None, "", 0, enum=[
        (0, "Built-in resistor", "使用内置电阻"),
        (1, "External resistor", "使用外接电阻"),
        (2, "No resistor", "不使用电阻")],
      tip=("With an external resistor set P0-09 and P0-10 to its ratings",
           "使用外接电阻时，请按电阻铭牌设置P0-09和P0-10")),
    P(9, "External regenerative resistor power", "外接再生电阻功率", 1, 65535, "W", 40),
    P(10, "External regenerative resistor resistance", "外接再生电阻阻值", 1, 1000, "Ω", 50),
    P(11, "Main circuit power input", "主回路电源输入", None, None, "", 1, w=1, e=2, enum=[
        (0, "Single-phase AC", "单相交流"), (1, "Three-phase AC", "三相交流")]),
    P(12, "Servo-off stop mode", "伺服OFF停机方式", None, None, "", 0, enum=STOP_MODES),
    P(13, "Alarm stop mode", "故障停机方式", None, None, "", 2, enum=STOP_MODES),
    P(14, "Overtravel stop mode", "超程停机方式", None, None, "", 1, enum=[
        (0, "Coast to stop", "自由停车"),
        (1, "Zero-speed stop", "零速停车"),
        (2, "Zero-speed stop and position lock", "零速停车后位置锁定")]),
    P(15, "Power-on monitor item", "上电监视项目", 0, 40, "", 0,
      tip=("Number of the monitor item the panel shows after power-on", "上电后面板显示的监视项目编号")),
    P(16, "Internal servo-on", "内部伺服使能", None, None, "", 0, colon=True, enum=OFF_ON,
      tip=("Enabled: the drive enables itself at power-on without a DI signal; take care that the "
           "machine is safe to move",
           "使能时上电后无需DI信号即自动使能，请确认机械处于安全状态")),
    P(17, "Servo enable delay", "伺服使能延时", 0, 1000, "ms", 0),
    P(18, "Panel password", "面板密码", 0, 65535, "", 0,
      tip=("0 = no password; any other value locks parameter changes on the panel",
           "0表示无密码；设为其他值后面板修改参数需输入密码")),
    RO(53, "Servo enable state", "伺服使能状态", None, None, "", 0, enum=[
        (0, "Disabled", "未使能"), (1, "Enabled", "已使能")],
       tip=("Whether the drive is enabled now; use the Enable button to change it",
            "当前是否已使能；请使用工具栏的使能按钮切换")),
    RO(54, "Servo run state", "伺服运行状态", None, None, "", 0, enum=[
        (0, "Not ready", "未准备好"), (1, "Ready", "准备好"), (2, "Running", "运行中"), (3, "Alarm", "报警")]),
    P(55, "DI logic level", "DI逻辑电平", 0, 0b11111111, "", 0, f=8,
      tip=("Bit n sets the active level of DI(n+1): 0 = high level active, 1 = low level active",
           "第n位设定DI(n+1)的有效电平：0为高电平有效，1为低电平有效")),
    P(57, "DO logic level", "DO逻辑电平", 0, 0b111111, "", 0, f=8,
      tip=("Bit n sets the output level of DO(n+1): 0 = conducting when active, 1 = open when active",
           "第n位设定DO(n+1)的输出电平：0为有效时导通，1为有效时断开")),
    P(149, "Jog speed", "点动速度", 0, 6000, "r/min", 100,
      tip=("Speed of the trial-run jog started from the tool or the panel",
           "通过上位机或面板试运行点动时的速度")),
    P(168, "Trial-run acceleration time", "试运行加速时间", 0, 65535, "ms", 1000,
      tip=("Acceleration time of the trial position run", "试运行位置模式的加速时间")),
    P(169, "Trial-run deceleration time", "试运行减速时间", 0, 65535, "ms", 1000,
      tip=("Deceleration time of the trial position run", "试运行位置模式的减速时间")),
]

P1 = []
for i in range(8):
    P1.append(P(i, "DI%d function" % (i + 1), "DI%d功能选择" % (i + 1), None, None, "",
                di_defaults()[i], w=1, e=1, enum=DI_FUNCTIONS,
                tip=("Function of digital input DI%d; its active level is bit %d of P0-55" % (i + 1, i),
                     "数字输入DI%d的功能；有效电平由P0-55的第%d位设定" % (i + 1, i))))
for i in range(8):
    P1.append(P(8 + i, "DI%d filter time" % (i + 1), "DI%d滤波时间" % (i + 1), 0.0, 100.0, "ms", 2.0,
                f=1, tip=("Input changes shorter than this are ignored", "短于此时间的输入变化将被忽略")))
for i in range(6):
    P1.append(P(20 + i, "DO%d function" % (i + 1), "DO%d功能选择" % (i + 1), None, None, "",
                do_defaults()[i], w=1, e=1, enum=DO_FUNCTIONS,
                tip=("Function of digital output DO%d; its level is bit %d of P0-57" % (i + 1, i),
                     "数字输出DO%d的功能；输出电平由P0-57的第%d位设定" % (i + 1, i))))
for n, base in ((1, 30), (2, 34)):
    P1 += [
        P(base, "AI%d offset" % n, "AI%d偏置" % n, -10.0, 10.0, "V", 0.0, f=3, s=True,
          tip=("Voltage added to the measured AI%d input" % n, "叠加到AI%d实测电压上的偏置" % n)),
        P(base + 1, "AI%d filter time" % n, "AI%d滤波时间" % n, 0.0, 100.0, "ms", 2.0, f=2),
        P(base + 2, "AI%d dead zone" % n, "AI%d死区" % n, 0.0, 1.0, "V", 0.0, f=3,
          tip=("Inputs within ± this voltage count as zero", "输入电压在±此值以内时视为0")),
        P(base + 3, "AI%d zero drift compensation" % n, "AI%d零漂补偿" % n, -500.0, 500.0, "mV", 0.0,
          f=1, s=True),
    ]
for n, base in ((1, 40), (2, 43)):
    P1 += [
        P(base, "AO%d signal" % n, "AO%d输出信号选择" % n, None, None, "", n - 1, enum=AO_SIGNALS),
        P(base + 1, "AO%d offset" % n, "AO%d偏置" % n, -10000, 10000, "mV", 0, s=True),
        P(base + 2, "AO%d gain" % n, "AO%d增益" % n, -99.99, 99.99, "times", 1.0, f=2, s=True),
    ]

GEAR = []
for n, base in ((1, 5), (2, 9)):
    GEAR += [
        P(base, "Electronic gear %d numerator (low word)" % n, "电子齿轮%d分子（低16位）" % n,
          0, 65535, "", 0, w=1,
          tip=("Numerator = high word × 65536 + low word; set both words, e.g. 1048576 is high 16, "
               "low 0", "分子 = 高16位 × 65536 + 低16位；须同时设定两个字，例如1048576为高位16、低位0")),
        P(base + 1, "Electronic gear %d numerator (high word)" % n, "电子齿轮%d分子（高16位）" % n,
          0, 16383, "", 16, w=1),
        P(base + 2, "Electronic gear %d denominator (low word)" % n, "电子齿轮%d分母（低16位）" % n,
          0, 65535, "", 10000, w=1,
          tip=("Denominator = high word × 65536 + low word", "分母 = 高16位 × 65536 + 低16位")),
        P(base + 3, "Electronic gear %d denominator (high word)" % n, "电子齿轮%d分母（高16位）" % n,
          0, 16383, "", 0, w=1),
    ]

SEGMENTS = []
for n in range(1, 9):
    base = 50 + (n - 1) * 4
    SEGMENTS += [
        P(base, "Segment %d displacement (low word)" % n, "第%d段位移（低16位）" % n, 0, 65535, "pulse",
          10000 if n == 1 else 0,
          tip=("Signed 32-bit displacement = high word × 65536 + low word",
               "32位有符号位移 = 高16位 × 65536 + 低16位")),
        P(base + 1, "Segment %d displacement (high word)" % n, "第%d段位移（高16位）" % n, -32768, 32767,
          "", 0, s=True),
        P(base + 2, "Segment %d speed" % n, "第%d段运行速度" % n, 1, 6000, "r/min", 200),
        P(base + 3, "Segment %d acceleration/deceleration time" % n, "第%d段加减速时间" % n, 0, 65535, "ms",
          100),
    ]

P2 = [
    P(0, "Position command source", "位置指令来源", None, None, "", 0, w=1, enum=[
        (0, "Pulse input", "脉冲输入"),
        (1, "Internal position commands", "内部位置指令"),
        (2, "Communication", "通讯给定")]),
    P(1, "Pulse input form", "脉冲输入形式", None, None, "", 0, w=1, e=2, enum=[
        (0, "Pulse + direction, positive logic", "脉冲+方向，正逻辑"),
        (1, "Pulse + direction, negative logic", "脉冲+方向，负逻辑"),
        (2, "A/B quadrature, ×4", "A/B相正交脉冲，4倍频"),
        (3, "CW/CCW pulses", "CW/CCW双脉冲")]),
    P(4, "Command pulses per revolution", "电机每转指令脉冲数", 0, 65535, "pulse", 0, w=1,
      tip=("0: the electronic gear P2-05 to P2-08 applies; other values override it",
           "为0时使用电子齿轮P2-05～P2-08；非0时以此值为准")),
] + GEAR + [
    P(13, "Position command smoothing time", "位置指令平滑滤波时间", 0.0, 128.0, "ms", 0.0, f=1, w=1,
      tip=("First-order filter on the position command; softens starts and stops",
           "对位置指令进行一阶滤波，使启停更平顺")),
    P(14, "Position command FIR filter time", "位置指令FIR滤波时间", 0.0, 128.0, "ms", 0.0, f=1, w=1),
    P(15, "Position deviation clear mode", "位置偏差清除方式", None, None, "", 0, enum=[
        (0, "On servo-off or alarm", "伺服OFF或报警时清除"),
        (1, "On alarm only", "仅报警时清除"),
        (2, "By DI input", "由DI输入清除")]),
    P(16, "Pulse input filter", "脉冲输入滤波", None, None, "", 1, w=1, e=2, enum=[
        (0, "4 MHz", "4 MHz"), (1, "1 MHz", "1 MHz"), (2, "500 kHz", "500 kHz"), (3, "200 kHz", "200 kHz")]),
    P(17, "Excessive position deviation threshold (low word)", "位置偏差过大阈值（低16位）", 0, 65535,
      "pulse", 30000,
      tip=("Threshold = high word × 65536 + low word; 0 turns the check off",
           "阈值 = 高16位 × 65536 + 低16位；为0时不检测")),
    P(18, "Excessive position deviation threshold (high word)", "位置偏差过大阈值（高16位）", 0, 32767,
      "", 0),
    P(20, "Positioning completed condition", "定位完成输出条件", None, None, "", 0, enum=[
        (0, "Deviation within range", "偏差小于定位完成范围"),
        (1, "Deviation within range and command zero", "偏差小于范围且指令为0"),
        (2, "Deviation within range after filtered command zero", "滤波后指令为0且偏差小于范围")]),
    P(21, "Positioning completed range", "定位完成范围", 1, 65535, "pulse", 7,
      tip=("Position deviation up to which 'Positioning completed' is output",
           "位置偏差在此范围内时输出“定位完成”")),
    P(22, "Positioning near range", "定位接近范围", 1, 65535, "pulse", 100),
    P(23, "Positioning completed hold time", "定位完成保持时间", 0, 30000, "ms", 0),
    P(30, "Position parameter unit", "位置参数单位", None, None, "", 0, colon=True, enum=[
        (0, "Command pulse", "指令脉冲"), (1, "0.001 mm", "0.001 mm")],
      tip=("Unit in which the positioning ranges and the home offset are shown and entered",
           "定位范围与原点偏移量的显示和设定单位")),
    P(31, "Homing method", "原点回归方式", None, None, "", 0, enum=[
        (0, "Forward to home switch", "正向回归至原点开关"),
        (1, "Reverse to home switch", "反向回归至原点开关"),
        (2, "Forward to Z pulse", "正向回归至Z脉冲"),
        (3, "Reverse to Z pulse", "反向回归至Z脉冲"),
        (4, "Forward to limit switch", "正向回归至限位开关"),
        (5, "Reverse to limit switch", "反向回归至限位开关"),
        (6, "Current position is home", "以当前位置为原点")]),
    P(32, "Homing start condition", "原点回归启动条件", None, None, "", 0, enum=[
        (0, "Disabled", "关闭"), (1, "By DI input", "由DI输入启动"), (2, "At first enable after power-on", "上电后首次使能时启动")]),
    P(33, "Home offset", "原点偏移量", -32768, 32767, "pulse", 0, s=True,
      tip=("Position assigned to the home point after homing", "原点回归完成后原点处的位置值")),
    P(34, "High homing speed", "原点回归高速", 0, 3000, "r/min", 100),
    P(35, "Low homing speed", "原点回归低速", 0, 1000, "r/min", 10),
    P(36, "Homing acceleration/deceleration time", "原点回归加减速时间", 0, 1000, "ms", 100),
    P(37, "Homing timeout", "原点回归超时时间", 0, 65535, "ms", 10000,
      tip=("0 = no limit", "0表示不限时")),
    P(40, "Internal position run mode", "内部位置运行方式", None, None, "", 0, enum=[
        (0, "Single run", "单次运行"), (1, "Cyclic run", "循环运行"), (2, "Segment selected by DI", "DI选择段号运行")]),
    P(41, "Number of internal position segments", "内部位置段数", 1, 8, "", 1),
    P(42, "Internal displacement type", "内部位移指令类型", None, None, "", 0, enum=[
        (0, "Relative", "相对位移"), (1, "Absolute", "绝对位移")]),
    P(43, "Segment wait time unit", "段间等待时间单位", None, None, "", 0, enum=[
        (0, "ms", "ms"), (1, "s", "s")]),
] + SEGMENTS + [
    P(132, "Trial-run position speed", "试运行位置模式速度", 0, 3000, "r/min", 100,
      tip=("Speed of the trial position run started from the tool", "通过上位机试运行位置模式时的速度")),
]

P3 = [
    P(0, "Speed command source", "速度指令来源", None, None, "", 1, enum=[
        (0, "Analog input AI1", "模拟量输入AI1"),
        (1, "Internal speed commands", "内部速度指令"),
        (2, "AI1 and internal speeds by DI", "AI1与内部速度由DI切换"),
        (3, "Communication", "通讯给定")]),
    P(1, "Speed command resolution", "速度指令分辨率", None, None, "", 0, colon=True, w=1, e=1, enum=[
        (0, "1 r/min", "1 r/min"), (1, "0.1 r/min", "0.1 r/min")],
      tip=("Resolution of the internal speed commands P3-10 to P3-17",
           "内部速度指令P3-10～P3-17的分辨率")),
    P(2, "AI1 speed command gain", "AI1速度指令增益", 10, 6000, "r/min/10V", 3000),
    P(3, "Acceleration time", "加速时间", 0, 65535, "ms", 0,
      tip=("Time to accelerate from 0 to 1000 r/min", "从0加速到1000 r/min所需时间")),
    P(4, "Deceleration time", "减速时间", 0, 65535, "ms", 0,
      tip=("Time to decelerate from 1000 r/min to 0", "从1000 r/min减速到0所需时间")),
    P(5, "S-curve time", "S曲线时间", 0, 1000, "ms", 0),
    P(6, "Zero-speed clamp mode", "零速箝位方式", None, None, "", 0, enum=[
        (0, "Disabled", "无效"),
        (1, "Zero speed by DI", "DI有效时速度指令为0"),
        (2, "Position lock by DI", "DI有效时位置锁定")]),
    P(7, "Zero-speed clamp level", "零速箝位速度", 0, 6000, "r/min", 30),
    P(8, "Forward speed limit", "正向速度限制", 0, "SPDMAX", "r/min", 6000),
    P(9, "Reverse speed limit", "反向速度限制", 0, "SPDMAX", "r/min", 6000),
]
for n in range(8):
    P3.append(P(10 + n, "Internal speed %d" % (n + 1), "内部速度%d" % (n + 1), -6000, 6000, "r/min",
                100 * n, s=True,
                tip=("Selected by the DI functions 'Speed selection 1/2'; negative values turn in reverse",
                     "由DI功能“速度选择1/2”选择；负值表示反转")))
P3 += [
    P(20, "Speed coincidence width", "速度一致幅度", 0, 6000, "r/min", 10),
    P(21, "Speed reached threshold", "速度到达阈值", 0, 6000, "r/min", 1000),
    P(22, "Zero-speed output level", "零速输出阈值", 1, 6000, "r/min", 20),
    P(23, "Speed command filter time", "速度指令滤波时间", 0.0, 100.0, "ms", 0.0, f=2),
    P(24, "Overspeed alarm level", "超速报警阈值", 0, 8000, "r/min", 0, per_version={1: {"hi": 8400}},
      tip=("0 = 1.2 times the maximum motor speed", "0表示电机最高转速的1.2倍")),
]

P4 = [
    P(0, "Torque command source", "转矩指令来源", None, None, "", 1, enum=[
        (0, "Analog input AI2", "模拟量输入AI2"),
        (1, "Internal torque command", "内部转矩指令"),
        (2, "Communication", "通讯给定")]),
    P(1, "Internal torque command", "内部转矩指令", -300.0, 300.0, "%", 0.0, f=1, s=True,
      tip=("Percentage of rated motor torque", "相对电机额定转矩的百分比")),
    P(2, "AI2 torque command gain", "AI2转矩指令增益", 0.0, 300.0, "%/10V", 100.0, f=1),
    P(3, "Torque command filter time 1", "转矩指令滤波时间1", 0.0, 30.0, "ms", 0.8, f=2),
    P(4, "Torque command filter time 2", "转矩指令滤波时间2", 0.0, 30.0, "ms", 0.8, f=2,
      tip=("Used while the second gain set is active", "第二增益有效时使用")),
    P(5, "Torque limit source", "转矩限制来源", None, None, "", 0, enum=[
        (0, "Internal limits P4-06/P4-07", "内部限制P4-06/P4-07"),
        (1, "External limits P4-08/P4-09 by DI", "DI切换外部限制P4-08/P4-09"),
        (2, "Analog input AI2", "模拟量输入AI2")]),
    P(6, "Forward internal torque limit", "正向内部转矩限制", 0.0, 300.0, "%", 300.0, f=1),
    P(7, "Reverse internal torque limit", "反向内部转矩限制", 0.0, 300.0, "%", 300.0, f=1),
    P(8, "Forward external torque limit", "正向外部转矩限制", 0.0, 300.0, "%", 100.0, f=1),
    P(9, "Reverse external torque limit", "反向外部转矩限制", 0.0, 300.0, "%", 100.0, f=1),
    P(10, "Speed limit source in torque mode", "转矩模式速度限制来源", None, None, "", 0, enum=[
        (0, "Internal setting P4-11", "内部设定P4-11"), (1, "Analog input AI1", "模拟量输入AI1")]),
    P(11, "Speed limit in torque mode", "转矩模式速度限制", 0, "SPDMAX", "r/min", 3000),
    P(12, "Torque reached reference", "转矩到达基准值", 0.0, 300.0, "%", 0.0, f=1),
    P(13, "Torque reached on level", "转矩到达有效值", 0.0, 300.0, "%", 20.0, f=1),
    P(14, "Torque reached off level", "转矩到达无效值", 0.0, 300.0, "%", 10.0, f=1),
    P(15, "Emergency stop torque", "紧急停机转矩", 0.0, 300.0, "%", 100.0, f=1),
]

P5 = [
    P(0, "Position loop gain 1", "位置环增益1", 0.0, 2000.0, "1/s", 48.0, f=1,
      per_version={1: {"hi": 3000.0}},
      tip=("Higher values follow the command more closely but may overshoot",
           "增大可提高位置跟随性，过大会产生超调")),
    P(1, "Speed loop gain 1", "速度环增益1", 0.1, 2000.0, "Hz", 27.0, f=1,
      tip=("Raise it for stiffness; lower it if the motor hums", "增大可提高刚性；电机啸叫时请减小")),
    P(2, "Speed loop integral time 1", "速度环积分时间常数1", 0.15, 512.0, "ms", 21.0, f=2,
      tip=("Smaller values remove speed errors faster; 512.00 turns the integral off",
           "减小可更快消除速度偏差；设为512.00时积分无效")),
    P(3, "Speed detection filter time 1", "速度检测滤波时间1", 0.0, 20.0, "ms", 0.0, f=2),
    P(4, "Position loop gain 2", "位置环增益2", 0.0, 2000.0, "1/s", 57.0, f=1,
      per_version={1: {"hi": 3000.0}}),
    P(5, "Speed loop gain 2", "速度环增益2", 0.1, 2000.0, "Hz", 27.0, f=1),
    P(6, "Speed loop integral time 2", "速度环积分时间常数2", 0.15, 512.0, "ms", 512.0, f=2),
    P(7, "Gain switching mode", "增益切换模式", None, None, "", 0, enum=[
        (0, "Gain set 1 only", "固定使用第一增益"),
        (1, "Switch by DI", "由DI切换"),
        (2, "Switch by torque command", "按转矩指令切换"),
        (3, "Switch by speed command", "按速度指令切换"),
        (4, "Switch by position deviation", "按位置偏差切换"),
        (5, "Switch while a position command is present", "有位置指令时切换")]),
    P(8, "Gain switching level", "增益切换等级", 0, 20000, "", 800),
    P(9, "Gain switching hysteresis", "增益切换迟滞", 0, 20000, "", 100),
    P(10, "Gain switching delay", "增益切换延迟时间", 0.0, 1000.0, "ms", 5.0, f=1),
    P(11, "Position gain switching time", "位置增益切换时间", 0.0, 1000.0, "ms", 3.0, f=1),
    P(12, "Load inertia ratio", "负载惯量比", 0.0, 120.0, "times", 1.0, f=2,
      tip=("Load inertia divided by the motor's rotor inertia; measured by inertia identification",
           "负载惯量与电机转子惯量之比，可通过惯量辨识获得")),
    P(13, "Speed feedforward gain", "速度前馈增益", 0.0, 100.0, "%", 0.0, f=1),
    P(14, "Speed feedforward filter time", "速度前馈滤波时间", 0.0, 64.0, "ms", 0.5, f=2),
    P(15, "Torque feedforward gain", "转矩前馈增益", 0.0, 200.0, "%", 0.0, f=1),
    P(16, "Torque feedforward filter time", "转矩前馈滤波时间", 0.0, 64.0, "ms", 0.5, f=2),
    P(17, "Speed loop PDFF coefficient", "速度环PDFF系数", 0, 100, "%", 100,
      tip=("100 % is a PI speed loop; lower values reduce overshoot", "100 %为PI控制；减小可抑制超调")),
    P(18, "Model following control", "模型跟踪控制", None, None, "", 0, colon=True, enum=OFF_ON),
    P(19, "Model following gain", "模型跟踪控制增益", 1.0, 2000.0, "1/s", 40.0, f=1),
]
for n, base in ((1, 20), (2, 23)):
    P5 += [
        P(base, "Notch filter %d frequency" % n, "陷波器%d频率" % n, 50, 5000, "Hz", 5000,
          tip=("5000 Hz turns the notch off", "设为5000 Hz时陷波器无效")),
        P(base + 1, "Notch filter %d width" % n, "陷波器%d宽度" % n, 0, 20, "", 2),
        P(base + 2, "Notch filter %d depth" % n, "陷波器%d深度" % n, 0, 99, "", 0),
    ]
P5 += [
    P(26, "Adaptive notch mode", "自适应陷波模式", None, None, "", 0, enum=[
        (0, "Off", "关闭"),
        (1, "One adaptive notch", "一个自适应陷波器"),
        (2, "Two adaptive notches", "两个自适应陷波器"),
        (3, "Detect resonance only", "仅检测共振频率"),
        (4, "Clear adaptive notches", "清除自适应陷波器")]),
    P(27, "Disturbance observer gain", "扰动观测器增益", 0, 100, "%", 0),
    P(28, "Disturbance observer filter time", "扰动观测器滤波时间", 0.0, 25.0, "ms", 0.8, f=2),
    RO(29, "Detected resonance frequency", "共振频率检测值", 0, 5000, "Hz", 5000),
]

P6 = [
    P(0, "Overtravel inputs", "超程输入", None, None, "", 1, colon=True, enum=OFF_ON,
      tip=("Whether the forward/reverse drive prohibited inputs stop the motor",
           "正/反向驱动禁止输入是否使电机停止")),
    P(1, "Brake release delay", "抱闸打开延时", 0, 500, "ms", 250,
      tip=("Time from servo-on until commands are accepted, so the brake can open",
           "从使能到接收指令的时间，使抱闸完全打开")),
    P(2, "Brake apply delay at standstill", "静止时抱闸关闭延时", 0, 1000, "ms", 150),
    P(3, "Brake output speed when running", "运行中抱闸输出速度", 0, 3000, "r/min", 30),
    P(4, "Brake wait time when running", "运行中抱闸等待时间", 1, 1000, "ms", 500),
    P(5, "Motor overload warning level", "电机过载预警值", 1, 100, "%", 80),
    P(6, "Motor overload derating", "电机过载电流降额", 10, 100, "%", 100),
    P(7, "Input phase loss detection", "输入缺相检测", None, None, "", 1, colon=True, enum=OFF_ON),
    P(8, "Main circuit undervoltage action", "主回路欠压处理", None, None, "", 0, enum=[
        (0, "Alarm", "报警"), (1, "Warning only", "仅警告")]),
    P(9, "Regenerative resistor overload detection", "再生电阻过载检测", None, None, "", 1, colon=True,
      enum=OFF_ON),
    P(10, "Fan control", "风扇控制", None, None, "", 0, enum=[
        (0, "Run while enabled", "使能时运行"),
        (1, "Always run", "始终运行"),
        (2, "Run by temperature", "按温度运行")]),
    P(11, "Absolute encoder mode", "绝对值编码器使用方式", None, None, "", 0, w=1, e=2, enum=[
        (0, "Incremental", "增量模式"),
        (1, "Absolute, linear axis", "绝对值线性模式"),
        (2, "Absolute, rotary axis", "绝对值旋转模式")]),
    P(12, "Locked-rotor protection", "堵转保护", None, None, "", 1, colon=True, enum=OFF_ON),
    P(13, "Locked-rotor detection time", "堵转检测时间", 10, 65535, "ms", 200),
    P(14, "Emergency stop deceleration time", "紧急停机减速时间", 0, 65535, "ms", 50),
    P(15, "Warning mask", "警告屏蔽字", 0, 0xFFFF, "", 0, f=9,
      tip=("Each set bit hides one warning; bit 0 battery, bit 1 fan, bit 2 regenerative load",
           "每一位屏蔽一种警告；bit0电池，bit1风扇，bit2再生负载")),
    P(16, "Drive overheat warning level", "驱动器过热预警温度", 0.0, 120.0, "°C", 85.0, f=1),
    P(17, "Position follow-up at servo-off", "伺服OFF时位置跟随", None, None, "", 1, colon=True, enum=OFF_ON,
      tip=("Enabled: the command follows the actual position while disabled, so no jump at servo-on",
           "使能时伺服OFF期间指令跟随实际位置，再次使能时不会跳动")),
    P(18, "Encoder battery warning", "编码器电池警告", None, None, "", 1, colon=True, enum=OFF_ON, since=1),
    P(19, "Power-loss position save", "掉电位置保存", None, None, "", 0, colon=True, enum=OFF_ON, since=1,
      tip=("Stores the position when the main power fails (incremental mode)",
           "主电源掉电时保存当前位置（增量模式）")),
]

P7 = [
    P(0, "Modbus station number", "Modbus站号", 1, 247, "", 1, e=2,
      tip=("Slave address of the drive on the RS-485 bus", "驱动器在RS-485总线上的从站地址")),
    P(1, "Baud rate", "波特率", None, None, "", 2, e=2, enum=[
        (0, "2400 bps", "2400 bps"), (1, "4800 bps", "4800 bps"), (2, "9600 bps", "9600 bps"),
        (3, "19200 bps", "19200 bps"), (4, "38400 bps", "38400 bps"), (5, "57600 bps", "57600 bps"),
        (6, "115200 bps", "115200 bps")]),
    P(2, "Data format", "数据格式", None, None, "", 3, e=2, enum=[
        (0, "8 data bits, no parity, 2 stop bits", "8位数据，无校验，2位停止位"),
        (1, "8 data bits, even parity, 1 stop bit", "8位数据，偶校验，1位停止位"),
        (2, "8 data bits, odd parity, 1 stop bit", "8位数据，奇校验，1位停止位"),
        (3, "8 data bits, no parity, 1 stop bit", "8位数据，无校验，1位停止位")]),
    P(3, "Response delay", "应答延时", 0, 100, "ms", 0),
    P(4, "Communication timeout", "通讯超时时间", 0, 60000, "ms", 0,
      tip=("0 = no check; otherwise an alarm when no valid frame arrives in time",
           "0表示不检测；否则超时未收到有效帧时报警")),
    P(5, "Store written parameters", "写入参数存储", None, None, "", 1, enum=[
        (0, "RAM only", "仅写入RAM"), (1, "RAM and EEPROM", "写入RAM和EEPROM")],
      tip=("Use 'RAM only' for values that are written often", "频繁写入的参数请选择“仅写入RAM”")),
    P(6, "32-bit word order", "32位数据字顺序", None, None, "", 0, e=2, enum=[
        (0, "Low word first", "低字在前"), (1, "High word first", "高字在前")]),
    P(7, "Enable source", "使能来源", None, None, "", 0, w=1, enum=[
        (0, "DI input", "DI输入"), (1, "Communication", "通讯")]),
    P(8, "Broadcast reply", "广播应答", None, None, "", 0, colon=True, enum=OFF_ON, since=1),
]

P8 = [
    P(0, "Panel default monitor item", "面板默认监视项目", 0, 40, "", 0),
    P(1, "Panel refresh period", "面板刷新周期", 50, 1000, "ms", 200),
    RO(10, "DSP software version", "DSP软件版本", 0.0, 655.35, "", 1.02, f=2,
       per_version={1: {"default": 1.10}}),
    RO(11, "FPGA version", "FPGA版本", 0, 0xFFFF, "", 0x21, f=9,
       per_version={1: {"default": 0x23}}),
    RO(12, "Serial number (upper digits)", "产品序列号（高位）", 0, 65535, "", 2611, f=10,
       tip=("Upper five digits of the serial number on the nameplate", "铭牌序列号的高五位")),
    RO(13, "Serial number (lower digits)", "产品序列号（低位）", 0, 65535, "", 4037, f=10),
    RO(14, "Cumulative power-on time", "累计上电时间", 0, 65535, "h", 0),
    RO(15, "Cumulative running time", "累计运行时间", 0, 65535, "h", 0),
    RO(16, "Present alarm code", "当前报警代码", 0, 255, "", 0),
    RO(17, "Latest alarm code", "最近一次报警代码", 0, 255, "", 0),
    RO(18, "Second latest alarm code", "前第二次报警代码", 0, 255, "", 0),
    RO(19, "Third latest alarm code", "前第三次报警代码", 0, 255, "", 0),
    RO(20, "Feedback pulse count (low word)", "反馈脉冲计数（低16位）", 0, 65535, "pulse", 0,
       tip=("Count = high word × 65536 + low word, signed 32-bit", "计数值 = 高16位 × 65536 + 低16位，32位有符号数")),
    RO(21, "Feedback pulse count (high word)", "反馈脉冲计数（高16位）", -32768, 32767, "", 0, s=True),
    RO(22, "Command pulse count (low word)", "指令脉冲计数（低16位）", 0, 65535, "pulse", 0),
    RO(23, "Command pulse count (high word)", "指令脉冲计数（高16位）", -32768, 32767, "", 0, s=True),
    RO(24, "Encoder multi-turn count", "编码器多圈值", -32768, 32767, "rev", 0, s=True),
    RO(25, "Mechanical angle", "机械角度", 0.0, 360.0, "°", 0.0, f=1),
    RO(26, "Electrical angle", "电角度", 0.0, 360.0, "°", 0.0, f=1),
    RO(27, "Heat sink temperature", "散热器温度", -20.0, 150.0, "°C", 25.0, f=1, s=True),
    RO(28, "Peak torque", "峰值转矩", 0.0, 300.0, "%", 0.0, f=1),
    RO(29, "Average load rate", "平均负载率", 0.0, 300.0, "%", 0.0, f=1),
    RO(30, "Regenerative load rate", "再生负载率", 0.0, 100.0, "%", 0.0, f=1),
]

P9 = [
    P(0, "Motor code", "电机编号", 0, 65535, "", 1207, w=1, e=2,
      tip=("Selects the motor data set; P9-01 to P9-12 then follow it", "选择电机参数组；P9-01～P9-12随之更新")),
    P(1, "Motor rated power", "电机额定功率", 0.05, 65.0, "kW", 0.75, f=2, w=1, e=2),
    P(2, "Motor rated current", "电机额定电流", 0.01, 300.0, "A", 4.7, f=2, w=1, e=2),
    P(3, "Motor maximum current", "电机最大电流", 0.01, 600.0, "A", 14.1, f=2, w=1, e=2),
    P(4, "Motor rated speed", "电机额定转速", 1, 6000, "r/min", 3000, w=1, e=2),
    P(5, "Motor maximum speed", "电机最高转速", 1, "SPDMAX", "r/min", 5000, w=1, e=2),
    P(6, "Motor pole pairs", "电机极对数", 1, 31, "", 5, w=1, e=2),
    P(7, "Motor rated torque", "电机额定转矩", 0.01, 655.35, "N·m", 2.39, f=2, w=1, e=2),
    P(8, "Torque constant", "转矩系数", 0.0001, 6.5535, "N·m/A", 0.5085, f=4, w=1, e=2),
    P(9, "Back-EMF constant", "反电动势系数", 0.00001, 0.65535, "V/(r/min)", 0.0307, f=5, w=1, e=2,
      tip=("Line-to-line peak voltage per r/min", "每r/min对应的线间反电动势峰值")),
    P(10, "Rotor inertia", "转子惯量", 0.000001, 0.065535, "kg·m²", 0.00012, f=6, w=1, e=2),
    P(11, "Phase resistance", "相电阻", 0.001, 65.535, "Ω", 0.9, f=3, w=1, e=2),
    P(12, "Phase inductance", "相电感", 0.0000001, 0.0065535, "H", 0.0032, f=7, w=1, e=2),
    P(13, "Encoder type", "编码器类型", None, None, "", 2, w=1, e=2, enum=[
        (0, "2500-line incremental", "2500线增量式"),
        (1, "17-bit serial, single-turn", "17位串行单圈"),
        (2, "17-bit serial, multi-turn", "17位串行多圈"),
        (3, "23-bit serial, multi-turn", "23位串行多圈")]),
    P(14, "Current loop bandwidth", "电流环带宽", 100, 5000, "Hz", 1500, w=1),
    P(15, "Current loop integral time", "电流环积分时间", 0.01, 100.0, "ms", 0.8, f=2, w=1),
    P(16, "Dead-time compensation", "死区补偿时间", 0.0, 10.0, "µs", 1.5, f=2, w=1),
    P(17, "U-phase current offset", "U相电流零偏", -2048, 2047, "", 0, s=True, w=1),
    P(18, "V-phase current offset", "V相电流零偏", -2048, 2047, "", 0, s=True, w=1),
    RO(19, "Drive rated current", "驱动器额定电流", 0.0, 6553.5, "A", 5.5, f=1),
    RO(20, "Drive maximum current", "驱动器最大电流", 0.0, 6553.5, "A", 16.9, f=1),
    P(21, "Bus overvoltage threshold", "母线过压阈值", 300, 450, "V", 420, w=1, e=2),
    P(22, "Bus undervoltage threshold", "母线欠压阈值", 150, 300, "V", 200, w=1, e=2),
    P(23, "Module overheat threshold", "模块过热阈值", 60.0, 120.0, "°C", 95.0, f=1, w=1, e=2),
    P(24, "Factory test mode", "出厂测试模式", None, None, "", 0, colon=True, enum=OFF_ON, w=1, e=2),
]

PA = [
    P(0, "Low-frequency vibration frequency 1", "低频振动抑制频率1", 1.0, 100.0, "Hz", 100.0, f=1,
      tip=("Frequency of the end-point vibration to suppress; 100.0 turns it off",
           "需要抑制的末端振动频率；设为100.0时无效")),
    P(1, "Low-frequency vibration damping 1", "低频振动抑制阻尼1", 0, 200, "%", 100),
    P(2, "Low-frequency vibration frequency 2", "低频振动抑制频率2", 1.0, 100.0, "Hz", 100.0, f=1),
    P(3, "Low-frequency vibration damping 2", "低频振动抑制阻尼2", 0, 200, "%", 100),
    P(4, "Vibration suppression switching", "振动抑制切换", None, None, "", 0, enum=[
        (0, "Frequency 1 only", "仅使用频率1"), (1, "Switch by DI", "由DI切换"),
        (2, "Switch by command direction", "按指令方向切换")]),
]
for n, base in ((3, 5), (4, 8)):
    PA += [
        P(base, "Notch filter %d frequency" % n, "陷波器%d频率" % n, 50, 5000, "Hz", 5000),
        P(base + 1, "Notch filter %d width" % n, "陷波器%d宽度" % n, 0, 20, "", 2),
        P(base + 2, "Notch filter %d depth" % n, "陷波器%d深度" % n, 0, 99, "", 0),
    ]
PA += [
    P(11, "Speed observer", "速度观测器", None, None, "", 0, colon=True, enum=OFF_ON),
    P(12, "Speed observer gain", "速度观测器增益", 10, 1000, "Hz", 170),
]

GROUPS = [
    Group("P0", "Basic settings", "基本设定", "0", P0),
    Group("P1", "Terminal inputs and outputs", "端子输入输出", "1", P1),
    Group("P2", "Position control", "位置控制", "2", P2),
    Group("P3", "Speed control", "速度控制", "3", P3),
    Group("P4", "Torque control", "转矩控制", "4", P4),
    Group("P5", "Gain adjustment", "增益调整", "5", P5),
    Group("P6", "Auxiliary and protection", "辅助与保护", "6", P6),
    Group("P7", "Communication", "通讯参数", "7", P7),
    Group("P8", "Monitor and information", "监视与信息", "8", P8),
    Group("P9", "Manufacturer parameters", "厂家参数", "9", P9, authority=1),
    Group("PA", "Vibration suppression", "振动抑制", "A", PA, since=1),
]

# The status block the monitor page reads (0x1000-0x101B) and, from 0x1100, quantities that only
# the scope samples.
VARIABLES = [
    Variable("U0-00", "Speed feedback (r/min)", "速度反馈 (r/min)", 0x1000, 1, 0, True),
    Variable("U0-01", "Position feedback (pulse)", "位置反馈 (脉冲)", 0x1001, 2, 0, True),
    Variable("U0-03", "Position command (pulse)", "位置指令 (脉冲)", 0x1003, 2, 0, True),
    Variable("U0-05", "Following error (pulse)", "位置偏差 (脉冲)", 0x1005, 2, 0, True),
    Variable("U0-07", "Torque feedback (%)", "转矩反馈 (%)", 0x1007, 1, 0, True),
    Variable("U0-08", "Motor current (A)", "电机电流 (A)", 0x1008, 1, 2),
    Variable("U0-10", "Drive temperature (°C)", "驱动器温度 (°C)", 0x100A, 1, 1),
    Variable("U0-11", "Speed command (r/min)", "速度指令 (r/min)", 0x100B, 1, 0, True),
    Variable("U0-12", "Torque command (%)", "转矩指令 (%)", 0x100C, 1, 0, True),
    Variable("U0-13", "Single-turn absolute position", "单圈绝对位置", 0x100D, 2, 0),
    Variable("U0-15", "DI states", "DI状态", 0x100F, 1, 8),
    Variable("U0-16", "DO states", "DO状态", 0x1010, 1, 8),
    Variable("U0-18", "Bus voltage (V)", "母线电压 (V)", 0x1012, 1, 0),
    Variable("U0-19", "Alarm code", "报警代码", 0x1013, 1, 0),
    Variable("U1-00", "AI1 voltage (V)", "AI1电压 (V)", 0x1100, 1, 2, True),
    Variable("U1-01", "AI2 voltage (V)", "AI2电压 (V)", 0x1101, 1, 2, True),
    Variable("U1-02", "U-phase current (A)", "U相电流 (A)", 0x1102, 1, 2, True),
    Variable("U1-03", "V-phase current (A)", "V相电流 (A)", 0x1103, 1, 2, True),
    Variable("U1-04", "Load rate (%)", "负载率 (%)", 0x1104, 1, 1),
    Variable("U1-05", "Regenerative load rate (%)", "再生负载率 (%)", 0x1105, 1, 1),
    Variable("U1-06", "Command pulse frequency (kHz)", "指令脉冲频率 (kHz)", 0x1106, 1, 1, True),
    Variable("U1-07", "Electrical angle (°)", "电角度 (°)", 0x1107, 1, 1, since=1),
]

# Alarm numbers as the drive reports them in word 19 of the status block.
FAULTS = [
    Fault(0, "No alarm", "无报警"),
    Fault(1, "Overspeed", "超速"),
    Fault(2, "Main circuit overvoltage", "主回路过压"),
    Fault(3, "Main circuit undervoltage", "主回路欠压"),
    Fault(4, "Excessive position deviation", "位置偏差过大"),
    Fault(5, "Drive overheat", "驱动器过热"),
    Fault(6, "Speed amplifier saturation", "速度放大器饱和"),
    Fault(7, "Drive prohibition error", "驱动禁止异常"),
    Fault(8, "Position deviation counter overflow", "位置偏差计数器溢出"),
    Fault(10, "Motor power cable disconnected", "电机动力线断开"),
    Fault(11, "IPM module fault", "IPM模块故障"),
    Fault(13, "Drive overload", "驱动器过载"),
    Fault(14, "Brake circuit fault", "制动电路故障"),
    Fault(18, "Relay fault", "继电器故障"),
    Fault(19, "Brake delay error", "抱闸延时错误"),
    Fault(20, "EEPROM error", "EEPROM错误"),
    Fault(21, "FPGA fault", "FPGA故障"),
    Fault(22, "Drive and encoder parameters do not match", "驱动器与编码器参数不匹配"),
    Fault(23, "Current sampling circuit fault", "电流采样电路故障"),
    Fault(29, "User torque overload", "用户转矩过载"),
    Fault(31, "Encoder UVW signal error", "编码器UVW信号错误"),
    Fault(32, "Encoder UVW illegal code", "编码器UVW非法编码"),
    Fault(33, "UVW signal fault", "UVW信号故障"),
    Fault(34, "UVW signal unstable", "UVW信号不稳定"),
    Fault(36, "Wire-saving encoder in illegal state too long", "省线式编码器非法状态过长"),
    Fault(38, "Encoder EEPROM communication failure", "编码器EEPROM通讯失败"),
    Fault(39, "Data CRC error", "数据CRC校验错误"),
    Fault(40, "Drive model not supported", "不支持的机型"),
    Fault(41, "Motor model must be changed", "需要切换电机型号"),
    Fault(42, "AC input voltage too low", "交流输入电压过低"),
    Fault(46, "Main circuit undervoltage at power-on", "上电时主回路欠压"),
    Fault(47, "Main circuit overvoltage at power-on", "上电时主回路过压"),
    Fault(50, "Encoder disconnected", "编码器断线"),
    Fault(51, "Encoder communication error", "编码器通讯异常"),
    Fault(52, "Encoder battery low", "编码器电池电压低"),
    Fault(53, "Encoder battery failure", "编码器电池故障"),
    Fault(54, "Encoder multi-turn data error", "编码器多圈数据错误"),
    Fault(55, "Five consecutive CRC errors", "连续5次CRC校验错误"),
    Fault(56, "Modbus frame too long", "Modbus帧过长"),
    Fault(57, "Modbus frame format error", "Modbus通讯格式异常"),
    Fault(58, "Single-turn position error", "单圈位置值错误"),
    Fault(59, "Encoder reported a fault", "编码器上报故障"),
    Fault(60, "Motor overload", "电机过载", since=1),
    Fault(61, "Power loss during position save", "位置保存时掉电", since=1),
]

CONTROL_FUNCTIONS = [
    ControlFunction("P2-30", [Trigger(0, "pulse", 0), Trigger(1, "mm", 3)],
                    ["P2-21", "P2-22", "P2-33"]),
    ControlFunction("P3-01", [Trigger(0, "r/min", 0), Trigger(1, "r/min", 1)],
                    ["P3-%02d" % i for i in range(10, 18)]),
]



# Help texts of parameters whose name alone does not say enough; kept apart so the tables above
# stay readable.
MORE_TIPS = {
    "P0-09": ("Continuous power rating of the external resistor", "外接再生电阻的额定功率"),
    "P0-10": ("Resistance of the external resistor; below the drive's minimum the drive may be damaged",
              "外接再生电阻的阻值；低于驱动器允许的最小值会损坏驱动器"),
    "P0-12": ("How the motor stops when the drive is disabled", "伺服使能关闭时电机的停止方式"),
    "P0-13": ("How the motor stops when an alarm trips the drive", "发生故障报警时电机的停止方式"),
    "P0-14": ("How the motor stops when an overtravel input becomes active", "超程输入有效时电机的停止方式"),
    "P0-17": ("Delay from the enable signal until the motor is energised", "从使能信号到电机通电的延时"),
    "P1-32": ("Inputs within ± this voltage count as zero", "输入电压在±此值以内时视为0"),
    "P1-40": ("Quantity output on analog output AO1", "模拟量输出AO1输出的物理量"),
    "P1-43": ("Quantity output on analog output AO2", "模拟量输出AO2输出的物理量"),
    "P1-42": ("Scale of AO1; negative values invert the output", "AO1的输出比例；负值表示反向输出"),
    "P1-45": ("Scale of AO2; negative values invert the output", "AO2的输出比例；负值表示反向输出"),
    "P2-00": ("Where position commands come from in position mode", "位置模式下位置指令的来源"),
    "P2-01": ("Must match the pulse output of the controller", "须与上位控制器的脉冲输出形式一致"),
    "P2-15": ("When the position deviation counter is cleared", "位置偏差计数器的清除时机"),
    "P2-16": ("Lower values suppress noise on slow pulse trains", "较低的设定可滤除低频脉冲上的干扰"),
    "P2-22": ("Deviation up to which 'Positioning near' is output", "位置偏差在此范围内时输出“定位接近”"),
    "P2-23": ("Minimum time 'Positioning completed' stays on", "“定位完成”信号的最短保持时间"),
    "P2-31": ("Direction and signal used to find the home position", "寻找原点时的方向和使用的信号"),
    "P2-34": ("Speed while searching for the home switch", "搜索原点开关时的速度"),
    "P2-35": ("Speed while searching for the Z pulse after the switch", "找到原点开关后搜索Z脉冲时的速度"),
    "P2-41": ("Segments run in order from segment 1", "从第1段开始依次运行"),
    "P3-00": ("Where speed commands come from in speed mode", "速度模式下速度指令的来源"),
    "P3-02": ("Speed commanded by 10 V on AI1", "AI1输入10 V时对应的速度指令"),
    "P3-05": ("Rounds the corners of the speed ramp", "使速度加减速的拐角变得平滑"),
    "P3-07": ("Speed below which the zero-speed clamp holds the motor", "零速箝位生效的速度阈值"),
    "P3-08": ("Highest speed allowed in the forward direction", "正转方向允许的最高速度"),
    "P3-09": ("Highest speed allowed in the reverse direction", "反转方向允许的最高速度"),
    "P3-20": ("Speed error within which 'Speed coincidence' is output", "速度偏差在此范围内时输出“速度一致”"),
    "P3-21": ("Speed above which 'Speed reached' is output", "速度超过此值时输出“速度到达”"),
    "P3-22": ("Speed below which 'Zero speed' is output", "速度低于此值时输出“零速”"),
    "P4-00": ("Where torque commands come from in torque mode", "转矩模式下转矩指令的来源"),
    "P4-02": ("Torque commanded by 10 V on AI2, in % of rated torque", "AI2输入10 V时对应的转矩指令（额定转矩百分比）"),
    "P4-03": ("Low-pass filter on the torque command; raise it against noise, lower it for response",
              "转矩指令低通滤波；增大可抑制噪声，减小可提高响应"),
    "P4-06": ("Maximum torque in the forward direction, in % of rated torque", "正转方向的最大转矩（额定转矩百分比）"),
    "P4-07": ("Maximum torque in the reverse direction, in % of rated torque", "反转方向的最大转矩（额定转矩百分比）"),
    "P4-08": ("Forward limit while the DI 'Forward torque limit' is active", "DI“正向转矩限制”有效时的正向转矩限制值"),
    "P4-09": ("Reverse limit while the DI 'Reverse torque limit' is active", "DI“反向转矩限制”有效时的反向转矩限制值"),
    "P4-11": ("Speed the motor may reach in torque mode before the speed limit takes over",
              "转矩模式下电机允许达到的最高速度"),
    "P4-15": ("Torque used to brake the motor on an emergency stop", "紧急停机时用于制动的转矩"),
    "P5-03": ("Filter on the speed feedback; raise it when the motor is noisy", "速度反馈滤波；电机噪声大时可增大"),
    "P5-04": ("Used while the second gain set is active", "第二增益有效时使用"),
    "P5-07": ("When the drive changes from gain set 1 to gain set 2", "从第一增益切换到第二增益的条件"),
    "P5-13": ("Adds the speed of the position command to the speed loop; shortens settling",
              "将位置指令的速度叠加到速度环，可缩短整定时间"),
    "P5-15": ("Adds the acceleration torque of the command; needs a correct inertia ratio",
              "叠加指令加速所需的转矩；需正确设置惯量比"),
    "P5-20": ("Centre frequency of the resonance to suppress; 5000 Hz turns the notch off",
              "需要抑制的共振中心频率；设为5000 Hz时陷波器无效"),
    "P5-26": ("Lets the drive find and set the notch filters itself", "由驱动器自动检测并设定陷波器"),
    "P5-27": ("Estimates and cancels load disturbances; raise it step by step", "估计并补偿负载扰动；请逐步增大"),
    "P5-29": ("Last resonance frequency found by the adaptive notch", "自适应陷波最近检测到的共振频率"),
    "P6-03": ("Below this speed the brake output switches while the motor is turning",
              "运行中电机转速低于此值时抱闸输出动作"),
    "P6-04": ("Longest wait for the speed to fall before the brake output switches",
              "运行中抱闸输出前等待转速下降的最长时间"),
    "P6-05": ("Load rate at which the overload warning is output", "输出过载预警的负载率"),
    "P6-10": ("When the cooling fan runs", "散热风扇的运行方式"),
    "P6-11": ("Incremental or absolute use of a multi-turn encoder", "多圈编码器按增量或绝对值方式使用"),
    "P6-13": ("Time the motor may stand still at high torque before the alarm", "电机在大转矩下静止多长时间后报警"),
    "P6-16": ("Heat sink temperature at which a warning is output", "散热器温度超过此值时输出警告"),
    "P7-01": ("Must match the master's setting", "须与主站设定一致"),
    "P7-02": ("Must match the master's setting", "须与主站设定一致"),
    "P7-03": ("Extra wait before the drive answers a request", "驱动器应答前附加的等待时间"),
    "P7-06": ("Order of the two words of 32-bit values on the bus", "32位数据在总线上两个字的顺序"),
    "P7-07": ("Whether DI 'Servo enable' or the communication register enables the drive",
              "由DI“伺服使能”或通讯寄存器控制使能"),
    "P8-00": ("Monitor item shown on the panel display", "面板显示的监视项目"),
    "P8-14": ("Hours the drive has been powered", "驱动器累计通电小时数"),
    "P8-15": ("Hours the motor has been running", "电机累计运行小时数"),
    "P8-16": ("0 = no alarm", "0表示无报警"),
    "P8-24": ("Revolutions counted by a multi-turn encoder", "多圈编码器记录的圈数"),
    "P9-01": ("From the motor nameplate; normally set through the motor code", "按电机铭牌设定；通常由电机编号自动设定"),
    "P9-02": ("From the motor nameplate", "按电机铭牌设定"),
    "P9-06": ("Number of magnetic pole pairs of the motor", "电机的磁极对数"),
    "P9-13": ("Encoder fitted to the motor", "电机所配编码器的类型"),
    "P9-14": ("Bandwidth of the current loop; set by the factory for each motor", "电流环带宽，出厂时按电机设定"),
    "P9-17": ("Measured at the factory; do not change", "出厂时测定，请勿修改"),
    "P9-18": ("Measured at the factory; do not change", "出厂时测定，请勿修改"),
    "PA-04": ("Which vibration suppression frequency is used", "选择使用哪一个振动抑制频率"),
    "PA-11": ("Estimates the speed from the motor model; reduces noise at low speed",
              "根据电机模型估算速度，可降低低速时的噪声"),
}

apply_tips(GROUPS, MORE_TIPS)

FAMILY = Family("SERVO", VERSIONS, GROUPS, VARIABLES, FAULTS, CONTROL_FUNCTIONS)
