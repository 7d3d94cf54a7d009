// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ParamRequest.h"

class ParameterSet;

// What a front end that reads the drive on its own asks first: the values that set other
// parameters' decimals and units (the drive size and the control functions' triggers). The window
// learns them from its status poll and from the page's reads as they come; a one-shot run needs
// them before it shows a single value or converts a typed one.
namespace PrecisionSources {

// Sent before the reads: the VFD answers its size only behind the unlock code, as in the status
// poll. family: Global::DEVICE_INFO.
ParamRequests writes(int family);
ParamRequests reads(const ParameterSet& set, int family);

} // namespace PrecisionSources
