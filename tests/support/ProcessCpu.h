// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>

// CPU time this process has used so far, all threads, in seconds: what a test divides by the wall
// time to tell an idle tool from a busy one.
inline double processCpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}
