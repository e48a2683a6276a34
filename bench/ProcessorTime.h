// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <time.h>

// The process's processor time, all threads, in seconds. The machine may be
// shared: processor time shows a cost better than wall time where other
// work competes for the cores.
inline double ProcessorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}
