#pragma once

// The process's own memory figures, read from /proc on Linux.

#include <cstdlib>
#include <fstream>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

/// A field of /proc/self/status in kB, or -1.
inline long statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0) {
            return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
        }
    }
    return -1;
}

/// Restarts the kernel's peak-RSS record (VmHWM); false where the kernel does not allow it.
inline bool resetPeakResidentSize() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return static_cast<bool>(clearRefs);
}

/// How far the peak resident size rose above the resident size while `work` ran, in kB, freed memory handed
/// back first so that the work's own pages show; -1 where the kernel does not tell.
template <class Work> long peakGrowthKilobytes(Work&& work) {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    const bool reset = resetPeakResidentSize();
    const long before = statusKilobytes("VmRSS");
    work();
    const long peak = statusKilobytes("VmHWM");
    return reset && before >= 0 && peak >= 0 ? peak - before : -1;
}
