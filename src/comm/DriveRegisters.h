// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The drive's fixed holding registers and the values the tool writes to them. Parameter registers
// follow codeToAddress and scope variables come from Variables.xml; everything else the tool sends
// to a fixed address is named here, so no page or command carries a bare register number.
namespace DriveRegister {

// ---- Servo family ----
namespace Servo {

// Connect probe: three registers read, the values discarded.
constexpr quint16 ProbeStart = 53;
constexpr quint16 ProbeCount = 3;

// Reading it gives the enable state (1 = enabled); writing Enable switches it.
constexpr quint16 EnableState = 53;
constexpr quint16 Enable = 181;
constexpr quint16 EnableOn = 1;
constexpr quint16 EnableOff = 0;

constexpr quint16 SoftReset = 60;
constexpr quint16 SoftResetRequest = 1;

// Two registers from 0: 385 then 65535 restores the factory parameters.
constexpr quint16 RestoreFactory = 0;
constexpr quint16 RestoreFactoryCode = 385;
constexpr quint16 RestoreFactoryConfirm = 65535;

// Status block of the monitor page: 28 words from 0x1000, 32/64-bit values low word first.
constexpr quint16 StatusBlock = 0x1000;
constexpr quint16 StatusBlockCount = 28;

// IO page: DI1–DI8 and DO1–DO6 function codes, the level words, and the two state words.
constexpr quint16 DiFunction = 256;
constexpr quint16 DiCount = 8;
constexpr quint16 DoFunction = 276;
constexpr quint16 DoCount = 6;
constexpr quint16 DoWrittenCount = 5; // DO6 is shown but never written
constexpr quint16 DiLevel = 55;
constexpr quint16 DoLevel = 57;
constexpr quint16 IoState = 0x100F; // 0x100F DI states, 0x1010 DO states
constexpr quint16 IoStateCount = 2;

// Trial runs (motion page and the main window's disable).
constexpr quint16 TrialRunMode = 400;
constexpr quint16 TrialRunModeSerial = 128;
constexpr quint16 JogCommand = 401;
constexpr quint16 JogStop = 0;
constexpr quint16 JogForward = 32;
constexpr quint16 JogBackward = 64;
constexpr quint16 PositionCommand = 402;
constexpr quint16 PositionStart = 8;
constexpr quint16 PositionRelease = 0;
constexpr quint16 PositionStop = 4;
constexpr quint16 JogSpeed = 149;
constexpr quint16 PositionSpeed = 644;
constexpr quint16 PositionTimeA = 168;
constexpr quint16 PositionTimeB = 169;
// Two registers: count / 10000, then count % 10000.
constexpr quint16 PositionCount = 514;
constexpr int PositionCountSplit = 10000;
constexpr quint16 PositionRunSelect = 640;
constexpr quint16 PositionRunSelected = 1;

} // namespace Servo

// ---- VFD family ----
namespace Vfd {

// Connect probe: three registers read, the values discarded.
constexpr quint16 ProbeStart = 0xFD00;
constexpr quint16 ProbeCount = 3;

// Status poll every 3 s; PF-01 sits behind an unlock code written right before it is read.
constexpr quint16 OutputFrequency = 0xF013; // answered as "P0-19"
constexpr quint16 FrequencyDecimals = 0xF016; // answered as "P0-22"
constexpr quint16 PollP7_12 = 0xF00C; // answered as "P7-12" (0xF00C, not 0xF70C)
constexpr quint16 Unlock = 0xFF00;
constexpr quint16 UnlockCode = 55;
constexpr quint16 CurrentDecimals = 0xFF01; // answered as "PF-01"

// Run command register.
constexpr quint16 Control = 0x2000;
constexpr quint16 RunForward = 1;
constexpr quint16 RunBackward = 2;
constexpr quint16 JogForward = 3;
constexpr quint16 JogBackward = 4;
constexpr quint16 Stop = 6;
constexpr quint16 FaultReset = 7; // also the soft reset

// Two registers from 0x1F00: 0 then 1 restores the factory parameters.
constexpr quint16 RestoreFactory = 0x1F00;
constexpr quint16 RestoreFactoryCode = 0;
constexpr quint16 RestoreFactoryConfirm = 1;

// Command source: read before a run command; 2 (serial) is written when it reads otherwise, and 0
// when the control panel closes.
constexpr quint16 CommandSourceRead = 0xF002;
constexpr quint16 CommandSource = 2;
constexpr quint16 CommandSourceSerial = 2;
constexpr quint16 CommandSourceDefault = 0;

constexpr quint16 AfterConnect = 3; // 0 written after connecting
constexpr quint16 FrequencySetting = 8;

// Control panel: running values (word 1 the set frequency), running state, fault code, power.
constexpr quint16 RunningValues = 0x7000;
constexpr quint16 RunningValuesCount = 7;
constexpr quint16 SetFrequency = 0x7001;
constexpr quint16 RunningState = 0x3000;
constexpr quint16 RunningForward = 1;
constexpr quint16 RunningReverse = 2;
constexpr quint16 RunningStopped = 3;
constexpr quint16 FaultCode = 0x8000;
constexpr quint16 OutputPower = 0xFF03;

// "D0" realtime values of the parameter table.
constexpr quint16 Realtime = 0x7000;
constexpr quint16 RealtimeCount = 0x3C;

} // namespace Vfd

} // namespace DriveRegister
