#pragma once

// The process's own memory figures, read from /proc on Linux.

#include <cstdlib>
#include <fstream>
#include <string>

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
