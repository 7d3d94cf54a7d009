// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

// One parameter of a batch: its code (the request's tag), its register and, for a write, the value.
struct ParamRequest
{
    QString code;
    quint16 address = 0;
    quint16 value = 0;
};

using ParamRequests = QVector<ParamRequest>;
