#pragma once

#include "SimDefinitions.h"

#include <cstdint>
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

    void setAlarm(quint16 code);
    void clearAlarm();
    quint16 value(quint16 address);

private:
    enum class Motion { Idle, JogForward, JogBackward, PositionRun, PositionStop };
    enum class VfdCommand { Stop, Forward, Backward, JogForward, JogBackward };

    bool isExemptFromReadOnly(quint16 address) const;
    bool isRestoreWrite(quint16 address, const uint16_t* values, int count) const;
    void markComputed(quint16 address);
    void setupComputedRegisters();
    void setupVariables();

    void servoWritten(quint16 address, uint16_t v);
    void vfdWritten(quint16 address, uint16_t v);
    void servoTick(double dt);
    void vfdTick(double dt);
    void variablesTick();
    void servoStop();

    void put32(quint16 address, int64_t v);
    double noise(double amplitude);
    int64_t toRaw(double x, quint8 format1) const;
    double paramScale(quint16 address, quint8 fallbackDecimals) const;

    DriveFamily m_family;
    const SimDefinitions& m_definitions;
    uint16_t* m_reg;
    std::vector<int> m_param;      // index into m_definitions.parameters, -1 if none
    std::vector<uint8_t> m_flags;  // Computed / MasterReadOnly
    std::mt19937 m_random { 12345 };

    double m_time = -1.0; // seconds since start, -1 before the first tick
    double m_start = 0.0;
    quint16 m_alarm = 0;

    // servo
    bool m_enabled = false;
    Motion m_motion = Motion::Idle;
    double m_velocity = 0.0; // rpm
    double m_position = 0.0; // pulses
    double m_target = 0.0;
    double m_lastVelocity = 0.0;
    double m_torque = 0.0;     // 0.1 % of rated torque
    double m_temperature = 352; // 0.1 degC
    quint16 m_inputs = 0x0001;

    // vfd
    VfdCommand m_command = VfdCommand::Stop;
    double m_frequency = 0.0; // Hz, negative when running backward
    bool m_unlocked = false;
    int m_jogParameter = -1; // the jog frequency parameter, if the table has one
    struct Computed
    {
        quint16 address;
        int kind;
    };
    std::vector<Computed> m_d0Extra;

    struct LiveVariable
    {
        SimVariable def;
        int kind;
        int index;
    };
    std::vector<LiveVariable> m_variables;
};
