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

/// FNV-1a of heights as graph.dat stores them: 4 bytes each, least significant first, in order.
inline std::uint64_t fnv1a(const std::int32_t* heights, std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<char>(static_cast<std::uint32_t>(heights[i]) >> shift & 0xffu));
        }
    }
    return fnv1a(bytes);
}
