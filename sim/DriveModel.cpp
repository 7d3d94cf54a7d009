// SPDX-License-Identifier: GPL-3.0-or-later
#include "DriveModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

enum Flag : uint8_t {
    FlagComputed = 1, // rewritten by the simulation on every tick
    FlagMasterReadOnly = 2, // a write from the master is refused
    FlagState = 4, // computed from a state that a console write sets
};

constexpr double kPi = 3.14159265358979323846;
constexpr double kPulsesPerRev = 10000.0;
constexpr double kEncoderPerRev = 131072.0; // 17-bit single-turn encoder

// servo registers
constexpr quint16 kServoControlMode = 2; // P0-02
constexpr quint16 kServoEnabledState = 53;
constexpr quint16 kServoRunState = 54; // 0 not ready, 1 ready, 2 running (servo on), 3 alarm
constexpr quint16 kServoDiLevel = 55;
constexpr quint16 kServoDoLevel = 57;
constexpr quint16 kServoSoftReset = 60;
constexpr quint16 kServoJogSpeed = 149;
constexpr quint16 kServoTimeA = 168;
constexpr quint16 kServoTimeB = 169;
constexpr quint16 kServoEnable = 181;
constexpr quint16 kServoDiFunction = 256;
constexpr quint16 kServoDoFunction = 276;
constexpr quint16 kServoTrialMode = 400;
constexpr quint16 kServoJog = 401;
constexpr quint16 kServoPositionCommand = 402;
constexpr quint16 kServoCountHigh = 514;
constexpr quint16 kServoCountLow = 515;
constexpr quint16 kServoPositionSelect = 640;
constexpr quint16 kServoPositionSpeed = 644;
constexpr quint16 kServoStatus = 0x1000;
constexpr int kServoStatusWords = 28;
constexpr quint16 kServoInputState = 0x100F;
constexpr quint16 kServoAlarm = 0x1013;
constexpr quint16 kTrialModeSerial = 128;

// VFD registers
constexpr quint16 kVfdCommand = 0x2000;
constexpr quint16 kVfdState = 0x3000;
constexpr quint16 kVfdFault = 0x8000;
constexpr quint16 kVfdRunning = 0x7000; // D0 group
constexpr quint16 kVfdRestore = 0x1F00;
constexpr quint16 kVfdSource = 0xF002;
constexpr quint16 kVfdFrequencySetting = 0xF008;
constexpr quint16 kVfdFrequencyDecimals = 0xF016;
constexpr quint16 kVfdUnlock = 0xFF00;
constexpr quint16 kVfdPowerClass = 0xFF01; // above 21 the current has one decimal, else two
constexpr quint16 kVfdPower = 0xFF03;
constexpr quint16 kVfdUnlockCode = 55;
constexpr double kVfdRampHzPerSecond = 25.0;

} // namespace

DriveModel::DriveModel(DriveFamily family, const SimDefinitions& definitions, uint16_t* registers)
    : m_family(family)
    , m_definitions(definitions)
    , m_reg(registers)
    , m_param(65536, -1)
    , m_flags(65536, 0)
{
    for (int i = 0; i < definitions.parameters.size(); ++i) {
        const quint16 a = definitions.parameters.at(i).address;
        if (m_param[a] < 0)
            m_param[a] = i;
    }
    setupComputedRegisters();
    setupLiveValues();
    restoreFactory();
}

void DriveModel::markComputed(quint16 address)
{
    m_flags[address] |= FlagComputed | FlagMasterReadOnly;
}

void DriveModel::setupComputedRegisters()
{
    if (m_family == DriveFamily::Servo) {
        markComputed(kServoEnabledState);
        markComputed(kServoRunState);
        for (int k = 0; k < kServoStatusWords; ++k)
            markComputed(static_cast<quint16>(kServoStatus + k));
        m_flags[kServoEnabledState] |= FlagState;
        m_flags[kServoInputState] |= FlagState;
        m_flags[kServoAlarm] |= FlagState;
        return;
    }
    markComputed(kVfdState);
    markComputed(kVfdFault);
    m_flags[kVfdFault] |= FlagState;
    for (int k = 0; k <= 6; ++k)
        markComputed(static_cast<quint16>(kVfdRunning + k));
    for (int i = 0; i < m_definitions.parameters.size(); ++i) {
        const QString& text = m_definitions.parameters.at(i).description;
        if (text.contains(QLatin1String("jog"), Qt::CaseInsensitive)
            && text.contains(QLatin1String("freq"), Qt::CaseInsensitive)) {
            m_jogParameter = i;
            break;
        }
    }
}

void DriveModel::setupLiveValues()
{
    const bool servo = m_family == DriveFamily::Servo;
    int shape = 0;
    // Scope variables move whatever they are; an unrecognised one gets a sine, ramp or noisy sine.
    for (const SimVariable& v : m_definitions.variables) {
        if (m_flags[v.address] & FlagComputed)
            continue; // the status block and the control panel's values are live already
        LiveValue live { v.address, v.length, v.format1, v.isSigned,
            classifyQuantity(v.description + QLatin1Char(' ') + v.name, servo), shape++ };
        m_live.push_back(live);
        m_flags[v.address] |= FlagComputed;
        if (v.length >= 2)
            m_flags[static_cast<quint16>(v.address + 1)] |= FlagComputed;
    }
    // The monitoring group of a VFD: the values it can explain follow the motor, the rest keep
    // their factory value.
    if (servo)
        return;
    for (const SimParameter& p : m_definitions.parameters) {
        if ((p.address & 0xFF00) != kVfdRunning || (m_flags[p.address] & FlagComputed))
            continue;
        const Quantity q = classifyQuantity(p.description, false);
        if (q == Quantity::Unknown)
            continue;
        m_live.push_back({ p.address, 1, p.format1, p.isSigned, q, shape++ });
        markComputed(p.address);
    }
}

quint16 DriveModel::resolve(quint16 address) const
{
    if (m_family == DriveFamily::Vfd && address < 0x1000)
        return static_cast<quint16>(0xF000 | address);
    return address;
}

bool DriveModel::isExemptFromReadOnly(quint16 a) const
{
    // The registers the tool writes as commands must always take a write, whatever the
    // definition file says about the parameter that shares the address.
    if (m_family == DriveFamily::Servo) {
        switch (a) {
        case kServoDiLevel:
        case kServoDoLevel:
        case kServoSoftReset:
        case kServoJogSpeed:
        case kServoTimeA:
        case kServoTimeB:
        case kServoEnable:
        case kServoTrialMode:
        case kServoJog:
        case kServoPositionCommand:
        case kServoCountHigh:
        case kServoCountLow:
        case kServoPositionSelect:
        case kServoPositionSpeed:
            return true;
        default:
            return (a >= kServoDiFunction && a < kServoDiFunction + 8)
                || (a >= kServoDoFunction && a < kServoDoFunction + 6);
        }
    }
    switch (a) {
    case 2:
    case 3:
    case 8:
    case kVfdSource:
    case 0xF003:
    case kVfdFrequencySetting:
    case kVfdCommand:
    case kVfdUnlock:
    case kVfdRestore:
    case kVfdRestore + 1:
        return true;
    default:
        return false;
    }
}

bool DriveModel::isRestoreWrite(quint16 address, const uint16_t* values, int count) const
{
    if (count != 2)
        return false;
    if (m_family == DriveFamily::Servo)
        return address == 0 && values[0] == 385 && values[1] == 65535;
    return address == kVfdRestore && values[0] == 0 && values[1] == 1;
}

int DriveModel::checkWrite(quint16 address, const uint16_t* values, int count) const
{
    if (isRestoreWrite(address, values, count))
        return 0;
    for (int k = 0; k < count; ++k) {
        const quint16 a = static_cast<quint16>(address + k);
        if (isExemptFromReadOnly(a))
            continue;
        const quint16 r = resolve(a);
        if (m_flags[r] & FlagMasterReadOnly)
            return 3;
        if (m_param[r] >= 0 && m_definitions.parameters.at(m_param[r]).readOnly)
            return 3;
    }
    return 0;
}

void DriveModel::prepareRead(quint16 address, int count)
{
    for (int k = 0; k < count; ++k) {
        const quint16 a = static_cast<quint16>(address + k);
        const quint16 r = resolve(a);
        if (r != a)
            m_reg[a] = m_reg[r];
    }
}

void DriveModel::written(quint16 address, int count, bool fromMaster)
{
    if (fromMaster && count == 2 && isRestoreWrite(address, m_reg + address, count)) {
        restoreFactory();
        return;
    }
    for (int k = 0; k < count; ++k) {
        const quint16 a = static_cast<quint16>(address + k);
        const quint16 r = resolve(a);
        if (r != a)
            m_reg[r] = m_reg[a];
        if (m_family == DriveFamily::Servo)
            servoWritten(r, m_reg[r]);
        else
            vfdWritten(r, m_reg[r]);
    }
}

bool DriveModel::setFromConsole(quint16 address, quint16 value)
{
    m_reg[address] = value;
    written(address, 1, false);
    const quint16 r = resolve(address);
    const bool hold = (m_flags[r] & FlagComputed) && !(m_flags[r] & FlagState);
    if (hold)
        m_held[r] = value;
    tick(m_time);
    return hold;
}

void DriveModel::release(int address)
{
    if (address < 0 || address == kServoInputState)
        m_inputsFromConsole = false;
    if (address < 0)
        m_held.clear();
    else
        m_held.erase(resolve(static_cast<quint16>(address)));
}

quint16 DriveModel::value(quint16 address)
{
    if (m_time >= 0)
        tick(m_time); // computed registers follow a state change made since the last step
    prepareRead(address, 1);
    return m_reg[address];
}

void DriveModel::restoreFactory()
{
    std::fill(m_reg, m_reg + 65536, 0);
    for (const SimParameter& p : m_definitions.parameters) {
        if (m_param[p.address] >= 0 && &m_definitions.parameters.at(m_param[p.address]) == &p)
            m_reg[p.address] = p.factory;
    }
    auto init = [this](quint16 address, quint16 v) {
        if (m_param[address] < 0)
            m_reg[address] = v;
    };
    m_alarm = 0;
    if (m_family == DriveFamily::Servo) {
        const quint16 di[8] = { 1, 2, 3, 4, 0, 0, 0, 0 };
        const quint16 dout[6] = { 2, 3, 5, 4, 9, 8 };
        for (int i = 0; i < 8; ++i)
            init(static_cast<quint16>(kServoDiFunction + i), di[i]);
        for (int i = 0; i < 6; ++i)
            init(static_cast<quint16>(kServoDoFunction + i), dout[i]);
        init(kServoJogSpeed, 100);
        init(kServoPositionSpeed, 100);
        init(kServoTimeA, 100);
        init(kServoTimeB, 100);
        servoStop();
        m_enabled = false;
        m_motion = Motion::Idle;
    } else {
        init(0xFD00, 0x4B56); // "KV"
        init(0xFD01, 0x0200);
        init(0xFD02, 0x0001);
        init(kVfdFrequencyDecimals, 2);
        init(kVfdFrequencySetting, 5000);
        init(kVfdPower, 15); // 1.5 kW
        m_command = VfdCommand::Stop;
        m_frequency = 0.0;
        m_unlocked = false;
    }
    if (m_time >= 0)
        tick(m_time);
}

void DriveModel::setAlarm(quint16 code)
{
    m_alarm = code;
    if (code == 0)
        return;
    if (m_family == DriveFamily::Servo) {
        // A servo alarm switches the power stage off.
        servoStop();
        m_enabled = false;
    } else {
        m_lastFault[0] = std::fabs(m_frequency);
        m_lastFault[1] = m_current;
        m_lastFault[2] = m_bus;
        m_command = VfdCommand::Stop;
        m_frequency = 0.0; // the inverter trips: the motor coasts
    }
}

void DriveModel::clearAlarm()
{
    m_alarm = 0;
}

void DriveModel::servoStop()
{
    m_motion = Motion::Idle;
    m_velocity = 0.0;
    m_target = m_position;
}

void DriveModel::servoWritten(quint16 address, uint16_t v)
{
    const bool canMove = m_enabled && m_alarm == 0 && m_reg[kServoTrialMode] == kTrialModeSerial;
    switch (address) {
    case kServoEnable:
        if (v == 0) {
            servoStop();
            m_enabled = false;
        } else if (v == 1 && m_alarm == 0) {
            m_enabled = true;
        }
        break;
    case kServoSoftReset:
        if (v == 1) {
            servoStop();
            m_enabled = false;
            m_alarm = 0;
            m_reg[kServoSoftReset] = 0;
        }
        break;
    case kServoJog:
        if (v == 32 && canMove)
            m_motion = Motion::JogForward;
        else if (v == 64 && canMove)
            m_motion = Motion::JogBackward;
        else if (v == 0 && (m_motion == Motion::JogForward || m_motion == Motion::JogBackward))
            m_motion = Motion::Idle;
        break;
    case kServoPositionCommand:
        if (v == 8 && canMove && m_reg[kServoPositionSelect] == 1) {
            const int high = static_cast<int16_t>(m_reg[kServoCountHigh]);
            const int low = static_cast<int16_t>(m_reg[kServoCountLow]);
            m_target = std::round(m_position) + double(high) * 10000.0 + double(low);
            m_motion = Motion::PositionRun;
        } else if (v == 4 && m_motion == Motion::PositionRun) {
            m_motion = Motion::PositionStop;
        }
        break;
    case kServoAlarm:
        setAlarm(v);
        break;
    case kServoInputState:
        m_inputs = v;
        m_inputsFromConsole = true;
        break;
    case kServoEnabledState: // only the console can write here
        m_enabled = v == 1 && m_alarm == 0;
        if (!m_enabled)
            servoStop();
        break;
    default:
        break;
    }
}

void DriveModel::vfdWritten(quint16 address, uint16_t v)
{
    switch (address) {
    case kVfdCommand: {
        const bool canRun = m_alarm == 0 && m_reg[kVfdSource] == 2;
        switch (v) {
        case 1:
            if (canRun)
                m_command = VfdCommand::Forward;
            break;
        case 2:
            if (canRun)
                m_command = VfdCommand::Backward;
            break;
        case 3:
            if (canRun)
                m_command = VfdCommand::JogForward;
            break;
        case 4:
            if (canRun)
                m_command = VfdCommand::JogBackward;
            break;
        case 5:
        case 6:
            m_command = VfdCommand::Stop;
            break;
        case 7:
            m_alarm = 0;
            break;
        default:
            break;
        }
        break;
    }
    case kVfdUnlock: {
        // The tool repeats the unlock every three seconds; note only the changes.
        const bool unlocked = v == kVfdUnlockCode;
        if (unlocked != m_unlocked)
            std::fprintf(stderr, "kestrova-drive-sim: 0xFF00 := %u, factory parameters %s\n", v,
                unlocked ? "unlocked" : "locked");
        m_unlocked = unlocked;
        break;
    }
    case kVfdFault:
        setAlarm(v);
        break;
    default:
        break;
    }
}

double DriveModel::noise(double amplitude)
{
    std::uniform_real_distribution<double> d(-amplitude, amplitude);
    return d(m_random);
}

double DriveModel::paramScale(quint16 address, quint8 fallbackDecimals) const
{
    quint8 decimals = fallbackDecimals;
    if (m_param[address] >= 0) {
        const quint8 f = m_definitions.parameters.at(m_param[address]).format1;
        decimals = f <= 7 ? f : 0;
    }
    return std::pow(10.0, decimals);
}

void DriveModel::put32(quint16 address, int64_t v)
{
    m_reg[address] = static_cast<uint16_t>(v & 0xFFFF);
    m_reg[static_cast<quint16>(address + 1)] = static_cast<uint16_t>((v >> 16) & 0xFFFF);
}

void DriveModel::tick(double now)
{
    if (m_time < 0) {
        m_time = now;
        m_start = now;
    }
    const double dt = std::clamp(now - m_time, 0.0, 0.2);
    m_time = now;
    if (m_family == DriveFamily::Servo)
        servoTick(dt);
    else
        vfdTick(dt);
    liveValuesTick();
    for (const auto& [address, value] : m_held)
        m_reg[address] = value;
}

void DriveModel::servoTick(double dt)
{
    const double t = time();
    // leaving trial mode ends a trial run like disabling does
    if ((!m_enabled || m_reg[kServoTrialMode] != kTrialModeSerial) && m_motion != Motion::Idle)
        servoStop();

    // acceleration in rpm/s: a jog reaches full speed in about 0.3 s; a position run takes the
    // acceleration time from register 168 and the deceleration time from 169 (0 to its speed)
    const double jogAccel = 20000.0;
    const double runSpeed = std::min<double>(m_reg[kServoPositionSpeed], 6000.0);
    const double timeA = m_reg[kServoTimeA] / 1000.0;
    const double timeB = m_reg[kServoTimeB] / 1000.0;
    const double accelA = timeA > 0 ? std::max(runSpeed, 1.0) / timeA : 1e6;
    const double accelB = timeB > 0 ? std::max(runSpeed, 1.0) / timeB : 1e6;

    double targetVelocity = 0.0;
    double accel = jogAccel;
    const double jogSpeed = std::min<double>(m_reg[kServoJogSpeed], 6000.0);
    switch (m_motion) {
    case Motion::Idle:
        break;
    case Motion::JogForward:
        targetVelocity = jogSpeed;
        break;
    case Motion::JogBackward:
        targetVelocity = -jogSpeed;
        break;
    case Motion::PositionRun: {
        const double remaining = m_target - m_position;
        const double decelPulses = accelB * kPulsesPerRev / 60.0;
        const double brakeRpm = std::sqrt(2.0 * decelPulses * std::fabs(remaining)) * 60.0 / kPulsesPerRev;
        targetVelocity = std::copysign(std::min(runSpeed, brakeRpm), remaining);
        accel = std::fabs(targetVelocity) < std::fabs(m_velocity) ? accelB : accelA;
        break;
    }
    case Motion::PositionStop:
        accel = accelB;
        break;
    }
    m_velocityCommand = targetVelocity;

    const double before = m_velocity;
    const double step = accel * dt;
    if (m_velocity < targetVelocity)
        m_velocity = std::min(targetVelocity, m_velocity + step);
    else
        m_velocity = std::max(targetVelocity, m_velocity - step);

    const double from = m_position;
    m_position += m_velocity * kPulsesPerRev / 60.0 * dt;
    if (m_motion == Motion::PositionRun) {
        const bool crossed = (from - m_target) * (m_position - m_target) <= 0.0;
        if (crossed || std::fabs(m_target - m_position) < 0.5) {
            m_position = m_target;
            m_velocity = 0.0;
            m_motion = Motion::Idle;
        }
    } else if (m_motion == Motion::PositionStop && m_velocity == 0.0) {
        m_motion = Motion::Idle;
    }

    if (dt > 0)
        m_acceleration = (m_velocity - before) / dt;
    const bool moving = std::fabs(m_velocity) > 0.01;
    if (m_enabled) {
        const double friction = moving ? std::copysign(3.5, m_velocity) : 0.0;
        m_torque = std::clamp(m_acceleration / 1000.0 + friction + noise(0.2), -300.0, 300.0);
        m_current = std::fabs(m_torque) * 0.028 + 0.12 + noise(0.01);
        // the servo loop lags its command by about 2 ms
        m_positionError = m_velocity * kPulsesPerRev / 60.0 * 0.002 + noise(1.0);
    } else {
        m_torque = 0.0;
        m_current = 0.0;
        m_positionError = 0.0;
    }

    // the heat sink follows the load over a couple of minutes
    const double ambient = 35.0 + 0.8 * std::sin(2 * kPi * t / 600.0) + m_current * 2.0;
    m_temperature += (ambient - m_temperature) * std::min(1.0, dt / 120.0);
    m_bus = 311.0 + 2.0 * std::sin(2 * kPi * t / 47.0) + noise(0.4);

    const int64_t position = std::llround(m_position);
    const int64_t command = std::llround(m_position + m_positionError);
    const int64_t encoder = std::llround(m_position * kEncoderPerRev / kPulsesPerRev) + 5 * 131072LL;
    const int64_t singleTurn = ((encoder % 131072) + 131072) % 131072;

    quint16 outputs = 0;
    for (int i = 0; i < 6; ++i) {
        bool on = false;
        switch (m_reg[kServoDoFunction + i]) {
        case 1: // always on
            on = true;
            break;
        case 2: // servo ready
            on = m_alarm == 0;
            break;
        case 3: // alarm
            on = m_alarm != 0;
            break;
        case 4: // zero speed
            on = std::fabs(m_velocity) < 10.0;
            break;
        case 5: // positioning completed
            on = m_motion != Motion::PositionRun;
            break;
        case 6: // speed reached
            on = moving && std::fabs(m_velocity - targetVelocity) < 10.0;
            break;
        case 8: // brake released
        case 9: // servo running
            on = m_enabled;
            break;
        case 10: // positioning close
            on = std::fabs(m_target - m_position) < 100.0;
            break;
        default:
            break;
        }
        if (on)
            outputs |= quint16(1u << i);
    }

    // As if the inputs were wired to the machine: the enable input follows the enable state and
    // the forward / reverse move inputs the jog direction, until the console sets the inputs.
    quint16 inputs = m_inputs;
    if (!m_inputsFromConsole) {
        inputs = 0;
        for (int i = 0; i < 8; ++i) {
            bool on = false;
            switch (m_reg[kServoDiFunction + i]) {
            case 1: // servo enable
                on = m_enabled;
                break;
            case 22: // forward move
                on = m_motion == Motion::JogForward;
                break;
            case 23: // reverse move
                on = m_motion == Motion::JogBackward;
                break;
            default:
                break;
            }
            if (on)
                inputs |= quint16(1u << i);
        }
    }

    uint16_t* w = m_reg + kServoStatus;
    w[0] = static_cast<uint16_t>(
        static_cast<int16_t>(std::lround(m_velocity + (m_enabled ? noise(0.6) : 0.0))));
    put32(kServoStatus + 1, position);
    put32(kServoStatus + 3, command);
    put32(kServoStatus + 5, command - position);
    w[7] = static_cast<uint16_t>(static_cast<int16_t>(std::lround(m_torque)));
    w[8] = static_cast<uint16_t>(std::lround(std::max(0.0, m_current * 100.0)));
    // a jog runs in speed mode and a position run in position mode; otherwise the mode parameter
    if (m_motion == Motion::JogForward || m_motion == Motion::JogBackward)
        w[9] = 1;
    else if (m_motion == Motion::PositionRun || m_motion == Motion::PositionStop)
        w[9] = 0;
    else
        w[9] = m_reg[kServoControlMode];
    w[10] = static_cast<uint16_t>(std::lround(m_temperature * 10.0));
    w[11] = static_cast<uint16_t>(static_cast<int16_t>(std::lround(targetVelocity)));
    w[12] = static_cast<uint16_t>(static_cast<int16_t>(std::lround(m_torque)));
    put32(kServoStatus + 13, singleTurn);
    w[15] = inputs & 0xFF;
    w[16] = outputs;
    w[17] = 0;
    w[18] = static_cast<uint16_t>(std::lround(m_bus));
    w[19] = m_alarm;
    w[20] = 0x0110;
    w[21] = 1;
    const quint16 runState = m_alarm ? 3 : (m_enabled ? 2 : 1);
    w[22] = runState;
    w[23] = 0;
    for (int k = 0; k < 4; ++k)
        w[24 + k] = static_cast<uint16_t>((static_cast<uint64_t>(encoder) >> (16 * k)) & 0xFFFF);
    m_reg[kServoEnabledState] = m_enabled ? 1 : 0;
    m_reg[kServoRunState] = runState;
}

void DriveModel::vfdTick(double dt)
{
    const double t = time();
    const int decimals = (m_reg[kVfdFrequencyDecimals] & 0xFF) == 1 ? 1 : 2;
    const double unit = std::pow(10.0, decimals);
    const double setting = m_reg[kVfdFrequencySetting] / unit;
    double jog = 5.0;
    if (m_jogParameter >= 0) {
        const quint16 a = m_definitions.parameters.at(m_jogParameter).address;
        jog = m_reg[a] / paramScale(a, 2);
    }

    double target = 0.0;
    switch (m_command) {
    case VfdCommand::Stop:
        break;
    case VfdCommand::Forward:
        target = setting;
        break;
    case VfdCommand::Backward:
        target = -setting;
        break;
    case VfdCommand::JogForward:
        target = jog;
        break;
    case VfdCommand::JogBackward:
        target = -jog;
        break;
    }
    if (m_alarm != 0)
        target = m_frequency = 0.0;
    const double before = m_frequency;
    const double step = kVfdRampHzPerSecond * dt;
    if (m_frequency < target)
        m_frequency = std::min(target, m_frequency + step);
    else
        m_frequency = std::max(target, m_frequency - step);
    if (dt > 0)
        m_acceleration = std::fabs(m_frequency - before) / dt;

    const double f = std::fabs(m_frequency);
    const bool running = f > 0.0 || m_command != VfdCommand::Stop;
    if (running && m_runStart < 0)
        m_runStart = t;
    else if (!running)
        m_runStart = -1.0;
    m_bus = 540.0 + 3.0 * std::sin(2 * kPi * t / 53.0) + noise(0.3);
    m_outputVoltage = std::min(380.0, 380.0 * f / 50.0);
    m_current = running ? 0.6 + 1.8 * f / 50.0 + m_acceleration * 0.02 + noise(0.02) : 0.0;
    m_power = std::sqrt(3.0) * m_outputVoltage * m_current * 0.8 / 1000.0;
    // Speeding up takes torque; slowing down the load's inertia drives the motor, so the torque
    // turns negative while braking.
    const double speedingUp = dt > 0 ? (std::fabs(m_frequency) - std::fabs(before)) / dt : 0.0;
    m_torque = running ? 15.0 + speedingUp * 1.6 + 3.0 * std::sin(2 * kPi * t / 7.0) : 0.0;
    m_temperature += (38.0 + f * 0.2 - m_temperature) * std::min(1.0, dt / 120.0);
    const double currentUnit = m_reg[kVfdPowerClass] > 21 ? 10.0 : 100.0;

    m_reg[kVfdRunning + 0] = static_cast<uint16_t>(std::lround(f * unit));
    m_reg[kVfdRunning + 1] = m_reg[kVfdFrequencySetting];
    m_reg[kVfdRunning + 2] = static_cast<uint16_t>(std::lround(m_bus * paramScale(kVfdRunning + 2, 1)));
    m_reg[kVfdRunning + 3]
        = static_cast<uint16_t>(std::lround(m_outputVoltage * paramScale(kVfdRunning + 3, 0)));
    m_reg[kVfdRunning + 4] = static_cast<uint16_t>(std::lround(m_current * currentUnit));
    m_reg[kVfdRunning + 5] = static_cast<uint16_t>(std::lround(m_power * paramScale(kVfdRunning + 5, 1)));
    m_reg[kVfdRunning + 6]
        = static_cast<uint16_t>(static_cast<int16_t>(std::lround(m_torque * paramScale(kVfdRunning + 6, 1))));

    quint16 state = 3;
    if (m_frequency > 0.0)
        state = 1;
    else if (m_frequency < 0.0)
        state = 2;
    else if (m_command == VfdCommand::Forward || m_command == VfdCommand::JogForward)
        state = 1;
    else if (m_command == VfdCommand::Backward || m_command == VfdCommand::JogBackward)
        state = 2;
    m_reg[kVfdState] = state;
    m_reg[kVfdFault] = m_alarm;
}

double DriveModel::quantityValue(Quantity q, bool isSigned, int index)
{
    const bool servo = m_family == DriveFamily::Servo;
    const double t = time();
    const double f = std::fabs(m_frequency);
    const bool running = servo ? m_enabled : (f > 0.0 || m_command != VfdCommand::Stop);
    // electrical angle of a five-pole-pair servo motor
    const double electrical = std::fmod(m_position / kPulsesPerRev * 5.0, 1.0) * 2.0 * kPi;
    switch (q) {
    case Quantity::Speed:
        if (servo)
            return m_velocity + (m_enabled ? noise(0.6) : 0.0);
        return (isSigned ? m_frequency : f) * 30.0 * 0.97; // four-pole motor with slip
    case Quantity::SpeedCommand:
        return servo ? m_velocityCommand : f * 30.0;
    case Quantity::LoadSpeed:
        return (servo ? std::fabs(m_velocity) : f * 30.0) / 5.0;
    case Quantity::LinearSpeed:
        return (servo ? std::fabs(m_velocity) / 30.0 : f) * 0.6;
    case Quantity::Frequency:
        return isSigned ? m_frequency : f;
    case Quantity::SetFrequency:
        return servo ? 0.0
                     : m_reg[kVfdFrequencySetting]
                / std::pow(10.0, (m_reg[kVfdFrequencyDecimals] & 0xFF) == 1 ? 1 : 2);
    case Quantity::PulseFrequency:
        return m_motion == Motion::PositionRun ? std::fabs(m_velocity) * kPulsesPerRev / 60.0 / 1000.0 : 0.0;
    case Quantity::Position:
        return m_position;
    case Quantity::PositionCommand:
        return m_position + m_positionError;
    case Quantity::PositionError:
        return m_positionError;
    case Quantity::SingleTurnPosition:
        return std::fmod(std::fmod(m_position / kPulsesPerRev, 1.0) + 1.0, 1.0) * kEncoderPerRev;
    case Quantity::ElectricalAngle:
        return std::fmod(electrical / kPi * 180.0 + 360.0, 360.0);
    case Quantity::Torque:
        return m_torque;
    case Quantity::Current:
        return m_current;
    case Quantity::PhaseCurrentU:
    case Quantity::PhaseCurrentV:
    case Quantity::PhaseCurrentW: {
        const int phase = q == Quantity::PhaseCurrentU ? 0 : (q == Quantity::PhaseCurrentV ? 1 : 2);
        const double angle = servo ? electrical : 2.0 * kPi * std::fmod(f * t, 1.0);
        return m_current * std::sqrt(2.0) * std::sin(angle - phase * 2.0 * kPi / 3.0);
    }
    case Quantity::TorqueCurrent:
        return running ? m_current * 0.8 : 0.0;
    case Quantity::ExcitationCurrent:
        return running ? m_current * 0.6 : 0.0;
    case Quantity::BusVoltage:
        return m_bus;
    case Quantity::OutputVoltage:
        return m_outputVoltage;
    case Quantity::Power:
        return servo ? std::fabs(m_torque) / 100.0 * 0.75 * std::fabs(m_velocity) / 3000.0 : m_power;
    case Quantity::PowerFactor:
        return running ? 0.85 : 0.0;
    case Quantity::Temperature:
        return m_temperature;
    case Quantity::LoadRate:
        return std::fabs(m_torque);
    case Quantity::RegenerativeLoadRate:
        return servo && m_acceleration * m_velocity < 0.0
            ? std::min(100.0, std::fabs(m_acceleration) / 1000.0)
            : 0.0;
    case Quantity::Analog:
        return (isSigned ? 0.0 : 5.0) + 4.0 * std::sin(2 * kPi * t / (20.0 + 3.0 * index) + index);
    case Quantity::FaultCode:
        return m_alarm;
    case Quantity::LastFaultFrequency:
        return m_lastFault[0];
    case Quantity::LastFaultCurrent:
        return m_lastFault[1];
    case Quantity::LastFaultBusVoltage:
        return m_lastFault[2];
    case Quantity::PowerOnTime:
        return t / 60.0;
    case Quantity::RunningTime:
        return m_runStart >= 0 ? (t - m_runStart) / 60.0 : 0.0;
    case Quantity::OutputState:
        return (running ? 1 : 0) | (m_alarm ? 2 : 0);
    case Quantity::Unknown:
        break;
    }
    return 0.0;
}

void DriveModel::liveValuesTick()
{
    const double t = time();
    for (const LiveValue& v : m_live) {
        int64_t raw;
        if (v.quantity != Quantity::Unknown) {
            double x = quantityValue(v.quantity, v.isSigned, v.index);
            if (v.format1 >= 1 && v.format1 <= 7)
                x *= std::pow(10.0, v.format1);
            raw = std::llround(x);
        } else {
            // no meaning found: a slow shape of its own, well inside the register's range
            const double period = 4.0 + 1.5 * v.index;
            const double amplitude = v.length >= 2 ? 100000.0 : 1000.0;
            const double offset = v.isSigned ? 0.0 : amplitude * 1.2;
            switch (v.index % 3) {
            case 0:
                raw = std::llround(offset + amplitude * std::sin(2 * kPi * t / period));
                break;
            case 1:
                raw = std::llround(offset + amplitude * (2.0 * std::fmod(t, period) / period - 1.0));
                break;
            default:
                raw = std::llround(
                    offset + amplitude * 0.8 * std::sin(2 * kPi * t / period) + noise(amplitude * 0.1));
                break;
            }
        }
        if (v.length >= 2) {
            raw = std::clamp<int64_t>(raw, v.isSigned ? INT32_MIN : 0, v.isSigned ? INT32_MAX : UINT32_MAX);
            put32(v.address, raw);
        } else {
            raw = std::clamp<int64_t>(raw, v.isSigned ? INT16_MIN : 0, v.isSigned ? INT16_MAX : UINT16_MAX);
            m_reg[v.address] = static_cast<uint16_t>(raw & 0xFFFF);
        }
    }
}
