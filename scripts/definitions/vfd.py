# SPDX-License-Identifier: GPL-3.0-or-later
"""KVF variable-frequency drive: parameters, scope variables, faults and control functions.

Register map of the drive: Pn-xx lives at 0xFn00 | xx (P0 = 0xF0xx ... PF = 0xFFxx), the second
motor group B2 at 0xB2xx, the monitoring group D0 at 0x70xx. The command, status and fault
registers (0x1F00, 0x2000, 0x3000, 0x8000, 0xFD00...) and the low registers that the keypad
mirrors are not parameters.
Version index 0 is KVF-V2.0, index 1 is KVF-V2.1.
"""

from model import (ControlFunction, Family, Fault, Group, P, RO, Trigger, Variable, NO_YES, OFF_ON,
                   apply_tips)

VERSIONS = ["KVF-V2.0", "KVF-V2.1"]

COMMAND_REGISTERS = {2, 3, 8, 0x1F00, 0x1F01, 0x2000, 0x3000, 0x8000, 0xFD00, 0xFD01, 0xFD02}


def symbols(version):
    # V2.1 firmware raised the highest output frequency from 320 Hz to 500 Hz.
    return {"FMAX": 320.0 if version == 0 else 500.0}


def freq(index, en, cn, default, lo=0.0, hi="FMAX", tip=("", ""), w=2, since=0):
    """A frequency whose decimals follow P0-22 (frequency resolution)."""
    return P(index, en, cn, lo, hi, "Hz", default, w=w, e=1 if w else 0, f=2, tip=tip, since=since)


def acc(index, en, cn, default=20.0, tip=("", ""), since=0):
    """An acceleration or deceleration time whose decimals follow P0-19."""
    return P(index, en, cn, 0.0, 6500.0, "s", default, f=1, tip=tip, since=since)


SOURCES = [
    (0, "Digital setting (not retained at power-off)", "数字设定（掉电不记忆）"),
    (1, "Digital setting (retained at power-off)", "数字设定（掉电记忆）"),
    (2, "AI1", "AI1"),
    (3, "AI2", "AI2"),
    (4, "AI3", "AI3"),
    (5, "Pulse input (DI5)", "脉冲输入（DI5）"),
    (6, "Multi-reference", "多段指令"),
    (7, "Simple PLC", "简易PLC"),
    (8, "PID", "PID"),
    (9, "Communication", "通讯给定"),
]

VFD_DI = [
    (0, "No function", "无功能"),
    (1, "Forward run (FWD)", "正转运行（FWD）"),
    (2, "Reverse run (REV)", "反转运行（REV）"),
    (3, "Three-wire control", "三线式运行控制"),
    (4, "Forward jog (FJOG)", "正转点动（FJOG）"),
    (5, "Reverse jog (RJOG)", "反转点动（RJOG）"),
    (6, "Terminal UP", "端子UP"),
    (7, "Terminal DOWN", "端子DOWN"),
    (8, "Coast to stop", "自由停车"),
    (9, "Fault reset (RESET)", "故障复位（RESET）"),
    (10, "Run pause", "运行暂停"),
    (11, "External fault, normally open", "外部故障常开输入"),
    (12, "Multi-reference terminal 1", "多段指令端子1"),
    (13, "Multi-reference terminal 2", "多段指令端子2"),
    (14, "Multi-reference terminal 3", "多段指令端子3"),
    (15, "Multi-reference terminal 4", "多段指令端子4"),
    (16, "Acceleration/deceleration time selection 1", "加减速时间选择端子1"),
    (17, "Acceleration/deceleration time selection 2", "加减速时间选择端子2"),
    (18, "Frequency source switchover", "频率源切换"),
    (19, "UP/DOWN setting clear", "UP/DOWN设定清零"),
    (20, "Command source switchover 1", "运行命令切换端子1"),
    (21, "Acceleration/deceleration prohibited", "加减速禁止"),
    (22, "PID pause", "PID暂停"),
    (23, "PLC state reset", "PLC状态复位"),
    (24, "Swing frequency pause", "摆频暂停"),
    (25, "Counter input", "计数器输入"),
    (26, "Counter reset", "计数器复位"),
    (27, "Length count input", "长度计数输入"),
    (28, "Length reset", "长度复位"),
    (29, "Torque control prohibited", "转矩控制禁止"),
    (30, "Pulse frequency input (DI5 only)", "脉冲频率输入（仅DI5有效）"),
    (32, "Immediate DC braking", "立即直流制动"),
    (33, "External fault, normally closed", "外部故障常闭输入"),
    (34, "Frequency change prohibited", "频率修改使能禁止"),
    (35, "PID action direction reversal", "PID作用方向取反"),
    (36, "External stop 1", "外部停车端子1"),
    (37, "Command source switchover 2", "运行命令切换端子2"),
    (38, "PID integral pause", "PID积分暂停"),
    (39, "Switch main frequency X to preset frequency", "主频率X与预置频率切换"),
    (40, "Switch auxiliary frequency Y to preset frequency", "辅助频率Y与预置频率切换"),
    (41, "Motor selection", "电机选择端子"),
    (43, "PID parameter switchover", "PID参数切换"),
    (44, "User-defined fault 1", "用户自定义故障1"),
    (45, "User-defined fault 2", "用户自定义故障2"),
    (46, "Speed/torque control switchover", "速度控制/转矩控制切换"),
    (47, "Emergency stop", "紧急停车"),
    (48, "External stop 2", "外部停车端子2"),
    (49, "Deceleration DC braking", "减速直流制动"),
    (50, "Clear present running time", "本次运行时间清零"),
]

VFD_DO = [
    (0, "No output", "无输出"),
    (1, "Drive running", "变频器运行中"),
    (2, "Fault output (coast stop)", "故障输出（自由停机故障）"),
    (3, "Frequency level detection FDT1", "频率水平检测FDT1输出"),
    (4, "Frequency reached", "频率到达"),
    (5, "Zero-speed running (no output at stop)", "零速运行中（停机时不输出）"),
    (6, "Motor overload pre-warning", "电机过载预报警"),
    (7, "Drive overload pre-warning", "变频器过载预报警"),
    (8, "Set count value reached", "设定记数值到达"),
    (9, "Designated count value reached", "指定计数值到达"),
    (10, "Length reached", "长度到达"),
    (11, "PLC cycle completed", "PLC循环完成"),
    (12, "Cumulative running time reached", "累计运行时间到达"),
    (13, "Frequency limited", "频率限定中"),
    (14, "Torque limited", "转矩限定中"),
    (15, "Ready to run", "运行准备就绪"),
    (16, "AI1 greater than AI2", "AI1大于AI2"),
    (17, "Upper frequency limit reached", "上限频率到达"),
    (18, "Lower frequency limit reached (no output at stop)", "下限频率到达（停机不输出）"),
    (19, "Undervoltage", "欠压状态输出"),
    (20, "Communication setting", "通讯设定"),
    (23, "Zero-speed running 2 (output at stop)", "零速运行中2（停机时也输出）"),
    (24, "Cumulative power-on time reached", "累计上电时间到达"),
    (25, "Frequency level detection FDT2", "频率水平检测FDT2输出"),
    (26, "Frequency 1 reached", "频率1到达输出"),
    (27, "Frequency 2 reached", "频率2到达输出"),
    (28, "Current 1 reached", "电流1到达输出"),
    (29, "Current 2 reached", "电流2到达输出"),
    (30, "Timing reached", "定时到达输出"),
    (31, "AI1 input out of limits", "AI1输入超限"),
    (32, "Load lost", "掉载中"),
    (33, "Reverse running", "反向运行中"),
    (34, "Zero current", "零电流状态"),
    (35, "Module temperature reached", "模块温度到达"),
    (36, "Output current over limit", "输出电流超限"),
    (37, "Lower frequency limit reached (output at stop)", "下限频率到达（停机也输出）"),
    (38, "Alarm output", "告警输出"),
    (39, "Motor overheat warning", "电机过温预报警"),
    (40, "Present running time reached", "本次运行时间到达"),
    (41, "Fault output (not at undervoltage)", "故障输出（欠压不输出）"),
]

VFD_AO = [
    (0, "Running frequency", "运行频率"),
    (1, "Set frequency", "设定频率"),
    (2, "Output current", "输出电流"),
    (3, "Output torque (absolute)", "输出转矩（绝对值）"),
    (4, "Output power", "输出功率"),
    (5, "Output voltage", "输出电压"),
    (6, "Pulse input", "脉冲输入"),
    (7, "AI1", "AI1"),
    (8, "AI2", "AI2"),
    (9, "AI3", "AI3"),
    (10, "Length", "长度"),
    (11, "Count value", "计数值"),
    (12, "Communication setting", "通讯设定"),
    (13, "Motor speed", "电机转速"),
    (14, "Output current (0.0 to 1000.0 A)", "输出电流（0.0～1000.0 A）"),
    (15, "Output voltage (0.0 to 1000.0 V)", "输出电压（0.0～1000.0 V）"),
    (16, "Output torque (signed)", "输出转矩（带方向）"),
]

CONTROL_MODES = [
    (0, "Sensorless vector control (SVC)", "无速度传感器矢量控制（SVC）"),
    (1, "Closed-loop vector control (FVC)", "有速度传感器矢量控制（FVC）"),
    (2, "V/F control", "V/F控制"),
]

TORQUE_LIMIT_SOURCES = [
    (0, "Digital setting", "数字设定"), (1, "AI1", "AI1"), (2, "AI2", "AI2"), (3, "AI3", "AI3"),
    (4, "Pulse input", "脉冲输入"), (5, "Communication", "通讯给定"),
    (6, "Lesser of AI1 and AI2", "MIN(AI1,AI2)"), (7, "Greater of AI1 and AI2", "MAX(AI1,AI2)"),
]

P0 = [
    RO(0, "G/P type", "GP类型显示", None, None, "", 1, enum=[
        (1, "G type (constant torque load)", "G型（恒转矩负载机型）"),
        (2, "P type (fan and pump load)", "P型（风机水泵类负载机型）")]),
    P(1, "Motor 1 control mode", "第1电机控制方式", None, None, "", 2, w=1, enum=CONTROL_MODES,
      tip=("Vector control needs the motor parameters of group P1; tune the motor first",
           "矢量控制需正确设置P1组电机参数，请先进行电机参数自学习")),
    P(2, "Command source", "命令源选择", None, None, "", 0, enum=[
        (0, "Operation panel", "操作面板命令通道"),
        (1, "Terminals", "端子命令通道"),
        (2, "Communication", "通讯命令通道")],
      tip=("Where run and stop commands come from; the control panel page needs 2 (communication)",
           "运行和停机命令的来源；控制面板页面需要设为2（通讯）")),
    P(3, "Main frequency source X", "主频率源X选择", None, None, "", 0, w=1, enum=SOURCES),
    P(4, "Auxiliary frequency source Y", "辅助频率源Y选择", None, None, "", 0, w=1, enum=SOURCES),
    P(5, "Range of auxiliary frequency Y", "辅助频率源Y范围选择", None, None, "", 0, enum=[
        (0, "Relative to maximum frequency", "相对于最大频率"),
        (1, "Relative to main frequency X", "相对于频率源X")]),
    P(6, "Auxiliary frequency Y range", "辅助频率源Y范围", 0, 150, "%", 100),
    P(7, "Frequency source combination", "频率源叠加选择", 0, 0x34, "", 0, f=9,
      tip=("Units digit: 0 X, 1 X and Y combined, 2 X or combination, 3 X or Y, 4 Y or combination; "
           "tens digit: 0 X+Y, 1 X-Y, 2 maximum, 3 minimum",
           "个位：0主频率源X，1主辅运算结果，2 X与运算结果切换，3 X与Y切换，4 Y与运算结果切换；"
           "十位：0主+辅，1主-辅，2二者最大值，3二者最小值")),
    freq(8, "Preset frequency", "预置频率", 50.0,
         tip=("Frequency used with the digital frequency setting", "频率源为数字设定时的初始频率值")),
    P(9, "Running direction", "运行方向", None, None, "", 0, enum=[
        (0, "Default direction", "方向一致"), (1, "Reversed direction", "方向相反")]),
    P(10, "Maximum frequency", "最大频率", 50.0, "FMAX", "Hz", 50.0, w=1, f=2,
      tip=("With 0.1 Hz resolution (P0-22 = 1) the range is ten times larger",
           "频率分辨率为0.1 Hz（P0-22=1）时范围扩大十倍")),
    P(11, "Upper frequency limit source", "上限频率源", None, None, "", 0, w=1, enum=[
        (0, "P0-12", "P0-12设定"), (1, "AI1", "AI1"), (2, "AI2", "AI2"), (3, "AI3", "AI3"),
        (4, "Pulse input", "脉冲输入"), (5, "Communication", "通讯给定")]),
    freq(12, "Upper frequency limit", "上限频率", 50.0),
    freq(13, "Upper frequency limit offset", "上限频率偏置", 0.0),
    freq(14, "Lower frequency limit", "下限频率", 0.0),
    P(15, "Carrier frequency", "载波频率", 0.5, 16.0, "kHz", 6.0, f=1,
      tip=("Higher carrier frequencies lower motor noise but raise drive losses",
           "提高载波频率可降低电机噪声，但会增加变频器损耗")),
    P(16, "Carrier frequency adjusts with temperature", "载波频率随温度调整", None, None, "", 1, enum=NO_YES),
    acc(17, "Acceleration time 1", "加速时间1",
        tip=("Time from 0 Hz to the base frequency of P0-25", "从0 Hz加速到P0-25所选基准频率的时间")),
    acc(18, "Deceleration time 1", "减速时间1",
        tip=("Time from the base frequency of P0-25 down to 0 Hz", "从P0-25所选基准频率减速到0 Hz的时间")),
    P(19, "Acceleration/deceleration time unit", "加减速时间单位", None, None, "", 1, w=1, enum=[
        (0, "1 s", "1秒"), (1, "0.1 s", "0.1秒"), (2, "0.01 s", "0.01秒")],
      tip=("Changes the decimals of every acceleration and deceleration time",
           "修改后所有加减速时间的小数位数随之改变")),
    freq(21, "Auxiliary frequency offset for X and Y", "叠加时辅助频率源偏置频率", 0.0),
    P(22, "Frequency resolution", "频率指令分辨率", None, None, "", 2, w=1, colon=True, enum=[
        (1, "0.1 Hz", "0.1 Hz"), (2, "0.01 Hz", "0.01 Hz")],
      tip=("Number of decimals of every frequency parameter and monitored frequency",
           "所有频率参数及频率监视量的小数位数")),
    P(23, "Digital frequency retained at stop", "数字设定频率停机记忆选择", None, None, "", 0, enum=[
        (0, "Not retained", "不记忆"), (1, "Retained", "记忆")]),
    P(24, "Motor parameter group", "电机参数组选择", None, None, "", 0, w=1, enum=[
        (0, "Motor 1 (P1)", "电机参数组1（P1）"), (1, "Motor 2 (B2)", "电机参数组2（B2）")]),
    P(25, "Acceleration/deceleration base frequency", "加减速时间基准频率", None, None, "", 0, w=1, enum=[
        (0, "Maximum frequency (P0-10)", "最大频率（P0-10）"), (1, "Set frequency", "设定频率"),
        (2, "100 Hz", "100 Hz")]),
    P(26, "UP/DOWN base frequency while running", "运行时频率指令UP/DOWN基准", None, None, "", 0, w=1,
      enum=[(0, "Running frequency", "运行频率"), (1, "Set frequency", "设定频率")]),
    P(27, "Frequency source bound to command source", "命令源捆绑频率源", 0, 0x999, "", 0, f=9,
      tip=("Units digit: panel, tens digit: terminals, hundreds digit: communication; each digit is "
           "a frequency source number of P0-03, 0 = no binding",
           "个位：操作面板，十位：端子，百位：通讯；各位为P0-03的频率源编号，0表示无绑定")),
    P(28, "Communication protocol", "通讯协议选择", None, None, "", 0, w=1, e=2, enum=[
        (0, "Modbus", "Modbus协议"), (1, "PROFIBUS-DP bridge", "PROFIBUS-DP桥"),
        (2, "CANopen bridge", "CANopen桥")]),
]

MOTOR_TYPES = [
    (0, "Standard asynchronous motor", "普通异步电机"),
    (1, "Variable-frequency asynchronous motor", "变频异步电机"),
    (2, "Permanent-magnet synchronous motor", "永磁同步电机"),
]

ENCODER_TYPES = [
    (0, "ABZ incremental encoder", "ABZ增量编码器"),
    (1, "UVW incremental encoder", "UVW增量编码器"),
    (2, "Resolver", "旋转变压器"),
    (3, "SIN/COS encoder", "正余弦编码器"),
    (4, "Wire-saving UVW encoder", "省线式UVW编码器"),
]

TUNING = [
    (0, "No auto-tuning", "无操作"),
    (1, "Static auto-tuning", "异步机静止部分参数辨识"),
    (2, "Complete auto-tuning", "异步机动态完整辨识"),
    (3, "Static complete auto-tuning", "异步机静止完整辨识"),
]


def motor_data(tag_en, tag_cn):
    """Nameplate and model data of one motor; B2 repeats P1 for the second motor."""
    return [
        P(0, "Motor type", "电机类型选择", None, None, "", 0, w=1, enum=MOTOR_TYPES),
        P(1, "Rated power", "电机额定功率", 0.1, 1000.0, "kW", 7.5, w=1, f=1,
          tip=("From the motor nameplate", "按电机铭牌设定")),
        P(2, "Rated voltage", "电机额定电压", 1, 2000, "V", 380, w=1),
        P(3, "Rated current", "电机额定电流", 0.01, 655.35, "A", 15.4, w=1, f=2,
          tip=("Two decimals up to power class 21, one decimal above (PF-01)",
               "功率等级21及以下为两位小数，以上为一位小数（见PF-01）")),
        P(4, "Rated frequency", "电机额定频率", 0.01, "FMAX", "Hz", 50.0, w=1, f=2),
        P(5, "Rated speed", "电机额定转速", 1, 65535, "rpm", 1460, w=1),
        P(6, "Stator resistance", "异步电机定子电阻", 0.001, 65.535, "Ω", 0.624, w=1, f=3,
          tip=("Measured by auto-tuning; three decimals up to power class 21, four above",
               "由自学习得到；功率等级21及以下为三位小数，以上为四位小数")),
        P(7, "Rotor resistance", "异步电机转子电阻", 0.001, 65.535, "Ω", 0.493, w=1, f=3,
          tip=("Measured by auto-tuning", "由自学习得到")),
        P(8, "Leakage inductance", "异步电机漏感抗", 0.01, 655.35, "mH", 4.27, w=1, f=2,
          tip=("Measured by auto-tuning", "由自学习得到")),
        P(9, "Mutual inductance", "异步电机互感抗", 0.1, 6553.5, "mH", 109.6, w=1, f=1,
          tip=("Measured by complete auto-tuning", "由完整自学习得到")),
        P(10, "No-load current", "异步电机空载电流", 0.01, 655.35, "A", 5.95, w=1, f=2,
          tip=("Must be lower than the rated current", "须小于电机额定电流")),
        P(27, "Encoder pulses per revolution", "编码器线数", 1, 65535, "PPR", 1024, w=1),
        P(28, "Encoder type", "编码器类型", None, None, "", 0, w=1, enum=ENCODER_TYPES),
        P(37, "Auto-tuning", "调谐选择", None, None, "", 0, w=1, enum=TUNING,
          tip=("Choose the method, then give a run command to start measuring %s" % tag_en,
               "选择调谐方式后给出运行命令开始辨识%s" % tag_cn)),
    ]


P1 = motor_data("motor 1", "第1电机")
P1 += [
    P(30, "ABZ encoder phase sequence", "ABZ增量编码器AB相序", None, None, "", 0, w=1, enum=[
        (0, "Forward", "正向"), (1, "Reverse", "反向")]),
    P(31, "Encoder mounting angle", "编码器安装角", 0.0, 359.9, "°", 0.0, w=1, f=1),
    P(34, "Resolver pole pairs", "旋变极对数", 1, 65535, "", 1, w=1),
    P(36, "Encoder wire-break detection time", "速度反馈PG断线检测时间", 0.0, 10.0, "s", 0.0, f=1,
      tip=("0.0 turns the detection off", "设为0.0时不检测")),
]
P1.sort(key=lambda p: p.index)

P2 = [
    P(0, "Speed loop proportional gain 1", "速度环比例增益1", 1, 100, "", 30),
    P(1, "Speed loop integral time 1", "速度环积分时间1", 0.01, 10.0, "s", 0.5, f=2),
    freq(2, "Switchover frequency 1", "切换频率1", 5.0,
         tip=("Below this frequency gain set 1 applies", "低于此频率时使用第1组速度环参数")),
    P(3, "Speed loop proportional gain 2", "速度环比例增益2", 1, 100, "", 20),
    P(4, "Speed loop integral time 2", "速度环积分时间2", 0.01, 10.0, "s", 1.0, f=2),
    freq(5, "Switchover frequency 2", "切换频率2", 10.0,
         tip=("Above this frequency gain set 2 applies", "高于此频率时使用第2组速度环参数")),
    P(6, "Vector slip compensation gain", "矢量控制转差增益", 50, 200, "%", 100),
    P(7, "Speed loop filter time", "速度环滤波时间常数", 0.0, 0.1, "s", 0.0, f=3),
    P(8, "Vector over-excitation gain", "矢量控制过励磁增益", 0, 200, "", 64),
    P(9, "Torque limit source in speed control", "速度控制方式下转矩上限源", None, None, "", 0,
      enum=TORQUE_LIMIT_SOURCES),
    P(10, "Digital torque limit in speed control", "速度控制方式下转矩上限数字设定", 0.0, 200.0, "%",
      150.0, f=1),
    P(13, "Excitation regulator proportional gain", "励磁调节比例增益", 0, 60000, "", 2000),
    P(14, "Excitation regulator integral gain", "励磁调节积分增益", 0, 60000, "", 1300),
    P(15, "Torque regulator proportional gain", "转矩调节比例增益", 0, 60000, "", 2000),
    P(16, "Torque regulator integral gain", "转矩调节积分增益", 0, 60000, "", 1300),
    P(17, "Speed loop integral separation", "速度环积分属性", None, None, "", 0, colon=True, enum=OFF_ON),
    P(18, "Field weakening mode (synchronous motor)", "同步机弱磁模式", None, None, "", 1, enum=[
        (0, "No field weakening", "不弱磁"), (1, "Direct calculation", "直接计算模式"),
        (2, "Automatic adjustment", "自动调整模式")]),
    P(19, "Field weakening depth", "同步机弱磁深度", 50, 500, "%", 100),
    P(20, "Maximum field weakening current", "最大弱磁电流", 1, 300, "%", 50),
    P(21, "Field weakening adjustment gain", "弱磁自动调整增益", 10, 500, "%", 100),
    P(22, "Field weakening integral multiple", "弱磁积分倍数", 2, 10, "", 2),
]

P3 = [
    P(0, "V/F curve", "VF曲线设定", None, None, "", 0, w=1, enum=[
        (0, "Linear", "直线V/F"), (1, "Multi-point", "多点V/F"), (2, "Square", "平方V/F"),
        (3, "1.2-power", "1.2次方V/F"), (4, "1.4-power", "1.4次方V/F"), (6, "1.6-power", "1.6次方V/F"),
        (8, "1.8-power", "1.8次方V/F"), (10, "Complete V/F separation", "VF完全分离模式"),
        (11, "Half V/F separation", "VF半分离模式")]),
    P(1, "Torque boost", "转矩提升", 0.0, 30.0, "%", 3.0, f=1,
      tip=("0.0 selects automatic torque boost", "设为0.0时为自动转矩提升")),
    freq(2, "Torque boost cut-off frequency", "转矩提升截止频率", 50.0),
    freq(3, "Multi-point V/F frequency 1", "多点VF频率点1", 0.0),
    P(4, "Multi-point V/F voltage 1", "多点VF电压点1", 0.0, 100.0, "%", 0.0, f=1),
    freq(5, "Multi-point V/F frequency 2", "多点VF频率点2", 0.0),
    P(6, "Multi-point V/F voltage 2", "多点VF电压点2", 0.0, 100.0, "%", 0.0, f=1),
    freq(7, "Multi-point V/F frequency 3", "多点VF频率点3", 0.0),
    P(8, "Multi-point V/F voltage 3", "多点VF电压点3", 0.0, 100.0, "%", 0.0, f=1),
    P(9, "V/F slip compensation gain", "VF转差补偿增益", 0.0, 200.0, "%", 0.0, f=1),
    P(10, "V/F over-excitation gain", "VF过励磁增益", 0, 200, "", 64),
    P(11, "V/F oscillation suppression gain", "VF振荡抑制增益", 0, 100, "", 40,
      tip=("Raise it when the motor oscillates at light load", "轻载时电机振荡请增大此值")),
    P(13, "V/F separation voltage source", "VF分离的电压源", None, None, "", 0, enum=[
        (0, "Digital setting (P3-14)", "数字设定（P3-14）"), (1, "AI1", "AI1"), (2, "AI2", "AI2"),
        (3, "AI3", "AI3"), (4, "Pulse input", "脉冲输入"), (5, "Multi-reference", "多段指令"),
        (6, "Simple PLC", "简易PLC"), (7, "PID", "PID"), (8, "Communication", "通讯给定")]),
    P(14, "V/F separation voltage setting", "VF分离的电压数字设定", 0, 2000, "V", 0),
    P(15, "V/F separation voltage rise time", "VF分离的电压加速时间", 0.0, 1000.0, "s", 0.0, f=1),
    P(16, "V/F separation voltage fall time", "VF分离的电压减速时间", 0.0, 1000.0, "s", 0.0, f=1),
    P(17, "Stop mode with V/F separation", "VF分离停机方式选择", None, None, "", 0, enum=[
        (0, "Frequency and voltage fall independently", "频率与电压独立减至0"),
        (1, "Frequency falls after the voltage", "电压减为0后频率再减")]),
    P(18, "Overcurrent stall current", "过流失速动作电流", 50, 200, "%", 150),
    P(19, "Overcurrent stall suppression", "过流失速使能", None, None, "", 1, colon=True, enum=OFF_ON),
    P(20, "Overcurrent stall suppression gain", "过流失速抑制增益", 0, 100, "", 20),
    P(22, "Overvoltage stall voltage", "过压失速动作电压", 200.0, 2000.0, "V", 760.0, f=1),
    P(23, "Overvoltage stall suppression", "过压失速使能", None, None, "", 1, colon=True, enum=OFF_ON),
    P(24, "Overvoltage stall frequency gain", "过压失速抑制频率增益", 0, 100, "", 30),
    P(25, "Overvoltage stall voltage gain", "过压失速抑制电压增益", 0, 100, "", 30),
    P(26, "Overvoltage stall maximum frequency rise", "过压失速最大上升频率限制", 0, 50, "Hz", 5),
]

P4 = []
for i, default in enumerate([1, 4, 9, 12, 13, 0, 0, 0, 0, 0]):
    P4.append(P(i, "DI%d function" % (i + 1), "DI%d端子功能选择" % (i + 1), None, None, "", default, w=1,
                enum=VFD_DI,
                tip=("Function of input terminal DI%d" % (i + 1), "输入端子DI%d的功能" % (i + 1))))
P4 += [
    P(10, "DI filter time", "DI滤波时间", 0.0, 1.0, "s", 0.01, f=3),
    P(11, "Terminal command mode", "端子命令方式", None, None, "", 0, w=1, enum=[
        (0, "Two-wire mode 1", "两线式1"), (1, "Two-wire mode 2", "两线式2"),
        (2, "Three-wire mode 1", "三线式1"), (3, "Three-wire mode 2", "三线式2")]),
    P(12, "Terminal UP/DOWN rate", "端子UP/DOWN变化率", 0.001, 65.535, "Hz/s", 1.0, f=3),
]
for n, (base, lo) in enumerate([(13, 0.0), (18, 0.0), (23, -10.0)], start=1):
    signed_input = lo < 0
    P4 += [
        P(base, "AI curve %d minimum input" % n, "AI曲线%d最小输入" % n, lo, 10.0, "V", lo if signed_input else 0.0,
          f=2, s=signed_input),
        P(base + 1, "AI curve %d setting at minimum input" % n, "AI曲线%d最小输入对应设定" % n, -100.0, 100.0,
          "%", -100.0 if signed_input else 0.0, f=1, s=True),
        P(base + 2, "AI curve %d maximum input" % n, "AI曲线%d最大输入" % n, lo, 10.0, "V", 10.0, f=2,
          s=signed_input),
        P(base + 3, "AI curve %d setting at maximum input" % n, "AI曲线%d最大输入对应设定" % n, -100.0, 100.0,
          "%", 100.0, f=1, s=True),
        P(base + 4, "AI%d filter time" % n, "AI%d滤波时间" % n, 0.0, 10.0, "s", 0.1, f=2),
    ]
P4 += [
    P(28, "Pulse minimum input", "脉冲最小输入", 0.0, 100.0, "kHz", 0.0, f=2),
    P(29, "Setting at pulse minimum input", "脉冲最小输入对应设定", -100.0, 100.0, "%", 0.0, f=1, s=True),
    P(30, "Pulse maximum input", "脉冲最大输入", 0.0, 100.0, "kHz", 50.0, f=2),
    P(31, "Setting at pulse maximum input", "脉冲最大输入对应设定", -100.0, 100.0, "%", 100.0, f=1, s=True),
    P(32, "Pulse filter time", "脉冲滤波时间", 0.0, 10.0, "s", 0.1, f=2),
    P(33, "AI curve selection", "AI曲线选择", 0x111, 0x333, "", 0x321, f=9,
      tip=("Units digit: curve of AI1, tens digit: AI2, hundreds digit: AI3 (curves 1 to 3)",
           "个位：AI1所用曲线，十位：AI2，百位：AI3（曲线1～3）")),
    P(34, "Setting for AI below minimum", "AI低于最小输入设定选择", 0, 0x111, "", 0, f=9,
      tip=("Per digit (AI1 units, AI2 tens, AI3 hundreds): 0 = setting at minimum input, 1 = 0.0 %",
           "各位（个位AI1，十位AI2，百位AI3）：0对应最小输入设定，1为0.0 %")),
    P(35, "DI1 delay time", "DI1延迟时间", 0.0, 3600.0, "s", 0.0, f=1),
    P(36, "DI2 delay time", "DI2延迟时间", 0.0, 3600.0, "s", 0.0, f=1),
    P(37, "DI3 delay time", "DI3延迟时间", 0.0, 3600.0, "s", 0.0, f=1),
    P(38, "DI1 to DI5 active level", "DI有效模式选择1", 0, 0b11111, "", 0, f=8,
      tip=("Bit 0 DI1 … bit 4 DI5: 0 = active when closed, 1 = active when open",
           "bit0对应DI1……bit4对应DI5：0为闭合有效，1为断开有效")),
    P(39, "DI6 to DI10 active level", "DI有效模式选择2", 0, 0b11111, "", 0, f=8,
      tip=("Bit 0 DI6 … bit 4 DI10: 0 = active when closed, 1 = active when open",
           "bit0对应DI6……bit4对应DI10：0为闭合有效，1为断开有效")),
]

P5 = [
    P(0, "FM terminal output mode", "FM端子输出方式", None, None, "", 0, enum=[
        (0, "Pulse output (FMP)", "脉冲输出（FMP）"), (1, "Switch output (FMR)", "开关量输出（FMR）")]),
    P(1, "FMR function", "FMR输出功能选择", None, None, "", 0, enum=VFD_DO),
    P(2, "Relay 1 function (T/A-T/B-T/C)", "控制板继电器功能选择（T/A-T/B-T/C）", None, None, "", 2,
      enum=VFD_DO),
    P(3, "Extension relay function (P/A-P/B-P/C)", "扩展卡继电器功能选择（P/A-P/B-P/C）", None, None,
      "", 0, enum=VFD_DO),
    P(4, "DO1 function", "DO1输出功能选择", None, None, "", 1, enum=VFD_DO),
    P(5, "Extension DO2 function", "扩展卡DO2输出功能选择", None, None, "", 4, enum=VFD_DO),
    P(6, "FMP function", "FMP输出功能选择", None, None, "", 0, enum=VFD_AO),
    P(7, "AO1 function", "AO1输出功能选择", None, None, "", 0, enum=VFD_AO),
    P(8, "AO2 function", "AO2输出功能选择", None, None, "", 2, enum=VFD_AO),
    P(9, "FMP maximum output frequency", "FMP输出最大频率", 0.01, 100.0, "kHz", 50.0, f=2),
    P(10, "AO1 offset", "AO1零偏系数", -100.0, 100.0, "%", 0.0, f=1, s=True),
    P(11, "AO1 gain", "AO1增益", -10.0, 10.0, "", 1.0, f=2, s=True),
    P(12, "AO2 offset", "AO2零偏系数", -100.0, 100.0, "%", 0.0, f=1, s=True),
    P(13, "AO2 gain", "AO2增益", -10.0, 10.0, "", 1.0, f=2, s=True),
    P(17, "FMR output delay", "FMR输出延迟时间", 0.0, 3600.0, "s", 0.0, f=1),
    P(18, "Relay 1 output delay", "RELAY1输出延迟时间", 0.0, 3600.0, "s", 0.0, f=1),
    P(19, "Relay 2 output delay", "RELAY2输出延迟时间", 0.0, 3600.0, "s", 0.0, f=1),
    P(20, "DO1 output delay", "DO1输出延迟时间", 0.0, 3600.0, "s", 0.0, f=1),
    P(21, "DO2 output delay", "DO2输出延迟时间", 0.0, 3600.0, "s", 0.0, f=1),
    P(22, "Output active level", "DO输出端子有效状态选择", 0, 0b11111, "", 0, f=8,
      tip=("Bit 0 FMR, bit 1 relay 1, bit 2 relay 2, bit 3 DO1, bit 4 DO2: 0 = positive logic, "
           "1 = negative logic", "bit0 FMR，bit1 RELAY1，bit2 RELAY2，bit3 DO1，bit4 DO2：0为正逻辑，1为反逻辑")),
]

P6 = [
    P(0, "Start mode", "启动方式", None, None, "", 0, enum=[
        (0, "Direct start", "直接启动"), (1, "Speed tracking restart", "转速跟踪再启动"),
        (2, "Pre-excited start (asynchronous motor)", "预励磁启动（交流异步机）")]),
    P(1, "Speed tracking mode", "转速跟踪方式", None, None, "", 0, w=1, enum=[
        (0, "From stop frequency", "从停机频率开始"), (1, "From zero speed", "从零速开始"),
        (2, "From maximum frequency", "从最大频率开始")]),
    P(2, "Speed tracking speed", "转速跟踪快慢", 1, 100, "", 20),
    freq(3, "Start frequency", "启动频率", 0.0, hi=10.0),
    P(4, "Start frequency hold time", "启动频率保持时间", 0.0, 100.0, "s", 0.0, w=1, f=1),
    P(5, "Start DC braking current", "启动直流制动电流/预励磁电流", 0, 100, "%", 0, w=1),
    P(6, "Start DC braking time", "启动直流制动时间/预励磁时间", 0.0, 100.0, "s", 0.0, w=1, f=1),
    P(7, "Acceleration/deceleration curve", "加减速方式", None, None, "", 0, w=1, enum=[
        (0, "Linear", "直线加减速"), (1, "S-curve A", "S曲线加减速A"), (2, "S-curve B", "S曲线加减速B")]),
    P(8, "S-curve start segment", "S曲线开始段时间比例", 0.0, 100.0, "%", 30.0, w=1, f=1),
    P(9, "S-curve end segment", "S曲线结束段时间比例", 0.0, 100.0, "%", 30.0, w=1, f=1),
    P(10, "Stop mode", "停机方式", None, None, "", 0, enum=[
        (0, "Decelerate to stop", "减速停车"), (1, "Coast to stop", "自由停车")]),
    freq(11, "Stop DC braking start frequency", "停机直流制动起始频率", 0.0),
    P(12, "Stop DC braking wait time", "停机直流制动等待时间", 0.0, 100.0, "s", 0.0, f=1),
    P(13, "Stop DC braking current", "停机直流制动电流", 0, 100, "%", 0),
    P(14, "Stop DC braking time", "停机直流制动时间", 0.0, 100.0, "s", 0.0, f=1),
    P(15, "Braking unit duty", "制动使用率", 0, 100, "%", 100),
    P(18, "Speed tracking current", "转速跟踪电流大小", 30, 200, "%", 100, w=1),
    P(21, "Demagnetisation time", "去磁时间", 0.0, 5.0, "s", 1.0, w=1, f=2, since=1),
]

P7 = [
    P(1, "MF.K key function", "MF.K键功能选择", None, None, "", 0, w=1, enum=[
        (0, "Disabled", "MF.K无效"), (1, "Switch panel/remote commands", "操作面板命令通道与远程命令通道切换"),
        (2, "Forward/reverse switchover", "正反转切换"), (3, "Forward jog", "正转点动"),
        (4, "Reverse jog", "反转点动")]),
    P(2, "STOP/RESET key function", "STOP/RESET键功能", None, None, "", 1, enum=[
        (0, "Only with panel commands", "只在键盘操作方式下有效"),
        (1, "Always", "任何操作方式下均有效")]),
    P(3, "Running display items 1", "LED运行显示参数1", 0, 0xFFFF, "", 0x1F, f=9,
      tip=("Each set bit shows one running value on the LED display; bit 0 running frequency",
           "每一位对应一个运行显示量；bit0为运行频率")),
    P(4, "Running display items 2", "LED运行显示参数2", 0, 0xFFFF, "", 0, f=9),
    P(5, "Stop display items", "LED停机显示参数", 0, 0xFFFF, "", 0x33, f=9),
    P(6, "Load speed display coefficient", "负载速度显示系数", 0.0001, 6.5, "", 1.0, f=4,
      tip=("D0-14 shows the output frequency multiplied by this coefficient",
           "D0-14显示值为输出频率乘以此系数")),
    RO(7, "Inverter module heat sink temperature", "逆变器模块散热器温度", -20.0, 120.0, "°C", 25.0, f=1,
       s=True),
    RO(8, "Product series", "产品号", 0, 65535, "", 1903, f=10),
    RO(9, "Cumulative running time", "累计运行时间", 0, 65535, "h", 0),
    RO(10, "Performance software version", "性能版本号", 0.0, 655.35, "", 2.0, f=2,
       per_version={1: {"default": 2.1}}),
    RO(11, "Function software version", "功能版本号", 0.0, 655.35, "", 2.0, f=2,
       per_version={1: {"default": 2.1}}),
    P(12, "Load speed display decimals", "负载速度显示小数点位数", 10, 23, "", 21,
      tip=("Units digit: decimals of D0-14 (0 to 3); tens digit: decimals of D0-19 and D0-29 (1 or 2)",
           "个位：D0-14的小数位数（0～3）；十位：D0-19、D0-29的小数位数（1或2）")),
    RO(13, "Cumulative power-on time", "累计上电时间", 0, 65535, "h", 0),
    RO(14, "Cumulative power consumption", "累计耗电量", 0, 65535, "kWh", 0),
]

P8 = [
    freq(0, "Jog frequency", "点动运行频率", 2.0),
    acc(1, "Jog acceleration time", "点动加速时间"),
    acc(2, "Jog deceleration time", "点动减速时间"),
    acc(3, "Acceleration time 2", "加速时间2"),
    acc(4, "Deceleration time 2", "减速时间2"),
    acc(5, "Acceleration time 3", "加速时间3"),
    acc(6, "Deceleration time 3", "减速时间3"),
    acc(7, "Acceleration time 4", "加速时间4"),
    acc(8, "Deceleration time 4", "减速时间4"),
    freq(9, "Skip frequency 1", "跳跃频率1", 0.0),
    freq(10, "Skip frequency 2", "跳跃频率2", 0.0),
    freq(11, "Skip frequency band", "跳跃频率幅度", 0.0),
    P(12, "Forward/reverse dead time", "正反转死区时间", 0.0, 3000.0, "s", 0.0, f=1),
    P(13, "Reverse running", "反转控制使能", None, None, "", 0, enum=[
        (0, "Allowed", "允许"), (1, "Prohibited", "禁止")]),
    P(14, "Set frequency below lower limit", "设定频率低于下限频率运行模式", None, None, "", 0, enum=[
        (0, "Run at lower limit", "以下限频率运行"), (1, "Stop", "停机"), (2, "Run at zero speed", "零速运行")]),
    P(15, "Droop", "下垂控制", 0.0, 10.0, "Hz", 0.0, f=2),
    P(16, "Power-on time threshold", "设定累计上电到达时间", 0, 65000, "h", 0),
    P(17, "Running time threshold", "设定累计运行到达时间", 0, 65000, "h", 0),
    P(18, "Start protection", "启动保护选择", None, None, "", 0, enum=NO_YES,
      tip=("Yes: a run command present at power-on or fault reset is ignored until it is given again",
           "是：上电或故障复位时已存在的运行命令无效，需重新给出")),
    freq(19, "Frequency detection value FDT1", "频率检测值（FDT1）", 50.0),
    P(20, "FDT1 hysteresis", "频率检测滞后值（FDT1）", 0.0, 100.0, "%", 5.0, f=1),
    P(21, "Frequency reached detection width", "频率到达检出宽度", 0.0, 100.0, "%", 0.0, f=1),
    P(22, "Skip frequencies during ramps", "加减速过程中跳跃频率是否有效", None, None, "", 0, enum=OFF_ON),
    freq(25, "Acceleration time 1/2 switchover frequency", "加速时间1与加速时间2切换频率点", 0.0),
    freq(26, "Deceleration time 1/2 switchover frequency", "减速时间1与减速时间2切换频率点", 0.0),
    P(27, "Terminal jog priority", "端子点动优先", None, None, "", 0, enum=OFF_ON),
    freq(28, "Frequency detection value FDT2", "频率检测值（FDT2）", 50.0),
    P(29, "FDT2 hysteresis", "频率检测滞后值（FDT2）", 0.0, 100.0, "%", 5.0, f=1),
    freq(30, "Any frequency reached 1", "任意到达频率检测值1", 50.0),
    P(31, "Any frequency reached 1 width", "任意到达频率检出幅度1", 0.0, 100.0, "%", 0.0, f=1),
    freq(32, "Any frequency reached 2", "任意到达频率检测值2", 50.0),
    P(33, "Any frequency reached 2 width", "任意到达频率检出幅度2", 0.0, 100.0, "%", 0.0, f=1),
    P(34, "Zero current level", "零电流检测水平", 0.0, 300.0, "%", 5.0, f=1),
    P(35, "Zero current delay", "零电流检测延迟时间", 0.01, 600.0, "s", 0.1, f=2),
    P(36, "Output overcurrent threshold", "输出电流超限值", 0.0, 300.0, "%", 200.0, f=1),
    P(37, "Output overcurrent delay", "输出电流超限检测延迟时间", 0.0, 600.0, "s", 0.0, f=2),
    P(38, "Any current reached 1", "任意到达电流1", 0.0, 300.0, "%", 100.0, f=1),
    P(39, "Any current reached 1 width", "任意到达电流1宽度", 0.0, 300.0, "%", 0.0, f=1),
    P(40, "Any current reached 2", "任意到达电流2", 0.0, 300.0, "%", 100.0, f=1),
    P(41, "Any current reached 2 width", "任意到达电流2宽度", 0.0, 300.0, "%", 0.0, f=1),
    P(42, "Timing function", "定时功能选择", None, None, "", 0, enum=OFF_ON),
    P(43, "Timing duration source", "定时运行时间选择", None, None, "", 0, enum=[
        (0, "P8-44", "P8-44设定"), (1, "AI1", "AI1"), (2, "AI2", "AI2"), (3, "AI3", "AI3")]),
    P(44, "Timing duration", "定时运行时间", 0.0, 6500.0, "min", 0.0, f=1),
    P(45, "AI1 voltage lower limit", "AI1输入电压保护值下限", 0.0, 10.0, "V", 3.1, f=2),
    P(46, "AI1 voltage upper limit", "AI1输入电压保护值上限", 0.0, 10.0, "V", 6.8, f=2),
    P(47, "Module temperature threshold", "模块温度到达", 0, 100, "°C", 75),
    P(48, "Cooling fan", "散热风扇控制", None, None, "", 0, enum=[
        (0, "Runs while the drive runs", "运行时风扇运转"), (1, "Runs continuously", "风扇一直运转")]),
    freq(49, "Wake-up frequency", "唤醒频率", 0.0),
    P(50, "Wake-up delay", "唤醒延迟时间", 0.0, 6500.0, "s", 0.0, f=1),
    freq(51, "Sleep frequency", "休眠频率", 0.0),
    P(52, "Sleep delay", "休眠延迟时间", 0.0, 6500.0, "s", 0.0, f=1),
    P(53, "Present running time threshold", "本次运行到达时间设定", 0.0, 6500.0, "min", 0.0, f=1),
    P(54, "Output power correction", "输出功率校正系数", 0.0, 200.0, "%", 100.0, f=1, since=1),
    acc(55, "Emergency stop deceleration time", "紧急停车减速时间", 0.0, since=1,
        tip=("Used by the DI function 'Emergency stop'", "DI功能“紧急停车”时使用的减速时间")),
]


def fault_record(first, ordinal_en, ordinal_cn):
    return [
        freq(first, "Frequency at %s fault" % ordinal_en, "%s故障时频率" % ordinal_cn, 0.0, w=0),
        RO(first + 1, "Current at %s fault" % ordinal_en, "%s故障时电流" % ordinal_cn, 0.0, 655.35, "A", 0.0, f=2),
        RO(first + 2, "Bus voltage at %s fault" % ordinal_en, "%s故障时母线电压" % ordinal_cn, 0.0, 6553.5, "V",
           0.0, f=1),
        RO(first + 3, "Input terminals at %s fault" % ordinal_en, "%s故障时输入端子状态" % ordinal_cn, 0,
           0b1111111111, "", 0, f=8),
        RO(first + 4, "Output terminals at %s fault" % ordinal_en, "%s故障时输出端子状态" % ordinal_cn, 0,
           0b11111, "", 0, f=8),
        RO(first + 5, "Drive status at %s fault" % ordinal_en, "%s故障时变频器状态" % ordinal_cn, 0, 0xFFFF,
           "", 0, f=9),
        RO(first + 6, "Power-on time at %s fault" % ordinal_en, "%s故障时上电时间" % ordinal_cn, 0, 65535,
           "min", 0),
        RO(first + 7, "Running time at %s fault" % ordinal_en, "%s故障时运行时间" % ordinal_cn, 0.0, 6553.5,
           "min", 0.0, f=1),
    ]


FAULT_ACTIONS = ("Per digit, one fault each: 0 coast to stop, 1 stop by stop mode, 2 continue running",
                 "每一位对应一种故障：0自由停车，1按停机方式停机，2继续运行")

P9 = [
    P(0, "Motor overload protection", "电机过载保护选择", None, None, "", 1, colon=True, enum=OFF_ON),
    P(1, "Motor overload protection gain", "电机过载保护增益", 0.2, 10.0, "", 1.0, f=2),
    P(2, "Motor overload warning level", "电机过载预警系数", 50, 100, "%", 80),
    P(3, "Overvoltage stall gain", "过压失速增益", 0, 100, "", 30),
    P(4, "Overvoltage stall protection voltage", "过压失速保护电压", 120, 150, "%", 130),
    P(5, "Overcurrent stall gain", "过流失速增益", 0, 100, "", 20),
    P(6, "Overcurrent stall protection current", "过流失速保护电流", 100, 200, "%", 150),
    P(7, "Ground short-circuit check at power-on", "上电对地短路保护选择", None, None, "", 1, colon=True,
      enum=OFF_ON),
    P(9, "Fault auto-reset count", "故障自动复位次数", 0, 20, "", 0),
    P(10, "Fault output during auto-reset", "故障自动复位期间故障DO动作选择", None, None, "", 0, enum=[
        (0, "No output", "不动作"), (1, "Output", "动作")]),
    P(11, "Fault auto-reset interval", "故障自动复位间隔时间", 0.1, 100.0, "s", 1.0, f=1),
    P(12, "Input phase loss / contactor protection", "输入缺相/接触器吸合保护选择", 0, 0x11, "", 0x11, f=9,
      tip=("Units digit: input phase loss, tens digit: contactor pick-up; 0 off, 1 on",
           "个位：输入缺相保护，十位：接触器吸合保护；0禁止，1允许")),
    P(13, "Output phase loss protection", "输出缺相保护选择", None, None, "", 1, colon=True, enum=OFF_ON),
    RO(14, "First fault type", "第一次故障类型", 0, 99, "", 0),
    RO(15, "Second fault type", "第二次故障类型", 0, 99, "", 0),
    RO(16, "Third (latest) fault type", "第三次（最近一次）故障类型", 0, 99, "", 0),
] + fault_record(17, "third", "第三次") + fault_record(27, "second", "第二次") + fault_record(37, "first", "第一次") + [
    P(47, "Fault action selection 1", "故障保护动作选择1", 0, 0x2222, "", 0, f=9, tip=FAULT_ACTIONS),
    P(48, "Fault action selection 2", "故障保护动作选择2", 0, 0x2222, "", 0, f=9, tip=FAULT_ACTIONS),
    P(49, "Fault action selection 3", "故障保护动作选择3", 0, 0x2222, "", 0, f=9, tip=FAULT_ACTIONS),
    P(54, "Frequency when running on after a fault", "故障时继续运行频率选择", None, None, "", 0, enum=[
        (0, "Present running frequency", "以当前运行频率运行"), (1, "Set frequency", "以设定频率运行"),
        (2, "Upper frequency limit", "以上限频率运行"), (3, "Lower frequency limit", "以下限频率运行"),
        (4, "Backup frequency", "以异常备用频率运行")]),
    P(55, "Backup frequency", "异常备用频率", 0.0, 100.0, "%", 100.0, f=1),
    P(56, "Motor temperature sensor", "电机温度传感器类型", None, None, "", 0, enum=[
        (0, "None", "无温度传感器"), (1, "PT100", "PT100"), (2, "PT1000", "PT1000")]),
    P(57, "Motor overheat protection threshold", "电机过热保护阈值", 0, 200, "°C", 110),
    P(58, "Motor overheat warning threshold", "电机过热预报警阈值", 0, 200, "°C", 90),
    P(59, "Power dip ride-through", "瞬停不停功能选择", None, None, "", 0, enum=[
        (0, "Disabled", "无效"), (1, "Decelerate", "减速"), (2, "Decelerate to stop", "减速停机")]),
    P(60, "Ride-through pause voltage", "瞬停动作暂停判断电压", 80.0, 100.0, "%", 90.0, f=1),
    P(61, "Ride-through voltage recovery time", "瞬停电压回升判断时间", 0.0, 100.0, "s", 0.5, f=2),
    P(62, "Ride-through action voltage", "瞬停动作判断电压", 60.0, 100.0, "%", 80.0, f=1),
    P(63, "Load loss protection", "掉载保护选择", None, None, "", 0, colon=True, enum=OFF_ON),
    P(64, "Load loss level", "掉载检出水平", 0.0, 100.0, "%", 10.0, f=1),
    P(65, "Load loss detection time", "掉载检出时间", 0.0, 60.0, "s", 1.0, f=1),
    P(67, "Overspeed detection level", "过速度检出值", 0.0, 50.0, "%", 20.0, f=1),
    P(68, "Overspeed detection time", "过速度检出时间", 0.0, 60.0, "s", 1.0, f=1),
    P(69, "Speed deviation detection level", "速度偏差过大检出值", 0.0, 50.0, "%", 20.0, f=1),
    P(70, "Speed deviation detection time", "速度偏差过大检出时间", 0.0, 60.0, "s", 5.0, f=1),
]

PA = [
    P(0, "PID reference source", "PID给定源", None, None, "", 0, enum=[
        (0, "PA-01", "PA-01设定"), (1, "AI1", "AI1"), (2, "AI2", "AI2"), (3, "AI3", "AI3"),
        (4, "Pulse input", "脉冲输入"), (5, "Communication", "通讯给定"), (6, "Multi-reference", "多段指令")]),
    P(1, "PID digital reference", "PID数值给定", 0.0, 100.0, "%", 50.0, f=1),
    P(2, "PID feedback source", "PID反馈源", None, None, "", 0, enum=[
        (0, "AI1", "AI1"), (1, "AI2", "AI2"), (2, "AI3", "AI3"), (3, "AI1 - AI2", "AI1-AI2"),
        (4, "Pulse input", "脉冲输入"), (5, "Communication", "通讯给定"), (6, "AI1 + AI2", "AI1+AI2"),
        (7, "Greater of |AI1| and |AI2|", "MAX(|AI1|,|AI2|)"), (8, "Lesser of |AI1| and |AI2|", "MIN(|AI1|,|AI2|)")]),
    P(3, "PID action direction", "PID作用方向", None, None, "", 0, enum=[
        (0, "Direct", "正作用"), (1, "Reverse", "反作用")]),
    P(4, "PID reference and feedback range", "PID给定反馈量程", 0, 65535, "", 1000),
    P(5, "Proportional gain Kp1", "比例增益Kp1", 0.0, 100.0, "", 20.0, f=1),
    P(6, "Integral time Ti1", "积分时间Ti1", 0.01, 10.0, "s", 2.0, f=2),
    P(7, "Derivative time Td1", "微分时间Td1", 0.0, 10.0, "s", 0.0, f=3),
    freq(8, "PID reverse cut-off frequency", "PID反转截止频率", 2.0),
    P(9, "PID deviation limit", "PID偏差极限", 0.0, 100.0, "%", 0.0, f=1),
    P(10, "PID derivative limit", "PID微分限幅", 0.0, 100.0, "%", 0.1, f=2),
    P(11, "PID reference ramp time", "PID给定变化时间", 0.0, 650.0, "s", 0.0, f=2),
    P(12, "PID feedback filter time", "PID反馈滤波时间", 0.0, 60.0, "s", 0.0, f=2),
    P(13, "PID output filter time", "PID输出滤波时间", 0.0, 60.0, "s", 0.0, f=2),
    P(15, "Proportional gain Kp2", "比例增益Kp2", 0.0, 100.0, "", 20.0, f=1),
    P(16, "Integral time Ti2", "积分时间Ti2", 0.01, 10.0, "s", 2.0, f=2),
    P(17, "Derivative time Td2", "微分时间Td2", 0.0, 10.0, "s", 0.0, f=3),
    P(18, "PID parameter switchover", "PID参数切换条件", None, None, "", 0, enum=[
        (0, "None", "不切换"), (1, "By DI", "通过DI端子切换"), (2, "By deviation", "根据偏差自动切换"),
        (3, "By running frequency", "根据运行频率自动切换")]),
    P(19, "Switchover deviation 1", "PID参数切换偏差1", 0.0, 100.0, "%", 20.0, f=1),
    P(20, "Switchover deviation 2", "PID参数切换偏差2", 0.0, 100.0, "%", 80.0, f=1),
    P(21, "PID initial value", "PID初值", 0.0, 100.0, "%", 0.0, f=1),
    P(22, "PID initial value hold time", "PID初值保持时间", 0.0, 650.0, "s", 0.0, f=2),
    P(23, "Maximum output change (forward)", "两次输出偏差正向最大值", 0.0, 100.0, "%", 1.0, f=2),
    P(24, "Maximum output change (reverse)", "两次输出偏差反向最大值", 0.0, 100.0, "%", 1.0, f=2),
    P(25, "PID integral property", "PID积分属性", 0, 0x11, "", 0, f=9,
      tip=("Units digit: integral separation; tens digit: stop integrating at the output limit",
           "个位：积分分离；十位：输出到限值后是否停止积分")),
    P(26, "Feedback loss detection level", "PID反馈丢失检测值", 0.0, 100.0, "%", 0.0, f=1,
      tip=("0.0 turns the detection off", "设为0.0时不检测")),
    P(27, "Feedback loss detection time", "PID反馈丢失检测时间", 0.0, 20.0, "s", 0.0, f=1),
    P(28, "PID at stop", "PID停机运算", None, None, "", 0, enum=[
        (0, "No PID at stop", "停机不运算"), (1, "PID at stop", "停机时运算")]),
]

PB = [
    P(0, "Swing frequency mode", "摆频设定方式", None, None, "", 0, enum=[
        (0, "Relative to centre frequency", "相对于中心频率"),
        (1, "Relative to maximum frequency", "相对于最大频率")]),
    P(1, "Swing frequency amplitude", "摆频幅度", 0.0, 100.0, "%", 0.0, f=1),
    P(2, "Kick frequency amplitude", "突跳频率幅度", 0.0, 50.0, "%", 0.0, f=1),
    P(3, "Swing frequency cycle", "摆频周期", 0.1, 3000.0, "s", 10.0, f=1),
    P(4, "Triangle rise time ratio", "摆频的三角波上升时间", 0.1, 100.0, "%", 50.0, f=1),
    P(5, "Set length", "设定长度", 0, 65535, "m", 1000),
    P(6, "Actual length", "实际长度", 0, 65535, "m", 0),
    P(7, "Pulses per metre", "每米脉冲数", 0.1, 6553.5, "", 100.0, f=1),
    P(8, "Set count value", "设定计数值", 1, 65535, "", 1000),
    P(9, "Designated count value", "指定计数值", 1, 65535, "", 1000),
]

PC = []
for i in range(16):
    PC.append(P(i, "Reference %d" % i, "多段指令%d" % i, -100.0, 100.0, "%", 0.0, f=1, s=True,
                tip=("Percentage of the maximum frequency", "相对最大频率的百分比")))
PC += [
    P(16, "Simple PLC running mode", "简易PLC运行方式", None, None, "", 0, enum=[
        (0, "Stop after one cycle", "单次运行结束停机"),
        (1, "Hold the last value after one cycle", "单次运行结束保持终值"),
        (2, "Repeat", "一直循环")]),
    P(17, "Simple PLC retention", "简易PLC掉电记忆选择", 0, 0x11, "", 0, f=9,
      tip=("Units digit: retained at power-off; tens digit: retained at stop",
           "个位：掉电记忆；十位：停机记忆")),
]
for i in range(16):
    PC += [
        P(18 + 2 * i, "Reference %d running time" % i, "简易PLC第%d段运行时间" % i, 0.0, 6553.5, "s", 0.0, f=1),
        P(19 + 2 * i, "Reference %d ramp selection" % i, "简易PLC第%d段加减速时间选择" % i, 0, 3, "", 0,
          tip=("0 to 3: acceleration/deceleration time 1 to 4", "0～3对应加减速时间1～4")),
    ]
PC += [
    P(50, "Simple PLC time unit", "简易PLC运行时间单位", None, None, "", 0, enum=[
        (0, "s (seconds)", "s（秒）"), (1, "h (hours)", "h（小时）")]),
    P(51, "Reference 0 source", "多段指令0给定方式", None, None, "", 0, enum=[
        (0, "PC-00", "PC-00设定"), (1, "AI1", "AI1"), (2, "AI2", "AI2"), (3, "AI3", "AI3"),
        (4, "Pulse input", "脉冲输入"), (5, "PID", "PID"), (6, "Preset frequency (P0-08)", "预置频率（P0-08）")]),
]

# 0xFD00-0xFD02 answer the connection test read of the tool (drive identification), so the
# communication settings start at PD-03.
PD = [
    P(3, "Baud rate", "波特率", None, None, "", 5, e=1, enum=[
        (0, "300 bps", "300 bps"), (1, "600 bps", "600 bps"), (2, "1200 bps", "1200 bps"),
        (3, "2400 bps", "2400 bps"), (4, "4800 bps", "4800 bps"), (5, "9600 bps", "9600 bps"),
        (6, "19200 bps", "19200 bps"), (7, "38400 bps", "38400 bps"), (8, "57600 bps", "57600 bps"),
        (9, "115200 bps", "115200 bps")]),
    P(4, "Data format", "数据格式", None, None, "", 3, enum=[
        (0, "No parity (8-N-2)", "无校验（8-N-2）"), (1, "Even parity (8-E-1)", "偶校验（8-E-1）"),
        (2, "Odd parity (8-O-1)", "奇校验（8-O-1）"), (3, "No parity (8-N-1)", "无校验（8-N-1）")]),
    P(5, "Local address", "本机地址", 1, 247, "", 1,
      tip=("Slave address of the drive; 0 is the broadcast address and cannot be set",
           "变频器的从站地址；0为广播地址，不可设定")),
    P(6, "Response delay", "应答延迟", 0, 20, "ms", 2),
    P(7, "Communication timeout", "通讯超时时间", 0.0, 60.0, "s", 0.0, f=1,
      tip=("0.0 turns the timeout off", "设为0.0时不检测通讯超时")),
    P(8, "Modbus data format", "Modbus数据传送格式", None, None, "", 1, e=2, enum=[
        (0, "Non-standard Modbus", "非标准的Modbus协议"), (1, "Standard Modbus", "标准的Modbus协议")]),
    P(9, "Current resolution read by communication", "通讯读取电流分辨率", None, None, "", 0, colon=True,
      enum=[(0, "0.01 A", "0.01 A"), (1, "0.1 A", "0.1 A")]),
]

PE = [
    P(0, "Speed/torque control", "速度/转矩控制方式选择", None, None, "", 0, enum=[
        (0, "Speed control", "速度控制"), (1, "Torque control", "转矩控制")]),
    P(1, "Torque reference source", "转矩控制方式下转矩设定源选择", None, None, "", 0, w=1,
      enum=TORQUE_LIMIT_SOURCES),
    P(3, "Torque digital reference", "转矩数字设定", -200.0, 200.0, "%", 150.0, f=1, s=True),
    freq(5, "Forward maximum frequency in torque control", "转矩控制正向最大频率", 50.0),
    freq(6, "Reverse maximum frequency in torque control", "转矩控制反向最大频率", 50.0),
    P(7, "Torque acceleration time", "转矩控制加速时间", 0.0, 650.0, "s", 0.0, f=2),
    P(8, "Torque deceleration time", "转矩控制减速时间", 0.0, 650.0, "s", 0.0, f=2),
]

PF = [
    P(0, "Factory password", "厂家密码", 0, 65535, "", 0,
      tip=("Unlocks the factory parameters; reads back 0", "用于解锁厂家参数，读出值为0")),
    P(1, "Power class", "变频器功率等级", 0, 40, "", 12, w=1, e=2,
      tip=("Classes 0 to 21 go up to 55 kW and show currents with 0.01 A, classes 22 and above with "
           "0.1 A and motor resistances with four decimals",
           "0～21级为55 kW及以下机型，电流为0.01 A；22级及以上电流为0.1 A，电机电阻为四位小数")),
    P(2, "Voltage class", "电压等级", None, None, "", 2, w=1, e=2, enum=[
        (0, "220 V single-phase", "单相220 V"), (1, "220 V three-phase", "三相220 V"),
        (2, "380 V three-phase", "三相380 V"), (3, "480 V three-phase", "三相480 V"),
        (4, "690 V three-phase", "三相690 V")]),
    RO(3, "Rated power", "额定功率", 0.0, 6553.5, "kW", 7.5, f=1),
    RO(4, "Rated current", "额定电流", 0.0, 6553.5, "A", 17.0, f=1),
    RO(5, "Hardware version", "硬件版本", 0, 0xFFFF, "", 0x21, f=9),
    P(6, "Current detection coefficient", "电流检测系数", 0.5, 2.0, "", 1.0, w=1, f=3),
    P(7, "Voltage detection coefficient", "电压检测系数", 0.5, 2.0, "", 1.0, w=1, f=3),
    P(8, "Dead-time compensation", "死区补偿时间", 0.0, 10.0, "µs", 3.2, w=1, f=2),
    P(9, "Maximum carrier frequency", "最大载波频率", 0.5, 16.0, "kHz", 16.0, w=1, f=1),
    P(10, "Overcurrent protection level", "过流保护点", 100.0, 300.0, "%", 220.0, w=1, f=1),
    P(11, "Overvoltage protection level", "过压保护点", 200.0, 1000.0, "V", 810.0, w=1, f=1),
    P(12, "Undervoltage protection level", "欠压保护点", 150.0, 600.0, "V", 350.0, w=1, f=1),
    P(13, "Module overheat protection level", "模块过热保护点", 50, 120, "°C", 95, w=1),
    RO(14, "Serial number", "产品序列号", 0, 65535, "", 26041, f=10),
]

B2 = motor_data("motor 2", "第2电机") + [
    P(38, "Speed loop proportional gain 1", "速度环比例增益1", 1, 100, "", 30),
    P(39, "Speed loop integral time 1", "速度环积分时间1", 0.01, 10.0, "s", 0.5, f=2),
    freq(40, "Switchover frequency 1", "切换频率1", 5.0),
    P(41, "Speed loop proportional gain 2", "速度环比例增益2", 1, 100, "", 20),
    P(42, "Speed loop integral time 2", "速度环积分时间2", 0.01, 10.0, "s", 1.0, f=2),
    freq(43, "Switchover frequency 2", "切换频率2", 10.0),
    P(44, "Vector slip compensation gain", "矢量控制转差增益", 50, 200, "%", 100),
    P(45, "Speed loop filter time", "速度环滤波时间常数", 0.0, 0.1, "s", 0.0, f=3),
    P(46, "Vector over-excitation gain", "矢量控制过励磁增益", 0, 200, "", 64),
    P(47, "Torque limit source in speed control", "速度控制方式下转矩上限源", None, None, "", 0,
      enum=TORQUE_LIMIT_SOURCES),
    P(48, "Digital torque limit in speed control", "速度控制方式下转矩上限数字设定", 0.0, 200.0, "%", 150.0, f=1),
    P(61, "Motor 2 control mode", "第2电机控制方式", None, None, "", 2, w=1, enum=CONTROL_MODES),
    P(62, "Motor 2 ramp selection", "第2电机加减速时间选择", None, None, "", 0, enum=[
        (0, "Same as motor 1", "与第1电机相同"), (1, "Ramp 1", "加减速时间1"), (2, "Ramp 2", "加减速时间2"),
        (3, "Ramp 3", "加减速时间3"), (4, "Ramp 4", "加减速时间4")]),
    P(63, "Motor 2 torque boost", "第2电机转矩提升", 0.0, 30.0, "%", 3.0, f=1),
    P(65, "Motor 2 oscillation suppression gain", "第2电机振荡抑制增益", 0, 100, "", 40),
]
B2.sort(key=lambda p: p.index)

B5 = [
    P(0, "DPWM switchover frequency", "DPWM切换上限频率", 0.0, 15.0, "Hz", 12.0, f=2),
    P(1, "PWM modulation", "PWM调制方式", None, None, "", 0, enum=[
        (0, "Asynchronous", "异步调制"), (1, "Synchronous", "同步调制")]),
    P(2, "Dead-time compensation mode", "死区补偿模式选择", None, None, "", 1, enum=[
        (0, "None", "不补偿"), (1, "Mode 1", "补偿模式1"), (2, "Mode 2", "补偿模式2")]),
    P(3, "Random PWM depth", "随机PWM深度", 0, 10, "", 0),
    P(4, "Fast current limit", "快速限流使能", None, None, "", 1, colon=True, enum=OFF_ON),
    P(5, "Current detection compensation", "电流检测补偿", 0, 100, "", 5),
    P(6, "Undervoltage level", "欠压点设置", 60.0, 140.0, "%", 100.0, f=1),
    P(7, "SVC optimisation", "SVC优化方式选择", None, None, "", 1, enum=[
        (0, "None", "不优化"), (1, "Mode 1", "优化模式1"), (2, "Mode 2", "优化模式2")]),
    P(8, "Dead-time adjustment", "死区时间调整", 100, 200, "%", 150),
    P(9, "Overvoltage level", "过压点设置", 200.0, 2500.0, "V", 810.0, f=1),
]


MONITOR_TIP = ("Realtime value, refreshed by the drive continuously", "实时监视量，由驱动器持续刷新")


def monitor(index, en, cn, unit, f=0, s=False, hi=None, tip=MONITOR_TIP):
    """A D0 realtime value: read only, refreshed by the parameter table."""
    if f in (8, 9):
        lo, top = 0, 0xFFFF if hi is None else hi
    elif s:
        lo, top = -32768 / 10 ** f, 32767 / 10 ** f
    else:
        lo, top = 0, 65535 / 10 ** f if hi is None else hi
    return RO(index, en, cn, lo, top, unit, 0, f=f, s=s, tip=tip)


D0 = [
    monitor(0, "Running frequency", "运行频率", "Hz", 2),
    monitor(1, "Set frequency", "设定频率", "Hz", 2),
    monitor(2, "Bus voltage", "母线电压", "V", 1),
    monitor(3, "Output voltage", "输出电压", "V"),
    monitor(4, "Output current", "输出电流", "A", 2),
    monitor(5, "Output power", "输出功率", "kW", 1),
    monitor(6, "Output torque", "输出转矩", "%", 1, s=True),
    monitor(7, "DI state", "DI输入状态", "", 8, hi=0b1111111111),
    monitor(8, "DO state", "DO输出状态", "", 8, hi=0b11111),
    monitor(9, "AI1 voltage", "AI1电压", "V", 2),
    monitor(10, "AI2 voltage", "AI2电压", "V", 2),
    monitor(11, "AI3 voltage", "AI3电压", "V", 2, s=True),
    monitor(12, "Count value", "计数值", ""),
    monitor(13, "Length value", "长度值", "m"),
    monitor(14, "Load speed", "负载速度显示", "", 1,
            tip=("Output frequency × P7-06; decimals set by the units digit of P7-12",
                 "输出频率 × P7-06；小数位数由P7-12个位设定")),
    monitor(15, "PID reference", "PID设定", ""),
    monitor(16, "PID feedback", "PID反馈", ""),
    monitor(17, "PLC stage", "PLC阶段", ""),
    monitor(18, "Pulse input frequency", "输入脉冲频率", "kHz", 2),
    monitor(19, "Feedback speed", "反馈速度", "Hz", 2, s=True,
            tip=("Decimals set by the tens digit of P7-12", "小数位数由P7-12十位设定")),
    monitor(20, "Remaining running time", "剩余运行时间", "min", 1),
    monitor(21, "AI1 voltage before correction", "AI1校正前电压", "V", 3),
    monitor(22, "AI2 voltage before correction", "AI2校正前电压", "V", 3),
    monitor(23, "AI3 voltage before correction", "AI3校正前电压", "V", 3, s=True),
    monitor(24, "Linear speed", "线速度", "m/min"),
    monitor(25, "Present power-on time", "当前上电时间", "min"),
    monitor(26, "Present running time", "当前运行时间", "min", 1),
    monitor(27, "Pulse input frequency (Hz)", "输入脉冲频率（Hz）", "Hz"),
    monitor(28, "Communication setting", "通讯设定值", "%", 2, s=True),
    monitor(29, "Encoder feedback speed", "编码器反馈速度", "Hz", 2, s=True,
            tip=("Decimals set by the tens digit of P7-12", "小数位数由P7-12十位设定")),
    monitor(30, "Main frequency X", "主频率X显示", "Hz", 2),
    monitor(31, "Auxiliary frequency Y", "辅频率Y显示", "Hz", 2),
    monitor(32, "Memory address value", "查看任意内存地址值", "", 9),
    monitor(33, "Synchronous motor rotor position", "同步机转子位置", "°", 1),
    monitor(34, "Motor temperature", "电机温度", "°C"),
    monitor(35, "Target torque", "目标转矩", "%", 1, s=True),
    monitor(36, "Resolver position", "旋变位置", ""),
    monitor(37, "Power factor angle", "功率因数角度", "°", 1, s=True),
    monitor(38, "ABZ position", "ABZ位置", ""),
    monitor(39, "V/F separation target voltage", "VF分离目标电压", "V"),
    monitor(40, "V/F separation output voltage", "VF分离输出电压", "V"),
    monitor(41, "DI state (display)", "DI输入状态直观显示", "", 9),
    monitor(42, "DO state (display)", "DO输出状态直观显示", "", 9),
    monitor(43, "DI function state 1", "DI功能状态直观显示1", "", 9),
    monitor(44, "DI function state 2", "DI功能状态直观显示2", "", 9),
    monitor(45, "Present fault code", "当前故障信息", ""),
    monitor(46, "Motor speed", "电机转速", "rpm"),
    monitor(47, "Cumulative running time", "累计运行时间", "h"),
    monitor(48, "Cumulative power-on time", "累计上电时间", "h"),
    monitor(49, "Cumulative power consumption", "累计耗电量", "kWh"),
    monitor(50, "Inverter module temperature", "逆变模块温度", "°C", 1, s=True),
    monitor(51, "Rectifier temperature", "整流桥温度", "°C", 1, s=True),
    monitor(52, "Heat sink fan running time", "风扇运行时间", "h"),
    monitor(53, "Output frequency at last fault", "最近故障时输出频率", "Hz", 2),
    monitor(54, "Output current at last fault", "最近故障时输出电流", "A", 2),
    monitor(55, "Bus voltage at last fault", "最近故障时母线电压", "V", 1),
    monitor(56, "PID output", "PID输出", "%", 1, s=True),
    monitor(57, "Torque current", "转矩电流", "A", 2, s=True),
    monitor(58, "Excitation current", "励磁电流", "A", 2, s=True),
    monitor(59, "Motor power factor", "电机功率因数", "", 3),
]

GROUPS = [
    Group("P0", "Basic functions", "基本功能组", "F0", P0),
    Group("P1", "Motor 1 parameters", "第1电机参数", "F1", P1),
    Group("P2", "Vector control", "矢量控制参数", "F2", P2),
    Group("P3", "V/F control", "V/F控制参数", "F3", P3),
    Group("P4", "Input terminals", "输入端子", "F4", P4),
    Group("P5", "Output terminals", "输出端子", "F5", P5),
    Group("P6", "Start and stop control", "启停控制", "F6", P6),
    Group("P7", "Keypad and display", "键盘与显示", "F7", P7),
    Group("P8", "Auxiliary functions", "辅助功能", "F8", P8),
    Group("P9", "Faults and protection", "故障与保护", "F9", P9),
    Group("PA", "PID control", "PID功能", "FA", PA),
    Group("PB", "Swing frequency, length and count", "摆频、定长和计数", "FB", PB),
    Group("PC", "Multi-reference and simple PLC", "多段指令、简易PLC", "FC", PC),
    Group("PD", "Communication", "通讯参数", "FD", PD),
    Group("PE", "Torque control", "转矩控制参数", "FE", PE),
    Group("PF", "Factory parameters", "厂家参数", "FF", PF, authority=1),
    Group("B2", "Motor 2 parameters", "第2电机参数", "B2", B2),
    Group("B5", "Control optimisation", "控制优化参数", "B5", B5, since=1),
    Group("D0", "Monitoring", "监视参数", "70", D0),
]


def _variable(p, since=0):
    return Variable("D0-%02d" % p.index, p.en + (" (%s)" % p.unit if p.unit else ""),
                    p.cn + (" (%s)" % p.unit if p.unit else ""), 0x7000 + p.index, 1, p.format1, p.signed,
                    since)


_SCOPE_D0 = [0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 14, 15, 16, 18, 19, 24, 28, 29, 30, 31, 35, 46, 56, 57, 58]
VARIABLES = [_variable(D0[i]) for i in _SCOPE_D0] + [
    # Beyond the D0 table: the frequency the drive reports to a field-bus card, same resolution as
    # the running frequency.
    Variable("D0-69", "Frequency sent to field-bus card (Hz)", "发送至总线卡的频率 (Hz)", 0x7045, 1, 2),
    Variable("D0-70", "Field-bus card speed reference (rpm)", "总线卡速度给定 (rpm)", 0x7046, 1, 0, True,
             since=1),
]

FAULTS = [
    Fault(0, "No fault", "无故障"),
    Fault(1, "Inverter unit protection", "逆变单元保护"),
    Fault(2, "Over-current during acceleration", "加速过电流"),
    Fault(3, "Over-current during deceleration", "减速过电流"),
    Fault(4, "Over-current at constant speed", "恒速过电流"),
    Fault(5, "DC bus over-voltage during acceleration", "加速过电压"),
    Fault(6, "DC bus over-voltage during deceleration", "减速过电压"),
    Fault(7, "DC bus over-voltage at constant speed", "恒速过电压"),
    Fault(8, "Control power supply fault", "控制电源故障"),
    Fault(9, "DC bus under-voltage", "欠压故障"),
    Fault(10, "Drive overload", "变频器过载"),
    Fault(11, "Motor overload", "电机过载"),
    Fault(12, "Input phase loss", "输入缺相"),
    Fault(13, "Output phase loss", "输出缺相"),
    Fault(14, "IGBT overheat", "模块过热"),
    Fault(15, "External equipment fault", "外部设备故障"),
    Fault(16, "Communication fault", "通讯故障"),
    Fault(17, "Contactor fault", "接触器故障"),
    Fault(18, "Current detection fault", "电流检测故障"),
    Fault(19, "Motor auto-tuning fault", "电机调谐故障"),
    Fault(20, "Encoder disconnected", "码盘故障"),
    Fault(21, "EEPROM read/write fault", "EEPROM读写故障"),
    Fault(22, "Drive hardware fault", "变频器硬件故障"),
    Fault(23, "Short circuit to ground", "对地短路故障"),
    Fault(26, "Cumulative running time reached", "累计运行时间到达"),
    Fault(27, "User-defined fault 1", "用户自定义故障1"),
    Fault(28, "User-defined fault 2", "用户自定义故障2"),
    Fault(29, "Cumulative power-on time reached", "累计上电时间到达"),
    Fault(30, "Load lost", "掉载"),
    Fault(31, "PID feedback lost during running", "运行时PID反馈丢失"),
    Fault(40, "Pulse-by-pulse current limit fault", "逐波限流故障"),
    Fault(41, "Motor switchover during running", "运行时切换电机"),
    Fault(42, "Speed deviation too large", "速度偏差过大"),
    Fault(43, "Motor over-speed", "电机过速度"),
    Fault(45, "Motor overheat", "电机过温"),
    Fault(51, "Initial rotor position fault", "初始位置错误"),
    Fault(55, "Slave fault in master-slave control", "主从控制时从机故障", since=1),
]

FREQUENCY_CODES = ["P0-08", "P0-12", "P0-13", "P0-14", "P0-21", "P2-02", "P2-05", "P3-02", "P3-03",
                   "P3-05", "P3-07", "P6-03", "P6-11", "P8-00", "P8-09", "P8-10", "P8-11", "P8-19",
                   "P8-25", "P8-26", "P8-28", "P8-30", "P8-32", "P8-49", "P8-51", "P9-17", "P9-27",
                   "P9-37", "PA-08", "PE-05", "PE-06", "B2-40", "B2-43", "D0-00", "D0-01", "D0-30",
                   "D0-31", "D0-53", "P0-10"]
RAMP_CODES = ["P0-17", "P0-18"] + ["P8-%02d" % i for i in range(1, 9)] + ["P8-55"]

CONTROL_FUNCTIONS = [
    ControlFunction("P0-22", [Trigger(1, "Hz", 1), Trigger(2, "Hz", 2)], FREQUENCY_CODES),
    ControlFunction("P0-19", [Trigger(0, "s", 0), Trigger(1, "s", 1), Trigger(2, "s", 2)], RAMP_CODES),
    # P7-12 packs two settings: its units digit is the decimals of the load speed, its tens digit
    # those of the two speed feedbacks; each digit gets its own function.
    ControlFunction("P7-12", [Trigger(v, "", v % 10) for v in (10, 11, 12, 13, 20, 21, 22, 23)],
                    ["D0-14"]),
    ControlFunction("P7-12", [Trigger(v, "Hz", v // 10) for v in (10, 11, 12, 13, 20, 21, 22, 23)],
                    ["D0-19", "D0-29"]),
    ControlFunction("PD-09", [Trigger(0, "A", 2), Trigger(1, "A", 1)], ["D0-04", "D0-54"]),
]



# Help texts of parameters whose name alone does not say enough.
MORE_TIPS = {
    "P0-03": ("Source of the main frequency reference", "主频率给定的来源"),
    "P0-04": ("Source of the auxiliary frequency reference; must differ from the main source",
              "辅助频率给定的来源；不能与主频率源相同"),
    "P0-06": ("Scale of the auxiliary frequency in the combination", "叠加运算时辅助频率的比例"),
    "P0-09": ("Reverses the motor without rewiring it", "无需更改接线即可改变电机转向"),
    "P0-12": ("Highest frequency the drive runs at; not above the maximum frequency",
              "运行频率的上限；不能超过最大频率"),
    "P0-14": ("Lowest frequency while running; see P8-14 for set frequencies below it",
              "运行频率的下限；设定频率低于下限时的动作见P8-14"),
    "P0-16": ("Lowers the carrier frequency automatically when the heat sink is hot",
              "散热器温度高时自动降低载波频率"),
    "P0-24": ("Selects which motor's data and control mode are used", "选择使用哪一台电机的参数和控制方式"),
    "P0-28": ("Protocol of the communication port", "通讯口使用的协议"),
    "P1-00": ("Kind of motor connected", "所接电机的类型"),
    "P1-02": ("From the motor nameplate", "按电机铭牌设定"),
    "P1-04": ("From the motor nameplate", "按电机铭牌设定"),
    "P1-05": ("From the motor nameplate", "按电机铭牌设定"),
    "P1-27": ("Lines per revolution of the encoder (closed-loop vector control)", "编码器每转线数（有速度传感器矢量控制时使用）"),
    "P1-28": ("Encoder or resolver fitted to the motor", "电机所配编码器或旋转变压器的类型"),
    "P1-30": ("Swap when the feedback counts in the wrong direction", "反馈方向与实际相反时请修改"),
    "P2-00": ("Speed loop gain at low speed; raise it for stiffness", "低速段速度环比例增益；增大可提高刚性"),
    "P2-01": ("Speed loop integral time at low speed; lower it for faster recovery",
              "低速段速度环积分时间；减小可加快恢复"),
    "P2-03": ("Speed loop gain at high speed", "高速段速度环比例增益"),
    "P2-04": ("Speed loop integral time at high speed", "高速段速度环积分时间"),
    "P2-06": ("Raise it when the speed drops under load", "带载时转速偏低可增大此值"),
    "P2-08": ("Limits the bus voltage rise during deceleration", "减速时抑制母线电压升高"),
    "P2-10": ("Torque limit in % of the rated motor current", "以电机额定电流为100 %的转矩限制值"),
    "P3-00": ("Voltage/frequency characteristic; use square curves for fans and pumps",
              "电压与频率的关系；风机水泵可选平方曲线"),
    "P3-02": ("Torque boost applies below this frequency", "低于此频率时转矩提升有效"),
    "P3-09": ("Compensates the speed drop under load in V/F control", "补偿V/F控制时带载的速度下降"),
    "P3-13": ("Source of the output voltage with V/F separation", "V/F分离时输出电压的来源"),
    "P3-18": ("Output current above which the drive holds the frequency", "输出电流超过此值时暂停升频"),
    "P3-22": ("Bus voltage above which the drive stops decelerating", "母线电压超过此值时暂停减速"),
    "P4-10": ("Filter on all digital inputs against contact bounce", "各数字输入的抗抖动滤波时间"),
    "P4-11": ("How the run terminals are wired", "运行端子的接线方式"),
    "P4-12": ("Frequency change per second while UP or DOWN is active", "UP/DOWN端子有效时每秒的频率变化量"),
    "P4-14": ("In % of the maximum frequency", "以最大频率为100 %"),
    "P4-28": ("Lowest frequency of the pulse input on DI5", "DI5脉冲输入的最低频率"),
    "P5-00": ("Whether the FM terminal outputs pulses or works as a switch", "FM端子作脉冲输出或开关量输出"),
    "P5-02": ("Function of the relay on the control board", "控制板继电器的输出功能"),
    "P5-04": ("Function of open-collector output DO1", "开路集电极输出DO1的功能"),
    "P5-07": ("Quantity output on AO1 (0 to 10 V or 0 to 20 mA)", "AO1输出的物理量（0～10 V或0～20 mA）"),
    "P5-10": ("Added to AO1, in % of full scale", "叠加到AO1的偏置（满量程百分比）"),
    "P5-11": ("Scale of AO1; negative values invert the output", "AO1的比例系数；负值表示反向输出"),
    "P6-00": ("Use speed tracking for a motor that may still be turning", "电机可能仍在旋转时请选择转速跟踪再启动"),
    "P6-02": ("Higher values track faster but may trip on over-current", "值越大跟踪越快，但可能引起过流"),
    "P6-03": ("Frequency the drive starts from", "变频器启动时的初始频率"),
    "P6-05": ("In % of the rated motor current", "以电机额定电流为100 %"),
    "P6-07": ("S-curves soften the start and end of each ramp", "S曲线使加减速的起止更平缓"),
    "P6-10": ("How the drive stops after a stop command", "收到停机命令后的停机方式"),
    "P6-11": ("Decelerating below this frequency starts DC braking", "减速到此频率以下时开始直流制动"),
    "P6-13": ("In % of the rated motor current", "以电机额定电流为100 %"),
    "P6-15": ("Duty of the braking unit; lower it when the braking resistor gets hot",
              "制动单元的使用率；制动电阻过热时请减小"),
    "P7-01": ("Function of the MF.K key on the keypad", "键盘上MF.K键的功能"),
    "P7-05": ("Each set bit shows one value on the LED display while stopped", "每一位对应一个停机显示量"),
    "P7-09": ("Hours the drive has been running", "变频器累计运行小时数"),
    "P8-00": ("Frequency of jog runs", "点动运行时的频率"),
    "P8-03": ("Selected by the DI functions 'Acceleration/deceleration time selection'", "由DI功能“加减速时间选择端子”选择"),
    "P8-09": ("The drive does not run steadily within the skip band around this frequency",
              "变频器不会稳定运行在此频率附近的跳跃范围内"),
    "P8-11": ("Width of the band around each skip frequency", "跳跃频率两侧的范围"),
    "P8-12": ("Time at zero frequency when changing direction", "正反转切换时在0 Hz停留的时间"),
    "P8-15": ("Frequency lowered at rated load to share load between drives", "额定负载时频率的下降量，用于多机负载均衡"),
    "P8-19": ("Output 'FDT1' turns on above this frequency", "运行频率高于此值时输出“FDT1”"),
    "P8-21": ("Band around the set frequency for 'Frequency reached', in % of the maximum frequency",
              "“频率到达”的检出范围（最大频率百分比）"),
    "P8-34": ("Current below which 'Zero current' is output, in % of the rated motor current",
              "电流低于此值时输出“零电流”（电机额定电流百分比）"),
    "P8-47": ("Temperature at which 'Module temperature reached' is output", "输出“模块温度到达”的温度"),
    "P8-49": ("The drive wakes from sleep when the set frequency rises above this",
              "设定频率高于此值时从休眠中唤醒"),
    "P8-51": ("The drive goes to sleep when the set frequency falls below this", "设定频率低于此值时进入休眠"),
    "P9-00": ("Protects the motor by an inverse-time overload curve", "按反时限特性保护电机过载"),
    "P9-01": ("Smaller values trip earlier", "值越小保护越早动作"),
    "P9-02": ("Load at which 'Motor overload pre-warning' is output, in % of the overload point",
              "输出“电机过载预报警”的负载（过载保护点百分比）"),
    "P9-09": ("0 turns automatic fault reset off", "设为0时不自动复位"),
    "P9-13": ("Trips when a motor phase is open", "电机缺相时报故障"),
    "P9-14": ("Fault numbers as shown on the keypad (ErrXX)", "键盘显示的故障编号（ErrXX）"),
    "P9-16": ("Fault numbers as shown on the keypad (ErrXX)", "键盘显示的故障编号（ErrXX）"),
    "P9-56": ("Sensor connected to the AI3 input for motor temperature", "接于AI3的电机温度传感器类型"),
    "P9-59": ("Keeps the drive running through short mains dips using the load's energy",
              "短时掉电时利用负载能量维持运行"),
    "P9-63": ("Trips when the output current stays below the level (e.g. a broken belt)",
              "输出电流持续低于检出水平时报故障（如皮带断裂）"),
    "PA-00": ("Source of the PID reference", "PID给定的来源"),
    "PA-02": ("Source of the PID feedback", "PID反馈的来源"),
    "PA-03": ("Direct: the frequency rises while the feedback is below the reference",
              "正作用：反馈小于给定时输出频率上升"),
    "PA-04": ("Value shown for 100 % of reference and feedback", "给定和反馈为100 %时的显示值"),
    "PA-05": ("Higher values react more strongly to the deviation", "值越大对偏差的调节越强"),
    "PA-06": ("Shorter times remove the deviation faster but may oscillate", "时间越短消除偏差越快，但可能振荡"),
    "PA-09": ("No regulation while the deviation stays within this band", "偏差在此范围内时不调节"),
    "PA-28": ("Whether PID keeps calculating while the drive is stopped", "停机时PID是否继续运算"),
    "PB-01": ("Swing amplitude in % of the centre or maximum frequency", "摆频幅度（中心频率或最大频率的百分比）"),
    "PB-05": ("'Length reached' is output when the actual length reaches this", "实际长度达到此值时输出“长度到达”"),
    "PB-07": ("Length pulses counted per metre", "每米长度对应的脉冲数"),
    "PB-08": ("'Set count value reached' is output when the count reaches this", "计数值达到此值时输出“设定记数值到达”"),
    "PC-16": ("What the drive does after the last simple PLC stage", "简易PLC最后一段运行结束后的动作"),
    "PE-00": ("Torque control can also be selected by a DI", "也可通过DI端子切换为转矩控制"),
    "PE-03": ("In % of the rated motor torque; negative values reverse", "以电机额定转矩为100 %；负值表示反向"),
    "PE-05": ("Speed limit in the forward direction while in torque control", "转矩控制时正转方向的速度限制"),
    "PF-02": ("Supply voltage of the drive", "变频器的输入电压等级"),
    "PF-06": ("Calibrated at the factory; do not change", "出厂时校准，请勿修改"),
    "PF-07": ("Calibrated at the factory; do not change", "出厂时校准，请勿修改"),
    "B2-00": ("Kind of the second motor", "第2电机的类型"),
    "B2-61": ("Control mode while motor 2 is selected", "选择第2电机时的控制方式"),
    "B2-62": ("Ramp used while motor 2 is selected", "选择第2电机时使用的加减速时间"),
    "B5-00": ("Above this frequency the drive switches to discontinuous PWM to cut losses",
              "高于此频率时切换为DPWM以降低损耗"),
    "B5-03": ("Spreads the motor noise over a wider band; 0 turns it off", "使电机噪声频谱分散；0为无效"),
    "B5-04": ("Limits the current pulse by pulse to avoid over-current trips", "逐波限制电流以避免过流故障"),
    "B5-07": ("Sensorless vector control tuning", "无速度传感器矢量控制的优化方式"),
}

apply_tips(GROUPS, MORE_TIPS)

FAMILY = Family("VFD", VERSIONS, GROUPS, VARIABLES, FAULTS, CONTROL_FUNCTIONS)
