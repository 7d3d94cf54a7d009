// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The wire limit the benchmarks divide their times by lives with the bus layer, where the scope
// weighs its block reads with the same rule.
#include "comm/WireTime.h"
