// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Quantity.h"
#include "SimDefinitions.h"

#include <cstdint>
#include <map>
#include <random>
#include <vector>

enum class DriveFamily { Servo, Vfd };

// One simulated drive: its 65536 holding registers (owned by the Modbus mapping, passed in) and the
// motor behind them. Register writes arrive through written(); time moves on through tick().
class DriveModel
{
public:
    DriveModel(DriveFamily family, const SimDefinitions& definitions, uint16_t* registers);

    DriveFamily family() const { return m_family; }

    // VFD parameters also answer at a second address without the 0xF0 prefix (RAM copy).
    quint16 resolve(quint16 address) const;
    // Modbus exception code for a master write, 0 when it may go ahead.
    int checkWrite(quint16 address, const uint16_t* values, int count) const;
    // Copies aliased registers so a read of them shows the parameter.
    void prepareRead(quint16 address, int count);
    // The registers address..address+count-1 already hold newly written values.
    void written(quint16 address, int count, bool fromMaster);

    void tick(double now);
    void restoreFactory();

    // A console write: like a master write without the read-only check. A value the simulation
    // computes is held until release(); returns true when it is held.
    bool setFromConsole(quint16 address, quint16 value);
    void release(int address); // -1: all
    void setAlarm(quint16 code);
    void clearAlarm();
    quint16 value(quint16 address);

private:
    enum class Motion { Idle, JogForward, JogBackward, PositionRun, PositionStop };
    enum class VfdCommand { Stop, Forward, Backward, JogForward, JogBackward };

    struct LiveValue
    {
        quint16 address;
        quint8 length;
        quint8 format1;
        bool isSigned;
        Quantity quantity;
        int index; // tells apart the shapes of values that follow nothing
    };

    bool isExemptFromReadOnly(quint16 address) const;
    bool isRestoreWrite(quint16 address, const uint16_t* values, int count) const;
    void markComputed(quint16 address);
    void setupComputedRegisters();
    void setupLiveValues();

    void servoWritten(quint16 address, uint16_t v);
    void vfdWritten(quint16 address, uint16_t v);
    void servoTick(double dt);
    void vfdTick(double dt);
    void liveValuesTick();
    double quantityValue(Quantity q, bool isSigned, int index);
    void servoStop();

    void put32(quint16 address, int64_t v);
    double noise(double amplitude);
    double paramScale(quint16 address, quint8 fallbackDecimals) const;
    double time() const { return m_time - m_start; }

    DriveFamily m_family;
    const SimDefinitions& m_definitions;
    uint16_t* m_reg;
    std::vector<int> m_param; // index into m_definitions.parameters, -1 if none
    std::vector<uint8_t> m_flags; // see the flags in the implementation
    std::vector<LiveValue> m_live;
    std::map<quint16, quint16> m_held; // console values that win over the simulation
    std::mt19937 m_random { 12345 };

    double m_time = -1.0; // monotonic seconds of the last step, -1 before the first
    double m_start = 0.0;
    quint16 m_alarm = 0;
    double m_temperature = 35.0; // degC, heat sink
    double m_bus = 0.0; // V
    double m_current = 0.0; // A
    double m_torque = 0.0; // percent of rated torque
    double m_acceleration = 0.0; // rpm/s (servo), Hz/s (VFD)

    // servo
    bool m_enabled = false;
    Motion m_motion = Motion::Idle;
    double m_velocity = 0.0; // rpm
    double m_velocityCommand = 0.0;
    double m_position = 0.0; // pulses
    double m_positionError = 0.0;
    double m_target = 0.0;
    quint16 m_inputs = 0x0001; // DI states set from the console
    bool m_inputsFromConsole = false; // otherwise the inputs follow the drive's state

    // vfd
    VfdCommand m_command = VfdCommand::Stop;
    double m_frequency = 0.0; // Hz, negative when running backward
    double m_outputVoltage = 0.0;
    double m_power = 0.0;
    double m_runStart = -1.0;
    double m_lastFault[3] = { 0, 0, 0 }; // frequency, current, bus voltage when the last fault came
    bool m_unlocked = false;
    int m_jogParameter = -1; // the jog frequency parameter, if the table has one
};
