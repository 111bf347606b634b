#pragma once

#include <cstdint>
#include <string>

/// 64-bit FNV-1a of bytes: small, and easy to recompute from a file with any scripting language.
inline std::uint64_t fnv1a(const std::string& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char byte : bytes) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
    }
    return hash;
}

/// FNV-1a of heights as graph.dat stores them: 4 bytes each, least significant first as on this machine.
inline std::uint64_t fnv1a(const std::int32_t* heights, std::size_t count) {
    return fnv1a(std::string(reinterpret_cast<const char*>(heights), count * sizeof(std::int32_t)));
}
