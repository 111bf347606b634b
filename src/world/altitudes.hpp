#pragma once

#include <cstdint>

// Altitude bands shared by terrain colouring, placement and the pathing graph. Land is height > 0.
constexpr std::int32_t DEEP_OCEAN_ALTITUDE = -5000;
constexpr std::int32_t WATER_ALTITUDE = 0;
constexpr std::int32_t GRASSLAND_ALTITUDE = 400;
constexpr std::int32_t FOREST_ALTITUDE = 3000;
constexpr std::int32_t MOUNTIAN_BOTTOM_ALTITUDE = 4700;
constexpr std::int32_t MOUNTIAN_MIDDLE_ALTITUDE = 5000;
constexpr std::int32_t MOUNTIAN_TOP_ALTITUDE = 7000;
