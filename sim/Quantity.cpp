// SPDX-License-Identifier: GPL-3.0-or-later
#include "Quantity.h"

#include <QRegularExpression>

namespace {

bool has(const QString& text, const char* word)
{
    return text.contains(QLatin1String(word), Qt::CaseInsensitive);
}

bool hasWord(const QString& text, const char* word)
{
    const QRegularExpression re(
        QStringLiteral("\\b%1\\b").arg(QLatin1String(word)), QRegularExpression::CaseInsensitiveOption);
    return re.match(text).hasMatch();
}

} // namespace

Quantity classifyQuantity(const QString& description, bool servo)
{
    const QString& d = description;
    static const QRegularExpression analogInput(QStringLiteral("\\bAI\\d*\\b"));

    if (has(d, "last fault")) {
        if (has(d, "frequency"))
            return Quantity::LastFaultFrequency;
        if (has(d, "current"))
            return Quantity::LastFaultCurrent;
        if (has(d, "voltage"))
            return Quantity::LastFaultBusVoltage;
        return Quantity::Unknown;
    }
    if (has(d, "fault code") || has(d, "alarm code"))
        return Quantity::FaultCode;
    if (has(d, "temperature"))
        return Quantity::Temperature;
    if (analogInput.match(d).hasMatch() || has(d, "analog") || hasWord(d, "PID"))
        return Quantity::Analog;
    if (has(d, "time")) {
        if (has(d, "cumulative"))
            return Quantity::Unknown;
        if (has(d, "power-on") || has(d, "power on"))
            return Quantity::PowerOnTime;
        if (has(d, "running time") && !has(d, "remaining") && !has(d, "fan"))
            return Quantity::RunningTime;
        return Quantity::Unknown;
    }
    if (has(d, "power factor"))
        return has(d, "angle") ? Quantity::Unknown : Quantity::PowerFactor;
    if (has(d, "voltage")) {
        if (has(d, "bus"))
            return Quantity::BusVoltage;
        if (has(d, "output") && !has(d, "separation"))
            return Quantity::OutputVoltage;
        return Quantity::Unknown;
    }
    if (has(d, "current")) {
        if (has(d, "phase")) {
            if (d.contains(QLatin1String("V-")) || d.contains(QLatin1String("V ")))
                return Quantity::PhaseCurrentV;
            if (d.contains(QLatin1String("W-")) || d.contains(QLatin1String("W ")))
                return Quantity::PhaseCurrentW;
            return Quantity::PhaseCurrentU;
        }
        if (has(d, "excitation"))
            return Quantity::ExcitationCurrent;
        if (has(d, "torque"))
            return Quantity::TorqueCurrent;
        return Quantity::Current;
    }
    if (has(d, "consumption"))
        return Quantity::Unknown;
    if (has(d, "power") && (has(d, "kW") || has(d, "output")))
        return Quantity::Power;
    if (has(d, "torque"))
        return Quantity::Torque;
    if (has(d, "load rate"))
        return has(d, "regenerative") ? Quantity::RegenerativeLoadRate : Quantity::LoadRate;
    if (has(d, "angle"))
        return servo ? Quantity::ElectricalAngle : Quantity::Unknown;
    if (has(d, "frequency") || has(d, "(Hz)")) {
        if (has(d, "pulse"))
            return servo ? Quantity::PulseFrequency : Quantity::Unknown;
        if (hasWord(d, "set") || hasWord(d, "main") || hasWord(d, "preset"))
            return Quantity::SetFrequency;
        if (has(d, "auxiliary"))
            return Quantity::Unknown;
        return servo ? Quantity::Unknown : Quantity::Frequency;
    }
    if (has(d, "speed") || has(d, "velocity") || has(d, "r/min") || has(d, "rpm")) {
        if (has(d, "command") || has(d, "reference"))
            return Quantity::SpeedCommand;
        if (has(d, "linear"))
            return Quantity::LinearSpeed;
        if (has(d, "load speed"))
            return Quantity::LoadSpeed;
        return Quantity::Speed;
    }
    if (has(d, "position") || has(d, "pulse")) {
        if (!servo)
            return Quantity::Unknown;
        if (has(d, "error") || has(d, "deviation"))
            return Quantity::PositionError;
        if (has(d, "command"))
            return Quantity::PositionCommand;
        if (has(d, "single-turn") || has(d, "single turn"))
            return Quantity::SingleTurnPosition;
        return Quantity::Position;
    }
    if (has(d, "following error"))
        return servo ? Quantity::PositionError : Quantity::Unknown;
    if (!servo && (has(d, "DO state") || has(d, "output state")))
        return Quantity::OutputState;
    return Quantity::Unknown;
}
