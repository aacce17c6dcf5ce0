#pragma once

// The process's resident memory, now and at its peak, as the kernel counts it.

#include <fstream>
#include <string>

inline long statusKilobytes(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == field) {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

inline long residentKilobytes()
{
    return statusKilobytes("VmRSS:");
}

inline long peakResidentKilobytes()
{
    return statusKilobytes("VmHWM:");
}
