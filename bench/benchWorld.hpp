#pragma once

#include "app/random.hpp"
#include "app/settings.hpp"
#include "world/worldMap.hpp"

#include <memory>
#include <ostream>

// The world the benchmarks share: the default 360 × 130 world of a fixed seed.

namespace {

constexpr unsigned WORLD_SEED = 11899u;
constexpr int GRID_X = 20;
constexpr int GRID_Y = 6;

/// Swallows the generation reports, which would otherwise flood the benchmark's output.
inline std::ostream& silent() {
    static std::ostream nowhere(nullptr);
    return nowhere;
}

/// The default 360 × 130 world, generated on the calling thread from the fixed seed.
inline std::unique_ptr<worldMap> generateDefaultMap() {
    worldWidth = 360;
    worldHeight = 130;
    lArea = 30;
    seed(WORLD_SEED);
    auto map = std::make_unique<worldMap>();
    map->init();
    map->gen(silent());
    map->setArea(silent());
    map->tuneEdges();
    return map;
}

inline const worldMap& defaultMap() {
    static const std::unique_ptr<worldMap> map = generateDefaultMap();
    return *map;
}

} // namespace
