// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// Why a serial port would not open, found out from the operating system after the fact, and told in
// words a technician can act on. Qt's serial port reports a port that another program holds and a
// port the account may not use as the same "permission" error.
class SerialPortDiagnosis
{
    Q_DECLARE_TR_FUNCTIONS(SerialPortDiagnosis)
public:
    enum Problem {
        NoProblem = 0,
        PortMissing, // no such device file, or the device behind it is gone
        PermissionDenied, // the account is not allowed to use the port
        NewLoginNeeded, // the account was given the port's group, but this login predates it
        PortBusy, // another program holds the port
        OtherProblem,
    };

    struct Result
    {
        Problem problem = NoProblem;
        QString text;
    };

    // The device file a port name stands for, as Qt's serial port resolves it.
    static QString systemLocation(const QString& portName);

    // What shows without opening the port: a port that is missing, that the account may not use,
    // or that another program has announced it holds. NoProblem when none of these does.
    static Result check(const QString& portName);

    // Call after an open failed; systemText is the library's own error text, shown when the
    // system offers no better explanation.
    static Result diagnose(const QString& portName, const QString& systemText);
};
