#pragma once

#include <fstream>
#include <malloc.h>
#include <string>

// The peak resident memory of work beyond what the process held before it: the kernel's
// high-water mark is reset first (clear_refs 5), and memory freed earlier is handed back to
// the system (malloc_trim), so that it is not counted as the work's.
inline long StatusKilobytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    return -1;
}

template <typename TWork> double PeakMegabytesOf(TWork&& work) {
    malloc_trim(0);
    const long before = StatusKilobytes("VmRSS:");
    std::ofstream("/proc/self/clear_refs") << "5";
    work();
    return double(StatusKilobytes("VmHWM:") - before) / 1024.0;
}
