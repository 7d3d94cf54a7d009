// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a monitored value or scope variable stands for, guessed from its description in the
// definition files, so that it can follow the simulated motor.
enum class Quantity {
    Unknown,
    Speed, // servo rpm; VFD motor rpm
    SpeedCommand,
    LoadSpeed,
    LinearSpeed,
    Frequency, // VFD output frequency (signed where the value is signed)
    SetFrequency,
    PulseFrequency, // servo command pulse frequency, kHz
    Position,
    PositionCommand,
    PositionError,
    SingleTurnPosition,
    ElectricalAngle,
    Torque, // percent of rated torque
    Current, // amperes
    PhaseCurrentU,
    PhaseCurrentV,
    PhaseCurrentW,
    TorqueCurrent,
    ExcitationCurrent,
    BusVoltage,
    OutputVoltage,
    Power, // kW
    PowerFactor,
    Temperature,
    LoadRate,
    RegenerativeLoadRate,
    Analog, // AI inputs, PID values: a slow sine
    FaultCode,
    LastFaultFrequency,
    LastFaultCurrent,
    LastFaultBusVoltage,
    PowerOnTime, // minutes
    RunningTime, // minutes
    OutputState, // VFD DO state bits: 0 running, 1 fault
};

Quantity classifyQuantity(const QString& description, bool servo);
