#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// 64-bit FNV-1a of bytes; small, and easy to recompute from a file with any scripting language.
inline std::uint64_t fnv1a(const unsigned char* bytes, std::size_t count) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (std::size_t i = 0; i < count; ++i) {
        hash = (hash ^ bytes[i]) * 0x100000001b3u;
    }
    return hash;
}

inline std::uint64_t fnv1a(const std::string& bytes) {
    return fnv1a(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

/// FNV-1a of heights as graph.dat stores them: 4 bytes each, least significant first, in order.
inline std::uint64_t fnv1a(const std::int32_t* heights, std::size_t count) {
    std::string bytes;
    bytes.reserve(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = static_cast<std::uint32_t>(heights[i]);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<char>(value >> shift & 0xffu));
        }
    }
    return fnv1a(bytes);
}
